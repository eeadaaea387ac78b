#include "ui/side_colours.h"

#include <algorithm>
#include <cstring>

#include "core/display_surface.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "ui/ui_link.h"

namespace {

uint8_t g_map[256];
bool g_mapReady = false;

void IdentityMap()
{
    for (int i = 0; i < 256; ++i)
        g_map[i] = uint8_t(i);
    g_mapReady = true;
}

void MappedFill(uint8_t* dest, uint8_t colour, int count, int column, int row)
{
    DefaultImageFill(dest, g_map[colour], count, column, row);
}

void MappedCopy(uint8_t* dest, const uint8_t* source, int count, int, int)
{
    if (dest == nullptr)
        return;
    for (int i = 0; i < count; ++i)
        dest[i] = g_map[source[i]];
}

// The entry below the side shades closest to the colour; 0 (black, the
// transparent fill) is never chosen.
uint8_t Nearest(const uint8_t* palette, const uint8_t* rgb)
{
    int best = 1;
    int32_t bestDistance = INT32_MAX;
    for (int i = 1; i < kFirstSideShade; ++i) {
        const int32_t dr = int32_t(palette[3 * i]) - rgb[0];
        const int32_t dg = int32_t(palette[3 * i + 1]) - rgb[1];
        const int32_t db = int32_t(palette[3 * i + 2]) - rgb[2];
        const int32_t d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return uint8_t(best);
}

}  // namespace

SideColourScope::SideColourScope(uint8_t colour)
{
    if (colour == kNoSideColour || colour == kPaintedSideColour)
        return;
    const CDisplaySurface* display = GetDisplaySurface();
    if (display == nullptr)
        return;
    RawResource units;
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars());
        if (!CResourceMgr::LoadPalette("BattleUnits", units))
            return;
    }
    const uint32_t first = uint32_t(colour) * kSideShadeCount * 3;
    if (units.data == nullptr || first + kSideShadeCount * 3 > units.size)
        return;
    if (!g_mapReady)
        IdentityMap();
    std::memcpy(m_savedMap, g_map, sizeof g_map);
    m_savedFill = ImageFillOp;
    m_savedCopy = ImageCopyOp;
    for (int k = 0; k < kSideShadeCount; ++k) {
        const uint8_t entry = Nearest(display->RawPalette(), units.data + first + 3 * k);
        g_map[kFirstSideShade + k] = entry;
        g_map[kSecondSideShade + k] = entry;
    }
    ImageFillOp = MappedFill;
    ImageCopyOp = MappedCopy;
    m_active = true;
}

SideColourScope::~SideColourScope()
{
    if (!m_active)
        return;
    std::memcpy(g_map, m_savedMap, sizeof g_map);
    ImageFillOp = m_savedFill;
    ImageCopyOp = m_savedCopy;
}

uint8_t SideColourScope::DrawnIndex(uint8_t index)
{
    if (!g_mapReady)
        IdentityMap();
    return ImageFillOp == MappedFill ? g_map[index] : index;
}

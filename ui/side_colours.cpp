#include "ui/side_colours.h"

#include <algorithm>
#include <cstring>
#include <iterator>

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

// The nearest entries of every side shade take thousands of distance sums,
// and a screen paints many windows in one colour over one palette: the
// shades found are kept per colour, with the palette and the shades they
// were found for, so a palette change finds them again.
struct FoundShades {
    bool valid = false;
    uint8_t colour = 0;
    uint8_t palette[3 * kFirstSideShade] = {};
    uint8_t units[3 * kSideShadeCount] = {};
    uint8_t entries[kSideShadeCount] = {};
};
FoundShades g_found[8];
int g_nextFound = 0;

const uint8_t* ShadesFor(uint8_t colour, const uint8_t* palette, const uint8_t* units)
{
    for (const FoundShades& f : g_found)
        if (f.valid && f.colour == colour && std::memcmp(f.units, units, sizeof f.units) == 0 &&
            std::memcmp(f.palette, palette, sizeof f.palette) == 0)
            return f.entries;
    FoundShades& f = g_found[g_nextFound];
    g_nextFound = (g_nextFound + 1) % int(std::size(g_found));
    f.valid = true;
    f.colour = colour;
    std::memcpy(f.palette, palette, sizeof f.palette);
    std::memcpy(f.units, units, sizeof f.units);
    for (int k = 0; k < kSideShadeCount; ++k)
        f.entries[k] = Nearest(palette, units + 3 * k);
    return f.entries;
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
    const uint8_t* entries = ShadesFor(colour, display->RawPalette(), units.data + first);
    for (int k = 0; k < kSideShadeCount; ++k) {
        g_map[kFirstSideShade + k] = entries[k];
        g_map[kSecondSideShade + k] = entries[k];
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

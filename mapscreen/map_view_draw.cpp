// The drawing pass of the map view. The strips hold region ids and pixel
// classes, not colours: while a strip is drawn the raster's row hook colours
// every run by the state of its region (owner colour, highlight) or fills it
// with a texture anchored to map coordinates.

#include <algorithm>
#include <cstring>

#include "core/font.h"
#include "core/four_cc.h"
#include "core/image_rows.h"
#include "core/raster.h"
#include "game/game_object.h"
#include "game/game_world.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "mapscreen/map_view.h"

// What the colouring operations share while one strip band is drawn. The
// raster's row operations are plain functions, so this lives here.
struct MapDrawPass {
    static RegionState regions[32];
    static int32_t stripX;
    static const MapTexture* sea;
    static const MapTexture* grass;
    // The texture row of the last pixel row, per texture.
    static int32_t cachedRow[2];
    static const uint8_t* cachedLine[2];

    static void ResetCache()
    {
        cachedRow[0] = cachedRow[1] = -1;
        cachedLine[0] = cachedLine[1] = nullptr;
    }
    static const uint8_t* TextureLine(int32_t which, int32_t row)
    {
        const MapTexture* t = which == 0 ? sea : grass;
        if (t == nullptr || t->pixels == nullptr)
            return nullptr;
        const int32_t r = row & t->heightMask;
        if (cachedRow[which] != r) {
            cachedRow[which] = r;
            cachedLine[which] = t->pixels + static_cast<intptr_t>(r) * t->pitch;
        }
        return cachedLine[which];
    }
    // Colour of a region pixel (id below 31).
    static uint8_t RegionColour(uint8_t value)
    {
        const RegionState& s = regions[value & 31];
        const int32_t c = value >> 5;
        if (c == 0 || c == 7)
            return MapRampColour(s.owner, s.highlighted ? s.level : 4);
        int32_t e = c - 1;
        if (s.highlighted && e == 1 && s.level == 0)
            e = 0;
        return MapRampColour(s.owner, e);
    }
    // Writes count pixels of one strip value; column and row are strip coordinates.
    static void Put(uint8_t* dest, uint8_t value, int count, int column, int row)
    {
        if ((value & 31) != 31) {
            std::memset(dest, RegionColour(value), static_cast<size_t>(count));
            return;
        }
        const int32_t which = (value >> 5) == 7 ? 0 : 1;
        const MapTexture* t = which == 0 ? sea : grass;
        const uint8_t* line = TextureLine(which, row);
        if (line == nullptr) {
            // No texture of a power-of-two size: plain neutral ground.
            std::memset(dest, MapRampColour(6, 4), static_cast<size_t>(count));
            return;
        }
        // Block copies that wrap at the texture's width.
        int32_t x = (column + stripX) & t->widthMask;
        while (count > 0) {
            const int32_t n = std::min<int32_t>(count, t->widthMask + 1 - x);
            std::memcpy(dest, line + x, static_cast<size_t>(n));
            dest += n;
            count -= n;
            x = 0;
        }
    }
    static void Fill(uint8_t* dest, uint8_t colour, int count, int column, int row)
    {
        if (dest != nullptr)
            Put(dest, colour, count, column, row);
    }
    static void Copy(uint8_t* dest, const uint8_t* source, int count, int column, int row)
    {
        if (dest == nullptr)
            return;
        // Runs of one value in a literal run go out in one piece.
        int i = 0;
        while (i < count) {
            int j = i + 1;
            while (j < count && source[j] == source[i])
                ++j;
            Put(dest + i, source[i], j - i, column + i, row);
            i = j;
        }
    }
};

RegionState MapDrawPass::regions[32];
int32_t MapDrawPass::stripX = 0;
const MapTexture* MapDrawPass::sea = nullptr;
const MapTexture* MapDrawPass::grass = nullptr;
int32_t MapDrawPass::cachedRow[2] = {-1, -1};
const uint8_t* MapDrawPass::cachedLine[2] = {nullptr, nullptr};

namespace {

void DrawRegionSpansHook(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize,
                         bool wideLengths, bool transparent, ImageFillOpFn, ImageCopyOpFn, uint16_t pitch,
                         uint8_t* dest)
{
    MapDrawPass::ResetCache();
    DecodeImageRows(x, y, clip, block, tableSize, wideLengths, transparent, MapDrawPass::Fill,
                    MapDrawPass::Copy, pitch, dest);
}

bool MakeTexture(const ImageData& image, MapTexture& texture)
{
    texture.pixels = nullptr;
    if (!image.HasHeader())
        return false;
    const uint8_t wBit = SingleBitIndex(image.Width()), hBit = SingleBitIndex(image.Height());
    if (wBit > 7 || hBit > 7)
        return false;
    if (!texture.surface.CreateSurface(image.Width(), image.Height()))
        return false;
    DrawImage(texture.surface, image.HotX(), image.HotY(), image, UndefinedRect);
    texture.pixels = texture.surface.Surface().pixels;
    texture.pitch = texture.surface.Surface().pitch;
    texture.widthMask = static_cast<uint8_t>(image.Width() - 1);
    texture.heightMask = static_cast<uint8_t>(image.Height() - 1);
    return true;
}

}  // namespace

void CMapView::PrepareTextures()
{
    const bool wasLocked = IsPaletteLocked();
    SetPaletteLock(true);
    MakeTexture(m_sea, m_seaTexture);
    MakeTexture(m_grass, m_grassTexture);
    SetPaletteLock(wasLocked);
    for (RegionState& r : MapDrawPass::regions)
        r = RegionState{};
}

void CMapView::DrawSprite(CDrawContext& dc, int32_t sprite, int32_t x, int32_t y) const
{
    if (sprite < 0 || sprite >= SpriteCount)
        return;
    const PackedPoint p = ScaledPoint(x, y);
    DrawImage(dc, p.X(), p.Y(), m_sprites[sprite], UndefinedRect);
}

void CMapView::DrawRecruitMarker(CDrawContext& dc, const ProvinceRecord& province) const
{
    const int32_t n = RecruitCountOf(province);
    const int16_t chance = RevoltChanceOf(province.index);
    const int32_t ax = province.points[2], ay = province.points[3];
    if (n == 0) {
        if (chance > 3)
            DrawSprite(dc, SpriteRecruitRevolt, ax, ay);
        return;
    }
    DrawSprite(dc, chance < 4 ? SpriteRecruitCount : SpriteRecruitCountRevolt, ax, ay);
    CStr text;
    text.Format("%+ld", static_cast<long>(n));
    const FontData& font = SelectFont(n > 99 ? 1 : 0);
    const PackedPoint p = ScaledPoint(ax, ay);
    DrawText(dc, p.X() - MeasureTextWidth(text, font) / 2, p.Y() - MeasureTextHeight(text, font) / 2, text, 8,
             0, true, font);
}

void CMapView::Draw(CDrawContext& dc)
{
    if (!m_blocksLoaded || m_strips->empty())
        return;
    CGameWorld* world = GameWorld();
    const int32_t provinces = world != nullptr ? world->ProvinceCount() : 0;
    const int32_t stripWidth = 1 << m_stripShift;
    const int32_t bandHeight = 1 << m_bandShift;

    MapDrawPass::sea = &m_seaTexture;
    MapDrawPass::grass = &m_grassTexture;
    const ImageRowHook previousHook = g_imageRowHook;
    g_imageRowHook = DrawRegionSpansHook;
    for (size_t i = 0; i < m_strips->size(); ++i) {
        const ImageData& strip = (*m_strips)[i];
        const int32_t x = static_cast<int32_t>(i) * stripWidth;
        if (!IsImageVisible(dc, x, 0, strip, UndefinedRect))
            continue;
        MapDrawPass::stripX = x;
        const auto& bands = m_descriptor.strips[i];
        for (size_t j = 0; j < bands.size(); ++j) {
            const int32_t y = static_cast<int32_t>(j) * bandHeight;
            const MapBandPairs& band = bands[j];
            // Entries past this band's pairs keep what the previous band set.
            for (size_t p = 0; p < band.provinces.size() && p < 32; ++p) {
                RegionState& r = MapDrawPass::regions[p];
                const int32_t index = band.provinces[p];
                if (index >= provinces) {
                    r = RegionState{};
                    continue;
                }
                const ProvinceRecord& province = world->Province(index);
                r.owner = MapOwnerColour(province);
                const uint8_t state = ProvinceState(index);
                r.level = static_cast<uint8_t>((state & kProvinceLevelMask) >> 3);
                r.highlighted = (state & kProvinceHighlighted) ? 1 : 0;
            }
            DrawImage(dc, x, y, strip, PackedRect(0, y, stripWidth - 1, y + bandHeight - 1));
        }
    }
    g_imageRowHook = previousHook;

    for (int32_t i = 0; i < provinces; ++i) {
        const ProvinceRecord& p = world->Province(i);
        const int32_t castle = CastleSpriteOf(p);
        const int32_t flag = m_busy ? SpriteNone : FlagSpriteOf(p);
        if (p.points[3] >= p.points[1]) {
            DrawSprite(dc, castle, p.points[0], p.points[1]);
            DrawSprite(dc, flag, p.points[2], p.points[3]);
        } else {
            DrawSprite(dc, flag, p.points[2], p.points[3]);
            DrawSprite(dc, castle, p.points[0], p.points[1]);
        }
        if (markersShown) {
            const int32_t marker = ActionMarkerOf(p);
            if (marker == SpriteDoMove)
                DrawSprite(dc, marker, p.points[2], p.points[3]);
            else
                DrawSprite(dc, marker, p.points[0], p.points[1]);
        }
    }
    if (m_recruitMode) {
        const PlayerRecord* player = CurrentPlayer();
        for (int32_t i = 0; i < provinces; ++i) {
            const ProvinceRecord& p = world->Province(i);
            if (p.owner == player && player != nullptr)
                DrawRecruitMarker(dc, p);
        }
    }
    if (m_busy && Game().humanTurnActive)
        DrawSprite(dc, m_movingSprite, m_animPoint.X(), m_animPoint.Y());
}

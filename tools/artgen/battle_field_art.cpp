// The battle field's own pictures: terrain, cells, marks, icons, the title
// bar, the strength plates, the buttons of the battle window, the battle
// palettes and the battle's fanfares.

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "tools/artgen/battle_art.h"

namespace battleart {

namespace {

// Cell geometry of the field: 24 x 28 pointy-top hexagons, rows 21 apart.
constexpr int kCellW = 24;
constexpr int kCellH = 28;
constexpr int kPitch = kCellH - kCellH / 4;

// Field-pixel centre of a cell (column + 11 x row), as the engine computes it.
void CellCentre(int cell, int& x, int& y)
{
    const int c = cell % 11 - 1;
    const int r = cell / 11 - 1;
    x = kCellW * c + (r % 2 == 0 ? kCellW : kCellW / 2);
    y = kPitch * r + kCellH / 2;
}

Canvas GrassTile(int variant)
{
    Canvas c(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint32_t h = Hash(uint32_t(x), uint32_t(y), uint32_t(variant));
            int k = 6 + int(h % 3);
            if (h % 23 == 0)
                k = 10;
            c.Set(x, y, Shade(kGrass, k));
        }
    // A few tufts and flowers.
    for (int i = 0; i < 6; ++i) {
        const uint32_t h = Hash(uint32_t(i), 77u, uint32_t(variant));
        const int x = int(h % 30) + 1, y = int((h >> 8) % 29) + 2;
        c.Set(x, y, Shade(kGrass, 12));
        c.Set(x - 1, y - 1, Shade(kGrass, 11));
        c.Set(x + 1, y - 2, Shade(kGrass, 11));
    }
    const uint32_t f = Hash(5u, 9u, uint32_t(variant));
    c.Set(int(f % 30) + 1, int((f >> 8) % 30) + 1, Shade(kYellow, 13));
    return c;
}

Canvas MasonryTile()
{
    Canvas c(32, 32, Shade(kSteel, 4));
    for (int row = 0; row < 4; ++row) {
        const int offset = (row % 2) * 8;
        for (int brick = -1; brick < 3; ++brick) {
            const int x0 = brick * 16 + offset + 1, y0 = row * 8 + 1;
            const uint32_t h = Hash(uint32_t(row), uint32_t(brick + 4));
            const int base = 7 + int(h % 3);
            for (int y = y0; y < y0 + 6; ++y)
                for (int x = x0; x < x0 + 14; ++x) {
                    const uint32_t n = Hash(uint32_t(x & 31), uint32_t(y), 3u);
                    int k = base + (n % 5 == 0 ? 1 : 0) - (n % 7 == 0 ? 1 : 0);
                    if (y == y0)
                        k += 2;
                    if (y == y0 + 5)
                        k -= 2;
                    c.Set(x & 31, y, Shade(kSteel, k));
                }
        }
    }
    return c;
}

// The strip above the grid: sky, the far country and what stands in it.
enum class Backdrop {
    Hills,
    Mountains,
    Castle,
    Forest,
    Lake,
    Moor
};

Canvas TopStrip(Backdrop kind)
{
    Canvas c(240, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 240; ++x)
            c.Set(x, y, Shade(kWater, 15 - y / 5 + ((Hash(uint32_t(x), uint32_t(y)) % 7 == 0) ? 1 : 0)));
    // Clouds.
    for (int i = 0; i < 5; ++i) {
        const uint32_t h = Hash(uint32_t(i), 31u, uint32_t(kind));
        const int cx = int(h % 240), cy = 4 + int((h >> 8) % 8);
        c.Ellipse(cx, cy, 10, 2, Shade(kGrey, 15));
        c.Ellipse(cx + 5, cy - 1, 6, 2, Shade(kGrey, 14));
    }
    // Far ridge.
    for (int x = 0; x < 240; ++x) {
        int top;
        if (kind == Backdrop::Mountains) {
            const int peak = std::abs((x % 60) - 30);
            top = 4 + peak / 2 + int(Hash(uint32_t(x / 3), 5u) % 3);
        } else if (kind == Backdrop::Moor) {
            // A long, low skyline.
            const int wave = (x * 2) % 160;
            top = 20 + (wave < 80 ? wave : 160 - wave) / 20 + int(Hash(uint32_t(x / 6), 6u) % 2);
        } else {
            // Rolling far hills: a slow wave.
            const int wave = (x * 7) % 96;
            top = 14 + (wave < 48 ? wave : 96 - wave) / 8 + int(Hash(uint32_t(x / 8), 6u) % 2);
        }
        for (int y = top; y < 40; ++y) {
            uint8_t colour;
            if (kind == Backdrop::Mountains)
                colour = y < top + 3 && top < 16 ? Shade(kGrey, 15) : Shade(kSteel, 6 + (y - top) / 6);
            else
                colour = Shade(kGrass, 4 + (y - top) / 4);
            c.Set(x, y, colour);
        }
    }
    if (kind == Backdrop::Lake) {
        // Still water below the far hills, a bright line where it meets them.
        for (int y = 25; y < 34; ++y)
            for (int x = 0; x < 240; ++x) {
                int k = 9 - (y - 25) / 3;
                if (Hash(uint32_t(x / 4), uint32_t(y), 12u) % 11 == 0)
                    k += 3;
                c.Set(x, y, Shade(kWater, k));
            }
        for (int x = 0; x < 240; ++x)
            c.Set(x, 25, Shade(kWater, 13));
    }
    // Near hills (a flat bank before a lake).
    for (int x = 0; x < 240; ++x) {
        const int wave = (x * 3 + 40) % 120;
        int top = 24 + (wave < 60 ? wave : 120 - wave) / 12 + int(Hash(uint32_t(x / 5), 8u) % 2);
        if (kind == Backdrop::Lake)
            top = 34 + int(Hash(uint32_t(x / 7), 8u) % 2);
        for (int y = top; y < 40; ++y)
            c.Set(x, y, Shade(kGrass, 6 + ((Hash(uint32_t(x), uint32_t(y), 2u) % 4 == 0) ? 1 : 0)));
    }
    if (kind == Backdrop::Forest) {
        // A wood from edge to edge: crowns of every size, trunks between.
        for (int i = 0; i < 70; ++i) {
            const uint32_t h = Hash(uint32_t(i), 23u, 7u);
            const int x = int(h % 244) - 2, y = 22 + int((h >> 8) % 9);
            const int r = 3 + int((h >> 16) % 3);
            c.Fill(x, y, x, y + r + 3, Shade(kBrown, 3));
            c.Ellipse(x, y - 1, r, r + 2, Shade(kGrass, 2 + int((h >> 20) % 2)));
            c.Ellipse(x - 1, y - 2, r / 2, r / 2 + 1, Shade(kGrass, 5));
        }
    } else if (kind == Backdrop::Moor) {
        // Heather on the near ground and a ring of standing stones.
        for (int i = 0; i < 120; ++i) {
            const uint32_t h = Hash(uint32_t(i), 41u);
            c.Set(int(h % 240), 27 + int((h >> 8) % 13), Shade(kPurple, 6 + int((h >> 16) % 3)));
        }
        for (int i = 0; i < 6; ++i) {
            const uint32_t h = Hash(uint32_t(i), 43u);
            const int x = 120 + i * 14 + int(h % 4), y = 29 + int((h >> 8) % 3);
            const int tall = 5 + int((h >> 12) % 4);
            c.Fill(x, y - tall, x + 3, y, Shade(kSteel, 8));
            c.Fill(x, y - tall, x, y, Shade(kSteel, 11));
            c.Fill(x + 3, y - tall, x + 3, y, Shade(kSteel, 5));
        }
    } else if (kind != Backdrop::Castle) {
        // A copse of trees, on the far shore of a lake.
        const int ground = kind == Backdrop::Lake ? 17 : 26;
        for (int i = 0; i < 9; ++i) {
            const uint32_t h = Hash(uint32_t(i), 17u, uint32_t(kind));
            const int x = 10 + int(h % 220), y = ground + int((h >> 8) % 5);
            c.Fill(x, y, x, y + 4, Shade(kBrown, 4));
            c.Ellipse(x, y - 2, 3, 4, Shade(kGrass, 3));
            c.Ellipse(x - 1, y - 3, 1, 2, Shade(kGrass, 6));
        }
    } else {
        // The castle on the right, its banner in the defender's colour.
        const uint8_t stone = Shade(kSteel, 9), dark = Shade(kSteel, 5), light = Shade(kSteel, 12);
        c.Fill(150, 18, 239, 39, stone);
        for (int x = 150; x < 240; x += 6)
            c.Fill(x, 15, x + 2, 17, stone);
        for (int t = 0; t < 3; ++t) {
            const int x0 = 160 + t * 30;
            c.Fill(x0, 6, x0 + 12, 39, t == 1 ? light : stone);
            for (int x = x0; x <= x0 + 12; x += 4)
                c.Fill(x, 3, x + 1, 5, t == 1 ? light : stone);
            c.Fill(x0 + 5, 12, x0 + 7, 17, dark);
            c.Line(x0 + 6, 3, x0 + 6, -4, Shade(kBrown, 3));
            c.Fill(x0 + 7, 0, x0 + 12, 3, uint8_t(238 + 12));
        }
        c.Fill(188, 28, 198, 39, Shade(kBrown, 3));
        for (int y = 20; y < 40; y += 4)
            c.Line(150, y, 239, y, dark);
    }
    return c;
}

Canvas Moat()
{
    static const int kMoatCells[] = {17, 28, 38, 49, 60, 71, 82, 94, 105};
    int ax, ay;
    CellCentre(60, ax, ay);
    int minX = 10000, maxX = -10000, minY = 10000, maxY = -10000;
    for (int cell : kMoatCells) {
        int x, y;
        CellCentre(cell, x, y);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    const int ox = minX - 16, oy = minY - 18;
    Canvas c(maxX - minX + 33, maxY - minY + 37);
    int px = 0, py = 0;
    bool first = true;
    for (int cell : kMoatCells) {
        int x, y;
        CellCentre(cell, x, y);
        x -= ox;
        y -= oy;
        c.Ellipse(x, y, 10, 15, Shade(kWater, 5));
        if (!first)
            for (int d = -8; d <= 8; ++d)
                c.Line(px + d, py, x + d, y, Shade(kWater, 5));
        px = x;
        py = y;
        first = false;
    }
    // Ripples and banks.
    for (int y = 0; y < c.H(); ++y)
        for (int x = 0; x < c.W(); ++x)
            if (c.Get(x, y) && Hash(uint32_t(x / 3), uint32_t(y)) % 9 == 0)
                c.Set(x, y, Shade(kWater, 8));
    c.Outline(Shade(kBrown, 6));
    c.Outline(Shade(kBrown, 3));
    (void)ax;
    (void)ay;
    return c;
}

// The moat's anchor is the centre of its middle cell.
void MoatHotSpot(int& hx, int& hy)
{
    static const int kMoatCells[] = {17, 28, 38, 49, 60, 71, 82, 94, 105};
    int minX = 10000, minY = 10000;
    for (int cell : kMoatCells) {
        int x, y;
        CellCentre(cell, x, y);
        minX = std::min(minX, x);
        minY = std::min(minY, y);
    }
    int ax, ay;
    CellCentre(60, ax, ay);
    hx = ax - (minX - 16);
    hy = ay - (minY - 18);
}

Canvas Disc(int size, uint8_t fill, uint8_t rim)
{
    Canvas c(size, size);
    c.Ellipse(size / 2, size / 2, size / 2 - 1, size / 2 - 1, rim);
    c.Ellipse(size / 2, size / 2, size / 2 - 2, size / 2 - 2, fill);
    return c;
}

// An arrow from the middle of a 16 x 16 disc toward (dx, dy).
Canvas DirectionIcon(int dx, int dy)
{
    Canvas c = Disc(16, Shade(kRed, 8), Shade(kRed, 3));
    const int x1 = 8 + dx * 5, y1 = 8 + dy * 5;
    const int x0 = 8 - dx * 4, y0 = 8 - dy * 4;
    const uint8_t white = Shade(kGrey, 15);
    c.ThickLine(x0, y0, x1, y1, white);
    // Arrow head.
    const int hx = x1 - dx * 3, hy = y1 - dy * 3;
    c.Line(x1, y1, hx - dy * 2, hy + dx * 2, white);
    c.Line(x1, y1, hx + dy * 2, hy - dx * 2, white);
    return c;
}

Canvas Swords(uint8_t disc)
{
    Canvas c = Disc(16, disc, Shade(kGrey, 2));
    const uint8_t steel = Shade(kGrey, 15), hilt = Shade(kGold, 8);
    c.ThickLine(3, 3, 12, 12, steel);
    c.ThickLine(12, 3, 3, 12, steel);
    c.Line(2, 7, 6, 3, hilt);
    c.Line(9, 3, 13, 7, hilt);
    return c;
}

Canvas Target(bool half)
{
    Canvas c(16, 16);
    c.Ellipse(8, 8, 7, 7, Shade(kRed, 9));
    c.Ellipse(8, 8, 5, 5, Shade(kGrey, 15));
    c.Ellipse(8, 8, 3, 3, Shade(kRed, 9));
    c.Ellipse(8, 8, 1, 1, Shade(kGrey, 15));
    if (half)
        for (int y = 0; y < 16; ++y)
            for (int x = 8; x < 16; ++x)
                if (c.Get(x, y))
                    c.Set(x, y, Shade(kGrey, 6 + (c.Get(x, y) == Shade(kGrey, 15) ? 4 : 0)));
    return c;
}

Canvas TwoArrows(bool apart)
{
    Canvas c = Disc(16, Shade(kPurple, 8), Shade(kPurple, 3));
    const uint8_t white = Shade(kGrey, 15);
    if (apart) {
        c.Line(7, 7, 3, 3, white);
        c.Line(3, 3, 6, 3, white);
        c.Line(3, 3, 3, 6, white);
        c.Line(8, 8, 12, 12, white);
        c.Line(12, 12, 9, 12, white);
        c.Line(12, 12, 12, 9, white);
    } else {
        c.Line(3, 3, 7, 7, white);
        c.Line(7, 7, 4, 7, white);
        c.Line(7, 7, 7, 4, white);
        c.Line(12, 12, 8, 8, white);
        c.Line(8, 8, 11, 8, white);
        c.Line(8, 8, 8, 11, white);
    }
    return c;
}

Canvas Flag()
{
    Canvas c(16, 16);
    c.Ellipse(8, 13, 5, 2, Shade(kGrass, 3));
    c.Fill(5, 2, 5, 13, Shade(kBrown, 5));
    c.Fill(6, 2, 12, 6, Shade(kGreen, 11));
    c.Fill(6, 3, 11, 5, Shade(kGreen, 13));
    return c;
}

Canvas Boulder()
{
    Canvas c = Disc(16, Shade(kOrange, 9), Shade(kOrange, 4));
    c.Ellipse(8, 8, 4, 4, Shade(kGrey, 7));
    c.Ellipse(7, 7, 2, 2, Shade(kGrey, 11));
    return c;
}

Canvas Shield()
{
    Canvas c(10, 12);
    c.Fill(0, 0, 9, 6, Shade(kGold, 7));
    c.Ellipse(5, 6, 4, 5, Shade(kGold, 7));
    c.Fill(1, 1, 8, 6, Shade(kSteel, 10));
    c.Ellipse(5, 6, 3, 4, Shade(kSteel, 10));
    c.Fill(4, 1, 5, 9, Shade(kGold, 10));
    return c;
}

Canvas Hourglass()
{
    Canvas c(8, 12);
    c.Fill(0, 0, 7, 1, Shade(kBrown, 6));
    c.Fill(0, 10, 7, 11, Shade(kBrown, 6));
    for (int y = 2; y < 10; ++y) {
        const int w = std::abs(y - 6) * 3 / 4 + 1;
        c.Fill(4 - w, y, 3 + w, y, Shade(kGrey, 14));
        if (y >= 7)
            c.Fill(4 - w + 1, y, 3 + w - 1, y, Shade(kSand, 12));
    }
    return c;
}

Canvas InfoIcon()
{
    Canvas c = Disc(12, Shade(kBlue, 9), Shade(kBlue, 3));
    c.Fill(5, 2, 6, 3, Shade(kGrey, 15));
    c.Fill(5, 5, 6, 9, Shade(kGrey, 15));
    return c;
}

// A digit of the numbers font on a plate 4 x 7 at the small size, drawn at
// the writer's size: doubled as a picture its corners would round, and a 0
// would read as a D.
Canvas DigitPlate(int digit, uint8_t back, const FontSource& font, int scale)
{
    const std::string text(1, static_cast<char>('0' + digit));
    Canvas c(4 * scale, 7 * scale, back);
    // A narrow digit (the 1) stands in the middle of the plate.
    const int x = (4 * scale - Canvas::TextWidth(font, text) + scale) / 2 / scale * scale;
    c.Text(font, x, scale, text, Shade(kGrey, 15));
    return c;
}

Canvas PlateBorder(bool left, uint8_t back, uint8_t rim)
{
    Canvas c(2, 7, back);
    const int outer = left ? 0 : 1;
    c.Set(outer, 0, 0);
    c.Set(outer, 6, 0);
    c.Fill(outer, 1, outer, 5, rim);
    return c;
}

// Button faces of the battle window, 20 x 20.
Canvas ButtonFace(const std::string& name)
{
    Canvas c(20, 20);
    const uint8_t white = Shade(kGrey, 15), steel = Shade(kSteel, 12), wood = Shade(kBrown, 8);
    if (name == "BtlAtk") {
        c.ThickLine(3, 16, 15, 4, steel);
        c.Line(2, 12, 7, 17, Shade(kGold, 8));
        c.Line(15, 4, 17, 2, white);
    } else if (name == "BtlAtkRng") {
        for (int a = -7; a <= 7; ++a)
            c.Set(6 + (49 - a * a) / 8, 10 + a, wood);
        c.Line(6, 3, 6, 17, white);
        c.ThickLine(2, 10, 17, 10, steel);
        c.Line(17, 10, 14, 7, steel);
        c.Line(17, 10, 14, 13, steel);
    } else if (name == "BtlMove") {
        c.Ellipse(6, 13, 3, 5, Shade(kSand, 11));
        c.Ellipse(13, 7, 3, 5, Shade(kSand, 11));
        c.Outline(Shade(kBrown, 4));
    } else if (name == "BtlSplit") {
        c = TwoArrows(true);
    } else if (name == "BtlJoin") {
        c = TwoArrows(false);
    } else if (name == "BtlStart") {
        for (int y = 3; y <= 16; ++y) {
            const int w = (y <= 9 ? y - 3 : 16 - y);
            c.Fill(6, y, 6 + w, y, Shade(kGreen, 11));
        }
        c.Outline(Shade(kGreen, 3));
    } else if (name == "BtlAuto") {
        c.Ring(10, 10, 7, 7, white);
        c.Ring(10, 10, 6, 6, white);
        c.Fill(9, 4, 10, 10, white);
        c.Fill(10, 9, 14, 10, white);
    } else if (name == "BtlBridge") {
        c.Fill(2, 12, 17, 15, wood);
        for (int x = 3; x < 17; x += 3)
            c.Fill(x, 12, x, 15, Shade(kBrown, 4));
        c.Line(3, 11, 10, 3, Shade(kGrey, 9));
        c.Line(16, 11, 10, 3, Shade(kGrey, 9));
    } else if (name == "BtlGuard") {
        Canvas s = Shield();
        c.Blit(s, 5, 4);
    } else if (name == "BtlMenu") {
        for (int i = 0; i < 3; ++i)
            c.Fill(3, 4 + i * 5, 16, 5 + i * 5, white);
    } else if (name == "BtlInfo") {
        Canvas i = InfoIcon();
        c.Blit(i, 4, 4);
    } else if (name == "BtlHP") {
        c.Ellipse(6, 7, 3, 3, Shade(kRed, 10));
        c.Ellipse(12, 7, 3, 3, Shade(kRed, 10));
        for (int y = 8; y <= 15; ++y)
            c.Fill(3 + (y - 8), y, 15 - (y - 8), y, Shade(kRed, 10));
    }
    return c;
}

std::vector<Rgb> Tinted(std::vector<Rgb> palette, int first, int count, int dr, int dg, int db)
{
    for (int i = first; i < first + count; ++i) {
        Rgb& c = palette[size_t(i)];
        c.r = uint8_t(std::clamp(int(c.r) + dr, 0, 255));
        c.g = uint8_t(std::clamp(int(c.g) + dg, 0, 255));
        c.b = uint8_t(std::clamp(int(c.b) + db, 0, 255));
    }
    return palette;
}

// 14 player colours of 18 shades each: dark to light, the middle the
// banner colour itself.
std::vector<Rgb> UnitsPalette()
{
    static const Rgb kColours[14] = {
        {200, 30, 30},  {40, 80, 220},  {40, 170, 50},   {230, 200, 40}, {150, 60, 190},
        {240, 130, 20}, {30, 190, 200}, {170, 170, 170}, {130, 80, 40},  {240, 110, 170},
        {140, 220, 40}, {20, 120, 110}, {240, 240, 230}, {60, 60, 70},
    };
    std::vector<Rgb> p(256);
    for (int g = 0; g < 14; ++g)
        for (int k = 0; k < 18; ++k) {
            const Rgb base = kColours[g];
            // Shades 0-8 rise from near black to the colour, 9-17 on to near white.
            auto mix = [&](uint8_t v) {
                if (k <= 8)
                    return uint8_t(v * (k + 2) / 10);
                return uint8_t(v + (255 - v) * (k - 8) / 12);
            };
            p[size_t(g * 18 + k)] = Rgb{mix(base.r), mix(base.g), mix(base.b)};
        }
    return p;
}

// The open field's seasons: how the grass ramp (the ground, the near hills
// and the trees) is coloured.
enum class Season {
    Spring,
    Dry,
    Autumn,
    Winter,
    Marsh
};

std::vector<Rgb> SeasonPalette(const std::vector<Rgb>& base, Season season)
{
    Rgb dark, light;
    switch (season) {
    case Season::Spring:
        return base;
    case Season::Dry:
        return Tinted(base, kGrass, 16, 12, -6, -10);
    case Season::Autumn:
        dark = {28, 14, 4};
        light = {188, 128, 60};
        break;
    case Season::Winter:
        dark = {52, 64, 80};
        light = {236, 242, 248};
        break;
    case Season::Marsh:
        dark = {4, 20, 14};
        light = {84, 132, 100};
        break;
    }
    std::vector<Rgb> palette = base;
    for (int k = 0; k < 16; ++k) {
        auto mix = [k](uint8_t a, uint8_t b) { return uint8_t(a + (int(b) - int(a)) * k / 15); };
        palette[size_t(kGrass + k)] = Rgb{mix(dark.r, light.r), mix(dark.g, light.g), mix(dark.b, light.b)};
    }
    return palette;
}

// The open-field terrains: terrain n serves the obstacle layouts 5 (n - 1)
// to 5 n - 1, so these cover every layout the trainer offers (0-100) and
// every province of our largest mission. Layouts beyond them take the first.
struct Terrain {
    Backdrop backdrop;
    Season season;
};
const Terrain kTerrains[] = {
    {Backdrop::Hills, Season::Spring},     {Backdrop::Mountains, Season::Dry},
    {Backdrop::Forest, Season::Spring},    {Backdrop::Lake, Season::Spring},
    {Backdrop::Moor, Season::Marsh},       {Backdrop::Hills, Season::Autumn},
    {Backdrop::Mountains, Season::Winter}, {Backdrop::Forest, Season::Autumn},
    {Backdrop::Lake, Season::Dry},         {Backdrop::Moor, Season::Spring},
    {Backdrop::Hills, Season::Winter},     {Backdrop::Mountains, Season::Spring},
    {Backdrop::Forest, Season::Winter},    {Backdrop::Lake, Season::Autumn},
    {Backdrop::Moor, Season::Dry},         {Backdrop::Hills, Season::Dry},
    {Backdrop::Mountains, Season::Autumn}, {Backdrop::Forest, Season::Marsh},
    {Backdrop::Lake, Season::Winter},      {Backdrop::Moor, Season::Autumn},
    {Backdrop::Hills, Season::Marsh},
};

}  // namespace

void DrawFieldArt(ArtWriter& out, const std::vector<Rgb>& base, const FontSource& digits)
{
    const std::string img = "Images/Battle/";
    out.Image(img + "grass", GrassTile(0), false, 0, 0);
    out.Image(img + "masonry", MasonryTile(), false, 0, 0);
    // Names are looked up without case: "TopImg" (the siege's) is also the
    // "topimg" the view measures its geometry from.
    for (size_t n = 0; n < std::size(kTerrains); ++n)
        out.Image(img + "TopImg" + std::to_string(n + 1), TopStrip(kTerrains[n].backdrop), false, 0, 0);
    out.Image(img + "TopImg", TopStrip(Backdrop::Castle), false, 0, 0);
    int mx, my;
    MoatHotSpot(mx, my);
    out.Image(img + "moat", Moat(), true, mx, my);

    Canvas cell(kCellW, kCellH);
    cell.Hex(kCellW, kCellH, Shade(kGrass, 3), 0, 1);
    out.Image(img + "cell", cell, true, kCellW / 2, kCellH / 2);
    Canvas selected(kCellW, kCellH);
    selected.Hex(kCellW, kCellH, Shade(kYellow, 13), 0, 2);
    for (int y = 3; y < kCellH - 3; ++y)
        for (int x = 2; x < kCellW - 2; ++x)
            if ((x + y) % 4 == 0 && selected.Get(x, y) == 0) {
                Canvas probe(kCellW, kCellH);
                probe.Hex(kCellW, kCellH, 1, 1, 1);
                if (probe.Get(x, y))
                    selected.Set(x, y, Shade(kYellow, 10));
            }
    out.Image(img + "cell_sel", selected, true, kCellW / 2, kCellH / 2);

    // The frame of a command cell: a thick ring, so a tap on it is a hit.
    Canvas frame(kCellW, kCellH);
    frame.Hex(kCellW, kCellH, Shade(kGold, 9), 0, 3);
    for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < kCellW; ++x)
            if (frame.Get(x, y) && (x + y) % 3 == 0)
                frame.Set(x, y, Shade(kGold, 5));
    out.Image(img + "CmdCell", frame, true, kCellW / 2, kCellH / 2);
    out.Image(img + "CmdMove", Flag(), true, 8, 8);
    out.Image(img + "CmdSplit", TwoArrows(true), true, 8, 8);
    out.Image(img + "StateAtk", Swords(Shade(kRed, 7)), true, 8, 8);
    out.Image(img + "CmdAtkCatap", Boulder(), true, 8, 8);
    out.Image(img + "CmdAtkTreb", Target(false), true, 8, 8);
    out.Image(img + "CmdAtkRtDn", DirectionIcon(1, 1), true, 8, 8);
    out.Image(img + "CmdAtkLfDn", DirectionIcon(-1, 1), true, 8, 8);
    out.Image(img + "CmdAtkRt", DirectionIcon(1, 0), true, 8, 8);
    out.Image(img + "CmdAtkLf", DirectionIcon(-1, 0), true, 8, 8);
    out.Image(img + "CmdAtkRtUp", DirectionIcon(1, -1), true, 8, 8);
    out.Image(img + "CmdAtkLfUp", DirectionIcon(-1, -1), true, 8, 8);
    out.Image(img + "CmdRngAtk", Target(false), true, 8, 8);
    out.Image(img + "CmdRngAtkHf", Target(true), true, 8, 8);
    out.Image(img + "CmdJoin", TwoArrows(false), true, 8, 8);
    // The overlays sit at a squad's feet: the shield to the left, the
    // hourglass to the right.
    out.Image(img + "StateGuard", Shield(), true, 13, 2);
    out.Image(img + "StateEndTurn", Hourglass(), true, -5, 2);
    out.Image(img + "StateInfo", InfoIcon(), true, 6, 6);

    std::vector<Canvas> pointer;
    for (int bob : {0, 1, 2, 1}) {
        Canvas p(11, 13);
        for (int y = 0; y < 6; ++y)
            p.Fill(5 - (5 - y), y + bob + 3, 5 + (5 - y), y + bob + 3, Shade(kYellow, 13));
        p.Fill(4, bob, 6, bob + 3, Shade(kYellow, 13));
        p.Outline(Shade(kBrown, 2));
        pointer.push_back(p);
    }
    out.Anim(img + "pointer", pointer, 5, 14, 60, 0);

    // Title bar pieces: a dark banner with gold hems.
    Canvas left(6, 14), centre(8, 14), right(6, 14);
    for (Canvas* piece : {&left, &centre, &right}) {
        piece->Fill(0, 1, piece->W() - 1, 12, Shade(kBrown, 3));
        piece->Fill(0, 1, piece->W() - 1, 1, Shade(kGold, 8));
        piece->Fill(0, 12, piece->W() - 1, 12, Shade(kGold, 8));
    }
    for (int y = 1; y <= 12; ++y) {
        const int cut = std::abs(y - 6) / 3;
        left.Fill(0, y, cut, y, 0);
        right.Fill(5 - cut, y, 5, y, 0);
        left.Set(cut + 1, y, Shade(kGold, 8));
        right.Set(4 - cut, y, Shade(kGold, 8));
    }
    out.Image(img + "title_l", left, true, 0, 0);
    out.Image(img + "title_c", centre, true, 0, 0);
    out.Image(img + "title_r", right, true, 0, 0);

    // Strength plates in the sides' own shades.
    const FontSource plateFont = out.Scale() == 2 ? DoubledFont(digits) : digits;
    for (int set = 0; set < 2; ++set) {
        const char side = set == 0 ? 'L' : 'R';
        const uint8_t back = uint8_t(220 + set * 18 + 4);
        const uint8_t rim = uint8_t(220 + set * 18 + 1);
        out.Image(img + side + "NumBorderL", PlateBorder(true, back, rim), true, 0, 0);
        out.Image(img + side + "NumBorderR", PlateBorder(false, back, rim), true, 0, 0);
        for (int d = 0; d < 10; ++d)
            out.ImageAtSize(img + side + "Num" + char('0' + d), DigitPlate(d, back, plateFont, out.Scale()));
    }

    for (const char* name : {"BtlAtk", "BtlAtkRng", "BtlMove", "BtlSplit", "BtlJoin", "BtlStart", "BtlAuto",
                             "BtlBridge", "BtlGuard", "BtlMenu", "BtlInfo", "BtlHP"})
        out.Image(std::string("Images/Btn/") + name, ButtonFace(name), true, 0, 0);

    out.Palette("Palettes/BattleUnits", UnitsPalette());
    for (size_t n = 0; n < std::size(kTerrains); ++n)
        out.Palette("Palettes/BattleTopImg" + std::to_string(n + 1),
                    SeasonPalette(base, kTerrains[n].season));
    out.Palette("Palettes/BattleSiege", Tinted(base, kGrass, 16, 8, 0, -6));

    out.Wav("Sounds/battle_begin", Synth({{392, 392, 140, 70, false, true},
                                          {523, 523, 140, 70, false, true},
                                          {659, 659, 140, 70, false, true},
                                          {784, 784, 360, 75, false, true}}));
    out.Wav("Sounds/battle_new_turn",
            Synth({{330, 330, 160, 60, false, true}, {494, 494, 260, 60, false, true}}));
}

}  // namespace battleart

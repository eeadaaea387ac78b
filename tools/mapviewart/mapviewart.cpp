// mapviewart: draws the strategic map's pictures.
//
//   mapviewart <data folder> <report icon staging folder> <staging folder>
//
// Writes, under the staging folder:
//   Palettes/Map.pal          the base palette with the owners' colours at 128-183
//   Images/Map/*.img          textures, castles, flags, markers
//   Skin/mapframe/*.img       the map frame's border and background
//   Images/Icons/<kind>.img   resource icons without the plural "s"
//   Objects/Units/<id>/icon_r.img  the right-facing squad icon
// The report icons (data/game.cmake) are shields with letters, which must
// not be mirrored: the right-facing icon is the same picture.
//
// Every picture is drawn in code and is the same on every run.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/encode/art_sources.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/palette_encoder.h"

namespace {
namespace fs = std::filesystem;

// Base palette ramps (see data/palettes/base.txt).
constexpr uint8_t Grey(int t)
{
    return uint8_t(1 + std::clamp(t, 0, 14));
}  // 1 black .. 15 white
constexpr uint8_t Red(int t)
{
    return uint8_t(16 + std::clamp(t, 0, 15));
}
constexpr uint8_t Green(int t)
{
    return uint8_t(32 + std::clamp(t, 0, 15));
}
constexpr uint8_t Blue(int t)
{
    return uint8_t(48 + std::clamp(t, 0, 15));
}
constexpr uint8_t Brown(int t)
{
    return uint8_t(80 + std::clamp(t, 0, 15));
}
constexpr uint8_t Cyan(int t)
{
    return uint8_t(112 + std::clamp(t, 0, 15));
}
constexpr uint8_t Stone(int t)
{
    return uint8_t(192 + std::clamp(t, 0, 15));
}
constexpr uint8_t Gold(int t)
{
    return uint8_t(208 + std::clamp(t, 0, 11));
}
// Owner ramps of the map palette: 8 shades, dark to light.
constexpr uint8_t Owner(int o, int t)
{
    return uint8_t(128 + 8 * o + std::clamp(t, 0, 7));
}

// The owners' colours: dark and light ends of each ramp. 0-5 follow the
// players' flag numbers, 6 is land without a lord.
const Rgb kOwnerDark[7] = {{70, 10, 10}, {14, 26, 80}, {12, 52, 14}, {74, 58, 0},
                           {52, 16, 70}, {84, 38, 0},  {62, 56, 34}};
const Rgb kOwnerLight[7] = {{255, 170, 150}, {170, 200, 255}, {176, 236, 150}, {255, 242, 150},
                            {228, 178, 255}, {255, 196, 130}, {236, 226, 184}};

struct Canvas {
    IndexedPicture p;
    Canvas(int w, int h)
    {
        p.width = uint16_t(w);
        p.height = uint16_t(h);
        p.pixels.assign(size_t(w) * h, 0);
    }
    void Put(int x, int y, uint8_t c)
    {
        if (x >= 0 && y >= 0 && x < p.width && y < p.height)
            p.pixels[size_t(y) * p.width + x] = c;
    }
    uint8_t Get(int x, int y) const
    {
        return (x >= 0 && y >= 0 && x < p.width && y < p.height) ? p.pixels[size_t(y) * p.width + x] : 0;
    }
    void Rect(int x, int y, int w, int h, uint8_t c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                Put(i, j, c);
    }
    void Line(int x0, int y0, int x1, int y1, uint8_t c)
    {
        const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= n; ++i)
            Put(x0 + (n ? (x1 - x0) * i / n : 0), y0 + (n ? (y1 - y0) * i / n : 0), c);
    }
    void Disc(int cx, int cy, int r, uint8_t c)
    {
        for (int j = -r; j <= r; ++j)
            for (int i = -r; i <= r; ++i)
                if (i * i + j * j <= r * r + r / 2)
                    Put(cx + i, cy + j, c);
    }
    // A dark rim around every drawn pixel, so that sprites read on any ground.
    void Outline(uint8_t c)
    {
        Canvas copy = *this;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                if (copy.Get(x, y) != 0)
                    continue;
                bool near = false;
                for (auto [i, j] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    near = near || copy.Get(x + i, y + j) != 0;
                if (near)
                    Put(x, y, c);
            }
    }
    // Draws rows of characters: '.' leaves, other characters map through the key.
    void Pattern(int x0, int y0, std::initializer_list<const char*> rows, const std::string& keys,
                 std::initializer_list<uint8_t> colours)
    {
        std::vector<uint8_t> cs(colours);
        int y = y0;
        for (const char* row : rows) {
            for (int x = 0; row[x] != 0; ++x) {
                const size_t k = keys.find(row[x]);
                if (k != std::string::npos && k < cs.size())
                    Put(x0 + x, y, cs[k]);
            }
            ++y;
        }
    }
};

uint32_t Hash(uint32_t a, uint32_t b)
{
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

bool WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

bool WriteImage(const fs::path& path, const Canvas& c, bool transparent, int hotX, int hotY)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    options.hotX = int16_t(hotX);
    options.hotY = int16_t(hotY);
    const EncodeResult r = EncodeImage(c.p, options);
    if (!r.ok()) {
        std::cerr << "mapviewart: " << path.string() << ": " << r.error << "\n";
        return false;
    }
    return WriteBytes(path, r.bytes);
}

// ---- Textures ----

Canvas SeaTexture()
{
    Canvas c(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            // Slow swell across the tile, seamless because it is periodic in 64.
            const double s =
                std::sin((x + 2 * y) * 2 * M_PI / 64.0) + 0.5 * std::sin((3 * x - y) * 2 * M_PI / 64.0);
            c.Put(x, y, Blue(7 + int(std::lround(s))));
        }
    // Wave crests: short light strokes.
    for (int k = 0; k < 14; ++k) {
        const uint32_t h = Hash(uint32_t(k), 91);
        const int x = int(h % 64), y = int((h >> 8) % 64);
        c.Put(x, y, Blue(11));
        c.Put((x + 1) & 63, (y + 63) & 63, Blue(12));
        c.Put((x + 2) & 63, (y + 63) & 63, Blue(11));
        c.Put((x + 3) & 63, y, Blue(10));
    }
    return c;
}

Canvas GrassTexture()
{
    Canvas c(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            c.Put(x, y, Green(6 + int(Hash(uint32_t(x), uint32_t(y)) % 3)));
    for (int k = 0; k < 40; ++k) {
        const uint32_t h = Hash(uint32_t(k), 7);
        const int x = int(h % 64), y = int((h >> 8) % 64);
        c.Put(x, y, Green(10));
        c.Put(x, (y + 1) & 63, Green(4));
    }
    return c;
}

// ---- Castles and flags ----

Canvas CastleSprite(bool capital, bool mini)
{
    const int w = mini ? 11 : (capital ? 21 : 17);
    const int h = mini ? 10 : (capital ? 19 : 15);
    Canvas c(w, h);
    const int wallTop = h - (mini ? 5 : 8);
    const int tower = mini ? 3 : 4;
    // Walls with crenels, two towers, a gate.
    c.Rect(1, wallTop, w - 2, h - wallTop - 1, Stone(9));
    for (int x = 1; x < w - 1; x += 2)
        c.Put(x, wallTop - 1, Stone(9));
    c.Rect(1, wallTop - (mini ? 2 : 4), tower, h - wallTop + (mini ? 1 : 3), Stone(11));
    c.Rect(w - 1 - tower, wallTop - (mini ? 2 : 4), tower, h - wallTop + (mini ? 1 : 3), Stone(7));
    if (capital) {
        const int kx = w / 2 - (mini ? 1 : 2), kw = mini ? 3 : 5;
        c.Rect(kx, mini ? 1 : 3, kw, h - (mini ? 2 : 4), Stone(12));
        c.Rect(kx, mini ? 1 : 3, kw, 1, Stone(14));
        // A golden pennant on the keep.
        c.Line(w / 2, 0, w / 2, mini ? 1 : 3, Grey(3));
        c.Rect(w / 2 + 1, 0, mini ? 2 : 4, mini ? 1 : 2, Gold(9));
    }
    c.Rect(w / 2 - 1, h - (mini ? 3 : 5), 3, mini ? 2 : 4, Brown(3));
    for (int x = 2; x < w - 2; x += 4)
        c.Put(x, wallTop + 2, Stone(4));
    c.Outline(Grey(1));
    return c;
}

Canvas FlagSprite(int owner)
{
    Canvas c(12, 16);
    c.Line(2, 1, 2, 15, Brown(2));
    c.Put(2, 0, Gold(10));
    // A bright banner with a gold hem, so that it shows on its own land.
    c.Pattern(3, 1, {"gggggg.", "aaaaaag", "aaaaaag", "aaaaaa.", "baaaab.", "gbbbg.."}, "abg",
              {Owner(owner, 7), Owner(owner, 2), Gold(10)});
    c.Rect(1, 15, 3, 1, Brown(4));
    c.Outline(Grey(1));
    return c;
}

// ---- Markers: round badges with a symbol ----

Canvas Badge(uint8_t rim, uint8_t face)
{
    Canvas c(15, 15);
    c.Disc(7, 7, 7, rim);
    c.Disc(7, 7, 5, face);
    return c;
}

Canvas MarkerSprite(const std::string& kind)
{
    if (kind == "DoMove") {
        Canvas c = Badge(Green(3), Green(9));
        c.Pattern(3, 4, {"..#....", "...#...", "####.#.", "...#...", "..#....", "......."}, "#", {Grey(14)});
        c.Pattern(4, 4,
                  {
                      "....#..",
                      ".....#.",
                      "......#",
                      ".....#.",
                      "....#..",
                  },
                  "#", {Grey(14)});
        return c;
    }
    if (kind == "DoAttack") {
        Canvas c = Badge(Red(3), Red(10));
        c.Line(3, 3, 11, 11, Grey(15));
        c.Line(11, 3, 3, 11, Grey(15));
        c.Line(3, 9, 5, 11, Brown(4));
        c.Line(11, 9, 9, 11, Brown(4));
        return c;
    }
    if (kind == "DoTransfer") {
        Canvas c = Badge(Blue(3), Blue(10));
        c.Line(3, 5, 11, 5, Grey(15));
        c.Line(9, 3, 11, 5, Grey(15));
        c.Line(3, 9, 11, 9, Grey(15));
        c.Line(3, 9, 5, 11, Grey(15));
        return c;
    }
    if (kind == "DoRecruit") {
        Canvas c = Badge(Gold(2), Gold(8));
        c.Rect(6, 3, 3, 9, Grey(15));
        c.Rect(3, 6, 9, 3, Grey(15));
        return c;
    }
    if (kind == "DoScout") {
        Canvas c = Badge(Cyan(3), Cyan(9));
        c.Pattern(2, 4, {"..#####..", ".#.....#.", "#..###..#", ".#.....#.", "..#####.."}, "#", {Grey(1)});
        c.Rect(6, 6, 3, 3, Grey(1));
        return c;
    }
    if (kind == "DoDecease") {
        Canvas c = Badge(Grey(2), Grey(6));
        c.Line(10, 2, 5, 9, Grey(15));
        c.Line(11, 3, 6, 10, Grey(12));
        c.Line(3, 8, 7, 12, Gold(8));
        c.Line(4, 12, 3, 13, Brown(5));
        return c;
    }
    // DoRobbery: a purse of coins.
    Canvas c = Badge(Brown(2), Brown(8));
    c.Disc(7, 9, 3, Brown(4));
    c.Rect(6, 4, 3, 2, Brown(4));
    c.Put(6, 9, Gold(10));
    c.Put(8, 8, Gold(10));
    return c;
}

// The recruit count badge: a dark plate the number is written on.
Canvas RecruitCount(bool revolt)
{
    Canvas c(21, 13);
    c.Rect(1, 0, 19, 13, revolt ? Red(4) : Grey(3));
    c.Rect(0, 1, 21, 11, revolt ? Red(4) : Grey(3));
    c.Rect(2, 2, 17, 9, revolt ? Red(2) : Grey(1));
    c.Outline(revolt ? Red(12) : Stone(13));
    return c;
}

Canvas RevoltWarning()
{
    Canvas c(13, 12);
    for (int y = 0; y < 11; ++y) {
        const int half = y / 2 + 1;
        for (int x = 6 - half; x <= 6 + half; ++x)
            c.Put(x, y, Red(10));
    }
    c.Rect(6, 3, 1, 4, Grey(15));
    c.Put(6, 8, Grey(15));
    c.Outline(Grey(1));
    return c;
}

// ---- The map frame's skin: carved wood with a gold inlay ----

bool WriteFrameSkin(const fs::path& folder)
{
    bool ok = true;
    Canvas bg(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            bg.Put(x, y, Brown(4 + int((Hash(uint32_t(x / 2), uint32_t(y)) % 3)) - (y % 8 == 0)));
    ok = WriteImage(folder / "frame_bg.img", bg, false, 0, 0) && ok;
    auto edge = [](int w, int h, bool horizontal) {
        Canvas c(w, h);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                const int d = horizontal ? j : i;
                c.Put(i, j, d == 0 ? Brown(1) : d == 1 ? Gold(6) : d == 2 ? Brown(7) : Brown(2));
            }
        return c;
    };
    Canvas top = edge(4, 4, true), left = edge(4, 4, false);
    Canvas bottom(4, 4), right(4, 4);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
            bottom.Put(i, j, top.Get(i, 3 - j));
            right.Put(i, j, left.Get(3 - i, j));
        }
    Canvas corner(4, 4);
    corner.Rect(0, 0, 4, 4, Brown(2));
    corner.Rect(1, 1, 2, 2, Gold(8));
    ok = WriteImage(folder / "frame_u.img", top, false, 0, 0) && ok;
    ok = WriteImage(folder / "frame_d.img", bottom, false, 0, 0) && ok;
    ok = WriteImage(folder / "frame_l.img", left, false, 0, 0) && ok;
    ok = WriteImage(folder / "frame_r.img", right, false, 0, 0) && ok;
    for (const char* name : {"frame_ul", "frame_ur", "frame_dl", "frame_dr"})
        ok = WriteImage(folder / (std::string(name) + ".img"), corner, false, 0, 0) && ok;
    return ok;
}

// ---- The map's scroll bars: "MapScroll", 10 pixels thick ----
//
// The thumbs are column (vertical) and row (horizontal) button skins, which
// fix the bar's thickness; the end buttons carry an arrow split over their
// two caps.

constexpr int kBar = 10;

Canvas Block(int w, int h, uint8_t fill, uint8_t light, uint8_t dark)
{
    Canvas c(w, h);
    c.Rect(0, 0, w, h, fill);
    c.Rect(0, 0, w, 1, light);
    c.Rect(0, 0, 1, h, light);
    c.Rect(0, h - 1, w, 1, dark);
    c.Rect(w - 1, 0, 1, h, dark);
    return c;
}

// An arrow pointing along (dx, dy) in a square of the bar's size.
Canvas Arrow(int dx, int dy, bool pushed)
{
    Canvas c = Block(kBar, kBar, pushed ? Brown(6) : Brown(8), pushed ? Brown(4) : Brown(11), Brown(2));
    for (int k = 0; k < 3; ++k)
        for (int j = -k; j <= k; ++j) {
            const int along = 3 + k * (dx + dy < 0 ? 1 : -1) + (dx + dy < 0 ? 0 : 4);
            const int x = dx != 0 ? along : 5 + j, y = dx != 0 ? 5 + j : along;
            c.Put(x - (dx != 0 ? 0 : 1), y - (dx != 0 ? 1 : 0), Gold(10));
        }
    return c;
}

Canvas Part(const Canvas& whole, int x, int y, int w, int h)
{
    Canvas c(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            c.Put(i, j, whole.Get(x + i, y + j));
    return c;
}

bool WriteScrollSkin(const fs::path& folder)
{
    bool ok = true;
    Canvas trackV(kBar, 8), trackH(8, kBar);
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < kBar; ++i) {
            const uint8_t c = (i == 0 || i == kBar - 1) ? Brown(1) : Brown(3 + (j % 4 == 0));
            trackV.Put(i, j, c);
            trackH.Put(j, i, c);
        }
    ok = WriteImage(folder / "client_v.img", trackV, false, 0, 0) && ok;
    ok = WriteImage(folder / "client_h.img", trackH, false, 0, 0) && ok;
    for (const char* suffix : {"", "_push"}) {
        const bool pushed = suffix[0] != 0;
        const uint8_t fill = pushed ? Gold(5) : Gold(7), light = Gold(10), dark = Brown(2);
        const Canvas v = Block(kBar, 12, fill, light, dark), h = Block(12, kBar, fill, light, dark);
        ok = WriteImage(folder / "Btn_Vert" / (std::string("btn_u") + suffix + ".img"),
                        Part(v, 0, 0, kBar, 3), false, 0, 0) &&
             ok;
        ok = WriteImage(folder / "Btn_Vert" / (std::string("btn_m") + suffix + ".img"),
                        Part(v, 0, 4, kBar, 4), false, 0, 0) &&
             ok;
        ok = WriteImage(folder / "Btn_Vert" / (std::string("btn_d") + suffix + ".img"),
                        Part(v, 0, 9, kBar, 3), false, 0, 0) &&
             ok;
        ok = WriteImage(folder / "Btn_Horz" / (std::string("btn_l") + suffix + ".img"),
                        Part(h, 0, 0, 3, kBar), false, 0, 0) &&
             ok;
        ok = WriteImage(folder / "Btn_Horz" / (std::string("btn_c") + suffix + ".img"),
                        Part(h, 4, 0, 4, kBar), false, 0, 0) &&
             ok;
        ok = WriteImage(folder / "Btn_Horz" / (std::string("btn_r") + suffix + ".img"),
                        Part(h, 9, 0, 3, kBar), false, 0, 0) &&
             ok;
        // End buttons: the arrow split into two caps and a one-pixel middle.
        struct End {
            const char* name;
            int dx, dy;
        };
        for (const End& e : {End{"Btn_UU", 0, -1}, End{"Btn_DD", 0, 1}, End{"Btn_LL", -1, 0},
                             End{"Btn_RR", 1, 0}, End{"Corner", 1, 1}}) {
            const Canvas a = Arrow(e.dx, e.dy, pushed);
            const fs::path f = folder / e.name;
            if (e.dx == 0) {
                ok = WriteImage(f / (std::string("btn_u") + suffix + ".img"), Part(a, 0, 0, kBar, 5), false,
                                0, 0) &&
                     ok;
                ok = WriteImage(f / (std::string("btn_m") + suffix + ".img"), Part(a, 0, 5, kBar, 1), false,
                                0, 0) &&
                     ok;
                ok = WriteImage(f / (std::string("btn_d") + suffix + ".img"), Part(a, 0, 5, kBar, 5), false,
                                0, 0) &&
                     ok;
            } else {
                ok = WriteImage(f / (std::string("btn_l") + suffix + ".img"), Part(a, 0, 0, 5, kBar), false,
                                0, 0) &&
                     ok;
                ok = WriteImage(f / (std::string("btn_c") + suffix + ".img"), Part(a, 5, 0, 1, kBar), false,
                                0, 0) &&
                     ok;
                ok = WriteImage(f / (std::string("btn_r") + suffix + ".img"), Part(a, 5, 0, 5, kBar), false,
                                0, 0) &&
                     ok;
            }
        }
    }
    return ok;
}

bool WritePalette(const fs::path& data, const fs::path& out)
{
    std::ifstream in(data / "palettes" / "base.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<Rgb> colours;
    std::string error;
    if (!in || !ParsePaletteSource(text.str(), "base", colours, error)) {
        std::cerr << "mapviewart: " << (error.empty() ? "cannot read the base palette" : error) << "\n";
        return false;
    }
    for (int o = 0; o < 7; ++o)
        for (int t = 0; t < 8; ++t) {
            auto blend = [t](uint8_t a, uint8_t b) { return uint8_t(a + (int(b) - int(a)) * t / 7); };
            colours[size_t(128 + 8 * o + t)] =
                Rgb{blend(kOwnerDark[o].r, kOwnerLight[o].r), blend(kOwnerDark[o].g, kOwnerLight[o].g),
                    blend(kOwnerDark[o].b, kOwnerLight[o].b)};
        }
    const EncodeResult r = EncodePalette(colours);
    return r.ok() && WriteBytes(out / "Palettes" / "Map.pal", r.bytes);
}

bool CopyIfPresent(const fs::path& from, const fs::path& to)
{
    if (!fs::is_regular_file(from))
        return true;
    fs::create_directories(to.parent_path());
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    return !ec;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: mapviewart <data folder> <report icon staging folder> <staging folder>\n";
        return 2;
    }
    const fs::path data = argv[1], icons = argv[2], out = argv[3];
    const fs::path map = out / "Images" / "Map";
    bool ok = WritePalette(data, out);
    ok = WriteImage(map / "map_sea.img", SeaTexture(), false, 0, 0) && ok;
    ok = WriteImage(map / "map_grass.img", GrassTexture(), false, 0, 0) && ok;
    Canvas plain(8, 8);
    plain.Rect(0, 0, 8, 8, Owner(6, 4));
    ok = WriteImage(map / "map_landbg.img", plain, false, 0, 0) && ok;
    plain.Rect(0, 0, 8, 8, Owner(6, 7));
    ok = WriteImage(map / "map_landbg_sel.img", plain, false, 0, 0) && ok;
    // Castles stand on their point with the gate's foot; flags on the pole's foot.
    auto castle = [&](const char* name, bool capital, bool mini) {
        const Canvas c = CastleSprite(capital, mini);
        return WriteImage(map / (std::string(name) + ".img"), c, true, c.p.width / 2, c.p.height - 1);
    };
    ok = castle("MapCapital", true, false) && ok;
    ok = castle("MapCastle", false, false) && ok;
    ok = castle("MapMiniCapital", true, true) && ok;
    ok = castle("MapMiniCastle", false, true) && ok;
    for (int f = 0; f < 6; ++f)
        ok = WriteImage(map / ("MapFlag" + std::to_string(f + 1) + ".img"), FlagSprite(f), true, 2, 15) && ok;
    for (const char* kind :
         {"DoMove", "DoAttack", "DoTransfer", "DoRecruit", "DoScout", "DoDecease", "DoRobbery"})
        ok = WriteImage(map / (std::string(kind) + ".img"), MarkerSprite(kind), true, 7, 7) && ok;
    ok = WriteImage(map / "RecrArmyCount.img", RecruitCount(false), true, 10, 6) && ok;
    ok = WriteImage(map / "RecrArmyCntR.img", RecruitCount(true), true, 10, 6) && ok;
    ok = WriteImage(map / "RecrArmyRevolt.img", RevoltWarning(), true, 6, 11) && ok;
    ok = WriteFrameSkin(out / "Skin" / "mapframe") && ok;
    ok = WriteScrollSkin(out / "Skin" / "MapScroll") && ok;
    // The singular resource icons and the right-facing squad icons are the
    // report icons' pictures under the names the map screen uses.
    for (const char* kind : {"gold", "metl", "ston"})
        ok = CopyIfPresent(icons / "Images" / "Icons" / (std::string(kind) + "s.img"),
                           out / "Images" / "Icons" / (std::string(kind) + ".img")) &&
             ok;
    const fs::path units = icons / "Objects" / "Units";
    if (fs::is_directory(units))
        for (const auto& entry : fs::directory_iterator(units))
            ok = CopyIfPresent(entry.path() / "icon_l.img",
                               out / "Objects" / "Units" / entry.path().filename() / "icon_r.img") &&
                 ok;
    return ok ? 0 : 1;
}

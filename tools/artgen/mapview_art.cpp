// The strategic map's pictures (pack "mapview"), below its staging folder:
//   Palettes/Map.pal          the base palette with the owners' colours at 128-183
//   Images/Map/*.img          textures, castles, flags, markers
//   Skin/mapframe/*.img       the map frame's border and background
//   Images/Icons/<kind>.img   resource icons without the plural "s"
//   Objects/Units/<id>/icon_r.img  the right-facing squad icon
// The report icons (DrawGameIcons) are shields with letters, which must
// not be mirrored: the right-facing icon is the same picture.
//
// Every picture is drawn in code and is the same on every run.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/palette_ramps.h"
#include "tools/encode/art_sources.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/palette_encoder.h"

namespace {
namespace fs = std::filesystem;

// Owner ramps of the map palette: 8 shades, dark to light.
constexpr uint8_t Owner(int o, int t)
{
    return uint8_t(kMapOwnersFirst + 8 * o + std::clamp(t, 0, 7));
}

// The owners' colours: dark and light ends of each ramp. 0-5 follow the
// players' flag numbers, 6 is land without a lord.
const Rgb kOwnerDark[7] = {{70, 10, 10}, {14, 26, 80}, {12, 52, 14}, {74, 58, 0},
                           {52, 16, 70}, {84, 38, 0},  {62, 56, 34}};
const Rgb kOwnerLight[7] = {{255, 170, 150}, {170, 200, 255}, {176, 236, 150}, {255, 242, 150},
                            {228, 178, 255}, {255, 196, 130}, {236, 226, 184}};

uint32_t Hash(uint32_t a, uint32_t b)
{
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
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
            c.Set(x, y, Shade(kBlue, 7 + int(std::lround(s))));
        }
    // Wave crests: short light strokes.
    for (int k = 0; k < 14; ++k) {
        const uint32_t h = Hash(uint32_t(k), 91);
        const int x = int(h % 64), y = int((h >> 8) % 64);
        c.Set(x, y, Shade(kBlue, 11));
        c.Set((x + 1) & 63, (y + 63) & 63, Shade(kBlue, 12));
        c.Set((x + 2) & 63, (y + 63) & 63, Shade(kBlue, 11));
        c.Set((x + 3) & 63, y, Shade(kBlue, 10));
    }
    return c;
}

Canvas GrassTexture()
{
    Canvas c(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            c.Set(x, y, Shade(kGreen, 6 + int(Hash(uint32_t(x), uint32_t(y)) % 3)));
    for (int k = 0; k < 40; ++k) {
        const uint32_t h = Hash(uint32_t(k), 7);
        const int x = int(h % 64), y = int((h >> 8) % 64);
        c.Set(x, y, Shade(kGreen, 10));
        c.Set(x, (y + 1) & 63, Shade(kGreen, 4));
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
    c.Rect(1, wallTop, w - 2, h - wallTop - 1, Shade(kSteel, 9));
    for (int x = 1; x < w - 1; x += 2)
        c.Set(x, wallTop - 1, Shade(kSteel, 9));
    c.Rect(1, wallTop - (mini ? 2 : 4), tower, h - wallTop + (mini ? 1 : 3), Shade(kSteel, 11));
    c.Rect(w - 1 - tower, wallTop - (mini ? 2 : 4), tower, h - wallTop + (mini ? 1 : 3), Shade(kSteel, 7));
    if (capital) {
        const int kx = w / 2 - (mini ? 1 : 2), kw = mini ? 3 : 5;
        c.Rect(kx, mini ? 1 : 3, kw, h - (mini ? 2 : 4), Shade(kSteel, 12));
        c.Rect(kx, mini ? 1 : 3, kw, 1, Shade(kSteel, 14));
        // A golden pennant on the keep.
        c.StepLine(w / 2, 0, w / 2, mini ? 1 : 3, GreyShade(3));
        c.Rect(w / 2 + 1, 0, mini ? 2 : 4, mini ? 1 : 2, Shade(kGold, 9));
    }
    c.Rect(w / 2 - 1, h - (mini ? 3 : 5), 3, mini ? 2 : 4, Shade(kBrown, 3));
    for (int x = 2; x < w - 2; x += 4)
        c.Set(x, wallTop + 2, Shade(kSteel, 4));
    c.Outline(GreyShade(1));
    return c;
}

Canvas FlagSprite(int owner)
{
    Canvas c(12, 16);
    c.StepLine(2, 1, 2, 15, Shade(kBrown, 2));
    c.Set(2, 0, Shade(kGold, 10));
    // A bright banner with a gold hem, so that it shows on its own land.
    c.Pattern(3, 1, {"gggggg.", "aaaaaag", "aaaaaag", "aaaaaa.", "baaaab.", "gbbbg.."}, "abg",
              {Owner(owner, 7), Owner(owner, 2), Shade(kGold, 10)});
    c.Rect(1, 15, 3, 1, Shade(kBrown, 4));
    c.Outline(GreyShade(1));
    return c;
}

// ---- Markers: round badges with a symbol ----

Canvas Badge(uint8_t rim, uint8_t face)
{
    Canvas c(15, 15);
    c.Badge(7, 7, 7, rim);
    c.Badge(7, 7, 5, face);
    return c;
}

Canvas MarkerSprite(const std::string& kind)
{
    if (kind == "DoMove") {
        Canvas c = Badge(Shade(kGreen, 3), Shade(kGreen, 9));
        c.Pattern(3, 4, {"..#....", "...#...", "####.#.", "...#...", "..#....", "......."}, "#",
                  {GreyShade(14)});
        c.Pattern(4, 4,
                  {
                      "....#..",
                      ".....#.",
                      "......#",
                      ".....#.",
                      "....#..",
                  },
                  "#", {GreyShade(14)});
        return c;
    }
    if (kind == "DoAttack") {
        Canvas c = Badge(Shade(kRed, 3), Shade(kRed, 10));
        c.StepLine(3, 3, 11, 11, GreyShade(15));
        c.StepLine(11, 3, 3, 11, GreyShade(15));
        c.StepLine(3, 9, 5, 11, Shade(kBrown, 4));
        c.StepLine(11, 9, 9, 11, Shade(kBrown, 4));
        return c;
    }
    if (kind == "DoTransfer") {
        Canvas c = Badge(Shade(kBlue, 3), Shade(kBlue, 10));
        c.StepLine(3, 5, 11, 5, GreyShade(15));
        c.StepLine(9, 3, 11, 5, GreyShade(15));
        c.StepLine(3, 9, 11, 9, GreyShade(15));
        c.StepLine(3, 9, 5, 11, GreyShade(15));
        return c;
    }
    if (kind == "DoRecruit") {
        Canvas c = Badge(Shade(kGold, 2), Shade(kGold, 8));
        c.Rect(6, 3, 3, 9, GreyShade(15));
        c.Rect(3, 6, 9, 3, GreyShade(15));
        return c;
    }
    if (kind == "DoScout") {
        Canvas c = Badge(Shade(kWater, 3), Shade(kWater, 9));
        c.Pattern(2, 4, {"..#####..", ".#.....#.", "#..###..#", ".#.....#.", "..#####.."}, "#",
                  {GreyShade(1)});
        c.Rect(6, 6, 3, 3, GreyShade(1));
        return c;
    }
    if (kind == "DoDecease") {
        Canvas c = Badge(GreyShade(2), GreyShade(6));
        c.StepLine(10, 2, 5, 9, GreyShade(15));
        c.StepLine(11, 3, 6, 10, GreyShade(12));
        c.StepLine(3, 8, 7, 12, Shade(kGold, 8));
        c.StepLine(4, 12, 3, 13, Shade(kBrown, 5));
        return c;
    }
    // DoRobbery: a purse of coins.
    Canvas c = Badge(Shade(kBrown, 2), Shade(kBrown, 8));
    c.Badge(7, 9, 3, Shade(kBrown, 4));
    c.Rect(6, 4, 3, 2, Shade(kBrown, 4));
    c.Set(6, 9, Shade(kGold, 10));
    c.Set(8, 8, Shade(kGold, 10));
    return c;
}

// The recruit count badge: a dark plate the number is written on.
Canvas RecruitCount(bool revolt)
{
    Canvas c(21, 13);
    c.Rect(1, 0, 19, 13, revolt ? Shade(kRed, 4) : GreyShade(3));
    c.Rect(0, 1, 21, 11, revolt ? Shade(kRed, 4) : GreyShade(3));
    c.Rect(2, 2, 17, 9, revolt ? Shade(kRed, 2) : GreyShade(1));
    c.Outline(revolt ? Shade(kRed, 12) : Shade(kSteel, 13));
    return c;
}

Canvas RevoltWarning()
{
    Canvas c(13, 12);
    for (int y = 0; y < 11; ++y) {
        const int half = y / 2 + 1;
        for (int x = 6 - half; x <= 6 + half; ++x)
            c.Set(x, y, Shade(kRed, 10));
    }
    c.Rect(6, 3, 1, 4, GreyShade(15));
    c.Set(6, 8, GreyShade(15));
    c.Outline(GreyShade(1));
    return c;
}

// ---- The map frame's skin: carved wood with a gold inlay ----

bool WriteFrameSkin(ArtWriter& out, const fs::path& folder)
{
    bool ok = true;
    Canvas bg(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            bg.Set(x, y, Shade(kBrown, 4 + int((Hash(uint32_t(x / 2), uint32_t(y)) % 3)) - (y % 8 == 0)));
    ok = out.Image(folder / "frame_bg", bg, false, 0, 0) && ok;
    auto edge = [](int w, int h, bool horizontal) {
        Canvas c(w, h);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                const int d = horizontal ? j : i;
                c.Set(i, j,
                      d == 0   ? Shade(kBrown, 1)
                      : d == 1 ? Shade(kGold, 6)
                      : d == 2 ? Shade(kBrown, 7)
                               : Shade(kBrown, 2));
            }
        return c;
    };
    Canvas top = edge(4, 4, true), left = edge(4, 4, false);
    Canvas bottom(4, 4), right(4, 4);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
            bottom.Set(i, j, top.Get(i, 3 - j));
            right.Set(i, j, left.Get(3 - i, j));
        }
    Canvas corner(4, 4);
    corner.Rect(0, 0, 4, 4, Shade(kBrown, 2));
    corner.Rect(1, 1, 2, 2, Shade(kGold, 8));
    ok = out.Image(folder / "frame_u", top, false, 0, 0) && ok;
    ok = out.Image(folder / "frame_d", bottom, false, 0, 0) && ok;
    ok = out.Image(folder / "frame_l", left, false, 0, 0) && ok;
    ok = out.Image(folder / "frame_r", right, false, 0, 0) && ok;
    for (const char* name : {"frame_ul", "frame_ur", "frame_dl", "frame_dr"})
        ok = out.Image(folder / std::string(name), corner, false, 0, 0) && ok;
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
    c.Bevel(0, 0, w - 1, h - 1, light, dark);
    return c;
}

// An arrow pointing along (dx, dy) in a square of the bar's size.
Canvas Arrow(int dx, int dy, bool pushed)
{
    Canvas c = Block(kBar, kBar, pushed ? Shade(kBrown, 6) : Shade(kBrown, 8),
                     pushed ? Shade(kBrown, 4) : Shade(kBrown, 11), Shade(kBrown, 2));
    for (int k = 0; k < 3; ++k)
        for (int j = -k; j <= k; ++j) {
            const int along = 3 + k * (dx + dy < 0 ? 1 : -1) + (dx + dy < 0 ? 0 : 4);
            const int x = dx != 0 ? along : 5 + j, y = dx != 0 ? 5 + j : along;
            c.Set(x - (dx != 0 ? 0 : 1), y - (dx != 0 ? 1 : 0), Shade(kGold, 10));
        }
    return c;
}

bool WriteScrollSkin(ArtWriter& out, const fs::path& folder)
{
    bool ok = true;
    Canvas trackV(kBar, 8), trackH(8, kBar);
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < kBar; ++i) {
            const uint8_t c = (i == 0 || i == kBar - 1) ? Shade(kBrown, 1) : Shade(kBrown, 3 + (j % 4 == 0));
            trackV.Set(i, j, c);
            trackH.Set(j, i, c);
        }
    ok = out.Image(folder / "client_v", trackV, false, 0, 0) && ok;
    ok = out.Image(folder / "client_h", trackH, false, 0, 0) && ok;
    for (const char* suffix : {"", "_push"}) {
        const bool pushed = suffix[0] != 0;
        const uint8_t fill = pushed ? Shade(kGold, 5) : Shade(kGold, 7), light = Shade(kGold, 10),
                      dark = Shade(kBrown, 2);
        const Canvas v = Block(kBar, 12, fill, light, dark), h = Block(12, kBar, fill, light, dark);
        ok = out.Image(folder / "Btn_Vert" / (std::string("btn_u") + suffix), v.Crop(0, 0, kBar, 3), false, 0,
                       0) &&
             ok;
        ok = out.Image(folder / "Btn_Vert" / (std::string("btn_m") + suffix), v.Crop(0, 4, kBar, 4), false, 0,
                       0) &&
             ok;
        ok = out.Image(folder / "Btn_Vert" / (std::string("btn_d") + suffix), v.Crop(0, 9, kBar, 3), false, 0,
                       0) &&
             ok;
        ok = out.Image(folder / "Btn_Horz" / (std::string("btn_l") + suffix), h.Crop(0, 0, 3, kBar), false, 0,
                       0) &&
             ok;
        ok = out.Image(folder / "Btn_Horz" / (std::string("btn_c") + suffix), h.Crop(4, 0, 4, kBar), false, 0,
                       0) &&
             ok;
        ok = out.Image(folder / "Btn_Horz" / (std::string("btn_r") + suffix), h.Crop(9, 0, 3, kBar), false, 0,
                       0) &&
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
                ok = out.Image(f / (std::string("btn_u") + suffix), a.Crop(0, 0, kBar, 5), false, 0, 0) && ok;
                ok = out.Image(f / (std::string("btn_m") + suffix), a.Crop(0, 5, kBar, 1), false, 0, 0) && ok;
                ok = out.Image(f / (std::string("btn_d") + suffix), a.Crop(0, 5, kBar, 5), false, 0, 0) && ok;
            } else {
                ok = out.Image(f / (std::string("btn_l") + suffix), a.Crop(0, 0, 5, kBar), false, 0, 0) && ok;
                ok = out.Image(f / (std::string("btn_c") + suffix), a.Crop(5, 0, 1, kBar), false, 0, 0) && ok;
                ok = out.Image(f / (std::string("btn_r") + suffix), a.Crop(5, 0, 5, kBar), false, 0, 0) && ok;
            }
        }
    }
    return ok;
}

// The base palette with the owners' ramps at 128-183.
bool WritePalette(const std::vector<Rgb>& base, ArtWriter& out)
{
    std::vector<Rgb> colours = base;
    for (int o = 0; o < 7; ++o)
        for (int t = 0; t < 8; ++t) {
            auto blend = [t](uint8_t a, uint8_t b) { return uint8_t(a + (int(b) - int(a)) * t / 7); };
            colours[size_t(Owner(o, t))] =
                Rgb{blend(kOwnerDark[o].r, kOwnerLight[o].r), blend(kOwnerDark[o].g, kOwnerLight[o].g),
                    blend(kOwnerDark[o].b, kOwnerLight[o].b)};
        }
    return out.Palette("Palettes/Map", colours);
}

}  // namespace

bool DrawMapViewArt(const ArtInput& in, ArtWriter& out)
{
    const fs::path map = fs::path("Images") / "Map";
    bool ok = WritePalette(in.basePalette, out);
    ok = out.Image(map / "map_sea", SeaTexture(), false, 0, 0) && ok;
    ok = out.Image(map / "map_grass", GrassTexture(), false, 0, 0) && ok;
    Canvas plain(8, 8);
    plain.Rect(0, 0, 8, 8, Owner(6, 4));
    ok = out.Image(map / "map_landbg", plain, false, 0, 0) && ok;
    plain.Rect(0, 0, 8, 8, Owner(6, 7));
    ok = out.Image(map / "map_landbg_sel", plain, false, 0, 0) && ok;
    // Castles stand on their point with the gate's foot; flags on the pole's foot.
    auto castle = [&](const char* name, bool capital, bool mini) {
        const Canvas c = CastleSprite(capital, mini);
        return out.Image(map / name, c, true, c.W() / 2, c.H() - 1);
    };
    ok = castle("MapCapital", true, false) && ok;
    ok = castle("MapCastle", false, false) && ok;
    ok = castle("MapMiniCapital", true, true) && ok;
    ok = castle("MapMiniCastle", false, true) && ok;
    for (int f = 0; f < 6; ++f)
        ok = out.Image(map / ("MapFlag" + std::to_string(f + 1)), FlagSprite(f), true, 2, 15) && ok;
    for (const char* kind :
         {"DoMove", "DoAttack", "DoTransfer", "DoRecruit", "DoScout", "DoDecease", "DoRobbery"})
        ok = out.Image(map / kind, MarkerSprite(kind), true, 7, 7) && ok;
    ok = out.Image(map / "RecrArmyCount", RecruitCount(false), true, 10, 6) && ok;
    ok = out.Image(map / "RecrArmyCntR", RecruitCount(true), true, 10, 6) && ok;
    ok = out.Image(map / "RecrArmyRevolt", RevoltWarning(), true, 6, 11) && ok;
    ok = WriteFrameSkin(out, fs::path("Skin") / "mapframe") && ok;
    ok = WriteScrollSkin(out, fs::path("Skin") / "MapScroll") && ok;
    // The singular resource icons and the right-facing squad icons are the
    // report icons' pictures under the names the map screen uses.
    for (const char* kind : {"gold", "metl", "ston"})
        ok = out.CopyIfPresent(in.gameIcons / "Images" / "Icons" / (std::string(kind) + "s.img"),
                               "Images/Icons/" + std::string(kind) + ".img") &&
             ok;
    for (const std::string& id : in.units)
        ok = out.CopyIfPresent(in.gameIcons / "Objects" / "Units" / id / "icon_l.img",
                               "Objects/Units/" + id + "/icon_r.img") &&
             ok;
    return ok;
}

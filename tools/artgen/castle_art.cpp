// The castle windows' own art (pack "skins"), below its staging folder:
//   Skin240/Images/Icons/<part>      the castle control's pictures: the four
//                                    castle kinds and the unknown castle, one
//                                    to four catapults, fortified walls,
//                                    market, tavern, bank, guild levels, mines
//   Skin240/Images/Icons/<part>Big   the same, large: built works on the panel
//   Skin240/Images/Btn/<part>        the panel's work button faces
//   Skin240/Images/Btn/Casl*         the panel's operation buttons (captions)
//   Skin240/Images/Icons/Assassin, Robber, Scout, Raider, Trebuchet
//                                    emblems of the covert and siege windows
//   Skin240/Skin/CastleBtn/, CastleBtnDis/
//                                    the work buttons' bronze frame, and the
//                                    grey frame of a work the player cannot pay
// Pictures are painted straight in indices of the "base" palette; index 0
// is transparent.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/palette_ramps.h"

namespace fs = std::filesystem;

namespace {

// ---- The castle parts, painted to any size ----

// A tower or wall block of stone with crenellations along its top.
void Stone(Canvas& f, int x0, int y0, int x1, int y1, int merlon)
{
    f.Fill(x0, y0 + merlon, x1, y1, GreyShade(9));
    for (int x = x0; x <= x1; ++x) {
        if (((x - x0) / merlon) % 2 == 0)
            f.Fill(x, y0, x, y0 + merlon - 1, GreyShade(10));
    }
    // Light from the left: a bright edge, a shaded right side, mortar rows.
    f.Fill(x0, y0 + merlon, x0, y1, GreyShade(12));
    f.Fill(x1, y0 + merlon, x1, y1, GreyShade(6));
    for (int y = y0 + merlon + 3; y < y1; y += 3)
        for (int x = x0 + 1 + ((y / 3) % 2) * 2; x < x1; x += 4)
            f.Set(x, y, GreyShade(7));
}

void Castle(Canvas& f, bool capital, bool moat, bool ghost)
{
    const int w = f.W(), h = f.H();
    const int merlon = std::max(1, w / 10);
    const int ground = moat ? h - 1 - std::max(2, h / 6) : h - 1;
    const int tw = std::max(4, w / 4);
    const int wallTop = h / 2;
    Stone(f, 0, h / 5, tw - 1, ground, merlon);
    Stone(f, w - tw, h / 5, w - 1, ground, merlon);
    Stone(f, tw, wallTop, w - tw - 1, ground, merlon);
    // The gate, and arrow slits in the towers.
    const int gw = std::max(2, w / 6);
    const int gx = w / 2 - gw / 2;
    f.Fill(gx, ground - std::max(3, h / 4), gx + gw - 1, ground, Shade(kBrown, 2));
    f.Fill(gx, ground - std::max(3, h / 4), gx + gw - 1, ground - std::max(3, h / 4), GreyShade(4));
    for (int t : {tw / 2, w - tw + tw / 2})
        f.Fill(t, h / 5 + merlon + 2, t, h / 5 + merlon + 2 + h / 8, GreyShade(2));
    if (capital) {
        // A gold banner over the keep.
        const int px = w / 2;
        f.Fill(px, 0, px, wallTop, Shade(kBrown, 4));
        f.Fill(px + 1, 0, px + std::max(3, w / 5), std::max(2, h / 6), Shade(kYellow, 12));
        f.Fill(px + 1, std::max(2, h / 6), px + std::max(3, w / 5), std::max(2, h / 6), Shade(kYellow, 7));
    }
    if (moat) {
        f.Fill(0, ground + 1, w - 1, h - 1, Shade(kBlue, 8));
        for (int x = 1; x < w; x += 4)
            f.Set(x, ground + 2, Shade(kWater, 13));
    }
    if (ghost) {
        // The castle no one has seen: only its outline, in grey.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (f.Get(x, y) != 0)
                    f.Set(x, y, GreyShade(5));
        f.Fill(w / 2 - 1, h / 3, w / 2, h / 3 + h / 5, GreyShade(13));
        f.Set(w / 2, h / 3 + h / 5 + 2, GreyShade(13));
    }
    f.Outline(GreyShade(0));
}

void Catapult(Canvas& f, int x0, int y0, int w, int h)
{
    const uint8_t wood = Shade(kBrown, 9), dark = Shade(kBrown, 5);
    const int base = y0 + h - std::max(2, h / 5);
    f.Fill(x0, base - 1, x0 + w - 1, base, wood);
    f.Disc(x0 + w * 0.2f, float(base + 1), std::max(1.2f, h / 7.0f), dark);
    f.Disc(x0 + w * 0.8f, float(base + 1), std::max(1.2f, h / 7.0f), dark);
    f.Line(x0 + w / 2, base - 1, x0 + w / 2, y0 + h / 3, dark);
    f.Line(x0 + 1, base - 2, x0 + w - 2, y0 + 1, wood);
    f.Disc(float(x0 + w - 2), float(y0 + 2), std::max(1.0f, h / 8.0f), GreyShade(8));
}

void Catapults(Canvas& f, int n)
{
    const int each = f.W() / n;
    for (int i = 0; i < n; ++i)
        Catapult(f, i * each, (i % 2) * (f.H() / 8), std::max(4, each + (n > 1 ? 1 : 0)), f.H() - f.H() / 8);
    f.Outline(GreyShade(0));
}

void FortWalls(Canvas& f)
{
    const int merlon = std::max(1, f.W() / 8);
    Stone(f, 0, f.H() / 4, f.W() - 1, f.H() - 1, merlon);
    // Buttresses of darker steel-grey stone.
    for (int x : {f.W() / 4, 3 * f.W() / 4}) {
        f.Fill(x - std::max(1, f.W() / 12), f.H() / 2, x + std::max(1, f.W() / 12), f.H() - 1,
               Shade(kSteel, 6));
        f.Fill(x - std::max(1, f.W() / 12), f.H() / 2, x - std::max(1, f.W() / 12), f.H() - 1,
               Shade(kSteel, 10));
    }
    f.Outline(GreyShade(0));
}

void Market(Canvas& f)
{
    const int awning = f.H() / 3;
    f.Fill(1, awning, 1, f.H() - 1, Shade(kBrown, 6));
    f.Fill(f.W() - 2, awning, f.W() - 2, f.H() - 1, Shade(kBrown, 6));
    for (int x = 0; x < f.W(); ++x)
        f.Fill(x, f.H() / 8, x, awning,
               ((x / std::max(2, f.W() / 6)) % 2) ? Shade(kSand, 15) : Shade(kRed, 10));
    f.Fill(2, f.H() - f.H() / 3, f.W() - 3, f.H() - 1, Shade(kBrown, 9));
    f.Disc(f.W() * 0.35f, f.H() - f.H() / 3.0f, f.H() / 8.0f, Shade(kGreen, 11));
    f.Disc(f.W() * 0.65f, f.H() - f.H() / 3.0f, f.H() / 8.0f, Shade(kRed, 12));
    f.Outline(GreyShade(0));
}

void Tavern(Canvas& f)
{
    const int x0 = f.W() / 5, x1 = f.W() - f.W() / 3, y0 = f.H() / 4;
    f.Fill(x0, y0, x1, f.H() - 2, Shade(kYellow, 9));
    f.Fill(x0, y0, x0, f.H() - 2, Shade(kYellow, 13));
    f.Frame(x1 + 1, y0 + f.H() / 8, f.W() - 2, f.H() - f.H() / 4, Shade(kYellow, 7));
    f.Fill(x0 - 1, y0 - f.H() / 8, x1 + 1, y0, Shade(kSand, 15));
    f.Outline(GreyShade(0));
}

void Bank(Canvas& f)
{
    // Stacks of gold coins.
    const int cw = std::max(4, f.W() / 2 - 1), ch = std::max(2, f.H() / 8);
    for (int s = 0; s < 2; ++s) {
        const int x = s == 0 ? 0 : f.W() - cw;
        const int stack = s == 0 ? 5 : 3;
        for (int i = 0; i < stack; ++i) {
            const int y = f.H() - 1 - (i + 1) * ch;
            f.Fill(x, y, x + cw - 1, y + ch - 1, Shade(kYellow, 10));
            f.Fill(x, y, x + cw - 1, y, Shade(kYellow, 14));
        }
    }
    f.Outline(GreyShade(0));
}

void Guild(Canvas& f, int level)
{
    // A dagger, and one star per level.
    const uint8_t blade = Shade(kSteel, 13);
    f.Line(f.W() / 4, f.H() - f.H() / 4, f.W() - f.W() / 4, f.H() / 6, blade);
    f.Line(f.W() / 4 + 1, f.H() - f.H() / 4, f.W() - f.W() / 4 + 1, f.H() / 6, Shade(kSteel, 9));
    f.Line(f.W() / 6, f.H() - f.H() / 2, f.W() / 2 - 1, f.H() - f.H() / 6, Shade(kYellow, 10));
    f.Fill(f.W() / 8, f.H() - f.H() / 5, f.W() / 4, f.H() - 2, Shade(kBrown, 6));
    for (int i = 0; i < level; ++i)
        f.Fill(1 + i * (f.W() / 5), 1, 1 + i * (f.W() / 5) + std::max(1, f.W() / 12),
               1 + std::max(1, f.W() / 12), Shade(kYellow, 14));
    f.Outline(GreyShade(0));
}

void MetalMine(Canvas& f)
{
    f.Fill(0, f.H() / 2, f.W() - 1, f.H() - 1, Shade(kBrown, 3));
    for (int i = 0; i < 4; ++i)
        f.Disc(f.W() * (0.2f + 0.2f * i), f.H() * (0.65f + 0.1f * (i % 2)), std::max(1.0f, f.H() / 10.0f),
               Shade(kSteel, 13));
    // A pickaxe.
    f.Line(f.W() / 5, f.H() / 8, f.W() - f.W() / 4, f.H() / 2, Shade(kBrown, 10));
    f.Line(f.W() / 2, 1, f.W() / 8, f.H() / 3, Shade(kSteel, 11));
    f.Outline(GreyShade(0));
}

void StoneMine(Canvas& f)
{
    const int bw = std::max(3, f.W() / 3), bh = std::max(2, f.H() / 4);
    const int rows[][2] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}};
    for (const auto& r : rows) {
        const int x = r[0] * bw + r[1] * bw / 2;
        const int y = f.H() - 1 - (r[1] + 1) * bh;
        f.Fill(x, y, x + bw - 2, y + bh - 2, GreyShade(10 - r[1]));
        f.Fill(x, y, x + bw - 2, y, GreyShade(13));
    }
    f.Outline(GreyShade(0));
}

// ---- Emblems ----

void Trebuchet(Canvas& f)
{
    const uint8_t wood = Shade(kBrown, 9), dark = Shade(kBrown, 5);
    f.Fill(2, f.H() - 6, f.W() - 3, f.H() - 4, wood);
    f.Disc(7, float(f.H() - 3), 3, dark);
    f.Disc(float(f.W() - 8), float(f.H() - 3), 3, dark);
    f.Line(f.W() / 2 - 6, f.H() - 6, f.W() / 2, f.H() / 3, dark);
    f.Line(f.W() / 2 + 6, f.H() - 6, f.W() / 2, f.H() / 3, dark);
    f.Line(4, 6, f.W() - 6, f.H() / 2, wood);
    f.Fill(f.W() - 9, f.H() / 2 - 1, f.W() - 4, f.H() / 2 + 5, GreyShade(6));
    f.Line(4, 6, 6, 14, Shade(kSand, 10));
    f.Disc(6, 15, 2.5f, GreyShade(9));
    f.Outline(GreyShade(0));
}

void Hooded(Canvas& f, uint8_t cloak)
{
    f.Disc(f.W() / 2.0f, f.H() * 0.33f, f.W() * 0.22f, cloak);
    f.Fill(f.W() / 4, f.H() / 3, f.W() - f.W() / 4 - 1, f.H() - 1, cloak);
    f.Disc(f.W() / 2.0f, f.H() * 0.36f, f.W() * 0.12f, GreyShade(1));
    f.Set(f.W() / 2 - 2, f.H() * 36 / 100, Shade(kYellow, 14));
    f.Set(f.W() / 2 + 1, f.H() * 36 / 100, Shade(kYellow, 14));
}

void Assassin(Canvas& f)
{
    Hooded(f, Shade(kBlue, 3));
    f.Line(f.W() - f.W() / 4, f.H() / 2, f.W() - 3, f.H() / 5, Shade(kSteel, 14));
    f.Outline(GreyShade(0));
}

void Robber(Canvas& f)
{
    Hooded(f, Shade(kGreen, 4));
    f.Disc(f.W() * 0.75f, f.H() * 0.75f, f.W() * 0.18f, Shade(kSkin, 8));
    f.Disc(f.W() * 0.75f, f.H() * 0.72f, f.W() * 0.06f, Shade(kYellow, 14));
    f.Outline(GreyShade(0));
}

void Scout(Canvas& f)
{
    // An eye behind a spyglass.
    f.Disc(f.W() / 2.0f, f.H() / 2.0f, f.W() * 0.4f, Shade(kSand, 14));
    f.Disc(f.W() / 2.0f, f.H() / 2.0f, f.W() * 0.2f, Shade(kWater, 8));
    f.Disc(f.W() / 2.0f, f.H() / 2.0f, f.W() * 0.09f, GreyShade(0));
    f.Line(f.W() - 6, f.H() - 6, f.W() - 2, f.H() - 2, Shade(kYellow, 10));
    f.Outline(GreyShade(0));
}

// ---- Text button faces ----

Canvas Caption(const FontSource& font, const std::string& text)
{
    Canvas f(Canvas::TextWidth(font, text) + 2, font.height + 2);
    f.Text(font, 2, 2, text, GreyShade(0));
    f.Text(font, 1, 1, text, Shade(kSand, 15));
    return f;
}

// ---- Button skins: nine parts, any size ----

bool WriteSkin(ArtWriter& out, const fs::path& folder, uint8_t ramp, bool grey)
{
    const char* suffixes[] = {"", "_push", "_dis"};
    for (int look = 0; look < 3; ++look) {
        const bool dim = grey || look == 2;
        auto c = [&](int step) { return dim ? GreyShade(step - 2) : Shade(ramp, step); };
        const uint8_t light = look == 1 ? c(5) : c(13), dark = look == 1 ? c(13) : c(4),
                      face = look == 1 ? c(6) : c(8);
        const std::string s = suffixes[look];
        Canvas ul(4, 4, face), u(4, 4, face), ur(4, 4, face), l(4, 4, face), client(4, 4, face),
            r(4, 4, face), dl(4, 4, face), d(4, 4, face), dr(4, 4, face);
        for (int i = 0; i < 4; ++i) {
            ul.Set(i, 0, GreyShade(0)), ul.Set(0, i, GreyShade(0)), ul.Set(i, 1, light), ul.Set(1, i, light);
            u.Set(i, 0, GreyShade(0)), u.Set(i, 1, light);
            ur.Set(i, 0, GreyShade(0)), ur.Set(3, i, GreyShade(0)), ur.Set(2, i, dark), ur.Set(i, 1, light);
            l.Set(0, i, GreyShade(0)), l.Set(1, i, light);
            r.Set(3, i, GreyShade(0)), r.Set(2, i, dark);
            dl.Set(0, i, GreyShade(0)), dl.Set(i, 3, GreyShade(0)), dl.Set(1, i, light), dl.Set(i, 2, dark);
            d.Set(i, 3, GreyShade(0)), d.Set(i, 2, dark);
            dr.Set(3, i, GreyShade(0)), dr.Set(i, 3, GreyShade(0)), dr.Set(2, i, dark), dr.Set(i, 2, dark);
        }
        ul.Set(0, 0, 0), ur.Set(3, 0, 0), dl.Set(0, 3, 0), dr.Set(3, 3, 0);
        const std::pair<const char*, Canvas*> parts[] = {
            {"btnfrm_ul", &ul}, {"btnfrm_u", &u},    {"btnfrm_ur", &ur},
            {"btnfrm_l", &l},   {"client", &client}, {"btnfrm_r", &r},
            {"btnfrm_dl", &dl}, {"btnfrm_d", &d},    {"btnfrm_dr", &dr}};
        for (const auto& [name, part] : parts) {
            if (!out.Image(folder / (std::string(name) + s), *part))
                return false;
        }
    }
    return true;
}

// ---- The whole set ----

struct Part {
    const char* name;
    void (*paint)(Canvas&);
};

void PaintCastle(Canvas& f)
{
    Castle(f, false, false, false);
}
void PaintCapital(Canvas& f)
{
    Castle(f, true, false, false);
}
void PaintCastleMoat(Canvas& f)
{
    Castle(f, false, true, false);
}
void PaintCapitalMoat(Canvas& f)
{
    Castle(f, true, true, false);
}
void PaintCastleOps(Canvas& f)
{
    Castle(f, false, false, true);
}
void PaintCatap1(Canvas& f)
{
    Catapults(f, 1);
}
void PaintCatap2(Canvas& f)
{
    Catapults(f, 2);
}
void PaintCatap3(Canvas& f)
{
    Catapults(f, 3);
}
void PaintCatap4(Canvas& f)
{
    Catapults(f, 4);
}
void PaintGuard1(Canvas& f)
{
    Guild(f, 1);
}
void PaintGuard2(Canvas& f)
{
    Guild(f, 2);
}
void PaintGuard3(Canvas& f)
{
    Guild(f, 3);
}
void PaintGuard4(Canvas& f)
{
    Guild(f, 4);
}

}  // namespace

bool DrawCastleArt(const ArtInput& in, ArtWriter& out)
{
    const fs::path skin = "Skin240";
    const fs::path icons = skin / "Images" / "Icons";
    const fs::path buttons = skin / "Images" / "Btn";
    const struct {
        const char* name;
        void (*paint)(Canvas&);
        int w, h;
    } parts[] = {
        {"Castle", PaintCastle, 20, 18},
        {"Capital", PaintCapital, 20, 18},
        {"CastleMoat", PaintCastleMoat, 20, 18},
        {"CapitalMoat", PaintCapitalMoat, 20, 18},
        {"CastleOps", PaintCastleOps, 20, 18},
        {"CastleCatap1", PaintCatap1, 12, 16},
        {"CastleCatap2", PaintCatap2, 20, 16},
        {"CastleCatap3", PaintCatap3, 26, 16},
        {"CastleCatap4", PaintCatap4, 32, 16},
        {"CastleFWall", FortWalls, 18, 16},
        {"CastleMarket", Market, 16, 16},
        {"CastleTavern", Tavern, 14, 16},
        {"CastleBank", Bank, 16, 16},
        {"CastleGuard1", PaintGuard1, 16, 16},
        {"CastleGuard2", PaintGuard2, 16, 16},
        {"CastleGuard3", PaintGuard3, 16, 16},
        {"CastleGuard4", PaintGuard4, 16, 16},
        {"CaslMtlMine", MetalMine, 16, 16},
        {"CaslStnMine", StoneMine, 16, 16},
    };
    for (const auto& p : parts) {
        Canvas small(p.w, p.h);
        p.paint(small);
        Canvas big(32, 30);
        p.paint(big);
        Canvas face(30, 26);
        p.paint(face);
        if (!out.Image(icons / (std::string(p.name)), small) ||
            !out.Image(icons / (std::string(p.name) + "Big"), big)) {
            return false;
        }
        // The status picture is no work of the panel; its button face is
        // the map window's castle action button, painted with that window.
        if (std::string(p.name) != "CastleOps" && !out.Image(buttons / (std::string(p.name)), face)) {
            return false;
        }
    }
    Canvas castleBig(44, 40);
    PaintCapital(castleBig);
    Canvas treb(44, 40), assassin(36, 38), robber(36, 38), scout(36, 36), raider(18, 18);
    Trebuchet(treb);
    Assassin(assassin);
    Robber(robber);
    Hooded(raider, Shade(kBlue, 5));
    raider.Outline(GreyShade(0));
    Scout(scout);
    const std::pair<const char*, Canvas*> emblems[] = {{"CastleBig", &castleBig}, {"Trebuchet", &treb},
                                                       {"Assassin", &assassin},   {"Robber", &robber},
                                                       {"Scout", &scout},         {"Raider", &raider}};
    for (const auto& [name, face] : emblems) {
        if (!out.Image(icons / (std::string(name)), *face))
            return false;
    }
    // Captions of the panel's operation buttons, in the game's font.
    const FontSource& font = in.font;
    const std::pair<const char*, const char*> captions[] = {{"CaslComplete", "Restore"},
                                                            {"CaslFastRpr", "Fast repair"},
                                                            {"CaslDemolish", "Demolish"},
                                                            {"CaslClose", "Close"}};
    for (const auto& [name, text] : captions) {
        if (!out.Image(buttons / (std::string(name)), Caption(font, text)))
            return false;
    }
    return WriteSkin(out, skin / "Skin" / "CastleBtn", kBrown, false) &&
           WriteSkin(out, skin / "Skin" / "CastleBtnDis", kBrown, true);
}

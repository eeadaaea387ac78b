// castleart: the castle windows' own art, written into a staging folder:
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
// is transparent. Files whose bytes would not change are left alone.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/encode/art_sources.h"
#include "tools/encode/generated_files.h"
#include "tools/encode/image_encoder.h"

namespace fs = std::filesystem;

namespace {

// Ramps of the base palette, dark (first) to light (+15).
constexpr uint8_t kGrey = 1;  // 1-15
constexpr uint8_t kRed = 16;
constexpr uint8_t kGreen = 32;
constexpr uint8_t kBlue = 48;
constexpr uint8_t kGold = 64;
constexpr uint8_t kWood = 80;
constexpr uint8_t kTan = 96;
constexpr uint8_t kSky = 112;
constexpr uint8_t kParch = 176;
constexpr uint8_t kSteel = 192;

uint8_t Shade(uint8_t ramp, int step)
{
    return static_cast<uint8_t>(ramp + std::clamp(step, 0, 15));
}
// The greys start at 1: step 0 is near black, 14 white.
uint8_t GreyShade(int step)
{
    return static_cast<uint8_t>(kGrey + std::clamp(step, 0, 14));
}

struct Face {
    int w, h;
    std::vector<uint8_t> px;
    Face(int width, int height, uint8_t fill = 0) : w(width), h(height), px(size_t(width * height), fill) {}
    void Set(int x, int y, uint8_t c)
    {
        if (x >= 0 && y >= 0 && x < w && y < h)
            px[size_t(y * w + x)] = c;
    }
    uint8_t At(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h ? px[size_t(y * w + x)] : 0; }
    void Fill(int x0, int y0, int x1, int y1, uint8_t c)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                Set(x, y, c);
    }
    void Frame(int x0, int y0, int x1, int y1, uint8_t c)
    {
        for (int x = x0; x <= x1; ++x)
            Set(x, y0, c), Set(x, y1, c);
        for (int y = y0; y <= y1; ++y)
            Set(x0, y, c), Set(x1, y, c);
    }
    void Line(int x0, int y0, int x1, int y1, uint8_t c)
    {
        const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= n; ++i) {
            const float t = n == 0 ? 0.0f : float(i) / float(n);
            Set(int(std::lround(x0 + (x1 - x0) * t)), int(std::lround(y0 + (y1 - y0) * t)), c);
        }
    }
    void Disc(float cx, float cy, float r, uint8_t c)
    {
        for (int y = int(cy - r - 1); y <= int(cy + r + 1); ++y)
            for (int x = int(cx - r - 1); x <= int(cx + r + 1); ++x)
                if ((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy) <= r * r)
                    Set(x, y, c);
    }
    // A dark rim around every painted pixel that touches the transparent
    // background, so pictures read on any panel.
    void Outline(uint8_t c)
    {
        Face copy = *this;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (copy.At(x, y) != 0)
                    continue;
                const bool near =
                    copy.At(x - 1, y) || copy.At(x + 1, y) || copy.At(x, y - 1) || copy.At(x, y + 1);
                if (near)
                    Set(x, y, c);
            }
    }
    IndexedPicture Picture() const
    {
        IndexedPicture p;
        p.width = uint16_t(w);
        p.height = uint16_t(h);
        p.pixels = px;
        return p;
    }
};

// ---- Writing ----

bool WritePicture(const fs::path& path, const Face& face, bool transparent = true)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    EncodeResult r = EncodeImage(face.Picture(), options);
    if (!r.ok()) {
        std::cerr << "castleart: " << path << ": " << r.error << "\n";
        return false;
    }
    return WriteIfChanged(path, r.bytes);
}

// ---- The castle parts, painted to any size ----

// A tower or wall block of stone with crenellations along its top.
void Stone(Face& f, int x0, int y0, int x1, int y1, int merlon)
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

void Castle(Face& f, bool capital, bool moat, bool ghost)
{
    const int w = f.w, h = f.h;
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
    f.Fill(gx, ground - std::max(3, h / 4), gx + gw - 1, ground, Shade(kWood, 2));
    f.Fill(gx, ground - std::max(3, h / 4), gx + gw - 1, ground - std::max(3, h / 4), GreyShade(4));
    for (int t : {tw / 2, w - tw + tw / 2})
        f.Fill(t, h / 5 + merlon + 2, t, h / 5 + merlon + 2 + h / 8, GreyShade(2));
    if (capital) {
        // A gold banner over the keep.
        const int px = w / 2;
        f.Fill(px, 0, px, wallTop, Shade(kWood, 4));
        f.Fill(px + 1, 0, px + std::max(3, w / 5), std::max(2, h / 6), Shade(kGold, 12));
        f.Fill(px + 1, std::max(2, h / 6), px + std::max(3, w / 5), std::max(2, h / 6), Shade(kGold, 7));
    }
    if (moat) {
        f.Fill(0, ground + 1, w - 1, h - 1, Shade(kBlue, 8));
        for (int x = 1; x < w; x += 4)
            f.Set(x, ground + 2, Shade(kSky, 13));
    }
    if (ghost) {
        // The castle no one has seen: only its outline, in grey.
        for (uint8_t& p : f.px)
            if (p != 0)
                p = GreyShade(5);
        f.Fill(w / 2 - 1, h / 3, w / 2, h / 3 + h / 5, GreyShade(13));
        f.Set(w / 2, h / 3 + h / 5 + 2, GreyShade(13));
    }
    f.Outline(GreyShade(0));
}

void Catapult(Face& f, int x0, int y0, int w, int h)
{
    const uint8_t wood = Shade(kWood, 9), dark = Shade(kWood, 5);
    const int base = y0 + h - std::max(2, h / 5);
    f.Fill(x0, base - 1, x0 + w - 1, base, wood);
    f.Disc(x0 + w * 0.2f, float(base + 1), std::max(1.2f, h / 7.0f), dark);
    f.Disc(x0 + w * 0.8f, float(base + 1), std::max(1.2f, h / 7.0f), dark);
    f.Line(x0 + w / 2, base - 1, x0 + w / 2, y0 + h / 3, dark);
    f.Line(x0 + 1, base - 2, x0 + w - 2, y0 + 1, wood);
    f.Disc(float(x0 + w - 2), float(y0 + 2), std::max(1.0f, h / 8.0f), GreyShade(8));
}

void Catapults(Face& f, int n)
{
    const int each = f.w / n;
    for (int i = 0; i < n; ++i)
        Catapult(f, i * each, (i % 2) * (f.h / 8), std::max(4, each + (n > 1 ? 1 : 0)), f.h - f.h / 8);
    f.Outline(GreyShade(0));
}

void FortWalls(Face& f)
{
    const int merlon = std::max(1, f.w / 8);
    Stone(f, 0, f.h / 4, f.w - 1, f.h - 1, merlon);
    // Buttresses of darker steel-grey stone.
    for (int x : {f.w / 4, 3 * f.w / 4}) {
        f.Fill(x - std::max(1, f.w / 12), f.h / 2, x + std::max(1, f.w / 12), f.h - 1, Shade(kSteel, 6));
        f.Fill(x - std::max(1, f.w / 12), f.h / 2, x - std::max(1, f.w / 12), f.h - 1, Shade(kSteel, 10));
    }
    f.Outline(GreyShade(0));
}

void Market(Face& f)
{
    const int awning = f.h / 3;
    f.Fill(1, awning, 1, f.h - 1, Shade(kWood, 6));
    f.Fill(f.w - 2, awning, f.w - 2, f.h - 1, Shade(kWood, 6));
    for (int x = 0; x < f.w; ++x)
        f.Fill(x, f.h / 8, x, awning, ((x / std::max(2, f.w / 6)) % 2) ? Shade(kParch, 15) : Shade(kRed, 10));
    f.Fill(2, f.h - f.h / 3, f.w - 3, f.h - 1, Shade(kWood, 9));
    f.Disc(f.w * 0.35f, f.h - f.h / 3.0f, f.h / 8.0f, Shade(kGreen, 11));
    f.Disc(f.w * 0.65f, f.h - f.h / 3.0f, f.h / 8.0f, Shade(kRed, 12));
    f.Outline(GreyShade(0));
}

void Tavern(Face& f)
{
    const int x0 = f.w / 5, x1 = f.w - f.w / 3, y0 = f.h / 4;
    f.Fill(x0, y0, x1, f.h - 2, Shade(kGold, 9));
    f.Fill(x0, y0, x0, f.h - 2, Shade(kGold, 13));
    f.Frame(x1 + 1, y0 + f.h / 8, f.w - 2, f.h - f.h / 4, Shade(kGold, 7));
    f.Fill(x0 - 1, y0 - f.h / 8, x1 + 1, y0, Shade(kParch, 15));
    f.Outline(GreyShade(0));
}

void Bank(Face& f)
{
    // Stacks of gold coins.
    const int cw = std::max(4, f.w / 2 - 1), ch = std::max(2, f.h / 8);
    for (int s = 0; s < 2; ++s) {
        const int x = s == 0 ? 0 : f.w - cw;
        const int stack = s == 0 ? 5 : 3;
        for (int i = 0; i < stack; ++i) {
            const int y = f.h - 1 - (i + 1) * ch;
            f.Fill(x, y, x + cw - 1, y + ch - 1, Shade(kGold, 10));
            f.Fill(x, y, x + cw - 1, y, Shade(kGold, 14));
        }
    }
    f.Outline(GreyShade(0));
}

void Guild(Face& f, int level)
{
    // A dagger, and one star per level.
    const uint8_t blade = Shade(kSteel, 13);
    f.Line(f.w / 4, f.h - f.h / 4, f.w - f.w / 4, f.h / 6, blade);
    f.Line(f.w / 4 + 1, f.h - f.h / 4, f.w - f.w / 4 + 1, f.h / 6, Shade(kSteel, 9));
    f.Line(f.w / 6, f.h - f.h / 2, f.w / 2 - 1, f.h - f.h / 6, Shade(kGold, 10));
    f.Fill(f.w / 8, f.h - f.h / 5, f.w / 4, f.h - 2, Shade(kWood, 6));
    for (int i = 0; i < level; ++i)
        f.Fill(1 + i * (f.w / 5), 1, 1 + i * (f.w / 5) + std::max(1, f.w / 12), 1 + std::max(1, f.w / 12),
               Shade(kGold, 14));
    f.Outline(GreyShade(0));
}

void MetalMine(Face& f)
{
    f.Fill(0, f.h / 2, f.w - 1, f.h - 1, Shade(kWood, 3));
    for (int i = 0; i < 4; ++i)
        f.Disc(f.w * (0.2f + 0.2f * i), f.h * (0.65f + 0.1f * (i % 2)), std::max(1.0f, f.h / 10.0f),
               Shade(kSteel, 13));
    // A pickaxe.
    f.Line(f.w / 5, f.h / 8, f.w - f.w / 4, f.h / 2, Shade(kWood, 10));
    f.Line(f.w / 2, 1, f.w / 8, f.h / 3, Shade(kSteel, 11));
    f.Outline(GreyShade(0));
}

void StoneMine(Face& f)
{
    const int bw = std::max(3, f.w / 3), bh = std::max(2, f.h / 4);
    const int rows[][2] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}};
    for (const auto& r : rows) {
        const int x = r[0] * bw + r[1] * bw / 2;
        const int y = f.h - 1 - (r[1] + 1) * bh;
        f.Fill(x, y, x + bw - 2, y + bh - 2, GreyShade(10 - r[1]));
        f.Fill(x, y, x + bw - 2, y, GreyShade(13));
    }
    f.Outline(GreyShade(0));
}

// ---- Emblems ----

void Trebuchet(Face& f)
{
    const uint8_t wood = Shade(kWood, 9), dark = Shade(kWood, 5);
    f.Fill(2, f.h - 6, f.w - 3, f.h - 4, wood);
    f.Disc(7, float(f.h - 3), 3, dark);
    f.Disc(float(f.w - 8), float(f.h - 3), 3, dark);
    f.Line(f.w / 2 - 6, f.h - 6, f.w / 2, f.h / 3, dark);
    f.Line(f.w / 2 + 6, f.h - 6, f.w / 2, f.h / 3, dark);
    f.Line(4, 6, f.w - 6, f.h / 2, wood);
    f.Fill(f.w - 9, f.h / 2 - 1, f.w - 4, f.h / 2 + 5, GreyShade(6));
    f.Line(4, 6, 6, 14, Shade(kParch, 10));
    f.Disc(6, 15, 2.5f, GreyShade(9));
    f.Outline(GreyShade(0));
}

void Hooded(Face& f, uint8_t cloak)
{
    f.Disc(f.w / 2.0f, f.h * 0.33f, f.w * 0.22f, cloak);
    f.Fill(f.w / 4, f.h / 3, f.w - f.w / 4 - 1, f.h - 1, cloak);
    f.Disc(f.w / 2.0f, f.h * 0.36f, f.w * 0.12f, GreyShade(1));
    f.Set(f.w / 2 - 2, f.h * 36 / 100, Shade(kGold, 14));
    f.Set(f.w / 2 + 1, f.h * 36 / 100, Shade(kGold, 14));
}

void Assassin(Face& f)
{
    Hooded(f, Shade(kBlue, 3));
    f.Line(f.w - f.w / 4, f.h / 2, f.w - 3, f.h / 5, Shade(kSteel, 14));
    f.Outline(GreyShade(0));
}

void Robber(Face& f)
{
    Hooded(f, Shade(kGreen, 4));
    f.Disc(f.w * 0.75f, f.h * 0.75f, f.w * 0.18f, Shade(kTan, 8));
    f.Disc(f.w * 0.75f, f.h * 0.72f, f.w * 0.06f, Shade(kGold, 14));
    f.Outline(GreyShade(0));
}

void Scout(Face& f)
{
    // An eye behind a spyglass.
    f.Disc(f.w / 2.0f, f.h / 2.0f, f.w * 0.4f, Shade(kParch, 14));
    f.Disc(f.w / 2.0f, f.h / 2.0f, f.w * 0.2f, Shade(kSky, 8));
    f.Disc(f.w / 2.0f, f.h / 2.0f, f.w * 0.09f, GreyShade(0));
    f.Line(f.w - 6, f.h - 6, f.w - 2, f.h - 2, Shade(kGold, 10));
    f.Outline(GreyShade(0));
}

// ---- Text button faces ----

int TextWidth(const FontSource& font, const std::string& text)
{
    int w = 0;
    for (unsigned char c : text) {
        if (c >= font.firstCode && c - font.firstCode < int(font.glyphs.size()))
            w += font.glyphs[c - font.firstCode].width;
    }
    return w;
}

void Text(Face& f, const FontSource& font, int x, int y, const std::string& text, uint8_t colour)
{
    for (unsigned char c : text) {
        if (c < font.firstCode || c - font.firstCode >= int(font.glyphs.size()))
            continue;
        const FontGlyph& g = font.glyphs[c - font.firstCode];
        for (int row = 0; row < int(g.rows.size()); ++row)
            for (int col = 0; col < g.width; ++col)
                if (g.rows[size_t(row)] & (1u << col))
                    f.Set(x + col, y + row, colour);
        x += g.width;
    }
}

Face Caption(const FontSource& font, const std::string& text)
{
    Face f(TextWidth(font, text) + 2, font.height + 2);
    Text(f, font, 2, 2, text, GreyShade(0));
    Text(f, font, 1, 1, text, Shade(kParch, 15));
    return f;
}

// ---- Button skins: nine parts, any size ----

bool WriteSkin(const fs::path& folder, uint8_t ramp, bool grey)
{
    const char* suffixes[] = {"", "_push", "_dis"};
    for (int look = 0; look < 3; ++look) {
        const bool dim = grey || look == 2;
        auto c = [&](int step) { return dim ? GreyShade(step - 2) : Shade(ramp, step); };
        const uint8_t light = look == 1 ? c(5) : c(13), dark = look == 1 ? c(13) : c(4),
                      face = look == 1 ? c(6) : c(8);
        const std::string s = suffixes[look];
        Face ul(4, 4, face), u(4, 4, face), ur(4, 4, face), l(4, 4, face), client(4, 4, face), r(4, 4, face),
            dl(4, 4, face), d(4, 4, face), dr(4, 4, face);
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
        const std::pair<const char*, Face*> parts[] = {
            {"btnfrm_ul", &ul}, {"btnfrm_u", &u},    {"btnfrm_ur", &ur},
            {"btnfrm_l", &l},   {"client", &client}, {"btnfrm_r", &r},
            {"btnfrm_dl", &dl}, {"btnfrm_d", &d},    {"btnfrm_dr", &dr}};
        for (const auto& [name, part] : parts) {
            if (!WritePicture(folder / (std::string(name) + s + ".img"), *part))
                return false;
        }
    }
    return true;
}

// ---- The whole set ----

struct Part {
    const char* name;
    void (*paint)(Face&);
};

void PaintCastle(Face& f)
{
    Castle(f, false, false, false);
}
void PaintCapital(Face& f)
{
    Castle(f, true, false, false);
}
void PaintCastleMoat(Face& f)
{
    Castle(f, false, true, false);
}
void PaintCapitalMoat(Face& f)
{
    Castle(f, true, true, false);
}
void PaintCastleOps(Face& f)
{
    Castle(f, false, false, true);
}
void PaintCatap1(Face& f)
{
    Catapults(f, 1);
}
void PaintCatap2(Face& f)
{
    Catapults(f, 2);
}
void PaintCatap3(Face& f)
{
    Catapults(f, 3);
}
void PaintCatap4(Face& f)
{
    Catapults(f, 4);
}
void PaintGuard1(Face& f)
{
    Guild(f, 1);
}
void PaintGuard2(Face& f)
{
    Guild(f, 2);
}
void PaintGuard3(Face& f)
{
    Guild(f, 3);
}
void PaintGuard4(Face& f)
{
    Guild(f, 4);
}

bool Run(const fs::path& data, const fs::path& out)
{
    const fs::path skin = out / "Skin240";
    const fs::path icons = skin / "Images" / "Icons";
    const fs::path buttons = skin / "Images" / "Btn";
    const struct {
        const char* name;
        void (*paint)(Face&);
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
        Face small(p.w, p.h);
        p.paint(small);
        Face big(32, 30);
        p.paint(big);
        Face face(30, 26);
        p.paint(face);
        if (!WritePicture(icons / (std::string(p.name) + ".img"), small) ||
            !WritePicture(icons / (std::string(p.name) + "Big.img"), big)) {
            return false;
        }
        // The status picture is no work of the panel; its button face is
        // the map window's castle action button, painted with that window.
        if (std::string(p.name) != "CastleOps" &&
            !WritePicture(buttons / (std::string(p.name) + ".img"), face)) {
            return false;
        }
    }
    Face castleBig(44, 40);
    PaintCapital(castleBig);
    Face treb(44, 40), assassin(36, 38), robber(36, 38), scout(36, 36), raider(18, 18);
    Trebuchet(treb);
    Assassin(assassin);
    Robber(robber);
    Hooded(raider, Shade(kBlue, 5));
    raider.Outline(GreyShade(0));
    Scout(scout);
    const std::pair<const char*, Face*> emblems[] = {{"CastleBig", &castleBig}, {"Trebuchet", &treb},
                                                     {"Assassin", &assassin},   {"Robber", &robber},
                                                     {"Scout", &scout},         {"Raider", &raider}};
    for (const auto& [name, face] : emblems) {
        if (!WritePicture(icons / (std::string(name) + ".img"), *face))
            return false;
    }
    // Captions of the panel's operation buttons, in the game's font.
    std::string fontText, error;
    FontSource font;
    if (!ReadWholeFile(data / "fonts" / "font.txt", fontText) ||
        !ParseFontSource(fontText, "font.txt", font, error)) {
        std::cerr << "castleart: cannot read the font: " << error << "\n";
        return false;
    }
    const std::pair<const char*, const char*> captions[] = {{"CaslComplete", "Restore"},
                                                            {"CaslFastRpr", "Fast repair"},
                                                            {"CaslDemolish", "Demolish"},
                                                            {"CaslClose", "Close"}};
    for (const auto& [name, text] : captions) {
        if (!WritePicture(buttons / (std::string(name) + ".img"), Caption(font, text)))
            return false;
    }
    return WriteSkin(skin / "Skin" / "CastleBtn", kWood, false) &&
           WriteSkin(skin / "Skin" / "CastleBtnDis", kWood, true);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: castleart <data folder> <staging folder>\n";
        return 2;
    }
    return Run(argv[1], argv[2]) ? 0 : 1;
}

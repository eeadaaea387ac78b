// The art of the map's operation windows (pack "mapdialogs"), below its
// staging folder:
//   Objects/Units/<id>/UnitInfo.img   a portrait of every squad type found in
//                                      data/game/Objects/Units (description window)
//   Images/Icons/melee, ranged, hp, speed   the value icons of the description
//                                      window and the battle screen's statistics panel
//   Images/Icons/Revolt               the transfer window's revolt warning
//   Images/Icons/DescrBg              the description window's background
//   Images/Btn/Accept, Yes, No        button faces
//   Skin/ReportFrame/frame_ul, frame_u, frame_ur   the rule between report entries
//   Sounds/vol_check.wav              the volume check of the preferences
// Everything is drawn in true colour from shapes and mapped to the game's
// palette "base".

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/painting.h"
#include "tools/encode/art_sources.h"

namespace fs = std::filesystem;

namespace {

const Colour kGoldLight = Hex(0xfff0a8), kGold = Hex(0xd8a840), kGoldDark = Hex(0x7a5418);
const Colour kInk = Hex(0x0c0a10);
const Colour kSteel = Hex(0xb8c0d0), kSteelDark = Hex(0x586070);
const Colour kWood = Hex(0x8a5a2a), kWoodDark = Hex(0x4a2e12);
const Colour kSkin = Hex(0xe0a878);
const Colour kText = Hex(0xf4e4b8);

// An anti-aliased thick line.
void Line(Painting& c, float x0, float y0, float x1, float y1, float width, const Colour& colour)
{
    c.Stroke(x0, y0, x1, y1, width, colour, 3);
}

// A polygon filled by scanning rows (even-odd rule).
void Polygon(Painting& c, const std::vector<std::pair<float, float>>& points, const Colour& colour)
{
    float top = 1e9f, bottom = -1e9f;
    for (const auto& [x, y] : points) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bottom)); ++y) {
        const float sy = static_cast<float>(y) + 0.5f;
        std::vector<float> xs;
        for (size_t i = 0; i < points.size(); ++i) {
            const auto& [ax, ay] = points[i];
            const auto& [bx, by] = points[(i + 1) % points.size()];
            if ((ay <= sy && by > sy) || (by <= sy && ay > sy))
                xs.push_back(ax + (sy - ay) * (bx - ax) / (by - ay));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            for (int x = static_cast<int>(std::ceil(xs[i] - 0.5f));
                 x <= static_cast<int>(std::floor(xs[i + 1] - 0.5f)); ++x)
                c.Set(x, y, colour, 1);
        }
    }
}

uint32_t NameHash(const std::string& name)
{
    uint32_t h = 2166136261u;
    for (unsigned char ch : name)
        h = (h ^ ch) * 16777619u;
    return h;
}

bool Contains(const std::string& name, const char* part)
{
    std::string lower = name;
    for (char& ch : lower)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return lower.find(part) != std::string::npos;
}

class MapDialogsArt {
public:
    MapDialogsArt(Quantizer q, const FontSource& font, ArtWriter& out)
        : m_q(std::move(q)), m_font(font), m_out(out)
    {}

    bool PaintAll(const std::vector<std::string>& units);

private:
    bool Image(const std::string& path, const Painting& canvas, bool transparent);
    bool Portrait(const std::string& unit);
    bool Icons();
    bool Background();
    bool ButtonFaces();
    bool ReportRule();
    bool CheckSound();

    Quantizer m_q;
    const FontSource& m_font;
    ArtWriter& m_out;
};

bool MapDialogsArt::Image(const std::string& path, const Painting& canvas, bool transparent)
{
    return m_out.Image(path, m_q.Convert(canvas, transparent), transparent);
}

// ---- Squad portraits ----

enum class Arms {
    Sword,
    Spear,
    Axe,
    Bow,
    Crossbow,
    Sling,
    Lance
};

Arms ArmsOf(const std::string& unit)
{
    if (Contains(unit, "crossbow"))
        return Arms::Crossbow;
    if (Contains(unit, "archer") || Contains(unit, "ranger"))
        return Arms::Bow;
    if (Contains(unit, "sling"))
        return Arms::Sling;
    if (Contains(unit, "spear") || Contains(unit, "warden") || Contains(unit, "fen"))
        return Arms::Spear;
    if (Contains(unit, "axe"))
        return Arms::Axe;
    if (Contains(unit, "horse") || Contains(unit, "knight"))
        return Arms::Lance;
    return Arms::Sword;
}

bool MapDialogsArt::Portrait(const std::string& unit)
{
    constexpr int W = 60, H = 84;
    Painting c(W, H);
    const uint32_t h = NameHash(unit);
    // Sky to meadow behind the figure.
    c.VerticalGradient(0, H - 1, {Hex(0x3a5a8a), Hex(0x8aa8c8), Hex(0x5a7a3a), Hex(0x2a3a1a)});
    for (int x = 0; x < W; ++x) {
        const int hill = 52 + static_cast<int>(4 * std::sin((x + static_cast<int>(h % 40)) * 0.12f));
        for (int y = hill; y < H; ++y)
            c.Blend(x, y, Hex(0x3a5a24), 0.6f);
    }
    const Arms arms = ArmsOf(unit);
    const bool mounted = arms == Arms::Lance;
    // The tunic's colour follows the name, so every squad type looks its own.
    const Colour tunics[] = {Hex(0xa02828), Hex(0x28508a), Hex(0x2a7a3a),
                             Hex(0x8a6a1a), Hex(0x6a2a7a), Hex(0x8a4a1a)};
    const Colour tunic = tunics[h % 6];
    const float cx = 30;
    float feet = 76, waist = 54, shoulders = 36, headY = 27;
    if (mounted) {
        // The horse stands in front, the rider sits higher.
        const Colour horse = (h & 0x100) ? Hex(0x5a3a22) : Hex(0x8a8070);
        c.FillRect(12, 52, 50, 66, horse);
        c.Disc(14, 58, 7, horse);
        c.Disc(48, 58, 7, horse);
        Line(c, 48, 54, 56, 40, 7, horse);
        c.Disc(56, 40, 5, horse);
        for (float lx : {16.0f, 24.0f, 40.0f, 47.0f})
            Line(c, lx, 64, lx, 80, 3, horse);
        Line(c, 8, 52, 4, 66, 2, kInk);  // the tail
        feet = 56;
        waist = 50;
        shoulders = 32;
        headY = 23;
    }
    // Legs, body, arms, head.
    if (!mounted) {
        Line(c, cx - 5, waist, cx - 7, feet, 4, kWoodDark);
        Line(c, cx + 5, waist, cx + 7, feet, 4, kWoodDark);
    }
    Polygon(c, {{cx - 9, shoulders}, {cx + 9, shoulders}, {cx + 11, waist + 4}, {cx - 11, waist + 4}}, tunic);
    c.FillRect(static_cast<int>(cx) - 10, static_cast<int>(waist) - 1, static_cast<int>(cx) + 10,
               static_cast<int>(waist) + 1, kWoodDark);
    c.Disc(cx, headY, 6, kSkin);
    // A helmet for the heavier arms, a hood for the others.
    if (arms == Arms::Sword || arms == Arms::Axe || arms == Arms::Lance || arms == Arms::Spear) {
        for (int y = static_cast<int>(headY) - 7; y <= static_cast<int>(headY) - 1; ++y)
            for (int x = static_cast<int>(cx) - 7; x <= static_cast<int>(cx) + 7; ++x)
                if (std::hypot(x + 0.5f - cx, y + 0.5f - headY) <= 7)
                    c.Set(x, y, kSteel, 1);
    } else {
        for (int y = static_cast<int>(headY) - 7; y <= static_cast<int>(headY) - 2; ++y)
            for (int x = static_cast<int>(cx) - 7; x <= static_cast<int>(cx) + 7; ++x)
                if (std::hypot(x + 0.5f - cx, y + 0.5f - headY) <= 7)
                    c.Set(x, y, Mix(tunic, kInk, 0.3f), 1);
    }
    const float hand = shoulders + 12;
    Line(c, cx - 8, shoulders + 2, cx - 14, hand, 3, kSkin);
    Line(c, cx + 8, shoulders + 2, cx + 14, hand, 3, kSkin);
    switch (arms) {
    case Arms::Sword:
        Line(c, cx + 14, hand, cx + 22, hand - 18, 3, kSteel);
        Line(c, cx + 11, hand - 2, cx + 17, hand + 2, 2, kGold);
        c.Disc(cx - 15, hand + 2, 7, kWoodDark);
        c.Disc(cx - 15, hand + 2, 5, Mix(tunic, kGold, 0.3f));
        break;
    case Arms::Spear:
        Line(c, cx + 14, feet, cx + 14, 6, 2, kWood);
        Polygon(c, {{cx + 11, 10}, {cx + 14, 1}, {cx + 17, 10}}, kSteel);
        break;
    case Arms::Axe:
        Line(c, cx + 14, hand + 6, cx + 18, hand - 20, 3, kWood);
        Polygon(c, {{cx + 17, hand - 22}, {cx + 27, hand - 26}, {cx + 27, hand - 12}, {cx + 18, hand - 14}},
                kSteel);
        break;
    case Arms::Bow:
        for (int i = 0; i <= 24; ++i) {
            const float a = -1.2f + 2.4f * static_cast<float>(i) / 24;
            c.Disc(cx - 12 + 8 * std::cos(a), hand - 2 + 16 * std::sin(a), 1.2f, kWood);
        }
        Line(c, cx - 12 + 8 * std::cos(-1.2f), hand - 2 + 16 * std::sin(-1.2f), cx - 12 + 8 * std::cos(1.2f),
             hand - 2 + 16 * std::sin(1.2f), 1, kText);
        break;
    case Arms::Crossbow:
        Line(c, cx - 16, hand, cx + 16, hand, 3, kWood);
        Line(c, cx + 12, hand - 8, cx + 12, hand + 8, 2, kSteelDark);
        break;
    case Arms::Sling:
        Line(c, cx + 14, hand, cx + 20, hand + 14, 1, kWoodDark);
        c.Disc(cx + 20, hand + 15, 2.5f, Hex(0x9a9a9a));
        break;
    case Arms::Lance:
        Line(c, cx + 12, hand, cx + 28, 4, 2, kWood);
        Polygon(c, {{cx + 14, hand + 2}, {cx + 18, hand - 4}, {cx + 20, hand + 6}}, kSteel);
        c.Disc(cx - 14, hand + 2, 6, Mix(tunic, kGold, 0.3f));
        break;
    }
    // A gilt frame.
    for (int i = 0; i < 2; ++i) {
        const Colour ring = i == 0 ? kGoldDark : kGold;
        c.FillRect(i, i, W - 1 - i, i, ring);
        c.FillRect(i, H - 1 - i, W - 1 - i, H - 1 - i, ring);
        c.FillRect(i, i, i, H - 1 - i, ring);
        c.FillRect(W - 1 - i, i, W - 1 - i, H - 1 - i, ring);
    }
    return Image("Objects/Units/" + unit + "/UnitInfo", c, false);
}

// ---- Icons ----

bool MapDialogsArt::Icons()
{
    Painting melee(16, 16);
    melee.Clear(0);
    Line(melee, 2, 2, 13, 13, 2, kSteel);
    Line(melee, 13, 2, 2, 13, 2, kSteel);
    Line(melee, 9, 12, 12, 9, 2, kGold);
    Line(melee, 4, 9, 7, 12, 2, kGold);

    Painting ranged(16, 16);
    ranged.Clear(0);
    Line(ranged, 2, 13, 12, 3, 1.5f, kWood);
    Polygon(ranged, {{9, 2}, {14, 1}, {13, 6}}, kSteel);
    Line(ranged, 2, 13, 5, 13, 1.5f, kText);
    Line(ranged, 2, 13, 2, 10, 1.5f, kText);

    Painting hp(16, 16);
    hp.Clear(0);
    hp.Disc(5, 6, 3.6f, Hex(0xd02828));
    hp.Disc(11, 6, 3.6f, Hex(0xd02828));
    Polygon(hp, {{1.6f, 7}, {14.4f, 7}, {8, 14.5f}}, Hex(0xd02828));
    hp.Disc(4.5f, 5, 1.2f, Hex(0xf8a0a0));

    Painting speed(16, 16);
    speed.Clear(0);
    for (float x0 : {2.0f, 8.0f}) {
        Line(speed, x0, 3, x0 + 5, 8, 2.2f, kGoldLight);
        Line(speed, x0 + 5, 8, x0, 13, 2.2f, kGoldLight);
    }

    Painting revolt(20, 20);
    revolt.Clear(0);
    Polygon(revolt, {{10, 1}, {19, 18}, {1, 18}}, Hex(0x2a0a04));
    Polygon(revolt, {{10, 3.5f}, {17, 16.8f}, {3, 16.8f}}, Hex(0xe04020));
    revolt.FillRect(9, 7, 10, 12, kText);
    revolt.FillRect(9, 14, 10, 15, kText);

    return Image("Images/Icons/melee", melee, true) && Image("Images/Icons/ranged", ranged, true) &&
           Image("Images/Icons/hp", hp, true) && Image("Images/Icons/speed", speed, true) &&
           Image("Images/Icons/Revolt", revolt, true);
}

// The description's client: a panel behind the values and a rule above the
// extras, in the dialogs' blued steel.
bool MapDialogsArt::Background()
{
    constexpr int W = 208, H = 168;
    Painting c(W, H);
    c.VerticalGradient(0, H - 1, {Hex(0x1c2030), Hex(0x181b28)});
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            c.Blend(x, y, Hex(0x262a3a), Hash(x % 8, y % 8, 23) * 0.35f);
    // The values' panel.
    c.FillRect(64, 2, W - 3, 83, Hex(0x10131c));
    c.FillRect(65, 3, W - 4, 82, Hex(0x232838));
    for (int i = 0; i < 3; ++i)
        c.FillRect(68, 21 + 20 * i, W - 7, 21 + 20 * i, Hex(0x343a4e));
    // The rule above the extras.
    c.FillRect(8, 94, W - 9, 94, kGoldDark);
    c.FillRect(8, 95, W - 9, 95, kGold);
    c.Disc(W / 2.0f, 95, 3, kGoldLight);
    return Image("Images/Icons/DescrBg", c, false);
}

// ---- Button faces ----

bool MapDialogsArt::ButtonFaces()
{
    auto face = [&](const std::string& text, int kind) {
        const int w = 14 + Painting::TextWidth(m_font, text) + 1;
        Painting c(w, 12);
        c.Clear(0);
        if (kind == 0) {  // a tick
            for (int i = 0; i < 3; ++i)
                c.FillRect(1 + i, 5 + i, 2 + i, 6 + i, Hex(0x70e070));
            for (int i = 0; i < 5; ++i)
                c.FillRect(4 + i, 7 - i, 5 + i, 8 - i, Hex(0x70e070));
        } else if (kind == 1) {  // a cross
            for (int i = 0; i < 7; ++i) {
                c.FillRect(1 + i, 2 + i, 2 + i, 2 + i, Hex(0xf06050));
                c.FillRect(7 - i, 2 + i, 8 - i, 2 + i, Hex(0xf06050));
            }
        } else {  // two arrows, goods changing hands
            Line(c, 1, 4, 9, 4, 1.2f, kGoldLight);
            Line(c, 7, 2, 9, 4, 1.2f, kGoldLight);
            Line(c, 1, 8, 9, 8, 1.2f, kGoldLight);
            Line(c, 1, 8, 3, 10, 1.2f, kGoldLight);
        }
        c.Text(m_font, 13, 1, text, kText);
        return c;
    };
    return Image("Images/Btn/Accept", face("Trade", 2), true) &&
           Image("Images/Btn/Yes", face("Yes", 0), true) && Image("Images/Btn/No", face("No", 1), true);
}

// ---- The rule between report entries ----

bool MapDialogsArt::ReportRule()
{
    constexpr int H = 7, Wc = 196;
    Painting left(8, H), centre(Wc, H), right(8, H);
    for (Painting* c : {&left, &centre, &right})
        c->Clear(0);
    centre.FillRect(0, 3, Wc - 1, 3, kGold);
    centre.FillRect(0, 4, Wc - 1, 4, kGoldDark);
    centre.Disc(Wc / 2.0f, 3.5f, 3, kGoldLight);
    centre.Disc(Wc / 2.0f, 3.5f, 1.5f, kGoldDark);
    Polygon(left, {{0, 3.5f}, {4, 0.5f}, {8, 3.5f}, {4, 6.5f}}, kGold);
    left.FillRect(6, 3, 7, 4, kGold);
    Polygon(right, {{0, 3.5f}, {4, 0.5f}, {8, 3.5f}, {4, 6.5f}}, kGold);
    right.FillRect(0, 3, 1, 4, kGold);
    return Image("Skin/ReportFrame/frame_ul", left, true) &&
           Image("Skin/ReportFrame/frame_u", centre, true) && Image("Skin/ReportFrame/frame_ur", right, true);
}

// ---- The volume check: a short, soft bell ----

bool MapDialogsArt::CheckSound()
{
    const std::string recipe = "rate 11025\nbits 8\nvolume 60\n"
                               "note sine 1320 1320 40 2 20\n"
                               "note sine 990 990 70 2 50\n";
    WavSource sound;
    std::string error;
    if (!SynthesizeSoundSource(recipe, "vol_check", sound, error))
        return m_out.Fail(error);
    return m_out.Wav("Sounds/vol_check", sound);
}

bool MapDialogsArt::PaintAll(const std::vector<std::string>& units)
{
    for (const std::string& unit : units) {
        if (!Portrait(unit))
            return false;
    }
    return Icons() && Background() && ButtonFaces() && ReportRule() && CheckSound();
}

}  // namespace

bool DrawMapDialogsArt(const ArtInput& in, ArtWriter& out)
{
    MapDialogsArt art(Quantizer(in.basePalette), in.font, out);
    return art.PaintAll(in.units);
}

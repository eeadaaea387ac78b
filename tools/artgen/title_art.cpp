// The title screen and the common skins for the 240 x 320 layout (pack
// "skins"), below its staging folder:
//   Skin240/Skin/Title/      the title screen (wallpaper, animations)
//   Skin240/Skin/Night/      the credits and help screens
//   Skin240/Skin/Screen/     full-screen windows with a title ribbon
//   Skin240/Skin/SquadScreen/   the same in pale stone, for the statistics
//   Skin240/Skin/Scroll, Dialog, Hint, Panel, SquadDialog, SquadPanel/
//   Skin240/Skin/Button, BtnHelp, ValueScroller/Btn_*, ScrollBar/, CheckBox/   buttons
//   Skin240/Images/Btn/Ok, Cancel    message box button faces
//   Skin240/Images/Icons/Title, Copyright   the title screen's pictures
//   Sounds/title_music, click, dlg_show, dlg_hide
// Everything is painted in true colour from seeded noise and shapes, then
// mapped to the game's palette "base".

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/painting.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/wav_encoder.h"

namespace {

// Where the title screen's menu plaque lies on the wallpaper (the menu's
// layout in data/ui/240x320/title.ui sits inside it).
constexpr int kPlaqueLeft = 48, kPlaqueTop = 160, kPlaqueRight = 191, kPlaqueBottom = 300;

class TitleArt {
public:
    TitleArt(const std::vector<Rgb>& palette, const FontSource& font, ArtWriter& out)
        : m_wholePalette(palette), m_overMap(Quantizer::OverTheMap(palette)), m_font(font), m_out(out)
    {}
    bool PaintAll();

private:
    bool Image(const std::string& path, const Painting& canvas, bool transparent, int hotX = 0, int hotY = 0);
    bool Animation(const std::string& path, const std::vector<Painting>& frames, int hotX, int hotY,
                   uint8_t rate, uint8_t loopBack);
    bool Sound(const std::string& path, const std::vector<uint8_t>& samples, uint32_t rate);

    bool TitleScreen();
    bool TextScreens();
    bool Frames();
    bool Buttons();
    bool Pictures();
    bool Sounds();

    Quantizer m_wholePalette;
    Quantizer m_overMap;
    const Quantizer* m_q = &m_wholePalette;
    const FontSource& m_font;
    ArtWriter& m_out;
};

constexpr const char* kSkin = "Skin240/Skin/";
constexpr int kW = 240, kH = 320;
constexpr int kHorizon = 150;

// The castle's parts, shared by the wallpaper and its animations.
struct Box {
    int x0, y0, x1, y1;
};
constexpr Box kLeftTower{146, 88, 157, 142};
constexpr Box kKeep{158, 100, 198, 142};
constexpr Box kMidTower{172, 74, 184, 100};
constexpr Box kRightTower{199, 92, 210, 142};
struct Window {
    int x, y, w, h;
};
constexpr Window kWindows[] = {{150, 100, 2, 4}, {150, 114, 2, 4}, {165, 112, 2, 4}, {177, 84, 2, 4},
                               {177, 110, 3, 5}, {189, 112, 2, 4}, {203, 104, 2, 4}, {165, 126, 2, 3},
                               {189, 126, 2, 3}, {203, 120, 2, 4}};
constexpr int kFlagX = 179, kFlagY = 47;
struct Star {
    int x, y;
};
constexpr Star kTwinkles[] = {{112, 30}, {206, 22}, {22, 112}};

const Colour kGoldLight = Hex(0xfff0a8), kGold = Hex(0xd8a840), kGoldDark = Hex(0x7a5418);
const Colour kInk = Hex(0x0c0a10);

float Ridge(float x, float base, float amplitude, float scale, uint32_t seed)
{
    return base - Fractal(x, 0, scale, 4, seed) * amplitude;
}

// A roof cone from (x0..x1) at its foot y up to the apex y.
void Cone(Painting& c, int x0, int x1, int foot, int apex, const Colour& colour)
{
    const float mid = (x0 + x1) / 2.0f, half = (x1 - x0) / 2.0f + 1;
    for (int y = apex; y <= foot; ++y) {
        const float t = static_cast<float>(y - apex) / static_cast<float>(foot - apex);
        const float w = half * t;
        for (int x = static_cast<int>(mid - w); x <= static_cast<int>(mid + w); ++x)
            c.Blend(x, y, colour);
    }
}

// A branch from (x, y) at an angle (radians, 0 = right, -pi/2 = up) that
// forks into two thinner ones, bent by the wind toward the right.
void Branch(Painting& c, float x, float y, float angle, float length, float width, int depth,
            const Colour& colour)
{
    const float ex = x + std::cos(angle) * length, ey = y + std::sin(angle) * length;
    const int steps = static_cast<int>(length * 2) + 1;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        c.Disc(x + (ex - x) * t, y + (ey - y) * t, std::max(0.5f, width * (1 - 0.3f * t)), colour);
    }
    if (depth == 0)
        return;
    const float spread = 0.35f + 0.15f * Hash(depth, static_cast<int>(x), 9);
    Branch(c, ex, ey, angle - spread + 0.12f, length * 0.68f, width * 0.62f, depth - 1, colour);
    Branch(c, ex, ey, angle + spread + 0.12f, length * 0.6f, width * 0.55f, depth - 1, colour);
}

void Battlements(Painting& c, int x0, int x1, int top, const Colour& colour)
{
    for (int x = x0; x <= x1; ++x)
        if (((x - x0) / 3) % 2 == 0)
            c.FillRect(x, top - 3, x, top - 1, colour);
}

void Tower(Painting& c, const Box& b, const Colour& body, const Colour& rim)
{
    c.FillRect(b.x0, b.y0, b.x1, b.y1, body);
    // The sunset lights the towers' left edges.
    c.FillRect(b.x0, b.y0, b.x0, b.y1, rim, 0.7f);
}

// Letters in the game font, drawn large in bevelled gold with an outline.
Painting GoldLettering(const FontSource& font, const std::string& text, int scale, int pad)
{
    const int textW = Painting::TextWidth(font, text, scale);
    const int textH = font.height * scale;
    Painting mask(textW + 2 * pad, textH + 2 * pad);
    mask.Text(font, pad, pad, text, Hex(0xffffff), scale);
    Painting out(mask.Width(), mask.Height());
    auto solid = [&](int x, int y) { return mask.Inside(x, y) && mask.Alpha(x, y) > 0.5f; };
    // Shadow, then outline, then the letters.
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            if (solid(x - 3, y - 3))
                out.Blend(x, y, kInk, 0.75f);
            bool near = false;
            for (int dy = -2; dy <= 2 && !near; ++dy)
                for (int dx = -2; dx <= 2 && !near; ++dx)
                    if (std::abs(dx) + std::abs(dy) <= 3 && solid(x + dx, y + dy))
                        near = true;
            if (near)
                out.Blend(x, y, Hex(0x2a1604));
        }
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            if (!solid(x, y))
                continue;
            const float t = static_cast<float>(y - pad) / static_cast<float>(std::max(1, textH - 1));
            Colour c =
                t < 0.45f ? Mix(kGoldLight, kGold, t / 0.45f) : Mix(kGold, kGoldDark, (t - 0.45f) / 0.55f);
            // Bevel inside each letter stroke: lit from the top left.
            if (!solid(x - 1, y) || !solid(x, y - 1))
                c = Mix(c, kGoldLight, 0.6f);
            if (!solid(x + 1, y) || !solid(x, y + 1))
                c = Mix(c, Hex(0x5a3808), 0.55f);
            out.Set(x, y, c, 1);
        }
    return out;
}

bool TitleArt::Image(const std::string& path, const Painting& canvas, bool transparent, int hotX, int hotY)
{
    return m_out.Image(path, m_q->Convert(canvas, transparent), transparent, hotX, hotY);
}

bool TitleArt::Animation(const std::string& path, const std::vector<Painting>& frames, int hotX, int hotY,
                         uint8_t rate, uint8_t loopBack)
{
    std::vector<Canvas> pictures;
    for (const Painting& frame : frames)
        pictures.push_back(m_q->Convert(frame, true));
    return m_out.Anim(path, pictures, hotX, hotY, rate, loopBack);
}

bool TitleArt::Sound(const std::string& path, const std::vector<uint8_t>& samples, uint32_t rate)
{
    WavSource source;
    source.channels = 1;
    source.samplesPerSecond = rate;
    source.bitsPerSample = 8;
    source.samples = samples;
    return m_out.Wav(path, source);
}

bool TitleArt::PaintAll()
{
    // The title screen is never up with the map; the frames, buttons and
    // screens of the windows are, and the map's palette must not tint them.
    m_q = &m_wholePalette;
    if (!TitleScreen())
        return false;
    m_q = &m_overMap;
    return TextScreens() && Frames() && Buttons() && Pictures() && Sounds();
}

// ---- The title screen ----

bool TitleArt::TitleScreen()
{
    Painting c(kW, kH);
    // Dusk: deep night above, the last of the sunset on the horizon.
    c.VerticalGradient(
        0, kHorizon,
        {Hex(0x060818), Hex(0x12163c), Hex(0x2c2050), Hex(0x5a2c58), Hex(0xb45438), Hex(0xf0a048)});
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < kW; ++x) {
            const float h = Hash(x, y, 7);
            if (h > 0.9965f)
                c.Blend(x, y, Hex(0xfff8e0), (h - 0.9965f) / 0.0035f * (1.0f - y / 130.0f));
        }
    // Thin clouds lit from below.
    for (int y = 60; y < 140; ++y)
        for (int x = 0; x < kW; ++x) {
            const float n = Fractal(x * 0.6f, y * 2.2f, 40, 4, 31);
            if (n > 0.58f)
                c.Blend(x, y, Mix(Hex(0x3a2a5a), Hex(0xe07a48), (y - 60) / 80.0f), (n - 0.58f) * 2.5f);
        }
    // The moon with its halo.
    for (int r = 30; r > 14; --r)
        c.Disc(44, 72, static_cast<float>(r), Hex(0xa0a0d0), 0.025f);
    c.Disc(44, 72, 13, Hex(0xf4ecc8));
    for (int i = 0; i < 5; ++i)
        c.Disc(38.0f + Hash(i, 1, 3) * 12, 66.0f + Hash(i, 2, 3) * 12, 1.5f + Hash(i, 3, 3) * 2,
               Hex(0xc8c0a0), 0.6f);

    // Far mountains, hazy, then nearer hills.
    for (int x = 0; x < kW; ++x) {
        const int far = static_cast<int>(Ridge(static_cast<float>(x), 146, 40, 60, 11));
        for (int y = far; y <= kHorizon + 6; ++y)
            c.Set(x, y, Mix(Hex(0x5a3e62), Hex(0x2e2440), (y - far) / 30.0f), 1);
        const int nearTop = static_cast<int>(Ridge(static_cast<float>(x), 158, 16, 35, 19));
        for (int y = nearTop; y <= 170; ++y)
            c.Set(x, y, Mix(Hex(0x2a2034), Hex(0x1c1624), (y - nearTop) / 14.0f), 1);
    }
    // The moor, darkening toward the viewer, with heather and grass.
    for (int y = 156; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const int nearTop = static_cast<int>(Ridge(static_cast<float>(x), 158, 16, 35, 19));
            if (y < std::max(nearTop + 6, 163))
                continue;
            const float depth = (y - 160) / 160.0f;
            Colour ground = Mix(Mix(Hex(0x4a4a2a), Hex(0x2e3a1e), depth * 2), Hex(0x0e120a), depth);
            const float heather = Fractal(x * 1.5f, y * 3.0f, 30, 3, 41);
            if (heather > 0.55f)
                ground = Mix(ground, Hex(0x4a2848), (heather - 0.55f) * 2.0f * (1 - depth * 0.6f));
            const float grass = Hash(x, y, 43);
            if (grass > 0.8f)
                ground = Mix(ground, Hex(0x46542c), 0.35f);
            c.Set(x, y, ground, 1);
        }
    // A path winding up to the castle.
    for (int y = 168; y < kH; ++y) {
        const float t = (y - 168) / 152.0f;
        const float cx = 176 - 70 * t + std::sin(t * 5.0f) * 14;
        const float half = 2 + 18 * t * t;
        for (int x = static_cast<int>(cx - half); x <= static_cast<int>(cx + half); ++x)
            c.Blend(x, y, Mix(Hex(0x6a5438), Hex(0x3a2c1c), t), 0.55f * (1 - std::abs(x - cx) / (half + 1)));
    }
    // A lone wind-bent tree and two standing stones on the left rise.
    Branch(c, 22, 166, -1.45f, 26, 3.0f, 6, Hex(0x120e14));
    for (const auto& [x, h] : {std::pair{44, 9}, std::pair{54, 6}}) {
        c.FillRect(x, 164 - h, x + 3, 164, Hex(0x1a1620));
        c.FillRect(x, 164 - h, x, 164, Hex(0x6a4a50), 0.6f);
    }
    // The crag and the castle, dark against the sunset.
    const Colour stone = Hex(0x18121e), rim = Hex(0xd0703c);
    for (int x = 124; x < kW; ++x) {
        const float d = std::abs(x - 180.0f) / 58.0f;
        const int top = static_cast<int>(140 + d * d * 26 - Fractal(static_cast<float>(x), 3, 8, 2, 5) * 6);
        for (int y = top; y <= 176; ++y)
            c.Set(x, y, Mix(Hex(0x241a2a), Hex(0x120e16), (y - top) / 30.0f), 1);
        c.Blend(x, top, rim, 0.35f);
    }
    Tower(c, kLeftTower, stone, rim);
    Tower(c, kKeep, stone, rim);
    Tower(c, kMidTower, stone, rim);
    Tower(c, kRightTower, stone, rim);
    Battlements(c, kKeep.x0, kKeep.x1, kKeep.y0, stone);
    Cone(c, kLeftTower.x0 - 1, kLeftTower.x1 + 1, kLeftTower.y0 - 1, 70, Hex(0x2a1420));
    Cone(c, kRightTower.x0 - 1, kRightTower.x1 + 1, kRightTower.y0 - 1, 76, Hex(0x2a1420));
    Cone(c, kMidTower.x0 - 1, kMidTower.x1 + 1, kMidTower.y0 - 1, 58, Hex(0x2a1420));
    c.FillRect(kFlagX - 1, 46, kFlagX - 1, 58, Hex(0x80684c));
    for (const Window& w : kWindows)
        c.FillRect(w.x, w.y, w.x + w.w - 1, w.y + w.h - 1, Hex(0xffc860));
    // The gate.
    c.FillRect(174, 130, 182, 142, Hex(0x0a0608));
    c.Disc(178, 131, 4.5f, Hex(0x0a0608));

    // The plaque the menu sits on: dark glass in a gold frame.
    for (int y = kPlaqueTop; y <= kPlaqueBottom; ++y)
        for (int x = kPlaqueLeft; x <= kPlaqueRight; ++x)
            c.Set(x, y, Mix(c.At(x, y), kInk, 0.72f), 1);
    c.Bevel(kPlaqueLeft, kPlaqueTop, kPlaqueRight, kPlaqueBottom, kGold, kGoldDark);
    c.Bevel(kPlaqueLeft + 2, kPlaqueTop + 2, kPlaqueRight - 2, kPlaqueBottom - 2, kGoldDark, kGold);
    for (const auto& [x, y] :
         {std::pair{kPlaqueLeft, kPlaqueTop}, std::pair{kPlaqueRight, kPlaqueTop},
          std::pair{kPlaqueLeft, kPlaqueBottom}, std::pair{kPlaqueRight, kPlaqueBottom}}) {
        c.Disc(x + 0.5f, y + 0.5f, 3.5f, kGold);
        c.Disc(x - 0.5f, y - 0.5f, 1.5f, kGoldLight);
    }
    // A gold rule under the title lettering.
    for (int x = 40; x < 200; ++x)
        c.Blend(x, 47, kGold, 1.0f - std::abs(x - 120) / 80.0f);
    c.Disc(120.5f, 47.5f, 2.5f, kGoldLight);
    if (!Image(std::string(kSkin) + "Title/wallpaper", c, false))
        return false;

    // The banner on the high tower.
    std::vector<Painting> flag;
    for (int f = 0; f < 4; ++f) {
        Painting frame(14, 10);
        for (int x = 0; x < 13; ++x) {
            const float wave = std::sin((x * 0.7f) - f * 1.57f) * 1.2f * (x / 12.0f);
            const int top = static_cast<int>(std::lround(1 + wave)),
                      bottom = static_cast<int>(std::lround(6 + wave));
            for (int y = top; y <= bottom; ++y) {
                const float shade = 0.75f + 0.25f * std::cos((x * 0.7f) - f * 1.57f);
                frame.Set(x, y, Scale(Hex(0xd02828), shade), 1);
            }
            if (x > 3 && x < 9)
                frame.Set(x, top + 3, Hex(0xf0c040), 1);
        }
        flag.push_back(frame);
    }
    if (!Animation(std::string(kSkin) + "Title/animation001", flag, -kFlagX, -(kFlagY - 1), 60, 0))
        return false;

    // Candle-lit windows that flicker.
    const int wx0 = kLeftTower.x0, wy0 = kMidTower.y0, ww = kRightTower.x1 - wx0 + 1, wh = kKeep.y1 - wy0 + 1;
    std::vector<Painting> windows;
    for (int f = 0; f < 6; ++f) {
        Painting frame(ww, wh);
        int i = 0;
        for (const Window& w : kWindows) {
            const float h = Hash(i++, f, 77);
            const Colour lit = h > 0.8f ? Hex(0xfff0a0) : (h < 0.2f ? Hex(0xc07830) : Hex(0xffc860));
            frame.FillRect(w.x - wx0, w.y - wy0, w.x - wx0 + w.w - 1, w.y - wy0 + w.h - 1, lit);
        }
        windows.push_back(frame);
    }
    if (!Animation(std::string(kSkin) + "Title/animation002", windows, -wx0, -wy0, 40, 0))
        return false;

    // Three stars that twinkle, each with its own rhythm.
    int n = 3;
    for (const Star& star : kTwinkles) {
        std::vector<Painting> frames;
        const int length = 4 + n;
        for (int f = 0; f < length; ++f) {
            Painting frame(5, 5);
            const float glow = f == 1 ? 1.0f : (f == 0 || f == 2 ? 0.6f : 0.25f);
            frame.Set(2, 2, Mix(Hex(0x8080a0), Hex(0xffffff), glow), 1);
            if (glow > 0.5f) {
                for (const auto& [dx, dy] :
                     {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
                    frame.Set(2 + dx, 2 + dy, Mix(Hex(0x404070), Hex(0xd0d8ff), glow - 0.3f), 1);
            }
            if (glow > 0.9f) {
                for (const auto& [dx, dy] :
                     {std::pair{2, 0}, std::pair{-2, 0}, std::pair{0, 2}, std::pair{0, -2}})
                    frame.Set(2 + dx, 2 + dy, Hex(0x6068a0), 1);
            }
            frames.push_back(frame);
        }
        char name[32];
        std::snprintf(name, sizeof name, "Title/animation%03d", n);
        if (!Animation(std::string(kSkin) + name, frames, -(star.x - 2), -(star.y - 2), 50, 0))
            return false;
        ++n;
    }

    // The game's name in gold over the sky.
    Painting logo = GoldLettering(m_font, "THARNMOOR", 3, 4);
    if (!Image("Skin240/Images/Icons/Title", logo, true))
        return false;
    Painting notice(220, 12);
    const std::string line = "(c) 2026 Drevik Games";
    const int lineX = (220 - Painting::TextWidth(m_font, line)) / 2;
    notice.Text(m_font, lineX + 1, 2, line, kInk);
    notice.Text(m_font, lineX, 1, line, Hex(0xc8b078));
    return Image("Skin240/Images/Icons/Copyright", notice, true);
}

// ---- The credits, help and other full screens ----

bool TitleArt::TextScreens()
{
    Painting night(kW, kH);
    night.VerticalGradient(0, kH - 1, {Hex(0x0a0c1c), Hex(0x161c34), Hex(0x0e1024)});
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const float h = Hash(x, y, 91);
            if (h > 0.998f)
                night.Blend(x, y, Hex(0x9098c0), 0.5f);
            const float edge = std::min({x, y, kW - 1 - x, kH - 1 - y}) / 30.0f;
            if (edge < 1)
                night.Set(x, y, Mix(kInk, night.At(x, y), edge), 1);
        }
    night.Bevel(2, 2, kW - 3, kH - 3, kGoldDark, kGoldDark);
    night.Bevel(4, 4, kW - 5, kH - 5, kGold, kGoldDark);
    for (const auto& [x, y] :
         {std::pair{4, 4}, std::pair{kW - 5, 4}, std::pair{4, kH - 5}, std::pair{kW - 5, kH - 5}})
        night.Disc(x + 0.5f, y + 0.5f, 3.0f, kGold);
    if (!Image(std::string(kSkin) + "Night/wallpaper", night, false))
        return false;

    // Dressed stone for the full-screen windows of the menus: dark, and a
    // pale one behind the end-of-game statistics, whose squad icons draw
    // their numbers in dark greys. The pale stone darkens little at the
    // edges, where the lists start.
    struct Stone {
        const char* skin;
        Colour low, high, tint, mortar;
        float edgeFloor;
    };
    const Stone stones[] = {
        {"Screen", Hex(0x1c1e28), Hex(0x343644), Hex(0x2a2430), Hex(0x0e0e14), 0.4f},
        {"SquadScreen", Hex(0xdedacf), Hex(0xeeebe4), Hex(0xe6dfd4), Hex(0xc4beb0), 0.85f},
    };
    for (const Stone& kind : stones) {
        Painting stone(kW, kH);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const int row = y / 16, offset = (row % 2) * 12;
                const bool mortar = (y % 16 == 0) || ((x + offset) % 24 == 0);
                const float n = Fractal(static_cast<float>(x), static_cast<float>(y), 12, 3, 17);
                Colour c = Mix(kind.low, kind.high, n);
                c = Mix(c, kind.tint, Hash((x + offset) / 24, row, 5) * 0.5f);
                if (mortar)
                    c = kind.mortar;
                const float edge = std::min({x, y, kW - 1 - x, kH - 1 - y}) / 40.0f;
                if (edge < 1)
                    c = Mix(kInk, c, kind.edgeFloor + (1 - kind.edgeFloor) * edge);
                stone.Set(x, y, c, 1);
            }
        if (!Image(std::string(kSkin) + kind.skin + "/wallpaper", stone, false))
            return false;
    }

    // The ribbon under a screen's title.
    auto ribbon = [&](int w, int h, int part) {
        Painting r(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Colour body = Mix(Hex(0xa02424), Hex(0x4a0c10), static_cast<float>(y) / h);
                if (y == 1 || y == h - 2)
                    body = kGold;
                if (y == 0 || y == h - 1)
                    body = kGoldDark;
                bool inside = true;
                // Swallow-tail ends.
                if (part == 0)
                    inside = x >= std::abs(y - h / 2) / 2;
                if (part == 2)
                    inside = (w - 1 - x) >= std::abs(y - h / 2) / 2;
                if (inside)
                    r.Set(x, y, body, 1);
            }
        return r;
    };
    for (const Stone& kind : stones) {
        const std::string folder = std::string(kSkin) + kind.skin + "/";
        if (!Image(folder + "title_l", ribbon(10, 18, 0), true) ||
            !Image(folder + "title_c", ribbon(4, 18, 1), true) ||
            !Image(folder + "title_r", ribbon(10, 18, 2), true))
            return false;
    }
    return true;
}

// ---- Frame skins ----

struct FrameStyle {
    int border;                  // width of the border
    std::vector<Colour> rings;   // from the outside in, one per pixel of the border
    Colour client, clientNoise;  // the client tile and its grain
    bool ribbon;                 // a title ribbon
    Colour ribbonTop, ribbonBottom;
};

Painting PaintFrame(const FrameStyle& s, int size)
{
    Painting c(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int d = std::min({x, y, size - 1 - x, size - 1 - y});
            if (d < s.border) {
                Colour ring =
                    s.rings[static_cast<size_t>(std::min<int>(d, static_cast<int>(s.rings.size()) - 1))];
                // Light from the top left.
                if (x + y < size - 1)
                    ring = Mix(ring, Hex(0xffffff), 0.12f);
                c.Set(x, y, ring, 1);
            } else {
                const float g = Hash(x % 8, y % 8, 23);
                c.Set(x, y, Mix(s.client, s.clientNoise, g * 0.5f), 1);
            }
        }
    // Rounded outer corners.
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{size - 1, 0}, std::pair{0, size - 1}, std::pair{size - 1, size - 1}})
        c.Set(x, y, Colour{}, 0);
    return c;
}

bool TitleArt::Frames()
{
    const FrameStyle styles[] = {
        // The message box: a gilt frame round dark leather.
        {7,
         {Hex(0x1a0e06), kGoldLight, kGold, kGoldDark, Hex(0x5a3a1e), Hex(0x3a2414), Hex(0x1a0e06)},
         Hex(0x2a1e14),
         Hex(0x3a2a1c),
         true,
         Hex(0xa02424),
         Hex(0x4a0c10)},
        // Dialogs: blued steel with a gold inner line.
        {6,
         {Hex(0x0a0c12), Hex(0x8890a8), Hex(0x50586c), Hex(0x343a4a), kGold, Hex(0x0a0c12)},
         Hex(0x1a1e2a),
         Hex(0x242836),
         true,
         Hex(0x28407a),
         Hex(0x101c3a)},
        // Hints: a parchment edge wide enough to hold the pointing arrow.
        {6,
         {Hex(0x2a1c0c), Hex(0xc8a868), Hex(0xa08850), Hex(0x8a7040), Hex(0x6a5030), Hex(0x2a1c0c)},
         Hex(0x2a2418),
         Hex(0x342c1e),
         false,
         {},
         {}},
        // Panels: a sunken bevel.
        {2, {Hex(0x08080c), Hex(0x3a3e4c)}, Hex(0x181a22), Hex(0x20222c), false, {}, {}},
        // Dialogs holding squad lists: the same frame round a light steel
        // face, for the icons' dark numbers.
        {6,
         {Hex(0x0a0c12), Hex(0x8890a8), Hex(0x50586c), Hex(0x343a4a), kGold, Hex(0x0a0c12)},
         Hex(0xdcdfe4),
         Hex(0xd4d7dc),
         true,
         Hex(0x28407a),
         Hex(0x101c3a)},
        // Panels holding squad lists: the icons' numbers are dark greys, so
        // the face is a light steel they stand out on; texts there are dark.
        {2, {Hex(0x08080c), Hex(0x8a90a0)}, Hex(0xdcdfe4), Hex(0xd4d7dc), false, {}, {}},
    };
    const char* names[] = {"Scroll", "Dialog", "Hint", "Panel", "SquadDialog", "SquadPanel"};
    for (int i = 0; i < 6; ++i) {
        const FrameStyle& s = styles[i];
        const int b = s.border, tile = 8, size = 2 * b + tile;
        const Painting c = PaintFrame(s, size);
        const std::string folder = std::string(kSkin) + names[i] + "/";
        const struct {
            const char* name;
            int x, y, w, h;
        } parts[] = {
            {"frame_ul", 0, 0, b, b},
            {"frame_u", b, 0, tile, b},
            {"frame_ur", b + tile, 0, b, b},
            {"frame_l", 0, b, b, tile},
            {"client", b, b, tile, tile},
            {"frame_r", b + tile, b, b, tile},
            {"frame_dl", 0, b + tile, b, b},
            {"frame_d", b, b + tile, tile, b},
            {"frame_dr", b + tile, b + tile, b, b},
        };
        for (const auto& p : parts) {
            const bool corner = p.w == b && p.h == b;
            if (!Image(folder + p.name, c.Crop(p.x, p.y, p.w, p.h), corner))
                return false;
        }
        if (i == 2) {
            // The hint's arrows: a tip at the image's hot spot, drawn in the
            // balloon's border band at the tapped point.
            const char* arrowNames[] = {"arrow_ul", "arrow_ur", "arrow_dl", "arrow_dr"};
            for (int a = 0; a < 4; ++a) {
                const bool up = a < 2, right = (a % 2) == 1;
                Painting arrow(9, 6);
                for (int row = 0; row < 6; ++row) {
                    const int y = up ? row : 5 - row;
                    for (int x = 0; x < 9; ++x) {
                        // A slanted wedge leaning toward the side of the screen it is on.
                        const int tip = right ? 6 : 2;
                        const int from = tip - row * (right ? 1 : 0) - row / 2,
                                  to = tip + row * (right ? 0 : 1) + row / 2;
                        if (x >= from && x <= to)
                            arrow.Set(x, y, row == 5 ? Hex(0x2a1c0c) : kGoldLight, 1);
                    }
                }
                const int tipX = right ? 6 : 2;
                if (!Image(folder + arrowNames[a], arrow, true, tipX, up ? 0 : 5))
                    return false;
            }
        }
        if (!s.ribbon)
            continue;
        auto ribbon = [&](int w, int part) {
            Painting r(w, 16);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < w; ++x) {
                    Colour body = Mix(s.ribbonTop, s.ribbonBottom, y / 16.0f);
                    if (y == 1 || y == 14)
                        body = kGold;
                    if (y == 0 || y == 15)
                        body = kGoldDark;
                    const int cut = std::abs(y * 2 - 15) / 4;
                    if ((part == 0 && x < cut) || (part == 2 && w - 1 - x < cut))
                        continue;
                    r.Set(x, y, body, 1);
                }
            return r;
        };
        if (!Image(folder + "title_l", ribbon(8, 0), true) ||
            !Image(folder + "title_c", ribbon(4, 1), true) || !Image(folder + "title_r", ribbon(8, 2), true))
            return false;
    }
    return true;
}

// ---- Buttons ----

enum Look {
    Normal,
    Pushed,
    Disabled
};

// A rounded button face of the given size.
Painting ButtonFace(int w, int h, Look look)
{
    Painting c(w, h);
    Colour top = Hex(0x7a5430), bottom = Hex(0x3a2412), rim = kGold, rimDark = kGoldDark;
    if (look == Pushed) {
        top = Hex(0x2e1c0c);
        bottom = Hex(0x5a3c20);
        rim = kGoldDark;
        rimDark = kGold;
    } else if (look == Disabled) {
        top = Hex(0x4a4a4e);
        bottom = Hex(0x2a2a2e);
        rim = Hex(0x78787c);
        rimDark = Hex(0x48484c);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
            if (corner)
                continue;
            const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            Colour p = Mix(top, bottom, static_cast<float>(y) / (h - 1));
            if (edge)
                p = Hex(0x100804);
            else if (x == 1 || y == 1)
                p = rim;
            else if (x == w - 2 || y == h - 2)
                p = rimDark;
            c.Set(x, y, p, 1);
        }
    return c;
}

// A small triangle pointing left (dir -1) or right (dir 1) with its tip at x.
void Arrow(Painting& c, int tipX, int cy, int dir, const Colour& colour)
{
    for (int i = 0; i < 5; ++i)
        for (int y = cy - i; y <= cy + i; ++y)
            c.Set(tipX - dir * i, y, colour, 1);
}

bool TitleArt::Buttons()
{
    const char* suffix[] = {"", "_push", "_dis"};
    const std::string skin(kSkin);
    for (int look = Normal; look <= Disabled; ++look) {
        const Painting face = ButtonFace(16, 22, static_cast<Look>(look));
        const std::string s = suffix[look];
        if (!Image(skin + "Button/btn_l" + s, face.Crop(0, 0, 6, 22), true) ||
            !Image(skin + "Button/btn_c" + s, face.Crop(6, 0, 4, 22), false) ||
            !Image(skin + "Button/btn_r" + s, face.Crop(10, 0, 6, 22), true))
            return false;

        // Arrow buttons of the value scroller: a fixed 18 x 18 face.
        const char* arrows[] = {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR"};
        for (int a = 0; a < 4; ++a) {
            Painting f = ButtonFace(18, 18, static_cast<Look>(look));
            const Colour ink = look == Disabled ? Hex(0x78787c) : kGoldLight;
            const int shift = look == Pushed ? 1 : 0;
            const int dir = a < 2 ? -1 : 1;
            if (a == 1 || a == 2) {
                Arrow(f, (dir < 0 ? 6 : 11) + shift, 8 + shift, dir, ink);
            } else {
                Arrow(f, (dir < 0 ? 7 : 10) + shift, 8 + shift, dir, ink);
                const int bar = dir < 0 ? 5 : 12;
                f.FillRect(bar + shift, 4 + shift, bar + shift, 12 + shift, ink);
            }
            const std::string folder = skin + "ValueScroller/" + arrows[a] + "/";
            if (!Image(folder + "btn_l" + s, f.Crop(0, 0, 9, 18), true) ||
                !Image(folder + "btn_r" + s, f.Crop(9, 0, 9, 18), true))
                return false;
        }

        // The help button: a blue gem with a question mark.
        Painting gem(16, 16);
        const float shade = look == Pushed ? 0.7f : 1.0f;
        gem.Disc(8, 8, 7.5f, Hex(0x100804));
        gem.Disc(8, 8, 6.5f, look == Disabled ? Hex(0x606064) : kGold);
        gem.Disc(8, 8, 5.5f, Scale(look == Disabled ? Hex(0x404044) : Hex(0x2850a8), shade));
        gem.Disc(6.5f, 6.5f, 2.0f, Hex(0x90b0ff), look == Disabled ? 0.2f : 0.6f);
        gem.Text(m_font, 6, 4, "?", Hex(0xffffff));
        if (!Image(skin + "BtnHelp/btn_l" + s, gem.Crop(0, 0, 8, 16), true) ||
            !Image(skin + "BtnHelp/btn_r" + s, gem.Crop(8, 0, 8, 16), true))
            return false;
    }

    // Scroll bars: arrow buttons at the ends, a knob, a sunken track.
    const std::string bar = skin + "ScrollBar/";
    for (int look = Normal; look <= Disabled; ++look) {
        const std::string s = suffix[look];
        const Colour ink = look == Disabled ? Hex(0x78787c) : kGoldLight;
        const int shift = look == Pushed ? 1 : 0;
        const char* across[] = {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR"};
        const char* down[] = {"Btn_UU", "Btn_U", "Btn_D", "Btn_DD"};
        for (int a = 0; a < 4; ++a) {
            const int dir = a < 2 ? -1 : 1;
            const bool end = a == 0 || a == 3;
            Painting h = ButtonFace(14, 14, static_cast<Look>(look));
            Painting v = ButtonFace(14, 14, static_cast<Look>(look));
            for (int i = 0; i < 4; ++i)
                for (int j = -i; j <= i; ++j) {
                    const int tip = (dir < 0 ? 4 : 9) + shift;
                    h.Set(tip - dir * i, 6 + j + shift, ink, 1);
                    v.Set(6 + j + shift, tip - dir * i, ink, 1);
                }
            if (end) {
                const int line = (dir < 0 ? 3 : 10) + shift;
                h.FillRect(line, 3 + shift, line, 10 + shift, ink);
                v.FillRect(3 + shift, line, 10 + shift, line, ink);
            }
            if (!Image(bar + across[a] + "/btn_l" + s, h.Crop(0, 0, 7, 14), true) ||
                !Image(bar + across[a] + "/btn_r" + s, h.Crop(7, 0, 7, 14), true) ||
                !Image(bar + down[a] + "/btn_l" + s, v.Crop(0, 0, 7, 14), true) ||
                !Image(bar + down[a] + "/btn_r" + s, v.Crop(7, 0, 7, 14), true))
                return false;
        }
        Painting knob(12, 14);
        knob.Disc(6, 7, 5.5f, Hex(0x100804));
        knob.Disc(6, 7, 4.5f, look == Disabled ? Hex(0x606064) : kGold);
        knob.Disc(5, 6, 2.0f, look == Disabled ? Hex(0x808084) : kGoldLight);
        if (!Image(bar + "Btn_Horz/btn_l" + s, knob.Crop(0, 0, 6, 14), true) ||
            !Image(bar + "Btn_Horz/btn_r" + s, knob.Crop(6, 0, 6, 14), true))
            return false;
        Painting knobV(14, 12);
        knobV.Disc(7, 6, 5.5f, Hex(0x100804));
        knobV.Disc(7, 6, 4.5f, look == Disabled ? Hex(0x606064) : kGold);
        knobV.Disc(6, 5, 2.0f, look == Disabled ? Hex(0x808084) : kGoldLight);
        if (!Image(bar + "Btn_Vert/btn_l" + s, knobV.Crop(0, 0, 7, 12), true) ||
            !Image(bar + "Btn_Vert/btn_r" + s, knobV.Crop(7, 0, 7, 12), true))
            return false;
    }
    Painting trackH(4, 14), trackV(14, 4);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 14; ++j) {
            const Colour groove =
                (j == 5) ? Hex(0x08060a) : (j == 8 ? kGoldDark : (j > 5 && j < 8 ? Hex(0x1c1410) : Colour{}));
            const bool in = j >= 5 && j <= 8;
            if (in) {
                trackH.Set(i, j, groove, 1);
                trackV.Set(j, i, groove, 1);
            }
        }
    if (!Image(bar + "client_h", trackH, true) || !Image(bar + "client_v", trackV, true))
        return false;

    // Check boxes.
    for (int checked = 0; checked < 2; ++checked) {
        Painting box(14, 14);
        box.FillRect(0, 0, 13, 13, Hex(0x100804));
        box.FillRect(1, 1, 12, 12, kGoldDark);
        box.FillRect(2, 2, 11, 11, Hex(0x1a1410));
        if (checked) {
            for (int i = 0; i < 4; ++i)
                box.FillRect(3 + i, 6 + i, 4 + i, 7 + i, kGoldLight);
            for (int i = 0; i < 5; ++i)
                box.FillRect(7 + i, 8 - i * 2 + 1, 8 + i, 9 - i * 2 + 1, kGoldLight);
        }
        if (!Image(skin + "CheckBox/" + (checked ? "checked" : "unchecked"), box, true))
            return false;
    }
    return true;
}

// ---- Button faces of the message box ----

bool TitleArt::Pictures()
{
    Painting ok(30, 12);
    for (int i = 0; i < 3; ++i)
        ok.FillRect(1 + i, 5 + i, 2 + i, 6 + i, Hex(0x70e070));
    for (int i = 0; i < 5; ++i)
        ok.FillRect(4 + i, 7 - i * 1, 5 + i, 8 - i * 1, Hex(0x70e070));
    ok.Text(m_font, 14, 1, "OK", Hex(0xf4e4b8));
    Painting cancel(52, 12);
    for (int i = 0; i < 7; ++i) {
        cancel.FillRect(1 + i, 2 + i, 2 + i, 2 + i, Hex(0xf06050));
        cancel.FillRect(7 - i, 2 + i, 8 - i, 2 + i, Hex(0xf06050));
    }
    cancel.Text(m_font, 13, 1, "Cancel", Hex(0xf4e4b8));
    return Image("Skin240/Images/Btn/Ok", ok, true) && Image("Skin240/Images/Btn/Cancel", cancel, true);
}

// ---- Sounds ----

// A plucked note: a soft square wave with a falling envelope, 8-bit.
void Note(std::vector<int>& mix, size_t at, float hz, size_t length, uint32_t rate, float volume)
{
    for (size_t i = 0; i < length && at + i < mix.size(); ++i) {
        const float t = static_cast<float>(i) / rate;
        const float phase = std::fmod(t * hz, 1.0f);
        const float wave = (phase < 0.5f ? 1.0f : -1.0f) * 0.5f + std::sin(t * hz * 6.2831853f) * 0.5f;
        const float env = std::exp(-3.0f * static_cast<float>(i) / static_cast<float>(length)) *
                          std::min(1.0f, static_cast<float>(i) / 80.0f);
        mix[at + i] += static_cast<int>(wave * env * volume);
    }
}

std::vector<uint8_t> ToBytes(const std::vector<int>& mix)
{
    std::vector<uint8_t> out;
    out.reserve(mix.size());
    for (int v : mix)
        out.push_back(static_cast<uint8_t>(std::clamp(128 + v, 0, 255)));
    return out;
}

float Pitch(int semitone)
{
    return 220.0f * std::pow(2.0f, semitone / 12.0f);
}

bool TitleArt::Sounds()
{
    constexpr uint32_t kRate = 8000;
    // A slow air in A minor over a drone, about six seconds, made to loop.
    const int melody[] = {0, 3, 7, 5, 3, 2, 3, -2, 0, 3, 7, 10, 8, 7, 5, 3};
    const size_t beat = kRate * 3 / 8;
    std::vector<int> music(beat * 16, 0);
    for (size_t i = 0; i < 16; ++i) {
        Note(music, i * beat, Pitch(melody[i] + 12), beat, kRate, 34);
        if (i % 4 == 0)
            Note(music, i * beat, Pitch(melody[i] - 12), beat * 4, kRate, 22);
    }
    std::vector<int> click(kRate / 50, 0);
    Note(click, 0, 1400, click.size(), kRate, 60);
    std::vector<int> show(kRate / 8, 0), hide(kRate / 8, 0);
    for (size_t i = 0; i < 4; ++i) {
        Note(show, i * show.size() / 4, Pitch(12 + static_cast<int>(i) * 4), show.size() / 3, kRate, 30);
        Note(hide, i * hide.size() / 4, Pitch(24 - static_cast<int>(i) * 4), hide.size() / 3, kRate, 30);
    }
    return Sound("Sounds/title_music", ToBytes(music), kRate) &&
           Sound("Skin240/Skin/Button/click", ToBytes(click), kRate) &&
           Sound("Skin240/Skin/Scroll/show", ToBytes(show), kRate) &&
           Sound("Skin240/Skin/Scroll/hide", ToBytes(hide), kRate) &&
           Sound("Skin240/Skin/Dialog/show", ToBytes(show), kRate) &&
           Sound("Skin240/Skin/Dialog/hide", ToBytes(hide), kRate) &&
           Sound("Skin240/Skin/SquadDialog/show", ToBytes(show), kRate) &&
           Sound("Skin240/Skin/SquadDialog/hide", ToBytes(hide), kRate);
}

}  // namespace

bool DrawTitleArt(const ArtInput& in, ArtWriter& out)
{
    TitleArt art(in.basePalette, in.font, out);
    return art.PaintAll();
}

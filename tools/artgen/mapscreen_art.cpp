// The map window's pictures for the 240 x 320 layout (pack "skins"), below
// its staging folder:
//   Skin240/Images/Icons/   Menu, Flag1..Flag6, Turns, HLine, Fame
//   Skin240/Images/Btn/     the panel buttons (Recruit, Domain, EndTurn,
//                           Return, Market, Apply, Clear, Info, ProvArmy,
//                           CampArmy) and the action buttons (Move, Attack,
//                           Transfer, Scout, Decease, FullTransfer,
//                           CastleOps, Robbery)
// Shapes are painted in true colour and mapped to the palette "base".

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/painting.h"

namespace fs = std::filesystem;

namespace {

const Colour kGold = Hex(0xe8c060);
const Colour kGoldDark = Hex(0x8a6420);
const Colour kIron = Hex(0xc8d0dc);
const Colour kIronDark = Hex(0x5a6270);
const Colour kWood = Hex(0x8a5a2c);
const Colour kRed = Hex(0xd83828);
const Colour kGreen = Hex(0x58b040);
const Colour kBlue = Hex(0x4878e0);
const Colour kInk = Hex(0x141018);

// The flag colours of the six players, by flag number.
const Colour kFlags[6] = {Hex(0xd02c24), Hex(0x3064d8), Hex(0x3ca032),
                          Hex(0xe8c828), Hex(0x9040c8), Hex(0x28b8c0)};

// A thick anti-aliased stroke.
void Stroke(Painting& c, float x0, float y0, float x1, float y1, float width, const Colour& colour)
{
    c.Stroke(x0, y0, x1, y1, width, colour, 2);
}

// A stroke with a dark outline, so shapes read on any button face.
void Outlined(Painting& c, float x0, float y0, float x1, float y1, float width, const Colour& colour)
{
    Stroke(c, x0, y0, x1, y1, width + 2, kInk);
    Stroke(c, x0, y0, x1, y1, width, colour);
}

void Box(Painting& c, int x0, int y0, int x1, int y1, const Colour& colour)
{
    c.FillRect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, kInk);
    c.FillRect(x0, y0, x1, y1, colour);
}

void Arrow(Painting& c, float x0, float y, float x1, float head, float width, const Colour& colour)
{
    const float dir = x1 > x0 ? 1.0f : -1.0f;
    Outlined(c, x0, y, x1, y, width, colour);
    Outlined(c, x1, y, x1 - dir * head, y - head, width, colour);
    Outlined(c, x1, y, x1 - dir * head, y + head, width, colour);
}

struct Picture {
    std::string path;
    int w, h;
    std::function<void(Painting&)> paint;
};

void PaintFlag(Painting& c, const Colour& colour)
{
    // A pole with a swallow-tailed banner that waves in two folds.
    Stroke(c, 3, 2, 3, 39, 2.5f, kWood);
    c.Disc(3, 2, 2.2f, kGold);
    for (int x = 5; x < 18; ++x) {
        const float wave = std::sin((x - 5) * 0.55f) * 1.6f;
        const float top = 5 + wave;
        float bottom = 21 + wave;
        if (x > 13)
            bottom -= static_cast<float>(x - 13) * 1.6f;
        for (int y = static_cast<int>(top); y <= static_cast<int>(bottom); ++y) {
            const float shade = 0.75f + 0.25f * std::cos((x - 5) * 0.55f);
            c.Set(x, y, Scale(colour, shade));
        }
        c.Set(x, static_cast<int>(top), kInk);
        c.Set(x, static_cast<int>(bottom), kInk);
    }
    c.Disc(10, 13, 2.6f, Mix(colour, Hex(0xffffff), 0.6f));
}

std::vector<Picture> Pictures()
{
    const std::string icons = "Skin240/Images/Icons/";
    const std::string btn = "Skin240/Images/Btn/";
    std::vector<Picture> p;
    p.push_back({icons + "Menu", 18, 18, [](Painting& c) {
                     for (int i = 0; i < 3; ++i)
                         Outlined(c, 3, 4.5f + i * 4.5f, 14, 4.5f + i * 4.5f, 2.2f, kGold);
                 }});
    for (int i = 0; i < 6; ++i) {
        const Colour colour = kFlags[i];
        p.push_back({icons + "Flag" + std::to_string(i + 1), 20, 40,
                     [colour](Painting& c) { PaintFlag(c, colour); }});
    }
    p.push_back({icons + "Turns", 16, 16, [](Painting& c) {
                     // Two footprints.
                     c.Disc(5, 10, 2.6f, kInk);
                     c.Disc(5, 10, 2.0f, kGold);
                     c.Disc(5, 5.5f, 1.4f, kGold);
                     c.Disc(11, 7, 2.6f, kInk);
                     c.Disc(11, 7, 2.0f, kGold);
                     c.Disc(11, 2.5f, 1.4f, kGold);
                 }});
    p.push_back({icons + "HLine", 232, 2, [](Painting& c) {
                     for (int x = 0; x < 232; ++x) {
                         const float edge = std::min(1.0f, std::min(x, 231 - x) / 24.0f);
                         c.Set(x, 0, Mix(Hex(0x202028), kGold, edge), 1);
                         c.Set(x, 1, Mix(Hex(0x101014), kGoldDark, edge), 1);
                     }
                 }});
    p.push_back({icons + "Fame", 16, 16, [](Painting& c) {
                     for (int k = 0; k < 5; ++k) {
                         const float a = -1.5708f + k * 1.2566f;
                         Outlined(c, 8, 8, 8 + std::cos(a) * 6.5f, 8 + std::sin(a) * 6.5f, 2.4f, kGold);
                     }
                 }});
    // Panel buttons, 16 x 16.
    p.push_back({btn + "Recruit", 16, 16, [](Painting& c) {
                     c.Disc(7, 7, 5, kInk);
                     c.Disc(7, 7, 4, kIron);
                     c.FillRect(2, 7, 12, 9, kIronDark);
                     Outlined(c, 12, 10, 12, 15, 1.5f, kGreen);
                     Outlined(c, 9.5f, 12.5f, 14.5f, 12.5f, 1.5f, kGreen);
                 }});
    p.push_back({btn + "Domain", 16, 16, [](Painting& c) {
                     Box(c, 2, 8, 13, 14, kGold);
                     for (int x : {2, 6, 10})
                         Box(c, x, 3, x + 3, 8, kGold);
                     c.FillRect(6, 11, 9, 14, kInk);
                 }});
    p.push_back({btn + "EndTurn", 16, 16, [](Painting& c) {
                     Outlined(c, 3, 2, 12, 2, 1.6f, kWood);
                     Outlined(c, 3, 13, 12, 13, 1.6f, kWood);
                     Outlined(c, 4, 3, 11, 12, 1.6f, kGold);
                     Outlined(c, 11, 3, 4, 12, 1.6f, kGold);
                 }});
    p.push_back({btn + "Return", 16, 16, [](Painting& c) { Arrow(c, 13, 8, 3, 4, 2.0f, kGold); }});
    p.push_back({btn + "Market", 16, 16, [](Painting& c) {
                     c.Disc(6, 9, 5, kInk);
                     c.Disc(6, 9, 4, kGold);
                     c.Disc(11, 6, 4.5f, kInk);
                     c.Disc(11, 6, 3.5f, Mix(kGold, Hex(0xffffff), 0.3f));
                 }});
    p.push_back({btn + "Apply", 16, 16, [](Painting& c) {
                     Outlined(c, 3, 8, 6.5f, 12, 2.2f, kGreen);
                     Outlined(c, 6.5f, 12, 13, 3, 2.2f, kGreen);
                 }});
    p.push_back({btn + "Clear", 16, 16, [](Painting& c) {
                     Outlined(c, 4, 4, 12, 12, 2.2f, kRed);
                     Outlined(c, 12, 4, 4, 12, 2.2f, kRed);
                 }});
    p.push_back({btn + "Info", 16, 16, [](Painting& c) {
                     c.Disc(8, 8, 6.5f, kInk);
                     c.Disc(8, 8, 5.5f, kBlue);
                     c.Disc(8, 5, 1.2f, Hex(0xffffff));
                     Stroke(c, 8, 7.5f, 8, 11.5f, 1.6f, Hex(0xffffff));
                 }});
    p.push_back({btn + "ProvArmy", 16, 16, [](Painting& c) {
                     // A shield.
                     for (int y = 2; y < 15; ++y) {
                         const int half = y < 9 ? 6 : 6 - (y - 9);
                         c.FillRect(8 - half - 1, y, 7 + half + 1, y, kInk);
                         c.FillRect(8 - half, y, 7 + half, y, y < 9 ? kBlue : Scale(kBlue, 0.8f));
                     }
                     Stroke(c, 8, 3, 8, 12, 1.2f, kGold);
                 }});
    p.push_back({btn + "CampArmy", 16, 16, [](Painting& c) {
                     // A tent.
                     for (int y = 3; y < 14; ++y) {
                         const int half = (y - 3) * 6 / 10;
                         c.FillRect(8 - half - 1, y, 7 + half + 1, y, kInk);
                         c.FillRect(8 - half, y, 7 + half, y, Hex(0xd8c8a0));
                     }
                     c.FillRect(7, 9, 8, 13, kInk);
                     Stroke(c, 8, 1, 8, 3, 1.0f, kRed);
                 }});
    // Action buttons, 24 x 24.
    p.push_back({btn + "Move", 24, 24, [](Painting& c) { Arrow(c, 4, 12, 20, 6, 3.0f, kGreen); }});
    p.push_back({btn + "Attack", 24, 24, [](Painting& c) {
                     Outlined(c, 4, 4, 19, 19, 2.4f, kIron);
                     Outlined(c, 20, 4, 5, 19, 2.4f, kIron);
                     Outlined(c, 4, 15, 8, 19, 2.4f, kWood);
                     Outlined(c, 20, 15, 16, 19, 2.4f, kWood);
                 }});
    p.push_back({btn + "Transfer", 24, 24, [](Painting& c) {
                     Arrow(c, 4, 8, 19, 4, 2.4f, kGold);
                     Arrow(c, 20, 16, 5, 4, 2.4f, kGold);
                 }});
    p.push_back({btn + "FullTransfer", 24, 24, [](Painting& c) {
                     Arrow(c, 3, 8, 18, 4, 2.4f, kGold);
                     Arrow(c, 3, 16, 18, 4, 2.4f, kGold);
                     Outlined(c, 21, 4, 21, 20, 2.4f, kGoldDark);
                 }});
    p.push_back({btn + "Scout", 24, 24, [](Painting& c) {
                     for (int x = 2; x < 22; ++x) {
                         const float half = 6.5f * std::sin((x - 2) * 3.14159f / 19);
                         for (int y = static_cast<int>(12 - half); y <= static_cast<int>(12 + half); ++y)
                             c.Set(x, y, Hex(0xf0ead8));
                         c.Set(x, static_cast<int>(12 - half), kInk);
                         c.Set(x, static_cast<int>(12 + half), kInk);
                     }
                     c.Disc(12, 12, 4.2f, kBlue);
                     c.Disc(12, 12, 2.0f, kInk);
                 }});
    p.push_back({btn + "Decease", 24, 24, [](Painting& c) {
                     Outlined(c, 6, 18, 18, 4, 2.6f, kIron);
                     Outlined(c, 4, 14, 10, 20, 2.2f, kGoldDark);
                     Outlined(c, 4, 20, 7, 17, 2.4f, kWood);
                     c.Disc(17, 19, 1.6f, kRed);
                     c.Disc(19, 21, 1.2f, kRed);
                 }});
    p.push_back({btn + "CastleOps", 24, 24, [](Painting& c) {
                     Box(c, 4, 9, 15, 21, Hex(0xa8a8b0));
                     for (int x : {4, 8, 12})
                         Box(c, x, 5, x + 3, 9, Hex(0xa8a8b0));
                     c.FillRect(8, 15, 11, 21, kInk);
                     Outlined(c, 13, 18, 21, 10, 2.2f, kWood);
                     Outlined(c, 18, 7, 23, 12, 3.0f, kIron);
                 }});
    p.push_back({btn + "Robbery", 24, 24, [](Painting& c) {
                     c.Disc(12, 15, 7.5f, kInk);
                     c.Disc(12, 15, 6.5f, Hex(0xa07840));
                     Outlined(c, 9, 6, 15, 6, 2.0f, Hex(0xa07840));
                     Stroke(c, 8, 8, 16, 8, 1.2f, kGold);
                     c.Disc(12, 15, 2.5f, kGold);
                 }});
    return p;
}

}  // namespace

bool DrawMapScreenArt(const ArtInput& in, ArtWriter& out)
{
    const Quantizer quantizer(in.basePalette);
    for (const Picture& picture : Pictures()) {
        Painting canvas(picture.w, picture.h);
        canvas.Clear(0);
        picture.paint(canvas);
        if (!out.Image(picture.path, quantizer.Convert(canvas, true), true))
            return false;
    }
    return true;
}

// Scene objects of the battle field: the siege works (walls, towers, gates
// with their drawbridge, the castle's catapults, the attacker's trebuchet)
// and the obstacles of the open field.

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artgen/battle_art.h"

namespace battleart {

namespace {

uint8_t Stone(int k)
{
    return Shade(kSteel, k);
}
uint8_t Wood(int k)
{
    return Shade(kBrown, k);
}

void StoneBlocks(Canvas& c, int x0, int y0, int x1, int y1, int light)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int row = (y - y0) / 4;
            const bool mortar = (y - y0) % 4 == 3 || ((x - x0 + (row % 2) * 3) % 6 == 5);
            const uint32_t n = Hash(uint32_t(x), uint32_t(y), 11u);
            c.Set(x, y, mortar ? Stone(light - 4) : Stone(light - int(n % 2)));
        }
}

Canvas Wall(bool upper, bool fortified, int damage)
{
    Canvas c(26, 36);
    const int light = upper ? 11 : 10;
    const int top = fortified ? 2 : 6;
    if (damage >= 2) {
        // Rubble: a low heap the squads climb over.
        for (int i = 0; i < 14; ++i) {
            const uint32_t h = Hash(uint32_t(i), upper ? 3u : 4u);
            c.Ellipse(3 + int(h % 20), 27 + int((h >> 8) % 6), 2 + int(h % 2), 2, Stone(6 + int(h % 5)));
        }
        c.Outline(Shade(kGrey, 1));
        return c;
    }
    StoneBlocks(c, 2, top + 3, 23, 32, light);
    for (int x = 2; x <= 23; x += 5)
        StoneBlocks(c, x, top, x + 2, top + 2, light + 1);
    if (fortified) {
        c.Fill(2, top + 3, 23, top + 4, Stone(light + 2));
        c.Fill(2, 30, 23, 32, Stone(light - 3));
    }
    c.Fill(2, top + 3, 3, 32, Stone(light - 2));
    if (damage == 1) {
        c.Line(8, top + 4, 12, 18, Shade(kGrey, 2));
        c.Line(12, 18, 10, 26, Shade(kGrey, 2));
        c.Line(17, top + 6, 15, 14, Shade(kGrey, 2));
        c.Fill(18, top, 23, top + 5, 0);
    }
    c.Outline(Shade(kGrey, 1));
    return c;
}

Canvas Tower(int damage)
{
    Canvas c(26, 44);
    if (damage >= 2) {
        c.Blit(Wall(false, false, 2), 0, 8);
        return c;
    }
    for (int y = 12; y <= 40; ++y)
        for (int x = 4; x <= 21; ++x) {
            const int shade = 8 + (x < 8 ? -2 : x > 17 ? -1 : 1);
            c.Set(x, y, ((y - 12) % 5 == 4) ? Stone(5) : Stone(shade));
        }
    for (int x = 3; x <= 22; x += 4)
        c.Fill(x, 8, x + 2, 11, Stone(10));
    c.Fill(11, 20, 13, 25, Shade(kGrey, 2));  // arrow slit
    // Roof in the defender's colours.
    for (int y = 0; y < 8; ++y)
        c.Fill(12 - y, y, 13 + y, y, uint8_t(238 + 6 + y));
    if (damage == 1) {
        c.Line(6, 15, 12, 30, Shade(kGrey, 2));
        c.Fill(16, 0, 22, 8, 0);
    }
    c.Outline(Shade(kGrey, 1));
    return c;
}

Canvas Gates(int damage, int shake)
{
    Canvas c(30, 38);
    StoneBlocks(c, 1, 4, 28, 34, 10);
    for (int x = 1; x <= 28; x += 5)
        StoneBlocks(c, x, 0, x + 2, 3, 11);
    // The arch and its doors.
    c.Ellipse(15, 18, 8, 8, Shade(kGrey, 2));
    c.Fill(7, 18, 23, 34, Shade(kGrey, 2));
    if (damage < 2) {
        c.Ellipse(15 + shake, 19, 7, 7, Wood(6));
        c.Fill(8 + shake, 19, 22 + shake, 34, Wood(6));
        for (int y = 20; y <= 32; y += 6)
            c.Fill(8 + shake, y, 22 + shake, y, Stone(6));
        c.Fill(15 + shake, 13, 15 + shake, 34, Wood(3));
        if (damage == 1) {
            c.Line(10, 22, 14, 30, Shade(kGrey, 1));
            c.Fill(17, 24, 21, 29, Shade(kGrey, 2));
        }
    } else {
        c.Line(8, 34, 13, 28, Wood(4));
        c.Line(22, 34, 18, 27, Wood(4));
    }
    c.Outline(Shade(kGrey, 1));
    return c;
}

// The open gateway with the drawbridge down across the moat; `lift` raises
// it step by step.
Canvas Bridge(int lift)
{
    Canvas c(48, 38);
    StoneBlocks(c, 19, 4, 46, 34, 10);
    c.Ellipse(33, 18, 8, 8, Shade(kGrey, 2));
    c.Fill(25, 18, 41, 34, Shade(kGrey, 2));
    const int length = 24 - lift * 7;
    if (length > 0) {
        for (int x = 25 - length; x < 25; ++x) {
            const int rise = lift * (25 - x) / 3;
            c.Fill(x, 29 - rise, x, 34 - rise, ((x % 4) == 0) ? Wood(4) : Wood(8));
        }
        c.Line(25 - length, 29 - lift * length / 3, 26, 12, Shade(kGrey, 8));
    } else {
        c.Fill(24, 14, 27, 34, Wood(7));
    }
    c.Outline(Shade(kGrey, 1));
    return c;
}

Canvas Catapult(int arm, bool broken)
{
    Canvas c(24, 22);
    if (broken) {
        c.Line(3, 20, 20, 17, Wood(5));
        c.Line(6, 14, 16, 21, Wood(6));
        c.Outline(Shade(kGrey, 1));
        return c;
    }
    c.Fill(3, 17, 20, 19, Wood(6));
    c.Ellipse(5, 20, 2, 2, Wood(3));
    c.Ellipse(18, 20, 2, 2, Wood(3));
    c.Line(8, 17, 12, 10, Wood(5));
    c.Line(16, 17, 12, 10, Wood(5));
    // The arm: 0 down, 1 pulled back, 2 thrown, 3 thrown high.
    static const int kTipX[4] = {20, 22, 9, 4};
    static const int kTipY[4] = {14, 16, 3, 8};
    c.ThickLine(12, 11, kTipX[arm], kTipY[arm], Wood(9));
    if (arm <= 1)
        c.Ellipse(kTipX[arm], kTipY[arm] - 1, 2, 2, Stone(8));
    c.Outline(Shade(kGrey, 1));
    return c;
}

Canvas Trebuchet(int arm, bool broken)
{
    Canvas c(34, 40);
    if (broken) {
        for (int i = 0; i < 7; ++i)
            c.Line(2 + i * 4, 38, 8 + i * 3, 26 + (i % 3) * 3, Wood(4 + i % 3));
        c.Outline(Shade(kGrey, 1));
        return c;
    }
    c.Fill(2, 35, 31, 37, Wood(5));
    c.Line(8, 35, 16, 14, Wood(7));
    c.Line(24, 35, 16, 14, Wood(7));
    c.Line(9, 34, 16, 14, Wood(4));
    // The beam turns about the top of the frame; the weight hangs on the
    // short end, the sling on the long one.
    static const double kAngles[4] = {-35, -60, 70, 40};
    const double a = kAngles[arm] * 3.14159265358979 / 180.0;
    const int lx = 16 + int(std::lround(std::cos(a) * 16)), ly = 14 - int(std::lround(std::sin(a) * 16));
    const int sx = 16 - int(std::lround(std::cos(a) * 6)), sy = 14 + int(std::lround(std::sin(a) * 6));
    c.ThickLine(sx, sy, lx, ly, Wood(9));
    c.Fill(sx - 3, sy, sx + 3, sy + 6, Stone(6));
    if (arm <= 1)
        c.Ellipse(lx, ly + 2, 2, 2, Stone(9));
    // The attacker's pennant.
    c.Line(16, 14, 16, 3, Wood(3));
    c.Fill(17, 3, 22, 6, Shade(kSide, 10));
    c.Outline(Shade(kGrey, 1));
    return c;
}

Canvas Boulder(int r, int frame)
{
    Canvas c(2 * r + 5, 2 * r + 5);
    c.Ellipse(r + 2, r + 2, r, r, Stone(7));
    c.Set(r + 1 + frame % 2, r + 1, Stone(12));
    c.Outline(Shade(kGrey, 1));
    return c;
}

void WriteObjectSounds(ArtWriter& out, const std::string& folder)
{
    out.Wav(folder + "attack_beg", Synth({{140, 180, 200, 40, false, true}}));
    out.Wav(folder + "attack_end", Synth({{120, 60, 160, 60, true}}));
    out.Wav(folder + "kicked", Synth({{400, 120, 160, 60, true}}));
    out.Wav(folder + "destr", Synth({{200, 40, 500, 70, true}}));
    out.Wav(folder + "destr_half", Synth({{300, 90, 250, 60, true}}));
    out.Wav(folder + "raise", Synth({{900, 700, 60, 30, false, true},
                                     {800, 650, 60, 30, false, true},
                                     {900, 700, 60, 30, false, true}}));
}

// A missile set of round shot, and its burst.
void WriteShotSet(ArtWriter& out, const std::string& folder, int radius)
{
    static const char* const kHeadings[6] = {"miss_lf", "miss_lfup", "miss_lfdn",
                                             "miss_rt", "miss_rtup", "miss_rtdn"};
    for (const char* heading : kHeadings)
        out.Anim(folder + heading, {Boulder(radius, 0), Boulder(radius, 1)}, radius + 2, radius + 2, 150, 0);
    std::vector<Canvas> burst;
    for (int f = 0; f < 4; ++f) {
        Canvas b(21, 21);
        for (int i = 0; i < 8; ++i) {
            const double a = i * 3.14159265358979 / 4 + f * 0.2;
            const int r = 2 + f * 3;
            b.Ellipse(10 + int(std::lround(std::cos(a) * r)), 10 + int(std::lround(std::sin(a) * r)), 1, 1,
                      f < 2 ? Stone(9) : Shade(kSand, 11 - f));
        }
        if (f < 2)
            b.Ellipse(10, 10, 3 - f, 3 - f, Shade(kSand, 13));
        burst.push_back(b);
    }
    out.Anim(folder + "miss_expl", burst, 10, 10, 150, 255);
    out.Wav(folder + "miss_expl", Synth({{180, 50, 220, 70, true}}));
    out.Wav(folder + "miss_idle", Synth({{500, 300, 90, 15}}));
}

// Writes the object set of a folder from its pictures: the still picture,
// a two-step shake when hit, and the ruined picture.
void WriteStandingSet(ArtWriter& out, const std::string& folder, const Canvas& whole, const Canvas& half,
                      const Canvas& ruin, int hotX, int hotY)
{
    out.Anim(folder + "idle", {whole}, hotX, hotY, 100, 255);
    Canvas shaken(whole.W(), whole.H());
    shaken.Blit(whole, 1, 0);
    out.Anim(folder + "kicked", {shaken, whole, shaken, whole}, hotX, hotY, 150, 255);
    out.Anim(folder + "destr_half", {half}, hotX, hotY, 100, 255);
    out.Anim(folder + "destr", {half, ruin}, hotX, hotY, 60, 255);
    WriteObjectSounds(out, folder);
}

Canvas Rock(int seed, int w, int h)
{
    Canvas c(w, h);
    for (int i = 0; i < 3; ++i) {
        const uint32_t r = Hash(uint32_t(seed), uint32_t(i));
        const int rx = w / 4 + int(r % 3), ry = h / 4 + int((r >> 4) % 2);
        const int cx = w / 2 + (i - 1) * w / 5, cy = h - ry - 1 - int((r >> 8) % 3);
        c.Ellipse(cx, cy, rx, ry, Stone(7 + i));
        c.Ellipse(cx - rx / 3, cy - ry / 3, rx / 3, ry / 3, Stone(11));
    }
    c.Outline(Shade(kGrey, 1));
    return c;
}

Canvas Tree()
{
    Canvas c(24, 38);
    c.Fill(10, 24, 13, 35, Wood(5));
    c.Fill(10, 24, 10, 35, Wood(3));
    c.Ellipse(12, 14, 10, 11, Shade(kGrass, 4));
    c.Ellipse(9, 11, 5, 5, Shade(kGrass, 7));
    c.Ellipse(15, 16, 4, 4, Shade(kGrass, 6));
    c.Ellipse(8, 9, 2, 2, Shade(kGrass, 10));
    c.Ellipse(12, 36, 6, 1, Shade(kGrass, 2));
    c.Outline(Shade(kGrey, 1));
    return c;
}

Canvas Bog()
{
    Canvas c(24, 18);
    c.Ellipse(12, 9, 11, 7, Shade(kBrown, 3));
    c.Ellipse(11, 9, 8, 5, Shade(kWater, 3));
    c.Ellipse(9, 8, 3, 1, Shade(kWater, 6));
    for (int i = 0; i < 5; ++i) {
        const int x = 3 + i * 4;
        c.Line(x, 6 + i % 2, x + 1, 1 + i % 3, Shade(kGrass, 9));
    }
    return c;
}

}  // namespace

void DrawObjectArt(ArtWriter& out)
{
    const std::string battle = "Objects/Battle/";
    for (int fortified = 0; fortified < 2; ++fortified)
        for (int upper = 0; upper < 2; ++upper) {
            const std::string folder = battle + (fortified ? "FortWall/" : "Wall/") + (upper ? "Up/" : "Dn/");
            WriteStandingSet(out, folder, Wall(upper, fortified, 0), Wall(upper, fortified, 1),
                             Wall(upper, fortified, 2), 13, 26);
        }
    WriteStandingSet(out, battle + "Tower/", Tower(0), Tower(1), Tower(2), 13, 34);
    {
        const std::string folder = battle + "Gates/";
        out.Anim(folder + "idle", {Gates(0, 0)}, 15, 28, 100, 255);
        out.Anim(folder + "kicked", {Gates(0, 1), Gates(0, 0), Gates(0, 1), Gates(0, 0)}, 15, 28, 150, 255);
        out.Anim(folder + "destr_half", {Gates(1, 0)}, 15, 28, 100, 255);
        out.Anim(folder + "destr", {Gates(1, 1), Gates(2, 0)}, 15, 28, 60, 255);
        WriteObjectSounds(out, folder);
    }
    {
        const std::string folder = battle + "Bridge/";
        out.Anim(folder + "idle", {Bridge(0)}, 33, 28, 100, 255);
        out.Anim(folder + "raise", {Bridge(0), Bridge(1), Bridge(2), Bridge(3), Bridge(4)}, 33, 28, 80, 255);
        WriteObjectSounds(out, folder);
    }
    {
        // The castle's catapults stand on the towers' tops.
        const std::string folder = battle + "Catapult/";
        out.Anim(folder + "idle", {Catapult(0, false)}, 12, 42, 100, 255);
        out.Anim(folder + "attack_beg", {Catapult(0, false), Catapult(1, false)}, 12, 42, 60, 255);
        out.Anim(folder + "attack_end", {Catapult(3, false), Catapult(2, false), Catapult(0, false)}, 12, 42,
                 100, 255);
        out.Anim(folder + "kicked", {Catapult(1, false), Catapult(0, false)}, 12, 42, 150, 255);
        out.Anim(folder + "destr", {Catapult(0, true)}, 12, 42, 100, 255);
        WriteObjectSounds(out, folder);
        WriteShotSet(out, folder, 2);
    }
    {
        // The trebuchet stands in the field's top-left corner, drawn below
        // and right of its anchor at the corner.
        const std::string folder = battle + "Trebuchet/";
        out.Anim(folder + "idle", {Trebuchet(0, false)}, -1, -6, 100, 255);
        out.Anim(folder + "attack_beg", {Trebuchet(0, false), Trebuchet(1, false)}, -1, -6, 50, 255);
        out.Anim(folder + "attack_end", {Trebuchet(3, false), Trebuchet(2, false), Trebuchet(0, false)}, -1,
                 -6, 100, 255);
        out.Anim(folder + "kicked", {Trebuchet(1, false), Trebuchet(0, false)}, -1, -6, 150, 255);
        out.Anim(folder + "destr", {Trebuchet(0, true)}, -1, -6, 100, 255);
        WriteObjectSounds(out, folder);
        WriteShotSet(out, folder, 3);
    }
    out.Anim(battle + "Stone1/idle", {Rock(1, 24, 18)}, 12, 14, 100, 255);
    out.Anim(battle + "Stone2/idle", {Rock(2, 20, 14)}, 10, 10, 100, 255);
    out.Anim(battle + "Tree1/idle", {Tree()}, 12, 32, 100, 255);
    out.Anim(battle + "BlockedCell/idle", {Bog()}, 12, 9, 100, 255);
}

}  // namespace battleart

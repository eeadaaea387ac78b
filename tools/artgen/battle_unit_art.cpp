// Squad animation sets: one figure per unit type, facing right and
// mirrored for the left, in the first side's 18 shades (the battle screen
// shifts them to the second side's). Every action of the set has its own
// frames; ranged types also get their missile set.

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artgen/battle_art.h"

namespace battleart {

namespace {

constexpr int kFrameW = 28;
constexpr int kFrameH = 32;
constexpr int kHotX = 14;
constexpr int kHotY = 26;

enum class Weapon {
    Pitchfork,
    Spear,
    Sword,
    Axe,
    Halberd,
    Lance,
    Bow,
    Crossbow,
    Sling,
    Javelin
};
enum class Head {
    Hair,
    Kettle,
    Helm,
    Horned,
    Hood,
    Plume,
    Band
};

struct UnitLook {
    Weapon weapon = Weapon::Sword;
    Head head = Head::Helm;
    bool mounted = false;
    bool shield = false;
    bool bigShield = false;
    bool armour = false;
    uint8_t horse = 0;  // horse colour ramp start
    int hoodShade = 0;  // hood colour (ramp kGreen) when hooded
};

UnitLook LookOf(const std::string& id)
{
    UnitLook l;
    if (id == "Militia") {
        l.weapon = Weapon::Pitchfork;
        l.head = Head::Hair;
    } else if (id == "Spearman") {
        l.weapon = Weapon::Spear;
        l.head = Head::Kettle;
        l.shield = true;
    } else if (id == "Swordsman") {
        l.weapon = Weapon::Sword;
        l.head = Head::Helm;
        l.shield = true;
        l.armour = true;
    } else if (id == "Axeman") {
        l.weapon = Weapon::Axe;
        l.head = Head::Horned;
    } else if (id == "Warden") {
        l.weapon = Weapon::Halberd;
        l.head = Head::Helm;
        l.bigShield = true;
        l.armour = true;
    } else if (id == "Knight") {
        l.weapon = Weapon::Lance;
        l.head = Head::Plume;
        l.mounted = true;
        l.armour = true;
        l.shield = true;
        l.horse = kGrey;
    } else if (id == "Horseman") {
        l.weapon = Weapon::Sword;
        l.head = Head::Kettle;
        l.mounted = true;
        l.horse = kBrown;
    } else if (id == "Archer") {
        l.weapon = Weapon::Bow;
        l.head = Head::Hood;
        l.hoodShade = 7;
    } else if (id == "Crossbowman") {
        l.weapon = Weapon::Crossbow;
        l.head = Head::Kettle;
        l.armour = true;
    } else if (id == "Ranger") {
        l.weapon = Weapon::Bow;
        l.head = Head::Hood;
        l.hoodShade = 3;
    } else if (id == "Slinger") {
        l.weapon = Weapon::Sling;
        l.head = Head::Band;
    } else if (id == "Fenrunner") {
        l.weapon = Weapon::Javelin;
        l.head = Head::Band;
    }
    return l;
}

bool IsRanged(const UnitLook& l)
{
    return l.weapon == Weapon::Bow || l.weapon == Weapon::Crossbow || l.weapon == Weapon::Sling ||
           l.weapon == Weapon::Javelin;
}

// One pose of the figure.
struct Pose {
    int bob = 0;         // body raised (negative) or lowered
    int stride = 0;      // -2..2: legs apart
    int lean = 0;        // torso shifted right (+) or left
    double weapon = 0;   // weapon angle in degrees, 0 forward, 90 up, -90 down
    int reach = 0;       // hand pushed forward
    int draw = 0;        // bow drawn 0..3
    bool loaded = true;  // missile still on the weapon
    bool flash = false;  // hit: drawn pale
    int fall = 0;        // 0 standing, 1 staggering, 2 kneeling, 3 lying, 4 lying still
};

uint8_t Side(int k)
{
    return Shade(kSide, k);
}

void DrawWeapon(Canvas& c, const UnitLook& look, int hx, int hy, const Pose& pose)
{
    const double a = pose.weapon * 3.14159265358979 / 180.0;
    const double dx = std::cos(a), dy = -std::sin(a);
    auto at = [&](double len, int& x, int& y) {
        x = hx + int(std::lround(dx * len));
        y = hy + int(std::lround(dy * len));
    };
    const uint8_t wood = Shade(kBrown, 7), steel = Shade(kSteel, 13), dark = Shade(kSteel, 7);
    int x1, y1, x0, y0;
    switch (look.weapon) {
    case Weapon::Pitchfork:
        at(11, x1, y1);
        at(-4, x0, y0);
        c.Line(x0, y0, x1, y1, wood);
        for (int t = -1; t <= 1; ++t) {
            int tx, ty;
            at(14, tx, ty);
            c.Line(x1 + int(dy * t * 2), y1 - int(dx * t * 2), tx + int(dy * t * 2), ty - int(dx * t * 2),
                   dark);
        }
        break;
    case Weapon::Spear:
    case Weapon::Lance:
    case Weapon::Javelin: {
        const double len = look.weapon == Weapon::Lance ? 16 : look.weapon == Weapon::Spear ? 14 : 11;
        at(len, x1, y1);
        at(-6, x0, y0);
        c.Line(x0, y0, x1, y1, wood);
        int tx, ty;
        at(len + 3, tx, ty);
        c.ThickLine(x1, y1, tx, ty, steel);
        if (look.weapon == Weapon::Lance) {
            int px, py;
            at(len - 4, px, py);
            c.Set(px, py - 1, Side(12));
            c.Set(px + 1, py - 1, Side(12));
            c.Set(px, py - 2, Side(10));
        }
        break;
    }
    case Weapon::Sword:
        at(2, x0, y0);
        at(10, x1, y1);
        c.ThickLine(x0, y0, x1, y1, steel);
        c.Line(hx - int(dy * 2), hy + int(dx * 2), hx + int(dy * 2), hy - int(dx * 2), Shade(kGold, 8));
        break;
    case Weapon::Axe: {
        at(-3, x0, y0);
        at(10, x1, y1);
        c.Line(x0, y0, x1, y1, wood);
        const int bx = x1 + int(std::lround(dy * 2)), by = y1 - int(std::lround(dx * 2));
        c.Ellipse(bx, by, 2, 2, steel);
        c.Set(bx, by, dark);
        break;
    }
    case Weapon::Halberd: {
        at(-5, x0, y0);
        at(14, x1, y1);
        c.Line(x0, y0, x1, y1, wood);
        int tx, ty;
        at(17, tx, ty);
        c.Line(x1, y1, tx, ty, steel);
        c.Ellipse(x1 + int(std::lround(dy * 2)), y1 - int(std::lround(dx * 2)), 2, 1, steel);
        break;
    }
    case Weapon::Bow: {
        // The bow stands across the aim; the string is pulled back by `draw`.
        const double nx = -dy, ny = dx;
        for (int t = -6; t <= 6; ++t) {
            const double bend = (36 - t * t) / 12.0;
            c.Set(hx + int(std::lround(nx * t + dx * bend)), hy + int(std::lround(ny * t + dy * bend)), wood);
        }
        const int sx = hx - int(std::lround(dx * pose.draw)), sy = hy - int(std::lround(dy * pose.draw));
        c.Line(hx + int(std::lround(nx * 6)), hy + int(std::lround(ny * 6)), sx, sy, Shade(kGrey, 13));
        c.Line(hx - int(std::lround(nx * 6)), hy - int(std::lround(ny * 6)), sx, sy, Shade(kGrey, 13));
        if (pose.loaded) {
            at(5, x1, y1);
            c.Line(sx, sy, x1, y1, Shade(kSand, 12));
        }
        break;
    }
    case Weapon::Crossbow:
        at(-4, x0, y0);
        at(8, x1, y1);
        c.ThickLine(x0, y0, x1, y1, wood);
        c.Line(x1 + int(std::lround(dy * 4)), y1 - int(std::lround(dx * 4)), x1 - int(std::lround(dy * 4)),
               y1 + int(std::lround(dx * 4)), dark);
        if (pose.loaded) {
            at(10, x1, y1);
            c.Line(hx, hy, x1, y1, Shade(kSand, 13));
        }
        break;
    case Weapon::Sling:
        at(7 + pose.draw, x1, y1);
        c.Line(hx, hy, x1, y1, Shade(kBrown, 10));
        if (pose.loaded)
            c.Ellipse(x1, y1, 1, 1, Shade(kGrey, 8));
        break;
    }
}

void DrawHead(Canvas& c, const UnitLook& look, int x, int y)
{
    c.Ellipse(x, y, 3, 3, Shade(kSkin, 10));
    c.Set(x + 2, y, Shade(kGrey, 2));  // eye
    const uint8_t steel = Shade(kSteel, 11), steelDark = Shade(kSteel, 7);
    switch (look.head) {
    case Head::Hair:
        c.Fill(x - 3, y - 3, x + 2, y - 2, Shade(kBrown, 5));
        c.Fill(x - 3, y - 2, x - 2, y + 1, Shade(kBrown, 5));
        break;
    case Head::Kettle:
        c.Fill(x - 5, y - 2, x + 5, y - 2, steel);
        c.Ellipse(x, y - 3, 3, 2, steel);
        break;
    case Head::Helm:
        c.Ellipse(x, y - 1, 4, 4, steel);
        c.Fill(x + 1, y - 1, x + 3, y + 1, Shade(kGrey, 3));
        c.Set(x + 2, y, Shade(kSkin, 10));
        c.Line(x - 3, y - 4, x + 3, y - 4, steelDark);
        break;
    case Head::Horned:
        c.Ellipse(x, y - 2, 3, 2, steel);
        c.Line(x - 3, y - 3, x - 5, y - 7, Shade(kSand, 14));
        c.Line(x + 3, y - 3, x + 5, y - 7, Shade(kSand, 14));
        c.Fill(x, y + 2, x + 3, y + 4, Shade(kOrange, 8));  // beard
        break;
    case Head::Hood:
        c.Ellipse(x - 1, y - 1, 4, 4, Shade(kGreen, look.hoodShade));
        c.Ellipse(x + 1, y, 2, 2, Shade(kSkin, 10));
        c.Set(x + 2, y, Shade(kGrey, 2));
        break;
    case Head::Plume:
        c.Ellipse(x, y - 1, 4, 4, steel);
        c.Fill(x + 1, y - 1, x + 3, y, Shade(kGrey, 3));
        c.Line(x - 1, y - 5, x - 4, y - 8, Side(12));
        c.Line(x, y - 5, x - 3, y - 9, Side(14));
        break;
    case Head::Band:
        c.Fill(x - 3, y - 2, x + 3, y - 2, Side(10));
        c.Fill(x - 3, y - 4, x + 1, y - 3, Shade(kBrown, 3));
        break;
    }
}

void DrawHorse(Canvas& c, const UnitLook& look, int bob, int stride, bool flash)
{
    const uint8_t body = flash ? Shade(kGrey, 15) : Shade(look.horse, look.horse == kGrey ? 12 : 7);
    const uint8_t dark = Shade(look.horse, look.horse == kGrey ? 8 : 4);
    const int y = 20 + bob;
    // Legs: the gait moves front and back pairs in turn.
    const int swing = stride;
    c.Line(7, y + 2, 6 - swing, 27, dark);
    c.Line(9, y + 2, 9 + swing, 27, body);
    c.Line(17, y + 2, 17 + swing, 27, dark);
    c.Line(19, y + 2, 20 - swing, 27, body);
    c.Ellipse(13, y, 8, 4, body);
    // Neck and head.
    c.ThickLine(19, y - 2, 22, y - 7, body);
    c.Ellipse(24, y - 7, 2, 2, body);
    c.Set(26, y - 6, dark);
    c.Line(20, y - 7, 22, y - 9, dark);  // mane
    // Tail.
    c.Line(5, y - 1, 2, y + 4, dark);
    // Caparison in the side's colour.
    c.Fill(9, y - 3, 16, y + 2, Side(8));
    c.Fill(9, y + 2, 16, y + 2, Side(13));
}

Canvas Figure(const UnitLook& look, const Pose& pose)
{
    Canvas c(kFrameW, kFrameH);
    if (pose.fall >= 3) {
        // Lying on the ground.
        if (look.mounted) {
            const uint8_t body = Shade(look.horse, look.horse == kGrey ? 10 : 6);
            c.Ellipse(13, 25, 9, 3, body);
            c.Ellipse(23, 26, 3, 2, body);
            c.Line(6, 27, 2, 24, body);
        }
        c.Fill(6, 23, 16, 25, Side(7));
        c.Ellipse(19, 24, 3, 2, Shade(kSkin, 8));
        c.Line(4, 24, 7, 24, Shade(kBrown, 4));
        c.Line(10, 21, 20, 19, look.weapon == Weapon::Bow ? Shade(kBrown, 7) : Shade(kSteel, 10));
        if (pose.fall == 4)
            c.Ellipse(11, 27, 4, 1, Shade(kRed, 4));
        c.Outline(Shade(kGrey, 1));
        return c;
    }
    const int kneel = pose.fall == 2 ? 5 : 0;
    const int stagger = pose.fall == 1 ? -2 : 0;
    int hipY = 20 + pose.bob + kneel;
    int torsoX = 13 + pose.lean + stagger;
    if (look.mounted) {
        if (pose.fall < 2)
            DrawHorse(c, look, pose.bob, pose.stride, pose.flash);
        hipY = pose.fall == 2 ? 24 : 16 + pose.bob;
        torsoX = 12 + pose.lean + stagger;
    } else {
        // Legs.
        const uint8_t leg = pose.flash ? Shade(kGrey, 14) : Shade(kBrown, 4);
        if (kneel) {
            c.Line(torsoX, hipY, torsoX + 4, hipY + 1, leg);
            c.Line(torsoX + 4, hipY + 1, torsoX + 4, 27, leg);
            c.Line(torsoX - 1, hipY, torsoX - 4, 27, leg);
        } else {
            c.ThickLine(torsoX, hipY, torsoX - 1 - pose.stride, 27, leg);
            c.ThickLine(torsoX + 1, hipY, torsoX + 2 + pose.stride, 27, leg);
            c.Set(torsoX + 3 + pose.stride, 27, Shade(kBrown, 2));
        }
    }
    // Torso: tunic in the side's colour, armour over it when worn.
    const int top = hipY - 9;
    const uint8_t tunic = pose.flash ? Side(16) : Side(9);
    c.Fill(torsoX - 2, top, torsoX + 3, hipY, tunic);
    c.Fill(torsoX - 2, top, torsoX - 2, hipY, pose.flash ? Side(14) : Side(5));
    if (look.armour)
        c.Fill(torsoX - 1, top + 1, torsoX + 2, top + 5, Shade(kSteel, pose.flash ? 15 : 11));
    c.Fill(torsoX - 2, hipY - 2, torsoX + 3, hipY - 2, Shade(kBrown, 3));  // belt
    DrawHead(c, look, torsoX + 1, top - 4);
    // Shield on the far arm.
    if (look.bigShield) {
        c.Fill(torsoX + 3, top, torsoX + 6, hipY + 3, Shade(kSteel, 9));
        c.Fill(torsoX + 4, top + 1, torsoX + 5, hipY + 2, Side(8));
    } else if (look.shield) {
        c.Ellipse(torsoX - 3, top + 5, 2, 3, Side(7));
        c.Set(torsoX - 3, top + 5, Shade(kGold, 8));
    }
    // Weapon arm.
    const int shoulderX = torsoX + 2, shoulderY = top + 2;
    const int handX = shoulderX + 3 + pose.reach, handY = shoulderY + 3 - pose.reach / 2;
    c.Line(shoulderX, shoulderY, handX, handY, Shade(kSkin, 9));
    DrawWeapon(c, look, handX, handY, pose);
    c.Outline(Shade(kGrey, 1));
    return c;
}

// The weapon angles of an attack toward plain, upward and downward foes.
double Aim(int variant, double level)
{
    return variant == 1 ? level + 35 : variant == 2 ? level - 35 : level;
}

std::vector<Canvas> Frames(const UnitLook& look, const std::vector<Pose>& poses, bool left)
{
    std::vector<Canvas> frames;
    for (const Pose& p : poses) {
        Canvas c = Figure(look, p);
        frames.push_back(left ? c.Mirrored() : c);
    }
    return frames;
}

struct ActionSpec {
    std::string name;  // without side and variant
    bool directional = false;
    uint8_t rate = 100;
    uint8_t loopBack = 255;
};

std::vector<Pose> PosesOf(const UnitLook& look, const std::string& action, int variant)
{
    const bool ranged = IsRanged(look);
    const double rest = ranged ? (look.weapon == Weapon::Sling ? -60 : 10) : 70;
    std::vector<Pose> poses;
    auto pose = [&](int bob, int stride, int lean, double weapon, int reach = 0) {
        Pose p;
        p.bob = bob;
        p.stride = stride;
        p.lean = lean;
        p.weapon = weapon;
        p.reach = reach;
        return p;
    };
    if (action == "idle") {
        poses = {pose(0, 0, 0, rest), pose(1, 0, 0, rest - 4)};
    } else if (action == "move") {
        poses = {pose(0, 2, 1, rest), pose(-1, 0, 1, rest + 4), pose(0, -2, 1, rest),
                 pose(-1, 0, 1, rest + 4)};
    } else if (action == "melatk_beg") {
        poses = {pose(0, 1, -1, Aim(variant, 110)), pose(-1, 1, -2, Aim(variant, 140)),
                 pose(-1, 1, -2, Aim(variant, 150))};
    } else if (action == "melatk_end") {
        poses = {pose(0, 2, 2, Aim(variant, 30), 3), pose(1, 2, 3, Aim(variant, -10), 4),
                 pose(0, 1, 1, Aim(variant, 20), 2)};
    } else if (action == "rngatk_beg") {
        Pose a = pose(0, 1, 0, 15), b = pose(0, 1, -1, 20), d = pose(0, 1, -1, 22);
        a.draw = 1;
        b.draw = 3;
        d.draw = 4;
        if (look.weapon == Weapon::Sling) {
            a.weapon = 120;
            b.weapon = 200;
            d.weapon = 280;
        } else if (look.weapon == Weapon::Javelin) {
            a.weapon = 30;
            b.weapon = 40;
            d.weapon = 45;
            a.reach = b.reach = d.reach = -3;
        }
        poses = {a, b, d};
    } else if (action == "rngatk_end") {
        Pose a = pose(0, 1, 1, 15, 2), b = pose(0, 1, 0, 10, 1);
        a.loaded = b.loaded = false;
        if (look.weapon == Weapon::Sling) {
            a.weapon = 20;
            b.weapon = -30;
        } else if (look.weapon == Weapon::Javelin) {
            a.weapon = 0;
            b.weapon = -20;
            a.reach = 5;
        }
        poses = {a, b};
    } else if (action == "wkick") {
        poses = {pose(0, 1, -2, Aim(variant, 100)), pose(1, 1, -3, Aim(variant, 110)), pose(0, 0, -1, rest)};
    } else if (action == "kick") {
        Pose a = pose(0, 0, -2, rest + 20), b = pose(1, 1, -3, rest + 30), d = pose(0, 0, -1, rest);
        a.flash = true;
        poses = {a, b, d};
    } else if (action == "dth") {
        Pose a = pose(0, 0, -2, rest + 30), b = pose(0, 0, -3, rest + 50), d = pose(0, 0, 0, 0),
             e = pose(0, 0, 0, 0);
        a.flash = true;
        a.fall = 1;
        b.fall = 2;
        d.fall = 3;
        e.fall = 4;
        poses = {a, b, d, e};
    }
    return poses;
}

void WriteSquadSet(ArtWriter& out, const std::string& id)
{
    const UnitLook look = LookOf(id);
    const std::string folder = "Objects/Units/" + id + "/";
    const ActionSpec actions[] = {
        {"idle", false, 30, 0},         {"move", false, 120, 0},         {"melatk_beg", true, 110, 255},
        {"melatk_end", true, 110, 255}, {"rngatk_beg", false, 100, 255}, {"rngatk_end", false, 100, 255},
        {"wkick", true, 100, 255},      {"kick", true, 100, 255},        {"dth", false, 80, 255},
    };
    static const char* const kVariants[3] = {"", "up", "dn"};
    for (const ActionSpec& a : actions) {
        for (int side = 0; side < 2; ++side) {
            const bool left = side == 0;
            const int variants = a.directional ? 3 : 1;
            for (int v = 0; v < variants; ++v) {
                const std::string name = a.name + (left ? "_lf" : "_rt") + kVariants[v];
                const int hotX = left ? kFrameW - 1 - kHotX : kHotX;
                out.Anim(folder + name, Frames(look, PosesOf(look, a.name, v), left), hotX, kHotY, a.rate,
                         a.loopBack);
            }
        }
    }
    // Portraits for the battle window: the attacker's side faces right in
    // its own shades, the defender's faces left in the second side's.
    Canvas portrait = Figure(look, Pose{});
    Canvas right(24, 24), leftIcon(24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const uint8_t c = portrait.Get(x + 2, y + 4);
            right.Set(x, y, c);
            leftIcon.Set(23 - x, y, c >= 220 && c < 238 ? uint8_t(c + 18) : c);
        }
    out.Image(folder + "icon_r", right, true, 0, 0);
    out.Image(folder + "icon_l", leftIcon, true, 0, 0);

    const bool mounted = look.mounted;
    out.Wav(folder + "move", mounted
                                 ? Synth({{180, 120, 40, 50, true}, {0, 0, 60, 0}, {160, 110, 40, 50, true}})
                                 : Synth({{120, 80, 70, 40, true}}));
    out.Wav(folder + "melatk_beg", Synth({{300, 900, 120, 35, true}}));
    out.Wav(folder + "melatk_end", Synth({{1400, 1100, 90, 55, false, true}, {900, 700, 60, 30}}));
    out.Wav(folder + "wkick", Synth({{200, 150, 70, 55, true}}));
    out.Wav(folder + "kick", Synth({{220, 140, 160, 60, false, true}}));
    out.Wav(folder + "dth", Synth({{300, 90, 380, 60, false, true}}));
    if (IsRanged(look)) {
        out.Wav(folder + "rngatk_beg", Synth({{200, 260, 150, 30}}));
        out.Wav(folder + "rngatk_end", Synth({{700, 300, 120, 55}}));
        // The missile: arrow, bolt, stone or javelin in six headings.
        static const char* const kHeadings[6] = {"miss_lf", "miss_lfup", "miss_lfdn",
                                                 "miss_rt", "miss_rtup", "miss_rtdn"};
        static const int kDx[6] = {-1, -1, -1, 1, 1, 1};
        static const int kDy[6] = {0, -1, 1, 0, -1, 1};
        for (int h = 0; h < 6; ++h) {
            std::vector<Canvas> frames;
            for (int f = 0; f < 2; ++f) {
                Canvas m(13, 13);
                if (look.weapon == Weapon::Sling) {
                    m.Ellipse(6, 6, 1 + f % 2, 1 + f % 2, Shade(kGrey, 9));
                    m.Set(6, 5, Shade(kGrey, 13));
                } else {
                    const int len = look.weapon == Weapon::Javelin    ? 6
                                    : look.weapon == Weapon::Crossbow ? 3
                                                                      : 5;
                    const int x0 = 6 - kDx[h] * len, y0 = 6 - kDy[h] * len;
                    const int x1 = 6 + kDx[h] * len, y1 = 6 + kDy[h] * len;
                    m.Line(x0, y0, x1, y1, Shade(kBrown, 11));
                    m.Set(x1, y1, Shade(kSteel, 14));
                    m.Set(x1 - kDx[h], y1 - kDy[h], Shade(kSteel, 12));
                    m.Set(x0 - kDy[h], y0 + kDx[h], f ? Side(12) : Shade(kGrey, 15));
                    m.Set(x0 + kDy[h], y0 - kDx[h], f ? Shade(kGrey, 15) : Side(12));
                }
                frames.push_back(m);
            }
            out.Anim(folder + kHeadings[h], frames, 6, 6, 150, 0);
        }
        std::vector<Canvas> hit;
        for (int f = 0; f < 3; ++f) {
            Canvas m(13, 13);
            for (int i = 0; i < 6; ++i) {
                const double a = i * 3.14159265358979 / 3 + f * 0.3;
                const int r = 2 + f * 2;
                m.Set(6 + int(std::lround(std::cos(a) * r)), 6 + int(std::lround(std::sin(a) * r)),
                      Shade(kSand, 13 - f * 3));
            }
            m.Ellipse(6, 6, 2 - f / 2, 1, Shade(kSand, 10 - f * 2));
            hit.push_back(m);
        }
        out.Anim(folder + "miss_expl", hit, 6, 6, 150, 255);
        out.Wav(folder + "miss_expl", Synth({{160, 90, 80, 45, true}}));
    }
}

}  // namespace

void DrawUnitArt(ArtWriter& out, const std::vector<std::string>& unitIds)
{
    for (const std::string& id : unitIds)
        WriteSquadSet(out, id);
}

}  // namespace battleart

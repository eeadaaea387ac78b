// The battle dialogs' own art (pack "skins"), below its staging folder:
//   Sounds/<name>.wav               from data/battledialogs/sounds/<name>.txt
//                                   (the battle results' victory and defeat calls)
//   Skin240/Skin/Slider/            the horizontal slider of the recruit and
//                                   split windows: end and step buttons, thumb,
//                                   track
//   Skin240/Skin/SquadBtn/          the squad buttons of the recruit window, of
//                                   any size; the pushed look (a chosen squad)
//                                   has a gold rim
//   Skin240/Skin/SquadFace/         a light face for buttons showing a squad
//                                   icon with its numbers, of any size
//   Skin240/Images/Icons/BattleAttack, BattleDefend
//                                   the emblems above the battle questions:
//                                   crossed swords, a shield
//   Skin240/Images/Btn/StartArrow   the trainer's start button: a green arrow
// Pictures are painted straight in indices of the "base" palette (its steel,
// gold and grey ramps).

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/sound_recipes.h"

namespace fs = std::filesystem;

namespace {

// ---- The slider skin ----

// Indices of the base palette's ramps (dark to light).
constexpr uint8_t kInk = 1;      // near black
constexpr uint8_t kSteel = 194;  // 192-207: blue-grey steel
constexpr uint8_t kGold = 72;    // 64-79: gold
constexpr uint8_t kGrey = 6;     // 1-15: greys

enum Look {
    kNormal,
    kPushed,
    kDisabled
};

// A bevelled face: a dark outline, light top and left edges, dark bottom and
// right edges; pushed swaps the bevel, disabled goes grey.
Canvas Bevel(int w, int h, Look look)
{
    const uint8_t base = look == kDisabled ? uint8_t(kGrey + 2)
                         : look == kPushed ? uint8_t(kSteel - 1)
                                           : kSteel;
    const uint8_t light = look == kDisabled ? uint8_t(kGrey + 5) : uint8_t(kSteel + 7);
    const uint8_t dark = look == kDisabled ? uint8_t(kGrey - 2) : uint8_t(kSteel - 2);
    Canvas f(w, h, base);
    for (int x = 0; x < w; ++x) {
        f.Set(x, 0, kInk);
        f.Set(x, h - 1, kInk);
        f.Set(x, 1, look == kPushed ? dark : light);
        f.Set(x, h - 2, look == kPushed ? light : dark);
    }
    for (int y = 0; y < h; ++y) {
        f.Set(0, y, kInk);
        f.Set(w - 1, y, kInk);
        if (y > 0 && y < h - 1) {
            f.Set(1, y, look == kPushed ? dark : light);
            f.Set(w - 2, y, look == kPushed ? light : dark);
        }
    }
    return f;
}

// A filled triangle pointing left (dir -1) or right (+1) with its tip at x.
void Arrow(Canvas& f, int x, int cy, int dir, uint8_t c)
{
    for (int i = 0; i < 5; ++i)
        for (int y = cy - i; y <= cy + i; ++y)
            f.Set(x - dir * i, y, c);
}

bool SliderSkin(ArtWriter& out)
{
    const fs::path skin = fs::path("Skin240") / "Skin" / "Slider";
    const char* suffix[] = {"", "_push", "_dis"};
    const char* buttons[] = {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR"};
    for (int look = kNormal; look <= kDisabled; ++look) {
        const std::string s = suffix[look];
        const uint8_t ink = look == kDisabled ? uint8_t(kGrey - 1) : uint8_t(kGold + 6);
        const int shift = look == kPushed ? 1 : 0;
        for (int b = 0; b < 4; ++b) {
            Canvas f = Bevel(18, 18, Look(look));
            const int dir = b < 2 ? -1 : 1;
            if (b == 1 || b == 2) {
                Arrow(f, (dir < 0 ? 7 : 10) + shift, 8 + shift, dir, ink);
            } else {
                Arrow(f, (dir < 0 ? 8 : 9) + shift, 8 + shift, dir, ink);
                const int bar = dir < 0 ? 5 : 12;
                for (int y = 4; y <= 12; ++y)
                    f.Set(bar + shift, y + shift, ink);
            }
            // Two fixed halves: the button keeps the face's 18 x 18.
            const fs::path folder = skin / buttons[b];
            if (!out.Image(folder / ("btn_l" + s), f.Crop(0, 0, 9, f.H()), false) ||
                !out.Image(folder / ("btn_r" + s), f.Crop(9, 0, 9, f.H()), false))
                return false;
        }
        // The thumb: gold caps round a free middle, so its length follows the page.
        Canvas thumb = Bevel(10, 18, Look(look));
        for (int y = 3; y <= 14; ++y) {
            thumb.Set(4, y, look == kDisabled ? uint8_t(kGrey + 4) : kGold);
            thumb.Set(5, y, look == kDisabled ? uint8_t(kGrey + 4) : uint8_t(kGold + 4));
        }
        const fs::path folder = skin / "Btn_Horz";
        if (!out.Image(folder / ("btn_l" + s), thumb.Crop(0, 0, 4, thumb.H()), false) ||
            !out.Image(folder / ("btn_c" + s), thumb.Crop(4, 0, 2, thumb.H()), false) ||
            !out.Image(folder / ("btn_r" + s), thumb.Crop(6, 0, 4, thumb.H()), false))
            return false;
    }
    // The track: a sunken groove across the bar's middle, tiled along it.
    Canvas track(4, 18, 0);
    for (int x = 0; x < 4; ++x) {
        track.Set(x, 6, kInk);
        for (int y = 7; y <= 10; ++y)
            track.Set(x, y, uint8_t(kSteel - 2));
        track.Set(x, 11, uint8_t(kSteel + 5));
    }
    return out.Image(skin / "client_h", track.Crop(0, 0, 4, track.H()), true);
}

// Cuts a 12 x 12 face into the nine 4 x 4 parts of a button skin in one of
// its looks: corners and edges round a client tile, so the button takes
// whatever size its layout gives.
bool NineParts(ArtWriter& out, const fs::path& skin, int look, const Canvas& face)
{
    const char* suffix[] = {"", "_push", "_dis"};
    struct Part {
        const char* name;
        int x, y;
    };
    const Part parts[] = {{"btnfrm_ul", 0, 0}, {"btnfrm_u", 4, 0}, {"btnfrm_ur", 8, 0},
                          {"btnfrm_l", 0, 4},  {"client", 4, 4},   {"btnfrm_r", 8, 4},
                          {"btnfrm_dl", 0, 8}, {"btnfrm_d", 4, 8}, {"btnfrm_dr", 8, 8}};
    for (const Part& part : parts) {
        const fs::path file = skin / (std::string(part.name) + suffix[look]);
        if (!out.Image(file, face.Crop(part.x, part.y, 4, 4), false))
            return false;
    }
    return true;
}

// The squad buttons of the battle dialogs: a bevelled face in three looks.
bool SquadButtonSkin(ArtWriter& out)
{
    const fs::path skin = fs::path("Skin240") / "Skin" / "SquadBtn";
    for (int look = kNormal; look <= kDisabled; ++look) {
        Canvas f = Bevel(12, 12, look == kPushed ? kNormal : Look(look));
        if (look == kDisabled) {
            // A dark field: the grey caption of a disabled choice stays legible.
            for (int y = 2; y < 10; ++y)
                for (int x = 2; x < 10; ++x)
                    f.Set(x, y, uint8_t(kGrey - 3));
        }
        if (look == kPushed) {
            // The chosen squad: a gold rim inside the outline, a darker field.
            for (int i = 1; i < 11; ++i) {
                f.Set(i, 1, uint8_t(kGold + 6));
                f.Set(i, 10, uint8_t(kGold + 1));
                f.Set(1, i, uint8_t(kGold + 6));
                f.Set(10, i, uint8_t(kGold + 1));
            }
            for (int y = 2; y < 10; ++y)
                for (int x = 2; x < 10; ++x)
                    f.Set(x, y, uint8_t(kSteel - 1));
        }
        if (!NineParts(out, skin, look, f))
            return false;
    }
    return true;
}

// The face of a button showing a squad icon: the icon's numbers are drawn
// in dark greys, so the field is light steel (a chosen squad's light gold)
// and they stand out.
bool SquadFaceSkin(ArtWriter& out)
{
    const fs::path skin = fs::path("Skin240") / "Skin" / "SquadFace";
    for (int look = kNormal; look <= kDisabled; ++look) {
        const uint8_t field = look == kPushed     ? uint8_t(kGold + 4)
                              : look == kDisabled ? uint8_t(kGrey + 5)
                                                  : uint8_t(kSteel + 11);
        const uint8_t light = look == kDisabled ? uint8_t(kGrey + 8) : uint8_t(kSteel + 13);
        const uint8_t dark = look == kDisabled ? uint8_t(kGrey + 1) : uint8_t(kSteel + 5);
        Canvas f(12, 12, field);
        for (int i = 0; i < 12; ++i) {
            f.Set(i, 0, kInk);
            f.Set(i, 11, kInk);
            f.Set(0, i, kInk);
            f.Set(11, i, kInk);
        }
        for (int i = 1; i < 11; ++i) {
            const bool pushed = look == kPushed;
            f.Set(i, 1, pushed ? uint8_t(kGold - 6) : light);
            f.Set(1, i, pushed ? uint8_t(kGold - 6) : light);
            f.Set(i, 10, pushed ? uint8_t(kGold - 6) : dark);
            f.Set(10, i, pushed ? uint8_t(kGold - 6) : dark);
        }
        if (!NineParts(out, skin, look, f))
            return false;
    }
    return true;
}

// ---- The battle questions' emblems ----

// A sword from (x0, y0) to (x1, y1): a steel blade with a light edge, a gold
// cross-guard and a dark grip beyond the guard.
void Sword(Canvas& f, int x0, int y0, int x1, int y1)
{
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    const int guardAt = steps * 3 / 4;
    for (int i = 0; i <= steps; ++i) {
        const int x = x0 + (x1 - x0) * i / steps;
        const int y = y0 + (y1 - y0) * i / steps;
        if (i < guardAt) {
            f.Set(x, y, uint8_t(kSteel + 12));
            f.Set(x + 1, y, uint8_t(kSteel + 6));
            f.Set(x, y + 1, uint8_t(kSteel + 3));
        } else if (i == guardAt) {
            // The guard lies across the blade.
            const int dx = (y1 - y0) > 0 ? 1 : -1, dy = (x1 - x0) > 0 ? -1 : 1;
            for (int k = -5; k <= 5; ++k) {
                f.Set(x + k * dx, y + k * dy, uint8_t(kGold + 6));
                f.Set(x + k * dx + 1, y + k * dy, uint8_t(kGold + 2));
            }
        } else {
            f.Set(x, y, uint8_t(kGrey - 1));
            f.Set(x + 1, y, uint8_t(kGrey + 1));
        }
    }
    f.Set(x1, y1, uint8_t(kGold + 8));
    f.Set(x1 + 1, y1, uint8_t(kGold + 8));
}

bool Emblems(ArtWriter& out)
{
    const fs::path icons = fs::path("Skin240") / "Images" / "Icons";
    Canvas swords(40, 32, 0);
    Sword(swords, 4, 2, 33, 29);
    Sword(swords, 35, 2, 6, 29);
    // A shield: a gold rim round a red field with a light band across.
    Canvas shield(32, 32, 0);
    for (int y = 1; y < 31; ++y) {
        // Straight sides down to two thirds, then narrowing to the point.
        const int half = y < 20 ? 14 : 14 - (y - 20) * 14 / 11;
        for (int x = 16 - half; x < 16 + half; ++x) {
            const bool rim = x < 16 - half + 2 || x >= 16 + half - 2 || y < 3;
            const bool band = y >= 12 && y < 16;
            shield.Set(x, y,
                       rim    ? uint8_t(x < 16 ? kGold + 7 : kGold + 2)
                       : band ? uint8_t(kSteel + 10)
                              : uint8_t(24));
        }
    }
    // A green arrow pointing right, outlined in black, and clear columns
    // after its tip: the button writes its caption right after the picture,
    // and the message box's faces leave as much between sign and word.
    Canvas start(17, 13, 0);
    for (int y = 0; y < 13; ++y) {
        const int reach = 6 - std::abs(y - 6);
        for (int x = 0; x <= reach * 2; ++x) {
            const bool edge = x == 0 || x == reach * 2 || y == 0 || y == 12;
            start.Set(x, y, edge ? kInk : uint8_t(40 + (12 - y) / 3));
        }
    }
    return out.Image(icons / "BattleAttack", swords, true) &&
           out.Image(icons / "BattleDefend", shield, true) &&
           out.Image(fs::path("Skin240") / "Images" / "Btn" / "StartArrow", start, true);
}

}  // namespace

bool DrawBattleDialogsArt(const ArtInput& in, ArtWriter& out)
{
    const fs::path sounds = in.data / "battledialogs" / "sounds";
    if (TextSourcesIn(sounds).empty())
        return out.Fail("no sound recipes in " + sounds.string());
    return SoundsFromRecipes(sounds, "Sounds", out) && SliderSkin(out) && SquadButtonSkin(out) &&
           SquadFaceSkin(out) && Emblems(out);
}

// battledialogsart: the battle dialogs' own art, written into a staging folder:
//   Sounds/<name>.wav               from data/battledialogs/sounds/<name>.txt
//                                   (the battle results' victory and defeat calls)
//   Skin240/Skin/Slider/            the horizontal slider of the recruit and
//                                   split windows: end and step buttons, thumb,
//                                   track
//   Skin240/Skin/SquadBtn/          the squad buttons of the recruit window, of
//                                   any size; the pushed look (a chosen squad)
//                                   has a gold rim
//   Skin240/Images/Icons/BattleAttack, BattleDefend
//                                   the emblems above the battle questions:
//                                   crossed swords, a shield
//   Skin240/Images/Btn/StartArrow   the trainer's start button: a green arrow
// Pictures are painted straight in indices of the "base" palette (its steel,
// gold and grey ramps). Files whose bytes would not change are left alone.
#include <algorithm>
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
#include "tools/encode/wav_encoder.h"

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

struct Face {
    int w, h;
    std::vector<uint8_t> px;
    Face(int width, int height, uint8_t fill) : w(width), h(height), px(size_t(width * height), fill) {}
    void Set(int x, int y, uint8_t c)
    {
        if (x >= 0 && y >= 0 && x < w && y < h)
            px[size_t(y * w + x)] = c;
    }
    IndexedPicture Crop(int x0, int width) const { return Crop(x0, 0, width, h); }
    IndexedPicture Crop(int x0, int y0, int width, int height) const
    {
        IndexedPicture p;
        p.width = uint16_t(width);
        p.height = uint16_t(height);
        for (int y = y0; y < y0 + height; ++y)
            for (int x = x0; x < x0 + width; ++x)
                p.pixels.push_back(px[size_t(y * w + x)]);
        return p;
    }
};

// A bevelled face: a dark outline, light top and left edges, dark bottom and
// right edges; pushed swaps the bevel, disabled goes grey.
Face Bevel(int w, int h, Look look)
{
    const uint8_t base = look == kDisabled ? uint8_t(kGrey + 2)
                         : look == kPushed ? uint8_t(kSteel - 1)
                                           : kSteel;
    const uint8_t light = look == kDisabled ? uint8_t(kGrey + 5) : uint8_t(kSteel + 7);
    const uint8_t dark = look == kDisabled ? uint8_t(kGrey - 2) : uint8_t(kSteel - 2);
    Face f(w, h, base);
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
void Arrow(Face& f, int x, int cy, int dir, uint8_t c)
{
    for (int i = 0; i < 5; ++i)
        for (int y = cy - i; y <= cy + i; ++y)
            f.Set(x - dir * i, y, c);
}

bool WritePicture(const fs::path& path, const IndexedPicture& picture, bool transparent)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    EncodeResult r = EncodeImage(picture, options);
    if (!r.ok()) {
        std::cerr << "battledialogsart: " << path << ": " << r.error << "\n";
        return false;
    }
    return WriteIfChanged(path, r.bytes);
}

bool SliderSkin(const fs::path& out)
{
    const fs::path skin = out / "Skin240" / "Skin" / "Slider";
    const char* suffix[] = {"", "_push", "_dis"};
    const char* buttons[] = {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR"};
    for (int look = kNormal; look <= kDisabled; ++look) {
        const std::string s = suffix[look];
        const uint8_t ink = look == kDisabled ? uint8_t(kGrey - 1) : uint8_t(kGold + 6);
        const int shift = look == kPushed ? 1 : 0;
        for (int b = 0; b < 4; ++b) {
            Face f = Bevel(18, 18, Look(look));
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
            if (!WritePicture(folder / ("btn_l" + s + ".img"), f.Crop(0, 9), false) ||
                !WritePicture(folder / ("btn_r" + s + ".img"), f.Crop(9, 9), false))
                return false;
        }
        // The thumb: gold caps round a free middle, so its length follows the page.
        Face thumb = Bevel(10, 18, Look(look));
        for (int y = 3; y <= 14; ++y) {
            thumb.Set(4, y, look == kDisabled ? uint8_t(kGrey + 4) : kGold);
            thumb.Set(5, y, look == kDisabled ? uint8_t(kGrey + 4) : uint8_t(kGold + 4));
        }
        const fs::path folder = skin / "Btn_Horz";
        if (!WritePicture(folder / ("btn_l" + s + ".img"), thumb.Crop(0, 4), false) ||
            !WritePicture(folder / ("btn_c" + s + ".img"), thumb.Crop(4, 2), false) ||
            !WritePicture(folder / ("btn_r" + s + ".img"), thumb.Crop(6, 4), false))
            return false;
    }
    // The track: a sunken groove across the bar's middle, tiled along it.
    Face track(4, 18, 0);
    for (int x = 0; x < 4; ++x) {
        track.Set(x, 6, kInk);
        for (int y = 7; y <= 10; ++y)
            track.Set(x, y, uint8_t(kSteel - 2));
        track.Set(x, 11, uint8_t(kSteel + 5));
    }
    return WritePicture(skin / "client_h.img", track.Crop(0, 4), true);
}

// Nine parts cut from a 12 x 12 face: 4-pixel corners and edges round a
// 4 x 4 client tile, so the button takes whatever size its layout gives.
bool SquadButtonSkin(const fs::path& out)
{
    const fs::path skin = out / "Skin240" / "Skin" / "SquadBtn";
    const char* suffix[] = {"", "_push", "_dis"};
    struct Part {
        const char* name;
        int x, y;
    };
    const Part parts[] = {{"btnfrm_ul", 0, 0}, {"btnfrm_u", 4, 0}, {"btnfrm_ur", 8, 0},
                          {"btnfrm_l", 0, 4},  {"client", 4, 4},   {"btnfrm_r", 8, 4},
                          {"btnfrm_dl", 0, 8}, {"btnfrm_d", 4, 8}, {"btnfrm_dr", 8, 8}};
    for (int look = kNormal; look <= kDisabled; ++look) {
        Face f = Bevel(12, 12, look == kPushed ? kNormal : Look(look));
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
        for (const Part& part : parts) {
            const fs::path file = skin / (std::string(part.name) + suffix[look] + ".img");
            if (!WritePicture(file, f.Crop(part.x, part.y, 4, 4), false))
                return false;
        }
    }
    return true;
}

// ---- The battle questions' emblems ----

// A sword from (x0, y0) to (x1, y1): a steel blade with a light edge, a gold
// cross-guard and a dark grip beyond the guard.
void Sword(Face& f, int x0, int y0, int x1, int y1)
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

bool Emblems(const fs::path& out)
{
    const fs::path icons = out / "Skin240" / "Images" / "Icons";
    Face swords(40, 32, 0);
    Sword(swords, 4, 2, 33, 29);
    Sword(swords, 35, 2, 6, 29);
    // A shield: a gold rim round a red field with a light band across.
    Face shield(32, 32, 0);
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
    // A green arrow pointing right, outlined in black.
    Face start(12, 13, 0);
    for (int y = 0; y < 13; ++y) {
        const int reach = 6 - std::abs(y - 6);
        for (int x = 0; x <= reach * 2 && x < 12; ++x) {
            const bool edge = x == 0 || x == reach * 2 || y == 0 || y == 12;
            start.Set(x, y, edge ? kInk : uint8_t(40 + (12 - y) / 3));
        }
    }
    return WritePicture(icons / "BattleAttack.img", swords.Crop(0, 0, 40, 32), true) &&
           WritePicture(icons / "BattleDefend.img", shield.Crop(0, 0, 32, 32), true) &&
           WritePicture(out / "Skin240" / "Images" / "Btn" / "StartArrow.img", start.Crop(0, 0, 12, 13),
                        true);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: battledialogsart <source folder> <staging folder>\n";
        return 2;
    }
    const fs::path sounds = fs::path(argv[1]) / "sounds";
    const fs::path out = argv[2];
    std::vector<fs::path> sources;
    if (fs::is_directory(sounds)) {
        for (const auto& e : fs::directory_iterator(sounds))
            if (e.is_regular_file() && e.path().extension() == ".txt")
                sources.push_back(e.path());
    }
    std::sort(sources.begin(), sources.end());
    if (sources.empty()) {
        std::cerr << "battledialogsart: no sound recipes in " << sounds << "\n";
        return 1;
    }
    for (const fs::path& src : sources) {
        std::string text, error;
        WavSource sound;
        if (!ReadWholeFile(src, text)) {
            std::cerr << "battledialogsart: cannot read " << src << "\n";
            return 1;
        }
        if (!SynthesizeSoundSource(text, src.string(), sound, error)) {
            std::cerr << "battledialogsart: " << error << "\n";
            return 1;
        }
        EncodeResult r = EncodeWav(sound);
        if (!r.ok()) {
            std::cerr << "battledialogsart: " << src.string() << ": " << r.error << "\n";
            return 1;
        }
        if (!WriteIfChanged(out / "Sounds" / (src.stem().string() + ".wav"), r.bytes))
            return 1;
    }
    return SliderSkin(out) && SquadButtonSkin(out) && Emblems(out) ? 0 : 1;
}

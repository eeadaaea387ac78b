// The pictures of the set-up and end-of-game windows (pack "menus"), below
// its staging folder:
//   Skin/awdialog, awpanel        frame skins of the dialogs and their panels
//   Skin/awbutton                 the buttons' nine-part skin (normal, pushed, disabled)
//   Skin/awminimap                the frame around a mini-map
//   Skin/awcheck                  the check box pictures
//   Skin/awkey                    the on-screen keyboard's keys
//   Skin/awscreen, awscreendark   the full-screen windows' wallpapers and title bars
//   Images/Btn/aw*                button pictures (ok, cancel, arrows, ...)
//   Images/Icons/Flag1..Flag6     the six flag colours; aw* separators and headlines
//   Images/Map/MapMiniCapital, MapMiniCastle
//   Scenarios/<scenario>/<Mission>/preview   the mission's map, one pixel value
//                                 per province index, 250 on borders, 254 off the map
//                                 ("previewhi" at twice the size for large screens)
// Pictures use the base palette's ramps ("draw with the current palette").

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/palette_ramps.h"
#include "tools/encode/generated_files.h"

namespace fs = std::filesystem;

namespace {

// Rows of characters: '.' leaves the pixel, '#' dark, '+' light, 'o' mid.
void Pattern(Canvas& c, int x0, int y0, const std::vector<std::string>& rows, uint8_t dark, uint8_t mid,
             uint8_t light)
{
    c.Pattern(x0, y0, rows, "#o+", {dark, mid, light});
}

// A deterministic grain for surfaces.
int Grain(int x, int y, int seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<int>((h >> 28) & 3);
}

// ---- Frames ----

// A frame skin: bevelled border `b` pixels wide in a ramp, a client tile,
// and, with a title, title bar pieces 16 high.
void FrameSkin(ArtWriter& out, const std::string& name, uint8_t ramp, uint8_t clientRamp, int clientShade,
               int b, bool title)
{
    const std::string dir = "Skin/" + name + "/";
    auto edge = [&](int w, int h, bool horizontal, bool far) {
        Canvas c(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int d = horizontal ? (far ? h - 1 - y : y) : (far ? w - 1 - x : x);
                const int shade = d == 0 ? 3 : d == b - 1 ? 5 : 10 - Grain(x, y, 1);
                c.Set(x, y, Shade(ramp, far ? shade - 2 : shade));
            }
        return c;
    };
    out.Image(dir + "frame_u", edge(8, b, true, false), false);
    out.Image(dir + "frame_d", edge(8, b, true, true), false);
    out.Image(dir + "frame_l", edge(b, 8, false, false), false);
    out.Image(dir + "frame_r", edge(b, 8, false, true), false);
    auto corner = [&](bool right, bool bottom) {
        Canvas c(b, b);
        for (int y = 0; y < b; ++y)
            for (int x = 0; x < b; ++x) {
                const int dx = right ? b - 1 - x : x, dy = bottom ? b - 1 - y : y;
                const int d = std::min(dx, dy);
                const int shade = d == 0 ? 3 : d == b - 1 ? 5 : 11;
                c.Set(x, y, Shade(ramp, (right || bottom) ? shade - 1 : shade));
            }
        return c;
    };
    out.Image(dir + "frame_ul", corner(false, false), false);
    out.Image(dir + "frame_ur", corner(true, false), false);
    out.Image(dir + "frame_dl", corner(false, true), false);
    out.Image(dir + "frame_dr", corner(true, true), false);
    Canvas client(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            client.Set(x, y, Shade(clientRamp, clientShade + (Grain(x, y, 7) == 0 ? 1 : 0)));
    out.Image(dir + "client", client, false);
    if (!title)
        return;
    Canvas left(10, 16), right(10, 16), centre(4, 16);
    for (int y = 0; y < 16; ++y) {
        const uint8_t band = Shade(kRed, y < 2 || y > 13 ? 4 : 6 + (y < 8 ? 1 : 0));
        for (int x = 0; x < 4; ++x)
            centre.Set(x, y, band);
        for (int x = 0; x < 10; ++x) {
            left.Set(x, y, x < 2 ? Shade(kYellow, 9) : band);
            right.Set(x, y, x > 7 ? Shade(kYellow, 9) : band);
        }
    }
    out.Image(dir + "title_l", left, false);
    out.Image(dir + "title_r", right, false);
    out.Image(dir + "title_c", centre, false);
}

void ButtonSkin(ArtWriter& out)
{
    const std::string dir = "Skin/awbutton/";
    const char* suffixes[] = {"", "_push", "_dis"};
    for (int look = 0; look < 3; ++look) {
        const std::string s = suffixes[look];
        const uint8_t ramp = look == 2 ? kGrey : kBrown;
        const int light = look == 1 ? 4 : 13, dark = look == 1 ? 13 : 4;
        auto piece = [&](int w, int h, int kind) {
            // kind: 0 top, 1 bottom, 2 left, 3 right, 4 client, 5-8 corners ul ur dl dr
            Canvas c(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    int shade = 8;
                    if (kind == 0 || kind == 5 || kind == 6)
                        shade = y == 0 ? light : 9;
                    if (kind == 1 || kind == 7 || kind == 8)
                        shade = y == h - 1 ? dark : 7;
                    if (kind == 2 || ((kind == 5 || kind == 7) && x == 0))
                        shade = x == 0 ? light : 9;
                    if (kind == 3 || ((kind == 6 || kind == 8) && x == w - 1))
                        shade = x == w - 1 ? dark : 7;
                    if (kind == 4)
                        shade = (look == 1 ? 6 : 8) + (Grain(x, y, 3) == 0 ? 1 : 0);
                    c.Set(x, y, Shade(ramp, look == 2 ? shade / 2 + 2 : shade));
                }
            return c;
        };
        out.Image(dir + "btnfrm_u" + s, piece(4, 3, 0), false);
        out.Image(dir + "btnfrm_d" + s, piece(4, 3, 1), false);
        out.Image(dir + "btnfrm_l" + s, piece(3, 4, 2), false);
        out.Image(dir + "btnfrm_r" + s, piece(3, 4, 3), false);
        out.Image(dir + "client" + s, piece(8, 8, 4), false);
        out.Image(dir + "btnfrm_ul" + s, piece(3, 3, 5), false);
        out.Image(dir + "btnfrm_ur" + s, piece(3, 3, 6), false);
        out.Image(dir + "btnfrm_dl" + s, piece(3, 3, 7), false);
        out.Image(dir + "btnfrm_dr" + s, piece(3, 3, 8), false);
    }
}

// The on-screen keyboard's keys: each skin is one picture, which fixes the
// key's size; the special keys carry their symbol.
void Keyboard(ArtWriter& out)
{
    struct Key {
        const char* name;
        int width;
        std::vector<std::string> symbol;
    };
    const std::vector<Key> keys = {
        {"Symbol", 18, {}},
        {"Backsp", 24, {"...#....", "..##....", ".#######", "########", ".#######", "..##....", "...#...."}},
        {"Enter", 26, {"......#", "......#", "..#...#", ".##...#", "#######", ".##....", "..#...."}},
        {"Caps",
         26,
         {"...#...", "..###..", ".#####.", "#######", "..###..", "..###..", ".......", "#######"}},
        {"Shift", 30, {"...#...", "..###..", ".#####.", "#######", "..###..", "..###..", "..###.."}},
        {"Space", 120, {}},
        {"Layout", 26, {}},
    };
    for (const Key& key : keys) {
        for (int pushed = 0; pushed < 2; ++pushed) {
            Canvas c(key.width, 20);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < key.width; ++x) {
                    const bool edge = x == 0 || y == 0 || x == key.width - 1 || y == 19;
                    const bool lit = (x == 0 || y == 0) != (pushed != 0);
                    c.Set(x, y, edge ? Shade(kBrown, lit ? 13 : 3) : Shade(kBrown, pushed ? 6 : 8));
                }
            if (!key.symbol.empty())
                Pattern(c, (key.width - static_cast<int>(key.symbol[0].size())) / 2, 6, key.symbol,
                        Shade(kGrey, 15), 0, 0);
            out.Image(std::string("Skin/awkey/") + key.name + "/btn_l" + (pushed ? "_push" : ""), c, false);
        }
    }
}

void CheckBox(ArtWriter& out)
{
    for (int checked = 0; checked < 2; ++checked) {
        Canvas c(14, 14);
        c.Fill(0, 0, 13, 13, Shade(kBrown, 3));
        c.Fill(1, 1, 12, 12, Shade(kSand, 13));
        if (checked)
            Pattern(c, 2, 2,
                    {"........##", ".......##.", "......##..", "#....##...", "##..##....", ".####.....",
                     "..##......", "..........", "", ""},
                    Shade(kGreen, 4), 0, 0);
        out.Image(std::string("Skin/awcheck/") + (checked ? "checked" : "unchecked"), c, false);
    }
}

void Screen(ArtWriter& out, const std::string& name, uint8_t ramp, int base)
{
    Canvas wall(240, 320);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x) {
            // Soft vertical light and a faint weave.
            const int light = base + (y < 160 ? y / 40 : (320 - y) / 40) - ((x + y) % 7 == 0 ? 1 : 0);
            wall.Set(x, y, Shade(ramp, light - (Grain(x, y, 11) == 0 ? 1 : 0)));
        }
    for (int x = 0; x < 240; ++x) {
        wall.Set(x, 0, Shade(kYellow, 8));
        wall.Set(x, 319, Shade(kYellow, 6));
    }
    out.Image("Skin/" + name + "/wallpaper", wall, false);
    Canvas left(12, 16), right(12, 16), centre(4, 16);
    for (int y = 0; y < 16; ++y) {
        const uint8_t band = Shade(kYellow, y == 0 || y == 15 ? 5 : 3 + y / 4);
        for (int x = 0; x < 12; ++x) {
            left.Set(x, y, x < 3 ? Shade(kRed, 8) : band);
            right.Set(x, y, x > 8 ? Shade(kRed, 8) : band);
        }
        for (int x = 0; x < 4; ++x)
            centre.Set(x, y, band);
    }
    out.Image("Skin/" + name + "/title_l", left, false);
    out.Image("Skin/" + name + "/title_r", right, false);
    out.Image("Skin/" + name + "/title_c", centre, false);
}

// ---- Pictures ----

void ButtonPictures(ArtWriter& out)
{
    struct Icon {
        const char* name;
        uint8_t ramp;
        std::vector<std::string> rows;
    };
    const std::vector<Icon> icons = {
        {"awok",
         kGreen,
         {"..........##", ".........###", "........###.", "#......###..", "##....###...", "###..###....",
          ".######.....", "..####......", "...##......."}},
        {"awcancel",
         kRed,
         {"##......##", "###....###", ".###..###.", "..######..", "...####...", "..######..", ".###..###.",
          "###....###", "##......##"}},
        {"awup",
         kYellow,
         {"....##....", "...####...", "..######..", ".########.", "##########", "...####...", "...####...",
          "...####..."}},
        {"awdown",
         kYellow,
         {"...####...", "...####...", "...####...", "##########", ".########.", "..######..", "...####...",
          "....##...."}},
        {"awback",
         kYellow,
         {"...##.....", "..##......", ".#########", "##########", ".#########", "..##......", "...##....."}},
        {"awclear",
         kRed,
         {"...########", "..#o.o.o.o#", ".#o#.o.#.o#", "#o.o###.o.#", ".#o#.o.#.o#", "..#o.o.o.o#",
          "...########"}},
        {"awdelete",
         kRed,
         {"..######..", "##########", ".#o#o#o#o.", ".#o#o#o#o.", ".#o#o#o#o.", ".#o#o#o#o.", ".#o#o#o#o.",
          "..######.."}},
        {"awinfo",
         kWater,
         {"...##...", "...##...", "........", "..###...", "...##...", "...##...", "...##...", "..####.."}},
        {"awdescr",
         kSand,
         {"########.", "#oooooo##", "#o####o.#", "#oooooo.#", "#o####o.#", "#oooooo.#", "#o###oo.#",
          "#oooooo.#", "#########"}},
        {"awauthor",
         kPurple,
         {".......##", "......##.", ".....##..", "....##...", "...##....", "..##.....", ".o#......",
          "oo.......", "........."}},
        {"awhero",
         kSteel,
         {"..#####..", ".#ooooo#.", "#ooooooo#", "#o#####o#", "#o#...#o#", "#o#...#o#", ".#.....#.",
          "........."}},
        {"awmap",
         kSand,
         {"#########", "#oo#ooo##", "#o###oo.#", "#oo#ooo.#", "#ooo##o.#", "#oooo#o.#", "#########"}},
    };
    for (const Icon& icon : icons) {
        int w = 0;
        for (const std::string& row : icon.rows)
            w = std::max<int>(w, static_cast<int>(row.size()));
        Canvas c(w + 2, static_cast<int>(icon.rows.size()) + 2);
        // A dark outline one pixel around the shape keeps it readable on any face.
        for (size_t y = 0; y < icon.rows.size(); ++y)
            for (size_t x = 0; x < icon.rows[y].size(); ++x)
                if (icon.rows[y][x] != '.')
                    for (int dy = 0; dy <= 2; ++dy)
                        for (int dx = 0; dx <= 2; ++dx)
                            c.Set(int(x) + dx, int(y) + dy, Shade(kGrey, 2));
        Pattern(c, 1, 1, icon.rows, Shade(icon.ramp, 13), Shade(icon.ramp, 8), Shade(icon.ramp, 15));
        out.Image(std::string("Images/Btn/") + icon.name, c, true);
    }
}

// The six flag colours the map's flag numbers 0-5 stand for.
const uint8_t kFlagRamps[6] = {kRed, kBlue, kGreen, kYellow, kPurple, kOrange};

void Flags(ArtWriter& out)
{
    for (int i = 0; i < 6; ++i) {
        Canvas c(16, 14);
        c.Fill(1, 0, 1, 13, Shade(kBrown, 5));  // the pole
        for (int y = 1; y < 10; ++y)
            for (int x = 2; x < 15; ++x) {
                const int wave = static_cast<int>(std::lround(std::sin((x + 1) * 0.6) * 1.2));
                if (y + wave >= 1 && y + wave < 10)
                    c.Set(x, y + wave, Shade(kFlagRamps[i], 9 + (y < 4 ? 3 : 0)));
            }
        out.Image("Images/Icons/Flag" + std::to_string(i + 1), c, true);
    }
}

void Icons(ArtWriter& out)
{
    Canvas line(232, 2);
    for (int x = 0; x < 232; ++x) {
        line.Set(x, 0, Shade(kYellow, 9));
        line.Set(x, 1, Shade(kYellow, 4));
    }
    out.Image("Images/Icons/awline", line, false);
    const struct {
        const char* name;
        uint8_t ramp;
        std::vector<std::string> rows;
    } heads[] = {
        {"awhlgame",
         kYellow,
         {"..######..", ".#oooooo#.", "#oo#oo#oo#", "#oooooooo#", "#o#oooo#o#", "#oo####oo#", ".#oooooo#.",
          "..######.."}},
        {"awhlres",
         kYellow,
         {"...####...", ".##oooo##.", "#oo####oo#", "#oooooooo#", ".##oooo##.", "#o.####.o#", "#oo....oo#",
          ".########."}},
        {"awhlarmy",
         kSteel,
         {"#.......#", "##.....##", ".##...##.", "..##.##..", "...###...", "..##.##..", ".##...##.",
          "##.....##"}},
        {"awhlbattle",
         kRed,
         {"....##....", "...####...", "..######..", ".########.", "##########", ".########.", "..######..",
          "...####..."}},
    };
    for (const auto& head : heads) {
        Canvas c(16, 12);
        Pattern(c, 3, 2, head.rows, Shade(head.ramp, 6), Shade(head.ramp, 12), Shade(head.ramp, 15));
        out.Image(std::string("Images/Icons/") + head.name, c, true);
    }
    Canvas capital(7, 7), castle(5, 5);
    Pattern(capital, 0, 0, {"#.#.#.#", "#######", "#+++++#", "#+###+#", "#+#.#+#", "#######", "......."},
            Shade(kGrey, 1), 0, Shade(kYellow, 14));
    Pattern(castle, 0, 0, {"#.#.#", "#####", "#+++#", "#+.+#", "#####"}, Shade(kGrey, 1), 0,
            Shade(kGrey, 14));
    out.Image("Images/Map/MapMiniCapital", capital, true);
    out.Image("Images/Map/MapMiniCastle", castle, true);
}

// ---- Mission previews ----

struct Cell {
    int column, row;
};

// The provinces' grid cells of a mission source, in index order.
bool ReadCells(const fs::path& source, std::vector<Cell>& cells)
{
    std::string text;
    if (!ReadWholeFile(source, text))
        return false;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word, key;
        Cell cell{};
        if (!(words >> word) || word != "province")
            continue;
        if (!(words >> key >> cell.column >> cell.row))
            return false;
        cells.push_back(cell);
    }
    return !cells.empty();
}

// Each grid cell becomes a block of the preview; province outlines wander a
// little, as a coast or a river would, and borders are drawn in 250.
Canvas Preview(const std::vector<Cell>& cells)
{
    int columns = 0, rows = 0;
    for (const Cell& c : cells) {
        columns = std::max(columns, c.column + 1);
        rows = std::max(rows, c.row + 1);
    }
    // The largest block that keeps the map within 112 x 72 pixels.
    const int block = std::max(6, std::min(112 / std::max(1, columns), 72 * 6 / 5 / std::max(1, rows)));
    const int bw = block, bh = block * 5 / 6;
    const int w = columns * bw + 2, h = rows * bh + 2;
    std::vector<int> owner(static_cast<size_t>(w) * h, -1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double jx = std::sin(y * 0.7 + x * 0.13) * bw * 0.18;
            const double jy = std::sin(x * 0.6 + y * 0.11) * bh * 0.18;
            const int column = static_cast<int>(std::floor((x - 1 + jx) / bw));
            const int row = static_cast<int>(std::floor((y - 1 + jy) / bh));
            for (size_t i = 0; i < cells.size(); ++i)
                if (cells[i].column == column && cells[i].row == row)
                    owner[static_cast<size_t>(y) * w + x] = int(i);
        }
    Canvas c(w, h, 254);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int o = owner[static_cast<size_t>(y) * w + x];
            if (o < 0)
                continue;
            const int right = x + 1 < w ? owner[static_cast<size_t>(y) * w + x + 1] : -1;
            const int down = y + 1 < h ? owner[static_cast<size_t>(y + 1) * w + x] : -1;
            c.Set(x, y, (right != o || down != o) ? 250 : static_cast<uint8_t>(o));
        }
    return c;
}

void Previews(ArtWriter& out, const fs::path& missions)
{
    if (!fs::is_directory(missions))
        return;
    std::vector<fs::path> sources;
    for (const auto& e : fs::recursive_directory_iterator(missions))
        if (e.is_regular_file() && e.path().extension() == ".mission")
            sources.push_back(e.path());
    std::sort(sources.begin(), sources.end());
    for (const fs::path& source : sources) {
        std::vector<Cell> cells;
        if (!ReadCells(source, cells)) {
            out.Fail(source.string() + ": no provinces to draw");
            continue;
        }
        if (cells.size() > 99) {
            out.Fail(source.string() + ": more provinces than a preview can index");
            continue;
        }
        const std::string scenario = source.parent_path().filename().string();
        const std::string mission = source.stem().string();
        // A large screen asks for the "hi" preview first.
        const char* name = out.Scale() == 2 ? "/previewhi" : "/preview";
        out.Image("Scenarios/" + scenario + "/" + mission + name, Preview(cells), false);
    }
}

}  // namespace

bool DrawMenusArt(const ArtInput& in, ArtWriter& out)
{
    FrameSkin(out, "awdialog", kBrown, kBrown, 2, 4, true);
    FrameSkin(out, "awpanel", kBrown, kBrown, 3, 2, false);
    FrameSkin(out, "awminimap", kYellow, kGrey, 1, 2, false);
    ButtonSkin(out);
    CheckBox(out);
    Keyboard(out);
    Screen(out, "awscreen", kBrown, 3);
    Screen(out, "awscreendark", kGrey, 2);
    ButtonPictures(out);
    Flags(out);
    Icons(out);
    Previews(out, in.data / "missions");
    return out.Ok();
}

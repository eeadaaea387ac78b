// The squad-type and resource icons of the reports (pack "game").
//
// Every squad type folder gets a 24 x 24 shield with the first two letters
// of its id, its rim coloured by role (ranged blue, fast riders green, the
// rest red); the resources get a coin, an ingot and a stone. The pictures
// are drawn in the base palette's ramps and are fully deterministic.

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/canvas.h"

namespace {
namespace fs = std::filesystem;

// 5 x 7 capitals, one string of 7 rows of 5 columns per letter.
const std::map<char, const char*> kGlyphs = {
    {'A', ".###.#...##...#######...##...##...#"}, {'B', "####.#...#####.#...##...##...#####."},
    {'C', ".###.#...##....#....#....#...#.###."}, {'D', "####.#...##...##...##...##...#####."},
    {'E', "######....####.#....#....#....#####"}, {'F', "######....####.#....#....#....#...."},
    {'G', ".###.#...##....#.####...##...#.###."}, {'H', "#...##...#######...##...##...##...#"},
    {'I', ".###...#....#....#....#....#...###."}, {'J', "..###...#....#....#.#..#.#..#..##.."},
    {'K', "#...##..#.#.#..##...#.#..#..#.#...#"}, {'L', "#....#....#....#....#....#....#####"},
    {'M', "#...###.###.#.##...##...##...##...#"}, {'N', "#...###..##.#.##..###...##...##...#"},
    {'O', ".###.#...##...##...##...##...#.###."}, {'P', "####.#...##...#####.#....#....#...."},
    {'Q', ".###.#...##...##...##.#.##..#..##.#"}, {'R', "####.#...##...#####.#.#..#..#.#...#"},
    {'S', ".#####....#.....###.....#....#####."}, {'T', "#####..#....#....#....#....#....#.."},
    {'U', "#...##...##...##...##...##...#.###."}, {'V', "#...##...##...##...#.#.#..#.#...#.."},
    {'W', "#...##...##...##.#.##.#.###.###...#"}, {'X', "#...##...#.#.#...#...#.#.#...##...#"},
    {'Y', "#...##...#.#.#...#....#....#....#.."}, {'Z', "#####....#...#...#...#...#....#####"},
};

// Ramps of the base palette.
constexpr uint8_t kWhite = 15;
constexpr uint8_t kDark = 2;
constexpr uint8_t kRed = 26, kGreen = 42, kBlue = 58, kGold = 74, kGoldDark = 68, kBrown = 88,
                  kBrownDark = 83;
constexpr uint8_t kSteel = 202, kSteelDark = 196, kShield = 186;

// A shield: a rounded square on top, a point below.
bool InShield(int x, int y)
{
    const int cx = 12;
    if (y < 2 || y > 22)
        return false;
    const int half = y < 14 ? 10 : 10 - (y - 14) * 10 / 9;
    return x >= cx - half && x < cx + half && !(y == 2 && (x == cx - half || x == cx + half - 1));
}

void Letter(Canvas& p, char letter, int left, int top, uint8_t c)
{
    auto it = kGlyphs.find(letter);
    if (it == kGlyphs.end())
        return;
    const std::string rows = it->second;
    for (int i = 0; i < int(rows.size()) && i < 35; ++i)
        if (rows[size_t(i)] == '#')
            p.Set(left + i % 5, top + i / 5, c);
}

Canvas UnitIcon(const std::string& id, uint8_t rim)
{
    Canvas p(24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            if (!InShield(x, y))
                continue;
            const bool edge =
                !InShield(x - 1, y) || !InShield(x + 1, y) || !InShield(x, y - 1) || !InShield(x, y + 1);
            const bool band = !InShield(x - 2, y) || !InShield(x + 2, y) || !InShield(x, y - 2);
            p.Set(x, y, edge ? kDark : band ? rim : kShield);
        }
    const char a = char(std::toupper(static_cast<unsigned char>(id.size() > 0 ? id[0] : '?')));
    const char b = char(std::toupper(static_cast<unsigned char>(id.size() > 1 ? id[1] : '?')));
    Letter(p, a, 6, 7, kDark);
    Letter(p, b, 13, 7, kDark);
    return p;
}

Canvas Coin()
{
    Canvas p(12, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const int dx = 2 * x - 11, dy = 2 * y - 11;
            const int d = dx * dx + dy * dy;
            if (d <= 121)
                p.Set(x, y, d > 81 ? kGoldDark : (x + y) % 7 == 0 ? kWhite : kGold);
        }
    return p;
}

Canvas Ingot()
{
    Canvas p(12, 12);
    for (int y = 3; y < 10; ++y) {
        const int inset = (9 - y) / 2;
        for (int x = 1 + inset; x < 11 - inset; ++x)
            p.Set(x, y, y == 3 || y == 9 ? kSteelDark : y == 4 ? kWhite : kSteel);
    }
    return p;
}

Canvas Stone()
{
    Canvas p(12, 12);
    for (int y = 2; y < 11; ++y)
        for (int x = 1; x < 11; ++x) {
            const int dx = 2 * x - 11, dy = 3 * y - 19;
            const int d = dx * dx + dy * dy;
            if (d <= 100)
                p.Set(x, y, d > 64 ? kBrownDark : (x * 3 + y) % 5 == 0 ? kBrownDark : kBrown);
        }
    return p;
}

// Melee, ranged and move speed of a description source: the first, third and
// fifth number after "[main]".
void ReadRole(const fs::path& descr, int& ranged, int& move)
{
    std::ifstream in(descr);
    std::string line;
    bool inMain = false;
    std::vector<int> values;
    while (std::getline(in, line) && values.size() < 5) {
        if (line.rfind("//", 0) == 0 || line.empty())
            continue;
        if (line[0] == '[') {
            inMain = line.rfind("[main]", 0) == 0;
            continue;
        }
        if (inMain)
            values.push_back(std::atoi(line.c_str()));
    }
    values.resize(5, 0);
    ranged = values[2];
    move = values[4];
}

}  // namespace

bool DrawGameIcons(const ArtInput& in, ArtWriter& out)
{
    const fs::path units = in.data / "game" / "Objects" / "Units";
    for (const std::string& id : in.units) {
        int ranged = 0, move = 0;
        ReadRole(units / id / "descr.rules", ranged, move);
        const uint8_t rim = ranged > 0 ? kBlue : move >= 3 ? kGreen : kRed;
        out.Image("Objects/Units/" + id + "/icon_l", UnitIcon(id, rim));
    }
    out.Image("Images/Icons/golds", Coin());
    out.Image("Images/Icons/metls", Ingot());
    out.Image("Images/Icons/stons", Stone());
    return out.Ok();
}

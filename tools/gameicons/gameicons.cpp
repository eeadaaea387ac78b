// gameicons: draws the squad-type and resource icons of the reports.
//
//   gameicons <unit source folder> <staging folder>
//
// Every squad type folder gets a 24 x 24 shield with the first two letters
// of its id, its rim coloured by role (ranged blue, fast riders green, the
// rest red); the resources get a coin, an ingot and a stone. The pictures
// are drawn in the base palette's ramps and are fully deterministic.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tools/encode/image_encoder.h"

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

IndexedPicture Blank(int size)
{
    IndexedPicture p;
    p.width = uint16_t(size);
    p.height = uint16_t(size);
    p.pixels.assign(size_t(size) * size_t(size), 0);
    return p;
}

void Put(IndexedPicture& p, int x, int y, uint8_t c)
{
    if (x >= 0 && y >= 0 && x < p.width && y < p.height)
        p.pixels[size_t(y) * p.width + size_t(x)] = c;
}

// A shield: a rounded square on top, a point below.
bool InShield(int x, int y)
{
    const int cx = 12;
    if (y < 2 || y > 22)
        return false;
    const int half = y < 14 ? 10 : 10 - (y - 14) * 10 / 9;
    return x >= cx - half && x < cx + half && !(y == 2 && (x == cx - half || x == cx + half - 1));
}

void Letter(IndexedPicture& p, char letter, int left, int top, uint8_t c)
{
    auto it = kGlyphs.find(letter);
    if (it == kGlyphs.end())
        return;
    const std::string rows = it->second;
    for (int i = 0; i < int(rows.size()) && i < 35; ++i)
        if (rows[size_t(i)] == '#')
            Put(p, left + i % 5, top + i / 5, c);
}

IndexedPicture UnitIcon(const std::string& id, uint8_t rim)
{
    IndexedPicture p = Blank(24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            if (!InShield(x, y))
                continue;
            const bool edge =
                !InShield(x - 1, y) || !InShield(x + 1, y) || !InShield(x, y - 1) || !InShield(x, y + 1);
            const bool band = !InShield(x - 2, y) || !InShield(x + 2, y) || !InShield(x, y - 2);
            Put(p, x, y, edge ? kDark : band ? rim : kShield);
        }
    const char a = char(std::toupper(static_cast<unsigned char>(id.size() > 0 ? id[0] : '?')));
    const char b = char(std::toupper(static_cast<unsigned char>(id.size() > 1 ? id[1] : '?')));
    Letter(p, a, 6, 7, kDark);
    Letter(p, b, 13, 7, kDark);
    return p;
}

IndexedPicture Coin()
{
    IndexedPicture p = Blank(12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const int dx = 2 * x - 11, dy = 2 * y - 11;
            const int d = dx * dx + dy * dy;
            if (d <= 121)
                Put(p, x, y, d > 81 ? kGoldDark : (x + y) % 7 == 0 ? kWhite : kGold);
        }
    return p;
}

IndexedPicture Ingot()
{
    IndexedPicture p = Blank(12);
    for (int y = 3; y < 10; ++y) {
        const int inset = (9 - y) / 2;
        for (int x = 1 + inset; x < 11 - inset; ++x)
            Put(p, x, y, y == 3 || y == 9 ? kSteelDark : y == 4 ? kWhite : kSteel);
    }
    return p;
}

IndexedPicture Stone()
{
    IndexedPicture p = Blank(12);
    for (int y = 2; y < 11; ++y)
        for (int x = 1; x < 11; ++x) {
            const int dx = 2 * x - 11, dy = 3 * y - 19;
            const int d = dx * dx + dy * dy;
            if (d <= 100)
                Put(p, x, y, d > 64 ? kBrownDark : (x * 3 + y) % 5 == 0 ? kBrownDark : kBrown);
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

bool Write(const fs::path& path, const IndexedPicture& picture)
{
    ImageEncodeOptions options;
    options.transparent = true;
    const EncodeResult result = EncodeImage(picture, options);
    if (!result.ok()) {
        std::fprintf(stderr, "gameicons: %s: %s\n", path.string().c_str(), result.error.c_str());
        return false;
    }
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(result.bytes.data()), std::streamsize(result.bytes.size()));
    return bool(out);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gameicons <unit source folder> <staging folder>\n");
        return 1;
    }
    const fs::path units = argv[1];
    const fs::path out = argv[2];
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(units))
        if (entry.is_directory())
            folders.push_back(entry.path());
    std::sort(folders.begin(), folders.end());
    bool ok = true;
    for (const fs::path& folder : folders) {
        int ranged = 0, move = 0;
        ReadRole(folder / "descr.rules", ranged, move);
        const uint8_t rim = ranged > 0 ? kBlue : move >= 3 ? kGreen : kRed;
        const std::string id = folder.filename().string();
        ok = Write(out / "Objects" / "Units" / id / "icon_l.img", UnitIcon(id, rim)) && ok;
    }
    ok = Write(out / "Images" / "Icons" / "golds.img", Coin()) && ok;
    ok = Write(out / "Images" / "Icons" / "metls.img", Ingot()) && ok;
    ok = Write(out / "Images" / "Icons" / "stons.img", Stone()) && ok;
    return ok ? 0 : 1;
}

// battlescreenart <data folder> <staging folder>
//
// Draws the battle screen's art below the staging folder:
//   Images/Battle/   terrain, cells, command icons, pointer, title bar, plates
//   Images/Btn/      the battle window's button faces
//   Objects/Units/<id>/   the squad animation set (and missile set) of each
//                         unit type found in <data>/game/Objects/Units
//   Objects/Battle/  walls, towers, gates, bridge, catapult, trebuchet, obstacles
//   Palettes/        the units palette and the terrain palettes
//   Sounds/          the battle's fanfares
// Files whose bytes are unchanged are not rewritten. Deterministic.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/battlescreenart/canvas.h"
#include "tools/encode/art_sources.h"

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: battlescreenart <data folder> <staging folder>\n";
        return 2;
    }
    const fs::path data = argv[1];
    std::ifstream in(data / "palettes" / "base.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<Rgb> base;
    std::string error;
    if (!in || !ParsePaletteSource(text.str(), "base", base, error)) {
        std::cerr << "battlescreenart: base palette: " << error << "\n";
        return 1;
    }
    std::vector<std::string> units;
    const fs::path unitFolder = data / "game" / "Objects" / "Units";
    if (fs::is_directory(unitFolder))
        for (const auto& e : fs::directory_iterator(unitFolder))
            if (e.is_directory())
                units.push_back(e.path().filename().string());
    std::sort(units.begin(), units.end());

    bsart::Writer out(argv[2]);
    bsart::DrawFieldArt(out, base);
    bsart::DrawUnitArt(out, units);
    bsart::DrawObjectArt(out);
    return out.ok ? 0 : 1;
}

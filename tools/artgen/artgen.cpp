// artgen <data folder> <staging folder>
//
// Draws all of the data set's art, each screen's share into a folder of its
// own below the staging folder ("<staging>/<screen>/"), which the data's
// CMake files make a source root of the screen's pack (see art_screens.h). Everything is deterministic, and a file
// whose bytes did not change is not rewritten, so the packs are only
// compiled again when the art really changed.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/encode/art_sources.h"
#include "tools/encode/generated_files.h"

namespace fs = std::filesystem;

namespace {

bool ReadInput(const fs::path& data, ArtInput& in)
{
    in.data = data;
    std::string text, error;
    const fs::path palettePath = data / "palettes" / "base.txt";
    if (!ReadWholeFile(palettePath, text) ||
        !ParsePaletteSource(text, palettePath.string(), in.basePalette, error)) {
        std::cerr << "artgen: " << (error.empty() ? "cannot read " + palettePath.string() : error) << "\n";
        return false;
    }
    for (const auto& [name, font] :
         {std::pair{"font.txt", &in.font}, std::pair{"smallestnum.txt", &in.digits}}) {
        const fs::path fontPath = data / "fonts" / name;
        if (!ReadWholeFile(fontPath, text) || !ParseFontSource(text, fontPath.string(), *font, error)) {
            std::cerr << "artgen: " << (error.empty() ? "cannot read " + fontPath.string() : error) << "\n";
            return false;
        }
    }
    // Sorted, so that the run does not depend on the order of the folder.
    const fs::path units = data / "game" / "Objects" / "Units";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(units, ec))
        if (entry.is_directory())
            in.units.push_back(entry.path().filename().string());
    if (ec || in.units.empty()) {
        std::cerr << "artgen: no squad types in " << units.string() << "\n";
        return false;
    }
    std::sort(in.units.begin(), in.units.end());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: artgen <data folder> <staging folder>\n";
        return 2;
    }
    const fs::path staging = argv[2];
    ArtInput in;
    if (!ReadInput(argv[1], in))
        return 1;
    in.gameIcons = staging / "gameicons";
    // The game's icons come before the map's art, which reuses some of them.
    const struct {
        const char* folder;
        bool (*draw)(const ArtInput&, ArtWriter&);
    } screens[] = {
        {"art", DrawBaseArt},
        {"gameicons", DrawGameIcons},
        {"mapview", DrawMapViewArt},
        {"title", DrawTitleArt},
        {"castle", DrawCastleArt},
        {"mapscreen", DrawMapScreenArt},
        {"battledialogs", DrawBattleDialogsArt},
        {"menus", DrawMenusArt},
        {"mapdialogs", DrawMapDialogsArt},
        {"battlescreen", DrawBattleScreenArt},
    };
    bool ok = true;
    for (const auto& screen : screens) {
        ArtWriter out(staging / screen.folder);
        ok = screen.draw(in, out) && out.Ok() && ok;
    }
    // The 480 x 640 art: every screen again at twice the size, into the one
    // skin folder "Skin480" of the pack "skins480". The screens go in the
    // order of their packs, so that of two root pictures of one name the
    // later pack's wins, as it does at 240 x 320.
    const fs::path large = staging / "skin480";
    in.gameIcons = large / "Skin480";
    const ArtDoubling doubling{"Skin240", "Skin480"};
    for (const char* folder : {"art", "gameicons", "title", "castle", "mapscreen", "battledialogs", "menus",
                               "mapview", "mapdialogs", "battlescreen"}) {
        for (const auto& screen : screens) {
            if (std::string(screen.folder) != folder)
                continue;
            ArtWriter out(large, doubling);
            ok = screen.draw(in, out) && out.Ok() && ok;
        }
    }
    return ok ? 0 : 1;
}

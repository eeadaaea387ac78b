#pragma once
// The art of each screen, one function per screen, each writing into a
// staging folder of its own (artgen.cpp runs them in order and names the
// folders; the data's CMake files make each a source root of the pack named
// below). New art of a screen belongs in its function. artgen.cpp runs every
// function a second time with a writer that doubles what it draws into the
// skin folder "Skin480" of the 480 x 640 screen (ArtDoubling in
// art_writer.h); a function asks `out.Scale()` only where the larger screen
// wants other art than the doubled picture.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/art_writer.h"
#include "tools/encode/font_encoder.h"
#include "tools/encode/palette_encoder.h"

struct ArtInput {
    std::filesystem::path data;       // the data folder
    std::vector<Rgb> basePalette;     // data/palettes/base.txt
    FontSource font;                  // data/fonts/font.txt
    FontSource digits;                // data/fonts/smallestnum.txt
    std::vector<std::string> units;   // the squad types under data/game/Objects/Units, sorted
    std::filesystem::path gameIcons;  // where DrawGameIcons wrote, read by the map's art
};

// Pack "art": the fonts, palettes and message sounds from their sources,
// and test pictures.
bool DrawBaseArt(const ArtInput& in, ArtWriter& out);
// Pack "game": the squad and resource icons of the reports.
bool DrawGameIcons(const ArtInput& in, ArtWriter& out);
// Pack "mapview": the strategic map's pictures, palette and skins.
bool DrawMapViewArt(const ArtInput& in, ArtWriter& out);
// Pack "skins" (the skin folder "Skin240" every screen's skins join): the
// title screen and the common skins, the castle windows, the map window's
// icons and buttons, the battle dialogs' skins, emblems and sounds.
bool DrawTitleArt(const ArtInput& in, ArtWriter& out);
bool DrawCastleArt(const ArtInput& in, ArtWriter& out);
bool DrawMapScreenArt(const ArtInput& in, ArtWriter& out);
bool DrawBattleDialogsArt(const ArtInput& in, ArtWriter& out);
// Pack "menus": the set-up, slot, statistics and hall-of-fame windows'
// pictures and the missions' previews.
bool DrawMenusArt(const ArtInput& in, ArtWriter& out);
// Pack "mapdialogs": the map's operation windows' art.
bool DrawMapDialogsArt(const ArtInput& in, ArtWriter& out);
// Pack "battlescreen": the battle screen's pictures, animations, palettes
// and sounds.
bool DrawBattleScreenArt(const ArtInput& in, ArtWriter& out);

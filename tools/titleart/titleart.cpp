// titleart <data folder> <staging folder>
//
// Paints the shell's art for the 240 x 320 layout into the staging folder:
//   Skin240/Skin/Title/      the title screen (wallpaper, animations)
//   Skin240/Skin/Night/      the credits and help screens
//   Skin240/Skin/Screen/     full-screen windows with a title ribbon
//   Skin240/Skin/Scroll, Dialog, Hint, Panel/   frame skins
//   Skin240/Skin/Button, BtnHelp, ValueScroller/Btn_*, ScrollBar/, CheckBox/   buttons
//   Skin240/Images/Btn/Ok, Cancel    message box button faces
//   Skin240/Images/Icons/Title, Copyright   the title screen's pictures
//   Sounds/title_music, click, dlg_show, dlg_hide
// Everything is painted in true colour from seeded noise and shapes, then
// mapped to the game's palette "base" (read from data/palettes). A file whose
// bytes did not change is not rewritten.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/encode/art_sources.h"
#include "tools/encode/generated_files.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/wav_encoder.h"
#include "tools/titleart/canvas.h"
#include "tools/titleart/shell_scenes.h"

namespace fs = std::filesystem;

namespace {}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: titleart <data folder> <staging folder>\n";
        return 2;
    }
    const fs::path data = argv[1], out = argv[2];
    std::string text, error;
    std::vector<Rgb> palette;
    const fs::path palettePath = data / "palettes" / "base.txt";
    if (!ReadWholeFile(palettePath, text) ||
        !ParsePaletteSource(text, palettePath.string(), palette, error)) {
        std::cerr << "titleart: " << (error.empty() ? "cannot read " + palettePath.string() : error) << "\n";
        return 1;
    }
    FontSource font;
    const fs::path fontPath = data / "fonts" / "font.txt";
    if (!ReadWholeFile(fontPath, text) || !ParseFontSource(text, fontPath.string(), font, error)) {
        std::cerr << "titleart: " << (error.empty() ? "cannot read " + fontPath.string() : error) << "\n";
        return 1;
    }
    ShellArt art(Quantizer(palette), font);
    std::vector<ArtFile> files;
    if (!art.PaintAll(files, error)) {
        std::cerr << "titleart: " << error << "\n";
        return 1;
    }
    for (const ArtFile& file : files) {
        if (!WriteIfChanged(out / file.path, file.bytes))
            return 1;
    }
    return 0;
}

#pragma once
// The shell's pictures, animations and sounds, painted procedurally.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/encode/font_encoder.h"
#include "tools/titleart/canvas.h"

struct ArtFile {
    std::string path;  // below the staging folder, with its extension
    std::vector<uint8_t> bytes;
};

// Where the title screen's menu plaque lies on the wallpaper (the menu's
// layout in data/ui/240x320/title.ui sits inside it).
constexpr int kPlaqueLeft = 48, kPlaqueTop = 160, kPlaqueRight = 191, kPlaqueBottom = 300;

class ShellArt {
public:
    ShellArt(Quantizer quantizer, FontSource font) : m_q(std::move(quantizer)), m_font(std::move(font)) {}
    bool PaintAll(std::vector<ArtFile>& files, std::string& error);

private:
    bool Image(const std::string& path, const Canvas& canvas, bool transparent, int hotX = 0, int hotY = 0);
    bool Animation(const std::string& path, const std::vector<Canvas>& frames, int hotX, int hotY,
                   uint8_t rate, uint8_t loopBack);
    bool Sound(const std::string& path, const std::vector<uint8_t>& samples, uint32_t rate);

    bool TitleScreen();
    bool TextScreens();
    bool Frames();
    bool Buttons();
    bool Pictures();
    bool Sounds();

    Quantizer m_q;
    FontSource m_font;
    std::vector<ArtFile>* m_files = nullptr;
    std::string m_error;
};

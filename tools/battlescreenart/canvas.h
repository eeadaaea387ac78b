#pragma once
// Drawing on palette-index pictures, and writing the battle art's resources.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/encode/image_encoder.h"
#include "tools/encode/palette_encoder.h"
#include "tools/encode/wav_encoder.h"

namespace bsart {

// Ramps of the base palette: 16 shades each, dark to light.
enum Ramp : uint8_t {
    kGrey = 0,  // 1-15 (index 0 is black / transparent)
    kRed = 16,
    kGreen = 32,
    kBlue = 48,
    kYellow = 64,
    kBrown = 80,
    kSkin = 96,
    kWater = 112,
    kPurple = 128,
    kOrange = 144,
    kGrass = 160,
    kSand = 176,
    kSteel = 192,
    kGold = 208,  // 12 shades
    kSide = 220,  // 18 shades of the first side; the second side's are 18 above
};

inline uint8_t Shade(Ramp ramp, int k)
{
    const int count = ramp == kGold ? 12 : ramp == kSide ? 18 : 16;
    if (k < 0)
        k = 0;
    if (k >= count)
        k = count - 1;
    if (ramp == kGrey && k == 0)
        k = 1;
    return uint8_t(ramp + k);
}

class Canvas {
public:
    Canvas(int w, int h, uint8_t fill = 0);
    int W() const { return pic.width; }
    int H() const { return pic.height; }
    void Set(int x, int y, uint8_t c);
    uint8_t Get(int x, int y) const;
    void Fill(int x0, int y0, int x1, int y1, uint8_t c);  // inclusive
    void Line(int x0, int y0, int x1, int y1, uint8_t c);
    void ThickLine(int x0, int y0, int x1, int y1, uint8_t c);
    void Ellipse(int cx, int cy, int rx, int ry, uint8_t c);  // filled
    void Ring(int cx, int cy, int rx, int ry, uint8_t c);
    void Hex(int w, int h, uint8_t outline, uint8_t fill,
             int thickness);                        // pointy-top hex filling the canvas
    void Blit(const Canvas& source, int x, int y);  // colour 0 is clear
    void Outline(uint8_t c);                        // darkens the clear pixels next to drawn ones
    Canvas Mirrored() const;
    IndexedPicture pic;
};

// Deterministic noise.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);

class Writer {
public:
    explicit Writer(std::filesystem::path root) : m_root(std::move(root)) {}
    bool Image(const std::string& path, const Canvas& canvas, int hotX, int hotY, bool transparent = true);
    bool Anim(const std::string& path, const std::vector<Canvas>& frames, int hotX, int hotY, uint8_t rate,
              uint8_t loopBack);
    bool Wav(const std::string& path, const WavSource& sound);
    bool Palette(const std::string& path, const std::vector<Rgb>& colours);
    bool Bytes(const std::string& path, const std::vector<uint8_t>& bytes);
    bool ok = true;

private:
    std::filesystem::path m_root;
};

// A short synthesised sound: a list of tones and noise bursts.
struct Tone {
    int startHz = 440;
    int endHz = 440;
    int ms = 100;
    int volume = 60;  // percent
    bool noise = false;
    bool square = false;
};
WavSource Synth(const std::vector<Tone>& tones);

// The pieces of the art.
void DrawFieldArt(Writer& out, const std::vector<Rgb>& base);
void DrawUnitArt(Writer& out, const std::vector<std::string>& unitIds);
void DrawObjectArt(Writer& out);

}  // namespace bsart

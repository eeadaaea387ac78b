#pragma once
// What the pieces of the battle screen's art share: the base palette's
// ramps, noise and sound synthesis.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/art_writer.h"
#include "tools/artgen/canvas.h"
#include "tools/encode/palette_encoder.h"
#include "tools/encode/wav_encoder.h"

namespace battleart {

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

// Deterministic noise.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);

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
void DrawFieldArt(ArtWriter& out, const std::vector<Rgb>& base);
void DrawUnitArt(ArtWriter& out, const std::vector<std::string>& unitIds);
void DrawObjectArt(ArtWriter& out);

}  // namespace battleart

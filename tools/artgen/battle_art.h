#pragma once
// What the pieces of the battle screen's art share: the base palette's
// ramps, noise and sound synthesis.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/art_writer.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/palette_ramps.h"
#include "tools/encode/palette_encoder.h"
#include "tools/encode/wav_encoder.h"

namespace battleart {

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
// The strength plates write their digits in `digits`, the game's numbers font.
void DrawFieldArt(ArtWriter& out, const std::vector<Rgb>& base, const FontSource& digits);
void DrawUnitArt(ArtWriter& out, const std::vector<std::string>& unitIds);
void DrawObjectArt(ArtWriter& out);

}  // namespace battleart

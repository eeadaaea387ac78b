#pragma once
// Pictures, animations, fonts and sounds for tests, built in code with the
// same encoders the art generator uses. Each fixture owns its bytes, so the
// views made over them stay valid for the fixture's lifetime.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "tools/encode/font_encoder.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/wav_encoder.h"

// Encoding must succeed in a fixture; a refusal is thrown with its reason.
std::vector<uint8_t> MustEncode(const EncodeResult& result);

// A picture from rows of characters: '.' is colour 0, '0'-'9' and 'a'-'z'
// are colours 0-9 and 10-35, so small fixtures read as pictures.
IndexedPicture PictureFromRows(std::initializer_list<std::string> rows);

// A picture of one colour.
IndexedPicture SolidPicture(uint16_t width, uint16_t height, uint8_t colour);

// A deterministic pseudo-random picture; `zeroPercent` of its pixels are 0 and
// the rest come in short repeats and noise, so both run kinds appear.
IndexedPicture RandomPicture(uint32_t seed, uint16_t width, uint16_t height, int zeroPercent);

// A font whose glyph for code c is `width` columns wide with column k of row
// y set when (c + k + y) % 3 == 0: every glyph differs from its neighbours.
FontSource PatternFont(uint8_t height, uint8_t firstCode, int glyphCount, uint8_t width, uint8_t bytesPerRow);

// A canonical "wav" of `sampleCount` sample frames of a plain saw tone.
std::vector<uint8_t> ToneWav(uint32_t sampleCount, uint32_t rate = 11025, uint16_t channels = 1,
                             uint16_t bits = 8);

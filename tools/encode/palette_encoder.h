#pragma once
// Writers of "pal" palettes (256 RGB triples) and "plt" palette lists.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/encode/encode_result.h"

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr size_t kPaletteEntries = 256;
constexpr size_t kPaletteBytes = 768;
constexpr size_t kPaletteNameSize = 16;
// A palette id is a byte and 254/255 have meanings of their own.
constexpr size_t kMaxPaletteListEntries = 254;

// Exactly 256 entries, or refused.
EncodeResult EncodePalette(const std::vector<Rgb>& colours);

// 16 bytes per name, zero-padded; a 16-character name has no terminator.
// Refuses empty names, names over 16 characters, case-insensitive duplicates
// and lists longer than the ids a picture can name.
EncodeResult EncodePaletteList(const std::vector<std::string>& names);

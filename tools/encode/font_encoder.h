#pragma once
// Writer of "fnt" bitmap fonts.

#include <cstdint>
#include <vector>

#include "tools/encode/encode_result.h"

struct FontGlyph {
    uint8_t width = 0;           // advance width in pixels
    std::vector<uint32_t> rows;  // one value per glyph row; bit k = column k, bit 0 leftmost
};

struct FontSource {
    uint8_t height = 0;  // rows per glyph, and the line height
    uint8_t firstCode = 0;
    uint8_t bytesPerRow = 0;        // 1, 2 or 4; 0 picks the smallest that fits the widest glyph
    std::vector<FontGlyph> glyphs;  // codes firstCode, firstCode + 1, ...
};

// Refuses fonts the text code cannot draw: no glyphs, codes past 255, a glyph
// wider than its row (more than 8 x bytes per row), a set pixel at or right of
// the glyph's advance width, or a glyph with the wrong number of rows.
EncodeResult EncodeFont(const FontSource& font);

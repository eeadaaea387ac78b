#pragma once
// Monochrome bitmap fonts ("fnt") and text drawing.
//
// A font resource: u8 glyph height H (the line height), u8 unused, u8 first
// character code, u8 unused, u8 bytes per glyph row B (1, 2 or 4), then one
// glyph per code from the first code on, each H x B + 1 bytes: the advance
// width, then H rows of B-byte little-endian values, bit k = column k.
//
// Codes outside the font (below its first code or past its last glyph) have
// no glyph: they measure and draw as width 0 instead of reading outside the
// resource.

#include <cstdint>

#include "core/cursor_list.h"
#include "core/packed_geometry.h"
#include "core/ref_string.h"

class CDrawContext;

constexpr uint32_t kFontHeaderSize = 5;

struct GlyphView {
    const uint8_t* rows = nullptr;  // first row; null for a missing glyph
    uint8_t width = 0;              // advance width
    uint8_t bytesPerRow = 0;
    uint8_t height = 0;

    // Row `y` with bit k = column k; 0 for a missing glyph.
    uint32_t Row(int y) const;
    // Columns that can carry pixels: a glyph wider than its row bits has
    // blank columns on the right.
    int DrawableColumns() const { return width < 8 * bytesPerRow ? width : 8 * bytesPerRow; }
};

struct FontData {
    const uint8_t* glyphs = nullptr;  // resource + 5
    uint32_t size = 0;                // of the whole resource
    const uint8_t* header = nullptr;  // null for an empty view
    uint16_t glyphSize = 0;           // H x B + 1

    // Makes the view over a "fnt" resource; false (empty view) when the header
    // is short or names a row size other than 1, 2 or 4 bytes.
    bool Assign(const uint8_t* data, uint32_t size);
    bool HasHeader() const { return header != nullptr; }
    uint8_t Height() const { return header ? header[0] : 0; }
    uint8_t FirstCode() const { return header[2]; }
    uint8_t BytesPerRow() const { return header[4]; }
    // Glyphs wholly inside the resource.
    uint32_t GlyphCount() const;
    // The glyph of a character code (an unsigned byte).
    GlyphView GetGlyph(uint8_t code) const;
};

// Sum of the advance widths of every character, line breaks included.
int16_t MeasureTextWidth(const char* text, int32_t length, const FontData& font);
inline int16_t MeasureTextWidth(const CStr& text, const FontData& font)
{
    return MeasureTextWidth(text.Chars(), text.Length(), font);
}
// Lines x height: 0 for an empty text, else 1 + the number of CR LF pairs.
uint16_t MeasureTextHeight(const char* text, int32_t length, const FontData& font);
inline uint16_t MeasureTextHeight(const CStr& text, const FontData& font)
{
    return MeasureTextHeight(text.Chars(), text.Length(), font);
}

// Draws one line with its top-left at (x, y) (logical coordinates). Returns
// the whole advance of the text when any part of the line is inside the clip,
// 0 when none is. A clear pixel keeps the surface when `transparent`, else
// takes the background colour.
int16_t DrawText(CDrawContext& dc, int32_t x, int32_t y, const char* text, int32_t length, uint8_t foreground,
                 uint8_t background, bool transparent, const FontData& font);
inline int16_t DrawText(CDrawContext& dc, int32_t x, int32_t y, const CStr& text, uint8_t foreground,
                        uint8_t background, bool transparent, const FontData& font)
{
    return DrawText(dc, x, y, text.Chars(), text.Length(), foreground, background, transparent, font);
}

// A line of text as it was drawn on the screen, for checks of the screens:
// the whole line's rectangle, the area of the window that drew it (its
// canvas, as far as it is visible) and the clip in force, all in screen
// coordinates. Only lines of which something was drawn are reported, at
// once, so the pixels around the line are still the ones it was drawn on.
struct DrawnTextLine {
    const char* text = nullptr;
    int32_t length = 0;
    PackedRect line, window, clip, screen;
    uint8_t foreground = 0;  // the palette index of the ink
    // The 8-bit screen the line was drawn on: the byte of screen point (0, 0)
    // and the bytes from one row to the next.
    const uint8_t* pixels = nullptr;
    int32_t pitch = 0;
};
using DrawnTextObserver = void (*)(const DrawnTextLine& drawn);
// Installs the observer of every line drawn on the screen (null removes it).
void SetDrawnTextObserver(DrawnTextObserver observer);

// The fonts of the application, by index: 0 "font", 1 "smallnum",
// 2 "smallestnum". Registering appends a copy and gives its index.
CCursorList<FontData>& FontList();
uint8_t RegisterFont(const FontData& font);
// The font at index `id` (an empty view for an index past the list).
const FontData& SelectFont(uint8_t id);
void ClearFontList();

// Loads the "fnt" resource at `path`; false (empty view) when it is missing
// or not a font.
bool LoadFont(const char* path, FontData& font);

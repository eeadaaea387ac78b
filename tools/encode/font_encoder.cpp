#include "tools/encode/font_encoder.h"

#include <string>

EncodeResult EncodeFont(const FontSource& font)
{
    if (font.height == 0)
        return EncodeResult::Fail("a font needs a glyph height");
    if (font.glyphs.empty())
        return EncodeResult::Fail("a font needs at least one glyph");
    if (font.firstCode + font.glyphs.size() > 256)
        return EncodeResult::Fail("glyphs run past character code 255");
    uint8_t bytes = font.bytesPerRow;
    if (bytes == 0) {
        int widest = 0;
        for (const auto& g : font.glyphs)
            widest = g.width > widest ? g.width : widest;
        bytes = widest <= 8 ? 1 : widest <= 16 ? 2 : 4;
    }
    if (bytes != 1 && bytes != 2 && bytes != 4)
        return EncodeResult::Fail("bytes per glyph row must be 1, 2 or 4");

    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        const FontGlyph& g = font.glyphs[i];
        std::string which = "glyph of code " + std::to_string(font.firstCode + i);
        if (g.width > 8 * bytes)
            return EncodeResult::Fail(which + " is " + std::to_string(g.width) + " pixels wide, more than " +
                                      std::to_string(8 * bytes) + " columns of its rows");
        if (g.rows.size() != font.height)
            return EncodeResult::Fail(which + " has " + std::to_string(g.rows.size()) + " rows, not " +
                                      std::to_string(font.height));
        uint64_t allowed = (uint64_t{1} << g.width) - 1;
        for (uint32_t row : g.rows)
            if (row & ~allowed)
                return EncodeResult::Fail(which + " sets a pixel outside its width");
    }

    EncodeResult r;
    auto& out = r.bytes;
    PutU8(out, font.height);
    PutU8(out, 0);
    PutU8(out, font.firstCode);
    PutU8(out, 0);
    PutU8(out, bytes);
    for (const auto& g : font.glyphs) {
        PutU8(out, g.width);
        for (uint32_t row : g.rows)
            for (int b = 0; b < bytes; ++b)
                PutU8(out, row >> (8 * b));
    }
    return r;
}

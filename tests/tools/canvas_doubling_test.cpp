// Art and fonts enlarged for the 480 x 640 screen: every pixel becomes four
// of the colours already there (nothing blurs), a diagonal edge is smoothed
// into a line instead of a staircase, flat areas, straight edges and
// checkered dither stay plain doubles, and a font's glyphs keep their shape
// at twice the advance and height.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/artgen/canvas.h"

namespace {

Canvas FromRows(const std::vector<std::string>& rows)
{
    Canvas c(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            c.Set(static_cast<int>(x), static_cast<int>(y), static_cast<uint8_t>(rows[y][x] - '0'));
    return c;
}

std::vector<std::string> Rows(const Canvas& c)
{
    std::vector<std::string> rows;
    for (int y = 0; y < c.H(); ++y) {
        std::string row;
        for (int x = 0; x < c.W(); ++x)
            row += static_cast<char>('0' + c.Get(x, y));
        rows.push_back(row);
    }
    return rows;
}

TEST(CanvasDoubling, EdgesAreSmoothedWithoutNewColours)
{
    const struct {
        const char* what;
        std::vector<std::string> small, large;
    } plain[] = {
        {"a flat area and a straight edge", {"11", "22"}, {"1111", "1111", "2222", "2222"}},
        {"checkered dither, inside and at the border",
         {"1212", "2121", "1212", "2121"},
         {"11221122", "11221122", "22112211", "22112211", "11221122", "11221122", "22112211", "22112211"}},
        {"a lone pixel", {"000", "030", "000"}, {"000000", "000000", "003300", "003300", "000000", "000000"}},
    };
    for (const auto& k : plain) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(Rows(FromRows(k.small).Doubled()), k.large);
    }

    // A diagonal line: the corners between its steps are filled with the
    // line's own colour, so it is an even stroke at 45 degrees rather than
    // a chain of squares touching at their corners.
    const Canvas line = FromRows({"00000", "01000", "00100", "00010", "00000"}).Doubled();
    EXPECT_EQ(Rows(line), (std::vector<std::string>{"0000000000", "0000000000", "0011000000", "0011100000",
                                                    "0001110000", "0000111000", "0000011100", "0000001100",
                                                    "0000000000", "0000000000"}));
}

TEST(CanvasDoubling, FontGlyphsDoubleTheirAdvanceAndHeight)
{
    FontSource font;
    font.height = 3;
    font.firstCode = 'A';
    font.bytesPerRow = 1;
    FontGlyph slash;  // a diagonal and its spacing column
    slash.width = 3;
    slash.rows = {0b010, 0b001, 0b000};
    FontGlyph empty;  // a glyph of no width, as CR and LF are
    FontGlyph plus;   // strokes crossing at right angles
    plus.width = 3;
    plus.rows = {0b010, 0b111, 0b010};
    font.glyphs = {slash, empty, plus};
    const FontSource big = DoubledFont(font);
    EXPECT_EQ(big.height, 6);
    EXPECT_EQ(big.bytesPerRow, 0) << "the writer picks the row size of the wider glyphs";
    ASSERT_EQ(big.glyphs.size(), 3u);
    EXPECT_EQ(big.glyphs[0].width, 6);
    EXPECT_EQ(big.glyphs[1].width, 0);
    EXPECT_EQ(big.glyphs[1].rows, std::vector<uint32_t>(6, 0));
    // Bit k is column k: the stroke runs down to the left, one pixel wider
    // where its two steps meet.
    EXPECT_EQ(big.glyphs[0].rows, (std::vector<uint32_t>{0b001100, 0b001110, 0b000111, 0b000011, 0, 0}));
    // A plus stays a plus: the angles where its arms meet are not filled,
    // which would swell it into a diamond that reads as a bullet.
    EXPECT_EQ(big.glyphs[2].rows,
              (std::vector<uint32_t>{0b001100, 0b001100, 0b111111, 0b111111, 0b001100, 0b001100}));
}

}  // namespace

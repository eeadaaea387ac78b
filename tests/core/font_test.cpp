// Text measured and drawn with bitmap fonts, compared pixel by pixel with the
// glyph rows the font was made from.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/draw_context.h"
#include "core/font.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"

namespace {

constexpr uint8_t kBack = 0xEE;

struct FontFixture {
    FontSource source;
    std::vector<uint8_t> bytes;
    FontData font;
    explicit FontFixture(FontSource s) : source(std::move(s)), bytes(MustEncode(EncodeFont(source)))
    {
        EXPECT_TRUE(font.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    }
    const FontGlyph* Glyph(uint8_t code) const
    {
        if (code < source.firstCode || code - source.firstCode >= static_cast<int>(source.glyphs.size()))
            return nullptr;
        return &source.glyphs[code - source.firstCode];
    }
};

// The text as it must appear on a w x h surface drawn at (x, y) and clipped to clip.
std::vector<uint8_t> Reference(const FontFixture& f, const std::string& text, int x, int y,
                               const PackedRect& clip, int w, int h, uint8_t fg, int bg)
{
    std::vector<uint8_t> out(static_cast<size_t>(w) * h, kBack);
    int pen = 0;
    for (unsigned char c : text) {
        const FontGlyph* g = f.Glyph(c);
        if (!g)
            continue;
        for (int gy = 0; gy < f.source.height; ++gy)
            for (int k = 0; k < g->width; ++k) {
                int sx = x + pen + k, sy = y + gy;
                if (sx < clip.Left() || sx > clip.Right() || sy < clip.Top() || sy > clip.Bottom())
                    continue;
                bool set = (g->rows[gy] >> k) & 1;
                if (set)
                    out[sy * w + sx] = fg;
                else if (bg >= 0)
                    out[sy * w + sx] = static_cast<uint8_t>(bg);
            }
        pen += g->width;
    }
    return out;
}

std::vector<uint8_t> Pixels(const CDrawContext& dc, int w, int h)
{
    std::vector<uint8_t> v;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            v.push_back(*dc.Surface().At(x, y));
    return v;
}

void Clear(CDrawContext& dc, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            *dc.Surface().At(x, y) = kBack;
}

TEST(Text, DrawnGlyphsMatchTheirRowsForEveryRowWidthAndClip)
{
    struct Case {
        const char* name;
        uint8_t bytesPerRow, width;
        int x, y;
        PackedRect clip;
        bool transparent;
    } cases[] = {
        {"8-bit rows, all visible", 1, 6, 2, 1, PackedRect(0, 0, 99, 19), true},
        {"16-bit rows, clip cuts a glyph on its left", 2, 13, -7, 0, PackedRect(3, 0, 99, 19), true},
        {"32-bit rows, clip cuts right and bottom", 4, 29, 1, 2, PackedRect(0, 0, 70, 6), true},
        {"opaque background", 2, 11, 0, 0, PackedRect(5, 1, 40, 8), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FontFixture f(PatternFont(9, 'A', 6, c.width, c.bytesPerRow));
        const int w = 100, h = 20;
        CDrawContext dc;
        ASSERT_TRUE(dc.CreateSurface(w, h));
        Clear(dc, w, h);
        ASSERT_TRUE(dc.PushClip(c.clip));
        std::string text = "ABCFED";
        int16_t advance = DrawText(dc, c.x, c.y, text.c_str(), static_cast<int32_t>(text.size()), 5, 3,
                                   c.transparent, f.font);
        EXPECT_EQ(advance, 6 * c.width) << "the whole width, even when clipped";
        EXPECT_EQ(advance, MeasureTextWidth(text.c_str(), static_cast<int32_t>(text.size()), f.font));
        EXPECT_EQ(Pixels(dc, w, h), Reference(f, text, c.x, c.y, c.clip, w, h, 5, c.transparent ? -1 : 3));
    }
}

TEST(Text, ColumnNineOfASixteenBitRowIsBitNine)
{
    FontSource s;
    s.height = 1;
    s.firstCode = 'x';
    s.bytesPerRow = 2;
    s.glyphs = {FontGlyph{12, {1u << 9}}};
    FontFixture f(s);
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(12, 1));
    Clear(dc, 12, 1);
    DrawText(dc, 0, 0, "x", 1, 4, 0, true, f.font);
    std::vector<uint8_t> expected(12, kBack);
    expected[9] = 4;
    EXPECT_EQ(Pixels(dc, 12, 1), expected);
}

TEST(Text, NothingVisibleNothingReturned)
{
    FontFixture f(PatternFont(5, 'a', 3, 4, 1));
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(20, 10));
    Clear(dc, 20, 10);
    EXPECT_EQ(DrawText(dc, 0, 0, "", 0, 1, 0, true, f.font), 0);
    EXPECT_EQ(DrawText(dc, 0, 12, "abc", 3, 1, 0, true, f.font), 0) << "below the surface";
    EXPECT_EQ(DrawText(dc, 25, 0, "abc", 3, 1, 0, true, f.font), 0) << "right of it";
    EXPECT_EQ(DrawText(dc, 0, 0, "abc", 3, 1, 0, true, FontData{}), 0) << "no font";
    EXPECT_EQ(Pixels(dc, 20, 10), std::vector<uint8_t>(200, kBack));
}

TEST(Text, CharactersOutsideTheFontHaveNoWidthAndReadNothing)
{
    // Codes 'a'..'c' only: line breaks, 'z', bytes of 0x80 and up and NUL-free
    // text below the first code all fall outside the resource.
    FontFixture f(PatternFont(5, 'a', 3, 4, 1));
    const std::string text = std::string("a\r\nz") + char(0xB0) + char(0xFF) + "c" + char(1);
    EXPECT_EQ(MeasureTextWidth(text.c_str(), static_cast<int32_t>(text.size()), f.font), 8);
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(20, 5));
    Clear(dc, 20, 5);
    EXPECT_EQ(DrawText(dc, 0, 0, text.c_str(), static_cast<int32_t>(text.size()), 7, 0, true, f.font), 8);
    EXPECT_EQ(Pixels(dc, 20, 5), Reference(f, text, 0, 0, PackedRect(0, 0, 19, 4), 20, 5, 7, -1));
    // A font resource cut inside its last glyph has one glyph less.
    FontData cut;
    ASSERT_TRUE(cut.Assign(f.bytes.data(), static_cast<uint32_t>(f.bytes.size() - 1)));
    EXPECT_EQ(cut.GlyphCount(), 2u);
    EXPECT_EQ(cut.GetGlyph('c').width, 0);
}

TEST(Text, GlyphWiderThanItsRowBitsDrawsOnlyItsBits)
{
    // width 40 with 1 byte per row: columns 8 and up are blank, never shifted in.
    std::vector<uint8_t> bytes = {2, 0, 'q', 0, 1, 40, 0xFF, 0x81};
    FontData font;
    ASSERT_TRUE(font.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(50, 2));
    Clear(dc, 50, 2);
    ASSERT_TRUE(dc.PushClip(PackedRect(0, 0, 49, 1)));
    EXPECT_EQ(DrawText(dc, -35, 0, "qq", 2, 6, 1, false, font), 80);
    // the first glyph's columns 35..39 are blank background, the second glyph
    // covers 5..44 and nothing is drawn right of it
    std::vector<uint8_t> expected(100, 1);
    for (int x = 45; x < 50; ++x)
        expected[x] = expected[50 + x] = kBack;
    for (int k = 0; k < 8; ++k)
        expected[5 + k] = 6;
    expected[50 + 5] = 6;
    expected[50 + 12] = 6;
    EXPECT_EQ(Pixels(dc, 50, 2), expected);
}

TEST(Text, HeightCountsLineBreakPairs)
{
    FontFixture f(PatternFont(7, 'a', 1, 3, 1));
    struct Case {
        std::string text;
        uint16_t height;
    } cases[] = {{"", 0}, {"a", 7}, {"a\r\na", 14}, {"a\r\n", 14}, {"a\ra\n", 7}, {"\r\n\r\n", 21}};
    for (const Case& c : cases)
        EXPECT_EQ(MeasureTextHeight(c.text.c_str(), static_cast<int32_t>(c.text.size()), f.font), c.height)
            << c.text.size();
}

TEST(Text, FontListAndLoading)
{
    FontFixture f(PatternFont(10, 'a', 2, 3, 2));
    PackWriter pack(100);
    ASSERT_TRUE(pack.AddFile("Locale/Fonts/font", "fnt", f.bytes));
    ASSERT_TRUE(pack.AddFile("Locale/Fonts/broken", "fnt", std::vector<uint8_t>{9, 0, 32, 0, 3}));
    FixtureData data;
    data.AddPack("fonts", pack);
    ASSERT_TRUE(data.Mount());
    FontData loaded;
    ASSERT_TRUE(LoadFont("/Locale/Fonts/font", loaded));
    EXPECT_EQ(loaded.glyphSize, 21) << "10 rows of 2 bytes and the width";
    EXPECT_FALSE(LoadFont("/Locale/Fonts/broken", loaded)) << "3 bytes per row";
    EXPECT_FALSE(LoadFont("/Locale/Fonts/none", loaded));
    ClearFontList();
    FontData copy;
    ASSERT_TRUE(LoadFont("/Locale/Fonts/font", copy));
    EXPECT_EQ(RegisterFont(copy), 0);
    EXPECT_EQ(RegisterFont(copy), 1);
    EXPECT_EQ(SelectFont(1).Height(), 10);
    EXPECT_FALSE(SelectFont(2).HasHeader());
    ClearFontList();
}

}  // namespace

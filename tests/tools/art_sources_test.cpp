// The readers of our text art sources, and the sources we ship.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/encode/art_sources.h"

namespace {

namespace fs = std::filesystem;

fs::path DataFolder()
{
    return fs::path(THARN_TEST_SOURCE_DIR) / "data";
}

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(FontSource, GlyphGridsBecomeRowsAndGapsBecomeEmptyGlyphs)
{
    const std::string text = "# two glyphs with a gap\n"
                             "height 2\n"
                             "glyph 'A'\n"
                             "|#.#|\n"
                             "|.#.|\n"
                             "glyph 0x43\n"
                             "||\n"
                             "||\n";
    FontSource font;
    std::string error;
    ASSERT_TRUE(ParseFontSource(text, "t", font, error)) << error;
    EXPECT_EQ(font.height, 2);
    EXPECT_EQ(font.firstCode, 'A');
    ASSERT_EQ(font.glyphs.size(), 3u);
    EXPECT_EQ(font.glyphs[0].width, 3);
    EXPECT_EQ(font.glyphs[0].rows, (std::vector<uint32_t>{0b101, 0b010}));
    EXPECT_EQ(font.glyphs[1].width, 0);  // 'B' was not given
    EXPECT_EQ(font.glyphs[2].width, 0);
}

TEST(ArtSources, ErrorsNameTheLine)
{
    struct Case {
        const char* name;
        int kind;  // 0 font, 1 palette, 2 sound
        std::string text;
        std::string where;
    } cases[] = {
        {"glyph before height", 0, "glyph 65\n|#|\n", "t:1:"},
        {"rows of different widths", 0, "height 2\nglyph 65\n|#|\n|##|\n", "t:4:"},
        {"pixel other than # or .", 0, "height 1\nglyph 65\n|x|\n", "t:3:"},
        {"glyph given twice", 0, "height 1\nglyph 65\n|#|\nglyph 'A'\n|#|\n", "t:4:"},
        {"glyph past the end", 0, "height 3\nglyph 65\n|#|\n", "t:2:"},
        {"palette entry twice", 1, "0-255 ramp #000000 #ffffff\n7 #010203\n", "t:2:"},
        {"palette range backwards", 1, "9-3 ramp #000000 #ffffff\n", "t:1:"},
        {"palette colour malformed", 1, "0 #12345\n", "t:1:"},
        {"palette entry missing", 1, "0-254 ramp #000000 #ffffff\n", "entry 255 is missing"},
        {"note above half the rate", 2, "rate 8000\nnote sine 4000 4000 10\n", "t:2:"},
        {"rate after a note", 2, "note sine 440 440 10\nrate 8000\n", "t:2:"},
        {"unknown wave", 2, "note saw 440 440 10\n", "t:1:"},
        {"release longer than the note", 2, "note sine 440 440 10 5 6\n", "t:1:"},
    };
    for (const Case& c : cases) {
        std::string error;
        bool ok = true;
        if (c.kind == 0) {
            FontSource f;
            ok = ParseFontSource(c.text, "t", f, error);
        } else if (c.kind == 1) {
            std::vector<Rgb> colours;
            ok = ParsePaletteSource(c.text, "t", colours, error);
        } else {
            WavSource w;
            ok = SynthesizeSoundSource(c.text, "t", w, error);
        }
        EXPECT_FALSE(ok) << c.name;
        EXPECT_NE(error.find(c.where), std::string::npos) << c.name << ": " << error;
    }
}

TEST(PaletteSource, RampsIncludeBothEnds)
{
    std::vector<Rgb> colours;
    std::string error;
    ASSERT_TRUE(ParsePaletteSource("0-254 ramp #000000 #fe00fe\n255 #123456\n", "t", colours, error))
        << error;
    EXPECT_EQ(colours[0], (Rgb{0, 0, 0}));
    EXPECT_EQ(colours[127], (Rgb{127, 0, 127}));
    EXPECT_EQ(colours[254], (Rgb{254, 0, 254}));
    EXPECT_EQ(colours[255], (Rgb{0x12, 0x34, 0x56}));
}

TEST(SoundSource, SynthesisIsExactAndRepeatable)
{
    const std::string recipe =
        "rate 8000\nbits 16\nvolume 100\nnote sine 1000 1000 10\nrest 5\nnote square 500 500 2\n";
    WavSource a, b;
    std::string error;
    ASSERT_TRUE(SynthesizeSoundSource(recipe, "t", a, error)) << error;
    ASSERT_TRUE(SynthesizeSoundSource(recipe, "t", b, error)) << error;
    EXPECT_EQ(a.samples, b.samples);
    ASSERT_EQ(a.samples.size(), (80u + 40u + 16u) * 2);
    auto sample = [&](size_t i) {
        return static_cast<int16_t>(a.samples[2 * i] | (a.samples[2 * i + 1] << 8));
    };
    // 1000 Hz at 8000 per second: 8 samples per cycle, a quarter cycle peaks.
    EXPECT_EQ(sample(0), 0);
    EXPECT_NEAR(sample(2), 32767, 400);
    EXPECT_NEAR(sample(4), 0, 400);
    EXPECT_NEAR(sample(6), -32767, 400);
    EXPECT_NEAR(sample(1), 23170, 400);  // sin(45 degrees)
    EXPECT_EQ(sample(85), 0) << "rest";
    EXPECT_EQ(std::abs(sample(125)), 32767) << "square";
}

TEST(ShippedArt, SourcesReadAndFontsCoverWhatTheGameDraws)
{
    std::string error;
    std::vector<std::string> names;
    ASSERT_TRUE(
        ParsePaletteListSource(Read(DataFolder() / "palettes" / "pallist.txt"), "pallist", names, error))
        << error;
    for (const std::string& n : names) {
        std::vector<Rgb> colours;
        EXPECT_TRUE(ParsePaletteSource(Read(DataFolder() / "palettes" / (n + ".txt")), n, colours, error))
            << error;
    }
    for (const char* s : {"msg_info", "msg_qst", "msg_good", "msg_bad"}) {
        WavSource w;
        EXPECT_TRUE(
            SynthesizeSoundSource(Read(DataFolder() / "sounds" / (std::string(s) + ".txt")), s, w, error))
            << error;
    }
    FontSource font;
    ASSERT_TRUE(ParseFontSource(Read(DataFolder() / "fonts" / "font.txt"), "font", font, error)) << error;
    auto glyph = [&](int code) -> const FontGlyph* {
        if (code < font.firstCode || code >= font.firstCode + static_cast<int>(font.glyphs.size()))
            return nullptr;
        return &font.glyphs[code - font.firstCode];
    };
    for (int code = 0x20; code <= 0x7E; ++code) {
        ASSERT_NE(glyph(code), nullptr) << code;
        EXPECT_GT(glyph(code)->width, 0) << "printable " << code;
    }
    ASSERT_NE(glyph(0xB0), nullptr);
    EXPECT_GT(glyph(0xB0)->width, 0);
    for (int code : {10, 13}) {
        ASSERT_NE(glyph(code), nullptr) << "line breaks are glyphs too";
        EXPECT_EQ(glyph(code)->width, 0);
    }
    for (const char* small : {"smallnum", "smallestnum"}) {
        FontSource f;
        ASSERT_TRUE(
            ParseFontSource(Read(DataFolder() / "fonts" / (std::string(small) + ".txt")), small, f, error))
            << error;
        for (char digit = '0'; digit <= '9'; ++digit)
            EXPECT_GT(f.glyphs[digit - f.firstCode].width, 0) << small;
        EXPECT_LT(f.height, font.height) << small;
    }
}

}  // namespace

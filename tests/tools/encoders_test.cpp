// The encoders against the game's readers: what is written reads back the
// same, and what the readers cannot take is refused.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/image_data.h"
#include "core/image_rows.h"
#include "core/sound_data.h"
#include "tests/support/art_fixtures.h"
#include "tools/encode/palette_encoder.h"

namespace {

constexpr uint8_t kSentinel = 0xEE;

// Decodes a whole view into a picture-sized buffer prefilled with the sentinel.
std::vector<uint8_t> DecodeAll(const ImageData& view, int width, int height, bool transparent)
{
    std::vector<uint8_t> surface(static_cast<size_t>(width) * height, kSentinel);
    PackedRect all(0, 0, view.BlockWidth() - 1, view.BlockHeight() - 1);
    DrawImageRows(view.BlockX(), view.BlockY(), all, view.pixels, view.TableSize(), view.WideLengths(),
                  transparent, static_cast<uint16_t>(width), surface.data());
    return surface;
}

std::vector<uint8_t> Expected(const IndexedPicture& p, bool transparent)
{
    std::vector<uint8_t> e = p.pixels;
    if (transparent)
        for (uint8_t& v : e)
            if (v == 0)
                v = kSentinel;
    return e;
}

TEST(ImageEncoder, RoundTripsThroughTheDecoder)
{
    IndexedPicture wide;
    wide.width = 400;
    wide.height = 3;
    for (int i = 0; i < 1200; ++i)
        wide.pixels.push_back(static_cast<uint8_t>(1 + (i * 7) % 13));
    struct Case {
        const char* name;
        IndexedPicture picture;
        bool transparent;
    } cases[] = {
        {"opaque noise with zeros", RandomPicture(1, 37, 21, 30), false},
        {"transparent noise", RandomPicture(2, 64, 17, 40), true},
        {"transparent with margins", PictureFromRows({"......", "..12..", ".3..4.", "......"}), true},
        {"long repeats past 128", RandomPicture(3, 300, 5, 0), false},
        {"rows over 255 bytes", wide, false},
        {"single pixel", SolidPicture(1, 1, 9), false},
        {"nothing visible", SolidPicture(5, 5, 0), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = MustEncode(EncodeImage(
            c.picture,
            {.paletteId = 3, .paletteCount = 4, .transparent = c.transparent, .hotX = -5, .hotY = 7}));
        ImageData view;
        ASSERT_TRUE(view.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
        EXPECT_EQ(view.PaletteId(), 3);
        EXPECT_EQ(view.Width(), c.picture.width);
        EXPECT_EQ(view.Height(), c.picture.height);
        EXPECT_EQ(view.HotX(), -5);
        EXPECT_EQ(view.HotY(), 7);
        EXPECT_EQ((view.Flags() & kImageTransparent) != 0, c.transparent);
        EXPECT_EQ(DecodeAll(view, c.picture.width, c.picture.height, c.transparent),
                  Expected(c.picture, c.transparent));
    }
    ImageData wideView;
    std::vector<uint8_t> wideBytes = MustEncode(EncodeImage(wide, {}));
    ASSERT_TRUE(wideView.Assign(wideBytes.data(), static_cast<uint32_t>(wideBytes.size())));
    EXPECT_TRUE(wideView.WideLengths());
}

TEST(ImageEncoder, TransparentRowsCarryNoLiteralZeroAndNoTrailingZeros)
{
    IndexedPicture p = PictureFromRows({"1.2...", "..3..."});
    std::vector<uint8_t> bytes = MustEncode(EncodeImage(p, {.transparent = true}));
    // block (0,0)-(2,1); rows: [1 1][-1 0][1 2] and [-2 0][1 3]
    std::vector<uint8_t> expected = {6, 4, 1, 1, 0xFF, 0, 1, 2, 0xFE, 0, 1, 3};
    ASSERT_EQ(bytes.size(), kImageHeaderSize + expected.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + kImageHeaderSize, bytes.end()), expected);
}

TEST(AnimEncoder, RoundTripsFramesAndHeader)
{
    std::vector<IndexedPicture> frames = {
        PictureFromRows({"1.1", "...", "1.1"}),
        PictureFromRows({"...", ".2.", "..."}),
        PictureFromRows({"3..", "...", "..."}),
    };
    std::vector<uint8_t> bytes =
        MustEncode(EncodeAnimation(frames, {.paletteId = 254,
                                            .transparency = AnimTransparency::AllButFirst,
                                            .hotX = 1,
                                            .hotY = 2,
                                            .rate = 30,
                                            .loopBack = 1}));
    AnimData anim;
    ASSERT_TRUE(anim.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(anim.FrameCount(), 3);
    EXPECT_EQ(anim.Rate(), 30);
    EXPECT_EQ(anim.LoopBack(), 1);
    EXPECT_EQ(anim.HotX(), 1);
    EXPECT_EQ(anim.HotY(), 2);
    EXPECT_EQ(anim.Width(), 3);
    EXPECT_EQ(anim.PaletteId(), 254);
    EXPECT_EQ(anim.frameDataOffset, 13u + 4 * 3);
    for (uint8_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(int(i));
        ImageData frame;
        ASSERT_TRUE(GetFrame(anim, i, frame));
        bool transparent = anim.FrameTransparent(i);
        EXPECT_EQ(transparent, i != 0);
        EXPECT_EQ(DecodeAll(frame, 3, 3, transparent), Expected(frames[i], transparent));
    }
    ImageData past;
    EXPECT_FALSE(GetFrame(anim, 3, past));
    EXPECT_FALSE(past.HasHeader());
}

TEST(AnimEncoder, OneFrameHasItsDataAtByte17)
{
    std::vector<uint8_t> bytes = MustEncode(EncodeAnimation({SolidPicture(2, 2, 5)}, {}));
    AnimData anim;
    ASSERT_TRUE(anim.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(anim.frameDataOffset, 17u);
    ImageData frame;
    ASSERT_TRUE(GetFrame(anim, 0, frame));
    EXPECT_EQ(frame.header, bytes.data() + 17);
}

TEST(Encoders, RefuseWhatTheReadersCannotTake)
{
    IndexedPicture ok = SolidPicture(4, 4, 1);
    IndexedPicture huge = SolidPicture(2048, 1, 1);
    IndexedPicture torn = ok;
    torn.pixels.pop_back();
    FontSource tooWide = PatternFont(4, 32, 2, 9, 1);
    FontSource shortGlyph = PatternFont(4, 32, 2, 5, 1);
    shortGlyph.glyphs[1].rows.pop_back();
    FontSource outside = PatternFont(4, 32, 1, 3, 1);
    outside.glyphs[0].rows[0] |= 1u << 3;
    FontSource pastEnd = PatternFont(4, 250, 7, 3, 1);
    WavSource badBits{.channels = 1, .samplesPerSecond = 22050, .bitsPerSample = 12, .samples = {}};
    WavSource threeChannels{.channels = 3, .samplesPerSecond = 22050, .bitsPerSample = 8, .samples = {}};
    WavSource halfFrame{.channels = 2, .samplesPerSecond = 22050, .bitsPerSample = 16, .samples = {1, 2, 3}};

    struct Case {
        const char* name;
        EncodeResult result;
    } cases[] = {
        {"palette id past the list", EncodeImage(ok, {.paletteId = 2, .paletteCount = 2})},
        {"palette id 255", EncodeImage(ok, {.paletteId = 255, .paletteCount = 2})},
        {"hot spot past 12 bits", EncodeImage(ok, {.hotX = 2048})},
        {"picture wider than 2047", EncodeImage(huge, {})},
        {"pixels missing", EncodeImage(torn, {})},
        {"animation without frames", EncodeAnimation({}, {})},
        {"loop-back at the frame count", EncodeAnimation({ok, ok}, {.loopBack = 2})},
        {"rate 0", EncodeAnimation({ok}, {.rate = 0})},
        {"frames of different sizes", EncodeAnimation({ok, SolidPicture(3, 4, 1)}, {})},
        {"animation palette id past the list", EncodeAnimation({ok}, {.paletteId = 1, .paletteCount = 1})},
        {"glyph wider than its row bytes", EncodeFont(tooWide)},
        {"glyph with too few rows", EncodeFont(shortGlyph)},
        {"pixel right of the advance width", EncodeFont(outside)},
        {"codes past 255", EncodeFont(pastEnd)},
        {"12-bit samples", EncodeWav(badBits)},
        {"three channels", EncodeWav(threeChannels)},
        {"samples end inside a frame", EncodeWav(halfFrame)},
        {"palette of 255 colours", EncodePalette(std::vector<Rgb>(255))},
        {"palette name of 17 characters", EncodePaletteList({"abcdefghijklmnopq"})},
        {"palette name twice", EncodePaletteList({"Base", "bASE"})},
        {"empty palette name", EncodePaletteList({"base", ""})},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(c.result.ok()) << c.name;
    EXPECT_TRUE(EncodeImage(ok, {.paletteId = 254, .paletteCount = 0}).ok()) << "254 needs no list";
    EXPECT_TRUE(EncodeImage(ok, {.paletteId = 1, .paletteCount = 2}).ok());
    EXPECT_TRUE(EncodeAnimation({ok, ok}, {.loopBack = 1}).ok());
}

TEST(Encoders, WavHeaderIsTheCanonicalLayout)
{
    std::vector<uint8_t> bytes = ToneWav(10, 11025, 2, 16);
    ASSERT_EQ(bytes.size(), 44u + 40);
    EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
    EXPECT_EQ(bytes[4] | (bytes[5] << 8), 36 + 40);
    EXPECT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0);
    SoundData view;
    ASSERT_TRUE(view.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    WaveOutFormat f = view.Format();
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.samplesPerSecond, 11025u);
    EXPECT_EQ(f.avgBytesPerSecond, 11025u * 4);
    EXPECT_EQ(f.blockAlign, 4);
    EXPECT_EQ(f.bitsPerSample, 16);
    EXPECT_EQ(view.length, 40u);
    EXPECT_EQ(view.samples, bytes.data() + 44);
}

TEST(Encoders, PaletteListHasSixteenBytesPerName)
{
    std::vector<uint8_t> bytes = MustEncode(EncodePaletteList({"base", "abcdefghijklmnop"}));
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "base");
    EXPECT_EQ(bytes[15], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 16), 16), "abcdefghijklmnop");
    std::vector<Rgb> colours(256);
    colours[1] = {1, 2, 3};
    std::vector<uint8_t> pal = MustEncode(EncodePalette(colours));
    ASSERT_EQ(pal.size(), 768u);
    EXPECT_EQ(pal[3], 1);
    EXPECT_EQ(pal[5], 3);
}

}  // namespace

// The row decoder against a naive reference decode, its hand-made edge cases,
// the pixel probes and the row hook.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/image_rows.h"
#include "tests/support/art_fixtures.h"

namespace {

constexpr int kUntouched = -1;
constexpr uint8_t kSentinel = 0xEE;

struct RawBlock {
    int width = 0, height = 0;
    bool wide = false;
    std::vector<uint8_t> bytes;  // table then rows
};

// Rows of raw runs: every run kind, zero-length fills, literal zeros, rows that
// end early and rows of length 0.
RawBlock RandomRawBlock(std::mt19937& rng)
{
    RawBlock b;
    b.width = 1 + rng() % 300;
    b.height = 1 + rng() % 10;
    std::vector<std::vector<uint8_t>> rows(b.height);
    for (auto& row : rows) {
        int column = 0;
        bool stopEarly = rng() % 3 == 0;
        int stopAt = stopEarly ? static_cast<int>(rng() % (b.width + 1)) : b.width;
        while (column < stopAt) {
            int left = b.width - column;
            if (rng() % 2) {
                int n = static_cast<int>(rng() % (std::min(128, left) + 1));  // 0 included
                row.push_back(static_cast<uint8_t>(-n));
                row.push_back(rng() % 3 == 0 ? 0 : static_cast<uint8_t>(rng()));
                column += n;
            } else {
                int n = 1 + static_cast<int>(rng() % std::min(127, left));
                row.push_back(static_cast<uint8_t>(n));
                for (int i = 0; i < n; ++i)
                    row.push_back(rng() % 4 == 0 ? 0 : static_cast<uint8_t>(rng()));
                column += n;
            }
        }
        if (row.size() > 255)
            b.wide = true;
    }
    if (!b.wide && rng() % 4 == 0)
        b.wide = true;  // wide tables with short rows are legal too
    for (auto& row : rows) {
        b.bytes.push_back(static_cast<uint8_t>(row.size()));
        if (b.wide)
            b.bytes.push_back(static_cast<uint8_t>(row.size() >> 8));
    }
    for (auto& row : rows)
        b.bytes.insert(b.bytes.end(), row.begin(), row.end());
    return b;
}

// Decodes the whole block the obvious way: pixel by pixel.
std::vector<int> ReferenceDecode(const RawBlock& b, bool transparent)
{
    std::vector<int> out(static_cast<size_t>(b.width) * b.height, kUntouched);
    int entry = b.wide ? 2 : 1;
    size_t pos = static_cast<size_t>(b.height) * entry;
    for (int r = 0; r < b.height; ++r) {
        size_t len = b.wide ? (b.bytes[2 * r] | (b.bytes[2 * r + 1] << 8)) : b.bytes[r];
        size_t end = pos + len;
        int column = 0;
        while (pos < end) {
            int8_t c = static_cast<int8_t>(b.bytes[pos]);
            if (c <= 0) {
                uint8_t colour = b.bytes[pos + 1];
                for (int k = 0; k < -c; ++k, ++column)
                    if (column < b.width && !(transparent && colour == 0))
                        out[r * b.width + column] = colour;
                pos += 2;
            } else {
                for (int k = 0; k < c; ++k, ++column)
                    if (column < b.width)
                        out[r * b.width + column] = b.bytes[pos + 1 + k];
                pos += 1 + c;
            }
        }
    }
    return out;
}

TEST(ImageRows, ClippedDecodeMatchesReferenceCrop)
{
    std::mt19937 rng(20261210);
    for (int round = 0; round < 400; ++round) {
        RawBlock b = RandomRawBlock(rng);
        bool transparent = rng() % 2;
        std::vector<int> ref = ReferenceDecode(b, transparent);
        PackedRect clip;
        int cl = static_cast<int>(rng() % b.width), ct = static_cast<int>(rng() % b.height);
        clip.Set(cl, ct, cl + static_cast<int>(rng() % (b.width - cl)),
                 ct + static_cast<int>(rng() % (b.height - ct)));
        const int surfW = 320, surfH = 16, x = 3, y = 2;
        std::vector<uint8_t> surface(surfW * surfH, kSentinel);
        uint32_t table = static_cast<uint32_t>(b.height * (b.wide ? 2 : 1));
        DrawImageRows(x, y, clip, {b.bytes.data(), static_cast<uint32_t>(b.bytes.size())}, table, b.wide,
                      transparent, surfW, surface.data());
        for (int sy = 0; sy < surfH; ++sy)
            for (int sx = 0; sx < surfW; ++sx) {
                int bx = sx - x + clip.Left(), by = sy - y + clip.Top();
                int expected = kSentinel;
                if (bx >= clip.Left() && bx <= clip.Right() && by >= clip.Top() && by <= clip.Bottom() &&
                    ref[by * b.width + bx] != kUntouched)
                    expected = ref[by * b.width + bx];
                ASSERT_EQ(surface[sy * surfW + sx], expected)
                    << "round " << round << " at (" << sx << ", " << sy << ") clip " << clip.Left() << ","
                    << clip.Top() << "-" << clip.Right() << "," << clip.Bottom();
            }
    }
}

struct RowCase {
    const char* name;
    std::vector<uint8_t> bytes;  // table (8-bit) and rows of a block of 6 x rows
    bool transparent;
    PackedRect clip;
    std::vector<int> expected;  // 6 per row of the clip height; -1 untouched
};

TEST(ImageRows, HandMadeRuns)
{
    const int U = kUntouched;
    const RowCase cases[] = {
        {"row of length 0, next row starts right after it",
         {0, 2, 0xFD, 7},
         false,
         {0, 0, 5, 1},
         {U, U, U, U, U, U, 7, 7, 7, U, U, U}},
        {"fill run of 0 pixels takes two bytes and draws nothing",
         {6, 0x00, 9, 0xFE, 4, 1, 5},
         false,
         {0, 0, 5, 0},
         {4, 4, 5, U, U, U}},
        {"transparent: colour-0 fill advances without drawing, literal 0 is drawn",
         {7, 0xFE, 0, 3, 0, 6, 0},
         true,
         {0, 0, 5, 0},
         {U, U, 0, 6, 0, U}},
        {"opaque: colour-0 fill is drawn", {2, 0xFA, 0}, false, {0, 0, 5, 0}, {0, 0, 0, 0, 0, 0}},
        {"clip starting inside a literal run takes its bytes from there",
         {7, 6, 1, 2, 3, 4, 5, 6},
         false,
         {2, 0, 4, 0},
         {3, 4, 5}},
        {"clip ending inside a run cuts it and draws nothing more",
         {6, 0xFD, 8, 2, 1, 2},
         false,
         {0, 0, 1, 0},
         {8, 8}},
        {"row table claims more bytes than the block holds",
         {200, 3, 1, 2},
         false,
         {0, 0, 5, 0},
         {1, 2, U, U, U, U}},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        int w = c.clip.Right() - c.clip.Left() + 1, h = c.clip.Bottom() - c.clip.Top() + 1;
        std::vector<uint8_t> surface(static_cast<size_t>(w) * h, kSentinel);
        uint32_t rows = static_cast<uint32_t>(c.clip.Bottom() + 1);
        DrawImageRows(0, 0, c.clip, {c.bytes.data(), static_cast<uint32_t>(c.bytes.size())}, rows, false,
                      c.transparent, static_cast<uint16_t>(w), surface.data());
        ASSERT_EQ(c.expected.size(), surface.size());
        for (size_t i = 0; i < surface.size(); ++i)
            EXPECT_EQ(surface[i], c.expected[i] == U ? kSentinel : c.expected[i]) << "pixel " << i;
    }
}

TEST(ImageRows, WideLengthsReadRowsOver255Bytes)
{
    // 300 distinct-neighbour pixels cannot be fill runs: the row is ~303 bytes.
    IndexedPicture p;
    p.width = 300;
    p.height = 2;
    for (int i = 0; i < 600; ++i)
        p.pixels.push_back(static_cast<uint8_t>(1 + i % 2));
    std::vector<uint8_t> bytes = MustEncode(EncodeImage(p, {}));
    ImageData image;
    ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    ASSERT_TRUE(image.WideLengths());
    std::vector<uint8_t> surface(600, kSentinel);
    DrawImageRows(0, 0, {0, 0, 299, 1}, image.pixels, image.TableSize(), true, false, 300, surface.data());
    EXPECT_EQ(surface, p.pixels);
}

TEST(ImageRows, HitTestReadsOnePixel)
{
    // block starts at (1, 1); row 0 ends after 3 pixels, row 1 has a colour-0 fill
    IndexedPicture p = PictureFromRows({
        ".....",
        ".5a7.",
        ".8..9",
    });
    std::vector<uint8_t> bytes = MustEncode(EncodeImage(p, {.transparent = true}));
    ImageData image;
    ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    struct Probe {
        int x, y;
        uint8_t expected;
    } probes[] = {
        {1, 1, 5}, {2, 1, 10}, {3, 1, 7}, {4, 1, 0},  // inside the block, past the end of its row
        {2, 2, 0},                                    // colour-0 fill run
        {4, 2, 9}, {0, 0, 0},  {5, 2, 0}, {1, 3, 0},  // outside the block
    };
    for (const Probe& pr : probes)
        EXPECT_EQ(ImageHitTest(pr.x, pr.y, image), pr.expected) << pr.x << "," << pr.y;
    EXPECT_EQ(ImageHitTest(1, 1, ImageData{}), 0);
}

struct HookRecord {
    int calls = 0;
    PackedRect clip;
    bool transparent = true;
    ImageFillOpFn fill = nullptr;
    uint8_t* dest = nullptr;
};
HookRecord g_hookRecord;

void RecordingHook(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize, bool wide,
                   bool transparent, ImageFillOpFn fill, ImageCopyOpFn copy, uint16_t pitch, uint8_t* dest)
{
    ++g_hookRecord.calls;
    g_hookRecord.clip = clip;
    g_hookRecord.transparent = transparent;
    g_hookRecord.fill = fill;
    g_hookRecord.dest = dest;
    // A hook may decode with the operations it is handed, as the screens do.
    DecodeImageRows(x, y, clip, block, tableSize, wide, transparent, fill, copy, pitch, dest);
}

TEST(ImageRows, HookTakesOverDecodingAndProbes)
{
    IndexedPicture p = PictureFromRows({"123", "456"});
    std::vector<uint8_t> bytes = MustEncode(EncodeImage(p, {}));
    ImageData image;
    ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    g_hookRecord = {};
    g_imageRowHook = RecordingHook;
    std::vector<uint8_t> surface(6, kSentinel);
    DrawImageRows(0, 0, {0, 0, 2, 1}, image.pixels, image.TableSize(), false, false, 3, surface.data());
    EXPECT_EQ(g_hookRecord.calls, 1);
    EXPECT_EQ(g_hookRecord.dest, surface.data());
    EXPECT_EQ(surface, p.pixels);

    // A probe goes through the hook with the probe operations, not the defaults.
    EXPECT_EQ(ImageHitTest(2, 1, image), 6);
    EXPECT_EQ(g_hookRecord.calls, 2);
    EXPECT_NE(g_hookRecord.fill, &DefaultImageFill);
    EXPECT_EQ(g_hookRecord.dest, nullptr);
    EXPECT_FALSE(g_hookRecord.transparent);
    EXPECT_EQ(g_hookRecord.clip.Left(), 2);
    EXPECT_EQ(g_hookRecord.clip.Top(), 1);
    ResetImageRowOps();
    EXPECT_EQ(ImageFillOp, &DefaultImageFill);
    EXPECT_EQ(g_imageRowHook, nullptr);
}

}  // namespace

// Pictures drawn into a drawing context, compared pixel by pixel with a
// rendering made straight from the source picture; tiling, filling, and the
// palette switch.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/draw_context.h"
#include "core/image_rows.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"
#include "tools/encode/palette_encoder.h"

namespace {

constexpr uint8_t kBack = 0xEE;

struct Surface {
    CDrawContext dc;
    int w, h;
    Surface(int width, int height) : w(width), h(height)
    {
        EXPECT_TRUE(dc.CreateSurface(width, height));
        Clear();
    }
    void Clear()
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                *dc.Surface().At(x, y) = kBack;
    }
    uint8_t At(int x, int y) const { return *dc.Surface().At(x, y); }
    std::vector<uint8_t> Pixels() const
    {
        std::vector<uint8_t> v;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                v.push_back(At(x, y));
        return v;
    }
};

// What a picture drawn at (x, y) (surface coordinates, origin applied) must
// leave on a cleared surface: straight from the source pixels.
std::vector<uint8_t> Reference(const IndexedPicture& p, bool transparent, int x, int y, int hotX, int hotY,
                               const PackedRect& cutOut, const PackedRect& clip, int w, int h)
{
    std::vector<uint8_t> out(static_cast<size_t>(w) * h, kBack);
    int left = x - hotX - (cutOut.IsDefined() ? cutOut.Left() : 0);
    int top = y - hotY - (cutOut.IsDefined() ? cutOut.Top() : 0);
    for (int iy = 0; iy < p.height; ++iy)
        for (int ix = 0; ix < p.width; ++ix) {
            if (cutOut.IsDefined() &&
                (ix < cutOut.Left() || ix > cutOut.Right() || iy < cutOut.Top() || iy > cutOut.Bottom()))
                continue;
            int sx = left + ix, sy = top + iy;
            if (!clip.IsDefined() || sx < clip.Left() || sx > clip.Right() || sy < clip.Top() ||
                sy > clip.Bottom())
                continue;
            if (sx < 0 || sy < 0 || sx >= w || sy >= h)
                continue;
            uint8_t v = p.At(ix, iy);
            if (transparent && v == 0)
                continue;
            out[static_cast<size_t>(sy) * w + sx] = v;
        }
    return out;
}

class RasterTest : public testing::Test {
protected:
    void SetUp() override { InitRasterOps(); }
};

TEST_F(RasterTest, DrawImageMatchesTheSourceUnderHotSpotCutOutOriginAndClip)
{
    std::mt19937 rng(7);
    Surface s(64, 48);
    for (int round = 0; round < 300; ++round) {
        bool transparent = rng() % 2;
        IndexedPicture p = RandomPicture(round, static_cast<uint16_t>(1 + rng() % 40),
                                         static_cast<uint16_t>(1 + rng() % 30), transparent ? 35 : 10);
        int hotX = static_cast<int>(rng() % 11) - 5, hotY = static_cast<int>(rng() % 11) - 5;
        std::vector<uint8_t> bytes = MustEncode(EncodeImage(p, {.transparent = transparent,
                                                                .hotX = static_cast<int16_t>(hotX),
                                                                .hotY = static_cast<int16_t>(hotY)}));
        ImageData image;
        ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));

        PackedRect cutOut = UndefinedRect;
        if (rng() % 2) {
            int l = static_cast<int>(rng() % p.width) - 2, t = static_cast<int>(rng() % p.height) - 2;
            cutOut.Set(l, t, l + static_cast<int>(rng() % 20), t + static_cast<int>(rng() % 20));
        }
        PackedRect clip(static_cast<int>(rng() % 30) - 5, static_cast<int>(rng() % 20) - 5, 20 + rng() % 50,
                        15 + rng() % 40);
        PackedPoint origin(static_cast<int>(rng() % 9) - 4, static_cast<int>(rng() % 9) - 4);
        int x = static_cast<int>(rng() % 70) - 10, y = static_cast<int>(rng() % 55) - 10;

        s.Clear();
        ASSERT_TRUE(s.dc.PushClip(clip));
        ASSERT_TRUE(s.dc.PushOrigin(origin));
        PackedRect effective = s.dc.GetClipRect();
        bool visible = IsImageVisible(s.dc, x, y, image, cutOut);
        DrawImage(s.dc, x, y, image, cutOut);
        s.dc.PopOrigin();
        s.dc.PopClip();

        std::vector<uint8_t> expected = Reference(p, transparent, x + origin.X(), y + origin.Y(), hotX, hotY,
                                                  cutOut, effective, s.w, s.h);
        ASSERT_EQ(s.Pixels(), expected) << "round " << round;
        // Visible when some part of the encoded block falls in the clip;
        // whatever was drawn lies in such a part.
        if (s.Pixels() != std::vector<uint8_t>(s.Pixels().size(), kBack)) {
            EXPECT_TRUE(visible) << "round " << round;
        }
    }
}

TEST_F(RasterTest, DrawImageGeometryCases)
{
    IndexedPicture big = RandomPicture(99, 32, 32, 0);
    std::vector<uint8_t> bytes = MustEncode(EncodeImage(big, {.hotX = 10, .hotY = 20}));
    ImageData image;
    ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    Surface s(240, 200);
    DrawImage(s.dc, 100, 100, image, UndefinedRect);
    EXPECT_EQ(s.At(100, 100), big.At(10, 20)) << "the hot spot lands on the position";
    EXPECT_EQ(s.At(90, 80), big.At(0, 0));
    EXPECT_EQ(s.At(89, 80), kBack);

    std::vector<uint8_t> plainBytes = MustEncode(EncodeImage(big, {}));
    ImageData plain;
    ASSERT_TRUE(plain.Assign(plainBytes.data(), static_cast<uint32_t>(plainBytes.size())));
    Surface t(40, 40);
    DrawImage(t.dc, 0, 0, plain, PackedRect(8, 8, 15, 15));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(t.At(x, y), x < 8 && y < 8 ? big.At(8 + x, 8 + y) : kBack) << x << "," << y;

    EXPECT_FALSE(IsImageVisible(t.dc, 40, 0, plain, UndefinedRect));
    EXPECT_FALSE(IsImageVisible(t.dc, 0, 0, ImageData{}, UndefinedRect));
    DrawImage(t.dc, 0, 0, ImageData{}, UndefinedRect);  // no header: nothing, no crash
}

TEST_F(RasterTest, AnimationFrameTransparencyFromTheSecondFrameOn)
{
    std::vector<IndexedPicture> frames = {PictureFromRows({"1.1"}), PictureFromRows({"1.1"})};
    std::vector<uint8_t> bytes =
        MustEncode(EncodeAnimation(frames, {.transparency = AnimTransparency::AllButFirst}));
    AnimData anim;
    ASSERT_TRUE(anim.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    Surface s(3, 2);
    DrawAnimationFrame(s.dc, 0, 0, anim, 0, UndefinedRect);
    DrawAnimationFrame(s.dc, 0, 1, anim, 1, UndefinedRect);
    EXPECT_EQ(s.Pixels(), (std::vector<uint8_t>{1, 0, 1, 1, kBack, 1}));
    DrawAnimationFrame(s.dc, 0, 0, anim, 2, UndefinedRect);  // past the frames: nothing
    EXPECT_EQ(s.At(1, 0), 0);
}

TEST_F(RasterTest, TileImageCoversTheRectangleFromItsCorner)
{
    IndexedPicture tile = RandomPicture(5, 16, 16, 0);
    std::vector<uint8_t> bytes = MustEncode(EncodeImage(tile, {}));
    ImageData image;
    ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    Surface s(60, 20);
    TileImage(s.dc, PackedRect(0, 0, 39, 9), image);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(s.At(x, y), x <= 39 && y <= 9 ? tile.At(x % 16, y % 16) : kBack) << x << "," << y;
    EXPECT_EQ(s.dc.ClipDepth(), 1) << "the tiling clip is popped";

    // The grid is anchored at the rectangle even when the clip starts inside it.
    s.Clear();
    ASSERT_TRUE(s.dc.PushClip(PackedRect(20, 2, 59, 19)));
    TileImage(s.dc, PackedRect(5, 0, 45, 15), image);
    s.dc.PopClip();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            bool inside = x >= 20 && x <= 45 && y >= 2 && y <= 15;
            ASSERT_EQ(s.At(x, y), inside ? tile.At((x - 5) % 16, y % 16) : kBack) << x << "," << y;
        }
}

// Tiling decodes the picture once and copies it; whatever the picture, the
// result is each copy drawn on its own, as DrawImage draws it on the grid.
TEST_F(RasterTest, TileImageLeavesWhatDrawingEachCopyLeaves)
{
    std::mt19937 rng(11);
    Surface tiled(70, 50), drawn(70, 50);
    for (int round = 0; round < 200; ++round) {
        const bool transparent = rng() % 2;
        const uint16_t w = static_cast<uint16_t>(1 + rng() % 12), h = static_cast<uint16_t>(1 + rng() % 12);
        // Transparent pictures with zeros at their edges get a block smaller
        // than the picture, and rows that end early.
        const IndexedPicture p = RandomPicture(round, w, h, transparent ? 40 : 0);
        std::vector<uint8_t> bytes = MustEncode(EncodeImage(p, {.transparent = transparent}));
        ImageData image;
        ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
        const int left = static_cast<int>(rng() % 30) - 5, top = static_cast<int>(rng() % 20) - 5;
        const PackedRect area(left, top, left + static_cast<int>(rng() % 50),
                              top + static_cast<int>(rng() % 40));
        const PackedRect clip(static_cast<int>(rng() % 20), static_cast<int>(rng() % 15), 30 + rng() % 40,
                              20 + rng() % 30);
        const PackedPoint origin(static_cast<int>(rng() % 7) - 3, static_cast<int>(rng() % 7) - 3);

        tiled.Clear();
        ASSERT_TRUE(tiled.dc.PushClip(clip));
        ASSERT_TRUE(tiled.dc.PushOrigin(origin));
        TileImage(tiled.dc, area, image);
        tiled.dc.PopOrigin();
        tiled.dc.PopClip();

        drawn.Clear();
        ASSERT_TRUE(drawn.dc.PushClip(clip));
        PackedRect onSurface = area;
        onSurface.OffsetBy(origin);
        ASSERT_TRUE(drawn.dc.PushClip(onSurface));
        ASSERT_TRUE(drawn.dc.PushOrigin(origin));
        for (int y = area.Top() - 2 * h; y <= area.Bottom() + 2 * h; y += h)
            for (int x = area.Left() - 2 * w; x <= area.Right() + 2 * w; x += w)
                DrawImage(drawn.dc, x, y, image, UndefinedRect);
        drawn.dc.PopOrigin();
        drawn.dc.PopClip();
        drawn.dc.PopClip();
        ASSERT_EQ(tiled.Pixels(), drawn.Pixels()) << "round " << round;
    }
}

TEST_F(RasterTest, FillRectFillsOnlyInsideTheClip)
{
    Surface s(10, 10);
    ASSERT_TRUE(s.dc.PushClip(PackedRect(2, 2, 7, 7)));
    ASSERT_TRUE(s.dc.PushOrigin(PackedPoint(1, 0)));
    FillRect(s.dc, PackedRect(-5, 4, 3, 20), 9);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(s.At(x, y), x >= 2 && x <= 4 && y >= 4 && y <= 7 ? 9 : kBack) << x << "," << y;
}

// A data folder with the palette list {"first", "second", "short"}: two
// palettes of 768 bytes and one that is too short to be one.
class PaletteTest : public RasterTest {
protected:
    void SetUp() override
    {
        RasterTest::SetUp();
        PackWriter pack(100);
        ASSERT_TRUE(pack.AddFile("Palettes/pallist", "plt",
                                 MustEncode(EncodePaletteList({"first", "second", "short"}))));
        std::vector<Rgb> colours(256, Rgb{1, 2, 3});
        ASSERT_TRUE(pack.AddFile("Palettes/first", "pal", MustEncode(EncodePalette(colours))));
        colours.assign(256, Rgb{9, 9, 9});
        ASSERT_TRUE(pack.AddFile("Palettes/second", "pal", MustEncode(EncodePalette(colours))));
        ASSERT_TRUE(pack.AddFile("Palettes/short", "pal", std::vector<uint8_t>(100, 7)));
        m_data.AddPack("art", pack);
        ASSERT_TRUE(m_data.Mount());
        PaletteTable table;
        ASSERT_TRUE(CResourceMgr::LoadPaletteTable("/Palettes/pallist", table));
        SetPaletteList({table.data, table.count});
    }
    void TearDown() override { SetPaletteList({}); }
    FixtureData m_data;
};

TEST_F(PaletteTest, SelectionChecksTheIdAndKeepsOnlyFullPalettes)
{
    struct Step {
        const char* what;
        uint8_t id;
        uint8_t expectedId;
        uint8_t firstByte;  // of the current palette data; 0 = none yet
    } steps[] = {
        {"254 means the current palette", 254, kNoPalette, 0},
        {"an id past the list", 3, kNoPalette, 0},
        {"255 from a header", 255, kNoPalette, 0},
        {"first", 0, 0, 1},
        {"second", 1, 1, 9},
        {"a palette of 100 bytes is not taken", 2, 1, 9},
        {"back to first", 0, 0, 1},
    };
    for (const Step& st : steps) {
        SelectPalette(st.id);
        EXPECT_EQ(CurrentPaletteId(), st.expectedId) << st.what;
        if (st.firstByte == 0) {
            EXPECT_EQ(CurrentPaletteData(), nullptr) << st.what;
        } else {
            ASSERT_TRUE(CurrentPaletteData() != nullptr && CurrentPaletteData()[0] == st.firstByte)
                << st.what;
        }
    }
    SetPaletteLock(true);
    SelectPalette(1);
    EXPECT_EQ(CurrentPaletteId(), 0) << "locked";
    SetPaletteLock(false);
}

TEST_F(PaletteTest, PicturesSelectTheirPaletteOnlyWhenDrawn)
{
    std::vector<uint8_t> bytes =
        MustEncode(EncodeImage(SolidPicture(4, 4, 3), {.paletteId = 1, .paletteCount = 3}));
    ImageData image;
    ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    Surface s(8, 8);
    DrawImage(s.dc, 20, 20, image, UndefinedRect);
    EXPECT_EQ(CurrentPaletteId(), kNoPalette) << "outside the clip: no palette switch";
    DrawImage(s.dc, 2, 2, image, UndefinedRect);
    EXPECT_EQ(CurrentPaletteId(), 1);
}

TEST_F(PaletteTest, LoadersMakeViewsOrRefuse)
{
    PackWriter pack(200);
    ASSERT_TRUE(pack.AddFile("Images/ok", "img", MustEncode(EncodeImage(SolidPicture(2, 2, 1), {}))));
    ASSERT_TRUE(pack.AddFile("Images/cut", "img", std::vector<uint8_t>(10, 0)));
    ASSERT_TRUE(pack.AddFile("Ani/ok", "ani", MustEncode(EncodeAnimation({SolidPicture(2, 2, 1)}, {}))));
    std::vector<uint8_t> badLoop = MustEncode(EncodeAnimation({SolidPicture(2, 2, 1)}, {}));
    badLoop[12] = 1;  // loop back to a frame that does not exist
    ASSERT_TRUE(pack.AddFile("Ani/badloop", "ani", badLoop));
    std::vector<uint8_t> noFrames = badLoop;
    noFrames[10] = 0;
    noFrames[12] = 255;
    ASSERT_TRUE(pack.AddFile("Ani/noframes", "ani", noFrames));
    std::vector<uint8_t> farFrame =
        MustEncode(EncodeAnimation({SolidPicture(2, 2, 1), SolidPicture(2, 2, 2)}, {}));
    farFrame[13] = 0xF0;  // frame 1 said to start far past the end
    ASSERT_TRUE(pack.AddFile("Ani/farframe", "ani", farFrame));
    m_data.AddPack("more", pack);
    ASSERT_TRUE(m_data.Mount());
    ImageData image;
    AnimData anim;
    EXPECT_TRUE(LoadImage("/Images/ok", image));
    EXPECT_FALSE(LoadImage("/Images/cut", image));
    EXPECT_FALSE(image.HasHeader());
    EXPECT_FALSE(LoadImage("/Images/missing", image));
    EXPECT_TRUE(LoadAnimation("/Ani/ok", anim));
    EXPECT_FALSE(LoadAnimation("/Ani/badloop", anim));
    EXPECT_FALSE(LoadAnimation("/Ani/noframes", anim));
    EXPECT_FALSE(LoadAnimation("/Ani/farframe", anim));
    EXPECT_FALSE(anim.HasHeader());
}

}  // namespace

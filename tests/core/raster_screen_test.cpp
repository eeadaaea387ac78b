// Drawing on the screen's context: what pictures and text report as dirty,
// and the palette a picture uploads to the display.

#include <gtest/gtest.h>

#include <new>

#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"
#include "tools/encode/palette_encoder.h"

namespace {

CDrawContext* NewContext()
{
    return new (std::nothrow) CDrawContext;
}

// A headless display of 240 x 320 with an empty dirty list.
class ScreenTest : public testing::Test {
protected:
    void SetUp() override
    {
        HeadlessOptions options;
        options.closeAfterSteps = 0;
        UseHeadlessPlatform(options);
        SetDrawContextFactory(NewContext);
        ASSERT_TRUE(m_display.Open());
        SetDisplaySurface(&m_display);
        InitRasterOps();
        m_display.Flush();
        ASSERT_EQ(m_display.DirtyCount(), 0);
    }
    void TearDown() override
    {
        SetDisplaySurface(nullptr);
        m_display.Close();
        SetPaletteList({});
    }
    CDrawContext& Screen() { return *m_display.ScreenContext(); }
    std::vector<PackedRect> Dirty()
    {
        std::vector<PackedRect> rects;
        for (int i = 0; i < m_display.DirtyCount(); ++i)
            rects.push_back(m_display.DirtyRect(i));
        m_display.Flush();
        return rects;
    }
    CDisplaySurface m_display;
};

TEST_F(ScreenTest, PicturesReportWhatTheyDrew)
{
    std::vector<uint8_t> bytes = MustEncode(EncodeImage(SolidPicture(20, 10, 4), {.hotX = 5, .hotY = 0}));
    ImageData image;
    ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    DrawImage(Screen(), 300, 0, image, UndefinedRect);
    EXPECT_TRUE(Dirty().empty()) << "nothing drawn, nothing dirty";
    DrawImage(Screen(), 230, 100, image, UndefinedRect);
    EXPECT_EQ(Dirty(), (std::vector<PackedRect>{PackedRect(225, 100, 239, 109)}))
        << "only the part on the screen";

    // A child context reports in the screen's coordinates.
    CDrawContext child;
    child.AttachTo(Screen(), PackedRect(50, 60, 99, 99));
    DrawImage(child, 5, 0, image, PackedRect(0, 0, 3, 3));
    EXPECT_EQ(Dirty(), (std::vector<PackedRect>{PackedRect(50, 60, 53, 63)}));
}

TEST_F(ScreenTest, TextPartlyClippedReturnsItsWidthAndMarksTheDrawnPart)
{
    std::vector<uint8_t> bytes = MustEncode(EncodeFont(PatternFont(8, 'a', 3, 6, 1)));
    FontData font;
    ASSERT_TRUE(font.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    ASSERT_TRUE(Screen().PushClip(PackedRect(0, 0, 100, 319)));
    EXPECT_EQ(DrawText(Screen(), 90, 10, "abcabc", 6, 1, 0, true, font), 36);
    EXPECT_EQ(Dirty(), (std::vector<PackedRect>{PackedRect(90, 10, 100, 17)}));
    EXPECT_EQ(DrawText(Screen(), 10, 30, "ab", 2, 1, 0, true, font), 12);
    EXPECT_EQ(Dirty(), (std::vector<PackedRect>{PackedRect(10, 30, 21, 37)})) << "no further than the text";
    Screen().PopClip();
}

TEST_F(ScreenTest, SelectedPaletteReachesTheDisplay)
{
    PackWriter pack(100);
    ASSERT_TRUE(pack.AddFile("Palettes/pallist", "plt", MustEncode(EncodePaletteList({"warm"}))));
    std::vector<Rgb> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[i] = {static_cast<uint8_t>(i), 100, static_cast<uint8_t>(255 - i)};
    std::vector<uint8_t> palette = MustEncode(EncodePalette(colours));
    ASSERT_TRUE(pack.AddFile("Palettes/warm", "pal", palette));
    FixtureData data;
    data.AddPack("art", pack);
    ASSERT_TRUE(data.Mount());
    PaletteTable table;
    ASSERT_TRUE(CResourceMgr::LoadPaletteTable("/Palettes/pallist", table));
    SetPaletteList({table.data, table.count});

    std::vector<uint8_t> bytes =
        MustEncode(EncodeImage(SolidPicture(2, 2, 9), {.paletteId = 0, .paletteCount = 1}));
    ImageData image;
    ASSERT_TRUE(image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    DrawImage(Screen(), 0, 0, image, UndefinedRect);
    EXPECT_EQ(std::vector<uint8_t>(m_display.RawPalette(), m_display.RawPalette() + 768), palette);

    // A screen with a palette of its own pushes the current id, and popping
    // it selects (and uploads) that palette again.
    ASSERT_TRUE(PushPalette());
    std::vector<uint8_t> grey(768, 50);
    SetDisplayPalette(grey.data());
    ASSERT_TRUE(PopPalette());
    EXPECT_EQ(CurrentPaletteId(), 0);
    EXPECT_EQ(std::vector<uint8_t>(m_display.RawPalette(), m_display.RawPalette() + 768), palette);
    ResetPaletteStack();
}

}  // namespace

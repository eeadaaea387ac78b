// The display device: screen modes in all four rotations and both pixel
// formats, the dirty list, the palette with brightness and contrast, and the
// palette stack of the screens; and the same screen reached through the game
// library's display on a device without raw access.

#include "core/display_surface.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/device_mgr.h"
#include "core/draw_context.h"
#include "platform/headless/headless_backend.h"

namespace {

CDrawContext* MakeContext()
{
    return new CDrawContext;
}

class DisplayTest : public ::testing::Test {
protected:
    // A small screen keeps whole-screen checks cheap; 6 x 4 is not square, so
    // a swapped axis cannot hide.
    void Open(int w = 6, int h = 4, uint16_t format = RAW_FORMAT_565, int32_t xs = 0, int32_t ys = 0)
    {
        HeadlessOptions o;
        o.settings.screenWidth = w;
        o.settings.screenHeight = h;
        o.format = format;
        o.xStride = xs;
        o.yStride = ys;
        o.closeAfterSteps = 0;
        platform = &UseHeadlessPlatform(o);
        SetDrawContextFactory(MakeContext);
        display = new CDisplaySurface;
        SetDisplaySurface(display);
        ASSERT_TRUE(display->Open());
    }
    void TearDown() override
    {
        SetDisplaySurface(nullptr);
        delete display;
        display = nullptr;
        PlatformClose();
    }
    // Palette entry i: a colour that differs for every index in both formats.
    void LoadDistinctPalette()
    {
        std::vector<uint8_t> rgb(768);
        for (int i = 0; i < 256; ++i) {
            rgb[i * 3] = static_cast<uint8_t>((i & 0x1F) << 3);
            rgb[i * 3 + 1] = static_cast<uint8_t>((i >> 5) << 5);
            rgb[i * 3 + 2] = 0x18;
        }
        display->SetPalette(0, 256, rgb.data());
    }
    void FillBackBuffer()
    {
        const SurfaceDesc& s = display->ScreenContext()->Surface();
        for (int y = 0; y < display->Height(); ++y) {
            for (int x = 0; x < display->Width(); ++x) {
                *s.At(x, y) = static_cast<uint8_t>(1 + x + y * display->Width());
            }
        }
    }
    uint8_t BackPixel(PackedPoint p) { return *display->ScreenContext()->Surface().At(p.X(), p.Y()); }

    HeadlessBackend* platform = nullptr;
    CDisplaySurface* display = nullptr;
};

TEST_F(DisplayTest, OpenListsTheFourRotationsOfThePhysicalScreen)
{
    Open(6, 4);
    ASSERT_EQ(display->ModeCount(), 4);
    EXPECT_EQ(display->Mode(0), DisplayMode(6, 4));
    EXPECT_EQ(display->Mode(1), DisplayMode(4, 6));
    EXPECT_EQ(display->Mode(2), DisplayMode(-6, -4));
    EXPECT_EQ(display->Mode(3), DisplayMode(-4, -6));
    EXPECT_EQ(display->CurrentMode(), DisplayMode(6, 4));
    EXPECT_EQ(display->ScreenContext()->GetClipRect(), PackedRect(0, 0, 5, 3));
    EXPECT_FALSE(display->SetMode(DisplayMode(6, 5))) << "not in the list";
    EXPECT_FALSE(display->SetMode(DisplayMode(6, 4, PixelFormat{16, 1, 0}))) << "format differs";
}

TEST_F(DisplayTest, OpenRefusesAMissingScreenOrAnUnknownFormat)
{
    HeadlessOptions o;
    o.refuseDisplay = true;
    UseHeadlessPlatform(o);
    SetDrawContextFactory(MakeContext);
    CDisplaySurface d1;
    EXPECT_FALSE(d1.Open());
    o.refuseDisplay = false;
    o.format = 3;
    UseHeadlessPlatform(o);
    CDisplaySurface d2;
    EXPECT_FALSE(d2.Open());
    SetDrawContextFactory(nullptr);
    UseHeadlessPlatform(HeadlessOptions{});
    CDisplaySurface d3;
    EXPECT_FALSE(d3.Open()) << "no drawing-context factory";
    SetDrawContextFactory(MakeContext);
}

TEST_F(DisplayTest, FlushShowsEveryBackBufferPixelWhereTheStylusFindsItInAllModesAndFormats)
{
    // Whatever the mode, the pixel shown at a physical point must be the
    // back-buffer pixel that a tap at that point is mapped to.
    struct Panel {
        int32_t xs, ys;  // in pixel units of the width (W) and height (H): see below
        const char* what;
    } panels[] = {{0, 0, "plain panel"}, {-1, -1, "upside-down panel"}, {2, 2, "turned panel"}};
    // 6 x 4 is small; 21 x 5 has rows long enough for the wide copy, plus an
    // odd tail; 19 x 17 has whole 8 x 8 tiles and partial ones in both turns.
    const int sizes[3][2] = {{6, 4}, {21, 5}, {19, 17}};
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        for (uint16_t format : {RAW_FORMAT_565, RAW_FORMAT_555}) {
            for (const auto& panel : panels) {
                int32_t xs = panel.xs == 0 ? 0 : (panel.xs < 0 ? -2 : 2 * h);
                int32_t ys = panel.ys == 0 ? 0 : (panel.ys < 0 ? -2 * w : -2);
                for (int m = 0; m < 4; ++m) {
                    SCOPED_TRACE(testing::Message() << w << "x" << h << ", format " << format << ", "
                                                    << panel.what << ", mode " << m);
                    TearDown();
                    Open(w, h, format, xs, ys);
                    LoadDistinctPalette();
                    ASSERT_TRUE(display->SetMode(display->Mode(m)));
                    FillBackBuffer();
                    display->Flush();
                    EXPECT_EQ(display->DirtyCount(), 0);
                    const FrameBuffer& screen = platform->Screen();
                    for (int y = 0; y < h; ++y) {
                        for (int x = 0; x < w; ++x) {
                            uint8_t index = BackPixel(display->MapPoint(PackedPoint(x, y)));
                            ASSERT_EQ(screen.Pixel(x, y), display->ColourOf(index)) << "at " << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

TEST_F(DisplayTest, PartialFlushTouchesOnlyItsRectangle)
{
    Open(40, 8);
    LoadDistinctPalette();
    FillBackBuffer();
    display->Flush();
    display->AddDirtyRect(PackedRect(3, 2, 22, 4));  // 20 wide, starting at an odd column
    const SurfaceDesc& s = display->ScreenContext()->Surface();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 40; ++x) {
            *s.At(x, y) = static_cast<uint8_t>(200 + (x + y) % 50);
        }
    }
    display->Flush();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= 3 && x <= 22 && y >= 2 && y <= 4;
            uint8_t expected =
                inside ? static_cast<uint8_t>(200 + (x + y) % 50) : static_cast<uint8_t>(1 + x + y * 40);
            ASSERT_EQ(platform->Screen().Pixel(x, y), display->ColourOf(expected)) << x << "," << y;
        }
    }
}

TEST_F(DisplayTest, RotatedModesPutTheBackBufferOriginInTheRightCorner)
{
    Open(6, 4);
    LoadDistinctPalette();
    struct Case {
        int mode;
        int physicalX, physicalY;  // where back-buffer pixel (0, 0) lands
    } cases[] = {{0, 0, 0}, {1, 5, 0}, {2, 5, 3}, {3, 0, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ASSERT_TRUE(display->SetMode(display->Mode(c.mode)));
        FillBackBuffer();
        display->Flush();
        EXPECT_EQ(platform->Screen().Pixel(c.physicalX, c.physicalY), display->ColourOf(1));
    }
}

TEST_F(DisplayTest, PixelFormatsConvertAsTheScreenExpects)
{
    struct Case {
        uint16_t format;
        uint8_t r, g, b;
        uint16_t pixel;
    } cases[] = {{RAW_FORMAT_565, 255, 255, 255, 0xFFFF}, {RAW_FORMAT_565, 255, 128, 64, 0xFC08},
                 {RAW_FORMAT_565, 7, 3, 7, 0x0000},       {RAW_FORMAT_555, 255, 255, 255, 0x7FFF},
                 {RAW_FORMAT_555, 255, 128, 64, 0x7E08},  {RAW_FORMAT_555, 0, 8, 0, 0x0020}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.format << " " << int(c.r) << "," << int(c.g) << "," << int(c.b));
        TearDown();
        Open(6, 4, c.format);
        uint8_t rgb[3] = {c.r, c.g, c.b};
        display->SetPalette(9, 1, rgb);
        EXPECT_EQ(display->ColourOf(9), c.pixel);
    }
}

TEST_F(DisplayTest, DirtyRectanglesMergeClipAndDropWhatIsOffScreen)
{
    Open(240, 320);
    display->Flush();
    struct Case {
        const char* what;
        std::vector<PackedRect> added;
        std::vector<PackedRect> expected;
    } cases[] = {
        {"adjacent columns merge", {{0, 0, 9, 9}, {10, 0, 20, 9}}, {{0, 0, 20, 9}}},
        {"two pixels apart stay apart", {{0, 0, 9, 9}, {11, 0, 20, 9}}, {{0, 0, 9, 9}, {11, 0, 20, 9}}},
        {"overlap merges", {{0, 0, 9, 9}, {5, 5, 30, 30}}, {{0, 0, 30, 30}}},
        {"partly off-screen is clipped", {{-5, 300, 10, 400}}, {{0, 300, 10, 319}}},
        {"wholly off-screen is dropped", {{-50, -50, -1, -1}, {240, 0, 300, 10}}, {}},
        {"undefined is dropped", {UndefinedRect}, {}},
        {"the grown entry is not merged again",
         {{0, 0, 9, 9}, {50, 0, 59, 9}, {10, 0, 20, 9}, {21, 0, 49, 9}},
         {{0, 0, 49, 9}, {50, 0, 59, 9}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        display->Flush();
        for (const auto& r : c.added) {
            display->AddDirtyRect(r);
        }
        ASSERT_EQ(display->DirtyCount(), static_cast<int32_t>(c.expected.size()));
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(display->DirtyRect(static_cast<int32_t>(i)), c.expected[i]) << i;
        }
    }
}

TEST_F(DisplayTest, ThirtyFirstSeparateRectangleGrowsTheThirtieth)
{
    Open(240, 320);
    display->Flush();
    for (int i = 0; i < 31; ++i) {
        display->AddDirtyRect(PackedRect(0, i * 10, 3, i * 10 + 2));
    }
    ASSERT_EQ(display->DirtyCount(), 30);
    EXPECT_EQ(display->DirtyRect(28), PackedRect(0, 280, 3, 282));
    EXPECT_EQ(display->DirtyRect(29), PackedRect(0, 290, 3, 302));
}

TEST_F(DisplayTest, SetModeEmptiesTheListThenMarksTheWholeScreen)
{
    Open(240, 320);
    display->Flush();
    display->AddDirtyRect(PackedRect(1, 1, 2, 2));
    display->AddDirtyRect(PackedRect(100, 100, 102, 102));
    ASSERT_TRUE(display->SetMode(DisplayMode(320, 240)));
    ASSERT_EQ(display->DirtyCount(), 1);
    EXPECT_EQ(display->DirtyRect(0), PackedRect(0, 0, 319, 239));
    EXPECT_TRUE(display->IsSwapped());
    EXPECT_EQ(display->ScreenContext()->GetClipRect(), PackedRect(0, 0, 319, 239));
}

TEST_F(DisplayTest, BrightnessAndContrastAdjustEachChannel)
{
    struct Case {
        uint8_t value, brightness, contrast, result;
    } cases[] = {{0, 128, 128, 0},  {200, 128, 128, 200}, {37, 128, 128, 37}, {200, 128, 0, 128},
                 {10, 100, 0, 100}, {255, 200, 128, 255}, {0, 10, 128, 0},    {100, 128, 64, 114},
                 {27, 128, 64, 78}, {250, 128, 255, 255}};
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayBase::AdjustChannel(c.value, c.brightness, c.contrast), c.result)
            << int(c.value) << " b" << int(c.brightness) << " c" << int(c.contrast);
    }
}

TEST_F(DisplayTest, PaletteChangeFillsTheScreenWithColourSevenAndMarksItDirty)
{
    Open(6, 4);
    display->Flush();
    std::vector<uint8_t> rgb(768, 0);
    rgb[7 * 3] = 255;  // entry 7 red
    display->brightness = 128;
    display->contrast = 128;
    display->SetPalette(0, 256, rgb.data());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(platform->Screen().Pixel(x, y), 0xF800);
        }
    }
    EXPECT_EQ(display->RawPalette()[21], 255);
    ASSERT_EQ(display->DirtyCount(), 1);
    EXPECT_EQ(display->DirtyRect(0), display->FullScreenRect());
    int presents = platform->Presents();
    display->Flush();
    EXPECT_EQ(platform->Presents(), presents + 1) << "presented once, after the repaint";
    EXPECT_EQ(platform->Screen().Pixel(0, 0), display->ColourOf(0));
}

// The raster's side of the palette switch, as the stack sees it.
uint8_t g_currentPalette = NoPaletteId;
std::vector<int> g_selected;
void SelectForTest(uint8_t id)
{
    g_selected.push_back(id);
    g_currentPalette = id;
}

TEST(PaletteStack, PopRestoresThePaletteOfThePushAndIsBoundedAtBothEnds)
{
    ResetPaletteStack();
    InstallPaletteSwitch(PaletteSwitch{&g_currentPalette, SelectForTest});
    g_selected.clear();
    g_currentPalette = 3;

    EXPECT_FALSE(PopPalette()) << "a screen that never showed";
    EXPECT_TRUE(g_selected.empty());
    EXPECT_EQ(g_currentPalette, 3);

    // Nine screens show, each with its own palette 10 + i.
    int refused = 0;
    for (int i = 0; i < 9; ++i) {
        if (!PushPalette()) {
            ++refused;
        }
        g_currentPalette = static_cast<uint8_t>(10 + i);
    }
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(PaletteStackDepth(), PaletteStackSize);
    // They hide in reverse order; the ninth's pop takes nothing from the others.
    for (int i = 8; i >= 0; --i) {
        PopPalette();
    }
    EXPECT_EQ(g_selected, (std::vector<int>{16, 15, 14, 13, 12, 11, 10, 3}));
    EXPECT_EQ(g_currentPalette, 3);
    EXPECT_EQ(PaletteStackDepth(), 0);
    InstallPaletteSwitch(PaletteSwitch{});
}

}  // namespace

// A device without raw frame-buffer access: the screen is reached through
// the game library's display, whose pixel address is only good during a draw.
class GameDisplayTest : public ::testing::Test {
protected:
    bool Start(HeadlessOptions o)
    {
        o.refuseRawAccess = true;
        o.closeAfterSteps = 0;
        platform = &UseHeadlessPlatform(o);
        SetDrawContextFactory(MakeContext);
        return DeviceInit();
    }
    void TearDown() override
    {
        DeviceShutdown();
        PlatformClose();
    }
    HeadlessBackend* platform = nullptr;
};

TEST_F(GameDisplayTest, FlushAndPaletteDrawThroughTheLibraryInEveryModeAndFormat)
{
    struct Case {
        uint16_t format;
        int32_t xs, ys;  // strides of the panel; 0 = plain rows
        const char* what;
    };
    const int w = 21, h = 9;
    const Case cases[] = {{RAW_FORMAT_565, 0, 0, "plain 565"},
                          {RAW_FORMAT_555, 0, 0, "plain 555"},
                          {RAW_FORMAT_565, -2, -2 * w, "upside-down 565"},
                          {RAW_FORMAT_555, 2 * h, -2, "turned 555"}};
    for (const Case& c : cases) {
        for (int m = 0; m < 4; ++m) {
            SCOPED_TRACE(testing::Message() << c.what << ", mode " << m);
            HeadlessOptions o;
            o.settings.screenWidth = w;
            o.settings.screenHeight = h;
            o.format = c.format;
            o.xStride = c.xs;
            o.yStride = c.ys;
            ASSERT_TRUE(Start(o));
            CDisplaySurface* display = GetDisplaySurface();
            ASSERT_NE(display, nullptr);
            EXPECT_TRUE(display->UsesGameDisplay());
            EXPECT_EQ(display->PixelConverter(), c.format == RAW_FORMAT_565
                                                     ? CDisplaySurface::Converter::Rgb565
                                                     : CDisplaySurface::Converter::Rgb555);

            std::vector<uint8_t> rgb(768);
            for (int i = 0; i < 256; ++i) {
                rgb[i * 3] = static_cast<uint8_t>((i & 0x1F) << 3);
                rgb[i * 3 + 1] = static_cast<uint8_t>((i >> 5) << 5);
                rgb[i * 3 + 2] = 0x18;
            }
            display->SetPalette(0, 256, rgb.data());
            EXPECT_FALSE(platform->GameDisplayDrawing()) << "the palette's fill ends its draw";
            EXPECT_EQ(platform->Screen().Pixel(w - 1, h - 1), display->ColourOf(7))
                << "the fill reached the screen";

            ASSERT_TRUE(display->SetMode(display->Mode(m)));
            const SurfaceDesc& back = display->ScreenContext()->Surface();
            for (int y = 0; y < display->Height(); ++y) {
                for (int x = 0; x < display->Width(); ++x)
                    *back.At(x, y) = static_cast<uint8_t>(1 + x + y * 13);
            }
            display->Flush();
            EXPECT_FALSE(platform->GameDisplayDrawing()) << "every blit ends its draw";
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const PackedPoint p = display->MapPoint(PackedPoint(x, y));
                    ASSERT_EQ(platform->Screen().Pixel(x, y), display->ColourOf(*back.At(p.X(), p.Y())))
                        << "at " << x << "," << y;
                }
            }
            DeviceShutdown();
            EXPECT_FALSE(platform->GameDisplayOpen()) << "closing the device closes the library's display";
            PlatformClose();
        }
    }
}

TEST_F(GameDisplayTest, AnUnusableLibraryDisplayFailsTheStartAndIsClosed)
{
    struct Case {
        bool refuseDisplay;
        uint16_t format;
        const char* what;
    };
    const Case cases[] = {{true, RAW_FORMAT_565, "no display at all"},
                          {false, 3, "a pixel format of neither kind"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeadlessOptions o;
        o.refuseDisplay = c.refuseDisplay;
        o.format = c.format;
        EXPECT_FALSE(Start(o));
        EXPECT_FALSE(platform->GameDisplayOpen());
        DeviceShutdown();
        PlatformClose();
    }
}

// The mini-map: the colour of each source pixel, the picture drawn with the
// owners' colours inside its frame, the size taken from the picture, the
// blinking province shared by all mini-maps, and the preview picture's name
// for each screen size.

#include "mapdialogs/mini_map.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/task_mgr.h"
#include "tests/support/windows/game_windows_rig.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

// A colour rule as a window binds one: province i in colour i % 3.
struct ModuloRule {
    void Apply(uint8_t* pixel)
    {
        ++calls;
        *pixel = static_cast<uint8_t>(*pixel % 3);
    }
    int calls = 0;
};

class MiniMapColourTest : public testing::Test {
protected:
    void TearDown() override
    {
        MiniMapColourHook.Clear();
        MiniMapBlinkProvince = 255;
    }
};

TEST_F(MiniMapColourTest, SourcePixelsMapToThePaletteByTheTable)
{
    ModuloRule rule;
    struct Case {
        uint8_t source;
        bool hook;
        uint8_t blink;
        uint8_t expected;
    } cases[] = {
        {0, false, 255, 246},  {7, false, 255, 253},  {12, false, 255, 2},   // no rule: index + 246, wrapping
        {0, true, 255, 246},   {4, true, 255, 247},   {99, true, 255, 246},  // the rule's colour + 246
        {4, true, 4, 15},      {4, false, 4, 15},     {5, true, 4, 248},     // the blinking province only
        {250, true, 255, 253}, {254, true, 255, 254}, {255, true, 255, 255},  // the map's own colours
        {100, true, 255, 100}, {249, true, 255, 249}, {251, true, 255, 251}, {253, true, 100, 253},
    };
    for (const Case& c : cases) {
        if (c.hook) {
            MiniMapColourHook.Bind(&rule, &ModuloRule::Apply);
        } else {
            MiniMapColourHook.Clear();
        }
        MiniMapBlinkProvince = c.blink;
        EXPECT_EQ(MiniMapPixelColour(c.source), c.expected)
            << "source " << int(c.source) << " hook " << c.hook << " blink " << int(c.blink);
    }
}

TEST_F(MiniMapColourTest, AReleasedRuleOnlyGoesWithItsOwnWindow)
{
    ModuloRule first, second;
    MiniMapColourHook.Bind(&first, &ModuloRule::Apply);
    MiniMapColourHook.Bind(&second, &ModuloRule::Apply);
    MiniMapColourHook.Release(&first);
    EXPECT_TRUE(MiniMapColourHook.IsBound()) << "the first window's rule was already replaced";
    MiniMapColourHook.Release(&second);
    EXPECT_FALSE(MiniMapColourHook.IsBound());
    EXPECT_EQ(MiniMapPixelColour(3), 249) << "without a rule the province index is the colour";
}

TEST(MiniMapPreviewPathTest, TheScreenSizeChoosesTheSuffix)
{
    const struct {
        int32_t side;
        const char* path;
    } cases[] = {{320, "/M/preview"}, {481, "/M/previewhi"}, {640, "/M/previewhi"},
                 {480, "/M/preview"}, {199, "/M/preview"},   {198, "/M/previewlo"}};
    for (const auto& c : cases)
        EXPECT_STREQ(MiniMapPreviewPath(CStr("/M"), c.side).Chars(), c.path) << c.side;
}

class MiniMapTest : public GameWindowsRig {
protected:
    void TearDown() override
    {
        MiniMapColourHook.Clear();
        MiniMapBlinkProvince = 255;
        GameWindowsRig::TearDown();
    }
    // Runs the tasks at a moment `ms` after the last one.
    void Advance(uint32_t ms)
    {
        m_headless->AdvanceClock(ms);
        CTaskMgr::Tick();
        CWindowMgr::ProcessEvents();
    }
};

TEST_F(MiniMapTest, ThePictureIsDrawnInOwnerColoursInsideItsFrame)
{
    ModuloRule rule;
    MiniMapColourHook.Bind(&rule, &ModuloRule::Apply);
    CMiniMap map(nullptr, CStr("/Map/MiniMapTest"));
    CWindowMgr::ProcessEvents();
    // A node of size 0 takes the picture's size plus the 2-pixel frame.
    EXPECT_EQ(map.WindowRect(), PackedRect(20, 30, 20 + kPreviewWidth + 3, 30 + kPreviewHeight + 3));
    EXPECT_EQ(map.FrameSkin().LeftWidth(), 2);
    int wrong = 0;
    for (int y = 0; y < kPreviewHeight; ++y) {
        for (int x = 0; x < kPreviewWidth; ++x) {
            const uint8_t source = PreviewPixel(x, y);
            const uint8_t expected = source < 100    ? static_cast<uint8_t>(246 + source % 3)
                                     : source == 250 ? 253
                                                     : source;
            wrong += ScreenPixel(22 + x, 32 + y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(rule.calls, 0);
    // The frame's corners (colours 30.. in the order ul, u, ur, l, r, dl, d, dr).
    EXPECT_EQ(ScreenPixel(20, 30), 30);
    EXPECT_EQ(ScreenPixel(20 + kPreviewWidth + 3, 30), 32);
    EXPECT_EQ(ScreenPixel(20, 30 + kPreviewHeight + 3), 35);
    EXPECT_EQ(ScreenPixel(22, 30), 31);
    Shot("game_windows_minimap");
}

TEST_F(MiniMapTest, TheFrameGoesAroundAPictureCentredInALargerControl)
{
    CMiniMap map(nullptr, CStr("/Map/MiniMapTest"));
    map.SetRect(PackedRect(20, 30, 99, 69), false);
    map.Invalidate();
    CWindowMgr::ProcessEvents();
    // 80 x 40 less the 2-pixel frame leaves 76 x 36; the 24 x 16 picture is
    // centred there at (48, 42), so the frame spans (46, 40) to (73, 59).
    constexpr int kLeft = 46, kTop = 40, kRight = kLeft + kPreviewWidth + 3,
                  kBottom = kTop + kPreviewHeight + 3;
    EXPECT_EQ(ScreenPixel(kLeft, kTop), 30);
    EXPECT_EQ(ScreenPixel(kRight, kTop), 32);
    EXPECT_EQ(ScreenPixel(kLeft, kBottom), 35);
    EXPECT_EQ(ScreenPixel(kRight, kBottom), 37);
    EXPECT_EQ(ScreenPixel(kRight, kTop + 8), 34);
    EXPECT_EQ(ScreenPixel(kLeft + 12, kBottom), 36);
}

TEST_F(MiniMapTest, AColourRuleIsAskedOncePerRepeatedRun)
{
    // Each row holds six runs of four equal province pixels.
    ModuloRule rule;
    MiniMapColourHook.Bind(&rule, &ModuloRule::Apply);
    CMiniMap map(nullptr, CStr("/Map/MiniMapTwin"));
    rule.calls = 0;
    map.Invalidate();
    CWindowMgr::ProcessEvents();
    // Rows 1-14: six fill runs each. The last row is the literal run
    // 254 255 0 0 (two province pixels asked one by one) and five fill runs.
    // The border row has no province pixels.
    EXPECT_EQ(rule.calls, 6 * (kPreviewHeight - 2) + 2 + 5)
        << "a run is mapped once, a literal pixel by pixel";
}

TEST_F(MiniMapTest, AControlWithoutPictureDrawsNothing)
{
    std::vector<uint8_t> before;
    for (int y = 100; y < 130; ++y)
        for (int x = 20; x < 60; ++x)
            before.push_back(ScreenPixel(x, y));
    CMiniMap map(nullptr, CStr("/Map/MiniMapEmpty"));
    map.Invalidate();
    CWindowMgr::ProcessEvents();
    EXPECT_FALSE(map.HasPicture());
    EXPECT_EQ(map.WindowRect(), PackedRect(20, 100, 59, 129));
    int drawn = 0;
    size_t i = 0;
    for (int y = 100; y < 130; ++y)
        for (int x = 20; x < 60; ++x)
            drawn += ScreenPixel(x, y) != before[i++];
    EXPECT_EQ(drawn, 0) << "no frame and no marker either";
}

TEST_F(MiniMapTest, TheBlinkingProvinceAlternatesOnBothMiniMaps)
{
    CMiniMap first(nullptr, CStr("/Map/MiniMapTest"));
    CMiniMap second(nullptr, CStr("/Map/MiniMapTwin"));
    CWindowMgr::ProcessEvents();
    // Province 2 covers columns 8-11 of the picture.
    auto firstColour = [&] { return ScreenPixel(22 + 9, 32 + 5); };
    auto secondColour = [&] { return ScreenPixel(100 + 9, 30 + 5); };
    EXPECT_EQ(firstColour(), 248);
    first.SetBlinkProvince(2);
    Advance(99);
    EXPECT_EQ(MiniMapBlinkProvince, 255) << "nothing before 100 ms";
    Advance(1);
    EXPECT_EQ(MiniMapBlinkProvince, 2);
    second.Invalidate();  // the other map repaints for its own reasons
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(firstColour(), 15);
    EXPECT_EQ(secondColour(), 15) << "one blink byte for all mini-maps";
    EXPECT_EQ(ScreenPixel(22 + 13, 32 + 5), 249) << "the other provinces keep their colour";
    Advance(499);
    EXPECT_EQ(MiniMapBlinkProvince, 2);
    Advance(1);
    EXPECT_EQ(MiniMapBlinkProvince, 255);
    EXPECT_EQ(firstColour(), 248);
    Advance(500);
    EXPECT_EQ(MiniMapBlinkProvince, 2);
    // Stopping leaves the province as the last event left it.
    first.SetBlinkProvince(255);
    EXPECT_EQ(first.BlinkTimer()->Rate(), 0);
    Advance(2000);
    EXPECT_EQ(MiniMapBlinkProvince, 2);
}

TEST_F(MiniMapTest, AHiddenMiniMapDoesNotBlink)
{
    CMiniMap map(nullptr, CStr("/Map/MiniMapTest"));
    map.SetBlinkProvince(1);
    map.Show(false, false);
    Advance(1000);
    EXPECT_EQ(MiniMapBlinkProvince, 255);
    map.Show(true, false);
    Advance(100);
    EXPECT_EQ(MiniMapBlinkProvince, 1);
}

TEST_F(MiniMapTest, AMarkerIsDrawnAtItsPoint)
{
    CMiniMap map(nullptr, CStr("/Map/MiniMapTest"));
    map.SetMarker(PackedPoint(5, 6), true);
    map.Invalidate();
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(ScreenPixel(20 + 5, 30 + 6), 40);
    map.SetMarker(PackedPoint(5, 6), false);
    map.Invalidate();
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(ScreenPixel(20 + 7, 30 + 8), 41);
}

}  // namespace
}  // namespace game_windows_test

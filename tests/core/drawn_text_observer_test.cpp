// The observer of drawn text lines: what the screens' checks rely on, each
// line's rectangle, the area of the window that drew it and the clip in
// force, all in screen coordinates, and only for lines drawn on the screen.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "tests/core/screen_context_fixture.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/text_contrast.h"

namespace {

struct Seen {
    std::string text;
    PackedRect line, window, clip, screen;
};
std::vector<Seen> g_seen;
std::vector<std::optional<DrawnContrast>> g_contrasts;

// The pixels are only the line's own while it is being reported.
void MeasureContrast(const DrawnTextLine& drawn)
{
    g_contrasts.push_back(DrawnTextContrast(drawn, GetDisplaySurface()->RawPalette()));
}

void Record(const DrawnTextLine& drawn)
{
    g_seen.push_back(Seen{std::string(drawn.text, static_cast<size_t>(drawn.length)), drawn.line,
                          drawn.window, drawn.clip, drawn.screen});
}

class DrawnTextObserverTest : public ScreenContextTest {
protected:
    void SetUp() override
    {
        ScreenContextTest::SetUp();
        ASSERT_TRUE(font.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
        g_seen.clear();
        SetDrawnTextObserver(Record);
    }
    void TearDown() override
    {
        SetDrawnTextObserver(nullptr);
        ScreenContextTest::TearDown();
    }

    // Glyphs 'a'.. of 4 columns, 5 rows high.
    std::vector<uint8_t> bytes = MustEncode(EncodeFont(PatternFont(5, 'a', 3, 4, 1)));
    FontData font;
};

TEST_F(DrawnTextObserverTest, LinesAreReportedInScreenCoordinatesWithTheirWindowAndClip)
{
    const PackedRect screen(0, 0, 239, 319);
    const PackedRect window(100, 50, 139, 59);  // a 40 x 10 window
    struct Case {
        const char* what;
        bool attached;
        int x, y;           // where the line is drawn (the context's own coordinates)
        PackedRect pushed;  // a clip pushed first (the context's coordinates), or none
        PackedRect line, reportedWindow, clip;
    } cases[] = {
        {"on the screen itself", false, 10, 20, UndefinedRect, PackedRect(10, 20, 21, 24), screen, screen},
        {"inside a window", true, 2, 2, UndefinedRect, PackedRect(102, 52, 113, 56), window, window},
        {"past the window's right edge", true, 30, 2, UndefinedRect, PackedRect(130, 52, 141, 56), window,
         window},
        {"under a clip of the window", true, 0, 0, PackedRect(0, 0, 5, 9), PackedRect(100, 50, 111, 54),
         window, PackedRect(100, 50, 105, 59)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_seen.clear();
        CDrawContext attached;
        attached.AttachTo(Screen(), window);
        CDrawContext& dc = c.attached ? attached : Screen();
        if (c.pushed.IsDefined())
            dc.PushClip(c.pushed);
        DrawText(dc, c.x, c.y, "abc", 3, 1, 0, true, font);
        ASSERT_EQ(g_seen.size(), 1u);
        EXPECT_EQ(g_seen[0].text, "abc");
        EXPECT_EQ(g_seen[0].line, c.line);
        EXPECT_EQ(g_seen[0].window, c.reportedWindow);
        EXPECT_EQ(g_seen[0].clip, c.clip);
        EXPECT_EQ(g_seen[0].screen, screen);
        if (c.pushed.IsDefined())
            dc.PopClip();
    }
}

TEST_F(DrawnTextObserverTest, LinesNotSeenOnTheScreenAreNotReported)
{
    CDrawContext offScreen;
    ASSERT_TRUE(offScreen.CreateSurface(40, 10));
    DrawText(offScreen, 0, 0, "abc", 3, 1, 0, true, font);
    EXPECT_TRUE(g_seen.empty()) << "drawn off the screen";
    DrawText(Screen(), 0, 400, "abc", 3, 1, 0, true, font);
    EXPECT_TRUE(g_seen.empty()) << "wholly outside the clip";
    SetDrawnTextObserver(nullptr);
    DrawText(Screen(), 0, 0, "abc", 3, 1, 0, true, font);
    EXPECT_TRUE(g_seen.empty()) << "no observer";
}

TEST_F(DrawnTextObserverTest, ContrastIsTheInkAgainstTheColourThatMostTouchesIt)
{
    // black, white, two greys on either side of 4.5:1 on white, brown
    const uint8_t palette[] = {0, 0, 0, 255, 255, 255, 0x77, 0x77, 0x77, 0x76, 0x76, 0x76, 0x70, 0x48, 0x20};
    display->SetPalette(0, 5, palette);
    SetDrawnTextObserver(MeasureContrast);
    const SurfaceDesc& surface = Screen().Surface();
    struct Case {
        const char* what;
        uint8_t ink, ground;
        int stripeRows;  // rows of brown across the top of the ground
        bool transparent;
        uint8_t background;  // the line's own ground when not transparent
        double ratio;
    } cases[] = {
        {"white on black", 1, 0, 0, true, 0, 21.0},
        {"black on white", 0, 1, 0, true, 0, 21.0},
        {"a grey just too light on white", 2, 1, 0, true, 0, 4.48},
        {"a grey just dark enough on white", 3, 1, 0, true, 0, 4.54},
        {"a thin stripe behind part of the line", 0, 1, 2, true, 0, 21.0},
        {"the line's own ground over the screen's", 1, 1, 0, false, 4, 7.96},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                *surface.At(x, y) = y < c.stripeRows ? 4 : c.ground;
        g_contrasts.clear();
        DrawText(Screen(), 1, 1, "abc", 3, c.ink, c.background, c.transparent, font);
        ASSERT_EQ(g_contrasts.size(), 1u);
        ASSERT_TRUE(g_contrasts[0].has_value());
        EXPECT_NEAR(g_contrasts[0]->ratio, c.ratio, 0.01);
    }
}

TEST_F(DrawnTextObserverTest, ContrastIsNotMeasuredWhereNoInkShows)
{
    SetDrawnTextObserver(MeasureContrast);
    const SurfaceDesc& surface = Screen().Surface();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            *surface.At(x, y) = 1;
    g_contrasts.clear();
    DrawText(Screen(), 1, 1, "abc", 3, 1, 0, true, font);
    ASSERT_EQ(g_contrasts.size(), 1u);
    EXPECT_FALSE(g_contrasts[0].has_value()) << "ink on a ground of its own colour";
}

}  // namespace

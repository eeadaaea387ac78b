// The drawing context: clip and origin stacks, contexts attached to other
// contexts, dirty reporting to the display, block copies and the failed
// surface allocation.

#include "core/draw_context.h"

#include <gtest/gtest.h>

#include "core/display_surface.h"
#include "tests/core/screen_context_fixture.h"

namespace {

using DrawContextTest = ScreenContextTest;

TEST_F(DrawContextTest, ClipStackNestsIntersectsAndIsBounded)
{
    CDrawContext& c = Screen();
    EXPECT_EQ(c.CurrentClip(), PackedRect(0, 0, 239, 319));
    ASSERT_TRUE(c.PushClip(PackedRect(0, 0, 99, 99)));
    ASSERT_TRUE(c.PushClip(PackedRect(50, 50, 200, 200)));
    EXPECT_EQ(c.CurrentClip(), PackedRect(50, 50, 99, 99));
    ASSERT_TRUE(c.PushClip(PackedRect(120, 0, 130, 10)));  // disjoint
    EXPECT_FALSE(c.CurrentClip().IsDefined()) << "nothing may be drawn until it is popped";
    EXPECT_FALSE(c.GetClipRect().IsDefined());
    EXPECT_FALSE(c.PushClip(PackedRect(0, 0, 5, 5))) << "a fourth push would leave the stack";
    EXPECT_FALSE(c.PopClip().IsDefined());
    EXPECT_EQ(c.PopClip(), PackedRect(50, 50, 99, 99));
    EXPECT_EQ(c.CurrentClip(), PackedRect(0, 0, 99, 99));
    c.PopClip();
    EXPECT_FALSE(c.PopClip().IsDefined()) << "the base clip is never popped";
    EXPECT_EQ(c.ClipDepth(), 1);
    EXPECT_EQ(c.CurrentClip(), PackedRect(0, 0, 239, 319));
}

TEST_F(DrawContextTest, OriginAppliesToPositionsAndAllowsOnePush)
{
    CDrawContext& c = Screen();
    ASSERT_TRUE(c.PushOrigin(PackedPoint(10, 20)));
    EXPECT_FALSE(c.PushOrigin(PackedPoint(10, 20))) << "beyond the depth limit";
    int32_t x = 5, y = 5;
    c.ApplyOrigin(x, y);
    EXPECT_EQ(x, 15);
    EXPECT_EQ(y, 25);
    EXPECT_EQ(c.PopOrigin(), PackedPoint(10, 20));
    EXPECT_FALSE(c.PopOrigin().IsDefined());
    EXPECT_EQ(c.CurrentOrigin(), PackedPoint(0, 0));
}

TEST_F(DrawContextTest, ChildrenOfTheScreenReportMovedDirtyRectanglesOffScreenRootsNone)
{
    CDrawContext child;
    child.AttachTo(Screen(), PackedRect(100, 50, 149, 99));
    CDrawContext grandChild;
    grandChild.AttachTo(child, PackedRect(10, 10, 19, 19));
    EXPECT_EQ(grandChild.Offset(), PackedPoint(110, 60));
    EXPECT_EQ(grandChild.Root(), &Screen());
    EXPECT_EQ(grandChild.Surface().pixels, Screen().Surface().At(110, 60));

    grandChild.MarkDirty(PackedRect(0, 0, 4, 4));
    ASSERT_EQ(display->DirtyCount(), 1);
    EXPECT_EQ(display->DirtyRect(0), PackedRect(110, 60, 114, 64));

    display->Flush();
    CDrawContext offscreen;
    ASSERT_TRUE(offscreen.CreateSurface(30, 30));
    CDrawContext inOffscreen;
    inOffscreen.AttachTo(offscreen, PackedRect(5, 5, 9, 9));
    offscreen.MarkDirty(PackedRect(0, 0, 9, 9));
    inOffscreen.MarkDirty(PackedRect(0, 0, 2, 2));
    EXPECT_EQ(display->DirtyCount(), 0);
}

TEST_F(DrawContextTest, AttachingKeepsPushedClipsIntersectedWithTheNewBase)
{
    CDrawContext child;
    child.AttachTo(Screen(), PackedRect(0, 0, 99, 99));
    ASSERT_TRUE(child.PushClip(PackedRect(20, 20, 80, 80)));
    child.AttachTo(Screen(), PackedRect(10, 10, 59, 59));
    EXPECT_EQ(child.CurrentClip(), PackedRect(20, 20, 49, 49));
    // Partly outside the screen: the base clip keeps the full size, the area
    // only the visible part, and the effective clip is their intersection.
    CDrawContext edge;
    edge.AttachTo(Screen(), PackedRect(230, 310, 259, 339));
    EXPECT_EQ(edge.CurrentClip(), PackedRect(0, 0, 29, 29));
    EXPECT_EQ(edge.Surface().area, PackedRect(0, 0, 9, 9));
    EXPECT_EQ(edge.GetClipRect(), PackedRect(0, 0, 9, 9));
}

TEST_F(DrawContextTest, CopyClippedOnTheLeftTakesTheMatchingSourceColumns)
{
    CDrawContext source;
    ASSERT_TRUE(source.CreateSurface(10, 2));
    for (int x = 0; x < 10; ++x) {
        *source.Surface().At(x, 0) = static_cast<uint8_t>(100 + x);
        *source.Surface().At(x, 1) = static_cast<uint8_t>(200 + x);
    }
    CDrawContext target;
    ASSERT_TRUE(target.CreateSurface(20, 5));
    std::fill(target.Surface().pixels, target.Surface().pixels + 100, 0);
    ASSERT_TRUE(target.PushClip(PackedRect(5, 0, 19, 4)));
    // Destination starts 3 columns left of the clip.
    target.CopyFrom(PackedRect(2, 1, 11, 2), source, PackedRect(0, 0, 9, 1));
    EXPECT_EQ(*target.Surface().At(4, 1), 0) << "left of the clip stays untouched";
    EXPECT_EQ(*target.Surface().At(5, 1), 103);
    EXPECT_EQ(*target.Surface().At(11, 1), 109);
    EXPECT_EQ(*target.Surface().At(12, 1), 0);
    EXPECT_EQ(*target.Surface().At(5, 2), 203);
}

TEST_F(DrawContextTest, ScrollingCopyWithinOneSurfaceAndDirtyReport)
{
    CDrawContext& s = Screen();
    for (int y = 0; y < 4; ++y) {
        std::fill(s.Surface().At(0, y), s.Surface().At(0, y) + 240, static_cast<uint8_t>(y + 1));
    }
    // Move rows 0..2 down by one: the rows must be copied last-first.
    s.CopyFrom(PackedRect(0, 1, 239, 3), s, PackedRect(0, 0, 239, 2));
    EXPECT_EQ(*s.Surface().At(7, 0), 1);
    EXPECT_EQ(*s.Surface().At(7, 1), 1);
    EXPECT_EQ(*s.Surface().At(7, 2), 2);
    EXPECT_EQ(*s.Surface().At(7, 3), 3);
    ASSERT_EQ(display->DirtyCount(), 1);
    EXPECT_EQ(display->DirtyRect(0), PackedRect(0, 1, 239, 3));
}

// A display whose memory has run out.
class ExhaustedDisplay : public CDisplaySurface {
public:
    bool AllocSurfaceMemory(SurfaceDesc& surface) override
    {
        surface.pixels = nullptr;
        return false;
    }
};

TEST_F(DrawContextTest, FailedAllocationDrawsNothingAndReportsFalse)
{
    ExhaustedDisplay exhausted;
    SetDisplaySurface(&exhausted);
    CDrawContext c;
    EXPECT_FALSE(c.CreateSurface(50, 50));
    EXPECT_FALSE(c.OwnsSurface());
    EXPECT_EQ(c.Surface().pixels, nullptr);
    EXPECT_FALSE(c.Surface().area.IsDefined());
    EXPECT_FALSE(c.GetClipRect().IsDefined()) << "every drawing is clipped away";
    CDrawContext source;
    SetDisplaySurface(display);
    ASSERT_TRUE(source.CreateSurface(10, 10));
    c.CopyFrom(PackedRect(0, 0, 9, 9), source, PackedRect(0, 0, 9, 9));  // must not write through null
    // A zero-sized surface is described, not allocated, and clips everything.
    CDrawContext empty;
    EXPECT_TRUE(empty.CreateSurface(0, 10));
    EXPECT_EQ(empty.Surface().pixels, nullptr);
    EXPECT_FALSE(empty.GetClipRect().IsDefined());
}

}  // namespace

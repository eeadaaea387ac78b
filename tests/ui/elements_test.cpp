// Layout elements: box alignment, spacing attributes, the animation's frame
// sequence; and the pop-up stack window's placement, highlight and choice.
#include "core/task_mgr.h"
#include "tests/ui/ui_pack.h"
#include "ui/layout_box.h"
#include "ui/stack_wnd.h"

namespace {

using ui_test::UiRig;

TEST(AlignedBoxTest, AlignsContentOnEachAxis)
{
    struct Case {
        uint8_t align;
        int16_t outer, own;
        int16_t expected;
    } cases[] = {
        {AlignCentre, 100, 30, 35}, {AlignStart, 100, 30, 0},  {AlignEnd, 100, 30, 70},
        {AlignCentre, 100, 31, 34}, {AlignCentre, 20, 31, -6}, {AlignEnd, 20, 31, -11},
    };
    for (const Case& c : cases) {
        CAlignedBox box(c.outer, c.outer, c.align, c.align, c.own, c.own);
        EXPECT_EQ(box.Position(), PackedPoint(c.expected, c.expected)) << int(c.align) << " " << c.own;
        EXPECT_EQ(box.GetRect(),
                  PackedRect(c.expected, c.expected, c.expected + c.own - 1, c.expected + c.own - 1));
    }
    // Unknown content keeps whatever position the box had.
    CAlignedBox box(100, 100, AlignCentre, AlignCentre, 30, 30);
    box.SetOwnSize(kUnknownSize, kUnknownSize);
    box.SetAlign(AlignEnd, AlignEnd);
    EXPECT_EQ(box.Position(), PackedPoint(35, 35));
    // Alignment values other than 1 to 3 leave the coordinate alone.
    box.SetAlign(0, 7);
    box.SetOwnSize(10, 10);
    EXPECT_EQ(box.Position(), PackedPoint(35, 35));
}

TEST(ImageElementTest, SpacingAttributesGrowTheContainer)
{
    CImageElement element("", 40, 30);
    EXPECT_TRUE(element.SetAttribute("HSPACE", "4"));
    EXPECT_EQ(element.OuterWidth(), 48);
    EXPECT_TRUE(element.SetAttribute("vspace", "3"));
    EXPECT_EQ(element.OuterHeight(), 36);
    EXPECT_FALSE(element.SetAttribute("align", "left"));
    EXPECT_FALSE(element.SetImage("", true)) << "an empty name changes nothing";
}

class AnimElementTest : public UiRig {};

TEST_F(AnimElementTest, FramesLoopBackOrStopOnTheLast)
{
    struct Case {
        uint8_t loopBack;
        std::vector<int> frames;
        bool paused;
        int finished;
    } cases[] = {
        {2, {1, 2, 3, 4, 2, 3, 4, 2}, false, 0},
        {255, {1, 2, 3, 4, 4}, true, 1},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = ui_test::Ani(5, c.loopBack);
        AnimData anim;
        ASSERT_TRUE(anim.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
        CAnimElement element(anim, kUnknownSize, kUnknownSize);
        struct Counter {
            void Finished(CAlignedBox*) { ++finished; }
            void Frame(CAlignedBox*) { ++frames; }
            int finished = 0, frames = 0;
        } counter;
        element.BindFinishedHandler(&counter, &Counter::Finished);
        element.BindFrameHandler(&counter, &Counter::Frame);
        EXPECT_EQ(element.OwnWidth(), 6);
        EXPECT_FALSE(element.IsRunning()) << "stopped after construction";
        element.Start();
        EXPECT_TRUE(element.IsRunning());
        std::vector<int> seen;
        // Frames advance through the task tick on the virtual clock, at 10 a second.
        for (size_t i = 0; i < c.frames.size(); ++i) {
            m_headless->AdvanceClock(100);
            CTaskMgr::Tick();
            seen.push_back(element.CurrentFrame());
        }
        EXPECT_EQ(seen, c.frames) << int(c.loopBack);
        EXPECT_EQ(element.IsPaused(), c.paused);
        EXPECT_EQ(counter.finished, c.finished);
        // Stop rewinds and tells the frame handler.
        const int before = counter.frames;
        element.Stop();
        EXPECT_EQ(element.CurrentFrame(), 0);
        EXPECT_FALSE(element.IsRunning());
        EXPECT_EQ(counter.frames, before + 1);
    }
}

TEST_F(AnimElementTest, LoadingANewAnimationKeepsAPlayingElementPlaying)
{
    std::vector<uint8_t> first = ui_test::Ani(3, 0), second = ui_test::Ani(4, 0, 9, 5);
    AnimData a, b;
    ASSERT_TRUE(a.Assign(first.data(), static_cast<uint32_t>(first.size())));
    ASSERT_TRUE(b.Assign(second.data(), static_cast<uint32_t>(second.size())));
    CAnimElement element(a, kUnknownSize, kUnknownSize);
    element.Start();
    m_headless->AdvanceClock(100);
    CTaskMgr::Tick();
    ASSERT_EQ(element.CurrentFrame(), 1);
    EXPECT_TRUE(element.LoadData(b, true));
    EXPECT_EQ(element.CurrentFrame(), 0);
    EXPECT_TRUE(element.IsRunning());
    EXPECT_EQ(element.OwnWidth(), 9);
}

// A list of fixed-size items; draws nothing.
class TestStack : public CStackWnd {
public:
    using CStackWnd::CStackWnd;
    void DrawBackground(const PackedRect&) override {}
    PackedRect ItemMargins() override { return PackedRect(2, 3, 2, 3); }
    CDrawContext* ItemContext() override { return nullptr; }
};

class TestItem : public CStackItem {
public:
    TestItem(CStackWnd* owner, int16_t w, int16_t h, std::vector<int>* chosen, int id)
        : CStackItem(owner), w(w), h(h), chosen(chosen), id(id)
    {}
    int16_t Width() override { return w; }
    int16_t Height() override { return h; }
    void Choose() override { chosen->push_back(id); }
    void Draw(CDrawContext&, const PackedRect&) override {}
    int16_t w, h;
    std::vector<int>* chosen;
    int id;
};

class StackWndTest : public UiRig {};

TEST_F(StackWndTest, OpensBesideThePointWhereThereIsRoom)
{
    struct Case {
        int16_t itemWidth;
        PackedPoint at;
        int16_t left;
    } cases[] = {
        {46, {10, 10}, 10},    // room to the right
        {46, {230, 10}, 181},  // opens to the left of the point
        {226, {100, 10}, 0},   // room on neither side: the left edge
    };
    for (const Case& c : cases) {
        std::vector<int> chosen;
        TestStack stack(nullptr);
        new TestItem(&stack, c.itemWidth, 10, &chosen, 1);
        new TestItem(&stack, 20, 12, &chosen, 2);
        stack.Popup(c.at);
        EXPECT_EQ(stack.Width(), c.itemWidth + 4);
        EXPECT_EQ(stack.Height(), 28);
        EXPECT_EQ(stack.WindowRect().Left(), c.left) << c.at.X();
        EXPECT_TRUE(stack.IsVisible());
        EXPECT_EQ(CWindowMgr::CaptureAt(0), &stack);
        stack.Close();
        EXPECT_EQ(CWindowMgr::CaptureCount(), 0);
    }
}

TEST_F(StackWndTest, TheItemUnderThePenAtPenUpIsChosen)
{
    std::vector<int> chosen;
    TestStack stack(nullptr);
    new TestItem(&stack, 40, 10, &chosen, 1);
    TestItem* disabled = new TestItem(&stack, 40, 10, &chosen, 2);
    new TestItem(&stack, 40, 10, &chosen, 3);
    disabled->SetEnabled(false, false);
    stack.Popup(PackedPoint(20, 20));
    CWindowMgr::ProcessEvents();
    // Screen points: the list sits at (20, 20); items start 3 pixels down.
    PenDownSignal.FirePoint(PackedPoint(30, 25));  // item 1
    PenMoveSignal.FirePoint(PackedPoint(30, 35));  // the disabled item: no highlight
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(stack.Highlighted(), nullptr);
    PenMoveSignal.FirePoint(PackedPoint(30, 45));  // item 3
    PenUpSignal.FirePoint(PackedPoint(30, 45));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(chosen, (std::vector<int>{3}));
    EXPECT_FALSE(stack.IsVisible());

    // A tap outside every enabled item closes the list without a choice.
    stack.Popup(PackedPoint(20, 20));
    PenDownSignal.FirePoint(PackedPoint(200, 300));
    PenUpSignal.FirePoint(PackedPoint(200, 300));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(chosen, (std::vector<int>{3}));
    EXPECT_FALSE(stack.IsVisible());
    EXPECT_EQ(CWindowMgr::CaptureCount(), 0);
}

}  // namespace

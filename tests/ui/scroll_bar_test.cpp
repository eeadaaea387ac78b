// The scroll bar: a vertical bar 16 wide and 200 high at (20, 40) with step
// buttons 16 x 16 at both ends (track 168 long, from 16 to 183), a thumb
// whose length follows the page, ticks 4 high.
#include "ui/scroll_bar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/screen/controls_rig.h"

namespace {

using controls_test::ControlsRig;

class Listener {
public:
    void Scrolled(CScrollBar* bar) { positions.push_back(bar->Pos()); }
    void Ended(CScrollBar*) { ++ended; }
    std::vector<int32_t> positions;
    int ended = 0;
};

class ScrollBarTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        for (const char* name : {"Btn_UU", "Btn_U", "Btn_D", "Btn_DD"}) {
            controls_test::AddFixedButtonSkin(pack, std::string("sb/") + name, 16, 16, 3);
        }
        controls_test::AddColumnButtonSkin(pack, "sb/Btn_Vert", 16, 4);
        for (const char* name : {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR"}) {
            controls_test::AddFixedButtonSkin(pack, std::string("sbh/") + name, 16, 16, 3);
        }
        controls_test::AddButtonSkin(pack, "sbh/Btn_Horz", 8, 16, 4);
        ASSERT_TRUE(pack.AddFile("Skin/sb/client_v", "img", controls_test::Picture(16, 8, 5)));
        ASSERT_TRUE(pack.AddFile("Skin/sb/tick_v", "img", controls_test::Picture(16, 4, 6)));
        // skin, orientation, button mode, ticks, min, max, step, page
        Mount({{0, "Main", {}},
               {1, "Bar", {1, 0, 20, 40, 30, 200, "sb", 2, 2, 0, 0, 100, 5, 0}},
               {1, "Ticks", {1, 0, 60, 40, 30, 200, "sb", 2, 2, 1, 0, 4, 1, 1}},
               {1, "Bare", {1, 0, 100, 40, 30, 200, "sb", 0, 0, 0, 0, 10, 1, 0}},
               {1, "Horz", {1, 0, 20, 280, 200, 30, "sbh", 1, 3, 0, 0, 10, 1, 2}}},
              "k=v\r\n");
    }
    std::unique_ptr<CScrollBar> Make(const char* path)
    {
        auto bar = std::make_unique<CScrollBar>(Root(), CStr(path), true);
        bar->scrolled.Bind(&listener, &Listener::Scrolled);
        bar->scrollEnded.Bind(&listener, &Listener::Ended);
        return bar;
    }
    Listener listener;
};

TEST_F(ScrollBarTest, LayoutFromTheNode)
{
    auto bar = Make("/Main/Bar");
    EXPECT_EQ(bar->Window()->Width(), 16);  // the thumb's thickness
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Step(), 5);
    EXPECT_EQ(bar->Track().Top(), 16);
    EXPECT_EQ(bar->Track().Bottom(), 183);
    EXPECT_TRUE(bar->BackButton()->IsVisible());
    EXPECT_FALSE(bar->FirstButton()->IsVisible());
    EXPECT_EQ(bar->ForwardButton()->WindowRect().Top(), 184);
    // Page 0: a quarter of the track, at its near edge.
    EXPECT_EQ(bar->Thumb()->Height(), 42);
    EXPECT_EQ(bar->Thumb()->WindowRect().Top(), 16);
    // Without an orientation nothing is laid out.
    auto bare = Make("/Main/Bare");
    EXPECT_EQ(bare->Orientation(), ScrollUnset);
    EXPECT_FALSE(bare->Track().IsDefined());
}

TEST_F(ScrollBarTest, PositionsClampAndNotify)
{
    auto bar = Make("/Main/Bar");
    bar->SetPos(50, false, true);
    EXPECT_EQ(bar->Thumb()->WindowRect().Top(), 16 + 50 * (168 - 42) / 100);
    bar->SetPos(500, false, true);
    EXPECT_EQ(bar->Pos(), 100);
    EXPECT_EQ(bar->Thumb()->WindowRect().Bottom(), 183);
    bar->SetPos(-5, false, true);
    EXPECT_EQ(bar->Pos(), 0);
    EXPECT_EQ(listener.positions, (std::vector<int32_t>{50, 100, 0}));
    // SetMax moves the position in without notifying; the next SetPos of the
    // same value notifies, as it differs from the last notified one.
    bar->SetPos(80, false, true);
    bar->SetMax(60, false);
    EXPECT_EQ(bar->Pos(), 60);
    EXPECT_EQ(listener.positions.back(), 80);
    bar->SetPos(60, false, true);
    EXPECT_EQ(listener.positions.back(), 60);
    // min above max: max wins.
    bar->SetMin(70, false);
    bar->SetPos(65, false, false);
    EXPECT_EQ(bar->Pos(), 60);
    // min = max with a page: the thumb fills the track.
    bar->SetMin(60, false);
    bar->SetPage(10, false);
    EXPECT_EQ(bar->Thumb()->WindowRect().Top(), 16);
    EXPECT_EQ(bar->Thumb()->Height(), 168);
}

TEST_F(ScrollBarTest, HeldStepButtonAccelerates)
{
    auto bar = Make("/Main/Bar");
    bar->SetMax(1000, false);
    RunClock(200);
    PenDown(20 + 8, 40 + 190);  // the forward button
    RunClock(833 + 125 * 12 + 1);
    PenUp(20 + 8, 40 + 190);
    // 1 step, pause, then 12 more: six of 5 and six of 10 after the first six.
    std::vector<int32_t> deltas;
    int32_t last = 0;
    for (int32_t p : listener.positions) {
        deltas.push_back(p - last);
        last = p;
    }
    ASSERT_EQ(deltas.size(), 14u);
    for (size_t i = 0; i < deltas.size(); ++i)
        EXPECT_EQ(deltas[i], 5 * static_cast<int32_t>(i / 6 + 1)) << i;
    EXPECT_EQ(listener.ended, 14);
    const int32_t held = bar->Pos();
    RunClock(1000);
    EXPECT_EQ(bar->Pos(), held);
}

TEST_F(ScrollBarTest, DraggingTheThumbAndSnappingToTicks)
{
    auto bar = Make("/Main/Bar");
    // Drag the thumb 63 pixels down: half the free travel of 126.
    PenDown(28, 40 + 20);
    PenMove(28, 40 + 20 + 63);
    EXPECT_EQ(bar->Pos(), 50);
    EXPECT_EQ(bar->Thumb()->WindowRect().Top(), 16 + 63);
    // Far past the end: the thumb stops at the track's end.
    PenMove(28, 40 + 400);
    EXPECT_EQ(bar->Pos(), 100);
    EXPECT_EQ(bar->Thumb()->WindowRect().Bottom(), 183);
    PenMove(28, 40 + 20 + 10);
    const int32_t top = bar->Thumb()->WindowRect().Top();
    PenUp(28, 40 + 20 + 10);
    EXPECT_EQ(bar->Thumb()->WindowRect().Top(), top);  // ticks off: it stays
    EXPECT_EQ(listener.ended, 1);

    // With ticks: range 0..4, page 1 (thumb 168 / 5 = 33 long, travel 135).
    auto ticks = Make("/Main/Ticks");
    std::vector<int32_t> places;
    ticks->TickPlaces(places);
    EXPECT_EQ(places, (std::vector<int32_t>{16, 49, 83, 117, 151}));
    PenDown(68, 40 + 20);
    PenMove(68, 40 + 20 + 40);  // 40 of 135: position round(1.18) = 1
    EXPECT_EQ(ticks->Pos(), 1);
    EXPECT_EQ(ticks->Thumb()->WindowRect().Top(), 16 + 40);
    PenUp(68, 40 + 20 + 40);
    EXPECT_EQ(ticks->Thumb()->WindowRect().Top(), 16 + 33);  // snapped
}

// A horizontal bar with both pairs of buttons: first, back | track | forward, last.
TEST_F(ScrollBarTest, HorizontalBarWithEndButtons)
{
    auto bar = Make("/Main/Horz");
    EXPECT_EQ(bar->Window()->Height(), 16);
    EXPECT_EQ(bar->FirstButton()->WindowRect().Left(), 0);
    EXPECT_EQ(bar->BackButton()->WindowRect().Left(), 16);
    EXPECT_EQ(bar->ForwardButton()->WindowRect().Left(), 200 - 32);
    EXPECT_EQ(bar->LastButton()->WindowRect().Left(), 200 - 16);
    EXPECT_EQ(bar->Track().Left(), 32);
    EXPECT_EQ(bar->Track().Right(), 167);
    // Page 2 of a range of 10: 136 × 2 / 12.
    EXPECT_EQ(bar->Thumb()->Width(), 22);
    Tap(20 + 200 - 8, 288);  // the last button
    EXPECT_EQ(bar->Pos(), 10);
    EXPECT_EQ(bar->Thumb()->WindowRect().Right(), 167);
    Tap(20 + 8, 288);  // the first button
    EXPECT_EQ(bar->Pos(), 0);
    EXPECT_EQ(bar->Thumb()->WindowRect().Left(), 32);
    EXPECT_EQ(listener.positions, (std::vector<int32_t>{10, 0}));
    EXPECT_EQ(listener.ended, 2);
    // Hiding the end buttons gives their room to the track.
    bar->SetButtonMode(ScrollStepButtons, false);
    EXPECT_FALSE(bar->FirstButton()->IsVisible());
    EXPECT_EQ(bar->Track().Left(), 16);
    EXPECT_EQ(bar->Track().Right(), 183);
}

// A long range with a small page (the market's: a twentieth of what can be
// traded) works out a thumb of a few pixels. Drawn that short, the thumb is
// a sliver of its skin's ends, which beside the end buttons reads as no
// thumb at all: it keeps at least its two ends and one middle tile, at both
// ends of its range.
TEST_F(ScrollBarTest, AThumbKeepsItsSkinsWholeLookOnALongRange)
{
    auto bar = Make("/Main/Horz");    // track 32..167, thumb ends 4 + 4
    auto column = Make("/Main/Bar");  // track 16..183, thumb ends 2 + 2
    const struct {
        int32_t max, page;
    } kRanges[] = {{39, 1}, {392, 19}, {100000, 5000}, {32767, 1}};
    for (const auto& r : kRanges) {
        for (CScrollBar* b : {bar.get(), column.get()}) {
            SCOPED_TRACE(testing::Message()
                         << "max " << r.max << " page " << r.page << (b == bar.get() ? " across" : " down"));
            const bool across = b == bar.get();
            const int32_t shortest = across ? 9 : 5;
            b->SetMin(0, false);
            b->SetMax(r.max, false);
            b->SetPage(r.page, false);
            auto nearEdge = [&] {
                return across ? b->Thumb()->WindowRect().Left() : b->Thumb()->WindowRect().Top();
            };
            auto farEdge = [&] {
                return across ? b->Thumb()->WindowRect().Right() : b->Thumb()->WindowRect().Bottom();
            };
            b->SetPos(0, false, false);
            EXPECT_GE(farEdge() - nearEdge() + 1, shortest);
            EXPECT_EQ(nearEdge(), across ? 32 : 16);
            b->SetPos(r.max, false, false);
            EXPECT_GE(farEdge() - nearEdge() + 1, shortest);
            EXPECT_EQ(farEdge(), across ? 167 : 183);
        }
    }
}

TEST_F(ScrollBarTest, TapOnTheTrackCentresTheThumbThere)
{
    auto bar = Make("/Main/Bar");
    PenDown(28, 40 + 150);
    // The thumb (42 long, centre = (top + bottom) / 2 = top + 20) is centred
    // on 150 and the pen now drags it.
    EXPECT_EQ(bar->Thumb()->WindowRect().Top(), 150 - 20);
    EXPECT_TRUE(bar->Thumb()->HasFlag(WndPenPressed));
    PenMove(28, 40 + 160);
    EXPECT_EQ(bar->Thumb()->WindowRect().Top(), 150 - 20 + 10);
    PenUp(28, 40 + 160);
    EXPECT_EQ(listener.ended, 1);
}

}  // namespace

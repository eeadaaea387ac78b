// The value scroller: limits, end buttons, held repeats and the layout of
// its parts. Buttons are 20 x 20; the control is 200 wide at (10, 10).
#include "ui/value_scroller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/screen/controls_rig.h"

namespace {

using controls_test::ControlsRig;

class Listener {
public:
    void Changed(CValueScroller* scroller) { changes.push_back(scroller->Value()); }
    void Stepped(CValueScroller*, int32_t amount) { steps.push_back(amount); }
    std::vector<int32_t> changes;
    std::vector<int32_t> steps;
};

class ValueScrollerTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        for (const char* name : {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR"}) {
            controls_test::AddFixedButtonSkin(pack, std::string("ValueScroller/") + name, 20, 20, 3);
        }
        Mount({{0, "Main", {}},
               {1, "Scr", {1, 0, 10, 10, 200, 30, "%d of %d", 1, 1, 1, 1, 1}},
               {1, "NoFwd", {1, 0, 10, 50, 200, 30, "", 1, 1, 1, 0, 1}},
               {1, "Plain", {1, 0, 10, 90, 200, 30, "", 1, 1, 1, 1, 1}}},
              "k=v\r\n");
    }
    std::unique_ptr<CValueScroller> Make(const char* path)
    {
        auto scroller = std::make_unique<CValueScroller>(Root(), CStr(path), true);
        scroller->valueChanged.Bind(&listener, &Listener::Changed);
        scroller->stepped.Bind(&listener, &Listener::Stepped);
        return scroller;
    }
    Listener listener;
};

TEST_F(ValueScrollerTest, PartsAreLaidOutAroundTheLabel)
{
    auto scroller = Make("/Main/Scr");
    CWindow* window = scroller->Window();
    // The control is as high as its buttons.
    EXPECT_EQ(window->Height(), 20);
    EXPECT_EQ(scroller->FirstButton()->WindowRect().Left(), 0);
    EXPECT_EQ(scroller->BackButton()->WindowRect().Left(), 20);
    EXPECT_EQ(scroller->ForwardButton()->WindowRect().Left(), 160);
    EXPECT_EQ(scroller->LastButton()->WindowRect().Left(), 180);
    EXPECT_EQ(scroller->ValueLabel()->WindowRect().Left(), 40);
    EXPECT_EQ(scroller->ValueLabel()->WindowRect().Right(), 159);
    // Without the forward button the label reaches the last button.
    auto noForward = Make("/Main/NoFwd");
    EXPECT_FALSE(noForward->ForwardButton()->IsVisible());
    EXPECT_EQ(noForward->ValueLabel()->WindowRect().Right(), 179);
}

TEST_F(ValueScrollerTest, ValueTextAndEndButtons)
{
    auto plain = Make("/Main/Plain");
    EXPECT_EQ(plain->Value(), 0);
    EXPECT_STREQ(plain->ValueLabel()->Text().Chars(), "");  // empty format

    auto scroller = Make("/Main/Scr");
    scroller->SetMax(10, false);
    scroller->SetValue(4, false, true);
    EXPECT_STREQ(scroller->ValueLabel()->Text().Chars(), "4 of 10");
    for (CTextButton* b : {scroller->FirstButton(), scroller->BackButton(), scroller->ForwardButton(),
                           scroller->LastButton()}) {
        EXPECT_TRUE(b->IsEnabled());
    }
    scroller->SetValue(0, false, true);
    EXPECT_FALSE(scroller->FirstButton()->IsEnabled());
    EXPECT_FALSE(scroller->BackButton()->IsEnabled());
    EXPECT_TRUE(scroller->ForwardButton()->IsEnabled());
    scroller->SetValue(10, false, true);
    EXPECT_TRUE(scroller->FirstButton()->IsEnabled());
    EXPECT_FALSE(scroller->ForwardButton()->IsEnabled());
    EXPECT_FALSE(scroller->LastButton()->IsEnabled());
    // A value above max is stored as given; the upper buttons keep their state.
    scroller->SetValue(15, false, true);
    EXPECT_EQ(scroller->Value(), 15);
    EXPECT_FALSE(scroller->ForwardButton()->IsEnabled());
    EXPECT_STREQ(scroller->ValueLabel()->Text().Chars(), "15 of 10");
    // SetMax brings it back without telling the listener.
    listener.changes.clear();
    scroller->SetMax(12, false);
    EXPECT_EQ(scroller->Value(), 12);
    EXPECT_TRUE(listener.changes.empty());
    // min = max disables all four.
    scroller->SetMin(12, false);
    for (CTextButton* b : {scroller->FirstButton(), scroller->BackButton(), scroller->ForwardButton(),
                           scroller->LastButton()}) {
        EXPECT_FALSE(b->IsEnabled());
    }
}

TEST_F(ValueScrollerTest, EndButtonsJumpAndReportTheirAmount)
{
    auto scroller = Make("/Main/Scr");
    scroller->SetMax(50, false);
    scroller->SetValue(20, false, false);
    Tap(10 + 190, 15);  // the last button
    EXPECT_EQ(scroller->Value(), 50);
    Tap(10 + 5, 15);  // the first button
    EXPECT_EQ(scroller->Value(), 0);
    EXPECT_EQ(listener.steps, (std::vector<int32_t>{30, -50}));
    EXPECT_EQ(listener.changes, (std::vector<int32_t>{50, 0}));
    // At min the first button is disabled; a click by code still reports 0.
    scroller->FirstButton()->Enable(true, false);
    Tap(10 + 5, 15);
    EXPECT_EQ(listener.steps.back(), 0);
}

TEST_F(ValueScrollerTest, HeldButtonRepeatsFasterAndStopsAtMax)
{
    auto scroller = Make("/Main/Scr");
    scroller->SetMax(100, false);
    RunClock(200);          // the timer's previous event is long past
    PenDown(10 + 170, 15);  // the forward button
    ASSERT_TRUE(scroller->ForwardButton()->IsDrawnDown());
    std::vector<uint32_t> times;
    std::vector<int32_t> values;
    int32_t last = scroller->Value();
    for (uint32_t t = 1; t <= 6000 && !scroller->RepeatTimer()->suspended; ++t) {
        RunClock(1);
        if (scroller->Value() != last) {
            times.push_back(t);
            values.push_back(scroller->Value() - last);
            last = scroller->Value();
        }
    }
    ASSERT_GE(times.size(), 14u);
    EXPECT_EQ(times[0], 1u);  // 66 ms have long passed: the next tick
    EXPECT_EQ(times[1] - times[0], 833u);
    for (size_t i = 2; i + 1 < times.size(); ++i)
        EXPECT_EQ(times[i] - times[i - 1], 125u) << i;
    // One unit for six steps, two for the next six, and so on.
    for (size_t i = 0; i + 1 < values.size(); ++i)
        EXPECT_EQ(values[i], static_cast<int32_t>(i / 6 + 1)) << i;
    EXPECT_EQ(scroller->Value(), 100);
    EXPECT_TRUE(scroller->RepeatTimer()->suspended);
    EXPECT_EQ(listener.steps, values);
    PenUp(10 + 170, 15);
    EXPECT_EQ(scroller->Direction(), ScrollerIdle);
}

TEST_F(ValueScrollerTest, WithoutAccelerationEveryStepIsOne)
{
    auto scroller = Make("/Main/Scr");
    scroller->flags &= ~ScrollerAccelerate;
    scroller->SetMax(30, false);
    scroller->SetValue(30, false, false);
    RunClock(200);
    PenDown(10 + 25, 15);  // the back button
    RunClock(3000);
    PenUp(10 + 25, 15);
    ASSERT_FALSE(listener.steps.empty());
    for (int32_t step : listener.steps)
        EXPECT_EQ(step, -1);
    EXPECT_EQ(scroller->Value(), 30 - static_cast<int32_t>(listener.steps.size()));
    // Released: the value stays.
    const int32_t held = scroller->Value();
    RunClock(2000);
    EXPECT_EQ(scroller->Value(), held);
}

}  // namespace

// The taxes window: the scroller picks a level, the texts follow it, and
// OK/Cancel answer through the request.
#include "mapdialogs/taxes_wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/mapdialogs/operation_windows_rig.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"

namespace {

using operation_windows_test::OperationWindowsRig;

class TaxesWndTest : public OperationWindowsRig {
protected:
    std::unique_ptr<CTaxesWnd> Make(TaxesRequest& record)
    {
        auto wnd = std::make_unique<CTaxesWnd>(Root(), CStr("TaxesWnd"), true);
        wnd->Setup(&record);
        return wnd;
    }
    static std::string Shown(const CTaxesWnd& wnd)
    {
        return wnd.TaxRateScroller()->ValueLabel()->Text().Chars();
    }
};

TEST_F(TaxesWndTest, EachLevelShowsItsPercentIncomeAndMood)
{
    struct Case {
        int32_t level, base;
        const char *percent, *income, *mood;
    };
    const Case cases[] = {
        {0, 250, "40%", "Income 100", "Mood +9"},   {1, 250, "70%", "Income 175", "Mood +3"},
        {2, 250, "100%", "Income 250", "Mood +0"},  {3, 250, "130%", "Income 325", "Mood -10"},
        {1, 7, "70%", "Income 4", "Mood +3"},  // 4.9 truncates
        {3, -10, "130%", "Income -13", "Mood -10"},
    };
    for (const Case& c : cases) {
        TaxesRequest record;
        record.taxLevel = c.level;
        record.incomeBase = c.base;
        auto wnd = Make(record);
        SCOPED_TRACE(c.level);
        EXPECT_EQ(wnd->TaxRateScroller()->Value(), c.level);
        EXPECT_EQ(Shown(*wnd), c.percent);
        EXPECT_STREQ(wnd->TotalIncomeText()->Text().Chars(), c.income);
        EXPECT_STREQ(wnd->SatisfactionText()->Text().Chars(), c.mood);
        EXPECT_EQ(record.taxLevel, c.level);
    }
}

TEST_F(TaxesWndTest, TheArrowsWalkTheLevelsAndStopAtTheEnds)
{
    TaxesRequest record;
    record.taxLevel = 0;
    record.incomeBase = 100;
    auto wnd = Make(record);
    Open(wnd.get());
    CValueScroller* scroller = wnd->TaxRateScroller();
    std::vector<std::string> seen{Shown(*wnd)};
    for (int i = 0; i < 4; ++i) {
        if (!scroller->ForwardButton()->IsEnabled())
            break;
        StepScroller(scroller, true);
        seen.push_back(Shown(*wnd));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"40%", "70%", "100%", "130%"}));
    EXPECT_EQ(record.taxLevel, 3);
    EXPECT_FALSE(scroller->ForwardButton()->IsEnabled());
    EXPECT_STREQ(wnd->TotalIncomeText()->Text().Chars(), "Income 130");
    // Back down one step and to the first level with the end button.
    StepScroller(scroller, false);
    EXPECT_EQ(record.taxLevel, 2);
    TapWindow(scroller->FirstButton());
    EXPECT_EQ(record.taxLevel, 0);
    EXPECT_EQ(Shown(*wnd), "40%");
    EXPECT_FALSE(scroller->BackButton()->IsEnabled());
}

TEST_F(TaxesWndTest, OkAndCancelAnswerThroughTheRecord)
{
    struct Case {
        bool ok;
        uint16_t result;
        uint8_t confirmed;
    };
    for (const Case c : {Case{true, ResultOk, 1}, Case{false, ResultCancel, 0}}) {
        TaxesRequest record;
        record.taxLevel = 2;
        record.incomeBase = 50;
        record.confirmed = c.ok ? 0 : 1;  // the window must write it either way
        auto wnd = Make(record);
        controls_test::StepScript* script = Script();
        // Raise the level to 3 with the last button, then answer.
        script->At(2, [&] { TapWindow(wnd->TaxRateScroller()->LastButton()); });
        script->At(4,
                   [&] { TapWindow(c.ok ? static_cast<CWindow*>(wnd->OkButton()) : wnd->CancelButton()); });
        const uint16_t result = RunModal(wnd.get());
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(record.confirmed, c.confirmed);
        // Cancel too leaves the last level shown in the record.
        EXPECT_EQ(record.taxLevel, 3);
        EXPECT_FALSE(wnd->IsVisible());
    }
}

}  // namespace

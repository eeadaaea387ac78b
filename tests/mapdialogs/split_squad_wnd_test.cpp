// The split squad window: the slider's range and start, the two counts the
// text shows as the slider moves, and what OK and Cancel hand back.
#include <gtest/gtest.h>

#include "mapdialogs/split_squad_wnd.h"
#include "tests/mapdialogs/battle_dialogs_rig.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/scroll_bar.h"

namespace {

using battle_dialogs_test::BattleDialogsRig;
using battle_dialogs_test::StepScript;

class SplitSquadWndTest : public BattleDialogsRig {
protected:
    CSplitSquadWnd* Make(uint32_t size, uint32_t proposed)
    {
        auto* wnd = new CSplitSquadWnd(Root(), CStr(CSplitSquadWnd::kLayoutPath));
        wnd->size = size;
        wnd->chosen = proposed;
        return wnd;
    }
};

TEST_F(SplitSquadWndTest, StartsAtTheProposalPulledIntoOneToSize)
{
    struct Case {
        uint32_t size, proposed, chosen;
        const char* text;
    };
    // The size is what may leave (the squad keeps at least one unit), so the
    // squad that stays has size - chosen + 1 units.
    const Case cases[] = {
        {9, 5, 5, "5 stay, 5 leave"}, {9, 0, 1, "9 stay, 1 leave"}, {9, 20, 9, "1 stay, 9 leave"},
        {1, 1, 1, "1 stay, 1 leave"}, {4, 1, 1, "4 stay, 1 leave"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CSplitSquadWnd* wnd = Make(c.size, c.proposed);
        StepScript* script = Script();
        TapAt(script, 2, [wnd] { return wnd->OkButton(); });
        EXPECT_EQ(RunModal(wnd), ResultOk);
        EXPECT_EQ(wnd->Slider()->Min(), 1);
        EXPECT_EQ(wnd->Slider()->Max(), static_cast<int32_t>(c.size));
        EXPECT_EQ(wnd->chosen, c.chosen);
        EXPECT_EQ(wnd->SplitText()->Text(), CStr(c.text));
        delete wnd;
    }
}

TEST_F(SplitSquadWndTest, TheTextFollowsTheSliderAndOkTakesItsPosition)
{
    CSplitSquadWnd* wnd = Make(11, 6);
    StepScript* script = Script();
    std::vector<std::string> texts;
    auto note = [&] { texts.push_back(wnd->SplitText()->Text().Chars()); };
    script->At(2, note);
    TapAt(script, 3, [wnd] { return wnd->Slider()->LastButton(); });
    script->At(4, note);
    TapAt(script, 5, [wnd] { return wnd->Slider()->FirstButton(); });
    script->At(6, note);
    script->At(7, [&] { Shot("split_squad"); });
    TapAt(script, 8, [wnd] { return wnd->Slider()->LastButton(); });
    TapAt(script, 9, [wnd] { return wnd->OkButton(); });
    EXPECT_EQ(RunModal(wnd), ResultOk);
    EXPECT_EQ(texts, (std::vector<std::string>{"6 stay, 6 leave", "1 stay, 11 leave", "11 stay, 1 leave"}));
    EXPECT_EQ(wnd->chosen, 11u);
    delete wnd;
}

TEST_F(SplitSquadWndTest, CancelEndsWithTwoAndLeavesTheLastSliderValue)
{
    CSplitSquadWnd* wnd = Make(8, 4);
    StepScript* script = Script();
    TapAt(script, 2, [wnd] { return wnd->Slider()->FirstButton(); });
    TapAt(script, 3, [wnd] { return wnd->CancelButton(); });
    EXPECT_EQ(RunModal(wnd), ResultCancel);
    EXPECT_FALSE(wnd->IsVisible());
    EXPECT_EQ(wnd->chosen, 1u);
    delete wnd;
}

}  // namespace

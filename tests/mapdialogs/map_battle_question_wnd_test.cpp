// The battle question window: the province and player lines, both armies,
// Cancel offered or not, and the quick-battle box that starts from the
// preference and is read after the run without changing the preference.
#include <gtest/gtest.h>

#include "core/preferences.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/map_battle_question_wnd.h"
#include "tests/mapdialogs/battle_dialogs_rig.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/markup_wnd.h"

namespace {

using battle_dialogs_test::BattleDialogsRig;
using battle_dialogs_test::StepScript;

class BattleQuestionWndTest : public BattleDialogsRig {
protected:
    void SetUp() override
    {
        BattleDialogsRig::SetUp();
        for (int i = 0; i < 3; ++i) {
            CSquad squad;
            squad.SetType(SquadTypeRegistry()[size_t(i)]);
            squad.count = 5 + i;
            (i < 2 ? attackers : defenders).AddSquadCopy(squad);
        }
    }
    CMapBattleQuestionWnd* Make()
    {
        return new CMapBattleQuestionWnd(Root(), CStr("/Map/MapWnd/MapBtlAttackWnd"));
    }
    CArmy attackers;
    CArmy defenders;
};

TEST_F(BattleQuestionWndTest, SetupFillsTheLinesTheArmiesAndTheButtons)
{
    struct Case {
        uint8_t variant;
        bool defended;
        bool cancel;
        uint8_t preference;
        const char* province;
    };
    const Case cases[] = {
        {0, true, true, 0, "Attack Vale?"},
        {1, true, false, 1, "Besiege Vale?"},
        {7, false, true, 1, "Besiege Vale?"},  // any variant but 0 is the second text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.province);
        PrefMapOptions[0] = c.preference;
        CMapBattleQuestionWnd* wnd = Make();
        wnd->Setup(CStr("Vale"), CStr("Hugo"), &attackers, c.defended ? &defenders : nullptr, c.cancel,
                   c.variant);
        EXPECT_EQ(wnd->ProvinceText()->Text(), CStr(c.province));
        EXPECT_EQ(wnd->PlayerText()->Text(), CStr("Held by Hugo"));
        EXPECT_EQ(wnd->InvadeList()->ItemCount(), 2);
        EXPECT_EQ(wnd->GuardList()->ItemCount(), c.defended ? 1 : 0);
        EXPECT_EQ(wnd->CancelButton()->IsVisible(), c.cancel);
        EXPECT_EQ(wnd->IsQuickChecked(), c.preference != 0);
        delete wnd;
    }
}

TEST_F(BattleQuestionWndTest, SquadsWithoutUnitsAreNotListed)
{
    for (int32_t hitPoints : {0, 3}) {
        CSquad empty;
        empty.SetType(SquadTypeRegistry()[2]);
        empty.count = 0;
        empty.hitPoints = hitPoints;
        attackers.AddSquadCopy(empty);
        defenders.AddSquadCopy(empty);
    }
    CMapBattleQuestionWnd* wnd = Make();
    wnd->Setup(CStr("Vale"), CStr("Hugo"), &attackers, &defenders, true, 0);
    EXPECT_EQ(wnd->InvadeList()->ItemCount(), 2);
    EXPECT_EQ(wnd->GuardList()->ItemCount(), 1);
    delete wnd;
}

TEST_F(BattleQuestionWndTest, ThePlayerAnswersAndChoosesAQuickBattle)
{
    struct Case {
        const char* name;
        uint8_t preference;
        bool tapBox;
        bool cancel;
        uint16_t result;
        bool quick;
    };
    const Case cases[] = {
        {"accepts as offered", 0, false, false, ResultOk, false},
        {"accepts a quick battle", 0, true, false, ResultOk, true},
        {"unticks the preferred quick battle", 1, true, false, ResultOk, false},
        {"refuses, box still read", 1, false, true, ResultCancel, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrefMapOptions[0] = c.preference;
        CMapBattleQuestionWnd* wnd = Make();
        wnd->Setup(CStr("Vale"), CStr("Hugo"), &attackers, &defenders, true, 0);
        StepScript* script = Script();
        int step = 2;
        if (c.tapBox)
            TapAt(script, step++, [wnd] { return wnd->QuickBox(); });
        script->At(step++, [&] { Shot("battle_question"); });
        TapAt(script, step, [wnd, c] { return c.cancel ? wnd->CancelButton() : wnd->OkButton(); });
        EXPECT_EQ(RunModal(wnd), c.result);
        EXPECT_EQ(wnd->IsQuickChecked(), c.quick);
        EXPECT_EQ(PrefMapOptions[0], c.preference) << "the box does not change the preference";
        delete wnd;
    }
}

}  // namespace

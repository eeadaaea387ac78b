// The battle results window: won or lost with its sound and caption, the
// losses of both sides in the squad lists, the experience line, and the tap
// anywhere that closes it.
#include <gtest/gtest.h>

#include "core/sound_mgr.h"
#include "mapdialogs/battle_results_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "players/request_records.h"
#include "tests/mapdialogs/battle_dialogs_rig.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"

namespace {

using battle_dialogs_test::BattleDialogsRig;
using battle_dialogs_test::StepScript;

class BattleResultsWndTest : public BattleDialogsRig {
protected:
    void AddLoss(CArmy& army, int type, int32_t count)
    {
        CSquad squad;
        squad.SetType(SquadTypeRegistry()[size_t(type)]);
        squad.count = count;
        army.AddSquadCopy(squad);
    }
    CBattleResultsWnd* Make(const BattleResultArgs& record)
    {
        auto* wnd = new CBattleResultsWnd(Root(), CStr("/Map/MapWnd/BattleResultsWnd"));
        wnd->Setup(&record);
        return wnd;
    }
};

TEST_F(BattleResultsWndTest, WonOrLostWithOrWithoutExperience)
{
    struct Case {
        uint32_t won;
        int32_t experience;
        const char* caption;
        uint32_t soundLength;  // the victory sound is 40000 samples, the defeat 80000
        bool expShown;
        const char* expText;
        bool valueShown;
        const char* valueText;
    };
    // A lost battle hides the experience caption; an experience above 0
    // still shows its number.
    const Case cases[] = {
        {1, 120, "Won", 40000, true, "Experience", true, "120"},
        {1, 0, "Won", 40000, true, "No experience", false, ""},
        {0, 0, "Lost", 80000, false, "No experience", false, ""},
        {0, 35, "Lost", 80000, false, "Experience", true, "35"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.caption) + " " + std::to_string(c.experience));
        BattleResultArgs record;
        record.won = c.won;
        record.experience = c.experience;
        CBattleResultsWnd* wnd = Make(record);
        EXPECT_EQ(wnd->Text(), CStr(c.caption));
        EXPECT_EQ(wnd->Sound().Sample().length, c.soundLength);
        EXPECT_EQ(wnd->ExpLabel()->IsVisible(), c.expShown);
        EXPECT_EQ(wnd->ExpLabel()->Text(), CStr(c.expText));
        EXPECT_EQ(wnd->ExpValue()->IsVisible(), c.valueShown);
        if (c.valueShown) {
            EXPECT_EQ(wnd->ExpValue()->Text(), CStr(c.valueText));
        }
        delete wnd;
    }
}

TEST_F(BattleResultsWndTest, TheListsShowEachSidesLosses)
{
    BattleResultArgs record;
    record.won = 1;
    AddLoss(record.ownLosses, 0, 4);
    AddLoss(record.enemyLosses, 1, 7);
    AddLoss(record.enemyLosses, 2, 3);
    CBattleResultsWnd* wnd = Make(record);
    ASSERT_EQ(wnd->OwnerLost()->ItemCount(), 1);
    ASSERT_EQ(wnd->EnemyLost()->ItemCount(), 2);
    EXPECT_EQ(wnd->OwnerLost()->Squad(0)->type, SquadTypeRegistry()[0]);
    EXPECT_EQ(wnd->EnemyLost()->Squad(1)->type, SquadTypeRegistry()[2]);
    EXPECT_EQ(wnd->EnemyLost()->Icon(0)->First().Text(), CStr("7"));
    delete wnd;
    // Nothing lost: the lists show their empty-list text.
    BattleResultArgs none;
    wnd = Make(none);
    EXPECT_EQ(wnd->OwnerLost()->ItemCount(), 0);
    ASSERT_NE(wnd->OwnerLost()->EmptyTextWnd(), nullptr);
    EXPECT_EQ(wnd->OwnerLost()->EmptyTextWnd()->Text(), CStr("None"));
    delete wnd;
}

TEST_F(BattleResultsWndTest, ATapAnywhereClosesItAndTheSoundPlaysOnShow)
{
    ASSERT_TRUE(CSoundMgr::Init());
    BattleResultArgs record;
    record.won = 1;
    record.experience = 10;
    AddLoss(record.ownLosses, 0, 4);
    using Target = CWindow* (*)(CBattleResultsWnd*);
    const Target targets[] = {
        [](CBattleResultsWnd* w) -> CWindow* { return w->OwnerLost(); },
        [](CBattleResultsWnd* w) -> CWindow* { return w->ExpValue(); },
        [](CBattleResultsWnd* w) -> CWindow* { return w; },
    };
    for (Target target : targets) {
        CBattleResultsWnd* wnd = Make(record);
        StepScript* script = Script();
        bool playing = false;
        script->At(2, [&] {
            playing = wnd->Sound().IsPlaying();
            Shot("battle_results");
        });
        TapAt(script, 3, [wnd, target] { return target(wnd); });
        RunModal(wnd);
        EXPECT_TRUE(playing);
        EXPECT_FALSE(wnd->IsVisible());
        EXPECT_LT(script->steps, 10) << "closed by the tap, not by the rig's limit";
        delete wnd;
    }
    CSoundMgr::Shutdown();
}

}  // namespace

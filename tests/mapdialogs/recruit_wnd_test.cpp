// The recruit window driven as a player would: squads offered by the recruit
// list, the slider bounded by each squad's limit (an opener's limits follow
// the treasury), counts kept per squad across selections, OK and Cancel.
#include <gtest/gtest.h>

#include "game/player_record.h"
#include "mapdialogs/recruit_wnd.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "players/request_records.h"
#include "tests/mapdialogs/battle_dialogs_rig.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/res_wnd.h"
#include "ui/scroll_bar.h"

namespace {

using battle_dialogs_test::BattleDialogsRig;
using battle_dialogs_test::StepScript;

class RecruitWndTest : public BattleDialogsRig {
protected:
    // A player whose army holds one squad of 5 units of each registered
    // type and whose recruit list names the first `listed` types.
    void MakePlayer(int listed)
    {
        const auto& types = SquadTypeRegistry();
        for (size_t i = 0; i < types.size(); ++i) {
            CSquad squad;
            squad.SetType(types[i]);
            squad.count = 5;
            player.army.AddSquadCopy(squad);
            if (static_cast<int>(i) < listed)
                player.slotTypes.push_back(types[i]->typeId);
        }
        record.player = &player;
        record.army = &player.army;
        for (int i = 0; i < player.army.Count(); ++i)
            record.counts.push_back(5);
    }
    // What the treasury buys of each squad's type, as a map opener would offer.
    void LimitsFromTreasury(int32_t gold)
    {
        record.treasury.Zero();
        record.treasury[0] = gold;
        record.limits.clear();
        for (int i = 0; i < player.army.Count(); ++i)
            record.limits.push_back(record.treasury.TimesAffordable(player.army.Item(i)->type->cost));
    }
    CRecruitWnd* Make()
    {
        auto* wnd = new CRecruitWnd(Root(), CStr("/Map/MapWnd/RecruitWnd"));
        wnd->Setup(&record);
        return wnd;
    }

    PlayerRecord player;
    RecruitRequestArgs record;
};

TEST_F(RecruitWndTest, TheRecruitListSaysHowManySquadsAreOffered)
{
    struct Case {
        int listed;
        int offered;
    };
    // At most four; never more than the army holds (it holds five).
    const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {4, 4}, {5, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listed);
        player.army.Clear();
        player.slotTypes.clear();
        record.counts.clear();
        MakePlayer(c.listed);
        LimitsFromTreasury(1000);
        CRecruitWnd* wnd = Make();
        EXPECT_EQ(wnd->OfferedCount(), c.offered);
        for (int i = 0; i < CRecruitWnd::kMaxOffered; ++i)
            EXPECT_EQ(wnd->SquadButton(i)->IsVisible(), i < c.offered) << "button " << i;
        if (c.offered > 0) {
            EXPECT_TRUE(wnd->SquadButton(0)->IsDrawnDown());
            EXPECT_EQ(wnd->TypeLabel()->Text(), CStr("Swordmen"));
            EXPECT_EQ(wnd->SquadButton(0)->Face().First().Text(), CStr("5"));
        }
        delete wnd;
    }
}

TEST_F(RecruitWndTest, CountsAreLimitedByWhatTheTreasuryBuysAndKeptPerSquad)
{
    MakePlayer(4);
    // 95 gold: 9 swordsmen (10 each), 4 archers (20), 3 axemen (30), 2 pikemen (40).
    LimitsFromTreasury(95);
    CRecruitWnd* wnd = Make();
    StepScript* script = Script();
    std::vector<int32_t> maxima;
    auto noteMax = [&] { maxima.push_back(wnd->Quantity()->Max()); };
    script->At(2, noteMax);
    TapAt(script, 3, [wnd] { return wnd->Quantity()->LastButton(); });  // swordsmen: 9
    TapAt(script, 4, [wnd] { return wnd->SquadButton(2); });            // axemen
    script->At(5, noteMax);
    TapAt(script, 6, [wnd] { return wnd->Quantity()->FirstButton(); });  // axemen: 0
    TapAt(script, 7, [wnd] { return wnd->SquadButton(1); });             // archers
    script->At(8, noteMax);
    TapAt(script, 9, [wnd] { return wnd->Quantity()->LastButton(); });  // archers: 4 (below the 5 held)
    TapAt(script, 10, [wnd] { return wnd->SquadButton(0); });           // back to the swordsmen
    script->At(11, [&] {
        EXPECT_EQ(wnd->Quantity()->Pos(), 9) << "the changed count was stored at once";
        EXPECT_TRUE(wnd->SquadButton(0)->IsDrawnDown());
        EXPECT_FALSE(wnd->SquadButton(1)->IsDrawnDown());
        EXPECT_FALSE(wnd->SquadButton(2)->IsDrawnDown());
        Shot("recruit");
    });
    TapAt(script, 12, [wnd] { return wnd->OkButton(); });
    EXPECT_EQ(RunModal(wnd), ResultOk);
    EXPECT_EQ(maxima, (std::vector<int32_t>{9, 3, 4}));
    EXPECT_EQ(record.confirmed, 1);
    EXPECT_EQ(record.counts, (std::vector<int32_t>{9, 4, 0, 5, 5}));
    EXPECT_EQ(wnd->SquadButton(1)->Face().First().Text(), CStr("4"));
    EXPECT_EQ(wnd->SquadButton(2)->Face().First().Text(), CStr("0"));
    delete wnd;
}

TEST_F(RecruitWndTest, ALimitOfZeroPinsTheSliderAtZero)
{
    MakePlayer(2);
    LimitsFromTreasury(15);  // one swordsman, no archer
    record.counts = {0, 0, 0, 0, 0};
    CRecruitWnd* wnd = Make();
    StepScript* script = Script();
    TapAt(script, 2, [wnd] { return wnd->SquadButton(1); });
    TapAt(script, 3, [wnd] { return wnd->Quantity()->LastButton(); });
    script->At(4, [&] { EXPECT_EQ(wnd->Quantity()->Max(), 0); });
    TapAt(script, 5, [wnd] { return wnd->OkButton(); });
    EXPECT_EQ(RunModal(wnd), ResultOk);
    EXPECT_EQ(record.counts[1], 0);
    delete wnd;
}

TEST_F(RecruitWndTest, ACountAboveItsLimitIsPulledIntoRangeInTheRecord)
{
    MakePlayer(1);
    LimitsFromTreasury(30);  // three swordsmen; five are asked for
    CRecruitWnd* wnd = Make();
    EXPECT_EQ(wnd->Quantity()->Pos(), 3);
    EXPECT_EQ(record.counts[0], 3);
    EXPECT_EQ(wnd->SquadButton(0)->Face().First().Text(), CStr("3"));
    delete wnd;
}

TEST_F(RecruitWndTest, CancelLeavesTheRecordUnconfirmedWithItsChanges)
{
    MakePlayer(2);
    LimitsFromTreasury(1000);
    record.confirmed = 1;
    CRecruitWnd* wnd = Make();
    StepScript* script = Script();
    TapAt(script, 2, [wnd] { return wnd->Quantity()->FirstButton(); });
    TapAt(script, 3, [wnd] { return wnd->CancelButton(); });
    EXPECT_EQ(RunModal(wnd), ResultCancel);
    EXPECT_EQ(record.confirmed, 0);
    EXPECT_EQ(record.counts[0], 0);
    delete wnd;
}

TEST_F(RecruitWndTest, TheDescriptionButtonDescribesTheChosenSquadsType)
{
    MakePlayer(3);
    LimitsFromTreasury(1000);
    CRecruitWnd* wnd = Make();
    auto openDescription = [wnd]() -> CSquadDescrWnd* {
        for (CWindow* child = wnd->GetFirstChild(); child; child = child->GetNextSibling())
            if (auto* d = dynamic_cast<CSquadDescrWnd*>(child); d && d->IsVisible())
                return d;
        return nullptr;
    };
    StepScript* script = Script();
    TapAt(script, 2, [wnd] { return wnd->SquadButton(2); });
    TapAt(script, 3, [wnd] { return wnd->DescrButton(); });
    bool opened = false;
    script->At(4, [&] { opened = openDescription() != nullptr; });
    // A tap anywhere on the description closes it; the recruit window stays.
    TapAt(script, 5, [&] { return static_cast<CWindow*>(openDescription()); });
    script->At(6, [&] {
        EXPECT_EQ(openDescription(), nullptr);
        EXPECT_TRUE(wnd->IsVisible());
    });
    TapAt(script, 7, [wnd] { return wnd->OkButton(); });
    EXPECT_EQ(RunModal(wnd), ResultOk);
    EXPECT_TRUE(opened);
    EXPECT_EQ(wnd->SelectedSquad()->type, SquadTypeRegistry()[2]);
    delete wnd;
}

TEST_F(RecruitWndTest, AnArmyShorterThanTheRecruitListOffersOnlyItsSquads)
{
    MakePlayer(4);
    while (player.army.Count() > 2)
        player.army.RemoveAt(player.army.Count() - 1);
    LimitsFromTreasury(1000);
    CRecruitWnd* wnd = Make();
    EXPECT_EQ(wnd->OfferedCount(), 2);
    EXPECT_FALSE(wnd->SquadButton(2)->IsVisible());
    wnd->Select(3);
    EXPECT_EQ(wnd->SelectedEntry(), 0) << "a squad that is not there cannot be chosen";
    delete wnd;
}

}  // namespace

// The battle trainer's set-up window driven as a player would: the initial
// choices and what they show, the choices written into the battle record on
// "Start", the armies composed in the recruit window, and cancelling.
#include <gtest/gtest.h>

#include "battle/battle_flow.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "mapdialogs/recruit_wnd.h"
#include "mapdialogs/trainer_setup_wnd.h"
#include "tests/mapdialogs/battle_dialogs_rig.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/label.h"
#include "ui/message_wnd.h"
#include "ui/res_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/value_scroller.h"

namespace {

using battle_dialogs_test::BattleDialogsRig;
using battle_dialogs_test::StepScript;

// The dialog that is open above the others, of a kind: the trainer window is
// a child of the root, the recruit window a child of the trainer window.
template <typename T>
T* OpenDialog(CWindow* parent)
{
    for (CWindow* child = parent ? parent->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling()) {
        if (auto* found = dynamic_cast<T*>(child); found && found->IsVisible())
            return found;
    }
    return nullptr;
}

std::vector<int32_t> ArmyCounts(const PlayerRecord* player)
{
    std::vector<int32_t> counts;
    for (int i = 0; i < player->army.Count(); ++i)
        counts.push_back(player->army.Item(i)->count);
    return counts;
}

class TrainerSetupTest : public BattleDialogsRig {
protected:
    CTrainerSetupWnd* Trainer() { return OpenDialog<CTrainerSetupWnd>(Root()); }
    CRecruitWnd* Recruit() { return OpenDialog<CRecruitWnd>(Trainer()); }
    // A tap on the first or last button of one of the trainer's scrollers.
    void TapScroller(StepScript* script, int step, CValueScroller* (CTrainerSetupWnd::*scroller)() const,
                     bool last)
    {
        TapAt(script, step, [this, scroller, last]() -> CWindow* {
            CValueScroller* s = (Trainer()->*scroller)();
            return last ? static_cast<CWindow*>(s->LastButton()) : static_cast<CWindow*>(s->FirstButton());
        });
    }
    void TapStart(StepScript* script, int step)
    {
        TapAt(script, step, [this] { return Trainer()->StartButton(); });
    }

    void SetUp() override
    {
        BattleDialogsRig::SetUp();
        LastTrainerChoices() = TrainerChoices{};
    }
    void TearDown() override
    {
        LastTrainerChoices() = TrainerChoices{};
        BattleDialogsRig::TearDown();
    }

    BattleParams params;
};

TEST_F(TrainerSetupTest, OpensOnASiegeOfAHumanAgainstTheComputer)
{
    StepScript* script = Script();
    script->At(2, [&] {
        CTrainerSetupWnd* wnd = Trainer();
        ASSERT_NE(wnd, nullptr);
        EXPECT_EQ(wnd->Text(), CStr("Battle trainer"));
        struct Shown {
            CValueScroller* scroller;
            const char* text;
        };
        const Shown shown[] = {{wnd->BattleType(), "Siege"},   {wnd->Moat(), "Yes"},
                               {wnd->Walls(), "Yes"},          {wnd->Catapults(), "2"},
                               {wnd->AttackerType(), "Human"}, {wnd->DefenderType(), "Computer"}};
        for (const Shown& s : shown)
            EXPECT_EQ(s.scroller->ValueLabel()->Text(), CStr(s.text));
        EXPECT_EQ(wnd->ObstacleLayout()->Value(), 1);
        EXPECT_FALSE(wnd->ObstacleLayout()->Window()->IsVisible());
        EXPECT_FALSE(wnd->SeedLabel()->IsVisible());
        for (CLabel* label : {wnd->MoatLabel(), wnd->WallsLabel(), wnd->CatapultsLabel()})
            EXPECT_TRUE(label->IsVisible());
        Shot("trainer_setup");
    });
    TapAt(script, 3, [this] { return Trainer()->CancelButton(); });
    EXPECT_FALSE(RunBattleTrainerSetup(&params, Root()));
    // Cancelled: the routine freed the players and the castle it made.
    EXPECT_EQ(params.attacker, nullptr);
    EXPECT_EQ(params.castle, nullptr);
}

TEST_F(TrainerSetupTest, StartWritesTheChoicesIntoTheBattleRecord)
{
    struct Case {
        const char* name;
        bool openField, noMoat, noWalls, fourCatapults, seed100, atkComputer, dfdHuman;
        uint32_t kind;
        uint8_t layout, moat, walls, catapults;
        uint32_t atk, dfd;
    };
    // The open field leaves the castle's defences as the routine made them
    // (then completed at 100 per cent); the siege leaves the layout alone.
    const Case cases[] = {
        {"siege as it opens", false, false, false, false, false, false, false, kBattleSiege, 0, 1, 1, 2, 0,
         1},
        {"siege, bare castle", false, true, true, true, false, true, true, kBattleSiege, 0, 0, 0, 4, 1, 0},
        {"open field 100", true, false, false, false, true, false, false, kBattleOpenField, 100, 0, 0, 0, 0,
         1},
        {"open field, computers", true, true, true, true, false, true, false, kBattleOpenField, 1, 0, 0, 0, 1,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LastTrainerChoices() = TrainerChoices{};
        BattleParams record;
        StepScript* script = Script();
        int step = 2;
        if (c.noMoat)
            TapScroller(script, step++, &CTrainerSetupWnd::Moat, false);
        if (c.noWalls)
            TapScroller(script, step++, &CTrainerSetupWnd::Walls, false);
        if (c.fourCatapults)
            TapScroller(script, step++, &CTrainerSetupWnd::Catapults, true);
        if (c.openField)
            TapScroller(script, step++, &CTrainerSetupWnd::BattleType, false);
        if (c.seed100)
            TapScroller(script, step++, &CTrainerSetupWnd::ObstacleLayout, true);
        if (c.atkComputer)
            TapScroller(script, step++, &CTrainerSetupWnd::AttackerType, true);
        if (c.dfdHuman)
            TapScroller(script, step++, &CTrainerSetupWnd::DefenderType, false);
        TapStart(script, step);
        ASSERT_TRUE(RunBattleTrainerSetup(&record, Root()));
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(record.obstacleLayout, c.layout);
        ASSERT_NE(record.castle, nullptr);
        EXPECT_EQ(record.castle->percent, 100);
        if (c.kind == kBattleSiege) {
            EXPECT_EQ(record.castle->moat, c.moat);
            EXPECT_EQ(record.castle->fortWalls, c.walls);
            EXPECT_EQ(record.castle->catapults, c.catapults);
        }
        EXPECT_EQ(record.attackerSideKind, c.atk);
        EXPECT_EQ(record.defenderSideKind, c.dfd);
        EXPECT_EQ(record.powerOption, 1u);
        EXPECT_EQ(Trainer(), nullptr) << "the window is gone after the run";
    }
}

TEST_F(TrainerSetupTest, TheOpenFieldHidesTheSiegeControlsAndBack)
{
    StepScript* script = Script();
    TapScroller(script, 2, &CTrainerSetupWnd::BattleType, false);
    script->At(3, [&] {
        CTrainerSetupWnd* wnd = Trainer();
        EXPECT_EQ(wnd->BattleType()->ValueLabel()->Text(), CStr("Open field"));
        EXPECT_TRUE(wnd->ObstacleLayout()->Window()->IsVisible());
        EXPECT_TRUE(wnd->SeedLabel()->IsVisible());
        for (CValueScroller* s : {wnd->Moat(), wnd->Walls(), wnd->Catapults()})
            EXPECT_FALSE(s->Window()->IsVisible());
        for (CLabel* l : {wnd->MoatLabel(), wnd->WallsLabel(), wnd->CatapultsLabel()})
            EXPECT_FALSE(l->IsVisible());
    });
    TapScroller(script, 4, &CTrainerSetupWnd::BattleType, true);
    script->At(5, [&] {
        CTrainerSetupWnd* wnd = Trainer();
        EXPECT_EQ(wnd->BattleType()->ValueLabel()->Text(), CStr("Siege"));
        EXPECT_FALSE(wnd->ObstacleLayout()->Window()->IsVisible());
        EXPECT_TRUE(wnd->Catapults()->Window()->IsVisible());
    });
    TapStart(script, 6);
    ASSERT_TRUE(RunBattleTrainerSetup(&params, Root()));
    EXPECT_EQ(params.kind, kBattleSiege);
}

TEST_F(TrainerSetupTest, TheArmiesAreComposedInTheRecruitWindow)
{
    StepScript* script = Script();
    // The attacking army: the first squad to the most, the second to none.
    TapAt(script, 2, [this] { return Trainer()->OwnArmyButton(); });
    script->At(3, [&] {
        CRecruitWnd* recruit = Recruit();
        ASSERT_NE(recruit, nullptr);
        EXPECT_EQ(recruit->Text(), CStr("Compose army"));
        EXPECT_EQ(recruit->OfferedCount(), 4);
        EXPECT_EQ(recruit->Quantity()->Max(), CTrainerSetupWnd::kArmyLimit);
        EXPECT_EQ(recruit->Quantity()->Pos(), 10);
        Shot("trainer_recruit");
    });
    TapAt(script, 4, [this] { return Recruit()->Quantity()->LastButton(); });
    TapAt(script, 5, [this] { return Recruit()->SquadButton(1); });
    TapAt(script, 6, [this] { return Recruit()->Quantity()->FirstButton(); });
    TapAt(script, 7, [this] { return Recruit()->OkButton(); });
    // The defending army: changed, then the recruit window cancelled.
    TapAt(script, 8, [this] { return Trainer()->EnemyArmyButton(); });
    TapAt(script, 9, [this] { return Recruit()->Quantity()->FirstButton(); });
    TapAt(script, 10, [this] { return Recruit()->CancelButton(); });
    script->At(11, [&] { EXPECT_EQ(Recruit(), nullptr); });
    TapStart(script, 12);
    ASSERT_TRUE(RunBattleTrainerSetup(&params, Root()));
    EXPECT_EQ(ArmyCounts(params.attacker), (std::vector<int32_t>{99, 0, 10, 10}));
    EXPECT_EQ(ArmyCounts(params.defender), (std::vector<int32_t>{10, 10, 10, 10}));
    EXPECT_EQ(params.defender->army.Item(3)->type->typeId, CStr("Horse"));
    EXPECT_EQ(params.attacker->name, CStr("Red"));
    EXPECT_EQ(params.defender->name, CStr("Blue"));
}

TEST_F(TrainerSetupTest, AnArmyOfNoUnitsIsRefusedWithAMessage)
{
    StepScript* script = Script();
    TapAt(script, 2, [this] { return Trainer()->EnemyArmyButton(); });
    int step = 3;
    for (int i = 0; i < 4; ++i) {
        TapAt(script, step++, [this, i] { return Recruit()->SquadButton(i); });
        TapAt(script, step++, [this] { return Recruit()->Quantity()->FirstButton(); });
    }
    TapAt(script, step++, [this] { return Recruit()->OkButton(); });
    TapStart(script, step++);
    bool told = false;
    script->At(step++, [&] {
        CMessageWnd* box = OpenDialog<CMessageWnd>(Trainer());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->TextWindow()->Text(), CStr("No units"));
        told = true;
        TapNow(box);
    });
    script->At(step++, [&] {
        ASSERT_NE(Trainer(), nullptr) << "the set-up stays open to mend the army";
        EXPECT_EQ(OpenDialog<CMessageWnd>(Trainer()), nullptr);
    });
    TapAt(script, step, [this] { return Trainer()->CancelButton(); });
    EXPECT_FALSE(RunBattleTrainerSetup(&params, Root()));
    EXPECT_TRUE(told);
}

TEST_F(TrainerSetupTest, TheNextSetUpOpensOnTheChoicesOfTheLastStart)
{
    StepScript* script = Script();
    TapScroller(script, 2, &CTrainerSetupWnd::BattleType, false);
    TapScroller(script, 3, &CTrainerSetupWnd::ObstacleLayout, true);
    TapScroller(script, 4, &CTrainerSetupWnd::AttackerType, true);
    TapAt(script, 5, [this] { return Trainer()->OwnArmyButton(); });
    TapAt(script, 6, [this] { return Recruit()->Quantity()->LastButton(); });
    TapAt(script, 7, [this] { return Recruit()->OkButton(); });
    TapStart(script, 8);
    ASSERT_TRUE(RunBattleTrainerSetup(&params, Root()));

    BattleParams again;
    script = Script();
    script->At(2, [&] {
        CTrainerSetupWnd* wnd = Trainer();
        EXPECT_EQ(wnd->BattleType()->Value(), 0);
        EXPECT_EQ(wnd->BattleType()->ValueLabel()->Text(), CStr("Open field"));
        EXPECT_TRUE(wnd->ObstacleLayout()->Window()->IsVisible());
        EXPECT_EQ(wnd->ObstacleLayout()->Value(), 100);
        EXPECT_EQ(wnd->AttackerType()->Value(), 1);
        EXPECT_EQ(wnd->DefenderType()->Value(), 1);
    });
    TapStart(script, 3);
    ASSERT_TRUE(RunBattleTrainerSetup(&again, Root()));
    EXPECT_EQ(again.kind, kBattleOpenField);
    EXPECT_EQ(again.obstacleLayout, 100);
    EXPECT_EQ(again.attackerSideKind, 1u);
    EXPECT_EQ(ArmyCounts(again.attacker), (std::vector<int32_t>{99, 10, 10, 10}));
}

}  // namespace

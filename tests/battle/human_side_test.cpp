#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/human_side.h"
#include "battle/order_modes.h"
#include "battle/placement_mode.h"
#include "battle/siege_modes.h"
#include "battle/siege_scene.h"
#include "battle/squad_battle_state.h"
#include "core/preferences.h"
#include "core/random.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "tests/battle/battle_fixture.h"

namespace {

// The person at the device: each pass of the screen's loop finishes the
// animations and carries out the next scripted action; with nothing left to
// do the person stops the battle, so no test can hang.
struct Person {
    Person()
    {
        g_battleHooks.waitStep.Bind([this]() {
            while (!g_battleEventQueue.empty())
                RemoveQueuedBattleEvent(g_battleEventQueue.back());
            if (g_waitingForEvents)
                return;
            ++passes;
            if (script.empty()) {
                BattleCommand(kCommandStop);
                return;
            }
            auto step = script.front();
            script.pop_front();
            step();
        });
        g_battleHooks.markList.Bind([this](const std::vector<ScreenMark*>* list) {
            shownMarks.clear();
            for (const ScreenMark* m : *list)
                shownMarks.push_back(*m);
        });
        g_battleHooks.splitAmount.Bind([this](SplitAmountRecord* r) {
            offered = *r;
            if (splitAnswer > 0)
                r->proposal = splitAnswer;
        });
    }
    void Then(std::function<void()> step) { script.push_back(std::move(step)); }
    std::deque<std::function<void()>> script;
    std::vector<ScreenMark> shownMarks;
    SplitAmountRecord offered;
    int32_t splitAnswer = 0;
    int passes = 0;  // passes that waited for the person, not for animations
};

class HumanSideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShippedBattleRules();
        for (int i = 0; i < 7; ++i)
            saved[i] = PrefBattleOptions[i];
        for (uint8_t& o : PrefBattleOptions)
            o = 0;
        sides.params.noScreen = 0;
        sides.params.attackerSideKind = kSideKindHuman;
        sides.params.defenderSideKind = kSideKindMute;
    }
    void TearDown() override
    {
        if (g_battle.grid)
            EndBattle();
        DeleteBattleHooks();
        for (int i = 0; i < 7; ++i)
            PrefBattleOptions[i] = saved[i];
    }
    void Begin()
    {
        screen = std::make_unique<ScreenDouble>();
        person = std::make_unique<Person>();
        BeginBattle(&sides.params);
        human = static_cast<CHumanSideController*>(g_battle.attackerSide);
    }
    CSquad* A(int i) { return sides.attacker.army.Item(i); }
    CSquad* D(int i) { return sides.defender.army.Item(i); }

    BattleSquadTypes types;
    BattleSides sides;
    std::unique_ptr<ScreenDouble> screen;
    std::unique_ptr<Person> person;
    CHumanSideController* human = nullptr;
    uint8_t saved[7];
};

TEST_F(HumanSideTest, PlacementMovesASquadInsideItsColumns)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.attacker, types.bow, 10);
    AddSquad(sides.defender, types.sword, 10);
    Begin();
    ASSERT_EQ(human->Kind(), kSideKindHuman);
    person->Then([] { BattleTapAtCell(48); });  // column 4: outside the zone
    person->Then([] { BattleTapAtCell(45); });  // row 4, column 1: free zone cell
    person->Then([] { BattleTapAtCell(45); });  // the same cell again: confirmed
    person->Then([] { BattleCommand(kButtonStart); });
    std::vector<CStr> texts;
    g_battleHooks.textEvent.Bind([&texts](const CStr& t) { texts.push_back(t); });
    RunPlacementPhase();
    EXPECT_EQ(BattleResult, kBattleNoResult);  // ended by "Start", not stopped
    EXPECT_EQ(A(0)->cell, 45u);
    EXPECT_EQ(g_battle.grid->Cell(45).occupant, A(0));
    EXPECT_EQ(g_battle.grid->Cell(13).occupant, nullptr);
    EXPECT_EQ(texts, (std::vector<CStr>{CStr("PrepareBtl"), CStr()}));
    EXPECT_EQ(human->modeIndex, kModeOrders);
}

TEST_F(HumanSideTest, ThePlacementZoneLeavesObstaclesOut)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 10);
    Begin();
    CObstacle rock;
    rock.cell = 34;
    g_battle.grid->Cell(34).occupant = &rock;
    CPlacementMode mode(human);
    mode.MarkPlacementCells();
    int zone = 0;
    for (int i = 0; i < g_battle.grid->cellCount; ++i)
        zone += g_battle.highlight[size_t(i)] == 2;
    EXPECT_EQ(zone, 17);  // columns 1 and 2, rows 1-9, less the rock
    EXPECT_EQ(g_battle.highlight[34], 1);
    EXPECT_EQ(g_battle.highlight[13], 2);  // a squad does not take its cell out
    g_battle.grid->Cell(34).occupant = nullptr;
}

TEST_F(HumanSideTest, SplittingAndJoining)
{
    PrefBattleOptions[4] = 1;  // splitting allowed
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 10);
    Begin();
    person->Then([] { BattleCommand(kButtonSplit); });
    person->Then([] { BattleTapAtCell(23); });  // a free zone cell: split there
    person->Then([] { BattleCommand(kButtonJoin); });
    person->Then([] { BattleTapAtCell(23); });  // the partner: join back
    person->Then([] { BattleCommand(kButtonStart); });
    std::vector<int32_t> afterSplit;
    person->script.insert(person->script.begin() + 2, [&] { afterSplit = Counts(sides.attacker.army); });
    RunPlacementPhase();
    EXPECT_EQ(person->offered.max, 4);
    EXPECT_EQ(person->offered.proposal, 2);  // (4 + 1) / 2
    EXPECT_EQ(afterSplit, (std::vector<int32_t>{3, 2}));
    EXPECT_EQ(Counts(sides.attacker.army), (std::vector<int32_t>{5}));
    EXPECT_EQ(g_battle.grid->Cell(23).occupant, A(0));
    EXPECT_EQ(g_battle.grid->Cell(13).occupant, nullptr);
}

TEST_F(HumanSideTest, SplitLimits)
{
    PrefBattleOptions[4] = 1;
    for (int i = 0; i < 6; ++i)
        AddSquad(sides.attacker, types.sword, i == 0 ? 1 : 4);
    AddSquad(sides.defender, types.sword, 10);
    Begin();
    CPlacementMode mode(human);
    mode.selected = A(0);
    EXPECT_FALSE(mode.CanSplit());  // one unit
    mode.selected = A(1);
    EXPECT_FALSE(mode.CanSplit());  // six squads already
    A(5)->count = 0;
    EXPECT_TRUE(mode.CanSplit());
    EXPECT_TRUE(mode.CanJoin());
    EXPECT_EQ(AskSplitAmount(5), 3);
}

class HumanTurnTest : public HumanSideTest {
protected:
    // Begins with the placement done: the attacker's sword on 57, the
    // defender's on 60.
    void BeginTurns()
    {
        Begin();
        human->PlaceSquadAt(A(0), 57);
        g_battle.defenderSide->PlaceSquadAt(D(0), 60);
        human->currentMode = human->ordersMode;
        human->modeIndex = kModeOrders;
        SetMovePoints(A(0), 2);
        g_battle.activeSide = 1;
    }
    // A computer besieging a person's castle of so many catapults, begun
    // before the placement.
    CSiegeScene* BeginSiegeOfAPerson(int32_t attackers, uint8_t catapults)
    {
        AddSquad(sides.attacker, types.sword, attackers);
        AddSquad(sides.defender, types.sword, 10);
        sides.params.kind = kBattleSiege;
        sides.params.castle = &sides.castle;
        sides.castle.catapults = catapults;
        sides.params.attackerSideKind = kSideKindMute;
        sides.params.defenderSideKind = kSideKindHuman;
        screen = std::make_unique<ScreenDouble>();
        BeginBattle(&sides.params);
        return static_cast<CSiegeScene*>(g_battle.scene);
    }
};

TEST_F(HumanTurnTest, TappingTheSameMarkTwiceCarriesTheOrderOut)
{
    AddSquad(sides.attacker, types.axe, 20);
    AddSquad(sides.defender, types.sword, 10);
    BeginTurns();
    SetMovePoints(A(0), 3);
    person->Then([] { BattleTapAtCell(60); });  // the enemy: an attack order
    person->Then([&] {
        EXPECT_EQ(PlanWord(A(0)), kPlanAttack);
        EXPECT_EQ(TargetSquad(A(0)), D(0));
        ASSERT_EQ(person->shownMarks.size(), 1u);  // without expert mode only the target
        EXPECT_EQ(person->shownMarks[0].kind, kMarkTarget);
        BattleTapAtCell(60);
    });
    human->PlayTurn();
    EXPECT_LT(D(0)->count, 10);  // it walked up and struck
    EXPECT_EQ(MovePoints(A(0)), 0);
    EXPECT_NE(BattleResult, kBattleStopped);
}

TEST_F(HumanTurnTest, ExpertModeOffersApproachDirections)
{
    PrefBattleOptions[6] = 1;
    AddSquad(sides.attacker, types.axe, 20);
    AddSquad(sides.defender, types.sword, 10);
    BeginTurns();
    person->Then([] { BattleTapAtCell(60); });
    person->Then([&] {
        // Target mark plus the six cells around it.
        EXPECT_EQ(person->shownMarks.size(), 7u);
        BattleTapAtCell(59);  // direction 2 (left)
    });
    person->Then([&] {
        EXPECT_EQ(OrderCell(A(0)), 2);
        BattleCommand(kCommandStop);
    });
    human->PlayTurn();
}

TEST_F(HumanTurnTest, GuardPutsASquadInDefence)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 10);
    BeginTurns();
    person->Then([] { BattleCommand(kButtonGuard); });
    human->PlayTurn();
    EXPECT_EQ(DefencePercent(A(0)), kStanceDefending);
    EXPECT_EQ(MovePoints(A(0)), 0);
    EXPECT_EQ(human->modeIndex, kModeOrders);  // no squad left to act: no automatic play
    EXPECT_NE(BattleResult, kBattleStopped);
}

TEST_F(HumanTurnTest, TappingTheSelectedSquadClearsItsOrder)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 10);
    BeginTurns();
    person->Then([] { BattleTapAtCell(60); });
    person->Then([] { BattleTapAtCell(57); });
    person->Then([] { BattleTapAtCell(120); });  // the border: nothing
    person->Then([] { BattleCommand(kCommandStop); });
    human->PlayTurn();
    EXPECT_EQ(PlanWord(A(0)), kPlanNone);
    EXPECT_EQ(TargetSquad(A(0)), nullptr);
    EXPECT_EQ(D(0)->count, 10);
}

TEST_F(HumanTurnTest, AutomaticPlayFinishesTheTurn)
{
    AddSquad(sides.attacker, types.axe, 20);
    AddSquad(sides.defender, types.sword, 10);
    BeginTurns();
    human->autoByte = 1;
    human->PlayTurn();  // no input needed at all
    EXPECT_EQ(human->modeIndex, kModeAuto);
    EXPECT_LT(D(0)->count, 10);
    EXPECT_NE(g_battleStateWords.c & kButtonAuto, 0u);
    EXPECT_EQ(person->passes, 0);
}

TEST_F(HumanSideTest, APersonOnAutomaticPlayFightsAWholeBattle)
{
    AddSquad(sides.attacker, types.sword, 30);
    AddSquad(sides.attacker, types.bow, 15);
    AddSquad(sides.defender, types.sword, 20);
    AddSquad(sides.defender, types.axe, 5);
    Begin();
    person->Then([] { BattleCommand(kButtonStart); });
    SetRandomState(2024);
    RunPlacementPhase();
    human->autoByte = 1;
    g_battleTurnLimit = 100;
    RunBattleTurns();
    g_battleTurnLimit = 0;
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_TRUE(sides.attacker.army.HasUnits() != sides.defender.army.HasUnits());
    EXPECT_EQ(person->passes, 1);  // only the placement asked the person
}

TEST_F(HumanTurnTest, GivingUp)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 10);
    BeginTurns();
    // A person attacking a computer: whoever is active, the person gives up.
    g_battle.activeSide = 0;
    BattleCommand(kCommandGiveUp);
    EXPECT_EQ(BattleResult, kBattleAttackerGaveUp);
    // Outside a running game a person may always give up, except the
    // defender of a capital.
    EXPECT_TRUE(human->MayGiveUp());
}

TEST_F(HumanTurnTest, ADefendingPersonAtACapitalMayNotGiveUp)
{
    sides.castle.capital = 1;
    BeginSiegeOfAPerson(10, 0);
    EXPECT_FALSE(g_battle.defenderSide->MayGiveUp());
    // Nor may a computer attacker leave a person's capital; elsewhere it may.
    EXPECT_FALSE(g_battle.attackerSide->MayGiveUp());
    sides.castle.capital = 0;
    EXPECT_TRUE(g_battle.attackerSide->MayGiveUp());
    EXPECT_TRUE(g_battle.defenderSide->MayGiveUp());
}

TEST_F(HumanTurnTest, TheCatapultModeSkipsADestroyedCatapult)
{
    person = std::make_unique<Person>();
    CSiegeScene* scene = BeginSiegeOfAPerson(10, 3);
    scene->CatapultAtIndex(1)->Damage(100);
    auto* defender = static_cast<CHumanSideController*>(g_battle.defenderSide);
    CCatapultMode& mode = *defender->catapultMode;
    mode.nextIndex = 0;
    mode.NextCatapult();
    EXPECT_EQ(mode.current, scene->CatapultAtIndex(0));
    mode.NextCatapult();
    EXPECT_EQ(mode.current, scene->CatapultAtIndex(2));
    mode.NextCatapult();
    EXPECT_EQ(mode.done, 1);
}

TEST_F(HumanTurnTest, AutoAfterAHandShotFiresEachCatapultOnce)
{
    // Three catapults, the first destroyed, the second fired by hand: "Auto"
    // on the third fires the third, never the second again.
    CSiegeScene* scene = BeginSiegeOfAPerson(100, 3);
    A(0)->cell = 59;  // before the moat line
    g_battle.grid->Cell(59).occupant = A(0);
    scene->CatapultAtIndex(0)->Damage(100);
    auto* defender = static_cast<CHumanSideController*>(g_battle.defenderSide);
    CCatapultMode& mode = *defender->catapultMode;
    mode.nextIndex = 0;
    mode.NextCatapult();
    ASSERT_EQ(mode.current, scene->CatapultAtIndex(1));
    mode.current->targetCell = 59;
    mode.Fire();
    ASSERT_EQ(mode.current, scene->CatapultAtIndex(2));
    mode.current->targetCell = 0;
    defender->autoByte = 1;
    mode.OnCode(kButtonAuto);
    auto shots = [this](const CSiegeCatapult* c) {
        constexpr uint16_t kShotPose = 0x303;  // the pose an engine shows as it shoots
        int n = 0;
        for (const BattleEvent& e : screen->events)
            n += e.battleHandle == c->battleHandle && e.code == kShotPose;
        return n;
    };
    EXPECT_EQ(shots(scene->CatapultAtIndex(1)), 1);
    EXPECT_EQ(shots(scene->CatapultAtIndex(2)), 1);
    EXPECT_EQ(mode.done, 1);
}

TEST_F(HumanTurnTest, ATrebuchetWithNothingToHitEndsAtOnce)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 10);
    sides.params.kind = kBattleSiege;
    sides.params.castle = &sides.castle;  // walls of 0 hit points: all down
    Begin();
    RunPlacementPhase();
    CTrebuchetMode& mode = *human->trebuchetMode;
    mode.done = 0;
    mode.MarkTargets();
    EXPECT_EQ(mode.done, 1);
    EXPECT_TRUE(mode.marks.empty());
}

TEST_F(HumanTurnTest, TheModeRecordStreamsBack)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.attacker, types.bow, 10);
    AddSquad(sides.defender, types.sword, 10);
    BeginTurns();
    human->ordersMode->done = 0;
    human->ordersMode->selected = A(1);
    const std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { human->Serialize(&s); });
    human->ordersMode->selected = A(0);
    human->modeIndex = 0;
    human->currentMode = nullptr;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    ASSERT_TRUE(human->Serialize(&reader));
    EXPECT_EQ(human->modeIndex, kModeOrders);
    EXPECT_EQ(human->currentMode, human->ordersMode);
    EXPECT_EQ(human->ordersMode->selected, A(1));
    // A siege mode named in an open-field record is refused.
    std::vector<uint8_t> bad = bytes;
    bad[2 * 23] = kModeCatapult;
    CStreamReader badReader(bad.data(), uint32_t(bad.size()));
    EXPECT_FALSE(human->Serialize(&badReader));
}

}  // namespace

// Carrying out the orders: how the plan groups squads into tactics and in
// which order they run, and what the tactics do with their squads.
#include <gtest/gtest.h>

#include <vector>

#include "battle/ai_plan.h"
#include "battle/ai_tactics.h"
#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/path_map.h"
#include "battle/side_controller.h"
#include "battle/squad_battle_state.h"
#include "game/army.h"
#include "tests/battle/ai_battle_fixture.h"

namespace {

using AiTactics = AiBattleTest;

void Order(CSquad* squad, uint32_t plan, uint8_t cell, CSquad* target)
{
    SetPlanWord(squad, plan);
    SetOrderCell(squad, cell);
    SetTargetSquad(squad, target);
}

std::vector<CSquad*> SquadsOf(const AiTactic* tactic)
{
    return std::vector<CSquad*>(tactic->squads.begin(), tactic->squads.end());
}

TEST_F(AiTactics, PlanGroupsEqualOrdersAndRunsShooterGroupsFirst)
{
    AddSquad(sides.attacker, types.sword, 5);  // 0: attack the first enemy
    AddSquad(sides.attacker, types.sword, 5);  // 1: move
    AddSquad(sides.attacker, types.bow, 5);    // 2: attack the second enemy
    AddSquad(sides.attacker, types.sword, 5);  // 3: an unknown plan word
    AddSquad(sides.attacker, types.sword, 5);  // 4: same order as 0
    AddSquad(sides.attacker, types.sword, 5);  // 5: guard
    AddSquad(sides.defender, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    Order(Attacker(0), kPlanAttack, kNoDirection, Defender(0));
    Order(Attacker(1), kPlanMove, 50, nullptr);
    Order(Attacker(2), kPlanAttack, kNoDirection, Defender(1));
    Order(Attacker(3), 4, 0, nullptr);
    Order(Attacker(4), kPlanAttack, kNoDirection, Defender(0));
    Order(Attacker(5), kPlanGuard, 0, nullptr);

    AiPlan plan(AttackerSide());
    AiTacticList list;
    ASSERT_TRUE(plan.Build(AttackerSide()->SetupPtr(), &list));
    ASSERT_EQ(list.tactics.Count(), 4);
    EXPECT_NE(dynamic_cast<CAttackTactic*>(list.tactics[0]), nullptr);
    EXPECT_NE(dynamic_cast<CMoveTactic*>(list.tactics[1]), nullptr);
    EXPECT_NE(dynamic_cast<CAttackTactic*>(list.tactics[2]), nullptr);
    EXPECT_NE(dynamic_cast<CGuardTactic*>(list.tactics[3]), nullptr);
    EXPECT_EQ(SquadsOf(list.tactics[0]), (std::vector<CSquad*>{Attacker(0), Attacker(4)}));
    EXPECT_EQ(SquadsOf(list.tactics[2]), (std::vector<CSquad*>{Attacker(2)}));
    // The shooters' group first, then the others in reverse list order.
    std::vector<int16_t> runOrder(list.runOrder.begin(), list.runOrder.end());
    EXPECT_EQ(runOrder, (std::vector<int16_t>{2, 3, 1, 0}));
}

TEST_F(AiTactics, TargetKilledByTheShootersLeavesTheMeleeSquadsWhereTheyStand)
{
    AddSquad(sides.attacker, types.bow, 10);
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 1);
    Begin();
    Put(Attacker(0), 57);
    Put(Attacker(1), 79);
    Put(Defender(0), 62);
    Defender(0)->hitPoints = 1;
    Ready();
    const AiOrder order{kPlanAttack, kNoDirection, Defender(0)};
    Order(Attacker(0), order.plan, order.direction, order.target);
    Order(Attacker(1), order.plan, order.direction, order.target);

    AiTacticList list;
    AiTactic* tactic = list.AddTactic(AttackerSide(), order);
    ASSERT_NE(tactic, nullptr);
    tactic->squads.Add(Attacker(0));
    tactic->squads.Add(Attacker(1));
    EXPECT_TRUE(tactic->Execute());
    EXPECT_EQ(Defender(0)->count, 0);
    EXPECT_EQ(Attacker(0)->cell, 57u);
    EXPECT_EQ(Attacker(1)->cell, 79u);
    EXPECT_EQ(MovePoints(Attacker(1)), 2);
    EXPECT_EQ(PlanWord(Attacker(0)), kPlanNone) << "an order whose target died is cleared";
}

TEST_F(AiTactics, AttackGroupWalksUpToItsTargetAndStrikes)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 10);
    Begin();
    Put(Attacker(0), 57);
    Put(Defender(0), 59);
    Ready();
    const int32_t before = Defender(0)->TotalHitPoints();
    const AiOrder order{kPlanAttack, kNoDirection, Defender(0)};
    Order(Attacker(0), order.plan, order.direction, order.target);
    AiTacticList list;
    AiTactic* tactic = list.AddTactic(AttackerSide(), order);
    tactic->squads.Add(Attacker(0));

    EXPECT_TRUE(tactic->Execute());
    EXPECT_TRUE(g_battle.pathMap->AreNeighbours(Attacker(0), Defender(0)));
    EXPECT_LT(Defender(0)->TotalHitPoints(), before);
    EXPECT_EQ(MovePoints(Attacker(0)), 0);
    EXPECT_EQ(tactic->squads.Count(), 0) << "a squad that has struck leaves its group";
}

TEST_F(AiTactics, SquadBesideItsTargetStepsAsideOnlyToALessThreatenedCell)
{
    for (bool shooterBeside : {false, true}) {
        SCOPED_TRACE(shooterBeside ? "an enemy shooter beside it" : "nobody else near");
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 10);
        AddSquad(caseSides.defender, types.sword, 10);
        AddSquad(caseSides.defender, types.bow, 10);
        BeginBattle(&caseSides.params);
        CSquad* own = caseSides.attacker.army.Item(0);
        CSquad* target = caseSides.defender.army.Item(0);
        CSquad* shooter = caseSides.defender.army.Item(1);
        g_battle.attackerSide->PlaceSquadAt(own, 57);
        g_battle.defenderSide->PlaceSquadAt(target, 58);
        // Beside 57 and 47 (two cells beside the target), not beside 69.
        g_battle.defenderSide->PlaceSquadAt(shooter, shooterBeside ? 46 : 108);
        SetMovePoints(own, 2);
        const int32_t before = target->TotalHitPoints();
        const AiOrder order{kPlanAttack, kNoDirection, target};
        Order(own, order.plan, order.direction, order.target);
        AiTacticList list;
        AiTactic* tactic = list.AddTactic(g_battle.attackerSide, order);
        tactic->squads.Add(own);

        EXPECT_TRUE(tactic->Execute());
        EXPECT_EQ(own->cell, shooterBeside ? 69u : 57u);
        EXPECT_LT(target->TotalHitPoints(), before);
        EndBattle();
    }
}

TEST_F(AiTactics, MoveOrderIsClearedOnlyWhenTheDestinationIsReached)
{
    struct Case {
        const char* name;
        uint8_t destination;
        bool arrives;
    };
    const Case cases[] = {
        {"two cells away", 59, true},
        {"five cells away", 62, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 5);
        AddSquad(caseSides.defender, types.sword, 5);
        BeginBattle(&caseSides.params);
        CSquad* squad = caseSides.attacker.army.Item(0);
        g_battle.attackerSide->PlaceSquadAt(squad, 57);
        SetMovePoints(squad, 2);
        const AiOrder order{kPlanMove, c.destination, nullptr};
        Order(squad, order.plan, order.direction, order.target);
        AiTacticList list;
        AiTactic* tactic = list.AddTactic(g_battle.attackerSide, order);
        tactic->squads.Add(squad);

        EXPECT_TRUE(tactic->Execute());
        EXPECT_EQ(squad->cell == c.destination, c.arrives);
        EXPECT_NE(squad->cell, 57u) << "the squad walked";
        EXPECT_EQ(PlanWord(squad), c.arrives ? kPlanNone : kPlanMove);
        EXPECT_EQ(MovePoints(squad), 0);
        EndBattle();
    }
}

TEST_F(AiTactics, GuardStrikesAnEnemyBesideItElseStandsInDefence)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 10);
    Begin();
    Put(Attacker(0), 57);
    Put(Attacker(1), 13);
    Put(Defender(0), 58);
    Ready();
    const int32_t before = Defender(0)->TotalHitPoints();
    const AiOrder order{kPlanGuard, 0, nullptr};
    AiTacticList list;
    AiTactic* tactic = list.AddTactic(AttackerSide(), order);
    tactic->squads.Add(Attacker(0));
    tactic->squads.Add(Attacker(1));

    EXPECT_TRUE(tactic->Execute());
    EXPECT_LT(Defender(0)->TotalHitPoints(), before);
    EXPECT_EQ(DefencePercent(Attacker(1)), kStanceDefending);
    EXPECT_EQ(Attacker(1)->cell, 13u);
}

TEST_F(AiTactics, ApproachDirectionNamesTheCellEvenWhenItIsTaken)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    Put(Attacker(0), 57);
    Put(Defender(0), 62);
    Put(Attacker(1), g_battle.grid->Neighbour(62, 2));
    Ready();
    AiTacticList list;
    AiTactic* tactic = list.AddTactic(AttackerSide(), AiOrder{kPlanAttack, 2, Defender(0)});
    uint8_t cell = 0;
    EXPECT_TRUE(BestMoveCell(tactic, Attacker(0), cell, 1));
    EXPECT_EQ(cell, g_battle.grid->Neighbour(62, 2));

    Defender(0)->count = 0;
    EXPECT_FALSE(BestMoveCell(tactic, Attacker(0), cell, 1));
}

TEST_F(AiTactics, StopEndsTheRunBeforeTheNextTactic)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    AiTacticList list;
    ASSERT_NE(list.AddTactic(AttackerSide(), AiOrder{kPlanGuard, 0, nullptr}), nullptr);
    EXPECT_EQ(list.AddTactic(AttackerSide(), AiOrder{0, 0, nullptr}), nullptr);
    EXPECT_EQ(list.AddTactic(AttackerSide(), AiOrder{7, 0, nullptr}), nullptr);
    EXPECT_TRUE(list.Run());
    list.Stop();
    EXPECT_EQ(list.tactics[0]->stopFlag, 1);
    list.Clear();
    EXPECT_EQ(list.tactics.Count(), 0);
    EXPECT_EQ(list.runOrder.Count(), 0);
}

}  // namespace

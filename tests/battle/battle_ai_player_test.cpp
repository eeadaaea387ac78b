// Whole battles fought by the battle AI on both sides, without screen.
#include <gtest/gtest.h>

#include <vector>

#include "battle/battle_ai_player.h"
#include "battle/battle_flow.h"
#include "battle/computer_side.h"
#include "battle/side_controller.h"
#include "battle/squad_battle_state.h"
#include "core/random.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "tests/battle/ai_battle_fixture.h"

namespace {

struct Outcome {
    uint32_t result = 0;
    int32_t rounds = 0;
    std::vector<int32_t> attacker;
    std::vector<int32_t> defender;
    std::vector<uint32_t> cells;
};

int32_t Sum(const std::vector<int32_t>& counts)
{
    int32_t sum = 0;
    for (int32_t c : counts)
        sum += c;
    return sum;
}

class BattleAiPlayerTest : public AiBattleTest {
protected:
    void TearDown() override
    {
        g_battleTurnLimit = 0;
        AiBattleTest::TearDown();
    }

    Outcome Fight(uint32_t kind, uint32_t seed)
    {
        BattleSides battle;
        AddSquad(battle.attacker, types.sword, 12);
        AddSquad(battle.attacker, types.bow, 8);
        AddSquad(battle.attacker, types.axe, 6);
        AddSquad(battle.attacker, types.sword, 9);
        AddSquad(battle.defender, types.sword, 10);
        AddSquad(battle.defender, types.bow, 10);
        AddSquad(battle.defender, types.axe, 5);
        battle.params.kind = kind;
        if (kind == kBattleSiege) {
            battle.castle.moat = 1;
            battle.castle.catapults = 2;
            for (uint8_t& segment : battle.castle.segments)
                segment = 6;
            battle.params.castle = &battle.castle;
        }
        g_battleTurnLimit = 60;
        SetRandomState(seed);
        BeginBattle(&battle.params);
        RunPlacementPhase();
        RunBattleTurns();
        Outcome o{BattleResult,
                  g_battle.turnCounter,
                  Counts(battle.attacker.army),
                  Counts(battle.defender.army),
                  {}};
        for (CArmy* army : {&battle.attacker.army, &battle.defender.army})
            for (int i = 0; i < army->Count(); ++i)
                o.cells.push_back(army->Item(i)->cell);
        EndBattle();
        return o;
    }
};

TEST_F(BattleAiPlayerTest, AiAgainstAiIsFoughtToItsEndTheSameWayTwice)
{
    for (uint32_t kind : {kBattleOpenField, kBattleSiege}) {
        SCOPED_TRACE(kind == kBattleSiege ? "siege" : "open field");
        const Outcome first = Fight(kind, 4242);
        const Outcome second = Fight(kind, 4242);
        EXPECT_EQ(first.result, kBattleEnded);
        EXPECT_TRUE((Sum(first.attacker) == 0) != (Sum(first.defender) == 0)) << "exactly one army is left";
        EXPECT_GT(first.rounds, 1);
        EXPECT_EQ(first.result, second.result);
        EXPECT_EQ(first.rounds, second.rounds);
        EXPECT_EQ(first.attacker, second.attacker);
        EXPECT_EQ(first.defender, second.defender);
        EXPECT_EQ(first.cells, second.cells);
    }
}

TEST_F(BattleAiPlayerTest, ComputerSidesPlayWithTheInstalledAi)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    auto* side = dynamic_cast<CComputerSideController*>(AttackerSide());
    ASSERT_NE(side, nullptr);
    EXPECT_NE(dynamic_cast<CBattleAiPlayer*>(side->Ai()), nullptr);
}

TEST_F(BattleAiPlayerTest, TurnLeavesEveryOwnSquadWithoutMovePoints)
{
    AddSquad(sides.attacker, types.bow, 10);
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    Put(Attacker(0), 57);
    Put(Attacker(1), 13);
    Put(Defender(0), 64);
    Ready();
    const int32_t before = Defender(0)->TotalHitPoints();
    auto* player =
        dynamic_cast<CBattleAiPlayer*>(dynamic_cast<CComputerSideController*>(AttackerSide())->Ai());
    ASSERT_NE(player, nullptr);

    player->PlayTurn();
    // The bow shot from where it stood instead of walking.
    EXPECT_EQ(Attacker(0)->cell, 57u);
    EXPECT_LT(Defender(0)->TotalHitPoints(), before);
    EXPECT_FALSE(player->HasMovePointsLeft());
    EXPECT_EQ(MovePoints(Defender(0)), 2) << "the other side is not touched";
}

}  // namespace

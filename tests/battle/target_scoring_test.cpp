// The battle AI's ratings of squads and armies, the order in which it
// considers the enemy squads and the cell it approaches a target from.
#include <gtest/gtest.h>

#include <vector>

#include "battle/battle_ai_strategy.h"
#include "battle/battle_flow.h"
#include "battle/path_map.h"
#include "battle/side_controller.h"
#include "battle/squad_battle_state.h"
#include "battle/target_scoring.h"
#include "game/army.h"
#include "tests/battle/ai_battle_fixture.h"

namespace {

class TargetScoring : public AiBattleTest {
protected:
    CGeneralAiStrategy* General() const { return static_cast<CGeneralAiStrategy*>(BattleAiStrategies[1]); }
    CGeneralAiStrategy* Siege() const { return static_cast<CGeneralAiStrategy*>(BattleAiStrategies[0]); }
};

TEST_F(TargetScoring, RatingsFollowAttackAndSpeedAgainstTheArmysBest)
{
    // Best attack value 4 (the axe), best speed 2.
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.attacker, types.bow, 5);
    AddSquad(sides.attacker, types.axe, 4);
    AddSquad(sides.attacker, types.axe, 10000);
    AddSquad(sides.defender, types.sword, 5);
    struct Case {
        const char* name;
        int squad;
        uint32_t powerOption;
        bool siege;
        uint8_t cell;
        int16_t expected;
    };
    const Case cases[] = {
        {"melee: 30 x 60 / 4 + 2 x 30 / 2", 0, 0, false, 57, 480},
        {"ranged: 10 x 90 / 4 + 2 x 10 / 2", 1, 0, false, 57, 235},
        {"ranged with power option 2", 1, 2, false, 57, 100},
        {"slow melee: 16 x 60 / 4 + 1 x 30 / 2", 2, 0, false, 57, 255},
        {"a product past 16 bits turns negative and is cut to 0", 3, 0, false, 57, 0},
        {"siege, melee before the moat", 0, 2, true, 57, 480},
        {"siege, melee past the moat rated like a shooter", 0, 0, true, 63, 685},
        {"siege, ranged ignores the power option", 1, 2, true, 57, 235},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sides.params.powerOption = c.powerOption;
        sides.castle.Reset();
        Begin(c.siege ? kBattleSiege : kBattleOpenField);
        Put(Attacker(c.squad), c.cell);
        CGeneralAiStrategy* strategy = c.siege ? Siege() : General();
        EXPECT_EQ(strategy->SquadRating(&sides.attacker.army, Attacker(c.squad)), c.expected);
        End();
    }
}

TEST_F(TargetScoring, StrengthsSumCountTimesForce)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.attacker, types.bow, 5);
    AddSquad(sides.attacker, types.bow, 7);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    EXPECT_EQ(General()->ArmyStrength(&sides.attacker.army), 22);
    EXPECT_EQ(General()->RangedStrength(&sides.attacker.army), 12);
    EXPECT_EQ(General()->RangedStrength(&sides.defender.army), 0);
}

TEST_F(TargetScoring, CastleCatapultsWeighOnTheDefendersSideOfTheRangedPower)
{
    // Both sides shoot with one bow squad rated 235 in its own army.
    AddSquad(sides.attacker, types.bow, 5);
    AddSquad(sides.defender, types.bow, 5);
    sides.castle.catapults = 2;
    Begin(kBattleSiege);
    const CArmy* attackers = &sides.attacker.army;
    const CArmy* defenders = &sides.defender.army;
    const int32_t rating = General()->SquadRating(attackers, Attacker(0));
    ASSERT_GT(rating, 60);
    EXPECT_EQ(General()->RangedPowerRatio(attackers, defenders), 1);
    EXPECT_EQ(Siege()->RangedPowerRatio(defenders, attackers), (rating + 60) / rating);
    EXPECT_EQ(Siege()->RangedPowerRatio(attackers, defenders), rating / (rating + 60));
}

TEST_F(TargetScoring, TargetOrderRanksByValueAndBreaksTiesByLowerIndex)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 5);  // 0
    AddSquad(sides.defender, types.axe, 20);   // 1: the most dangerous
    AddSquad(sides.defender, types.sword, 5);  // 2: the same as 0
    AddSquad(sides.defender, types.sword, 0);  // 3: dead, still ranked by its speed
    Begin();
    // Keep every defender away from the attacker so that no reach factor
    // separates the equal squads.
    Put(Attacker(0), 13);
    Put(Defender(0), 108);
    Put(Defender(1), 97);
    Put(Defender(2), 86);
    for (int i = 0; i < 4; ++i)
        SetMovePoints(Defender(i), 1);
    AiTargetOrder order;
    BuildTargetOrder(General(), &sides.defender.army, &sides.attacker.army, order);
    std::vector<int16_t> got(order.begin(), order.end());
    EXPECT_EQ(got, (std::vector<int16_t>{1, 0, 2, 3}));
}

TEST_F(TargetScoring, EnemyThatCanReachOurSquadsIsRaisedAboveAStrongerOne)
{
    AddSquad(sides.attacker, types.sword, 10);
    AddSquad(sides.defender, types.sword, 9);  // 0: stronger, but far
    AddSquad(sides.defender, types.sword, 5);  // 1: one step from our squad
    Begin();
    Put(Attacker(0), 57);
    Put(Defender(0), 108);
    Put(Defender(1), 59);
    for (int i = 0; i < 2; ++i)
        SetMovePoints(Defender(i), 1);
    AiTargetOrder order;
    BuildTargetOrder(General(), &sides.defender.army, &sides.attacker.army, order);
    std::vector<int16_t> got(order.begin(), order.end());
    EXPECT_EQ(got, (std::vector<int16_t>{1, 0}));
}

TEST_F(TargetScoring, EnemyInReachOfABigArmyStaysOnTopInsteadOfOverflowing)
{
    // Four own squads rated 30030 each: four reach factors of about 301 are
    // far beyond 32 bits.
    for (int i = 0; i < 4; ++i)
        AddSquad(sides.attacker, types.sword, 500);
    AddSquad(sides.defender, types.sword, 500);  // 0: far, reaches nobody
    AddSquad(sides.defender, types.sword, 499);  // 1: reaches everybody
    Begin();
    const uint8_t column[] = {13, 35, 57, 79};
    for (int i = 0; i < 4; ++i)
        Put(Attacker(i), column[i]);
    Put(Defender(0), 108);
    Put(Defender(1), 62);
    SetMovePoints(Defender(0), 1);
    SetMovePoints(Defender(1), 0);  // a limit of 0 is no limit at all
    AiTargetOrder order;
    BuildTargetOrder(General(), &sides.defender.army, &sides.attacker.army, order);
    std::vector<int16_t> got(order.begin(), order.end());
    EXPECT_EQ(got, (std::vector<int16_t>{1, 0}));
}

TEST_F(TargetScoring, ApproachCellIsTheCheapestReachableNeighbourElseTheFirstFreeGround)
{
    for (int i = 0; i < 7; ++i)
        AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    Put(Defender(0), 64);
    Put(Attacker(0), 57);
    ASSERT_TRUE(g_battle.pathMap->Compute(57, 0, 0, 1));
    // From 57 the cells 63 (left of 64) and 53, 75 (above and below on the
    // left) are six steps away; direction order 5..0 takes 75 first among them.
    const uint8_t reachable = General()->ChooseApproachCell(Defender(0));
    EXPECT_TRUE(g_battle.pathMap->IsReachable(reachable));
    EXPECT_EQ(g_battle.pathMap->CostAt(reachable), 6);

    const uint8_t around[] = {46, 47, 56, 58, 68, 69};
    for (int i = 0; i < 6; ++i)
        Put(Attacker(i + 1), around[i]);
    ASSERT_TRUE(g_battle.pathMap->Compute(57, 0, 0, 1));
    // Nothing is reachable: the first free ground cell, directions 5 down to 0
    // (76, down-right, is border).
    EXPECT_EQ(General()->ChooseApproachCell(Defender(0)), 75);
}

}  // namespace

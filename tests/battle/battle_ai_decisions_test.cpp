// The orders the battle AI gives single squads in small hand-set situations,
// and where it places its squads before the first turn.
#include <gtest/gtest.h>

#include <vector>

#include "battle/battle_ai_strategy.h"
#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/side_controller.h"
#include "battle/siege_scene.h"
#include "battle/squad_battle_state.h"
#include "game/army.h"
#include "tests/battle/ai_battle_fixture.h"

namespace {

using BattleAiDecisions = AiBattleTest;

// A siege of the sides' castle, every wall at the given hit points.
void BeginSiege(BattleSides& sides, uint8_t wallPoints)
{
    for (uint8_t& segment : sides.castle.segments)
        segment = wallPoints;
    sides.params.kind = kBattleSiege;
    sides.params.castle = &sides.castle;
    BeginBattle(&sides.params);
    g_battle.scene->Prepare();
}

struct TargetCase {
    const char* name;
    uint8_t weakCell;  // where the weak enemy squad stands
    bool expectWeak;   // the order goes to the weak squad, else to the strong one
};

TEST_F(BattleAiDecisions, MeleeSquadAttacksTheWeakEnemyInReachElseTheMostDangerous)
{
    const TargetCase cases[] = {
        {"weak squad two cells away", 59, true},
        {"weak squad out of reach this turn", 97, false},
    };
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.name);
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 10);
        AddSquad(caseSides.defender, types.axe, 30);
        AddSquad(caseSides.defender, types.sword, 3);
        caseSides.params.kind = kBattleOpenField;
        BeginBattle(&caseSides.params);
        CSquad* own = caseSides.attacker.army.Item(0);
        CSquad* strong = caseSides.defender.army.Item(0);
        CSquad* weak = caseSides.defender.army.Item(1);
        g_battle.attackerSide->PlaceSquadAt(own, 57);
        g_battle.defenderSide->PlaceSquadAt(strong, 64);
        g_battle.defenderSide->PlaceSquadAt(weak, c.weakCell);
        for (CSquad* s : {own, strong, weak})
            SetMovePoints(s, s->type->moveSpeed);

        EXPECT_TRUE(AiPlaySquad(g_battle.attackerSide, own));
        EXPECT_EQ(PlanWord(own), kPlanAttack);
        EXPECT_EQ(OrderCell(own), kNoDirection);
        EXPECT_EQ(TargetSquad(own), c.expectWeak ? weak : strong);
        EndBattle();
    }
}

TEST_F(BattleAiDecisions, TargetCoveredByOtherAttackersIsPassedOverInTheFirstPass)
{
    for (bool covered : {false, true}) {
        SCOPED_TRACE(covered ? "covered" : "not covered");
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 10);
        AddSquad(caseSides.attacker, types.sword, 10);
        AddSquad(caseSides.defender, types.sword, 5);
        AddSquad(caseSides.defender, types.sword, 4);
        BeginBattle(&caseSides.params);
        CSquad* actor = caseSides.attacker.army.Item(0);
        CSquad* helper = caseSides.attacker.army.Item(1);
        CSquad* first = caseSides.defender.army.Item(0);
        CSquad* second = caseSides.defender.army.Item(1);
        g_battle.attackerSide->PlaceSquadAt(actor, 57);
        g_battle.attackerSide->PlaceSquadAt(helper, 35);
        g_battle.defenderSide->PlaceSquadAt(first, 59);
        g_battle.defenderSide->PlaceSquadAt(second, 48);
        for (CArmy* army : {&caseSides.attacker.army, &caseSides.defender.army})
            for (int i = 0; i < army->Count(); ++i)
                SetMovePoints(army->Item(i), 2);
        if (covered) {
            // The helper alone is rated above 130 % of the first target.
            SetPlanWord(helper, kPlanAttack);
            SetOrderCell(helper, kNoDirection);
            SetTargetSquad(helper, first);
        }

        EXPECT_TRUE(AiPlaySquad(g_battle.attackerSide, actor));
        EXPECT_EQ(PlanWord(actor), kPlanAttack);
        EXPECT_EQ(TargetSquad(actor), covered ? second : first);
        EndBattle();
    }
}

TEST_F(BattleAiDecisions, ShooterTakesTheEnemyShooterUnlessAMeleeSquadIsFarMoreDangerous)
{
    struct Case {
        const char* name;
        int32_t meleeCount;
        bool expectShooter;
    };
    const Case cases[] = {
        {"melee squad rated about as high", 2, true},
        {"melee squad rated more than twice as high", 6, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.bow, 10);
        AddSquad(caseSides.defender, types.axe, c.meleeCount);
        AddSquad(caseSides.defender, types.bow, 3);
        BeginBattle(&caseSides.params);
        CSquad* own = caseSides.attacker.army.Item(0);
        CSquad* melee = caseSides.defender.army.Item(0);
        CSquad* shooter = caseSides.defender.army.Item(1);
        g_battle.attackerSide->PlaceSquadAt(own, 57);
        g_battle.defenderSide->PlaceSquadAt(melee, 64);
        g_battle.defenderSide->PlaceSquadAt(shooter, 86);
        SetMovePoints(own, 2);

        EXPECT_TRUE(AiPlaySquad(g_battle.attackerSide, own));
        EXPECT_EQ(PlanWord(own), kPlanAttack);
        EXPECT_EQ(TargetSquad(own), c.expectShooter ? shooter : melee);
        EndBattle();
    }
}

TEST_F(BattleAiDecisions, SquadHemmedInByItsOwnArmyGetsNoOrder)
{
    for (int i = 0; i < 7; ++i)
        AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    CSquad* boxed = Attacker(0);
    Put(boxed, 57);
    const uint8_t around[] = {46, 47, 56, 58, 68, 69};
    for (int i = 0; i < 6; ++i)
        Put(Attacker(i + 1), around[i]);
    Put(Defender(0), 64);
    Ready();

    EXPECT_FALSE(AiPlaySquad(AttackerSide(), boxed));
    EXPECT_EQ(PlanWord(boxed), kPlanNone);
    EXPECT_EQ(boxed->cell, 57u);
}

TEST_F(BattleAiDecisions, SiegeStrategyTakesPartOnlyInASiege)
{
    for (uint32_t kind : {kBattleOpenField, kBattleSiege}) {
        SCOPED_TRACE(kind);
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 5);
        AddSquad(caseSides.defender, types.sword, 5);
        caseSides.params.kind = kind;
        caseSides.params.castle = &caseSides.castle;
        BeginBattle(&caseSides.params);
        ASSERT_EQ(BattleAiStrategies.Count(), 2);
        EXPECT_EQ(BattleAiStrategies[0]->AppliesTo(g_battle.attackerSide), kind == kBattleSiege);
        EXPECT_TRUE(BattleAiStrategies[1]->AppliesTo(g_battle.attackerSide));
        EndBattle();
        EXPECT_EQ(BattleAiStrategies.Count(), 0) << "the end of a battle deletes the strategies";
    }
}

TEST_F(BattleAiDecisions, MeleeOnlySideMovesJustItsCornerSquads)
{
    AddSquad(sides.attacker, types.sword, 5);
    for (int i = 0; i < 5; ++i)
        AddSquad(sides.defender, types.sword, 5);
    Begin();
    // Lined up in column 9 on rows 1, 3, 5, 7 and 9: the first and the last
    // stand on corner cells.
    AiPlaceSquads(DefenderSide());
    std::vector<uint32_t> cells;
    for (int i = 0; i < 5; ++i)
        cells.push_back(Defender(i)->cell);
    EXPECT_EQ(cells, (std::vector<uint32_t>{31, 42, 64, 86, 97}));
    EXPECT_EQ(g_battle.grid->Cell(20).occupant, nullptr);
    EXPECT_EQ(g_battle.grid->Cell(31).occupant, Defender(0));
}

TEST_F(BattleAiDecisions, ShootersArePlacedInTheHalfAwayFromTheStrongestEnemyMeleeSquad)
{
    struct Case {
        const char* name;
        uint8_t enemyCell;
        uint32_t expected;
    };
    const Case cases[] = {
        {"enemy melee in the upper half", 13, 108},
        {"enemy melee in the lower half", 79, 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 5);
        AddSquad(caseSides.defender, types.bow, 5);
        AddSquad(caseSides.defender, types.sword, 5);
        BeginBattle(&caseSides.params);
        g_battle.attackerSide->PlaceSquadAt(caseSides.attacker.army.Item(0), c.enemyCell);
        AiPlaceSquads(g_battle.defenderSide);
        EXPECT_EQ(caseSides.defender.army.Item(0)->cell, c.expected);
        EndBattle();
    }
}

TEST_F(BattleAiDecisions, SiegeAttackerWithShootersSpreadsItsMeleeSquadsApart)
{
    for (bool withBows : {true, false}) {
        SCOPED_TRACE(withBows ? "with a bow squad" : "melee only");
        BattleSides caseSides;
        AddSquad(caseSides.attacker, withBows ? types.bow : types.sword, 5);
        for (int i = 0; i < 4; ++i)
            AddSquad(caseSides.attacker, types.sword, 5);
        AddSquad(caseSides.defender, types.sword, 5);
        BeginSiege(caseSides, 20);
        CArmy& army = caseSides.attacker.army;
        // Four swords in a tight block in columns 1 and 2.
        const uint8_t block[] = {57, 56, 46, 67};
        for (int i = 0; i < 4; ++i)
            g_battle.attackerSide->PlaceSquadAt(army.Item(i + 1), block[i]);
        AiPlaceSquads(g_battle.attackerSide);
        int crowded = 0;
        for (int i = 1; i < 5; ++i)
            for (int j = 0; j < 5; ++j)
                for (uint8_t d = 0; d < 6 && j != i; ++d)
                    if (g_battle.grid->Neighbour(uint8_t(army.Item(i)->cell), d) == army.Item(j)->cell)
                        ++crowded;
        if (withBows) {
            EXPECT_EQ(crowded, 0) << "no sword keeps an own squad beside it";
        } else {
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(army.Item(i + 1)->cell, block[i]);
        }
        EndBattle();
    }
}

TEST_F(BattleAiDecisions, SiegeAttackerMeleeHeadsForTheWeakestWallWhileAllStand)
{
    for (bool breached : {false, true}) {
        SCOPED_TRACE(breached ? "a wall is down" : "every wall stands");
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 10);
        AddSquad(caseSides.defender, types.sword, 10);
        const uint8_t segments[] = {20, 5, 20, 20};
        for (int k = 0; k < 4; ++k)
            caseSides.castle.segments[k] = segments[k];
        caseSides.params.kind = kBattleSiege;
        caseSides.params.castle = &caseSides.castle;
        BeginBattle(&caseSides.params);
        g_battle.scene->Prepare();
        if (breached)
            for (CArmyItem* item : g_battle.scene->objects)
                if (item->IsKindOf(kKindWall) && item->cell == 83)
                    item->Damage(item->hitPoints);
        CSquad* own = caseSides.attacker.army.Item(0);
        g_battle.attackerSide->PlaceSquadAt(own, 57);
        g_battle.defenderSide->PlaceSquadAt(caseSides.defender.army.Item(0), 59);
        SetMovePoints(own, 2);

        EXPECT_TRUE(AiPlaySquad(g_battle.attackerSide, own));
        if (breached) {
            EXPECT_EQ(PlanWord(own), kPlanAttack);
        } else {
            // The wall of 5 points stands on 39; its outer side is 38.
            EXPECT_EQ(PlanWord(own), kPlanMove);
            EXPECT_EQ(OrderCell(own), 38);
        }
        EndBattle();
    }
}

// The garrison holds its castle until somebody crosses the moat: melee that
// stayed by its own shooters once a wall is down would stand outside the
// breach for good, under the castle's catapults.
TEST_F(BattleAiDecisions, SiegeAttackerMeleeGoesThroughABreachRatherThanGuardItsShooters)
{
    for (bool withBows : {false, true}) {
        SCOPED_TRACE(withBows ? "with a bow squad behind" : "melee only");
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 10);
        if (withBows)
            AddSquad(caseSides.attacker, types.bow, 10);
        AddSquad(caseSides.defender, types.sword, 10);
        BeginSiege(caseSides, 20);
        for (CArmyItem* item : g_battle.scene->objects)
            if (item->IsKindOf(kKindWall) && item->cell == 83)
                item->Damage(item->hitPoints);
        CSquad* own = caseSides.attacker.army.Item(0);
        CSquad* garrison = caseSides.defender.army.Item(0);
        g_battle.attackerSide->PlaceSquadAt(own, 80);
        if (withBows)
            g_battle.attackerSide->PlaceSquadAt(caseSides.attacker.army.Item(1), 100);
        g_battle.defenderSide->PlaceSquadAt(garrison, 86);
        SetMovePoints(own, 2);

        EXPECT_TRUE(AiPlaySquad(g_battle.attackerSide, own));
        EXPECT_EQ(PlanWord(own), kPlanAttack);
        EXPECT_EQ(TargetSquad(own), garrison);
        EndBattle();
    }
}

TEST_F(BattleAiDecisions, SiegeDefenderWithoutShootersOpensTheBridgeWhenOutgunned)
{
    struct Case {
        const char* name;
        int32_t defenders;
        uint8_t catapults;
        bool opens;
    };
    const Case cases[] = {
        {"weak and without catapults", 3, 0, true},
        {"weak with catapults", 3, 2, true},
        {"strong with catapults", 50, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BattleSides caseSides;
        // Forty bows: a ranged strength of 40, against the defenders' count
        // plus 30 per working catapult.
        AddSquad(caseSides.attacker, types.bow, 40);
        AddSquad(caseSides.defender, types.sword, c.defenders);
        caseSides.castle.catapults = c.catapults;
        BeginSiege(caseSides, 20);
        auto* scene = static_cast<CSiegeScene*>(g_battle.scene);
        CSquad* own = caseSides.defender.army.Item(0);
        g_battle.attackerSide->PlaceSquadAt(caseSides.attacker.army.Item(0), 57);
        g_battle.defenderSide->PlaceSquadAt(own, 64);
        SetMovePoints(own, 2);
        ASSERT_FALSE(scene->bridge->IsOpen());

        AiPlaySquad(g_battle.defenderSide, own);
        EXPECT_EQ(scene->bridge->IsOpen(), c.opens);
        EndBattle();
    }
}

}  // namespace

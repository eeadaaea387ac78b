// What the battle AI aims the siege engines at: the trebuchet at the wall
// that breaks the castle open soonest (or a catapult once walls are down),
// the castle's catapults at the most worthwhile squad before the moat.
#include <gtest/gtest.h>

#include <vector>

#include "battle/battle_flow.h"
#include "battle/battle_rules.h"
#include "battle/side_controller.h"
#include "battle/siege_engine_aiming.h"
#include "battle/siege_scene.h"
#include "game/army.h"
#include "tests/battle/ai_battle_fixture.h"

namespace {

class SiegeEngineAiming : public AiBattleTest {
protected:
    void SetUp() override
    {
        AiBattleTest::SetUp();
        // Every shot hits, and hard enough to see.
        g_battleRules.trebuchetHitChance = 100;
        g_battleRules.trebuchetDamage = 3;
        AddSquad(sides.attacker, types.sword, 20);
        AddSquad(sides.defender, types.sword, 10);
    }
    CSiegeScene* Scene() const { return static_cast<CSiegeScene*>(g_battle.scene); }
    std::vector<CArmyItem*> Walls() const
    {
        std::vector<CArmyItem*> walls;
        for (CArmyItem* item : Scene()->objects)
            if (item->IsKindOf(kKindWall))
                walls.push_back(item);
        return walls;
    }
    CArmyItem* WallAt(uint8_t cell) const
    {
        for (CArmyItem* wall : Walls())
            if (wall->cell == cell)
                return wall;
        return nullptr;
    }
};

TEST_F(SiegeEngineAiming, TrebuchetAimsAtTheWeakestStandingWall)
{
    const uint8_t segments[] = {20, 5, 20, 7};
    for (int k = 0; k < 4; ++k)
        sides.castle.segments[k] = segments[k];
    sides.castle.catapults = 2;
    Begin(kBattleSiege);
    ASSERT_NE(Scene()->trebuchet, nullptr);

    AiAimTrebuchet(AttackerSide(), AttackerSide()->SetupPtr());
    // Wall segments stand on 29, 39, 83 and 95; the one of 5 points is hit.
    EXPECT_EQ(WallAt(39)->hitPoints, 2);
    EXPECT_EQ(WallAt(29)->hitPoints, 20);
    EXPECT_EQ(WallAt(83)->hitPoints, 20);
    EXPECT_EQ(WallAt(95)->hitPoints, 7);
    for (CSiegeCatapult* catapult : Scene()->catapults)
        EXPECT_EQ(catapult->hitPoints, 4);
}

TEST_F(SiegeEngineAiming, TrebuchetTurnsOnTheCatapultsOnceEveryWallIsDown)
{
    sides.castle.segments[0] = sides.castle.segments[1] = sides.castle.segments[2] =
        sides.castle.segments[3] = 10;
    sides.castle.catapults = 2;
    Begin(kBattleSiege);
    for (CArmyItem* wall : Walls())
        wall->Damage(wall->hitPoints);
    ASSERT_EQ(Scene()->catapults.size(), 2u);
    Scene()->catapults[1]->hitPoints = 3;

    // Four breaches: 4 x 30 beats every roll of 0..100.
    AiAimTrebuchet(AttackerSide(), AttackerSide()->SetupPtr());
    EXPECT_EQ(Scene()->catapults[0]->hitPoints, 4);
    EXPECT_EQ(Scene()->catapults[1]->hitPoints, 0);
}

TEST_F(SiegeEngineAiming, TrebuchetTakesACatapultWhenNoWallHasHitPoints)
{
    // Segments of 0 from the start: no wall is breached, and none stands.
    sides.castle.catapults = 1;
    Begin(kBattleSiege);
    AiAimTrebuchet(AttackerSide(), AttackerSide()->SetupPtr());
    EXPECT_EQ(Scene()->catapults[0]->hitPoints, 1);
}

TEST_F(SiegeEngineAiming, NoShotWithoutAWorkingTrebuchet)
{
    sides.castle.segments[0] = 9;
    Begin(kBattleSiege);
    Scene()->trebuchet->hitPoints = 0;
    AiAimTrebuchet(AttackerSide(), AttackerSide()->SetupPtr());
    EXPECT_EQ(WallAt(29)->hitPoints, 9);
}

TEST_F(SiegeEngineAiming, CatapultsRateShootersByThePowerOption)
{
    struct Case {
        uint32_t powerOption;
        bool expectBow;
    };
    // Swords: 20 x melee 3 = 60. Bows: 5 x ranged 2 x 4 = 40, or x 16 = 160.
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, true}}) {
        SCOPED_TRACE(c.powerOption);
        BattleSides caseSides;
        AddSquad(caseSides.attacker, types.sword, 20);
        AddSquad(caseSides.attacker, types.bow, 5);
        AddSquad(caseSides.attacker, types.sword, 50);
        AddSquad(caseSides.defender, types.sword, 10);
        caseSides.castle.catapults = 2;
        caseSides.params.kind = kBattleSiege;
        caseSides.params.castle = &caseSides.castle;
        caseSides.params.powerOption = c.powerOption;
        BeginBattle(&caseSides.params);
        g_battle.scene->Prepare();
        CSquad* swords = caseSides.attacker.army.Item(0);
        CSquad* bows = caseSides.attacker.army.Item(1);
        CSquad* pastTheMoat = caseSides.attacker.army.Item(2);
        g_battle.attackerSide->PlaceSquadAt(swords, 57);
        g_battle.attackerSide->PlaceSquadAt(bows, 35);
        // Rated highest of all, but past the moat line: never a target.
        g_battle.attackerSide->PlaceSquadAt(pastTheMoat, 63);
        ASSERT_FALSE(IsBeforeMoatLine(63));
        const int32_t swordsBefore = swords->TotalHitPoints();
        const int32_t bowsBefore = bows->TotalHitPoints();
        const int32_t pastBefore = pastTheMoat->TotalHitPoints();

        AiAimCatapults(g_battle.defenderSide, g_battle.defenderSide->SetupPtr(), 0);
        EXPECT_EQ(bows->TotalHitPoints() < bowsBefore, c.expectBow);
        EXPECT_EQ(swords->TotalHitPoints() < swordsBefore, !c.expectBow);
        EXPECT_EQ(pastTheMoat->TotalHitPoints(), pastBefore);
        EndBattle();
    }
}

TEST_F(SiegeEngineAiming, CatapultsBelowTheFirstIndexAreLeftAlone)
{
    sides.castle.catapults = 2;
    Begin(kBattleSiege);
    Put(Attacker(0), 57);
    Scene()->catapults[1]->hitPoints = 0;
    const int32_t before = Attacker(0)->TotalHitPoints();

    // From index 1 on only the destroyed catapult is left: nothing fires.
    AiAimCatapults(DefenderSide(), DefenderSide()->SetupPtr(), 1);
    EXPECT_EQ(Attacker(0)->TotalHitPoints(), before);
    AiAimCatapults(DefenderSide(), DefenderSide()->SetupPtr(), 0);
    EXPECT_LT(Attacker(0)->TotalHitPoints(), before);
}

TEST_F(SiegeEngineAiming, CatapultsPreferASquadAmongItsFriendsToOneAmongOurs)
{
    // Two equal groups before the moat: one beside a friend, one beside a
    // defender who came out.
    sides.attacker.army.Clear();
    sides.defender.army.Clear();
    AddSquad(sides.attacker, types.sword, 10);  // beside a defender
    AddSquad(sides.attacker, types.sword, 10);  // beside a friend
    AddSquad(sides.attacker, types.sword, 1);
    AddSquad(sides.defender, types.sword, 10);
    sides.castle.catapults = 1;
    Begin(kBattleSiege);
    Put(Attacker(0), 35);
    Put(Defender(0), 36);
    Put(Attacker(1), 79);
    Put(Attacker(2), 80);
    const int32_t nearFoe = Attacker(0)->TotalHitPoints();
    const int32_t nearFriend = Attacker(1)->TotalHitPoints();

    AiAimCatapults(DefenderSide(), DefenderSide()->SetupPtr(), 0);
    EXPECT_EQ(Attacker(0)->TotalHitPoints(), nearFoe);
    EXPECT_LT(Attacker(1)->TotalHitPoints(), nearFriend);
}

}  // namespace

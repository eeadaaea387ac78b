// The base attack: every outcome driven by a stub of the map battle that
// writes the result and takes scripted losses from the two armies.
#include "game/attack_support.h"
#include "game/battle_seam.h"
#include "tests/game/model_fixture.h"

namespace {

class AttackTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        // Player 0: 0 (capital, castle), 1. Player 1: 2, 3 (capital, castle), 4.
        // 1 borders 2; 2 borders 3 and 4; 5 is neutral next to 1.
        BuildWorld(2, {{0, {1}, true}, {0, {2, 5}}, {1, {3, 4}}, {1, {}, true}, {1, {}}, {-1, {}}}, {0, 3});
        GiveTestControllers();
        battles = 0;
        Player(0).armyLocation = 1;
        SetArmy(0, 10, 0);
        SetGold(0, 500);
        Rules().siegeCost = Bundle(50);
        Rules().battleBase = 10;
        Rules().battleFactor = 1;
        SigMapBattle.Connect([this](MapBattleRecord*, uint8_t) {
            ++battles;
            BattleResult = result;
            Player(0).army.Item(0)->count -= attackerLoss;
            Player(1).army.Item(0)->count -= defenderLoss;
        });
    }
    void Attack(int province)
    {
        Test(0).movePoints = 3;
        Test(0).UpdateReach();
        Test(0).AttackProvince(&Province(province), 0, 0);
    }
    int battles = 0;
    uint32_t result = kBattleEnded;
    int32_t attackerLoss = 0;
    int32_t defenderLoss = 0;
};

TEST_F(AttackTest, ANeutralProvinceIsTakenWithoutBattleOrPrice)
{
    Attack(5);
    EXPECT_EQ(battles, 0);
    EXPECT_EQ(Province(5).owner, &Player(0));
    EXPECT_EQ(Player(0).armyLocation, 5);
    EXPECT_EQ(Gold(0), 500);
    EXPECT_EQ(Player(0).stats.victories, 0);
    EXPECT_EQ(Test(0).movePoints, 0);
    EXPECT_NE(Test(0).flags & kAttackedThisTurn, 0);
}

TEST_F(AttackTest, AnEmptyProvinceIsTakenAndAStandingCastleCostsTheSiegePrice)
{
    Province(2).castleFlag = 1;
    Province(2).castle.percent = 60;
    Attack(2);
    EXPECT_EQ(battles, 0);
    EXPECT_EQ(Province(2).owner, &Player(0));
    EXPECT_EQ(Gold(0), 450);
    EXPECT_EQ(Player(0).stats.victories, 1);
    EXPECT_EQ(Player(1).stats.defeats, 1);
}

TEST_F(AttackTest, OutcomesOfADefendedProvince)
{
    const struct {
        const char* name;
        uint32_t result;
        int32_t attackerLoss, defenderLoss;
        bool captured;
        int attackerLocation;
        int32_t attackerSwords;
        int32_t lost0, killed0, lost1, killed1;
    } cases[] = {
        // The battle ends with the defenders gone: captured.
        {"won", kBattleEnded, 2, 4, true, 2, 8, 2, 4, 4, 2},
        // The attacker's army is wiped out: back to its capital, empty.
        {"lost", kBattleEnded, 10, 1, false, 0, 0, 10, 1, 1, 10},
        // The attacker gives up: half of what is left retreats into the
        // garrison of its capital (the army had marched into the province),
        // the other half (3 of 6) is lost to the defender.
        {"attacker gave up", kBattleAttackerGaveUp, 4, 1, false, 0, 0, 7, 1, 1, 7},
        // The defender gives up: its units retreat at half strength to the
        // garrison of its nearest own province (4, next to 2); 2 of the 3
        // left are lost.
        {"defender gave up", kBattleDefenderGaveUp, 1, 1, true, 2, 9, 1, 3, 3, 1},
    };
    for (const auto& c : cases) {
        SetUp();
        SetGarrison(2, 4, 0);
        result = c.result;
        attackerLoss = c.attackerLoss;
        defenderLoss = c.defenderLoss;
        Attack(2);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(battles, 1);
        EXPECT_EQ(Province(2).owner == &Player(0), c.captured);
        EXPECT_EQ(Player(0).armyLocation, c.attackerLocation);
        EXPECT_EQ(Player(0).army.Item(0)->count, c.attackerSwords);
        EXPECT_EQ(Player(0).stats.lost.Strength(), c.lost0 * 2);
        EXPECT_EQ(Player(0).stats.killed.Strength(), c.killed0 * 2);
        // The defender's statistics are booked once, by the attack.
        EXPECT_EQ(Player(1).stats.lost.Strength(), c.lost1 * 2);
        EXPECT_EQ(Player(1).stats.killed.Strength(), c.killed1 * 2);
        EXPECT_EQ(Player(1).army.Item(0)->count, 0)
            << "the defender's field army stayed at its capital, empty";
        EXPECT_EQ(Test(0).movePoints, 0);
        ASSERT_EQ(Test(1).battleReports.size(), 1u);
        EXPECT_EQ(Test(1).battleReports[0].first, c.captured ? 0 : 1);
        if (c.result == kBattleAttackerGaveUp) {
            EXPECT_EQ(Province(0).garrison.Item(0)->count, 3);
        }
        if (c.result == kBattleDefenderGaveUp) {
            EXPECT_EQ(Province(4).garrison.Item(0)->count, 1);
        }
        EXPECT_EQ(Player(0).stats.victories, c.captured ? 1 : 0);
        EXPECT_EQ(Player(0).stats.defeats, c.captured ? 0 : 1);
        TearDown();
    }
    SetUp();
}

TEST_F(AttackTest, AFleeingDefenderLosesTheProvinceWithoutBattle)
{
    SetGarrison(2, 6, 0);
    struct Flee : TestController {
        using TestController::TestController;
        bool OnProvinceAttacked(CArmy*, ProvinceRecord*, uint8_t* flee, uint8_t*) override
        {
            *flee = 1;
            return true;
        }
    };
    Player(1).DeleteController();
    Player(1).controller = new Flee(&Player(1));
    Attack(2);
    EXPECT_EQ(battles, 0);
    EXPECT_EQ(Province(2).owner, &Player(0));
    EXPECT_EQ(Province(4).garrison.Item(0)->count, 3);
    EXPECT_EQ(Player(1).stats.retreats, 1);
    EXPECT_EQ(Player(1).stats.lost.Strength(), 3 * 2) << "the half that did not get away";
    EXPECT_EQ(Player(0).stats.killed.Strength(), 3 * 2);
    ASSERT_EQ(Test(1).battleReports.size(), 1u);
    EXPECT_EQ(Test(1).battleReports[0].first, 0);
}

TEST_F(AttackTest, TakingTheCapitalTakesEverything)
{
    SetGarrison(3, 2, 0);
    Province(3).castle.catapults = 5;
    Province(3).castle.buildings = kBuildingMarket | kBuildingBank;
    Province(3).castle.guildLevel = 2;
    Player(0).armyLocation = 2;
    Province(2).SetOwner(&Player(0));
    defenderLoss = 2;
    Attack(3);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Province(i).owner, &Player(0)) << i;
    EXPECT_EQ(Player(1).controller, nullptr);
    EXPECT_EQ(Province(3).castle.catapults, 2);
    EXPECT_EQ(Province(3).castle.buildings, 0);
    EXPECT_EQ(Province(3).castle.guildLevel, 0);
    EXPECT_EQ(Province(3).castle.capital, 0);
    EXPECT_EQ(Gold(0), 450) << "the siege price of a standing castle";
}

TEST_F(AttackTest, TheSameProvinceAttackedRepeatedlyCountsRepeats)
{
    SetGarrison(2, 50, 0);
    result = kBattleAttackerGaveUp;
    for (int i = 0; i < 5; ++i) {
        SetArmy(0, 10, 0);
        Player(0).armyLocation = 1;
        Test(0).flags = 0;
        Attack(2);
    }
    EXPECT_EQ(Test(0).attackRepeatCount, 4);
    EXPECT_EQ(Test(0).lastAttackedProvince, 2);
}

TEST_F(AttackTest, NothingHappensOutOfReachOrWithoutUnits)
{
    SetArmy(0, 0, 0);
    Attack(2);
    EXPECT_EQ(Province(2).owner, &Player(1));
    EXPECT_EQ(Test(0).flags & kAttackedThisTurn, 0);
    SetArmy(0, 5, 0);
    Test(0).movePoints = 1;
    Test(0).UpdateReach();
    Test(0).AttackProvince(&Province(4), 0, 0);  // two steps away
    EXPECT_EQ(Province(4).owner, &Player(1));
    EXPECT_EQ(Player(0).armyLocation, 1);
}

TEST_F(AttackTest, ABeatenFieldArmyEndsEmptyAtItsCapital)
{
    // Player 1's field army stands in 2 beside its garrison and gives up: the
    // two fight together, half of what is left reaches the capital's garrison
    // and the other half is lost. Every unit is booked once: saved, lost in
    // the battle or lost in the retreat.
    SetArmy(1, 9, 2);
    SetGarrison(2, 3, 0);
    Player(1).armyLocation = 2;
    result = kBattleDefenderGaveUp;
    defenderLoss = 5;  // 12 Swords and 2 Bows together; 7 Swords and 2 Bows left
    Attack(2);
    EXPECT_EQ(Province(2).owner, &Player(0));
    EXPECT_EQ(Player(1).armyLocation, 3);
    EXPECT_FALSE(Player(1).army.HasUnits());
    EXPECT_EQ(Province(3).garrison.Item(0)->count, 3);
    EXPECT_EQ(Province(3).garrison.Item(1)->count, 1);
    EXPECT_EQ(Province(2).garrison.Item(0)->count, 0);
    const int32_t lostStrength = (5 + 4) * 2 + 1 * 3;
    EXPECT_EQ(Player(1).stats.lost.Strength(), lostStrength);
    EXPECT_EQ(Player(0).stats.killed.Strength(), lostStrength);
    EXPECT_EQ(Player(1).stats.retreats, 1);
}

TEST_F(AttackTest, ARetreatOfAFieldArmyThroughTheController)
{
    const struct {
        const char* name;
        int from;              // where the army stands and retreats from
        int32_t swords, bows;  // what reaches the capital's garrison
        int32_t lostStrength;  // booked as lost by its owner
    } cases[] = {
        // 2 is an own neighbour of 4, but a field army goes home.
        {"from a province beside an own one", 4, 4, 1, 5 * 2 + 2 * 3},
        // Nowhere to go: the whole army is lost, nothing stays for the victor.
        {"from its own capital", 3, 0, 0, 9 * 2 + 3 * 3},
    };
    for (const auto& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        SetArmy(1, 9, 3);
        Player(1).armyLocation = int16_t(c.from);
        Test(1).Retreat(&Province(c.from), &Player(1).army);
        EXPECT_EQ(Province(3).garrison.Item(0)->count, c.swords);
        EXPECT_EQ(Province(3).garrison.Item(1)->count, c.bows);
        EXPECT_EQ(Province(2).garrison.Item(0)->count, 0);
        EXPECT_FALSE(Player(1).army.HasUnits()) << "the units moved, they are not duplicated";
        EXPECT_EQ(Player(1).armyLocation, 3);
        EXPECT_EQ(Player(1).stats.lost.Strength(), c.lostStrength);
        EXPECT_EQ(Player(1).stats.retreats, 1);
        TearDown();
    }
    SetUp();
}

TEST_F(AttackTest, AGarrisonRetreatsToTheLastOwnNeighbour)
{
    // The garrison of 2 (swapped into the field army for the battle, as the
    // attack does) goes to 4, the last own neighbour; the field army elsewhere
    // stays where it is.
    SetGarrison(2, 6, 0);
    SetArmy(1, 0, 0);
    Player(1).armyLocation = 3;
    SwapCounts(Province(2).garrison, Player(1).army);
    Test(1).Retreat(&Province(2), &Player(1).army);
    SwapCounts(Province(2).garrison, Player(1).army);
    EXPECT_EQ(Province(4).garrison.Item(0)->count, 3);
    EXPECT_EQ(Province(2).garrison.Item(0)->count, 0);
    EXPECT_EQ(Player(1).armyLocation, 3);
    EXPECT_EQ(Player(1).stats.lost.Strength(), 3 * 2);
}

}  // namespace

// The base attack: every outcome driven by a stub of the map battle that
// writes the result and takes scripted losses from the two armies.
#include "game/battle_seam.h"
#include "tests/players/model_fixture.h"

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
        // garrison of its capital (the army had marched into the province).
        {"attacker gave up", kBattleAttackerGaveUp, 4, 1, false, 0, 0, 4, 1, 1, 4},
        // The defender gives up: its units retreat at half strength to the
        // garrison of its nearest own province (4, next to 2).
        {"defender gave up", kBattleDefenderGaveUp, 1, 1, true, 2, 9, 1, 1, 1, 1},
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

TEST_F(AttackTest, ARetreatWithoutOwnNeighbourGoesToTheCapital)
{
    // Province 4 borders only 2, which player 0 now holds.
    Province(2).SetOwner(&Player(0));
    SetGarrison(4, 8, 0);
    Test(1).Retreat(&Province(4), &Province(4).garrison);
    EXPECT_EQ(Province(3).garrison.Item(0)->count, 4);
    EXPECT_EQ(Province(4).garrison.Item(0)->count, 0) << "the units moved, they are not duplicated";
    EXPECT_EQ(Player(1).stats.retreats, 1);
}

}  // namespace

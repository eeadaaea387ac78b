// Action masks, moves, transfers, recruits, covert operations and castle
// works of the controller.
#include <algorithm>

#include "core/random.h"
#include "game/report_list.h"
#include "tests/game/model_fixture.h"

namespace {

class OperationsTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        // Player 0: 0 (capital, castle) - 1 - 2. Player 1: 3 (capital) - 4.
        // 2 borders 3; 5 is neutral next to 0.
        BuildWorld(2, {{0, {1, 5}, true}, {0, {2}}, {0, {3}}, {1, {4}, true}, {1, {}}, {-1, {}}}, {0, 3});
        GiveTestControllers();
        SetArmy(0, 5, 0);
        SetGold(0, 1000, 100, 100);
        Reach(0);
    }
    void Refresh() { Test(0).UpdateReach(); }
};

TEST_F(OperationsTest, ActionMasks)
{
    Test(0).movePoints = 3;
    Refresh();
    const struct {
        int province;
        uint16_t army, agent, robbery;
        uint8_t marker;
    } cases[] = {
        {0, kArmyGarrison, kAgentTakeGarrison | kActionDisabled, kRobberyOwn, 3},  // the army stands here
        {1, kArmyMove, kAgentTakeGarrison | kActionDisabled, kRobberyOwn, 1},
        {5, kArmyAttack, kActionDisabled, kActionDisabled, 2},  // neutral
        {3, kArmyAttack, kAgentScout, kRobberyRob, 2},          // the enemy's capital
        {4, kArmyAttack | kActionDisabled, kAgentScout | kActionDisabled, kActionDisabled, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Test(0).ArmyActionsAt(&Province(c.province)), c.army) << c.province;
        EXPECT_EQ(Test(0).AgentActionsAt(&Province(c.province)), c.agent) << c.province;
        EXPECT_EQ(Test(0).RobberyActionsAt(&Province(c.province)), c.robbery) << c.province;
        EXPECT_EQ(Test(0).MapActionAt(&Province(c.province)), c.marker) << c.province;
    }
    // After an attack every foreign province is offered but not possible.
    Test(0).flags |= kAttackedThisTurn;
    EXPECT_EQ(Test(0).ArmyActionsAt(&Province(5)), kArmyAttack | kActionDisabled);
    EXPECT_EQ(Test(0).ArmyActionsAt(&Province(3)), kArmyAttack | kActionDisabled);
}

TEST_F(OperationsTest, ScoutingAndDeceaseMasksFollowTheScoutedList)
{
    Player(0).armyLocation = 2;
    Test(0).movePoints = 3;
    Refresh();
    Rules().scoutCost = Bundle(10);
    Rules().scoutCastleFactor = 1;
    Rules().deceaseCost = Bundle(20);
    SetGarrison(3, 2, 0);
    EXPECT_EQ(Test(0).AgentActionsAt(&Province(3)), kAgentScout);
    Test(0).scoutedProvinces.push_back(3);
    EXPECT_EQ(Test(0).AgentActionsAt(&Province(3)), kAgentDecease);
    SetGarrison(3, 0, 0);  // nobody to kill
    EXPECT_EQ(Test(0).AgentActionsAt(&Province(3)), kAgentDecease | kActionDisabled);
    SetGold(0, 5);
    Test(0).scoutedProvinces.clear();
    EXPECT_EQ(Test(0).AgentActionsAt(&Province(3)), kAgentScout | kActionDisabled);
}

TEST_F(OperationsTest, MovesSpendTheDistanceAndStopAtForeignLand)
{
    Test(0).movePoints = 3;
    Refresh();
    Test(0).MoveArmyTo(&Province(2));
    EXPECT_EQ(Player(0).armyLocation, 2);
    EXPECT_EQ(Test(0).movePoints, 1);
    // A path to player 1's 4 crosses 3: it stops in front of it.
    Player(0).armyLocation = 0;
    Test(0).movePoints = 3;
    Test(0).MoveAlongPath(&Province(4));
    EXPECT_EQ(Player(0).armyLocation, 2);
    EXPECT_EQ(Test(0).movePoints, 1);
}

TEST_F(OperationsTest, TransfersAreClampedToWhatStands)
{
    SetGarrison(0, 3, 0);
    SetArmy(0, 4, 2);
    const struct {
        std::vector<int32_t> deltas;
        int32_t army0, army1, garrison0, garrison1;
    } cases[] = {
        {{5, 0}, 7, 2, 0, 0},    // +5 against a garrison of 3 moves 3
        {{-7, -1}, 0, 1, 7, 1},  // -7 against an army of 7 moves 7
        {{0, 9}, 0, 2, 7, 0},
    };
    for (const auto& c : cases) {
        Test(0).TransferUnits(&Province(0), c.deltas);
        EXPECT_EQ(Player(0).army.Item(0)->count, c.army0);
        EXPECT_EQ(Player(0).army.Item(1)->count, c.army1);
        EXPECT_EQ(Province(0).garrison.Item(0)->count, c.garrison0);
        EXPECT_EQ(Province(0).garrison.Item(1)->count, c.garrison1);
    }
    SetGarrison(0, 6, 1);
    SetArmy(0, 1, 1);
    Test(0).TakeGarrisonIntoArmy();
    EXPECT_EQ(Player(0).army.Item(0)->count, 7);
    EXPECT_EQ(Province(0).garrison.Item(0)->count, 0);
}

TEST_F(OperationsTest, PendingRecruitsArePaidAndRefunded)
{
    SetGold(0, 200);
    Test(0).SetArmyPendingRecruits({5, 0});
    EXPECT_EQ(Gold(0), 150);
    EXPECT_EQ(Player(0).army.Item(0)->pending, 5);
    Test(0).SetArmyPendingRecruits({2, 0});
    EXPECT_EQ(Gold(0), 180) << "3 units back";
    EXPECT_EQ(Player(0).stats.spent.Get(FourCC("gold")), 50) << "a refund is not counted as earned or spent";
    EXPECT_EQ(Player(0).stats.taxes.Get(FourCC("gold")), 0);
    Test(0).SetGarrisonPendingRecruits(&Province(1), {0, 2});
    EXPECT_EQ(Gold(0), 164);
    EXPECT_EQ(Player(0).treasury.Get(FourCC("metl")), 0) << "the bows' metal was clamped at 0";
}

TEST_F(OperationsTest, CastleWorks)
{
    const struct {
        uint8_t builder;
        uint8_t turns, rate;
    } rates[] = {{2, 4, 25}, {3, 4, 30}, {0, 7, 15}, {17, 1, 100}};
    for (const auto& c : rates) {
        Player(0).hero.builder = c.builder;
        Test(0).BuildCastle(&Province(1), Bundle(100));
        EXPECT_EQ(Province(1).castleFlag, 1);
        EXPECT_EQ(Province(1).castle.work, uint32_t(kWorkBuildCastle));
        EXPECT_EQ(Province(1).castle.turnsLeft, c.turns) << int(c.builder);
        EXPECT_EQ(Province(1).castle.progress, c.rate) << int(c.builder);
    }
    EXPECT_EQ(Gold(0), 600);
    Rules().worksExperience = 50;
    Player(0).hero.experience = 0;
    Province(0).castle.percent = 40;
    Test(0).CompleteCastle(&Province(0), Bundle(10), 0);
    EXPECT_EQ(Province(0).castle.turnsLeft, 1);
    EXPECT_EQ(Province(0).castle.progress, 60);
    Test(0).BuildBuilding(&Province(0), kBuildingGuild, Bundle(10), 1);
    EXPECT_EQ(Province(0).castle.work, uint32_t(kWorkGuildLevel));
    EXPECT_EQ(Player(0).hero.experience, 100);
    Test(0).DemolishCastle(&Province(1), Bundle(25));
    EXPECT_EQ(Province(1).castleFlag, 0);
    EXPECT_EQ(Gold(0), 605);
}

TEST_F(OperationsTest, ScoutingSucceedsByTheRollAndSpendsNoMovePoints)
{
    Rules().scoutCost = Bundle(10);
    Rules().scoutCastleFactor = 3;
    Rules().scoutBase = 50;
    Test(0).movePoints = 2;
    SeedForRolls({false}, 50);
    EXPECT_FALSE(Test(0).Scout(&Province(3)));
    EXPECT_EQ(Gold(0), 970) << "a castle triples the price";
    SeedForRolls({true}, 50);
    EXPECT_TRUE(Test(0).Scout(&Province(3)));
    SeedForRolls({true}, 50);
    EXPECT_TRUE(Test(0).Scout(&Province(3)));
    EXPECT_EQ(std::count(Test(0).scoutedProvinces.begin(), Test(0).scoutedProvinces.end(), 3), 1);
    EXPECT_EQ(Test(0).movePoints, 2);
}

TEST_F(OperationsTest, DeceaseKillsUpToTheCaps)
{
    GameRules& rules = Rules();
    rules.deceaseCost = Bundle(20);
    rules.deceaseMovePoints = 1;
    rules.deceaseKillPercent = 50;
    rules.deceaseCapPerStealth = 10;
    rules.deceaseBase = 90;
    rules.killExpChunk = 100;
    rules.killExpValue = 10;
    SetGarrison(4, 10, 4);  // strength 20 + 12 = 32
    Player(0).hero.stealth = 2;
    Test(0).movePoints = 3;
    CArmy killed;
    SeedForRolls({true}, 90);
    ASSERT_TRUE(Test(0).Decease(&Province(4), 2, &killed));
    // cap = min(32 x 50 / 100, 2 x 10) = 16. From the last slot: bows 4 x 50 %
    // = 2, +1 = 3 (value 9); swords 5 + 1 = 6 would reach 21, so 3 (value 6).
    EXPECT_EQ(Province(4).garrison.Item(1)->count, 1);
    EXPECT_EQ(Province(4).garrison.Item(0)->count, 7);
    EXPECT_EQ(killed.Strength(), 15);
    EXPECT_EQ(Player(0).stats.assassinated.Strength(), 15);
    EXPECT_EQ(Gold(0), 960);
    EXPECT_EQ(Test(0).movePoints, 2);
    EXPECT_EQ(Player(0).hero.experience, 15);
    EXPECT_EQ(Test(0).holds, 1) << "a decease ends the turn";
}

TEST_F(OperationsTest, ASecondRobberyInOneTurnIsRefused)
{
    Rules().robberyCost = Bundle(30);
    Rules().robberyMovePoints = 1;
    Test(0).movePoints = 3;
    EXPECT_TRUE(Test(0).OrderRobbery(&Player(1), 2));
    EXPECT_EQ(Gold(0), 940);
    EXPECT_EQ(Test(0).movePoints, 2);
    EXPECT_FALSE(Test(0).OrderRobbery(&Player(1), 5));
    EXPECT_EQ(Gold(0), 940) << "nothing paid for the refused order";
    EXPECT_EQ(Test(0).robberyTries, 2);
}

}  // namespace

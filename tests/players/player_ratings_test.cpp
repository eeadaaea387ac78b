// Player ratings and the planner's scores.
#include "game/player_ratings.h"
#include "tests/game/model_fixture.h"

namespace {

class RatingsTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        // Player 0: 0 (capital) - 1. Player 1: 2 (capital). Player 2: 3, next to 0.
        BuildWorld(3, {{0, {1, 3}, true}, {0, {2}}, {1, {}, true}, {2, {}, true}}, {0, 2, 3});
        GiveTestControllers();
    }
};

TEST_F(RatingsTest, RatingsArePercentagesOfTheBest)
{
    ComputePlayerRatings(Game().holder);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Player(i).stats.incomeRating, 100) << "nobody has income";
    Rules().castleGold = 0;
    Province(0).income = Bundle(30);
    Province(1).income = Bundle(10);
    Province(2).income = Bundle(10, 10);
    SetArmy(0, 5, 0);       // 10
    SetGarrison(2, 0, 10);  // 30
    ComputePlayerRatings(Game().holder);
    EXPECT_EQ(Player(0).stats.incomeRating, 100);
    EXPECT_EQ(Player(1).stats.incomeRating, 50);
    EXPECT_EQ(Player(2).stats.incomeRating, 0);
    EXPECT_EQ(Player(0).stats.strengthRating, 33);
    EXPECT_EQ(Player(1).stats.strengthRating, 100);
}

TEST_F(RatingsTest, StrengthScores)
{
    SetArmy(0, 5, 0);
    SetGarrison(1, 2, 0);
    Province(0).castle.catapults = 2;
    Province(0).castle.moat = 1;
    for (uint8_t& segment : Province(0).castle.segments)
        segment = 10;
    // Garrisons 4 + 3 x army 10 + 2 provinces.
    EXPECT_EQ(PlayerStrength(&Player(0)), 36u);
    // Garrisons 4 + 3 x (15 + 2 + 16) + 2.
    EXPECT_EQ(PlayerStrengthWithCastles(&Player(0)), 105u);
    // The army stands in its capital: 3 x (15 + 2 + 16) + 10.
    EXPECT_EQ(ProvinceDefenceValue(&Province(0)), 109u);
    Province(0).castle.segments[2] = 0;  // a breach: only the catapults count
    EXPECT_EQ(ProvinceDefenceValue(&Province(0)), 58u);
    EXPECT_EQ(StrongestForeignNeighbour(&Player(0)), &Province(3));
    Province(1).SetOwner(&Player(1));
    EXPECT_EQ(StrongestForeignNeighbour(&Player(1)), nullptr) << "its capital borders only its own land";
}

}  // namespace

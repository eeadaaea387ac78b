// The home economy: recruiting, trading, robbery, castles and expansion.
#include <gtest/gtest.h>

#include "core/random.h"
#include "game/game_rules.h"
#include "players/ai_planner.h"
#include "players/home_economy.h"
#include "tests/support/world/small_world.h"

namespace {

int32_t Gold(const PlayerRecord& p)
{
    return p.treasury.Get(FourCC("gold"));
}
int32_t Metal(const PlayerRecord& p)
{
    return p.treasury.Get(FourCC("metl"));
}

// Player 0: capital 1 and provinces 0, 2, 3 in a row; player 1 far off at 5.
void Home(SmallWorld& w, int32_t difficulty = 1)
{
    w.Chain({0, 1, 2, 3, 4, 5}).Own(0, 0).Capital(0, 1).Own(2, 0).Own(3, 0).Capital(1, 5).Finish(difficulty);
    w.SetArmy(0, 6, 2);
}

TEST(ApplyBuilderDiscount, CheapensWorksForGoodBuilders)
{
    struct Case {
        uint8_t builder;
        int32_t gold;
    };
    for (const Case c : {Case{1, 100}, Case{2, 96}, Case{6, 80}, Case{20, 24}, Case{21, 0}, Case{40, 0}}) {
        HeroRecord hero;
        hero.builder = c.builder;
        CResourceBundle cost;
        cost.Set(FourCC("gold"), 100);
        ApplyBuilderDiscount(cost, hero);
        EXPECT_EQ(cost.Get(FourCC("gold")), c.gold) << "builder " << int(c.builder);
    }
}

TEST(MissingWorksPoints, CountsWhatACastleLacks)
{
    SmallWorld w(1, 1);
    w.Capital(0, 0).Finish();
    CastleState bare;
    EXPECT_EQ(MissingWorksPoints(bare), 2u * 5 + 39);
    CastleState full;
    full.catapults = 2;
    full.fortWalls = full.moat = 1;
    full.buildings = kBuildingBank | kBuildingMarket | kBuildingMetalMine | kBuildingStoneMine;
    EXPECT_EQ(MissingWorksPoints(full), 0u);
    // A capital may hold more catapults than the limit: no free place, not a
    // huge number of them.
    full.catapults = 4;
    EXPECT_EQ(MissingWorksPoints(full), 0u);
}

TEST(RecruitAt, OrdersWithinRoomAndMeans)
{
    SmallWorld w(2, 6);
    Home(w);
    // Already the mix the planner trades toward, so nothing is traded first.
    w.SetTreasury(0, 1000, 700, 300);
    SetRandomState(9);
    ASSERT_TRUE(RecruitAt(&w.Province(2), 100));
    const CArmy& g = w.Province(2).garrison;
    // Four provinces with room for 4 pikes and 3 slings each.
    EXPECT_GT(g.Item(0)->pending + g.Item(1)->pending, 0);
    EXPECT_LE(g.Item(0)->pending, 16);
    EXPECT_LE(g.Item(1)->pending, 12);
    const int32_t paid = 10 * g.Item(0)->pending + 8 * g.Item(1)->pending;
    EXPECT_EQ(Gold(w.Player(0)), 1000 - paid);
}

TEST(RecruitAt, OrdersNothingWithoutMoneyOrIntoAForeignGarrison)
{
    SmallWorld w(2, 6);
    Home(w);
    SetRandomState(3);
    EXPECT_FALSE(RecruitAt(&w.Province(2), 100));
    w.SetTreasury(0, 1000, 300, 100);
    EXPECT_FALSE(RecruitAt(&w.Province(5), 100));
    EXPECT_EQ(w.Province(5).garrison.Item(0)->pending, 0);
    EXPECT_EQ(Gold(w.Player(0)), 1000);
}

TEST(RebalanceResources, APlayerShortOfMetalAndStoneTrades)
{
    SmallWorld w(2, 6);
    Home(w);
    for (int p : {0, 1, 2, 3})
        w.SetIncome(p, 4, 2, 1);
    w.SetTreasury(0, 1000, 0, 0);
    RebalanceResources(50, 35, 15);
    EXPECT_LT(Gold(w.Player(0)), 1000);
    EXPECT_GT(Metal(w.Player(0)), 0);
}

TEST(RebalanceResources, StillTradesForAPlayerWithoutIncome)
{
    SmallWorld w(2, 6);
    Home(w);
    for (int p : {0, 1, 2, 3})
        w.SetIncome(p, 0, 0, 0);
    w.Province(1).castleFlag = 0;  // no castle gold either
    w.SetTreasury(0, 1000, 0, 0);
    RebalanceResources(50, 35, 15);
    EXPECT_LT(Gold(w.Player(0)), 1000);
    EXPECT_GT(Metal(w.Player(0)), 0);
}

TEST(NeedsRebalance, OnlyByChanceWhenTheMixIsWithinTolerance)
{
    SmallWorld w(2, 6);
    Home(w);
    struct Case {
        int32_t gold, metal, stone;
        bool skewed;
    };
    for (const Case c : {Case{600, 300, 100, false}, Case{500, 350, 150, false}, Case{1000, 0, 0, true},
                         Case{0, 0, 0, true}, Case{400, 500, 100, true}}) {
        CResourceBundle b;
        b.Set(FourCC("gold"), c.gold);
        b.Set(FourCC("metl"), c.metal);
        b.Set(FourCC("ston"), c.stone);
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            SetRandomState(seed);
            const bool chance = NextRandom() % 101 >= 81;
            SetRandomState(seed);
            EXPECT_EQ(NeedsRebalance(b, 50, 35, 15), c.skewed || chance)
                << c.gold << "/" << c.metal << "/" << c.stone;
        }
    }
}

TEST(RobVictim, NeverReplacesARobberyAlreadyBought)
{
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SmallWorld w(3, 6);
        w.Chain({0, 1, 2, 3, 4, 5}).Capital(0, 1).Capital(1, 3).Capital(2, 5).Finish(3);
        w.SetTreasury(0, 500, 0, 0);
        ASSERT_TRUE(w.Controller(0).OrderRobbery(&w.Player(1), 2));
        const int32_t goldAfterFirst = Gold(w.Player(0));
        SetRandomState(seed);
        RobVictim(&w.Player(2));
        EXPECT_EQ(w.Controller(0).robberyTarget, &w.Player(1));
        EXPECT_EQ(w.Controller(0).robberyTries, 2);
        EXPECT_EQ(Gold(w.Player(0)), goldAfterFirst);
    }
}

TEST(BuildCastleWork, ARichPlayerImprovesItsCastle)
{
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        SmallWorld w(2, 6);
        w.Castle(3, 100);
        Home(w);
        w.SetTreasury(0, 5000, 5000, 5000);
        SetRandomState(seed);
        ASSERT_TRUE(BuildCastleWork()) << "seed " << seed;
        EXPECT_NE(w.Province(3).castle.work, uint32_t(kWorkNone));
        // The capital's castle is left alone.
        EXPECT_EQ(w.Province(1).castle.work, uint32_t(kWorkNone));
        EXPECT_LT(Gold(w.Player(0)), 5000);
    }
}

TEST(BuildCastleWork, NeverAddsACatapultBeyondTheLimit)
{
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SmallWorld w(2, 6);
        w.Castle(3, 100);
        Home(w);
        w.Province(3).castle.catapults = Rules().catapultLimit;
        w.SetTreasury(0, 5000, 5000, 5000);
        SetRandomState(seed);
        BuildCastleWork();
        EXPECT_NE(w.Province(3).castle.work, uint32_t(kWorkCatapult)) << "seed " << seed;
    }
}

TEST(BuildCastleWork, APoorPlayerBuildsNothing)
{
    SmallWorld w(2, 6);
    w.Castle(3, 100);
    Home(w);
    w.SetTreasury(0, 20, 0, 0);
    SetRandomState(2);
    EXPECT_FALSE(BuildCastleWork());
    EXPECT_EQ(w.Province(3).castle.work, uint32_t(kWorkNone));
    EXPECT_EQ(Gold(w.Player(0)), 20);
}

TEST(BuildNewCastle, ARichPlayerFortifiesItsBorder)
{
    SmallWorld w(2, 6);
    Home(w);
    w.SetTreasury(0, 5000, 5000, 5000);
    SetRandomState(4);
    ASSERT_TRUE(BuildNewCastle());
    // Province 3, two steps from the capital, faces the rival at 5.
    EXPECT_TRUE(w.Province(3).HasCastle());
    EXPECT_EQ(w.Province(3).castle.work, uint32_t(kWorkBuildCastle));
}

TEST(FindNeutralNear, LooksPastOurOwnProvinces)
{
    // The neutral province 4 lies three steps from the capital, behind our
    // provinces 2 and 3: a search limited to our own land would miss it.
    SmallWorld w(2, 6);
    Home(w);
    EXPECT_EQ(FindNeutralNear(1, 4), &w.Province(4));
    EXPECT_EQ(FindNeutralNear(1, 3), nullptr);
}

TEST(PressureSearches, CountWholeMapDistancesNotOnlyOurOwnLand)
{
    // Our capital 0, a neutral 1, our outpost 2 beyond it, the rival's 3 next
    // to the outpost, and the rival's capital 4 next to our capital.
    SmallWorld w(2, 5);
    w.Chain({0, 1, 2, 3}).Link(0, 4).Link(3, 4).Capital(0, 0).Own(2, 0).Own(3, 1).Capital(1, 4).Finish();
    // The outpost, two steps away through neutral land, is the pressured one.
    EXPECT_EQ(FindPressuredProvince(0, 2), &w.Province(2));
    // The rival's capital is next to ours (70), its province 3 lies two steps
    // away either way (20).
    EXPECT_EQ(CapitalGarrisonPercent(), 90);
    EXPECT_EQ(ForeignPressureWithin(&w.Province(2), 1), ForeignPressure(&w.Province(2)));
    EXPECT_GT(ForeignPressureWithin(&w.Province(1), 2), ForeignPressureWithin(&w.Province(1), 1));
}

TEST(ExpandToNeutral, TakesANeutralProvinceInReach)
{
    SmallWorld w(2, 6);
    Home(w);
    w.PlaceArmy(0, 3);
    SetRandomState(8);
    ExpandToNeutral(nullptr);
    EXPECT_EQ(w.Province(4).owner, &w.Player(0));
    EXPECT_EQ(w.Player(0).armyLocation, 4);
}

TEST(ExpandToNeutral, NeverAttacksTwiceInATurn)
{
    SmallWorld w(2, 6);
    Home(w);
    w.PlaceArmy(0, 3);
    w.Controller(0).flags |= kAttackedThisTurn;
    ExpandToNeutral(nullptr);
    EXPECT_EQ(w.Province(4).owner, nullptr);
    EXPECT_EQ(w.Player(0).armyLocation, 3);
}

TEST(ExpandToNeutral, TakesTheNeutralProvinceOnTheWayToOneOutOfReach)
{
    // Our capital 0, the neutral 1 and 2, our outpost 3 with the army, the
    // rival at 4 and 5. The expansion aims at 1, next to the capital, which
    // the army can only reach through 2: a walk over our own land alone would
    // never leave the outpost.
    SmallWorld w(2, 6);
    w.Line().Capital(0, 0).Own(3, 0).Own(4, 1).Capital(1, 5).Finish(0);
    w.SetArmy(0, 6, 2);
    w.PlaceArmy(0, 3);
    SetRandomState(8);
    ExpandToNeutral(nullptr);
    EXPECT_EQ(w.Province(2).owner, &w.Player(0));
    EXPECT_EQ(w.Player(0).armyLocation, 2);
    EXPECT_EQ(w.Province(1).owner, nullptr);
}

TEST(HomeExecutor, GarrisonsAnEmptyCapital)
{
    SmallWorld w(2, 6);
    Home(w);
    w.SetTreasury(0, 2000, 500, 200);
    SetRandomState(21);
    CHomePlan plan;
    plan.kind = kHomeEconomy;
    EXPECT_TRUE(CHomeExecutor(plan).Execute());
    const CArmy& g = w.Province(1).garrison;
    EXPECT_GT(g.Item(0)->pending + g.Item(1)->pending + g.Item(0)->count + g.Item(1)->count, 0);
    EXPECT_LT(Gold(w.Player(0)), 2000);
}

TEST(HomeExecutor, MustersWhenNothingIsLeftToTake)
{
    SmallWorld w(2, 6);
    Home(w);
    w.SetArmy(0, 0, 0);
    w.SetTreasury(0, 0, 0, 0);
    CHomePlan plan;
    plan.kind = kHomeEconomy;
    CHomeExecutor(plan).Execute();
    EXPECT_EQ(plan.kind, kHomeMuster);
    EXPECT_EQ(plan.score, 100);
    EXPECT_EQ(plan.province, &w.Province(1));
}

}  // namespace

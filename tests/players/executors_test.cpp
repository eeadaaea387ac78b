// The military and threat executors on small worlds.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "game/game_rules.h"
#include "players/ai_planner.h"
#include "tests/support/world/small_world.h"

namespace {

// Player 0's army stands in 3 next to player 1's province 1; capital 4
// behind it; player 1's capital is 0.
void Border(SmallWorld& w, int32_t difficulty, int32_t defenders)
{
    w.Link(4, 3).Link(3, 1).Link(1, 0);
    w.Capital(1, 0).Own(1, 1).Own(3, 0).Capital(0, 4).Finish(difficulty);
    w.SetGarrison(1, defenders, 0);
    w.SetGarrison(0, 5, 0);
    w.SetArmy(0, 10, 0);
    w.PlaceArmy(0, 3);
    w.BeginTurnOf(0);
    // Already scouted: the executor goes straight to weighing the armies.
    w.Controller(0).scoutedProvinces.push_back(1);
}

TEST(MilitaryExecutor, IgnoresANeutralOrMissingTarget)
{
    for (const bool neutral : {true, false}) {
        SmallWorld w(2, 5);
        Border(w, 1, 1);
        if (neutral)
            w.Province(1).SetOwner(nullptr);
        CMilitaryPlan plan;
        plan.targetProvince = neutral ? &w.Province(1) : nullptr;
        EXPECT_FALSE(CMilitaryExecutor(plan).Execute());
        EXPECT_EQ(SmallWorld::Battles(), 0);
        EXPECT_EQ(w.Pikes(w.Player(0).army), 10);
        EXPECT_EQ(w.Player(0).armyLocation, 3);
    }
}

TEST(MilitaryExecutor, TakesTheWeakNeighbour)
{
    for (uint32_t seed : {3u, 17u, 256u}) {
        SmallWorld w(2, 5);
        Border(w, 1, 1);
        SetRandomState(seed);
        CMilitaryPlan plan;
        plan.targetProvince = &w.Province(1);
        EXPECT_TRUE(CMilitaryExecutor(plan).Execute());
        EXPECT_EQ(w.Province(1).owner, &w.Player(0)) << "seed " << seed;
        EXPECT_EQ(w.Player(0).armyLocation, 1);
        // A garrison was left behind in the province the army came from.
        EXPECT_GT(w.Pikes(w.Province(3).garrison), 0);
        EXPECT_EQ(w.Pikes(w.Province(3).garrison) + w.Pikes(w.Player(0).army), 10);
    }
}

TEST(MilitaryExecutor, WantsMoreStrengthOnHarderDifficulties)
{
    // Six defending pikes (defence 30) against ten attacking (strength 50):
    // the easiest computer player needs 20, the hardest 60.
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        for (const int32_t difficulty : {0, 3}) {
            SmallWorld w(2, 5);
            Border(w, difficulty, 6);
            SetRandomState(seed);
            CMilitaryPlan plan;
            plan.targetProvince = &w.Province(1);
            CMilitaryExecutor(plan).Execute();
            EXPECT_EQ(SmallWorld::Battles(), difficulty == 0 ? 1 : 0)
                << "seed " << seed << " difficulty " << difficulty;
        }
    }
}

TEST(MilitaryExecutor, CompletesACapturedHalfBuiltCastle)
{
    SmallWorld w(2, 5);
    w.Castle(1, 40);
    Border(w, 1, 0);
    w.SetArmy(0, 20, 0);
    w.SetTreasury(0, 1000, 100, 100);
    SetRandomState(11);
    CMilitaryPlan plan;
    plan.targetProvince = &w.Province(1);
    CMilitaryExecutor(plan).Execute();
    ASSERT_EQ(w.Province(1).owner, &w.Player(0));
    EXPECT_EQ(w.Province(1).castle.work, uint32_t(kWorkCompleteCastle));
    // 60 % of the castle's price of 100 gold, 20 metal, 20 stone.
    EXPECT_EQ(w.Player(0).treasury.Get(FourCC("gold")), 940);
    EXPECT_EQ(w.Player(0).treasury.Get(FourCC("metl")), 88);
    EXPECT_EQ(w.Player(0).treasury.Get(FourCC("ston")), 88);
}

TEST(MilitaryExecutor, ACapitalTakenOnExpertKeepsMostOfTheArmy)
{
    SmallWorld w(2, 3);
    w.Chain({0, 1, 2}).Capital(0, 0).Own(1, 0).Capital(1, 2).Finish(3);
    w.SetArmy(0, 40, 0);
    w.SetGarrison(2, 2, 0);
    w.PlaceArmy(0, 1);
    w.BeginTurnOf(0);
    w.Controller(0).scoutedProvinces.push_back(2);
    SmallWorld::WinnerLosesPercent(50);
    CMilitaryPlan plan;
    plan.targetProvince = &w.Province(2);
    CMilitaryExecutor(plan).Execute();
    ASSERT_EQ(w.Province(2).owner, &w.Player(0));
    EXPECT_EQ(w.Player(1).controller, nullptr);
    // The army went in with 35 to 38 pikes (a few stayed behind) and lost half
    // in the battle; 60 % of what went in is given back.
    EXPECT_GE(w.Pikes(w.Player(0).army), 21);
    EXPECT_LE(w.Pikes(w.Player(0).army), 22);
}

TEST(ThreatExecutor, DoesNothingWithoutATarget)
{
    SmallWorld w(2, 5);
    Border(w, 1, 1);
    w.SetTreasury(0, 1000, 100, 100);
    CThreatPlan plan;
    EXPECT_FALSE(CThreatExecutor(plan).Execute());
    EXPECT_EQ(w.Player(0).treasury.Get(FourCC("gold")), 1000);
}

TEST(ThreatExecutor, ReinforcesTheThreatenedProvince)
{
    struct Case {
        int32_t score;
        bool castleProvince;
        bool expectPikes;
        bool expectSlings;
    };
    // Archers are bought first for a castle; the other units in proportion to
    // the threat, so none at all for a threat score of 0.
    for (const Case c :
         {Case{99, true, true, true}, Case{0, false, false, false}, Case{0, true, false, true}}) {
        SmallWorld w(2, 5);
        Border(w, 1, 1);
        w.SetTreasury(0, 1000, 100, 100);
        SetRandomState(42);
        CThreatPlan plan;
        plan.score = c.score;
        plan.targetPlayer = &w.Player(1);
        ProvinceRecord& b = c.castleProvince ? w.Province(4) : w.Province(3);
        plan.province = &b;
        CThreatExecutor(plan).Execute();
        EXPECT_EQ(b.garrison.Item(0)->pending > 0, c.expectPikes) << "score " << c.score;
        EXPECT_EQ(b.garrison.Item(1)->pending > 0, c.expectSlings) << "score " << c.score;
        const int32_t spent = 1000 - w.Player(0).treasury.Get(FourCC("gold"));
        EXPECT_GE(spent, 10 * b.garrison.Item(0)->pending + 8 * b.garrison.Item(1)->pending);
    }
}

}  // namespace

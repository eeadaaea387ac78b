// The three evaluators on worlds where the right plan is plain to see.
#include <gtest/gtest.h>

#include "core/random.h"
#include "players/ai_planner.h"
#include "tests/support/world/small_world.h"

namespace {

// Player 1 (capital 0) holds a weak province 1 (one pike) and a strong
// province 2 (thirty pikes); player 0's army of ten pikes stands in 3, next
// to both, with its capital 4 behind it: 0-1, 0-2, 1-3, 2-3, 3-4.
void BorderWorld(SmallWorld& w, int32_t difficulty = 1)
{
    w.Link(4, 3).Link(3, 1).Link(3, 2).Link(1, 0).Link(2, 0);
    w.Capital(1, 0).Own(1, 1).Own(2, 1).Own(3, 0).Capital(0, 4).Finish(difficulty);
    w.SetGarrison(1, 1, 0);
    w.SetGarrison(2, 30, 0);
    w.SetGarrison(0, 5, 0);
    w.SetArmy(0, 10, 0);
    w.PlaceArmy(0, 3);
    w.BeginTurnOf(0);
}

TEST(MilitaryEvaluator, PicksTheWeakNeighbour)
{
    for (uint32_t seed : {1u, 7u, 99u, 1234u}) {
        SmallWorld w(2, 5);
        BorderWorld(w);
        SetRandomState(seed);
        CMilitaryPlan plan;
        ASSERT_TRUE(CMilitaryEvaluator().Evaluate(plan));
        EXPECT_EQ(plan.targetProvince, &w.Province(1)) << "seed " << seed;
        EXPECT_EQ(plan.targetPlayer, &w.Player(1));
        EXPECT_GT(plan.score, 0);
        EXPECT_EQ(w.Controller(0).lastMilitaryTarget, &w.Player(1));
    }
}

TEST(MilitaryEvaluator, DropsAProvinceAttackedTooOftenInARow)
{
    SmallWorld w(2, 5);
    BorderWorld(w);
    w.Controller(0).lastAttackedProvince = 1;
    w.Controller(0).attackRepeatCount = 4;
    SetRandomState(5);
    CMilitaryPlan plan;
    CMilitaryEvaluator().Evaluate(plan);
    EXPECT_NE(plan.targetProvince, &w.Province(1));
    // Three repeats are still allowed.
    w.Controller(0).attackRepeatCount = 3;
    CMilitaryPlan again;
    CMilitaryEvaluator().Evaluate(again);
    EXPECT_EQ(again.targetProvince, &w.Province(1));
}

TEST(MilitaryEvaluator, HasNothingToDoWithoutArmyOrAfterAnAttack)
{
    for (const bool attacked : {false, true}) {
        SmallWorld w(2, 5);
        BorderWorld(w);
        if (attacked) {
            w.Controller(0).flags |= kAttackedThisTurn;
        } else {
            w.SetArmy(0, 0, 0);
        }
        CMilitaryPlan plan;
        plan.score = 77;
        EXPECT_TRUE(CMilitaryEvaluator().Evaluate(plan));
        EXPECT_EQ(plan.score, 0);
    }
}

TEST(ThreatEvaluator, ScoresArmiesByTheirDistanceFromOurCapital)
{
    // Provinces 0..5 in a row; our capital is 0, the rival's army stands at d.
    struct Case {
        int distance;
        int32_t score;
    };
    for (const Case c : {Case{0, 192}, Case{1, 99}, Case{2, 40}, Case{3, 9}, Case{4, 0}}) {
        SmallWorld w(2, 6);
        w.Chain({0, 1, 2, 3, 4, 5}).Capital(0, 0).Own(1, 0).Own(2, 0).Capital(1, 5).Own(4, 1).Finish();
        w.SetArmy(0, 5, 0);
        w.SetArmy(1, 5, 0);
        w.Player(1).armyLocation = int16_t(c.distance);
        CThreatPlan plan;
        CThreatEvaluator().Evaluate(plan);
        EXPECT_EQ(plan.score, c.score) << "distance " << c.distance;
        if (c.distance < 4) {
            EXPECT_EQ(plan.targetPlayer, &w.Player(1));
            EXPECT_EQ(plan.province, &w.Province(0));
        } else {
            EXPECT_EQ(plan.province, nullptr);
        }
    }
}

TEST(HomeEvaluator, MustersWhenTheArmyIsEmpty)
{
    SmallWorld w(2, 5);
    BorderWorld(w);
    w.SetArmy(0, 0, 0);
    CHomePlan plan;
    CHomeEvaluator().Evaluate(plan);
    EXPECT_EQ(plan.kind, kHomeMuster);
    EXPECT_EQ(plan.score, 100);
    EXPECT_EQ(plan.province, &w.Province(3));
}

TEST(HomeEvaluator, ARivalNextToTheCapitalCallsForDefence)
{
    int economy = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SmallWorld w(2, 2);
        w.Chain({0, 1}).Capital(0, 0).Capital(1, 1).Finish();
        w.SetArmy(0, 4, 0);
        SetRandomState(seed);
        CHomePlan plan;
        CHomeEvaluator().Evaluate(plan);
        EXPECT_EQ(plan.score, 50);
        EXPECT_EQ(plan.province, &w.Province(0));
        ASSERT_TRUE(plan.kind == kHomeMuster || plan.kind == kHomeEconomy);
        economy += plan.kind == kHomeEconomy;
    }
    // Economy instead of muster is the rare case (15 rolls in 101).
    EXPECT_LT(economy, 20);
}

TEST(HomeEvaluator, TakesANeutralNeighbourOfTheCapitalFirst)
{
    SmallWorld w(2, 4);
    w.Chain({0, 1, 2, 3}).Capital(0, 1).Capital(1, 3).Finish();
    w.SetArmy(0, 4, 0);
    CHomePlan plan;
    CHomeEvaluator().Evaluate(plan);
    EXPECT_EQ(plan.kind, kHomeNeutral);
    EXPECT_EQ(plan.score, 101);
    // Province 2 also borders the capital, but neighbours are tried last first.
    EXPECT_EQ(plan.province, &w.Province(2));
}

}  // namespace

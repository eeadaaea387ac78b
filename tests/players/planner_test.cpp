// The planner's turn as a whole: which plans run, in which order, and that
// a seeded turn replays exactly.
#include <gtest/gtest.h>

#include <vector>

#include "core/random.h"
#include "players/ai_planner.h"
#include "tests/support/world/small_world.h"

namespace {

std::vector<int> RunOrder()
{
    int count = 0;
    const uint8_t* order = AiLastRunOrder(&count);
    return std::vector<int>(order, order + count);
}

// Player 0's army of ten pikes stands in 3, next to player 1's weak,
// already scouted province 1; no neutral province is left.
void Front(SmallWorld& w)
{
    w.Link(4, 3).Link(3, 1).Link(1, 0).Link(3, 2).Link(2, 0);
    w.Capital(1, 0).Own(1, 1).Own(2, 1).Own(3, 0).Capital(0, 4).Skills(0, 5, 1, 2).Finish();
    w.SetGarrison(1, 1, 0);
    w.SetGarrison(2, 30, 0);
    w.SetGarrison(0, 8, 0);
    w.SetArmy(0, 10, 0);
    w.SetTreasury(0, 400, 200, 100);
    w.PlaceArmy(0, 3);
    w.BeginTurnOf(0);
    w.Controller(0).scoutedProvinces.push_back(1);
}

// Everything the planner may change, in one list of numbers.
std::vector<int64_t> Digest(SmallWorld& w)
{
    std::vector<int64_t> d;
    for (int i = 0; i < w.World().ProvinceCount(); ++i) {
        const ProvinceRecord& q = w.Province(i);
        d.push_back(q.owner ? q.owner->playerId : -1);
        d.push_back(q.castle.work);
        for (int k = 0; k < q.garrison.Count(); ++k) {
            d.push_back(q.garrison.Item(k)->count);
            d.push_back(q.garrison.Item(k)->pending);
        }
    }
    for (int i = 0; i < w.World().PlayerCount(); ++i) {
        const PlayerRecord& p = w.Player(i);
        d.push_back(p.armyLocation);
        for (int k = 0; k < p.army.Count(); ++k)
            d.push_back(p.army.Item(k)->count);
        for (int k = 0; k < p.treasury.Count(); ++k)
            d.push_back(p.treasury[k]);
        d.push_back(p.hero.experience);
    }
    d.push_back(w.Controller(0).movePoints);
    d.push_back(w.Controller(0).flags);
    return d;
}

TEST(Planner, RunsEveryPlanOnceAndTakesTheWeakNeighbour)
{
    SmallWorld w(2, 5);
    Front(w);
    SetRandomState(77);
    AiRunTurn();
    std::vector<int> order = RunOrder();
    ASSERT_EQ(order.size(), 3u);
    // A warlike hero facing a weak border province attacks first.
    EXPECT_EQ(order[0], 1);
    EXPECT_NE(order[1], order[2]);
    EXPECT_EQ(w.Province(1).owner, &w.Player(0));
}

TEST(Planner, AStoppedBattleEndsTheTurn)
{
    SmallWorld w(2, 5);
    Front(w);
    SmallWorld::StopNextBattle(true);
    SetRandomState(77);
    AiRunTurn();
    EXPECT_EQ(RunOrder(), std::vector<int>{1});
    EXPECT_EQ(SmallWorld::Battles(), 1);
    EXPECT_EQ(w.Province(1).owner, &w.Player(1));
}

TEST(Planner, ASeededTurnReplaysExactly)
{
    std::vector<int64_t> first;
    std::vector<int> firstOrder;
    for (int run = 0; run < 2; ++run) {
        SmallWorld w(2, 5);
        Front(w);
        SetRandomState(2024);
        AiRunTurn();
        if (run == 0) {
            first = Digest(w);
            firstOrder = RunOrder();
        } else {
            EXPECT_EQ(Digest(w), first);
            EXPECT_EQ(RunOrder(), firstOrder);
        }
    }
}

// A golden turn: what the planner does on this world with this seed. A change
// anywhere in the planner's rules shows up here first.
TEST(Planner, GoldenTurn)
{
    SmallWorld w(2, 5);
    Front(w);
    SetRandomState(2024);
    AiRunTurn();
    EXPECT_EQ(RunOrder(), (std::vector<int>{1, 3, 2}));
    // The weak province was taken and the army stayed in it...
    EXPECT_EQ(w.Province(1).owner, &w.Player(0));
    EXPECT_EQ(w.Player(0).armyLocation, 1);
    EXPECT_EQ(w.Pikes(w.Player(0).army), 9);
    EXPECT_EQ(w.Pikes(w.Province(3).garrison), 1);
    // ...recruits were ordered for it and for the capital...
    EXPECT_EQ(w.Province(1).garrison.Item(0)->pending, 5);
    EXPECT_EQ(w.Province(1).garrison.Item(1)->pending, 1);
    EXPECT_EQ(w.Province(4).garrison.Item(1)->pending, 2);
    // ...and paid for; nothing else was bought.
    EXPECT_EQ(w.Player(0).treasury.Get(FourCC("gold")), 326);
    EXPECT_EQ(w.Player(0).treasury.Get(FourCC("metl")), 194);
    EXPECT_EQ(w.Player(0).treasury.Get(FourCC("ston")), 100);
    EXPECT_EQ(w.Controller(0).movePoints, 0);
}

TEST(Planner, AnArmylessPlayerMustersFirst)
{
    SmallWorld w(2, 5);
    Front(w);
    w.SetArmy(0, 0, 0);
    w.SetGarrison(3, 0, 0);
    w.SetGarrison(4, 0, 0);
    SetRandomState(5);
    AiRunTurn();
    std::vector<int> order = RunOrder();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order[0], 3);
    EXPECT_EQ(SmallWorld::Battles(), 0);
}

}  // namespace

namespace {

TEST(PlannerChoice, WeighsByPersonalityAndBreaksTiesTowardTheLowerPlan)
{
    struct Case {
        int32_t military, threat, home;
        int32_t p;
        bool done1, done2, done3;
        int expected;
        int32_t weightedMilitary, weightedThreat;
    };
    const Case cases[] = {
        // The most warlike hero (+10) and the most peaceful (-10).
        {100, 100, 100, 10, false, false, false, 1, 110, 90},
        {100, 100, 100, -10, false, false, false, 2, 90, 110},
        // Equal weighted scores: military, then threat before home.
        {50, 50, 50, 0, false, false, false, 1, 50, 50},
        {0, 50, 50, 0, true, false, false, 2, 0, 50},
        {0, 0, 0, 0, false, false, false, 1, 0, 0},
        {0, 0, 0, 0, true, false, false, 2, 0, 0},
        {0, 0, 0, 0, true, true, false, 3, 0, 0},
        // Home wins outright; a plan that ran is never chosen again.
        {20, 30, 101, 10, false, false, false, 3, 22, 27},
        {0, 0, 0, 0, true, true, true, 0, 0, 0},
        // Weighting truncates toward zero.
        {7, 7, 0, -1, false, false, false, 2, 6, 7},
    };
    for (const Case& c : cases) {
        CMilitaryPlan m;
        CThreatPlan t;
        CHomePlan h;
        m.score = c.military;
        t.score = c.threat;
        h.score = c.home;
        const bool done[3] = {c.done1, c.done2, c.done3};
        const bool valid[3] = {true, true, true};
        EXPECT_EQ(AiChoosePlan(m, t, h, done, valid, c.p), c.expected)
            << c.military << "/" << c.threat << "/" << c.home << " p " << c.p;
        EXPECT_EQ(m.score, c.weightedMilitary);
        EXPECT_EQ(t.score, c.weightedThreat);
    }
}

}  // namespace

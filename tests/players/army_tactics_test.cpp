// The planner's tactical moves: what stays behind, what is taken along, and
// that no unit is ever created or lost on the way.
#include <gtest/gtest.h>

#include "players/army_tactics.h"
#include "tests/support/world/small_world.h"

namespace {

// Player 0's capital 1 between two own provinces 0 and 2; province 3 is a
// rival's (or neutral, or ours) next to 2.
void Row(SmallWorld& w, int ownerOf3)
{
    w.Chain({0, 1, 2, 3}).Own(0, 0).Capital(0, 1).Own(2, 0).Capital(1, 4).Link(3, 4);
    if (ownerOf3 >= 0)
        w.Own(3, ownerOf3);
    w.Finish();
}

TEST(DropToGarrison, LeavesAShareButAtLeastOneUnit)
{
    struct Case {
        int32_t army;
        uint8_t percent;
        int32_t dropped;
    };
    for (const Case c : {Case{3, 5, 1}, Case{0, 5, 0}, Case{100, 5, 5}, Case{40, 13, 5}}) {
        SmallWorld w(2, 5);
        Row(w, -1);
        w.SetArmy(0, c.army, 0);
        w.PlaceArmy(0, 2);
        DropToGarrison(c.percent);
        EXPECT_EQ(w.Pikes(w.Province(2).garrison), c.dropped) << c.army << " at " << int(c.percent) << "%";
        EXPECT_EQ(w.Pikes(w.Player(0).army), c.army - c.dropped);
    }
}

TEST(TakeFromGarrison, TakesAllButTheKeptShare)
{
    struct Case {
        int32_t garrison;
        uint8_t keep;
        int32_t taken;
    };
    for (const Case c : {Case{10, 25, 7}, Case{1, 25, 1}, Case{10, 0, 0}, Case{0, 10, 0}}) {
        SmallWorld w(2, 5);
        Row(w, -1);
        w.SetGarrison(2, c.garrison, 0);
        w.PlaceArmy(0, 2);
        TakeFromGarrison(c.keep);
        EXPECT_EQ(w.Pikes(w.Player(0).army), c.taken) << c.garrison << " keeping " << int(c.keep) << "%";
        EXPECT_EQ(w.Pikes(w.Province(2).garrison), c.garrison - c.taken);
    }
}

TEST(LeaveCapitalGarrison, LeavesMoreWithForeignNeighboursAndMoreArchers)
{
    struct Case {
        bool foreignNeighbour;
        int32_t pikes, slings;
        int32_t pikesLeft, slingsLeft;  // in the capital's garrison
    };
    for (const Case c : {Case{false, 10, 10, 2, 4}, Case{true, 10, 10, 4, 8}, Case{true, 1, 1, 0, 0}}) {
        SmallWorld w(2, 5);
        w.Chain({0, 1, 2, 3}).Own(1, 0).Capital(0, 2).Capital(1, 4).Link(3, 4);
        if (!c.foreignNeighbour)
            w.Own(3, 0);
        w.Finish();
        w.SetArmy(0, c.pikes, c.slings);
        LeaveCapitalGarrison();
        EXPECT_EQ(w.Pikes(w.Province(2).garrison), c.pikesLeft);
        EXPECT_EQ(w.Slings(w.Province(2).garrison), c.slingsLeft);
        EXPECT_EQ(w.Pikes(w.Player(0).army) + w.Pikes(w.Province(2).garrison), c.pikes);
        EXPECT_EQ(w.Slings(w.Player(0).army) + w.Slings(w.Province(2).garrison), c.slings);
    }
}

TEST(PullFromNeighbourGarrisons, KeepsSomethingBehindUnlessAllowedAll)
{
    struct Case {
        int32_t neighbourPikes;
        uint8_t percent;
        bool allowAll;
        int32_t moved;
    };
    // A pike's recruiting weight is 4, so at most 2 move from one neighbour.
    for (const Case c : {Case{2, 50, false, 1}, Case{1, 100, false, 0}, Case{1, 100, true, 1},
                         Case{30, 50, false, 2}, Case{3, 100, false, 2}}) {
        SmallWorld w(2, 5);
        Row(w, -1);
        w.SetGarrison(1, c.neighbourPikes, 0);
        PullFromNeighbourGarrisons(&w.Province(2), c.percent, c.allowAll);
        EXPECT_EQ(w.Pikes(w.Province(2).garrison), c.moved)
            << c.neighbourPikes << " at " << int(c.percent) << "% allowAll " << c.allowAll;
        EXPECT_EQ(w.Pikes(w.Province(1).garrison), c.neighbourPikes - c.moved);
    }
}

TEST(GarrisonKeepPercent, FallsWithEveryRivalNeighbour)
{
    for (const int ownerOf3 : {-1, 0, 1}) {
        SmallWorld w(2, 5);
        Row(w, ownerOf3);
        EXPECT_EQ(GarrisonKeepPercent(&w.Province(2)), ownerOf3 == 1 ? 60 : 80) << "owner " << ownerOf3;
    }
    SmallWorld w(2, 6);
    w.Link(0, 1)
        .Link(0, 2)
        .Link(0, 3)
        .Link(0, 4)
        .Capital(0, 0)
        .Own(1, 1)
        .Own(2, 1)
        .Own(3, 1)
        .Capital(1, 4)
        .Link(4, 5);
    w.Finish();
    EXPECT_EQ(GarrisonKeepPercent(&w.Province(0)), 0);
}

TEST(MarchAlongOwnPath, StopsAtTheBorder)
{
    SmallWorld w(2, 5);
    Row(w, 1);
    w.SetArmy(0, 6, 0);
    w.PlaceArmy(0, 0);
    MarchAlongOwnPath(&w.Province(2));
    EXPECT_EQ(w.Player(0).armyLocation, 2);
    EXPECT_LE(w.Controller(0).movePoints, 1);
}

}  // namespace

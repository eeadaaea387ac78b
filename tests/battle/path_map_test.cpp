#include <gtest/gtest.h>

#include "battle/battle_grid.h"
#include "battle/path_map.h"
#include "game/game_object.h"

namespace {

class PathMapTest : public ::testing::Test {
protected:
    CBattleGrid grid;
    CPathMap paths{&grid};
    CArmyItem blockers[8];

    // Puts an impassable occupant on a cell.
    void Block(uint8_t cell, int slot)
    {
        blockers[slot].cell = cell;
        blockers[slot].flags = 0;
        grid.Cell(cell).occupant = &blockers[slot];
    }
};

TEST_F(PathMapTest, CostsAreStepsOverOpenGround)
{
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    struct Case {
        uint8_t cell;
        uint16_t cost;
    };
    const Case cases[] = {{60, 0}, {61, 1}, {49, 1}, {71, 1}, {62, 2},
                          {38, 2}, {64, 4}, {56, 4}, {12, 6}, {108, 6}};
    for (const Case& c : cases)
        EXPECT_EQ(paths.CostAt(c.cell), c.cost) << int(c.cell);
    EXPECT_FALSE(paths.IsReachable(0));  // border
    EXPECT_TRUE(paths.IsReachable(108));
}

TEST_F(PathMapTest, OriginOnABlockedCellComputesNothing)
{
    grid.Cell(60).state = kCellMoat;
    EXPECT_FALSE(paths.Compute(60, 0, 0, 1));
    EXPECT_EQ(paths.CostAt(61), 255);
    EXPECT_FALSE(paths.IsReachable(61));
    CellList route;
    EXPECT_FALSE(paths.BuildRoute(61, route));
    EXPECT_FALSE(paths.MarkReachable(5));
}

TEST_F(PathMapTest, CostLimitStopsTheWave)
{
    ASSERT_TRUE(paths.Compute(60, 0, 3, 1));
    EXPECT_EQ(paths.CostAt(63), 3);
    EXPECT_FALSE(paths.IsReachable(64));
    EXPECT_EQ(paths.CostAt(64), 0xFFFF);
}

TEST_F(PathMapTest, OccupantsBlockOnlyWhenTested)
{
    const uint8_t around[6] = {49, 50, 59, 61, 71, 72};
    for (int i = 0; i < 6; ++i)
        Block(around[i], i);
    // The mover's own cell is taken by itself: that is no obstacle.
    Block(60, 6);
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    for (int i = 0; i < grid.cellCount; ++i)
        EXPECT_EQ(paths.IsReachable(uint8_t(i)), i == 60) << i;
    ASSERT_TRUE(paths.Compute(60, 0, 0, 0));
    EXPECT_TRUE(paths.IsReachable(61));
    EXPECT_EQ(paths.CostAt(62), 2);
    // A passable occupant (an open gate) lets the wave through.
    blockers[3].flags = 1;
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    EXPECT_EQ(paths.CostAt(61), 1);
    EXPECT_EQ(paths.CostAt(62), 2);
    EXPECT_FALSE(paths.IsReachable(59));
}

TEST_F(PathMapTest, WalledCellsAreWalkedAround)
{
    // A line of moat from row 2 down to row 8 in column 5, open at rows 1 and 9.
    for (int row = 2; row <= 8; ++row)
        grid.Cell(uint8_t(5 + 11 * row)).state = kCellMoat;
    ASSERT_TRUE(paths.Compute(59, 0, 0, 1));  // row 5, column 4
    EXPECT_FALSE(paths.IsReachable(60));
    // Up to row 1 and down again: 59 48 37 26 15 16 28 39 50 61.
    EXPECT_EQ(paths.CostAt(61), 9);
    CellList route;
    ASSERT_TRUE(paths.BuildRoute(61, route));
    ASSERT_EQ(route.count, 9);
    EXPECT_EQ(route.cost, 9);
    EXPECT_EQ(route.cells[8], 61);
    uint8_t previous = 59;
    for (uint8_t i = 0; i < route.count; ++i) {
        bool adjacent = false;
        for (uint8_t d = 0; d < 6; ++d)
            adjacent = adjacent || grid.Neighbour(previous, d) == route.cells[i];
        EXPECT_TRUE(adjacent) << "step " << int(i);
        EXPECT_EQ(grid.Cell(route.cells[i]).state, kCellGround);
        previous = route.cells[i];
    }
}

TEST_F(PathMapTest, Routes)
{
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    CellList route;
    ASSERT_TRUE(paths.BuildRoute(60, route));  // to the origin itself
    ASSERT_EQ(route.count, 1);
    EXPECT_EQ(route.cells[0], 60);
    ASSERT_TRUE(paths.BuildRoute(62, route));
    ASSERT_EQ(route.count, 2);
    EXPECT_EQ(route.cells[0], 61);
    EXPECT_EQ(route.cells[1], 62);
    EXPECT_EQ(route.cost, 2);
    EXPECT_FALSE(paths.BuildRoute(0, route));
    EXPECT_EQ(route.count, 0);
}

TEST_F(PathMapTest, LowestNeighbourPrefersTheFirstDirection)
{
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    // From 38 both 49 (down-left) and 50 (down-right) cost 1; 49 comes first.
    EXPECT_EQ(paths.LowestNeighbour(38), 49);
    EXPECT_EQ(paths.LowestNeighbour(61), 60);
}

TEST_F(PathMapTest, TrimToCost)
{
    ASSERT_TRUE(paths.Compute(56, 0, 0, 1));
    CellList route;
    ASSERT_TRUE(paths.BuildRoute(64, route));
    ASSERT_EQ(route.count, 8);
    route.TrimToCost(3, &paths);
    ASSERT_EQ(route.count, 3);
    EXPECT_EQ(route.cells[2], 59);
    EXPECT_EQ(route.cost, 4);  // the walk stopped on the cell that did not fit
    route.TrimToCost(0, &paths);
    EXPECT_EQ(route.count, 0);
    EXPECT_EQ(route.cells, nullptr);
}

TEST_F(PathMapTest, SavedCostsComeBackOnce)
{
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    ASSERT_TRUE(paths.SaveCosts());
    EXPECT_FALSE(paths.SaveCosts());  // the first copy is kept
    ASSERT_TRUE(paths.Compute(12, 0, 0, 1));
    EXPECT_EQ(paths.CostAt(13), 1);
    paths.RestoreCosts();
    EXPECT_EQ(paths.origin, 60);
    EXPECT_EQ(paths.CostAt(61), 1);
    EXPECT_EQ(paths.CostAt(12), 6);
    EXPECT_TRUE(paths.SaveCosts());
}

TEST_F(PathMapTest, NeighbourQueries)
{
    Block(62, 0);
    Block(64, 1);
    Block(61, 2);
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    EXPECT_TRUE(paths.CanReachNeighbourOf(&blockers[0]));
    // 61 and 62 are taken: the way to 64 leads over row 4 (53 and 63 cost 4).
    EXPECT_TRUE(paths.CanReachNeighbourWithin(&blockers[1], 4));
    EXPECT_FALSE(paths.CanReachNeighbourWithin(&blockers[1], 3));
    EXPECT_TRUE(paths.AreNeighbours(&blockers[0], &blockers[2]));
    EXPECT_FALSE(paths.AreNeighbours(&blockers[0], &blockers[1]));
}

}  // namespace

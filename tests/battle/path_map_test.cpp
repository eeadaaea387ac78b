#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

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

// The wave as first written: every level scans every cell and relaxes the
// neighbours through the grid, one cell at a time. The path map's set-based
// wave and its remembered maps must give the same costs and steps.
struct ReferenceWave {
    std::vector<uint16_t> costs;
    std::vector<uint8_t> steps;
    bool made = false;
};

uint16_t ReferenceEntry(const CBattleGrid& grid, uint8_t cell, uint8_t check)
{
    if (cell >= grid.cellCount)
        return kImpassableCost;
    if (check && !IsCellPassable(&grid, cell))
        return kImpassableCost;
    return grid.Cell(cell).state != kCellGround ? kImpassableCost : 0;
}

ReferenceWave Reference(const CBattleGrid& grid, uint8_t from, uint8_t target, uint16_t maxCost,
                        uint8_t check, bool toward)
{
    ReferenceWave w;
    const int n = grid.cellCount;
    w.costs.assign(size_t(n), 0xFFFF);
    w.steps.assign(size_t(n), 0xFF);
    if (ReferenceEntry(grid, from, 0) == kImpassableCost)
        return w;
    w.made = true;
    w.costs[from] = 0;
    w.steps[from] = 0;
    for (int level = 0; level < n - 2; ++level) {
        bool changed = false;
        for (int cell = 1; cell <= n - 2; ++cell) {
            if (w.steps[size_t(cell)] != level)
                continue;
            if (toward) {
                bool beside = false;
                for (uint8_t d = 0; d < 6; ++d)
                    beside = beside || grid.Neighbour(uint8_t(cell), d) == target;
                if (beside)
                    break;
            }
            if (maxCost != 0 && maxCost < w.costs[size_t(cell)] + 1)
                continue;
            const int base = w.costs[size_t(cell)] + 1;
            bool relaxed = false;
            for (uint8_t d = 0; d < 6; ++d) {
                const uint8_t nb = grid.Neighbour(uint8_t(cell), d);
                const uint16_t entry = ReferenceEntry(grid, nb, check);
                if (entry != kImpassableCost && base + entry < w.costs[nb]) {
                    w.costs[nb] = uint16_t(base + entry);
                    relaxed = true;
                }
            }
            if (relaxed) {
                for (uint8_t d = 0; d < 6; ++d) {
                    const uint8_t nb = grid.Neighbour(uint8_t(cell), d);
                    if (ReferenceEntry(grid, nb, check) != kImpassableCost && level + 1 < w.steps[nb])
                        w.steps[nb] = uint8_t(level + 1);
                }
                changed = true;
            }
        }
        if (!changed)
            break;
    }
    return w;
}

// Random fields (walls, moat, the gate, passable and impassable occupants)
// changed a little between requests, so that remembered maps are asked for
// both on an unchanged field and on one where something moved.
TEST_F(PathMapTest, MatchesTheCellByCellWaveOnRandomFields)
{
    std::mt19937 random(20261210);
    CArmyItem items[24];
    for (int i = 0; i < 24; ++i)
        items[i].flags = i % 4 == 0 ? 1 : 0;
    const uint16_t limits[] = {0, 1, 2, 3, 5};
    int compared = 0;
    for (int field = 0; field < 60; ++field) {
        grid.Reset();
        auto playable = [&] { return uint8_t(12 + random() % 97); };
        for (int k = 0; k < 12; ++k) {
            const uint8_t cell = playable();
            if (!grid.IsBorder(cell))
                grid.Cell(cell).state = (random() % 2) ? kCellBlocked : kCellMoat;
        }
        for (int k = 0; k < 24; ++k) {
            const uint8_t cell = playable();
            if (!grid.IsBorder(cell))
                grid.Cell(cell).occupant = &items[k];
        }
        for (int ask = 0; ask < 40; ++ask) {
            if (ask % 8 == 7) {
                // Something moves: an occupant steps to another cell.
                const uint8_t from = playable(), to = playable();
                if (!grid.IsBorder(to) && !grid.Cell(to).occupant) {
                    grid.Cell(to).occupant = grid.Cell(from).occupant;
                    grid.Cell(from).occupant = nullptr;
                }
            }
            if (ask % 13 == 12)
                items[random() % 24].flags ^= 1;  // a gate opens or shuts
            // Few origins, so that the same map is asked for again.
            const uint8_t origin = uint8_t(56 + random() % 8);
            const uint16_t limit = limits[random() % 5];
            const uint8_t check = uint8_t(random() % 2);
            const bool toward = random() % 6 == 0;
            const uint8_t target = playable();
            const ReferenceWave want = Reference(grid, origin, target, toward ? 0 : limit, check, toward);
            const bool made = toward ? paths.ComputeToward(origin, target, 0, check)
                                     : paths.Compute(origin, 0, limit, check);
            ASSERT_EQ(made, want.made) << "field " << field << " ask " << ask;
            if (!made)
                continue;
            ++compared;
            for (uint8_t cell = 0; cell < grid.cellCount; ++cell) {
                ASSERT_EQ(paths.costs[cell], want.costs[cell])
                    << "field " << field << " ask " << ask << " cell " << int(cell);
                ASSERT_EQ(paths.steps[cell], want.steps[cell])
                    << "field " << field << " ask " << ask << " cell " << int(cell);
            }
        }
    }
    EXPECT_GT(compared, 1500);
}

TEST_F(PathMapTest, ARememberedMapIsNotKeptPastAMove)
{
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    EXPECT_EQ(paths.CostAt(62), 2);
    Block(61, 0);
    Block(50, 1);
    Block(72, 2);
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    EXPECT_EQ(paths.CostAt(62), 5);  // round by row 4 or row 6
    // Without the occupant test the same request is the first map again.
    ASSERT_TRUE(paths.Compute(60, 0, 0, 0));
    EXPECT_EQ(paths.CostAt(62), 2);
    blockers[0].flags = 1;  // the occupant of 61 lets squads through
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    EXPECT_EQ(paths.CostAt(62), 2);
}

TEST_F(PathMapTest, AHeldFieldFollowsTheChangesItIsTold)
{
    const CPathMap::CellSet open = paths.EnterableCells(1);
    CPathMap::CellSet blocked = open;
    for (uint8_t cell : {61, 50, 72})
        blocked.Put(cell, false);
    {
        const FieldHold held(&paths);
        const FieldHold nested(&paths);
        ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
        EXPECT_EQ(paths.CostAt(62), 2);
        // The caller blocks the way and tells the map the field it made.
        Block(61, 0);
        Block(50, 1);
        Block(72, 2);
        paths.ChangeHeldField(blocked);
        ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
        EXPECT_EQ(paths.CostAt(62), 5);
        // What the caller tells counts until the hold ends.
        paths.ChangeHeldField(open);
        ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
        EXPECT_EQ(paths.CostAt(62), 2);
    }
    // Released, the map reads the grid again.
    ASSERT_TRUE(paths.Compute(60, 0, 0, 1));
    EXPECT_EQ(paths.CostAt(62), 5);
}

}  // namespace

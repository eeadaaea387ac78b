#include <gtest/gtest.h>

#include "battle/battle_grid.h"

namespace {

TEST(BattleGridTest, ResetLeavesTheBorderRingBlocked)
{
    CBattleGrid grid;
    grid.Cell(60).state = kCellMoat;
    grid.Reset();
    int border = 0, ground = 0;
    for (int i = 0; i < grid.cellCount; ++i) {
        const uint32_t s = grid.Cell(uint8_t(i)).state;
        EXPECT_EQ(s == kCellBorder, grid.IsBorder(uint8_t(i))) << i;
        border += s == kCellBorder;
        ground += s == kCellGround;
        EXPECT_EQ(grid.Cell(uint8_t(i)).occupant, nullptr);
    }
    EXPECT_EQ(border, 40);
    EXPECT_EQ(ground, 81);
}

TEST(BattleGridTest, CellCentres)
{
    CBattleGrid grid;
    grid.SetCellSize(PackedPoint(32, 32));
    struct Case {
        uint8_t cell;
        bool ok;
        int16_t x, y;
    };
    const Case cases[] = {
        {12, true, 32, 16},     // inner row 0 is shifted by half a cell
        {23, true, 16, 40},     // inner row 1 is not
        {20, true, 288, 16},    // last cell of the first row
        {108, true, 288, 208},  // last playable cell
        {0, false, 0, 0},      {10, false, 0, 0},  {11, false, 0, 0},
        {21, false, 0, 0},     {110, false, 0, 0}, {120, false, 0, 0},
    };
    for (const Case& c : cases) {
        PackedPoint p(-7, -7);
        EXPECT_EQ(grid.CellToPoint(c.cell, p), c.ok) << int(c.cell);
        if (c.ok) {
            EXPECT_EQ(p.X(), c.x) << int(c.cell);
            EXPECT_EQ(p.Y(), c.y) << int(c.cell);
        } else {
            EXPECT_EQ(p.X(), -7);  // untouched
        }
    }
}

TEST(BattleGridTest, CellToPointKeepsTheFlagBits)
{
    CBattleGrid grid;
    PackedPoint p;
    p.xWord = 0xA000;
    p.yWord = 0x5000;
    ASSERT_TRUE(grid.CellToPoint(12, p));
    EXPECT_EQ(p.xWord & 0xF000, 0xA000);
    EXPECT_EQ(p.yWord & 0xF000, 0x5000);
    EXPECT_EQ(p.X(), 32);
}

TEST(BattleGridTest, PointsToCells)
{
    CBattleGrid grid;
    grid.SetCellSize(PackedPoint(32, 32));
    struct Case {
        int16_t x, y;
        uint8_t cell;
    };
    const Case cases[] = {
        {0, 0, kNoCell},                    // corner above the first, shifted row
        {32, 16, 12},                       // centre of the first cell
        {16, 40, 23},                       // centre of the first cell of the second row
        {17, 2, kNoCell},                   // above the slanted top edge of the first cell
        {30, 24, 12},                       // the bottom point of a cell reaches into the next row's band
        {40, 24, 12},        {16, 44, 23},  // well inside the first cell of the second row
        {288, 208, 108},                    // last playable cell
        {300, 16, 20},                      // right half of the last cell of row 0
        {310, 40, kNoCell},                 // odd row: column 9 does not exist
        {100, 230, kNoCell},                // below the field
        {-5, 10, kNoCell},                  // left of the field
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid.PointToCell(PackedPoint(c.x, c.y)), c.cell) << c.x << "," << c.y;
}

TEST(BattleGridTest, EveryCentreMapsBackToItsCell)
{
    for (int size : {32, 24, 40}) {
        CBattleGrid grid;
        grid.SetCellSize(PackedPoint(size, size));
        for (int i = 0; i < grid.cellCount; ++i) {
            PackedPoint p;
            if (grid.CellToPoint(uint8_t(i), p)) {
                EXPECT_EQ(grid.PointToCell(p), i) << "size " << size;
            }
        }
    }
}

TEST(BattleGridTest, Neighbours)
{
    CBattleGrid grid;
    struct Case {
        uint8_t cell;
        uint8_t n[6];
    };
    // Grid row 1 (12) is odd, grid row 2 (24) even.
    const Case cases[] = {
        {12, {1, 2, 11, 13, 23, 24}},
        {24, {12, 13, 23, 25, 34, 35}},
        {60, {49, 50, 59, 61, 71, 72}},
        {71, {59, 60, 70, 72, 81, 82}},
    };
    for (const Case& c : cases)
        for (uint8_t d = 0; d < 6; ++d)
            EXPECT_EQ(grid.Neighbour(c.cell, d), c.n[d]) << int(c.cell) << " dir " << int(d);
    EXPECT_EQ(grid.Neighbour(60, 6), 0);
    EXPECT_EQ(grid.Neighbour(60, 200), 0);
}

TEST(BattleGridTest, NeighbourhoodIsSymmetric)
{
    // Direction d and 5 - d lead back: up-left/down-right, up-right/down-left,
    // left/right.
    CBattleGrid grid;
    for (int i = 0; i < grid.cellCount; ++i) {
        if (grid.IsBorder(uint8_t(i)))
            continue;
        for (uint8_t d = 0; d < 6; ++d)
            EXPECT_EQ(grid.Neighbour(grid.Neighbour(uint8_t(i), d), uint8_t(5 - d)), i);
    }
}

}  // namespace

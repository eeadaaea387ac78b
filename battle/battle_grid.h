#pragma once
// The hexagonal field of a tactical battle: 11 x 11 cells whose outer ring is
// a border that no squad ever stands on, so the playable field is the inner
// 9 x 9. A cell is named by one byte, its index column + 11 x row; 255 is no
// cell. Rows alternate: an even inner row is shifted right by half a cell.

#include <cstdint>

#include "core/packed_geometry.h"

class CArmyItem;

// Neighbours of every byte on the 11-column field, in the directions of
// CBattleGrid::Neighbour; every byte, not only the cells, has its row, so
// that kNoCell or an index past the field gets the same wrapped arithmetic
// as ever. Worked out once, when the program is built.
struct HexNeighbourTable {
    uint8_t cell[256][6];
};
inline constexpr HexNeighbourTable kHexNeighbours = [] {
    constexpr int kOddRow[6] = {-11, -10, -1, 1, 11, 12};
    constexpr int kEvenRow[6] = {-12, -11, -1, 1, 10, 11};
    HexNeighbourTable t{};
    for (int index = 0; index < 256; ++index)
        for (int d = 0; d < 6; ++d)
            t.cell[index][d] = uint8_t((index + ((index / 11) % 2 != 0 ? kOddRow : kEvenRow)[d]) & 0xFF);
    return t;
}();

// Cell states; any nonzero state keeps squads out.
enum : uint32_t {
    kCellGround = 0,
    kCellBlocked = 1,  // the gate while the drawbridge is up
    kCellBorder = 2,
    kCellMoat = 3,
};

constexpr uint8_t kNoCell = 255;

struct BattleCell {
    uint32_t state = kCellGround;
    CArmyItem* occupant = nullptr;  // never owned by the grid
};

class CBattleGrid {
public:
    CBattleGrid();
    ~CBattleGrid();
    CBattleGrid(const CBattleGrid&) = delete;
    CBattleGrid& operator=(const CBattleGrid&) = delete;

    // Every cell back to free ground with nobody on it, then the border ring.
    void Reset();
    void SetCellSize(PackedPoint size);

    // The cell under a point of the field view (pixels from the top-left of
    // the inner area), or kNoCell.
    uint8_t PointToCell(PackedPoint point) const;
    // The centre of a playable cell; false, point untouched, for a border cell.
    bool CellToPoint(uint8_t index, PackedPoint& point) const;
    // Neighbour in direction 0 up-left, 1 up-right, 2 left, 3 right,
    // 4 down-left, 5 down-right; 0 for a direction above 5. Only asked for
    // playable cells, whose neighbours the border ring keeps in range. The
    // battle AI asks this millions of times a game, so it is a table lookup.
    uint8_t Neighbour(uint8_t index, uint8_t direction) const
    {
        return direction < 6 ? kHexNeighbours.cell[index][direction] : 0;
    }

    bool IsBorder(uint8_t index) const;
    BattleCell& Cell(uint8_t index) { return cells[index]; }
    const BattleCell& Cell(uint8_t index) const { return cells[index]; }

    uint8_t columns = 11;
    uint8_t rows = 11;
    uint8_t cellCount = 121;
    uint8_t directionCount = 6;
    BattleCell* cells = nullptr;
    int16_t cellWidth = 32;
    int16_t cellHeight = 32;
    int16_t halfWidth = 16;
    int16_t halfHeight = 16;
    int16_t rowPitch = 24;
};

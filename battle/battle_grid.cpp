#include "battle/battle_grid.h"

CBattleGrid::CBattleGrid()
{
    cells = new BattleCell[cellCount];
    Reset();
}

CBattleGrid::~CBattleGrid()
{
    delete[] cells;
}

void CBattleGrid::Reset()
{
    for (int i = 0; i < cellCount; ++i)
        cells[i] = BattleCell{};
    for (int c = 0; c < columns; ++c) {
        cells[c].state = kCellBorder;
        cells[(rows - 1) * columns + c].state = kCellBorder;
    }
    for (int r = 1; r < rows - 1; ++r) {
        cells[r * columns].state = kCellBorder;
        cells[r * columns + columns - 1].state = kCellBorder;
    }
}

void CBattleGrid::SetCellSize(PackedPoint size)
{
    cellWidth = size.X();
    cellHeight = size.Y();
    halfWidth = int16_t(cellWidth >> 1);
    rowPitch = int16_t((cellHeight * 3) >> 2);
    halfHeight = int16_t(cellHeight >> 1);
}

bool CBattleGrid::IsBorder(uint8_t index) const
{
    const int c = index % columns;
    const int r = index / columns;
    return c == 0 || r == 0 || c >= columns - 1 || r >= rows - 1;
}

uint8_t CBattleGrid::PointToCell(PackedPoint point) const
{
    // A cell size that was never set (or a nonsense one) maps nothing.
    if (cellWidth <= 0 || rowPitch <= 0)
        return kNoCell;
    const int16_t x = point.X();
    const int16_t y = point.Y();
    int c = x / cellWidth;
    const int rx = x % cellWidth;
    int r = y / rowPitch;
    const int ry = y % rowPitch;
    // Only the top band of a row can belong to the row above: the slanted
    // top edges of the hexagons.
    if (r % 2 != 0) {
        if (rx <= halfWidth) {
            if (ry < rowPitch * (cellWidth - 2 * rx) / (2 * cellWidth)) {
                --c;
                --r;
            }
        } else if (ry < (rx - halfWidth) * rowPitch / cellWidth) {
            --r;
        }
    } else {
        if (rx <= halfWidth) {
            if (ry <= rowPitch * rx / cellWidth)
                --r;
            else
                --c;
        } else if (ry < rowPitch * (cellWidth - 2 * (rx - halfWidth)) / (2 * cellWidth)) {
            --r;
        }
    }
    // A negative coordinate truncates toward zero; such points lie off the
    // field all the same.
    if (x < 0 || y < 0 || c < 0 || r < 0 || c >= columns - 2 || r >= rows - 2)
        return kNoCell;
    return uint8_t((c + 1) + (r + 1) * columns);
}

bool CBattleGrid::CellToPoint(uint8_t index, PackedPoint& point) const
{
    const int c = index % columns - 1;
    const int r = index / columns - 1;
    if (c < 0 || r < 0 || c > columns - 3 || r > rows - 3)
        return false;
    const int x = cellWidth * c + (r % 2 == 0 ? 2 * halfWidth : halfWidth);
    const int y = rowPitch * r + halfHeight;
    point.xWord = packed::Write(point.xWord, x);
    point.yWord = packed::Write(point.yWord, y);
    return true;
}

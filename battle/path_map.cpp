#include "battle/path_map.h"

#include <cstring>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "game/game_object.h"

void CellList::Free()
{
    delete[] cells;
    cells = nullptr;
    count = 0;
}

void CellList::Allocate(uint8_t n)
{
    Free();
    cells = n ? new uint8_t[n] : nullptr;
    count = n;
}

void CellList::Truncate(uint8_t n)
{
    if (n >= count)
        return;
    if (n == 0) {
        Free();
        return;
    }
    count = n;
}

void CellList::Reverse()
{
    for (int i = 0, j = count - 1; i < j; ++i, --j) {
        const uint8_t t = cells[i];
        cells[i] = cells[j];
        cells[j] = t;
    }
}

void CellList::TrimToCost(uint16_t maxCost, const CPathMap* pathMap)
{
    uint16_t total = 0;
    uint8_t kept = 0;
    while (kept < count) {
        const uint16_t next = uint16_t(total + pathMap->EntryCost(cells[kept], 1) + 1);
        total = next;
        if (next > maxCost)
            break;
        ++kept;
    }
    if (kept == 0) {
        Free();
        return;
    }
    Truncate(kept);
    cost = total;
}

bool IsCellPassable(const CBattleGrid* grid, uint8_t cell)
{
    if (cell >= grid->cellCount)
        return false;
    const BattleCell& c = grid->Cell(cell);
    if (c.state == kCellBorder)
        return false;
    if (!c.occupant)
        return true;
    return c.occupant->flags != 0;
}

namespace {

void Add(CPathMap::CellSet& set, int cell)
{
    set.word[cell >> 6] |= uint64_t(1) << (cell & 63);
}

bool IsEmpty(const CPathMap::CellSet& set)
{
    return (set.word[0] | set.word[1]) == 0;
}

// Calls f(cell) for every cell of the set, lowest first, while f says true.
template <typename F>
void ForEachCell(const CPathMap::CellSet& set, F f)
{
    for (int w = 0; w < 2; ++w)
        for (uint64_t bits = set.word[w]; bits; bits &= bits - 1)
            if (!f(w * 64 + __builtin_ctzll(bits)))
                return;
}

}  // namespace

CPathMap::CPathMap(CBattleGrid* g) : grid(g), cellCount(g->cellCount)
{
    costs = new uint16_t[size_t(cellCount)];
    steps = new uint8_t[size_t(cellCount)];
    savedCosts = new uint16_t[size_t(cellCount)];
    std::memset(costs, 0xFF, sizeof(uint16_t) * size_t(cellCount));
    std::memset(steps, 0xFF, size_t(cellCount));
    // A neighbour past the field is never entered, so the sets leave it out.
    for (int cell = 0; cell < cellCount && cell < kSetCells; ++cell) {
        for (uint8_t d = 0; d < 6; ++d) {
            const uint8_t n = grid->Neighbour(uint8_t(cell), d);
            if (n < cellCount && n < kSetCells)
                Add(m_neighbourSets[cell], n);
        }
        if (cell >= 1 && cell <= cellCount - 2)
            Add(m_expandable, cell);
    }
}

CPathMap::~CPathMap()
{
    delete[] costs;
    delete[] steps;
    delete[] savedCosts;
}

uint16_t CPathMap::EntryCost(uint8_t cell, uint8_t check) const
{
    if (cell >= cellCount)
        return kImpassableCost;
    if (check && !IsCellPassable(grid, cell))
        return kImpassableCost;
    return grid->Cell(cell).state != kCellGround ? kImpassableCost : 0;
}

void CPathMap::HoldField()
{
    ++m_holds;
}

void CPathMap::ReleaseField()
{
    if (m_holds > 0 && --m_holds == 0)
        m_heldRead = 0;
}

void CPathMap::ChangeHeldField(const CellSet& withOccupantTest)
{
    if (!m_holds)
        return;
    m_heldEnterable[1] = withOccupantTest;
    m_heldRead = 2;
}

CPathMap::CellSet CPathMap::EnterableCells(uint8_t check)
{
    const int which = check ? 1 : 0;
    if (m_holds && (m_heldRead >> which) & 1)
        return m_heldEnterable[which];
    const CellSet set = ReadEnterableCells(check);
    if (m_holds) {
        m_heldEnterable[which] = set;
        m_heldRead |= uint8_t(1 << which);
    }
    return set;
}

CPathMap::CellSet CPathMap::ReadEnterableCells(uint8_t check) const
{
    // Only free ground is entered; with the check, an occupant must be
    // passable too (a border cell is never ground).
    CellSet set;
    const BattleCell* cells = grid->cells;
    const int n = cellCount < kSetCells ? cellCount : kSetCells;
    for (int w = 0; w * 64 < n; ++w) {
        const int end = n < w * 64 + 64 ? n : w * 64 + 64;
        uint64_t bits = 0;
        for (int cell = end - 1; cell >= w * 64; --cell) {
            const BattleCell& c = cells[cell];
            bool enterable = c.state == kCellGround;
            if (check && enterable && c.occupant)
                enterable = c.occupant->flags != 0;
            bits = (bits << 1) | uint64_t(enterable);
        }
        set.word[w] = bits;
    }
    return set;
}

bool CPathMap::Expand(uint8_t from, uint8_t target, uint16_t maxCost, uint8_t check, bool toward)
{
    valid = 0;
    if (EntryCost(from, 0) == kImpassableCost)
        return false;
    origin = from;
    checkPassable = check;
    const CellSet enterable = EnterableCells(check);
    const size_t count = size_t(cellCount);
    const bool remember = !toward && cellCount <= kSetCells;
    if (remember) {
        for (const MadeMap& made : m_made) {
            if (made.used && made.origin == from && made.maxCost == maxCost &&
                made.enterable.word[0] == enterable.word[0] && made.enterable.word[1] == enterable.word[1]) {
                std::memcpy(costs, made.costs, sizeof(uint16_t) * count);
                std::memcpy(steps, made.steps, count);
                valid = 1;
                return true;
            }
        }
    }
    std::memset(costs, 0xFF, sizeof(uint16_t) * count);
    std::memset(steps, 0xFF, count);
    costs[from] = 0;
    steps[from] = 0;
    CellSet frontier, reachedBefore;
    Add(frontier, from);
    Add(reachedBefore, from);
    // Every cell of level n costs n, so a limit stops whole levels. The
    // frontier is taken in cell order: the wave toward a target stops at the
    // first cell beside it, and the cells after it in that level stay where
    // they are.
    for (int level = 0; level < cellCount - 2; ++level) {
        if (maxCost != 0 && maxCost < level + 1)
            break;
        CellSet next;
        const CellSet expanding = {
            {frontier.word[0] & m_expandable.word[0], frontier.word[1] & m_expandable.word[1]}};
        ForEachCell(expanding, [&](int cell) {
            if (toward) {
                for (uint8_t d = 0; d < 6; ++d)
                    if (grid->Neighbour(uint8_t(cell), d) == target)
                        return false;
            }
            next.word[0] |= m_neighbourSets[cell].word[0];
            next.word[1] |= m_neighbourSets[cell].word[1];
            return true;
        });
        for (int w = 0; w < 2; ++w)
            next.word[w] &= enterable.word[w] & ~reachedBefore.word[w];
        if (IsEmpty(next))
            break;
        ForEachCell(next, [&](int cell) {
            costs[cell] = uint16_t(level + 1);
            steps[cell] = uint8_t(level + 1);
            return true;
        });
        for (int w = 0; w < 2; ++w)
            reachedBefore.word[w] |= next.word[w];
        frontier = next;
    }
    if (remember) {
        MadeMap& made = m_made[m_nextMade];
        m_nextMade = (m_nextMade + 1) % kMadeMaps;
        made.enterable = enterable;
        made.maxCost = maxCost;
        made.origin = from;
        made.used = 1;
        std::memcpy(made.costs, costs, sizeof(uint16_t) * count);
        std::memcpy(made.steps, steps, count);
    }
    valid = 1;
    return true;
}

bool CPathMap::Compute(uint8_t from, uint32_t who, uint16_t maxCost, uint8_t check)
{
    if (EntryCost(from, 0) == kImpassableCost) {
        valid = 0;
        return false;
    }
    mover = who;
    return Expand(from, 0, maxCost, check, false);
}

bool CPathMap::ComputeToward(uint8_t from, uint8_t target, uint32_t who, uint8_t check)
{
    if (EntryCost(from, 0) == kImpassableCost) {
        valid = 0;
        return false;
    }
    mover = who;
    return Expand(from, target, 0, check, true);
}

uint16_t CPathMap::CostAt(uint8_t cell) const
{
    if (!valid || cell >= cellCount)
        return 255;
    return costs[cell];
}

bool CPathMap::IsReachable(uint8_t cell) const
{
    return valid && cell < cellCount && costs[cell] < kImpassableCost;
}

bool CPathMap::CanReachNeighbourOf(const CArmyItem* item) const
{
    if (!valid)
        return false;
    for (uint8_t d = 0; d < 6; ++d)
        if (costs[grid->Neighbour(uint8_t(item->cell), d)] < kImpassableCost)
            return true;
    return false;
}

bool CPathMap::CanReachNeighbourWithin(const CArmyItem* item, uint16_t limit) const
{
    if (!valid)
        return false;
    for (uint8_t d = 0; d < 6; ++d)
        if (costs[grid->Neighbour(uint8_t(item->cell), d)] <= limit)
            return true;
    return false;
}

bool CPathMap::AreNeighbours(const CArmyItem* a, const CArmyItem* b) const
{
    for (uint8_t d = 0; d < 6; ++d)
        if (grid->Neighbour(uint8_t(a->cell), d) == uint8_t(b->cell))
            return true;
    return false;
}

uint8_t CPathMap::LowestNeighbour(uint8_t cell) const
{
    uint8_t best = kNoCell;
    uint16_t bestCost = 255;
    for (uint8_t d = 0; d < 6; ++d) {
        const uint8_t n = grid->Neighbour(cell, d);
        if (costs[n] < bestCost) {
            bestCost = costs[n];
            best = n;
        }
    }
    return best;
}

bool CPathMap::BuildRoute(uint8_t target, CellList& route) const
{
    route.Free();
    route.cost = 0;
    if (!valid || target >= cellCount || costs[target] >= kImpassableCost)
        return false;
    const uint16_t total = costs[target];
    route.cost = total;
    route.Allocate(uint8_t(total + 1));
    route.cells[0] = target;
    uint8_t taken = 1;
    uint8_t cur = target;
    while (taken <= total) {
        cur = LowestNeighbour(cur);
        // A neighbour must always be one cheaper; a dead end would mean a
        // damaged map, so stop rather than walk off it.
        if (cur == origin || cur == kNoCell)
            break;
        route.cells[taken++] = cur;
    }
    route.count = taken;
    route.Reverse();
    return true;
}

bool CPathMap::MarkReachable(uint16_t limit) const
{
    if (!valid)
        return false;
    g_battleHooks.highlight.Fire();
    for (int cell = 0; cell < cellCount && size_t(cell) < g_battle.highlight.size(); ++cell)
        if (costs[cell] < limit)
            g_battle.highlight[size_t(cell)] = 2;
    g_battleHooks.highlight.Fire();
    return true;
}

bool CPathMap::SaveCosts()
{
    if (savedOrigin != 0 || !valid)
        return false;
    std::memcpy(savedCosts, costs, sizeof(uint16_t) * size_t(cellCount));
    savedOrigin = origin;
    return true;
}

void CPathMap::RestoreCosts()
{
    if (savedOrigin == 0)
        return;
    std::memcpy(costs, savedCosts, sizeof(uint16_t) * size_t(cellCount));
    origin = savedOrigin;
    valid = 1;
    savedOrigin = 0;
}

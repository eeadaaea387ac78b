#pragma once
// Where a squad can go: a level-by-level wave over the battle grid from the
// squad's cell, giving every cell a walking cost and a step count. Every
// enterable cell costs nothing to enter, so a cost is a distance in steps;
// 240 or more means unreachable.
//
// The battle AI asks for tens of thousands of maps a game, so the wave runs
// on sets of cells, one bit a cell: a level is the union of the frontier's
// neighbour sets less what was reached before.

#include <cstdint>

class CArmyItem;
class CBattleGrid;

constexpr uint16_t kImpassableCost = 240;

// A route or any list of cells; owns its array.
struct CellList {
    CellList() = default;
    ~CellList() { Free(); }
    CellList(const CellList&) = delete;
    CellList& operator=(const CellList&) = delete;

    // Shortens a route to what maxCost points can walk.
    void TrimToCost(uint16_t maxCost, const class CPathMap* pathMap);
    // Keeps the first n cells when n is below the count (0 frees the array).
    void Truncate(uint8_t n);
    void Allocate(uint8_t n);
    void Reverse();
    void Free();

    uint8_t* cells = nullptr;
    uint8_t count = 0;
    uint16_t cost = 0;
};

// False for a border cell; true for an empty cell; otherwise the occupant's
// passable flag (gates, a fallen wall, a lowered bridge).
bool IsCellPassable(const CBattleGrid* grid, uint8_t cell);

class CPathMap {
public:
    // A set of cells, one bit a cell; the field has 121.
    struct CellSet {
        uint64_t word[2] = {0, 0};
        void Put(int cell, bool in)
        {
            const uint64_t bit = uint64_t(1) << (cell & 63);
            word[cell >> 6] = in ? word[cell >> 6] | bit : word[cell >> 6] & ~bit;
        }
    };
    static constexpr int kSetCells = 128;

    explicit CPathMap(CBattleGrid* grid);
    ~CPathMap();
    CPathMap(const CPathMap&) = delete;
    CPathMap& operator=(const CPathMap&) = delete;

    uint16_t EntryCost(uint8_t cell, uint8_t checkPassable) const;
    bool Compute(uint8_t origin, uint32_t mover, uint16_t maxCost, uint8_t checkPassable);
    bool ComputeToward(uint8_t origin, uint8_t target, uint32_t mover, uint8_t checkPassable);
    uint16_t CostAt(uint8_t cell) const;
    uint8_t StepsAt(uint8_t cell) const { return valid ? steps[cell] : 0xFF; }
    bool IsReachable(uint8_t cell) const;
    bool CanReachNeighbourOf(const CArmyItem* item) const;
    bool CanReachNeighbourWithin(const CArmyItem* item, uint16_t limit) const;
    bool AreNeighbours(const CArmyItem* a, const CArmyItem* b) const;
    uint8_t LowestNeighbour(uint8_t cell) const;
    bool BuildRoute(uint8_t target, CellList& route) const;
    // Marks the highlight bytes of the battle with 2 for every cell cheaper
    // than the limit.
    bool MarkReachable(uint16_t limit) const;
    bool SaveCosts();
    void RestoreCosts();

    // Between HoldField and the matching ReleaseField the caller promises
    // that nothing on the field changes (no cell state, occupant or
    // occupant's passable flag), so the cells a map may enter are read once
    // for the whole stretch instead of once a map. Holds nest.
    void HoldField();
    void ReleaseField();
    // The cells whose entry cost is not kImpassableCost: the held ones while
    // the field is held and they were read, else read from the grid.
    CellSet EnterableCells(uint8_t checkPassable);
    // While held: the caller has just changed the field to one whose
    // enterable cells with the occupant test it knows to be these.
    void ChangeHeldField(const CellSet& withOccupantTest);
    // While held: something on the field changed; it is read again.
    void HeldFieldChanged() { m_heldRead = 0; }

    CBattleGrid* grid;
    int32_t cellCount;
    uint16_t* costs;
    uint8_t* steps;
    uint32_t mover = 0;
    uint8_t origin = 0;
    uint8_t checkPassable = 0;
    uint8_t valid = 0;
    uint8_t savedOrigin = 0;  // 0: no saved copy
    uint16_t* savedCosts;

private:
    bool Expand(uint8_t origin, uint8_t target, uint16_t maxCost, uint8_t checkPassable, bool toward);
    CellSet ReadEnterableCells(uint8_t checkPassable) const;

    CellSet m_neighbourSets[kSetCells];
    // The cells a wave goes on from: the field less its first and last cell.
    CellSet m_expandable;

    // The last maps made: a decision asks for the same squad's map over and
    // over (target scoring, cell threats, advance cells) while nothing on the
    // field moves. A map depends only on its origin, its limit and the cells
    // it may enter, so an entry with the same three is the map itself.
    struct MadeMap {
        CellSet enterable;
        uint16_t maxCost = 0;
        uint8_t origin = 0;
        uint8_t used = 0;
        uint16_t costs[kSetCells];
        uint8_t steps[kSetCells];
    };
    static constexpr int kMadeMaps = 16;
    MadeMap m_made[kMadeMaps];
    int m_nextMade = 0;

    int m_holds = 0;
    // While the field is held: the enterable cells without and with the
    // occupant test, once read (bit 0 and bit 1 of m_heldRead).
    CellSet m_heldEnterable[2];
    uint8_t m_heldRead = 0;
};

// Holds a path map's field for a scope: the AI's pure questions (target
// scoring, cell threats, advance cells) ask for many maps of one field.
class FieldHold {
public:
    explicit FieldHold(CPathMap* map) : m_map(map) { m_map->HoldField(); }
    ~FieldHold() { m_map->ReleaseField(); }
    FieldHold(const FieldHold&) = delete;
    FieldHold& operator=(const FieldHold&) = delete;

private:
    CPathMap* m_map;
};

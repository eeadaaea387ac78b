#pragma once
// Tactics: one small functor per group of squads that share an order. Execute
// moves, shoots and strikes with the group's squads through the side
// controller's squad actions; a squad leaves the group once it has acted.
#include <cstdint>

#include "core/dyn_array.h"

class CPathMap;
class CSideController;
class CSquad;

// The order a group shares: plan word, approach direction (or destination
// cell of a move) and target.
struct AiOrder {
    uint32_t plan = 0;
    uint8_t direction = 0;
    CSquad* target = nullptr;
};

AiOrder OrderOf(const CSquad* squad);

class AiTactic {
public:
    virtual ~AiTactic() = default;
    virtual void Setup(CSideController* side, const AiOrder& order);
    virtual bool Execute() = 0;
    virtual void Stop() { stopFlag = 1; }

    CDynArray<CSquad*> squads;
    uint32_t plan = 0;
    uint8_t direction = 0;
    CSquad* target = nullptr;
    CSideController* side = nullptr;
    uint8_t stopFlag = 0;

protected:
    // Tells the screen the squad has acted; marks nothing without a screen.
    void MarkActed(const CSquad* squad) const;
    bool HasEnemyBeside(const CSquad* squad) const;
    void StrikeEnemyBeside(CSquad* squad);
};

class CAttackTactic : public AiTactic {
public:
    void Setup(CSideController* side, const AiOrder& order) override;
    bool Execute() override;

    CPathMap* pathMap = nullptr;

private:
    void SortByApproachKey();
    bool MoveBlocksFriend(const CSquad* squad, uint8_t cell);
};

class CMoveTactic : public AiTactic {
public:
    void Setup(CSideController* side, const AiOrder& order) override;
    bool Execute() override;

    CPathMap* pathMap = nullptr;
};

class CGuardTactic : public AiTactic {
public:
    bool Execute() override;
};

// 1 attack, 2 move, 3 guard; null for any other plan word.
AiTactic* CreateTactic(uint32_t plan, CSideController* side, const AiOrder& order);

// The cell the squad moves to next to its goal (the target, or the order's
// destination), the least threatened one; false when there is none.
bool BestMoveCell(AiTactic* tactic, CSquad* squad, uint8_t& cell, uint8_t limited);
// Sum of the damage the enemy squads could deal to the squad on that cell
// (the path map is overwritten).
uint32_t CellThreat(AiTactic* tactic, const CSquad* squad, uint8_t cell);

#pragma once
// The battle AI's strategies: stateless objects that decide the placement of
// a side's squads and the order of every squad in a turn. Two exist during a
// battle, the siege strategy first and the general one second; a strategy
// takes part only where its AppliesTo holds.
#include <cstdint>

#include "core/dyn_array.h"

class CArmy;
class CSideController;
class CSquad;
struct SideSetup;

// Indices into the enemy army, most dangerous first; -1 fills the tail.
using AiTargetOrder = CDynArray<int16_t>;

class CBattleAiStrategy {
public:
    virtual ~CBattleAiStrategy() = default;

    virtual bool AppliesTo(CSideController* side) = 0;
    virtual void PlaceSquads(CSideController* side) = 0;
    virtual void PlayTurn(CSideController* side) = 0;
    virtual void PlaySquad(CSideController* side, CSquad* squad) = 0;
    // The free cell next to the target that the current path map reaches
    // most cheaply; 255 when there is none.
    virtual uint8_t ChooseApproachCell(const CSquad* target);
};

class CGeneralAiStrategy : public CBattleAiStrategy {
public:
    bool AppliesTo(CSideController* side) override;
    void PlaceSquads(CSideController* side) override;
    void PlayTurn(CSideController* side) override;
    void PlaySquad(CSideController* side, CSquad* squad) override;

    // Writes the squad's order (attack or move) or leaves it empty.
    virtual void ActSquad(CSideController* side, CSquad* squad, const AiTargetOrder& order,
                          uint8_t firstPass);
    virtual int32_t RangedPowerRatio(const CArmy* a, const CArmy* b);
    virtual int16_t RangedStrength(const CArmy* army);
    virtual int16_t ArmyStrength(const CArmy* army);
    virtual int16_t SquadRating(const CArmy* army, const CSquad* squad);
    // The cell from which the acting squad (standing on fallback) blocks the
    // enemy that would reach the protected squad soonest.
    virtual uint8_t ChooseAdvanceCell(const CSquad* protectedSquad, uint8_t fallback, const CArmy* enemy,
                                      const CArmy* own);
    virtual bool IsOnCornerCell(const CSquad* squad);
    virtual uint8_t CellOffCorner(const CSquad* squad);
    virtual uint8_t ChooseRangedPlacementCell(const CSquad* squad, const SideSetup* setup);
};

class CSiegeAiStrategy : public CGeneralAiStrategy {
public:
    bool AppliesTo(CSideController* side) override;
    void PlaceSquads(CSideController* side) override;
    void ActSquad(CSideController* side, CSquad* squad, const AiTargetOrder& order,
                  uint8_t firstPass) override;
    int32_t RangedPowerRatio(const CArmy* a, const CArmy* b) override;
    int16_t SquadRating(const CArmy* army, const CSquad* squad) override;
    uint8_t ChooseAdvanceCell(const CSquad* protectedSquad, uint8_t fallback, const CArmy* enemy,
                              const CArmy* own) override;
};

// Index 0 the siege strategy, index 1 the general one; empty outside a battle.
extern CDynArray<CBattleAiStrategy*> BattleAiStrategies;

void BuildBattleAiStrategies();
void DestroyBattleAiStrategies();

// The first applicable strategy places the side's squads.
void AiPlaceSquads(CSideController* side);
// Every applicable strategy gives orders to the squads that have none.
bool AiPlayTurn(CSideController* side);
// An order for one squad; false when no strategy found one.
bool AiPlaySquad(CSideController* side, CSquad* squad);

// Moves a squad during placement and tells the screen where it went.
void MovePlacedSquad(CSideController* side, CSquad* squad, uint8_t cell);
// Cell a squad of the army moves to so that no own squad stands next to it;
// 255 when there is none.
uint8_t SpreadCell(const CArmy* army, const CSquad* squad);

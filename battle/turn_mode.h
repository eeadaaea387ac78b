#pragma once
// Turn modes: how a side played by hand spends its turn. A mode owns the
// battle window's input for a while, shows marks and buttons, and carries out
// what the person chose through the side controller's squad actions.

#include <cstdint>
#include <memory>
#include <vector>

#include "battle/side_ai.h"
#include "core/packed_geometry.h"

class CByteStream;
class CHumanSideController;
class CSquad;

enum : uint32_t {
    kMarkDestination = 2,
    kMarkFreeCell = 3,
    kMarkTarget = 4,
    kMarkEngineTarget = 5,  // a castle catapult's target
    kMarkEngineObject = 6,  // what the trebuchet may hit
    kMarkApproach = 7,      // 7 + direction 0..5
    kMarkShot = 13,
    kMarkShotBehindWalls = 14,
    kMarkJoinPartner = 15,
};

struct ScreenMark {
    uint8_t wait = 0;
    PackedPoint point;
    uint8_t cell = 0;
    uint32_t kind = 0;
};

// Options of the battle preferences read by the modes.
bool PrefAllowSplit();
bool PrefKeepOrders();
bool PrefExpertMode();
// The automatic aiming of the siege engines: the attacker's trebuchet, the
// defender's catapults.
bool PrefAutoSiegeEngines(bool attacker);

void HideMarks();
void ShowInfo(uint32_t battleId);
void ClearInfo();
void FireHighlightHook();
void ResetHighlight();
int32_t AskSplitAmount(int32_t max);

class CTurnMode {
public:
    explicit CTurnMode(CHumanSideController* side) : side(side) {}
    CTurnMode(const CTurnMode&) = delete;
    CTurnMode& operator=(const CTurnMode&) = delete;
    virtual ~CTurnMode() { ClearMarks(); }

    virtual void Run() = 0;
    virtual bool Serialize(CByteStream* stream) = 0;
    virtual void Continue() = 0;
    virtual uint32_t Kind() const { return 0; }
    virtual void OnEndTurn() {}
    virtual void Refresh() {}
    virtual void LeaveStage() { armed = 0; }
    virtual void Reset();
    virtual void OnCellTap(uint8_t) {}
    virtual void OnCellTapArmed(uint8_t) {}
    virtual void OnCellAltTap(uint8_t cell) { OnCellTap(cell); }
    virtual void OnCellAltTapArmed(uint8_t cell) { OnCellTapArmed(cell); }
    virtual uint32_t OnCode(uint32_t code);
    virtual uint32_t OnCodeArmed(uint32_t code);
    virtual void OnInputCode(uint32_t) {}
    virtual void OnInputCodeArmed(uint32_t) {}

    // Marks.
    bool HasMarkAt(uint8_t cell) const;
    void AddMark(uint32_t kind, uint8_t cell, PackedPoint point, uint8_t wait);
    void AddMarkAtCell(uint32_t kind, uint8_t cell, uint8_t wait);
    void ClearMarks();
    void ShowMarks();

    // Squads.
    bool IsOwnSquad(const CSquad* squad) const;
    bool IsSelectable(const CSquad* squad) const;
    bool CanCommand(const CSquad* squad) const { return IsSelectable(squad); }
    bool CanTarget(const CSquad* squad) const;
    void SelectSquad(CSquad* squad);
    void UpdateSplitJoin();
    bool CanSplit() const;
    bool CanJoin() const;
    bool AnySquadCanAct() const;
    bool AllSquadsHaveOrders() const;

    // Orders.
    void SetOrder(CSquad* squad, uint8_t cell);
    void CheckOrder(CSquad* squad);
    void ShowOrder(CSquad* squad);
    bool AutoPlaySquad(CSquad* squad);
    void AutoPlaySquads(bool all);
    void ExecuteOrders();
    bool ExecuteOrder(CSquad* squad);
    bool SomeOrderDone() const;
    void StopOrders();

    // Buttons.
    void ShowPlacementButtons();
    void ShowAutoButton();
    void ShowAutoButtonForSquads();
    void ShowOrderButtons();
    void ShowExecuteButtons();
    void HideButtons();
    void EnableSplitOnly();
    void EnableJoinOnly();

    // The modal wait of Run and Continue; with enemies set it also ends when
    // the enemy army has no units left.
    void WaitForInput(bool enemies);
    void CleanUp();

    uint8_t done = 0;
    uint8_t armed = 0;
    CHumanSideController* side;
    std::vector<std::unique_ptr<ScreenMark>> marks;
    CSquad* selected = nullptr;

protected:
    void ShowMeleeOrder(CSquad* squad);
    void ShowRangedOrder(CSquad* squad);
    void ShowMoveOrder(CSquad* squad);
    CSideOrders* Orders();

    std::unique_ptr<CSideOrders> m_orders;
    uint32_t m_stopFlag = 0;
};

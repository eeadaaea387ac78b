#pragma once
// The placement turn of a side played by hand: squads are moved inside the
// side's two starting columns, split and joined, until "Start".

#include "battle/turn_mode.h"

enum : uint32_t {
    kStageMove = 0,
    kStageSplit = 1,
    kStageJoin = 2
};

class CPlacementMode : public CTurnMode {
public:
    explicit CPlacementMode(CHumanSideController* side) : CTurnMode(side) {}

    void Run() override;
    bool Serialize(CByteStream*) override { return true; }
    void Continue() override { Run(); }
    uint32_t Kind() const override { return 1; }
    void Refresh() override;
    void LeaveStage() override;
    void OnCellTap(uint8_t cell) override;
    void OnCellTapArmed(uint8_t cell) override;
    uint32_t OnCode(uint32_t code) override;
    uint32_t OnCodeArmed(uint32_t code) override;

    void MarkPlacementCells();
    bool IsFreeZoneCell(uint8_t cell) const;
    void ShowStage();
    void Confirm();
    void MoveSquad();
    void SplitSquad();
    void JoinSquad();
    void SelectNextSquad();
    void EndStage();

    uint32_t stage = kStageMove;
    uint8_t chosenCell = 0;
};

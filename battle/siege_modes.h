#pragma once
// The siege engines of a side played by hand, before its orders: the
// attacker aims its trebuchet, the defender fires its castle catapults one
// after the other.

#include "battle/turn_mode.h"

class CSiegeScene;
class CSiegeCatapult;

class CTrebuchetMode : public CTurnMode {
public:
    CTrebuchetMode(CHumanSideController* side, CSiegeScene* scene) : CTurnMode(side), scene(scene) {}

    void Run() override;
    bool Serialize(CByteStream* stream) override;
    void Continue() override;
    uint32_t Kind() const override { return 4; }
    void Refresh() override;
    void OnCellTap(uint8_t cell) override;
    uint32_t OnCode(uint32_t code) override;
    uint32_t OnCodeArmed(uint32_t) override { return 0; }

    void MarkTargets();
    void Fire();
    bool TargetGone() const;

    CSiegeScene* scene;
};

class CCatapultMode : public CTurnMode {
public:
    CCatapultMode(CHumanSideController* side, CSiegeScene* scene) : CTurnMode(side), scene(scene) {}

    void Run() override;
    bool Serialize(CByteStream* stream) override;
    void Continue() override;
    uint32_t Kind() const override { return 5; }
    void Refresh() override {}
    void LeaveStage() override;
    void OnCellTap(uint8_t cell) override;
    void OnCellTapArmed(uint8_t cell) override;
    uint32_t OnCode(uint32_t code) override;
    uint32_t OnCodeArmed(uint32_t code) override;

    void NextCatapult();
    bool ShowTarget();
    bool IsValidTarget(uint8_t cell) const;
    void Fire();

    uint8_t busy = 0;
    uint8_t nextIndex = 0;
    CSiegeCatapult* current = nullptr;
    CSiegeScene* scene;
};

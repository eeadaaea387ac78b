#pragma once
// Sides the device plays by itself: every decision goes to the side's AI
// player; the mute side shows nothing of what it does.

#include "battle/side_ai.h"
#include "battle/side_controller.h"

class CComputerSideController : public CSideController {
public:
    CComputerSideController() = default;
    ~CComputerSideController() override;

    uint32_t Kind() const override { return kSideKindComputer; }
    void Init(const SideSetup* setup) override;
    void OnCellTap(uint8_t) override {}
    void OnKey(uint16_t) override {}
    void PlaceSquads() override;
    void PlayTurn() override;
    void ContinueTurn() override { PlayTurn(); }
    uint32_t OnCommand(uint32_t code) override;
    void OnInputCode(uint32_t) override {}
    bool MayGiveUp() override;
    virtual void BeginComputerTurn();
    virtual void EndComputerTurn();

    CSideAi* Ai() const { return m_ai; }

private:
    CSideAi* m_ai = nullptr;
};

class CMuteComputerSideController : public CComputerSideController {
public:
    uint32_t Kind() const override { return kSideKindMute; }
    void MoveSquad(CSquad*, uint8_t, uint16_t) override {}
    void ShowSquadLoss(CSquad*, bool) override {}
    void ShowMeleeAttack(CSquad*, CSquad*, bool) override {}
    void ShowRangedAttack(CSquad*, CSquad*, bool, bool) override {}
    void SetSquadPose(CSquad*, uint16_t) override {}
    void TurnSquadToward(CSquad*, uint16_t, uint8_t) override {}
    void LaunchMissile(CMissile*, uint8_t, uint8_t, int16_t) override {}
    void BeginComputerTurn() override {}
    void EndComputerTurn() override {}
};

#pragma once
// The turn modes of a side played by hand after the placement: the person
// gives orders squad by squad, or lets the battle AI play for them.

#include "battle/turn_mode.h"

class CPlanTurnMode : public CTurnMode {
public:
    using CTurnMode::CTurnMode;
};

class COrdersMode : public CPlanTurnMode {
public:
    using CPlanTurnMode::CPlanTurnMode;

    void Run() override;
    bool Serialize(CByteStream* stream) override;
    void Continue() override;
    uint32_t Kind() const override { return 2; }
    void Refresh() override { ShowOrder(selected); }
    void LeaveStage() override;
    void OnCellTap(uint8_t cell) override;
    void OnCellTapArmed(uint8_t cell) override;
    uint32_t OnCode(uint32_t code) override;
    uint32_t OnCodeArmed(uint32_t code) override;

    void SelectNextSquad();
    void SelectAndShow(CSquad* squad);

private:
    void AfterSquadPlayed();
};

class CAutoPlayMode : public CPlanTurnMode {
public:
    using CPlanTurnMode::CPlanTurnMode;

    void Run() override;
    bool Serialize(CByteStream* stream) override;
    void Continue() override;
    uint32_t Kind() const override { return 3; }
    uint32_t OnCode(uint32_t code) override;
    uint32_t OnCodeArmed(uint32_t code) override { return OnCode(code); }

    // Carries out one squad's order now.
    void PlaySquad(CSquad* squad);

    uint8_t loneSquad = 255;
};

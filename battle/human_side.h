#pragma once
// The side a person plays on the device. It decides nothing itself: its turn
// modes run modal waits while the battle window feeds them taps, commands and
// input codes, and it switches between the modes at the seams of a turn.

#include <cstdint>

#include "battle/side_controller.h"

class CTurnMode;
class CPlacementMode;
class COrdersMode;
class CAutoPlayMode;
class CTrebuchetMode;
class CCatapultMode;

enum : uint32_t {
    kModePlacement = 1,
    kModeOrders = 2,
    kModeAuto = 3,
    kModeTrebuchet = 4,
    kModeCatapult = 5,
};

class CHumanSideController : public CSideController {
public:
    CHumanSideController();
    ~CHumanSideController() override;

    uint32_t Kind() const override { return kSideKindHuman; }
    void Init(const SideSetup* setup) override;
    void OnCellTap(uint8_t cell) override;
    void OnCellAltTap(uint8_t cell) override;
    void OnKey(uint16_t) override {}
    void PlaceSquads() override;
    void PlayTurn() override;
    void ContinueTurn() override;
    uint32_t OnCommand(uint32_t code) override;
    void OnInputCode(uint32_t code) override;
    void Refresh() override;
    bool MayGiveUp() override;
    bool Serialize(CByteStream* stream) override;
    void EndTurn() override;
    bool PlayedByAi() const override;
    bool PlayedByHand() const override { return autoByte == 0; }

    void RunTurnModes();
    void PlaySquadAutomatically(CSquad* squad);
    void OnBridgeCommand();

    uint32_t modeIndex = 0;
    uint32_t requestedMode = 0;
    CTurnMode* currentMode = nullptr;
    uint8_t autoByte = 0;
    CPlacementMode* placementMode = nullptr;
    COrdersMode* ordersMode = nullptr;
    CAutoPlayMode* autoMode = nullptr;
    CTrebuchetMode* trebuchetMode = nullptr;
    CCatapultMode* catapultMode = nullptr;

private:
    void CreateSiegeModes();
};

void NotifySideTurnStart();

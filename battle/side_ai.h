#pragma once
// The seam between the computer side controllers and the battle AI. A
// computer side hands every decision to its side AI: where to place the
// squads before the battle and what to do in each turn. The battle AI
// installs its player (and the strategies it shares between the two sides)
// with InstallBattleAi; until something is installed, the built-in player
// of battle/plain_side_ai.h plays.

#include <cstdint>

class CSideController;
struct SideSetup;

class CSideAi {
public:
    virtual ~CSideAi() = default;
    virtual void PlaceSquads() = 0;
    virtual void PlayTurn() = 0;
};

struct BattleAiInstall {
    // Makes the AI player of one side; the controller owns the result.
    CSideAi* (*createPlayer)(CSideController* side, SideSetup* setup) = nullptr;
    // Called at the set-up and at the end of every battle.
    void (*createStrategies)() = nullptr;
    void (*deleteStrategies)() = nullptr;
};

// Null members fall back to the built-in player (and no strategies).
void InstallBattleAi(const BattleAiInstall& install);
const BattleAiInstall& InstalledBattleAi();

CSideAi* CreateSideAi(CSideController* side, SideSetup* setup);
void CreateBattleAiStrategies();
void DeleteBattleAiStrategies();

// A global option word of the battle parameters, read by the AI.
extern uint32_t g_battlePowerOption;

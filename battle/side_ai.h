#pragma once
// The seam between the computer side controllers and the battle AI. A
// computer side hands every decision to its side AI: where to place the
// squads before the battle and what to do in each turn. The battle AI
// installs its player (and the strategies it shares between the two sides)
// with InstallBattleAi; until something is installed, the built-in player
// of battle/plain_side_ai.h plays.

#include <cstdint>

class CSideController;
class CSquad;
struct SideSetup;

class CSideAi {
public:
    virtual ~CSideAi() = default;
    virtual void PlaceSquads() = 0;
    virtual void PlayTurn() = 0;
};

// Carries out the standing orders of a side's squads (the orders a person
// gave through the turn modes).
class CSideOrders {
public:
    virtual ~CSideOrders() = default;
    // Groups the standing orders and carries them out; false when stopped.
    virtual bool RunAll() = 0;
    // Carries out one squad's order; false when it has none.
    virtual bool RunOne(CSquad* squad) = 0;
    virtual void Stop() = 0;
};

struct BattleAiInstall {
    // Makes the AI player of one side; the controller owns the result.
    CSideAi* (*createPlayer)(CSideController* side, SideSetup* setup) = nullptr;
    // Called at the set-up and at the end of every battle.
    void (*createStrategies)() = nullptr;
    void (*deleteStrategies)() = nullptr;
    // What the turn modes of a side played by hand ask of the AI: play one
    // squad, aim the siege engines (catapults from the given index on), and
    // carry out standing orders.
    bool (*playSquad)(CSideController* side, CSquad* squad) = nullptr;
    void (*aimTrebuchet)(CSideController* side, SideSetup* setup) = nullptr;
    void (*aimCatapults)(CSideController* side, SideSetup* setup, uint8_t first) = nullptr;
    CSideOrders* (*createOrders)(CSideController* side, SideSetup* setup) = nullptr;
};

// Null members fall back to the built-in player (and no strategies).
void InstallBattleAi(const BattleAiInstall& install);
const BattleAiInstall& InstalledBattleAi();

CSideAi* CreateSideAi(CSideController* side, SideSetup* setup);
void CreateBattleAiStrategies();
void DeleteBattleAiStrategies();
bool BattleAiPlaySquad(CSideController* side, CSquad* squad);
void BattleAiAimTrebuchet(CSideController* side, SideSetup* setup);
void BattleAiAimCatapults(CSideController* side, SideSetup* setup, uint8_t first);
CSideOrders* CreateSideOrders(CSideController* side, SideSetup* setup);

// A global option word of the battle parameters, read by the AI.
extern uint32_t g_battlePowerOption;

#pragma once
// The battle trainer: a single battle outside a campaign, set up into a
// battle parameter record that then owns its two players and castle.

#include <cstdint>

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"

// The trainer set-up window is the screen's: it edits the record in place and
// returns 1 to start the battle. Unbound, the set-up is cancelled.
extern BattleHook<uint16_t(BattleParams*, uint32_t windowArgument)> g_trainerSetupWindow;

bool RunBattleTrainerSetup(BattleParams* params, uint32_t windowArgument);
// A training battle is never resumed from a file: these always fail.
bool LoadTrainerBattle(const char* name);
bool SaveTrainerBattle(const char* name);
void DeleteTrainerBattle(const char* name);
void LoadTrainerRules(BattleParams* params);
void UnloadTrainerRules(BattleParams* params);
// Sets a training battle up from a set-up text ([common], [attacker],
// [defender], [siege]) and begins it.
bool CBattleTrainer(BattleParams* params, const char* textPath);
// Makes the two trainer players into the record (player and flag numbers 2
// and 5); the record owns them.
void MakeTrainerPlayers(BattleParams* params);

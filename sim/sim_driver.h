// A headless harness that plays whole games between computer players: it
// drives every player of a mission through its controller's BeginTurn,
// ProvinceTurnStep, PlayTurn and EndTurn, as the turn loop does, but goes
// on without any person at the device. Battles are fought by the battle
// engine's quick battle, frame pumps advance the virtual clock by one frame
// step, and dialog requests (none are posted for computer players) are
// answered "no" by a scripted responder.
//
// Replays are exact: the random generator is reseeded at every player's turn
// from the tick count, and the harness sets the virtual clock before each
// turn from the seed, the round and the seat.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/ref_string.h"

// Starts the headless platform, mounts the packs of the data folder (ending
// in '/') and loads the squad types. False with a reason when it cannot.
bool SimStartEngine(const std::string& dataFolder, std::string& error);
void SimStopEngine();

// Every mission of every scenario of the data, in the scenario manager's
// order: "/Scenarios/<scenario>/MissionNNN".
std::vector<CStr> SimMissionPaths();

// Starts a new game of a mission (an index into SimMissionPaths) with every
// player a computer player.
bool SimNewGame(int mission, int32_t difficulty, uint32_t seed, std::string& error);
// Takes a game saved by SimSaveFile or by the game, which stands inside its
// current player's turn; the next SimPlay goes on there through the running
// game's ResumeTurnLoop, as the game goes on with a loaded game. Computer
// players take the seats of the people of a game the game saved. A file that
// is missing, short, damaged or hostile is refused with a reason; nothing of
// it is kept.
bool SimLoadGame(const std::string& file, uint32_t seed, std::string& error);

struct SimOutcome {
    int winner = -1;              // player id of the last player left, -1 when none yet
    int32_t rounds = 0;           // rounds the game has run (its round counter)
    int32_t roundsPlayedNow = 0;  // rounds this call played
};
// Plays up to maxRounds more rounds; stops early when one player is left. A
// round that stands inside a turn (a loaded or saved game) is finished
// first and counts as one.
SimOutcome SimPlay(int32_t maxRounds);

// The game as a saved-game file: the version word and the sealed body. The
// game saves itself inside a turn, after the player's province step, and a
// loaded game goes on from there; between rounds the next round's first
// turn is first played to that point.
bool SimSaveBytes(std::vector<uint8_t>& out);
bool SimSaveFile(const std::string& file, std::string& error);
void SimEndGame();

// The controller of a computer player's turn, so that a benchmark can time
// PlayTurn alone. A game saved from the call before PlayTurn is saved at
// that turn's save point.
using SimPlayTurnHook = void (*)(int playerIndex, bool before);
void SimSetPlayTurnHook(SimPlayTurnHook hook);

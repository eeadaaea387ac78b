// The running game: the one game in play while the map screen is open. It
// owns the world, keeps the game globals, runs the turn loop over the
// players' controllers and reaches the screens only through game signals.
#pragma once

#include <cstdint>

#include "core/ref_string.h"
#include "game/battle_seam.h"

class CGameWorld;
class CPlayerController;
class CProvinceDistanceMap;
class CArmy;
class PlayerRecord;
class ProvinceRecord;

// The four bytes a saved game keeps about a map battle in progress.
struct BattleInProgressRecord {
    uint8_t automatic = 0;
    uint8_t attackerId = 0;
    uint8_t defenderId = 0;
    uint8_t provinceIndex = 0;
};

// Handed to ComputePlayerRatings; holds the world pointer.
struct WorldHolder {
    CGameWorld* world = nullptr;
};

// New-game window settings.
struct NewGameSettings {
    int32_t difficulty = 0;
    int16_t humans = 1;
};

// The game globals. SessionState (the saved game) stores a part of them.
struct RunningGameState {
    CGameWorld* world = nullptr;
    WorldHolder* holder = nullptr;
    CProvinceDistanceMap* distanceMap = nullptr;
    int32_t turn = 0;
    uint8_t selectedProvince = 0;
    CStr missionPath;
    int32_t difficulty = 0;
    int32_t sessionMode = 0;
    uint8_t battleInProgress = 0;
    BattleInProgressRecord battle;
    uint8_t firstNoticePending = 0;
    uint8_t humanTurnActive = 0;
    uint32_t gameFinished = 0;
    // The finished game's result could not be written to the hall of fame:
    // its save stays, so the result is not lost with it.
    uint8_t resultUnwritten = 0;
    uint8_t paused = 0;
};

RunningGameState& Game();

// True when the program is quitting or the game's leave flag is set.
bool GameStopRequested();
// The game's leave flag (the core's stop test reads it too).
void SetLeaveRequested(uint8_t flag);
bool LeaveRequested();

// The map options of the preferences the game reads: quick battles
// ("CbQuickBtls"), confirmations ("CbConfirms") and the report window every
// turn ("CbReport").
bool OptionQuickBattles();
bool OptionConfirms();
bool OptionReport();

// Sets the random generator from the low 16 bits of the tick count,
// sign-extended, as every turn start and every rules load does.
void ReseedRandomFromTicks();

// Session set-up and tear-down.
void SessionInit(int32_t sessionMode);
bool NewGameFromMission(const CStr& missionPath);
void ApplyNewGameSettings(const NewGameSettings& settings);
int32_t CountAssignablePlayers(const CGameWorld* world);
int32_t CountFixedComputerPlayers(const CGameWorld* world);
void StartGame();
void RunTurnLoop();
void ResumeTurnLoop();
void EndSession();

// Saves and loads the game in play with its globals.
bool SaveGame(const CStr& fileName);
bool LoadSavedGame(const CStr& fileName);

// Queries over the world's players, in index order.
uint8_t CountActivePlayers();
uint8_t CountHumanPlayers();
uint8_t HumanPlayersRemain();
bool OnlyOnePlayerLeft();
uint8_t ActiveHumanOrdinal(const PlayerRecord* player);
PlayerRecord* CurrentPlayer();
CPlayerController* CurrentController();
ProvinceRecord* CurrentProvince();
CGameWorld* GameWorld();
CProvinceDistanceMap* GameDistanceMap();

// Commands from the map screen.
void CurrentControllerSelectProvince(uint8_t index);
void CurrentControllerProvinceAction(uint8_t index);
void MapMenuCommand(uint32_t command);
void MapGameCommand(uint32_t command);
void RunCastleOperation(uint32_t bits);
void PauseGame();

// Selection and status.
void SelectProvince(uint8_t index, uint8_t scroll);
void PlaySelectionSound(int32_t n);
void UpdateProvinceActions(uint8_t index);
void FirePlayerStatusSignals();
void NotifyCurrentPlayerChanged();
void BeginPlayerTurn(uint8_t index);
void AdvanceToNextPlayer();

// Players leaving and battles.
void PlayerEliminated(PlayerRecord* player);
void StartMapBattle(PlayerRecord* attacker, PlayerRecord* defender, ProvinceRecord* province,
                    uint8_t automatic);
void PrepareBattleArmy(PlayerRecord* player, CArmy* army);

// Builds "Turn #%ld; Free: %Lu; Max chunk: %Lu " without handing 32-bit
// values to a conversion that expects 64 bits.
CStr FormatTurnLogLine(int32_t turn, uint64_t freeMemory, uint64_t largestBlock);

#pragma once
// The spine of a tactical battle: the set-up record, the battle's global
// state, and the fixed order set-up, placement, alternating turns, result
// and teardown. One battle at a time.

#include <cstdint>
#include <vector>

#include "core/packed_geometry.h"

class CArmy;
class CBattleGrid;
class CBattleScene;
class CByteStream;
class CPathMap;
class CSideController;
class CastleState;
class HeroRecord;
class PlayerRecord;

enum : uint32_t {
    kBattleOpenField = 0,
    kBattleSiege = 1
};
enum : uint32_t {
    kPhaseNone = 0,
    kPhasePlacement = 1,
    kPhaseAttacker = 2,
    kPhaseDefender = 3
};

struct BattleParams {
    BattleParams() = default;
    BattleParams(const BattleParams&) = delete;
    BattleParams& operator=(const BattleParams&) = delete;
    // Frees what the battle trainer made.
    ~BattleParams();

    // Deletes the player records and the castle state the record owns (the
    // trainer's), nulls the pointers and unloads the battle rules.
    void FreeParticipants();
    // The trainer's stream of the record; false when a read runs past the
    // data or meets a count or a type it cannot take.
    bool Stream(CByteStream& stream);

    uint8_t noScreen = 0;
    uint32_t powerOption = 0;
    uint32_t kind = kBattleOpenField;
    PlayerRecord* attacker = nullptr;
    uint32_t attackerSideKind = 1;
    PlayerRecord* defender = nullptr;
    uint32_t defenderSideKind = 1;
    uint8_t obstacleLayout = 0;
    CastleState* castle = nullptr;
    // Set when the record owns the participants (the trainer's records).
    uint8_t ownsParticipants = 0;
};

struct BattleGlobals {
    uint8_t stopFlag = 0;
    uint8_t autoPlay = 0;
    uint8_t running = 0;
    uint8_t noScreen = 0;
    CBattleGrid* grid = nullptr;
    CPathMap* pathMap = nullptr;
    std::vector<uint8_t> highlight;
    CBattleScene* scene = nullptr;
    uint32_t kind = kBattleOpenField;
    CastleState* castle = nullptr;
    uint8_t obstacleLayout = 0;
    PlayerRecord* attackerPlayer = nullptr;
    PlayerRecord* defenderPlayer = nullptr;
    CArmy* attackerArmy = nullptr;
    CArmy* defenderArmy = nullptr;
    HeroRecord* attackerHero = nullptr;
    HeroRecord* defenderHero = nullptr;
    uint32_t attackerSideKind = 0;
    uint32_t defenderSideKind = 0;
    CSideController* attackerSide = nullptr;
    CSideController* defenderSide = nullptr;
    uint8_t activeSide = 0;  // 1 attacker, 0 defender
    uint32_t phase = kPhaseNone;
    int32_t turnCounter = 0;
    PackedPoint cellSize{packed::kUndefined, packed::kUndefined};
    uint32_t powerOption = 0;
};

extern BattleGlobals g_battle;

// The result word is the strategic game's BattleResult (game/battle_seam.h).
void BeginBattle(BattleParams* params);
void RunPlacementPhase();
void RunBattleTurns();
// Goes on with a battle that BeginBattle set up and SerializeBattle read
// back. Without that set-up there is nothing to resume: the battle is
// refused as stopped and false returned.
bool ResumeBattle();
void EndBattle();
bool IsBattleStopped();
bool IsBattleGoingOn();
bool SerializeBattle(CByteStream* stream);

// Pieces of the flow used by the input and the controllers.
CSideController* ActiveSide();
bool IsSiege();
// Turns a game stops a battle at: a guard for battles between sides that
// can no longer hurt each other (0: no limit). Only the rounds that the
// computer plays alone count: none in which a person plays a side by hand.
extern int32_t g_battleTurnLimit;

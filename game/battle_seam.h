#pragma once
// The little the strategic game needs of the tactical battle engine: the result
// word, the set-up record of a map battle, the event poster and the loaders of
// the siege objects' descriptions. The battle engine fills in the hooks.

#include <cstdint>

#include "core/ref_string.h"

class CArmyItem;
class CCatapult;
class CTrebuchet;
class CMissile;
class CastleState;
class PlayerRecord;
struct BattleEvent;

// 0 no result yet, 1 stopped before its end, 2 ended normally, 3 the attacker
// gave up, 4 the defender gave up.
enum : uint32_t {
    kBattleNoResult = 0,
    kBattleStopped = 1,
    kBattleEnded = 2,
    kBattleAttackerGaveUp = 3,
    kBattleDefenderGaveUp = 4,
};
extern uint32_t BattleResult;

// Side modes of a map battle.
enum : int32_t {
    kSideHuman = 0,
    kSideComputer = 1,
    kSideAutomatic = 2
};

struct MapBattleRecord {
    uint32_t automatic = 0;  // only the low 8 bits are meaningful
    int32_t difficulty = 0;
    int32_t siege = 0;
    PlayerRecord* attacker = nullptr;
    int32_t attackerMode = kSideComputer;
    PlayerRecord* defender = nullptr;
    int32_t defenderMode = kSideComputer;
    const void* openField = nullptr;  // the province's open-field data when not a siege
    CastleState* castle = nullptr;    // the province's castle when a siege
};

// Hands a battle notification to the battle screen's hook; nothing happens
// while no hook is installed (a battle without a screen).
using BattleEventHook = void (*)(const BattleEvent& event, uint8_t wait);
void SetBattleEventHook(BattleEventHook hook);
void DispatchBattleEvent(const BattleEvent* event, uint8_t wait);

// Reload turns of a destroyed trebuchet; the battle engine supplies the rule.
using TrebuchetReloadHook = uint8_t (*)();
void SetTrebuchetReloadHook(TrebuchetReloadHook hook);
uint8_t TrebuchetReloadTurns();

// Reads the first number of "/Objects/Battle/<name>/descr"; the default
// when the description is missing.
int32_t ReadBattleObjectNumber(const CStr& name, int32_t fallback);

// Reads the two numbers of "<folder>/missile".
void LoadMissileDescr(CMissile& missile, const CStr& folder);

#pragma once
// Small battles built in code for the battle engine's tests: the shipped
// rules set without a pack, three squad types, two players with armies.

#include <cstdint>
#include <vector>

#include "battle/battle_flow.h"
#include "game/game_object.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"

// The rules and siege layout as the shipped "battle" text gives them.
void SetShippedBattleRules();

// "Sword": melee 3 x1, hp 10, move 2. "Bow": melee 1 x1, ranged 2 x1,
// hp 6, move 2. "Axe": melee 4 x2, hp 12, move 1. Registered for the
// lifetime of the object.
class BattleSquadTypes {
public:
    BattleSquadTypes();
    ~BattleSquadTypes();
    const CSquadType* sword;
    const CSquadType* bow;
    const CSquadType* axe;
};

void AddSquad(PlayerRecord& player, const CSquadType* type, int32_t count);

// Two players (battle skill 0, builder 0) and a parameter block over them.
struct BattleSides {
    BattleSides();
    PlayerRecord attacker;
    PlayerRecord defender;
    CastleState castle;
    BattleParams params;
};

// Counts of every squad of an army, in army order.
std::vector<int32_t> Counts(const CArmy& army);

#include "core/byte_stream.h"

// Runs a stream routine through a counter and a writer; the written bytes.
template <typename F>
std::vector<uint8_t> StreamOut(F&& routine)
{
    CSizeCounter counter;
    routine(static_cast<CByteStream&>(counter));
    std::vector<uint8_t> bytes(counter.Position() > counter.Capacity() ? counter.Position()
                                                                       : counter.Capacity());
    CStreamWriter writer(bytes.data(), uint32_t(bytes.size()));
    routine(static_cast<CByteStream&>(writer));
    bytes.resize(writer.Position());
    return bytes;
}

// Stands in for the battle screen: gives every visual an id, records the
// events, and finishes every animation at once when the engine waits.
struct ScreenDouble {
    ScreenDouble();
    ~ScreenDouble();
    std::vector<BattleEvent> events;
    std::vector<uint32_t> strengths;
    uint32_t nextId = 100;
    int waitSteps = 0;
};

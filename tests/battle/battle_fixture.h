#pragma once
// Small battles built in code for the battle engine's tests: the shipped
// rules set without a pack, three squad types, two players with armies.

#include <cstdint>
#include <vector>

#include "battle/battle_flow.h"
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

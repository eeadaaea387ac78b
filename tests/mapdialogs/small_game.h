#pragma once
// A tiny running game for the windows that read the current player and the
// game's rules: one player (number 0, flag 0) owning a chain of castle-less
// provinces with its capital (a castle) at province 0. The player's army and
// the garrisons hold one squad of each of two types, "Pike" and "Bow" (the
// test types) unless others are named.

#include <cstdint>

class CGameWorld;
class PlayerRecord;
class ProvinceRecord;

class SmallGame {
public:
    explicit SmallGame(int provinces, const char* firstType = "Pike", const char* secondType = "Bow");
    ~SmallGame();
    SmallGame(const SmallGame&) = delete;
    SmallGame& operator=(const SmallGame&) = delete;

    CGameWorld& World();
    PlayerRecord& Player();
    ProvinceRecord& Province(int index);
    void SetArmy(int32_t pikes, int32_t bows);
    void SetGarrison(int province, int32_t pikes, int32_t bows);
};

// Registers "Pike" (melee 3, ranged 0) and "Bow" (melee 1, ranged 4) once.
void RegisterTestSquadTypes();

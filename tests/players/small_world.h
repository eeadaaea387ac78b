// Small hand-made worlds for the planner's tests: a few provinces on a graph
// written in the test, two squad types (a melee "Pike" and a ranged
// "Sling"), every player a computer player, and the running game's globals
// (world, distance map, rules, difficulty, current player) set up around it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "game/battle_seam.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/running_game.h"

class SmallWorld {
public:
    // players: how many; provinces: how many, all neutral, without castle,
    // income 2 gold each, until the test says otherwise.
    SmallWorld(int players, int provinces);
    ~SmallWorld();
    SmallWorld(const SmallWorld&) = delete;
    SmallWorld& operator=(const SmallWorld&) = delete;

    // --- Definition (before Finish) ---
    SmallWorld& Link(int a, int b);
    SmallWorld& Chain(std::initializer_list<int> provinces);
    SmallWorld& Own(int province, int player);
    // The player's capital, owned, with a whole castle.
    SmallWorld& Capital(int player, int province);
    SmallWorld& Castle(int province, uint8_t percent);
    SmallWorld& Skills(int player, uint8_t battle, uint8_t builder, uint8_t stealth);
    // Builds the live world, makes every player a computer player, and
    // selects player 0 as the current one with its turn begun.
    SmallWorld& Finish(int32_t difficulty = 1);

    // --- Live state (after Finish) ---
    CGameWorld& World() { return *Game().world; }
    PlayerRecord& Player(int i) { return World().Player(i); }
    ProvinceRecord& Province(int i) { return World().Province(i); }
    CPlayerController& Controller(int i);
    void SetArmy(int player, int32_t pikes, int32_t slings);
    void SetGarrison(int province, int32_t pikes, int32_t slings);
    void SetTreasury(int player, int32_t gold, int32_t metal, int32_t stone);
    void SetIncome(int province, int32_t gold, int32_t metal, int32_t stone);
    void PlaceArmy(int player, int province);
    // Makes the player the current one and begins its turn (move points 3,
    // reach computed).
    void BeginTurnOf(int player);
    int32_t Pikes(const CArmy& army) const;
    int32_t Slings(const CArmy& army) const;

    // Battles are resolved at once: the stronger side (the defender on a tie)
    // keeps its units, the other loses them all. A test may ask for a stop.
    static void StopNextBattle(bool stop);
    // The winner of every later battle loses this share of each squad.
    static void WinnerLosesPercent(int32_t percent);
    static int Battles();
    static uint32_t LastBattleAutomatic();

private:
    int m_players;
    int m_provinces;
    std::vector<std::pair<int, int>> m_links;
    std::vector<int> m_owners;
    std::vector<int> m_capitals;
    std::vector<int> m_castles;
    std::vector<std::vector<uint8_t>> m_skills;
};

// Small worlds built in code, the one builder of every test folder: a few
// provinces on a graph the test writes, two squad types, and the players
// that hold them. The same definition serves three ends: the mission data
// of a world alone (Describe, for the stream and model tests), a game the
// computer players play (Finish), or the running game's world that the map
// windows read (FinishForScreens).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "game/battle_seam.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/running_game.h"

class CSquadType;

// The figures of a squad type that tests read.
struct TestSquad {
    const char* id;
    const char* name = nullptr;
    const char* extras = nullptr;
    uint8_t melee = 1;
    uint8_t ranged = 0;
    uint8_t hp = 10;
    uint8_t speed = 1;
    uint8_t buy = 0;
    uint8_t force = 0;
    int32_t gold = 0;
    int32_t metal = 0;
};

// Registers the type unless one of its id is already registered, and
// returns the registered one. The registry frees the types with
// FreeSquadTypes, at the latest when the test program ends.
const CSquadType* RegisterTestSquad(const TestSquad& squad);

// A bundle of the three kinds every small world has: gold, metl, ston.
CResourceBundle Bundle(int32_t gold, int32_t metal = 0, int32_t stone = 0);

// The unit counts of the two squad kinds every small world's armies hold.
void SetSquadCounts(CArmy& army, int32_t first, int32_t second);

class SmallWorld {
public:
    // "Pike" (melee 3, 5 hp, bought by 4 for 10 gold) and "Sling" (ranged 3,
    // 3 hp, bought by 3 for 8 gold and 2 metal), unless Squads says others.
    static const TestSquad kPike;
    static const TestSquad kSling;

    // players: how many; provinces: how many, all neutral, without castle,
    // income 2 gold each, until the test says otherwise.
    SmallWorld(int players, int provinces);
    ~SmallWorld();
    SmallWorld(const SmallWorld&) = delete;
    SmallWorld& operator=(const SmallWorld&) = delete;

    // --- Definition (before Describe or Finish) ---
    SmallWorld& Link(int a, int b);
    SmallWorld& Chain(std::initializer_list<int> provinces);
    // Every province linked to the next, in index order.
    SmallWorld& Line();
    SmallWorld& Own(int province, int player);
    SmallWorld& OwnAll(int player);
    // The player's capital, owned, with a whole castle.
    SmallWorld& Capital(int player, int province);
    SmallWorld& Castle(int province, uint8_t percent);
    SmallWorld& Skills(int player, uint8_t battle, uint8_t builder, uint8_t stealth);
    // The player's assignment allows a person (0); every other is a computer's (1).
    SmallWorld& Human(int player);
    SmallWorld& Income(int province, uint8_t gold, uint8_t metal, uint8_t stone);
    // The two army slots' squad types, registered when the world is made.
    SmallWorld& Squads(const TestSquad& first, const TestSquad& second);
    // Slot type names only: the test registers types of these ids itself.
    SmallWorld& SlotTypes(const char* first, const char* second);

    // Writes the mission definition into the world, which is cleared first;
    // no pass runs and nothing of the running game changes.
    void Describe(CGameWorld& world);

    // Builds the live world as the running game's on the headless platform,
    // makes every player a computer player (or a person where Human says so),
    // sets small rules with a price on every work, resolves battles at once,
    // and selects player 0 as the current one with its turn begun.
    SmallWorld& Finish(int32_t difficulty = 1);
    // The running game's world for windows that read it, on the platform the
    // test has set up: default rules, no controllers, player 0 current.
    SmallWorld& FinishForScreens();

    // --- Live state (after Finish) ---
    CGameWorld& World() { return *Game().world; }
    PlayerRecord& Player(int i) { return World().Player(i); }
    ProvinceRecord& Province(int i) { return World().Province(i); }
    CPlayerController& Controller(int i);
    void SetArmy(int player, int32_t first, int32_t second);
    void SetGarrison(int province, int32_t first, int32_t second);
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
    void MakeRunningWorld();

    int m_players;
    int m_provinces;
    std::vector<std::pair<int, int>> m_links;
    std::vector<int> m_owners;
    std::vector<int> m_capitals;
    std::vector<int> m_castles;
    std::vector<std::vector<uint8_t>> m_skills;
    std::vector<uint8_t> m_assignments;
    std::vector<std::vector<uint8_t>> m_incomes;
    std::vector<TestSquad> m_squads;
    const char* m_slotTypes[2];
    bool m_live = false;
};

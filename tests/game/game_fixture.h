#pragma once
// Small worlds and squad types built in code for the game model's tests.

#include <cstdint>
#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "game/game_world.h"
#include "game/squad_type.h"
#include "tests/support/world/small_world.h"

// Registers "Sword" (melee, HP 10, force 5, costs 10 gold) and "Bow"
// (ranged, HP 6, force 3) for the lifetime of the object.
class TestSquadTypes {
public:
    TestSquadTypes();
    ~TestSquadTypes();
    const CSquadType* sword;
    const CSquadType* bow;
};

// A small world with all the mission data a stream carries: five provinces
// in a ring 0-1-2-3-4-0 plus the chord 1-3; player 0 holds 0 (capital,
// castle) and 1, player 1 holds 3 (capital, castle) and 4; province 2 is
// neutral without castle or garrison. Kinds gold, metl, ston; army slots
// Sword and Bow. The world is active and after-loaded.
void BuildFixtureWorld(CGameWorld& world);

// The world stream's bytes of a world (its pre-save pass runs first).
std::vector<uint8_t> WorldBytes(CGameWorld& world);

// Runs a stream routine through a counter and a writer.
template <typename F>
std::vector<uint8_t> StreamOut(F&& routine, int32_t version = 9)
{
    CSizeCounter counter;
    counter.SetVersion(version);
    routine(static_cast<CByteStream&>(counter));
    std::vector<uint8_t> bytes(counter.Capacity());
    CStreamWriter writer(bytes.data(), uint32_t(bytes.size()));
    writer.SetVersion(version);
    routine(static_cast<CByteStream&>(writer));
    return bytes;
}

// Text with CR LF line ends from lines.
std::string CrLf(const std::vector<std::string>& lines);

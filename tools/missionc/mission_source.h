#pragma once
// The readable source of a mission and its compilation into the game's own
// world. Every fault names the source file and line.

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_world.h"

struct MissionSource {
    struct Player {
        int line = 0;
        int id = 0;
        std::string capital;
        int skills[3] = {2, 2, 2};
        int assignment = 0;
        int heroKind = 0;
        std::string name;
        std::vector<int64_t> army;
        std::vector<int64_t> treasury;
    };
    struct Province {
        int line = 0;
        std::string key;
        int col = 0, row = 0;
        std::string name;
        std::vector<int64_t> income;
        int owner = -1;  // -1 neutral
        int ownerLine = 0;
        bool castle = false;
        int percent = 100;
        bool moat = false, walls = false;
        int catapults = 0;
        int buildings = 0;
        std::vector<int64_t> garrison;
        std::vector<std::pair<std::string, int>> links;  // key, line
        std::vector<std::pair<std::string, int>> cuts;
    };

    std::string file;
    std::string world;
    uint32_t tag = 0;
    uint32_t value = 0;
    std::vector<std::string> kinds;
    std::vector<std::string> slots;
    int slotsLine = 0;
    int goalKind = 5;
    std::vector<int64_t> goalValues;
    int limitKind = 0;
    int64_t limitValue = 0;
    std::vector<Player> players;
    std::vector<Province> provinces;
};

// Parses the text; false with the message "file:line: what" on a fault.
bool ParseMissionSource(const std::string& file, const std::string& text, MissionSource& out,
                        std::string& error);

// Builds the world's definition records from a parsed source and checks what
// the game relies on. knownSquadType tells whether a squad type id exists.
bool BuildMissionWorld(const MissionSource& source, bool (*knownSquadType)(const std::string&),
                       CGameWorld& world, std::string& error);

// Geometry of the map grid every mission is laid out on.
constexpr int kCellWidth = 48;
constexpr int kCellHeight = 40;
// Sea around the grid on every side of the map.
constexpr int kMapMargin = 12;

#pragma once
// The world of one game: resource kinds, players, provinces, the mission goal
// and the small per-player byte records, with the one stream that writes and
// reads it (a mission's data and the body of a saved game).

#include <cstdint>
#include <memory>
#include <vector>

#include "core/ref_string.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/province_record.h"

class CByteStream;

// Limits every world must keep. Distances are 7-bit values, so the province
// count stays well below 127; the map shows six player flags.
constexpr int kMaxPlayers = 6;
constexpr int kMaxProvinces = 120;
// No game comes near these. They keep what a file claims small enough that
// the planner's and the ratings' sums and products of strengths never
// overflow: a world beyond them is refused.
constexpr int32_t kMaxSquadUnits = 100000;
constexpr int64_t kMaxWorldStrength = int64_t(1) << 22;
constexpr int kMaxResourceKinds = 16;
constexpr int kMaxArmySlots = 32;
constexpr int kMaxCatapultsInMission = 7;

// The mission's goal. The world's goal kind (0 to 4) picks which of these
// fields a mission uses and streams; the game only carries them, for the
// screens that show the goal.
struct MissionGoal {
    uint8_t kind0Value = 0;
    uint8_t kind1Value = 255;
    // Kind 2: an army, streamed as its count per army slot, and two bytes.
    CArmy army;
    std::vector<uint32_t> armyCounts;
    uint8_t armyByte1 = 0, armyByte2 = 0;
    // Kind 3: a byte per resource kind, and two bytes.
    std::vector<uint8_t> resourceBytes;
    uint8_t resourceByte1 = 0, resourceByte2 = 0;
    uint8_t kind4Value = 255;
};

// A small record the mission carries for the screens: a value, a byte per
// player, and by its kind (0 or 1) one of two lists of a byte per resource
// kind.
struct WorldByteRecord {
    uint16_t value = 0;
    std::vector<uint8_t> perPlayer;
    uint8_t kind = 0;
    std::vector<uint8_t> kind0ResourceBytes;
    std::vector<uint8_t> kind1ResourceBytes;
};

class CGameWorld {
public:
    CGameWorld();
    CGameWorld(const CGameWorld&) = delete;
    CGameWorld& operator=(const CGameWorld&) = delete;
    ~CGameWorld();

    void Clear();
    // Reads or writes the whole world. A reader refuses counts beyond the
    // limits above; the stream's error flag then tells the caller.
    void Stream(CByteStream& s);
    bool LoadPreview(const CStr& missionPath);
    bool BeforeSave();
    bool AfterLoad();
    bool StreamSessionPart(CByteStream& s);
    void StreamBlockList(struct MapBlockList& list, CByteStream& s);

    // Checks what the game relies on after a world was read: ids 0..P-1,
    // owned capitals with castles, neighbours in range and symmetric, army
    // slot types distinct, armies within kMaxSquadUnits and
    // kMaxWorldStrength. Empty when the world is sound, else the first fault.
    CStr Validate(bool checkSquadTypes) const;
    CStr ValidateArmies() const;

    int PlayerCount() const { return int(players.size()); }
    int ProvinceCount() const { return int(provinces.size()); }
    PlayerRecord& Player(int i) { return *players[size_t(i)]; }
    ProvinceRecord& Province(int i) { return *provinces[size_t(i)]; }
    const PlayerRecord& Player(int i) const { return *players[size_t(i)]; }
    const ProvinceRecord& Province(int i) const { return *provinces[size_t(i)]; }
    void SetPlayerCount(int n);
    void SetProvinceCount(int n);

    CStr name;
    uint32_t worldTag = 0;
    std::vector<uint32_t> kinds;
    uint8_t slotCount = 0;
    std::vector<std::unique_ptr<PlayerRecord>> players;
    uint8_t currentPlayer = 0;
    std::vector<std::unique_ptr<ProvinceRecord>> provinces;
    uint32_t worldValue = 0;
    uint8_t goalKind = 0;
    MissionGoal goal;
    uint8_t limitKind = 0;
    int16_t byteLimit = -1;
    int16_t wordLimit = 20;
    std::vector<WorldByteRecord> byteRecords;
};

// Nested block lists of a mission's map data.
struct MapBlockPair {
    uint8_t region = 0;
    uint8_t province = 0;
};
struct MapBlockList {
    uint16_t width = 0;
    uint16_t second = 0;
    std::vector<std::vector<std::vector<MapBlockPair>>> strips;
};

// The world whose resource kinds the bundles use; none by default.
CGameWorld* ActiveWorld();
void SetActiveWorld(CGameWorld* world);

uint8_t ProvinceFlagByte(const CGameWorld& world, int index);

// Reads the mission texts of the mission path into the world's names.
bool LoadMissionTexts(CGameWorld& world, const CStr& missionPath);

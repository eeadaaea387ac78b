#pragma once
// One region of the strategic map and the castle it may hold.

#include <cstdint>
#include <vector>

#include "core/packed_geometry.h"
#include "core/ref_string.h"
#include "game/army.h"
#include "game/resource_bundle.h"

class CByteStream;
class PlayerRecord;
class ProvinceRecord;
class CGameWorld;

// Works a castle may have under construction.
enum : uint32_t {
    kWorkBuildCastle = 1,
    kWorkRepair = 2,
    kWorkCompleteCastle = 4,
    kWorkMoat = 8,
    kWorkCatapult = 16,
    kWorkFortWalls = 32,
    kWorkMarket = 64,
    kWorkBank = 128,
    kWorkTavern = 256,
    kWorkGuildLevel = 512,
    kWorkMetalMine = 1024,
    kWorkStoneMine = 2048,
    kWorkNone = 32768,
};

// Buildings of a castle.
enum : uint8_t {
    kBuildingMarket = 1,
    kBuildingBank = 2,
    kBuildingTavern = 4,
    kBuildingGuild = 8,
    kBuildingMetalMine = 16,
    kBuildingStoneMine = 32,
};

class CastleState {
public:
    static constexpr int kSegments = 4;

    void Reset();
    void StartBuild(uint32_t kind, uint8_t turns, uint8_t progress);
    void PackDefinition();
    void UnpackDefinition();
    void EndTurnStep(PlayerRecord& player);
    void BeginTurnStep(PlayerRecord& player);
    void CompleteWork(PlayerRecord& player);
    void PercentFromDefences();
    void DefencesFromPercent();
    bool AnyWallSegmentDown() const;
    void Stream(CByteStream& s);

    uint8_t definition = 0;
    uint8_t buildings = 0;
    uint8_t percent = 0;
    uint8_t capital = 0;
    uint8_t moat = 0;
    uint8_t fortWalls = 0;
    uint32_t work = 0;
    uint8_t turnsLeft = 0;
    uint8_t progress = 0;
    uint8_t catapults = 0;
    uint8_t guildLevel = 0;
    uint8_t segments[kSegments] = {0, 0, 0, 0};
    uint8_t gates = 0;
    ProvinceRecord* province = nullptr;
};

class ProvinceRecord {
public:
    static constexpr uint8_t kNeutralId = 6;
    static constexpr uint8_t kNoOwnerInFile = 255;

    ProvinceRecord() = default;
    ProvinceRecord(const ProvinceRecord&) = delete;
    ProvinceRecord& operator=(const ProvinceRecord&) = delete;

    void Assign(const ProvinceRecord& other);
    void SetOwner(PlayerRecord* player);
    void BeforeSave();
    void AfterLoad(CGameWorld& world);
    void StreamSession(CByteStream& s);
    bool HasCastle() const { return castleFlag != 0; }

    // Definition.
    std::vector<uint8_t> incomeBytes;
    uint8_t ownerId = kNeutralId;
    uint8_t castleFlag = 0;
    uint8_t garrisonFlag = 0;
    int16_t rect[4] = {0, 0, 0, 0};    // left, top, right, bottom
    int16_t points[4] = {0, 0, 0, 0};  // castle point x, y; army point x, y
    uint8_t further = 0;
    std::vector<uint8_t> neighbours;
    // Live.
    PackedRect halfRect;
    uint8_t index = 0;
    PlayerRecord* owner = nullptr;
    CastleState castle;
    CArmy garrison;
    uint8_t status = 0;
    CResourceBundle income;
    CStr name;
};

PlayerRecord* FindPlayerById(CGameWorld& world, uint8_t id);

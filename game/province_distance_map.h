// Distances in steps over the province graph of the world: how far the army
// may march, which provinces an attack or operation can reach, and the
// distance terms of revolt chances and the planner's scores.
#pragma once

#include <cstdint>
#include <vector>

class CGameWorld;
class PlayerRecord;
class ProvinceRecord;

class CProvinceDistanceMap {
public:
    static constexpr uint8_t kUnreached = 127;

    explicit CProvinceDistanceMap(CGameWorld* world);

    // Breadth-first labelling from start. With a limit (or the owner filter)
    // every province of another owner than the start's is marked as lying at
    // the edge and is never expanded.
    bool Compute(uint8_t start, uint8_t limit, uint8_t ownerFilter);
    // The same without any owner restriction: plain graph distances up to
    // the limit (0 = the whole map).
    void ComputeAll(uint8_t start, uint8_t limit);
    void Reset();

    void SaveSnapshot();
    void RestoreSnapshot();

    // Low 7 bits of the province's byte; 0 when the map is not valid or the
    // index is outside the map.
    uint8_t Distance(uint8_t province) const;
    uint8_t Distance(const ProvinceRecord* province) const;
    bool IsValid() const { return valid != 0; }
    uint8_t Count() const { return count; }

    bool PathTo(uint8_t target, std::vector<uint8_t>& list, const PlayerRecord* owner) const;
    bool ReachableWithin(uint8_t province, int32_t steps, const PlayerRecord* owner) const;

    ProvinceRecord* FirstAtDistance(uint8_t d);
    ProvinceRecord* NextAtDistance();

private:
    void Label(uint8_t start, uint8_t limit, bool ownerTest);

    CGameWorld* world = nullptr;
    uint8_t count = 0;
    std::vector<uint8_t> distance;
    std::vector<uint8_t> snapshot;
    uint8_t valid = 0;
    uint8_t snapshotHeld = 0;
    int16_t iterIndex = -1;
    uint8_t iterDistance = 0;
};

bool AreNeighbours(const ProvinceRecord* a, const ProvinceRecord* b);

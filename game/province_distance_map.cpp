#include "game/province_distance_map.h"

#include <algorithm>

#include "game/game_world.h"
#include "game/province_record.h"

CProvinceDistanceMap::CProvinceDistanceMap(CGameWorld* w) : world(w)
{
    count = uint8_t(world ? std::min(world->ProvinceCount(), 255) : 0);
    distance.assign(count, kUnreached);
    snapshot.assign(count, kUnreached);
}

void CProvinceDistanceMap::Reset()
{
    std::fill(distance.begin(), distance.end(), kUnreached);
    valid = 0;
}

void CProvinceDistanceMap::Label(uint8_t start, uint8_t limit, bool ownerTest)
{
    Reset();
    const uint8_t L = limit ? limit : count;
    valid = 1;
    // A start outside the map reaches nothing rather than writing past it.
    if (start >= count)
        return;
    distance[start] = 0;
    const PlayerRecord* startOwner = world->Province(start).owner;
    // Labels a province's neighbours from a level; reached(n) hears of every
    // neighbour that this labels level + 1 and that was not so before.
    auto spread = [&](uint8_t p, uint32_t level, auto reached) {
        const std::vector<uint8_t>& nb = world->Province(p).neighbours;
        for (size_t j = nb.size(); j-- > 0;) {
            const uint8_t n = nb[j];
            if (n >= count)
                continue;
            if (ownerTest && world->Province(n).owner != startOwner) {
                distance[n] = L;
                continue;
            }
            const uint32_t was = distance[n] & 0x7F;
            if (level < was) {
                distance[n] = uint8_t(level + 1);
                if (level + 1 < was)
                    reached(n);
            }
        }
    };
    if (L <= kUnreached) {
        // Neither the unreached mark nor a foreign province's limit is then
        // below the limit, so the provinces of the next level are exactly
        // those this level labelled: the planners ask for thousands of maps
        // a game, and this wave touches every border once.
        uint8_t lists[2][256];
        int sizes[2] = {1, 0};
        lists[0][0] = start;
        for (uint32_t level = 0; level < L && sizes[level & 1]; ++level) {
            const uint8_t* frontier = lists[level & 1];
            uint8_t* next = lists[(level + 1) & 1];
            int& nextSize = sizes[(level + 1) & 1];
            nextSize = 0;
            for (int i = 0; i < sizes[level & 1]; ++i)
                spread(frontier[i], level, [&](uint8_t n) { next[nextSize++] = n; });
        }
        return;
    }
    // A larger limit (a map of more than 127 provinces) lets the 7-bit labels
    // name a level; every level is then found by looking at every province,
    // skipping those that no province is on, which change nothing.
    for (uint32_t level = 0; level < L;) {
        for (uint8_t p = 0; p < count; ++p)
            if ((distance[p] & 0x7F) == level)
                spread(p, level, [](uint8_t) {});
        uint32_t next = L;
        for (uint8_t p = 0; p < count; ++p) {
            const uint32_t at = distance[p] & 0x7F;
            if (at > level && at < next)
                next = at;
        }
        level = next;
    }
}

bool CProvinceDistanceMap::Compute(uint8_t start, uint8_t limit, uint8_t ownerFilter)
{
    Label(start, limit, ownerFilter != 0 || limit != 0);
    return true;
}

void CProvinceDistanceMap::ComputeAll(uint8_t start, uint8_t limit)
{
    Label(start, limit, false);
}

void CProvinceDistanceMap::SaveSnapshot()
{
    if (!valid)
        return;
    snapshot = distance;
    snapshotHeld = 1;
}

void CProvinceDistanceMap::RestoreSnapshot()
{
    if (!snapshotHeld)
        return;
    distance = snapshot;
    snapshotHeld = 0;
    valid = 1;
}

uint8_t CProvinceDistanceMap::Distance(uint8_t province) const
{
    if (!valid || province >= count)
        return 0;
    return distance[province] & 0x7F;
}

uint8_t CProvinceDistanceMap::Distance(const ProvinceRecord* province) const
{
    return province ? Distance(province->index) : 0;
}

bool CProvinceDistanceMap::PathTo(uint8_t target, std::vector<uint8_t>& list, const PlayerRecord* owner) const
{
    list.clear();
    if (target >= count)
        return true;
    uint8_t cur = target;
    // Every step goes strictly down in distance, so the walk ends within
    // 128 steps whatever the labels are.
    for (int guard = 0; guard < 128; ++guard) {
        list.push_back(cur);
        uint8_t best = cur;
        for (uint8_t n : world->Province(cur).neighbours) {
            if (n >= count)
                continue;
            if ((distance[n] & 0x7F) < (distance[best] & 0x7F) &&
                (!owner || world->Province(n).owner == owner))
                best = n;
        }
        if (best == cur)
            break;
        cur = best;
        if ((distance[cur] & 0x7F) == 0)
            break;
    }
    std::reverse(list.begin(), list.end());
    return true;
}

bool CProvinceDistanceMap::ReachableWithin(uint8_t province, int32_t steps, const PlayerRecord* owner) const
{
    if (province >= count)
        return false;
    uint8_t cur = province;
    while (steps > 0) {
        uint8_t next = cur;
        for (uint8_t n : world->Province(cur).neighbours) {
            if (n >= count)
                continue;
            if ((distance[n] & 0x7F) == 0)
                return true;
            if ((distance[n] & 0x7F) < (distance[cur] & 0x7F) &&
                (!owner || world->Province(n).owner == owner))
                next = n;
        }
        if (next == cur)
            return false;
        cur = next;
        --steps;
        if ((distance[cur] & 0x7F) == 0)
            return true;
    }
    return false;
}

ProvinceRecord* CProvinceDistanceMap::FirstAtDistance(uint8_t d)
{
    iterIndex = 0;
    iterDistance = d;
    return NextAtDistance();
}

ProvinceRecord* CProvinceDistanceMap::NextAtDistance()
{
    if (iterIndex < 0)
        return nullptr;
    while (iterIndex < count) {
        const int16_t i = iterIndex++;
        if (iterDistance == 0 || (distance[size_t(i)] & 0x7F) == iterDistance)
            return &world->Province(i);
    }
    iterIndex = -1;
    return nullptr;
}

bool AreNeighbours(const ProvinceRecord* a, const ProvinceRecord* b)
{
    if (!a || !b)
        return false;
    return std::find(a->neighbours.begin(), a->neighbours.end(), b->index) != a->neighbours.end();
}

#include "players/army_tactics.h"

#include <algorithm>
#include <vector>

#include "game/player_ratings.h"
#include "players/planner_support.h"

using namespace planner;

void planner::SetSquadCount(CArmy& a, int i, int32_t n)
{
    CSquad* s = a.Item(i);
    s->count = 0;
    s->AddUnits(std::max(n, 0));
}

namespace {

// The army's province, when it is one of the player's own (only there do the
// army and the garrison hold the same squads).
ProvinceRecord* OwnArmyProvince(PlayerRecord* P)
{
    ProvinceRecord* q = ArmyProvince(P);
    return q && q->owner == P ? q : nullptr;
}

}  // namespace

void DropToGarrison(uint8_t k)
{
    PlayerRecord* P = Me();
    ProvinceRecord* here = OwnArmyProvince(P);
    if (!here)
        return;
    std::vector<int32_t> list(size_t(P->army.Count()), 0);
    for (int i = 0; i < P->army.Count(); ++i) {
        const int32_t n = SquadCount(P->army, i);
        if (n > 0)
            list[size_t(i)] = -std::max(1, n * k / 100);
    }
    P->controller->TransferUnits(here, list);
}

void TakeFromGarrison(uint8_t keep)
{
    if (keep == 0)
        return;
    PlayerRecord* P = Me();
    ProvinceRecord* here = OwnArmyProvince(P);
    if (!here)
        return;
    std::vector<int32_t> list(size_t(here->garrison.Count()), 0);
    for (int i = 0; i < here->garrison.Count(); ++i) {
        const int32_t n = SquadCount(here->garrison, i);
        if (n > 0)
            list[size_t(i)] = std::max(1, n * (100 - keep) / 100);
    }
    P->controller->TransferUnits(here, list);
}

void LeaveCapitalGarrison()
{
    PlayerRecord* P = Me();
    ProvinceRecord* capital = CapitalOf(P);
    if (!capital || P->armyLocation != capital->index || P->army.Strength() == 0)
        return;
    bool foreign = false;
    for (uint8_t n : capital->neighbours) {
        const ProvinceRecord* q = ProvinceOrNull(n);
        if (q && q->owner != P)
            foreign = true;
    }
    P->controller->TakeGarrisonIntoArmy();
    const int items = std::min(P->army.Count(), capital->garrison.Count());
    for (int i = items - 1; i >= 0; --i) {
        const int32_t count = SquadCount(P->army, i);
        const CSquadType* t = SquadTypeAt(P->army, i);
        int32_t k = (t && t->rangedAttack > 0) ? count * 80 / 100 : count * 40 / 100;
        if (!foreign)
            k /= 2;
        if (k == count)
            k = count - 1;
        if (k > 0) {
            SetSquadCount(P->army, i, count - k);
            SetSquadCount(capital->garrison, i, k);
        }
    }
}

void GatherTowards(ProvinceRecord* target)
{
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    TakeFromGarrison(uint8_t(Draw(16) + 10));
    const int32_t d = Map().Distance(target);
    if (d < 2) {
        // Step sideways into a neighbouring own province from which the target
        // stays within reach, picking up its garrison.
        bool moved = true;
        while (moved) {
            moved = false;
            if (C->movePoints < 2)
                break;
            for (int r = ProvinceCount() - 1; r >= 0; --r) {
                ProvinceRecord* R = ProvinceAt(r);
                if (R->owner != P || r == P->armyLocation || Map().Distance(R) != 1)
                    continue;
                {
                    MapSnapshot keepReach;
                    Map().ComputeAll(uint8_t(r), uint8_t(std::max<int16_t>(C->movePoints, 0)));
                    if (Map().Distance(target) + 1 < C->movePoints) {
                        P->armyLocation = int16_t(r);
                        C->movePoints = int16_t(std::max(0, C->movePoints - 1));
                        TakeFromGarrison(uint8_t(Draw(16) + 10));
                        moved = true;
                    }
                }
                if (moved)
                    C->UpdateReach();
            }
        }
        return;
    }
    std::vector<uint8_t> path;
    Map().PathTo(target->index, path, nullptr);
    if (path.empty())
        return;
    const int32_t n = int32_t(path.size());
    const int32_t m = C->movePoints;
    const int32_t i0 = n - 2 >= m ? m : n - 2;
    for (int32_t i = i0; i >= 0; --i) {
        ProvinceRecord* step = ProvinceAt(path[size_t(i)]);
        if (step->owner != P)
            continue;
        C->MoveArmyTo(step);
        TakeFromGarrison(uint8_t(Draw(16) + 10));
    }
}

void PullFromNeighbourGarrisons(ProvinceRecord* target, uint8_t k, bool allowAll)
{
    PlayerRecord* P = Me();
    if (target->owner != P)
        return;
    for (int j = int(target->neighbours.size()) - 1; j >= 0; --j) {
        ProvinceRecord* y = ProvinceOrNull(target->neighbours[size_t(j)]);
        if (!y || y->owner != P)
            continue;
        const int items = std::min(y->garrison.Count(), target->garrison.Count());
        for (int i = items - 1; i >= 0; --i) {
            const int32_t cap = SquadTypeWeight(target->garrison.Item(i)) / 2;
            const int32_t have = SquadCount(y->garrison, i);
            int32_t m = std::min(have * k / 100, cap);
            if (!allowAll && m == have)
                m /= 3;
            if (m > 0) {
                SetSquadCount(y->garrison, i, have - m);
                target->garrison.Item(i)->AddUnits(m);
            }
        }
    }
}

ProvinceRecord* NextStepTowards(ProvinceRecord* target)
{
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    ProvinceRecord* here = ArmyProvince(P);
    if (!here)
        return nullptr;
    Map().ComputeAll(target->index, 0);
    // The army reaches the target when it can walk down these distances to it
    // through its own provinces.
    if (Map().ReachableWithin(here->index, C->movePoints, P)) {
        C->UpdateReach();
        return target;
    }
    std::vector<uint8_t> path;
    Map().PathTo(here->index, path, nullptr);
    C->UpdateReach();
    for (int i = int(path.size()) - 1; i >= 0; --i) {
        ProvinceRecord* q = ProvinceAt(path[size_t(i)]);
        if (InReach(q, P))
            return q;
    }
    return nullptr;
}

int32_t GarrisonKeepPercent(const ProvinceRecord* province)
{
    const PlayerRecord* P = Me();
    int32_t foreign = 0;
    for (uint8_t n : province->neighbours) {
        const ProvinceRecord* q = ProvinceOrNull(n);
        if (q && q->owner && q->owner != P)
            ++foreign;
    }
    return std::max(0, 80 - 20 * foreign);
}

void FallBack()
{
    PlayerRecord* P = Me();
    ProvinceRecord* best = nullptr;
    int64_t bestValue = 0;
    for (int i = 0; i < ProvinceCount(); ++i) {
        ProvinceRecord* q = ProvinceAt(i);
        if (q->owner != P || i == P->armyLocation)
            continue;
        const int64_t v = int64_t(ProvinceDefenceValue(q)) + 5 * int64_t(Map().Distance(q));
        if (!best || v > bestValue) {
            best = q;
            bestValue = v;
        }
    }
    if (best)
        MarchAlongOwnPath(best);
}

void MarchAlongOwnPath(ProvinceRecord* target)
{
    PlayerRecord* P = Me();
    std::vector<uint8_t> path;
    Map().PathTo(target->index, path, P);
    for (uint8_t index : path) {
        const ProvinceRecord* here = ArmyProvince(P);
        if (here)
            TakeFromGarrison(uint8_t(GarrisonKeepPercent(here)));
        P->controller->MoveArmyTo(ProvinceAt(index));
    }
}

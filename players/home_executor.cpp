// Carries out the home plan: keep the capital garrisoned, run the plan's
// program (muster, neutral province, economy, robbery), trade toward a fixed
// mix and recruit into the most pressured provinces while gold lasts.
#include <algorithm>
#include <vector>

#include "game/player_ratings.h"
#include "players/ai_planner.h"
#include "players/army_tactics.h"
#include "players/home_economy.h"
#include "players/planner_support.h"

using namespace planner;

namespace {

// The shares the treasury is traded toward: gold, metal, stone.
constexpr int32_t kGoldShare = 50;
constexpr int32_t kMetalShare = 35;
constexpr int32_t kStoneShare = 15;

// Sum over the squad indexes with room of cost x room.
CResourceBundle RecruitRoomCost()
{
    PlayerRecord* P = Me();
    CResourceBundle total;
    for (int i = 0; i < P->army.Count(); ++i) {
        const int32_t room = TypeRecruitRoom(i);
        if (room > 0 && SquadTypeAt(P->army, i))
            total.Add(CResourceBundle::MultipliedCopy(SquadTypeAt(P->army, i)->cost, room));
    }
    return total;
}

// The world's position of a resource kind, or -1 when the world has none.
int32_t KindIndex(uint32_t code)
{
    const std::vector<uint32_t>& kinds = World().kinds;
    for (size_t i = 0; i < kinds.size(); ++i)
        if (kinds[i] == code)
            return int32_t(i);
    return -1;
}

}  // namespace

int32_t TypeRecruitRoom(int i)
{
    PlayerRecord* P = Me();
    int32_t room = 0;
    for (int q = 0; q < ProvinceCount(); ++q) {
        const ProvinceRecord* r = ProvinceAt(q);
        if (r->owner != P || i >= r->garrison.Count())
            continue;
        room += SquadTypeWeight(r->garrison.Item(i)) - r->garrison.Item(i)->pending;
    }
    return room;
}

bool CanAffordRecruitRoom()
{
    return Me()->treasury.AllGreater(RecruitRoomCost());
}

bool CanAffordRecruitsAfter(const CResourceBundle& reserve)
{
    PlayerRecord* P = Me();
    CResourceBundle z = reserve;
    if (Difficulty() == 3)
        for (int i = 0; i < z.Count(); ++i)
            z[i] -= z[i] / 4;
    return CResourceBundle::SubtractedCopy(P->treasury, RecruitRoomCost()).AllGreater(z);
}

int32_t ForeignPressure(const ProvinceRecord* q)
{
    const PlayerRecord* P = Me();
    int32_t sum = 0;
    for (uint8_t n : q->neighbours) {
        const ProvinceRecord* r = ProvinceOrNull(n);
        if (r && r->owner && r->owner != P)
            sum += int32_t(ProvinceDefenceValue(r)) + 10;
    }
    return sum;
}

int32_t ForeignPressureWithin(const ProvinceRecord* q, uint8_t radius)
{
    const PlayerRecord* P = Me();
    int32_t sum = 0;
    MapSnapshot keepReach;
    Map().ComputeAll(q->index, radius);
    for (int i = 0; i < ProvinceCount(); ++i) {
        const ProvinceRecord* r = ProvinceAt(i);
        const int32_t d = Map().Distance(r);
        if (d >= 1 && d <= radius && r->owner && r->owner != P)
            sum += int32_t(ProvinceDefenceValue(r)) + 10;
    }
    return sum;
}

ProvinceRecord* FindPressuredProvince(int32_t start, int32_t depth)
{
    PlayerRecord* P = Me();
    if (!ProvinceOrNull(start))
        return nullptr;
    const int32_t limit = depth != 0 ? depth : ProvinceCount();
    ProvinceRecord* best = nullptr;
    int32_t bestV = 0;
    MapSnapshot keepReach;
    Map().ComputeAll(uint8_t(start), uint8_t(std::clamp(depth, 0, 255)));
    for (int32_t d = 1; d <= limit && d < CProvinceDistanceMap::kUnreached; ++d) {
        for (int i = 0; i < ProvinceCount(); ++i) {
            ProvinceRecord* q = ProvinceAt(i);
            if (q->owner != P || Map().Distance(q) != d)
                continue;
            // Castle provinces hold on their own; only the capital is counted.
            if (q->HasCastle() && q->index != P->capital)
                continue;
            const int32_t v = ForeignPressure(q) * (limit + 1 - d);
            if (!best || v > bestV) {
                best = q;
                bestV = v;
            } else if (v > bestV * 4 / 5) {
                if (Roll() < 50 || q->income.AllAtLeast(best->income)) {
                    best = q;
                    bestV = v;
                }
            } else if (!q->garrison.HasUnits() && v * 3 > bestV) {
                best = q;
                bestV = v * 3 / 2;
            }
        }
        if (best)
            break;
    }
    return best;
}

int32_t CapitalGarrisonPercent()
{
    PlayerRecord* P = Me();
    const ProvinceRecord* capital = ProvinceOrNull(P->capital);
    if (!capital)
        return 10;
    int32_t c[5] = {0, 0, 0, 0, 0};
    {
        MapSnapshot keepReach;
        Map().ComputeAll(capital->index, 4);
        for (int i = 0; i < ProvinceCount(); ++i) {
            const ProvinceRecord* r = ProvinceAt(i);
            const int32_t d = Map().Distance(r);
            if (d >= 1 && d <= 4 && r->owner && r->owner != P)
                ++c[d];
        }
    }
    return std::clamp(c[1] * 70 + c[2] * 20 + c[3] * 4 + c[4], 10, 90);
}

void FillEmptyGarrisons()
{
    PlayerRecord* P = Me();
    for (int i = ProvinceCount() - 1; i >= 0; --i) {
        ProvinceRecord* q = ProvinceAt(i);
        if (q->owner == P && !q->garrison.HasUnits())
            PullFromNeighbourGarrisons(q, 15, false);
    }
}

bool NeedsRebalance(const CResourceBundle& b, int32_t g, int32_t m, int32_t s)
{
    if (Roll() >= 81)
        return true;
    const int32_t G = b.Get(kGold), M = b.Get(kMetal), S = b.Get(kStone);
    const int64_t T = int64_t(G) + M + S;
    if (T == 0)
        return true;
    return int64_t(G) * 100 / T < g - 5 || int64_t(M) * 100 / T < m - 5 || int64_t(S) * 100 / T < s - 5;
}

void TradeForShare(int32_t source, int32_t amount, int32_t total, int32_t target, int16_t deficit)
{
    PlayerRecord* P = Me();
    int32_t a = 0, b = 0;
    TradingRates(P, source, target, &a, &b);
    if (a == 0 || total == 0)
        return;
    const int64_t give = int64_t(amount) * (int64_t(deficit) * amount / total) / 100;
    const int64_t get = int64_t(b) * give / a;
    if (get > 0) {
        P->treasury[source] = int32_t(std::max<int64_t>(P->treasury[source] - give, 0));
        P->treasury[target] = int32_t(P->treasury[target] + get);
    }
}

void RebalanceResources(int32_t g, int32_t m, int32_t s)
{
    PlayerRecord* P = Me();
    const int32_t G = P->treasury.Get(kGold), M = P->treasury.Get(kMetal), S = P->treasury.Get(kStone);
    const int64_t T = int64_t(G) + M + S;
    if (T == 0)
        return;
    const int32_t shareG = int32_t(int64_t(G) * 100 / T);
    const int32_t shareM = int32_t(int64_t(M) * 100 / T);
    const int32_t shareS = int32_t(int64_t(S) * 100 / T);
    const int32_t eG = shareG - g - 5, eM = shareM - m - 5, eS = shareS - s - 5;
    uint32_t source;
    if (eM > 0 && eM > std::max(eG, eS)) {
        source = kMetal;
    } else if (eS >= 1 && eS > eG) {
        source = kStone;
    } else if (eG > 0) {
        source = kGold;
    } else {
        return;
    }
    const int16_t dG = int16_t(std::max(0, g - shareG));
    const int16_t dM = int16_t(std::max(0, m - shareM));
    const int16_t dS = int16_t(std::max(0, s - shareS));
    const int32_t sourceIndex = KindIndex(source);
    if (sourceIndex < 0)
        return;
    const int32_t amount = P->treasury[sourceIndex];
    if (amount == 0)
        return;
    const struct {
        uint32_t kind;
        int16_t deficit;
    } targets[3] = {{kGold, dG}, {kMetal, dM}, {kStone, dS}};
    for (const auto& t : targets) {
        const int32_t targetIndex = KindIndex(t.kind);
        if (t.kind == source || targetIndex < 0)
            continue;
        TradeForShare(sourceIndex, amount, int32_t(std::min<int64_t>(T, INT32_MAX)), targetIndex, t.deficit);
    }
}

void RobVictim(PlayerRecord* v)
{
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    const int32_t D = Difficulty();
    const int32_t r = Roll();
    if ((D == 3 && r < 40) || (D == 2 && r < 50) || (D < 2 && r < 60))
        return;
    if (!v) {
        CResourceBundle chosenIncome;
        for (int i = PlayerCount() - 1; i >= 0; --i) {
            PlayerRecord* o = PlayerAt(i);
            if (!IsRival(o, P))
                continue;
            const CResourceBundle income = o->controller->TotalIncome();
            if (!v || income.AllGreater(chosenIncome)) {
                v = o;
                chosenIncome = income;
            }
        }
    }
    // A victim that left the game would never be robbed, and the price paid
    // would be lost; a robbery already bought this turn is the one carried out.
    if (!IsRival(v, P) || (C->flags & kRobberyPending))
        return;
    const int32_t n =
        std::min<int32_t>(P->treasury.TimesAffordable(Rules().robberyCost), Rules().RobberyTries(&P->hero));
    if (n > 0)
        C->OrderRobbery(v, int16_t(n));
}

bool RecruitAt(ProvinceRecord* x, int32_t k)
{
    PlayerRecord* P = Me();
    ProvinceRecord* here = ArmyProvince(P);
    if (!x) {
        if (Roll() < 35) {
            x = here;
        } else {
            x = here ? FindPressuredProvince(here->index, 3) : nullptr;
            if (!x)
                x = FindPressuredProvince(P->capital, 3);
            if (!x)
                x = here;
        }
    }
    // Units are only ever bought into one of the player's own garrisons.
    if (!x || !x->owner || x->owner != P)
        return false;

    if (NeedsRebalance(P->treasury, kGoldShare, kMetalShare, kStoneShare)) {
        for (int i = 0; i < 3; ++i) {
            RebalanceResources(kGoldShare, kMetalShare, kStoneShare);
            if (!NeedsRebalance(P->treasury, kGoldShare, kMetalShare, kStoneShare))
                break;
        }
    }

    CResourceBundle budget = P->treasury;
    const int n = x->garrison.Count();
    std::vector<int32_t> priority(size_t(n), 0);
    int best = -1;
    for (int i = n - 1; i >= 0; --i) {
        const CSquadType* t = SquadTypeAt(x->garrison, i);
        if (!t)
            continue;
        const int32_t a = budget.TimesAffordable(t->cost);
        int32_t p;
        if (x->HasCastle() && t->rangedAttack > 0) {
            p = t->hp * 7 + t->meleeAttack * 8 + t->rangedAttack * 10;
        } else if (x == here) {
            p = t->hp * 5 + t->meleeAttack * 8;
        } else {
            p = t->hp * 3 + t->meleeAttack * 8;
        }
        p += 2 * a;
        priority[size_t(i)] = p;
        if (best < 0 || p > priority[size_t(best)])
            best = i;
    }

    std::vector<int> order(size_t(n), 0);
    for (int s = 0; s < n; ++s) {
        int m = s;
        for (int j = 0; j < n; ++j)
            if (priority[size_t(j)] > priority[size_t(m)])
                m = j;
        order[size_t(s)] = m;
        priority[size_t(m)] = 0;
    }

    std::vector<int32_t> list(size_t(n), 0);
    bool ordered = false;
    for (int s = n - 1; s >= 0; --s) {
        const int i = order[size_t(s)];
        const CSquadType* t = SquadTypeAt(x->garrison, i);
        if (!t)
            continue;
        // Never order more than the room left: a negative order would take
        // units away when the turn's recruits join.
        int32_t c = std::max(0, std::min(TypeRecruitRoom(i), budget.TimesAffordable(t->cost)));
        if (i != best && c * 70 / 100 > 0)
            c = c * 70 / 100;
        c = c * k / 100;
        list[size_t(i)] = c;
        if (c > 0) {
            budget.Subtract(CResourceBundle::MultipliedCopy(t->cost, c));
            ordered = true;
        }
    }
    P->controller->SetGarrisonPendingRecruits(x, list);
    return ordered;
}

bool CHomeExecutor::Execute()
{
    CHomePlan& k = static_cast<CHomePlan&>(m_plan);
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    const int32_t D = Difficulty();

    if (ProvinceRecord* capital = CapitalOf(P)) {
        if (capital->garrison.HasUnits()) {
            if (Roll() < 60)
                RecruitAt(capital, CapitalGarrisonPercent());
        } else {
            RecruitAt(capital, 90);
        }
    }

    C->TakeGarrisonIntoArmy();
    if (!P->army.HasUnits()) {
        C->TakeGarrisonIntoArmy();
        if (!P->army.HasUnits()) {
            k.kind = kHomeMuster;
            k.province = ArmyProvince(P);
            k.score = 100;
        }
    }

    const ProvinceRecord* here = ArmyProvince(P);
    if (here && here->owner == P) {
        switch (k.kind) {
        case kHomeMuster:
            RecruitAt(k.province, 100);
            if (Roll() < 30)
                FallBack();
            if (CanAffordRecruitRoom()) {
                if (Roll() < 71) {
                    BuildOrDevelop(k);
                } else {
                    BuildCastleWork();
                }
            }
            ExpandToNeutral(nullptr);
            break;
        case kHomeNeutral:
            if (D != 0)
                RecruitAt(nullptr, 100);
            if (CanAffordRecruitRoom()) {
                if (Roll() < 81) {
                    BuildOrDevelop(k);
                } else {
                    BuildCastleWork();
                }
            }
            ExpandToNeutral(k.province);
            break;
        case kHomeEconomy:
            BuildOrDevelop(k);
            RecruitAt(nullptr, 100);
            for (;;) {
                if (P->treasury.TimesAffordable(Rules().castleCost) < 5)
                    break;
                const bool more = Roll() < 51 ? BuildOrDevelop(k) : BuildCastleWork();
                if (!more)
                    break;
            }
            if (D != 0)
                ExpandToNeutral(nullptr);
            break;
        case kHomeRobbery:
        default:
            if (CanAffordRecruitsAfter(Rules().castleCost)) {
                if (Roll() < 61) {
                    BuildOrDevelop(k);
                } else {
                    BuildCastleWork();
                }
            }
            RobVictim(k.targetPlayer);
            if (D == 2 || D == 3)
                RecruitAt(nullptr, 100);
            if (D != 0)
                ExpandToNeutral(nullptr);
            break;
        }
    } else {
        if (CanAffordRecruitRoom())
            BuildOrDevelop(k);
        ExpandToNeutral(nullptr);
        if (D != 0)
            RobVictim(nullptr);
    }

    if (NeedsRebalance(P->treasury, kGoldShare, kMetalShare, kStoneShare) && CanAffordRecruitRoom())
        BuildCastleWork();

    const int32_t owned = C->CountProvinces();
    if (owned > 0) {
        const int32_t share = std::clamp(100 / owned, 7, 30);
        int32_t depth = 1;
        // Each round ends by chance (one in five), so the loop is short; the cap
        // only guards against a generator stuck in a cycle.
        for (int rounds = 0; rounds < 1000; ++rounds) {
            ProvinceRecord* q = FindPressuredProvince(P->capital, depth);
            if (q) {
                if (!RecruitAt(q, share))
                    break;
                if (Roll() < 50)
                    ++depth;
            } else {
                ++depth;
            }
            if (Roll() < 20)
                break;
            if (P->treasury.Get(kGold) <= 5)
                break;
        }
        FillEmptyGarrisons();
    }
    return true;
}

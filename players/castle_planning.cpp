// Castles, castle works and expansion into neutral provinces for the
// computer player's home economy.
#include <algorithm>
#include <vector>

#include "game/player_ratings.h"
#include "players/ai_planner.h"
#include "players/army_tactics.h"
#include "players/home_economy.h"
#include "players/planner_support.h"

using namespace planner;

namespace {

bool IsIdleWholeCastle(const ProvinceRecord* q)
{
    return q->HasCastle() && q->castle.percent == 100 && q->castle.work == kWorkNone;
}

uint32_t FullWorksPoints()
{
    return uint32_t(Rules().catapultLimit) * 5 + 39;
}

// The price of a castle work for the current player: builder discount, and a
// quarter off for the hardest difficulty.
CResourceBundle WorkPrice(const CResourceBundle& list)
{
    CResourceBundle price = list;
    ApplyBuilderDiscount(price, Me()->hero);
    if (Difficulty() == 3)
        for (int i = 0; i < price.Count(); ++i)
            price[i] -= price[i] / 4;
    return price;
}

CResourceBundle MissingCastleCost(uint8_t percent)
{
    CResourceBundle cost = Rules().castleCost;
    for (int i = 0; i < cost.Count(); ++i)
        cost[i] = cost[i] * (100 - percent) / 100;
    return cost;
}

}  // namespace

CResourceBundle& ApplyBuilderDiscount(CResourceBundle& cost, const HeroRecord& hero)
{
    const int32_t p = 104 - 4 * int32_t(hero.builder);
    for (int i = 0; i < cost.Count(); ++i)
        cost[i] = p <= 20 ? 0 : cost[i] * p / 100;
    return cost;
}

uint32_t MissingWorksPoints(const CastleState& c)
{
    const int32_t freePlaces = std::max(0, int32_t(Rules().catapultLimit) - int32_t(c.catapults));
    uint32_t points = uint32_t(freePlaces) * 5;
    if (!c.fortWalls)
        points += 6;
    if (!c.moat)
        points += 2;
    if (!(c.buildings & kBuildingBank))
        points += 8;
    if (!(c.buildings & kBuildingMetalMine))
        points += 8;
    if (!(c.buildings & kBuildingMarket))
        points += 8;
    if (!(c.buildings & kBuildingStoneMine))
        points += 7;
    return points;
}

int32_t CastleDevelopmentPercent()
{
    const PlayerRecord* P = Me();
    uint32_t missing = 0;
    uint32_t full = 0;
    for (int i = 0; i < ProvinceCount(); ++i) {
        const ProvinceRecord* q = ProvinceAt(i);
        if (q->owner != P || !IsIdleWholeCastle(q))
            continue;
        missing += MissingWorksPoints(q->castle);
        full += FullWorksPoints();
    }
    if (full == 0)
        full = 1;
    return int32_t((int64_t(full) - int64_t(std::min(missing, full))) * 100 / full);
}

bool BuildOrDevelop(const CHomePlan& plan)
{
    if (Me()->controller->movePoints > 0 && CastleDevelopmentPercent() / 2 <= plan.score)
        return BuildNewCastle();
    return BuildCastleWork();
}

ProvinceRecord* MostPressuredOwnProvince(int32_t* value)
{
    const PlayerRecord* P = Me();
    ProvinceRecord* best = nullptr;
    int32_t bestV = 0;
    for (int i = ProvinceCount() - 1; i >= 0; --i) {
        ProvinceRecord* q = ProvinceAt(i);
        if (q->owner != P)
            continue;
        const int32_t v = ForeignPressureWithin(q, 3);
        if (!best || v > bestV) {
            best = q;
            bestV = v;
        }
    }
    if (value)
        *value = bestV;
    return best;
}

bool BuildNewCastle()
{
    PlayerRecord* P = Me();
    const ProvinceRecord* capital = CapitalOf(P);
    ProvinceRecord* q = nullptr;
    if (capital) {
        int32_t bestPressure = 0;
        MapSnapshot keepReach;
        Map().Compute(capital->index, 6, 0);
        for (int d = 2; d <= 4; ++d) {
            for (int i = 0; i < ProvinceCount(); ++i) {
                ProvinceRecord* r = ProvinceAt(i);
                if (r->owner != P || r->HasCastle() || Map().Distance(r) != d)
                    continue;
                const int32_t v = ForeignPressure(r);
                if (!q || v > bestPressure) {
                    q = r;
                    bestPressure = v;
                }
            }
        }
    }
    if (!q) {
        int32_t v = 0;
        q = MostPressuredOwnProvince(&v);
        if (q && q->HasCastle())
            q = nullptr;
    }
    if (!q)
        return false;

    CResourceBundle cost = Rules().castleCost;
    ApplyBuilderDiscount(cost, P->hero);
    const int32_t n = P->treasury.TimesAffordable(cost);
    if (n < 1 || (n == 1 && Roll() < 30)) {
        RecruitAt(q, 90);
        return false;
    }
    P->controller->BuildCastle(q, cost);
    RecruitAt(q, 90);
    return true;
}

bool BuildCastleWork()
{
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    ProvinceRecord* w = nullptr;
    uint32_t fewest = 0;
    for (int i = ProvinceCount() - 1; i >= 0; --i) {
        ProvinceRecord* q = ProvinceAt(i);
        if (q->owner != P || !IsIdleWholeCastle(q) || q->index == P->capital)
            continue;
        const uint32_t points = MissingWorksPoints(q->castle);
        if (!w || points < fewest) {
            w = q;
            fewest = points;
        }
    }
    if (!w)
        return false;
    const CastleState& c = w->castle;
    const GameRules& rules = Rules();

    uint8_t building;
    if (Roll() < 35 && !(c.buildings & kBuildingBank)) {
        building = kBuildingBank;
    } else if (Roll() < 40 && !(c.buildings & kBuildingMetalMine)) {
        building = kBuildingMetalMine;
    } else if (Roll() < 55 && !(c.buildings & kBuildingMarket)) {
        building = kBuildingMarket;
    } else if (Roll() < 80 && !(c.buildings & kBuildingStoneMine)) {
        building = kBuildingStoneMine;
    } else {
        static constexpr uint8_t kAny[4] = {kBuildingMarket, kBuildingBank, kBuildingMetalMine,
                                            kBuildingStoneMine};
        building = kAny[Draw(4)];
    }
    const CResourceBundle* buildingCost = building == kBuildingMarket      ? &rules.marketCost
                                          : building == kBuildingBank      ? &rules.bankCost
                                          : building == kBuildingMetalMine ? &rules.metalMineCost
                                                                           : &rules.stoneMineCost;
    const uint8_t turns = rules.worksTurns;
    auto tryOrder = [&](const CResourceBundle& list, auto&& order) {
        const CResourceBundle price = WorkPrice(list);
        if (!P->treasury.AllGreater(price))
            return false;
        order(price);
        return true;
    };
    auto catapult = [&](const CResourceBundle& price) { C->BuildCatapult(w, price, turns); };

    bool lastTry = false;
    if (c.catapults < rules.catapultLimit && int32_t(c.catapults) * 125 / rules.catapultLimit < Roll()) {
        if (tryOrder(rules.catapultCost, catapult))
            return true;
        lastTry = true;
    }
    if (!lastTry && !c.fortWalls && Roll() < 30) {
        if (tryOrder(rules.wallsCost,
                     [&](const CResourceBundle& price) { C->BuildFortifiedWalls(w, price, turns); }))
            return true;
        lastTry = true;
    }
    if (!lastTry) {
        if (!(c.buildings & building)) {
            if (tryOrder(*buildingCost,
                         [&](const CResourceBundle& price) { C->BuildBuilding(w, building, price, turns); }))
                return true;
        } else if (!c.moat && Roll() < 40) {
            if (tryOrder(rules.moatCost,
                         [&](const CResourceBundle& price) { C->BuildMoat(w, price, turns); }))
                return true;
        }
    }
    if (c.catapults < rules.catapultLimit && tryOrder(rules.catapultCost, catapult))
        return true;
    return false;
}

ProvinceRecord* FindNeutralNear(int32_t start, int32_t depth)
{
    PlayerRecord* P = Me();
    if (!ProvinceOrNull(start))
        return nullptr;
    std::vector<uint8_t> reach(size_t(ProvinceCount()), 0);
    for (int i = 0; i < ProvinceCount(); ++i)
        reach[size_t(i)] = InReach(ProvinceAt(i), P) ? 1 : 0;

    const int32_t limit = depth != 0 ? depth : ProvinceCount();
    ProvinceRecord* best = nullptr;
    int32_t bestV = 0;
    MapSnapshot keepReach;
    Map().ComputeAll(uint8_t(start), uint8_t(std::clamp(depth, 0, 255)));
    for (int32_t d = 1; d <= limit - 1 && d < CProvinceDistanceMap::kUnreached; ++d) {
        for (int i = 0; i < ProvinceCount(); ++i) {
            ProvinceRecord* q = ProvinceAt(i);
            if (q->owner || Map().Distance(q) != d)
                continue;
            const int32_t v = ForeignPressure(q);
            bool take;
            if (!best) {
                take = true;
            } else if (reach[size_t(i)] && !reach[best->index]) {
                take = true;
            } else {
                take = v < bestV || (v * 2 / 3 < bestV && q->income.AllGreater(best->income));
            }
            if (take) {
                best = q;
                bestV = v;
            }
        }
        if (best)
            break;
    }
    return best;
}

void ExpandToNeutral(ProvinceRecord* t)
{
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    if (C->flags & kAttackedThisTurn)
        return;
    if (!t) {
        t = FindNeutralNear(P->capital, 4);
        for (int i = ProvinceCount() - 1; i >= 0 && !t; --i) {
            const ProvinceRecord* r = ProvinceAt(i);
            if (r->owner == P && r->HasCastle() && r->index != P->capital)
                t = FindNeutralNear(i, 3);
        }
    }
    C->UpdateReach();
    if (!t) {
        int32_t bestV = 0;
        for (int i = ProvinceCount() - 1; i >= 0; --i) {
            ProvinceRecord* q = ProvinceAt(i);
            if (q->owner || !InReach(q, P))
                continue;
            const int32_t v = ForeignPressureWithin(q, 2);
            if (!t || v < bestV || (v * 4 / 5 < bestV && q->income.AllGreater(t->income))) {
                t = q;
                bestV = v;
            }
        }
    }
    if (!t)
        return;

    if (P->armyLocation == P->capital) {
        LeaveCapitalGarrison();
    } else {
        DropToGarrison(uint8_t(Draw(16) + 5));
    }
    if (!P->army.HasUnits()) {
        TakeFromGarrison(30);
        if (!P->army.HasUnits())
            return;
    }
    // A walk crosses only our own land and stops in front of anything else;
    // when the way to the target leads through a neutral province within
    // reach, that one is taken first, or the army would stand still there
    // turn after turn.
    if (C->movePoints > 0 && t->owner != P && !InReach(t, P)) {
        ProvinceRecord* step = NextStepTowards(t);
        if (step && !step->owner)
            t = step;
    }
    if (C->movePoints > 0 && t->owner != P && InReach(t, P)) {
        C->AttackProvince(t, 0, 0);
        RecruitAt(t, 100);
        if (t->owner == P && t->HasCastle() && t->castle.percent < 100 && t->castle.work == kWorkNone) {
            const CResourceBundle cost = MissingCastleCost(t->castle.percent);
            if (P->treasury.AllGreater(cost))
                C->CompleteCastle(t, cost, Rules().completeCastleTurns);
        }
    } else {
        C->MoveAlongPath(t);
    }
}

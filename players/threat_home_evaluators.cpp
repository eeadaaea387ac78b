// Measures how much the rivals' armies threaten us, and chooses what the
// home economy should do.
#include <algorithm>

#include "game/player_ratings.h"
#include "players/ai_planner.h"
#include "players/planner_support.h"

using namespace planner;

bool CThreatEvaluator::Evaluate(CAIPlan& plan) const
{
    CThreatPlan& h = static_cast<CThreatPlan&>(plan);
    PlayerRecord* P = Me();
    h.score = 0;
    h.targetPlayer = nullptr;
    h.province = nullptr;

    // Armies standing close to our capital.
    ProvinceRecord* capital = ProvinceOrNull(P->capital);
    if (capital) {
        PlayerRecord* target = nullptr;
        int32_t targetDistance = 0;
        {
            MapSnapshot keepReach;
            Map().ComputeAll(capital->index, 0);
            for (int i = PlayerCount() - 1; i >= 0; --i) {
                PlayerRecord* o = PlayerAt(i);
                if (!IsRival(o, P))
                    continue;
                const ProvinceRecord* at = ArmyProvince(o);
                if (!at)
                    continue;
                const int32_t d = Map().Distance(at);
                if (d < 4) {
                    h.score += (4 - d) * (4 - d) * (12 - d);
                    if (!target || d < targetDistance) {
                        target = o;
                        targetDistance = d;
                    }
                }
            }
        }
        if (target) {
            h.targetPlayer = target;
            h.province = capital;
            return true;
        }
    }

    // The strongest rival that can reach our provinces.
    uint32_t own = 2 * (PlayerStrengthWithCastles(P) + PlayerStrength(P)) + 1;
    if (own == 0)
        own = 1;
    uint32_t best = 0;
    for (int i = PlayerCount() - 1; i >= 0; --i) {
        PlayerRecord* o = PlayerAt(i);
        if (!IsRival(o, P))
            continue;
        MapSnapshot keepReach;
        o->controller->UpdateReach();
        uint32_t v = 2 * PlayerStrengthWithCastles(o) + PlayerStrength(o) + 1;
        for (int q = ProvinceCount() - 1; q >= 0; --q) {
            if (ProvinceAt(q)->owner != P)
                continue;
            if (Map().ReachableWithin(uint8_t(q), o->controller->movePoints, o))
                v = v * 110 / 100;
        }
        if (v > best) {
            best = v;
            h.targetPlayer = o;
        }
    }
    uint32_t score = best * 5 / own;
    score = (score * 100) / (std::max<uint32_t>(best, 5) * 100);
    h.score = int32_t(score);
    return true;
}

namespace {

struct NeutralChoice {
    int32_t score = 0;
    ProvinceRecord* province = nullptr;
};

NeutralChoice NeutralScore(PlayerRecord* P)
{
    NeutralChoice result;
    if (ProvinceRecord* capital = ProvinceOrNull(P->capital)) {
        for (int k = int(capital->neighbours.size()) - 1; k >= 0; --k) {
            ProvinceRecord* x = ProvinceOrNull(capital->neighbours[size_t(k)]);
            if (x && !x->owner && InReach(x, P)) {
                result.score = 101;
                result.province = x;
                return result;
            }
        }
    }
    int32_t n = 0;
    int32_t m = 0;
    for (int i = 0; i < ProvinceCount(); ++i) {
        const ProvinceRecord* q = ProvinceAt(i);
        if (q->owner)
            continue;
        ++n;
        if (InReach(q, P))
            ++m;
    }
    if (m < 1 || n < 1) {
        result.score = m;
        return result;
    }
    result.score = 60 - 60 * m / n + 40 * n / ProvinceCount();
    return result;
}

struct RobberyChoice {
    int32_t score = 0;
    PlayerRecord* victim = nullptr;
};

RobberyChoice RobberyScore(PlayerRecord* P)
{
    RobberyChoice result;
    if (P->treasury.AnyLess(Rules().robberyCost))
        return result;
    if (P->army.Count() == 0 || !SquadTypeAt(P->army, 0))
        return result;
    const CResourceBundle k3 = CResourceBundle::MultipliedCopy(SquadTypeAt(P->army, 0)->cost, 3);
    if (!P->treasury.AnyLess(k3))
        return result;
    if (Roll() >= 30)
        return result;

    PlayerRecord* victim = nullptr;
    CResourceBundle victimIncome;
    for (int i = PlayerCount() - 1; i >= 0; --i) {
        PlayerRecord* o = PlayerAt(i);
        if (!IsRival(o, P))
            continue;
        const CResourceBundle income = o->controller->TotalIncome();
        if (!victim || income.AllGreater(victimIncome)) {
            victim = o;
            victimIncome = income;
        }
    }
    if (!victim)
        return result;
    result.victim = victim;
    result.score = std::min(victimIncome.TimesAffordable(P->controller->TotalIncome()), 70);
    return result;
}

int32_t EconomyScoreOfHome(PlayerRecord* P)
{
    const int32_t r = Draw(11);
    int32_t neutral = 0, own = 0, castles = 0;
    for (int i = 0; i < ProvinceCount(); ++i) {
        const ProvinceRecord* q = ProvinceAt(i);
        if (!q->owner)
            ++neutral;
        if (q->owner == P) {
            ++own;
            if (q->HasCastle())
                ++castles;
        }
    }
    if (own == 0)
        return r;
    const int32_t t = Draw(16) + 15;
    if (neutral * 100 / ProvinceCount() >= t)
        return r;
    const int32_t v = own * 50 / ProvinceCount() - castles * 50 / own;
    return v < 1 ? 6 : v;
}

}  // namespace

bool CHomeEvaluator::Evaluate(CAIPlan& plan) const
{
    CHomePlan& k = static_cast<CHomePlan&>(plan);
    PlayerRecord* P = Me();
    k.score = 0;
    k.targetPlayer = nullptr;
    k.province = nullptr;

    if (CapitalHasEnemyNeighbour(P)) {
        k.province = ProvinceOrNull(P->capital);
        k.score = 50;
        k.kind = kHomeMuster;
        if (Roll() < 15)
            k.kind = kHomeEconomy;
        return true;
    }
    if (!P->army.HasUnits()) {
        k.score = 100;
        k.province = ArmyProvince(P);
        k.kind = kHomeMuster;
        return true;
    }
    const NeutralChoice a = NeutralScore(P);
    const RobberyChoice b = RobberyScore(P);
    const int32_t c = EconomyScoreOfHome(P);
    const int32_t m = std::max(b.score, c);
    if (a.score > m) {
        k.score = a.score;
        k.province = a.province;
        k.kind = kHomeNeutral;
    } else if (c < b.score) {
        k.score = b.score;
        k.targetPlayer = b.victim;
        k.kind = kHomeRobbery;
    } else {
        k.score = c;
        k.kind = kHomeEconomy;
    }
    return true;
}

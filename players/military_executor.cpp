// Carries out the military plan: bring the army within reach, scout the
// target, weigh the army against its defence, fall back or gather troops
// when too weak, leave a garrison behind, attack, and mend a captured castle.
#include <algorithm>

#include "game/player_ratings.h"
#include "players/ai_planner.h"
#include "players/army_tactics.h"
#include "players/planner_support.h"

using namespace planner;

namespace {

// The rules' price list scaled by (100 - percent) / 100, amount by amount.
CResourceBundle MissingCastleCost(uint8_t percent)
{
    CResourceBundle cost = Rules().castleCost;
    for (int i = 0; i < cost.Count(); ++i)
        cost[i] = cost[i] * (100 - percent) / 100;
    return cost;
}

}  // namespace

bool CMilitaryExecutor::Execute()
{
    CMilitaryPlan& m = static_cast<CMilitaryPlan&>(m_plan);
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    const int32_t D = Difficulty();

    ProvinceRecord* x = m.targetProvince;
    if (!x || !x->owner)
        return false;
    m.targetPlayer = x->owner;

    if (!InReach(x, P)) {
        x = NextStepTowards(x);
        m.targetProvince = x;
        if (!x)
            return false;
        if (x->owner == P) {
            C->MoveAlongPath(x);
            return true;
        }
    }

    // Scouting.
    if (x->owner && !C->IsScouted(x) && Roll() >= 61) {
        CResourceBundle cost;
        Rules().ScoutCost(cost, x);
        if (!P->treasury.AllGreater(cost)) {
            if (Roll() < 15) {
                GatherTowards(x);
                return false;
            }
        } else {
            int32_t n = P->treasury.TimesAffordable(cost);
            if (n >= 4)
                n = 3;
            bool scouted = false;
            for (int32_t attempt = 0; attempt < n + 1 && !scouted; ++attempt)
                scouted = C->Scout(x);
            if (!scouted) {
                if (D == 0 || Roll() > 50) {
                    GatherTowards(x);
                    return false;
                }
            }
        }
    }

    if (x->owner && x->HasCastle() && x->castle.percent == 100 && P->treasury.AnyLess(Rules().siegeCost)) {
        if (Roll() < 50)
            return false;
    }

    const uint32_t e = ProvinceDefenceValue(x);
    uint32_t a = uint32_t(P->army.Strength());
    const Ratio ratio = AttackRatio(D);
    uint32_t need = e * ratio.a / ratio.b;
    need = need * uint32_t(100 - m.bonusPercent) / 100;

    if (Roll() < 80 && a < need) {
        if (a >= e / 2) {
            GatherTowards(x);
        } else {
            FallBack();
        }
        a = uint32_t(P->army.Strength());
    }
    if (Roll() < 60 || D == 3) {
        if (a < need) {
            FallBack();
            return false;
        }
    }

    if (P->armyLocation != P->capital) {
        DropToGarrison(uint8_t(D != 0 ? Draw(9) + 5 : Draw(4) + 5));
    } else {
        LeaveCapitalGarrison();
    }

    // Computer defenders give up part of their garrison against an attacker of
    // about their own strength.
    if (IsComputer(m.targetPlayer) && a / 2 < e && e < a) {
        for (int i = 0; i < x->garrison.Count(); ++i) {
            SetSquadCount(x->garrison, i, SquadCount(x->garrison, i) * 2 / 3);
        }
    }

    const CArmy before(P->army);
    const bool capitalHit = IsComputer(m.targetPlayer) && x->index == m.targetPlayer->capital;

    C->AttackProvince(x, uint8_t(!(m.targetPlayer && m.targetPlayer->IsHuman())), 0);

    if (capitalHit && x->owner == P) {
        static constexpr int32_t kKeep[4] = {0, 35, 43, 60};
        const int32_t k = kKeep[std::clamp(D, 0, 3)];
        const int items = std::min(P->army.Count(), before.Count());
        for (int i = 0; i < items; ++i) {
            const int32_t floor = SquadCount(before, i) * k / 100;
            if (SquadCount(P->army, i) <= floor)
                SetSquadCount(P->army, i, floor);
        }
    }

    if (x->owner == P && x->HasCastle() && x->castle.percent < 100) {
        const CResourceBundle cost = MissingCastleCost(x->castle.percent);
        if (P->treasury.AllGreater(cost))
            C->CompleteCastle(x, cost, Rules().completeCastleTurns);
    }
    return true;
}

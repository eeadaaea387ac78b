// Carries out the threat plan: strengthen the province the threatening
// player can reach, then strike at, rob or raid the strongest rival
// neighbour of the capital by chance.
#include <algorithm>
#include <vector>

#include "game/player_ratings.h"
#include "players/ai_planner.h"
#include "players/army_tactics.h"
#include "players/planner_support.h"

using namespace planner;

void CThreatExecutor::StrikeProvince(ProvinceRecord* x)
{
    PlayerRecord* P = Me();
    if (!InReach(x, P))
        return;
    const uint32_t e = ProvinceDefenceValue(x);
    const ProvinceRecord* here = ArmyProvince(P);
    const uint32_t a = here ? ProvinceDefenceValue(here) : 0;
    const Ratio ratio = AttackRatio(Difficulty());
    if (Roll() < 95 && a < e * ratio.a / ratio.b)
        return;
    P->controller->TakeGarrisonIntoArmy();
    DropToGarrison(10);
    P->controller->AttackProvince(x, uint8_t(!(x->owner && x->owner->IsHuman())), 0);
}

void CThreatExecutor::RobOwner(ProvinceRecord* x)
{
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    if (!IsRival(x->owner, P) || C->movePoints < Rules().robberyMovePoints)
        return;
    const int32_t n =
        std::min<int32_t>(P->treasury.TimesAffordable(Rules().robberyCost), Rules().RobberyTries(&P->hero));
    // A robbery already bought this turn stays the one that is carried out.
    if (n > 0 && !(C->flags & kRobberyPending))
        C->OrderRobbery(x->owner, int16_t(n));
}

void CThreatExecutor::DeceaseAt(ProvinceRecord* x)
{
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    if (!IsRival(x->owner, P) || C->movePoints < Rules().deceaseMovePoints)
        return;
    const int32_t n = std::min(P->treasury.TimesAffordable(Rules().deceaseCost), Rules().maxRaiders);
    if (n > 0) {
        CArmy killed;
        C->Decease(x, int16_t(n), &killed);
    }
}

void CThreatExecutor::ReinforceFromNeighbours(ProvinceRecord* x)
{
    PullFromNeighbourGarrisons(x, 50, false);
}

bool CThreatExecutor::Execute()
{
    CThreatPlan& h = static_cast<CThreatPlan&>(m_plan);
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    const int32_t D = Difficulty();
    if (!h.targetPlayer || !h.targetPlayer->controller)
        return false;

    ProvinceRecord* f = StrongestForeignNeighbour(P);
    const uint32_t e = f ? ProvinceDefenceValue(f) : 0;
    ProvinceRecord* capital = ProvinceOrNull(P->capital);

    // The province to strengthen.
    ProvinceRecord* b = h.province;
    if (!b) {
        MapSnapshot keepReach;
        PlayerRecord* t = h.targetPlayer;
        t->controller->UpdateReach();
        for (int i = ProvinceCount() - 1; i >= 0; --i) {
            ProvinceRecord* r = ProvinceAt(i);
            if (r->owner != P || !Map().ReachableWithin(uint8_t(i), t->controller->movePoints, t))
                continue;
            if (!b || r == capital || ProvinceDefenceValue(r) < ProvinceDefenceValue(b))
                b = r;
        }
        if (Roll() > 70) {
            b = capital;
            if (Roll() > 80 && capital) {
                const int count = int(capital->neighbours.size());
                const int pick = count ? Draw(count) : 0;
                ProvinceRecord* n = count ? ProvinceOrNull(capital->neighbours[size_t(pick)]) : nullptr;
                b = n && n->owner == P ? n : capital;
            }
        }
    }
    if (!b)
        return false;

    if (b == capital) {
        ProvinceRecord* y = NextStepTowards(b);
        if (y) {
            if (y->owner != P) {
                StrikeProvince(y);
            } else {
                C->MoveArmyTo(y);
            }
        }
    }

    if (b->owner == P) {
        const int slots = b->garrison.Count();
        std::vector<int32_t> list(size_t(slots), 0);
        CResourceBundle budget = P->treasury;
        const bool castle = b->HasCastle();
        auto order = [&](int i, int32_t n) {
            list[size_t(i)] = n;
            if (n > 0)
                budget.Subtract(CResourceBundle::MultipliedCopy(SquadTypeAt(b->garrison, i)->cost, n));
        };
        if (castle) {
            for (int i = slots - 1; i >= 0; --i) {
                const CSquadType* t = SquadTypeAt(b->garrison, i);
                if (!t || t->rangedAttack == 0)
                    continue;
                int32_t n = std::min(SquadTypeWeight(b->garrison.Item(i)), budget.TimesAffordable(t->cost));
                n = n * (Draw(21) + 80) / 100;
                order(i, n);
            }
        }
        for (int i = slots - 1; i >= 0; --i) {
            const CSquadType* t = SquadTypeAt(b->garrison, i);
            if (!t || (castle && t->rangedAttack > 0))
                continue;
            int32_t n = std::min(SquadTypeWeight(b->garrison.Item(i)), budget.TimesAffordable(t->cost));
            n = n * (Draw(31) + 50) / 100;
            n = n * std::min(h.score, 50) / 100;
            order(i, n);
        }
        C->SetGarrisonPendingRecruits(b, list);
        if (uint32_t(b->garrison.Strength()) < e * 5 / 4)
            ReinforceFromNeighbours(b);
    }

    if (f) {
        const int32_t strike = D == 0 ? 30 : 40;
        const int32_t rob = D == 0 ? 40 : 45;
        const int32_t raid = D == 0 ? 50 : 60;
        if (Roll() < strike)
            StrikeProvince(f);
        if (Roll() < rob)
            RobOwner(f);
        if (Roll() < raid)
            DeceaseAt(f);
    }
    return true;
}

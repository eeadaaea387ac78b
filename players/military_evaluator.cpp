// Chooses the province of another player that the field army should attack.
#include <algorithm>
#include <vector>

#include "game/player_ratings.h"
#include "players/ai_planner.h"
#include "players/planner_support.h"

using namespace planner;

namespace {

// One entry per player record while the evaluator runs.
struct MilitaryTargetEntry {
    PlayerRecord* player = nullptr;
    uint8_t contacts = 0;
    ProvinceRecord* candidate = nullptr;
    int32_t value = 0;
    int16_t bonusPercent = 0;
    int16_t power = 0;
};

bool IsCapitalOf(const ProvinceRecord* q, const PlayerRecord* p)
{
    return p && q->index == p->capital;
}

// A neighbour of the capital that a rival holds in strength, scouted first:
// strike back at it when the army is strong enough. True when the choice was
// made (whether or not the plan was filled).
bool CounterAttackChoice(CMilitaryPlan& m, PlayerRecord* P, CPlayerController* C, int32_t D)
{
    ProvinceRecord* capital = ProvinceOrNull(P->capital);
    if (!capital)
        return false;
    ProvinceRecord* candidate = nullptr;
    for (int k = int(capital->neighbours.size()) - 1; k >= 0; --k) {
        ProvinceRecord* n = ProvinceOrNull(capital->neighbours[size_t(k)]);
        if (!n || !IsRival(n->owner, P))
            continue;
        if (!C->CanScout(n) || !C->Scout(n))
            continue;
        const PlayerRecord* o = n->owner;
        const bool qualifies = n->garrison.HasUnits() || (o->armyLocation == n->index && o->army.HasUnits());
        if (!qualifies)
            continue;
        if (!candidate) {
            candidate = n;
        } else if (ProvinceDefenceValue(n) > ProvinceDefenceValue(candidate) && InReach(n, P)) {
            candidate = n;
        }
    }
    if (!candidate || !InReach(candidate, P))
        return false;

    const ProvinceRecord* armyProvince = ArmyProvince(P);
    const uint32_t a = armyProvince ? ProvinceDefenceValue(armyProvince) : 0;
    uint32_t e4 = 4 * ProvinceDefenceValue(candidate);
    if (e4 == 0)
        e4 = 1;
    const Ratio r = AttackRatio(D);
    if (a * 5 <= e4 * r.a / r.b)
        return true;  // too weak to strike back
    m.score = int32_t(a * 25 / e4);
    m.targetPlayer = candidate->owner;
    m.targetProvince = candidate;
    return true;
}

// Among the rivals, the one whose economy leads the others by far gets the
// planner's attention, now and then.
void LeaderRule(std::vector<MilitaryTargetEntry>& entries, const PlayerRecord* P)
{
    int leader = -1;
    for (int i = int(entries.size()) - 1; i >= 0; --i) {
        MilitaryTargetEntry& e = entries[size_t(i)];
        if (!IsRival(e.player, P))
            continue;
        e.power = int16_t(EconomyScore(e.player));
        if (e.power > 0 && (leader < 0 || e.power > entries[size_t(leader)].power))
            leader = i;
    }
    if (leader < 0)
        return;
    // The lead over the closest rival decides; the leader itself is left out.
    int32_t d = 100;
    for (int i = int(entries.size()) - 1; i >= 0; --i) {
        const MilitaryTargetEntry& e = entries[size_t(i)];
        if (i == leader || !IsRival(e.player, P))
            continue;
        d = std::min<int32_t>(d, entries[size_t(leader)].power - e.power);
    }
    if (Roll() > 85 && d > 40) {
        entries[size_t(leader)].value *= 2;
        entries[size_t(leader)].bonusPercent = 20;
    }
}

}  // namespace

bool planner::CapitalHasEnemyNeighbour(const PlayerRecord* p)
{
    const ProvinceRecord* capital = ProvinceOrNull(p->capital);
    if (!capital)
        return false;
    for (uint8_t n : capital->neighbours) {
        const ProvinceRecord* q = ProvinceOrNull(n);
        if (q && q->owner && q->owner != p)
            return true;
    }
    return false;
}

bool CMilitaryEvaluator::Evaluate(CAIPlan& plan) const
{
    CMilitaryPlan& m = static_cast<CMilitaryPlan&>(plan);
    PlayerRecord* P = Me();
    CPlayerController* C = P->controller;
    const int32_t D = Difficulty();

    m.score = 0;
    if ((C->flags & kAttackedThisTurn) || !P->army.HasUnits())
        return true;
    C->UpdateReach();
    m.score = 0;
    m.targetPlayer = nullptr;
    m.targetProvince = nullptr;

    if (CapitalHasEnemyNeighbour(P)) {
        if (CounterAttackChoice(m, P, C, D))
            return true;
        if (P->armyLocation == P->capital)
            return true;
        if (Roll() > 10)
            return true;
    }

    const ProvinceRecord* armyProvince = ArmyProvince(P);
    const int32_t S = (armyProvince ? armyProvince->garrison.Strength() : 0) + P->army.Strength();

    const int provinceCount = ProvinceCount();
    std::vector<MilitaryTargetEntry> entries(static_cast<size_t>(PlayerCount()));
    for (int i = 0; i < PlayerCount(); ++i)
        entries[size_t(i)].player = PlayerAt(i);
    auto entryOf = [&](const PlayerRecord* o) -> MilitaryTargetEntry& {
        for (MilitaryTargetEntry& e : entries)
            if (e.player == o)
                return e;
        return entries.front();
    };

    // Steps from the capital over the whole map; 1 where the distance is 0.
    std::vector<int16_t> dist(size_t(provinceCount), 1);
    if (ProvinceOrNull(P->capital)) {
        MapSnapshot keepReach;
        Map().ComputeAll(P->capital, 0);
        for (int i = 0; i < provinceCount; ++i) {
            const int16_t d = Map().Distance(uint8_t(i));
            dist[size_t(i)] = d == 0 ? 1 : d;
        }
    }

    const uint32_t myStrength = PlayerStrength(P);
    static constexpr int32_t kCapitalWeight[4] = {30, 50, 60, 70};

    // Border scan: every rival province next to one of ours, scored by how
    // easily the army standing where it is would take it.
    for (int qi = provinceCount - 1; qi >= 0; --qi) {
        const ProvinceRecord* q = ProvinceAt(qi);
        if (q->owner != P)
            continue;
        for (int k = int(q->neighbours.size()) - 1; k >= 0; --k) {
            const int ni = q->neighbours[size_t(k)];
            if (ni >= qi)
                continue;
            ProvinceRecord* n = ProvinceAt(ni);
            if (ni == C->lastAttackedProvince && C->attackRepeatCount > 3)
                continue;
            PlayerRecord* o = n->owner;
            if (!IsRival(o, P))
                continue;
            MilitaryTargetEntry& e = entryOf(o);
            e.contacts = uint8_t(e.contacts + 1);
            if (e.candidate && e.value > 0 && InReach(e.candidate, P) && !InReach(n, P))
                continue;

            int32_t w = int32_t(ProvinceDefenceValue(n));
            if (w == 0)
                w = 10;
            if (D != 0 && e.candidate && AreNeighbours(n, e.candidate))
                w = w * 120 / 100;
            const bool capitalOfOwner = IsCapitalOf(n, o);
            if (capitalOfOwner)
                w = w * kCapitalWeight[std::clamp(D, 0, 3)] / 100;
            if (D != 0 && InReach(n, P))
                w = w * 70 / 100;
            if (w == 0)
                w = 1;
            int32_t s = S / w;
            const uint32_t theirStrength = PlayerStrength(o);
            if (capitalOfOwner && uint64_t(myStrength) > 5 * uint64_t(theirStrength))
                s = s * 150 / 100;
            if (uint64_t(myStrength) > 4 * uint64_t(theirStrength))
                s = s * 130 / 100;
            if (e.candidate) {
                int32_t quotient = dist[size_t(ni)] / dist[e.candidate->index];
                if (quotient < 1)
                    quotient = 1;
                s /= quotient;
            }
            s = std::min(s, S);

            bool take = false;
            if (!e.candidate) {
                take = true;
            } else {
                if (s > e.value * 3 / 2) {
                    if (Roll() > 80 || InReach(n, P))
                        take = true;
                }
                if (!take) {
                    if (InReach(e.candidate, P) || !InReach(n, P))
                        continue;
                    take = true;
                }
            }
            e.value = s;
            e.candidate = n;
        }
    }

    LeaderRule(entries, P);

    // Normalise.
    int32_t maxContacts = 0;
    int32_t maxValue = 0;
    for (const MilitaryTargetEntry& e : entries) {
        if (!IsRival(e.player, P))
            continue;
        maxContacts = std::max<int32_t>(maxContacts, e.contacts);
        maxValue = std::max(maxValue, e.value);
    }
    if (maxContacts == 0)
        maxContacts = 1;
    if (maxValue < 4)
        maxValue = 3;
    for (MilitaryTargetEntry& e : entries)
        e.contacts = uint8_t(e.contacts * 30 / maxContacts);

    // Choose.
    for (int i = PlayerCount() - 1; i >= 0; --i) {
        PlayerRecord* o = PlayerAt(i);
        if (!IsRival(o, P))
            continue;
        MilitaryTargetEntry& e = entries[size_t(i)];
        const int32_t r = Draw(11);
        e.value = e.value * (r + 60 + e.contacts) / maxValue;
        if (D != 3 && o->controller->IsHuman()) {
            if (Roll() > 70)
                e.value = e.value * 140 / 100;
        }
        if (o == C->lastMilitaryTarget)
            e.value = e.value * 130 / 100;
        const bool reachE = e.candidate && InReach(e.candidate, P);
        const bool reachM = m.targetProvince && InReach(m.targetProvince, P);
        bool take;
        if (m.score == 0) {
            take = true;
        } else if (e.value > m.score && reachE == reachM) {
            take = true;
        } else if (reachM || !reachE) {
            take = false;
        } else {
            take = !(e.value <= m.score / 2 && Roll() < 71);
        }
        if (take) {
            m.score = e.value;
            m.targetPlayer = o;
            m.targetProvince = e.candidate;
            m.bonusPercent = e.bonusPercent;
        }
    }

    // Weak fallback: with no good border target, go for the weakest rival's
    // capital.
    if (m.score < Draw(35) + 1) {
        std::vector<int32_t> values(size_t(PlayerCount()), -1);
        int32_t maxWeak = 0;
        for (int i = 0; i < PlayerCount(); ++i) {
            const PlayerRecord* o = PlayerAt(i);
            if (o->controller)
                values[size_t(i)] = int32_t(myStrength / (2 * PlayerStrength(o) + 1));
            maxWeak = std::max(maxWeak, values[size_t(i)]);
        }
        if (maxWeak < 4)
            maxWeak = 3;
        m.score = 0;
        m.targetPlayer = nullptr;
        for (int i = PlayerCount() - 1; i >= 0; --i) {
            PlayerRecord* o = PlayerAt(i);
            if (!IsRival(o, P))
                continue;
            const int32_t value = values[size_t(i)] * 50 / maxWeak;
            if (value > m.score) {
                m.score = value;
                m.targetPlayer = o;
                m.targetProvince = ProvinceOrNull(o->capital);
                m.bonusPercent = entries[size_t(i)].bonusPercent;
            }
        }
    }

    if (CapitalHasEnemyNeighbour(P))
        m.score = m.score * 30 / 100;
    if (m.targetPlayer && m.targetPlayer->controller && Game().turn < 10) {
        if (m.targetPlayer->controller->CountProvinces() < provinceCount / 6)
            m.score = m.score * 30 / 100;
    }
    // Strong players are not held back when every rival is weak: the planner
    // keeps pressing toward the end of the game.
    C->lastMilitaryTarget = m.targetPlayer;
    return true;
}

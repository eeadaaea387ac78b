#include "tests/sim/quick_battle.h"

#include <algorithm>

#include "core/random.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/player_record.h"
#include "game/province_record.h"

namespace {
uint32_t g_battles = 0;

int64_t CastleWorth(const CastleState& c)
{
    const int64_t worth = 15 + 3 * int64_t(c.fortWalls) + 2 * int64_t(c.moat) + 8 * int64_t(c.catapults);
    return 3 * worth * c.percent / 100;
}

int64_t Luck(int64_t value)
{
    return value * (85 + NextRandom() % 31) / 100;
}
}  // namespace

uint32_t QuickBattlesFought()
{
    return g_battles;
}
void ResetQuickBattleCount()
{
    g_battles = 0;
}

void ResolveQuickBattle(MapBattleRecord* record, uint8_t)
{
    ++g_battles;
    CArmy& attacker = record->attacker->army;
    CArmy& defender = record->defender->army;
    CastleState* castle = record->siege ? record->castle : nullptr;
    int64_t a = attacker.Strength();
    int64_t d = defender.Strength() + (castle ? CastleWorth(*castle) : 0);
    a = Luck(a);
    d = Luck(d);
    const bool attackerWins = a > d;
    CArmy& winner = attackerWins ? attacker : defender;
    CArmy& loser = attackerWins ? defender : attacker;
    const int64_t winnerValue = std::max<int64_t>(attackerWins ? a : d, 1);
    const int64_t loserValue = attackerWins ? d : a;
    for (int i = 0; i < loser.Count(); ++i)
        loser.Item(i)->count = 0;
    for (int i = 0; i < winner.Count(); ++i) {
        CSquad* s = winner.Item(i);
        const int64_t lost = s->count * loserValue / (2 * winnerValue);
        s->count = int32_t(std::max<int64_t>(s->count - lost, 0));
    }
    if (castle && attackerWins) {
        if (castle->catapults > 0)
            --castle->catapults;
        castle->percent = uint8_t(castle->percent / 2);
    }
    BattleResult = kBattleEnded;
}

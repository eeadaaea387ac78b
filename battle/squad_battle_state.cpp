#include "battle/squad_battle_state.h"

#include "battle/battle_flow.h"
#include "game/army.h"

namespace {
constexpr uint32_t kAttackerArmyBit = 0x10000;
}

CSquad* TargetSquad(const CSquad* s)
{
    const uint32_t word = s->battleState ? s->battleState->wordB : 0;
    if (word == 0)
        return nullptr;
    CArmy* army = (word & kAttackerArmyBit) ? g_battle.attackerArmy : g_battle.defenderArmy;
    const int index = int(word & 0xFFFF) - 1;
    if (!army || index < 0 || index >= army->Count())
        return nullptr;
    return army->Item(index);
}

void SetTargetSquad(CSquad* s, const CSquad* target)
{
    if (!s->battleState)
        return;
    uint32_t word = 0;
    if (target) {
        if (g_battle.attackerArmy && g_battle.attackerArmy->Contains(target))
            word = kAttackerArmyBit | uint32_t(g_battle.attackerArmy->IndexOf(target) + 1);
        else if (g_battle.defenderArmy && g_battle.defenderArmy->Contains(target))
            word = uint32_t(g_battle.defenderArmy->IndexOf(target) + 1);
    }
    s->battleState->wordB = word;
}

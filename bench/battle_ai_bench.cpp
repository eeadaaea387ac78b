// The battle AI's cost: a whole battle of the AI against itself without
// screen, beside one path map expansion over the same grid (the AI's unit
// of work: every decision recomputes maps from scratch).
#include <benchmark/benchmark.h>

#include "battle/battle_ai_player.h"
#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_rules.h"
#include "battle/path_map.h"
#include "core/random.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/player_record.h"
#include "game/squad_type.h"

namespace {

CSquadType MakeType(uint8_t melee, uint8_t strikes, uint8_t ranged, uint8_t shots, uint8_t hp, uint8_t move)
{
    CSquadType t;
    t.meleeAttack = melee;
    t.meleeSecond = strikes;
    t.rangedAttack = ranged;
    t.rangedSecond = shots;
    t.hp = hp;
    t.moveSpeed = move;
    t.forceCoefficient = 1;
    return t;
}

void AddSquad(PlayerRecord& player, const CSquadType* type, int32_t count)
{
    CSquad squad;
    squad.SetType(type);
    squad.count = count;
    player.army.AddSquadCopy(squad);
}

void BM_PathMapExpansion(benchmark::State& state)
{
    CBattleGrid grid;
    CPathMap map(&grid);
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.Compute(57, 0, 0, 1));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PathMapExpansion);

void BM_AiBattleOpenField(benchmark::State& state)
{
    g_battleRules.meleeBase = 41;
    g_battleRules.meleeAttackerSkill = 7;
    g_battleRules.meleeDefenderSkill = 4;
    g_battleRules.rangedPercent = 100;
    g_battleRules.rangedBase = 52;
    const CSquadType sword = MakeType(3, 1, 0, 0, 10, 2);
    const CSquadType bow = MakeType(1, 1, 2, 1, 6, 2);
    const CSquadType axe = MakeType(4, 2, 0, 0, 12, 1);
    const BattleAiInstall saved = InstalledBattleAi();
    InstallBattleAiPlayer();
    int64_t rounds = 0;
    for (auto _ : state) {
        PlayerRecord attacker, defender;
        AddSquad(attacker, &sword, 12);
        AddSquad(attacker, &bow, 8);
        AddSquad(attacker, &axe, 6);
        AddSquad(attacker, &sword, 9);
        AddSquad(defender, &sword, 10);
        AddSquad(defender, &bow, 10);
        AddSquad(defender, &axe, 5);
        BattleParams params;
        params.noScreen = 1;
        params.attacker = &attacker;
        params.defender = &defender;
        params.attackerSideKind = 2;
        params.defenderSideKind = 2;
        SetRandomState(4242);
        BeginBattle(&params);
        RunPlacementPhase();
        RunBattleTurns();
        rounds += g_battle.turnCounter;
        EndBattle();
    }
    InstallBattleAi(saved);
    state.counters["rounds"] = benchmark::Counter(double(rounds), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_AiBattleOpenField);

}  // namespace

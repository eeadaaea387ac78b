// Quick battles (the battle AI on both sides, no screen) by size: 1 to 12
// squads a side of the data's own field squads, with types, counts and the
// field chosen anew for every battle from its own seed, so that no single
// lucky or unlucky battle stands for all. Setting up the armies is timed
// with the battle, as it is in a game.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "battle/battle_ai_player.h"
#include "battle/battle_flow.h"
#include "battle/battle_rules.h"
#include "battle/quick_battle.h"
#include "battle/side_controller.h"
#include "bench/bench_engine.h"
#include "core/random.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/squad_type.h"
#include "sim/sim_driver.h"

namespace {

// A small generator of the benchmark's own, apart from the game's, so that
// setting up a battle does not move the battle's random sequence.
struct SetupRandom {
    uint32_t state;
    uint32_t Next(uint32_t bound)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

void FillArmy(PlayerRecord& player, const std::vector<const CSquadType*>& types, int squads,
              SetupRandom& random)
{
    for (int i = 0; i < squads; ++i) {
        CSquad squad;
        squad.SetType(types[random.Next(uint32_t(types.size()))]);
        squad.count = int32_t(5 + random.Next(26));
        player.army.AddSquadCopy(squad);
    }
}

void QuickBattles(benchmark::State& state)
{
    if (!BenchStartEngine(state))
        return;
    const int squadsPerSide = int(state.range(0));
    std::vector<const CSquadType*> fieldTypes;
    for (const CSquadType* type : SquadTypeRegistry())
        if (type->moveSpeed > 0 && type->hp > 0)
            fieldTypes.push_back(type);
    if (fieldTypes.empty() || !LoadBattleRules("/rules/battle/battle")) {
        state.SkipWithError("no field squads or battle rules in the data");
        SimStopEngine();
        return;
    }
    InstallBattleAiPlayer();
    uint32_t seed = 1;
    int64_t rounds = 0;
    for (auto _ : state) {
        SetupRandom random{seed * 2654435761u};
        auto attacker = std::make_unique<PlayerRecord>();
        auto defender = std::make_unique<PlayerRecord>();
        FillArmy(*attacker, fieldTypes, squadsPerSide, random);
        FillArmy(*defender, fieldTypes, squadsPerSide, random);
        BattleParams params;
        params.attacker = attacker.get();
        params.defender = defender.get();
        params.attackerSideKind = kSideKindComputer;
        params.defenderSideKind = kSideKindComputer;
        params.obstacleLayout = uint8_t(random.Next(256));
        SetRandomState(seed++);
        RunBattleWithoutScreen(params);
        rounds += g_battle.turnCounter;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["rounds"] = benchmark::Counter(double(rounds), benchmark::Counter::kAvgIterations);
    UnloadBattleRules();
    SimStopEngine();
}
BENCHMARK(QuickBattles)->DenseRange(1, 12)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

}  // namespace

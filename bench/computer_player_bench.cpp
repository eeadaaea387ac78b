// Computer players on the largest mission of the data: every computer turn
// (PlayTurn, battles included) over a sweep of all four difficulties and ten
// seeds, 100 rounds each, with the median, the 99th percentile and the worst;
// and a whole 100-round game.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app/program/sim_driver.h"
#include "bench/bench_engine.h"
#include "game/game_world.h"
#include "game/running_game.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDifficulties = 4;
constexpr int kSeedsPerDifficulty = 10;

Clock::time_point g_turnStart;
std::vector<double> g_turnMicros;

void TimePlayTurn(int, bool before)
{
    if (before) {
        g_turnStart = Clock::now();
    } else {
        g_turnMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - g_turnStart).count());
    }
}

// One iteration is the whole sweep; the turns of every iteration are pooled.
void ComputerTurnSweep(benchmark::State& state)
{
    if (!BenchStartEngine(state))
        return;
    const int mission = BenchLargestMission();
    g_turnMicros.clear();
    for (auto _ : state) {
        for (int difficulty = 0; difficulty < kDifficulties; ++difficulty) {
            for (uint32_t seed = 1; seed <= kSeedsPerDifficulty; ++seed) {
                std::string error;
                state.PauseTiming();
                SimNewGame(mission, difficulty, seed, error);
                state.ResumeTiming();
                SimSetPlayTurnHook(&TimePlayTurn);
                SimPlay(100);
                SimSetPlayTurnHook(nullptr);
            }
        }
    }
    std::sort(g_turnMicros.begin(), g_turnMicros.end());
    if (!g_turnMicros.empty()) {
        const size_t n = g_turnMicros.size();
        state.counters["turns"] = double(n);
        state.counters["median_us"] = g_turnMicros[n / 2];
        state.counters["p99_us"] = g_turnMicros[std::min(n - 1, n * 99 / 100)];
        state.counters["worst_us"] = g_turnMicros.back();
    }
    SimStopEngine();
}
BENCHMARK(ComputerTurnSweep)->Unit(benchmark::kMillisecond)->Iterations(1);

void HundredRoundGame(benchmark::State& state)
{
    if (!BenchStartEngine(state))
        return;
    const int mission = BenchLargestMission();
    uint32_t seed = 100;
    int64_t rounds = 0;
    for (auto _ : state) {
        std::string error;
        state.PauseTiming();
        SimNewGame(mission, 1, seed++, error);
        state.ResumeTiming();
        rounds += SimPlay(100).roundsPlayedNow;
    }
    state.counters["players"] = GameWorld() ? double(GameWorld()->PlayerCount()) : 0;
    state.counters["rounds_per_game"] = double(rounds) / double(state.iterations());
    SimStopEngine();
}
BENCHMARK(HundredRoundGame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

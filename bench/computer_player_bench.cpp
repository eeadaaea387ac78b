// Computer players on the largest mission of the data: every computer turn
// (PlayTurn, battles included) over a sweep of all four difficulties and ten
// seeds, 100 rounds each, with the median, the 99th percentile and the worst;
// and a whole 100-round game.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "app/program/sim_driver.h"
#include "bench/bench_engine.h"
#include "game/game_world.h"
#include "game/running_game.h"

namespace {

// The turn's own processor time: on a shared machine a wall clock also
// counts the time the turn waited for a core.
double ThreadMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

constexpr int kDifficulties = 4;
constexpr int kSeedsPerDifficulty = 10;

double g_turnStart = 0;
std::vector<double> g_turnMicros;
// Where the worst turn was, so that it can be played again under a profiler.
struct WorstTurn {
    double micros = 0;
    int difficulty = 0;
    uint32_t seed = 0;
    int32_t round = 0;
    int player = 0;
} g_worst;
int g_difficulty = 0;
uint32_t g_seed = 0;

void TimePlayTurn(int player, bool before)
{
    if (before) {
        g_turnStart = ThreadMicros();
        return;
    }
    const double micros = ThreadMicros() - g_turnStart;
    g_turnMicros.push_back(micros);
    if (micros > g_worst.micros)
        g_worst = {micros, g_difficulty, g_seed, Game().turn, player};
}

// One iteration is the whole sweep; the turns of every iteration are pooled.
void ComputerTurnSweep(benchmark::State& state)
{
    if (!BenchStartEngine(state))
        return;
    const int mission = BenchLargestMission();
    g_turnMicros.clear();
    g_worst = {};
    for (auto _ : state) {
        for (int difficulty = 0; difficulty < kDifficulties; ++difficulty) {
            for (uint32_t seed = 1; seed <= kSeedsPerDifficulty; ++seed) {
                std::string error;
                state.PauseTiming();
                SimNewGame(mission, difficulty, seed, error);
                g_difficulty = difficulty;
                g_seed = seed;
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
        state.counters["worst_difficulty"] = g_worst.difficulty;
        state.counters["worst_seed"] = g_worst.seed;
        state.counters["worst_round"] = g_worst.round;
        state.counters["worst_player"] = g_worst.player;
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

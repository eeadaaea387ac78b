// Computer players on the largest mission of the data: every computer turn
// (PlayTurn, battles included) over a sweep of all four difficulties and ten
// seeds, 100 rounds each, with the median, the 99th percentile and the worst
// in the turn's own processor time; and a whole 100-round game.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "bench/bench_engine.h"
#include "game/game_world.h"
#include "game/running_game.h"
#include "sim/sim_driver.h"

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
// Replays are exact, so every play of the sweep has the same turns in the
// same order; each turn counts with the least time of its plays, which
// leaves out what other programs on the machine cost it.
constexpr int kPlays = 3;

// A turn: its time, and where it is, so that the worst can be played again
// under a profiler (difficulty, seed, round, player).
struct TurnRecord {
    double micros;
    int where[4];
};

double g_turnStart = 0;
std::vector<TurnRecord> g_turns;  // this play's turns, in order
int g_difficulty = 0;
uint32_t g_seed = 0;

void TimePlayTurn(int player, bool before)
{
    if (before) {
        g_turnStart = ThreadMicros();
        return;
    }
    g_turns.push_back({ThreadMicros() - g_turnStart, {g_difficulty, int(g_seed), int(Game().turn), player}});
}

// One iteration plays the whole sweep kPlays times.
void ComputerTurnSweep(benchmark::State& state)
{
    if (!BenchStartEngine(state))
        return;
    const int mission = BenchLargestMission();
    std::vector<TurnRecord> least;
    for (auto _ : state) {
        for (int play = 0; play < kPlays; ++play) {
            g_turns.clear();
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
            if (least.empty()) {
                least = g_turns;
            } else {
                for (size_t i = 0; i < least.size() && i < g_turns.size(); ++i)
                    least[i].micros = std::min(least[i].micros, g_turns[i].micros);
            }
        }
    }
    if (least.empty()) {
        SimStopEngine();
        return;
    }
    std::sort(least.begin(), least.end(),
              [](const TurnRecord& a, const TurnRecord& b) { return a.micros < b.micros; });
    const size_t n = least.size();
    const TurnRecord& worst = least.back();
    state.counters["turns"] = double(n);
    state.counters["median_us"] = least[n / 2].micros;
    state.counters["p99_us"] = least[std::min(n - 1, n * 99 / 100)].micros;
    state.counters["worst_us"] = worst.micros;
    const char* const where[4] = {"worst_difficulty", "worst_seed", "worst_round", "worst_player"};
    for (int i = 0; i < 4; ++i)
        state.counters[where[i]] = worst.where[i];
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

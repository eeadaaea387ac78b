// Computer players on the largest mission of the data: one player's PlayTurn
// (median and worst over a whole game) and a whole 100-round game.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program/sim_driver.h"
#include "bench/bench_data_folder.h"
#include "game/game_world.h"
#include "game/running_game.h"

namespace {

using Clock = std::chrono::steady_clock;

bool StartEngine(benchmark::State& state)
{
    std::string error;
    if (!SimStartEngine(BenchDataFolder(), error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    return true;
}

// The mission with the most provinces.
int LargestMission()
{
    int best = -1, bestProvinces = -1;
    const int count = int(SimMissionPaths().size());
    for (int m = 0; m < count; ++m) {
        std::string error;
        if (!SimNewGame(m, 1, 1, error))
            continue;
        if (GameWorld()->ProvinceCount() > bestProvinces) {
            bestProvinces = GameWorld()->ProvinceCount();
            best = m;
        }
    }
    return best;
}

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

void ComputerPlayTurn(benchmark::State& state)
{
    if (!StartEngine(state))
        return;
    const int mission = LargestMission();
    g_turnMicros.clear();
    uint32_t seed = 11;
    for (auto _ : state) {
        std::string error;
        state.PauseTiming();
        SimNewGame(mission, 2, seed++, error);
        state.ResumeTiming();
        SimSetPlayTurnHook(&TimePlayTurn);
        SimPlay(100);
        SimSetPlayTurnHook(nullptr);
    }
    std::sort(g_turnMicros.begin(), g_turnMicros.end());
    if (!g_turnMicros.empty()) {
        state.counters["turns"] = double(g_turnMicros.size());
        state.counters["median_us"] = g_turnMicros[g_turnMicros.size() / 2];
        state.counters["worst_us"] = g_turnMicros.back();
    }
    SimStopEngine();
}
BENCHMARK(ComputerPlayTurn)->Unit(benchmark::kMillisecond)->Iterations(3);

void HundredRoundGame(benchmark::State& state)
{
    if (!StartEngine(state))
        return;
    const int mission = LargestMission();
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

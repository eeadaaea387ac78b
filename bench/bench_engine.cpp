#include "bench/bench_engine.h"

#include <cstdlib>
#include <filesystem>

#include "game/game_world.h"
#include "game/running_game.h"
#include "sim/sim_driver.h"

std::string BenchDataFolder()
{
    if (const char* env = std::getenv("THARNMOOR_DATA"); env && *env)
        return std::string(env) + "/";
    // build/bench/bench -> build/Data/
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
    return (self.parent_path().parent_path() / "Data").string() + "/";
}

bool BenchStartEngine(benchmark::State& state)
{
    std::string error;
    if (!SimStartEngine(BenchDataFolder(), error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    return true;
}

int BenchLargestMission()
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

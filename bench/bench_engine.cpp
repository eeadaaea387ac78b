#include "bench/bench_engine.h"

#include <unistd.h>

#include <cstdlib>

#include "app/program/sim_driver.h"
#include "game/game_world.h"
#include "game/running_game.h"

std::string BenchDataFolder()
{
    if (const char* env = std::getenv("THARNMOOR_DATA"); env && *env)
        return std::string(env) + "/";
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "Data/";
    path[n] = '\0';
    std::string dir(path);
    dir = dir.substr(0, dir.rfind('/') + 1);
    // The benchmark program sits one folder below the data's folder.
    return access((dir + "Data").c_str(), F_OK) == 0 ? dir + "Data/" : dir + "../Data/";
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

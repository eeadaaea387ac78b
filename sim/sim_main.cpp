// sim: plays a game between computer players without any screen.
//
//   sim --mission N --difficulty D --seed S --rounds R [--save FILE]
//   sim --load FILE [--seed S] [--rounds R] [--save FILE]
//
// N counts every mission of every scenario of the data in Data/ beside the
// program (or THARNMOOR_DATA), from 0. The last line printed is
// "winner=<player id or none> rounds=<rounds played>". A saved game that
// cannot be taken ends the run with a one-line error and exit code 2.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/game_world.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "sim/sim_driver.h"

namespace {

constexpr int kBadInput = 2;

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "sim: %s\n", message.c_str());
    return code;
}

bool ParseNumber(const char* text, long long low, long long high, long long& out)
{
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 10);
    if (!*text || *end || v < low || v > high)
        return false;
    out = v;
    return true;
}

std::string DataFolder()
{
    if (const char* env = std::getenv("THARNMOOR_DATA"); env && *env) {
        std::string folder(env);
        if (folder.back() != '/')
            folder += '/';
        return folder;
    }
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "Data/";
    path[n] = '\0';
    std::string exe(path);
    return exe.substr(0, exe.rfind('/') + 1) + "Data/";
}

}  // namespace

int main(int argc, char** argv)
{
    long long mission = -1, difficulty = 1, seed = 1, rounds = 100;
    std::string load, save;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return Fail(kBadInput, "missing value after " + arg);
        const char* value = argv[++i];
        bool ok = true;
        if (arg == "--mission") {
            ok = ParseNumber(value, 0, 1000, mission);
        } else if (arg == "--difficulty") {
            ok = ParseNumber(value, 0, 3, difficulty);
        } else if (arg == "--seed") {
            ok = ParseNumber(value, 0, 0xFFFFFFFFLL, seed);
        } else if (arg == "--rounds") {
            ok = ParseNumber(value, 0, 100000, rounds);
        } else if (arg == "--load") {
            load = value;
        } else if (arg == "--save") {
            save = value;
        } else {
            return Fail(kBadInput, "unknown option " + arg);
        }
        if (!ok)
            return Fail(kBadInput, "bad value for " + arg + ": " + value);
    }
    if (load.empty() && mission < 0)
        return Fail(kBadInput, "give --mission N or --load FILE");

    std::string error;
    if (!SimStartEngine(DataFolder(), error))
        return Fail(1, error);
    if (!load.empty()) {
        if (!SimLoadGame(load, uint32_t(seed), error)) {
            SimStopEngine();
            return Fail(kBadInput, error);
        }
    } else if (!SimNewGame(int(mission), int32_t(difficulty), uint32_t(seed), error)) {
        SimStopEngine();
        return Fail(kBadInput, error);
    }

    const CGameWorld& world = *GameWorld();
    std::printf("mission=%s players=%d provinces=%d difficulty=%d seed=%llu\n", Game().missionPath.Chars(),
                world.PlayerCount(), world.ProvinceCount(), int(Game().difficulty), seed);
    const SimOutcome outcome = SimPlay(int32_t(rounds));
    for (int i = 0; i < world.PlayerCount(); ++i) {
        const PlayerRecord& p = world.Player(i);
        int provinces = 0;
        for (int q = 0; q < world.ProvinceCount(); ++q)
            if (world.Province(q).owner == &p)
                ++provinces;
        std::printf("player=%d personality=%d provinces=%d in_game=%d\n", int(p.playerId), int(p.personality),
                    provinces, p.controller ? 1 : 0);
    }
    if (!save.empty() && !SimSaveFile(save, error)) {
        SimStopEngine();
        return Fail(1, error);
    }
    if (outcome.winner >= 0) {
        std::printf("winner=%d rounds=%d\n", outcome.winner, int(outcome.rounds));
    } else {
        std::printf("winner=none rounds=%d\n", int(outcome.rounds));
    }
    SimStopEngine();
    return 0;
}

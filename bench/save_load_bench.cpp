// Saving and loading a game of the largest shipped mission, in memory and
// through the data folder, beside a plain copy of the same bytes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "core/data_file.h"
#include "core/resource_mgr.h"
#include "game/game_world.h"
#include "game/pack_access.h"
#include "game/saved_game.h"
#include "game/squad_type.h"

namespace {
const char* const kLargestMission = "/Scenarios/scenario01/Mission003";

// The largest mission as a game in its first turn, with its saved form.
struct LargestGame {
    CGameWorld world;
    CStr missionPath = CStr(kLargestMission);
    SessionState session;
    std::vector<uint8_t> body;
    bool ok = false;

    LargestGame()
    {
        const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
        const std::string data = (self.parent_path().parent_path() / "Data").string() + "/";
        if (!CResourceMgr::InitFromFolder(data.c_str()))
            return;
        LoadSquadTypes();
        const uint8_t* bytes = nullptr;
        uint32_t size = 0;
        if (!LoadPackData(missionPath + "/mission", "dat", bytes, size))
            return;
        SetActiveWorld(&world);
        CStreamReader reader(bytes, size);
        ok = LoadWorldFromStream(reader, world) && LoadMissionTexts(world, missionPath) &&
             WriteSavedGame(SavedGameParts{world, missionPath, session}, body);
    }
};

LargestGame& Game()
{
    static LargestGame game;
    return game;
}

void BM_SaveInMemory(benchmark::State& state)
{
    LargestGame& game = Game();
    if (!game.ok) {
        state.SkipWithError("the shipped mission did not load");
        return;
    }
    std::vector<uint8_t> body;
    for (auto _ : state) {
        WriteSavedGame(SavedGameParts{game.world, game.missionPath, game.session}, body);
        benchmark::DoNotOptimize(body.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(game.body.size()));
}
BENCHMARK(BM_SaveInMemory);

void BM_LoadInMemory(benchmark::State& state)
{
    LargestGame& game = Game();
    if (!game.ok) {
        state.SkipWithError("the shipped mission did not load");
        return;
    }
    CGameWorld world;
    for (auto _ : state) {
        SetActiveWorld(&world);
        CStr path;
        SessionState session;
        const bool loaded = ReadSavedGame(SavedGameParts{world, path, session}, game.body.data(),
                                          uint32_t(game.body.size()), 9);
        benchmark::DoNotOptimize(loaded);
    }
    SetActiveWorld(&game.world);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(game.body.size()));
}
BENCHMARK(BM_LoadInMemory);

void BM_SaveAndLoadThroughTheDataFolder(benchmark::State& state)
{
    LargestGame& game = Game();
    if (!game.ok) {
        state.SkipWithError("the shipped mission did not load");
        return;
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tharn_bench_saves";
    std::filesystem::create_directories(folder);
    SetDataFolder(CStr((folder.string() + "/").c_str()));
    CGameWorld world;
    for (auto _ : state) {
        SetActiveWorld(&game.world);
        SaveGame(SaveSlotFileName(0), SavedGameParts{game.world, game.missionPath, game.session});
        SetActiveWorld(&world);
        CStr path;
        SessionState session;
        benchmark::DoNotOptimize(LoadSavedGame(SaveSlotFileName(0), SavedGameParts{world, path, session}));
    }
    SetActiveWorld(&game.world);
    SetDataFolder(CStr());
    std::filesystem::remove_all(folder);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(game.body.size()) * 2);
}
BENCHMARK(BM_SaveAndLoadThroughTheDataFolder);

// A save alone, flushed to the disk before and after its rename, beside the
// same bytes written and renamed without any flush: the ratio is what
// durability costs.
void BM_DurableSaveToTheDataFolder(benchmark::State& state)
{
    LargestGame& game = Game();
    if (!game.ok) {
        state.SkipWithError("the shipped mission did not load");
        return;
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tharn_bench_durable";
    std::filesystem::create_directories(folder);
    SetDataFolder(CStr((folder.string() + "/").c_str()));
    SetActiveWorld(&game.world);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            SaveGame(SaveSlotFileName(0), SavedGameParts{game.world, game.missionPath, game.session}));
    SetDataFolder(CStr());
    std::filesystem::remove_all(folder);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(game.body.size()));
}
BENCHMARK(BM_DurableSaveToTheDataFolder)->UseRealTime();

void BM_UnflushedWriteAndRenameOfTheSavedBytes(benchmark::State& state)
{
    LargestGame& game = Game();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tharn_bench_unflushed";
    std::filesystem::create_directories(folder);
    const std::string temporary = (folder / "save_new").string(), target = (folder / "save").string();
    for (auto _ : state) {
        FILE* file = std::fopen(temporary.c_str(), "wb");
        if (file == nullptr) {
            state.SkipWithError("cannot write the temporary folder");
            break;
        }
        std::fwrite(game.body.data(), 1, game.body.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(std::rename(temporary.c_str(), target.c_str()));
    }
    std::filesystem::remove_all(folder);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(game.body.size()));
}
BENCHMARK(BM_UnflushedWriteAndRenameOfTheSavedBytes)->UseRealTime();

// The physical reference: copying the saved bytes once.
void BM_CopyOfTheSavedBytes(benchmark::State& state)
{
    LargestGame& game = Game();
    std::vector<uint8_t> copy(game.body.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), game.body.data(), game.body.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(game.body.size()));
}
BENCHMARK(BM_CopyOfTheSavedBytes);
}  // namespace

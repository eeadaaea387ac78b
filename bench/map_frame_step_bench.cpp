// The map screen's frame steps while the computer players take their turns:
// the real program, headless, on the game's own packs, playing the twelve
// turns of bench/twelve_turns.txt; the frame steps that the map screen pumps
// during the computer players' turns are timed one by one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "core/core_main.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"

namespace {

std::string ProgramFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "./";
    path[n] = '\0';
    const std::string exe(path);
    return exe.substr(0, exe.rfind('/') + 1);
}

struct Measure {
    bool humanPlayed = false;
    int64_t steps = 0;
    double seconds = 0;
    double worst = 0;
} g_measure;

// What the map window's pump does, one frame step, timed while a computer
// player has the turn.
void TimedPump()
{
    if (Game().humanTurnActive != 0 || !g_measure.humanPlayed) {
        FrameStep();
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    FrameStep();
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++g_measure.steps;
    g_measure.seconds += took;
    g_measure.worst = std::max(g_measure.worst, took);
}

class BenchPlatform : public HeadlessBackend {
public:
    using HeadlessBackend::HeadlessBackend;
    // Every frame step sleeps once: the map window binds the pump when it
    // opens, and the binding is taken over here before the computer players
    // play.
    void Sleep(uint32_t milliseconds) override
    {
        HeadlessBackend::Sleep(milliseconds);
        if (SigPumpUi.IsBound())
            SigPumpUi.Connect(&TimedPump);
        if (Game().humanTurnActive != 0)
            g_measure.humanPlayed = true;
    }
};

void BM_MapFrameStepDuringComputerTurns(benchmark::State& state)
{
    // The game writes its log and saves into its data folder: a copy of the
    // build's packs keeps the build's own folder clean.
    char pattern[] = "/tmp/tharn_framestep_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::filesystem::path folder(made);
    std::filesystem::path data = ProgramFolder() + "Data";
    if (!std::filesystem::exists(data))
        data = ProgramFolder() + "../Data";
    std::filesystem::copy(data, folder / "Data", std::filesystem::copy_options::recursive);

    HeadlessOptions options;
    options.settings.video = "headless";
    options.settings.dataFolder = (folder / "Data").string() + "/";
    options.settings.script = THARN_BENCH_DIR "/twelve_turns.txt";
    options.closeAfterSteps = 0;
    InstallPlatform(std::make_unique<BenchPlatform>(options));
    CurrentPlatform().LoadScriptFromSettings();

    for (auto _ : state) {
        g_measure = Measure{};
        WinMain(1);
        state.SetIterationTime(g_measure.seconds);
    }
    PlatformClose();
    // The program quit at the end of its script; the benchmarks that follow
    // in this process play battles, which stop at once while that stands.
    QuitFlag = 0;
    std::filesystem::remove_all(folder);
    if (g_measure.steps == 0) {
        state.SkipWithError("no frame step during the computer players' turns");
        return;
    }
    state.counters["frame_steps"] = static_cast<double>(g_measure.steps);
    state.counters["us_per_step"] = 1e6 * g_measure.seconds / static_cast<double>(g_measure.steps);
    state.counters["worst_step_us"] = 1e6 * g_measure.worst;
}
// One run of the program: the time is that of the frame steps alone, not of
// the computer players' thinking between them.
BENCHMARK(BM_MapFrameStepDuringComputerTurns)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

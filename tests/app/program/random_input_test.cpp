// The real program under seeded random input: taps, drags, keys, characters,
// focus changes and close requests, one script per seed, all runs over one
// data folder so that the saves of a run meet the next. Every run must end
// when its input ends, with status 0 and no sanitizer report.
//
// Its taps fall anywhere: a script written before the run cannot know where
// the controls will be. The person of tests/app/play/random_person_test.cpp
// aims at them from the window tree.
//
// CI runs a few seeds. More by hand, e.g. on the sanitizer build:
//   THARN_RANDOM_RUNS=2000 THARN_RANDOM_FIRST_SEED=1 build-asan/tests/program_run_tests --gtest_filter=RandomInput.*
// A failing seed's script is kept and named, to be replayed with
//   THARNMOOR_VIDEO=headless THARNMOOR_DATA=<folder> THARNMOOR_SCRIPT=<script> build/zkv_2003SE
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "tests/app/program/program_run.h"
#include "tests/support/build_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
// Steps of input in one run; a few seconds of the sanitizer build.
constexpr int kSteps = 1500;

int EnvNumber(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != 0 ? std::atoi(value) : fallback;
}

// The script of one seed. The draws are the generator's raw numbers, so a
// seed gives the same script on every standard library.
std::string RandomScript(uint32_t seed)
{
    std::mt19937 random(seed);
    auto below = [&](uint32_t n) { return int(random() % n); };
    auto point = [&] {
        return std::to_string(below(kScreenWidth)) + " " + std::to_string(below(kScreenHeight));
    };
    static const char* const kKeys[] = {"up", "down", "left", "right", "pageup", "pagedown", "action"};
    std::ostringstream out;
    out << "# random input, seed " << seed << "\n";
    for (int step = 0; step < kSteps; ++step) {
        const int kind = below(1000);
        if (kind < 450) {  // a tap
            const std::string at = point();
            out << "down " << at << "\nup " << at << "\n";
        } else if (kind < 550) {  // a drag
            out << "down " << point() << "\n";
            for (int n = 1 + below(5); n > 0; --n)
                out << "move " << point() << "\n";
            out << "up " << point() << "\n";
        } else if (kind < 700) {
            out << "key " << kKeys[below(7)] << "\n";
        } else if (kind < 760) {  // typed text: letters, digits, signs, often those the game binds
            static const char kBound[] = "Ff0123456789";
            std::string text;
            for (int n = 1 + below(6); n > 0; --n)
                text += below(2) == 0 ? kBound[below(12)] : char(' ' + below(95));
            if (text.front() == ' ' || text.back() == ' ')
                text = "x" + text + "x";
            out << "char " << text << "\n";
        } else if (kind < 790) {
            out << "activate 0\nwait " << below(500) << "\nactivate 1\n";
        } else if (kind < 792 && below(4) == 0) {  // rare: it ends the run early
            out << "close\n";
        } else {
            out << "wait " << below(1500) << "\n";
        }
    }
    return out.str();
}

TEST(RandomInput, EveryRunEndsWithItsInputWithoutAFault)
{
    const fs::path program = fs::path(TestBuildFolder()) / "zkv_2003SE";
    ASSERT_TRUE(fs::exists(program)) << program;
    const fs::path folder = fs::temp_directory_path() / ("tharn_random_" + std::to_string(::getpid()));
    const fs::path data = folder / "Data";
    fs::remove_all(folder);
    fs::create_directories(data);
    for (const auto& entry : fs::directory_iterator(program.parent_path() / "Data"))
        if (entry.path().extension() == ".pak")
            fs::copy_file(entry.path(), data / entry.path().filename());

    const int runs = EnvNumber("THARN_RANDOM_RUNS", 3);
    const int first = EnvNumber("THARN_RANDOM_FIRST_SEED", 1);
    int failed = 0;
    for (int seed = first; seed < first + runs; ++seed) {
        const fs::path script = folder / ("seed" + std::to_string(seed) + ".txt");
        std::ofstream(script) << RandomScript(uint32_t(seed));
        const ProgramRun r = RunProgram(program, data, script, folder / "stderr.txt");
        const bool good = r.ended && r.status == 0 && !HasSanitizerReport(r.errors);
        if (good) {
            fs::remove(script);
            continue;
        }
        ++failed;
        ADD_FAILURE() << "seed " << seed << ": "
                      << (r.ended ? "ended with status " + std::to_string(r.status)
                                  : std::string("never ended"))
                      << "; script kept at " << script << "\n"
                      << r.errors.substr(0, 4000);
    }
    std::printf("random input: %d runs from seed %d, %d failed\n", runs, first, failed);
    if (failed == 0)
        fs::remove_all(folder);
}

}  // namespace

// A close request from the system ends the program wherever the person is,
// a battle included: the battle ends unfinished, nothing of it is saved, and
// the program shuts down normally.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/app/program/program_run.h"
#include "tests/app/shipped_screen_points.h"
#include "tests/support/build_folder.h"

namespace fs = std::filesystem;

namespace {

using namespace shipped_points;

TEST(CloseRequest, DuringABattleEndsTheProgram)
{
    const fs::path program = fs::path(TestBuildFolder()) / "zkv_2003SE";
    ASSERT_TRUE(fs::exists(program)) << program;
    const fs::path folder = fs::temp_directory_path() / ("tharn_close_" + std::to_string(::getpid()));
    const fs::path data = folder / "Data";
    fs::remove_all(folder);
    fs::create_directories(data);
    for (const auto& entry : fs::directory_iterator(program.parent_path() / "Data"))
        if (entry.path().extension() == ".pak")
            fs::copy_file(entry.path(), data / entry.path().filename());
    struct Case {
        const char* what;
        const char* ending;
    } cases[] = {
        {"the close button", "close\nwait 60000\nshot after_close.png\n"},
        {"the end of a scripted run", ""},
    };
    for (const Case& c : cases) {
        // The menu's battle trainer, its Start, then the battle's first turn.
        const fs::path script = folder / "script.txt";
        std::ofstream(script) << "wait 500\n" + ScriptTap(kMenuBattle) + "wait 1300\n" +
                                     ScriptTap(kTrainerStart) + "wait 3300\nshot battle.png\n" + c.ending;
        const ProgramRun r = RunProgram(program, data, script, folder / "stderr.txt");
        EXPECT_TRUE(r.ended) << c.what;
        EXPECT_EQ(r.status, 0) << c.what << "\n" << r.errors;
        EXPECT_TRUE(fs::exists(data / "battle.png")) << c.what << ": the battle was reached";
        EXPECT_FALSE(fs::exists(data / "after_close.png")) << c.what << ": the close ended the run";
        const std::string log = [&] {
            std::ifstream in(data / "zkvlog.sav", std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }();
        EXPECT_NE(log.find("MAIN: All main initialization complete."), std::string::npos) << c.what;
        fs::remove(data / "battle.png");
    }
    fs::remove_all(folder);
}

}  // namespace

// The real program, run headless in a temporary data folder: its log byte
// for byte, the start-up marker, the failure messages and the screenshot.

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/build_folder.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program = fs::path(TestBuildFolder()) / "zkv_2003SE";
        ASSERT_TRUE(fs::exists(program)) << program;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder =
            fs::temp_directory_path() / ("tharn_prog_" + std::to_string(::getpid()) + "_" + info->name());
        fs::remove_all(folder);
        data = folder / "Data";
        fs::create_directories(data);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Runs the program with the script (none when empty); returns its exit code.
    int Run(const std::string& script = "")
    {
        std::string env =
            settings + " THARNMOOR_DATA='" + data.string() + "' THARNMOOR_SHOTS='" + folder.string() + "'";
        if (!script.empty()) {
            std::ofstream(folder / "script.txt") << script;
            env += " THARNMOOR_SCRIPT='" + (folder / "script.txt").string() + "'";
        }
        std::string command = "cd '" + folder.string() + "' && env -u SDL_VIDEODRIVER " + env + " '" +
                              program.string() + "' 2>'" + (folder / "stderr.txt").string() + "'";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The packs the build made, so the application layer can start.
    void InstallPacks()
    {
        for (const auto& entry : fs::directory_iterator(program.parent_path() / "Data")) {
            if (entry.path().extension() == ".pak") {
                fs::copy_file(entry.path(), data / entry.path().filename());
                packs.push_back(data / entry.path().filename());
            }
        }
        std::sort(packs.begin(), packs.end());
        ASSERT_FALSE(packs.empty()) << "the build makes the packs";
    }
    std::string Log() { return ReadFile(data / "zkvlog.sav"); }
    std::string Errors() { return ReadFile(folder / "stderr.txt"); }

    fs::path program, folder, data;
    std::vector<fs::path> packs;
    // The platform's settings of the next run, beside its folders and script.
    std::string settings = "THARNMOOR_VIDEO=headless";
};

const char kCoreUp[] = "MAIN: Starting core... \r\n"
                       "\tMAIN: Memory info: Free: 0; Max chunk: 0  \r\n"
                       "\tMAIN: Initializing CDeviceMgr... \r\n"
                       "\tMAIN: CDeviceMgr initialization ok. \r\n"
                       "\tMAIN: Initializing CTimeMgr... \r\n"
                       "\tMAIN: CTimeMgr initialization ok. \r\n"
                       "\tMAIN: Initializing CSoundMgr... \r\n"
                       "\tMAIN: CSoundMgr initialization ok. \r\n"
                       "\tMAIN: Initializing CTaskMgr... \r\n"
                       "\tMAIN: CTaskMgr initialization ok. \r\n"
                       "MAIN: Core initialized. \r\n"
                       "MAIN: Initializing application... \r\n";

// After the locale: the skins, the screen layout (silent), the window
// manager with its root window, hints, help, and the application object.
const char kApplicationUp[] = "\tMAIN: Initializing CSkinMgr... \r\n"
                              "\tMAIN: CSkinMgr initialization ok. \r\n"
                              "\tMAIN: Initializing CWindowMgr... \r\n"
                              "\t\tWINDOW_MGR: Creating screen window... \r\n"
                              "\tMAIN: CWindowMgr initialization ok. \r\n"
                              "\tMAIN: Initializing CHintMgr... \r\n"
                              "\t\tHINT_MGR: Creating hint window... \r\n"
                              "\tMAIN: CHintMgr initialization ok. \r\n"
                              "\tMAIN: Initializing CHelpMgr... \r\n"
                              "\tMAIN: CHelpMgr initialization ok. \r\n"
                              "\tMAIN: Initializing Drevik Application.\r\nGame ver: v1.10r\r\n \r\n"
                              "\tQRAPP: Syncronizing preferences... \r\n"
                              "\tQRAPP: Creating main screen... \r\n"
                              "\tQRAPP: Initializing Map::CSrenarionMgr... \r\n"
                              "\tQRAPP: Initializing CBatlAniCacheMgr... \r\n"
                              "\tQRAPP: Creating main menu... \r\n";

const char kDeviceFailed[] = "MAIN: Starting core... \r\n"
                             "\tMAIN: Memory info: Free: 0; Max chunk: 0  \r\n"
                             "\tMAIN: Initializing CDeviceMgr... \r\n"
                             "\tMAIN: CDeviceMgr initialization failed. \r\n"
                             "MAIN: Core initialization failed. \r\n";

TEST_F(ProgramTest, StartsRunsAndEndsByItselfWithTheExactLog)
{
    // A log left by an earlier run is deleted first.
    std::ofstream(data / "zkvlog.sav") << "old run\r\n";
    InstallPacks();
    ASSERT_EQ(Run(), 0);
    std::string opened;
    for (const auto& pack : packs) {
        opened += "\t\t\tRESOURCE_MGR: Found file " + pack.string() + " \r\n";
        opened += "\t\t\tRESOURCE_MGR: " + pack.string() + " opened \r\n";
    }
    EXPECT_EQ(Log(), std::string(kCoreUp) +
                         "\tMAIN: Initializing CPathMgr... \r\n"
                         "\tMAIN: CPathMgr initialization ok. \r\n"
                         "\tMAIN: Initializing CResourceMgr... \r\n"
                         "\t\tRESOURCE_MGR: Initializing resource loader... \r\n"
                         "\t\tRESOURCE_MGR: Initializing generic manager... \r\n"
                         "\t\tRESOURCE_MGR: Opening resource files... \r\n" +
                         opened +
                         "\t\tRESOURCE_MGR: Adding mapping entries... \r\n"
                         "\tMAIN: CResourceMgr initialization ok. \r\n"
                         "\tMAIN: Initializing CPreferencesMgr... \r\n"
                         "\tMAIN: CPreferencesMgr initialization ok. \r\n"
                         "\tMAIN: Initializing CUIMgr... \r\n"
                         "\t\tUI_MGR: Getting locale file... \r\n"
                         "\t\tUI_MGR: Sorting locale... \r\n"
                         "\tMAIN: CUIMgr initialization ok. \r\n" +
                         kApplicationUp +
                         "MAIN: Application initialization ok. \r\n"
                         "MAIN: All main initialization complete. \r\n");
    EXPECT_FALSE(fs::exists(data / "zkvInitTest.sav")) << "the marker goes once the core is up";
    EXPECT_EQ(Errors(), "") << "no message box";
}

TEST_F(ProgramTest, NoPacksFailTheApplicationOnceWithItsMessage)
{
    ASSERT_EQ(Run(), 1) << "a failed start ends in failure";
    EXPECT_EQ(Log(), std::string(kCoreUp) + "\tMAIN: Initializing CPathMgr... \r\n"
                                            "\tMAIN: CPathMgr initialization ok. \r\n"
                                            "\tMAIN: Initializing CResourceMgr... \r\n"
                                            "\t\tRESOURCE_MGR: Initializing resource loader... \r\n"
                                            "\t\tRESOURCE_MGR: Initializing generic manager... \r\n"
                                            "\t\tRESOURCE_MGR: Opening resource files... \r\n"
                                            "\tMAIN: CResourceMgr initialization failed. \r\n"
                                            "MAIN: Application initialization failed. \r\n");
    EXPECT_EQ(Errors(), "tharnmoor: [Error!] Application initialization failed. See log file for details.\n");
    EXPECT_FALSE(fs::exists(data / "zkvInitTest.sav")) << "the core was up: no warning next time";
}

TEST_F(ProgramTest, LeftOverMarkerWarnsFirstThenStartsNormally)
{
    std::ofstream(data / "zkvInitTest.sav", std::ios::binary) << "Error";
    InstallPacks();
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Errors(),
              "tharnmoor: [Error!] Previous load was failed. Log enabled, press 'OK' to continue.\n");
    EXPECT_EQ(Log().substr(0, sizeof kCoreUp - 1), kCoreUp);
    EXPECT_FALSE(fs::exists(data / "zkvInitTest.sav"));
}

TEST_F(ProgramTest, DeviceThatCannotStartFailsTheCoreAndLeavesTheMarker)
{
    for (const char* part : {"window", "display", "input"}) {
        SCOPED_TRACE(part);
        fs::remove(data / "zkvInitTest.sav");
        ASSERT_EQ(Run(std::string("refuse ") + part + "\n"), 1);
        EXPECT_EQ(Log(), kDeviceFailed);
        EXPECT_EQ(Errors(), "tharnmoor: [Error!] Core initialization failed. See log file for details.\n");
        EXPECT_EQ(ReadFile(data / "zkvInitTest.sav"), "Error") << "the next start will warn";
    }
    // The next start warns, and then fails the same way again.
    ASSERT_EQ(Run("refuse input\n"), 1);
    EXPECT_EQ(Errors(), "tharnmoor: [Error!] Previous load was failed. Log enabled, press 'OK' to continue.\n"
                        "tharnmoor: [Error!] Core initialization failed. See log file for details.\n");
}

TEST_F(ProgramTest, ScriptedRunTakesAScreenshotAndEndsWhenTheScriptDoes)
{
    InstallPacks();
    ASSERT_EQ(Run("wait 200\ndown 10 10\nup 10 10\nkey action\nchar x\nshot start.png\n"), 0);
    std::string png = ReadFile(folder / "start.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // IHDR: the device screen, 240 x 320.
    EXPECT_EQ(static_cast<unsigned char>(png[18]), 0);
    EXPECT_EQ(static_cast<unsigned char>(png[19]), 240);
    EXPECT_EQ(static_cast<unsigned char>(png[22]), 1);
    EXPECT_EQ(static_cast<unsigned char>(png[23]), 64);
    EXPECT_NE(Log().find("All main initialization complete."), std::string::npos);
}

// A device turned a quarter shows its screen turned: the shot is as wide as
// the panel is high.
TEST_F(ProgramTest, ScreenshotsShowTheScreenTurnedWithTheDevice)
{
    InstallPacks();
    settings += " THARNMOOR_ORIENTATION=1";
    ASSERT_EQ(Run("wait 200\nshot turned.png\n"), 0);
    std::string png = ReadFile(folder / "turned.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(static_cast<unsigned char>(png[18]), 1);
    EXPECT_EQ(static_cast<unsigned char>(png[19]), 64);
    EXPECT_EQ(static_cast<unsigned char>(png[22]), 0);
    EXPECT_EQ(static_cast<unsigned char>(png[23]), 240);
}

// A video backend asked for by name and not to be had fails the start as a
// device without a window does, and says why; it never runs on without a screen.
TEST_F(ProgramTest, AVideoBackendAskedForThatCannotBeHadFailsTheStartAndSaysWhy)
{
    InstallPacks();
    const struct {
        const char* settings;
        const char* why;
    } cases[] = {
        // No such SDL video driver: a build with SDL2 cannot open its window,
        // a build without it has none to open.
        {"THARNMOOR_VIDEO=sdl SDL_VIDEODRIVER=tharn_none",
         "tharnmoor: THARNMOOR_VIDEO=sdl asks for a window, but "},
        {"THARNMOOR_VIDEO=vulkan",
         "tharnmoor: THARNMOOR_VIDEO=vulkan names no video backend (sdl or headless)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        fs::remove(data / "zkvInitTest.sav");
        settings = c.settings;
        ASSERT_EQ(Run(), 1);
        EXPECT_EQ(Log(), kDeviceFailed);
        const std::string errors = Errors();
        EXPECT_EQ(errors.rfind(c.why, 0), 0u) << errors;
        EXPECT_NE(errors.find("tharnmoor: [Error!] Core initialization failed. See log file for details.\n"),
                  std::string::npos)
            << errors;
    }
}

TEST_F(ProgramTest, UnreadableScriptIsReportedAndTheRunStillEnds)
{
    InstallPacks();
    ASSERT_EQ(Run("jump 1 2\n"), 0);
    EXPECT_NE(Errors().find("script line 1"), std::string::npos) << Errors();
}

}  // namespace

namespace {

TEST_F(ProgramTest, MissingSkinOrFontsStopTheStartAfterTheSkinsAndEverythingStillShutsDown)
{
    struct Case {
        const char* pack;  // left out of the data folder
        const char* errors;
    } cases[] = {
        {"skins.pak", "tharnmoor: [Error!] No screen layout fits this device.\n"
                      "tharnmoor: [Error!] Application initialization failed. See log file for details.\n"},
        {"art.pak", "tharnmoor: [Error!] Application initialization failed. See log file for details.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pack);
        fs::remove_all(data);
        fs::create_directories(data);
        packs.clear();
        InstallPacks();
        fs::remove(data / c.pack);
        ASSERT_EQ(Run(), 1);
        const std::string log = Log();
        const std::string tail = "\tMAIN: Initializing CSkinMgr... \r\n"
                                 "\tMAIN: CSkinMgr initialization ok. \r\n"
                                 "MAIN: Application initialization failed. \r\n";
        ASSERT_GE(log.size(), tail.size());
        EXPECT_EQ(log.substr(log.size() - tail.size()), tail) << log;
        EXPECT_EQ(Errors(), c.errors);
        EXPECT_TRUE(fs::exists(data / "zkvprefs.sav")) << "the preferences were saved at shutdown";
    }
}

}  // namespace

// The real program, run headless over a data folder of its own: the
// resource managers start from the built packs, the preferences survive
// from one run to the next, and a start without packs fails cleanly.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/build_folder.h"
#include "tests/support/fixture_packs.h"

namespace fs = std::filesystem;

namespace {

std::string BuildDir()
{
    return TestBuildFolder();
}

// Runs the program with the folder as its data folder, on a device screen of
// the size given; returns the exit status and fills the standard error output.
int RunProgram(const TempFolder& data, std::string* errors, const std::string& screen = "240x320")
{
    std::string errorFile = data.File("stderr.txt");
    std::string command = "THARNMOOR_VIDEO=headless THARNMOOR_SCREEN=" + screen + " THARNMOOR_DATA='" +
                          data.path() + "' '" + BuildDir() + "/zkv_2003SE' 2>'" + errorFile + "' >/dev/null";
    int status = std::system(command.c_str());
    *errors = data.Read("stderr.txt");
    fs::remove(errorFile);
    return status;
}

void CopyBuiltPacks(const TempFolder& data)
{
    for (const auto& entry : fs::directory_iterator(BuildDir() + "/Data")) {
        if (entry.path().extension() == ".pak") {
            fs::copy_file(entry.path(), data.File(entry.path().filename().string()));
        }
    }
}

const std::string kDefaultPreferences(
    "\x09\x00\x01\x7F\x00\x00\x00\x00\x05\x05\x00\x01\x01\x01\x01\x00\x00\x01\x00\x01\x01\x01\x01"
    "\x01\x00\x00\x00\x00\x01\x00",
    30);

TEST(ResourceStartUp, BuiltPacksStartTheManagersAndPreferencesPersist)
{
    TempFolder data;
    CopyBuiltPacks(data);
    std::string errors;
    ASSERT_EQ(RunProgram(data, &errors), 0) << errors;
    std::string log = data.Read("zkvlog.sav");
    size_t at = 0;
    for (const char* line : {
             "\tMAIN: Initializing CPathMgr... \r\n\tMAIN: CPathMgr initialization ok. \r\n",
             "\tMAIN: Initializing CResourceMgr... \r\n",
             "\t\tRESOURCE_MGR: Adding mapping entries... \r\n\tMAIN: CResourceMgr initialization ok. \r\n",
             "\tMAIN: Initializing CPreferencesMgr... \r\n\tMAIN: CPreferencesMgr initialization ok. \r\n",
             "\tMAIN: Initializing CUIMgr... \r\n\t\tUI_MGR: Getting locale file... \r\n"
             "\t\tUI_MGR: Sorting locale... \r\n\tMAIN: CUIMgr initialization ok. \r\n",
         }) {
        size_t found = log.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing in order: " << line << "\n" << log;
        at = found;
    }
    EXPECT_EQ(data.Read("zkvprefs.sav"), kDefaultPreferences);

    // The next run reads the file back and writes the same values again.
    std::string changed = kDefaultPreferences;
    changed[2] = 0;                       // sound off
    changed[3] = static_cast<char>(200);  // volume
    changed[28] = 2;                      // difficulty
    ASSERT_TRUE(data.Write("zkvprefs.sav", changed));
    ASSERT_EQ(RunProgram(data, &errors), 0) << errors;
    EXPECT_EQ(data.Read("zkvprefs.sav"), changed);
    EXPECT_FALSE(data.Exists("zkvprefs~.sav"));
}

TEST(ResourceStartUp, FailuresStopTheStartUpAtTheirStep)
{
    struct Case {
        const char* what;
        bool withPack;
        const char* failedLine;
        const char* absentLine;
    } cases[] = {
        {"no packs", false, "\tMAIN: CResourceMgr initialization failed. \r\n",
         "Initializing CPreferencesMgr"},
        {"no locale", true, "\tMAIN: CUIMgr initialization failed. \r\n", "Initializing CSkinMgr"},
    };
    for (const auto& c : cases) {
        TempFolder data;
        if (c.withPack) {
            PackWriter writer(1);
            ASSERT_TRUE(writer.AddText("Locale/other", "txt", "x=y"));
            ASSERT_TRUE(writer.WriteFile(data.File("only.pak")));
        }
        ASSERT_TRUE(data.Write("stray.pak", "not a pack at all"));
        std::string errors;
        const int status = RunProgram(data, &errors);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0)
            << c.what << ": a failed start ends in failure";
        std::string log = data.Read("zkvlog.sav");
        EXPECT_NE(log.find(c.failedLine), std::string::npos) << c.what << "\n" << log;
        EXPECT_NE(log.find("MAIN: Application initialization failed. \r\n"), std::string::npos) << c.what;
        EXPECT_EQ(log.find(c.absentLine), std::string::npos) << c.what;
        EXPECT_NE(errors.find("Application initialization failed. See log file for details."),
                  std::string::npos)
            << c.what << ": " << errors;
        // Nothing was loaded, so nothing is saved: no preferences file appears
        // from a start that never reached the preferences.
        if (!c.withPack) {
            EXPECT_FALSE(data.Exists("zkvprefs.sav")) << c.what;
        }
    }
}

// Every pack the build makes, at the screen size that needs it: damaged in
// each way a download or a disk can damage it, it stops the start with a
// message that names the file and what is wrong with it. The data the game
// then misses is still named in the log.
TEST(ResourceStartUp, ADamagedPackIsNamedWithItsFaultAndTheGameDoesNotStart)
{
    struct Pack {
        const char* file;
        const char* screen;
        const char* loggedData;  // what the game data check names in the log, if it is first to fail
    } packs[] = {
        {"art.pak", "240x320", nullptr},
        {"base.pak", "240x320", nullptr},
        {"battle.pak", "240x320", "/Rules/Battle/battle"},
        {"battlescreen.pak", "240x320", "/Images/Battle"},
        {"game.pak", "240x320", "/Rules/hof"},
        {"mapdialogs.pak", "240x320", "/Skin/ReportFrame"},
        {"mapview.pak", "240x320", "/Skin/mapframe"},
        {"menus.pak", "240x320", "/Skin/awbutton"},
        {"rules.pak", "240x320", "/Rules/Map/map"},
        {"skins.pak", "240x320", nullptr},
        {"skins480.pak", "480x640", nullptr},
    };
    struct Damage {
        const char* what;
        std::string (*apply)(const std::string& pack);
        const char* fault;
    } damages[] = {
        {"empty", [](const std::string&) { return std::string(); }, "it is empty"},
        {"cut short", [](const std::string& p) { return p.substr(0, p.size() / 2); },
         "it is damaged (entry "},
        {"not a pack", [](const std::string& p) { return "PK" + p.substr(2); }, "it is not a game data file"},
        {"bad directory",
         [](const std::string& p) {
             std::string damaged = p;
             damaged[16 + 28] = 7;  // the first entry's depth
             return damaged;
         },
         "it is damaged (entry 0 has a bad depth)"},
    };

    size_t built = 0;
    for (const auto& entry : fs::directory_iterator(BuildDir() + "/Data"))
        built += entry.path().extension() == ".pak" ? 1 : 0;
    EXPECT_EQ(built, std::size(packs)) << "every pack the build makes has a row here";

    for (const Pack& pack : packs) {
        for (const Damage& damage : damages) {
            SCOPED_TRACE(std::string(pack.file) + " " + damage.what);
            TempFolder data;
            CopyBuiltPacks(data);
            ASSERT_TRUE(data.Write(pack.file, damage.apply(data.Read(pack.file))));
            std::string errors;
            const int status = RunProgram(data, &errors, pack.screen);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
            const std::string named = std::string("tharnmoor: [Error!] The game data file ") + pack.file +
                                      " cannot be used: " + damage.fault;
            EXPECT_EQ(errors.rfind(named, 0), 0u) << "the first box names the pack and its fault:\n"
                                                  << errors;
            const std::string last =
                "\ntharnmoor: [Error!] Application initialization failed. See log file for details.\n";
            EXPECT_EQ(errors.find(last), errors.size() - last.size()) << errors;
            EXPECT_EQ(errors.find("[Error!]", named.size()), errors.size() - last.size() + 12)
                << "no other box guesses at the cause:\n"
                << errors;
            if (pack.loggedData != nullptr) {
                EXPECT_NE(data.Read("zkvlog.sav")
                              .find(std::string("MAIN: the game data ") + pack.loggedData + " is missing"),
                          std::string::npos);
            }
        }
    }
}

}  // namespace

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

// Runs the program with the folder as its data folder; returns the exit
// status and fills the standard error output.
int RunProgram(const TempFolder& data, std::string* errors)
{
    std::string errorFile = data.File("stderr.txt");
    std::string command = "THARNMOOR_VIDEO=headless THARNMOOR_DATA='" + data.path() + "' '" + BuildDir() +
                          "/zkv_2003SE' 2>'" + errorFile + "' >/dev/null";
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

TEST(ResourceStartUp, AMissingOrDamagedPackIsNamedAndTheGameDoesNotStart)
{
    struct Case {
        const char* pack;
        bool truncated;  // else empty
        const char* named;
    } cases[] = {
        {"game.pak", false, "/Rules/hof"},
        {"game.pak", true, "/Rules/hof"},
        {"rules.pak", false, "/Rules/Map/map"},
        {"battle.pak", false, "/Rules/Battle/battle"},
        {"menus.pak", false, "/Skin/awbutton"},
        {"mapdialogs.pak", false, "/Skin/ReportFrame"},
        {"battlescreen.pak", false, "/Images/Battle"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pack) + (c.truncated ? " truncated" : " empty"));
        TempFolder data;
        CopyBuiltPacks(data);
        const std::string pack = data.Read(c.pack);
        ASSERT_TRUE(data.Write(c.pack, c.truncated ? pack.substr(0, pack.size() / 2) : std::string()));
        std::string errors;
        const int status = RunProgram(data, &errors);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0);
        const std::string named = std::string("the game data ") + c.named + " is missing";
        EXPECT_NE(data.Read("zkvlog.sav").find("MAIN: " + named), std::string::npos)
            << data.Read("zkvlog.sav");
        EXPECT_NE(errors.find("The game data " + std::string(c.named) + " is missing or damaged"),
                  std::string::npos)
            << errors;
    }
}

}  // namespace

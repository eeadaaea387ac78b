// The real program with the built data, run headless with an input script:
// the title screen and its menu come up, the credits and the help open from
// the menu and close page by page back to the same menu, and holding the
// action key for a second quits. Screenshots are read back pixel by pixel.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/data_file.h"
#include "core/resource_mgr.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "tests/app/program_rig.h"
#include "tests/support/build_folder.h"

namespace fs = std::filesystem;

namespace {

using namespace program_test;
using TitleScreenProgramTest = ProgramRig;

TEST_F(TitleScreenProgramTest, MenuOpensCreditsAndHelpAndComesBack)
{
    std::string script = "wait 500\nshot title.png\n";
    script += Tap(kMenuCredits) + "wait 300\nshot credits.png\n";
    for (int i = 0; i < 3; ++i)
        script += Tap(kCreditsPage);  // three pages
    script += "wait 300\nshot back.png\n";
    script += Tap(kMenuHelp) + "wait 300\nshot help.png\n";
    for (int i = 0; i < 8; ++i)
        script += Tap(kHowToPlayPage);  // eight pages of How to Play
    script += "wait 300\nshot again.png\n";
    ASSERT_EQ(Run(script), 0) << ReadFile(folder / "stderr.txt");
    EXPECT_EQ(ReadFile(folder / "stderr.txt"), "") << "no message box";
    const std::string log = ReadFile(data / "zkvlog.sav");
    EXPECT_NE(log.find("QRAPP: Creating main menu..."), std::string::npos) << log;
    EXPECT_NE(log.find("MAIN: All main initialization complete."), std::string::npos);

    const Shot title = Load("title.png"), credits = Load("credits.png"), back = Load("back.png");
    const Shot help = Load("help.png"), again = Load("again.png");
    ASSERT_EQ(title.width, 240);
    ASSERT_EQ(title.height, 320);
    // The title: night sky above, the gold letters of the entries on the plaque.
    const uint8_t* sky = title.At(10, 40);
    EXPECT_GT(sky[2], sky[0]) << "a blue night sky";
    EXPECT_LT(sky[0] + sky[1] + sky[2], 120);
    EXPECT_GT(title.GoldPixels(60, kMenuNewGame.y - 6, 180, kMenuNewGame.y + 6), 30)
        << "\"New Game\" in gold";
    EXPECT_EQ(title.GoldPixels(60, kMenuResume.y - 6, 180, kMenuResume.y + 6), 0)
        << "no saved game: \"Resume Game\" is greyed";
    // The credits cover the title screen; after their last page the same
    // menu is back, pixel for pixel.
    const auto plaque = Plaque;
    EXPECT_NE(plaque(credits), plaque(title));
    EXPECT_EQ(plaque(back), plaque(title));
    EXPECT_NE(plaque(help), plaque(title));
    EXPECT_NE(plaque(help), plaque(credits)) << "the help text is not the credits";
    EXPECT_EQ(plaque(again), plaque(title));
    EXPECT_TRUE(fs::exists(data / "zkvprefs.sav")) << "the shutdown saved the preferences";
}

TEST_F(TitleScreenProgramTest, ExitEntryAndHeldActionKeyQuit)
{
    struct Case {
        const char* what;
        std::string input;
    } cases[] = {
        {"the Exit entry", Tap(kMenuExit)},
        {"the action key held for a second", HoldActionKey()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(folder / "late.png");
        ASSERT_EQ(Run("wait 300\n" + c.input + "wait 3000\nshot late.png\n"), 0);
        EXPECT_FALSE(fs::exists(folder / "late.png")) << "the program quit before the script ran out";
    }
    // Presses with pauses between them never add up to a held key.
    std::string tapping = "wait 300\n";
    for (int i = 0; i < 15; ++i)
        tapping += "key action\nwait 200\n";
    ASSERT_EQ(Run(tapping + "shot late.png\n"), 0);
    EXPECT_TRUE(fs::exists(folder / "late.png")) << "released keys do not quit";
}

}  // namespace

namespace {

using namespace program_test;
using TitleScreenProgramTest = ProgramRig;

TEST_F(TitleScreenProgramTest, ASavedGameEnablesResumeGame)
{
    // A game of the first mission saved into slot 3, as the game saves it.
    ASSERT_TRUE(CResourceMgr::InitFromFolder((data.string() + "/").c_str()));
    SetDataFolder(CStr((data.string() + "/").c_str()));
    ASSERT_TRUE(Map::CSrenarionMgr::Init());
    LoadSquadTypes();
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
    ASSERT_TRUE(SaveGame(SaveSlotFileName(3)));
    EndSession();
    FreeSquadTypes();
    Map::CSrenarionMgr::Clear();
    CResourceMgr::Shutdown();
    SetDataFolder(CStr());
    ASSERT_TRUE(fs::exists(data / "zkvsave03.sav"));

    ASSERT_EQ(Run("wait 500\nshot title.png\n"), 0);
    const Shot title = Load("title.png");
    EXPECT_GT(title.GoldPixels(60, kMenuResume.y - 6, 180, kMenuResume.y + 6), 30)
        << "\"Resume Game\" in gold";
}

}  // namespace

// The main menu's flows in the real program, driven by a script: a new game
// set up and started runs the map screen and is saved into slot 0 without a
// picker; a cancelled set-up, the preferences, the hall of fame and the
// battle trainer's set-up all come back to the same menu, and so does a
// training battle fought to its end; a single saved game is resumed without
// a picker.

#include <gtest/gtest.h>

#include <string>

#include "tests/app/program_rig.h"

namespace {

using namespace program_test;
using MenuFlowsProgramTest = ProgramRig;

TEST_F(MenuFlowsProgramTest, WindowsOpenedFromTheMenuComeBackToTheSameMenu)
{
    struct Case {
        const char* what;
        ScreenPoint entry, close;
    } cases[] = {
        {"new game set-up, back to the menu", kMenuNewGame, kNewGameMenu},
        {"preferences, cancelled", kMenuPreferences, kPreferencesCancel},
        {"hall of fame", kMenuHallOfFame, kHallOfFameBack},
        {"battle trainer set-up, cancelled", kMenuBattle, kTrainerCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string script = "wait 500\nshot title.png\n" + Tap(c.entry) + "wait 500\nshot open.png\n" +
                                   Tap(c.close) + "wait 500\nshot back.png\n";
        ASSERT_EQ(Run(script), 0);
        const Shot title = Load("title.png"), open = Load("open.png"), back = Load("back.png");
        EXPECT_NE(Plaque(open), Plaque(title)) << "the window covers the menu";
        EXPECT_EQ(Plaque(back), Plaque(title)) << "the same menu is back";
        EXPECT_FALSE(fs::exists(data / "zkvsave00.sav")) << "nothing was played";
    }
}

TEST_F(MenuFlowsProgramTest, ANewGameRunsTheMapScreenAndIsSavedIntoSlotZero)
{
    const std::string script = "wait 500\nshot title.png\n" + StartNewGame() + "shot map.png\n" +
                               HoldActionKey() + "wait 3000\nshot late.png\n";
    ASSERT_EQ(Run(script), 0);
    const std::string log = ReadFile(data / "zkvlog.sav");
    EXPECT_NE(log.find("QRAPP: Creating new game window..."), std::string::npos);
    const Shot title = Load("title.png"), map = Load("map.png");
    EXPECT_NE(Plaque(map), Plaque(title)) << "the map screen replaced the title screen";
    EXPECT_TRUE(fs::exists(data / "zkvsave00.sav")) << "no saved game before: slot 0 without asking";
    EXPECT_FALSE(fs::exists(folder / "late.png")) << "the held action key quit from inside the game";
}

TEST_F(MenuFlowsProgramTest, TheOnlySavedGameIsResumedWithoutAPicker)
{
    // A first run starts a game (saved into slot 0) and quits inside it.
    ASSERT_EQ(Run("wait 500\n" + StartNewGame() + HoldActionKey()), 0);
    ASSERT_TRUE(fs::exists(data / "zkvsave00.sav"));
    // The second run resumes it straight from the menu.
    ASSERT_EQ(Run("wait 500\nshot title.png\n" + Tap(kMenuResume) + "wait 3000\nshot map.png\n"), 0);
    const Shot title = Load("title.png"), map = Load("map.png");
    EXPECT_GT(title.GoldPixels(60, kMenuResume.y - 6, 180, kMenuResume.y + 6), 30)
        << "\"Resume Game\" is enabled";
    EXPECT_NE(Plaque(map), Plaque(title)) << "the saved game runs on the map screen";
    EXPECT_EQ(ReadFile(folder / "stderr.txt"), "") << "no message box about a damaged slot";
}

}  // namespace

namespace {

TEST_F(MenuFlowsProgramTest, ATrainingBattleOnAutomaticPlayEndsBackAtTheMenu)
{
    // The set-up as it opens (a siege, the person attacking), the squads left
    // where they stand and the clock pressed: the battle plays itself out and
    // the title screen's menu comes back; a training battle has no results
    // window of its own.
    ASSERT_EQ(Run("wait 500\nshot title.png\n" + Tap(kMenuBattle) + "wait 500\n" + Tap(kTrainerStart) +
                  "wait 2000\nshot battle.png\n" + Tap(kBattleStart) + "wait 1000\n" + Tap(kBattleAuto) +
                  "wait 180000\nshot back.png\n"),
              0);
    const Shot title = Load("title.png"), battle = Load("battle.png"), back = Load("back.png");
    EXPECT_NE(Plaque(battle), Plaque(title)) << "the battle screen came";
    EXPECT_EQ(Plaque(back), Plaque(title)) << "the same menu is back";
    EXPECT_FALSE(fs::exists(data / "zkvtrainer.sav")) << "a battle that ended leaves no trainer file";
}

TEST_F(MenuFlowsProgramTest, ATrainerFileLeftBehindIsRemovedWhenTheTrainerOpens)
{
    // A versioned data file: the version word 9, then the battle.
    std::ofstream(data / "zkvtrainer.sav", std::ios::binary) << std::string("\x09\x00\x01\x02", 4);
    ASSERT_EQ(Run("wait 500\nshot title.png\n" + Tap(kMenuBattle) + "wait 500\nshot setup.png\n" +
                  Tap(kTrainerCancel) + "wait 300\n"),
              0);
    EXPECT_FALSE(fs::exists(data / "zkvtrainer.sav")) << "it cannot be resumed, so it goes";
    EXPECT_NE(Plaque(Load("setup.png")), Plaque(Load("title.png"))) << "the set-up window came instead";
}

}  // namespace

namespace {

TEST_F(MenuFlowsProgramTest, WithTwoSavedGamesThePickerAsksAndCancelComesBack)
{
    ASSERT_EQ(Run("wait 500\n" + StartNewGame() + HoldActionKey()), 0);
    ASSERT_TRUE(fs::exists(data / "zkvsave00.sav"));
    fs::copy_file(data / "zkvsave00.sav", data / "zkvsave01.sav");
    ASSERT_EQ(Run("wait 500\nshot title.png\n" + Tap(kMenuResume) + "wait 500\nshot picker.png\n" +
                  Tap(kPickSlotCancel) + "wait 500\nshot back.png\n"),
              0);
    const Shot title = Load("title.png"), picker = Load("picker.png"), back = Load("back.png");
    EXPECT_NE(Plaque(picker), Plaque(title)) << "the picker asks which game";
    EXPECT_EQ(Plaque(back), Plaque(title)) << "cancelled: the menu is back";
}

}  // namespace

namespace {

TEST_F(MenuFlowsProgramTest, ADamagedSlotIsNamedWhenResumeIsChosen)
{
    // Slot 4 holds a file that is no saved game; no other slot is taken.
    std::ofstream(data / "zkvsave03.sav", std::ios::binary) << std::string("\x09\x00not a game", 12);
    ASSERT_EQ(Run("wait 500\nshot title.png\n" + Tap(kMenuResume) + "wait 500\nshot message.png\n" +
                  Tap(kMessageButton) + "wait 500\nshot back.png\n"),
              0);
    const Shot title = Load("title.png"), message = Load("message.png"), back = Load("back.png");
    EXPECT_GT(title.GoldPixels(60, kMenuResume.y - 6, 180, kMenuResume.y + 6), 30)
        << "\"Resume Game\" is enabled";
    EXPECT_NE(message.Area(0, 0, 239, 319), title.Area(0, 0, 239, 319)) << "a message covers the menu";
    EXPECT_EQ(Plaque(back), Plaque(title)) << "tapped away, the menu is back: there is nothing to resume";
    EXPECT_NE(ReadFile(data / "zkvlog.sav").find("MAIN: saved game slot 4 (zkvsave03) cannot be read"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(data / "zkvsave03.sav")) << "the damaged file is left for the person";
}

}  // namespace

namespace {

// Only an unreadable file in slot 1: Resume is not greyed, and a new game
// does not take the slot without the picker; cancelled, the file is as it was.
TEST_F(MenuFlowsProgramTest, ANewGameNeverTakesAnUnreadableSlotUnasked)
{
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a version word only", std::string("\x09\x00", 2)},
        {"version 5", std::string("\x05\x00\x0a\x00\x00\x00", 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(data / "zkvsave00.sav", std::ios::binary) << c.bytes;
        ASSERT_EQ(Run("wait 500\nshot title.png\n" + Tap(kMenuNewGame) + "wait 500\n" + Tap(kNewGameStart) +
                      "wait 1000\nshot picker.png\n" + Tap(kPickSlotCancel) + "wait 500\nshot back.png\n"),
                  0);
        const Shot title = Load("title.png"), picker = Load("picker.png"), back = Load("back.png");
        EXPECT_GT(title.GoldPixels(60, kMenuResume.y - 6, 180, kMenuResume.y + 6), 30)
            << "\"Resume Game\" is enabled";
        EXPECT_NE(Plaque(picker), Plaque(title)) << "the picker asks which slot";
        EXPECT_EQ(Plaque(back), Plaque(title)) << "cancelled: the menu is back";
        EXPECT_EQ(ReadFile(data / "zkvsave00.sav"), c.bytes);
    }
}

// A game saved by the computer-only harness has no human player: resumed,
// nobody would play it. The person is told so, and the file stays.
TEST_F(MenuFlowsProgramTest, ASavedGameWithoutAHumanIsRefusedWithAMessageAndKept)
{
    const fs::path sim = program.parent_path() / "sim";
    ASSERT_TRUE(fs::exists(sim)) << sim;
    const fs::path save = data / "zkvsave00.sav";
    ASSERT_EQ(std::system(("env THARNMOOR_DATA='" + data.string() + "' '" + sim.string() +
                           "' --mission 0 --rounds 2 --save '" + save.string() + "' >/dev/null")
                              .c_str()),
              0);
    ASSERT_TRUE(fs::exists(save));
    const auto bytes = ReadFile(save);
    ASSERT_EQ(Run("wait 500\nshot title.png\n" + Tap(kMenuResume) + "wait 1500\nshot message.png\n" +
                  Tap(kMessageButton) + "wait 500\nshot back.png\n"),
              0);
    const Shot title = Load("title.png"), message = Load("message.png"), back = Load("back.png");
    EXPECT_NE(message.Area(0, 0, 239, 319), title.Area(0, 0, 239, 319)) << "a message says why";
    EXPECT_EQ(Plaque(back), Plaque(title)) << "tapped away, the menu is back";
    EXPECT_NE(ReadFile(data / "zkvlog.sav").find("MAIN: saved game has no human player"), std::string::npos);
    ASSERT_TRUE(fs::exists(save)) << "the file is kept";
    EXPECT_EQ(ReadFile(save), bytes);
}

}  // namespace

namespace {

// The other way round: a game the game saved, inside the person's turn, is
// played on by sim with a computer player in the person's seat, and what sim
// saves of it loads again.
TEST_F(MenuFlowsProgramTest, AGameTheGameSavedIsPlayedOnBySimWithAComputerForThePerson)
{
    ASSERT_EQ(Run("wait 500\n" + StartNewGame() + HoldActionKey()), 0);
    const fs::path save = data / "zkvsave00.sav", again = folder / "again.sav";
    ASSERT_TRUE(fs::exists(save));
    const fs::path sim = program.parent_path() / "sim";
    auto runSim = [&](const std::string& arguments) {
        const std::string command = "env THARNMOOR_DATA='" + data.string() + "' '" + sim.string() + "' " +
                                    arguments + " >'" + (folder / "sim.txt").string() + "' 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    ASSERT_EQ(runSim("--load '" + save.string() + "' --seed 4 --rounds 3 --save '" + again.string() + "'"), 0)
        << ReadFile(folder / "sim.txt");
    const std::string played = ReadFile(folder / "sim.txt");
    EXPECT_NE(played.find("\nwinner="), std::string::npos) << played;
    EXPECT_EQ(runSim("--load '" + again.string() + "' --rounds 1"), 0) << ReadFile(folder / "sim.txt");
}

}  // namespace

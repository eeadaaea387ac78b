// Help and hints in the real program: the title screen's help button opens
// its page and the menu comes back when it is closed; on the map a pen that
// rests on a picture button shows what it does without doing it, and a tap
// still does it.

#include <gtest/gtest.h>

#include <string>

#include "tests/app/program_rig.h"

namespace {

using namespace program_test;
using HelpProgramTest = ProgramRig;

TEST_F(HelpProgramTest, TheTitleScreenOpensItsHelpPageAndComesBack)
{
    ASSERT_EQ(Run("wait 500\nshot title.png\n" + Tap(kTitleHelp) + "wait 300\nshot help.png\n" +
                  Tap(kHelpClose) + "wait 300\nshot back.png\n"),
              0);
    const Shot title = Load("title.png"), help = Load("help.png"), back = Load("back.png");
    EXPECT_NE(Plaque(help), Plaque(title)) << "the help page covers the menu";
    EXPECT_EQ(Plaque(back), Plaque(title)) << "closed, the same menu is back";
    EXPECT_EQ(ReadFile(folder / "stderr.txt"), "");
}

TEST_F(HelpProgramTest, APenRestingOnTheRecruitButtonExplainsItAndATapRecruits)
{
    // A new game up to the map: set-up, the lord's window, the turn notice.
    const std::string start = "wait 500\n" + StartNewGame() + Tap(kMessageButton) + "wait 1500\n";
    // The pen held on the recruit button, lifted, then a real tap.
    const std::string recruitPoint =
        std::to_string(kMapRecruit.x) + " " + std::to_string(kMapRecruit.y) + "\n";
    ASSERT_EQ(Run(start + "shot map.png\ndown " + recruitPoint + "wait 1200\nshot hint.png\nup " +
                  recruitPoint + "wait 300\n" + Tap(kMapSpot) + "wait 500\nshot after.png\n" +
                  Tap(kMapRecruit) + "wait 800\nshot recruit.png\n"),
              0);
    const Shot map = Load("map.png"), hint = Load("hint.png"), after = Load("after.png"),
               recruit = Load("recruit.png");
    // The balloon hangs below the top bar; the bottom panels tell the mode.
    const auto below = [](const Shot& s) { return s.Area(0, 26, 239, 60); };
    const auto panels = [](const Shot& s) { return s.Area(0, 250, 239, 319); };
    EXPECT_NE(below(hint), below(map)) << "the hint balloon is up";
    EXPECT_EQ(panels(hint), panels(map)) << "the held button did not recruit";
    EXPECT_EQ(panels(after), panels(map)) << "nor did lifting the pen";
    EXPECT_NE(panels(recruit), panels(map)) << "a tap opens the recruit panels";
}

}  // namespace

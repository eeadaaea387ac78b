// The program on a 480 x 640 (VGA) device, headless: it starts on its own
// skin and layout, a new game reaches the map screen, the battle trainer
// reaches the battle screen and the hall of fame opens, each at full screen
// size; without the pack of that size it refuses to start and says so.

#include <gtest/gtest.h>

#include <string>

#include "tests/app/program_rig.h"

namespace {

using namespace program_test;

class LargeScreenProgramTest : public ProgramRig {
protected:
    void SetUp() override
    {
        ProgramRig::SetUp();
        screen = "480x640";
    }
};

// Physical points on the 480 x 640 screen: the 240 x 320 layout's at twice
// the distance.
std::string TapAt(ScreenPoint at)
{
    return Tap(Scaled(at, 2));
}

// Pixels of a band that are grass green.
int GreenPixels(const Shot& s, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const uint8_t* p = s.At(x, y);
            if (p[1] > p[0] + 20 && p[1] > p[2] + 20)
                ++n;
        }
    return n;
}

TEST_F(LargeScreenProgramTest, TitleNewGameMapBattleAndHallOfFameFillTheScreen)
{
    ASSERT_EQ(Run("wait 500\nshot title.png\n" + TapAt(kMenuNewGame) + "wait 500\nshot setup.png\n" +
                  TapAt(kNewGameStart) + "wait 1000\n" + TapAt(kLordStart) + "wait 3000\nshot map.png\n"),
              0);
    EXPECT_EQ(ReadFile(folder / "stderr.txt"), "");
    const Shot title = Load("title.png"), setup = Load("setup.png"), map = Load("map.png");
    for (const Shot* s : {&title, &setup, &map}) {
        EXPECT_EQ(s->width, 480);
        EXPECT_EQ(s->height, 640);
    }
    // The menu's entries are drawn inside the plaque, at twice their size:
    // "New Game" is a band of gold text in the middle, none beside it.
    const int y = Scaled(kMenuNewGame, 2).y;
    EXPECT_GT(title.GoldPixels(130, y - 12, 350, y + 12), 300);
    EXPECT_EQ(title.GoldPixels(0, y - 12, 90, y + 12) + title.GoldPixels(390, y - 12, 479, y + 12), 0);
    EXPECT_NE(setup.Area(0, 0, 479, 639), title.Area(0, 0, 479, 639)) << "the set-up window opened";
    EXPECT_NE(map.Area(0, 0, 479, 639), setup.Area(0, 0, 479, 639)) << "the map screen came";
    EXPECT_NE(ReadFile(data / "zkvlog.sav").find("QRAPP: Creating new game window..."), std::string::npos);
    EXPECT_TRUE(fs::exists(data / "zkvsave00.sav")) << "the new game runs and was saved";

    ASSERT_EQ(Run("wait 500\n" + TapAt(kMenuBattle) + "wait 500\nshot trainer.png\n" + TapAt(kTrainerStart) +
                  "wait 3000\nshot battle.png\n"),
              0);
    const Shot trainer = Load("trainer.png"), battle = Load("battle.png");
    EXPECT_EQ(battle.width, 480);
    // The field's grass covers the upper left of the screen, where the set-up
    // window was.
    EXPECT_LT(GreenPixels(trainer, 0, 60, 240, 400), 1000);
    EXPECT_GT(GreenPixels(battle, 0, 60, 240, 400), 30000);

    ASSERT_EQ(Run("wait 500\nshot menu.png\n" + TapAt(kMenuHallOfFame) + "wait 500\nshot hall.png\n" +
                  TapAt(kHallOfFameBack) + "wait 500\nshot back.png\n"),
              0);
    const Shot menu = Load("menu.png"), hall = Load("hall.png"), back = Load("back.png");
    EXPECT_NE(hall.Area(0, 0, 479, 639), back.Area(0, 0, 479, 639));
    EXPECT_EQ(back.Area(96, 320, 383, 600), menu.Area(96, 320, 383, 600)) << "back on the title menu";
}

TEST_F(LargeScreenProgramTest, WithoutALayoutOfItsSizeTheProgramRefusesToStart)
{
    fs::remove(data / "skins480.pak");
    EXPECT_EQ(Run("wait 500\nshot title.png\n"), 1);
    EXPECT_FALSE(fs::exists(folder / "title.png"));
    EXPECT_NE(ReadFile(folder / "stderr.txt").find("No screen layout fits this device"), std::string::npos);
}

}  // namespace

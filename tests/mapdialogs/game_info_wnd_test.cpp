// The game info window: each text control's format filled from the running
// game, and the description window opened and closed from it.

#include "mapdialogs/game_info_wnd.h"

#include <gtest/gtest.h>

#include <string>

#include "game/game_world.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "players/human_controller.h"
#include "tests/support/windows/game_windows_rig.h"
#include "ui/markup_wnd.h"
#include "ui/paged_text_wnd.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

class GameInfoTest : public GameWindowsRig {
protected:
    void SetUp() override
    {
        GameWindowsRig::SetUp();
        ASSERT_TRUE(LoadMissionWorld(0, 0, m_world));
        for (int i = 0; i < 2; ++i)
            m_world.Player(i).controller = new CHumanController(&m_world.Player(i));
        m_world.Player(0).hero.experience = 340;
        m_world.currentPlayer = 0;
        RunningGameState& game = Game();
        game.world = &m_world;
        game.missionPath = Map::CSrenarionMgr::MissionPath(0, 0);
        game.turn = 12;
    }
    void TearDown() override
    {
        Game().world = nullptr;
        SetActiveWorld(nullptr);
        GameWindowsRig::TearDown();
    }
    static std::string Text(CWindow* w) { return w->Text().Chars(); }
    CGameWorld m_world;
};

TEST_F(GameInfoTest, TheTextsAreTheFormatsFilledFromTheGame)
{
    const struct {
        int32_t difficulty;
        const char* text;
    } cases[] = {
        {0, "Difficulty: Easy"}, {1, "Difficulty: Normal"}, {3, "Difficulty: Expert"}, {9, "Difficulty: "}};
    for (const auto& c : cases) {
        Game().difficulty = c.difficulty;
        CGameInfoWnd wnd(nullptr, CStr("/Map/MapWnd/GameInfoWnd"));
        EXPECT_EQ(Text(wnd.Difficulty()), c.text);
        EXPECT_EQ(Text(wnd.Mission()), "Reedwater");
        EXPECT_EQ(Text(wnd.Provinces()), "Provinces: 6");
        EXPECT_EQ(Text(wnd.Players()), "Players: 2") << "players with a controller";
        EXPECT_EQ(Text(wnd.HeroName()), "Hero Aldra");
        EXPECT_EQ(Text(wnd.HeroSkills()), "1/2/3");
        EXPECT_EQ(Text(wnd.HeroExperience()), "Exp 340");
        EXPECT_EQ(Text(wnd.Turn()), "no number here") << "a format without a placeholder shows as it stands";
    }
}

TEST_F(GameInfoTest, TheDescriptionOpensAndClosesWithoutChangingTheWindow)
{
    CGameInfoWnd wnd(nullptr, CStr("/Map/MapWnd/GameInfoWnd"));
    const std::string before = Text(wnd.Mission());
    bool sawText = false;
    Script({[&] { TapWindow(wnd.DescriptionButton()); },
            [&] {
                // Beside the window and in front of it, so nothing in front
                // of the window cuts it short.
                auto* text = dynamic_cast<CPagedTextWnd*>(wnd.GetParent()->GetFirstChild());
                ASSERT_NE(text, nullptr);
                sawText = std::string(text->TextWindow()->Text().Chars()).find("About Reedwater") !=
                          std::string::npos;
                TapWindow(text->CloseButton());
            },
            [&] {
                EXPECT_TRUE(wnd.IsVisible());
                TapWindow(wnd.CloseButton());
            }});
    RunModal(&wnd);
    EXPECT_TRUE(sawText);
    EXPECT_EQ(Text(wnd.Mission()), before);
}

}  // namespace
}  // namespace game_windows_test

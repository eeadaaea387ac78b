// A whole game of the smallest shipped mission played through the map
// window, headless, from the start to a winner. The computer plays every
// seat; the seat of the person is one the computer plays too, so the turn
// loop keeps running until the game is decided, and his battles are shown
// in the battle window, where he leaves them to automatic play.

#include <gtest/gtest.h>

#include "battle/battle_input.h"
#include "battlescreen/map_battle_wnd.h"
#include "game/controller_factory.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "mapdialogs/victory_wnd.h"
#include "players/ai_controller.h"
#include "tests/support/windows/map_window_rig.h"
#include "ui/window_mgr.h"

namespace mapwnd_test {
namespace {

CPlayerController* ComputerForEverySeat(PlayerRecord* player, bool)
{
    return new CAIController(player);
}

class MapGame : public MapWindowRig {};

TEST_F(MapGame, TheComputerPlaysTheSmallestMissionToAWinner)
{
    SetControllerFactory(&ComputerForEverySeat);
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(7));
    m_map->SetNewGameOptions(Options(1));
    std::vector<std::string> windows;
    int battleFrames = 0;
    int shots = 0;
    m_hook->frameLimit = 400000;
    bool endShot = false;
    int endFrames = 0;
    bool midShot = false;
    int32_t rounds = 0;
    int playersLeft = -1;
    m_hook->before = [&] {
        if (GameWorld()) {
            rounds = Game().turn;
            playersLeft = CountActivePlayers();
        }
        if (!endShot && CWindowMgr::CaptureCount() > 0) {
            auto* top = CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1);
            auto* composite = static_cast<CCompositeWnd*>(top->QueryInterface(IidCompositeWnd));
            // The screen is shot once it has been drawn.
            if (dynamic_cast<CVictoryWnd*>(composite) && ++endFrames == 3)
                endShot = Shot("end_of_game");
            if (endFrames > 0 && endFrames < 3)
                return;
        }
        if (GameWorld() && Game().turn == 3 && !midShot && m_map->Mode() == CMapWnd::kModeComputer)
            midShot = Shot("computer_turn");
        if (AnswerTopWindow(&windows))
            return;
        if (m_map->BattleWnd()) {
            ++battleFrames;
            if (battleFrames == 40 && shots++ == 0)
                Shot("battle");
            // The person lets the computer fight his side.
            BattleCommand(kCommandAutoPlay);
        }
        // A game that drags on past this is not going to end.
        if (GameWorld() && Game().turn > 150)
            SetLeaveRequested(1);
    };
    ASSERT_EQ(m_map->RunGame(0), 1);
    ASSERT_NE(GameWorld(), nullptr);
    RunModal(m_map->Window());

    // One player is left, after rounds of play.
    EXPECT_EQ(playersLeft, 1);
    EXPECT_GT(rounds, 2);
    EXPECT_LE(rounds, 150);
    EXPECT_TRUE(endShot);
    // The loop ended because the game was decided: its save is gone.
    EXPECT_EQ(GameWorld(), nullptr);
    EXPECT_FALSE(SlotFileExists(7));
    EXPECT_EQ(m_map->AutosaveFlag(), 0);
    EXPECT_LT(m_hook->frames, m_hook->frameLimit);
    // The person saw his custom-player window first and the end-of-game
    // screen last.
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.front(), "custom player");
    EXPECT_NE(std::find(windows.begin(), windows.end(), "end of game"), windows.end());
}

}  // namespace
}  // namespace mapwnd_test

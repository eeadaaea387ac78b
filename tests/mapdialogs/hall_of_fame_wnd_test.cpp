// The hall of fame window: rows of a mission's results and of free places,
// difficulty texts, the mission selector, the statistics of a result, and
// clearing a mission's results on the screen and on disk.

#include "mapdialogs/hall_of_fame_wnd.h"

#include <gtest/gtest.h>

#include <string>

#include "game/game_world.h"
#include "game/hall_of_fame.h"
#include "game/scenario_mgr.h"
#include "mapdialogs/game_statistics_wnd.h"
#include "tests/support/windows/game_windows_rig.h"
#include "ui/composite_wnd.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

template <typename T>
T* FindChild(CWindow* parent)
{
    for (CWindow* child = parent->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
        if (auto* found = dynamic_cast<T*>(child))
            return found;
    return nullptr;
}

class HallOfFameTest : public GameWindowsRig {
protected:
    void SetUp() override
    {
        GameWindowsRig::SetUp();
        FreeHallOfFame();
        // A score of 1000 less one point per turn, at every difficulty.
        for (ScoreWeights& block : HallOfFameConfig().blocks) {
            block = ScoreWeights();
            block.base = 1000;
            block.w[0] = 10;
        }
        HallOfFameConfig().placesPerMission = 4;
    }
    void TearDown() override
    {
        FreeHallOfFame();
        HallOfFameConfig() = GameConfig();
        GameWindowsRig::TearDown();
    }
    // Enters a result for the first player of a mission of scenario01.
    void Enter(int mission, const char* name, int32_t turns, int32_t difficulty)
    {
        CGameWorld world;
        ASSERT_TRUE(LoadMissionWorld(0, mission, world));
        world.Player(0).name = CStr(name);
        HallOfFameGame game;
        game.world = &world;
        game.missionPath = Map::CSrenarionMgr::MissionPath(0, mission);
        game.turn = turns;
        game.difficulty = difficulty;
        ASSERT_TRUE(AddToHallOfFame(world.Player(0), game));
        SetActiveWorld(nullptr);
    }
    static std::string Text(CWindow* w) { return w->Text().Chars(); }
};

TEST_F(HallOfFameTest, AMissionWithoutResultsShowsNumberedFreePlaces)
{
    CHallOfFameWnd wnd(nullptr, CStr("/Main/HallOfFameWnd"));
    wnd.Window()->Show(true, true);
    ASSERT_EQ(wnd.RowCount(), 4);
    for (int32_t r = 0; r < 4; ++r) {
        EXPECT_EQ(Text(wnd.RowAt(r).playerName), std::to_string(r + 1) + ". ---");
        EXPECT_FALSE(wnd.RowAt(r).details->IsVisible());
        EXPECT_FALSE(wnd.RowAt(r).score->IsVisible());
    }
    EXPECT_FALSE(wnd.ClearButton()->IsVisible());
    EXPECT_FALSE(wnd.PageScroller()->Window()->IsVisible()) << "one page only";
    EXPECT_EQ(std::string(wnd.MissionScroller()->ValueLabel()->Text().Chars()), "Reedwater");
}

TEST_F(HallOfFameTest, RowsShowTheResultsInScoreOrderThenFreePlaces)
{
    Enter(0, "Aldra", 10, 1);
    Enter(0, "Borun", 4, 3);
    Enter(1, "Elsewhere", 1, 0);
    CHallOfFameWnd wnd(nullptr, CStr("/Main/HallOfFameWnd"));
    wnd.Window()->Show(true, true);
    EXPECT_EQ(Text(wnd.RowAt(0).playerName), "1. Borun");
    EXPECT_EQ(Text(wnd.RowAt(0).mapName), "Expert");
    EXPECT_EQ(Text(wnd.RowAt(0).score), "Score 996");
    EXPECT_EQ(Text(wnd.RowAt(0).turns), "4 turns");
    EXPECT_EQ(Text(wnd.RowAt(1).playerName), "2. Aldra");
    EXPECT_EQ(Text(wnd.RowAt(1).mapName), "Normal");
    EXPECT_TRUE(wnd.RowAt(1).details->IsVisible());
    EXPECT_EQ(Text(wnd.RowAt(2).playerName), "3. ---");
    EXPECT_EQ(Text(wnd.RowAt(3).playerName), "4. ---");
    EXPECT_FALSE(wnd.RowAt(3).mapName->IsVisible());
    EXPECT_TRUE(wnd.ClearButton()->IsVisible());
    // Rows stand one below the other.
    EXPECT_GT(wnd.RowAt(1).playerName->WindowRect().Top(), wnd.RowAt(0).details->WindowRect().Bottom());
    Shot("hall_of_fame_rig");
}

TEST_F(HallOfFameTest, DifficultyTextsFollowTheTable)
{
    const struct {
        int32_t difficulty;
        const char* text;
    } cases[] = {{0, "Easy"}, {1, "Normal"}, {2, "Hard"}, {3, "Expert"}, {5, "Normal"}};
    for (const auto& c : cases) {
        FreeHallOfFame();
        Enter(0, "Aldra", 1, c.difficulty);
        CHallOfFameWnd wnd(nullptr, CStr("/Main/HallOfFameWnd"));
        wnd.Window()->Show(true, true);
        EXPECT_EQ(Text(wnd.RowAt(0).mapName), c.text) << c.difficulty;
    }
}

TEST_F(HallOfFameTest, TheStartMissionAndTheSelectorChooseTheTable)
{
    Enter(1, "Dagny", 3, 1);
    CHallOfFameWnd wnd(nullptr, CStr("/Main/HallOfFameWnd"));
    wnd.SetStartMission(1);
    wnd.Window()->Show(true, true);
    EXPECT_EQ(std::string(wnd.MissionScroller()->ValueLabel()->Text().Chars()), "Twin Fords");
    EXPECT_EQ(Text(wnd.RowAt(0).playerName), "1. Dagny");
    EXPECT_EQ(wnd.MissionScroller()->Max(), 3);
    wnd.MissionScroller()->SetValue(2, true, true);
    EXPECT_EQ(std::string(wnd.MissionScroller()->ValueLabel()->Text().Chars()), "Broken");
    EXPECT_EQ(Text(wnd.RowAt(0).playerName), "1. ---");
    EXPECT_FALSE(wnd.ClearButton()->IsVisible());
}

TEST_F(HallOfFameTest, ClearingAsksAndEmptiesTheTableOnDisk)
{
    Enter(0, "Aldra", 10, 1);
    Enter(1, "Dagny", 3, 1);
    CHallOfFameWnd wnd(nullptr, CStr("/Main/HallOfFameWnd"));
    Script({[&] { TapWindow(wnd.ClearButton()); },
            [&] { TapWindow(FindChild<CMessageWnd>(wnd.Window())->CancelButton()); },
            [&] {
                EXPECT_EQ(HallOfFameCount(wnd.MissionPath()), 1) << "cancelled: untouched";
                EXPECT_TRUE(wnd.ClearButton()->IsVisible());
                TapWindow(wnd.ClearButton());
            },
            [&] { TapWindow(FindChild<CMessageWnd>(wnd.Window())->OkButton()); },
            [&] {
                EXPECT_FALSE(wnd.ClearButton()->IsVisible());
                EXPECT_EQ(Text(wnd.RowAt(0).playerName), "1. ---");
                TapWindow(wnd.ReturnButton());
            }});
    RunModal(wnd.Window());
    FreeHallOfFame();
    ASSERT_TRUE(LoadHallOfFameFile());
    EXPECT_EQ(HallOfFameCount(Map::CSrenarionMgr::MissionPath(0, 0)), 0) << "the file no longer holds them";
    EXPECT_EQ(HallOfFameCount(Map::CSrenarionMgr::MissionPath(0, 1)), 1) << "other missions keep theirs";
}

TEST_F(HallOfFameTest, DetailsShowTheStatisticsOfTheRowsResult)
{
    Enter(0, "Aldra", 10, 1);
    Enter(0, "Borun", 30, 2);
    CHallOfFameWnd wnd(nullptr, CStr("/Main/HallOfFameWnd"));
    bool sawStatistics = false;
    Script({[&] { TapWindow(wnd.RowAt(1).details); },
            [&] {
                CGameStatisticsWnd* statistics = nullptr;
                for (CWindow* child = wnd.Window()->GetFirstChild(); child; child = child->GetNextSibling()) {
                    auto* composite = static_cast<CCompositeWnd*>(child->QueryInterface(IidCompositeWnd));
                    if (auto* found = dynamic_cast<CGameStatisticsWnd*>(composite))
                        statistics = found;
                }
                ASSERT_NE(statistics, nullptr);
                sawStatistics = true;
                EXPECT_EQ(Text(statistics->Pages().turns), "Turns: 30") << "the second row's result";
                EXPECT_EQ(Text(statistics->Pages().difficulty), "Difficulty: Hard");
                EXPECT_TRUE(statistics->ExitButton()->IsVisible());
                Shot("statistics_rig");
                TapWindow(statistics->ExitButton());
            },
            [&] { TapWindow(wnd.ReturnButton()); }});
    RunModal(wnd.Window());
    EXPECT_TRUE(sawStatistics);
}

}  // namespace
}  // namespace game_windows_test

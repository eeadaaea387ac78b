// The map window's answers to the map and its keys: the double tap acted on
// later, the action button's delayed command, the menu key, and the notice
// of a player who lost.

#include <gtest/gtest.h>

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "game/ui_request.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/game_menu.h"
#include "mapscreen/map_frame.h"
#include "players/request_records.h"
#include "tests/support/windows/map_window_rig.h"
#include "ui/button.h"
#include "ui/message_wnd.h"
#include "ui/window_mgr.h"

namespace mapwnd_test {
namespace {

class MapEvents : public MapWindowRig {
protected:
    void SetUp() override
    {
        MapWindowRig::SetUp();
        if (HasFatalFailure())
            return;
        MakeMap();
        ShowMapWithoutGame();
    }
    void NewGame(uint8_t humans)
    {
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
        NewGameSettings settings;
        settings.humans = humans;
        ApplyNewGameSettings(settings);
        Game().world->currentPlayer = 0;
    }
    // Two provinces other than the selected one.
    void TwoOthers(int16_t& a, int16_t& b)
    {
        a = b = -1;
        for (int i = 0; i < GameWorld()->ProvinceCount(); ++i) {
            if (i == Game().selectedProvince)
                continue;
            if (a < 0)
                a = int16_t(i);
            else if (b < 0)
                b = int16_t(i);
        }
    }
    void Frames(int n)
    {
        for (int i = 0; i < n; ++i)
            FrameStep();
    }
};

TEST_F(MapEvents, ADoubleTapActsLaterOnTheProvinceItWasMadeOn)
{
    NewGame(1);
    ASSERT_TRUE(CurrentPlayer()->IsHuman());
    int16_t first = -1, second = -1;
    TwoOthers(first, second);
    ASSERT_GE(second, 0);
    struct Case {
        uint32_t mode;
        bool acts;
    };
    for (const Case& c : {Case{CMapWnd::kModeMap, true}, Case{CMapWnd::kModeComputer, false}}) {
        m_map->SetMode(c.mode, false);
        SelectProvince(CurrentPlayer()->capital, 0);
        const uint8_t before = Game().selectedProvince;
        m_map->OnProvinceDoubleTap(first);
        EXPECT_EQ(m_map->PendingProvince(), first);
        // Nothing happens at once, and touching elsewhere meanwhile does not
        // change what the double tap acts on.
        EXPECT_EQ(Game().selectedProvince, before);
        m_map->OnProvinceDrag(second);
        Frames(3);
        EXPECT_EQ(Game().selectedProvince, c.acts ? uint8_t(first) : before) << "mode " << c.mode;
    }
}

TEST_F(MapEvents, ThePenDownSelectsThroughTheCurrentController)
{
    NewGame(1);
    int16_t first = -1, second = -1;
    TwoOthers(first, second);
    for (const uint32_t mode : {uint32_t(CMapWnd::kModeMap), uint32_t(CMapWnd::kModeComputer)}) {
        m_map->SetMode(mode, false);
        m_map->OnProvincePenDown(first);
        EXPECT_EQ(Game().selectedProvince, uint8_t(first));
        m_map->OnProvincePenDown(second);
        EXPECT_EQ(Game().selectedProvince, uint8_t(second));
    }
    // The pen up does nothing in any mode: the window takes none.
    m_map->SetMode(CMapWnd::kModeMap, false);
    ASSERT_NE(m_map->MapFrame(), nullptr);
    EXPECT_FALSE(m_map->MapFrame()->onProvincePenUp);
    EXPECT_EQ(Game().selectedProvince, uint8_t(second));
}

TEST_F(MapEvents, TheMenuKeyIsIgnoredWhileTheCastlePanelIsOpenAndOpensTheMenuOtherwise)
{
    NewGame(1);
    int menus = 0;
    m_hook->before = [&] {
        if (m_map->GameMenu() && m_map->GameMenu()->IsVisible()) {
            ++menus;
            // A second press of the key closes the menu.
            SpareButtonSignal.FireKey(0);
        }
    };
    SpareButtonSignal.FireKey(0);
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(m_map->GameMenu()->IsVisible());
    EXPECT_FALSE(m_map->IsMapFrameHeld());

    CGameWorld* world = GameWorld();
    ProvinceRecord* capital = &world->Province(CurrentPlayer()->capital);
    CastleInfoRequestArgs request;
    request.province = capital;
    request.index = capital->index;
    PostUiRequest(request);
    ASSERT_TRUE(m_map->Dialogs().CastleInfo() && m_map->Dialogs().CastleInfo()->IsVisible());
    SpareButtonSignal.FireKey(0);
    EXPECT_EQ(menus, 1);
}

TEST_F(MapEvents, ALostPersonIsToldOnlyWhileAnotherPersonPlaysOn)
{
    NewGame(2);
    CGameWorld* world = GameWorld();
    ASSERT_GE(world->PlayerCount(), 2);
    PlayerRecord* first = &world->Player(0);
    PlayerRecord* second = &world->Player(1);
    ASSERT_TRUE(first->IsHuman());
    ASSERT_TRUE(second->IsHuman());
    struct Seen {
        int boxes = 0;
        CStr title;
        std::vector<std::string> windows;
    } seen;
    m_hook->before = [&] {
        const int32_t n = CWindowMgr::CaptureCount();
        if (n == 0)
            return;
        auto* box = dynamic_cast<CMessageWnd*>(CWindowMgr::CaptureAt(n - 1));
        if (box && box->IsVisible()) {
            ++seen.boxes;
            seen.title = box->Text();
        }
        AnswerTopWindow(&seen.windows);
    };
    // Two people with controllers: the loser is told.
    m_map->OnGameOver(0, first);
    EXPECT_EQ(seen.boxes, 1);
    CStr expected;
    expected.Format("Player %ld", long(ActiveHumanOrdinal(first)));
    EXPECT_STREQ(seen.title.Chars(), expected.Chars());
    // The screen is built again after the end-of-game windows.
    EXPECT_NE(m_map->PanelControls().mapTop, nullptr);
    EXPECT_NE(m_map->MapFrame(), nullptr);
    EXPECT_FALSE(m_map->IsMapFrameHeld());
    ExpectScreenOfItsMode("after the end-of-game windows");

    // A lone person left with his controller gone: told too; a computer
    // player's defeat never is.
    second->DeleteController();
    seen.boxes = 0;
    m_map->OnGameOver(0, second);
    EXPECT_EQ(seen.boxes, 1);
    seen.boxes = 0;
    second->SetHuman(0);
    m_map->OnGameOver(0, second);
    EXPECT_EQ(seen.boxes, 0);
}

}  // namespace
}  // namespace mapwnd_test

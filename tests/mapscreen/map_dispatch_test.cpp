// The dispatcher of the game's dialog requests and the quick battle: which
// window each request opens, the map hold while it is open, and the notice
// of a battle fought without the screen.

#include <gtest/gtest.h>

#include "battle/battle_input.h"
#include "game/battle_seam.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "game/ui_request.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/report_wnd.h"
#include "players/request_records.h"
#include "tests/rigs/map_window_rig.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/window_mgr.h"

namespace mapwnd_test {
namespace {

class MapDispatch : public MapWindowRig {
protected:
    void SetUp() override
    {
        MapWindowRig::SetUp();
        if (HasFatalFailure())
            return;
        MakeMap();
        ShowMapWithoutGame();
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
        NewGameSettings settings;
        settings.humans = 1;
        ApplyNewGameSettings(settings);
    }

    // What the script saw of the window above the map in one request.
    struct Seen {
        std::string kind;  // "report", "message", "" none
        bool held = false;
        uint32_t mode = 0;
    };

    // Closes the window holding the pen above the map, noting what it was.
    void WatchAndClose(Seen& seen)
    {
        m_hook->before = [this, &seen] {
            const int32_t n = CWindowMgr::CaptureCount();
            if (n == 0)
                return;
            CWindow* top = CWindowMgr::CaptureAt(n - 1);
            if (top == m_map->Window() || !top->IsVisible())
                return;
            seen.held = m_map->IsMapFrameHeld();
            if (auto* report = dynamic_cast<CReportWnd*>(top)) {
                seen.kind = "report";
                Tap(report->OkButton());
            } else if (auto* box = dynamic_cast<CMessageWnd*>(top)) {
                seen.kind = "message";
                seen.mode = box->Mode();
                if (box->OkButton() && box->OkButton()->IsVisible())
                    Tap(box->OkButton());
                else
                    Tap(box->TextWindow());
            }
        };
    }
};

TEST_F(MapDispatch, EachRequestOpensItsWindowWithTheMapHeld)
{
    PlayerRecord* person = &GameWorld()->Player(0);
    ASSERT_TRUE(person->IsHuman());
    CPlayerController* controller = person->controller;
    ReportRequestArgs emptyReport;
    emptyReport.controller = controller;
    PlayerTurnNotice notice;
    notice.player = person;
    PlayerTurnNotice hotSeat;
    hotSeat.hotSeat = 1;
    hotSeat.player = person;
    MessageRequest question;
    question.title = CStr("QuitGameT");
    question.text = CStr("Leave?");
    question.buttonMode = kMessageOkCancel;
    struct Case {
        const char* name;
        UiRequestKind kind;
        void* record;
        const char* window;
        uint32_t mode;
    };
    const Case cases[] = {
        {"empty report", UiRequestKind::Report, &emptyReport, "", 0},
        {"turn notice", UiRequestKind::PlayerTurnNotice, &notice, "message", MessageTapToClose},
        {"hot-seat notice", UiRequestKind::PlayerTurnNotice, &hotSeat, "message", MessageOk},
        {"message", UiRequestKind::Message, &question, "message", MessageQuestion},
    };
    m_hook->frameLimit = 3000;
    for (const Case& c : cases) {
        Seen seen;
        WatchAndClose(seen);
        m_map->UnlockMapFrame();
        PostUiRequest(c.kind, c.record);
        EXPECT_EQ(seen.kind, c.window) << c.name;
        if (!seen.kind.empty()) {
            EXPECT_TRUE(seen.held) << c.name;
            EXPECT_EQ(seen.mode, c.mode) << c.name;
        }
        EXPECT_FALSE(m_map->IsMapFrameHeld()) << c.name;
    }
    // The question's answer comes back in its record.
    EXPECT_EQ(question.result, uint32_t(kMessageAnswerOk));
}

TEST_F(MapDispatch, CastleInformationStaysOpenAndHoldsTheMapUntilItHides)
{
    CGameWorld* world = GameWorld();
    ProvinceRecord* castle = nullptr;
    for (int i = 0; i < world->ProvinceCount() && !castle; ++i)
        if (world->Province(i).owner == &world->Player(0) && world->Province(i).HasCastle())
            castle = &world->Province(i);
    ASSERT_NE(castle, nullptr);
    CastleInfoRequestArgs request;
    request.province = castle;
    request.index = castle->index;
    request.castle = &castle->castle;
    m_map->UnlockMapFrame();
    PostUiRequest(UiRequestKind::CastleInfo, &request);
    CCastleInfoWnd* info = m_map->CastleInfoWnd();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->IsVisible());
    EXPECT_TRUE(m_map->IsMapFrameHeld());
    EXPECT_EQ(CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1), info);

    // The next request reuses the window and the map stays held until the
    // window hides.
    PostUiRequest(UiRequestKind::CastleInfo, &request);
    EXPECT_EQ(m_map->CastleInfoWnd(), info);
    EXPECT_TRUE(m_map->IsMapFrameHeld());
    info->Show(false, false);
    EXPECT_FALSE(m_map->IsMapFrameHeld());
}

TEST_F(MapDispatch, AQuickBattleShowsItsNoticeOnlyWhenAPersonFights)
{
    // A mission of three players or more.
    CGameWorld* world = nullptr;
    for (int m = 0; m < Map::CSrenarionMgr::TotalMissions(); ++m) {
        int scenario = 0, mission = 0;
        ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(m, &scenario, &mission));
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(scenario, mission)));
        if (GameWorld()->PlayerCount() >= 3)
            break;
    }
    NewGameSettings settings;
    settings.humans = 1;
    ApplyNewGameSettings(settings);
    world = GameWorld();
    ASSERT_GE(world->PlayerCount(), 3);
    PlayerRecord* person = &world->Player(0);
    PlayerRecord* first = &world->Player(1);
    PlayerRecord* second = &world->Player(2);
    ASSERT_TRUE(person->IsHuman());
    ASSERT_FALSE(first->IsHuman());
    struct Case {
        PlayerRecord* attacker;
        PlayerRecord* defender;
        bool notice;
    };
    for (const Case& c : {Case{person, first, true}, Case{first, person, true}, Case{first, second, false}}) {
        bool seen = false;
        m_hook->before = [&] {
            for (CWindow* w = m_map->Window()->GetFirstChild(); w; w = w->GetNextSibling()) {
                auto* box = dynamic_cast<CMessageWnd*>(w);
                if (box && box->IsVisible() && box->Mode() == MessageNoButtons)
                    seen = true;
            }
        };
        MapBattleRecord record;
        record.automatic = 1;
        record.attacker = c.attacker;
        record.defender = c.defender;
        record.attackerMode = kSideAutomatic;
        record.defenderMode = kSideAutomatic;
        record.openField = &world->Province(c.defender->capital);
        BattleResult = kBattleNoResult;
        m_map->UnlockMapFrame();
        SigMapBattle.Fire(&record, 1);
        EXPECT_EQ(seen, c.notice) << c.attacker->name.Chars() << " against " << c.defender->name.Chars();
        EXPECT_NE(BattleResult, uint32_t(kBattleNoResult));
        EXPECT_FALSE(m_map->IsMapFrameHeld());
        // The notice is gone once the battle is over.
        for (CWindow* w = m_map->Window()->GetFirstChild(); w; w = w->GetNextSibling())
            EXPECT_EQ(dynamic_cast<CMessageWnd*>(w), nullptr);
    }
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

TEST_F(MapDispatch, AWatchedBattleTakesTheMapDownAndBuildsItAgainInComputerTurnMode)
{
    CGameWorld* world = GameWorld();
    PlayerRecord* attacker = &world->Player(0);
    PlayerRecord* defender = &world->Player(1);
    m_map->SetMode(CMapWnd::kModeMap, false);
    struct Case {
        const char* name;
        bool stop;
    };
    for (const Case& c : {Case{"stopped from the battle menu", true}, Case{"fought to the end", false}}) {
        SetLeaveRequested(0);
        int battleFrames = 0;
        bool mapGone = false;
        bool shot = false;
        m_hook->before = [&] {
            if (!m_map->BattleWnd())
                return;
            ++battleFrames;
            mapGone = m_map->MapFrame() == nullptr && m_map->PanelControls().mapTop == nullptr;
            if (battleFrames == 30 && !shot)
                shot = Shot("battle_window");
            BattleCommand(c.stop && battleFrames == 20 ? kCommandStop : kCommandAutoPlay);
        };
        MapBattleRecord record;
        record.attacker = attacker;
        record.defender = defender;
        record.attackerMode = kSideComputer;
        record.defenderMode = kSideComputer;
        record.openField = &world->Province(defender->capital);
        BattleResult = kBattleNoResult;
        m_map->UnlockMapFrame();
        CWindowMgr::Root()->Show(true, false);
        SigMapBattle.Fire(&record, 0);
        m_hook->before = nullptr;
        EXPECT_GT(battleFrames, 0) << c.name;
        EXPECT_TRUE(mapGone) << c.name;
        EXPECT_EQ(m_map->BattleWnd(), nullptr);
        EXPECT_NE(m_map->MapFrame(), nullptr) << c.name;
        EXPECT_NE(m_map->PanelControls().aiInfo, nullptr) << c.name;
        EXPECT_EQ(m_map->Mode(), CMapWnd::kModeComputer) << c.name;
        EXPECT_TRUE(m_map->PanelControls().aiInfo->IsVisible()) << c.name;
        // A stopped battle ends the game without the next autosave.
        EXPECT_EQ(BattleResult == kBattleStopped, c.stop) << c.name;
        EXPECT_EQ(LeaveRequested(), c.stop) << c.name;
        if (c.stop) {
            EXPECT_EQ(m_map->AutosaveFlag(), 0);
        }
        // After a stop nothing is drawn until the turn loop unwinds: the root
        // window is hidden and the map stays held.
        EXPECT_EQ(CWindowMgr::Root()->IsVisible(), !c.stop) << c.name;
        EXPECT_EQ(m_map->IsMapFrameHeld(), c.stop) << c.name;
        m_map->SetMode(CMapWnd::kModeMap, false);
    }
    SetLeaveRequested(0);
}

}  // namespace
}  // namespace mapwnd_test

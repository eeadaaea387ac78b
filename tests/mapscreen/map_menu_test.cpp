// The in-game menu of the map window: the report item follows the current
// player's reports, and the items that end the game ask first and then end
// it with or without its save.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/preferences.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "mapdialogs/game_menu.h"
#include "tests/support/windows/map_window_rig.h"
#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/label.h"
#include "ui/message_wnd.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

namespace mapwnd_test {
namespace {

class MapMenu : public MapWindowRig {
protected:
    void SetUp() override
    {
        MapWindowRig::SetUp();
        if (HasFatalFailure())
            return;
        FreshGame();
    }
    // A new map window on a new game of the first mission, in map mode.
    void FreshGame()
    {
        delete m_map;
        MakeMap();
        ShowMapWithoutGame();
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
        NewGameSettings settings;
        settings.humans = 1;
        ApplyNewGameSettings(settings);
        Game().world->currentPlayer = 0;
        m_map->SetMode(CMapWnd::kModeMap, false);
    }

    // Opens the menu with its icon; in the menu the script taps the item of
    // that id (0: taps nothing and closes it with the menu key), and answers
    // the question that follows with "Ok" or "Cancel".
    void ChooseFromMenu(uint16_t id, bool confirm, bool* reportEnabled = nullptr,
                        std::vector<std::string>* told = nullptr)
    {
        m_hook->before = [=, this] {
            CGameMenu* menu = m_map->GameMenu();
            if (menu->IsVisible()) {
                if (reportEnabled)
                    *reportEnabled = menu->FindItem(2)->IsEnabled();
                if (id == 0)
                    SpareButtonSignal.FireKey(0);
                else
                    Tap(menu->FindItem(id));
                return;
            }
            const int32_t n = CWindowMgr::CaptureCount();
            auto* box = n > 0 ? dynamic_cast<CMessageWnd*>(CWindowMgr::CaptureAt(n - 1)) : nullptr;
            if (box && box->IsVisible()) {
                if (told)
                    told->push_back(TopMessageText());
                Tap(confirm ? box->OkButton() : box->CancelButton());
            }
        };
        Tap(m_map->PanelControls().mapTopMenu);
        CWindowMgr::ProcessEvents();
        m_hook->before = nullptr;
    }
};

TEST_F(MapMenu, TheReportItemNeedsAReportAfterTheFirstTurn)
{
    CPlayerController* controller = CurrentController();
    struct Case {
        int32_t turn;
        bool report;
        bool enabled;
    };
    for (const Case& c : {Case{0, true, false}, Case{3, false, false}, Case{3, true, true}}) {
        Game().turn = c.turn;
        controller->Reports().Clear();
        if (c.report)
            controller->Reports().AddPlain(1, CStr("The harvest was good."));
        bool enabled = !c.enabled;
        ChooseFromMenu(0, false, &enabled);
        EXPECT_EQ(enabled, c.enabled) << "turn " << c.turn << " report " << c.report;
        EXPECT_FALSE(m_map->GameMenu()->IsVisible());
        EXPECT_FALSE(m_map->IsMapFrameHeld());
    }
}

TEST_F(MapMenu, EndingTheGameForgetsItsSaveQuittingToTheMenuKeepsIt)
{
    struct Case {
        const char* name;
        uint16_t id;
        bool confirm;
        bool leaves;
        bool saveKept;
        bool quits;
    };
    const Case cases[] = {
        {"end game, cancelled", 8, false, false, true, false},
        {"end game", 8, true, true, false, false},
        {"quit to the menu", 9, true, true, true, false},
        {"quit to the menu, cancelled", 9, false, false, true, false},
        {"exit the program", 10, true, false, true, true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SaveSlots::Select(2));
        SigAutosave.Fire();
        ASSERT_TRUE(SlotFileExists(2));
        SetLeaveRequested(0);
        QuitFlag = 0;
        ChooseFromMenu(c.id, c.confirm);
        EXPECT_EQ(LeaveRequested(), c.leaves) << c.name;
        EXPECT_EQ(SlotFileExists(2), c.saveKept) << c.name;
        EXPECT_EQ(QuitFlag != 0, c.quits) << c.name;
        QuitFlag = 0;
        SetLeaveRequested(0);
        SaveSlots::Delete(2);
        FreshGame();
    }
}

// A full disk when the person leaves: he is told his game was not saved and
// stays in it, so that he can free some space and leave again.
TEST_F(MapMenu, LeavingAGameThatCannotBeSavedSaysSoAndStaysInIt)
{
    for (const uint16_t id : {9, 10}) {
        SCOPED_TRACE(id == 9 ? "save and quit" : "exit the program");
        ASSERT_TRUE(SaveSlots::Select(2));
        m_headless->RefuseFileWrites(true);
        std::vector<std::string> told;
        ChooseFromMenu(id, true, nullptr, &told);
        EXPECT_FALSE(LeaveRequested());
        EXPECT_EQ(QuitFlag, 0);
        EXPECT_FALSE(SlotFileExists(2));
        ASSERT_EQ(told.size(), 2u) << "the question, then what was not saved";
        EXPECT_NE(told[1].find("could not be saved in slot 3"), std::string::npos) << told[1];

        m_headless->RefuseFileWrites(false);
        told.clear();
        ChooseFromMenu(id, true, nullptr, &told);
        EXPECT_EQ(told.size(), 1u) << "only the question";
        EXPECT_TRUE(SlotFileExists(2)) << "saved as he leaves";
        EXPECT_TRUE(LeaveRequested() || QuitFlag != 0);
        QuitFlag = 0;
        SetLeaveRequested(0);
        SaveSlots::Delete(2);
        FreshGame();
    }
}

// The end-of-game keys ask the menu's End game question in the same box;
// only "Ok" ends the game and takes its save.
TEST_F(MapMenu, TheEndOfGameKeysAskTheMenusQuestionFirst)
{
    struct Question {
        std::string title, text;
        uint32_t mode = 0;
    };
    // Answers the question on top with Ok or Cancel and notes what it asked;
    // any other window (the end-of-game screens after Ok) is closed.
    auto answer = [this](bool confirm, std::vector<Question>& asked) {
        m_hook->before = [this, confirm, &asked] {
            const int32_t n = CWindowMgr::CaptureCount();
            CWindow* top = n > 0 ? CWindowMgr::CaptureAt(n - 1) : nullptr;
            auto* box = dynamic_cast<CMessageWnd*>(top);
            if (box && box->IsVisible() && box->Mode() == MessageQuestion) {
                asked.push_back({box->Text().Chars(), box->TextWindow()->Text().Chars(), box->Mode()});
                Tap(confirm ? box->OkButton() : box->CancelButton());
                return;
            }
            AnswerTopWindow();
        };
    };
    std::vector<Question> fromMenu;
    Tap(m_map->PanelControls().mapTopMenu);
    m_hook->before = [&, this] {
        if (m_map->GameMenu()->IsVisible()) {
            Tap(m_map->GameMenu()->FindItem(8));
            return;
        }
        const int32_t n = CWindowMgr::CaptureCount();
        auto* box = n > 0 ? dynamic_cast<CMessageWnd*>(CWindowMgr::CaptureAt(n - 1)) : nullptr;
        if (box && box->IsVisible()) {
            fromMenu.push_back({box->Text().Chars(), box->TextWindow()->Text().Chars(), box->Mode()});
            Tap(box->CancelButton());
        }
    };
    CWindowMgr::ProcessEvents();
    m_hook->before = nullptr;
    ASSERT_EQ(fromMenu.size(), 1u);
    ASSERT_FALSE(fromMenu[0].text.empty());

    for (const uint16_t key : {uint16_t('F'), uint16_t('f')}) {
        for (const bool confirm : {false, true}) {
            const std::string name = std::string(1, char(key)) + (confirm ? " confirmed" : " cancelled");
            FreshGame();
            ASSERT_TRUE(SaveSlots::Select(2));
            SigAutosave.Fire();
            ASSERT_TRUE(SlotFileExists(2));
            SetLeaveRequested(0);
            std::vector<Question> asked;
            answer(confirm, asked);
            m_map->Window()->OnChar(key);
            m_hook->before = nullptr;
            ASSERT_EQ(asked.size(), 1u) << name;
            EXPECT_EQ(asked[0].title, fromMenu[0].title) << name;
            EXPECT_EQ(asked[0].text, fromMenu[0].text) << name;
            EXPECT_EQ(asked[0].mode, fromMenu[0].mode) << name;
            EXPECT_EQ(LeaveRequested(), confirm) << name;
            EXPECT_EQ(SlotFileExists(2), !confirm) << name;
            if (!confirm) {
                EXPECT_EQ(m_map->Mode(), uint32_t(CMapWnd::kModeMap)) << name;
                EXPECT_FALSE(m_map->IsMapFrameHeld()) << name;
            }
            SetLeaveRequested(0);
            SaveSlots::Delete(2);
        }
    }
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

TEST_F(MapMenu, WindowItemsOpenTheirWindowOverTheMap)
{
    struct Case {
        uint16_t id;
        const char* layout;
    };
    for (const Case& c : {Case{6, "GameInfoWnd"}, Case{7, "MapPrefsWnd"}, Case{20, "GamePrefsWnd"}}) {
        CStr seen;
        bool held = false;
        m_hook->before = [&] {
            CGameMenu* menu = m_map->GameMenu();
            if (menu->IsVisible()) {
                Tap(menu->FindItem(c.id));
                return;
            }
            const int32_t n = CWindowMgr::CaptureCount();
            CWindow* top = n > 0 ? CWindowMgr::CaptureAt(n - 1) : nullptr;
            auto* frame = dynamic_cast<CFrameWnd*>(top);
            if (!frame || !frame->IsVisible() || frame == static_cast<CWindow*>(menu))
                return;
            seen = frame->Link().Path();
            held = m_map->IsMapFrameHeld();
            EndModal(frame);
        };
        Tap(m_map->PanelControls().mapTopMenu);
        CWindowMgr::ProcessEvents();
        m_hook->before = nullptr;
        EXPECT_STREQ(seen.Chars(), (std::string("/Map/MapWnd/") + c.layout).c_str());
        EXPECT_TRUE(held);
        EXPECT_FALSE(m_map->IsMapFrameHeld());
    }
}

}  // namespace
}  // namespace mapwnd_test

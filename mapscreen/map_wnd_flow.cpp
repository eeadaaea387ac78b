// The game hosted by the map window: starting a new or saved game, the turn
// loop inside the show handler, autosave, the in-game menu's commands, the
// end-of-game keys and the hide handler that ends the session.

#include "core/core_main.h"
#include "core/log.h"
#include "core/preferences.h"
#include "core/ui_mgr.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "game/ui_request.h"
#include "mapscreen/map_wnd.h"
#include "mapscreen/map_wnd_parts.h"
#include "ui/window_mgr.h"

void CMapWnd::SetNewGameOptions(const NewGameOptions& options)
{
    m_options.scenario = options.scenario;
    m_options.mission = options.mission;
    m_options.difficulty = options.difficulty;
    m_options.playMode = options.playMode;
    m_options.humans = options.humans;
}

CStr CMapWnd::CurrentSaveName() const
{
    return GameSaveSlot::FileName();
}

void CMapWnd::ForgetSave()
{
    m_save.Forget();
}

void CMapWnd::DeleteFinishedGameSave()
{
    m_save.DeleteIfFinished();
}

uint8_t CMapWnd::RunGame(uint8_t resume)
{
    SessionInit(int32_t(m_options.playMode));
    m_loaded = 0;
    if (resume) {
        if (!LoadSavedGame(CurrentSaveName())) {
            GameFlowWindows::ShowStartFailure("LoadFailT", "LoadFailM");
            EndSession();
            return 0;
        }
        // A game in which nobody is human would play itself out unseen and
        // then delete its file: it is refused and the file stays.
        if (CountHumanPlayers() == 0) {
            LogWrite(CStr("MAIN: saved game has no human player"));
            GameFlowWindows::ShowStartFailure("LoadFailT", "LoadNoHumanM");
            EndSession();
            return 0;
        }
        m_frameSteps.LoadMapBlocks(Game().missionPath);
        m_loaded = 1;
    } else {
        const CStr path = Map::CSrenarionMgr::MissionPath(m_options.scenario, m_options.mission);
        m_frameSteps.LoadMapBlocks(path);
        // A mission that does not load leaves a world without players, whose
        // turn loop would never end: the game is refused instead.
        if (!NewGameFromMission(path)) {
            GameFlowWindows::ShowStartFailure("MissionFailT", "MissionFailM");
            EndSession();
            return 0;
        }
        NewGameSettings settings;
        settings.difficulty = int32_t(m_options.difficulty);
        settings.humans = m_options.humans;
        ApplyNewGameSettings(settings);
        StartGame();
    }
    if (IsStopRequested() || GameStopRequested()) {
        m_save.StopSaving();
        if (CWindow* root = CWindowMgr::Root())
            root->Show(false, false);
    }
    return 1;
}

void CMapWnd::OnShow()
{
    CCompositeWnd::OnShow();
    // Showing the window again while its game runs must not start a second
    // turn loop inside the first.
    if (m_inTurnLoop)
        return;
    SetMode(kModeComputer, false);
    m_frameSteps.SetPaletteActive(true);
    m_frameSteps.Show(true);
    if (!m_loaded) {
        m_window->Invalidate();
        PrefNewGame[0] = int16_t(m_options.scenario);
        PrefNewGame[1] = int16_t(m_options.mission);
    }
    m_inTurnLoop = true;
    if (m_loaded)
        ResumeTurnLoop();
    else
        RunTurnLoop();
    m_inTurnLoop = false;
    LockMapFrame();
    DeleteFinishedGameSave();
    EndModal(m_window);
}

void CMapWnd::OnHide()
{
    CCompositeWnd::OnHide();
    if (CWindow* root = CWindowMgr::Root(); root && root->IsVisible())
        root->Show(false, false);
    LockMapFrame();
    m_frameSteps.Show(false);
    EndSession();
    m_frameSteps.ReleaseMapBlocks();
    m_frameSteps.SetPaletteActive(false);
}

void CMapWnd::Autosave()
{
    m_save.Autosave();
}

void CMapWnd::OnPumpUi()
{
    FrameStep();
}

void CMapWnd::OnChar(uint16_t code)
{
    if (code != 'F' && code != 'f')
        return;
    // A stray key must not throw a game away: it asks what the menu's End
    // game asks.
    const bool wasHeld = IsMapFrameHeld();
    LockMapFrame();
    const bool confirmed = m_flowWindows.AskQuestion("EndGameT", "EndGameM") == kMessageAnswerOk;
    if (!wasHeld)
        UnlockMapFrame();
    if (!confirmed)
        return;
    OnGameOver(code == 'F' ? 1 : 0, CurrentPlayer());
    // The game is over for good: it leaves the turn loop and cannot be
    // resumed, unless its save is all that holds its result.
    if (Game().resultUnwritten)
        m_save.StopSaving();
    else
        ForgetSave();
    SetLeaveRequested(1);
}

void CMapWnd::OnMenu()
{
    const bool wasHeld = IsMapFrameHeld();
    LockMapFrame();
    const CPlayerController* controller = CurrentController();
    const bool reports = Game().turn != 0 && controller && controller->Reports().Count() > 0;
    const uint16_t result = m_menu.Run(reports);
    // A menu closed without a choice (the menu key, a quit) answers below the
    // item range.
    if (result >= 0x8000 && result != 0xFFFF) {
        const uint32_t id = result - 0x8000u;
        switch (id) {
        case 6:
        case 7:
        case 20:
            m_menu.RunItemWindow(id);
            break;
        case 8:
            if (m_flowWindows.AskQuestion("EndGameT", "EndGameM") == kMessageAnswerOk) {
                ForgetSave();
                MapGameCommand(8);
            }
            break;
        case 9:
            if (m_flowWindows.AskQuestion("QuitGameT", "QuitGameM") == kMessageAnswerOk &&
                m_save.SavedBeforeLeaving())
                MapGameCommand(9);
            break;
        case 10:
            if (m_flowWindows.AskQuestion("QuitGameT", "QuitGameM") == kMessageAnswerOk &&
                m_save.SavedBeforeLeaving())
                RequestQuit();
            break;
        default:
            MapGameCommand(id);
            break;
        }
    }
    if (!wasHeld)
        UnlockMapFrame();
}

void CMapWnd::OnGameOver(uint8_t victory, PlayerRecord* player)
{
    if (!player)
        return;
    LockMapFrame();
    if (!victory && player->IsHuman()) {
        const uint8_t remain = HumanPlayersRemain();
        if (remain >= 2 || (!player->controller && remain >= 1)) {
            PlayerTurnNotice notice;
            notice.hotSeat = 1;
            notice.player = player;
            notice.gameFinished = 1;
            ShowNextPlayerMessage(&notice);
        }
    }
    HideModePanels();
    DestroyDialogs();
    DestroyMapFrame();
    DestroyPanels();
    m_flowWindows.RunGameOverWindows(victory, player);
    const bool goesOn = IsAppRunning() && !IsStopRequested() && !GameStopRequested() &&
                        CountActivePlayers() != 1 && HumanPlayersRemain() >= 1;
    if (!goesOn) {
        if (CWindow* root = CWindowMgr::Root())
            root->Show(false, false);
    }
    RebuildScreen();
    UnlockMapFrame();
}

void CMapWnd::RebuildScreen()
{
    CreatePanels();
    if (!m_mapFrame) {
        CreateMapFrame();
        m_frameSteps.LoadMapBlocks(Game().missionPath);
        // The torn-down frame gave its palette back with the screen; the new
        // one is drawn in the map's colours only once it puts its own up.
        m_frameSteps.SetPaletteActive(true);
        LayoutModePanels(false);
        ShowModePanels();
        EnterMode();
        m_frameSteps.Invalidate();
        OnProvinceSelected(SelectedProvinceIndex(), 1, 1);
    } else {
        ShowModePanels();
    }
    if (m_panels.provArmyToggle && !m_panels.provArmyToggle->IsVisible())
        LayoutInfoPanel();
    m_inputs.ConnectMenuKey();
}

// The map window's steps on the screen's other parts: the map frame, the
// in-game menu, and the windows it opens (messages, the report window, the
// battle window and the quick battle runner, the custom-player, menu and
// end-of-game windows).

#include "battle/battle_flow.h"
#include "battle/quick_battle.h"
#include "battle/side_controller.h"
#include "battlescreen/map_battle_wnd.h"
#include "core/core_main.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/army.h"
#include "game/game_world.h"
#include "game/player_colour.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/ui_request.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/castle_wnd.h"
#include "mapdialogs/cust_plr_wnd.h"
#include "mapdialogs/game_info_wnd.h"
#include "mapdialogs/game_menu.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/map_prefs_wnd.h"
#include "mapdialogs/prefs_wnds.h"
#include "mapdialogs/quick_battle.h"
#include "mapdialogs/report_wnd.h"
#include "mapdialogs/victory_wnd.h"
#include "mapscreen/map_frame.h"
#include "mapscreen/map_wnd.h"
#include "mapscreen/map_wnd_parts.h"
#include "players/request_records.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/side_colours.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

// ---- Map frame and view ----------------------------------------------------

void CMapWnd::CreateMapFrame()
{
    if (m_mapFrame)
        return;
    {
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(m_link.Path().Chars());
        m_mapFrame = new CMapFrame(m_window, MapWndPath(m_link.Path(), "MapFrame"));
    }
    // The map's pictures are painted in its own palette's colours.
    m_mapFrame->Window()->SetSideColour(kPaintedSideColour, false);
    m_mapFrame->onProvincePenDown = [this](uint16_t province) { OnProvincePenDown(int16_t(province)); };
    m_mapFrame->onProvinceDoubleClick = [this](uint16_t province) { OnProvinceDoubleTap(int16_t(province)); };
    m_mapFrame->onProvincePenUp = [this](uint16_t province) { OnProvincePenUp(int16_t(province)); };
    m_mapFrame->onProvinceHover = [this](uint16_t province) { OnProvinceDrag(int16_t(province)); };
    // The new view takes the hold the window keeps.
    m_mapFrame->View().HoldBlink(m_held);
    ConnectGameSignals();
    ConnectMenuKey();
}

void CMapWnd::DestroyMapFrame()
{
    CMapFrame* frame = m_mapFrame;
    m_mapFrame = nullptr;
    delete frame;
}

// ---- In-game menu ----------------------------------------------------------

void CMapWnd::CreateGameMenu()
{
    if (!m_gameMenu)
        m_gameMenu = new CGameMenu(m_window, MapWndPath(m_link.Path(), "MainMenu"));
}

void CMapWnd::DestroyGameMenu()
{
    CGameMenu* menu = m_gameMenu;
    m_gameMenu = nullptr;
    delete menu;
}

bool CMapWnd::IsGameMenuShown() const
{
    return m_gameMenu && m_gameMenu->IsVisible();
}

void CMapWnd::CloseGameMenu()
{
    if (m_gameMenu)
        EndModal(m_gameMenu);
}

uint16_t CMapWnd::RunGameMenu(bool reportsEnabled)
{
    if (!m_gameMenu)
        return 0;
    m_gameMenu->EnableItem(2, reportsEnabled);
    return RunModal(m_gameMenu);
}

void CMapWnd::RunMenuWindow(uint32_t id)
{
    CWindow* window = nullptr;
    const CStr path = MapWndPath(m_link.Path(), id == 6   ? "GameInfoWnd"
                                                : id == 7 ? "MapPrefsWnd"
                                                          : "GamePrefsWnd");
    if (id == 6)
        window = new CGameInfoWnd(m_window, path);
    if (id == 7)
        window = new CMapPrefsWnd(m_window, path);
    if (id == 20)
        window = new CGamePrefsWnd(m_window, path);
    if (!window)
        return;
    RunModal(window);
    delete window;
}

// ---- Dialogs ---------------------------------------------------------------

void CMapWnd::DestroyDialogs()
{
    CReportWnd* report = m_reportWnd;
    m_reportWnd = nullptr;
    delete report;
    m_dialogs.DestroyAll();
}

void CMapWnd::OpenReportWnd(const ReportRequestArgs* args)
{
    if (!args || !args->controller || args->controller->Reports().Count() < 1)
        return;
    if (!m_reportWnd)
        m_reportWnd = new CReportWnd(m_window, CStr("ReportWnd"), true);
    m_reportWnd->BuildPages(args->controller->Reports());
    m_reportWnd->Invalidate();
    RunModal(m_reportWnd);
    CReportWnd* report = m_reportWnd;
    m_reportWnd = nullptr;
    delete report;
}

void CMapWnd::ShowStartFailure(const char* titleKey, const char* textKey)
{
    CMessageWnd* box = new CMessageWnd(CWindowMgr::Root());
    box->Setup(LocalizedText(textKey), CStr(titleKey), MessageTapToClose, CStr(), true);
    delete box;
}

uint16_t CMapWnd::AskQuestion(const char* titleKey, const char* textKey)
{
    CMessageWnd* box = new CMessageWnd(m_window);
    box->Setup(LocalizedText(textKey), CStr(titleKey), MessageQuestion, CStr("/Sounds/msg_qst"), true);
    const uint16_t result = box->ModalResult();
    delete box;
    return result;
}

void CMapWnd::ShowEliminatedNotice(PlayerTurnNotice* notice)
{
    ShowNextPlayerMessage(notice);
}

void CMapWnd::OnCustomizePlayer(PlayerRecord* player)
{
    // A new game sets its people up before the map window is first shown; a
    // child of the hidden window would wait unseen, so it stands on the root
    // until the map is up.
    CWindow* parent = m_window->IsVisible() ? m_window : CWindowMgr::Root();
    if (parent == nullptr)
        parent = m_window;
    CCustPlrWnd* window = new CCustPlrWnd(parent, MapWndPath(m_link.Path(), "CustPlrWnd"));
    window->Setup(player);
    RunModal(window);
    delete window;
}

void CMapWnd::RunGameOverWindows(uint8_t victory, PlayerRecord* player)
{
    RunEndOfGameWindows(m_window, victory, player);
}

// ---- Battles ---------------------------------------------------------------

namespace {

// The battle window's side of a map battle: people play their sides on the
// device, the computer its own and those left to automatic play.
uint32_t ShownSideKind(int32_t mode)
{
    return mode == kSideHuman ? kSideKindHuman : kSideKindComputer;
}

}  // namespace

void CMapWnd::RunBattleWindow(MapBattleRecord* record, uint8_t flag)
{
    BattleParams params;
    MapBattleToParams(*record, params);
    params.noScreen = 0;
    params.attackerSideKind = ShownSideKind(record->attackerMode);
    params.defenderSideKind = ShownSideKind(record->defenderMode);
    {
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(m_link.Path().Chars());
        m_battleWnd = new CMapBattleWnd(m_window, MapWndPath(m_link.Path(), "MapBattleWnd"));
    }
    // The battle screen puts both sides' shades into its palette itself.
    m_battleWnd->Window()->SetSideColour(kPaintedSideColour, false);
    m_battleWnd->battleOverHandler = [this] { OnBattleFinished(); };
    m_battleWnd->SetBattleParams(&params);
    m_battleWnd->resumeFlag = flag;
    RunModal(m_battleWnd->Window());
    CMapBattleWnd* battle = m_battleWnd;
    m_battleWnd = nullptr;
    delete battle;
}

void CMapWnd::RunQuickBattleRunner(MapBattleRecord* record, uint8_t flag, bool notice)
{
    CMessageWnd* box = nullptr;
    if (notice) {
        box = new CMessageWnd(m_window);
        box->Setup(LocalizedText("QuickBtlM"), LocalizedText("QuickBtlT"), MessageNoButtons, CStr(), false);
        FrameStep();
    }
    {
        BattleParams params;
        MapBattleToParams(*record, params);
        CQuickBattle runner;
        runner.BindFinished(this, &CMapWnd::OnBattleFinished);
        runner.SetBattle(&params);
        runner.Run(flag);
    }
    if (box) {
        box->Show(false, false);
        delete box;
    }
}

// The map window's steps on the screen's other parts: the map frame and
// its view, the in-game menu, the squad lists and castle control of the
// panels, the recruit mode, and the windows it opens (messages, the report
// window, the launchers, the battle window and the quick battle runner, the
// custom-player, menu and end-of-game windows).

#include "core/core_main.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/ui_request.h"
#include "mapscreen/map_wnd.h"
#include "mapscreen/map_wnd_parts.h"
#include "players/player_controller.h"
#include "players/request_records.h"
#include "game/report_list.h"

// ---- Map frame and view ----------------------------------------------------

void CMapWnd::CreateMapFrame() {
    if (m_mapFrame) return;
    ConnectGameSignals();
    ConnectMenuKey();
}

void CMapWnd::DestroyMapFrame() {}
void CMapWnd::SetViewHold(bool) {}
bool CMapWnd::ReadViewHold(bool fallback) const { return fallback; }
void CMapWnd::InvalidateMapFrame() {}
void CMapWnd::SetDragScroll(bool) {}
void CMapWnd::SetViewSelection(int16_t) {}
void CMapWnd::SetViewMapMode(bool) {}
void CMapWnd::ClearViewMarks(bool) {}
void CMapWnd::SetViewMark(int16_t, int16_t, bool) {}
void CMapWnd::SetFrameHalfScale(bool) {}
void CMapWnd::ScrollFrameTo(int16_t, uint8_t) {}
void CMapWnd::PlaceMapFrame(const PackedRect&, bool) {}
void CMapWnd::LoadMapBlocks(const CStr&) {}
void CMapWnd::ReleaseMapBlocks() {}
void CMapWnd::ActivateMapFrame(bool) {}
void CMapWnd::ShowMapFrame(bool) {}

// ---- Panels' other controls ------------------------------------------------

CItemListWnd* CMapWnd::CreateArmyList(CWindow*, const CStr&) { return nullptr; }
CCastleWnd* CMapWnd::CreateCastleControl(CWindow*, const CStr&) { return nullptr; }
void CMapWnd::FillArmyList(CItemListWnd*, const CArmy*, const char*) {}
void CMapWnd::ShowCastleStatus(ProvinceRecord*, const char*) {}

// ---- Recruit mode ----------------------------------------------------------

void CMapWnd::BindRecruitControls() {}
void CMapWnd::EnterRecruitState() {}
void CMapWnd::LeaveRecruitState() {}
void CMapWnd::RecruitPenDown(int16_t) {}
void CMapWnd::RecruitDrag(int16_t) {}
void CMapWnd::RecruitResourcesChanged() {}

// ---- In-game menu ----------------------------------------------------------

void CMapWnd::CreateGameMenu() {}
void CMapWnd::DestroyGameMenu() {}
bool CMapWnd::IsGameMenuShown() const { return false; }
void CMapWnd::CloseGameMenu() {}
uint16_t CMapWnd::RunGameMenu(bool) { return 0; }
void CMapWnd::RunMenuWindow(uint32_t) {}

// ---- Dialogs ---------------------------------------------------------------

void CMapWnd::DestroyDialogs() {}
void CMapWnd::HideCastleInfo() {}
bool CMapWnd::IsCastleInfoShown() const { return false; }
void CMapWnd::RefreshCastleInfo() {}
void CMapWnd::OpenReportWnd(void*) {}
void CMapWnd::CallLauncher(UiRequestKind, void*) {}
void CMapWnd::ShowStartFailure(const char*, const char*) {}
uint16_t CMapWnd::AskQuestion(const char*, const char*) { return 0; }
void CMapWnd::ShowEliminatedNotice(PlayerTurnNotice*) {}
void CMapWnd::OnCustomizePlayer(PlayerRecord*) {}
void CMapWnd::RunGameOverWindows(uint8_t, PlayerRecord*) {}

// ---- Battles ---------------------------------------------------------------

void CMapWnd::RunBattleWindow(MapBattleRecord*, uint8_t) {}
void CMapWnd::RunQuickBattleRunner(MapBattleRecord*, uint8_t, bool) {}

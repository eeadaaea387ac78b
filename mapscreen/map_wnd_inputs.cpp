#include "mapscreen/map_wnd_inputs.h"

#include "core/device_mgr.h"
#include "core/timer.h"
#include "game/game_signals.h"
#include "game/running_game.h"
#include "mapscreen/map_wnd.h"

void MapWndInputs::ConnectGameSignals()
{
    SigPumpUi.Connect(&m_map, &CMapWnd::OnPumpUi);
    SigCustomizePlayer.Connect(&m_map, &CMapWnd::OnCustomizePlayer);
    SigMapMode.Connect(this, &MapWndInputs::OnMapModeSignal);
    SigPlayerResources.Connect(&m_map, &CMapWnd::OnPlayerResources);
    SigPlayerTitle.Connect(&m_map, &CMapWnd::OnPlayerTitle);
    SigArmyActions.Connect(&m_map, &CMapWnd::OnArmyActions);
    SigOperationActions.Connect(&m_map, &CMapWnd::OnOperationActions);
    SigCastleActions.Connect(&m_map, &CMapWnd::OnCastleActions);
    SigProvinceInfo.Connect(&m_map, &CMapWnd::OnProvinceInfo);
    SigUiRequest.Connect(&m_map, &CMapWnd::OnUiRequest);
    SigProvinceSelected.Connect(this, &MapWndInputs::OnProvinceSelectedSignal);
    SigMapBattle.Connect(&m_map, &CMapWnd::OnMapBattle);
    SigMovePointsChanged.Connect(&m_map, &CMapWnd::OnMovePointsChanged);
    SigGameOver.Connect(&m_map, &CMapWnd::OnGameOver);
    SigAutosave.Connect(&m_map, &CMapWnd::Autosave);
}

void MapWndInputs::ConnectMenuKey()
{
    SpareButtonSignal.ConnectVoid(&m_map, &CMapWnd::OnMenuKey, m_menuKeyConnection);
}

void MapWndInputs::OnMenuTap(CWindow*, intptr_t)
{
    m_map.OnMenu();
}
void MapWndInputs::OnRecruitTap(CWindow*, intptr_t)
{
    m_map.SetMode(CMapWnd::kModeRecruit, false);
}
void MapWndInputs::OnTurnTap(CWindow*, intptr_t)
{
    MapMenuCommand(16);
}
void MapWndInputs::OnDomainTap(CWindow*, intptr_t)
{
    m_map.SetMode(CMapWnd::kModeDomain, false);
}
void MapWndInputs::OnActionTap(CWindow*, intptr_t)
{
    m_commandTimer.SetRate(200);
}
void MapWndInputs::OnInfoToggleTap(CWindow*, intptr_t)
{
    m_map.LayoutInfoPanel();
}
void MapWndInputs::OnOperationTap(CWindow*, intptr_t)
{
    MapMenuCommand(4);
}
void MapWndInputs::OnCastleTap(CWindow*, intptr_t)
{
    MapMenuCommand(8);
}
void MapWndInputs::OnReturnTap(CWindow*, intptr_t)
{
    m_map.SetMode(CMapWnd::kModeMap, false);
}
void MapWndInputs::OnRelsTap(CWindow*, intptr_t) {}
void MapWndInputs::OnCharEvent(CWindow*, intptr_t code)
{
    m_map.OnChar(uint16_t(code));
}

void MapWndInputs::OnMapModeSignal(int32_t mode)
{
    if (mode >= int32_t(CMapWnd::kModeMap) && mode <= int32_t(CMapWnd::kModeRecruit))
        m_map.SetMode(uint32_t(mode), false);
}
void MapWndInputs::OnProvinceSelectedSignal(uint8_t province, uint8_t scroll, uint8_t mark)
{
    m_map.OnProvinceSelected(province, scroll, mark);
}

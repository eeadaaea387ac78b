#include "mapscreen/map_panel_taps.h"

#include "core/timer.h"
#include "game/running_game.h"
#include "mapscreen/map_wnd.h"

void MapPanelTaps::OnMenuTap(CWindow*, intptr_t)
{
    m_map.OnMenu();
}
void MapPanelTaps::OnRecruitTap(CWindow*, intptr_t)
{
    m_map.SetMode(CMapWnd::kModeRecruit, false);
}
void MapPanelTaps::OnTurnTap(CWindow*, intptr_t)
{
    MapMenuCommand(16);
}
void MapPanelTaps::OnDomainTap(CWindow*, intptr_t)
{
    m_map.SetMode(CMapWnd::kModeDomain, false);
}
void MapPanelTaps::OnActionTap(CWindow*, intptr_t)
{
    m_commandTimer.SetRate(200);
}
void MapPanelTaps::OnInfoToggleTap(CWindow*, intptr_t)
{
    m_map.LayoutInfoPanel();
}
void MapPanelTaps::OnOperationTap(CWindow*, intptr_t)
{
    MapMenuCommand(4);
}
void MapPanelTaps::OnCastleTap(CWindow*, intptr_t)
{
    MapMenuCommand(8);
}
void MapPanelTaps::OnReturnTap(CWindow*, intptr_t)
{
    m_map.SetMode(CMapWnd::kModeMap, false);
}
void MapPanelTaps::OnRelsTap(CWindow*, intptr_t) {}
void MapPanelTaps::OnCharEvent(CWindow*, intptr_t code)
{
    m_map.OnChar(uint16_t(code));
}

void MapPanelTaps::OnMapModeSignal(int32_t mode)
{
    if (mode >= int32_t(CMapWnd::kModeMap) && mode <= int32_t(CMapWnd::kModeRecruit))
        m_map.SetMode(uint32_t(mode), false);
}
void MapPanelTaps::OnProvinceSelectedSignal(uint8_t province, uint8_t scroll, uint8_t mark)
{
    m_map.OnProvinceSelected(province, scroll, mark);
}

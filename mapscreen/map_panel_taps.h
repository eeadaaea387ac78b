#pragma once
// What the map window's panels, its typed characters and the game's mode and
// selection signals hand over, turned into the map window's own commands.
// The panel wiring binds here, so the map window keeps only the commands.

#include <cstdint>

class CMapWnd;
class CTimer;
class CWindow;

class MapPanelTaps {
public:
    // The command timer runs the army panel's action a moment after its tap,
    // so that the button is seen pressed first.
    MapPanelTaps(CMapWnd& map, CTimer& commandTimer) : m_map(map), m_commandTimer(commandTimer) {}

    void OnMenuTap(CWindow* control, intptr_t argument);
    void OnRecruitTap(CWindow* control, intptr_t argument);
    void OnTurnTap(CWindow* control, intptr_t argument);
    void OnDomainTap(CWindow* control, intptr_t argument);
    void OnActionTap(CWindow* control, intptr_t argument);
    void OnInfoToggleTap(CWindow* control, intptr_t argument);
    void OnOperationTap(CWindow* control, intptr_t argument);
    void OnCastleTap(CWindow* control, intptr_t argument);
    void OnReturnTap(CWindow* control, intptr_t argument);
    // The domain panel's relations button has nothing to show yet.
    void OnRelsTap(CWindow* control, intptr_t argument);
    void OnCharEvent(CWindow* control, intptr_t code);

    // The game's slots pass other types than the map window's commands take.
    void OnMapModeSignal(int32_t mode);
    void OnProvinceSelectedSignal(uint8_t province, uint8_t scroll, uint8_t mark);

private:
    CMapWnd& m_map;
    CTimer& m_commandTimer;
};

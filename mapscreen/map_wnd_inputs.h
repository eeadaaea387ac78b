#pragma once
// Everything that reaches the map window from outside it: its panels' taps,
// typed characters, the spare button and the game's signals. They are bound
// here and turned into the map window's own commands, so the window keeps
// only the commands and a reader finds every binding in one place.

#include <cstdint>

#include "core/signal.h"

class CMapWnd;
class CTimer;
class CWindow;

class MapWndInputs {
public:
    // The command timer runs the army panel's action a moment after its tap,
    // so that the button is seen pressed first.
    MapWndInputs(CMapWnd& map, CTimer& commandTimer) : m_map(map), m_commandTimer(commandTimer) {}

    // The game's signals go to the window that shows the running game; a
    // new map frame binds them again (the slots hold one receiver each).
    void ConnectGameSignals();
    // The spare button opens the game menu; connected once more after each
    // rebuild of the screen, and cut before the window goes.
    void ConnectMenuKey();
    void DisconnectMenuKey() { m_menuKeyConnection.Disconnect(); }

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
    SignalConnection m_menuKeyConnection;
};

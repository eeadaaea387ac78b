#pragma once
// The windows the course of a game opens over the map window: the notice
// that a game cannot start, the questions asked before a game is ended or
// left, the setting up of a person's player and the end-of-game windows.
// Each is made for one run and deleted.

#include <cstdint>

#include "core/ref_string.h"

class CWindow;
class PlayerRecord;

class GameFlowWindows {
public:
    // The map window (the windows' parent) and its layout path, the one the
    // map window's own link holds.
    GameFlowWindows(CWindow* window, const CStr& layoutPath) : m_window(window), m_layoutPath(layoutPath) {}

    // Stands on the root window: the map window is not shown yet.
    static void ShowStartFailure(const char* titleKey, const char* textKey);
    // The message box's answer (kMessageAnswerOk when confirmed).
    uint16_t AskQuestion(const char* titleKey, const char* textKey) const;
    void RunCustomPlayerWindow(PlayerRecord* player) const;
    void RunGameOverWindows(uint8_t victory, PlayerRecord* player) const;

private:
    CWindow* m_window;
    const CStr& m_layoutPath;
};

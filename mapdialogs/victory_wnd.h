#pragma once
// The end of a game for one player. CVictoryWnd ("/Map/MapWnd/VictoryWnd" or
// "/Map/MapWnd/DefeatWnd") is a full-screen window that first shows the
// mission's victory or defeat text and, after a tap, the player's statistics
// on four pages.

#include <cstdint>

#include "mapdialogs/statistics_pages.h"
#include "ui/screen_wnd.h"

class CMarkupWnd;
class CPushButton;
class CValueScroller;
class PlayerRecord;

class CVictoryWnd : public CScreenWnd {
public:
    enum Mode : uint8_t {
        ModeMessage = 0,
        ModeStatistics = 1
    };

    CVictoryWnd(CWindow* parent, const CStr& path);
    ~CVictoryWnd() override;

    void OnShow() override;
    void Fill(uint8_t victory, PlayerRecord* player);
    void SetMode(uint8_t mode);
    void ShowPage(int32_t n) { m_pages.ShowPage(n); }

    uint8_t Mode() const { return m_mode; }
    CMarkupWnd* Message() const { return m_message; }
    CValueScroller* PageScroller() const { return m_scroller; }
    CPushButton* ExitButton() const { return m_btnExit; }
    StatisticsPages& Pages() { return m_pages; }
    CSound& Sound() { return m_sound; }

private:
    void OnTap(CWindow*, intptr_t);
    void OnExit(CWindow*, intptr_t);
    void OnPageChanged(CValueScroller* scroller);

    CMarkupWnd* m_message = nullptr;
    CValueScroller* m_scroller = nullptr;
    CPushButton* m_btnExit = nullptr;
    StatisticsPages m_pages;
    CSound m_sound;
    uint8_t m_mode = ModeMessage;
};

// What the end of a game shows between the map screen's tear-down and its
// rebuilding: the victory or defeat window for the player, then, for the
// winner of a game with at most one human who qualifies, the name entry,
// the new hall-of-fame entry and the hall of fame on the mission.
void RunEndOfGameWindows(CWindow* mapWindow, uint8_t victory, PlayerRecord* player);

#pragma once
// CGameStatisticsWnd: the four statistics pages of a stored hall-of-fame
// entry, full screen; "BtnExit" closes it.

#include <cstdint>

#include "mapdialogs/statistics_pages.h"
#include "ui/screen_wnd.h"

class CHallOfFameEntry;
class CPushButton;
class CValueScroller;

class CGameStatisticsWnd : public CScreenWnd {
public:
    CGameStatisticsWnd(CWindow* parent, const CStr& path);
    ~CGameStatisticsWnd() override;

    void OnShow() override;
    void Fill(const CHallOfFameEntry& entry);

    CValueScroller* PageScroller() const { return m_scroller; }
    CPushButton* ExitButton() const { return m_btnExit; }
    StatisticsPages& Pages() { return m_pages; }

private:
    void OnExit(CWindow*, intptr_t);
    void OnPageChanged(CValueScroller* scroller);

    CValueScroller* m_scroller = nullptr;
    CPushButton* m_btnExit = nullptr;
    StatisticsPages m_pages;
};

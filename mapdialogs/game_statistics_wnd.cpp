#include "mapdialogs/game_statistics_wnd.h"

#include "game/hall_of_fame.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

CGameStatisticsWnd::CGameStatisticsWnd(CWindow* parent, const CStr& path) : CScreenWnd(parent, path, true)
{
    m_scroller = new CValueScroller(Window(), ChildPath(path, "ScrStat"), true);
    // The toolkit's grey page number is too faint on the pale stone.
    m_scroller->ValueLabel()->Caption().foreground = kStatisticsInk;
    m_btnExit = new CPushButton(Window(), ChildPath(path, "BtnExit"));
    m_pages.Build(Window(), path);
    m_btnExit->BindHandler(HandlerClick, this, &CGameStatisticsWnd::OnExit);
    m_scroller->valueChanged.Bind(this, &CGameStatisticsWnd::OnPageChanged);
}

CGameStatisticsWnd::~CGameStatisticsWnd() = default;

void CGameStatisticsWnd::Fill(const CHallOfFameEntry& entry)
{
    m_scroller->SetMin(1, false);
    m_scroller->SetMax(StatisticsPages::kPageCount, false);
    m_scroller->SetValue(1, true, true);
    SetTitle(entry.playerName, true);
    CHallOfFameEntry scored;
    scored.Assign(entry);
    scored.score = entry.ComputeScore();
    m_pages.Fill(scored);
}

void CGameStatisticsWnd::OnShow()
{
    CScreenWnd::OnShow();
    // The layout is the victory window's, which hides its statistics
    // controls behind the message at first.
    m_scroller->Window()->Show(true, false);
    m_btnExit->Show(true, false);
    m_pages.ShowPage(1);
}

void CGameStatisticsWnd::OnExit(CWindow*, intptr_t)
{
    EndModal(Window());
}

void CGameStatisticsWnd::OnPageChanged(CValueScroller* scroller)
{
    m_pages.ShowPage(scroller->Value());
}

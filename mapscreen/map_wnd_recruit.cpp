// The recruit mode's steps as the map window's mode switch and panels call
// them; the mode's state and work are RecruitMode's.
#include "mapscreen/map_wnd.h"

void CMapWnd::EnterRecruitMode()
{
    m_recruit->Enter();
}
void CMapWnd::LeaveRecruitMode()
{
    m_recruit->Leave();
}
void CMapWnd::BuildSquadButtons()
{
    m_recruit->BuildSquadButtons();
}
void CMapWnd::UpdateRecruitLimits()
{
    m_recruit->UpdateRecruitLimits();
}
void CMapWnd::SelectSquad(int32_t index, bool redraw)
{
    m_recruit->SelectSquad(index, redraw);
}
void CMapWnd::RefreshRecruitCounts(bool updateScroller, bool redraw)
{
    m_recruit->RefreshRecruitCounts(updateScroller, redraw);
}
void CMapWnd::SetRecruited(int32_t index, int32_t target)
{
    m_recruit->SetRecruited(index, target);
}
void CMapWnd::ClearProvinceMarks(bool redraw)
{
    m_recruit->ClearProvinceMarks(redraw);
}
void CMapWnd::MarkProvince(int32_t province, bool on, bool redraw)
{
    m_recruit->MarkProvince(province, on, redraw);
}
void CMapWnd::ShowRecruitProvince(bool redraw)
{
    m_recruit->ShowRecruitProvince(redraw);
}

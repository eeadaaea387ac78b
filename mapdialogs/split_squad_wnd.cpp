#include "mapdialogs/split_squad_wnd.h"

#include "ui/button.h"
#include "ui/child_path.h"
#include "ui/markup_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/window_mgr.h"

CSplitSquadWnd::CSplitSquadWnd(CWindow* parent, const CStr& path) : CFrameWnd(parent, path, true)
{
    const CStr node = BindLayoutNode(m_link);
    m_ok = new CPushButton(this, ChildPath(node, "BtnOk"));
    m_cancel = new CPushButton(this, ChildPath(node, "BtnCancel"));
    m_slider = new CScrollBar(this, ChildPath(node, "SplitScroller"), true);
    m_text = new CTextWnd(this, ChildPath(node, "RtSplit"), true);
    m_ok->BindHandler(HandlerClick, this, &CSplitSquadWnd::OnOk);
    m_cancel->BindHandler(HandlerClick, this, &CSplitSquadWnd::OnCancel);
    m_slider->scrolled.Bind(this, &CSplitSquadWnd::OnSliderChanged);
}

// The controls are child windows (the slider through its member window) and
// go with the frame.
CSplitSquadWnd::~CSplitSquadWnd()
{
    PrepareDestroy();
}

void CSplitSquadWnd::OnShow()
{
    CFrameWnd::OnShow();
    m_slider->SetMax(static_cast<int32_t>(size), false);
    m_slider->SetMin(1, false);
    m_slider->SetPos(static_cast<int32_t>(chosen), true, true);
    // The slider tells only of positions it has not told before; the text
    // must show this run's counts in any case.
    chosen = static_cast<uint32_t>(m_slider->Pos());
    ShowCounts();
}

void CSplitSquadWnd::OnSliderChanged(CScrollBar* bar)
{
    chosen = static_cast<uint32_t>(bar->Pos());
    ShowCounts();
}

void CSplitSquadWnd::ShowCounts()
{
    // Size is the most that may leave the squad (its count less the one
    // that stays), so the squad keeps size - chosen + 1.
    CStr format;
    if (!m_text->GetString(0, format))
        return;
    CStr text;
    text.Format(format.Chars(), static_cast<int32_t>(size) - static_cast<int32_t>(chosen) + 1,
                static_cast<int32_t>(chosen));
    m_text->SetText(text, true);
}

void CSplitSquadWnd::OnOk(CWindow*, intptr_t)
{
    chosen = static_cast<uint32_t>(m_slider->Pos());
    SetModalResult(ResultOk);
    EndModal(this);
}

void CSplitSquadWnd::OnCancel(CWindow*, intptr_t)
{
    SetModalResult(ResultCancel);
    EndModal(this);
}

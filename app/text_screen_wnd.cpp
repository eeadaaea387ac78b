#include "app/text_screen_wnd.h"

#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/layout_box.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

CTextScreenWnd::CTextScreenWnd(CWindow* parent, const CStr& path) : CScreenWnd(parent, path, false)
{
    {
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(path.Chars());
        m_text = new CMarkupWnd(m_window, CStr(), false);
    }
    m_text->BindHandler(HandlerPenDown, this, &CTextScreenWnd::OnTextPenDown);
    // A tap beside the text turns the page as well.
    m_window->BindHandler(HandlerPenDown, this, &CTextScreenWnd::OnScreenPenDown);
    ReloadLayout(false);
}

CTextScreenWnd::~CTextScreenWnd() = default;

bool CTextScreenWnd::ReloadLayout(bool redraw)
{
    const bool was = m_link.SetRefreshEnabled(false);
    if (!LoadLayout(false)) {
        m_link.SetRefreshEnabled(was);
        return false;
    }
    const CStr textPath = CUIMgr::NextString();
    if (!textPath.IsEmpty())
        m_text->LoadText(textPath.Chars());
    m_link.SetRefreshEnabled(was);
    if (was && redraw)
        m_window->Invalidate(UndefinedRect, true);
    return true;
}

void CTextScreenWnd::OnShow()
{
    const PackedRect& client = m_window->ClientRect();
    if (client.IsDefined()) {
        m_text->SetRect(PackedRect(5, 5, static_cast<int16_t>(client.Width() - 10),
                                   static_cast<int16_t>(client.Height() - 10)),
                        true);
    }
    m_text->SetAlign(AlignCentre, AlignCentre, true);
    m_text->Show(true, false);
    CScreenWnd::OnShow();
}

void CTextScreenWnd::NextPage()
{
    const int32_t current = m_text->CurrentPage();
    if (current >= 0 && current + 1 < m_text->PageCount()) {
        m_text->SelectPage(current + 1, true);
    } else {
        EndModal(m_window);
    }
}

void CTextScreenWnd::OnTextPenDown(CWindow*, intptr_t)
{
    NextPage();
}

void CTextScreenWnd::OnScreenPenDown(CWindow*, intptr_t)
{
    NextPage();
}

#include "ui/paged_text_wnd.h"

#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/layout_box.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

CPagedTextWnd::CPagedTextWnd(CWindow* parent, const CStr& path) : CFrameWnd(parent, path, true)
{
    {
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(path.Chars());
        m_text = new CMarkupWnd(this, CStr::ConcatChars(path, "/Text"), true);
        m_close = new CButton(this, CStr::ConcatChars(path, "/CloseBtn"), true);
        m_selector = new CValueScroller(this, CStr::ConcatChars(path, "/PageSelector"), true);
    }
    m_text->SetVAlign(AlignCentre, false);
    RefreshPageSelector();
    m_close->BindHandler(HandlerClick, this, &CPagedTextWnd::OnClose);
    m_selector->valueChanged.Bind(this, &CPagedTextWnd::OnSelectorChanged);
    m_text->pageChanged.Bind(this, &CPagedTextWnd::OnPageChanged);
}

CPagedTextWnd::~CPagedTextWnd()
{
    // The text window outlives this part of the object while the tree is
    // taken down; it must not call back into it.
    m_text->pageChanged.Clear();
    m_selector->valueChanged.Clear();
    PrepareDestroy();
}

void CPagedTextWnd::LoadText(const char* path)
{
    m_text->LoadText(path);
    RefreshPageSelector();
}

void CPagedTextWnd::SetMarkupText(const CStr& text)
{
    m_text->CWindow::SetText(text, true);
    RefreshPageSelector();
}

void CPagedTextWnd::RefreshPageSelector()
{
    const int32_t pages = m_text->PageCount();
    if (pages >= 2) {
        m_selector->SetMin(1, false);
        m_selector->SetMax(pages, false);
        m_selector->SetValue(m_text->CurrentPage() + 1, true, false);
        m_selector->Window()->Show(true, false);
    } else {
        m_selector->Window()->Show(false, false);
    }
}

void CPagedTextWnd::OnClose(CWindow*, intptr_t)
{
    EndModal(this);
}

void CPagedTextWnd::OnSelectorChanged(CValueScroller* scroller)
{
    m_text->SelectPage(scroller->Value() - 1, true);
}

void CPagedTextWnd::OnPageChanged(CMarkupWnd*)
{
    RefreshPageSelector();
}

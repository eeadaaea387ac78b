#include "mapdialogs/report_wnd.h"

#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "game/report_list.h"
#include "mapdialogs/dialog_controls.h"
#include "ui/button.h"
#include "ui/child_path.h"
#include "ui/markup_wnd.h"
#include "ui/ui_link.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

CReportWnd::CReportWnd(CWindow* parent, const CStr& layoutName, bool load)
    : CDialog(parent, DialogLayoutPath(layoutName), load)
{
    const CStr& path = m_link.Path();
    m_scrPages = new CValueScroller(this, ChildPath(path, "ScrPages"), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"), true);
    m_messages = new CMarkupWnd(this, ChildPath(path, "Messages"), true);
    // The text the layout gives the message control names the skin folder
    // of the frame pictures between the entries.
    m_frameFolder = m_messages->Text();
    m_btnOk->BindHandler(HandlerClick, this, &CReportWnd::OnOk);
    m_scrPages->valueChanged.Bind(this, &CReportWnd::OnPageChanged);
}

CReportWnd::~CReportWnd()
{
    PrepareDestroy();
}

CStr CReportWnd::ReportText(const CReportList& list)
{
    CStr text;
    for (int i = 0; i < list.Count(); ++i) {
        const ReportEntry& entry = list.Entry(i);
        // {noff} keeps an entry on one page; the three pictures draw the
        // frame that separates it from the next.
        text.AppendChars("{noff}");
        text.Append(entry.title);
        if (!entry.body.IsEmpty()) {
            text.AppendChars("{br}");
            text.Append(entry.body);
        }
        text.AppendChars("{br}{img src=frame_ul}{img src=frame_u}{img src=frame_ur}{br}{/noff} ");
    }
    return text;
}

void CReportWnd::BuildPages(const CReportList& list)
{
    ClearText();
    const CStr text = ReportText(list);
    {
        ResourceFolderScope folder;
        const CStr skin = CStr::Concat(CPathMgr::Path(CPathMgr::kSkin), m_frameFolder);
        CResourceMgr::SetCurrentFolder(skin.Chars());
        m_messages->SetText(text, false);
    }
    const int32_t pages = m_messages->PageCount();
    m_scrPages->SetMin(1, false);
    m_scrPages->SetMax(static_cast<int16_t>(pages), false);
    m_scrPages->SetValue(1, true, true);
    m_scrPages->Window()->Show(pages >= 2, false);
    m_messages->SelectPage(0, true);
}

void CReportWnd::OnPageChanged(CValueScroller* scroller)
{
    m_messages->SelectPage(scroller->Value() - 1, true);
}

void CReportWnd::OnOk(CWindow*, intptr_t)
{
    EndModal(this);
}

void CReportWnd::OnHide()
{
    HideSound().Sound().Play();
    CWindow::OnHide();
    ClearText();
}

void CReportWnd::ClearText()
{
    m_messages->SetText(CStr(), true);
}

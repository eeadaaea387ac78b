#include "mapdialogs/prep_treb_wnd.h"

#include "mapdialogs/castle_work_wnd.h"
#include "mapdialogs/dialog_children.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/window_mgr.h"

CPrepTrebWnd::CPrepTrebWnd(CWindow* parent, const CStr& path) : CDialog(parent, path, true)
{
    {
        DialogNodeScope scope(path);
        if (scope.Entered()) {
            m_background = static_cast<CIconWnd*>(CreateNamedControl(this, "IcoBg"));
            m_cost = static_cast<CResWnd*>(CreateNamedControl(this, "ResCost"));
            m_descr = static_cast<CTextWnd*>(CreateNamedControl(this, "RtDescr"));
            m_leftText = static_cast<CTextWnd*>(CreateNamedControl(this, "RtResLeft"));
            m_left = static_cast<CResWnd*>(CreateNamedControl(this, "ResLeft"));
            m_ok = static_cast<CPushButton*>(CreateNamedControl(this, "BtnOk"));
            m_cancel = static_cast<CPushButton*>(CreateNamedControl(this, "BtnCancel"));
        }
    }
    if (m_ok != nullptr)
        m_ok->BindHandler(HandlerClick, this, &CPrepTrebWnd::OnOk);
    if (m_cancel != nullptr)
        m_cancel->BindHandler(HandlerClick, this, &CPrepTrebWnd::OnCancel);
}

CPrepTrebWnd::~CPrepTrebWnd()
{
    PrepareDestroy();
}

void CPrepTrebWnd::Setup(SiegeRequestArgs* request)
{
    m_request = request;
    if (request == nullptr)
        return;
    ShowResourceAmounts(m_cost, request->price, true);
    if (request->affordable) {
        if (m_leftText != nullptr)
            m_leftText->ShowString(0, true);
        if (m_left != nullptr) {
            ShowResourceAmounts(m_left, request->remaining, true);
            m_left->Show(true, false);
        }
        if (m_ok != nullptr)
            m_ok->Enable(true, true);
    } else {
        if (m_leftText != nullptr)
            m_leftText->ShowString(1, true);
        if (m_left != nullptr)
            m_left->Show(false, false);
        // Ok stays in sight, disabled: the player sees what cannot be paid.
        if (m_ok != nullptr)
            m_ok->Enable(false, true);
    }
}

void CPrepTrebWnd::OnOk(CWindow*, intptr_t)
{
    // A disabled button gets no taps; the record is checked all the same.
    if (m_request != nullptr && !m_request->affordable)
        return;
    if (m_request != nullptr)
        m_request->confirmed = 1;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CPrepTrebWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_request != nullptr)
        m_request->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}

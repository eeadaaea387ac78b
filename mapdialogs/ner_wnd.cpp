#include "mapdialogs/ner_wnd.h"

#include "mapdialogs/castle_work_wnd.h"
#include "mapdialogs/dialog_children.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/window_mgr.h"

CNERWnd::CNERWnd(CWindow* parent, const CStr& path) : CFrameWnd(parent, path, true)
{
    {
        DialogNodeScope scope(path);
        if (scope.Entered()) {
            m_cost = static_cast<CResWnd*>(CreateNamedControl(this, "ResCost"));
            m_message = static_cast<CTextWnd*>(CreateNamedControl(this, "RtMessage"));
            m_close = static_cast<CPushButton*>(CreateNamedControl(this, "BtnClose"));
        }
    }
    if (m_close != nullptr)
        m_close->BindHandler(HandlerClick, this, &CNERWnd::OnClose);
}

CNERWnd::~CNERWnd()
{
    PrepareDestroy();
}

void CNERWnd::Setup(NotEnoughResourcesArgs* request)
{
    if (request == nullptr)
        return;
    ShowResourceAmounts(m_cost, request->price, true);
    // An index past the strings leaves the text as the layout has it.
    if (m_message != nullptr)
        m_message->ShowString(static_cast<int32_t>(request->mode), true);
}

void CNERWnd::OnClose(CWindow*, intptr_t)
{
    EndModal(this);
}

#include "mapdialogs/map_prefs_wnd.h"

#include "core/preference_names.h"
#include "ui/check_box.h"
#include "ui/child_path.h"
#include "ui/window_mgr.h"

namespace {
bool IsChecked(const CCheckBox* box)
{
    return box != nullptr && box->IsDrawnDown();
}
}  // namespace

CMapPrefsWnd::CMapPrefsWnd(CWindow* parent, const CStr& path, uint32_t) : CDialog(parent, path, true)
{
    m_quick = new CCheckBox(this, ChildPath(path, "CbQuickBtls"), true);
    m_taxes = new CCheckBox(this, ChildPath(path, "CbAutoTaxes"), true);
    m_confirms = new CCheckBox(this, ChildPath(path, "CbConfirms"), true);
    m_moving = new CCheckBox(this, ChildPath(path, "CbMovingFlag"), true);
    m_report = new CCheckBox(this, ChildPath(path, "CbReport"), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"));
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"));
    m_btnOk->BindHandler(HandlerClick, this, &CMapPrefsWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CMapPrefsWnd::OnCancel);
}

CMapPrefsWnd::~CMapPrefsWnd()
{
    PrepareDestroy();
}

void CMapPrefsWnd::OnShow()
{
    m_quick->SetChecked(PrefQuickBattles != 0, true);
    m_taxes->SetChecked(PrefAutoTaxes != 0, true);
    m_confirms->SetChecked(PrefConfirms != 0, true);
    // The box says "the flag stays put": checked means moves are not animated.
    m_moving->SetChecked(PrefAnimateMoves == 0, true);
    m_report->SetChecked(PrefTurnReport != 0, true);
    CWindow::OnShow();
}

void CMapPrefsWnd::OnOk(CWindow*, intptr_t)
{
    PrefQuickBattles = IsChecked(m_quick) ? 1 : 0;
    PrefAutoTaxes = IsChecked(m_taxes) ? 1 : 0;
    PrefConfirms = IsChecked(m_confirms) ? 1 : 0;
    PrefAnimateMoves = IsChecked(m_moving) ? 0 : 1;
    PrefTurnReport = IsChecked(m_report) ? 1 : 0;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CMapPrefsWnd::OnCancel(CWindow*, intptr_t)
{
    SetModalResult(ResultCancel);
    EndModal(this);
}

#include <new>

#include "core/preferences.h"
#include "mapdialogs/dialog_controls.h"
#include "mapdialogs/prefs_wnds.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/child_path.h"
#include "ui/window_mgr.h"

namespace {

bool IsChecked(const CCheckBox* box)
{
    return box != nullptr && box->IsDrawnDown();
}

void Check(CCheckBox* box, bool on)
{
    if (box != nullptr)
        box->SetChecked(on, true);
}

}  // namespace

CBattlePrefsWnd::CBattlePrefsWnd(CWindow* parent, const CStr& layoutPath)
    : CDialog(parent, DialogLayoutPath(layoutPath), true)
{
    const CStr& path = m_link.Path();
    auto box = [&](const char* name) { return new CCheckBox(this, ChildPath(path, name), true); };
    m_cbGrid = box("CbGrid");
    m_cbNumbers = box("CbNumbers");
    m_cbAutoTrebs = box("CbAutoTrebs");
    m_cbAllowSplit = box("CbAllowSplit");
    m_cbExpertMode = box("CbExpertMode");
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"), true);
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"), true);
    m_btnOk->BindHandler(HandlerClick, this, &CBattlePrefsWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CBattlePrefsWnd::OnCancel);
}

CBattlePrefsWnd::~CBattlePrefsWnd()
{
    PrepareDestroy();
}

void CBattlePrefsWnd::OnShow()
{
    // Filled from the preferences on every show; the dialog's show sound is
    // not wanted here.
    Check(m_cbGrid, PrefBattleOptions[kPrefShowGrid] != 0);
    // The box asks to hide the numbers, the option says to show them.
    Check(m_cbNumbers, PrefBattleOptions[kPrefShowSquadNumbers] == 0);
    Check(m_cbAutoTrebs, PrefBattleOptions[kPrefAutoTrebs1] != 0 || PrefBattleOptions[kPrefAutoTrebs2] != 0);
    Check(m_cbAllowSplit, PrefBattleOptions[kPrefAllowSplit] != 0);
    Check(m_cbExpertMode, PrefBattleOptions[kPrefExpertMode] != 0);
    CWindow::OnShow();
}

void CBattlePrefsWnd::OnOk(CWindow*, intptr_t)
{
    PrefBattleOptions[kPrefShowGrid] = IsChecked(m_cbGrid) ? 1 : 0;
    PrefBattleOptions[kPrefShowSquadNumbers] = IsChecked(m_cbNumbers) ? 0 : 1;
    const uint8_t trebs = IsChecked(m_cbAutoTrebs) ? 1 : 0;
    PrefBattleOptions[kPrefAutoTrebs1] = trebs;
    PrefBattleOptions[kPrefAutoTrebs2] = trebs;
    PrefBattleOptions[kPrefAllowSplit] = IsChecked(m_cbAllowSplit) ? 1 : 0;
    PrefBattleOptions[kPrefExpertMode] = IsChecked(m_cbExpertMode) ? 1 : 0;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CBattlePrefsWnd::OnCancel(CWindow*, intptr_t)
{
    SetModalResult(ResultCancel);
    EndModal(this);
}

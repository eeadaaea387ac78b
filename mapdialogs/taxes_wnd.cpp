#include "mapdialogs/taxes_wnd.h"

#include "game/game_rules.h"
#include "mapdialogs/dialog_controls.h"
#include "ui/button.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/text_format.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {
constexpr int32_t kLowestLevel = 0;
constexpr int32_t kHighestLevel = 3;
}  // namespace

CTaxesWnd::CTaxesWnd(CWindow* parent, const CStr& layoutName, bool load)
    : CFrameWnd(parent, DialogLayoutPath(layoutName), load)
{
    const CStr& path = m_link.Path();
    m_lblTaxRate = new CLabel(this, ChildPath(path, "LblTaxRate"), true);
    m_scrTaxRate = new CValueScroller(this, ChildPath(path, "ScrTaxRate"), true);
    m_lblTotalIncome = new CLabel(this, ChildPath(path, "LblTotalIncome"), true);
    m_rtTotalIncome = new CTextWnd(this, ChildPath(path, "RtTotalIncome"), true);
    m_lblSatisfRate = new CLabel(this, ChildPath(path, "LblSatisfRate"), true);
    m_rtSatisfRate = new CTextWnd(this, ChildPath(path, "RtSatisfRate"), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"), true);
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"), true);

    m_scrTaxRate->SetMin(kLowestLevel, true);
    m_scrTaxRate->SetMax(kHighestLevel, true);
    // The scroller shows the percentage the window gives it, not the level.
    m_scrTaxRate->flags |= ScrollerTextSuspended;

    m_btnOk->BindHandler(HandlerClick, this, &CTaxesWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CTaxesWnd::OnCancel);
    m_scrTaxRate->valueChanged.Bind(this, &CTaxesWnd::OnTaxRateChanged);
}

CTaxesWnd::~CTaxesWnd()
{
    PrepareDestroy();
}

void CTaxesWnd::Setup(TaxesRequest* record)
{
    m_record = record;
    if (m_record == nullptr)
        return;
    m_scrTaxRate->SetValue(m_record->taxLevel, true, true);
    UpdateTexts();
}

void CTaxesWnd::OnTaxRateChanged(CValueScroller* scroller)
{
    if (m_record == nullptr)
        return;
    const int32_t value = scroller->Value();
    if (value >= kLowestLevel && value <= kHighestLevel)
        m_record->taxLevel = value;
    UpdateTexts();
}

void CTaxesWnd::UpdateTexts()
{
    if (m_record == nullptr)
        return;
    const TaxOutlook outlook = TaxOutlookOf(m_record->taxLevel, m_record->incomeBase);
    FormatTextControl(m_rtTotalIncome, static_cast<long>(outlook.income));
    FormatTextControl(m_rtSatisfRate, static_cast<long>(outlook.satisfactionRate));
    CStr text;
    text.Format("%ld%%", static_cast<long>(outlook.percent));
    SetScrollerOwnText(m_scrTaxRate, text, true);
}

void CTaxesWnd::OnOk(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 1;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CTaxesWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}

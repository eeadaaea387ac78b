#pragma once
// CTaxesWnd ("TaxesWnd"): the player picks one of the four tax levels and
// sees the income and the change of satisfaction that level brings. Every
// move of the scroller is written into the request at once; the poster acts
// on it only when the window comes back confirmed.

#include <cstdint>

#include "players/request_records.h"
#include "ui/frame_wnd.h"

class CLabel;
class CPushButton;
class CTextWnd;
class CValueScroller;

class CTaxesWnd : public CFrameWnd {
public:
    CTaxesWnd(CWindow* parent, const CStr& layoutName, bool load);
    ~CTaxesWnd() override;

    void Setup(TaxesRequest* record);

    void OnTaxRateChanged(CValueScroller* scroller);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);
    void UpdateTexts();

    CValueScroller* TaxRateScroller() const { return m_scrTaxRate; }
    CTextWnd* TotalIncomeText() const { return m_rtTotalIncome; }
    CTextWnd* SatisfactionText() const { return m_rtSatisfRate; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }

private:
    TaxesRequest* m_record = nullptr;
    CLabel* m_lblTaxRate = nullptr;
    CValueScroller* m_scrTaxRate = nullptr;
    CLabel* m_lblTotalIncome = nullptr;
    CTextWnd* m_rtTotalIncome = nullptr;
    CLabel* m_lblSatisfRate = nullptr;
    CTextWnd* m_rtSatisfRate = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
};

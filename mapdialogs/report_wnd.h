#pragma once
// CReportWnd ("ReportWnd"): a player's turn report, every entry a framed
// block of mark-up text kept whole on one page, paged with a scroller when
// the entries do not fit.

#include <cstdint>

#include "ui/dialog.h"

class CMarkupWnd;
class CPushButton;
class CReportList;
class CValueScroller;

class CReportWnd : public CDialog {
public:
    CReportWnd(CWindow* parent, const CStr& layoutName, bool load);
    ~CReportWnd() override;

    void BuildPages(const CReportList& list);
    void OnPageChanged(CValueScroller* scroller);
    void OnOk(CWindow*, intptr_t);
    void OnHide() override;
    void ClearText();

    // The mark-up text of a report list (what BuildPages lays out).
    static CStr ReportText(const CReportList& list);

    CValueScroller* PageScroller() const { return m_scrPages; }
    CPushButton* OkButton() const { return m_btnOk; }
    CMarkupWnd* Messages() const { return m_messages; }
    const CStr& FrameFolder() const { return m_frameFolder; }

private:
    CValueScroller* m_scrPages = nullptr;
    CPushButton* m_btnOk = nullptr;
    CMarkupWnd* m_messages = nullptr;
    CStr m_frameFolder;
};

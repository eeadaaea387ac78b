#pragma once
// CTransferWnd ("TransferWnd"): moves units between the campaign army and
// the garrison of the province it stands in. Each of up to four squad pairs
// has a scroll bar that sets how many units stay in the garrison; the
// request's deltas follow every move, and a picture warns when the planned
// garrison makes the province likely to revolt.

#include <cstdint>
#include <vector>

#include "players/request_records.h"
#include "ui/frame_wnd.h"

class CButtonEx;
class CIconWnd;
class CPushButton;
class CScrollBar;
class CTextWnd;

class CTransferWnd : public CFrameWnd {
public:
    static constexpr int kRows = 4;

    CTransferWnd(CWindow* parent, const CStr& layoutName, bool load);
    ~CTransferWnd() override;

    void Setup(TransferRequest* record);

    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);
    void OnTransfer1Changed(CScrollBar*);
    void OnTransfer2Changed(CScrollBar*);
    void OnTransfer3Changed(CScrollBar*);
    void OnTransfer4Changed(CScrollBar*);
    void OnTransferChanged(int row);
    void UpdateRevoltImage();

    int16_t RowCount() const { return m_rowCount; }
    CButtonEx* LeftButton(int i) const { return m_left[static_cast<size_t>(i)]; }
    CButtonEx* RightButton(int i) const { return m_right[static_cast<size_t>(i)]; }
    CScrollBar* Bar(int i) const { return m_bars[static_cast<size_t>(i)]; }
    CTextWnd* CampaignText() const { return m_rtCampaign; }
    CIconWnd* RevoltImage() const { return m_imgRevolt; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }

private:
    TransferRequest* m_record = nullptr;
    std::vector<CButtonEx*> m_left;
    std::vector<CButtonEx*> m_right;
    std::vector<CScrollBar*> m_bars;
    int16_t m_rowCount = 0;
    CTextWnd* m_rtCampaign = nullptr;
    CTextWnd* m_rtGuardian = nullptr;
    CFrameWnd* m_frame = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
    CIconWnd* m_imgRevolt = nullptr;
};

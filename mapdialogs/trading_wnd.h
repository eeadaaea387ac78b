#pragma once
// CTradingWnd ("TradingWnd"): the market. The player picks a kind to give
// (left buttons) and a kind to get (right buttons), sets the amount with a
// slider and may accept several exchanges in a row before OK. The committed
// treasury holds the accepted exchanges; the shown one adds the exchange on
// the slider, and OK hands the shown one back to the poster.

#include <cstdint>
#include <memory>
#include <vector>

#include "game/resource_bundle.h"
#include "players/request_records.h"
#include "ui/frame_wnd.h"

class CButtonEx;
class CLabel;
class CPushButton;
class CResWnd;
class CScrollBar;
class CTextWnd;

// a units of the from kind buy b units of the to kind.
struct TradingPair {
    uint16_t from = 0;
    uint16_t to = 0;
    int32_t a = 0;
    int32_t b = 0;
};

class CTradingWnd : public CFrameWnd {
public:
    static constexpr int kMaxKinds = 3;

    CTradingWnd(CWindow* parent, const CStr& layoutName, bool load);
    ~CTradingWnd() override;

    void Setup(TradingRequest* record);

    void OnFromClick(CWindow* button, intptr_t);
    void OnToClick(CWindow* button, intptr_t);
    void OnAccept(CWindow*, intptr_t);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);
    void OnSliderChanged(CScrollBar* bar);

    void SelectFrom(int16_t index);
    void SelectTo(int16_t index);
    void UpdateExchange();
    // The pair with these kinds, searched from the last entry; null when none.
    const TradingPair* FindPair(int32_t from, int32_t to) const;
    // A pair is offered only when its rate buys something.
    bool IsOffered(int32_t from, int32_t to) const;
    // The first kind the given kind buys at a rate above 0; -1 when none.
    int16_t FirstTarget(int32_t from) const;

    int16_t KindCount() const { return m_kindCount; }
    int16_t FromIndex() const { return m_from; }
    int16_t ToIndex() const { return m_to; }
    const CResourceBundle& Shown() const { return m_shown; }
    const CResourceBundle& Committed() const { return m_committed; }
    int32_t PairCount() const { return static_cast<int32_t>(m_pairs.size()); }
    CButtonEx* LeftButton(int i) const { return m_left[static_cast<size_t>(i)]; }
    CButtonEx* RightButton(int i) const { return m_right[static_cast<size_t>(i)]; }
    CScrollBar* Slider() const { return m_scrTrading; }
    CTextWnd* ExchangeText() const { return m_rtTradingIcon; }
    CTextWnd* RateText() const { return m_rtTradingCost; }
    CPushButton* AcceptButton() const { return m_btnAccept; }
    CResWnd* TreasuryControl() const { return m_resTreasury; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }

private:
    TradingRequest* m_record = nullptr;
    std::vector<CButtonEx*> m_left;
    std::vector<CButtonEx*> m_right;
    CResourceBundle m_shown;
    CResourceBundle m_committed;
    int16_t m_kindCount = 0;
    int16_t m_from = 0;
    int16_t m_to = 0;
    std::vector<std::unique_ptr<TradingPair>> m_pairs;

    CLabel* m_lblYou = nullptr;
    CLabel* m_lblTrade = nullptr;
    CLabel* m_lblMarket = nullptr;
    CFrameWnd* m_frame = nullptr;
    CTextWnd* m_rtTradingIcon = nullptr;
    CScrollBar* m_scrTrading = nullptr;
    CTextWnd* m_rtTradingCost = nullptr;
    CPushButton* m_btnAccept = nullptr;
    CResWnd* m_resTreasury = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
};

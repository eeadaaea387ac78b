#include "mapdialogs/trading_wnd.h"

#include <algorithm>
#include <new>

#include "core/font.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/game_rules.h"
#include "game/game_world.h"
#include "mapdialogs/dialog_controls.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/text_format.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

namespace {

const char* const kLeftNames[CTradingWnd::kMaxKinds] = {"BtnResL1", "BtnResL2", "BtnResL3"};
const char* const kRightNames[CTradingWnd::kMaxKinds] = {"BtnResR1", "BtnResR2", "BtnResR3"};

int32_t AmountAt(const CResourceBundle& bundle, int32_t index)
{
    return index >= 0 && index < bundle.Count() ? bundle[index] : 0;
}

void SetAmountAt(CResourceBundle& bundle, int32_t index, int32_t amount)
{
    if (index >= 0 && index < bundle.Count())
        bundle[index] = amount;
}

CStr IconPath(int32_t kind)
{
    return CStr::Concat(CPathMgr::Path(CPathMgr::kImagesIcons), ResourceKindName(kind));
}

int32_t WorldKindCount()
{
    if (const CGameWorld* world = ActiveWorld())
        return static_cast<int32_t>(world->kinds.size());
    return CTradingWnd::kMaxKinds;
}

}  // namespace

CTradingWnd::CTradingWnd(CWindow* parent, const CStr& layoutName, bool load)
    : CFrameWnd(parent, DialogLayoutPath(layoutName), load)
{
    const CStr& path = m_link.Path();
    m_left.assign(kMaxKinds, nullptr);
    m_right.assign(kMaxKinds, nullptr);
    m_lblYou = new CLabel(this, ChildPath(path, "LblYou"), true);
    m_lblTrade = new CLabel(this, ChildPath(path, "LblTrade"), true);
    m_lblMarket = new CLabel(this, ChildPath(path, "LblMarket"), true);
    const int32_t blank = SelectFont(0).GetGlyph(' ').width;
    const int16_t column = static_cast<int16_t>(blank * 4 + blank / 2);
    for (int i = 0; i < kMaxKinds; ++i)
        m_left[static_cast<size_t>(i)] = new CButtonEx(this, ChildPath(path, kLeftNames[i]));
    for (int i = 0; i < kMaxKinds; ++i)
        m_right[static_cast<size_t>(i)] = new CButtonEx(this, ChildPath(path, kRightNames[i]));
    for (std::vector<CButtonEx*>* side : {&m_left, &m_right}) {
        for (CButtonEx* button : *side) {
            button->mode = PressRadio;
            button->columnWidth = column;
        }
    }
    const CStr framePath = ChildPath(path, "FrameWnd");
    m_frame = new CFrameWnd(this, framePath, true);
    m_frame->noMargins = 1;
    m_frame->UpdateMargins();
    m_rtTradingIcon = new CTextWnd(m_frame, ChildPath(framePath, "RtTradingIcon"), true);
    m_scrTrading = new CScrollBar(m_frame, ChildPath(framePath, "ScrTrading"), true);
    m_rtTradingCost = new CTextWnd(m_frame, ChildPath(framePath, "RtTradingCost"), true);
    m_btnAccept = new CPushButton(m_frame, ChildPath(framePath, "BtnAccept"), true);
    m_resTreasury = new CResWnd(this, ChildPath(path, "ResTreasury"), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"), true);
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"), true);

    m_btnAccept->BindHandler(HandlerClick, this, &CTradingWnd::OnAccept);
    m_btnOk->BindHandler(HandlerClick, this, &CTradingWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CTradingWnd::OnCancel);
    for (CButtonEx* button : m_left)
        button->BindHandler(HandlerClick, this, &CTradingWnd::OnFromClick);
    for (CButtonEx* button : m_right)
        button->BindHandler(HandlerClick, this, &CTradingWnd::OnToClick);
    m_scrTrading->scrolled.Bind(this, &CTradingWnd::OnSliderChanged);
}

CTradingWnd::~CTradingWnd()
{
    PrepareDestroy();
}

void CTradingWnd::Setup(TradingRequest* record)
{
    m_record = record;
    m_pairs.clear();
    if (m_record == nullptr)
        return;
    m_shown = m_record->treasury;
    m_committed = m_shown;
    // A bundle shorter than the world's kinds cannot trade what it does not hold.
    m_kindCount = static_cast<int16_t>(std::min<int32_t>({kMaxKinds, WorldKindCount(), m_shown.Count()}));
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesIcons).Chars());
        for (int i = 0; i < kMaxKinds; ++i) {
            CButtonEx* left = m_left[static_cast<size_t>(i)];
            CButtonEx* right = m_right[static_cast<size_t>(i)];
            if (i < m_kindCount) {
                const CStr name = ResourceKindName(i);
                const CStr caption = LocaleText(name.Chars());
                for (CButtonEx* button : {left, right}) {
                    button->SetPicture(name, false);
                    button->SetText2(caption, false);
                }
            } else {
                left->Show(false, false);
                right->Show(false, false);
            }
        }
    }
    for (int16_t from = 0; from < m_kindCount; ++from) {
        for (int16_t to = 0; to < m_kindCount; ++to) {
            if (to == from)
                continue;
            auto pair = std::make_unique<TradingPair>();
            pair->from = static_cast<uint16_t>(from);
            pair->to = static_cast<uint16_t>(to);
            // A pair the poster gave no rate for buys nothing.
            for (const MarketRate& rate : m_record->rates) {
                if (rate.from == pair->from && rate.to == pair->to) {
                    pair->a = rate.a;
                    pair->b = std::max(rate.b, 0);
                }
            }
            m_pairs.push_back(std::move(pair));
        }
    }
    for (int i = 0; i < m_kindCount; ++i) {
        for (CButtonEx* button : {m_left[static_cast<size_t>(i)], m_right[static_cast<size_t>(i)]}) {
            button->SetChecked(false, true);
            button->Show(true, false);
        }
    }
    // A kind that buys nothing at our rates cannot be given.
    int16_t first = -1;
    for (int16_t i = 0; i < m_kindCount; ++i) {
        const bool gives = FirstTarget(i) >= 0;
        m_left[static_cast<size_t>(i)]->Enable(gives, false);
        if (gives && first < 0)
            first = i;
    }
    m_to = 0;
    if (first < 0) {
        // One kind, or no rate that buys anything: no exchange, OK hands the
        // treasury back unchanged.
        m_from = 0;
        ShowBundle(m_resTreasury, m_shown, true);
        m_scrTrading->Window()->Show(false, false);
        m_btnAccept->Show(false, false);
        return;
    }
    SelectFrom(first);
}

void CTradingWnd::OnFromClick(CWindow* button, intptr_t)
{
    for (int16_t i = 0; i < m_kindCount; ++i) {
        if (m_left[static_cast<size_t>(i)] == button) {
            SelectFrom(i);
            return;
        }
    }
}

void CTradingWnd::OnToClick(CWindow* button, intptr_t)
{
    for (int16_t i = 0; i < m_kindCount; ++i) {
        if (m_right[static_cast<size_t>(i)] == button) {
            SelectTo(i);
            return;
        }
    }
}

void CTradingWnd::SelectFrom(int16_t index)
{
    if (FirstTarget(index) < 0)
        return;
    m_from = index;
    for (int16_t k = 0; k < m_kindCount; ++k)
        m_left[static_cast<size_t>(k)]->SetCheckedRelease(k == index, true);
    if (!IsOffered(m_from, m_to))
        m_to = FirstTarget(m_from);
    SelectTo(m_to);
}

void CTradingWnd::SelectTo(int16_t index)
{
    // The kind given is never the kind got, nor a kind it buys none of;
    // their right buttons are disabled, so only a caller outside the buttons
    // could ask for them.
    if (!IsOffered(m_from, index))
        return;
    m_to = index;
    m_shown = m_committed;
    ShowBundle(m_resTreasury, m_shown, true);
    for (int16_t k = 0; k < m_kindCount; ++k) {
        CButtonEx* button = m_right[static_cast<size_t>(k)];
        button->SetChecked(k == index, false);
        button->Enable(IsOffered(m_from, k), false);
        button->Invalidate();
    }
    UpdateExchange();
}

const TradingPair* CTradingWnd::FindPair(int32_t from, int32_t to) const
{
    for (auto it = m_pairs.rbegin(); it != m_pairs.rend(); ++it) {
        if ((*it)->from == from && (*it)->to == to)
            return it->get();
    }
    return nullptr;
}

bool CTradingWnd::IsOffered(int32_t from, int32_t to) const
{
    if (from == to)
        return false;
    const TradingPair* pair = FindPair(from, to);
    return pair != nullptr && pair->b > 0;
}

int16_t CTradingWnd::FirstTarget(int32_t from) const
{
    for (int16_t k = 0; k < m_kindCount; ++k)
        if (IsOffered(from, k))
            return k;
    return -1;
}

void CTradingWnd::UpdateExchange()
{
    ShowBundle(m_resTreasury, m_shown, true);
    const CStr fromIcon = IconPath(m_from);
    const CStr toIcon = IconPath(m_to);
    const TradingPair* pair = FindPair(m_from, m_to);
    const int32_t a = pair != nullptr ? pair->a : 0;
    const int32_t b = pair != nullptr ? pair->b : 0;
    FormatTextControl(m_rtTradingCost, fromIcon, static_cast<long>(a), toIcon, static_cast<long>(b));
    const int32_t have = AmountAt(m_shown, m_from);
    const int32_t max = TradingSliderMax(have, a, b);
    m_scrTrading->SetMin(0, false);
    m_scrTrading->SetMax(max, false);
    m_scrTrading->SetPage(std::max(1, max / 20), false);
    m_scrTrading->SetPos(0, true, true);
    m_scrTrading->Window()->Show(max > 0, false);
    m_btnAccept->Show(max > 0, false);
    OnSliderChanged(m_scrTrading);
    if (max == 0 && b > 0) {
        // Too little of the kind given for one unit of the kind got.
        CStr reason;
        reason.Format(LocaleText("TradeTooLittle").Chars(), fromIcon.Chars(), static_cast<long>(a),
                      toIcon.Chars());
        m_rtTradingIcon->SetText(reason, true);
    }
}

void CTradingWnd::OnSliderChanged(CScrollBar* bar)
{
    const TradingPair* pair = FindPair(m_from, m_to);
    const int32_t v = bar != nullptr ? std::max(bar->Pos(), 0) : 0;
    const TradingExchange exchange =
        pair != nullptr ? TradingAtPosition(v, pair->a, pair->b) : TradingExchange{};
    const int32_t give = exchange.give;
    const int32_t get = exchange.get;
    SetAmountAt(m_shown, m_from, AmountAt(m_committed, m_from) - give);
    SetAmountAt(m_shown, m_to, AmountAt(m_committed, m_to) + get);
    FormatTextControl(m_rtTradingIcon, IconPath(m_from), static_cast<long>(give), IconPath(m_to),
                      static_cast<long>(get));
    ShowBundle(m_resTreasury, m_shown, true);
    m_btnAccept->Enable(v > 0, true);
}

void CTradingWnd::OnAccept(CWindow*, intptr_t)
{
    m_committed = m_shown;
    UpdateExchange();
}

void CTradingWnd::OnOk(CWindow*, intptr_t)
{
    if (m_record != nullptr) {
        // An exchange left on the slider counts too.
        m_record->treasury = m_shown;
        m_record->confirmed = 1;
    }
    SetModalResult(ResultOk);
    EndModal(this);
}

void CTradingWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}

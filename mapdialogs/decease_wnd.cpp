#include "mapdialogs/decease_wnd.h"

#include <new>

#include "game/resource_bundle.h"
#include "mapdialogs/castle_work_wnd.h"
#include "mapdialogs/dialog_children.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/text_format.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

// The cost of n raiders: the rules multiply by an 8-bit count.
CResourceBundle RaidersCost(const CResourceBundle& perRaider, int32_t n)
{
    CResourceBundle cost = perRaider;
    cost.Multiply(n & 0xFF);
    return cost;
}

CValueScroller* ScrollerOf(CWindow* window)
{
    return window != nullptr ? static_cast<CValueScroller*>(window->QueryInterface(IidValueScroller))
                             : nullptr;
}

}  // namespace

// ---- The question ------------------------------------------------------------

CDeceaseWnd::CDeceaseWnd(CWindow* parent, const CStr& path, bool load) : CFrameWnd(parent, path, load)
{
    {
        DialogNodeScope scope(path);
        if (scope.Entered()) {
            m_background = static_cast<CIconWnd*>(CreateNamedControl(this, "IcoBg"));
            m_province = static_cast<CTextWnd*>(CreateNamedControl(this, "RtProvince"));
            m_player = static_cast<CTextWnd*>(CreateNamedControl(this, "RtPlayer"));
            m_raidersLabel = static_cast<CLabel*>(CreateNamedControl(this, "LblRaiders"));
            m_raidersIcon = static_cast<CIconWnd*>(CreateNamedControl(this, "IcoRaiders"));
            m_raiders = ScrollerOf(CreateNamedControl(this, "ScrRaiders"));
            m_chanceLabel = static_cast<CLabel*>(CreateNamedControl(this, "LblChance"));
            m_chance = static_cast<CTextWnd*>(CreateNamedControl(this, "RtChance"));
            m_costLabel = static_cast<CLabel*>(CreateNamedControl(this, "LblCost"));
            m_cost = static_cast<CTextWnd*>(CreateNamedControl(this, "RtCost"));
            m_treasuryLabel = static_cast<CLabel*>(CreateNamedControl(this, "LblTreasury"));
            m_treasury = static_cast<CResWnd*>(CreateNamedControl(this, "ResTreasury"));
            m_ok = static_cast<CPushButton*>(CreateNamedControl(this, "BtnOk"));
            m_cancel = static_cast<CPushButton*>(CreateNamedControl(this, "BtnCancel"));
        }
    }
    if (m_ok)
        m_ok->BindHandler(HandlerClick, this, &CDeceaseWnd::OnOk);
    if (m_cancel)
        m_cancel->BindHandler(HandlerClick, this, &CDeceaseWnd::OnCancel);
    if (m_raiders)
        m_raiders->valueChanged.Bind(this, &CDeceaseWnd::OnRaidersChanged);
}

CDeceaseWnd::~CDeceaseWnd()
{
    if (m_raiders)
        m_raiders->valueChanged.Clear();
    PrepareDestroy();
}

void CDeceaseWnd::Setup(DeceaseRequestArgs* request)
{
    m_request = request;
    if (request == nullptr)
        return;
    if (!request->provinceName.IsEmpty())
        FormatTextControl(m_province, request->provinceName);
    if (!request->ownerName.IsEmpty())
        FormatTextControl(m_player, request->ownerName);
    FormatTextControl(m_chance, request->chance, 1);
    if (m_raiders != nullptr) {
        m_raiders->SetMin(1, false);
        m_raiders->SetMax(request->maxRaiders, false);
        m_raiders->SetValue(1, true, true);
    }
}

void CDeceaseWnd::OnRaidersChanged(CValueScroller* scroller)
{
    if (m_request == nullptr || scroller == nullptr)
        return;
    const int32_t n = scroller->Value();
    const CResourceBundle cost = RaidersCost(m_request->raiderCost, n);
    FormatTextControl(m_chance, m_request->chance, n);
    FormatTextControl(m_cost, cost.GetByChars("gold"));
    ShowResourceAmounts(m_treasury, CResourceBundle::SubtractedCopy(m_request->treasury, cost), true);
}

void CDeceaseWnd::OnOk(CWindow*, intptr_t)
{
    if (m_request != nullptr) {
        m_request->raiders = static_cast<int16_t>(m_raiders != nullptr ? m_raiders->Value() : 0);
        m_request->confirmed = 1;
    }
    SetModalResult(ResultOk);
    EndModal(this);
}

void CDeceaseWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_request != nullptr)
        m_request->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}

// ---- The notices ---------------------------------------------------------------

namespace {
const NoticeChild kFailure[] = {{"IcoBg", NoticeIcon}, {"RtMessage", NoticeText}};
const NoticeChild kSuccess[] = {{"IcoBg", NoticeIcon},         {"RtDeceaseProvince", NoticeText},
                                {"LblEnemyLost", NoticeLabel}, {"EnemyArmy", NoticeArmyList},
                                {"RtIncomeMsg", NoticeText},   {"RtExp", NoticeText}};
}  // namespace

CDeceaseFailureWnd::CDeceaseFailureWnd(CWindow* parent, const CStr& path, bool)
    : CCovertNoticeWnd(parent, path, kFailure, 2, "RtMessage")
{}

CDeceaseSuccessWnd::CDeceaseSuccessWnd(CWindow* parent, const CStr& path, bool)
    : CCovertNoticeWnd(parent, path, kSuccess, 6, nullptr)
{}

void CDeceaseSuccessWnd::Setup(DeceaseResultArgs* result)
{
    if (result == nullptr)
        return;
    FormatTextControl(Text("RtDeceaseProvince"), result->provinceName);
    FillArmyListControl(Child("EnemyArmy"), &result->killed, result->owner);
    FormatTextControl(Text("RtExp"), result->experience);
}

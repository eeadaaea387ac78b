#include "mapdialogs/robbery_wnd.h"

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

CRobberyWnd::CRobberyWnd(CWindow* parent, const CStr& path, bool load) : CFrameWnd(parent, path, load)
{
    {
        DialogNodeScope scope(path);
        if (scope.Entered()) {
            m_background = static_cast<CIconWnd*>(CreateNamedControl(this, "IcoBg"));
            m_player = static_cast<CTextWnd*>(CreateNamedControl(this, "RtPlayer"));
            m_raidersLabel = static_cast<CLabel*>(CreateNamedControl(this, "LblRaiders"));
            m_raidersIcon = static_cast<CIconWnd*>(CreateNamedControl(this, "IcoRaiders"));
            CWindow* scroller = CreateNamedControl(this, "ScrRaiders");
            m_raiders = scroller != nullptr
                            ? static_cast<CValueScroller*>(scroller->QueryInterface(IidValueScroller))
                            : nullptr;
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
        m_ok->BindHandler(HandlerClick, this, &CRobberyWnd::OnOk);
    if (m_cancel)
        m_cancel->BindHandler(HandlerClick, this, &CRobberyWnd::OnCancel);
    if (m_raiders)
        m_raiders->valueChanged.Bind(this, &CRobberyWnd::OnRaidersChanged);
}

CRobberyWnd::~CRobberyWnd()
{
    if (m_raiders)
        m_raiders->valueChanged.Clear();
    PrepareDestroy();
}

void CRobberyWnd::Setup(RobberyRequestArgs* request)
{
    m_request = request;
    if (request == nullptr)
        return;
    FormatTextControl(m_player, request->victimName);
    FormatTextControl(m_chance, request->chance, 1);
    if (m_raiders != nullptr) {
        m_raiders->SetMin(1, false);
        m_raiders->SetMax(request->maxRaiders, false);
        m_raiders->SetValue(1, true, true);
        OnRaidersChanged(m_raiders);
    }
}

void CRobberyWnd::OnRaidersChanged(CValueScroller* scroller)
{
    if (m_request == nullptr || scroller == nullptr)
        return;
    const int32_t n = scroller->Value();
    CResourceBundle cost = m_request->raiderCost;
    cost.Multiply(n & 0xFF);
    FormatTextControl(m_chance, m_request->chance, n);
    FormatTextControl(m_cost, cost.GetByChars("gold"));
    ShowResourceAmounts(m_treasury, CResourceBundle::SubtractedCopy(m_request->treasury, cost), true);
}

void CRobberyWnd::OnOk(CWindow*, intptr_t)
{
    if (m_request != nullptr) {
        const int16_t n = static_cast<int16_t>(m_raiders != nullptr ? m_raiders->Value() : 0);
        m_request->tries = n > 0 ? static_cast<uint32_t>(n) : 0;
        m_request->confirmed = 1;
    }
    SetModalResult(ResultOk);
    EndModal(this);
}

void CRobberyWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_request != nullptr)
        m_request->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}

namespace {
const NoticeChild kMessage[] = {{"IcoBg", NoticeIcon}, {"RtMessage", NoticeText}};
const NoticeChild kSuccess[] = {{"IcoBg", NoticeIcon}, {"RtMessage", NoticeText}, {"RtExp", NoticeText}};
}  // namespace

CRobberyEmptyWnd::CRobberyEmptyWnd(CWindow* parent, const CStr& path, bool)
    : CCovertNoticeWnd(parent, path, kMessage, 2, "RtMessage")
{}

void CRobberyEmptyWnd::Setup(RobberyResultArgs* result)
{
    if (result != nullptr)
        FormatTextControl(Text("RtMessage"), result->victimName);
}

CRobberyFailureWnd::CRobberyFailureWnd(CWindow* parent, const CStr& path, bool)
    : CCovertNoticeWnd(parent, path, kMessage, 2, "RtMessage")
{}

CRobberySuccessWnd::CRobberySuccessWnd(CWindow* parent, const CStr& path, bool)
    : CCovertNoticeWnd(parent, path, kSuccess, 3, "RtMessage")
{}

void CRobberySuccessWnd::Setup(RobberyResultArgs* result)
{
    if (result == nullptr)
        return;
    FormatTextControl(Text("RtMessage"), result->amount, result->victimName);
    FormatTextControl(Text("RtExp"), result->experience);
}

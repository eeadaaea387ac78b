#include "mapdialogs/scout_wnd.h"

#include <new>

#include "mapdialogs/castle_wnd.h"
#include "mapdialogs/dialog_children.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/text_format.h"
#include "ui/window_mgr.h"

CScoutWnd::CScoutWnd(CWindow* parent, const CStr& path, bool load) : CDialog(parent, path, load)
{
    {
        DialogNodeScope scope(path);
        if (scope.Entered()) {
            m_background = static_cast<CIconWnd*>(CreateNamedControl(this, "IcoBg"));
            m_province = static_cast<CTextWnd*>(CreateNamedControl(this, "RtProvince"));
            m_ownerLabel = static_cast<CLabel*>(CreateNamedControl(this, "LblOwner"));
            m_player = static_cast<CTextWnd*>(CreateNamedControl(this, "RtPlayer"));
            m_chance = static_cast<CTextWnd*>(CreateNamedControl(this, "RtChance"));
            m_costLabel = static_cast<CLabel*>(CreateNamedControl(this, "LblCost"));
            m_cost = static_cast<CTextWnd*>(CreateNamedControl(this, "RtCost"));
            m_ok = static_cast<CPushButton*>(CreateNamedControl(this, "BtnOk"));
            m_cancel = static_cast<CPushButton*>(CreateNamedControl(this, "BtnCancel"));
        }
    }
    if (m_ok)
        m_ok->BindHandler(HandlerClick, this, &CScoutWnd::OnOk);
    if (m_cancel)
        m_cancel->BindHandler(HandlerClick, this, &CScoutWnd::OnCancel);
}

CScoutWnd::~CScoutWnd()
{
    PrepareDestroy();
}

void CScoutWnd::Setup(ScoutRequestArgs* request)
{
    m_request = request;
    if (request == nullptr)
        return;
    FormatTextControl(m_province, request->provinceName);
    FormatTextControl(m_player, request->ownerName);
    FormatTextControl(m_chance, request->chance);
    FormatTextControl(m_cost, request->price.GetByChars("gold"));
}

void CScoutWnd::OnOk(CWindow*, intptr_t)
{
    if (m_request != nullptr)
        m_request->confirmed = 1;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CScoutWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_request != nullptr)
        m_request->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}

namespace {
const NoticeChild kFailure[] = {{"IcoBg", NoticeIcon}, {"RtProvince", NoticeText}, {"RtMessage", NoticeText}};
const NoticeChild kSuccess[] = {{"IcoBg", NoticeIcon},
                                {"RtProvince", NoticeText},
                                {"RtScoutInfo", NoticeText},
                                {"LblGuardianArmy", NoticeLabel},
                                {"GuardianArmy", NoticeArmyList},
                                {"LblCastle", NoticeLabel},
                                {"CastleCtrl", NoticeCastle}};
}  // namespace

CScoutFailureWnd::CScoutFailureWnd(CWindow* parent, const CStr& path, bool)
    : CCovertNoticeWnd(parent, path, kFailure, 3, "RtMessage")
{}

void CScoutFailureWnd::Setup(ScoutResultArgs* result)
{
    if (result != nullptr)
        FormatTextControl(Text("RtProvince"), result->provinceName);
}

CScoutSuccessWnd::CScoutSuccessWnd(CWindow* parent, const CStr& path, bool)
    : CCovertNoticeWnd(parent, path, kSuccess, 7, "RtScoutInfo")
{}

CCastleWnd* CScoutSuccessWnd::CastleControl() const
{
    CWindow* w = Child("CastleCtrl");
    return w != nullptr ? static_cast<CCastleWnd*>(w->QueryInterface(IidCastleWnd)) : nullptr;
}

void CScoutSuccessWnd::Setup(ScoutResultArgs* result)
{
    if (result == nullptr)
        return;
    FormatTextControl(Text("RtProvince"), result->provinceName);
    // An empty army is no army: the list keeps its empty-list text.
    if (result->garrison.Count() > 0)
        FillArmyListControl(Child("GuardianArmy"), &result->garrison, result->owner);
    if (result->castle != nullptr) {
        if (CCastleWnd* castle = CastleControl())
            castle->UpdateStatus(result->castle);
    }
}

#include "mapdialogs/volunteers_wnd.h"

#include "game/player_record.h"
#include "game/running_game.h"
#include "mapdialogs/dialog_controls.h"
#include "mapdialogs/item_list_wnd.h"
#include "ui/button.h"
#include "ui/child_path.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/text_format.h"
#include "ui/window_mgr.h"

CVolunteersWnd::CVolunteersWnd(CWindow* parent, const CStr& layoutName, bool load)
    : CDialog(parent, DialogLayoutPath(layoutName), load)
{
    const CStr& path = m_link.Path();
    m_rtMessage = new CTextWnd(this, ChildPath(path, "RtMessage"), true);
    m_resCost = new CResWnd(this, ChildPath(path, "ResCost"), true);
    m_resTreasury = new CResWnd(this, ChildPath(path, "ResTreasury"), true);
    m_armyIncom = new CItemListWnd(this, ChildPath(path, "ArmyIncom"), true);
    m_btnYes = new CPushButton(this, ChildPath(path, "BtnYes"), true);
    m_btnNo = new CPushButton(this, ChildPath(path, "BtnNo"), true);
    m_btnYes->BindHandler(HandlerClick, this, &CVolunteersWnd::OnYes);
    m_btnNo->BindHandler(HandlerClick, this, &CVolunteersWnd::OnNo);
}

CVolunteersWnd::~CVolunteersWnd()
{
    PrepareDestroy();
}

void CVolunteersWnd::Setup(VolunteersRequest* record)
{
    m_record = record;
    if (m_record == nullptr)
        return;
    FormatTextControl(m_rtMessage, m_record->provinceName);
    ShowBundle(m_resCost, m_record->price, true);
    // What the treasury keeps after paying, never below 0 of a kind.
    const PlayerRecord* player = CurrentPlayer();
    const CResourceBundle treasury = player != nullptr ? player->treasury : CResourceBundle();
    ShowBundle(m_resTreasury, CResourceBundle::SubtractedCopy(treasury, m_record->price), true);
    m_armyIncom->Fill(m_record->squad, SquadFaceLeft, true, false, false);
}

void CVolunteersWnd::OnYes(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 1;
    SetModalResult(kResultYes);
    EndModal(this);
}

void CVolunteersWnd::OnNo(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 0;
    SetModalResult(kResultNo);
    EndModal(this);
}

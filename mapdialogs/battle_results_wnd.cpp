#include "mapdialogs/battle_results_wnd.h"

#include "core/ui_mgr.h"
#include "game/player_colour.h"
#include "mapdialogs/item_list_wnd.h"
#include "players/request_records.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/window_mgr.h"

namespace {

CStr Localized(const char* key)
{
    return CUIMgr::Locale().Lookup(key);
}

}  // namespace

CBattleResultsWnd::CBattleResultsWnd(CWindow* parent, const CStr& path) : CFrameWnd(parent, path, true)
{
    const CStr node = BindLayoutNode(m_link);
    m_lblOwnerLost = new CLabel(this, ChildPath(node, "LblOwnerLost"), true);
    m_ownerLost = new CItemListWnd(this, ChildPath(node, "OwnerLost"));
    m_lblEnemyLost = new CLabel(this, ChildPath(node, "LblEnemyLost"), true);
    m_enemyLost = new CItemListWnd(this, ChildPath(node, "EnemyLost"));
    m_exp = new CLabel(this, ChildPath(node, "LblExp"), true);
    m_expVal = new CLabel(this, ChildPath(node, "LblExpVal"), true);
    // Disabled controls pass the pen to the window, so a tap anywhere closes it.
    for (CWindow* control : {static_cast<CWindow*>(m_lblOwnerLost), static_cast<CWindow*>(m_ownerLost),
                             static_cast<CWindow*>(m_lblEnemyLost), static_cast<CWindow*>(m_enemyLost),
                             static_cast<CWindow*>(m_exp), static_cast<CWindow*>(m_expVal)})
        control->Enable(false, false);
}

CBattleResultsWnd::~CBattleResultsWnd()
{
    PrepareDestroy();
}

void CBattleResultsWnd::Setup(const BattleResultArgs* record)
{
    if (record == nullptr)
        return;
    CStr caption;
    if (record->won != 0) {
        m_sound.Load(kVictorySound);
        caption = Localized("YouWon");
    } else {
        m_sound.Load(kDefeatSound);
        caption = Localized("YouLost");
        m_exp->Show(false, false);
        m_expVal->Show(false, false);
    }
    SetText(caption, true);
    m_ownerLost->SetSideColour(PlayerColour(record->own), false);
    m_enemyLost->SetSideColour(PlayerColour(record->enemy), false);
    m_ownerLost->Fill(record->ownLosses, SquadFaceLeft, true, false, false);
    m_enemyLost->Fill(record->enemyLosses, SquadFaceRight, true, false, false);
    if (record->experience != 0) {
        m_exp->SetText(Localized("BattleExp"), true);
        CStr value;
        value.Format("%ld", record->experience);
        m_expVal->SetText(value, false);
        m_expVal->Show(true, false);
    } else {
        m_exp->SetText(Localized("NoExpGain"), true);
        m_expVal->Show(false, false);
    }
}

void CBattleResultsWnd::OnShow()
{
    CFrameWnd::OnShow();
    m_sound.Play();
}

void CBattleResultsWnd::OnPenUp(const PackedPoint& point)
{
    WindowGuard guard(this);
    CFrameWnd::OnPenUp(point);
    if (guard.Alive())
        EndModal(this);
}

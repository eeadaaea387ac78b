#include "mapdialogs/cust_plr_wnd.h"

#include "game/player_record.h"
#include "game/squad_type.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "ui/window_mgr.h"

// The description of one of the position's squad kinds, over the upper part
// of this window.
void CCustPlrWnd::ShowSquadType(int32_t i)
{
    if (m_player == nullptr || i < 0 || static_cast<size_t>(i) >= m_player->slotTypes.size())
        return;
    const CSquadType* type = FindSquadType(m_player->slotTypes[static_cast<size_t>(i)]);
    if (type == nullptr)
        return;
    auto* descr = new CSquadDescrWnd(this, CStr(kSquadDescrLayout));
    PackedRect rect = descr->RequestedRect();
    const int32_t top = -(Margins().Top() / 2);
    descr->SetRect(PackedRect(0, top, rect.Width() - 1, top + rect.Height() - 1), true);
    descr->Setup(type);
    RunModal(descr);
    delete descr;
}

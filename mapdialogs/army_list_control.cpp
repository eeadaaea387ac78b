#include "game/army.h"
#include "game/player_colour.h"
#include "mapdialogs/covert_notice_wnd.h"
#include "mapdialogs/item_list_wnd.h"

CWindow* CreateArmyListControl(CWindow* parent, const char* name)
{
    return new (std::nothrow) CItemListWnd(parent, CStr(name), true);
}

void FillArmyListControl(CWindow* list, const CArmy* army, const PlayerRecord* owner)
{
    if (list == nullptr || army == nullptr)
        return;
    if (owner != nullptr)
        list->SetSideColour(PlayerColour(owner), false);
    // The notices only create item lists under these names.
    static_cast<CItemListWnd*>(list)->Fill(*army, 0, true, false, false);
}

#include "mapscreen/panel_contents.h"

#include "game/player_colour.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "mapdialogs/castle_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapscreen/map_wnd_parts.h"
#include "ui/markup_wnd.h"

CItemListWnd* PanelContents::CreateArmyList(CWindow* parent, const CStr& path)
{
    CItemListWnd* list = new CItemListWnd(parent, path, true);
    list->SetDisplayFlags(true, false, false);
    // A panel lists what stands there: a squad whose units are gone is not.
    list->options |= ItemListHideEmpty;
    return list;
}

CCastleWnd* PanelContents::CreateCastleControl(CWindow* parent, const CStr& path)
{
    return new CCastleWnd(parent, path, true);
}

void PanelContents::FillArmyList(CItemListWnd* list, const CArmy* army, const PlayerRecord* owner,
                                 const char* emptyKey)
{
    if (!list)
        return;
    list->SetSideColour(PlayerColour(owner), false);
    if (emptyKey)
        list->SetEmptyText(LocalizedText(emptyKey));
    if (army)
        list->Fill(*army, 0, true, false, false);
    else
        list->Clear(true);
}

void PanelContents::ShowCastleStatus(CCastleWnd* control, ProvinceRecord* province, const char* emptyKey)
{
    if (!control)
        return;
    if (province && province->HasCastle()) {
        control->UpdateStatus(&province->castle);
        return;
    }
    if (CMarkupWnd* text = control->NoCastleText())
        text->SetText(LocalizedText(emptyKey), false);
    control->UpdateStatus(nullptr);
}

void PanelContents::ShowComputerTurnTitle(CTextWnd* title, const PlayerRecord* player)
{
    if (player != nullptr && !player->IsHuman()) {
        FormatOwnString(title, 0, player->name);
    } else if (title) {
        title->SetText(CStr(), true);
    }
}

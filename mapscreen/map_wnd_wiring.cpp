// The map window's steps on the screen's other parts: the map frame, the
// report window and the setting up of a person's player.

#include "core/core_main.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/army.h"
#include "game/game_world.h"
#include "game/player_colour.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/ui_request.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/castle_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/report_wnd.h"
#include "mapscreen/map_frame.h"
#include "mapscreen/map_wnd.h"
#include "mapscreen/map_wnd_parts.h"
#include "players/request_records.h"
#include "ui/markup_wnd.h"
#include "ui/side_colours.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

// ---- Map frame and view ----------------------------------------------------

void CMapWnd::CreateMapFrame()
{
    if (m_mapFrame)
        return;
    {
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(m_link.Path().Chars());
        m_mapFrame = new CMapFrame(m_window, MapWndPath(m_link.Path(), "MapFrame"));
    }
    // The map's pictures are painted in its own palette's colours.
    m_mapFrame->Window()->SetSideColour(kPaintedSideColour, false);
    m_mapFrame->onProvincePenDown = [this](uint16_t province) { OnProvincePenDown(int16_t(province)); };
    m_mapFrame->onProvinceDoubleClick = [this](uint16_t province) { OnProvinceDoubleTap(int16_t(province)); };
    m_mapFrame->onProvinceHover = [this](uint16_t province) { OnProvinceDrag(int16_t(province)); };
    // The new view takes the hold the window keeps.
    m_mapFrame->View().HoldBlink(m_held);
    m_inputs.ConnectGameSignals();
    m_inputs.ConnectMenuKey();
}

void CMapWnd::DestroyMapFrame()
{
    CMapFrame* frame = m_mapFrame;
    m_mapFrame = nullptr;
    delete frame;
}

// ---- Dialogs ---------------------------------------------------------------

void CMapWnd::DestroyDialogs()
{
    m_dialogs.DestroyAll();
}

void CMapWnd::OnCustomizePlayer(PlayerRecord* player)
{
    m_flowWindows.RunCustomPlayerWindow(player);
}

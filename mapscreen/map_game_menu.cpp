#include "mapscreen/map_game_menu.h"

#include "mapdialogs/game_info_wnd.h"
#include "mapdialogs/game_menu.h"
#include "mapdialogs/map_prefs_wnd.h"
#include "mapdialogs/prefs_wnds.h"
#include "mapscreen/map_wnd_parts.h"
#include "ui/window_mgr.h"

void MapGameMenu::Create()
{
    if (!m_menu)
        m_menu = new CGameMenu(m_window, MapWndPath(m_layoutPath, "MainMenu"));
}

void MapGameMenu::Destroy()
{
    CGameMenu* menu = m_menu;
    m_menu = nullptr;
    delete menu;
}

bool MapGameMenu::IsShown() const
{
    return m_menu && m_menu->IsVisible();
}

void MapGameMenu::Close()
{
    if (m_menu)
        EndModal(m_menu);
}

uint16_t MapGameMenu::Run(bool reportsEnabled)
{
    if (!m_menu)
        return 0;
    m_menu->EnableItem(2, reportsEnabled);
    return RunModal(m_menu);
}

void MapGameMenu::RunItemWindow(uint32_t id)
{
    CWindow* window = nullptr;
    const CStr path = MapWndPath(m_layoutPath, id == 6   ? "GameInfoWnd"
                                               : id == 7 ? "MapPrefsWnd"
                                                         : "GamePrefsWnd");
    if (id == 6)
        window = new CGameInfoWnd(m_window, path);
    if (id == 7)
        window = new CMapPrefsWnd(m_window, path);
    if (id == 20)
        window = new CGamePrefsWnd(m_window, path);
    if (!window)
        return;
    RunModal(window);
    delete window;
}

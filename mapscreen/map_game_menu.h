#pragma once
// The map window's in-game menu ("MainMenu") and the windows three of its
// items open: the game information, the map preferences and the game
// preferences. The menu is built once with the map window and hides between
// runs; an item's window is made for one run and deleted.

#include <cstdint>

#include "core/ref_string.h"

class CGameMenu;
class CWindow;

class MapGameMenu {
public:
    // The map window (the windows' parent) and its layout path, the one
    // the map window's own link holds: the windows' nodes are under it.
    MapGameMenu(CWindow* window, const CStr& layoutPath) : m_window(window), m_layoutPath(layoutPath) {}

    // Builds the menu as a child of the map window; the layout tree must
    // stand at the window's node.
    void Create();
    void Destroy();

    // Null until created.
    CGameMenu* Menu() const { return m_menu; }
    bool IsShown() const;
    void Close();
    // Runs the menu modally with its reports item enabled or not; the menu's
    // result, 0 when there is no menu.
    uint16_t Run(bool reportsEnabled);
    // Runs the window of item 6 (game information), 7 (map preferences) or
    // 20 (game preferences); nothing for any other item.
    void RunItemWindow(uint32_t id);

private:
    CWindow* m_window;
    const CStr& m_layoutPath;
    CGameMenu* m_menu = nullptr;
};

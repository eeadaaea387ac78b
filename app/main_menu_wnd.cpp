#include "app/main_menu_wnd.h"

#include "app/game_application.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "game/saved_game.h"

const char* const CMainMenuWnd::kEntryNames[EntryCount] = {
    "Map", "ResumeGame", "Battle", "Credits", "Help", "HallOfFame", "Exit", "Preferences",
};

CMainMenuWnd::CMainMenuWnd(CWindow* parent, const CStr& path) : CCompositeWnd(parent, path, true) {
    for (int32_t entry = 0; entry < EntryCount; ++entry) {
        CStr itemPath = CStr::ConcatChars(path, "/");
        itemPath.AppendChars(kEntryNames[entry]);
        m_items[entry] = new CMenuItem(m_window, itemPath, true);
        m_items[entry]->BindHandler(HandlerClick, this, &CMainMenuWnd::OnItemClick);
    }
}

CMainMenuWnd::~CMainMenuWnd() {
    if (m_spareConnection.IsConnected()) m_spareConnection.Disconnect();
}

void CMainMenuWnd::OnShow() {
    CCompositeWnd::OnShow();
    SaveSlots::Recount();
    if (CMenuItem* resume = m_items[EntryResumeGame]) resume->Enable(SaveSlots::ValidCount() >= 1, true);
}

void CMainMenuWnd::OnItemClick(CWindow* item, intptr_t) {
    int32_t entry = 0;
    while (entry < EntryCount && m_items[entry] != item) ++entry;
    if (entry == EntryExit) {
        RequestQuit();
        return;
    }
    CGameApplication* app = GameApplication;
    if (app == nullptr) return;
    switch (entry) {
        case EntryCredits: app->OnCredits(); break;
        case EntryHelp: app->OnHelp(); break;
        default: break;
    }
}

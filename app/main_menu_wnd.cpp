#include "app/main_menu_wnd.h"

#include "app/game_application.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "game/saved_game.h"

const char* const CMainMenuWnd::kEntryNames[EntryCount] = {
    "Map", "ResumeGame", "Battle", "Credits", "Help", "HallOfFame", "Exit", "Preferences",
};

namespace {

// The spare button opens the preferences, as the menu entry does.
void OnSpareButton(intptr_t, SignalDelegate*)
{
    if (GameApplication != nullptr)
        GameApplication->OnPreferences();
}

}  // namespace

CMainMenuWnd::CMainMenuWnd(CWindow* parent, const CStr& path) : CCompositeWnd(parent, path, true)
{
    for (int32_t entry = 0; entry < EntryCount; ++entry) {
        CStr itemPath = CStr::ConcatChars(path, "/");
        itemPath.AppendChars(kEntryNames[entry]);
        m_items[entry] = new CMenuItem(m_window, itemPath, true);
        m_items[entry]->BindHandler(HandlerClick, this, &CMainMenuWnd::OnItemClick);
    }
}

CMainMenuWnd::~CMainMenuWnd()
{
    if (m_spareConnection.IsConnected())
        m_spareConnection.Disconnect();
}

void CMainMenuWnd::OnShow()
{
    CCompositeWnd::OnShow();
    SaveSlots::Recount();
    if (CMenuItem* resume = m_items[EntryResumeGame])
        // A damaged slot keeps Resume open: it is where the person learns
        // which saved game could not be read.
        resume->Enable(SaveSlots::ValidCount() >= 1 || !SaveSlots::Damaged().empty(), true);
    SpareButtonSignal.Connect(OnSpareButton, m_spareConnection);
}

void CMainMenuWnd::OnItemClick(CWindow* item, intptr_t)
{
    int32_t entry = 0;
    while (entry < EntryCount && m_items[entry] != item)
        ++entry;
    if (entry == EntryExit) {
        RequestQuit();
        return;
    }
    CGameApplication* app = GameApplication;
    if (app == nullptr)
        return;
    switch (entry) {
    case EntryNewGame:
        app->OnNewGame();
        break;
    case EntryResumeGame:
        app->OnResumeGame();
        break;
    case EntryBattle:
        app->OnBattleTrainer();
        break;
    case EntryCredits:
        app->OnCredits();
        break;
    case EntryHelp:
        app->OnHelp();
        break;
    case EntryHallOfFame:
        app->OnHallOfFame();
        break;
    case EntryPreferences:
        app->OnPreferences();
        break;
    default:
        break;
    }
}

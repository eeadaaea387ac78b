#pragma once
// CMainMenuWnd: the title screen's menu ("/Main/MainMenu"). Each entry starts
// one flow of the application object; "Exit" quits. "ResumeGame" is enabled
// only while there is a saved game to resume.

#include <cstdint>

#include "core/signal.h"
#include "ui/composite_wnd.h"
#include "ui/label.h"

class CMainMenuWnd : public CCompositeWnd {
public:
    // The entries, in the order they are made.
    enum Entry : int32_t {
        EntryNewGame,
        EntryResumeGame,
        EntryBattle,
        EntryCredits,
        EntryHelp,
        EntryHallOfFame,
        EntryExit,
        EntryPreferences,
        EntryCount
    };
    static const char* const kEntryNames[EntryCount];

    CMainMenuWnd(CWindow* parent, const CStr& path);
    ~CMainMenuWnd() override;

    // Recounts the save slots, enables "ResumeGame" when one is valid and
    // listens to the spare button for the preferences.
    void OnShow() override;

    CMenuItem* Item(int32_t entry) const
    {
        return (entry >= 0 && entry < EntryCount) ? m_items[entry] : nullptr;
    }

private:
    void OnItemClick(CWindow* item, intptr_t);

    CMenuItem* m_items[EntryCount] = {};
    SignalConnection m_spareConnection;
};

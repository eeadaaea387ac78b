#pragma once
// CGameApplication: the one object of the application layer, made as the
// last step of the start-up. It starts the game-side stores, builds the title
// screen with its labels and the main menu, takes part in every frame step
// (window events, the exit key) and runs the flows the main menu starts.

#include <cstdint>

#include "battle/battle_flow.h"
#include "core/signal.h"
#include "mapscreen/map_wnd.h"

class CIconWnd;
class CLabel;
class CMainMenuWnd;
class CMapBattleWnd;
class CScreenWnd;

// The game version shown on the title screen and written to the log.
constexpr const char* kGameVersion = "v1.10r";

class CGameApplication {
public:
    CGameApplication();
    ~CGameApplication();
    CGameApplication(const CGameApplication&) = delete;
    CGameApplication& operator=(const CGameApplication&) = delete;

    // Always true: no step of it fails the start.
    bool Init();
    void Shutdown();

    // Shows the loading label and runs one frame step so it is drawn before
    // the long work that follows.
    void ShowLoading();
    void HideLoading();

    // The frame hook: window events, then the exit key's release.
    void OnFrame();
    // The key listener: the action key held for a second quits.
    void OnKey(uint32_t key);

    // The main menu's flows.
    void OnNewGame();
    void OnResumeGame();
    void OnBattleTrainer();
    void OnCredits();
    void OnHelp();
    void OnHallOfFame();
    void OnPreferences();
    // A save slot 0-8, or -1 when the user cancelled.
    int32_t PickSlotForNewGame();
    int32_t PickSlotForLoad();
    // Names every save slot that holds an unreadable file, in the log and in
    // a message the person taps away.
    void ExplainDamagedSlots();

    // The trainer's battle window hooks.
    void OnTrainerBattleOver();
    void OnTrainerTurnStart();

    CScreenWnd* TitleScreen() const { return m_screen; }
    CMainMenuWnd* MainMenu() const { return m_menu; }
    CLabel* VersionLabel() const { return m_version; }
    CLabel* LoadingLabel() const { return m_loading; }
    CIconWnd* TitlePicture() const { return m_title; }
    CIconWnd* CopyrightPicture() const { return m_copyright; }
    CMapBattleWnd* BattleWindow() const { return m_battleWnd; }
    CMapWnd* MapWindow() const { return m_mapWnd; }
    BattleParams& TrainerParams() { return m_trainerParams; }
    uint32_t ExitDeadline() const { return m_exitDeadline; }
    bool ExitArmed() const { return m_exitArmed; }

private:
    // The start and end of a flow: the animations stop and the menu hides;
    // then the menu and the animations come back.
    void RestoreMenu();
    void BeginFlow();
    // After a game: unless quitting, the root window, the title music, the
    // menu and the animations come back.
    void BackToTitle();
    // Creates the map window, starts (resume 0, with the options) or resumes
    // (1) a game in it and runs it; true when the game ran.
    bool RunMapWindow(uint8_t resume, const CMapWnd::NewGameOptions* options);
    // The save-slot picker in a mode; the chosen slot or -1.
    int32_t RunSlotPicker(uint8_t mode);

    CScreenWnd* m_screen = nullptr;
    uint32_t m_exitDeadline = 0;
    bool m_exitArmed = false;
    CLabel* m_version = nullptr;
    CLabel* m_loading = nullptr;
    CMainMenuWnd* m_menu = nullptr;
    CIconWnd* m_title = nullptr;
    CIconWnd* m_copyright = nullptr;
    CMapBattleWnd* m_battleWnd = nullptr;
    CMapWnd* m_mapWnd = nullptr;
    BattleParams m_trainerParams;
    SignalConnection m_keyConnection;
};

// The application object; null until the last start-up step made it.
extern CGameApplication* GameApplication;

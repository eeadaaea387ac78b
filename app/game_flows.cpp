// The main menu's flows that open the windows of the game: a new game, a
// saved game, the battle trainer, the hall of fame and the preferences.

#include "app/game_application.h"

#include <new>

#include "app/main_menu_wnd.h"
#include "app/new_game_wnd.h"
#include "app/pick_slot_wnd.h"
#include "battle/battle_hooks.h"
#include "battle/battle_trainer.h"
#include "battlescreen/map_battle_wnd.h"
#include "core/core_main.h"
#include "core/data_file.h"
#include "core/log.h"
#include "core/ui_mgr.h"
#include "game/battle_seam.h"
#include "game/saved_game.h"
#include "mapdialogs/hall_of_fame_wnd.h"
#include "mapdialogs/prefs_wnds.h"
#include "mapdialogs/trainer_setup_wnd.h"
#include "mapscreen/map_wnd.h"
#include "ui/message_wnd.h"
#include "ui/screen_wnd.h"
#include "ui/text_format.h"
#include "ui/window_mgr.h"

namespace {

constexpr const char* kTrainerFile = "zkvtrainer";

}  // namespace

void CGameApplication::BackToTitle()
{
    if (QuitFlag)
        return;
    CWindow* root = CWindowMgr::Root();
    if (root != nullptr && !root->IsVisible())
        root->Show(true, true);
    m_screen->PlayMusic(true);
    RestoreMenu();
}

bool CGameApplication::RunMapWindow(uint8_t resume, const CMapWnd::NewGameOptions* options)
{
    ShowLoading();
    m_mapWnd = new (std::nothrow) CMapWnd(nullptr, CStr("/Map/MapWnd"));
    if (m_mapWnd == nullptr) {
        HideLoading();
        return false;
    }
    if (options != nullptr) {
        m_mapWnd->SetNewGameOptions(*options);
        m_screen->PlayMusic(false);
    }
    const bool running = m_mapWnd->RunGame(resume) != 0;
    if (running) {
        if (options == nullptr)
            m_screen->PlayMusic(false);
        HideLoading();
        m_screen->Window()->Show(false, false);
        // The whole game runs inside the map window's modal run.
        RunModal(m_mapWnd->Window());
    } else {
        // A game that did not start has reported why; the label must not
        // stay over the title screen.
        HideLoading();
    }
    delete m_mapWnd;
    m_mapWnd = nullptr;
    if (running && !QuitFlag)
        m_screen->Window()->Show(true, true);
    return running;
}

void CGameApplication::OnNewGame()
{
    SaveSlots::Recount();
    BeginFlow();
    CMapWnd::NewGameOptions options;
    options.scenario = 0;
    options.mission = 0;
    options.difficulty = 1;
    options.playMode = 0;
    options.humans = 0;

    ShowLoading();
    LogWrite("QRAPP: Creating new game window...");
    CNewGameWnd* setup = new (std::nothrow) CNewGameWnd(m_screen->Window(), CStr("/Map/NewGameWnd"));
    HideLoading();
    if (setup == nullptr) {
        RestoreMenu();
        return;
    }
    const uint16_t result = RunModal(setup);
    if (result != ResultOk) {
        delete setup;
        if (!QuitFlag)
            RestoreMenu();
        return;
    }
    options.scenario = setup->ScenarioIndex();
    options.mission = setup->MissionIndex();
    options.difficulty = setup->GetDifficulty();
    options.playMode = setup->GetPlayMode();
    options.humans = setup->GetHumanCount();
    delete setup;

    const int32_t slot = PickSlotForNewGame();
    if (QuitFlag)
        return;
    if (slot < 0 || !SaveSlots::Select(slot)) {
        RestoreMenu();
        return;
    }
    RunMapWindow(0, &options);
    BackToTitle();
    SaveSlots::Deselect();
}

void CGameApplication::OnResumeGame()
{
    SaveSlots::Recount();
    BeginFlow();
    ExplainDamagedSlots();
    if (QuitFlag)
        return;
    if (SaveSlots::ValidCount() < 1) {
        RestoreMenu();
        return;
    }
    const int32_t slot = PickSlotForLoad();
    if (QuitFlag)
        return;
    if (slot < 0 || !SaveSlots::Select(slot)) {
        RestoreMenu();
        return;
    }
    const uint32_t state = SaveSlots::Check(slot);
    if (state != SaveSlots::kAbsent && state != SaveSlots::kValid) {
        CMessageWnd* box = new (std::nothrow) CMessageWnd(nullptr);
        if (box != nullptr) {
            CStr text;
            GetLocaleText("InvalidSlotM", text);
            box->Setup(text, CStr("InvalidSlotT"), MessageTapToClose, CStr(), true);
            delete box;
        }
        if (QuitFlag)
            return;
    }
    RunMapWindow(1, nullptr);
    BackToTitle();
    SaveSlots::Deselect();
}

void CGameApplication::ExplainDamagedSlots()
{
    for (const int slot : SaveSlots::Damaged()) {
        CStr line;
        line.Format("MAIN: saved game slot %ld (%s) cannot be read", long(slot + 1), SaveSlotFileName(slot));
        LogWrite(line);
        CMessageWnd* box = new (std::nothrow) CMessageWnd(nullptr);
        if (box == nullptr)
            continue;
        box->Setup(LocaleFormat("InvalidSlotN", long(slot + 1)), CStr("InvalidSlotT"), MessageTapToClose,
                   CStr(), true);
        delete box;
        if (QuitFlag)
            return;
    }
}

int32_t CGameApplication::PickSlotForNewGame()
{
    // A damaged file may be a game the person still wants: it is shown in the
    // picker and written over only when they say so.
    if (SaveSlots::ValidCount() < 1 && SaveSlots::Damaged().empty())
        return 0;
    return RunSlotPicker(PickSlotSave);
}

int32_t CGameApplication::PickSlotForLoad()
{
    if (SaveSlots::ValidCount() == 1)
        return SaveSlots::FirstValid();
    return RunSlotPicker(PickSlotLoad);
}

int32_t CGameApplication::RunSlotPicker(uint8_t mode)
{
    ShowLoading();
    CPickSlotWnd* picker = new (std::nothrow) CPickSlotWnd(mode, nullptr, CStr("/Main/PickSlotWnd"));
    HideLoading();
    if (picker == nullptr)
        return -1;
    const uint16_t result = RunModal(picker);
    const int32_t slot = result == ResultOk ? picker->ChosenSlot() : -1;
    delete picker;
    return slot;
}

void CGameApplication::OnBattleTrainer()
{
    m_screen->StopAnimations();
    m_screen->PlayMusic(false);
    m_menu->Window()->Show(false, false);
    ShowLoading();

    bool resumed = false;
    if (FILE* file = OpenVersionedFile(kTrainerFile, DataFileRead)) {
        FileClose(file);
        resumed = LoadTrainerBattle(kTrainerFile);
        DeleteTrainerBattle(kTrainerFile);
    }
    HideLoading();
    if (!resumed && !RunBattleTrainerSetup(&m_trainerParams, m_screen->Window())) {
        if (QuitFlag)
            return;
        RestoreMenu();
        m_screen->PlayMusic(true);
        return;
    }

    ShowLoading();
    m_battleWnd = new (std::nothrow) CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    if (m_battleWnd != nullptr) {
        m_battleWnd->battleOverHandler = [this] { OnTrainerBattleOver(); };
        g_battleHooks.turnStart.Bind(this, &CGameApplication::OnTrainerTurnStart);
        m_battleWnd->SetBattleParams(&m_trainerParams);
        HideLoading();
        m_screen->Window()->Show(false, false);
        m_battleWnd->resumeFlag = resumed ? 1 : 0;
        RunModal(m_battleWnd->Window());
        delete m_battleWnd;
        m_battleWnd = nullptr;
        // Only the trainer saves at a turn's start; a battle of a campaign must not.
        g_battleHooks.turnStart.Delete();
    }
    HideLoading();
    m_trainerParams.FreeParticipants();
    if (QuitFlag)
        return;
    m_screen->Window()->Show(true, true);
    RestoreMenu();
    m_screen->PlayMusic(true);
}

void CGameApplication::OnTrainerBattleOver()
{
    switch (BattleResult) {
    case 1:
        if (!(m_trainerParams.attackerSideKind == 1 && m_trainerParams.defenderSideKind == 1))
            SaveTrainerBattle(kTrainerFile);
        break;
    case 2:
    case 3:
    case 4:
        DeleteTrainerBattle(kTrainerFile);
        break;
    default:
        break;
    }
}

void CGameApplication::OnTrainerTurnStart()
{
    SaveTrainerBattle(kTrainerFile);
}

void CGameApplication::OnHallOfFame()
{
    BeginFlow();
    CHallOfFameWnd* wnd = new (std::nothrow) CHallOfFameWnd(m_screen->Window(), CStr("/Main/HallOfFameWnd"));
    if (wnd != nullptr) {
        RunModal(wnd->Window());
        delete wnd;
    }
    RestoreMenu();
}

void CGameApplication::OnPreferences()
{
    BeginFlow();
    CGamePrefsWnd* wnd =
        new (std::nothrow) CGamePrefsWnd(m_screen->Window(), CStr("/Map/MapWnd/GamePrefsWnd"));
    if (wnd != nullptr) {
        RunModal(wnd);
        delete wnd;
    }
    RestoreMenu();
}

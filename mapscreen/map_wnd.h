#pragma once
// CMapWnd: the strategic map screen. It hosts a running game: its show
// handler runs the turn loop, its panels follow the game signals, and its
// dispatcher answers the game logic's dialog requests by opening the map
// dialogs. Its members are written in several files, one per concern:
//   mapscreen/map_wnd*.cpp           the window, dispatcher, game flow, panels
//   mapscreen/map_wnd_recruit.cpp    the recruit mode's steps
//   mapscreen/map_wnd_launchers.cpp  the operation-window launchers
// and it owns parts that each stand on their own header:
//   mapscreen/map_panels.h           the panels' controls
//   mapscreen/recruit_mode.h         the recruit mode's state and work
//   mapscreen/map_frame_steps.h      the steps on the map frame and view
//   mapscreen/panel_contents.h       the panels' squad lists and castle control
//   mapscreen/launcher_table.h       which launcher answers each request kind
//   mapscreen/launcher_dialogs.h     the windows the launchers keep
//   mapscreen/info_panel_layout.h    how the info panel stacks its sections
//   mapscreen/game_save_slot.h       the game's save slot and autosave
//   mapscreen/map_game_menu.h        the in-game menu and its items' windows
//   mapscreen/game_flow_windows.h    the windows of the game's course
//   mapscreen/map_battle_runner.h    the battle window and the quick battle

#include <cstdint>
#include <memory>
#include <vector>

#include "core/packed_geometry.h"
#include "core/ref_string.h"
#include "core/signal.h"
#include "core/timer.h"
#include "mapscreen/game_flow_windows.h"
#include "mapscreen/game_save_slot.h"
#include "mapscreen/info_panel_layout.h"
#include "mapscreen/launcher_dialogs.h"
#include "mapscreen/map_battle_runner.h"
#include "mapscreen/map_frame_steps.h"
#include "mapscreen/map_game_menu.h"
#include "mapscreen/map_panels.h"
#include "mapscreen/map_wnd_inputs.h"
#include "mapscreen/recruit_mode.h"
#include "ui/composite_wnd.h"

class CArmy;
class CCastleWnd;
class CGameMenu;
class CItemListWnd;
class CMapBattleWnd;
class CMapFrame;
class CResourceBundle;
class CWindow;
class PlayerRecord;
class ProvinceRecord;
struct BattleQuestionArgs;
struct BattleResultArgs;
struct CastleInfoRequestArgs;
struct CastleWorkRequestArgs;
struct DeceaseRequestArgs;
struct DeceaseResultArgs;
struct DiplomacyRequestArgs;
struct MessageRequest;
struct NotEnoughResourcesArgs;
struct RandomEventRequestArgs;
struct RecruitRequestArgs;
struct ReportRequestArgs;
struct RobberyRequestArgs;
struct RobberyResultArgs;
struct ScoutRequestArgs;
struct ScoutResultArgs;
struct SiegeRequestArgs;
struct SkillsRequestArgs;
struct TaxesRequestArgs;
struct TradingRequestArgs;
struct TransferRequestArgs;
struct VolunteersRequestArgs;
struct MapBattleRecord;
struct PlayerTurnNotice;
enum class UiRequestKind : uint32_t;

class CMapWnd : public CCompositeWnd {
public:
    // ---- The window, its dispatcher, game flow and panels -----------------

    // Screen modes; exactly the panel group of the current mode is shown.
    enum Mode : uint32_t {
        kModeMap = 0,
        kModeDomain = 1,
        kModeComputer = 2,
        kModeRecruit = 3
    };

    // What the application hands over for a new game, field for field.
    struct NewGameOptions {
        uint16_t scenario = 0;
        uint16_t mission = 0;
        uint32_t difficulty = 1;  // 0-3
        uint32_t playMode = 0;
        uint8_t humans = 0;
    };

    // The panels and their controls (mapscreen/map_panels.h).
    using Panels = MapPanels;

    CMapWnd(CWindow* parent, const CStr& layoutPath);
    ~CMapWnd() override;

    // Game flow.
    void SetNewGameOptions(const NewGameOptions& options);
    // 1 started, 0 failed (the window must then not be shown).
    uint8_t RunGame(uint8_t resume);
    void OnShow() override;
    void OnHide() override;
    void OnChar(uint16_t code);
    void Autosave();
    void OnCustomizePlayer(PlayerRecord* player);
    void OnPumpUi();
    void OnMenu();
    void OnMenuKey();
    CStr CurrentSaveName() const;
    void ForgetSave();
    void DeleteFinishedGameSave();
    void OnGameOver(uint8_t victory, PlayerRecord* player);

    // Modes.
    void SetMode(uint32_t mode, bool force);
    void EnterMode();
    void LeaveMode();
    void ShowModePanels();
    void HideModePanels();
    void LayoutModePanels(bool relayout);
    void LayoutInfoPanel();

    // Screen parts, built and torn down again around battles and the end of a game.
    void CreatePanels();
    void CreateMapPanels();
    void CreateDomainPanels();
    void CreateComputerPanel();
    void CreateRecruitPanels();
    void DestroyPanels();
    void CreateMapFrame();
    void DestroyMapFrame();
    void DestroyDialogs();
    // Operation dialogs are never kept between requests.
    bool UsesDialogCache() const { return false; }

    // The hold flag of the map view: while held it neither animates nor reacts.
    void LockMapFrame();
    void UnlockMapFrame();
    bool IsMapFrameHeld() const;

    // Dispatcher and map battles.
    uint32_t OnUiRequest(UiRequestKind kind, void* record);
    void OnMapBattle(MapBattleRecord* record, uint8_t automatic);
    void OnMapBattleAlt(MapBattleRecord* record, uint8_t automatic);
    void RunMapBattle(MapBattleRecord* record, uint8_t flag);
    void RunQuickBattle(MapBattleRecord* record, uint8_t flag);
    void OnBattleFinished();

    // Panel contents (game-signal handlers).
    void OnPlayerResources(const CResourceBundle* bundle);
    void OnPlayerTitle(PlayerRecord* player);
    void OnMovePointsChanged();
    void OnArmyActions(uint16_t flags);
    void OnOperationActions(uint16_t flags);
    void OnCastleActions(uint16_t flags);
    void OnProvinceInfo(ProvinceRecord* province);
    void ShowOwnProvince(ProvinceRecord* province);
    void ShowOtherProvince(ProvinceRecord* province);
    void ShowDomain(uint8_t playerIndex, uint8_t mark);
    void ShowDomainInfo(uint8_t playerIndex);

    // Map frame events and selection.
    void OnProvincePenDown(int16_t province);
    void OnProvinceDoubleTap(int16_t province);
    void OnProvinceDrag(int16_t province);
    void OnProvinceSelected(int16_t province, uint8_t scroll, uint8_t mark);
    void OnActionTimer();
    void OnCommandTimer();

    // Read by the screen's other parts and by tests.
    uint32_t Mode() const { return m_mode; }
    CMapFrame* MapFrame() const { return m_mapFrame; }
    CMapBattleWnd* BattleWnd() const { return m_battles.BattleWnd(); }
    CGameMenu* GameMenu() const { return m_menu.Menu(); }
    const Panels& PanelControls() const { return m_panels; }
    const NewGameOptions& GameOptions() const { return m_options; }
    uint8_t IsLoadedGame() const { return m_loaded; }
    uint8_t AutosaveFlag() const { return m_save.IsSaving(); }
    uint8_t DomainPlayer() const { return m_domainPlayer; }
    int16_t PendingProvince() const { return m_pendingProvince; }

    // ---- end of the window's members ---------------------------------------

    // ---- Recruit mode (RecruitMode does the work) ------------------------

    void EnterRecruitMode();
    void LeaveRecruitMode();
    void BuildSquadButtons();
    void UpdateRecruitLimits();
    void SelectSquad(int32_t index, bool redraw);
    void RefreshRecruitCounts(bool updateScroller, bool redraw);
    void SetRecruited(int32_t index, int32_t target);
    void ClearProvinceMarks(bool redraw);
    void MarkProvince(int32_t province, bool on, bool redraw);
    void ShowRecruitProvince(bool redraw);
    RecruitMode& Recruit() { return *m_recruit; }
    const RecruitMode& Recruit() const { return *m_recruit; }

    // ---- Operation-window launchers ----------------------------------------
    // One per dialog request kind (LauncherTable says which): each opens its
    // window as a child of the map window (layout names resolve under the map
    // window's node), hands it the request record, runs it modally and
    // deletes it. The window writes the user's answer into the record.
    void OpenBuildCastleWnd(CastleWorkRequestArgs* record);
    void OpenCastleInfoWnd(CastleInfoRequestArgs* record);  // not modal: the window stays
    void OpenDemolishCastleWnd(CastleWorkRequestArgs* record);
    void OpenCompleteCastleWnd(CastleWorkRequestArgs* record);
    void OpenRepairCastleWnd(CastleWorkRequestArgs* record);
    void OpenDigMoatWnd(CastleWorkRequestArgs* record);
    void OpenAddCatapultWnd(CastleWorkRequestArgs* record);
    void OpenAddWallsWnd(CastleWorkRequestArgs* record);
    void OpenAddBuildingWnd(CastleWorkRequestArgs* record);
    // The map answers neither a recruit request nor a diplomacy answer.
    void IgnoreRequest13(RecruitRequestArgs* record);
    void OpenSkillsWnd(SkillsRequestArgs* record);
    void OpenTransferWnd(TransferRequestArgs* record);
    void OpenTradingWnd(TradingRequestArgs* record);
    void OpenTaxesWnd(TaxesRequestArgs* record);
    void OpenDeceaseWnd(DeceaseRequestArgs* record);
    void OpenDeceaseFailureWnd(DeceaseResultArgs* record);
    void OpenDeceaseSuccessWnd(DeceaseResultArgs* record);
    void OpenRobberyWnd(RobberyRequestArgs* record);
    void OpenRobberyEmptyWnd(RobberyResultArgs* record);
    void OpenRobberyFailureWnd(RobberyResultArgs* record);
    void OpenRobberySuccessWnd(RobberyResultArgs* record);
    void OpenScoutWnd(ScoutRequestArgs* record);
    void OpenScoutFailureWnd(ScoutResultArgs* record);
    void OpenScoutSuccessWnd(ScoutResultArgs* record);
    void OpenNERWnd(NotEnoughResourcesArgs* record);
    void OpenBattleResultsWnd(const BattleResultArgs* record);
    void ShowNextPlayerMessage(const PlayerTurnNotice* record);  // also after a game over
    void OpenRandomEventWnd(RandomEventRequestArgs* record);
    void IgnoreRequest32(DiplomacyRequestArgs* record);
    void OpenMapBtlAttackWnd(BattleQuestionArgs* record);
    void OpenMapBtlDefendWnd(BattleQuestionArgs* record);
    void ShowRecordMessage(MessageRequest* record);
    void OpenPrepTrebWnd(SiegeRequestArgs* record);
    void OpenVolunteersWnd(VolunteersRequestArgs* record);

    // The castle information window's hide handler: releases the input
    // capture it held and unlocks the map frame.
    void OnCastleInfoClosed(CWindow* window, intptr_t argument);
    // The windows the launchers keep (the castle information window among them).
    const LauncherDialogs& Dialogs() const { return m_dialogs; }
    LauncherDialogs& Dialogs() { return m_dialogs; }

    // ---- end of the launchers ----------------------------------------------

private:
    // ---- State of the window, its dispatcher, game flow and panels ---------

    CMapFrame* m_mapFrame = nullptr;
    MapFrameSteps m_frameSteps{m_mapFrame};
    uint32_t m_mode = kModeMap;
    NewGameOptions m_options;
    uint8_t m_loaded = 0;
    Panels m_panels;
    uint8_t m_domainPlayer = 255;
    CTimer m_actionTimer;
    CTimer m_commandTimer;
    MapWndInputs m_inputs{*this, m_commandTimer};
    int16_t m_pendingProvince = -1;
    // The hold as last set; it stands for the map view's while no view
    // exists (torn down around a battle and the end-of-game windows).
    bool m_held = false;
    bool m_inTurnLoop = false;

    // The parts that stand on their own headers.
    InfoPanelLayout m_infoLayout;
    GameSaveSlot m_save{m_window};
    MapGameMenu m_menu{m_window, m_link.Path()};
    GameFlowWindows m_flowWindows{m_window, m_link.Path()};
    MapBattleRunner m_battles{m_window, m_link.Path(), [this] { OnBattleFinished(); }};

    // The screen built again after a watched battle and after the
    // end-of-game windows: the last step RunMapBattle and OnGameOver share.
    void RebuildScreen();

    // The garrison shown for a scouted province, with its owner's army merged
    // in where the army stands; the list shows it until the next province.
    CArmy* m_armyCopy = nullptr;

    // ---- end of the window's state -----------------------------------------

    std::unique_ptr<RecruitMode> m_recruit;

    // ---- State of the launchers (the dialog cache) -------------------------
    // The open window of each slot-keeping kind (null between requests).
    LauncherDialogs m_dialogs;

    // ---- end of the launchers' state ---------------------------------------
};

// The dispatcher of the game logic's dialog requests and the two ways a
// battle on the map is fought: watched in the battle window, or resolved at
// once by the quick battle runner.

#include "core/core_main.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/battle_seam.h"
#include "game/game_signals.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/ui_request.h"
#include "mapscreen/launcher_table.h"
#include "mapscreen/map_wnd.h"
#include "mapscreen/map_wnd_parts.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

uint32_t CMapWnd::OnUiRequest(UiRequestKind kind, void* record)
{
    const bool wasFree = !IsMapFrameHeld();
    LockMapFrame();
    {
        // Launchers name their layouts relative to the map window's node.
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(m_link.Path().Chars());
        LauncherTable::Run(*this, kind, record);
    }
    // The castle information window keeps the map held until it hides.
    if (wasFree && kind != UiRequestKind::CastleInfo)
        UnlockMapFrame();
    return 0;
}

void CMapWnd::OnMapBattle(MapBattleRecord* record, uint8_t automatic)
{
    if (automatic)
        RunQuickBattle(record, 0);
    else
        RunMapBattle(record, 0);
}

void CMapWnd::OnMapBattleAlt(MapBattleRecord* record, uint8_t automatic)
{
    if (automatic)
        RunQuickBattle(record, 1);
    else
        RunMapBattle(record, 1);
}

void CMapWnd::RunMapBattle(MapBattleRecord* record, uint8_t flag)
{
    if (!record)
        return;
    LockMapFrame();
    m_frameSteps.Show(false);
    DestroyDialogs();
    DestroyMapFrame();
    DestroyPanels();
    m_battles.Watch(record, flag);
    const bool goesOn = IsAppRunning() && !IsStopRequested();
    if (!goesOn) {
        if (CWindow* root = CWindowMgr::Root())
            root->Show(false, false);
    }
    RebuildScreen();
    SetMode(kModeComputer, false);
    if (goesOn) {
        m_frameSteps.Show(true);
        m_frameSteps.Invalidate();
        FrameStep();
        UnlockMapFrame();
    }
}

void CMapWnd::RunQuickBattle(MapBattleRecord* record, uint8_t flag)
{
    if (!record)
        return;
    LockMapFrame();
    const bool notice = (record->attacker && record->attacker->IsHuman()) ||
                        (record->defender && record->defender->IsHuman());
    m_battles.Resolve(record, flag, notice);
    if (!IsAppRunning() || IsStopRequested()) {
        if (CWindow* root = CWindowMgr::Root())
            root->Show(false, false);
    } else {
        FrameStep();
        UnlockMapFrame();
    }
}

void CMapWnd::OnBattleFinished()
{
    if (BattleResult != kBattleStopped)
        return;
    m_save.StopSaving();
    SetLeaveRequested(1);
}

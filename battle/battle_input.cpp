#include "battle/battle_input.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/side_controller.h"
#include "game/army.h"
#include "game/battle_seam.h"

namespace {

// Shows the squad on a cell; runs also during automatic play.
void SelectionStep(uint8_t cell)
{
    if (!g_battle.grid || cell >= g_battle.grid->cellCount)
        return;
    CSquad* squad = SquadAtCell(cell);
    if (squad)
        g_battleHooks.selection.Fire(squad, g_battle.attackerArmy && g_battle.attackerArmy->Contains(squad));
}

void Tap(uint8_t cell, bool pointZero, bool alternate)
{
    if (g_battle.noScreen || !g_battle.grid)
        return;
    SelectionStep(cell);
    if (g_battle.autoPlay)
        return;
    if (pointZero) {
        SendBattleInput(1);
        return;
    }
    CSideController* side = ActiveSide();
    if (!side)
        return;
    if (alternate)
        side->OnCellAltTap(cell);
    else
        side->OnCellTap(cell);
}

void RunAutoPlay()
{
    if (g_battle.noScreen)
        return;
    ClearBattleStateBitsB(kButtonAutoBusy);
    WaitForBattleEvents();
    while (g_battle.autoPlay && !IsBattleStopped() && g_battleHooks.waitStep.IsBound())
        g_battleHooks.waitStep.Fire();
    SetBattleStateBitsB(kButtonAutoBusy);
}

}  // namespace

void BattleTapAtPoint(PackedPoint point)
{
    if (g_battle.noScreen || !g_battle.grid)
        return;
    const bool zero = point.X() == 0 && point.Y() == 0;
    Tap(zero ? 0 : g_battle.grid->PointToCell(point), zero, false);
}

void BattleTapAtCell(uint8_t cell)
{
    Tap(cell, cell == 0, false);
}

void BattleAltTapAtPoint(PackedPoint point)
{
    if (g_battle.noScreen || !g_battle.grid)
        return;
    const bool zero = point.X() == 0 && point.Y() == 0;
    Tap(zero ? 0 : g_battle.grid->PointToCell(point), zero, true);
}

void BattleAltTapAtCell(uint8_t cell)
{
    Tap(cell, cell == 0, true);
}

void BattleKeyInput(uint16_t code)
{
    if (g_battle.noScreen || g_battle.autoPlay)
        return;
    if (CSideController* side = ActiveSide())
        side->OnKey(code);
}

void BattleCommand(uint32_t code)
{
    if (g_battle.noScreen)
        return;
    switch (code) {
    case kCommandStop:
        BattleResult = kBattleStopped;
        g_battle.stopFlag = 1;
        return;
    case kCommandAutoPlay:
        g_battle.autoPlay = g_battle.autoPlay ? 0 : 1;
        if (g_battle.autoPlay)
            RunAutoPlay();
        return;
    case kCommandGiveUp: {
        CSideController* active = ActiveSide();
        CSideController* other = active ? active->OtherSide() : nullptr;
        CSideController* quitter = active;
        if (!(active && active->Kind() == kSideKindHuman) && other && other->Kind() == kSideKindHuman)
            quitter = other;
        const bool attacker = quitter ? quitter == g_battle.attackerSide : g_battle.activeSide != 0;
        BattleResult = attacker ? kBattleAttackerGaveUp : kBattleDefenderGaveUp;
        g_battle.stopFlag = 1;
        return;
    }
    default:
        if (CSideController* side = ActiveSide())
            side->OnCommand(code);
        return;
    }
}

void SendBattleInput(uint32_t code)
{
    if (g_battle.noScreen)
        return;
    if (CSideController* side = ActiveSide())
        side->OnInputCode(code);
}

void RefreshActiveSide()
{
    if (CSideController* side = ActiveSide())
        side->Refresh();
}

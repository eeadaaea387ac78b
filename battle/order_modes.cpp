#include "battle/order_modes.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/human_side.h"
#include "battle/path_map.h"
#include "battle/squad_battle_state.h"
#include "core/byte_stream.h"
#include "game/army.h"
#include "game/squad_type.h"

namespace {
bool CanMove(const CSquad* s)
{
    return MovePoints(s) > 0;
}
bool Idle(const CSquad* s)
{
    return PlanWord(s) == kPlanNone || PlanWord(s) == kPlanGuard;
}
bool Shooter(const CSquad* s)
{
    return s->type && (s->type->rangedAttack & 0x0F) != 0;
}
}  // namespace

void COrdersMode::Run()
{
    Reset();
    selected = nullptr;
    SelectNextSquad();
    if (done)
        return;
    side->autoByte = 0;
    SetBattleStateBitsC(kButtonAuto, false);
    ShowOrderButtons();
    ShowOrder(selected);
    WaitForInput(true);
    CleanUp();
    if (AnySquadCanAct() && selected && !IsBattleStopped())
        side->requestedMode = kModeAuto;
}

void COrdersMode::SelectNextSquad()
{
    CArmy* army = side->OwnArmy();
    // Shooters that can act first, then squads without a real order, then
    // anybody who can still act, then anybody idle.
    for (int rule = 0; rule < 4; ++rule) {
        for (int i = 0; i < army->Count(); ++i) {
            CSquad* s = army->Item(i);
            if (s == selected || !CanCommand(s))
                continue;
            const bool match = rule == 0   ? Shooter(s) && CanMove(s)
                               : rule == 1 ? CanMove(s) && Idle(s)
                               : rule == 2 ? CanMove(s)
                                           : Idle(s);
            if (match) {
                SelectAndShow(s);
                return;
            }
        }
    }
    selected = nullptr;
    done = 1;
}

void COrdersMode::SelectAndShow(CSquad* squad)
{
    ResetHighlight();
    selected = squad;
    ShowInfo(squad->battleHandle);
    CPathMap* paths = g_battle.pathMap;
    const uint16_t points = MovePoints(squad);
    if (points > 0 && paths->Compute(uint8_t(squad->cell), 0, points, 1))
        paths->MarkReachable(uint16_t(points + 1));
    paths->Compute(uint8_t(squad->cell), 0, 0, 1);
    g_battleHooks.selection.Fire(squad, side->OwnArmy()->flagA != 0);
    CheckOrder(squad);
    ShowOrder(squad);
    armed = 1;
}

void COrdersMode::LeaveStage()
{
    armed = 0;
    HideMarks();
    ClearMarks();
}

void COrdersMode::OnCellTap(uint8_t cell)
{
    if (!selected)
        return;
    CSquad* s = SquadAtCell(cell);
    if (s && s != selected && CanCommand(s) && CanMove(s)) {
        SelectAndShow(s);
    } else if (s && CanTarget(s)) {
        if (TargetSquad(selected) != s)
            SetOrder(selected, cell);
        ShowOrder(selected);
        armed = 1;
    } else if (s && s == selected) {
        SetPlanWord(s, kPlanNone);
        SetTargetSquad(s, nullptr);
        SelectAndShow(s);
    } else if (!s) {
        CPathMap* paths = g_battle.pathMap;
        const uint16_t allowance = selected->type ? selected->type->moveSpeed : 0;
        if (paths->IsReachable(cell) && paths->EntryCost(cell, 1) < allowance) {
            SetOrder(selected, cell);
            ShowOrder(selected);
            armed = 1;
        }
    }
}

void COrdersMode::OnCellTapArmed(uint8_t cell)
{
    if (!selected || !HasMarkAt(cell)) {
        LeaveStage();
        OnCellTap(cell);
        return;
    }
    CSquad* target = TargetSquad(selected);
    CSquad* tapped = SquadAtCell(cell);
    if (target && tapped == target && OrderCell(selected) != kNoDirection) {
        SetOrderCell(selected, kNoDirection);
        ShowOrder(selected);
        return;
    }
    if (target) {
        for (uint8_t d = 0; d < 6; ++d) {
            if (g_battle.grid->Neighbour(uint8_t(target->cell), d) != cell)
                continue;
            if (d != OrderCell(selected)) {
                SetOrderCell(selected, d);
                ShowOrder(selected);
                return;
            }
            break;
        }
    }
    // The same mark twice: carry the order out now.
    LeaveStage();
    if (!CanMove(selected))
        return;
    side->PlaySquadAutomatically(selected);
    AfterSquadPlayed();
}

void COrdersMode::AfterSquadPlayed()
{
    if (AnySquadCanAct() && IsBattleGoingOn()) {
        ShowOrderButtons();
        SelectNextSquad();
    } else {
        done = 1;
    }
}

uint32_t COrdersMode::OnCode(uint32_t code)
{
    switch (code) {
    case kButtonTurn:
        HideMarks();
        ClearMarks();
        if (selected)
            side->PlaySquadAutomatically(selected);
        AfterSquadPlayed();
        return 1;
    case kButtonGuard:
        if (selected) {
            side->EndSquadTurn(selected);
            if (!g_battle.noScreen)
                g_battleHooks.defenceMarker.Fire(selected->battleHandle, 1);
        }
        if (AnySquadCanAct())
            SelectNextSquad();
        else
            done = 1;
        return 1;
    case kButtonAuto:
        if (side->autoByte)
            done = 1;
        return 1;
    default:
        return code;
    }
}

uint32_t COrdersMode::OnCodeArmed(uint32_t code)
{
    switch (code) {
    case kButtonTurn:
        return OnCode(code);
    case kButtonGuard:
        HideMarks();
        ClearMarks();
        LeaveStage();
        return OnCode(code);
    case kButtonAuto:
        if (side->autoByte) {
            LeaveStage();
            HideMarks();
            ClearMarks();
            ClearInfo();
            done = 1;
        }
        return 1;
    default:
        return code;
    }
}

bool COrdersMode::Serialize(CByteStream* stream)
{
    stream->U8(done);
    if (done)
        return !stream->HasError();
    CArmy* army = side->OwnArmy();
    uint32_t index = selected ? uint32_t(army->IndexOf(selected)) : 0xFFFFFFFFu;
    stream->U32(index);
    if (stream->HasError())
        return false;
    if (!stream->IsStoring())
        selected = index < uint32_t(army->Count()) ? army->Item(int(index)) : nullptr;
    return true;
}

void COrdersMode::Continue()
{
    if (done)
        return;
    side->autoByte = 0;
    SetBattleStateBitsC(kButtonAuto, false);
    ShowOrderButtons();
    if (!selected || !IsSelectable(selected)) {
        selected = nullptr;
        SelectNextSquad();
        if (done)
            return;
    } else {
        SelectAndShow(selected);
    }
    ShowOrder(selected);
    WaitForInput(true);
    CleanUp();
}

void CAutoPlayMode::Run()
{
    ResetHighlight();
    ClearInfo();
    Reset();
    loneSquad = 255;
    side->autoByte = 1;
    SetBattleStateBitsC(kButtonAuto, true);
    ShowExecuteButtons();
    AutoPlaySquads(false);
    ExecuteOrders();
    HideButtons();
    if (!AllSquadsHaveOrders() && SomeOrderDone()) {
        side->requestedMode = kModeOrders;
        return;
    }
    if (side->autoByte)
        return;
    // The person switched automatic play off meanwhile.
    if (AnySquadCanAct())
        side->requestedMode = kModeOrders;
}

void CAutoPlayMode::PlaySquad(CSquad* squad)
{
    if (!squad || squad->count <= 0 || !CanMove(squad) || Idle(squad))
        return;
    ResetHighlight();
    ClearInfo();
    Reset();
    loneSquad = uint8_t(side->OwnArmy()->IndexOf(squad));
    side->autoByte = 1;
    SetBattleStateBitsC(kButtonAuto, true);
    ShowExecuteButtons();
    const bool acted = ExecuteOrder(squad);
    if (squad->count > 0 && CanMove(squad))
        side->EndSquadTurn(squad);
    HideButtons();
    if (acted && (side->autoByte || !AnySquadCanAct()))
        return;
    side->requestedMode = kModeOrders;
}

uint32_t CAutoPlayMode::OnCode(uint32_t code)
{
    if (code != kButtonAuto)
        return code;
    if (!side->autoByte) {
        StopOrders();
        done = 1;
    }
    return 1;
}

bool CAutoPlayMode::Serialize(CByteStream* stream)
{
    stream->U8(loneSquad);
    return !stream->HasError();
}

void CAutoPlayMode::Continue()
{
    ResetHighlight();
    ClearInfo();
    side->autoByte = 1;
    SetBattleStateBitsC(kButtonAuto, true);
    CArmy* army = side->OwnArmy();
    if (loneSquad < army->Count())
        PlaySquad(army->Item(loneSquad));
    else
        Run();
}

#include "battle/turn_mode.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_rules.h"
#include "battle/human_side.h"
#include "battle/path_map.h"
#include "battle/side_ai.h"
#include "battle/squad_battle_state.h"
#include "core/preferences.h"
#include "game/army.h"
#include "game/squad_type.h"

namespace {
constexpr uint16_t kPenSquads = 8193;
constexpr uint16_t kPenEverything = 65535;

bool HasUnits(const CSquad* s)
{
    return s && s->count > 0 && s->battleState;
}

PackedPoint CellPoint(uint8_t cell)
{
    PackedPoint p{packed::kUndefined, packed::kUndefined};
    if (g_battle.grid)
        g_battle.grid->CellToPoint(cell, p);
    return p;
}

void PenFilter(uint16_t value)
{
    g_battleHooks.penFilter.Fire(value);
}
}  // namespace

bool PrefAllowSplit()
{
    return PrefBattleOptions[4] != 0;
}
bool PrefKeepOrders()
{
    return PrefBattleOptions[5] != 0;
}
bool PrefExpertMode()
{
    return PrefBattleOptions[6] != 0;
}
bool PrefAutoSiegeEngines(bool attacker)
{
    return PrefBattleOptions[attacker ? 2 : 3] != 0;
}

void HideMarks()
{
    g_battleHooks.hideMarks.Fire();
}

void ShowInfo(uint32_t battleId)
{
    if (!g_battle.noScreen)
        g_battleHooks.info.Fire(battleId);
}

void ClearInfo()
{
    ShowInfo(0);
}

void FireHighlightHook()
{
    g_battleHooks.highlight.Fire();
}

void ResetHighlight()
{
    FireHighlightHook();
    for (uint8_t& h : g_battle.highlight)
        h = 1;
}

int32_t AskSplitAmount(int32_t max)
{
    SplitAmountRecord record;
    record.max = max;
    record.proposal = (max + 1) / 2;
    g_battleHooks.splitAmount.Fire(&record);
    return record.proposal;
}

void CTurnMode::Reset()
{
    armed = 0;
    done = 0;
    ClearMarks();
}

uint32_t CTurnMode::OnCode(uint32_t code)
{
    if (code != kButtonTurn)
        return code;
    done = 1;
    return 1;
}

uint32_t CTurnMode::OnCodeArmed(uint32_t code)
{
    if (code != kButtonTurn)
        return code;
    LeaveStage();
    done = 1;
    return 1;
}

bool CTurnMode::HasMarkAt(uint8_t cell) const
{
    for (const auto& m : marks)
        if (m->cell == cell)
            return true;
    return false;
}

void CTurnMode::AddMark(uint32_t kind, uint8_t cell, PackedPoint point, uint8_t wait)
{
    auto mark = std::make_unique<ScreenMark>();
    mark->kind = kind;
    mark->cell = cell;
    mark->point = point;
    mark->wait = wait;
    marks.push_back(std::move(mark));
}

void CTurnMode::AddMarkAtCell(uint32_t kind, uint8_t cell, uint8_t wait)
{
    AddMark(kind, cell, CellPoint(cell), wait);
}

void CTurnMode::ClearMarks()
{
    marks.clear();
}

void CTurnMode::ShowMarks()
{
    std::vector<ScreenMark*> list;
    for (const auto& m : marks)
        list.push_back(m.get());
    g_battleHooks.markList.Fire(&list);
}

bool CTurnMode::IsOwnSquad(const CSquad* squad) const
{
    return squad && side->OwnArmy()->Contains(squad);
}

bool CTurnMode::IsSelectable(const CSquad* squad) const
{
    return HasUnits(squad) && IsOwnSquad(squad);
}

bool CTurnMode::CanTarget(const CSquad* squad) const
{
    return HasUnits(squad) && !IsOwnSquad(squad) && selected && CSideController::CanTarget(selected, squad);
}

void CTurnMode::SelectSquad(CSquad* squad)
{
    selected = squad;
    UpdateSplitJoin();
    g_battleHooks.selection.Fire(squad, side->OwnArmy()->flagA != 0);
}

void CTurnMode::UpdateSplitJoin()
{
    ShowInfo(selected ? selected->battleHandle : 0);
    if (!PrefAllowSplit())
        return;
    if (CanSplit())
        SetBattleStateBitsB(kButtonSplit);
    else
        ClearBattleStateBitsB(kButtonSplit);
    if (CanJoin())
        SetBattleStateBitsB(kButtonJoin);
    else
        ClearBattleStateBitsB(kButtonJoin);
}

bool CTurnMode::CanSplit() const
{
    const CArmy* army = side->OwnArmy();
    int living = 0;
    for (int i = 0; i < army->Count(); ++i)
        living += army->Item(i)->count > 0;
    return living < 6 && selected && selected->count > 1;
}

bool CTurnMode::CanJoin() const
{
    if (!selected || selected->count <= 0)
        return false;
    const CArmy* army = side->OwnArmy();
    for (int i = 0; i < army->Count(); ++i) {
        const CSquad* s = army->Item(i);
        if (s != selected && s->type == selected->type)
            return true;
    }
    return false;
}

bool CTurnMode::AnySquadCanAct() const
{
    const CArmy* army = side->OwnArmy();
    for (int i = 0; i < army->Count(); ++i)
        if (HasUnits(army->Item(i)) && MovePoints(army->Item(i)) >= 1)
            return true;
    return false;
}

bool CTurnMode::AllSquadsHaveOrders() const
{
    const CArmy* army = side->OwnArmy();
    for (int i = 0; i < army->Count(); ++i)
        if (HasUnits(army->Item(i)) && PlanWord(army->Item(i)) == kPlanNone)
            return false;
    return true;
}

void CTurnMode::SetOrder(CSquad* squad, uint8_t cell)
{
    CSquad* target = SquadAtCell(cell);
    if (target && IsOwnSquad(target))
        target = nullptr;
    if (target) {
        SetPlanWord(squad, kPlanAttack);
        SetOrderCell(squad, kNoDirection);
        SetTargetSquad(squad, target);
    } else {
        SetPlanWord(squad, kPlanMove);
        SetOrderCell(squad, cell);
        SetTargetSquad(squad, nullptr);
    }
}

void CTurnMode::CheckOrder(CSquad* squad)
{
    const uint32_t plan = PlanWord(squad);
    const CSquad* target = TargetSquad(squad);
    if ((plan == kPlanAttack && (!target || target->count <= 0)) ||
        (plan == kPlanMove && OrderCell(squad) == squad->cell))
        AutoPlaySquad(squad);
}

void CTurnMode::ShowOrder(CSquad* squad)
{
    HideMarks();
    ClearMarks();
    if (!squad)
        return;
    if (MovePoints(squad) > 0)
        SetBattleStateBitsB(kButtonGuard | kButtonTurn);
    else
        ClearBattleStateBitsB(kButtonGuard | kButtonTurn);
    switch (PlanWord(squad)) {
    case kPlanAttack:
        SetBattleStateBits(kButtonTurn);
        if (TargetSquad(squad) && side->CanShoot(squad))
            ShowRangedOrder(squad);
        else if (TargetSquad(squad))
            ShowMeleeOrder(squad);
        break;
    case kPlanMove:
        SetBattleStateBits(kButtonTurn);
        ShowMoveOrder(squad);
        break;
    default:
        ClearBattleStateBits(kButtonTurn);
        g_battleHooks.orderInfo.Fire(0);
        break;
    }
}

void CTurnMode::ShowMeleeOrder(CSquad* squad)
{
    g_battleHooks.orderInfo.Fire(1);
    const CSquad* target = TargetSquad(squad);
    const uint8_t t = uint8_t(target->cell);
    AddMarkAtCell(kMarkTarget, t, 0);
    uint8_t chosen = OrderCell(squad);
    if (PrefExpertMode()) {
        const PackedPoint tp = CellPoint(t);
        for (uint8_t d = 0; d < 6; ++d) {
            const uint8_t n = g_battle.grid->Neighbour(t, d);
            if (!IsCellPassable(g_battle.grid, n) && g_battle.grid->Cell(n).occupant != squad) {
                if (d == chosen)
                    chosen = kNoDirection;
                continue;
            }
            if (d == chosen)
                continue;
            // The mark stands a quarter of the way out from the target.
            const PackedPoint p = CellPoint(n);
            AddMark(kMarkApproach + d, n,
                    PackedPoint(p.X() - ((tp.X() - p.X()) >> 2), p.Y() - ((tp.Y() - p.Y()) >> 2)), 1);
        }
        SetOrderCell(squad, chosen);
        if (chosen < 6)
            AddMarkAtCell(kMarkApproach + chosen, g_battle.grid->Neighbour(t, chosen), 1);
    }
    ShowMarks();
}

void CTurnMode::ShowRangedOrder(CSquad* squad)
{
    g_battleHooks.orderInfo.Fire(2);
    const uint8_t t = uint8_t(TargetSquad(squad)->cell);
    uint32_t kind = kMarkShot;
    if (IsSiege() && side->IsAttackerSide() && !IsBeforeMoatLine(t))
        kind = kMarkShotBehindWalls;
    AddMarkAtCell(kind, t, 0);
    ShowMarks();
}

void CTurnMode::ShowMoveOrder(CSquad* squad)
{
    g_battleHooks.orderInfo.Fire(3);
    AddMarkAtCell(kMarkDestination, OrderCell(squad), 1);
    ShowMarks();
}

bool CTurnMode::AutoPlaySquad(CSquad* squad)
{
    return BattleAiPlaySquad(side, squad);
}

void CTurnMode::AutoPlaySquads(bool all)
{
    CArmy* army = side->OwnArmy();
    for (int i = 0; i < army->Count() && IsBattleGoingOn(); ++i) {
        CSquad* s = army->Item(i);
        if (HasUnits(s) && (all || PlanWord(s) == kPlanNone))
            AutoPlaySquad(s);
    }
}

CSideOrders* CTurnMode::Orders()
{
    if (!m_orders)
        m_orders.reset(CreateSideOrders(side, side->SetupPtr()));
    return m_orders.get();
}

void CTurnMode::ExecuteOrders()
{
    m_stopFlag = 0;
    if (SomeOrderDone())
        return;
    Orders()->RunAll();
    if (m_stopFlag) {
        m_stopFlag = 0;
        return;
    }
    if (SomeOrderDone())
        return;
    CArmy* army = side->OwnArmy();
    // Shooters first, so that their volleys come before the melee.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < army->Count() && IsBattleGoingOn(); ++i) {
            CSquad* s = army->Item(i);
            const bool shooter = s->type && (s->type->rangedAttack & 0x0F) != 0;
            if (!HasUnits(s) || shooter != (pass == 0))
                continue;
            const bool ordered = PlanWord(s) != kPlanNone;
            if ((ordered && MovePoints(s) > 0) || !ordered)
                AutoPlaySquad(s);
            if (MovePoints(s) > 0 && PlanWord(s) != kPlanNone)
                ExecuteOrder(s);
        }
    }
    if (IsBattleGoingOn())
        side->EndAllSquadTurns();
}

bool CTurnMode::ExecuteOrder(CSquad* squad)
{
    if (PlanWord(squad) == kPlanNone)
        return false;
    const bool acted = Orders()->RunOne(squad);
    if (!PrefKeepOrders() && PlanWord(squad) == kPlanNone)
        AutoPlaySquad(squad);
    return acted;
}

bool CTurnMode::SomeOrderDone() const
{
    if (!PrefKeepOrders())
        return false;
    const CArmy* army = side->OwnArmy();
    for (int i = 0; i < army->Count(); ++i) {
        const CSquad* s = army->Item(i);
        if (!HasUnits(s))
            continue;
        const uint32_t plan = PlanWord(s);
        const CSquad* target = TargetSquad(s);
        if (plan == kPlanNone || (plan == kPlanAttack && (!target || target->count <= 0)) ||
            (plan == kPlanMove && OrderCell(s) == s->cell))
            return true;
    }
    return false;
}

void CTurnMode::StopOrders()
{
    Orders()->Stop();
    m_stopFlag = 1;
}

void CTurnMode::ShowPlacementButtons()
{
    PenFilter(kPenEverything);
    if (PrefAllowSplit())
        SetBattleStateBits(kButtonSplit | kButtonJoin);
    else
        ClearBattleStateBits(kButtonSplit | kButtonJoin);
    SetBattleStateBits(kButtonStart);
    SetBattleStateBitsB(kButtonStart);
    SetBattleStateBitsC(kButtonSplit | kButtonJoin, false);
}

void CTurnMode::ShowAutoButton()
{
    PenFilter(kPenEverything);
    SetBattleStateBits(kButtonAuto);
    SetBattleStateBitsB(kButtonAuto);
}

void CTurnMode::ShowAutoButtonForSquads()
{
    PenFilter(kPenSquads);
    SetBattleStateBits(kButtonAuto);
    SetBattleStateBitsB(kButtonAuto);
}

void CTurnMode::ShowOrderButtons()
{
    PenFilter(kPenSquads);
    SetBattleStateBits(kButtonGuard | kButtonTurn | kButtonAuto);
    SetBattleStateBitsB(kButtonGuard | kButtonTurn | kButtonAuto);
    if (!IsSiege())
        return;
    if (side->IsAttackerSide()) {
        ClearBattleStateBits(kButtonBridge);
        return;
    }
    SetBattleStateBits(kButtonBridge);
    const uint8_t gate = g_siegeLayout.gateCell;
    if (IsCellPassable(g_battle.grid, gate) && IsCellPassable(g_battle.grid, uint8_t(gate + 1)))
        SetBattleStateBitsB(kButtonBridge);
    else
        ClearBattleStateBitsB(kButtonBridge);
}

void CTurnMode::ShowExecuteButtons()
{
    PenFilter(kPenSquads);
    ClearBattleStateBits(kButtonGuard | kButtonTurn);
    SetBattleStateBits(kButtonAuto);
    SetBattleStateBitsB(kButtonAuto);
    if (!IsSiege())
        return;
    if (side->IsAttackerSide()) {
        ClearBattleStateBits(kButtonBridge);
    } else {
        SetBattleStateBits(kButtonBridge);
        ClearBattleStateBitsB(kButtonBridge);
    }
}

void CTurnMode::HideButtons()
{
    PenFilter(kPenEverything);
    ClearBattleStateBits(kButtonSplit | kButtonJoin | kButtonStart | kButtonGuard | kButtonTurn |
                         kButtonAuto | kButtonBridge);
}

void CTurnMode::EnableSplitOnly()
{
    SetBattleStateBitsB(kButtonSplit);
    ClearBattleStateBitsB(kButtonJoin | kButtonStart);
}

void CTurnMode::EnableJoinOnly()
{
    SetBattleStateBitsB(kButtonJoin);
    ClearBattleStateBitsB(kButtonSplit | kButtonStart);
}

void CTurnMode::WaitForInput(bool enemies)
{
    while (!done && !IsBattleStopped() && (!enemies || side->EnemyArmy()->HasUnits())) {
        // Without a screen's loop no input can ever come: nothing to wait for.
        if (!g_battleHooks.waitStep.IsBound())
            break;
        BattleWaitStep();
    }
}

void CTurnMode::CleanUp()
{
    HideMarks();
    ClearMarks();
    ClearInfo();
    ResetHighlight();
    HideButtons();
}

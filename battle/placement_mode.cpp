#include "battle/placement_mode.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_scene.h"
#include "battle/human_side.h"
#include "battle/path_map.h"
#include "battle/squad_battle_state.h"
#include "game/army.h"

namespace {

PackedPoint CellPoint(uint8_t cell)
{
    PackedPoint p{packed::kUndefined, packed::kUndefined};
    g_battle.grid->CellToPoint(cell, p);
    return p;
}

bool PlayingEvents()
{
    return g_waitingForEvents != 0;
}

}  // namespace

void CPlacementMode::MarkPlacementCells()
{
    CBattleGrid* grid = g_battle.grid;
    const int w = grid->columns;
    const int first = side->IsAttackerSide() ? 1 : w - 3;
    FireHighlightHook();
    for (int row = 1; row <= grid->rows - 2; ++row) {
        for (int column = first; column <= first + 1; ++column) {
            const uint8_t cell = uint8_t(column + row * w);
            const CArmyItem* occupant = grid->Cell(cell).occupant;
            if (occupant && occupant->IsKindOf(kKindObstacle))
                continue;
            g_battle.highlight[cell] = 2;
        }
    }
    FireHighlightHook();
}

bool CPlacementMode::IsFreeZoneCell(uint8_t cell) const
{
    return cell < g_battle.highlight.size() && g_battle.highlight[cell] == 2 &&
           IsCellPassable(g_battle.grid, cell);
}

void CPlacementMode::Run()
{
    Reset();
    selected = nullptr;
    CArmy* army = side->OwnArmy();
    for (int i = 0; i < army->Count() && !selected; ++i)
        if (army->Item(i)->count > 0)
            selected = army->Item(i);
    if (!selected)
        return;
    MarkPlacementCells();
    SelectSquad(selected);
    ShowPlacementButtons();
    WaitForInput(false);
    HideButtons();
    EndStage();
}

void CPlacementMode::EndStage()
{
    ClearInfo();
    ResetHighlight();
    HideMarks();
    ClearMarks();
}

void CPlacementMode::Refresh()
{
    ShowPlacementButtons();
    UpdateSplitJoin();
}

void CPlacementMode::LeaveStage()
{
    ShowPlacementButtons();
    HideMarks();
    ClearMarks();
    ClearInfo();
    armed = 0;
    UpdateSplitJoin();
}

void CPlacementMode::OnCellTap(uint8_t cell)
{
    if (PlayingEvents())
        return;
    CSquad* squad = SquadAtCell(cell);
    if (squad) {
        if (squad != selected && IsSelectable(squad))
            SelectSquad(squad);
        return;
    }
    if (IsFreeZoneCell(cell)) {
        chosenCell = cell;
        stage = kStageMove;
        ShowStage();
    }
}

uint32_t CPlacementMode::OnCode(uint32_t code)
{
    if (PlayingEvents())
        return code;
    switch (code) {
    case kButtonSplit:
    case kButtonJoin:
        stage = code == kButtonSplit ? kStageSplit : kStageJoin;
        ShowStage();
        return 1;
    case kButtonStart:
    case kButtonTurn:
        done = 1;
        return 1;
    default:
        return code;
    }
}

uint32_t CPlacementMode::OnCodeArmed(uint32_t code)
{
    if (PlayingEvents())
        return code;
    switch (code) {
    case kButtonSplit:
    case kButtonJoin:
        if ((code == kButtonSplit && stage == kStageSplit) || (code == kButtonJoin && stage == kStageJoin)) {
            LeaveStage();
            return 1;
        }
        LeaveStage();
        return OnCode(code);
    case kButtonStart:
        LeaveStage();
        done = 1;
        return 1;
    default:
        return code;
    }
}

void CPlacementMode::ShowStage()
{
    ClearMarks();
    switch (stage) {
    case kStageMove:
        AddMarkAtCell(kMarkDestination, chosenCell, 1);
        break;
    case kStageSplit:
        for (int cell = 0; cell < g_battle.grid->cellCount; ++cell)
            if (g_battle.highlight[size_t(cell)] == 2 && IsCellPassable(g_battle.grid, uint8_t(cell)))
                AddMarkAtCell(kMarkFreeCell, uint8_t(cell), 1);
        EnableSplitOnly();
        break;
    case kStageJoin: {
        CArmy* army = side->OwnArmy();
        for (int i = 0; i < army->Count(); ++i) {
            CSquad* s = army->Item(i);
            if (s != selected && selected && s->type == selected->type && s->count > 0)
                AddMarkAtCell(kMarkJoinPartner, uint8_t(s->cell), 1);
        }
        if (marks.empty()) {
            LeaveStage();
            return;
        }
        EnableJoinOnly();
        break;
    }
    default:
        break;
    }
    ShowMarks();
    armed = 1;
}

void CPlacementMode::OnCellTapArmed(uint8_t cell)
{
    if (PlayingEvents())
        return;
    bool confirm = false;
    switch (stage) {
    case kStageMove:
        confirm = cell == chosenCell;
        break;
    case kStageSplit:
        confirm = IsFreeZoneCell(cell) || (selected && cell == selected->cell);
        break;
    case kStageJoin: {
        const CSquad* s = SquadAtCell(cell);
        confirm = s && s != selected && selected && s->type == selected->type && IsOwnSquad(s);
        break;
    }
    default:
        break;
    }
    if (!confirm) {
        LeaveStage();
        OnCellTap(cell);
        return;
    }
    chosenCell = cell;
    Confirm();
}

void CPlacementMode::Confirm()
{
    HideMarks();
    ClearMarks();
    ClearInfo();
    switch (stage) {
    case kStageMove:
        MoveSquad();
        SelectNextSquad();
        break;
    case kStageSplit:
        SplitSquad();
        break;
    case kStageJoin:
        JoinSquad();
        break;
    default:
        break;
    }
    LeaveStage();
}

void CPlacementMode::MoveSquad()
{
    if (!selected)
        return;
    g_battleHooks.position.Fire(selected->battleHandle, CellPoint(uint8_t(selected->cell)));
    side->PlaceSquadAt(selected, chosenCell);
    g_battleHooks.position.Fire(selected->battleHandle, CellPoint(chosenCell));
}

void CPlacementMode::SplitSquad()
{
    // Splitting onto the squad's own cell would put two squads on one cell.
    if (!selected || chosenCell == selected->cell || !IsFreeZoneCell(chosenCell))
        return;
    const int32_t amount = AskSplitAmount(selected->count - 1);
    SetBattleStateBitsC(kButtonSplit, false);
    if (amount <= 0 || amount >= selected->count)
        return;
    CArmy* army = side->OwnArmy();
    CSquad* fresh = army->SplitItem(selected, amount);
    if (!fresh)
        return;
    if (!fresh->battleState)
        fresh->CreateBattleState();
    SetSideByte(fresh, army->flagA);
    SetMovePoints(fresh, MovePoints(selected));
    fresh->cell = chosenCell;
    g_battle.grid->Cell(chosenCell).occupant = fresh;
    if (!g_battle.noScreen)
        CreateSquadVisual(fresh, army->flagA);
    NotifySquadStrength(selected);
}

void CPlacementMode::JoinSquad()
{
    CSquad* target = SquadAtCell(chosenCell);
    if (!target || !selected || target == selected)
        return;
    CArmy* army = side->OwnArmy();
    BattleCell& oldCell = g_battle.grid->Cell(uint8_t(selected->cell));
    const uint32_t oldId = selected->battleHandle;
    // The joined squad is gone afterwards: its cell is let go first.
    const bool occupied = oldCell.occupant == selected;
    if (occupied)
        oldCell.occupant = nullptr;
    if (!army->JoinItems(target, selected)) {
        if (occupied)
            oldCell.occupant = selected;
        return;
    }
    NotifyVisualRemoved(oldId);
    SetBattleStateBitsC(kButtonJoin, false);
    NotifySquadStrength(target);
    selected = nullptr;
    SelectSquad(target);
}

void CPlacementMode::SelectNextSquad()
{
    CArmy* army = side->OwnArmy();
    const int n = army->Count();
    const int current = army->IndexOf(selected);
    for (int i = current + 1; i < n; ++i) {
        if (IsSelectable(army->Item(i))) {
            SelectSquad(army->Item(i));
            return;
        }
    }
    for (int i = 0; i < n; ++i) {
        CSquad* s = army->Item(i);
        if (s != selected && IsSelectable(s)) {
            SelectSquad(s);
            return;
        }
    }
}

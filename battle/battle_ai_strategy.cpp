#include "battle/battle_ai_strategy.h"

#include "battle/battle_ai_access.h"
#include "battle/path_map.h"
#include "battle/side_controller.h"
#include "battle/target_scoring.h"
#include "core/random.h"

CDynArray<CBattleAiStrategy*> BattleAiStrategies;

void BuildBattleAiStrategies()
{
    DestroyBattleAiStrategies();
    if (!BattleAiStrategies.SetSize(2))
        return;
    BattleAiStrategies[0] = new CSiegeAiStrategy;
    BattleAiStrategies[1] = new CGeneralAiStrategy;
}

void DestroyBattleAiStrategies()
{
    for (int i = BattleAiStrategies.Count() - 1; i >= 0; --i) {
        delete BattleAiStrategies[i];
        BattleAiStrategies[i] = nullptr;
    }
    BattleAiStrategies.SetSize(0);
}

void AiPlaceSquads(CSideController* side)
{
    for (CBattleAiStrategy* strategy : BattleAiStrategies)
        if (strategy && strategy->AppliesTo(side)) {
            strategy->PlaceSquads(side);
            return;
        }
}

bool AiPlayTurn(CSideController* side)
{
    for (int i = 0; i < BattleAiStrategies.Count(); ++i) {
        CBattleAiStrategy* strategy = BattleAiStrategies[i];
        if (strategy && strategy->AppliesTo(side))
            strategy->PlayTurn(side);
    }
    return true;
}

bool AiPlaySquad(CSideController* side, CSquad* squad)
{
    SetPlanWord(squad, kPlanNone);
    for (int i = 0; i < BattleAiStrategies.Count(); ++i) {
        CBattleAiStrategy* strategy = BattleAiStrategies[i];
        if (strategy && strategy->AppliesTo(side))
            strategy->PlaySquad(side, squad);
        if (PlanWord(squad) != kPlanNone)
            return true;
    }
    return false;
}

void MovePlacedSquad(CSideController* side, CSquad* squad, uint8_t cell)
{
    int16_t x, y;
    if (CellCentre(SquadCell(squad), x, y))
        FirePositionHook(BattleId(squad), x, y);
    side->PlaceSquadAt(squad, cell);
    if (CellCentre(SquadCell(squad), x, y))
        FirePositionHook(BattleId(squad), x, y);
}

// ---------------------------------------------------------------------------
// General strategy.

bool CGeneralAiStrategy::AppliesTo(CSideController*)
{
    return true;
}

void CGeneralAiStrategy::PlayTurn(CSideController* side)
{
    const SideSetup* setup = SetupOf(side);
    CArmy* own = OwnArmy(setup);
    // Giving orders moves nothing on the field (what does, says so).
    CPathMap* map = AiPathMap();
    const FieldHold still(map);
    AiTargetOrder order;
    BuildTargetOrder(this, EnemyArmy(setup), own, order);
    for (int i = ArmySize(own) - 1; i >= 0; --i) {
        CSquad* squad = ArmySquad(own, i);
        if (PlanWord(squad) != kPlanNone || SquadCount(squad) <= 0)
            continue;
        // Let the screen breathe between squads.
        if (AiWithScreen()) {
            AiFrameStep();
            map->HeldFieldChanged();
        }
        ActSquad(side, squad, order, 1);
        if (AiWithScreen()) {
            AiFrameStep();
            map->HeldFieldChanged();
        }
        if (PlanWord(squad) == kPlanNone)
            ActSquad(side, squad, order, 0);
    }
}

void CGeneralAiStrategy::PlaySquad(CSideController* side, CSquad* squad)
{
    const SideSetup* setup = SetupOf(side);
    AiTargetOrder order;
    BuildTargetOrder(this, EnemyArmy(setup), OwnArmy(setup), order);
    ActSquad(side, squad, order, 1);
    if (PlanWord(squad) == kPlanNone)
        ActSquad(side, squad, order, 0);
}

namespace {

uint8_t CornerCell(int which)
{
    const int columns = GridColumns();
    const int rows = GridRows();
    switch (which) {
    case 0:
        return uint8_t(columns + 1);
    case 1:
        return uint8_t(2 * columns - 2);
    case 2:
        return uint8_t(columns * (rows - 2) + 1);
    default:
        return uint8_t(columns * (rows - 1) - 2);
    }
}

// Steps along a column from start (start included) until a passable cell;
// the fallback when the column has none in that direction.
uint8_t FirstPassableInColumn(int start, int step, uint8_t fallback)
{
    for (int cell = start; cell >= 0 && cell < GridCellCount(); cell += step)
        if (CellPassable(uint8_t(cell)))
            return uint8_t(cell);
    return fallback;
}

}  // namespace

bool CGeneralAiStrategy::IsOnCornerCell(const CSquad* squad)
{
    for (int i = 0; i < 4; ++i)
        if (SquadCell(squad) == CornerCell(i))
            return true;
    return false;
}

uint8_t CGeneralAiStrategy::CellOffCorner(const CSquad* squad)
{
    const uint8_t cell = SquadCell(squad);
    const int columns = GridColumns();
    if (cell == CornerCell(0) || cell == CornerCell(1))
        return FirstPassableInColumn(cell + columns, columns, cell);
    if (cell == CornerCell(2) || cell == CornerCell(3))
        return FirstPassableInColumn(cell - columns, -columns, cell);
    return cell;
}

uint8_t CGeneralAiStrategy::ChooseRangedPlacementCell(const CSquad* squad, const SideSetup* setup)
{
    // The strongest enemy melee squad, from the last to the first; a later one
    // must hit harder and be no slower to take its place.
    const CArmy* enemy = EnemyArmy(setup);
    const CSquad* choice = nullptr;
    for (int i = ArmySize(enemy) - 1; i >= 0; --i) {
        const CSquad* e = ArmySquad(enemy, i);
        if (SquadCount(e) == 0 || RangedValue(e) != 0)
            continue;
        if (!choice || (AttackValue(e) > AttackValue(choice) && MoveSpeedOf(e) >= MoveSpeedOf(choice)))
            choice = e;
    }
    const int columns = GridColumns();
    const bool far = !(choice && SquadCell(choice) < 54);
    const bool attacker = ArmyAttackerByte(OwnArmy(setup)) == 1;
    if (far)
        return FirstPassableInColumn(attacker ? CornerCell(0) : CornerCell(1), columns, SquadCell(squad));
    return FirstPassableInColumn(attacker ? CornerCell(2) : CornerCell(3), -columns, SquadCell(squad));
}

void CGeneralAiStrategy::PlaceSquads(CSideController* side)
{
    const SideSetup* setup = SetupOf(side);
    CArmy* own = OwnArmy(setup);
    const CArmy* enemy = EnemyArmy(setup);

    for (int i = ArmySize(own) - 1; i >= 0; --i) {
        CSquad* squad = ArmySquad(own, i);
        if (SquadCount(squad) != 0 && RangedValue(squad) == 0 && IsOnCornerCell(squad))
            MovePlacedSquad(side, squad, CellOffCorner(squad));
    }
    if (!HasLivingRangedSquad(own))
        return;
    for (int i = ArmySize(own) - 1; i >= 0; --i) {
        CSquad* squad = ArmySquad(own, i);
        if (SquadCount(squad) != 0 && RangedValue(squad) > 0)
            MovePlacedSquad(side, squad, ChooseRangedPlacementCell(squad, setup));
    }
    for (int i = ArmySize(own) - 1; i >= 0; --i) {
        CSquad* squad = ArmySquad(own, i);
        if (SquadCount(squad) == 0 || RangedValue(squad) != 0)
            continue;
        if (HasLivingRangedSquad(enemy)) {
            const int32_t ratio = RangedPowerRatio(own, enemy);
            const int32_t threshold = NextRandom() % 4 + 3;
            if (ratio < threshold)
                continue;
        }
        const CSquad* p = NearestOwnRangedSquad(this, own, squad);
        if (!p)
            continue;
        const uint8_t cell = ChooseAdvanceCell(p, SquadCell(squad), enemy, own);
        if (cell < kNoCell && CellPassable(cell))
            MovePlacedSquad(side, squad, cell);
    }
}

// ---------------------------------------------------------------------------
// Siege strategy.

bool CSiegeAiStrategy::AppliesTo(CSideController*)
{
    return AiSiegeScene() != nullptr;
}

uint8_t SpreadCell(const CArmy* army, const CSquad* squad)
{
    const uint8_t cell = SquadCell(squad);
    const int columns = GridColumns();
    const bool attacker = ArmyAttackerByte(army) == 1;
    for (int d = 5; d >= 0; --d) {
        const uint8_t n = NeighbourCell(cell, uint8_t(d));
        const int column = n % columns;
        const bool inBand =
            attacker ? (column == 1 || column == 2) : (column == columns - 3 || column == columns - 2);
        if (inBand && CellPassable(n) && !ArmyHasSquadNextTo(army, n, squad))
            return n;
    }
    const int column = cell % columns;
    int c = cell;
    for (int k = 0; k < GridRows(); ++k) {
        c += columns;
        if (c >= GridCellCount() - columns)
            c = columns + column;
        if (CellPassable(uint8_t(c)) && !ArmyHasSquadNextTo(army, uint8_t(c), squad))
            return uint8_t(c);
    }
    return kNoCell;
}

void CSiegeAiStrategy::PlaceSquads(CSideController* side)
{
    CGeneralAiStrategy::PlaceSquads(side);
    CArmy* own = OwnArmy(SetupOf(side));
    if (ArmyAttackerByte(own) != 1 || !HasLivingRangedSquad(own))
        return;
    // Every move leaves the moved squad alone and never puts a squad next to
    // another, so the sweeps end; the bound only guards against a changing grid.
    for (int sweep = 0; sweep < 256; ++sweep) {
        bool moved = false;
        for (int i = 0; i < ArmySize(own); ++i) {
            CSquad* squad = ArmySquad(own, i);
            if (SquadCount(squad) == 0 || RangedValue(squad) != 0 ||
                !ArmyHasSquadNextTo(own, SquadCell(squad), nullptr))
                continue;
            const uint8_t cell = SpreadCell(own, squad);
            if (cell < kNoCell && CellPassable(cell)) {
                MovePlacedSquad(side, squad, cell);
                moved = true;
            }
        }
        if (!moved)
            return;
    }
}

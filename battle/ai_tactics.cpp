#include "battle/ai_tactics.h"

#include "battle/battle_ai_access.h"
#include "battle/battle_rules.h"
#include "battle/path_map.h"
#include "battle/side_controller.h"
#include "battle/target_scoring.h"

namespace {

bool IsBeside(const CSquad* a, const CSquad* b)
{
    return IsNeighbourCell(AiPathMap(), SquadCell(a), SquadCell(b));
}

// The squad leaves the group; the caller's index then names the next squad.
void RemoveAt(CDynArray<CSquad*>& squads, int& i)
{
    squads.RemoveAt(i);
}

// A route cut to what the squad can still walk this turn.
void FitRouteToMovePoints(CellList& route, const CSquad* squad)
{
    const uint16_t points = MovePoints(squad);
    if (route.cost <= points)
        return;
    if (points == 0)
        route.Truncate(0);
    else
        route.TrimToCost(points, AiPathMap());
}

bool CanStrikeTarget(const CSquad* squad, const CSquad* target)
{
    if (IsBeside(squad, target))
        return true;
    CPathMap* map = AiPathMap();
    return ComputePathFromSquad(map, squad) && map->CanReachNeighbourOf(target);
}

}  // namespace

AiOrder OrderOf(const CSquad* squad)
{
    AiOrder order;
    order.plan = PlanWord(squad);
    order.direction = OrderCell(squad);
    order.target = TargetSquad(squad);
    return order;
}

void AiTactic::Setup(CSideController* owner, const AiOrder& order)
{
    side = owner;
    plan = order.plan;
    direction = order.direction;
    target = order.target;
}

void AiTactic::MarkActed(const CSquad* squad) const
{
    if (AiWithScreen())
        FireDefenceMarker(BattleId(squad), 2);
}

bool AiTactic::HasEnemyBeside(const CSquad* squad) const
{
    const CArmy* enemy = EnemyArmy(SetupOf(side));
    for (int i = 0; i < ArmySize(enemy); ++i) {
        const CSquad* e = ArmySquad(enemy, i);
        if (SquadCount(e) != 0 && IsBeside(squad, e))
            return true;
    }
    return false;
}

void AiTactic::StrikeEnemyBeside(CSquad* squad)
{
    const CArmy* enemy = EnemyArmy(SetupOf(side));
    for (int i = ArmySize(enemy) - 1; i >= 0; --i) {
        CSquad* e = ArmySquad(enemy, i);
        if (SquadCount(e) != 0 && IsBeside(squad, e)) {
            side->MeleeExchange(squad, e);
            return;
        }
    }
}

void CAttackTactic::Setup(CSideController* owner, const AiOrder& order)
{
    AiTactic::Setup(owner, order);
    pathMap = AiPathMap();
}

void CMoveTactic::Setup(CSideController* owner, const AiOrder& order)
{
    AiTactic::Setup(owner, order);
    pathMap = AiPathMap();
}

AiTactic* CreateTactic(uint32_t planWord, CSideController* side, const AiOrder& order)
{
    AiTactic* tactic = nullptr;
    switch (planWord) {
    case kPlanAttack:
        tactic = new CAttackTactic;
        break;
    case kPlanMove:
        tactic = new CMoveTactic;
        break;
    case kPlanGuard:
        tactic = new CGuardTactic;
        break;
    default:
        return nullptr;
    }
    tactic->Setup(side, order);
    return tactic;
}

// ---------------------------------------------------------------------------
// Cell choice.

uint32_t CellThreat(AiTactic* tactic, const CSquad* squad, uint8_t cell)
{
    const SideSetup* setup = SetupOf(tactic->side);
    const CArmy* enemy = EnemyArmy(setup);
    const CArmy* own = OwnArmy(setup);
    CPathMap* map = AiPathMap();
    const FieldHold still(map);
    uint32_t threat = 0;
    for (int i = ArmySize(enemy) - 1; i >= 0; --i) {
        CSquad* e = ArmySquad(enemy, i);
        if (e == tactic->target || SquadCount(squad) <= 0)
            continue;
        bool reaches;
        if (RangedValue(e) == 0)
            // An immobile squad (move speed 0) would otherwise be computed
            // without any limit and reach the whole field.
            reaches = MoveSpeedOf(e) > 0 && ComputePathFrom(e, MoveSpeedOf(e), 0) && map->IsReachable(cell);
        else
            reaches = IsNeighbourCell(map, SquadCell(e), cell);
        if (reaches)
            threat += uint32_t(MeleeAttackDamage(EnemyHero(setup), OwnHero(setup), e, squad));
    }
    if (AiSiegeScene() && ArmyAttackerByte(own) == 1) {
        // Attackers bunching up before the moat are what the castle's
        // catapults aim at.
        for (int d = 5; d >= 0; --d) {
            const CSquad* friendSquad = AsSquad(CellOccupant(NeighbourCell(cell, uint8_t(d))));
            if (friendSquad && friendSquad != squad && ArmyHolds(own, friendSquad) &&
                SquadCount(friendSquad) > 0 && CellBeforeMoatLine(SquadCell(friendSquad)))
                threat += 40;
        }
        if (CellBeforeMoatLine(cell))
            threat += 30;
        else if (cell >= 2 && CellBeforeMoatLine(uint8_t(cell - 2)))
            threat += 20;
    }
    return threat;
}

bool BestMoveCell(AiTactic* tactic, CSquad* squad, uint8_t& cell, uint8_t limited)
{
    CPathMap* map = AiPathMap();
    // Weighing the cells moves nothing on the field.
    const FieldHold still(map);
    const bool made = limited ? ComputePathFromSquad(map, squad) : ComputePathFrom(squad, 0, 1);
    if (!made)
        return false;
    uint8_t goal;
    if (tactic->target) {
        goal = SquadCell(tactic->target);
        if (tactic->direction < kNoDirection) {
            if (SquadCount(tactic->target) == 0)
                return false;
            cell = NeighbourCell(goal, tactic->direction);
            return true;
        }
    } else {
        goal = tactic->direction;
        cell = goal;
    }
    bool found = false;
    uint32_t bestScore = 0;
    uint16_t bestCost = 0;
    for (int d = 5; d >= 0; --d) {
        const uint8_t c = NeighbourCell(goal, uint8_t(d));
        if (c == SquadCell(squad))
            continue;
        const bool candidate = limited ? map->CostAt(c) <= MovePoints(squad) : map->IsReachable(c);
        if (!candidate)
            continue;
        map->SaveCosts();
        const uint32_t score = CellThreat(tactic, squad, c);
        map->RestoreCosts();
        const uint16_t cost = map->CostAt(c);
        if (!found || score < bestScore || (score == bestScore && cost < bestCost)) {
            found = true;
            bestScore = score;
            bestCost = cost;
            cell = c;
        }
    }
    return found;
}

// ---------------------------------------------------------------------------
// Attack.

bool CAttackTactic::MoveBlocksFriend(const CSquad* squad, uint8_t cell)
{
    const CArmy* own = OwnArmy(SetupOf(side));
    CPathMap* map = pathMap;
    map->SaveCosts();
    const uint32_t oldState = CellState(cell);
    const uint8_t ownCell = SquadCell(squad);
    CArmyItem* oldOccupant = CellOccupant(ownCell);
    auto moveAway = [&] {
        SetCellState(cell, 1);
        SetCellOccupant(ownCell, nullptr);
    };
    auto moveBack = [&] {
        SetCellState(cell, oldState);
        SetCellOccupant(ownCell, oldOccupant);
    };
    // Every friend's maps are made on one of two fields, as it is and with
    // the squad moved, known without reading the grid for each map: moved,
    // the squad's cell is free ground again (unless it is the cell it moves
    // to) and that cell is blocked.
    const FieldHold held(map);
    const CPathMap::CellSet asIs = map->EnterableCells(1);
    CPathMap::CellSet moved = asIs;
    if (ownCell < CPathMap::kSetCells)
        moved.Put(ownCell, ownCell != cell && CellState(ownCell) == kCellGround);
    if (cell < CPathMap::kSetCells)
        moved.Put(cell, false);
    bool blocks = false;
    for (int i = ArmySize(own) - 1; i >= 0 && !blocks; --i) {
        const CSquad* f = ArmySquad(own, i);
        if (f == squad || SquadCount(f) == 0)
            continue;
        map->ChangeHeldField(asIs);
        const bool before = ComputePathFromSquad(map, f) && map->CanReachNeighbourOf(target);
        moveAway();
        map->ChangeHeldField(moved);
        const bool after = ComputePathFromSquad(map, f) && map->CanReachNeighbourOf(target);
        moveBack();
        blocks = before && !after;
    }
    map->ChangeHeldField(asIs);
    map->RestoreCosts();
    return blocks;
}

void CAttackTactic::SortByApproachKey()
{
    // Weighing the squads moves nothing on the field (a simulated melee
    // changes only counts, and the moves tried are undone).
    const FieldHold still(pathMap);
    const int n = squads.Count();
    CDynArray<int32_t> keys;
    keys.SetSize(n);
    for (int i = 0; i < n; ++i) {
        CSquad* s = squads[i];
        if (SquadCount(s) <= 0 || !CanStrikeTarget(s, target)) {
            keys[i] = 65535;
            continue;
        }
        int32_t ownAfter = 0, targetAfter = 0;
        side->SimulateMelee(s, target, ownAfter, targetAfter);
        const int32_t targetCount = SquadCount(target);
        const int32_t ownCount = SquadCount(s);
        const int32_t lossT = (targetCount - targetAfter) * 100 / targetCount;
        const int32_t lossO = (ownCount - ownAfter) * 100 / ownCount;
        keys[i] = 100 - lossT + 2 * lossO + 4 * AiByte(s);
        ComputePathFrom(s, 0, 1);
        uint8_t c;
        if (BestMoveCell(this, s, c, 1) && MoveBlocksFriend(s, c))
            keys[i] /= 2;
    }
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (keys[j] < keys[i]) {
                CSquad* squad = squads[i];
                squads[i] = squads[j];
                squads[j] = squad;
                const int32_t key = keys[i];
                keys[i] = keys[j];
                keys[j] = key;
            }
}

bool CAttackTactic::Execute()
{
    stopFlag = 0;

    // Shooting: whoever can shoot does so and is done.
    for (int i = 0; i < squads.Count() && !stopFlag;) {
        CSquad* s = squads[i];
        if (SquadCount(target) == 0 || MovePoints(s) == 0) {
            RemoveAt(squads, i);
            continue;
        }
        if (RangedValue(s) > 0 && !side->HasEnemyNeighbour(s)) {
            side->RangedVolley(s, target);
            MarkActed(s);
            if (SquadCount(target) == 0)
                ClearOrder(s);
            RemoveAt(squads, i);
            continue;
        }
        ++i;
    }
    if (stopFlag)
        return false;
    if (SquadCount(target) == 0)
        return true;

    // Approach and strike, the squads that fare best first.
    SortByApproachKey();
    for (int i = 0; i < squads.Count() && !stopFlag;) {
        CSquad* s = squads[i];
        if (SquadCount(target) == 0 || MovePoints(s) == 0) {
            RemoveAt(squads, i);
            continue;
        }
        uint8_t c;
        CellList route;
        if (!IsBeside(s, target) || direction < kNoDirection) {
            if (BestMoveCell(this, s, c, 1) && c != SquadCell(s) && ComputePathFromSquad(pathMap, s) &&
                pathMap->BuildRoute(c, route))
                side->MoveAlongPath(s, route.cells, route.count);
        } else if (BestMoveCell(this, s, c, 1) && c != SquadCell(s) &&
                   CellThreat(this, s, SquadCell(s)) > CellThreat(this, s, c) &&
                   ComputePathFromSquad(pathMap, s) && pathMap->CostAt(c) <= MovePoints(s) &&
                   pathMap->BuildRoute(c, route)) {
            // Already beside the target: step aside only to a safer cell.
            side->MoveAlongPath(s, route.cells, route.count);
        }
        if (IsBeside(s, target)) {
            side->MeleeExchange(s, target);
            if (SquadCount(target) == 0)
                ClearOrder(s);
            RemoveAt(squads, i);
            if (SquadCount(s) > 0)
                MarkActed(s);
            continue;
        }
        ++i;
    }
    if (stopFlag)
        return false;
    if (SquadCount(target) == 0)
        return true;

    // Closing in on a target out of reach this turn.
    for (int i = 0; i < squads.Count() && !stopFlag;) {
        CSquad* s = squads[i];
        if (!ComputePathFrom(s, 0, 1))
            break;
        if (SquadCount(target) == 0 || MovePoints(s) == 0) {
            RemoveAt(squads, i);
            continue;
        }
        uint8_t c;
        if (!BestMoveCell(this, s, c, 0)) {
            ++i;
            continue;
        }
        if (c == SquadCell(s)) {
            MarkActed(s);
            RemoveAt(squads, i);
            continue;
        }
        CellList route;
        if (!pathMap->BuildRoute(c, route)) {
            ++i;
            continue;
        }
        FitRouteToMovePoints(route, s);
        side->MoveAlongPath(s, route.cells, route.count);
        if (CSquad* own = TargetSquad(s)) {
            if (SquadCount(own) == 0)
                ClearOrder(s);
        } else if (SquadCell(s) == OrderCell(s)) {
            ClearOrder(s);
        }
        if (HasEnemyBeside(s))
            StrikeEnemyBeside(s);
        MarkActed(s);
        RemoveAt(squads, i);
    }
    return !stopFlag;
}

// ---------------------------------------------------------------------------
// Move and guard.

bool CMoveTactic::Execute()
{
    stopFlag = 0;
    for (int i = 0; i < squads.Count();) {
        CSquad* s = squads[i];
        if (MovePoints(s) == 0 || SquadCell(s) == direction) {
            ClearOrder(s);
            RemoveAt(squads, i);
            continue;
        }
        if (!ComputePathFrom(s, 0, 1)) {
            ++i;
            continue;
        }
        uint8_t dest = direction;
        if (!pathMap->IsReachable(dest)) {
            uint8_t c;
            if (!BestMoveCell(this, s, c, 0)) {
                ++i;
                continue;
            }
            dest = c;
        }
        const bool computer = AiPlaysSide(side);
        if (SquadCell(s) == dest) {
            if (computer) {
                if (HasEnemyBeside(s))
                    StrikeEnemyBeside(s);
                else
                    side->EndSquadTurn(s);
            }
        } else {
            CellList route;
            if (pathMap->BuildRoute(dest, route)) {
                FitRouteToMovePoints(route, s);
                side->MoveAlongPath(s, route.cells, route.count);
            }
            if (computer) {
                if (HasEnemyBeside(s))
                    StrikeEnemyBeside(s);
                else if (MovePoints(s) > 0)
                    side->EndSquadTurn(s);
            }
        }
        if (SquadCell(s) == dest)
            ClearOrder(s);
        MarkActed(s);
        RemoveAt(squads, i);
        if (stopFlag)
            return true;
    }
    return true;
}

bool CGuardTactic::Execute()
{
    stopFlag = 0;
    for (int i = 0; i < squads.Count() && !stopFlag; ++i) {
        CSquad* s = squads[i];
        if (SquadCount(s) <= 0)
            continue;
        if (HasEnemyBeside(s))
            StrikeEnemyBeside(s);
        else
            side->EndSquadTurn(s);
    }
    return true;
}

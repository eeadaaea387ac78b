#include "battle/plain_side_ai.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_rules.h"
#include "battle/path_map.h"
#include "battle/siege_scene.h"
#include "battle/squad_battle_state.h"
#include "game/army.h"
#include "game/squad_type.h"

namespace {

bool Alive(const CSquad* s)
{
    return s->count > 0 && s->battleState;
}

// Walks the squad as far as its points allow toward the cell (or, with
// strike set, a cell beside the target) and strikes when it arrives.
bool WalkAndStrike(CSideController* side, CSquad* squad, CSquad* target, uint8_t goal)
{
    CBattleGrid* grid = g_battle.grid;
    CPathMap* paths = g_battle.pathMap;
    if (target) {
        for (uint8_t d = 0; d < 6; ++d) {
            if (grid->Neighbour(uint8_t(squad->cell), d) == target->cell) {
                side->MeleeExchange(squad, target);
                return true;
            }
        }
    }
    if (!paths->Compute(uint8_t(squad->cell), 0, 0, 1))
        return false;
    uint8_t stand = goal;
    uint16_t best = paths->CostAt(goal);
    if (target) {
        best = kImpassableCost;
        for (uint8_t d = 0; d < 6; ++d) {
            const uint8_t n = grid->Neighbour(uint8_t(target->cell), d);
            if (paths->CostAt(n) < best) {
                best = paths->CostAt(n);
                stand = n;
            }
        }
    }
    if (best >= kImpassableCost)
        return false;
    CellList route;
    if (!paths->BuildRoute(stand, route))
        return false;
    const uint16_t points = MovePoints(squad);
    if (best <= points) {
        side->MoveAlongPath(squad, route.cells, route.count);
        if (target)
            side->MeleeExchange(squad, target);
        return true;
    }
    route.TrimToCost(points, paths);
    if (route.count == 0)
        return false;
    side->MoveAlongPath(squad, route.cells, route.count);
    return true;
}

}  // namespace

bool PlainPlaySquad(CSideController* side, CSquad* squad)
{
    if (!Alive(squad) || MovePoints(squad) == 0)
        return false;
    CArmy* enemy = side->EnemyArmy();
    CBattleGrid* grid = g_battle.grid;
    CPathMap* paths = g_battle.pathMap;
    SetDefencePercent(squad, 0);
    if (side->CanShoot(squad)) {
        CSquad* weakest = nullptr;
        for (int i = 0; i < enemy->Count(); ++i) {
            CSquad* e = enemy->Item(i);
            if (Alive(e) && (!weakest || e->TotalHitPoints() < weakest->TotalHitPoints()))
                weakest = e;
        }
        if (weakest) {
            SetTargetSquad(squad, weakest);
            side->RangedVolley(squad, weakest);
            return true;
        }
    }
    // A neighbouring enemy is fought where it stands.
    for (uint8_t d = 0; d < 6; ++d) {
        CSquad* e = SquadAtCell(grid->Neighbour(uint8_t(squad->cell), d));
        if (e && enemy->Contains(e) && e->count > 0) {
            SetTargetSquad(squad, e);
            side->MeleeExchange(squad, e);
            return true;
        }
    }
    if (!paths->Compute(uint8_t(squad->cell), 0, 0, 1))
        return false;
    // The nearest enemy with a free cell beside it.
    CSquad* target = nullptr;
    uint16_t best = kImpassableCost;
    for (int i = 0; i < enemy->Count(); ++i) {
        CSquad* e = enemy->Item(i);
        if (!Alive(e))
            continue;
        for (uint8_t d = 0; d < 6; ++d) {
            const uint16_t cost = paths->CostAt(grid->Neighbour(uint8_t(e->cell), d));
            if (cost < best) {
                best = cost;
                target = e;
            }
        }
    }
    if (!target)
        return false;
    SetTargetSquad(squad, target);
    return WalkAndStrike(side, squad, target, 0);
}

void CPlainSideAi::PlayTurn()
{
    if (IsSiege()) {
        if (m_side->IsAttackerSide())
            PlainAimTrebuchet(m_side, m_setup);
        else
            PlainAimCatapults(m_side, m_setup, 0);
    }
    CArmy* army = m_setup->ownArmy;
    for (int i = 0; i < army->Count() && IsBattleGoingOn(); ++i) {
        CSquad* s = army->Item(i);
        if (Alive(s) && MovePoints(s) > 0)
            PlainPlaySquad(m_side, s);
    }
    if (IsBattleGoingOn())
        m_side->EndAllSquadTurns();
}

bool CPlainSideOrders::RunAll()
{
    m_stop = 0;
    CArmy* army = m_setup->ownArmy;
    for (int i = 0; i < army->Count() && IsBattleGoingOn(); ++i) {
        if (m_stop)
            return false;
        CSquad* s = army->Item(i);
        if (Alive(s) && MovePoints(s) > 0 && PlanWord(s) != kPlanNone)
            RunOne(s);
    }
    return !m_stop;
}

bool CPlainSideOrders::RunOne(CSquad* squad)
{
    if (!Alive(squad))
        return false;
    switch (PlanWord(squad)) {
    case kPlanAttack: {
        CSquad* target = TargetSquad(squad);
        if (!target || target->count <= 0 || MovePoints(squad) == 0)
            return false;
        if (m_side->CanShoot(squad)) {
            m_side->RangedVolley(squad, target);
            return true;
        }
        return WalkAndStrike(m_side, squad, target, 0);
    }
    case kPlanMove:
        if (MovePoints(squad) == 0 || OrderCell(squad) == squad->cell)
            return false;
        return WalkAndStrike(m_side, squad, nullptr, OrderCell(squad));
    case kPlanGuard:
        m_side->EndSquadTurn(squad);
        return true;
    default:
        return false;
    }
}

void PlainAimTrebuchet(CSideController*, SideSetup* setup)
{
    if (!IsSiege())
        return;
    auto* scene = static_cast<CSiegeScene*>(g_battle.scene);
    if (!scene->trebuchet || scene->trebuchet->hitPoints <= 0)
        return;
    // Walls first, then the castle's catapults.
    for (int pass = 0; pass < 2; ++pass) {
        for (int16_t i = 0; i < scene->ObjectCount(); ++i) {
            CArmyItem* o = scene->ObjectAt(i);
            const bool wanted = pass == 0 ? o->IsKindOf(kKindWall) : o->Kind() == kKindCatapult;
            if (wanted && o->hitPoints > 0 && CSideController::CanTarget(scene->trebuchet, o)) {
                scene->trebuchet->targetCell = uint8_t(o->cell);
                scene->FireTrebuchet(setup->ownHero, uint8_t(o->cell));
                return;
            }
        }
    }
}

void PlainAimCatapults(CSideController*, SideSetup* setup, uint8_t first)
{
    if (!IsSiege())
        return;
    auto* scene = static_cast<CSiegeScene*>(g_battle.scene);
    CArmy* enemy = setup->enemyArmy;
    for (uint8_t k = first; k < 4; ++k) {
        CSiegeCatapult* catapult = scene->CatapultAtIndex(k);
        if (!catapult || catapult->hitPoints <= 0)
            continue;
        CSquad* best = nullptr;
        for (int i = 0; i < enemy->Count(); ++i) {
            CSquad* s = enemy->Item(i);
            if (Alive(s) && IsBeforeMoatLine(uint8_t(s->cell)) && (!best || s->count > best->count))
                best = s;
        }
        if (!best)
            return;
        catapult->targetCell = uint8_t(best->cell);
        scene->FireCatapult(setup->ownHero, catapult, uint8_t(best->cell));
    }
}

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

bool Alive(const CSquad* s) { return s->count > 0 && s->battleState; }

// The trebuchet breaks the castle open: walls first, then the catapults.
void AimTrebuchet(CSiegeScene* scene, HeroRecord* hero)
{
    if (!scene->trebuchet || scene->trebuchet->hitPoints <= 0)
        return;
    for (int pass = 0; pass < 2; ++pass) {
        for (int16_t i = 0; i < scene->ObjectCount(); ++i) {
            CArmyItem* o = scene->ObjectAt(i);
            const bool wanted = pass == 0 ? o->IsKindOf(kKindWall) : o->Kind() == kKindCatapult;
            if (wanted && o->hitPoints > 0 && CSideController::CanTarget(scene->trebuchet, o)) {
                scene->FireTrebuchet(hero, uint8_t(o->cell));
                return;
            }
        }
    }
}

// Each castle catapult shoots the strongest squad before the moat line.
void AimCatapults(CSiegeScene* scene, HeroRecord* hero, CArmy* enemy)
{
    for (CSiegeCatapult* catapult : scene->catapults) {
        if (catapult->hitPoints <= 0)
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
        scene->FireCatapult(hero, catapult, uint8_t(best->cell));
    }
}

}  // namespace

void CPlainSideAi::PlayTurn()
{
    if (IsSiege()) {
        auto* scene = static_cast<CSiegeScene*>(g_battle.scene);
        if (side_->IsAttackerSide())
            AimTrebuchet(scene, setup_->ownHero);
        else
            AimCatapults(scene, setup_->ownHero, setup_->enemyArmy);
    }
    CArmy* army = setup_->ownArmy;
    for (int i = 0; i < army->Count() && IsBattleGoingOn(); ++i) {
        CSquad* s = army->Item(i);
        if (Alive(s) && MovePoints(s) > 0)
            PlaySquad(s);
    }
    if (IsBattleGoingOn())
        side_->EndAllSquadTurns();
}

void CPlainSideAi::PlaySquad(CSquad* squad)
{
    CArmy* enemy = setup_->enemyArmy;
    CBattleGrid* grid = g_battle.grid;
    CPathMap* paths = g_battle.pathMap;
    SetDefencePercent(squad, 0);
    if (side_->CanShoot(squad)) {
        CSquad* weakest = nullptr;
        for (int i = 0; i < enemy->Count(); ++i) {
            CSquad* e = enemy->Item(i);
            if (Alive(e) && (!weakest || e->TotalHitPoints() < weakest->TotalHitPoints()))
                weakest = e;
        }
        if (weakest) {
            SetTargetSquad(squad, weakest);
            side_->RangedVolley(squad, weakest);
            return;
        }
    }
    // A neighbouring enemy is fought where it stands.
    for (uint8_t d = 0; d < 6; ++d) {
        CSquad* e = SquadAtCell(grid->Neighbour(uint8_t(squad->cell), d));
        if (e && enemy->Contains(e) && e->count > 0) {
            SetTargetSquad(squad, e);
            side_->MeleeExchange(squad, e);
            return;
        }
    }
    if (!paths->Compute(uint8_t(squad->cell), 0, 0, 1))
        return;
    // The nearest enemy with a free cell beside it, and that cell.
    CSquad* target = nullptr;
    uint8_t stand = kNoCell;
    uint16_t best = kImpassableCost;
    for (int i = 0; i < enemy->Count(); ++i) {
        CSquad* e = enemy->Item(i);
        if (!Alive(e))
            continue;
        for (uint8_t d = 0; d < 6; ++d) {
            const uint8_t n = grid->Neighbour(uint8_t(e->cell), d);
            const uint16_t cost = paths->CostAt(n);
            if (cost < best) {
                best = cost;
                target = e;
                stand = n;
            }
        }
    }
    if (!target)
        return;
    CellList route;
    if (!paths->BuildRoute(stand, route))
        return;
    const uint16_t points = MovePoints(squad);
    if (best <= points) {
        side_->MoveAlongPath(squad, route.cells, route.count);
        SetTargetSquad(squad, target);
        side_->MeleeExchange(squad, target);
        return;
    }
    route.TrimToCost(points, paths);
    if (route.count > 0)
        side_->MoveAlongPath(squad, route.cells, route.count);
}

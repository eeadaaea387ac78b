#include "battle/side_controller.h"

#include <cstdlib>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_rules.h"
#include "battle/battle_scene.h"
#include "battle/computer_side.h"
#include "battle/missile_flight.h"
#include "battle/squad_battle_state.h"
#include "core/byte_stream.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/player_record.h"
#include "game/squad_type.h"

namespace {

// The ranged formula can come out below zero when a spread exceeds the
// percentage; a hit never heals its target.
int32_t Hit(int32_t damage)
{
    return damage < 0 ? 0 : damage;
}

uint8_t Strikes(const CSquad* s)
{
    return s->type ? uint8_t((s->type->meleeSecond) & 0x0F) : 0;
}
uint8_t Shots(const CSquad* s)
{
    return s->type ? uint8_t((s->type->rangedSecond) & 0x0F) : 0;
}

void Vacate(CSquad* squad)
{
    SetMovePoints(squad, 0);
    if (g_battle.grid && squad->cell < g_battle.grid->cellCount &&
        g_battle.grid->Cell(uint8_t(squad->cell)).occupant == squad)
        g_battle.grid->Cell(uint8_t(squad->cell)).occupant = nullptr;
}

void DefenceMarker(uint32_t battleId, uint32_t flag)
{
    if (!g_battle.noScreen)
        g_battleHooks.defenceMarker.Fire(battleId, flag);
}

PackedPoint CellCentre(uint8_t cell)
{
    PackedPoint p{packed::kUndefined, packed::kUndefined};
    if (g_battle.grid)
        g_battle.grid->CellToPoint(cell, p);
    return p;
}

}  // namespace

uint16_t DirectionalEventCode(uint16_t base, uint8_t from, uint8_t to)
{
    const PackedPoint p = CellCentre(from);
    const PackedPoint q = CellCentre(to);
    switch (base) {
    case 257:
    case 515:
    case 1297:
    case 1555:
    case 2337:
    case 2594:
        return q.X() < p.X() ? base : uint16_t(base + 1);
    default:
        break;
    }
    const int16_t cw = g_battle.grid ? g_battle.grid->cellWidth : 32;
    const int16_t ch = g_battle.grid ? g_battle.grid->cellHeight : 32;
    const int32_t threshold = cw != 0 ? ch * 50 / cw : 50;
    const int32_t dx = std::abs(q.X() - p.X());
    const int32_t dy = std::abs(q.Y() - p.Y());
    const bool steep = dx == 0 || dy * 100 / dx >= threshold;
    uint16_t d;
    if (steep) {
        if (q.X() <= p.X())
            d = q.Y() > p.Y() ? 2 : 1;
        else
            d = q.Y() > p.Y() ? 5 : 4;
    } else {
        d = q.X() > p.X() ? 3 : 0;
    }
    return uint16_t(base + d);
}

void PostSquadPose(CGameObject* object, uint32_t battleId, uint32_t kind, uint16_t code, bool hold)
{
    if (g_battle.noScreen)
        return;
    SetLastEventCode(object, code);
    if (battleId == 0)
        return;
    BattleEvent event;
    event.source = nullptr;
    event.battleHandle = battleId;
    event.sourceKind = kind;
    event.code = code;
    event.flag = 0;
    event.last = hold ? 2 : 0;
    g_battleHooks.battleEvent.Fire(&event);
}

void NotifySquadStrength(const CSquad* squad)
{
    if (!g_battle.noScreen)
        g_battleHooks.strength.Fire(squad->battleHandle, squad->count);
}

CSquad* SquadAtCell(uint8_t cell)
{
    if (!g_battle.grid || cell >= g_battle.grid->cellCount)
        return nullptr;
    CArmyItem* occupant = g_battle.grid->Cell(cell).occupant;
    if (occupant && occupant->Kind() == kKindSquad)
        return static_cast<CSquad*>(occupant);
    return nullptr;
}

void CSideController::CopySetup(const SideSetup* source)
{
    setup = *source;
    ownHero = setup.ownHero;
    enemyHero = setup.enemyHero;
}

CSideController* CSideController::OtherSide() const
{
    return g_battle.attackerSide == this ? g_battle.defenderSide : g_battle.attackerSide;
}

bool CSideController::IsAttackerSide() const
{
    return setup.ownArmy && setup.ownArmy->flagA != 0;
}

void CSideController::PostActor(CSquad* squad, uint16_t code, bool play)
{
    actorEvent.source = squad;
    actorEvent.battleHandle = squad->battleHandle;
    actorEvent.sourceKind = squad->Kind();
    actorEvent.code = code;
    actorEvent.coords[0] = packed::kUndefined;
    actorEvent.coords[1] = packed::kUndefined;
    actorEvent.flag = 1;
    DispatchBattleEvent(&actorEvent, play ? 1 : 0);
}

void CSideController::PostTarget(CSquad* squad, uint16_t code, bool play)
{
    targetEvent.source = squad;
    targetEvent.battleHandle = squad->battleHandle;
    targetEvent.sourceKind = squad->Kind();
    targetEvent.code = code;
    targetEvent.coords[0] = packed::kUndefined;
    targetEvent.coords[1] = packed::kUndefined;
    targetEvent.flag = 1;
    DispatchBattleEvent(&targetEvent, play ? 1 : 0);
}

void CSideController::LineUpSquads()
{
    CBattleGrid* grid = g_battle.grid;
    CArmy* army = setup.ownArmy;
    if (!grid || !army)
        return;
    const uint8_t attacker = army->flagA;
    const int step = 2 * grid->columns;
    int cell = attacker ? grid->columns + 2 : step - 2;
    int placed = 0;
    for (int i = 0; i < army->Count(); ++i) {
        CSquad* s = army->Item(i);
        if (s->count <= 0 || !s->battleState)
            continue;
        // Nine squads fill the starting column (rows 1-9); a tenth would land
        // on the border and an eleventh on a taken cell, so further squads
        // wait in the next column in (3 or 8), top to bottom.
        if (placed >= 9) {
            const int column = attacker ? 3 : grid->columns - 3;
            int row = 1;
            while (row < grid->rows - 1 && grid->Cell(uint8_t(column + row * grid->columns)).occupant)
                ++row;
            if (row >= grid->rows - 1)
                continue;
            cell = column + row * grid->columns;
        }
        s->cell = uint32_t(cell);
        SetSideByte(s, attacker);
        grid->Cell(uint8_t(cell)).occupant = s;
        ++placed;
        if (placed < 9) {
            cell += step;
            if (cell >= grid->cellCount)
                cell = attacker ? step + 2 : step + grid->columns - 2;
        }
    }
}

void CSideController::PlaceSquadAt(CSquad* squad, uint8_t cell)
{
    CBattleGrid* grid = g_battle.grid;
    if (squad->cell < grid->cellCount && grid->Cell(uint8_t(squad->cell)).occupant == squad)
        grid->Cell(uint8_t(squad->cell)).occupant = nullptr;
    grid->Cell(cell).occupant = squad;
    squad->cell = cell;
}

void CSideController::MoveAlongPath(CSquad* squad, const uint8_t* path, uint8_t length)
{
    SetMovePoints(squad, 0);
    for (uint8_t i = 0; i < length; ++i) {
        if (path[i] == squad->cell)
            continue;
        MoveSquad(squad, path[i], 1);
        PlaceSquadAt(squad, path[i]);
    }
    SetSquadPose(squad, uint16_t(kCodeRest + SideByte(squad)));
}

void CSideController::MeleeExchange(CSquad* attacker, CSquad* target)
{
    const uint8_t strikes = Strikes(attacker);
    const uint8_t counters = Strikes(target);
    uint8_t c = 0;
    for (uint8_t i = 0; i < strikes; ++i) {
        int32_t d = Hit(MeleeAttackDamage(ownHero, enemyHero, attacker, target));
        bool killed = target->TotalHitPoints() <= d;
        ShowMeleeAttack(attacker, target, killed);
        target->TakeDamage(d);
        NotifySquadStrength(target);
        if (target->count == 0) {
            Vacate(target);
            break;
        }
        if (c < counters) {
            d = Hit(MeleeAttackDamage(enemyHero, ownHero, target, attacker));
            killed = attacker->TotalHitPoints() <= d;
            ShowMeleeAttack(target, attacker, killed);
            attacker->TakeDamage(d);
            NotifySquadStrength(attacker);
            ++c;
            if (attacker->count == 0) {
                Vacate(attacker);
                break;
            }
        }
    }
    SetMovePoints(attacker, 0);
}

void CSideController::RangedVolley(CSquad* shooter, CSquad* target)
{
    const uint8_t shots = Shots(shooter);
    for (uint8_t i = 0; i < shots && target->count > 0; ++i) {
        const int32_t d = Hit(RangedAttackDamage(ownHero, enemyHero, shooter, target));
        const int32_t t = target->TotalHitPoints();
        ShowRangedAttack(shooter, target, d != t, d >= t);
        target->TakeDamage(d);
        NotifySquadStrength(target);
    }
    if (target->count == 0)
        Vacate(target);
    SetMovePoints(shooter, 0);
}

void CSideController::SimulateMelee(CSquad* attacker, CSquad* target, int32_t& attackerCount,
                                    int32_t& targetCount)
{
    const int32_t aCount = attacker->count, aFront = attacker->hitPoints;
    const int32_t tCount = target->count, tFront = target->hitPoints;
    const uint8_t strikes = Strikes(attacker);
    const uint8_t counters = Strikes(target);
    uint8_t c = 0;
    for (uint8_t i = 0; i < strikes; ++i) {
        target->TakeDamage(Hit(MeleeAttackDamage(ownHero, enemyHero, attacker, target)));
        if (target->count == 0)
            break;
        if (c < counters) {
            attacker->TakeDamage(Hit(MeleeAttackDamage(enemyHero, ownHero, target, attacker)));
            ++c;
            if (attacker->count == 0)
                break;
        }
    }
    attackerCount = attacker->count;
    targetCount = target->count;
    attacker->count = aCount < 0 ? 0 : aCount;
    attacker->hitPoints = aFront;
    target->count = tCount < 0 ? 0 : tCount;
    target->hitPoints = tFront;
}

void CSideController::EndSquadTurn(CSquad* squad)
{
    if (MovePoints(squad) != 0) {
        SetDefencePercent(squad, kStanceDefending);
        SetMovePoints(squad, 0);
        DefenceMarker(squad->battleHandle, 1);
    } else {
        SetDefencePercent(squad, 0);
    }
}

void CSideController::EndAllSquadTurns()
{
    CArmy* army = setup.ownArmy;
    for (int i = army->Count() - 1; i >= 0; --i) {
        CSquad* s = army->Item(i);
        if (s->count > 0 && s->battleState && MovePoints(s) >= 1)
            EndSquadTurn(s);
    }
}

bool CSideController::HasEnemyNeighbour(const CSquad* squad) const
{
    CBattleGrid* grid = g_battle.grid;
    for (uint8_t d = 0; d < 6; ++d) {
        CArmyItem* o = grid->Cell(grid->Neighbour(uint8_t(squad->cell), d)).occupant;
        if (o && o->Kind() == kKindSquad && setup.enemyArmy->Contains(static_cast<CSquad*>(o)))
            return true;
    }
    return false;
}

bool CSideController::CanShoot(const CSquad* squad) const
{
    return squad->type && (squad->type->rangedAttack & 0x0F) != 0 && !HasEnemyNeighbour(squad);
}

bool CSideController::CanTarget(const CGameObject* actor, const CGameObject* target)
{
    if (!actor || !target)
        return false;
    const uint32_t t = target->Kind();
    switch (actor->Kind()) {
    case kKindSquad:
    case kKindCatapult:
        return t == kKindSquad;
    case kKindTrebuchet:
        return t == kKindWall || t == kKindFortWall || t == kKindBridge || t == kKindCatapult;
    default:
        return false;
    }
}

void CSideController::DamageSquadFromObject(CSquad* squad, uint32_t shotValue)
{
    const int32_t d = SiegeObjectDamage(squad, int32_t(shotValue));
    if (g_battle.noScreen) {
        squad->TakeDamage(d);
        return;
    }
    uint16_t code;
    if (squad->TotalHitPoints() > d) {
        code = uint16_t(kCodeHurt + 3 * SideByte(squad));
    } else {
        DefenceMarker(squad->battleHandle, 0);
        code = uint16_t(kCodeDeath + SideByte(squad));
    }
    actorEvent.coords[0] = packed::kUndefined;
    QueueBattleEvent(squad->battleHandle);
    PostActor(squad, code, false);
    squad->TakeDamage(d);
    NotifySquadStrength(squad);
}

void CSideController::SettleSquadAfterHit(CSquad* squad)
{
    if (g_battle.noScreen)
        return;
    if (squad->count > 0) {
        SetSquadPose(squad, uint16_t(kCodeRest + SideByte(squad)));
    } else {
        DefenceMarker(squad->battleHandle, 0);
        Vacate(squad);
    }
    NotifySquadStrength(squad);
}

void CSideController::MoveSquad(CSquad* squad, uint8_t cell, uint16_t flag)
{
    if (g_battle.noScreen)
        return;
    const PackedPoint from = CellCentre(uint8_t(squad->cell));
    const PackedPoint to = CellCentre(cell);
    actorEvent.source = squad;
    actorEvent.battleHandle = squad->battleHandle;
    actorEvent.sourceKind = squad->Kind();
    actorEvent.code = DirectionalEventCode(kCodeStep, uint8_t(squad->cell), cell);
    actorEvent.coords[0] = from.X();
    actorEvent.coords[1] = from.Y();
    actorEvent.coords[2] = to.X();
    actorEvent.coords[3] = to.Y();
    actorEvent.flag = flag;
    DispatchBattleEvent(&actorEvent, 1);
}

void CSideController::ShowSquadLoss(CSquad* squad, bool killed)
{
    if (g_battle.noScreen)
        return;
    if (killed) {
        DefenceMarker(squad->battleHandle, 0);
        PostActor(squad, uint16_t(kCodeDeath + SideByte(squad)), false);
    } else {
        PostActor(squad, uint16_t(kCodeHurt + 3 * SideByte(squad)), true);
        SetSquadPose(squad, uint16_t(kCodeRest + SideByte(squad)));
    }
}

void CSideController::ShowMeleeAttack(CSquad* attacker, CSquad* target, bool killed)
{
    if (g_battle.noScreen)
        return;
    const uint8_t a = uint8_t(attacker->cell), t = uint8_t(target->cell);
    PostActor(attacker, DirectionalEventCode(kCodeStrike, a, t), false);
    QueueBattleEvent(attacker->battleHandle);
    PostTarget(target, DirectionalEventCode(kCodeReact, t, a), false);
    QueueBattleEvent(target->battleHandle);
    WaitForBattleEvents();
    PostActor(attacker, DirectionalEventCode(kCodeFollowThrough, a, t), false);
    QueueBattleEvent(attacker->battleHandle);
    if (killed) {
        DefenceMarker(target->battleHandle, 0);
        PostTarget(target, DirectionalEventCode(kCodeDeath, t, a), false);
        QueueBattleEvent(target->battleHandle);
        WaitForBattleEvents();
    } else {
        PostTarget(target, DirectionalEventCode(kCodeHurt, t, a), false);
        QueueBattleEvent(target->battleHandle);
        WaitForBattleEvents();
        SetSquadPose(target, uint16_t(kCodeRest + SideByte(target)));
    }
    SetSquadPose(attacker, uint16_t(kCodeRest + SideByte(attacker)));
}

void CSideController::ShowRangedAttack(CSquad* shooter, CSquad* target, bool hurt, bool killed)
{
    if (g_battle.noScreen)
        return;
    const uint8_t s = uint8_t(shooter->cell), t = uint8_t(target->cell);
    PostActor(shooter, DirectionalEventCode(kCodeAim, s, t), true);
    PostActor(shooter, DirectionalEventCode(kCodeLoose, s, t), false);
    LaunchMissile(shooter->battleState ? SquadMissile(shooter) : nullptr, s, t,
                  int16_t(SecondVisualWord(target) / 2));
    PostTarget(target, uint16_t(kCodeReact + 3 * SideByte(target)), true);
    if (killed) {
        DefenceMarker(target->battleHandle, 0);
        PostTarget(target, uint16_t(kCodeDeath + SideByte(target)), true);
    } else {
        if (hurt)
            PostTarget(target, DirectionalEventCode(kCodeHurt, t, s), true);
        SetSquadPose(target, uint16_t(kCodeRest + SideByte(target)));
    }
    SetSquadPose(shooter, uint16_t(kCodeRest + SideByte(shooter)));
}

void CSideController::SetSquadPose(CSquad* squad, uint16_t code)
{
    PostSquadPose(squad, squad->battleHandle, squad->Kind(), code, false);
}

void CSideController::TurnSquadToward(CSquad* squad, uint16_t base, uint8_t cell)
{
    SetSquadPose(squad, DirectionalEventCode(base, uint8_t(squad->cell), cell));
}

void CSideController::LaunchMissile(CMissile* missile, uint8_t from, uint8_t to, int16_t aim)
{
    if (!missile || g_battle.noScreen)
        return;
    const PackedPoint a = CellCentre(from);
    const PackedPoint b = CellCentre(to);
    ::LaunchMissile(missile, a, b, ShotArcHeight(a, b), aim);
}

bool CSideController::Serialize(CByteStream* stream)
{
    CBattleGrid* grid = g_battle.grid;
    CArmy* army = setup.ownArmy;
    CArmy* enemy = setup.enemyArmy;
    const bool storing = stream->IsStoring();
    for (int i = 0; i < army->Count(); ++i) {
        CSquad* s = army->Item(i);
        if (!s->battleState)
            s->CreateBattleState();
        BattleState& b = *s->battleState;
        uint8_t cell = uint8_t(s->cell);
        if (!storing && grid && cell < grid->cellCount && grid->Cell(cell).occupant == s)
            grid->Cell(cell).occupant = nullptr;
        stream->U8(cell);
        // A cell from a damaged stream must not index past the grid, and no
        // living squad ever stands on the border, whose neighbours would lie
        // outside it.
        if (!storing) {
            if (!grid || cell >= grid->cellCount || (s->count > 0 && grid->IsBorder(cell)))
                return false;
            s->cell = cell;
            if (s->count > 0)
                grid->Cell(cell).occupant = s;
        }
        stream->I32(s->hitPoints);
        // The front unit never has more hit points than a unit of its type.
        if (!storing && s->count > 0 && (s->hitPoints < 0 || (s->type && s->hitPoints > s->type->hp)))
            return false;
        stream->U8(b.byteB);
        stream->U16(b.half);
        stream->U8(b.byteD);
        stream->U8(b.byteC);
        stream->U32(b.wordA);
        stream->U8(b.byteA);
        uint32_t marker = (s->count == 0 && s->battleHandle != 0) ? 0xF0F0u : 0u;
        stream->U32(marker);
        uint32_t index = 0xFFFFFFu;
        if (storing) {
            const CSquad* target = TargetSquad(s);
            for (int k = enemy->Count() - 1; k >= 0 && target; --k) {
                if (enemy->Item(k) == target) {
                    index = uint32_t(k);
                    break;
                }
            }
        }
        stream->U32(index);
        if (stream->HasError())
            return false;
        if (!storing) {
            if (marker == 0xF0F0u && !g_battle.noScreen)
                CreateSquadVisual(s, army->flagA);
            const int16_t k = int16_t(index);
            if (index != 0xFFFFFFu && k >= 0 && k < enemy->Count())
                SetTargetSquad(s, enemy->Item(k));
            else
                SetTargetSquad(s, nullptr);
        }
    }
    return true;
}

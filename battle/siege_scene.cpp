#include "battle/siege_scene.h"

#include <algorithm>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_rules.h"
#include "battle/missile_flight.h"
#include "battle/path_map.h"
#include "battle/side_controller.h"
#include "core/byte_stream.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/province_record.h"

namespace {

constexpr uint16_t kCodeReady = 0x101;
constexpr uint16_t kCodeAimEngine = 0x202;
constexpr uint16_t kCodeShoot = 0x303;
constexpr uint16_t kCodeHit = 0x404;
constexpr uint16_t kCodeDestroyed = 0x505;
constexpr uint16_t kCodeWallDamaged = 0x606;
constexpr uint16_t kCodeBridgeRaised = 0x707;

void SetGateState(uint32_t state)
{
    if (g_battle.grid)
        g_battle.grid->Cell(g_siegeLayout.gateCell).state = state;
}

PackedPoint CellCentre(uint8_t cell)
{
    PackedPoint p{packed::kUndefined, packed::kUndefined};
    if (g_battle.grid)
        g_battle.grid->CellToPoint(cell, p);
    return p;
}

// A fallen wall fills the moat cell in front of it.
void WallFell(CArmyItem* wall)
{
    wall->PostBattleEvent(kCodeDestroyed, 0);
    wall->flags = 1;
    CBattleGrid* grid = g_battle.grid;
    if (grid && wall->cell > 0 && wall->cell < grid->cellCount &&
        grid->Cell(uint8_t(wall->cell - 1)).state == kCellMoat)
        grid->Cell(uint8_t(wall->cell - 1)).state = kCellGround;
}

CSideController* AttackingSide()
{
    return g_battle.attackerSide;
}

}  // namespace

uint8_t CatapultCell(uint8_t k)
{
    return k < g_siegeLayout.towerCells.size() ? g_siegeLayout.towerCells[k] : 0;
}

void CSiegeWall::OnDestroyed()
{
    WallFell(this);
}
void CSiegeFortWall::OnDestroyed()
{
    WallFell(this);
}

void CSiegeGates::OnDamaged()
{
    PostBattleEvent(kCodeHit, 0);
}
void CSiegeGates::OnDestroyed()
{
    PostBattleEvent(kCodeDestroyed, 0);
}

CBridge::CBridge(CGates* g, bool fortified) : gates(g)
{
    name = CStr("Bridge");
    hitPoints = ReadBattleObjectNumber(name, 0) & 0xFF;
    if (fortified)
        hitPoints = hitPoints * 3 / 2;
    flags = 0;
}

void CBridge::Reset()
{
    flags = 0;
    gateCode = kCodeReady;
    SetGateState(kCellBlocked);
    SignalBattleHook();
}

void CBridge::Open()
{
    if (IsOpen())
        return;
    flags = 1;
    SetGateState(kCellGround);
    if (gates)
        gates->SignalBattleHook();
    PostBattleEvent(kCodeReady, 1);
}

void CBridge::Close()
{
    if (hitPoints > 0) {
        // A squad standing in the gate keeps the bridge down.
        if (!g_battle.grid || !IsCellPassable(g_battle.grid, g_siegeLayout.gateCell))
            return;
        flags = 0;
        SetGateState(kCellBlocked);
        PostBattleEvent(kCodeBridgeRaised, 1);
        if (gates)
            gates->PostBattleEvent(gateCode, 0);
        SignalBattleHook();
    } else if (!IsOpen()) {
        Open();
    }
}

void CBridge::Toggle()
{
    if (IsOpen())
        Close();
    else
        Open();
}

void CBridge::OnDamaged()
{
    gateCode = kCodeWallDamaged;
    if (!IsOpen() && gates)
        gates->PostBattleEvent(gateCode, 0);
}

void CBridge::OnDestroyed()
{
    SetGateState(kCellGround);
    gateCode = kCodeDestroyed;
    if (gates)
        gates->SignalBattleHook();
    if (!IsOpen())
        PostBattleEvent(kCodeReady, 1);
    flags = 1;
}

CSiegeCatapult::CSiegeCatapult(bool fortified)
    : missile(std::make_unique<CMissile>(CStr("/Objects/Battle/Catapult")))
{
    if (fortified)
        hitPoints = hitPoints * 3 / 2;
}

void CSiegeCatapult::OnDestroyed()
{
    PostBattleEvent(kCodeDestroyed, 0);
}

CSiegeTrebuchet::CSiegeTrebuchet() : missile(std::make_unique<CMissile>(CStr("/Objects/Battle/Trebuchet")))
{
    SetCountdown(-1);
}

void CSiegeTrebuchet::CountDown()
{
    int16_t c = Countdown();
    if (c < 0)
        return;
    if (c == 0) {
        hitPoints = fullHitPoints;
        PostBattleEvent(kCodeReady, 0);
    }
    SetCountdown(int16_t(c - 1));
}

CSiegeScene::CSiegeScene(CastleState* c, bool attackerHasTrebuchet) : castle(c)
{
    const SiegeLayout& layout = g_siegeLayout;
    const bool fortified = castle && castle->fortWalls;
    for (int k = int(layout.wallCells.size()) - 1; k >= 0; --k) {
        CArmyItem* wall = fortified ? static_cast<CArmyItem*>(new CSiegeFortWall()) : new CSiegeWall();
        wall->cell = layout.wallCells[size_t(k)];
        AddObject(wall, true);
    }
    auto* gates = new CSiegeGates();
    gates->cell = layout.gateCell;
    AddObject(gates, false);
    bridge = new CBridge(gates, fortified);
    bridge->cell = layout.gateCell;
    AddObject(bridge, false);
    for (int k = int(layout.towerCells.size()) - 1; k >= 0; --k) {
        auto* tower = new CTower();
        tower->cell = layout.towerCells[size_t(k)];
        AddObject(tower, true);
    }
    // A catapult beyond the tower list has no place on the field: it takes
    // no part in the battle and stays the castle's.
    const uint8_t count = castle ? castle->catapults : 0;
    const uint8_t placed = uint8_t(std::min<size_t>(count, layout.towerCells.size()));
    unplacedCatapults = uint8_t(count - placed);
    for (uint8_t k = 0; k < placed; ++k) {
        auto* catapult = new CSiegeCatapult(fortified);
        catapult->cell = CatapultCell(k);
        AddObject(catapult, true);
        catapults.push_back(catapult);
    }
    if (attackerHasTrebuchet) {
        trebuchet = new CSiegeTrebuchet();
        trebuchet->cell = 0;
        AddObject(trebuchet, false);
    }
    if (castle && castle->moat && g_battle.grid)
        for (uint8_t cell : layout.moatCells)
            if (cell < g_battle.grid->cellCount)
                g_battle.grid->Cell(cell).state = kCellMoat;
}

void CSiegeScene::AddObject(CArmyItem* object, bool occupy)
{
    objects.push_back(object);
    if (occupy && g_battle.grid && object->cell < g_battle.grid->cellCount)
        g_battle.grid->Cell(uint8_t(object->cell)).occupant = object;
}

void CSiegeScene::Prepare()
{
    bridge->Reset();
    if (!castle)
        return;
    const SiegeLayout& layout = g_siegeLayout;
    for (CArmyItem* o : objects) {
        if (o->IsKindOf(kKindWall)) {
            for (size_t k = 0; k < layout.wallCells.size() && k < CastleState::kSegments; ++k)
                if (layout.wallCells[k] == o->cell)
                    o->SetHitPoints(castle->segments[k]);
        }
        if (o->IsKindOf(kKindGates) && o->cell == layout.gateCell)
            o->SetHitPoints(castle->gates);
    }
}

void CSiegeScene::TurnStep()
{
    if (trebuchet)
        trebuchet->CountDown();
}

void CSiegeScene::AfterLoad()
{
    // Make the gate cell match the restored bridge.
    if (bridge->IsOpen()) {
        SetGateState(kCellGround);
    } else {
        bridge->Close();
    }
}

void CSiegeScene::Finish()
{
    if (!castle)
        return;
    const SiegeLayout& layout = g_siegeLayout;
    uint8_t living = 0;
    for (CArmyItem* o : objects) {
        if (o->IsKindOf(kKindWall)) {
            for (size_t k = 0; k < layout.wallCells.size() && k < CastleState::kSegments; ++k)
                if (layout.wallCells[k] == o->cell)
                    castle->segments[k] = uint8_t(o->hitPoints);
        }
        if (o->IsKindOf(kKindGates) && o->cell == layout.gateCell)
            castle->gates = uint8_t(o->hitPoints & 0xFF);
        if (o->Kind() == kKindCatapult && o->hitPoints > 0)
            ++living;
    }
    castle->catapults = uint8_t(living + unplacedCatapults);
    castle->PercentFromDefences();
}

bool CSiegeScene::Serialize(CByteStream* stream)
{
    if (!StreamSceneObjects(this, stream))
        return false;
    stream->U32(bridge->further);
    return !stream->HasError();
}

void CSiegeScene::FireCatapult(HeroRecord*, CSiegeCatapult* catapult, uint8_t target)
{
    if (!catapult || catapult->hitPoints <= 0 || !IsBeforeMoatLine(target))
        return;
    catapult->PostBattleEvent(kCodeAimEngine, 1);
    catapult->PostBattleEvent(kCodeShoot, 0);
    const PackedPoint from = CellCentre(uint8_t(catapult->cell));
    const PackedPoint to = CellCentre(target);
    if (!g_battle.noScreen)
        LaunchMissile(catapult->missile.get(), from, to, ShotArcHeight(from, to), 0);
    catapult->PostBattleEvent(kCodeReady, 0);
    QueueBattleEvent(catapult->missile->battleHandle);
    LandMissile(catapult->missile.get(), to, 0);
    CatapultShot(catapult, target);
    WaitForBattleEvents();
    catapult->missile->SignalBattleHook();
}

void CSiegeScene::FireTrebuchet(HeroRecord*, uint8_t target)
{
    if (!trebuchet || trebuchet->hitPoints <= 0 || !g_battle.grid || target >= g_battle.grid->cellCount)
        return;
    trebuchet->PostBattleEvent(kCodeAimEngine, 1);
    trebuchet->PostBattleEvent(kCodeShoot, 0);
    const CArmyItem* occupant = g_battle.grid->Cell(target).occupant;
    const int16_t offset = occupant ? SecondVisualWord(occupant) : 0;
    const PackedPoint to = CellCentre(target);
    if (!g_battle.noScreen)
        LaunchMissile(trebuchet->missile.get(), PackedPoint(0, 0), to, TrebuchetArcHeight(to), offset);
    trebuchet->PostBattleEvent(kCodeReady, 0);
    LandMissile(trebuchet->missile.get(), to, 0);
    TrebuchetShot(target);
    trebuchet->missile->SignalBattleHook();
}

void CSiegeScene::ShootCatapultAtSquad(uint8_t, uint8_t target, int32_t damage)
{
    CSquad* squad = SquadAtCell(target);
    if (squad && AttackingSide())
        AttackingSide()->DamageSquadFromObject(squad, uint32_t(damage));
}

void CSiegeScene::KillSquadAtCell(uint8_t target)
{
    CSquad* squad = SquadAtCell(target);
    if (!squad)
        return;
    if (AttackingSide())
        AttackingSide()->SettleSquadAfterHit(squad);
    // Without a screen the settling shows nothing, but a squad the shot
    // killed must still leave its cell, or it would block it for good.
    if (squad->count == 0 && g_battle.grid->Cell(target).occupant == squad)
        g_battle.grid->Cell(target).occupant = nullptr;
}

void CSiegeScene::HitObjectsAtCell(uint8_t cell, int32_t amount)
{
    for (CArmyItem* o : objects)
        if (o->cell == cell)
            o->Damage(amount);
}

int32_t CSiegeScene::LivingCatapultCount() const
{
    int32_t n = 0;
    for (const CSiegeCatapult* c : catapults)
        if (c->hitPoints > 0)
            ++n;
    return n;
}

CSiegeCatapult* CSiegeScene::CatapultAtIndex(uint8_t k) const
{
    const uint8_t cell = CatapultCell(k);
    if (cell == 0)
        return nullptr;
    for (CSiegeCatapult* c : catapults)
        if (c->cell == cell)
            return c;
    return nullptr;
}

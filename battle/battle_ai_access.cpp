#include "battle/battle_ai_access.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_rules.h"
#include "battle/path_map.h"
#include "battle/side_controller.h"
#include "battle/siege_scene.h"
#include "core/core_main.h"
#include "game/army.h"
#include "game/squad_type.h"

CPathMap* AiPathMap()
{
    return g_battle.pathMap;
}
CBattleScene* AiScene()
{
    return g_battle.scene;
}
CSiegeScene* AiSiegeScene()
{
    CBattleScene* scene = g_battle.scene;
    return scene && scene->Kind() == kSceneSiege ? static_cast<CSiegeScene*>(scene) : nullptr;
}
bool AiWithScreen()
{
    return g_battle.noScreen == 0;
}
uint32_t AiPowerOption()
{
    return g_battle.powerOption;
}
int32_t AiTurnCounter()
{
    return g_battle.turnCounter;
}
bool AiBattleGoingOn()
{
    return IsBattleGoingOn();
}
void AiFrameStep()
{
    FrameStep();
}

uint8_t GridColumns()
{
    return g_battle.grid->columns;
}
uint8_t GridRows()
{
    return g_battle.grid->rows;
}
uint8_t GridCellCount()
{
    return g_battle.grid->cellCount;
}
uint32_t CellState(uint8_t cell)
{
    return g_battle.grid->Cell(cell).state;
}
void SetCellState(uint8_t cell, uint32_t state)
{
    g_battle.grid->Cell(cell).state = state;
}
CArmyItem* CellOccupant(uint8_t cell)
{
    return g_battle.grid->Cell(cell).occupant;
}
void SetCellOccupant(uint8_t cell, CArmyItem* item)
{
    g_battle.grid->Cell(cell).occupant = item;
}
bool CellPassable(uint8_t cell)
{
    return IsCellPassable(g_battle.grid, cell);
}
bool CellCentre(uint8_t cell, int16_t& x, int16_t& y)
{
    PackedPoint point{};
    if (!g_battle.grid->CellToPoint(cell, point))
        return false;
    x = point.X();
    y = point.Y();
    return true;
}
int16_t CellWidth()
{
    return g_battle.grid->cellWidth;
}
uint8_t MoatCellCount()
{
    return uint8_t(g_siegeLayout.moatCells.size());
}
uint8_t MoatCell(uint8_t index)
{
    return g_siegeLayout.moatCells[index];
}
bool CellBeforeMoatLine(uint8_t cell)
{
    return IsBeforeMoatLine(cell);
}

uint32_t BattleId(const CArmyItem* item)
{
    return item->battleHandle;
}
bool HasBattleState(const CSquad* squad)
{
    return squad->battleState != nullptr;
}
uint8_t TypeForceCoefficient(const CSquad* squad)
{
    return squad->type ? squad->type->forceCoefficient : 0;
}
uint32_t MoverWord(const CSquad* squad)
{
    return uint32_t(reinterpret_cast<uintptr_t>(squad->type));
}

bool ArmyHolds(const CArmy* army, const CArmyItem* item)
{
    const CSquad* squad = AsSquad(item);
    return army && squad && army->Contains(squad);
}
uint8_t ArmyAttackerByte(const CArmy* army)
{
    return army->flagA;
}
void ResetArmyOrders(CArmy* army)
{
    army->ResetBattleStates();
}

int ObjectCount(const CBattleScene* scene)
{
    return scene ? scene->ObjectCount() : 0;
}
CArmyItem* ObjectAt(const CBattleScene* scene, int index)
{
    return scene->ObjectAt(int16_t(index));
}
bool ObjectIsKind(const CArmyItem* item, uint32_t kind)
{
    return item && item->IsKindOf(kind);
}
int32_t ObjectHitPoints(const CArmyItem* item)
{
    return item->hitPoints;
}
bool ObjectPassable(const CArmyItem* item)
{
    return item->flags != 0;
}
uint8_t ObjectCell(const CArmyItem* item)
{
    return uint8_t(item->cell);
}
CSquad* AsSquad(CArmyItem* item)
{
    return item && item->Kind() == kKindSquad ? static_cast<CSquad*>(item) : nullptr;
}
const CSquad* AsSquad(const CArmyItem* item)
{
    return item && item->Kind() == kKindSquad ? static_cast<const CSquad*>(item) : nullptr;
}

CArmyItem* SiegeTrebuchet(CSiegeScene* scene)
{
    return scene->trebuchet;
}
int SiegeCatapultListSize(CSiegeScene* scene)
{
    return int(scene->catapults.size());
}
CArmyItem* SiegeCatapultInList(CSiegeScene* scene, int index)
{
    return scene->catapults[size_t(index)];
}
bool SiegeBridgeOpen(CSiegeScene* scene)
{
    return scene->bridge && scene->bridge->IsOpen();
}

SideSetup* SetupOf(CSideController* side)
{
    return side->SetupPtr();
}
bool AiPlaysSide(const CSideController* side)
{
    return side->PlayedByAi();
}
CArmy* OwnArmy(const SideSetup* setup)
{
    return setup->ownArmy;
}
CArmy* EnemyArmy(const SideSetup* setup)
{
    return setup->enemyArmy;
}
HeroRecord* OwnHero(const SideSetup* setup)
{
    return setup->ownHero;
}
HeroRecord* EnemyHero(const SideSetup* setup)
{
    return setup->enemyHero;
}

void FirePositionHook(uint32_t battleId, int16_t x, int16_t y)
{
    if (g_battle.noScreen)
        return;
    PackedPoint point{};
    point.SetX(x);
    point.SetY(y);
    g_battleHooks.position.Fire(battleId, point);
}

void FireDefenceMarker(uint32_t battleId, uint32_t flag)
{
    if (!g_battle.noScreen)
        g_battleHooks.defenceMarker.Fire(battleId, flag);
}

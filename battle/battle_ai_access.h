#pragma once
// The battle-engine facts the AI reads and writes, named once: the battle
// globals, grid cells, squad and army fields, scene objects and the screen
// hooks. Order fields of a squad are those of battle/squad_battle_state.h.
#include <cstdint>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/squad_battle_state.h"
#include "game/army.h"
#include "game/squad_type.h"

class CArmy;
class CArmyItem;
class CBattleScene;
class CPathMap;
class CSideController;
class CSiegeCatapult;
class CSiegeScene;
class CSquad;
class HeroRecord;
struct SideSetup;

// Battle globals.
CPathMap* AiPathMap();
CBattleScene* AiScene();
// The scene when the battle is a siege, else null.
CSiegeScene* AiSiegeScene();
bool AiWithScreen();
uint32_t AiPowerOption();
int32_t AiTurnCounter();
bool AiBattleGoingOn();
void AiFrameStep();

// Grid.
uint8_t GridColumns();
uint8_t GridRows();
uint8_t GridCellCount();
// The AI's loops ask these millions of times a game: they are inline.
inline uint8_t NeighbourCell(uint8_t cell, uint8_t direction)
{
    return g_battle.grid->Neighbour(cell, direction);
}
uint32_t CellState(uint8_t cell);
void SetCellState(uint8_t cell, uint32_t state);
CArmyItem* CellOccupant(uint8_t cell);
void SetCellOccupant(uint8_t cell, CArmyItem* item);
bool CellPassable(uint8_t cell);
// Centre of a playable cell in field pixels; false for a border cell.
bool CellCentre(uint8_t cell, int16_t& x, int16_t& y);
int16_t CellWidth();
uint8_t MoatCellCount();
uint8_t MoatCell(uint8_t index);
bool CellBeforeMoatLine(uint8_t cell);

// Squads and armies.
inline int32_t SquadCount(const CSquad* squad)
{
    return squad->count;
}
inline uint8_t SquadCell(const CSquad* squad)
{
    return uint8_t(squad->cell);
}
uint32_t BattleId(const CArmyItem* item);
bool HasBattleState(const CSquad* squad);
inline uint8_t TypeRangedByte(const CSquad* squad)
{
    return squad->type ? squad->type->rangedAttack : 0;
}
inline uint8_t TypeMeleeByte(const CSquad* squad)
{
    return squad->type ? squad->type->meleeAttack : 0;
}
inline uint16_t TypeMoveSpeed(const CSquad* squad)
{
    return squad->type ? squad->type->moveSpeed : 0;
}
uint8_t TypeForceCoefficient(const CSquad* squad);
// What the path map is told about the mover (it ignores it).
uint32_t MoverWord(const CSquad* squad);

inline int ArmySize(const CArmy* army)
{
    return army ? army->Count() : 0;
}
inline CSquad* ArmySquad(const CArmy* army, int index)
{
    return army->Item(index);
}
bool ArmyHolds(const CArmy* army, const CArmyItem* item);
uint8_t ArmyAttackerByte(const CArmy* army);
void ResetArmyOrders(CArmy* army);

// Scene objects.
int ObjectCount(const CBattleScene* scene);
CArmyItem* ObjectAt(const CBattleScene* scene, int index);
bool ObjectIsKind(const CArmyItem* item, uint32_t kind);
int32_t ObjectHitPoints(const CArmyItem* item);
bool ObjectPassable(const CArmyItem* item);
uint8_t ObjectCell(const CArmyItem* item);
// The item as a squad, null when it is none or something else.
CSquad* AsSquad(CArmyItem* item);
const CSquad* AsSquad(const CArmyItem* item);

// Siege scene.
CArmyItem* SiegeTrebuchet(CSiegeScene* scene);
int SiegeCatapultListSize(CSiegeScene* scene);
CArmyItem* SiegeCatapultInList(CSiegeScene* scene, int index);
bool SiegeBridgeOpen(CSiegeScene* scene);

// Side controllers.
SideSetup* SetupOf(CSideController* side);
// A computer side, or a person's side on automatic play.
bool AiPlaysSide(const CSideController* side);
CArmy* OwnArmy(const SideSetup* setup);
CArmy* EnemyArmy(const SideSetup* setup);
HeroRecord* OwnHero(const SideSetup* setup);
HeroRecord* EnemyHero(const SideSetup* setup);

// Screen hooks; nothing happens while unbound or without a screen.
void FirePositionHook(uint32_t battleId, int16_t x, int16_t y);
void FireDefenceMarker(uint32_t battleId, uint32_t flag);

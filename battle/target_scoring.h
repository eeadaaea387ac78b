#pragma once
// How the battle AI judges the field: ratings of squads and armies, the order
// in which enemy squads are considered, the cell from which a target is
// approached and the cell from which an own ranged squad is covered. The
// decisions themselves are the strategies' ActSquad.
#include <cstdint>

#include "battle/battle_ai_strategy.h"
#include "battle/battle_grid.h"
#include "battle/squad_battle_state.h"

class CArmy;
class CPathMap;
class CSquad;
struct SideSetup;

uint8_t RangedValue(const CSquad* squad);
uint8_t MeleeValue(const CSquad* squad);
// The ranged attack value of a ranged squad, else the melee attack value.
uint8_t AttackValue(const CSquad* squad);
uint16_t MoveSpeedOf(const CSquad* squad);
bool HasLivingRangedSquad(const CArmy* army);

void SetAttackOrder(CSquad* squad, CSquad* target, uint8_t direction);
void SetMoveOrder(CSquad* squad, uint8_t cell);
void ClearOrder(CSquad* squad);

bool IsNeighbourCell(const CPathMap* map, uint8_t a, uint8_t b);
// The path map from the squad with its move points as the limit, occupants
// counted; false when the squad's own cell gives no map.
bool ComputePathFromSquad(CPathMap* map, const CSquad* squad);
// Path map from a squad with a cost limit (0 none) and the occupant test.
bool ComputePathFrom(const CSquad* squad, uint16_t limit, uint8_t checkPassable);
bool ArmyHasSquadNextTo(const CArmy* army, uint8_t cell, const CSquad* except);

void BuildTargetOrder(CGeneralAiStrategy* strategy, const CArmy* enemy, const CArmy* own,
                      AiTargetOrder& order);
bool IsTargetCovered(CGeneralAiStrategy* strategy, const SideSetup* setup, const CSquad* target);
CSquad* NearestOwnRangedSquad(CGeneralAiStrategy* strategy, const CArmy* own, const CSquad* squad);
CSquad* FirstReachableTarget(CGeneralAiStrategy* strategy, const SideSetup* setup, const CSquad* squad,
                             const AiTargetOrder& order);
CSquad* EnemyNextTo(const SideSetup* setup, const CSquad* squad);
CSquad* ResolveAttackTarget(CGeneralAiStrategy* strategy, const SideSetup* setup, const CSquad* squad,
                            CSquad* target, const AiTargetOrder& order);
uint8_t GuardCell(CGeneralAiStrategy* strategy, const CSquad* protectedSquad, const CArmy* own);
bool UncoveredEnemyNextTo(CGeneralAiStrategy* strategy, const SideSetup* setup, const CSquad* squad);

bool IsPastMoatLine(const CSquad* squad);
bool AnyEnemyPastMoatLine(const SideSetup* setup);
bool AnyWallDestroyed();
// A siege whose attacker the army is, with a wall down.
bool BreachOpenTo(const CArmy* army);
bool AnyWallStanding();
uint8_t WeakestWallCell(const CSquad* squad);

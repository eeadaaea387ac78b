// Player ratings, the strength and economy scores the planner compares, and
// the income arithmetic of provinces and players that the turn economy and
// the ratings share.
#pragma once

#include <cstdint>

#include "game/resource_bundle.h"

class CArmy;
class PlayerRecord;
class ProvinceRecord;
struct WorldHolder;

// A province's own income plus the castle's gold, the bank's gold and the
// mines' bundles.
CResourceBundle ProvinceIncome(const ProvinceRecord* province);
// ProvinceIncome summed over the player's provinces, in index order.
CResourceBundle PlayerTotalIncome(const PlayerRecord* player);

void ComputePlayerRatings(WorldHolder* holder);

uint32_t PlayerStrength(const PlayerRecord* player);
uint32_t PlayerStrengthWithCastles(const PlayerRecord* player);
uint32_t ProvinceDefenceValue(const ProvinceRecord* province);
ProvinceRecord* StrongestForeignNeighbour(const PlayerRecord* player);
int32_t EconomyScore(const PlayerRecord* player);
uint32_t ArmyStrength(const CArmy* army);
int32_t PlayerRelation(const PlayerRecord* player, const PlayerRecord* other);

// Hooks the running game calls once per round, at a new or loaded game and
// at the end of a game. They do nothing.
void OnRoundStart();
void OnNewGameAiHook();
void OnWorldAiHook();

// Shared shorthand of the planner: the player whose turn it is, its
// controller, the difficulty, the percentage roll, and the few questions
// about provinces and armies that every evaluator and executor asks.
#pragma once

#include <cstdint>
#include <vector>

#include "core/random.h"
#include "game/army.h"
#include "game/game_object.h"
#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/resource_bundle.h"
#include "game/running_game.h"
#include "game/squad_type.h"

namespace planner {

inline constexpr uint32_t kGold = FourCC("gold");
inline constexpr uint32_t kMetal = FourCC("metl");
inline constexpr uint32_t kStone = FourCC("ston");

// A percentage roll: 0..100, compared with the planner's thresholds as is.
inline int32_t Roll()
{
    return int32_t(NextRandom() % 101);
}
// A draw in 0..n-1.
inline int32_t Draw(int32_t n)
{
    return int32_t(NextRandom() % uint32_t(n));
}

inline PlayerRecord* Me()
{
    return CurrentPlayer();
}
inline CPlayerController* MyController()
{
    return CurrentPlayer()->controller;
}
inline int32_t Difficulty()
{
    return Game().difficulty;
}
inline CGameWorld& World()
{
    return *GameWorld();
}
inline CProvinceDistanceMap& Map()
{
    return *GameDistanceMap();
}
inline int ProvinceCount()
{
    return World().ProvinceCount();
}
inline ProvinceRecord* ProvinceAt(int i)
{
    return &World().Province(i);
}
inline int PlayerCount()
{
    return World().PlayerCount();
}
inline PlayerRecord* PlayerAt(int i)
{
    return &World().Player(i);
}

// The (a, b) pair of the strength a computer player wants against a defence
// of E before it attacks: E x a / b, by difficulty.
struct Ratio {
    uint32_t a;
    uint32_t b;
};
inline Ratio AttackRatio(int32_t difficulty)
{
    static constexpr Ratio kRatios[4] = {{2, 3}, {5, 4}, {3, 2}, {2, 1}};
    return kRatios[difficulty < 0 ? 0 : difficulty > 3 ? 3 : difficulty];
}

// A province by index, null for 255 or any index outside the world.
inline ProvinceRecord* ProvinceOrNull(int index)
{
    return index >= 0 && index < ProvinceCount() ? ProvinceAt(index) : nullptr;
}
// The player's capital while the player still holds it.
inline ProvinceRecord* CapitalOf(const PlayerRecord* p)
{
    ProvinceRecord* q = ProvinceOrNull(p->capital);
    return q && q->owner == p ? q : nullptr;
}
inline ProvinceRecord* ArmyProvince(const PlayerRecord* p)
{
    return ProvinceOrNull(p->armyLocation);
}

// Another player that still takes part in the game.
inline bool IsRival(const PlayerRecord* other, const PlayerRecord* p)
{
    return other && other != p && other->controller;
}
inline bool IsComputer(const PlayerRecord* p)
{
    return p && p->controller && !p->controller->IsHuman();
}

// Within reach of the player: the army can walk there with the move points
// left through its own provinces, on the map as UpdateReach last left it.
inline bool InReach(const ProvinceRecord* q, const PlayerRecord* p)
{
    return q && Map().ReachableWithin(q->index, p->controller->movePoints, p);
}

// True when another player owns a neighbour of the player's capital.
bool CapitalHasEnemyNeighbour(const PlayerRecord* p);

// Saves the distance map on construction and restores it when it goes, so
// that a look from another start leaves the army's reach in force.
class MapSnapshot {
public:
    MapSnapshot() { Map().SaveSnapshot(); }
    ~MapSnapshot() { Map().RestoreSnapshot(); }
    MapSnapshot(const MapSnapshot&) = delete;
    MapSnapshot& operator=(const MapSnapshot&) = delete;
};

inline int32_t SquadCount(const CArmy& a, int i)
{
    return a.Item(i)->count;
}
inline const CSquadType* SquadTypeAt(const CArmy& a, int i)
{
    return a.Item(i)->type;
}
// Sets a squad's count directly, never below 0 (the front unit is whole).
void SetSquadCount(CArmy& a, int i, int32_t n);

}  // namespace planner

#pragma once
// Where recruited units go and what they cost. A person recruits into the
// provinces he has chosen from a pool of units he may still recruit; units
// are spread one per province and pass so that no chosen province is left
// out while another gets two, and every unit is paid for as it is placed.
// Only what the same stay placed can be given back: standing garrisons are
// never sold.

#include <cstdint>
#include <functional>
#include <vector>

class CGameWorld;
class CSquad;
class PlayerRecord;

// Told of a province's placed count of the moved kind each time it changes.
using PlacedCountChanged = std::function<void(int32_t province, int32_t placed)>;

// Moves `delta` units of squad kind `kind` (its index in the player's army,
// in the pool's army and in every garrison) between `pool` and the
// garrisons of the player's chosen provinces: recruits when delta > 0,
// gives back when delta < 0. Each pass goes from the highest province index
// down and moves one unit per province; passes go on until all are moved, a
// recruit finds the pool empty, or a pass moves none.
//
// `placedHere` holds what this stay placed, province p's count of kind k at
// p * kinds + k; a give-back takes from no province more than it holds
// there. `chosen` has a flag per province (missing ones are not chosen).
// The units moved are paid for from the treasury, or refunded into it and
// out of what the player's record says was spent. Returns the units moved.
int32_t MoveRecruits(CGameWorld& world, PlayerRecord& player, CSquad& pool, int32_t kind, int32_t kinds,
                     int32_t delta, std::vector<int32_t>& placedHere, const std::vector<bool>& chosen,
                     const PlacedCountChanged& placedChanged);

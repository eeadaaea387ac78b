#pragma once
// The two squad types of the map dialogs' tests, and the realm the windows
// that read the running game are shown over.

#include "tests/support/world/small_world.h"

inline const TestSquad kPikemen = {
    .id = "Pike", .name = "Pikemen", .melee = 3, .hp = 5, .speed = 2, .force = 5};
inline const TestSquad kBowmen = {.id = "Bow",
                                  .name = "Bowmen",
                                  .extras = "Shoots over walls.",
                                  .melee = 1,
                                  .ranged = 4,
                                  .hp = 3,
                                  .speed = 1,
                                  .force = 4};

inline void RegisterTestSquadTypes()
{
    RegisterTestSquad(kPikemen);
    RegisterTestSquad(kBowmen);
}

// One person's line of provinces, all his, the capital (a castle) at
// province 0; he is the current player.
inline SmallWorld& OneRealm(SmallWorld& world)
{
    return world.Line().OwnAll(0).Capital(0, 0).Human(0).Squads(kPikemen, kBowmen).FinishForScreens();
}

#pragma once
// What the game model's fuzz targets share: the squad types of our roster,
// registered by id once before the first input (saved games and missions
// name squads by id).

#include "game/squad_type.h"

inline void RegisterRoster()
{
    for (const char* id : {"Militia", "Spearman", "Swordsman", "Axeman", "Warden", "Archer", "Crossbowman",
                           "Slinger", "Horseman", "Knight", "Ranger", "Fenrunner"}) {
        auto* type = new CSquadType;
        type->typeId = CStr(id);
        type->hp = 5;
        type->forceCoefficient = 3;
        RegisterSquadType(type);
    }
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RegisterRoster();
    return 0;
}

// What the castle panel offers on one of the player's castles, as the rules
// decide it: the line saying what the castle is doing and its number, the
// operations it offers, and the state of each work's button (built, within
// the treasury after the builder's discount, or not).
#pragma once

#include <cstdint>

class PlayerRecord;
class ProvinceRecord;

// Work button states.
enum CastleWorkState : int32_t {
    // The button keeps the look its layout gives it.
    WorkAsLaidOut = -1,
    WorkAffordable = 0,
    WorkUnaffordable = 1,
    WorkBuilt = 2,
};

// The works a button stands for (they choose its picture).
enum CastleWork : int32_t {
    WorkMoat,
    WorkCatapult,
    WorkFortWalls,
    WorkMarket,
    WorkTavern,
    WorkBank,
    WorkGuild,
    WorkMetalMine,
    WorkStoneMine,
    WorkCount
};

struct CastleWorksOffer {
    // False without a castle: the panel keeps its state line as it was.
    bool known = false;
    // Nothing under way and the castle whole: works may start.
    bool idle = false;
    // The state line (0 building, 1 repairing, 2 completing, 3 damaged,
    // 4 standing, 5 a work under way; -1 none) and the number it shows.
    int32_t stateLine = -1;
    int32_t stateNumber = 0;
    bool complete = false;
    bool fastRepair = false;
    bool demolish = false;
    CastleWorkState works[WorkCount] = {WorkAsLaidOut, WorkAsLaidOut, WorkAsLaidOut,
                                        WorkAsLaidOut, WorkAsLaidOut, WorkAsLaidOut,
                                        WorkAsLaidOut, WorkAsLaidOut, WorkAsLaidOut};
    // The picture numbers of the next catapult and the next guild level.
    int32_t catapultPicture = 1;
    int32_t guildPicture = 1;
};

// The offer on a province's castle (null: none) for the player whose hero
// builds and whose treasury pays; index is the province's place on the map.
CastleWorksOffer OfferCastleWorks(const ProvinceRecord* province, uint8_t index, const PlayerRecord* player);

// Random events at the start of a player's turn from the sixth turn on: a
// province without castle rises, volunteers offer to join, a province's taxes
// are lost, or a garrison suffers losses.
#pragma once

#include <cstdint>

#include "game/resource_bundle.h"

class CSquad;
class PlayerRecord;
class ProvinceRecord;
class TextSectionReader;

struct RandomEventChances {
    uint8_t eventChance = 0;
    uint8_t unused2 = 0;
    uint8_t volunteerFactor = 0;
    uint8_t volunteerChance = 0;
    uint8_t unused5 = 0;
    uint8_t unused6 = 0;
};

enum RandomEventKind : uint32_t {
    kEventNone = 0,
    kEventRevolt = 1,
    kEventVolunteers = 2,
    kEventLostTaxes = 4,
    kEventGarrisonLosses = 8,
};

namespace RandomEvents {

// Filters of FindProvince.
inline constexpr uint32_t kArmyProvinceOnly = 1;
inline constexpr uint32_t kNoCastle = 2;
inline constexpr uint32_t kNotCapitalCastle = 4;

// Reads "/Rules/Map/events": six integers from the first line on.
void LoadChances(RandomEventChances& table);
void LoadChancesFrom(TextSectionReader& reader, RandomEventChances& table);

RandomEventKind Pick(const RandomEventChances& table, PlayerRecord* player, ProvinceRecord** province);
ProvinceRecord* FindProvince(PlayerRecord* player, uint32_t filter);
ProvinceRecord* PickRevolt(PlayerRecord* player);

void ApplyRevolt(const RandomEventChances& table, ProvinceRecord* province);
// Fills squad (type and count) and price; a count of 0 means no offer.
void ApplyVolunteers(const RandomEventChances& table, ProvinceRecord* province, CSquad* squad,
                     CResourceBundle* price);
void ApplyIncomeLoss(const RandomEventChances& table, ProvinceRecord* province);
void ApplyGarrisonLosses(const RandomEventChances& table, ProvinceRecord* province);

}  // namespace RandomEvents

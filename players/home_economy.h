// The computer player's home economy: recruiting into pressured provinces,
// trading resources toward a fixed mix, robbery, castles and castle works,
// and expansion into neutral provinces. Everything acts for the current
// player.
#pragma once

#include <cstdint>

class CastleState;
class CHomePlan;
class CResourceBundle;
class HeroRecord;
class PlayerRecord;
class ProvinceRecord;

// Recruiting and pressure.
bool RecruitAt(ProvinceRecord* province, int32_t k);
int32_t TypeRecruitRoom(int squadIndex);
bool CanAffordRecruitRoom();
bool CanAffordRecruitsAfter(const CResourceBundle& reserve);
int32_t ForeignPressure(const ProvinceRecord* province);
int32_t ForeignPressureWithin(const ProvinceRecord* province, uint8_t radius);
ProvinceRecord* FindPressuredProvince(int32_t start, int32_t depth);
int32_t CapitalGarrisonPercent();
void FillEmptyGarrisons();

// Trading and robbery.
bool NeedsRebalance(const CResourceBundle& bundle, int32_t g, int32_t m, int32_t s);
void RebalanceResources(int32_t g, int32_t m, int32_t s);
void TradeForShare(int32_t sourceKind, int32_t sourceAmount, int32_t total, int32_t targetKind,
                   int16_t deficit);
void RobVictim(PlayerRecord* victim);

// Castles and expansion.
bool BuildOrDevelop(const CHomePlan& plan);
int32_t CastleDevelopmentPercent();
uint32_t MissingWorksPoints(const CastleState& castle);
bool BuildNewCastle();
ProvinceRecord* MostPressuredOwnProvince(int32_t* value);
bool BuildCastleWork();
CResourceBundle& ApplyBuilderDiscount(CResourceBundle& cost, const HeroRecord& hero);
void ExpandToNeutral(ProvinceRecord* target);
ProvinceRecord* FindNeutralNear(int32_t start, int32_t depth);

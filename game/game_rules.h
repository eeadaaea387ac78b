// The balance of the strategic game: the rules text "/Rules/Map/map" read
// into one global record, and the formulas every other part of the game
// reads it through.
#pragma once

#include <cstdint>
#include <vector>

#include "game/resource_bundle.h"

class PlayerRecord;
class ProvinceRecord;
class HeroRecord;
class CSquad;
class TextSectionReader;

// A fixed-point value "a.b": units = atoi(a), hundredths = atoi(b), so
// "1.5" means one unit and five hundredths.
struct RuleFraction {
    uint16_t units = 0;
    uint16_t hundredths = 0;
    uint8_t denominator = 100;

    // Adds units and hundredths and carries whole units out of the hundredths.
    void Add(const RuleFraction& other);
    // Lowers the units, never below 0; the hundredths stay.
    void SubtractUnits(uint16_t n);
};

struct GameRules {
    // [castle]
    int32_t castleGold = 5;
    int32_t bankGold = 5;
    int32_t castleUnused3 = 7;
    int32_t castleUnused4 = 5;
    uint8_t catapultLimit = 2;
    uint8_t castleUnused6 = 4;
    int32_t castleExperience = 250;
    int32_t worksExperience = 50;
    CResourceBundle castleCost;
    CResourceBundle moatCost;
    CResourceBundle catapultCost;
    CResourceBundle wallsCost;
    CResourceBundle marketCost;
    CResourceBundle tavernCost;
    CResourceBundle bankCost;
    CResourceBundle guildCost[4];
    CResourceBundle metalMineCost;
    CResourceBundle stoneMineCost;
    CResourceBundle metalMineIncome;
    CResourceBundle stoneMineIncome;
    RuleFraction castleFraction;

    // [trading]: read so that the section must exist; nothing uses them.
    int32_t tradingUnused[3] = {300, 10, 10};

    // Fixed construction durations (not read from the text).
    uint8_t completeCastleTurns = 2;
    uint8_t worksTurns = 1;

    // [operations]
    CResourceBundle scoutCost;
    int32_t scoutCastleFactor = 0;
    int32_t scoutBase = 0;
    int32_t scoutStep = 0;
    int32_t scoutBonus = 0;
    CResourceBundle deceaseCost;
    int32_t deceaseMovePoints = 0;
    int32_t deceaseKillPercent = 0;
    int32_t deceaseCapPerStealth = 0;
    int32_t deceaseBase = 0;
    int32_t deceaseStep = 0;
    int32_t deceaseBonus = 0;
    int32_t maxRaiders = 0;
    RuleFraction operationsFraction;
    int32_t killExpChunk = 0;
    int32_t killExpValue = 0;
    int32_t killExpDrop = 0;
    CResourceBundle robberyCost;
    int32_t robberyMovePoints = 0;
    int32_t robberyGoldPercent = 0;
    int32_t robberyBase = 0;
    int32_t robberyStep = 0;
    int32_t robberyBonus = 0;
    int32_t robberyTriesBase = 0;
    RuleFraction robberyFraction;
    int32_t robberyExpFactor = 0;
    int32_t robberyExpCap = 0;

    // [battle]
    int32_t battleBase = 0;
    int32_t battleFactor = 0;
    int32_t catapultExperience = 0;
    int32_t moatBonus = 0;
    int32_t wallsBonus = 0;
    CResourceBundle siegeCost;
    int32_t captureExperience = 0;
    int32_t emptyCaptureExperience = 0;

    // [common]
    RuleFraction satisfactionStart;
    RuleFraction satisfactionStartKind2;

    // Reads "/Rules/Map/map" into the global record. False when the text or a
    // section is missing; the values read so far stay.
    static bool Load();
    // The same over an open reader (tests hand in their own texts).
    bool LoadFrom(TextSectionReader& reader);

    // Formulas (each reads this record).
    void ScoutCost(CResourceBundle& out, const ProvinceRecord* province) const;
    int16_t ScoutChance(const HeroRecord* own, const HeroRecord* target) const;
    int16_t RobberyTries(const HeroRecord* hero) const;
    int16_t RobberyChance(const HeroRecord* own, const HeroRecord* victim) const;
    int32_t RobberyLoot(int32_t amount) const;
    // How many raiders a robbery may send: the hero's tries, as far as the
    // gold pays for them.
    int32_t RobberyRaidersOffered(const HeroRecord* hero, const CResourceBundle& treasury) const;
    int16_t DeceaseChance(const HeroRecord* own, const HeroRecord* target,
                          const ProvinceRecord* province) const;
    int32_t DeceaseExperience(int32_t killedValue) const;
    // How many raiders an assassination may send: the rules' limit, as far
    // as the treasury pays for them.
    int32_t DeceaseRaidersOffered(const CResourceBundle& treasury) const;
    int16_t CastleExperience() const { return static_cast<int16_t>(castleExperience); }
    int32_t WorksExperience() const { return worksExperience; }
    int16_t BattleValue(uint32_t winnerBefore, uint32_t loserBefore, uint32_t winnerAfter,
                        uint32_t loserAfter, uint8_t attackerWon, const ProvinceRecord* province) const;
};

// The one rules record of the program.
GameRules& Rules();

// Levels and thresholds. Computed in 64 bits and capped, so that huge
// experience or skill values from a damaged save never loop for long.
int32_t LevelFromValue(int32_t experience);
uint32_t NextLevelThreshold(const HeroRecord* hero);
int32_t PendingLevelUps(const HeroRecord* hero);
uint32_t NextLevelThresholdFor(uint32_t skillSum, int32_t experience);
int32_t PendingLevelUpsFor(uint32_t skillSum, int32_t experience);

// Taxes.
int32_t TaxPercent(int32_t level);
int32_t TaxLevelFromPercent(int32_t percent);
int32_t TaxGrowth(int32_t level);
int32_t TaxMoraleDelta(int32_t level);
void ApplyTaxLevel(int32_t level, HeroRecord* hero);
// What a tax level brings, as the taxes window shows it: the level's percent,
// the income it raises from the income at 100 per cent, and the change of
// satisfaction in tenths of a unit per turn.
struct TaxOutlook {
    uint8_t percent = 0;
    int32_t income = 0;
    int32_t satisfactionRate = 0;
};
TaxOutlook TaxOutlookOf(int32_t level, int32_t incomeBase);

int32_t SquadTypeWeight(const CSquad* squad);
// How many more units of the army slot `slot` (a squad of that slot's type)
// the player may recruit into his garrisons: each owned province holds the
// type's weight, less what the garrisons hold already, as far as the
// treasury pays; never below 0.
int32_t GarrisonRecruitLimit(const PlayerRecord* player, const CSquad* squad, int32_t slot);

int16_t RevoltChance(const PlayerRecord* player, const ProvinceRecord* province);
int16_t RevoltChanceAfterTransfer(const PlayerRecord* player, const ProvinceRecord* province,
                                  const int32_t* transfer, uint8_t pending, uint8_t afterMove);
// The chance while a transfer is being planned: the garrison the deltas leave
// (one per squad of the player's army; missing ones count 0, extra ones are
// not read), with the recruits under way counted and the army standing there.
int16_t RevoltChanceOfPlannedTransfer(const PlayerRecord* player, const ProvinceRecord* province,
                                      const std::vector<int32_t>& deltas);
// The chance of every province (by index) as the map shows it: measured from
// the player's capital, 0 for the provinces of others. The session's
// distance map is left as it was.
std::vector<int16_t> RevoltChancesFromCapital(const PlayerRecord* player);

// The market's exchange rate: 10 of kind A trade for b of kind B.
void TradingRates(const PlayerRecord* player, int32_t kindA, int32_t kindB, int32_t* a, int32_t* b);
// How many of kind A buy one unit of kind B at the same rate, rounded up: the
// price to show where 10 of A buy less than one of B and TradingRates gives 0.
int32_t TradingPriceOfOne(const PlayerRecord* player, int32_t kindA, int32_t kindB);

// A rate the market offers: a of kind `from` buy b of kind `to`; b is 0
// when the pair buys nothing.
struct MarketRate {
    uint16_t from = 0;
    uint16_t to = 0;
    int32_t a = 0;
    int32_t b = 0;
    bool operator==(const MarketRate&) const = default;
};
// TradingRates, or, where ten of `from` buy less than one of `to`, the price
// of one unit.
MarketRate OfferedTradingRate(const PlayerRecord* player, int32_t from, int32_t to);
// The offered rate of every pair of different kinds below `kinds`, the kind
// given in the outer loop.
std::vector<MarketRate> MarketRates(const PlayerRecord* player, int32_t kinds);

// An exchange at a rate of a for b is counted in steps of the market's
// slider: a dear kind (b >= a + 10) counts the units given, any other the
// units received, so that one step always moves at least one unit of each
// kind. A pair without a rate allows no exchange.
int32_t TradingSliderMax(int32_t have, int32_t a, int32_t b);
struct TradingExchange {
    int32_t give = 0;
    int32_t get = 0;
};
// What a slider position gives and gets; the counted side is the position,
// the other is rounded up.
TradingExchange TradingAtPosition(int32_t position, int32_t a, int32_t b);

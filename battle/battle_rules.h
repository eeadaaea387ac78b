#pragma once
// The balance of a tactical battle, read from the rules text "battle" in
// "/Rules/Battle/", and the formulas that turn it, the squads' types, the
// heroes' skills and the random generator into damage and reload times.

#include <cstddef>
#include <cstdint>
#include <vector>

class CSquad;
class HeroRecord;

struct BattleRules {
    // [HeroSkills]
    uint8_t meleeBase = 0;
    uint8_t meleeAttackerSkill = 0;
    uint8_t meleeDefenderSkill = 0;
    // [RangedAttack]
    uint8_t rangedPercent = 0;
    uint8_t rangedBase = 0;
    uint8_t rangedAttackerSkill = 0;
    uint8_t rangedDefenderSkill = 0;
    // [Trebuchet]
    uint32_t trebuchetDamage = 0;
    uint8_t trebuchetValue6 = 0;
    uint8_t trebuchetValue7 = 0;
    uint8_t trebuchetHitChance = 0;
    uint8_t trebuchetValue3 = 0;
    uint8_t trebuchetReload = 0;
    uint8_t trebuchetValue5 = 0;
    // [Catapult]
    uint32_t catapultDamage = 0;
    uint32_t siegeDamageCut = 0;
    uint8_t catapultValue3 = 0;
    uint8_t catapultValue4 = 0;
    int16_t siegeCountMax = 0;
    int16_t siegeCountMin = 0;
    // [CellCost]: kept as read; no formula uses it.
    std::vector<uint8_t> cellCosts;
};

// Towers a castle may have; a catapult stands on each.
constexpr size_t kSiegeTowerLimit = 4;

// Where the castle stands on the field: [SiegeBattle].
struct SiegeLayout {
    uint8_t wallCount = 0;
    uint8_t towerCount = 0;
    std::vector<uint8_t> wallCells;
    std::vector<uint8_t> towerCells;
    uint8_t gateCell = 0;
    uint8_t moatCount = 0;
    std::vector<uint8_t> moatCells;
};

extern BattleRules g_battleRules;
extern SiegeLayout g_siegeLayout;

// True when every section was found; false at the first missing section,
// keeping what was read. A castle layout with a cell off the field or more
// walls or towers than a castle has is refused, and the layout in force
// stays. The path is not used: the text is always
// "/Rules/Battle/battle".
bool LoadBattleRules(const char* path);
void UnloadBattleRules();

int32_t MeleeDamage(uint8_t power, int32_t count, uint8_t attackerSkill, uint8_t defenderSkill,
                    int16_t bonus);
int32_t MeleeAttackDamage(const HeroRecord* attackerHero, const HeroRecord* defenderHero,
                          const CSquad* attacker, const CSquad* target);
int32_t RangedDamage(uint8_t shooterIsAttacker, uint8_t power, int32_t count, uint8_t attackerSkill,
                     uint8_t defenderSkill, int16_t bonus);
int32_t RangedAttackDamage(const HeroRecord* shooterHero, const HeroRecord* targetHero, const CSquad* shooter,
                           const CSquad* target);
// What a castle catapult's shot does to a squad; at least 15.
int32_t SiegeObjectDamage(const CSquad* squad, int32_t shotValue);
class CArmyItem;
void CatapultShot(CArmyItem* catapult, uint8_t target);
void TrebuchetShot(uint8_t target);
// Turns between two shots of the attacker's trebuchet, from the attacking
// hero's builder skill.
uint8_t TrebuchetReloadTurnsRule();
// True when the cell lies at least one cell left of the moat line on its row.
bool IsBeforeMoatLine(uint8_t cell);

#include "battle/battle_rules.h"

#include <cstdint>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_scene.h"
#include "battle/siege_scene.h"
#include "battle/squad_battle_state.h"
#include "core/pack_format.h"
#include "core/random.h"
#include "core/text_section_reader.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"

BattleRules g_battleRules;
SiegeLayout g_siegeLayout;

namespace {

// The formulas work on 32-bit values; they are worked out wider and held at
// the 32-bit range, so that an absurd squad (a damaged saved game) cannot
// overflow them.
int32_t Clamp32(int64_t v)
{
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return int32_t(v);
}

// A cell list of the siege layout: a count, then that many cells.
uint8_t ReadCellList(TextSectionReader& reader, std::vector<uint8_t>& cells)
{
    const uint8_t n = uint8_t(reader.ReadInt(0));
    cells.assign(n, 0);
    for (uint8_t i = 0; i < n; ++i)
        cells[i] = uint8_t(reader.ReadInt(0));
    return n;
}

// A siege reads the castle's cells without checking them: each must be a
// playable cell of the field, the walls must fit the castle's segments and
// no more catapults stand than the siege engine modes can fire.
bool SiegeLayoutFits(const SiegeLayout& s)
{
    const CBattleGrid grid;
    auto playable = [&grid](uint8_t cell) { return cell < grid.cellCount && !grid.IsBorder(cell); };
    if (s.wallCells.size() > size_t(CastleState::kSegments) || s.towerCells.size() > kSiegeTowerLimit)
        return false;
    for (const std::vector<uint8_t>* list : {&s.wallCells, &s.towerCells, &s.moatCells})
        for (uint8_t cell : *list)
            if (!playable(cell))
                return false;
    return playable(s.gateCell);
}

}  // namespace

bool LoadBattleRules(const char*)
{
    BattleRules& r = g_battleRules;
    TextSectionReader reader;
    if (!reader.Open("/Rules/Battle/battle", pack_format::kTextTableType, TextSectionReader::kAllOptions))
        return false;
    if (!reader.FindSection("HeroSkills"))
        return false;
    r.meleeBase = uint8_t(reader.ReadInt(0));
    r.meleeAttackerSkill = uint8_t(reader.ReadInt(0));
    r.meleeDefenderSkill = uint8_t(reader.ReadInt(0));
    if (!reader.FindSection("RangedAttack"))
        return false;
    r.rangedPercent = uint8_t(reader.ReadInt(0));
    r.rangedBase = uint8_t(reader.ReadInt(0));
    r.rangedAttackerSkill = uint8_t(reader.ReadInt(0));
    r.rangedDefenderSkill = uint8_t(reader.ReadInt(0));
    if (!reader.FindSection("Trebuchet"))
        return false;
    r.trebuchetDamage = uint32_t(reader.ReadInt(0));
    r.trebuchetHitChance = uint8_t(reader.ReadInt(0));
    r.trebuchetValue3 = uint8_t(reader.ReadInt(0));
    r.trebuchetReload = uint8_t(reader.ReadInt(0));
    r.trebuchetValue5 = uint8_t(reader.ReadInt(0));
    r.trebuchetValue6 = uint8_t(reader.ReadInt(0));
    r.trebuchetValue7 = uint8_t(reader.ReadInt(0));
    if (!reader.FindSection("Catapult"))
        return false;
    r.catapultDamage = uint32_t(reader.ReadInt(0));
    r.siegeDamageCut = uint32_t(reader.ReadInt(0));
    r.catapultValue3 = uint8_t(reader.ReadInt(0));
    r.catapultValue4 = uint8_t(reader.ReadInt(0));
    r.siegeCountMax = int16_t(reader.ReadInt(0));
    r.siegeCountMin = int16_t(reader.ReadInt(0));
    if (!reader.FindSection("SiegeBattle"))
        return false;
    SiegeLayout s;
    s.wallCount = ReadCellList(reader, s.wallCells);
    s.towerCount = ReadCellList(reader, s.towerCells);
    s.gateCell = uint8_t(reader.ReadInt(0));
    s.moatCount = ReadCellList(reader, s.moatCells);
    if (!SiegeLayoutFits(s))
        return false;
    g_siegeLayout = s;
    if (!reader.FindSection("CellCost"))
        return false;
    ReadCellList(reader, r.cellCosts);
    return true;
}

void UnloadBattleRules() {}

int32_t MeleeDamage(uint8_t power, int32_t count, uint8_t a, uint8_t d, int16_t bonus)
{
    const BattleRules& r = g_battleRules;
    const int16_t spread = int16_t(r.meleeBase - r.meleeAttackerSkill * a + r.meleeDefenderSkill * d);
    const int32_t loss = spread >= 0 ? int32_t(NextRandom() % (spread + 1)) : 0;
    int32_t percent = 100 - loss;
    if (percent < 50)
        percent = 50;
    const int64_t base = Clamp32(int64_t(power) * count * percent / 100);
    return Clamp32(base * (100 + bonus) / 100);
}

int32_t MeleeAttackDamage(const HeroRecord* attackerHero, const HeroRecord* defenderHero,
                          const CSquad* attacker, const CSquad* target)
{
    const CSquadType* at = attacker->type;
    const CSquadType* tt = target->type;
    if (!at || !tt)
        return 0;
    const int16_t bonus = at->MeleeBonusAgainst(tt);
    const int32_t d1 =
        MeleeDamage(uint8_t(at->meleeAttack & 0x0F), attacker->count, attackerHero ? attackerHero->battle : 0,
                    defenderHero ? defenderHero->battle : 0, bonus);
    const int32_t d2 = Clamp32(int64_t(d1) * (100 - tt->meleeDefence) / 100);
    const uint8_t defence = target->battleState ? DefencePercent(target) : 0;
    return Clamp32(int64_t(d2) * (100 - defence) / 100);
}

int32_t RangedDamage(uint8_t shooterIsAttacker, uint8_t power, int32_t count, uint8_t a, uint8_t d,
                     int16_t bonus)
{
    const BattleRules& r = g_battleRules;
    const int16_t spread = int16_t(r.rangedBase - r.rangedAttackerSkill * a + r.rangedDefenderSkill * d);
    const int32_t loss = spread >= 0 ? int32_t(NextRandom() % (spread + 1)) : 0;
    int32_t percent = r.rangedPercent - loss;
    if (percent > 100)
        percent = 100;
    int32_t damage = Clamp32(int64_t(power) * count * percent / 100);
    if (shooterIsAttacker && IsSiege()) {
        // Walls shelter the defenders, fortified walls more.
        if (g_battle.castle && g_battle.castle->fortWalls)
            damage >>= 1;
        else
            damage = Clamp32(int64_t(damage) * 2 / 3);
    }
    return Clamp32(int64_t(damage) * (100 + bonus) / 100);
}

int32_t RangedAttackDamage(const HeroRecord* shooterHero, const HeroRecord* targetHero, const CSquad* shooter,
                           const CSquad* target)
{
    const CSquadType* st = shooter->type;
    const CSquadType* tt = target->type;
    if (!st || !tt)
        return 0;
    const int16_t bonus = st->RangedBonusAgainst(tt);
    uint8_t shooterIsAttacker = 0;
    if (shooterHero && shooterHero->owner)
        shooterIsAttacker = shooterHero->owner->army.flagA;
    const int32_t d1 =
        RangedDamage(shooterIsAttacker, uint8_t(st->rangedAttack & 0x0F), shooter->count,
                     shooterHero ? shooterHero->battle : 0, targetHero ? targetHero->battle : 0, bonus);
    const int32_t d2 = Clamp32(int64_t(d1) * (100 - tt->rangedDefence) / 100);
    const uint8_t defence = target->battleState ? DefencePercent(target) : 0;
    return Clamp32(int64_t(d2) * (100 - defence) / 100);
}

int32_t SiegeObjectDamage(const CSquad* squad, int32_t shotValue)
{
    const BattleRules& r = g_battleRules;
    int32_t n = squad->count;
    if (n >= r.siegeCountMax)
        n = r.siegeCountMax;
    if (n <= r.siegeCountMin)
        n = r.siegeCountMin;
    int32_t d = Clamp32(int64_t(shotValue) * n / 10);
    d = Clamp32(int64_t(d) * (100 - int64_t(r.siegeDamageCut)) / 100);
    return d < 15 ? 15 : d;
}

void CatapultShot(CArmyItem* catapult, uint8_t target)
{
    if (!IsSiege())
        return;
    auto* scene = static_cast<CSiegeScene*>(g_battle.scene);
    const int32_t value = int32_t(g_battleRules.catapultDamage) - 2 + NextRandom() % 4;
    scene->ShootCatapultAtSquad(uint8_t(catapult->cell), target, value);
    WaitForBattleEvents();
    scene->KillSquadAtCell(target);
}

void TrebuchetShot(uint8_t target)
{
    if (!IsSiege())
        return;
    if (NextRandom() % 101 <= g_battleRules.trebuchetHitChance)
        static_cast<CSiegeScene*>(g_battle.scene)
            ->HitObjectsAtCell(target, int32_t(g_battleRules.trebuchetDamage));
}

uint8_t TrebuchetReloadTurnsRule()
{
    const uint8_t skill = g_battle.attackerHero ? g_battle.attackerHero->builder : 0;
    const uint8_t q = uint8_t(9 * g_battleRules.trebuchetReload / (skill + 8));
    return q <= 1 ? 1 : q;
}

bool IsBeforeMoatLine(uint8_t cell)
{
    const CBattleGrid* grid = g_battle.grid;
    if (!grid)
        return false;
    PackedPoint p;
    if (!grid->CellToPoint(cell, p))
        return false;
    for (uint8_t moat : g_siegeLayout.moatCells) {
        PackedPoint m;
        if (!grid->CellToPoint(moat, m) || m.Y() != p.Y())
            continue;
        return p.X() <= m.X() - grid->cellWidth;
    }
    return false;
}

#include "game/game_rules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/int_math.h"
#include "core/pack_format.h"
#include "core/text_section_reader.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/squad_type.h"

void RuleFraction::Add(const RuleFraction& other)
{
    uint32_t u = uint32_t(units) + other.units;
    uint32_t h = uint32_t(hundredths) + other.hundredths;
    const uint32_t den = denominator ? denominator : 100;
    if (h >= den) {
        u += h / den;
        h %= den;
    }
    units = uint16_t(std::min<uint32_t>(u, 0xFFFF));
    hundredths = uint16_t(h);
}

void RuleFraction::SubtractUnits(uint16_t n)
{
    units = units > n ? uint16_t(units - n) : 0;
}

GameRules& Rules()
{
    static GameRules rules;
    return rules;
}

namespace {

void ReadCostList(TextSectionReader& reader, CResourceBundle& bundle)
{
    // A fresh bundle takes the kinds of the world being loaded.
    bundle = CResourceBundle();
    bundle.Zero();
    const int32_t n = reader.ReadInt(0);
    for (int32_t i = 0; i < n; ++i) {
        CStr line;
        if (!reader.ReadLine(line))
            break;
        // Four letters and at least one digit: "metl5" is as good as "metl05".
        // A shorter line ends the list and is consumed with it.
        if (line.Length() < 5)
            break;
        const uint32_t kind = FourCCFromChars(line.Chars());
        bundle.Set(kind, std::atoi(line.Chars() + 4));
    }
}

void ReadFraction(TextSectionReader& reader, RuleFraction& value)
{
    CStr line;
    if (!reader.ReadLine(line))
        return;
    const char* text = line.Chars();
    const char* dot = std::strchr(text, '.');
    if (!dot)
        return;  // a line without "." keeps the previous value
    value.units = uint16_t(std::atoi(text));
    value.hundredths = uint16_t(std::atoi(dot + 1));
    value.denominator = 100;
}

// Every province owned by the hero's player; at least 1 so the bonus terms
// never divide by zero for a player that holds nothing.
int32_t ProvincesOfHero(const HeroRecord* hero)
{
    const CGameWorld* world = GameWorld();
    int32_t n = 0;
    if (world && hero) {
        for (int i = 0; i < world->ProvinceCount(); ++i)
            if (world->Province(i).owner == hero->owner)
                ++n;
    }
    return std::max(n, 1);
}

int32_t GuildFactor(const HeroRecord* hero)
{
    const CGameWorld* world = GameWorld();
    if (!world || !hero || !hero->owner)
        return 100;
    const uint8_t capital = hero->owner->capital;
    if (capital >= world->ProvinceCount())
        return 100;
    const ProvinceRecord& p = world->Province(capital);
    if (p.HasCastle() && (p.castle.buildings & kBuildingGuild))
        return 100 + 10 * p.castle.guildLevel;
    return 100;
}

int16_t Clamp16(int32_t v, int32_t lo, int32_t hi)
{
    return int16_t(std::clamp(v, lo, hi));
}

bool HasStandingCastle(const ProvinceRecord* province)
{
    return province && province->HasCastle() && province->castle.percent > 0;
}

}  // namespace

bool GameRules::Load()
{
    TextSectionReader reader;
    if (!reader.Open("/Rules/Map/map", pack_format::kTextTableType, 15))
        return false;
    return Rules().LoadFrom(reader);
}

bool GameRules::LoadFrom(TextSectionReader& r)
{
    if (!r.FindSection("[castle]"))
        return false;
    castleGold = r.ReadInt(5);
    bankGold = r.ReadInt(5);
    castleUnused3 = r.ReadInt(7);
    castleUnused4 = r.ReadInt(5);
    catapultLimit = uint8_t(r.ReadInt(2));
    castleUnused6 = uint8_t(r.ReadInt(4));
    castleExperience = r.ReadInt(250);
    worksExperience = r.ReadInt(50);
    ReadCostList(r, castleCost);
    ReadCostList(r, moatCost);
    ReadCostList(r, catapultCost);
    ReadCostList(r, wallsCost);
    ReadCostList(r, marketCost);
    ReadCostList(r, tavernCost);
    ReadCostList(r, bankCost);
    for (auto& g : guildCost)
        ReadCostList(r, g);
    ReadCostList(r, metalMineCost);
    ReadCostList(r, stoneMineCost);
    ReadCostList(r, metalMineIncome);
    ReadCostList(r, stoneMineIncome);
    ReadFraction(r, castleFraction);

    if (!r.FindSection("[trading]"))
        return false;
    tradingUnused[0] = r.ReadInt(300);
    tradingUnused[1] = r.ReadInt(10);
    tradingUnused[2] = r.ReadInt(10);

    if (!r.FindSection("[operations]"))
        return false;
    ReadCostList(r, scoutCost);
    scoutCastleFactor = r.ReadInt(0);
    scoutBase = r.ReadInt(0);
    scoutStep = r.ReadInt(0);
    scoutBonus = r.ReadInt(0);
    ReadCostList(r, deceaseCost);
    deceaseMovePoints = r.ReadInt(0);
    deceaseKillPercent = r.ReadInt(0);
    deceaseCapPerStealth = r.ReadInt(0);
    deceaseBase = r.ReadInt(0);
    deceaseStep = r.ReadInt(0);
    deceaseBonus = r.ReadInt(0);
    maxRaiders = r.ReadInt(0);
    ReadFraction(r, operationsFraction);
    killExpChunk = r.ReadInt(0);
    killExpValue = r.ReadInt(0);
    killExpDrop = r.ReadInt(0);
    ReadCostList(r, robberyCost);
    robberyMovePoints = r.ReadInt(0);
    robberyGoldPercent = r.ReadInt(0);
    robberyBase = r.ReadInt(0);
    robberyStep = r.ReadInt(0);
    robberyBonus = r.ReadInt(0);
    robberyTriesBase = r.ReadInt(0);
    ReadFraction(r, robberyFraction);
    robberyExpFactor = r.ReadInt(0);
    robberyExpCap = r.ReadInt(0);

    if (!r.FindSection("[battle]"))
        return false;
    battleBase = r.ReadInt(0);
    battleFactor = r.ReadInt(0);
    catapultExperience = r.ReadInt(0);
    moatBonus = r.ReadInt(0);
    wallsBonus = r.ReadInt(0);
    ReadCostList(r, siegeCost);
    captureExperience = r.ReadInt(0);
    emptyCaptureExperience = r.ReadInt(0);

    if (!r.FindSection("[common]"))
        return false;
    ReadFraction(r, satisfactionStart);
    ReadFraction(r, satisfactionStartKind2);
    ReseedRandomFromTicks();
    return true;
}

void GameRules::ScoutCost(CResourceBundle& out, const ProvinceRecord* province) const
{
    out = scoutCost;
    if (province && province->HasCastle())
        out.Multiply(scoutCastleFactor);
}

int16_t GameRules::ScoutChance(const HeroRecord* own, const HeroRecord* target) const
{
    const int32_t n = ProvincesOfHero(target);
    const int32_t c =
        scoutBase + (int32_t(own->stealth) - int32_t(target->stealth)) * scoutStep + scoutBonus / n;
    return Clamp16(c, 15, 95);
}

int16_t GameRules::RobberyTries(const HeroRecord* hero) const
{
    return int16_t(robberyTriesBase + hero->stealth);
}

int16_t GameRules::RobberyChance(const HeroRecord* own, const HeroRecord* victim) const
{
    const int32_t n = ProvincesOfHero(victim);
    const int32_t a =
        robberyBase + (int32_t(own->stealth) - int32_t(victim->stealth)) * robberyStep + robberyBonus / n;
    const int32_t c = a * GuildFactor(own) / GuildFactor(victim);
    return Clamp16(c, 15, 90);
}

int32_t GameRules::RobberyLoot(int32_t amount) const
{
    return std::min(robberyExpCap, int32_t(int64_t(robberyExpFactor) * amount / 10));
}

namespace {
// The raiders' cost is counted with an 8-bit multiplier, so no more than
// 255 are ever offered.
constexpr int32_t kMostRaidersPriced = 255;
}  // namespace

int32_t GameRules::RobberyRaidersOffered(const HeroRecord* hero, const CResourceBundle& treasury) const
{
    const int32_t tries = RobberyTries(hero);
    // Without a price the gold sets no limit (a price of 0 must not divide).
    const int32_t price = robberyCost.GetByChars("gold");
    const int32_t affordable = price > 0 ? treasury.GetByChars("gold") / price : tries;
    const int16_t m = static_cast<int16_t>(tries < affordable ? tries : affordable);
    return std::min<int32_t>(m, kMostRaidersPriced);
}

int32_t GameRules::DeceaseRaidersOffered(const CResourceBundle& treasury) const
{
    // With a free operation only the rules' limit counts.
    int32_t m = deceaseCost.IsZero() ? maxRaiders : treasury.TimesAffordable(deceaseCost);
    if (maxRaiders < m)
        m = maxRaiders;
    return std::min(m, kMostRaidersPriced);
}

int16_t GameRules::DeceaseChance(const HeroRecord* own, const HeroRecord* target,
                                 const ProvinceRecord* province) const
{
    const int32_t n = ProvincesOfHero(target);
    int32_t c =
        deceaseBase + (int32_t(own->stealth) - int32_t(target->stealth)) * deceaseStep + deceaseBonus / n;
    c = std::clamp(c, 15, 90);
    if (province && province->HasCastle())
        c = c * 75 / 100;
    return int16_t(c);
}

int32_t GameRules::DeceaseExperience(int32_t n) const
{
    // In 64 bits: the rules text is data, and a hostile drop must not wrap.
    int64_t e = 0;
    int64_t v = killExpValue;
    while (n > 0) {
        // A chunk of 0 or less would never shrink n; take the whole rest at once.
        const int32_t k = killExpChunk > 0 ? std::min(n, killExpChunk) : n;
        e += v * k / 10;
        v -= killExpDrop;
        n -= k;
        e = std::clamp<int64_t>(e, INT32_MIN, INT32_MAX);
        v = std::clamp<int64_t>(v, INT32_MIN, INT32_MAX);
    }
    return int32_t(e);
}

int16_t GameRules::BattleValue(uint32_t winnerBefore, uint32_t loserBefore, uint32_t winnerAfter,
                               uint32_t loserAfter, uint8_t attackerWon, const ProvinceRecord* province) const
{
    const int32_t v = (int32_t(loserBefore) - int32_t(loserAfter)) +
                      (int32_t(winnerBefore) - int32_t(winnerAfter)) * 20 / 100;
    int32_t e = battleBase + battleFactor * v;
    if (!HasStandingCastle(province))
        return int16_t(e);
    if (!attackerWon)
        return int16_t(e * 7 / 10);
    const bool capital = province->owner && province->owner->capital == province->index;
    e = capital ? e * 20 / 10 : e * 15 / 10;
    if (province->castle.moat)
        e += moatBonus;
    if (province->castle.fortWalls)
        e += wallsBonus;
    return int16_t(e);
}

int32_t LevelFromValue(int32_t experience)
{
    int32_t level = 1;
    int64_t t = 250;
    while (experience >= t) {
        ++level;
        t *= 2;
    }
    return level;
}

namespace {
// 250 x 2^shift, saturated to 32 bits; negative shifts give 0 as they
// always have.
uint64_t Threshold(int32_t shift)
{
    if (shift < 0)
        return 0;
    if (shift >= 32)
        return 0xFFFFFFFFull;
    return std::min<uint64_t>(uint64_t(250) << shift, 0xFFFFFFFFull);
}
constexpr int32_t kMaxLevelUps = 64;
}  // namespace

uint32_t NextLevelThresholdFor(uint32_t skillSum, int32_t experience)
{
    for (int32_t k = 0; k <= kMaxLevelUps; ++k) {
        const uint64_t t = Threshold(int32_t(skillSum) - 6 + k);
        if (int64_t(experience) < int64_t(t))
            return uint32_t(t);
    }
    return 0xFFFFFFFFu;
}

int32_t PendingLevelUpsFor(uint32_t skillSum, int32_t experience)
{
    int32_t n = 0;
    while (n < kMaxLevelUps) {
        const uint64_t t = Threshold(int32_t(skillSum) - 6 + n);
        if (t == 0xFFFFFFFFull || int64_t(experience) < int64_t(t))
            break;
        ++n;
    }
    return n;
}

uint32_t NextLevelThreshold(const HeroRecord* hero)
{
    return NextLevelThresholdFor(uint32_t(hero->battle) + hero->builder + hero->stealth, hero->experience);
}

int32_t PendingLevelUps(const HeroRecord* hero)
{
    return PendingLevelUpsFor(uint32_t(hero->battle) + hero->builder + hero->stealth, hero->experience);
}

int32_t TaxPercent(int32_t level)
{
    switch (level) {
    case 0:
        return 40;
    case 1:
        return 70;
    case 3:
        return 130;
    default:
        return 100;
    }
}

int32_t TaxLevelFromPercent(int32_t percent)
{
    const uint8_t p = uint8_t(percent);
    if (p <= 40)
        return 0;
    if (p <= 70)
        return 1;
    if (p <= 100)
        return 2;
    return 3;
}

int32_t TaxGrowth(int32_t level)
{
    return level == 0 ? 9 : level == 1 ? 3 : 0;
}
int32_t TaxMoraleDelta(int32_t level)
{
    return level == 3 ? -1 : 0;
}

void ApplyTaxLevel(int32_t level, HeroRecord* hero)
{
    if (!hero)
        return;
    if (level == 0 || level == 1) {
        RuleFraction f;
        f.hundredths = uint16_t(TaxGrowth(level));
        hero->satisfaction.Add(f);
    } else if (level == 3) {
        hero->satisfaction.SubtractUnits(1);
    }
}

TaxOutlook TaxOutlookOf(int32_t level, int32_t incomeBase)
{
    TaxOutlook outlook;
    outlook.percent = uint8_t(TaxPercent(level));
    outlook.income = int32_t(int64_t(incomeBase) * outlook.percent / 100);
    outlook.satisfactionRate = TaxMoraleDelta(level) * 10 + TaxGrowth(level);
    return outlook;
}

int32_t SquadTypeWeight(const CSquad* squad)
{
    if (!squad || !squad->type)
        return 1;
    return std::max<int32_t>(1, squad->type->buyQuantity);
}

int32_t GarrisonRecruitLimit(const PlayerRecord* player, const CSquad* squad, int32_t slot)
{
    const CGameWorld* world = GameWorld();
    if (!player || !squad || !world)
        return 0;
    int32_t owned = 0;
    int32_t held = 0;
    for (int32_t i = world->ProvinceCount() - 1; i >= 0; --i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner != player)
            continue;
        ++owned;
        if (const CSquad* kept = slot >= 0 && slot < p.garrison.Count() ? p.garrison.Item(slot) : nullptr)
            held += kept->count;
    }
    const int32_t room = owned * SquadTypeWeight(squad) - held;
    const int32_t affordable = squad->type ? player->treasury.TimesAffordable(squad->type->cost) : 0;
    // A limit below what is already there offers nothing more.
    return std::max(0, std::min(room, affordable));
}

namespace {

int32_t ForceOf(const CSquad* squad)
{
    return squad && squad->type ? squad->type->forceCoefficient : 0;
}

int32_t DistanceDivisor()
{
    const CGameWorld* world = GameWorld();
    const int32_t n = world ? world->ProvinceCount() : 0;
    return std::max(5, n / 8);
}

// The slot weight w of the revolt formulas: what a full garrison of the
// player's armies would be worth.
int32_t SlotWeight(const PlayerRecord* player)
{
    int32_t w = 0;
    for (int i = 0; i < player->army.Count(); ++i) {
        const CSquad* s = player->army.Item(i);
        w += ForceOf(s) * SquadTypeWeight(s);
    }
    return std::max(w, 1);
}

int32_t GarrisonPendingStrength(const PlayerRecord* player, const ProvinceRecord* province)
{
    int32_t s = 0;
    const int n = std::min(player->army.Count(), province->garrison.Count());
    for (int i = 0; i < n; ++i)
        s += ForceOf(player->army.Item(i)) * province->garrison.Item(i)->pending;
    return s;
}

int32_t StrengthRank(int32_t g, int32_t w)
{
    if (g < 0)
        return 0;
    return std::clamp(int32_t(int64_t(g) * 100 / w) - 3, 0, 7);
}

int32_t ScaleBySatisfactionAndDifficulty(const PlayerRecord* player, int32_t c)
{
    const uint16_t L = player->hero.satisfaction.units;
    if (L >= 26)
        c = c * 70 / 100;
    else if (L >= 16)
        c = c * 85 / 100;
    else if (L < 2)
        c = c * 120 / 100;
    c = std::min(c, 100);
    const PlayerRecord* current = CurrentPlayer();
    if (current && !current->IsHuman()) {
        switch (Game().difficulty) {
        case 1:
            c = c * 80 / 100;
            break;
        case 2:
            c = c * 70 / 100;
            break;
        case 3:
            c = c * 60 / 100;
            break;
        default:
            break;
        }
    }
    return std::max(c, 0);
}

bool RevoltImpossible(const ProvinceRecord* province)
{
    return province->HasCastle() || province->castle.work == kWorkBuildCastle;
}

}  // namespace

int16_t RevoltChance(const PlayerRecord* player, const ProvinceRecord* province)
{
    if (!player || !province || RevoltImpossible(province))
        return 0;
    const CProvinceDistanceMap* map = GameDistanceMap();
    const int32_t d = map ? map->Distance(province->index) : 0;
    const int32_t base = std::min(80, d * 80 / DistanceDivisor());
    const int32_t w = SlotWeight(player);
    const int32_t g = province->garrison.Strength() + GarrisonPendingStrength(player, province);
    const int32_t r = StrengthRank(g, w);
    const int32_t c = (100 - r * 100 / 7) * base / 100;
    return int16_t(ScaleBySatisfactionAndDifficulty(player, c));
}

int16_t RevoltChanceAfterTransfer(const PlayerRecord* player, const ProvinceRecord* province,
                                  const int32_t* transfer, uint8_t pending, uint8_t afterMove)
{
    if (!player || !province || RevoltImpossible(province))
        return 0;
    if (afterMove && player->armyLocation == province->index)
        return 0;
    CProvinceDistanceMap* map = GameDistanceMap();
    const int32_t d2 = map ? map->Distance(province->index) : 0;
    int32_t d1 = d2;
    if (map && player->capital < map->Count()) {
        map->SaveSnapshot();
        map->ComputeAll(player->capital, 0);
        d1 = map->Distance(province->index);
        map->RestoreSnapshot();
    }
    const int32_t div = DistanceDivisor();
    const int32_t base1 = std::min(80, d1 * 80 / div);
    const int32_t base2 = std::min(80, d2 * 80 / div);
    const int32_t w = SlotWeight(player);
    int32_t s = 0;
    if (transfer) {
        for (int i = 0; i < player->army.Count(); ++i)
            s -= ForceOf(player->army.Item(i)) * transfer[i];
    }
    if (pending)
        s += GarrisonPendingStrength(player, province);
    const int32_t g = std::max(0, province->garrison.Strength() + s);
    const int32_t r = StrengthRank(g, w);
    int32_t c = (100 - r * 100 / 7) * base1 / 100;
    if (afterMove)
        c = c * base2 / 100;
    return int16_t(ScaleBySatisfactionAndDifficulty(player, c));
}

int16_t RevoltChanceOfPlannedTransfer(const PlayerRecord* player, const ProvinceRecord* province,
                                      const std::vector<int32_t>& deltas)
{
    // The rule reads one delta per squad of the army: hand it a list of
    // exactly that length whatever the plan holds.
    std::vector<int32_t> transfer(player ? size_t(player->army.Count()) : 0, 0);
    std::copy_n(deltas.begin(), std::min(transfer.size(), deltas.size()), transfer.begin());
    return RevoltChanceAfterTransfer(player, province, transfer.empty() ? nullptr : transfer.data(), 1, 0);
}

std::vector<int16_t> RevoltChancesFromCapital(const PlayerRecord* player)
{
    const CGameWorld* world = GameWorld();
    const int32_t n = world ? world->ProvinceCount() : 0;
    std::vector<int16_t> chances(size_t(n), 0);
    if (!world || !player)
        return chances;
    CProvinceDistanceMap* distances = GameDistanceMap();
    if (distances) {
        distances->SaveSnapshot();
        if (player->capital < n)
            distances->ComputeAll(player->capital, 0);
    }
    for (int32_t i = 0; i < n; ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner == player)
            chances[size_t(i)] = RevoltChance(player, &p);
    }
    if (distances)
        distances->RestoreSnapshot();
    return chances;
}

namespace {

// The two kinds' rates after the market step, reduced to lowest terms:
// ra of kind A are worth rb of kind B before the market's cut.
void ReducedTradingRates(const PlayerRecord* player, int32_t kindA, int32_t kindB, int32_t& ra, int32_t& rb)
{
    const CGameWorld* world = GameWorld();
    const int kinds = world ? int(world->kinds.size()) : 3;
    std::vector<int64_t> income(size_t(std::max(kinds, 1)), 0);
    int64_t total = 0;
    int32_t markets = 0;
    if (world && player) {
        for (int p = 0; p < world->ProvinceCount(); ++p) {
            const ProvinceRecord& prov = world->Province(p);
            if (prov.owner != player)
                continue;
            for (int i = 0; i < kinds && i < prov.income.Count(); ++i)
                income[size_t(i)] += prov.income[i];
            if (prov.HasCastle() && (prov.castle.buildings & kBuildingMarket))
                ++markets;
        }
    }
    for (int i = 0; i < kinds; ++i)
        total += income[size_t(i)];
    std::vector<int32_t> rate(income.size(), 10);
    // A player without own income trades at the neutral rate 10 for every kind.
    if (total > 0) {
        std::vector<int32_t> share(income.size(), 0);
        int32_t m = 0;
        for (int i = 0; i < kinds; ++i) {
            share[size_t(i)] = int32_t(income[size_t(i)] * 100 / total);
            m = i == 0 ? share[0] : std::min(m, share[size_t(i)]);
        }
        for (int i = 0; i < kinds; ++i)
            rate[size_t(i)] = share[size_t(i)] + 10 - m;
    }
    auto rateOf = [&](int32_t k) { return k >= 0 && k < kinds ? rate[size_t(k)] : 10; };
    ra = rateOf(kindA);
    rb = rateOf(kindB);
    int32_t f = 1024 / (3 * markets + 16);
    if (f < 33)
        f = 32;
    ra = (f + 1) * ra / 32;
    for (int32_t d = std::min(ra, rb); d >= 1; --d) {
        if (ra % d == 0 && rb % d == 0) {
            ra /= d;
            rb /= d;
            break;
        }
    }
}

}  // namespace

void TradingRates(const PlayerRecord* player, int32_t kindA, int32_t kindB, int32_t* a, int32_t* b)
{
    int32_t ra = 0, rb = 0;
    ReducedTradingRates(player, kindA, kindB, ra, rb);
    if (ra == 0)
        ra = 1;
    rb = rb * 10 / ra;
    ra = 10;
    if (rb > 0) {
        rb = rb * 60 / 100;
        if (rb == 0)
            rb = 1;
    }
    *a = ra;
    *b = rb;
}

int32_t TradingPriceOfOne(const PlayerRecord* player, int32_t kindA, int32_t kindB)
{
    int32_t ra = 0, rb = 0;
    ReducedTradingRates(player, kindA, kindB, ra, rb);
    if (ra <= 0 || rb <= 0)
        return 0;
    // One unit of B is worth ra / rb of A, and the market keeps 40 per cent.
    return DivideRoundingUp(int64_t(ra) * 100, int64_t(rb) * 60);
}

MarketRate OfferedTradingRate(const PlayerRecord* player, int32_t from, int32_t to)
{
    MarketRate rate;
    rate.from = uint16_t(from);
    rate.to = uint16_t(to);
    TradingRates(player, from, to, &rate.a, &rate.b);
    rate.b = std::max(rate.b, 0);
    if (rate.b == 0) {
        // Ten of a kind the player earns much of buy less than one of a rare
        // kind: the price of one unit says what it costs.
        rate.a = TradingPriceOfOne(player, from, to);
        rate.b = rate.a > 0 ? 1 : 0;
    }
    return rate;
}

std::vector<MarketRate> MarketRates(const PlayerRecord* player, int32_t kinds)
{
    std::vector<MarketRate> rates;
    for (int32_t from = 0; from < kinds; ++from) {
        for (int32_t to = 0; to < kinds; ++to) {
            if (to != from)
                rates.push_back(OfferedTradingRate(player, from, to));
        }
    }
    return rates;
}

int32_t TradingSliderMax(int32_t have, int32_t a, int32_t b)
{
    if (have <= 0 || a <= 0 || b <= 0)
        return 0;
    if (b >= a + 10)
        return have;
    return static_cast<int32_t>(static_cast<int64_t>(have) * b / a);
}

TradingExchange TradingAtPosition(int32_t position, int32_t a, int32_t b)
{
    TradingExchange exchange;
    if (position <= 0 || a <= 0 || b <= 0)
        return exchange;
    if (b >= a + 10) {
        exchange.give = position;
        exchange.get = DivideRoundingUp(static_cast<int64_t>(position) * b, a);
    } else {
        exchange.get = position;
        exchange.give = DivideRoundingUp(static_cast<int64_t>(position) * a, b);
    }
    return exchange;
}

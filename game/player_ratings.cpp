#include "game/player_ratings.h"

#include <algorithm>

#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"

CResourceBundle ProvinceIncome(const ProvinceRecord* province)
{
    CResourceBundle income;
    income.Zero();
    if (!province)
        return income;
    income.Add(province->income);
    if (province->HasCastle()) {
        const GameRules& rules = Rules();
        const uint32_t gold = FourCC("gold");
        income.Set(gold, income.Get(gold) + rules.castleGold);
        const uint8_t bits = province->castle.buildings;
        if (bits & kBuildingBank)
            income.Set(gold, income.Get(gold) + rules.bankGold);
        if (bits & kBuildingMetalMine)
            income.Add(rules.metalMineIncome);
        if (bits & kBuildingStoneMine)
            income.Add(rules.stoneMineIncome);
    }
    return income;
}

CResourceBundle PlayerTotalIncome(const PlayerRecord* player)
{
    CResourceBundle total;
    total.Zero();
    const CGameWorld* world = GameWorld();
    if (!world || !player)
        return total;
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner == player)
            total.Add(ProvinceIncome(&p));
    }
    return total;
}

namespace {

int32_t GarrisonStrengthOf(const PlayerRecord* player, bool onlyWithGarrisonFlag)
{
    const CGameWorld* world = GameWorld();
    int32_t s = 0;
    if (!world)
        return 0;
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner != player)
            continue;
        if (onlyWithGarrisonFlag && !p.garrisonFlag)
            continue;
        s += p.garrison.Strength();
    }
    return s;
}

int32_t OwnedCount(const PlayerRecord* player)
{
    const CGameWorld* world = GameWorld();
    int32_t n = 0;
    if (!world)
        return 0;
    for (int i = 0; i < world->ProvinceCount(); ++i)
        if (world->Province(i).owner == player)
            ++n;
    return n;
}

}  // namespace

void ComputePlayerRatings(WorldHolder* holder)
{
    CGameWorld* world = holder ? holder->world : nullptr;
    if (!world)
        return;
    for (int i = 0; i < world->ProvinceCount(); ++i)
        world->Province(i).index = uint8_t(i);
    int32_t bestIncome = 0;
    std::vector<int32_t> income(size_t(world->PlayerCount()), 0);
    for (int i = 0; i < world->PlayerCount(); ++i) {
        const PlayerRecord& p = world->Player(i);
        if (!p.controller)
            continue;
        income[size_t(i)] = PlayerTotalIncome(&p).Total();
        bestIncome = std::max(bestIncome, income[size_t(i)]);
    }
    for (int i = 0; i < world->PlayerCount(); ++i) {
        PlayerRecord& p = world->Player(i);
        if (!p.controller)
            continue;
        p.stats.incomeRating = int16_t(bestIncome < 1 ? 100 : int64_t(income[size_t(i)]) * 100 / bestIncome);
    }
    int32_t bestStrength = 0;
    std::vector<int32_t> strength(size_t(world->PlayerCount()), 0);
    for (int i = 0; i < world->PlayerCount(); ++i) {
        const PlayerRecord& p = world->Player(i);
        strength[size_t(i)] = p.army.Strength() + GarrisonStrengthOf(&p, true);
        bestStrength = std::max(bestStrength, strength[size_t(i)]);
    }
    for (int i = 0; i < world->PlayerCount(); ++i) {
        world->Player(i).stats.strengthRating =
            int16_t(bestStrength < 1 ? 100 : int64_t(strength[size_t(i)]) * 100 / bestStrength);
    }
}

uint32_t PlayerStrength(const PlayerRecord* player)
{
    if (!player)
        return 0;
    return uint32_t(GarrisonStrengthOf(player, false) + 3 * player->army.Strength() + OwnedCount(player));
}

uint32_t PlayerStrengthWithCastles(const PlayerRecord* player)
{
    const CGameWorld* world = GameWorld();
    if (!player || !world)
        return 0;
    int32_t castles = 0;
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner != player || !p.HasCastle())
            continue;
        castles += 15 + 3 * p.castle.fortWalls + 2 * p.castle.moat + 8 * p.castle.catapults;
    }
    return uint32_t(GarrisonStrengthOf(player, false) + 3 * castles + OwnedCount(player));
}

uint32_t ProvinceDefenceValue(const ProvinceRecord* province)
{
    if (!province)
        return 0;
    int32_t c = 0;
    if (province->HasCastle()) {
        const CastleState& k = province->castle;
        if (!k.AnyWallSegmentDown())
            c = 15 + 3 * k.fortWalls + 2 * k.moat;
        c += 8 * k.catapults;
    }
    int32_t s = 0;
    if (province->garrisonFlag)
        s += province->garrison.Strength();
    if (province->owner && province->owner->armyLocation == province->index)
        s += province->owner->army.Strength();
    return uint32_t(3 * c + s);
}

ProvinceRecord* StrongestForeignNeighbour(const PlayerRecord* player)
{
    CGameWorld* world = GameWorld();
    if (!player || !world || player->capital >= world->ProvinceCount())
        return nullptr;
    const std::vector<uint8_t>& nb = world->Province(player->capital).neighbours;
    ProvinceRecord* best = nullptr;
    uint32_t bestValue = 0;
    for (size_t j = nb.size(); j-- > 0;) {
        if (nb[j] >= world->ProvinceCount())
            continue;
        ProvinceRecord& p = world->Province(nb[j]);
        if (!p.owner || p.owner == player)
            continue;
        const uint32_t v = ProvinceDefenceValue(&p);
        if (!best || v > bestValue) {
            best = &p;
            bestValue = v;
        }
    }
    return best;
}

int32_t EconomyScore(const PlayerRecord* player)
{
    const CGameWorld* world = GameWorld();
    if (!player || !world || world->ProvinceCount() == 0)
        return 0;
    const int kinds = int(world->kinds.size());
    CResourceBundle own;
    own.Zero();
    CResourceBundle all;
    all.Zero();
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& p = world->Province(i);
        all.Add(p.income);
        if (p.owner == player)
            own.Add(ProvinceIncome(&p));
    }
    int32_t shares = 0;
    for (int k = 0; k < kinds && k < own.Count() && k < all.Count(); ++k)
        shares += all[k] > 0 ? int32_t(int64_t(own[k]) * 100 / all[k]) : 0;
    const int32_t average = kinds > 0 ? shares / kinds : 0;
    return OwnedCount(player) * 60 / world->ProvinceCount() + average * 40 / 100;
}

uint32_t ArmyStrength(const CArmy* army)
{
    return army ? uint32_t(army->Strength()) : 0;
}

int32_t PlayerRelation(const PlayerRecord*, const PlayerRecord*)
{
    return 0;
}

void OnRoundStart() {}
void OnNewGameAiHook() {}
void OnWorldAiHook() {}

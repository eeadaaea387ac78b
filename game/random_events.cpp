#include "game/random_events.h"

#include <algorithm>

#include "core/pack_format.h"
#include "core/random.h"
#include "core/text_section_reader.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/squad_type.h"

namespace RandomEvents {

namespace {

uint32_t Roll(uint32_t n)
{
    return n ? uint32_t(NextRandom()) % n : 0;
}

bool ArmyStandsIn(const ProvinceRecord* p)
{
    return p->owner && p->owner->armyLocation == int16_t(p->index);
}

}  // namespace

void LoadChancesFrom(TextSectionReader& reader, RandomEventChances& t)
{
    t.eventChance = uint8_t(reader.ReadInt(0));
    t.unused2 = uint8_t(reader.ReadInt(0));
    t.volunteerFactor = uint8_t(reader.ReadInt(0));
    t.volunteerChance = uint8_t(reader.ReadInt(0));
    t.unused5 = uint8_t(reader.ReadInt(0));
    t.unused6 = uint8_t(reader.ReadInt(0));
}

void LoadChances(RandomEventChances& table)
{
    table = RandomEventChances{};
    TextSectionReader reader;
    if (!reader.Open("/Rules/Map/events", pack_format::kTextTableType, 15))
        return;
    LoadChancesFrom(reader, table);
}

ProvinceRecord* FindProvince(PlayerRecord* player, uint32_t filter)
{
    CGameWorld* world = GameWorld();
    if (!world)
        return nullptr;
    const int n = world->ProvinceCount();
    for (int i = 0; i < n; ++i) {
        ProvinceRecord* p = &world->Province(i);
        if (p->owner != player)
            continue;
        if ((filter & kNoCastle) && p->HasCastle())
            continue;
        if ((filter & kArmyProvinceOnly) && !ArmyStandsIn(p))
            continue;
        if (Roll(101) > 50)
            return p;
        if ((filter & kNotCapitalCastle) && p->HasCastle() && p->castle.capital)
            continue;
        if (int32_t(Roll(101)) > (n - i) * 100 / n)
            return p;
    }
    return nullptr;
}

ProvinceRecord* PickRevolt(PlayerRecord* player)
{
    CGameWorld* world = GameWorld();
    if (!world)
        return nullptr;
    struct Entry {
        ProvinceRecord* province = nullptr;
        int32_t chance = 0;
    };
    Entry list[10];
    int32_t top = 0;
    for (int i = world->ProvinceCount(); i-- > 0;) {
        ProvinceRecord* p = &world->Province(i);
        if (p->owner != player)
            continue;
        int32_t c = RevoltChanceAfterTransfer(player, p, nullptr, 0, 1);
        if (c < 6)
            c = 0;
        top = std::max(top, c);
        int j = 9;
        while (j >= 0 && list[j].chance > c)
            --j;
        if (j < 0)
            continue;
        for (int k = 0; k < j; ++k)
            list[k] = list[k + 1];
        list[j] = Entry{p, c};
    }
    const int32_t threshold = top * 60 / 100;
    int32_t k = 0;
    for (Entry& e : list) {
        if (e.chance < threshold)
            e = Entry{};
        if (e.province)
            ++k;
    }
    const int32_t idx = int32_t(Roll(uint32_t(k + 1)));
    if (idx == k)
        return nullptr;
    const Entry* chosen = nullptr;
    int32_t seen = 0;
    for (const Entry& e : list) {
        if (!e.province)
            continue;
        if (seen++ == idx) {
            chosen = &e;
            break;
        }
    }
    if (!chosen)
        return nullptr;
    if (int32_t(Roll(101)) + 1 >= chosen->chance)
        return nullptr;
    return chosen->province;
}

RandomEventKind Pick(const RandomEventChances& table, PlayerRecord* player, ProvinceRecord** province)
{
    *province = nullptr;
    if (Game().turn < 6)
        return kEventNone;
    if (int32_t(Roll(101)) < table.eventChance) {
        ProvinceRecord* c = FindProvince(player, kArmyProvinceOnly);
        *province = c;
        if (c && c->owner == CurrentPlayer() && int32_t(Roll(101)) < table.volunteerChance)
            return kEventVolunteers;
        c = FindProvince(player, 0);
        *province = c;
        if (c && c->owner && !ArmyStandsIn(c) && c->owner->capital != c->index && Roll(101) < 9)
            return kEventGarrisonLosses;
        c = FindProvince(player, kNoCastle | kNotCapitalCastle);
        *province = c;
        if (c && Roll(101) < 9)
            return kEventLostTaxes;
    }
    ProvinceRecord* c = PickRevolt(player);
    *province = c;
    return c ? kEventRevolt : kEventNone;
}

void ApplyRevolt(const RandomEventChances&, ProvinceRecord* province)
{
    if (!province || !province->owner || ArmyStandsIn(province))
        return;
    // The capital never rises: its owner would be left without one.
    if (province->owner->capital == province->index)
        return;
    const int32_t gold = province->income.Get(FourCC("gold"));
    const int32_t t = gold * 250 / 100 + int32_t(Roll(51));
    if (province->garrison.Strength() > t)
        return;
    province->SetOwner(nullptr);
    for (int i = 0; i < province->income.Count(); ++i)
        province->income[i] = std::max(0, province->income[i] - province->income[i] * 20 / 100);
    SigProvinceChanged.Fire(province->index);
}

void ApplyVolunteers(const RandomEventChances& table, ProvinceRecord* province, CSquad* squad,
                     CResourceBundle* price)
{
    squad->count = 0;
    price->Zero();
    PlayerRecord* owner = province ? province->owner : nullptr;
    if (!owner || owner->army.Count() == 0)
        return;
    const CSquad* kind = owner->army.Item(int(Roll(uint32_t(owner->army.Count()))));
    if (!kind->type || kind->type->forceCoefficient == 0)
        return;
    squad->SetType(kind->type);
    squad->count = 0;
    const int32_t p = kind->type->cost.Total();
    price->Set(FourCC("gold"), p * (60 + int32_t(Roll(26))) / 100);
    int32_t provinces = 0;
    CGameWorld* world = GameWorld();
    for (int i = 0; world && i < world->ProvinceCount(); ++i)
        if (world->Province(i).owner == owner)
            ++provinces;
    int32_t count = (int32_t(table.volunteerFactor) * provinces / kind->type->forceCoefficient) / 10;
    const int32_t a = owner->treasury.TimesAffordable(*price);
    count = std::min(count, a * 2 / 3);
    price->Multiply(count);
    squad->count = std::max(count, 0);
}

void ApplyIncomeLoss(const RandomEventChances&, ProvinceRecord* province)
{
    PlayerRecord* owner = province ? province->owner : nullptr;
    if (!owner)
        return;
    CResourceBundle loss = province->income;
    for (int i = 0; i < loss.Count(); ++i)
        loss[i] = loss[i] * owner->taxPercent / 100;
    owner->treasury.Subtract(loss);
    for (int i = 0; i < owner->treasury.Count(); ++i)
        owner->treasury[i] = std::max(0, owner->treasury[i]);
}

void ApplyGarrisonLosses(const RandomEventChances&, ProvinceRecord* province)
{
    if (!province || province->garrison.Count() == 0)
        return;
    CSquad* s = province->garrison.Item(int(Roll(uint32_t(province->garrison.Count()))));
    s->count = std::max(0, (s->count * 80 + int32_t(Roll(16))) / 100);
}

}  // namespace RandomEvents

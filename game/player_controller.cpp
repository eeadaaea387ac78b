// The controller's state, its saved form and the seams of a turn: begin,
// province step, play, continue and end, with the turn economy (income,
// recruits, random events and the settlement of robberies).
#include "game/player_controller.h"

#include <algorithm>

#include "core/byte_stream.h"
#include "core/random.h"
#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/player_ratings.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/random_event_report.h"
#include "game/random_events.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/stream_util.h"

CPlayerController::CPlayerController(PlayerRecord* p) : player(p), reports(std::make_unique<CReportList>()) {}

CPlayerController::~CPlayerController() = default;

HeroRecord& CPlayerController::Hero() const
{
    return player->hero;
}

namespace {
// What the planner remembers between turns: where it attacked last, how often
// in a row, and whom it fought.
void StreamPlannerMemory(CByteStream& s, CPlayerController& c)
{
    // Saves before version 10 did not keep what the planner remembers; such
    // a game goes on as if the planner had just started.
    if (StreamVersion(s) < 10) {
        if (!s.IsStoring()) {
            c.lastAttackedProvince = 255;
            c.attackRepeatCount = 0;
            c.lastMilitaryTarget = nullptr;
        }
        return;
    }
    s.U8(c.lastAttackedProvince);
    s.U8(c.attackRepeatCount);
    CGameWorld* world = GameWorld();
    uint8_t target = 255;
    if (s.IsStoring() && world) {
        for (int i = 0; i < world->PlayerCount(); ++i)
            if (&world->Player(i) == c.lastMilitaryTarget)
                target = uint8_t(i);
    }
    s.U8(target);
    if (!s.IsStoring()) {
        // A target outside the player list is forgotten, not followed.
        c.lastMilitaryTarget = world && target < world->PlayerCount() ? &world->Player(target) : nullptr;
    }
}
}  // namespace

bool CPlayerController::Serialize(CByteStream& s)
{
    s.I16(movePoints);
    s.U8(turnDone);
    uint32_t attacked = (flags & kAttackedThisTurn) ? 1 : 0;
    s.U32(attacked);
    if (!s.IsStoring())
        flags = uint8_t(attacked ? (flags | kAttackedThisTurn) : (flags & ~kAttackedThisTurn));

    uint32_t n = uint32_t(scoutedProvinces.size());
    s.U32(n);
    if (!s.IsStoring()) {
        // A scouted list longer than the map (or than what is left of the
        // stream) comes from a damaged file: refuse it instead of allocating.
        const CGameWorld* world = GameWorld();
        const uint32_t limit = world ? uint32_t(world->ProvinceCount()) : 255;
        if (n > limit || n > s.Capacity() - std::min(s.Capacity(), s.Position())) {
            // Move past the end and read once, so the stream's error flag tells
            // the loader that this save is refused.
            s.SkipTo(s.Capacity() + 1);
            uint8_t none = 0;
            s.U8(none);
            return true;
        }
        scoutedProvinces.assign(n, 0);
    }
    for (uint32_t i = n; i-- > 0;)
        s.U8(scoutedProvinces[i]);
    s.I32(pendingExperience);

    uint32_t robbery = (flags & kRobberyPending) ? 1 : 0;
    s.U32(robbery);
    if (robbery) {
        s.I16(robberyTries);
        uint8_t index = 0;
        CGameWorld* world = GameWorld();
        if (s.IsStoring() && world) {
            for (int i = 0; i < world->PlayerCount(); ++i)
                if (&world->Player(i) == robberyTarget)
                    index = uint8_t(i);
        }
        s.U8(index);
        if (!s.IsStoring()) {
            // A target outside the player list cannot be robbed: the order is
            // dropped rather than pointed at a record that does not exist.
            if (world && index < world->PlayerCount()) {
                robberyTarget = &world->Player(index);
                flags |= kRobberyPending;
            } else {
                robberyTarget = nullptr;
                robberyTries = 0;
                flags &= uint8_t(~kRobberyPending);
            }
        }
    } else if (!s.IsStoring()) {
        flags &= uint8_t(~kRobberyPending);
        robberyTarget = nullptr;
        robberyTries = 0;
    }
    s.I32(stolenGold);
    reports->Stream(s);
    StreamPlannerMemory(s, *this);
    return true;
}

void CPlayerController::OnNewGame()
{
    player->armyLocation = player->capital;
}

void CPlayerController::UpdateReach() const
{
    CProvinceDistanceMap* map = GameDistanceMap();
    if (!map)
        return;
    if (player->armyLocation < 0 || player->armyLocation >= map->Count()) {
        map->Reset();  // an army off the map reaches nothing
        return;
    }
    map->Compute(uint8_t(player->armyLocation), uint8_t(std::max<int16_t>(movePoints, 0)), 0);
}

void CPlayerController::BeginTurn()
{
    turnDone = 0;
    flags &= uint8_t(~(kAttackedThisTurn | kWakeRequested));
    movePoints = 3;
    UpdateReach();
    stolenGold = 0;
    CGameWorld* world = GameWorld();
    for (int i = world ? world->PlayerCount() : 0; i-- > 0;) {
        CPlayerController* other = world->Player(i).controller;
        if (!other || other == this)
            continue;
        if ((other->flags & kRobberyPending) && other->robberyTarget == player)
            other->SettleRobbery();
    }
    if (Game().turn > 1) {
        CStr title;
        ReportTitle(kReportTreasury, title);
        reports->AddWithResourceLine(kReportTreasury, title, player->treasury);
    }
}

void CPlayerController::ProvinceTurnStep()
{
    RandomEventStep();
    CGameWorld* world = GameWorld();
    for (int i = 0; world && i < world->ProvinceCount(); ++i) {
        ProvinceRecord& p = world->Province(i);
        if (p.owner == player && p.HasCastle())
            p.castle.BeginTurnStep(*player);
        // Completing a capital's castle may end this player (never in practice,
        // but a controller deleted under us must not be used further).
        if (!player->controller)
            return;
    }
}

void CPlayerController::BasePlayTurn()
{
    if (pendingExperience != 0) {
        const int32_t gained = pendingExperience;
        pendingExperience = 0;
        player->hero.AddExperience(gained);
    }
    reports->StartTurn();
    turnDone = 1;
}

bool CPlayerController::PlayTurn()
{
    BasePlayTurn();
    return true;
}

void CPlayerController::BaseContinueTurn()
{
    flags &= uint8_t(~kWakeRequested);
    UpdateReach();
    if (turnDone == 0)
        BasePlayTurn();
}

bool CPlayerController::ContinueTurn()
{
    BaseContinueTurn();
    return true;
}

void CPlayerController::EndTurn()
{
    scoutedProvinces.clear();
    SettleArmies();
    CollectIncome();
    CGameWorld* world = GameWorld();
    for (int i = 0; world && i < world->ProvinceCount(); ++i) {
        ProvinceRecord& p = world->Province(i);
        if (p.owner == player && p.HasCastle())
            p.castle.EndTurnStep(*player);
    }
}

bool CPlayerController::CanLevelUp() const
{
    return int64_t(player->hero.experience) >= int64_t(NextLevelThreshold(&player->hero));
}

void CPlayerController::LevelUp()
{
    player->hero.level = uint8_t(LevelFromValue(player->hero.experience));
}

// --- Turn economy ---

CResourceBundle CPlayerController::ProvinceIncome(uint8_t provinceIndex) const
{
    const CGameWorld* world = GameWorld();
    if (!world || provinceIndex >= world->ProvinceCount()) {
        CResourceBundle none;
        none.Zero();
        return none;
    }
    return ::ProvinceIncome(&world->Province(provinceIndex));
}

CResourceBundle CPlayerController::TotalIncome() const
{
    return PlayerTotalIncome(player);
}

int32_t CPlayerController::SumProvinceIncome(int32_t kindIndex) const
{
    const CGameWorld* world = GameWorld();
    int32_t sum = 0;
    for (int i = 0; world && i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner == player && kindIndex >= 0 && kindIndex < p.income.Count())
            sum += p.income[kindIndex];
    }
    return sum;
}

int16_t CPlayerController::CountProvinces() const
{
    const CGameWorld* world = GameWorld();
    int16_t n = 0;
    for (int i = 0; world && i < world->ProvinceCount(); ++i)
        if (world->Province(i).owner == player)
            ++n;
    return n;
}

int16_t CPlayerController::CountCastles() const
{
    const CGameWorld* world = GameWorld();
    int16_t n = 0;
    for (int i = 0; world && i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner == player && p.HasCastle())
            ++n;
    }
    return n;
}

int16_t CPlayerController::CountCastlesWithBit1() const
{
    const CGameWorld* world = GameWorld();
    int16_t n = 0;
    for (int i = 0; world && i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner == player && p.HasCastle() && (p.castle.buildings & kBuildingMarket))
            ++n;
    }
    return n;
}

CResourceBundle TaxedIncome(const CResourceBundle& income, uint8_t taxPercent)
{
    // The taxes window shows income x the level's percent as what the player
    // collects; collecting the plain income would make low taxes free.
    CResourceBundle taxed = income;
    const int32_t percent = TaxPercent(TaxLevelFromPercent(taxPercent));
    for (int i = 0; i < taxed.Count(); ++i)
        taxed[i] = int32_t(int64_t(taxed[i]) * percent / 100);
    return taxed;
}

void CPlayerController::CollectIncome()
{
    const CResourceBundle income = TaxedIncome(TotalIncome(), player->taxPercent);
    ApplyTaxLevel(TaxLevelFromPercent(player->taxPercent), &player->hero);
    CStr title;
    ReportTitle(kReportTaxes, title);
    reports->AddWithResourceLine(kReportTaxes, title, income);
    player->Earn(income);
}

void CPlayerController::SettlePendingUnits(CArmy* army, CArmy* tally)
{
    for (int i = army->Count(); i-- > 0;) {
        CSquad* s = army->Item(i);
        const int32_t p = s->pending;
        if (p == 0)
            continue;
        if (i < tally->Count())
            tally->Item(i)->count = std::max(0, tally->Item(i)->count + p);
        s->count = std::max(0, s->count + p);
        s->pending = 0;
    }
}

void CPlayerController::SettleArmies()
{
    CArmy tally(player->army);
    for (int i = 0; i < tally.Count(); ++i) {
        tally.Item(i)->count = 0;
        tally.Item(i)->pending = 0;
    }
    CGameWorld* world = GameWorld();
    ProvinceRecord* camp = nullptr;
    for (int i = 0; world && i < world->ProvinceCount(); ++i) {
        ProvinceRecord& p = world->Province(i);
        if (p.owner != player)
            continue;
        if (player->armyLocation == i) {
            camp = &p;
            continue;
        }
        SettlePendingUnits(&p.garrison, &tally);
    }
    if (camp) {
        CArmy joined(player->army);
        bool any = false;
        for (int i = joined.Count(); i-- > 0;) {
            CSquad* g = i < camp->garrison.Count() ? camp->garrison.Item(i) : nullptr;
            if (g && g->pending > 0) {
                joined.Item(i)->count = g->pending;
                tally.Item(i)->count += g->pending;
                player->army.Item(i)->count += g->pending;
                g->pending = 0;
                any = true;
            } else {
                joined.Item(i)->count = 0;
            }
        }
        if (any) {
            CStr title;
            ReportTitle(kReportCampRecruitment, title);
            reports->AddWithArmyLine(kReportCampRecruitment, title, joined, 0);
        }
    }
    if (tally.HasUnits()) {
        player->stats.recruited.Merge(tally);
        CStr title;
        ReportTitle(kReportRecruitment, title);
        reports->AddWithArmyLine(kReportRecruitment, title, tally, 0);
    }
}

void CPlayerController::RandomEventStep()
{
    if (Game().turn < 6)
        return;
    RandomEventChances table;
    RandomEvents::LoadChances(table);
    ProvinceRecord* province = nullptr;
    RandomEventReport report;
    report.kind = RandomEvents::Pick(table, player, &province);
    report.province = province;
    if (report.kind == kEventNone || !province)
        return;
    switch (report.kind) {
    case kEventRevolt:
        report.units.CopyFrom(province->garrison);
        RandomEvents::ApplyRevolt(table, province);
        if (province->owner == player)
            report.units.Clear();
        break;
    case kEventVolunteers: {
        CSquad squad;
        CResourceBundle price;
        RandomEvents::ApplyVolunteers(table, province, &squad, &price);
        if (squad.count > 0) {
            Recruit(province, &squad, &price);
            if (squad.count > 0)
                report.units.AddSquadCopy(squad);
        }
        break;
    }
    case kEventLostTaxes:
        report.amounts = province->income;
        RandomEvents::ApplyIncomeLoss(table, province);
        break;
    case kEventGarrisonLosses: {
        report.units.CopyFrom(province->garrison);
        RandomEvents::ApplyGarrisonLosses(table, province);
        for (int i = 0; i < report.units.Count() && i < province->garrison.Count(); ++i)
            report.units.Item(i)->count =
                std::max(0, report.units.Item(i)->count - province->garrison.Item(i)->count);
        break;
    }
    default:
        break;
    }
    ReportRandomEvent(&report);
}

bool CPlayerController::SettleRobbery()
{
    if (!(flags & kRobberyPending))
        return false;
    if (robberyTarget && robberyTries > 0 && robberyTarget->controller) {
        int32_t loot = 0;
        Rob(robberyTarget, robberyTries, &loot);
        robberyTarget->controller->stolenGold += loot;
    }
    flags &= uint8_t(~kRobberyPending);
    robberyTarget = nullptr;
    robberyTries = 0;
    return false;
}

int32_t ScaleLootByDifficulty(int32_t amount, int32_t difficulty)
{
    switch (difficulty) {
    case 0:
        return int32_t(int64_t(amount) * 4 / 3);
    case 2:
        return int32_t(int64_t(amount) * 3 / 4);
    case 3:
        return int32_t(int64_t(amount) * 3 / 5);
    default:
        return amount;
    }
}

bool CPlayerController::Rob(PlayerRecord* victim, int16_t tries, int32_t* loot)
{
    if (!victim || !victim->controller)
        return false;
    *loot = 0;
    bool success = false;
    const GameRules& rules = Rules();
    const uint32_t gold = FourCC("gold");
    const int32_t have = victim->treasury.Get(gold);
    const int32_t perTry = int32_t(int64_t(have) * rules.robberyGoldPercent / 100);
    const int32_t cap = int32_t(int64_t(have) * 75 / 100);
    const int16_t chance = rules.RobberyChance(&player->hero, &victim->hero);
    for (int16_t t = 0; t < tries; ++t) {
        if (int32_t(NextRandom() % 101) < chance) {
            success = true;
            *loot += perTry;
            if (*loot >= cap) {
                *loot = cap;
                break;
            }
        }
    }
    if (!success)
        return false;
    CResourceBundle taken;
    taken.Zero();
    taken.Set(gold, *loot);
    victim->treasury.Subtract(taken);
    if (!victim->IsHuman()) {
        *loot = ScaleLootByDifficulty(*loot, Game().difficulty);
        taken.Set(gold, *loot);
    }
    player->stats.stolen.Add(taken);
    player->treasury.Add(taken);
    pendingExperience += rules.RobberyLoot(*loot);
    victim->stats.theft.Add(taken);
    if (victim->IsHuman()) {
        RobberyRecord record;
        record.name = player->name;
        record.amount = *loot;
        victim->controller->Reports().AddTheftReport(record);
    }
    return true;
}

void CPlayerController::OnCastleBuilt(ProvinceRecord*)
{
    player->hero.AddExperience(Rules().CastleExperience());
}

bool CPlayerController::OnProvinceAttacked(CArmy*, ProvinceRecord*, uint8_t* flee, uint8_t* automatic)
{
    *flee = 0;
    *automatic = 1;
    return true;
}

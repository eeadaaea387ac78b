// What a province offers (the action masks) and the operations a turn is made
// of: moves, transfers, recruits, covert operations and castle works.
#include <algorithm>

#include "core/random.h"
#include "game/attack_support.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/squad_type.h"

namespace {

const ProvinceRecord* OrSelected(const ProvinceRecord* province)
{
    return province ? province : CurrentProvince();
}

bool ArmyStandsIn(const PlayerRecord* p, const ProvinceRecord* province)
{
    return p && province && p->armyLocation == province->index;
}

}  // namespace

// --- Masks ---

uint16_t CPlayerController::ArmyActionsAt(const ProvinceRecord* province) const
{
    province = OrSelected(province);
    if (!province)
        return kActionDisabled;
    if (province->owner == player) {
        if (ArmyStandsIn(player, province))
            return kArmyGarrison;
        return (player->army.HasUnits() && IsReachable(province)) ? kArmyMove
                                                                  : uint16_t(kArmyMove | kActionDisabled);
    }
    const bool can = !(flags & kAttackedThisTurn) && player->army.HasUnits() && IsReachable(province);
    return can ? kArmyAttack : uint16_t(kArmyAttack | kActionDisabled);
}

uint16_t CPlayerController::AgentActionsAt(const ProvinceRecord* province) const
{
    province = OrSelected(province);
    if (!province)
        return kActionDisabled;
    if (province->owner == player) {
        const bool can = province->garrison.HasUnits() && ArmyStandsIn(player, province);
        return can ? kAgentTakeGarrison : uint16_t(kAgentTakeGarrison | kActionDisabled);
    }
    if (!province->owner)
        return kActionDisabled;
    if (!IsScouted(province))
        return CanScout(province) ? kAgentScout : uint16_t(kAgentScout | kActionDisabled);
    return CanDecease(province) ? kAgentDecease : uint16_t(kAgentDecease | kActionDisabled);
}

uint16_t CPlayerController::RobberyActionsAt(const ProvinceRecord* province) const
{
    province = OrSelected(province);
    if (!province)
        return kActionDisabled;
    if (province->owner == player)
        return kRobberyOwn;
    if (!province->owner || province->owner->capital != province->index)
        return kActionDisabled;
    return CanRob(province) ? kRobberyRob : uint16_t(kRobberyRob | kActionDisabled);
}

uint8_t CPlayerController::MapActionAt(const ProvinceRecord* province) const
{
    const uint16_t army = ArmyActionsAt(province);
    if (!(army & kActionDisabled)) {
        switch (army & 0x0F) {
        case kArmyMove:
            return 1;
        case kArmyAttack:
            return 2;
        case kArmyGarrison:
            return 3;
        default:
            break;
        }
    }
    const uint16_t agent = AgentActionsAt(province);
    if (!(agent & kActionDisabled)) {
        if ((agent & 0x0F) == kAgentScout)
            return 5;
        if ((agent & 0x0F) == kAgentDecease)
            return 6;
    }
    const uint16_t rob = RobberyActionsAt(province);
    if (!(rob & kActionDisabled) && (rob & 0x0F) == kRobberyRob)
        return 8;
    return 0;
}

bool CPlayerController::IsScouted(const ProvinceRecord* province) const
{
    return province && std::find(scoutedProvinces.begin(), scoutedProvinces.end(), province->index) !=
                           scoutedProvinces.end();
}

bool CPlayerController::IsAdjacentToOwn(const ProvinceRecord* province) const
{
    const CGameWorld* world = GameWorld();
    if (!world || !province)
        return false;
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner == player && AreNeighbours(&p, province))
            return true;
    }
    return false;
}

bool CPlayerController::CanScout(const ProvinceRecord* province) const
{
    if (!province || !province->owner || province->owner == player)
        return false;
    CResourceBundle price;
    Rules().ScoutCost(price, province);
    return player->treasury.AllAtLeast(price) && IsAdjacentToOwn(province);
}

bool CPlayerController::CanDecease(const ProvinceRecord* province) const
{
    const GameRules& rules = Rules();
    if (!province || movePoints < rules.deceaseMovePoints)
        return false;
    if (!province->owner || province->owner == player)
        return false;
    if (!player->treasury.AllAtLeast(rules.deceaseCost))
        return false;
    return IsDefended(province) && IsAdjacentToOwn(province);
}

bool CPlayerController::CanRob(const ProvinceRecord* province) const
{
    const GameRules& rules = Rules();
    if (!province || movePoints < rules.robberyMovePoints)
        return false;
    if (!province->owner || province->owner == player)
        return false;
    return player->treasury.AllAtLeast(rules.robberyCost);
}

// --- Moves and transfers ---

void CPlayerController::MoveArmyTo(ProvinceRecord* province)
{
    if (!province || ArmyStandsIn(player, province) || !IsReachable(province))
        return;
    PlaySelectionSound(3);
    movePoints = int16_t(movePoints - GameDistanceMap()->Distance(province->index));
    MarchInto(player, province);
    UpdateReach();
    RefreshMapView();
    FirePlayerStatusSignals();
}

void CPlayerController::MoveAlongPath(ProvinceRecord* province)
{
    CProvinceDistanceMap* map = GameDistanceMap();
    CGameWorld* world = GameWorld();
    if (!province || !map || !world || ArmyStandsIn(player, province) || movePoints <= 0)
        return;
    if (player->armyLocation < 0 || player->armyLocation >= map->Count())
        return;
    map->Compute(uint8_t(player->armyLocation), 0, 0);
    std::vector<uint8_t> path;
    map->PathTo(province->index, path, nullptr);
    std::vector<ProvinceRecord*> steps;
    for (uint8_t index : path) {
        if (index == player->armyLocation)
            continue;
        ProvinceRecord* p = &world->Province(index);
        if (p->owner != player)
            break;
        steps.push_back(p);
    }
    for (ProvinceRecord* p : steps) {
        if (movePoints <= 0)
            break;
        UpdateReach();
        MoveArmyTo(p);
    }
    UpdateReach();
}

void CPlayerController::TransferUnits(ProvinceRecord* province, const std::vector<int32_t>& deltas)
{
    if (!province)
        return;
    CArmy& army = player->army;
    CArmy& garrison = province->garrison;
    const int n = std::min({army.Count(), garrison.Count(), int(deltas.size())});
    for (int i = 0; i < n; ++i) {
        int32_t d = deltas[size_t(i)];
        if (d < 0)
            d = std::max(d, -army.Item(i)->count);
        if (d > 0)
            d = std::min(d, garrison.Item(i)->count);
        army.Item(i)->count = std::max(0, army.Item(i)->count + d);
        garrison.Item(i)->count = std::max(0, garrison.Item(i)->count - d);
    }
}

void CPlayerController::TakeGarrisonIntoArmy()
{
    CGameWorld* world = GameWorld();
    if (!world || player->armyLocation < 0 || player->armyLocation >= world->ProvinceCount())
        return;
    ProvinceRecord& p = world->Province(player->armyLocation);
    if (p.owner != player)
        return;
    AddCounts(player->army, p.garrison);
    for (int i = 0; i < p.garrison.Count(); ++i)
        p.garrison.Item(i)->count = 0;
}

namespace {

void SetPending(PlayerRecord* player, CArmy& army, const std::vector<int32_t>& counts)
{
    const int n = std::min(army.Count(), int(counts.size()));
    for (int i = 0; i < n; ++i) {
        CSquad* s = army.Item(i);
        const int32_t wanted = std::max(0, counts[size_t(i)]);
        const int32_t difference = s->pending - wanted;
        if (s->type && difference < 0) {
            player->Spend(CResourceBundle::MultipliedCopy(s->type->cost, -difference));
        } else if (s->type && difference > 0) {
            // A refund is not income: it does not count as earned.
            player->treasury.Add(CResourceBundle::MultipliedCopy(s->type->cost, difference));
        }
        s->pending = wanted;
    }
}

}  // namespace

void CPlayerController::SetArmyPendingRecruits(const std::vector<int32_t>& counts)
{
    SetPending(player, player->army, counts);
}

void CPlayerController::SetGarrisonPendingRecruits(ProvinceRecord* province,
                                                   const std::vector<int32_t>& counts)
{
    if (province && province->owner == player)
        SetPending(player, province->garrison, counts);
}

bool CPlayerController::Recruit(ProvinceRecord*, CSquad* squad, CResourceBundle* price)
{
    // The offer was sized by what the treasury can pay, so paying exactly
    // the price (or holding none of a kind the price does not ask for) is
    // enough.
    if (!squad || !price || !player->treasury.AllAtLeast(*price))
        return false;
    player->Spend(*price);
    for (int i = player->army.Count(); i-- > 0;) {
        CSquad* s = player->army.Item(i);
        if (s->type == squad->type) {
            s->AddUnits(squad->count);
            break;
        }
    }
    player->stats.joined.AddItem(*squad);
    return true;
}

// --- Covert operations ---

bool CPlayerController::Scout(ProvinceRecord* province)
{
    if (!province || !province->owner)
        return false;
    CResourceBundle price;
    Rules().ScoutCost(price, province);
    player->Spend(price);
    const int32_t roll = int32_t(NextRandom() % 101);
    if (roll >= Rules().ScoutChance(&player->hero, &province->owner->hero))
        return false;
    if (!IsScouted(province))
        scoutedProvinces.push_back(province->index);
    return true;
}

bool CPlayerController::Decease(ProvinceRecord* province, int16_t raiders, CArmy* killed)
{
    const GameRules& rules = Rules();
    PlayerRecord* owner = province ? province->owner : nullptr;
    if (!owner || !killed)
        return false;
    movePoints = int16_t(movePoints - rules.deceaseMovePoints);
    killed->Clear();
    player->Spend(CResourceBundle::MultipliedCopy(rules.deceaseCost, raiders));
    const int16_t chance = rules.DeceaseChance(&player->hero, &owner->hero, province);
    bool success = false;
    for (int16_t i = 0; i < raiders && !success; ++i)
        success = int32_t(NextRandom() % 101) < chance;
    if (!success)
        return false;

    const bool armyHere = ArmyStandsIn(owner, province);
    CArmy defence(province->garrison);
    if (armyHere)
        AddCounts(defence, owner->army);
    int32_t killedValue = 0;
    int32_t capValue = std::min(defence.Strength() * rules.deceaseKillPercent / 100,
                                int32_t(player->hero.stealth) * rules.deceaseCapPerStealth);
    if (HasStandingCastle(province))
        capValue /= 2;
    for (int i = defence.Count(); i-- > 0;) {
        if (i >= owner->army.Count())
            continue;
        const CSquadType* type = owner->army.Item(i)->type;
        const int32_t force = type ? type->forceCoefficient : 0;
        const int32_t q = defence.Item(i)->count * rules.deceaseKillPercent / 100;
        int32_t n = q + (q > 0 ? 1 : 0);
        if (n < 1)
            continue;
        while (n > 0 && killedValue + n * force > capValue)
            --n;
        if (n <= 0)
            continue;
        int32_t rest = n;
        if (i < province->garrison.Count()) {
            CSquad* g = province->garrison.Item(i);
            const int32_t fromGarrison = std::min(rest, g->count);
            g->count = std::max(0, g->count - fromGarrison);
            rest -= fromGarrison;
        }
        if (armyHere && rest > 0)
            owner->army.Item(i)->count = std::max(0, owner->army.Item(i)->count - rest);
        killedValue += n * force;
        CSquad dead;
        dead.SetType(type);
        dead.count = n;
        killed->AddSquadCopy(dead);
        player->stats.assassinated.AddItem(dead);
    }
    if (killedValue <= 0)
        return false;
    if (owner->IsHuman() && owner->controller)
        owner->controller->Reports().AddDeceasedReport(*province, *killed);
    player->hero.AddExperience(rules.DeceaseExperience(killedValue));
    SetHold();
    return true;
}

bool CPlayerController::OrderRobbery(PlayerRecord* victim, int16_t tries)
{
    if (!victim || (flags & kRobberyPending))
        return false;
    const GameRules& rules = Rules();
    movePoints = int16_t(movePoints - rules.robberyMovePoints);
    player->Spend(CResourceBundle::MultipliedCopy(rules.robberyCost, tries));
    flags |= kRobberyPending;
    robberyTarget = victim;
    robberyTries = tries;
    SetHold();
    return true;
}

// --- Castle works ---

void CPlayerController::BuildCastle(ProvinceRecord* province, const CResourceBundle& cost)
{
    if (!province)
        return;
    player->Spend(cost);
    province->castleFlag = 1;
    province->castle.Reset();
    province->castle.percent = 0;
    const int32_t rate = player->hero.builder * 5 + 15;
    const int32_t turns = (100 + rate - 1) / rate;
    province->castle.StartBuild(kWorkBuildCastle, uint8_t(turns), uint8_t(rate));
    RefreshMapView();
}

void CPlayerController::CompleteCastle(ProvinceRecord* province, const CResourceBundle& cost, uint8_t turns)
{
    if (!province)
        return;
    player->hero.AddExperience(Rules().WorksExperience());
    player->Spend(cost);
    if (turns == 0)
        turns = 1;
    province->castle.StartBuild(kWorkCompleteCastle, turns,
                                uint8_t((100 - province->castle.percent) / turns));
}

void CPlayerController::RepairCastle(ProvinceRecord* province, const CResourceBundle& cost)
{
    if (!province)
        return;
    player->hero.AddExperience(Rules().WorksExperience());
    player->Spend(cost);
    province->castle.percent = 100;
    province->castle.StartBuild(kWorkRepair, 0, 0);
}

void CPlayerController::DemolishCastle(ProvinceRecord* province, const CResourceBundle& refund)
{
    if (!province)
        return;
    province->castleFlag = 0;
    province->castle.Reset();
    player->treasury.Add(refund);
}

namespace {
void StartWork(CPlayerController& c, ProvinceRecord* province, uint32_t kind, const CResourceBundle& cost,
               uint8_t turns)
{
    if (!province)
        return;
    c.player->hero.AddExperience(Rules().WorksExperience());
    c.player->Spend(cost);
    province->castle.StartBuild(kind, turns, 0);
}
}  // namespace

void CPlayerController::BuildMoat(ProvinceRecord* province, const CResourceBundle& cost, uint8_t turns)
{
    StartWork(*this, province, kWorkMoat, cost, turns);
}

void CPlayerController::BuildCatapult(ProvinceRecord* province, const CResourceBundle& cost, uint8_t turns)
{
    StartWork(*this, province, kWorkCatapult, cost, turns);
}

void CPlayerController::BuildFortifiedWalls(ProvinceRecord* province, const CResourceBundle& cost,
                                            uint8_t turns)
{
    StartWork(*this, province, kWorkFortWalls, cost, turns);
}

void CPlayerController::BuildBuilding(ProvinceRecord* province, uint8_t buildingBit,
                                      const CResourceBundle& cost, uint8_t turns)
{
    uint32_t kind = 0;
    switch (buildingBit) {
    case kBuildingMarket:
        kind = kWorkMarket;
        break;
    case kBuildingBank:
        kind = kWorkBank;
        break;
    case kBuildingTavern:
        kind = kWorkTavern;
        break;
    case kBuildingGuild:
        kind = kWorkGuildLevel;
        break;
    case kBuildingMetalMine:
        kind = kWorkMetalMine;
        break;
    case kBuildingStoneMine:
        kind = kWorkStoneMine;
        break;
    default:
        return;
    }
    StartWork(*this, province, kind, cost, turns);
}

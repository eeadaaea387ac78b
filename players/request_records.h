// The records the human controller hands to the map window with its dialog
// requests. The window reads them and writes its answer (a confirmed byte,
// a chosen number, edited values) back; the controller checks what comes
// back before acting on it.
#pragma once

#include <cstdint>
#include <vector>

#include "core/ref_string.h"
#include "game/army.h"
#include "game/game_rules.h"
#include "game/resource_bundle.h"
#include "game/ui_request.h"
#include "players/castle_works_offer.h"

class CastleState;
class CPlayerController;
class PlayerRecord;
class ProvinceRecord;

struct RandomEventRequestArgs {
    CStr playerName;
    CStr provinceName;
    uint32_t kind = 0;
    CResourceBundle amounts;
    CArmy units;
};

struct VolunteersRequestArgs {
    uint32_t confirmed = 0;
    CStr provinceName;
    CResourceBundle price;
    CArmy squad;
};

struct RobberyRequestArgs {
    CStr victimName;
    CResourceBundle treasury;
    uint32_t tries = 0;  // the raiders the player chose
    uint32_t movePoints = 0;
    // The rules' figures for this robbery: the chance of one raider, the
    // most raiders offered and what one costs.
    int32_t chance = 0;
    int32_t maxRaiders = 0;
    CResourceBundle raiderCost;
    uint8_t confirmed = 0;
};

struct RobberyResultArgs {
    CStr victimName;
    int32_t amount = 0;
    int32_t experience = 0;
};

struct ScoutRequestArgs {
    CStr provinceName;
    CStr ownerName;
    int32_t chance = 0;
    CResourceBundle price;
    uint8_t confirmed = 0;
};

struct ScoutResultArgs {
    CStr provinceName;
    const CastleState* castle = nullptr;
    CArmy garrison;
    const PlayerRecord* owner = nullptr;  // whose guards the garrison shows, in his colour
};

struct NotEnoughResourcesArgs {
    CResourceBundle price;
    uint32_t mode = 0;  // 1 robbery, 2 scouting, 0 otherwise
};

struct RecruitRequestArgs {
    PlayerRecord* player = nullptr;
    const CArmy* army = nullptr;
    CResourceBundle treasury;
    std::vector<int32_t> units;   // purchase unit per army slot
    std::vector<int32_t> counts;  // pending count per army slot, edited by the window
    std::vector<int32_t> limits;  // highest count per offered squad (the battle trainer's recruit window)
    uint8_t confirmed = 0;
};

struct CastleWorkRequestArgs {
    uint8_t affordable = 0;
    // The numbers of the window's message: the turns the work takes; for a
    // completion the missing percent (then the turns in secondCount), for a
    // fast repair the castle's present percent.
    uint8_t turns = 0;
    uint8_t secondCount = 0;
    CResourceBundle price;      // after the builder discount (the refund for demolishing)
    CResourceBundle remaining;  // filled only when affordable
    uint8_t confirmed = 0;
    uint32_t building = 0;  // AddBuilding: the building's bit (0x01 market ... 0x20 stone mine)
};

struct CastleInfoRequestArgs {
    ProvinceRecord* province = nullptr;
    uint8_t index = 0;
    // Worked out again from the province whenever the panel is shown anew.
    CastleWorksOffer offer;
};

struct SiegeRequestArgs {
    CResourceBundle price;
    uint8_t affordable = 0;
    CResourceBundle remaining;
    uint8_t confirmed = 0;
};

struct BattleQuestionArgs {
    uint8_t confirmed = 0;
    uint8_t quick = 0;
    uint8_t castle = 0;
    CStr provinceName;
    CStr playerName;
    const CArmy* attacking = nullptr;
    const CArmy* defending = nullptr;  // null when the defenders were not scouted
    // Whose squads each list shows, for their colours; null for land of no lord.
    const PlayerRecord* attacker = nullptr;
    const PlayerRecord* defender = nullptr;
    uint32_t mayRetreat = 0;  // Cancel offered: an attack, or a province that is not its owner's capital
    uint32_t mode = 0;
};

struct BattleResultArgs {
    uint32_t won = 0;
    CArmy ownLosses;
    CArmy enemyLosses;
    // Whose losses each list shows, for their colours; null for land of no lord.
    const PlayerRecord* own = nullptr;
    const PlayerRecord* enemy = nullptr;
    int32_t experience = 0;
};

struct TransferRequestArgs {
    const CArmy* army = nullptr;
    const CArmy* garrison = nullptr;
    ProvinceRecord* province = nullptr;
    std::vector<int32_t> deltas;  // per army slot: + moves into the army, - into the garrison
    uint8_t confirmed = 0;
};

struct TradingRequestArgs {
    CResourceBundle treasury;
    PlayerRecord* player = nullptr;
    // The market's rates for that player, one per pair of different kinds.
    std::vector<MarketRate> rates;
    uint8_t confirmed = 0;
};

struct SkillsRequestArgs {
    CStr name;
    uint8_t skills[3] = {0, 0, 0};
    uint8_t level = 0;
    int32_t experience = 0;
    uint32_t nextLevelAt = 0;  // the experience of the next level, from the rules
    int32_t pendingLevelUps = 0;
    uint8_t confirmed = 0;
};

struct DeceaseRequestArgs {
    CStr ownerName;
    CStr provinceName;
    CResourceBundle treasury;
    int32_t movePoints = 0;
    // The rules' figures for this assassination: the chance of one raider,
    // the most raiders offered and what one costs.
    int32_t chance = 0;
    int32_t maxRaiders = 0;
    CResourceBundle raiderCost;
    int32_t raiders = 0;
    uint8_t confirmed = 0;
};

struct DeceaseResultArgs {
    CStr provinceName;
    CArmy killed;  // DeceaseSuccess: the squads the province lost
    int32_t experience = 0;
    const PlayerRecord* owner = nullptr;  // whose squads were killed, in his colour
};

struct DiplomacyRequestArgs {
    CStr name;
    uint32_t kind = 0;
    uint8_t answer = 0;
};

struct ReportRequestArgs {
    CPlayerController* controller = nullptr;
};

// No game operation asks for taxes today; the map window still answers it.
struct TaxesRequestArgs {
    int32_t taxLevel = 2;    // 0-3, rewritten on every change the player makes
    int32_t incomeBase = 0;  // the income at 100 per cent
    uint8_t confirmed = 0;
};

// The kinds each record is posted with (see UiRequestKinds).
template <>
struct UiRequestKinds<RandomEventRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::RandomEvent};
};
template <>
struct UiRequestKinds<VolunteersRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Volunteers};
};
template <>
struct UiRequestKinds<RobberyRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Robbery};
};
template <>
struct UiRequestKinds<RobberyResultArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::RobberyEmpty, UiRequestKind::RobberyFailure,
                                              UiRequestKind::RobberySuccess};
};
template <>
struct UiRequestKinds<ScoutRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Scout};
};
template <>
struct UiRequestKinds<ScoutResultArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::ScoutFailure, UiRequestKind::ScoutSuccess};
};
template <>
struct UiRequestKinds<NotEnoughResourcesArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::NotEnoughResources};
};
template <>
struct UiRequestKinds<RecruitRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Recruit};
};
template <>
struct UiRequestKinds<CastleWorkRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::BuildCastle,    UiRequestKind::DemolishCastle,
                                              UiRequestKind::CompleteCastle, UiRequestKind::RepairCastle,
                                              UiRequestKind::DigMoat,        UiRequestKind::AddCatapult,
                                              UiRequestKind::AddWalls,       UiRequestKind::AddBuilding};
};
template <>
struct UiRequestKinds<CastleInfoRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::CastleInfo};
};
template <>
struct UiRequestKinds<SiegeRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::PrepareSiege};
};
template <>
struct UiRequestKinds<BattleQuestionArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::BattleAttack, UiRequestKind::BattleDefend};
};
template <>
struct UiRequestKinds<BattleResultArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::BattleResults};
};
template <>
struct UiRequestKinds<TransferRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Transfer};
};
template <>
struct UiRequestKinds<TradingRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Trading};
};
template <>
struct UiRequestKinds<SkillsRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Skills};
};
template <>
struct UiRequestKinds<DeceaseRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Decease};
};
template <>
struct UiRequestKinds<DeceaseResultArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::DeceaseFailure, UiRequestKind::DeceaseSuccess};
};
template <>
struct UiRequestKinds<DiplomacyRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::DiplomacyAnswer};
};
template <>
struct UiRequestKinds<ReportRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Report};
};
template <>
struct UiRequestKinds<TaxesRequestArgs> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Taxes};
};

// The names the map dialogs know these records by.
using TaxesRequest = TaxesRequestArgs;
using TradingRequest = TradingRequestArgs;
using TransferRequest = TransferRequestArgs;
using VolunteersRequest = VolunteersRequestArgs;
using RandomEventRequest = RandomEventRequestArgs;
using SkillsRequest = SkillsRequestArgs;

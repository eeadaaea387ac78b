// The human controller's answers to the map screen: province selection,
// default actions, menu and panel commands, castle works, covert operations
// and the person's own attack flow. Every value a window hands back is
// checked before it is acted on.
#include <algorithm>

#include "core/ui_mgr.h"
#include "game/attack_support.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/squad_type.h"
#include "players/human_controller.h"
#include "players/request_records.h"

namespace {
const char* const kSoundInfo = "/Sounds/msg_info";

bool SameKinds(const CResourceBundle& a, const CResourceBundle& b)
{
    return a.Count() == b.Count();
}
// A province taken without a battle is told in the turn reports all the
// same: the taker's, and a person owner's, who learns of it at his turn.
void ReportTakenWithoutAFight(CReportList& reports, const ProvinceRecord& province)
{
    CStr text;
    text.Format(LocaleText("RepBtlWinNoDefender").Chars(), province.name);
    reports.AddPlain(kReportBattle, text);
}

void ReportLostWithoutAFight(const PlayerRecord* owner, const ProvinceRecord& province,
                             const PlayerRecord& taker)
{
    if (!owner || !owner->IsHuman() || !owner->controller)
        return;
    CStr text;
    text.Format(LocaleText("OurProvEmpty").Chars(), province.name, taker.name);
    owner->controller->Reports().AddPlain(kReportBattle, text);
}

}  // namespace

void CHumanController::OnProvinceSelected(uint8_t index)
{
    RequestActionMarkers();
    if (Game().selectedProvince != index)
        SelectProvince(index, 0);
}

void CHumanController::OnProvinceDefaultAction(uint8_t index)
{
    OnProvinceSelected(index);
    if (!(ArmyActionsAt(nullptr) & kActionDisabled)) {
        ArmyCommand();
    } else if (!(AgentActionsAt(nullptr) & kActionDisabled)) {
        AgentCommand();
    } else if (RobberyActionsAt(nullptr) == kRobberyRob) {
        RefreshMapView();
        RobberyFlow(CurrentProvince());
        RefreshMapView();
    }
}

void CHumanController::OnMenuCommand(uint32_t command)
{
    switch (command) {
    case 4:
        AgentCommand();
        break;
    case 8: {
        const uint16_t r = RobberyActionsAt(nullptr);
        if (r == kRobberyOwn) {
            CastleCommand();
        } else if (r == kRobberyRob) {
            RefreshMapView();
            RobberyFlow(CurrentProvince());
            RefreshMapView();
        }
        break;
    }
    case 16:
        if (ConfirmTurnEndingAction())
            hold = 1;
        break;
    case 32:
        ArmyCommand();
        break;
    default:
        break;
    }
}

void CHumanController::OnCommand(uint32_t command)
{
    switch (command) {
    case 1:
        if (ConfirmTurnEndingAction())
            hold = 1;
        break;
    case 2: {
        ReportRequestArgs args;
        args.controller = this;
        PostUiRequest(args);
        break;
    }
    case 3:
        TradingFlow();
        break;
    case 5:
        SkillsDialog();
        break;
    case 11:
        RecruitDialog();
        break;
    default:
        break;
    }
}

void CHumanController::ArmyCommand()
{
    ProvinceRecord* province = CurrentProvince();
    switch (ArmyActionsAt(province)) {
    case kArmyMove:
        RefreshMapView();
        MoveArmyTo(province);
        RefreshMapView();
        break;
    case kArmyAttack:
        RefreshMapView();
        AttackProvince(province, 0, 0);
        RefreshMapView();
        break;
    case kArmyGarrison:
        TransferFlow(province);
        NotifyCurrentPlayerChanged();
        break;
    default:
        break;
    }
    NotifyMovePointsChanged();
}

void CHumanController::AgentCommand()
{
    ProvinceRecord* province = CurrentProvince();
    switch (AgentActionsAt(province)) {
    case kAgentScout:
        ScoutFlow(province);
        break;
    case kAgentDecease:
        RefreshMapView();
        DeceaseFlow(province);
        RefreshMapView();
        break;
    case kAgentTakeGarrison:
        TakeGarrisonIntoArmy();
        NotifyCurrentPlayerChanged();
        break;
    default:
        break;
    }
    NotifyMovePointsChanged();
}

void CHumanController::CastleCommand()
{
    ProvinceRecord* province = CurrentProvince();
    if (!province || province->owner != player)
        return;
    if (!province->HasCastle()) {
        BuildCastleFlow(province);
        NotifyCurrentPlayerChanged();
        return;
    }
    // The castle window stays open after the request returns and reads the
    // record at every refresh, so the record lives in the controller.
    castleInfoRequest.province = province;
    castleInfoRequest.index = Game().selectedProvince;
    PostUiRequest(castleInfoRequest);
}

void CHumanController::TransferFlow(ProvinceRecord* province)
{
    if (province && province->garrisonFlag && (province->garrison.HasUnits() || player->army.HasUnits())) {
        TransferRequestArgs args;
        args.army = &player->army;
        args.garrison = &province->garrison;
        args.province = province;
        args.deltas.assign(size_t(player->army.Count()), 0);
        PostUiRequest(args);
        if (args.confirmed) {
            // Through the clamping transfer: a window that asks for more than
            // stands on the other side cannot create units.
            TransferUnits(province, args.deltas);
            NotifyCurrentPlayerChanged();
        }
        return;
    }
    PostMessage(LocaleText("CantTransferT"), LocaleText("CantTransfer"), kMessageNoButtons, kSoundInfo);
}

void CHumanController::TradingFlow()
{
    TradingRequestArgs args;
    args.treasury = player->treasury;
    args.player = player;
    args.rates = MarketRates(player, player->treasury.Count());
    PostUiRequest(args);
    if (!args.confirmed)
        return;
    // A trade exchanges goods; it never makes the treasury bigger nor any
    // amount negative.
    const CResourceBundle& t = args.treasury;
    if (!SameKinds(t, player->treasury) || int64_t(t.Total()) > int64_t(player->treasury.Total()))
        return;
    for (int i = 0; i < t.Count(); ++i)
        if (t[i] < 0)
            return;
    player->treasury = t;
    NotifyCurrentPlayerChanged();
}

void CHumanController::RecruitDialog()
{
    RecruitRequestArgs args;
    args.player = player;
    args.army = &player->army;
    args.treasury = player->treasury;
    for (int i = 0; i < player->army.Count(); ++i) {
        args.units.push_back(SquadTypeWeight(player->army.Item(i)));
        args.counts.push_back(player->army.Item(i)->pending);
    }
    PostUiRequest(args);
    if (!args.confirmed || args.counts.size() != size_t(player->army.Count()))
        return;
    // What the new counts cost beyond those already bought must be payable.
    CResourceBundle extra;
    extra.Zero();
    for (int i = 0; i < player->army.Count(); ++i) {
        const CSquad* s = player->army.Item(i);
        const int32_t wanted = args.counts[size_t(i)];
        if (wanted < 0)
            return;
        if (s->type && wanted > s->pending)
            extra.Add(CResourceBundle::MultipliedCopy(s->type->cost, wanted - s->pending));
    }
    if (!player->treasury.AllAtLeast(extra))
        return;
    SetArmyPendingRecruits(args.counts);
    NotifyCurrentPlayerChanged();
}

void CHumanController::BuildCastleFlow(ProvinceRecord* province)
{
    const CResourceBundle price = DiscountedPrice(Rules().castleCost, player->hero);
    const int32_t rate = 5 * player->hero.builder + 15;
    CastleWorkRequestArgs args;
    args.price = price;
    args.turns = uint8_t((100 + rate - 1) / rate);
    args.affordable = player->treasury.AllAtLeast(price) ? 1 : 0;
    if (args.affordable)
        args.remaining = CResourceBundle::SubtractedCopy(player->treasury, price);
    PostUiRequest(UiRequestKind::BuildCastle, args);
    if (args.affordable && args.confirmed)
        BuildCastle(province, price);
}

void CHumanController::CastleWork(ProvinceRecord* province, UiRequestKindFor<CastleWorkRequestArgs> kind,
                                  const CResourceBundle& price, uint8_t turns, uint32_t command)
{
    CastleWorkRequestArgs args;
    args.price = price;
    args.turns = turns;
    // The window's message speaks of the damage to mend (a completion) or of
    // the condition the fast repair is priced by.
    if (command == 1) {
        args.turns = uint8_t(100 - std::min<int>(province->castle.percent, 100));
        args.secondCount = turns;
    } else if (command == 2) {
        args.turns = province->castle.percent;
    }
    switch (command) {
    case 64:
        args.building = kBuildingMarket;
        break;
    case 128:
        args.building = kBuildingBank;
        break;
    case 256:
        args.building = kBuildingTavern;
        break;
    case 512:
        args.building = kBuildingGuild;
        break;
    case 1024:
        args.building = kBuildingMetalMine;
        break;
    case 2048:
        args.building = kBuildingStoneMine;
        break;
    default:
        break;
    }
    args.affordable = player->treasury.AllAtLeast(price) ? 1 : 0;
    if (args.affordable)
        args.remaining = CResourceBundle::SubtractedCopy(player->treasury, price);
    PostUiRequest(kind, args);
    if (!args.affordable || !args.confirmed)
        return;
    const GameRules& rules = Rules();
    switch (command) {
    case 1:
        CompleteCastle(province, price, rules.completeCastleTurns);
        break;
    case 2:
        RepairCastle(province, price);
        break;
    case 8:
        BuildMoat(province, price, turns);
        break;
    case 16:
        BuildCatapult(province, price, turns);
        break;
    case 32:
        BuildFortifiedWalls(province, price, turns);
        break;
    case 64:
        BuildBuilding(province, kBuildingMarket, price, turns);
        break;
    case 128:
        BuildBuilding(province, kBuildingBank, price, turns);
        break;
    case 256:
        BuildBuilding(province, kBuildingTavern, price, turns);
        break;
    case 512:
        BuildBuilding(province, kBuildingGuild, price, turns);
        break;
    case 1024:
        BuildBuilding(province, kBuildingMetalMine, price, turns);
        break;
    case 2048:
        BuildBuilding(province, kBuildingStoneMine, price, turns);
        break;
    default:
        return;
    }
    NotifyCurrentPlayerChanged();
}

void CHumanController::RunProvinceCommand(uint32_t command)
{
    ProvinceRecord* province = CurrentProvince();
    if (!province || !province->HasCastle() || province->owner != player)
        return;
    const GameRules& rules = Rules();
    const CastleState& castle = province->castle;
    const HeroRecord& hero = player->hero;
    const uint8_t turns = rules.worksTurns;
    auto discounted = [&](const CResourceBundle& b) { return DiscountedPrice(b, hero); };
    auto has = [&](uint8_t bit) { return (castle.buildings & bit) != 0; };
    switch (command) {
    case 1: {
        CResourceBundle price = rules.castleCost;
        for (int i = 0; i < price.Count(); ++i)
            price[i] = price[i] * (100 - castle.percent) / 100;
        CastleWork(province, UiRequestKind::CompleteCastle, discounted(price), rules.completeCastleTurns, 1);
        break;
    }
    case 2: {
        // Priced by the condition, as the castle window has always shown it.
        CResourceBundle price = rules.castleCost;
        for (int i = 0; i < price.Count(); ++i)
            price[i] = price[i] * castle.percent / 100;
        CastleWork(province, UiRequestKind::RepairCastle, price, 0, 2);
        break;
    }
    case 4: {
        CResourceBundle refund = rules.castleCost;
        if (has(kBuildingBank))
            refund.Add(rules.bankCost);
        if (has(kBuildingMarket))
            refund.Add(rules.marketCost);
        if (has(kBuildingTavern))
            refund.Add(rules.tavernCost);
        if (castle.fortWalls)
            refund.Add(rules.wallsCost);
        if (castle.moat)
            refund.Add(rules.moatCost);
        refund.Add(CResourceBundle::MultipliedCopy(rules.catapultCost, castle.catapults));
        refund = discounted(refund);
        for (int i = 0; i < refund.Count(); ++i)
            refund[i] = refund[i] * 50 / 100 * castle.percent / 100;
        CastleWorkRequestArgs args;
        args.price = refund;
        args.affordable = 1;
        PostUiRequest(UiRequestKind::DemolishCastle, args);
        if (args.confirmed) {
            DemolishCastle(province, refund);
            NotifyCurrentPlayerChanged();
        }
        break;
    }
    case 8:
        if (!castle.moat)
            CastleWork(province, UiRequestKind::DigMoat, discounted(rules.moatCost), turns, 8);
        break;
    case 16:
        CastleWork(province, UiRequestKind::AddCatapult, discounted(rules.catapultCost), turns, 16);
        break;
    case 32:
        if (!castle.fortWalls)
            CastleWork(province, UiRequestKind::AddWalls, discounted(rules.wallsCost), turns, 32);
        break;
    case 64:
        if (!has(kBuildingMarket))
            CastleWork(province, UiRequestKind::AddBuilding, discounted(rules.marketCost), turns, 64);
        break;
    case 128:
        if (!has(kBuildingBank))
            CastleWork(province, UiRequestKind::AddBuilding, discounted(rules.bankCost), turns, 128);
        break;
    case 256:
        if (!has(kBuildingTavern))
            CastleWork(province, UiRequestKind::AddBuilding, discounted(rules.tavernCost), turns, 256);
        break;
    case 512:
        if (castle.guildLevel < 4)
            CastleWork(province, UiRequestKind::AddBuilding,
                       discounted(rules.guildCost[std::min<int>(castle.guildLevel, 3)]), turns, 512);
        break;
    case 1024:
        if (!has(kBuildingMetalMine))
            CastleWork(province, UiRequestKind::AddBuilding, discounted(rules.metalMineCost), turns, 1024);
        break;
    case 2048:
        if (!has(kBuildingStoneMine))
            CastleWork(province, UiRequestKind::AddBuilding, discounted(rules.stoneMineCost), turns, 2048);
        break;
    default:
        break;
    }
}

void CHumanController::ScoutFlow(ProvinceRecord* province)
{
    if (!province || !province->owner)
        return;
    CResourceBundle price;
    Rules().ScoutCost(price, province);
    if (!player->treasury.AllAtLeast(price)) {
        NotEnoughResourcesArgs nerr;
        nerr.price = price;
        nerr.mode = 2;
        PostUiRequest(nerr);
        return;
    }
    for (;;) {
        if (!CanScout(province))
            return;
        ScoutRequestArgs args;
        args.price = price;
        args.ownerName = province->owner->name;
        args.provinceName = province->name;
        args.chance = Rules().ScoutChance(&player->hero, &province->owner->hero);
        PostUiRequest(args);
        if (!args.confirmed)
            return;
        if (Scout(province))
            break;
        NotifyCurrentPlayerChanged();
        ScoutResultArgs failure;
        failure.provinceName = province->name;
        PostUiRequest(UiRequestKind::ScoutFailure, failure);
    }
    ScoutResultArgs success;
    success.provinceName = province->name;
    success.castle = province->HasCastle() ? &province->castle : nullptr;
    success.garrison.CopyFrom(province->garrison);
    PlayerRecord* owner = province->owner;
    success.owner = owner;
    if (owner && owner->armyLocation == province->index)
        AddCounts(success.garrison, owner->army);
    PostUiRequest(UiRequestKind::ScoutSuccess, success);
    NotifyCurrentPlayerChanged();
}

void CHumanController::DeceaseFlow(ProvinceRecord* province)
{
    if (!province || !province->owner)
        return;
    const GameRules& rules = Rules();
    if (!player->treasury.AllAtLeast(rules.deceaseCost)) {
        NotEnoughResourcesArgs nerr;
        nerr.price = rules.deceaseCost;
        PostUiRequest(nerr);
        return;
    }
    DeceaseRequestArgs args;
    args.ownerName = province->owner->name;
    args.provinceName = province->name;
    args.treasury = player->treasury;
    args.movePoints = rules.deceaseMovePoints;
    args.chance = rules.DeceaseChance(&player->hero, &province->owner->hero, province);
    args.maxRaiders = rules.DeceaseRaidersOffered(player->treasury);
    args.raiderCost = rules.deceaseCost;
    PostUiRequest(args);
    if (!args.confirmed)
        return;
    // At least one raider, at most the rules' limit and what can be paid.
    const int32_t affordable = player->treasury.TimesAffordable(rules.deceaseCost);
    int32_t raiders = std::min(args.raiders, rules.maxRaiders > 0 ? rules.maxRaiders : args.raiders);
    if (!rules.deceaseCost.IsZero())
        raiders = std::min(raiders, affordable);
    if (raiders < 1 || !ConfirmTurnEndingAction())
        return;
    RefreshMapView();
    const int32_t before = player->hero.experience;
    CArmy killed;
    if (Decease(province, int16_t(raiders), &killed)) {
        DeceaseResultArgs result;
        result.provinceName = province->name;
        result.killed.CopyFrom(killed);
        result.experience = player->hero.experience - before;
        result.owner = province->owner;
        CStr title;
        ReportTitle(kReportDecease, title);
        Reports().AddWithArmyLine(kReportDecease, title, killed, '-');
        RefreshMapView();
        PostUiRequest(UiRequestKind::DeceaseSuccess, result);
    } else {
        RefreshMapView();
        DeceaseResultArgs result;
        result.provinceName = province->name;
        PostUiRequest(UiRequestKind::DeceaseFailure, result);
    }
    NotifyCurrentPlayerChanged();
    SetHold();
}

void CHumanController::RobberyFlow(ProvinceRecord* province)
{
    const GameRules& rules = Rules();
    if (!province || !province->owner || !province->HasCastle() || movePoints < rules.robberyMovePoints)
        return;
    if (!player->treasury.AllAtLeast(rules.robberyCost)) {
        NotEnoughResourcesArgs nerr;
        nerr.price = rules.robberyCost;
        nerr.mode = 1;
        PostUiRequest(nerr);
        return;
    }
    RobberyRequestArgs args;
    args.victimName = province->owner->name;
    args.treasury = player->treasury;
    args.movePoints = uint32_t(rules.robberyMovePoints);
    args.chance = rules.RobberyChance(&player->hero, &province->owner->hero);
    args.maxRaiders = rules.RobberyRaidersOffered(&player->hero, player->treasury);
    args.raiderCost = rules.robberyCost;
    PostUiRequest(args);
    if (!args.confirmed)
        return;
    int32_t tries =
        std::min<int32_t>(int32_t(std::min<uint32_t>(args.tries, 32767)), rules.RobberyTries(&player->hero));
    if (!rules.robberyCost.IsZero())
        tries = std::min(tries, player->treasury.TimesAffordable(rules.robberyCost));
    if (tries < 1 || !ConfirmTurnEndingAction())
        return;
    RefreshMapView();
    if (!OrderRobbery(province->owner, int16_t(tries)))
        return;
    NotifyCurrentPlayerChanged();
    SetHold();
}

bool CHumanController::AttackQuestion(ProvinceRecord* province, uint8_t* automatic)
{
    if (HasStandingCastle(province)) {
        SiegeRequestArgs siege;
        siege.price = Rules().siegeCost;
        siege.affordable = player->treasury.AllAtLeast(siege.price) ? 1 : 0;
        if (siege.affordable)
            siege.remaining = CResourceBundle::SubtractedCopy(player->treasury, siege.price);
        PostUiRequest(siege);
        if (!siege.affordable || !siege.confirmed)
            return false;
    }
    CArmy defenders(province->garrison);
    PlayerRecord* owner = province->owner;
    if (owner && owner->armyLocation == province->index)
        AddCounts(defenders, owner->army);
    BattleQuestionArgs args;
    args.provinceName = province->name;
    args.playerName = owner ? owner->name : CStr();
    args.attacking = &player->army;
    args.defending = IsScouted(province) ? &defenders : nullptr;
    args.attacker = player;
    args.defender = owner;
    args.mode = 1;
    // Whoever attacks may still call it off: the question offers Cancel.
    args.mayRetreat = 1;
    args.castle = province->HasCastle() ? 1 : 0;
    args.quick = *automatic;
    PostUiRequest(UiRequestKind::BattleAttack, args);
    *automatic = args.quick;
    return args.confirmed != 0;
}

void CHumanController::AttackProvince(ProvinceRecord* province, uint8_t automatic, uint8_t resume)
{
    if (!province || !IsReachable(province) || !player->army.HasUnits())
        return;
    if (player->armyLocation >= 0)
        SigProvinceChanged.Fire(uint8_t(player->armyLocation));
    const GameRules& rules = Rules();
    PlayerRecord* owner = province->owner;
    if (!owner) {
        if (!ConfirmTurnEndingAction())
            return;
        MarchInto(player, province);
        CaptureProvince(province);
        ReportTakenWithoutAFight(Reports(), *province);
        player->hero.AddExperience(rules.captureExperience);
        movePoints = 0;
        SetHold();
    } else if (!IsDefended(province)) {
        if (!resume) {
            // A scouted province is known to be empty: nothing to ask but the
            // siege price, which must still be affordable.
            if (!IsScouted(province)) {
                if (!AttackQuestion(province, &automatic))
                    return;
            } else if (HasStandingCastle(province) && !player->treasury.AllAtLeast(rules.siegeCost)) {
                return;
            }
            if (!ConfirmTurnEndingAction())
                return;
        }
        ++player->stats.victories;
        ++owner->stats.defeats;
        if (HasStandingCastle(province))
            player->Spend(rules.siegeCost);
        MarchInto(player, province);
        PostMessage(LocaleText("Attack"), LocaleText("AtkProvEmpty"), kMessageNoButtons, kSoundInfo);
        if (owner->armyLocation == province->index)
            owner->armyLocation = owner->capital;
        CaptureProvince(province);
        ReportTakenWithoutAFight(Reports(), *province);
        ReportLostWithoutAFight(owner, *province, *player);
        player->hero.AddExperience(rules.emptyCaptureExperience);
        movePoints = 0;
        SetHold();
    } else {
        if (!resume) {
            if (!AttackQuestion(province, &automatic))
                return;
            if (!ConfirmTurnEndingAction())
                return;
        }
        MarchInto(player, province);
        const BattleOutcome out = FightForProvince(*this, province, automatic, 0);
        if (out.stopped)
            return;
        if (owner->IsHuman() && owner->controller) {
            BattleReportRecord theirs;
            theirs.won = out.defenderWon ? 1 : 0;
            theirs.army = &out.defenderLosses;
            theirs.name = province->name;
            owner->controller->Reports().AddBattleReport(theirs);
        }
        if (out.defenderWon)
            owner->hero.AddExperience(out.experience);
        BattleReportRecord mine;
        mine.won = out.defenderWon ? 0 : 1;
        mine.army = &out.attackerLosses;
        mine.name = province->name;
        Reports().AddBattleReport(mine);
        BattleResultArgs result;
        result.won = mine.won;
        result.ownLosses.CopyFrom(out.attackerLosses);
        result.enemyLosses.CopyFrom(out.defenderLosses);
        result.own = player;
        result.enemy = owner;
        result.experience = out.defenderWon ? 0 : out.experience;
        PostUiRequest(result);
        if (!out.defenderWon) {
            player->hero.AddExperience(out.experience);
            CaptureProvince(province);
        }
        movePoints = 0;
        SetHold();
    }
    flags |= kAttackedThisTurn;
    UpdateReach();
    NotifyCurrentPlayerChanged();
}

// The human controller's turn: its notices, the wait for the user, the
// messages of castle works, robberies, random events and battles.
#include "players/human_controller.h"

#include <algorithm>

#include "core/byte_stream.h"
#include "core/ui_mgr.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/random_event_report.h"
#include "game/random_events.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "players/request_records.h"

namespace {
const char* const kSoundInfo = "/Sounds/msg_info";
const char* const kSoundBad = "/Sounds/msg_bad";
const char* const kSoundGood = "/Sounds/msg_good";
const char* const kSoundLevel = "/Sounds/new_level";
}  // namespace

uint32_t PostMessage(const CStr& title, const CStr& body, uint32_t mode, const char* sound)
{
    MessageRequest request;
    request.title = title;
    request.text = body;
    request.buttonMode = mode;
    request.soundPath = CStr(sound ? sound : "");
    PostUiRequest(request);
    return request.result;
}

CResourceBundle DiscountedPrice(const CResourceBundle& price, const HeroRecord& hero)
{
    CResourceBundle out = price;
    const int32_t p = 104 - 4 * int32_t(hero.builder);
    for (int i = 0; i < out.Count(); ++i)
        out[i] = p <= 20 ? 0 : int32_t(int64_t(out[i]) * p / 100);
    return out;
}

CHumanController::CHumanController(PlayerRecord* p) : CPlayerController(p) {}

CHumanController::~CHumanController() = default;

bool CHumanController::Serialize(CByteStream& s)
{
    if (!CPlayerController::Serialize(s))
        return false;
    s.U8(robberyResultPending);
    s.String(robberyVictimName);
    s.I32(robberyAmount);
    s.I32(robberyExperience);
    // The outcome itself is not saved; a result still to be shown after a
    // load is shown from the amount, which only a success leaves above 0.
    if (!s.IsStoring())
        robberySucceeded = robberyAmount > 0 ? 1 : 0;
    return true;
}

bool CHumanController::ConfirmTurnEndingAction()
{
    if (!OptionConfirms())
        return true;
    return PostMessage(LocaleText("EndTurn"), LocaleText("EndTurnMsg"), kMessageOkCancel, "") ==
           kMessageAnswerOk;
}

void CHumanController::ShowRobberyResult()
{
    if (robberySucceeded) {
        RobberyRecord record;
        record.name = robberyVictimName;
        record.amount = robberyAmount;
        Reports().AddRobberyReport(record);
        RobberyResultArgs args;
        args.victimName = robberyVictimName;
        args.amount = robberyAmount;
        args.experience = robberyExperience;
        if (robberyAmount < 1)
            PostUiRequest(UiRequestKind::RobberyEmpty, args);
        else
            PostUiRequest(UiRequestKind::RobberySuccess, args);
    } else {
        RobberyResultArgs args;
        args.victimName = robberyVictimName;
        PostUiRequest(UiRequestKind::RobberyFailure, args);
    }
    robberyResultPending = 0;
}

void CHumanController::WaitForTurnEnd()
{
    hold = 0;
    Game().humanTurnActive = 1;
    while (!GameStopRequested() && !hold && !(flags & kWakeRequested))
        RunUiPumpHook();
    Game().humanTurnActive = 0;
}

bool CHumanController::PlayTurn()
{
    if (stolenGold > 0) {
        CStr body;
        body.Format(LocaleText("TheftMsg").Chars(), long(stolenGold));
        PostMessage(LocaleText("TheftMsgT"), body, kMessageNoButtons, kSoundBad);
        stolenGold = 0;
    }
    if (robberyResultPending)
        ShowRobberyResult();
    BasePlayTurn();
    const CReportList& list = Reports();
    for (int i = list.Count(); i-- > 0;) {
        const ReportEntry& e = list.Entry(i);
        if (e.kind != kReportDeceased || e.body.Length() == 0)
            continue;
        PostMessage(LocaleText("DeceasedMsgT"), CStr::Concat(e.title, e.body), kMessageNoButtons, kSoundBad);
    }
    if (OptionReport() && Game().turn != 0) {
        ReportRequestArgs args;
        args.controller = this;
        PostUiRequest(args);
    }
    if (!player->army.HasUnits())
        PostMessage(LocaleText("EmptyCampT"), LocaleText("EmptyCampM"), kMessageNoButtons, kSoundInfo);
    NotifyCurrentPlayerChanged();
    NotifyMovePointsChanged();
    SetMapUiFlags(16);
    WaitForTurnEnd();
    ClearMapUiFlags(16);
    return true;
}

bool CHumanController::ContinueTurn()
{
    BaseContinueTurn();
    NotifyMovePointsChanged();
    WaitForTurnEnd();
    return true;
}

void CHumanController::SkillsDialog()
{
    HeroRecord& hero = player->hero;
    SkillsRequestArgs args;
    args.name = player->name;
    args.skills[0] = hero.battle;
    args.skills[1] = hero.builder;
    args.skills[2] = hero.stealth;
    args.level = hero.level;
    args.experience = hero.experience;
    args.nextLevelAt = NextLevelThreshold(&hero);
    args.pendingLevelUps = PendingLevelUps(&hero);
    PostUiRequest(args);
    if (!args.confirmed)
        return;
    // The window may only hand out the pending points: no skill may fall and
    // the sum may grow by at most the points pending.
    const uint8_t before[3] = {hero.battle, hero.builder, hero.stealth};
    int32_t added = 0;
    for (int i = 0; i < 3; ++i) {
        if (args.skills[i] < before[i])
            return;
        added += args.skills[i] - before[i];
    }
    if (added > args.pendingLevelUps)
        return;
    hero.battle = args.skills[0];
    hero.builder = args.skills[1];
    hero.stealth = args.skills[2];
}

void CHumanController::LevelUp()
{
    const uint8_t before = player->hero.level;
    CPlayerController::LevelUp();
    if (player->hero.level == before)
        return;
    CStr body;
    body.Format(LocaleText("NextLevelM").Chars(), long(player->hero.level));
    PostMessage(LocaleText("NextLevelT"), body, kMessageNoButtons, kSoundLevel);
    SkillsDialog();
}

bool CHumanController::AnswerDiplomacyProposal(uint8_t playerIndex, uint32_t kind)
{
    DiplomacyRequestArgs args;
    CGameWorld* world = GameWorld();
    if (world && playerIndex < world->PlayerCount())
        args.name = world->Player(playerIndex).name;
    args.kind = kind;
    PostUiRequest(args);
    if (kind == 0 || kind == 1)
        return true;
    return args.answer != 0;
}

namespace {

CStr NameOfPlayer(uint8_t index)
{
    CGameWorld* world = GameWorld();
    return (world && index < world->PlayerCount()) ? world->Player(index).name : CStr();
}

}  // namespace

void CHumanController::OnDiplomacyAccepted(uint8_t playerIndex, uint32_t response, uint32_t relation)
{
    const CStr name = NameOfPlayer(playerIndex);
    const char* title = relation == 1 ? "DiplRespTW" : relation == 2 ? "DiplRespTA" : "DiplRespTN";
    const char* body = relation == 1   ? "DiplRespInformW"
                       : relation == 2 ? "DiplRespAcceptA"
                       : response == 1 ? "DiplRespAcceptN"
                                       : "DiplRespInformN";
    CStr text;
    text.Format(LocaleText(body).Chars(), name);
    PostMessage(LocaleText(title), text, kMessageNoButtons, kSoundGood);
    Reports().AddDiplomacyInfo(int(relation), int(response), name);
}

void CHumanController::OnDiplomacyDeclined(uint8_t playerIndex, uint32_t, uint32_t relation)
{
    const CStr name = NameOfPlayer(playerIndex);
    const char* title = relation == 2 ? "DiplRespTA" : "DiplRespTN";
    const char* body = relation == 2 ? "DiplRespDeclineA" : "DiplRespDeclineN";
    CStr text;
    text.Format(LocaleText(body).Chars(), name);
    PostMessage(LocaleText(title), text, kMessageNoButtons, kSoundBad);
    Reports().AddDiplomacyDecline(int(relation), name);
}

void CHumanController::CastleMessage(const char* bodyKey, ProvinceRecord* province)
{
    CStr body;
    body.Format(LocaleText(bodyKey).Chars(), province ? province->name : CStr());
    PostMessage(LocaleText("BuildCompT"), body, kMessageNoButtons, kSoundInfo);
}

// The base already grants the castle experience; the message is all the
// person gets on top (one award per castle).
void CHumanController::OnCastleBuilt(ProvinceRecord* province)
{
    CPlayerController::OnCastleBuilt(province);
    CastleMessage("CaslBuildComp", province);
}

void CHumanController::OnCastleCompleted(ProvinceRecord* province)
{
    CastleMessage("CaslComplComp", province);
    player->hero.AddExperience(Rules().CastleExperience());
}

void CHumanController::OnMarketBuilt(ProvinceRecord* province)
{
    CastleMessage("CaslBuildCompMark", province);
}
void CHumanController::OnBankBuilt(ProvinceRecord* province)
{
    CastleMessage("CaslBuildCompBank", province);
}
void CHumanController::OnMetalMineBuilt(ProvinceRecord* province)
{
    CastleMessage("CaslBuildCompMetlMine", province);
}
void CHumanController::OnStoneMineBuilt(ProvinceRecord* province)
{
    CastleMessage("CaslBuildCompStonMine", province);
}

bool CHumanController::SettleRobbery()
{
    if (!(flags & kRobberyPending))
        return false;
    const bool valid = robberyTarget && robberyTarget->controller && robberyTries > 0;
    if (valid) {
        robberyVictimName = robberyTarget->name;
        robberyAmount = 0;
        robberyExperience = 0;
        robberySucceeded = Rob(robberyTarget, robberyTries, &robberyAmount) ? 1 : 0;
        if (robberySucceeded)
            robberyExperience = Rules().RobberyLoot(robberyAmount);
        robberyTarget->controller->stolenGold += robberyAmount;
    }
    flags &= uint8_t(~kRobberyPending);
    robberyTarget = nullptr;
    robberyTries = 0;
    if (!valid)
        return false;
    robberyResultPending = 1;
    return true;
}

void CHumanController::ReportRandomEvent(RandomEventReport* report)
{
    if (!report || report->kind == kEventNone)
        return;
    if (report->kind != kEventRevolt && !report->units.HasUnits() && report->amounts.IsZero())
        return;
    CStr key;
    key.Format("RepRndEvt%ld", long(report->kind));
    const CStr title = LocaleText(key.Chars());
    const CStr provinceName = report->province ? report->province->name : CStr();
    if (report->kind == kEventVolunteers) {
        Reports().AddWithArmyLine(10 + report->kind, title, report->units, '+');
    } else {
        CStr text;
        text.Format(title.Chars(), provinceName);
        Reports().AddPlain(10 + report->kind, text);
    }
    if (report->kind == kEventVolunteers && report->units.Strength() == 0)
        return;
    RandomEventRequestArgs args;
    args.playerName = player->name;
    args.provinceName = provinceName;
    args.kind = report->kind;
    args.amounts = report->amounts;
    args.units.CopyFrom(report->units);
    PostUiRequest(args);
}

bool CHumanController::Recruit(ProvinceRecord* province, CSquad* squad, CResourceBundle* price)
{
    VolunteersRequestArgs args;
    if (province)
        args.provinceName = province->name;
    args.price = *price;
    args.squad.AddSquadCopy(*squad);
    PostUiRequest(args);
    if (args.confirmed && CPlayerController::Recruit(province, squad, price)) {
        NotifyCurrentPlayerChanged();
        return true;
    }
    squad->count = 0;
    return false;
}

bool CHumanController::OnProvinceAttacked(CArmy* attackerArmy, ProvinceRecord* province, uint8_t* flee,
                                          uint8_t* automatic)
{
    CArmy defenders(province->garrison);
    if (player->armyLocation == province->index)
        defenders.Merge(player->army);
    if (defenders.HasUnits()) {
        BattleQuestionArgs args;
        args.provinceName = province->name;
        args.playerName = player->name;
        args.attacking = attackerArmy;
        args.defending = &defenders;
        args.attacker = CurrentPlayer();
        args.defender = player;
        args.mayRetreat = player->capital != province->index ? 1 : 0;
        args.castle = province->HasCastle() ? 1 : 0;
        PostUiRequest(UiRequestKind::BattleDefend, args);
        *automatic = args.quick;
        // Fleeing from the capital would hand it over without a fight.
        *flee = (args.confirmed || !args.mayRetreat) ? 0 : 1;
        return true;
    }
    // No battle was fought: the report says what the message says.
    const PlayerRecord* attacker = CurrentPlayer();
    CStr body;
    body.Format(LocaleText("OurProvEmpty").Chars(), province->name, attacker ? attacker->name : CStr());
    Reports().AddPlain(kReportBattle, body);
    PostMessage(LocaleText("OurProvEmptyT"), body, kMessageNoButtons, kSoundBad);
    return true;
}

void CHumanController::ReportBattleResult(uint8_t defenderWon, PlayerRecord* attacker,
                                          ProvinceRecord* province, CArmy* attackerLosses,
                                          CArmy* defenderLosses, int16_t experience)
{
    BattleReportRecord record;
    record.won = defenderWon;
    record.army = defenderLosses;
    record.name = province ? province->name : CStr();
    Reports().AddBattleReport(record);
    BattleResultArgs args;
    args.won = defenderWon;
    if (defenderLosses)
        args.ownLosses.CopyFrom(*defenderLosses);
    if (attackerLosses)
        args.enemyLosses.CopyFrom(*attackerLosses);
    args.experience = experience;
    args.own = player;
    args.enemy = attacker;
    PostUiRequest(args);
    if (experience != 0)
        pendingExperience += experience;
    // The attack has already booked these losses in this player's statistics;
    // booking them here again would count every defence twice.
}

// The human controller's flows answered by a scripted dialog responder.
#include <algorithm>

#include "core/byte_stream.h"
#include "core/preferences.h"
#include "game/battle_seam.h"
#include "game/report_list.h"
#include "players/human_controller.h"
#include "players/request_records.h"
#include "tests/game/model_fixture.h"

namespace {

class HumanControllerTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        // Player 0 (a person): 0 (capital, castle) - 1 - 2. Player 1: 3 (capital, castle) - 4.
        BuildWorld(2, {{0, {1}, true}, {0, {2}}, {0, {3}}, {1, {4}, true}, {1, {}}}, {0, 3});
        GiveTestControllers();
        Player(0).DeleteController();
        Player(0).human = 1;
        Player(0).controller = new CHumanController(&Player(0));
        SetArmy(0, 6, 0);
        SetGold(0, 1000, 100, 100);
        Human().movePoints = 3;
        Human().UpdateReach();
    }
    CHumanController& Human() { return *static_cast<CHumanController*>(Player(0).controller); }
    void Select(int province) { Game().selectedProvince = uint8_t(province); }
    void AnswerMessages(uint32_t answer)
    {
        responder.On(UiRequestKind::Message,
                     [answer](void* r) { static_cast<MessageRequest*>(r)->result = answer; });
    }
    ScriptedResponder responder;
};

TEST_F(HumanControllerTest, EndingTheTurnAsksOnlyWithConfirmationsOn)
{
    const struct {
        uint8_t confirms;
        uint32_t answer;
        uint8_t hold;
        int asked;
    } cases[] = {{0, 0, 1, 0}, {1, kMessageAnswerOk, 1, 1}, {1, 0, 0, 1}};
    for (const auto& c : cases) {
        responder.seen.clear();
        PrefMapOptions[6] = c.confirms;
        AnswerMessages(c.answer);
        Human().hold = 0;
        Human().OnCommand(1);
        EXPECT_EQ(Human().hold, c.hold);
        EXPECT_EQ(responder.Count(UiRequestKind::Message), c.asked);
    }
}

TEST_F(HumanControllerTest, DecliningTheConfirmationBeforeAnAttackLeavesTheArmy)
{
    PrefMapOptions[6] = 1;
    AnswerMessages(0);
    responder.On(UiRequestKind::BattleAttack,
                 [](void* r) { static_cast<BattleQuestionArgs*>(r)->confirmed = 1; });
    Player(0).armyLocation = 2;
    Human().UpdateReach();
    SetGarrison(3, 3, 0);
    Select(3);
    // Province 3 has a standing castle: the siege question comes first.
    responder.On(UiRequestKind::PrepareSiege,
                 [](void* r) { static_cast<SiegeRequestArgs*>(r)->confirmed = 1; });
    Human().OnMenuCommand(32);
    EXPECT_EQ(responder.Count(UiRequestKind::PrepareSiege), 1);
    EXPECT_EQ(responder.Count(UiRequestKind::BattleAttack), 1);
    EXPECT_EQ(responder.Count(UiRequestKind::Message), 1);
    EXPECT_EQ(Player(0).armyLocation, 2);
    EXPECT_EQ(Human().flags & kAttackedThisTurn, 0);
    EXPECT_EQ(Gold(0), 1000);
}

TEST_F(HumanControllerTest, AWonAttackReportsAndEndsTheTurn)
{
    Player(0).armyLocation = 2;
    Human().UpdateReach();
    SetGarrison(3, 2, 0);
    Province(3).castleFlag = 0;
    Rules().battleBase = 30;
    responder.On(UiRequestKind::BattleAttack, [](void* r) {
        auto* q = static_cast<BattleQuestionArgs*>(r);
        EXPECT_EQ(q->defending, nullptr) << "the defenders were not scouted";
        EXPECT_EQ(q->mayRetreat, 1u) << "the attacker may call the attack off";
        q->confirmed = 1;
        q->quick = 1;
    });
    uint8_t automatic = 0;
    SigMapBattle.Connect([&](MapBattleRecord* record, uint8_t a) {
        automatic = a;
        BattleResult = kBattleEnded;
        record->defender->army.Item(0)->count = 0;
    });
    Select(3);
    Human().OnMenuCommand(32);
    EXPECT_EQ(automatic, 1);
    EXPECT_EQ(responder.Count(UiRequestKind::BattleResults), 1);
    EXPECT_EQ(Player(1).controller, nullptr) << "the capital fell";
    EXPECT_EQ(Human().hold, 1);
    EXPECT_EQ(Human().movePoints, 0);
    EXPECT_EQ(Player(0).hero.experience, 30);
}

TEST_F(HumanControllerTest, CastleWorksPriceAndRefund)
{
    GameRules& rules = Rules();
    rules.castleCost = Bundle(200);
    rules.marketCost = Bundle(80);
    rules.worksExperience = 10;
    Player(0).hero.builder = 6;  // 80 % of every price
    Select(0);
    responder.On(UiRequestKind::DemolishCastle, [](void* r) {
        auto* w = static_cast<CastleWorkRequestArgs*>(r);
        EXPECT_EQ(w->price.Get(FourCC("gold")), 40);  // 200 x 80 % x 50 % x 50 %
        w->confirmed = 0;
    });
    Province(0).castle.percent = 50;
    Human().RunProvinceCommand(4);
    EXPECT_EQ(Province(0).castleFlag, 1);

    CastleWorkRequestArgs seen;
    responder.On(UiRequestKind::AddBuilding, [&](void* r) {
        auto* w = static_cast<CastleWorkRequestArgs*>(r);
        seen.price = w->price;
        seen.affordable = w->affordable;
        seen.remaining = w->remaining;
        w->confirmed = 1;
    });
    Human().RunProvinceCommand(64);
    EXPECT_EQ(seen.price.Get(FourCC("gold")), 64);
    EXPECT_EQ(seen.remaining.Get(FourCC("gold")), 936);
    EXPECT_EQ(Gold(0), 936);
    EXPECT_EQ(Province(0).castle.work, uint32_t(kWorkMarket));
    // Built already, or a guild at its last level: nothing is asked.
    Province(0).castle.buildings = kBuildingMarket;
    Province(0).castle.guildLevel = 4;
    const int asked = responder.Count(UiRequestKind::AddBuilding);
    Human().RunProvinceCommand(64);
    Human().RunProvinceCommand(512);
    EXPECT_EQ(responder.Count(UiRequestKind::AddBuilding), asked);
    // Not affordable: shown, never paid.
    SetGold(0, 10);
    Province(0).castle.buildings = 0;
    Human().RunProvinceCommand(64);
    EXPECT_EQ(seen.affordable, 0);
    EXPECT_EQ(Gold(0), 10);
}

TEST_F(HumanControllerTest, AFailedScoutMayBeRepeated)
{
    Rules().scoutCost = Bundle(10);
    Rules().scoutBase = 50;
    Select(3);
    Player(0).armyLocation = 2;
    responder.On(UiRequestKind::Scout, [](void* r) { static_cast<ScoutRequestArgs*>(r)->confirmed = 1; });
    int failures = 0;
    responder.On(UiRequestKind::ScoutFailure, [&](void*) {
        ++failures;
        SeedForRolls({true}, 50);  // the next attempt succeeds
    });
    SeedForRolls({false}, 50);
    Human().OnMenuCommand(4);
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(responder.Count(UiRequestKind::Scout), 2);
    EXPECT_EQ(responder.Count(UiRequestKind::ScoutSuccess), 1);
    EXPECT_TRUE(Human().IsScouted(&Province(3)));
}

TEST_F(HumanControllerTest, WhatAWindowHandsBackIsClamped)
{
    // Transfer: +50 swords against a garrison of 3 moves 3.
    SetGarrison(0, 3, 0);
    responder.On(UiRequestKind::Transfer, [](void* r) {
        auto* t = static_cast<TransferRequestArgs*>(r);
        t->deltas[0] = 50;
        t->confirmed = 1;
    });
    Select(0);
    Human().OnMenuCommand(32);
    EXPECT_EQ(Player(0).army.Item(0)->count, 9);
    EXPECT_EQ(Province(0).garrison.Item(0)->count, 0);
    // Trading: a treasury that grew is refused, an exchange is taken.
    responder.On(UiRequestKind::Trading, [](void* r) {
        auto* t = static_cast<TradingRequestArgs*>(r);
        t->treasury.Set(FourCC("gold"), 5000);
        t->confirmed = 1;
    });
    Human().OnCommand(3);
    EXPECT_EQ(Gold(0), 1000);
    responder.On(UiRequestKind::Trading, [this](void* r) {
        auto* t = static_cast<TradingRequestArgs*>(r);
        // The market's rates come with the request, worked out for the player.
        EXPECT_TRUE(t->rates == MarketRates(&Player(0), 3));
        t->treasury = Bundle(900, 150, 100);
        t->confirmed = 1;
    });
    Human().OnCommand(3);
    EXPECT_TRUE(Player(0).treasury.Equals(Bundle(900, 150, 100)));
    // Skills: more points than pending are refused.
    responder.On(UiRequestKind::Skills, [](void* r) {
        auto* s = static_cast<SkillsRequestArgs*>(r);
        s->skills[0] = uint8_t(s->skills[0] + 5);
        s->confirmed = 1;
    });
    Player(0).hero.experience = 600;  // two level-ups pending at skills 2, 2, 2
    Human().OnCommand(5);
    EXPECT_EQ(Player(0).hero.battle, 2);
    responder.On(UiRequestKind::Skills, [](void* r) {
        auto* s = static_cast<SkillsRequestArgs*>(r);
        EXPECT_EQ(s->pendingLevelUps, 2);
        EXPECT_EQ(s->nextLevelAt, 1000u);
        s->skills[0] = uint8_t(s->skills[0] + 1);
        s->skills[2] = uint8_t(s->skills[2] + 1);
        s->confirmed = 1;
    });
    Human().OnCommand(5);
    EXPECT_EQ(Player(0).hero.battle, 3);
    EXPECT_EQ(Player(0).hero.stealth, 3);
}

TEST_F(HumanControllerTest, TwoLevelsAtOnceShowOneMessageAndOneSkillsDialog)
{
    std::vector<CStr> bodies;
    responder.On(UiRequestKind::Message,
                 [&](void* r) { bodies.push_back(static_cast<MessageRequest*>(r)->text); });
    Player(0).hero.experience = 0;
    Player(0).hero.level = 1;
    Player(0).hero.AddExperience(600);
    EXPECT_EQ(Player(0).hero.level, 3);
    EXPECT_EQ(bodies.size(), 1u);
    EXPECT_EQ(responder.Count(UiRequestKind::Skills), 1);
}

TEST_F(HumanControllerTest, AnEmptyProvinceUnderAttackAsksNothing)
{
    CStr told;
    responder.On(UiRequestKind::Message, [&](void* r) { told = static_cast<MessageRequest*>(r)->text; });
    uint8_t flee = 0, automatic = 0;
    CArmy attackers(Player(1).army);
    Human().OnProvinceAttacked(&attackers, &Province(2), &flee, &automatic);
    EXPECT_EQ(responder.Count(UiRequestKind::BattleDefend), 0);
    EXPECT_EQ(responder.Count(UiRequestKind::Message), 1);
    ASSERT_EQ(Human().Reports().Count(), 1);
    // No battle was fought: the report says what the message said, not "Defeat at".
    EXPECT_EQ(Human().Reports().Entry(0).title, told);
    EXPECT_EQ(Human().Reports().Entry(0).kind, kReportBattle);
}

TEST_F(HumanControllerTest, AProvinceTakenWithoutABattleIsInTheTakersAndAPersonOwnersReports)
{
    const struct {
        const char* what;
        int owner;  // -1: neutral land
        bool ownerIsAPerson;
    } cases[] = {
        {"a computer's empty province", 1, false},
        {"a person's empty province (hot seat)", 1, true},
        {"neutral land", -1, false},
    };
    PrefMapOptions[6] = 0;
    responder.On(UiRequestKind::BattleAttack,
                 [](void* r) { static_cast<BattleQuestionArgs*>(r)->confirmed = 1; });
    for (const auto& c : cases) {
        Province(2).SetOwner(c.owner < 0 ? nullptr : &Player(c.owner));
        if (c.owner >= 0)
            SetGarrison(2, 0, 0);
        Human().flags &= ~kAttackedThisTurn;
        Player(1).human = c.ownerIsAPerson ? 1 : 0;
        Human().Reports().Clear();
        Test(1).Reports().Clear();
        Player(0).armyLocation = 1;
        Human().movePoints = 3;
        Human().UpdateReach();
        Select(2);
        Human().OnMenuCommand(32);
        ASSERT_EQ(Province(2).owner, &Player(0)) << c.what;
        ASSERT_EQ(Human().Reports().Count(), 1) << c.what;
        EXPECT_EQ(Human().Reports().Entry(0).kind, kReportBattle) << c.what;
        EXPECT_EQ(Test(1).Reports().Count(), c.ownerIsAPerson ? 1 : 0) << c.what;
    }
}

TEST_F(HumanControllerTest, ADefenderIsAskedAndBattleStatisticsAreBookedOnce)
{
    SetGarrison(1, 4, 0);
    responder.On(UiRequestKind::BattleDefend, [](void* r) {
        auto* q = static_cast<BattleQuestionArgs*>(r);
        q->confirmed = 1;
        q->quick = 1;
    });
    SigMapBattle.Connect([this](MapBattleRecord*, uint8_t) {
        BattleResult = kBattleEnded;
        Player(1).army.Item(0)->count = 0;  // the attacker is wiped out
        Player(0).army.Item(0)->count -= 1;
    });
    SetArmy(1, 5, 0);
    Player(1).armyLocation = 2;
    Test(1).movePoints = 3;
    World().currentPlayer = 1;
    Test(1).UpdateReach();
    Test(1).AttackProvince(&Province(1), 0, 0);
    EXPECT_EQ(responder.Count(UiRequestKind::BattleDefend), 1);
    EXPECT_EQ(responder.Count(UiRequestKind::BattleResults), 1);
    EXPECT_EQ(Province(1).owner, &Player(0));
    EXPECT_EQ(Player(0).stats.killed.Strength(), 10);
    EXPECT_EQ(Player(0).stats.lost.Strength(), 2);
}

TEST_F(HumanControllerTest, RobberyResultIsShownAtTheRobbersNextTurn)
{
    Rules().robberyBase = 1000;
    Rules().robberyGoldPercent = 10;
    Rules().robberyExpFactor = 1;
    Rules().robberyExpCap = 500;
    SetGold(1, 1000);
    Human().flags |= kRobberyPending;
    Human().robberyTarget = &Player(1);
    Human().robberyTries = 1;
    SeedForRolls({true}, 90);
    EXPECT_TRUE(Human().SettleRobbery());
    EXPECT_EQ(Human().robberyResultPending, 1);
    EXPECT_EQ(Test(1).stolenGold, 100);
    RobberyResultArgs shown;
    responder.On(UiRequestKind::RobberySuccess,
                 [&](void* r) { shown = *static_cast<RobberyResultArgs*>(r); });
    SigPumpUi.Connect([this] { Human().SetHold(); });
    Human().PlayTurn();
    EXPECT_EQ(shown.amount, 100);
    EXPECT_EQ(shown.experience, 10);
    EXPECT_EQ(Human().robberyResultPending, 0);
    EXPECT_EQ(Player(0).hero.experience, 10) << "the robbery's experience arrives with the turn";
}

TEST_F(HumanControllerTest, AQuietTurnShowsNothingAndWaitsForTheUser)
{
    int frames = 0;
    SigPumpUi.Connect([&] {
        if (++frames == 3)
            Human().OnMenuCommand(16);
    });
    Human().PlayTurn();
    EXPECT_TRUE(responder.seen.empty());
    EXPECT_EQ(frames, 3);
    EXPECT_TRUE(Human().turnDone);
    EXPECT_FALSE(Human().IsTurnDone()) << "a person who holds is not passed over";
}

TEST_F(HumanControllerTest, SavedFormRoundTrips)
{
    Human().movePoints = 2;
    Human().flags = kAttackedThisTurn | kRobberyPending;
    Human().scoutedProvinces = {4, 3};
    Human().pendingExperience = 77;
    Human().robberyTarget = &Player(1);
    Human().robberyTries = 3;
    Human().stolenGold = 12;
    Human().robberyResultPending = 1;
    Human().robberyVictimName = CStr("Brenn");
    Human().robberyAmount = 40;
    Human().robberyExperience = 4;
    CSizeCounter counter;
    Human().Serialize(counter);
    std::vector<uint8_t> bytes(counter.Position());
    CStreamWriter writer(bytes.data(), uint32_t(bytes.size()));
    Human().Serialize(writer);
    ASSERT_FALSE(writer.HasError());
    // i16 2, u8 0, u32 1, u32 2, 3, 4 (last element first), i32 77, u32 1, i16 3, u8 1 ...
    const uint8_t head[] = {2, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 4, 77, 0, 0, 0, 1, 0, 0, 0, 3, 0, 1};
    ASSERT_GE(bytes.size(), sizeof head);
    EXPECT_TRUE(std::equal(head, head + sizeof head, bytes.begin()));

    CHumanController copy(&Player(0));
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    copy.Serialize(reader);
    EXPECT_FALSE(reader.HasError());
    EXPECT_EQ(copy.robberyTarget, &Player(1));
    EXPECT_EQ(copy.scoutedProvinces, std::vector<uint8_t>({4, 3}));
    EXPECT_EQ(copy.robberyVictimName, CStr("Brenn"));
    EXPECT_EQ(copy.robberySucceeded, 1);
    std::vector<uint8_t> again(bytes.size());
    CStreamWriter writer2(again.data(), uint32_t(again.size()));
    copy.Serialize(writer2);
    EXPECT_EQ(again, bytes);

    // A robbery target outside the player list is dropped, not followed.
    bytes[23] = 9;
    CHumanController damaged(&Player(0));
    CStreamReader bad(bytes.data(), uint32_t(bytes.size()));
    damaged.Serialize(bad);
    EXPECT_EQ(damaged.robberyTarget, nullptr);
    EXPECT_EQ(damaged.flags & kRobberyPending, 0);
    // A scouted count beyond the map is refused.
    bytes[7] = 200;
    CHumanController hostile(&Player(0));
    CStreamReader worse(bytes.data(), uint32_t(bytes.size()));
    hostile.Serialize(worse);
    EXPECT_TRUE(worse.HasError());
    EXPECT_TRUE(hostile.scoutedProvinces.empty());
}

}  // namespace

namespace {

class HumanFlowsTest : public HumanControllerTest {};

TEST_F(HumanFlowsTest, TheCastleWindowReentersTheControllerWhileItIsOpen)
{
    Rules().marketCost = Bundle(100);
    Select(0);
    int markets = 0;
    // The castle information window stays open and its buttons call back
    // into the running game while the request is still on the stack.
    responder.On(UiRequestKind::CastleInfo, [](void* r) {
        auto* info = static_cast<CastleInfoRequestArgs*>(r);
        EXPECT_EQ(info->index, 0);
        RunCastleOperation(64);
    });
    responder.On(UiRequestKind::AddBuilding, [&](void* r) {
        ++markets;
        static_cast<CastleWorkRequestArgs*>(r)->confirmed = 1;
    });
    Human().OnMenuCommand(8);  // the castle command on an own province
    EXPECT_EQ(markets, 1);
    EXPECT_EQ(Province(0).castle.work, uint32_t(kWorkMarket));
    EXPECT_EQ(Gold(0), 904) << "96 % at builder skill 2";
}

TEST_F(HumanFlowsTest, BuildingACastle)
{
    Rules().castleCost = Bundle(300, 0, 100);
    Player(0).hero.builder = 3;  // 92 %, 30 % a turn
    Select(1);
    CastleWorkRequestArgs seen;
    responder.On(UiRequestKind::BuildCastle, [&](void* r) {
        auto* w = static_cast<CastleWorkRequestArgs*>(r);
        seen.turns = w->turns;
        seen.price = w->price;
        w->confirmed = 1;
    });
    Human().OnMenuCommand(8);
    EXPECT_EQ(seen.turns, 4);
    EXPECT_TRUE(seen.price.Equals(Bundle(276, 0, 92)));
    EXPECT_EQ(Province(1).castleFlag, 1);
    EXPECT_TRUE(Player(0).treasury.Equals(Bundle(724, 100, 8)));
}

TEST_F(HumanFlowsTest, RobberyAndDeceaseTakeOnlyWhatCanBePaid)
{
    GameRules& rules = Rules();
    rules.robberyCost = Bundle(300);
    rules.robberyTriesBase = 2;
    rules.robberyMovePoints = 1;
    Player(0).armyLocation = 2;
    Select(3);  // the enemy's capital
    responder.On(UiRequestKind::Robbery, [](void* r) {
        auto* q = static_cast<RobberyRequestArgs*>(r);
        q->tries = 50;
        q->confirmed = 1;
    });
    Human().OnMenuCommand(8);
    // At most 2 + stealth 2 tries, and 1000 gold pay for 3 of them.
    EXPECT_EQ(Human().robberyTries, 3);
    EXPECT_EQ(Gold(0), 100);
    EXPECT_EQ(Human().hold, 1);
    EXPECT_NE(Human().flags & kRobberyPending, 0);

    rules.deceaseCost = Bundle(40);
    rules.maxRaiders = 5;
    rules.deceaseBase = -100;  // every raider fails
    SetGarrison(3, 4, 0);
    Human().scoutedProvinces.push_back(3);
    responder.On(UiRequestKind::Decease, [](void* r) {
        auto* q = static_cast<DeceaseRequestArgs*>(r);
        q->raiders = 9;
        q->confirmed = 1;
    });
    Human().OnMenuCommand(4);
    EXPECT_EQ(responder.Count(UiRequestKind::DeceaseFailure), 1);
    EXPECT_EQ(Gold(0), 20) << "two raiders were all the treasury could pay";
}

TEST_F(HumanFlowsTest, TheDefaultActionFallsBackFromArmyToAgentToRobbery)
{
    Rules().scoutCost = Bundle(10);
    Rules().scoutCastleFactor = 1;
    // Out of reach: the attack exists but is not possible, so scouting runs.
    Human().movePoints = 0;
    Human().UpdateReach();
    responder.On(UiRequestKind::Scout, [](void*) {});
    Human().OnProvinceDefaultAction(3);
    EXPECT_EQ(responder.Count(UiRequestKind::Scout), 1);
    EXPECT_EQ(Game().selectedProvince, 3);
    // Neutral land out of reach and nothing to scout: nothing at all.
    Province(4).SetOwner(nullptr);
    responder.seen.clear();
    Human().OnProvinceDefaultAction(4);
    EXPECT_TRUE(responder.seen.empty());
}

}  // namespace

// The running game's turn loop driven with test controllers and doubles of
// the signals the map window binds.
#include "game/battle_seam.h"
#include "game/controller_factory.h"
#include "game/province_distance_map.h"
#include "players/human_controller.h"
#include "tests/game/model_fixture.h"

namespace {

class TurnLoopTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        // 0 and 1 belong to player 0, 2 and 3 to player 1; 1 borders 2.
        BuildWorld(2, {{0, {1}, true}, {0, {2}}, {1, {3}}, {1, {}, true}}, {0, 3});
        SigAutosave.Connect([this] { ++autosaves; });
        SigGameOver.Connect([this](uint8_t victory, PlayerRecord* p) { gameOvers.push_back({victory, p}); });
    }
    // Every player leaves after its turn of the given round.
    void LeaveAfterRound(int round)
    {
        for (int i = 0; i < World().PlayerCount(); ++i) {
            Test(i).onPlay = [round, i, this](TestController&) {
                if (Game().turn == round && i == World().PlayerCount() - 1)
                    SetLeaveRequested(1);
            };
        }
    }
    int autosaves = 0;
    std::vector<std::pair<uint8_t, PlayerRecord*>> gameOvers;
};

TEST_F(TurnLoopTest, OnePlayerLeftEndsTheGameAtItsTurn)
{
    GiveTestControllers();
    Player(1).DeleteController();
    RunTurnLoop();
    ASSERT_EQ(gameOvers.size(), 1u);
    EXPECT_EQ(gameOvers[0].first, 1);
    EXPECT_EQ(gameOvers[0].second, &Player(0));
    EXPECT_EQ(Game().gameFinished, 1u);
    EXPECT_EQ(Test(0).turnsPlayed, 0);
}

TEST_F(TurnLoopTest, RoundsCountFromOneAndEveryPlayerPlaysInOrder)
{
    GiveTestControllers({0});
    std::vector<std::pair<int, int>> order;  // (turn, player)
    for (int i = 0; i < 2; ++i) {
        Test(i).onPlay = [i, &order](TestController&) {
            order.push_back({Game().turn, i});
            if (Game().turn == 2 && i == 1)
                SetLeaveRequested(1);
        };
    }
    Game().turn = 0;
    RunTurnLoop();
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{1, 0}, {1, 1}, {2, 0}, {2, 1}}));
    // One autosave before each turn and one as the user leaves.
    EXPECT_EQ(autosaves, 5);
    EXPECT_EQ(Game().gameFinished, 0u);
    EXPECT_EQ(Test(0).turnsEnded, 2);
    EXPECT_EQ(Test(1).turnsEnded, 1) << "the turn that was left is not ended";
}

TEST_F(TurnLoopTest, PlayerTurnNoticeWithOneAndWithTwoPeople)
{
    const struct {
        std::vector<int> humans;
        int notices;
        uint8_t hotSeat;
    } cases[] = {{{0}, 1, 0}, {{0, 1}, 4, 1}};
    for (const auto& c : cases) {
        GiveTestControllers(c.humans);
        LeaveAfterRound(2);
        ScriptedResponder responder;
        std::vector<uint8_t> flags;
        responder.On(UiRequestKind::PlayerTurnNotice,
                     [&](void* r) { flags.push_back(static_cast<PlayerTurnNotice*>(r)->hotSeat); });
        Game().turn = 0;
        Game().firstNoticePending = 1;
        RunTurnLoop();
        EXPECT_EQ(int(flags.size()), c.notices) << c.humans.size();
        for (uint8_t f : flags)
            EXPECT_EQ(f, c.hotSeat);
    }
}

TEST_F(TurnLoopTest, LeavingMidTurnResumesTheSamePlayer)
{
    GiveTestControllers({0});
    Test(1).onPlay = [](TestController&) { SetLeaveRequested(1); };
    Game().turn = 0;
    RunTurnLoop();
    // The turn was played (its done flag is set), so leaving neither ends it
    // nor moves on: a saved game continues this player's turn.
    EXPECT_EQ(World().currentPlayer, 1);
    EXPECT_EQ(Test(1).turnsEnded, 0);
    EXPECT_EQ(Game().turn, 1);

    Test(1).onPlay = nullptr;
    Test(0).onPlay = [](TestController&) { SetLeaveRequested(1); };
    ResumeTurnLoop();
    EXPECT_EQ(Test(1).turnsContinued, 1);
    EXPECT_EQ(Test(1).turnsEnded, 1);
    EXPECT_EQ(Game().turn, 2) << "the next full round raised the turn";
}

TEST_F(TurnLoopTest, AStoppedBattleRestoresTheDefendersAndIsNotSaved)
{
    GiveTestControllers();
    SetArmy(0, 5, 0);
    SetGarrison(2, 2, 1);
    SetArmy(1, 4, 0);  // the defender's army stands at its capital, 3
    SetGold(0, 100);
    Rules().siegeCost = Bundle(30);
    int battles = 0;
    SigMapBattle.Connect([&](MapBattleRecord*, uint8_t) {
        ++battles;
        BattleResult = kBattleStopped;
    });
    auto attack = [this](TestController& c) {
        Player(0).armyLocation = 1;
        c.movePoints = 3;
        c.UpdateReach();
        c.AttackProvince(&Province(2), 0, 0);
    };
    Test(0).onPlay = attack;
    Game().turn = 0;
    RunTurnLoop();
    EXPECT_EQ(battles, 1);
    EXPECT_EQ(Game().battleInProgress, 1);
    EXPECT_EQ(autosaves, 1) << "only the save before the turn";
    // The garrison and the defender's field army are back where they stood.
    EXPECT_EQ(Province(2).garrison.Item(0)->count, 2);
    EXPECT_EQ(Province(2).garrison.Item(1)->count, 1);
    EXPECT_EQ(Player(1).army.Item(0)->count, 4);
    EXPECT_EQ(Test(0).movePoints, 3);
    EXPECT_EQ(Player(0).stats.victories + Player(0).stats.defeats, 0);

    // Resumed from a save and stopped in battle again: still no save.
    autosaves = 0;
    World().currentPlayer = 0;
    Test(0).onPlay = attack;
    ResumeTurnLoop();
    EXPECT_EQ(battles, 2);
    EXPECT_EQ(Game().battleInProgress, 1);
    EXPECT_EQ(autosaves, 0);
}

TEST_F(TurnLoopTest, PeopleEndTheirTurnsFromInsideThePump)
{
    // Real human controllers: their turn waits in the pump, and the pump's
    // handler re-enters the game with the map screen's commands.
    Player(0).human = 1;
    Player(0).controller = new CHumanController(&Player(0));
    Player(1).human = 1;
    Player(1).controller = new CHumanController(&Player(1));
    int frames = 0;
    int pauses = 0;
    SigPumpUi.Connect([&] {
        ++frames;
        if (Game().paused) {
            MapMenuCommand(2);  // the second press ends the pause
            return;
        }
        if (Game().turn == 3) {
            MapMenuCommand(1);
        } else if (frames % 4 == 0) {
            ++pauses;
            MapMenuCommand(2);  // pauses, pumping inside this very handler
            MapGameCommand(1);  // then ends the turn
        }
    });
    Game().turn = 0;
    RunTurnLoop();
    EXPECT_EQ(Game().turn, 3);
    EXPECT_GT(pauses, 0);
    EXPECT_EQ(Game().paused, 0);
    EXPECT_EQ(Game().humanTurnActive, 0);
    EXPECT_EQ(Player(0).controller->turnDone, 1);
}

TEST_F(TurnLoopTest, LeavingFromInsideTheTurnNotice)
{
    // The notice's window is still open when the user leaves the game.
    GiveTestControllers({0, 1});
    ScriptedResponder responder;
    responder.On(UiRequestKind::PlayerTurnNotice, [](void*) { MapMenuCommand(1); });
    Game().turn = 0;
    Game().firstNoticePending = 1;
    RunTurnLoop();
    EXPECT_EQ(Game().turn, 1);
    EXPECT_EQ(Test(0).turnsPlayed, 0);
    EXPECT_EQ(Test(0).turnsEnded, 0);
    EXPECT_EQ(responder.Count(UiRequestKind::PlayerTurnNotice), 1);
    EXPECT_EQ(autosaves, 2) << "the save of the turn start and the save as the user leaves";
}

TEST_F(TurnLoopTest, EliminatingAPersonTellsTheScreens)
{
    GiveTestControllers({1});
    World().currentPlayer = 1;
    PlayerEliminated(&Player(1));
    ASSERT_EQ(gameOvers.size(), 1u);
    EXPECT_EQ(gameOvers[0].first, 0);
    EXPECT_EQ(Player(1).controller, nullptr);
    EXPECT_EQ(CountActivePlayers(), 1);
    EXPECT_EQ(HumanPlayersRemain(), 0);
}

TEST_F(TurnLoopTest, MapBattleRecordAndBattleArmies)
{
    GiveTestControllers({1});
    MapBattleRecord seen;
    SigMapBattle.Connect([&](MapBattleRecord* r, uint8_t) {
        seen = *r;
        BattleResult = kBattleEnded;
        // The battle engine may leave a side split into several squads.
        CSquad extra;
        extra.SetType(SwordType());
        extra.count = 2;
        r->attacker->army.AddSquadCopy(extra);
    });
    SetArmy(0, 3, 1);
    StartMapBattle(&Player(0), &Player(1), &Province(3), 0);
    EXPECT_EQ(seen.siege, 1);
    EXPECT_EQ(seen.castle, &Province(3).castle);
    EXPECT_EQ(seen.attackerMode, kSideComputer);
    EXPECT_EQ(seen.defenderMode, kSideHuman);
    EXPECT_EQ(Game().battleInProgress, 0);
    EXPECT_EQ(Game().battle.defenderId, 1);
    ASSERT_EQ(Player(0).army.Count(), 2);
    EXPECT_EQ(Player(0).army.Item(0)->count, 5);
    EXPECT_EQ(Player(0).army.Item(1)->count, 1);

    StartMapBattle(&Player(0), &Player(1), &Province(1), 1);
    EXPECT_EQ(seen.siege, 0);
    EXPECT_EQ(seen.openField, &Province(1));
    EXPECT_EQ(seen.attackerMode, kSideAutomatic);
    EXPECT_EQ(Game().battle.automatic, 1);
}

TEST_F(TurnLoopTest, NewGameSettingsAssignPeopleByTheAssignmentBytes)
{
    SetControllerFactory(
        [](PlayerRecord* p, bool human) -> CPlayerController* { return new TestController(p, human); });
    World().SetPlayerCount(4);
    const uint8_t assignment[4] = {200, 5, 0, 0};
    for (int i = 0; i < 4; ++i) {
        Player(i).assignment = assignment[i];
        Player(i).SetHuman(0);
    }
    EXPECT_EQ(CountAssignablePlayers(&World()), 2);
    EXPECT_EQ(CountFixedComputerPlayers(&World()), 3);
    NewGameSettings settings;
    settings.difficulty = 3;
    settings.humans = 2;
    ApplyNewGameSettings(settings);
    const bool human[4] = {true, false, true, false};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Player(i).IsHuman(), human[i]) << i;
        ASSERT_NE(Player(i).controller, nullptr);
        EXPECT_EQ(Player(i).controller->IsHuman(), human[i]) << i;
    }
    EXPECT_EQ(Game().difficulty, 3);
}

TEST(TurnLogLine, FormatsWideValuesSafely)
{
    EXPECT_STREQ(FormatTurnLogLine(7, 0, 0).Chars(), "Turn #7; Free: 0; Max chunk: 0 ");
    EXPECT_STREQ(FormatTurnLogLine(-1, 5000000000ull, 1).Chars(),
                 "Turn #-1; Free: 5000000000; Max chunk: 1 ");
}

}  // namespace

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/battle_rules.h"
#include "battle/battle_scene.h"
#include "battle/path_map.h"
#include "battle/side_ai.h"
#include "battle/side_controller.h"
#include "battle/siege_scene.h"
#include "battle/squad_battle_state.h"
#include "core/random.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "tests/battle/battle_fixture.h"

namespace {

// A side AI that only writes down when it is asked to act; a test can give
// it something to do on a given call.
struct AiLog {
    std::vector<std::string> calls;
    std::function<void(CSideController*, const std::string&)> onCall;
};
AiLog g_log;

class RecordingAi : public CSideAi {
public:
    explicit RecordingAi(CSideController* side) : m_side(side) {}
    void PlaceSquads() override { Note("place"); }
    void PlayTurn() override { Note("turn"); }

private:
    void Note(const char* what)
    {
        const std::string call = std::string(m_side->IsAttackerSide() ? "A " : "D ") + what;
        g_log.calls.push_back(call);
        if (g_log.onCall)
            g_log.onCall(m_side, call);
    }
    CSideController* m_side;
};

CSideAi* MakeRecordingAi(CSideController* side, SideSetup*)
{
    return new RecordingAi(side);
}

void Wipe(CArmy& army)
{
    for (int i = 0; i < army.Count(); ++i)
        army.Item(i)->count = 0;
}

class BattleFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShippedBattleRules();
        g_log = AiLog{};
        AddSquad(sides.attacker, types.sword, 10);
        AddSquad(sides.defender, types.sword, 10);
    }
    void TearDown() override
    {
        InstallBattleAi(BattleAiInstall{});
        if (g_battle.grid)
            EndBattle();
        g_battleTurnLimit = 0;
        DeleteBattleHooks();
    }
    void Record()
    {
        BattleAiInstall install;
        install.createPlayer = &MakeRecordingAi;
        InstallBattleAi(install);
    }
    // Ends the battle by wiping the defender at the given call.
    void WipeDefenderAt(size_t call)
    {
        g_log.onCall = [this, call](CSideController*, const std::string&) {
            if (g_log.calls.size() == call)
                Wipe(sides.defender.army);
        };
    }
    void Run()
    {
        BeginBattle(&sides.params);
        RunPlacementPhase();
        RunBattleTurns();
    }

    BattleSquadTypes types;
    BattleSides sides;
};

TEST_F(BattleFlowTest, OpenFieldTurnsStartWithTheAttacker)
{
    Record();
    WipeDefenderAt(7);
    Run();
    EXPECT_EQ(g_log.calls, (std::vector<std::string>{"A place", "D place", "A turn", "D turn", "A turn",
                                                     "D turn", "A turn"}));
    EXPECT_EQ(g_battle.turnCounter, 3);  // rounds, not single turns
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_EQ(g_battle.phase, kPhaseNone);
}

TEST_F(BattleFlowTest, SiegeTurnsStartWithTheDefender)
{
    sides.params.kind = kBattleSiege;
    sides.params.castle = &sides.castle;
    Record();
    WipeDefenderAt(5);
    Run();
    EXPECT_EQ(g_log.calls, (std::vector<std::string>{"D place", "A place", "D turn", "A turn", "D turn"}));
    EXPECT_EQ(g_battle.turnCounter, 2);
    EXPECT_EQ(BattleResult, kBattleEnded);
}

TEST_F(BattleFlowTest, OnlyASiegeShowsTheBridgeButton)
{
    for (const bool siege : {false, true}) {
        SCOPED_TRACE(siege ? "siege" : "open field");
        sides.params.kind = siege ? kBattleSiege : kBattleOpenField;
        sides.params.castle = siege ? &sides.castle : nullptr;
        // The window shows what its layout shows until it is told otherwise.
        g_battleStateWords.a = kButtonBridge;
        BeginBattle(&sides.params);
        EXPECT_EQ((g_battleStateWords.a & kButtonBridge) != 0, siege);
        EndBattle();
    }
}

TEST_F(BattleFlowTest, AnArmyWithoutUnitsMeansNoBattleAtAll)
{
    sides.params.kind = kBattleSiege;
    sides.params.castle = &sides.castle;
    sides.castle.catapults = 2;
    sides.castle.percent = 70;
    Wipe(sides.defender.army);
    Record();
    Run();
    EXPECT_TRUE(g_log.calls.empty());
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_EQ(g_battle.turnCounter, 0);
    // The castle's defences were written back by the scene's end.
    EXPECT_EQ(sides.castle.catapults, 2);
}

TEST_F(BattleFlowTest, AStopDuringThePlacementEndsEverything)
{
    ScreenDouble screen;
    sides.params.noScreen = 0;
    Record();
    g_log.onCall = [](CSideController*, const std::string& call) {
        if (call == "A place")
            BattleCommand(kCommandStop);
    };
    Run();
    EXPECT_EQ(g_log.calls, (std::vector<std::string>{"A place"}));
    EXPECT_EQ(BattleResult, kBattleStopped);
    EXPECT_EQ(g_battle.turnCounter, 0);
    EXPECT_EQ(sides.defender.army.Item(0)->count, 10);
}

TEST_F(BattleFlowTest, AGiveUpKeepsItsResult)
{
    ScreenDouble screen;
    sides.params.noScreen = 0;
    Record();
    // Both sides are computer-played: the active side is the one giving up.
    g_log.onCall = [](CSideController*, const std::string& call) {
        if (call == "D turn")
            BattleCommand(kCommandGiveUp);
    };
    Run();
    EXPECT_EQ(BattleResult, kBattleDefenderGaveUp);
    EXPECT_EQ(g_log.calls.back(), "D turn");
    EndBattle();

    g_log = AiLog{};
    g_log.onCall = [](CSideController*, const std::string& call) {
        if (call == "A turn")
            BattleCommand(kCommandGiveUp);
    };
    ScreenDouble again;
    Run();
    EXPECT_EQ(BattleResult, kBattleAttackerGaveUp);
}

TEST_F(BattleFlowTest, CommandsWithoutScreenAreIgnored)
{
    Record();
    WipeDefenderAt(4);
    g_log.onCall = [this](CSideController*, const std::string& call) {
        BattleCommand(kCommandStop);
        BattleCommand(kCommandGiveUp);
        if (call == "D turn")
            Wipe(sides.defender.army);
    };
    Run();
    EXPECT_EQ(BattleResult, kBattleEnded);
}

TEST_F(BattleFlowTest, SidesThatCannotMeetAreSentHomeByTheRoundLimit)
{
    // Melee squads outside and inside a castle with no trebuchet: nobody can
    // ever reach anybody.
    sides.params.kind = kBattleSiege;
    sides.params.castle = &sides.castle;
    sides.castle.moat = 1;
    sides.attacker.army.flagB = 0;
    g_battleTurnLimit = 20;
    Run();
    EXPECT_EQ(BattleResult, kBattleAttackerGaveUp);
    EXPECT_EQ(g_battle.turnCounter, 21);
    EXPECT_EQ(sides.attacker.army.Item(0)->count, 10);
    EXPECT_EQ(sides.defender.army.Item(0)->count, 10);
}

TEST_F(BattleFlowTest, WhatASiegeSentHomeDidToTheCastleStands)
{
    // The attacker breaks a piece of the first wall and then can do no more.
    sides.params.kind = kBattleSiege;
    sides.params.castle = &sides.castle;
    for (uint8_t& s : sides.castle.segments)
        s = 20;
    Record();
    g_log.onCall = [](CSideController*, const std::string& call) {
        if (call == "A turn" && g_battle.turnCounter == 1)
            static_cast<CSiegeScene*>(g_battle.scene)->HitObjectsAtCell(g_siegeLayout.wallCells[0], 5);
    };
    g_battleTurnLimit = 3;
    Run();
    EXPECT_EQ(BattleResult, kBattleAttackerGaveUp);
    EXPECT_EQ(sides.castle.segments[0], 15);
    EXPECT_EQ(sides.castle.segments[1], 20);
}

// A whole battle fought by the built-in computer players, twice from the same
// armies and the same seed: the same losses, the same length.
struct Outcome {
    uint32_t result;
    int32_t rounds;
    std::vector<int32_t> attacker, defender;
};

Outcome FightOnce(uint32_t kind, uint32_t seed)
{
    BattleSquadTypes types;
    BattleSides sides;
    AddSquad(sides.attacker, types.sword, 30);
    AddSquad(sides.attacker, types.bow, 20);
    AddSquad(sides.attacker, types.axe, 15);
    AddSquad(sides.defender, types.sword, 25);
    AddSquad(sides.defender, types.bow, 25);
    AddSquad(sides.defender, types.axe, 10);
    sides.params.kind = kind;
    sides.params.obstacleLayout = 3;
    if (kind == kBattleSiege) {
        sides.params.castle = &sides.castle;
        sides.castle.catapults = 2;
        sides.castle.gates = 30;
        for (uint8_t& s : sides.castle.segments)
            s = 5;
    }
    sides.params.attackerSideKind = kSideKindComputer;
    sides.params.defenderSideKind = kSideKindMute;
    g_battleTurnLimit = 150;
    SetRandomState(seed);
    BeginBattle(&sides.params);
    RunPlacementPhase();
    RunBattleTurns();
    Outcome o{BattleResult, g_battle.turnCounter, Counts(sides.attacker.army), Counts(sides.defender.army)};
    EndBattle();
    g_battleTurnLimit = 0;
    return o;
}

TEST_F(BattleFlowTest, AWholeBattleIsFoughtToItsEndTheSameWayTwice)
{
    for (uint32_t kind : {kBattleOpenField, kBattleSiege}) {
        const Outcome first = FightOnce(kind, 12345);
        const Outcome second = FightOnce(kind, 12345);
        EXPECT_EQ(first.result, kBattleEnded) << "kind " << kind;
        EXPECT_EQ(first.result, second.result);
        EXPECT_EQ(first.rounds, second.rounds);
        EXPECT_EQ(first.attacker, second.attacker);
        EXPECT_EQ(first.defender, second.defender);
        int32_t a = 0, d = 0;
        for (int32_t c : first.attacker)
            a += c;
        for (int32_t c : first.defender)
            d += c;
        EXPECT_TRUE((a == 0) != (d == 0)) << "exactly one army is left, kind " << kind;
        EXPECT_GT(first.rounds, 1);
    }
}

TEST_F(BattleFlowTest, TheEndFreesEveryBattleObject)
{
    Run();
    EndBattle();
    EXPECT_EQ(g_battle.grid, nullptr);
    EXPECT_EQ(g_battle.pathMap, nullptr);
    EXPECT_EQ(g_battle.scene, nullptr);
    EXPECT_EQ(g_battle.attackerSide, nullptr);
    EXPECT_EQ(g_battle.defenderSide, nullptr);
    EXPECT_TRUE(g_battle.highlight.empty());
    for (CArmy* army : {&sides.attacker.army, &sides.defender.army})
        for (int i = 0; i < army->Count(); ++i) {
            EXPECT_EQ(army->Item(i)->battleState, nullptr);
            EXPECT_EQ(army->Item(i)->battleHandle, 0u);
        }
}

TEST_F(BattleFlowTest, ASavedBattleResumesWhereItStood)
{
    Record();
    std::vector<uint8_t> saved;
    // Saved during the defender's turn of round 2, then the program quits.
    g_log.onCall = [&saved](CSideController*, const std::string& call) {
        if (call == "D turn" && g_battle.turnCounter == 2) {
            saved = StreamOut([](CByteStream& s) { SerializeBattle(&s); });
            g_battle.stopFlag = 1;
        }
    };
    Run();
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(BattleResult, kBattleStopped);
    EndBattle();

    // The next session sets the same battle up, reads it back and goes on.
    g_log = AiLog{};
    WipeDefenderAt(4);
    BeginBattle(&sides.params);
    CStreamReader reader(saved.data(), uint32_t(saved.size()));
    ASSERT_TRUE(SerializeBattle(&reader));
    EXPECT_EQ(g_battle.turnCounter, 2);
    EXPECT_EQ(g_battle.phase, kPhaseDefender);
    ResumeBattle();
    // The defender's turn is played again, then round 3 begins.
    EXPECT_EQ(g_log.calls, (std::vector<std::string>{"D turn", "A turn", "D turn", "A turn"}));
    EXPECT_EQ(g_battle.turnCounter, 4);
    EXPECT_EQ(BattleResult, kBattleEnded);
}

TEST_F(BattleFlowTest, NothingSetUpIsNothingToResume)
{
    BattleResult = kBattleNoResult;
    EXPECT_FALSE(ResumeBattle());
    EXPECT_EQ(BattleResult, kBattleStopped);
}

TEST_F(BattleFlowTest, ABattleInProgressStreamsBack)
{
    sides.params.kind = kBattleSiege;
    sides.params.castle = &sides.castle;
    sides.castle.catapults = 1;
    for (uint8_t& s : sides.castle.segments)
        s = 20;
    BeginBattle(&sides.params);
    RunPlacementPhase();
    g_battle.turnCounter = 4;
    g_battle.phase = kPhaseDefender;
    auto* scene = static_cast<CSiegeScene*>(g_battle.scene);
    scene->objects[0]->hitPoints = 3;
    g_battle.attackerSide->PlaceSquadAt(sides.attacker.army.Item(0), 46);
    const std::vector<uint8_t> bytes = StreamOut([](CByteStream& s) { SerializeBattle(&s); });
    g_battle.turnCounter = 0;
    g_battle.phase = kPhaseNone;
    scene->objects[0]->hitPoints = 20;
    g_battle.attackerSide->PlaceSquadAt(sides.attacker.army.Item(0), 13);
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    ASSERT_TRUE(SerializeBattle(&reader));
    EXPECT_EQ(g_battle.turnCounter, 4);
    EXPECT_EQ(g_battle.phase, kPhaseDefender);
    EXPECT_EQ(scene->objects[0]->hitPoints, 3);
    EXPECT_EQ(sides.attacker.army.Item(0)->cell, 46u);
    CStreamReader shortReader(bytes.data(), uint32_t(bytes.size() - 2));
    EXPECT_FALSE(SerializeBattle(&shortReader));
    std::vector<uint8_t> negative = bytes;
    negative[3] = 0x80;  // a round count below zero
    CStreamReader negativeReader(negative.data(), uint32_t(negative.size()));
    EXPECT_FALSE(SerializeBattle(&negativeReader));
}

}  // namespace

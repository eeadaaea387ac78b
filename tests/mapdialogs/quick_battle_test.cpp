// The quick battle runner: battles between computer-played sides fought to
// their end on the shipped rules and squad types with no screen, the battle
// screen's hooks taken off the engine, the main window's close refused while
// the battle runs (a scripted close request) and allowed again afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "battle/battle_ai_player.h"
#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/side_ai.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/random.h"
#include "core/resource_mgr.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"
#include "mapdialogs/quick_battle.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"
#include "tests/support/build_folder.h"

namespace {

CDrawContext* MakeContext()
{
    return new CDrawContext;
}

int32_t Units(const CArmy& army)
{
    int32_t n = 0;
    for (int i = 0; i < army.Count(); ++i)
        n += army.Item(i)->count;
    return n;
}

// What the finished callback saw, and what a close listener behind the
// runner's guard saw of the close requests during the battle.
struct Observer {
    void OnFinished()
    {
        ++finished;
        battleStillSetUp = g_battle.grid != nullptr;
        resultWhenFinished = BattleResult;
        if (closeDuringRun) {
            // The device's close request arrives while the battle runs: the
            // frame steps of the engine's waits pump it as any other message.
            for (int i = 0; i < 3; ++i)
                FrameStep();
            quitDuringRun = QuitFlag;
        }
    }
    int finished = 0;
    bool battleStillSetUp = false;
    uint32_t resultWhenFinished = 0;
    bool closeDuringRun = false;
    uint8_t quitDuringRun = 0;
};

int g_closeRequests = 0;
uint8_t g_lastVeto = 1;
void NoteClose(intptr_t veto, SignalDelegate*)
{
    ++g_closeRequests;
    g_lastVeto = *reinterpret_cast<uint8_t*>(veto);
}

class QuickBattleRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        folder = fs::temp_directory_path() / ("tharn_quick_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        HeadlessOptions options;
        options.settings.dataFolder = folder.string() + "/";
        options.closeAfterSteps = 0;
        platform = &UseHeadlessPlatform(options);
        SetDrawContextFactory(MakeContext);
        SetApplicationHooks({[] { return true; }, [] {}});
        QuitFlag = 0;
        ASSERT_TRUE(CoreStartup());
        ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str()));
        LoadSquadTypes();
        ASSERT_GE(SquadTypeRegistry().size(), 3u) << "the shipped squad types";
        InstallBattleAiPlayer();
        attacker.playerId = 0;
        defender.playerId = 1;
        castle.Reset();
        castle.percent = 100;
        castle.DefencesFromPercent();
        params.attacker = &attacker;
        params.defender = &defender;
        g_closeRequests = 0;
        g_lastVeto = 1;
    }
    void TearDown() override
    {
        if (g_battle.grid)
            EndBattle();
        InstallBattleAi(BattleAiInstall{});
        FreeSquadTypes();
        CResourceMgr::Shutdown();
        CoreShutdown();
        SetApplicationHooks({});
        QuitFlag = 0;
        std::filesystem::remove_all(folder);
    }
    void Army(PlayerRecord& player, std::initializer_list<std::pair<int, int32_t>> squads)
    {
        for (auto [type, count] : squads) {
            CSquad squad;
            squad.SetType(SquadTypeRegistry()[size_t(type)]);
            squad.count = count;
            player.army.AddSquadCopy(squad);
        }
    }
    void Script(const char* text)
    {
        auto script = std::make_unique<InputScript>();
        ASSERT_TRUE(script->Parse(text));
        platform->UseScript(std::move(script));
    }

    std::filesystem::path folder;
    HeadlessBackend* platform = nullptr;
    PlayerRecord attacker;
    PlayerRecord defender;
    CastleState castle;
    BattleParams params;
};

TEST_F(QuickBattleRunnerTest, ComputerSidesFightToTheEndWithoutScreen)
{
    struct Case {
        const char* name;
        uint32_t kind;
        uint32_t attackerKind, defenderKind;
    };
    // Sides marked for play by hand have nobody to play them without a
    // screen: they are played by the computer too instead of waiting for ever.
    const Case cases[] = {
        {"open field, computer sides", kBattleOpenField, 1, 1},
        {"open field, sides without events", kBattleOpenField, 2, 2},
        {"open field, sides marked human", kBattleOpenField, 0, 0},
        {"siege, computer sides", kBattleSiege, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        attacker.army.Clear();
        defender.army.Clear();
        Army(attacker, {{0, 30}, {1, 20}});
        Army(defender, {{0, 12}, {2, 6}});
        params.kind = c.kind;
        params.castle = c.kind == kBattleSiege ? &castle : nullptr;
        params.obstacleLayout = 1;
        params.attackerSideKind = c.attackerKind;
        params.defenderSideKind = c.defenderKind;
        params.noScreen = 0;
        BattleResult = kBattleNoResult;
        SetRandomState(7);
        Observer observer;
        {
            CQuickBattle runner;
            runner.BindFinished(&observer, &Observer::OnFinished);
            runner.SetBattle(&params);
            runner.Run(0);
        }
        EXPECT_TRUE(BattleResult == kBattleEnded || BattleResult == kBattleAttackerGaveUp ||
                    BattleResult == kBattleDefenderGaveUp)
            << BattleResult;
        if (BattleResult == kBattleEnded) {
            EXPECT_TRUE(Units(attacker.army) == 0 || Units(defender.army) == 0);
        }
        EXPECT_EQ(observer.finished, 1);
        EXPECT_TRUE(observer.battleStillSetUp) << "the callback comes before the teardown";
        EXPECT_EQ(observer.resultWhenFinished, BattleResult);
        EXPECT_EQ(g_battle.grid, nullptr);
        EXPECT_EQ(g_battleTurnLimit, 0) << "the round limit is the runner's only";
        EXPECT_EQ(QuitFlag, 0);
    }
}

TEST_F(QuickBattleRunnerTest, TheScreenHooksAreTakenOffTheEngine)
{
    Army(attacker, {{0, 20}});
    Army(defender, {{1, 5}});
    params.attackerSideKind = params.defenderSideKind = 1;
    int fired = 0;
    g_battleHooks.redraw.Bind([&] { ++fired; });
    g_battleHooks.waitStep.Bind([&] { ++fired; });
    g_battleHooks.sideTurn.Bind([&](CSideController*, uint8_t) { ++fired; });
    g_battleHooks.strength.Bind([&](uint32_t, int32_t) { ++fired; });
    g_battleHooks.penFilter.Bind([&](uint16_t) { ++fired; });
    g_battleHooks.turnStart.Bind([&] { ++fired; });
    SetRandomState(3);
    {
        CQuickBattle runner;
        runner.SetBattle(&params);
        runner.Run(0);
        EXPECT_NE(BattleResult, kBattleNoResult) << "no callback is needed to end the battle";
    }
    EXPECT_EQ(fired, 0);
    EXPECT_FALSE(g_battleHooks.redraw.IsBound());
    EXPECT_FALSE(g_battleHooks.sideTurn.IsBound());
    EXPECT_FALSE(g_battleHooks.penFilter.IsBound());
    EXPECT_FALSE(g_battleHooks.turnStart.IsBound());
}

TEST_F(QuickBattleRunnerTest, TheMainWindowCannotBeClosedWhileTheBattleRuns)
{
    Army(attacker, {{0, 25}});
    Army(defender, {{0, 10}});
    params.attackerSideKind = params.defenderSideKind = 2;
    SignalConnection listener;
    Observer observer;
    observer.closeDuringRun = true;
    {
        CQuickBattle runner;
        EXPECT_FALSE(runner.IsGuardingClose()) << "the guard is set up by the run";
        runner.BindFinished(&observer, &Observer::OnFinished);
        runner.SetBattle(&params);
        Script("close\nclose\n");
        runner.DetachHooks();
        runner.DetachHooks();  // a second guard replaces the first
        EXPECT_EQ(CloseSignal.Count(), 1);
        CloseSignal.Connect(NoteClose, listener);
        runner.Run(0);
        EXPECT_TRUE(runner.IsGuardingClose());
    }
    EXPECT_EQ(observer.finished, 1);
    EXPECT_EQ(observer.quitDuringRun, 0);
    EXPECT_GE(g_closeRequests, 1) << "the close request did arrive, and was refused";
    EXPECT_EQ(CloseSignal.Count(), 1) << "only the test's listener is left";
    const int before = g_closeRequests;
    Script("close\n");
    for (int i = 0; i < 3 && !QuitFlag; ++i)
        FrameStep();
    EXPECT_EQ(g_lastVeto, 1);
    EXPECT_GT(g_closeRequests, before);
    EXPECT_EQ(QuitFlag, 1) << "closing works again once the runner is gone";
}

TEST_F(QuickBattleRunnerTest, SidesThatCannotReachEachOtherEndWithTheAttackerGivingUp)
{
    // Squads that can neither move nor shoot: nobody watches a quick battle,
    // so it must end by itself instead of turning for ever.
    auto* statue = new CSquadType;
    statue->Assign(*SquadTypeRegistry()[0]);
    statue->typeId = CStr("Statue");
    statue->moveSpeed = 0;
    statue->rangedAttack = 0;
    RegisterSquadType(statue);
    for (PlayerRecord* player : {&attacker, &defender}) {
        CSquad squad;
        squad.SetType(statue);
        squad.count = 10;
        player->army.AddSquadCopy(squad);
    }
    params.attackerSideKind = params.defenderSideKind = 2;
    CQuickBattle runner;
    runner.SetBattle(&params);
    runner.Run(0);
    EXPECT_EQ(BattleResult, kBattleAttackerGaveUp);
    EXPECT_EQ(Units(attacker.army), 10);
    EXPECT_EQ(Units(defender.army), 10);
    EXPECT_EQ(g_battleTurnLimit, 0);
}

TEST_F(QuickBattleRunnerTest, ARecordThatCannotBeSetUpEndsAsAStoppedBattle)
{
    Army(attacker, {{0, 10}});
    Army(defender, {{0, 10}});
    struct Case {
        const char* name;
        bool noAttacker, noDefender;
        uint32_t kind;
    };
    const Case cases[] = {
        {"no attacker", true, false, kBattleOpenField},
        {"no defender", false, true, kBattleOpenField},
        {"a siege without its castle", false, false, kBattleSiege},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BattleParams broken;
        broken.attacker = c.noAttacker ? nullptr : &attacker;
        broken.defender = c.noDefender ? nullptr : &defender;
        broken.kind = c.kind;
        BattleResult = kBattleNoResult;
        Observer observer;
        CQuickBattle runner;
        runner.BindFinished(&observer, &Observer::OnFinished);
        runner.SetBattle(&broken);
        runner.Run(0);
        EXPECT_EQ(BattleResult, kBattleStopped);
        EXPECT_EQ(observer.finished, 0) << "no battle was fought";
        EXPECT_EQ(g_battle.grid, nullptr);
        EXPECT_EQ(Units(attacker.army), 10);
    }
}

TEST_F(QuickBattleRunnerTest, ABattleRestoredInProgressIsResumed)
{
    Army(attacker, {{0, 30}});
    Army(defender, {{1, 8}});
    params.attackerSideKind = params.defenderSideKind = 1;
    params.noScreen = 1;
    SetRandomState(11);
    // What loading a saved game leaves: the battle set up and placed.
    BeginBattle(&params);
    RunPlacementPhase();
    ASSERT_NE(g_battle.grid, nullptr);
    Observer observer;
    {
        CQuickBattle runner;
        runner.BindFinished(&observer, &Observer::OnFinished);
        runner.SetBattle(&params);
        runner.Run(1);
        EXPECT_EQ(runner.ResumeFlag(), 1);
    }
    EXPECT_EQ(observer.finished, 1);
    EXPECT_NE(BattleResult, kBattleNoResult);
    EXPECT_EQ(g_battle.grid, nullptr);
}

}  // namespace

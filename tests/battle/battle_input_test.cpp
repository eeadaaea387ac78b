#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/computer_side.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "tests/battle/battle_fixture.h"

namespace {

// The active side, writing down what reaches it.
class InputSide : public CMuteComputerSideController {
public:
    void OnCellTap(uint8_t cell) override { log.push_back("tap " + std::to_string(cell)); }
    void OnCellAltTap(uint8_t cell) override { log.push_back("alt " + std::to_string(cell)); }
    void OnKey(uint16_t code) override { log.push_back("key " + std::to_string(code)); }
    void OnInputCode(uint32_t code) override { log.push_back("code " + std::to_string(code)); }
    uint32_t OnCommand(uint32_t code) override
    {
        log.push_back("command " + std::to_string(code));
        return 0;
    }
    void Refresh() override { log.push_back("refresh"); }
    std::vector<std::string> log;
};

class BattleInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShippedBattleRules();
        AddSquad(sides.attacker, types.sword, 5);
        AddSquad(sides.defender, types.sword, 5);
        sides.params.noScreen = 0;
        screen = std::make_unique<ScreenDouble>();
        g_battleHooks.selection.Bind([this](CSquad* s, bool attacker) { selected.push_back({s, attacker}); });
        BeginBattle(&sides.params);
        side = new InputSide();
        side->Init(g_battle.attackerSide->SetupPtr());
        delete g_battle.attackerSide;
        g_battle.attackerSide = side;
        g_battle.activeSide = 1;
    }
    void TearDown() override
    {
        EndBattle();
        screen.reset();
    }

    BattleSquadTypes types;
    BattleSides sides;
    std::unique_ptr<ScreenDouble> screen;
    InputSide* side = nullptr;
    std::vector<std::pair<CSquad*, bool>> selected;
};

TEST_F(BattleInputTest, TapsReachTheActiveSide)
{
    BattleTapAtPoint(PackedPoint(0, 0));      // the corner sends input code 1
    BattleTapAtPoint(PackedPoint(500, 500));  // off the field
    BattleTapAtPoint(PackedPoint(32, 16));    // cell 12
    BattleAltTapAtCell(60);
    BattleTapAtCell(0);
    BattleKeyInput(7);
    BattleCommand(16);
    RefreshActiveSide();
    EXPECT_EQ(side->log, (std::vector<std::string>{"code 1", "tap 255", "tap 12", "alt 60", "code 1", "key 7",
                                                   "command 16", "refresh"}));
}

TEST_F(BattleInputTest, ATapOnASquadSelectsIt)
{
    BattleTapAtCell(20);  // the defender's squad
    BattleTapAtCell(13);  // the attacker's
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0].first, sides.defender.army.Item(0));
    EXPECT_FALSE(selected[0].second);
    EXPECT_TRUE(selected[1].second);
}

TEST_F(BattleInputTest, AutomaticPlayLetsOnlySelectionsThrough)
{
    int rounds = 0;
    g_battleHooks.stateWords.Bind([](const BattleStateWords* words, uint32_t) {
        if (g_battle.autoPlay) {
            // While the automatic play runs its button is busy.
            EXPECT_EQ(words->b & kButtonAutoBusy, 0u);
        }
    });
    // The screen's loop: taps and keys arrive, and in the third round the
    // person switches automatic play off again.
    g_battleHooks.waitStep.Bind([&]() {
        ++rounds;
        BattleTapAtCell(20);
        BattleKeyInput(3);
        if (rounds == 3)
            BattleCommand(kCommandAutoPlay);
    });
    BattleCommand(kCommandAutoPlay);  // runs until the third round turns it off
    EXPECT_EQ(rounds, 3);
    EXPECT_EQ(g_battle.autoPlay, 0);
    EXPECT_NE(g_battleStateWords.b & kButtonAutoBusy, 0u);
    EXPECT_EQ(selected.size(), 3u);
    EXPECT_TRUE(side->log.empty());  // taps and keys went nowhere else
    BattleTapAtCell(20);
    EXPECT_EQ(side->log, (std::vector<std::string>{"tap 20"}));
}

TEST_F(BattleInputTest, EventsOfObjectsWithoutAVisualAreOnlyRemembered)
{
    CWall wall;
    wall.battleHandle = 0;
    screen->events.clear();
    wall.PostBattleEvent(0x404, 1);
    EXPECT_EQ(LastEventCode(&wall), 0x404);
    EXPECT_TRUE(screen->events.empty());
    EXPECT_EQ(screen->waitSteps, 0);
    wall.battleHandle = 9;
    wall.PostBattleEvent(0x505, 1);
    ASSERT_EQ(screen->events.size(), 1u);
    EXPECT_EQ(screen->waitSteps, 1);
    EXPECT_TRUE(g_battleEventQueue.empty());
}

TEST_F(BattleInputTest, TheQueueDropsTheLastMatchOnly)
{
    g_battleEventQueue = {5, 6, 5, 7};
    RemoveQueuedBattleEvent(5);
    EXPECT_EQ(g_battleEventQueue, (std::vector<uint32_t>{5, 6, 7}));
    RemoveQueuedBattleEvent(42);
    EXPECT_EQ(g_battleEventQueue.size(), 3u);
    g_battleEventQueue.clear();
}

TEST_F(BattleInputTest, StateWordsTellTheirListener)
{
    std::vector<uint32_t> changes;
    g_battleHooks.stateWords.Bind(
        [&](const BattleStateWords*, uint32_t changed) { changes.push_back(changed); });
    g_battleStateWords = BattleStateWords{};
    SetBattleStateBits(kButtonTurn | kButtonGuard);
    ClearBattleStateBits(kButtonTurn);
    SetBattleStateBitsB(kButtonSplit);
    SetBattleStateBitsC(kButtonAuto, true);
    EXPECT_EQ(g_battleStateWords.a, kButtonGuard);
    EXPECT_EQ(g_battleStateWords.b, kButtonSplit);
    EXPECT_EQ(g_battleStateWords.c, kButtonAuto);
    SetBattleStateBitsC(kButtonAuto, false);
    EXPECT_EQ(g_battleStateWords.c, 0u);
    EXPECT_EQ(changes, (std::vector<uint32_t>{kButtonTurn | kButtonGuard, kButtonTurn, kButtonSplit,
                                              kButtonAuto, kButtonAuto}));
}

TEST_F(BattleInputTest, VisualsAreCreatedForTheLivingAndTheLyingDead)
{
    // Every squad got an id at the start; the shooting one also a missile.
    EXPECT_NE(sides.attacker.army.Item(0)->battleHandle, 0u);
    CSquad* dead = sides.defender.army.Item(0);
    dead->count = 0;
    dead->battleHandle = 0;
    SetLastEventCode(dead, 2337);  // the defender's death pose
    screen->events.clear();
    CreateArmyVisuals(&sides.defender.army, 0);
    EXPECT_NE(dead->battleHandle, 0u);
    ASSERT_FALSE(screen->events.empty());
    EXPECT_EQ(screen->events.back().code, 2337);
    EXPECT_EQ(screen->events.back().last, 2u);  // held on its last frame
    dead->battleHandle = 0;
    SetLastEventCode(dead, 257);
    CreateArmyVisuals(&sides.defender.army, 0);
    EXPECT_EQ(dead->battleHandle, 0u);
}

TEST_F(BattleInputTest, OnlyShootersGetMissiles)
{
    BattleSides more;
    AddSquad(more.attacker, types.bow, 5);
    AddSquad(more.defender, types.sword, 5);
    EndBattle();  // which unbinds the screen's hooks
    ScreenDouble again;
    more.params.noScreen = 0;
    BeginBattle(&more.params);
    ASSERT_NE(more.attacker.army.Item(0)->battleState->missile, nullptr);
    EXPECT_NE(more.attacker.army.Item(0)->battleState->missile->battleHandle, 0u);
    EXPECT_EQ(more.defender.army.Item(0)->battleState->missile, nullptr);
    EndBattle();
    BeginBattle(&sides.params);
    side = nullptr;
}

TEST_F(BattleInputTest, NothingReachesABattleWithoutScreen)
{
    g_battle.noScreen = 1;
    BattleTapAtCell(20);
    BattleKeyInput(1);
    BattleCommand(kCommandStop);
    SendBattleInput(4);
    EXPECT_TRUE(side->log.empty());
    EXPECT_TRUE(selected.empty());
    EXPECT_EQ(g_battle.stopFlag, 0);
    g_battle.noScreen = 0;
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/missile_flight.h"
#include "game/game_object.h"
#include "tests/battle/battle_fixture.h"

namespace {

class MissileFlightTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShippedBattleRules();
        AddSquad(sides.attacker, types.sword, 5);
        AddSquad(sides.defender, types.sword, 5);
        sides.params.noScreen = 0;
        screen = std::make_unique<ScreenDouble>();
        BeginBattle(&sides.params);
        screen->events.clear();
        missile.battleHandle = 77;
        missile.paramA = 3;
        missile.paramB = 1;
    }
    void TearDown() override
    {
        EndBattle();
        screen.reset();
    }
    std::vector<BattleEvent> FlightEvents() const
    {
        std::vector<BattleEvent> out;
        for (const BattleEvent& e : screen->events)
            if (e.sourceKind == kKindMissile)
                out.push_back(e);
        return out;
    }

    BattleSquadTypes types;
    BattleSides sides;
    std::unique_ptr<ScreenDouble> screen;
    CMissile missile;
};

TEST_F(MissileFlightTest, TheCurvePassesThroughBothEnds)
{
    SetupTrajectory(PackedPoint(32, 16), PackedPoint(288, 16), 20);
    EXPECT_EQ(g_flightCurve.k2, 5);  // 20 x 4096 / 128^2
    EXPECT_EQ(g_flightCurve.apex.X(), 160);
    EXPECT_EQ(MissileHeightAt(32), 16);
    EXPECT_EQ(MissileHeightAt(160), -4);  // 20 above the line at the apex
    EXPECT_EQ(MissileHeightAt(288), 16);
    // A slanted line: from (32, 16) down to (160, 208).
    SetupTrajectory(PackedPoint(32, 16), PackedPoint(160, 208), 40);
    EXPECT_EQ(g_flightCurve.k1, 6144);  // 1.5 in Q12
    EXPECT_EQ(MissileHeightAt(32), 16);
    EXPECT_EQ(MissileHeightAt(160), 208);
    EXPECT_EQ(MissileHeightAt(96), 112 - 40);
}

TEST_F(MissileFlightTest, AStraightDownFlightSteps)
{
    for (int16_t x1 : {160, 161}) {  // half the width shifts to 0 either way
        SetupTrajectory(PackedPoint(160, 16), PackedPoint(x1, 208), 30);
        EXPECT_EQ(g_flightCurve.k2, kVerticalFlight);
        EXPECT_EQ(g_flightCurve.k0, 0);
        EXPECT_EQ(MissileHeightAt(0), 22);  // 192 / 32 = 6 a step
        EXPECT_EQ(MissileHeightAt(999), 28);
    }
}

TEST_F(MissileFlightTest, AFlightPostsOneFramePerStep)
{
    // 256 pixels to the right with a step of one cell width: 9 steps of 28
    // pixels. With an arc of 60 the heights are 88 70 59 52 52 57 68 85, then
    // the end at 112: rising (more than a quarter cell up), level, falling.
    LaunchMissile(&missile, PackedPoint(32, 112), PackedPoint(288, 112), 60, 0);
    const std::vector<BattleEvent> events = FlightEvents();
    ASSERT_EQ(events.size(), 9u);
    const uint16_t codes[9] = {0x105, 0x105, 0x105, 0x104, 0x104, 0x104, 0x106, 0x106, 0x106};
    const int16_t heights[9] = {88, 70, 59, 52, 52, 57, 68, 85, 112};
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(events[i].code, codes[i]) << i;
        EXPECT_EQ(events[i].coords[3], heights[i]) << i;
        EXPECT_EQ(events[i].coords[1], i == 0 ? 112 : heights[i - 1]) << i;
    }
    EXPECT_EQ(events[0].last, 0u);
    EXPECT_EQ(events[1].last, 1u);
    for (const BattleEvent& e : events) {
        EXPECT_EQ(e.battleHandle, 77u);
        EXPECT_EQ(e.flag, 3);  // the sprite parameter
        EXPECT_GE(e.code, 0x104);
        EXPECT_LE(e.code, 0x106);
    }
    EXPECT_EQ(events.back().coords[2], 288);
    EXPECT_EQ(events.back().coords[3], 112);
    EXPECT_EQ(g_flightCurve.k1, 0);
    EXPECT_EQ(g_flightCurve.k2, 0);
    EXPECT_TRUE(g_battleEventQueue.empty());
}

TEST_F(MissileFlightTest, FlyingLeftUsesTheLeftFrames)
{
    missile.paramB = 2;  // two cell widths a step: 256 / 64 + 1 = 5 steps of -51
    LaunchMissile(&missile, PackedPoint(288, 112), PackedPoint(32, 112), 60, 0);
    const std::vector<BattleEvent> events = FlightEvents();
    ASSERT_EQ(events.size(), 5u);
    // Heights 73 54 54 73, then the end; the landing keeps the last frame.
    const uint16_t codes[5] = {0x102, 0x102, 0x101, 0x103, 0x103};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(events[i].code, codes[i]) << i;
    EXPECT_EQ(events[3].coords[2], 288 - 4 * 51);
}

TEST_F(MissileFlightTest, NoDistanceMeansOnlyTheLanding)
{
    LaunchMissile(&missile, PackedPoint(100, 100), PackedPoint(100, 100), 16, 0);
    const std::vector<BattleEvent> events = FlightEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].coords[2], 100);
    EXPECT_EQ(events[0].coords[3], 100);
}

TEST_F(MissileFlightTest, OffsetsRaiseTheLanding)
{
    SetSecondVisualWord(&missile, 12);
    LaunchMissile(&missile, PackedPoint(32, 112), PackedPoint(288, 112), 20, 4);
    const std::vector<BattleEvent> events = FlightEvents();
    ASSERT_EQ(events.size(), 9u);
    // (12 - 4) x 4 / 9 = 3 per step; after 9 steps 27, a quarter of it: 6.
    EXPECT_EQ(events.back().coords[3], 112 + 6);
}

TEST_F(MissileFlightTest, NothingFliesWithoutAnObjectOrAScreen)
{
    missile.battleHandle = 0;
    LaunchMissile(&missile, PackedPoint(32, 112), PackedPoint(288, 112), 20, 0);
    EXPECT_TRUE(FlightEvents().empty());
    missile.battleHandle = 77;
    g_battle.noScreen = 1;
    LaunchMissile(&missile, PackedPoint(32, 112), PackedPoint(288, 112), 20, 0);
    g_battle.noScreen = 0;
    EXPECT_TRUE(FlightEvents().empty());
}

TEST_F(MissileFlightTest, ArcHeights)
{
    EXPECT_EQ(ShotArcHeight(PackedPoint(32, 16), PackedPoint(100, 208)), 192 / 8 + 16);
    EXPECT_EQ(ShotArcHeight(PackedPoint(32, 208), PackedPoint(100, 16)), 192 / 8 + 16);
    EXPECT_EQ(TrebuchetArcHeight(PackedPoint(200, 100)), 50 + 16);
}

TEST_F(MissileFlightTest, ALandingWaitsForTheScreen)
{
    LandMissile(&missile, PackedPoint(64, 40), 1);
    ASSERT_FALSE(screen->events.empty());
    EXPECT_EQ(screen->events.back().code, 0x207);
    EXPECT_EQ(screen->waitSteps, 1);
    EXPECT_EQ(LastEventCode(&missile), 0x207);
}

}  // namespace

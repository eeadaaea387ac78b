#include <gtest/gtest.h>

#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/saved_game.h"
#include "tests/game/game_fixture.h"

namespace {
class WorldStream : public ::testing::Test {
protected:
    void SetUp() override { BuildFixtureWorld(world); }
    void TearDown() override { SetActiveWorld(nullptr); }

    // Reads bytes into a fresh world; true when the stream held out.
    bool Read(const std::vector<uint8_t>& bytes, CGameWorld& into)
    {
        CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
        into.Stream(reader);
        return !reader.HasError();
    }

    TestSquadTypes types;
    CGameWorld world;
};

TEST_F(WorldStream, KindCountIsRepeatedAfterEveryCode)
{
    const std::vector<uint8_t> bytes = WorldBytes(world);
    const std::vector<uint8_t> expected = {3,   'g', 'o', 'l', 'd', 3,   'm', 'e',
                                           't', 'l', 3,   's', 't', 'o', 'n', 3};
    ASSERT_GT(bytes.size(), 4 + expected.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 4 + long(expected.size())), expected);
}

TEST_F(WorldStream, WriteReadWriteGivesTheSameBytes)
{
    world.limitKind = 2;
    world.wordLimit = 300;
    world.goalKind = 2;
    world.goal.armyCounts = {40, 2};
    world.byteRecords.resize(2);
    world.byteRecords[0].perPlayer = {1, 2};
    world.byteRecords[0].kind = 0;
    world.byteRecords[0].kind0ResourceBytes = {5, 6, 7};
    world.byteRecords[1].perPlayer = {3, 4};
    world.byteRecords[1].kind = 1;
    world.byteRecords[1].kind1ResourceBytes = {8, 9, 10};
    const std::vector<uint8_t> first = WorldBytes(world);
    CGameWorld back;
    ASSERT_TRUE(Read(first, back));
    EXPECT_EQ(StreamOut([&](CByteStream& s) { back.Stream(s); }), first);
    EXPECT_TRUE(back.Validate(true).IsEmpty()) << back.Validate(true).Chars();
    EXPECT_EQ(back.Province(2).garrison.definitionCounts.Count(), 2);  // sized even without a garrison
}

TEST_F(WorldStream, CoordinatesAreReadWithoutTheFileFlagBits)
{
    world.Province(1).rect[0] = int16_t(0x7000 | 0x123);
    const std::vector<uint8_t> bytes = WorldBytes(world);
    CGameWorld back;
    back.SetProvinceCount(5);
    back.Province(1).rect[0] = int16_t(0x1000);  // a flag of the record itself
    ASSERT_TRUE(Read(bytes, back));
    EXPECT_EQ(uint16_t(back.Province(1).rect[0]), 0x1123);
}

TEST_F(WorldStream, GoalAndLimitKindsStreamOnlyTheirFields)
{
    struct Case {
        uint8_t goalKind;
        uint8_t limitKind;
        size_t extra;  // bytes beyond those of goal kind 5 and limit kind 0
    };
    const Case cases[] = {
        {0, 0, 1}, {1, 0, 1}, {2, 0, 2 * 4 + 2}, {3, 0, 3 + 2}, {4, 0, 1},
        {5, 0, 0}, {9, 0, 0}, {5, 1, 1},         {5, 2, 2},     {5, 3, 0},
    };
    world.goalKind = 5;
    world.limitKind = 0;
    const size_t base = WorldBytes(world).size();
    for (const Case& c : cases) {
        world.goalKind = c.goalKind;
        world.limitKind = c.limitKind;
        const std::vector<uint8_t> bytes = WorldBytes(world);
        EXPECT_EQ(bytes.size(), base + c.extra) << int(c.goalKind) << "/" << int(c.limitKind);
        CGameWorld back;
        ASSERT_TRUE(Read(bytes, back));
        EXPECT_EQ(StreamOut([&](CByteStream& s) { back.Stream(s); }), bytes);
    }
}

TEST_F(WorldStream, EveryTruncationIsNoticed)
{
    const std::vector<uint8_t> bytes = WorldBytes(world);
    for (size_t n = 0; n < bytes.size(); ++n) {
        CGameWorld back;
        EXPECT_FALSE(Read(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(n)), back)) << n;
    }
}

TEST_F(WorldStream, LoadRefusesAnUnsoundWorld)
{
    struct Case {
        const char* what;
        void (*spoil)(CGameWorld&);
    };
    const Case cases[] = {
        {"player ids out of order", [](CGameWorld& w) { w.Player(1).playerId = 4; }},
        {"capital out of range", [](CGameWorld& w) { w.Player(0).capital = 200; }},
        {"no capital", [](CGameWorld& w) { w.Player(0).capital = 255; }},
        {"capital owned by another", [](CGameWorld& w) { w.Player(0).capital = 3; }},
        {"capital without a castle", [](CGameWorld& w) { w.Player(0).capital = 1; }},
        {"neighbour out of range", [](CGameWorld& w) { w.Province(2).neighbours.push_back(77); }},
        {"one-way neighbour", [](CGameWorld& w) { w.Province(2).neighbours.push_back(0); }},
        {"own neighbour", [](CGameWorld& w) { w.Province(2).neighbours.push_back(2); }},
        {"repeated slot type", [](CGameWorld& w) { w.Player(1).slotTypes[1] = CStr("sword"); }},
        {"unknown slot type", [](CGameWorld& w) { w.Player(1).slotTypes[1] = CStr("Catapult"); }},
        {"unknown owner", [](CGameWorld& w) { w.Province(4).owner = nullptr, w.Province(4).ownerId = 9; }},
        {"catapults beyond their three bits",
         [](CGameWorld& w) { w.Province(w.Player(0).capital).castle.definition |= 8 << 3; }},
    };
    for (const Case& c : cases) {
        CGameWorld sample;
        BuildFixtureWorld(sample);
        sample.BeforeSave();
        c.spoil(sample);
        const std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { sample.Stream(s); });
        CGameWorld target;
        SetActiveWorld(&target);
        CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
        EXPECT_FALSE(LoadWorldFromStream(reader, target)) << c.what;
        EXPECT_EQ(target.PlayerCount(), 0) << c.what << ": a refused world is not kept half-read";
    }
}

TEST_F(WorldStream, TheRulesAreInPlaceBeforeTheAfterLoadPass)
{
    world.Player(1).hero.kind = 2;
    const std::vector<uint8_t> bytes = WorldBytes(world);
    const RuleFraction saved[2] = {Rules().satisfactionStart, Rules().satisfactionStartKind2};
    SetWorldLoadedHook([](CGameWorld&) {
        Rules().satisfactionStart = RuleFraction{3, 40, 100};
        Rules().satisfactionStartKind2 = RuleFraction{7, 5, 100};
    });
    CGameWorld back;
    SetActiveWorld(&back);
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    const bool loaded = LoadWorldFromStream(reader, back);
    SetWorldLoadedHook(nullptr);
    Rules().satisfactionStart = saved[0];
    Rules().satisfactionStartKind2 = saved[1];
    ASSERT_TRUE(loaded);
    EXPECT_EQ(back.Player(0).hero.satisfaction.units, 3);
    EXPECT_EQ(back.Player(0).hero.satisfaction.hundredths, 40);
    EXPECT_EQ(back.Player(0).armyLocation, 0);
    EXPECT_EQ(back.Player(0).treasury[0], 500);
    EXPECT_EQ(back.Player(1).hero.satisfaction.units, 7);
    EXPECT_EQ(back.Player(1).hero.satisfaction.hundredths, 5);
    EXPECT_EQ(back.Player(0).personality, 170);  // battle 3, builder 2: 1 * 128 / 3 + 128
}

TEST_F(WorldStream, HostileCountsAreRefused)
{
    std::vector<uint8_t> bytes = WorldBytes(world);
    // The player count byte follows tag (4), kinds (1 + 3 * 5) and the slot count (1).
    const size_t playerCount = 4 + 1 + 15 + 1;
    ASSERT_EQ(bytes[playerCount], 2);
    bytes[playerCount] = 7;
    CGameWorld back;
    EXPECT_FALSE(Read(bytes, back));
    bytes[playerCount] = 2;
    bytes[4] = 200;  // kinds
    EXPECT_FALSE(Read(bytes, back));
}

TEST_F(WorldStream, MapBlockListRoundTrip)
{
    MapBlockList list;
    list.width = 480;
    list.second = 7;
    list.strips = {{{{1, 2}, {3, 4}}, {}}, {{{5, 6}}}};
    const std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { world.StreamBlockList(list, s); });
    EXPECT_EQ(bytes.size(), 2u + 2 + 1 + (1 + (1 + 4) + 1) + (1 + (1 + 2)));
    MapBlockList back;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    world.StreamBlockList(back, reader);
    EXPECT_FALSE(reader.HasError());
    EXPECT_EQ(StreamOut([&](CByteStream& s) { world.StreamBlockList(back, s); }), bytes);
}
}  // namespace

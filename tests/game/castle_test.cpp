#include <gtest/gtest.h>

#include "game/game_object.h"
#include "game/province_record.h"
#include "tests/game/game_fixture.h"
#include "tests/support/fixture_packs.h"

namespace {
// Gates 40, walls 20, fortified walls 30 hit points.
class CastleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PackWriter pack(1);
        ASSERT_TRUE(pack.AddText("Objects/Battle/Gates/descr", "zkqd", CrLf({"40"})));
        ASSERT_TRUE(pack.AddText("Objects/Battle/Wall/descr", "zkqd", CrLf({"// plain wall", "20"})));
        ASSERT_TRUE(pack.AddText("Objects/Battle/FortWall/descr", "zkqd", CrLf({"30"})));
        ASSERT_TRUE(pack.AddText("Objects/Battle/Trebuchet/descr", "zkqd", CrLf({"300"})));
        data.AddPack("castle", pack);
        ASSERT_TRUE(data.Mount());
    }
    FixtureData data;
};

TEST_F(CastleTest, DefenceObjectsReadTheirDescriptions)
{
    EXPECT_EQ(GatesFullHitPoints(), 40);
    EXPECT_EQ(WallFullHitPoints(false), 20);
    EXPECT_EQ(WallFullHitPoints(true), 30);
    CCatapult catapult;  // no description: the default
    EXPECT_EQ(catapult.hitPoints, 4);
    CTrebuchet trebuchet;  // 300 cut to 8 bits
    EXPECT_EQ(trebuchet.hitPoints, 300 & 0xFF);
    CGates gates;
    CFortWall fort;
    EXPECT_TRUE(gates.IsKindOf(kKindArmyItem));
    EXPECT_TRUE(gates.IsKindOf(kKindGates));
    EXPECT_FALSE(gates.IsKindOf(kKindWall));
    EXPECT_TRUE(fort.IsKindOf(kKindArmyItem) && fort.IsKindOf(kKindWall) && fort.IsKindOf(kKindFortWall));
    EXPECT_EQ(fort.Kind(), kKindFortWall);
}

TEST_F(CastleTest, MendingWithFortifiedWallsIsSlower)
{
    PlayerRecord player;
    player.hero.builder = 2;
    CastleState castle;
    castle.work = kWorkNone;
    castle.percent = 40;
    castle.fortWalls = 1;
    castle.EndTurnStep(player);
    EXPECT_EQ(castle.percent, 56);  // (2 * 5 + 15) * 2 / 3 = 16
    castle.percent = 95;
    castle.fortWalls = 0;
    castle.EndTurnStep(player);
    EXPECT_EQ(castle.percent, 100);
}

TEST_F(CastleTest, DefencesFollowThePercent)
{
    CastleState castle;
    castle.percent = 30;
    castle.DefencesFromPercent();
    EXPECT_EQ(castle.gates, 20);  // 10 of 20 shares of 40
    for (uint8_t s : castle.segments)
        EXPECT_EQ(s, 0);
    castle.percent = 80;
    castle.DefencesFromPercent();
    EXPECT_EQ(castle.gates, 40);
    for (uint8_t s : castle.segments)
        EXPECT_EQ(s, 20);
    castle.PercentFromDefences();
    EXPECT_EQ(castle.percent, 80);
    castle.percent = 10;
    castle.PercentFromDefences();
    EXPECT_EQ(castle.percent, 70);  // below 20 the old percent is the base
    castle.percent = 10;
    castle.DefencesFromPercent();  // never lowers what stands
    EXPECT_EQ(castle.gates, 40);
}

TEST_F(CastleTest, SessionStreamKeepsOnlyFourSegments)
{
    CastleState castle;
    castle.percent = 77;
    castle.work = kWorkMoat;
    castle.turnsLeft = 2;
    for (int i = 0; i < 4; ++i)
        castle.segments[i] = uint8_t(i + 1);
    std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { castle.Stream(s); });
    CastleState back;
    {
        CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
        back.Stream(reader);
        ASSERT_FALSE(reader.HasError());
    }
    EXPECT_EQ(StreamOut([&](CByteStream& s) { back.Stream(s); }), bytes);
    // Six segments in the file: the first four are kept and the rest consumed.
    std::vector<uint8_t> six(bytes.begin(), bytes.end() - 8);
    const uint8_t tail[] = {6, 0, 0, 0, 9, 8, 7, 6, 5, 4};
    six.insert(six.end(), tail, tail + sizeof tail);
    CastleState wide;
    CStreamReader reader(six.data(), uint32_t(six.size()));
    wide.Stream(reader);
    EXPECT_FALSE(reader.HasError());
    EXPECT_EQ(reader.Position(), six.size());
    EXPECT_EQ(wide.segments[3], 6);
    // A segment count the data cannot hold is refused.
    std::vector<uint8_t> hostile(bytes.begin(), bytes.end() - 8);
    const uint8_t huge[] = {0xFF, 0xFF, 0xFF, 0x7F, 1, 2};
    hostile.insert(hostile.end(), huge, huge + sizeof huge);
    CStreamReader bad(hostile.data(), uint32_t(hostile.size()));
    CastleState refused;
    refused.Stream(bad);
    EXPECT_TRUE(bad.HasError());
}

TEST_F(CastleTest, WorkOfAPlayerOutOfTheGameNeverCompletes)
{
    CGameWorld world;
    TestSquadTypes types;
    BuildFixtureWorld(world);
    // The fixture's players have no controller: they take no part.
    ProvinceRecord& capital = world.Province(0);
    capital.castle.guildLevel = 4;
    capital.castle.StartBuild(kWorkGuildLevel, 0, 0);
    capital.castle.BeginTurnStep(world.Player(0));
    EXPECT_EQ(capital.castle.work, uint32_t(kWorkGuildLevel));
    SetActiveWorld(nullptr);
}

TEST_F(CastleTest, NeutralProvinceKeepsNoOwnerThroughTheStream)
{
    CGameWorld world;
    TestSquadTypes types;
    BuildFixtureWorld(world);
    world.Province(1).SetOwner(nullptr);
    EXPECT_EQ(world.Province(1).ownerId, ProvinceRecord::kNeutralId);
    const std::vector<uint8_t> bytes = WorldBytes(world);
    EXPECT_EQ(world.Province(1).ownerId, ProvinceRecord::kNoOwnerInFile);
    CGameWorld back;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    back.Stream(reader);
    ASSERT_FALSE(reader.HasError());
    SetActiveWorld(&back);
    back.AfterLoad();
    EXPECT_EQ(back.Province(1).owner, nullptr);
    EXPECT_EQ(back.Province(1).garrison.Count(), 0);
    EXPECT_EQ(back.Province(0).owner, &back.Player(0));
    EXPECT_EQ(back.Province(0).castle.capital, 1);
    EXPECT_EQ(back.Province(0).garrison.Item(0)->count, 4);
    SetActiveWorld(nullptr);
}
}  // namespace

namespace {
TEST_F(CastleTest, ConstructionAdvancesAndAWholeCastleOnlyCountsDown)
{
    PlayerRecord player;
    CastleState castle;
    castle.StartBuild(kWorkBuildCastle, 3, 35);
    castle.percent = 0;
    castle.EndTurnStep(player);
    castle.EndTurnStep(player);
    EXPECT_EQ(castle.percent, 70);
    EXPECT_EQ(castle.turnsLeft, 1);
    EXPECT_EQ(castle.gates, 40);  // 50 points above the base of 20 make the gates whole
    castle.EndTurnStep(player);
    castle.EndTurnStep(player);
    EXPECT_EQ(castle.percent, 100);
    EXPECT_EQ(castle.turnsLeft, 0);

    CastleState whole;
    whole.work = kWorkNone;
    whole.percent = 100;
    whole.turnsLeft = 2;
    whole.EndTurnStep(player);
    EXPECT_EQ(whole.percent, 100);
    EXPECT_EQ(whole.turnsLeft, 1);
    EXPECT_EQ(whole.gates, 0);  // nothing mended, nothing raised
}

TEST_F(CastleTest, ANewOwnerGetsAnEmptyGarrisonOfItsSlotsAndStopsTheWork)
{
    CGameWorld world;
    TestSquadTypes types;
    BuildFixtureWorld(world);
    ProvinceRecord& capital = world.Province(3);
    capital.castle.StartBuild(kWorkMarket, 2, 0);
    capital.SetOwner(&world.Player(0));
    EXPECT_EQ(capital.ownerId, 0);
    EXPECT_EQ(capital.castle.work, uint32_t(kWorkNone));
    EXPECT_EQ(capital.garrisonFlag, 1);
    ASSERT_EQ(capital.garrison.Count(), 2);
    EXPECT_EQ(capital.garrison.Item(0)->type, types.sword);
    EXPECT_EQ(capital.garrison.Item(0)->count, 0);
    EXPECT_EQ(capital.castle.capital, 1);  // keeps its flag: it is still player 1's capital index
    SetActiveWorld(nullptr);
}
}  // namespace

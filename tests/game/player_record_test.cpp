#include <gtest/gtest.h>

#include "core/byte_stream.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "tests/game/controller_double.h"
#include "tests/game/game_fixture.h"

namespace {
TEST(PlayerStats, BlockSizeCountsTheWholeBlockAndNewerFieldsAreSkipped)
{
    TestSquadTypes types;
    CPlayerStats stats;
    stats.victories = 7;
    stats.retreats = 2;
    stats.strengthRating = 55;
    CSquad squad;
    squad.SetType(types.bow);
    squad.count = 3;
    stats.killed.AddSquadCopy(squad);
    std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { stats.Stream(s); });
    EXPECT_EQ(stats.blockSize, bytes.size());
    EXPECT_EQ(bytes[0], uint8_t(bytes.size()));

    // A newer writer appended six bytes to the block: a reader passes over them.
    std::vector<uint8_t> newer = bytes;
    newer.insert(newer.end(), {1, 2, 3, 4, 5, 6});
    newer[0] = uint8_t(newer.size());
    newer.push_back(0xAB);  // the next field after the block
    CPlayerStats back;
    CStreamReader reader(newer.data(), uint32_t(newer.size()));
    back.Stream(reader);
    ASSERT_FALSE(reader.HasError());
    EXPECT_EQ(reader.Position(), newer.size() - 1);
    EXPECT_EQ(back.victories, 7);
    EXPECT_EQ(back.retreats, 2);
    EXPECT_EQ(back.strengthRating, 55);
    EXPECT_EQ(back.killed.Strength(), 9);

    // A block claiming to be shorter than its own fields is damaged.
    std::vector<uint8_t> lying = bytes;
    lying[0] = 8;
    CStreamReader bad(lying.data(), uint32_t(lying.size()));
    CPlayerStats refused;
    refused.Stream(bad);
    EXPECT_TRUE(bad.HasError());
}

TEST(PlayerStats, OlderLayoutsCarryNoBlockSize)
{
    CPlayerStats stats;
    stats.victories = 3;
    stats.retreats = 9;  // not part of version 7
    const std::vector<uint8_t> v7 = StreamOut([&](CByteStream& s) { stats.Stream(s); }, 7);
    const std::vector<uint8_t> v9 = StreamOut([&](CByteStream& s) { stats.Stream(s); }, 9);
    EXPECT_EQ(v7.size() + 4, v9.size());
    const std::vector<uint8_t> v6 = StreamOut([&](CByteStream& s) { stats.Stream(s); }, 6);
    CPlayerStats back;
    CStreamReader reader(v6.data(), uint32_t(v6.size()));
    reader.SetVersion(6);
    back.Stream(reader);
    EXPECT_FALSE(reader.HasError());
    EXPECT_EQ(back.victories, 3);
    EXPECT_EQ(back.retreats, 0);
}

TEST(Personality, FromSkillsTable)
{
    struct Case {
        uint8_t battle, builder, personality;
    };
    const Case cases[] = {
        {5, 1, 230}, {2, 2, 128},
        {1, 5, 26},  {0, 0, 128},  // no skills at all: neutral, not a division by zero
        {9, 0, 255},               // the most warlike hero stays the most warlike
        {0, 9, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PersonalityFromSkills(c.battle, c.builder), c.personality)
            << int(c.battle) << "/" << int(c.builder);
}

// The leaning a player began with stays through saving and loading, though
// its hero's skills grew since; a save of an older version, which did not
// keep it, takes it from the skills.
TEST(Personality, TravelsInTheSavedSessionFromVersionTen)
{
    TestSquadTypes types;
    TestControllers controllers;
    CGameWorld world;
    BuildFixtureWorld(world);
    PlayerRecord& player = world.Player(1);
    player.hero.battle = 5;
    player.hero.builder = 1;  // 230 from these skills
    for (const int32_t version : {10, 9}) {
        player.personality = 100;
        const std::vector<uint8_t> bytes =
            StreamOut([&](CByteStream& s) { player.StreamSession(s); }, version);
        EXPECT_EQ(player.personality, 100) << "saving changed the leaning, version " << version;
        player.personality = 7;
        CStreamReader reader(const_cast<uint8_t*>(bytes.data()), uint32_t(bytes.size()));
        reader.SetVersion(version);
        player.StreamSession(reader);
        EXPECT_FALSE(reader.HasError());
        EXPECT_EQ(player.personality, version >= 10 ? 100 : 230) << "version " << version;
    }
    SetActiveWorld(nullptr);
}

TEST(Personality, WeightTable)
{
    PlayerRecord p;
    const std::pair<uint8_t, int32_t> cases[] = {{0, -10}, {128, 0}, {255, 10}};
    for (const auto& [personality, weight] : cases) {
        p.personality = personality;
        EXPECT_EQ(p.PersonalityWeight(20), weight) << int(personality);
    }
}

TEST(PlayerRecordTest, SpendClampsTheTreasuryButCountsTheWholePrice)
{
    SetActiveWorld(nullptr);
    PlayerRecord p;
    p.treasury[0] = 30;
    CResourceBundle price;
    price[0] = 50;
    price[1] = 4;
    p.Spend(price);
    EXPECT_EQ(p.treasury[0], 0);
    EXPECT_EQ(p.treasury[1], 0);
    EXPECT_EQ(p.stats.spent[0], 50);
    p.Earn(price);
    EXPECT_EQ(p.treasury[0], 50);
    EXPECT_EQ(p.stats.taxes[1], 4);
}
}  // namespace

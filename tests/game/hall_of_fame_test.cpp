#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "game/hall_of_fame.h"
#include "game/saved_game.h"
#include "tests/game/game_fixture.h"
#include "tests/support/fixture_packs.h"

namespace {
const std::vector<std::string> kShippedConfig = {
    "[config]", "5",     "[constants]", "15000", "3000", "400",   "20",   "80",    "20",   "200",
    "100",      "20",    "25",          "15",    "60",   "2000",  "2000", "25000", "3000", "440",
    "20",       "120",   "20",          "200",   "100",  "21",    "27",   "14",    "60",   "2500",
    "2000",     "33000", "3000",        "480",   "20",   "140",   "20",   "200",   "100",  "22",
    "29",       "13",    "60",          "3000",  "2000", "42000", "3000", "520",   "20",   "160",
    "20",       "200",   "100",         "23",    "31",   "12",    "60",   "3500",  "2000",
};

class HallOfFameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PackWriter pack(1);
        ASSERT_TRUE(pack.AddText("Rules/hof", "zkqd", CrLf(kShippedConfig)));
        data.AddPack("rules", pack);
        ASSERT_TRUE(data.Mount());
        ASSERT_TRUE(LoadGameConfig());
        BuildFixtureWorld(world);
        game.world = &world;
        game.missionPath = CStr("/Scenarios/scenario01/Mission001");
        game.turn = 30;
        game.difficulty = 0;
    }
    void TearDown() override
    {
        FreeHallOfFame();
        SetActiveWorld(nullptr);
    }

    // An entry of a mission scoring about `score` on easy.
    CHallOfFameEntry EntryScoring(int32_t score, const char* mission)
    {
        CHallOfFameEntry e;
        e.missionPath = CStr(mission);
        e.strengthRating = 100;
        e.incomeRating = 100;
        e.provinceCount = 0;
        e.finalResources.Zero();
        e.finalResources[0] = (score - 15000) * 10 / 20;
        e.score = e.ComputeScore();
        return e;
    }

    TestSquadTypes types;
    FixtureData data;
    CGameWorld world;
    HallOfFameGame game;
};

TEST_F(HallOfFameTest, ScoreOfTheWorkedExample)
{
    CHallOfFameEntry e;
    e.difficulty = 0;
    e.turns = 30;
    e.provinceCount = 10;
    e.owned = 10;
    e.castles = 3;
    e.finalResources.Zero();
    e.finalResources[0] = 500;
    CSquad squad;
    squad.SetType(types.sword);  // force 5
    squad.count = 40;
    e.finalArmy.AddSquadCopy(squad);
    squad.count = 20;
    e.killed.AddSquadCopy(squad);
    squad.count = 10;
    e.lost.AddSquadCopy(squad);
    EXPECT_EQ(e.ComputeScore(), 16375);
    e.provinceCount = 0;  // a damaged file: the shares count nothing instead of dividing by zero
    EXPECT_EQ(e.ComputeScore(), 16375 - 400 - 20 * 10 * 100 / 10 - 80 * 3 * 100 / 10);
    e.turns = 100000;
    EXPECT_EQ(e.ComputeScore(), 0);
}

TEST_F(HallOfFameTest, AFullTableTakesOnlyABetterResult)
{
    PlayerRecord& player = world.Player(0);
    CHallOfFameEntry probe;
    probe.FillFromPlayer(player, game);
    const int32_t score = probe.score;
    ASSERT_GT(score, 1);
    // Five entries like the player's result, the lowest scoring exactly as
    // much; each gold of the final resources is worth two points on easy.
    std::vector<CHallOfFameEntry> entries;
    for (int i = 0; i < 5; ++i) {
        CHallOfFameEntry e = probe;
        e.missionPath = CStr("/SCENARIOS/Scenario01/mission001");
        e.finalResources[0] += i == 4 ? 0 : 500 * (i + 1);
        entries.push_back(e);
    }
    const std::vector<uint8_t> file = StreamOut([&](CByteStream& s) {
        uint16_t count = uint16_t(entries.size());
        s.U16(count);
        for (CHallOfFameEntry& e : entries)
            e.Stream(s);
    });
    ASSERT_TRUE(ReadHallOfFame(file.data(), uint32_t(file.size())));
    EXPECT_EQ(HallOfFameCount(game.missionPath), 5);  // paths differing in case share one table
    CHallOfFameEntry first;
    ASSERT_TRUE(HallOfFameGetEntry(game.missionPath, 0, first));
    EXPECT_EQ(first.score, score + 4000);
    EXPECT_FALSE(QualifiesForHallOfFame(player, game));
    EXPECT_FALSE(AddToHallOfFame(player, game));
    player.treasury[0] += 1;
    EXPECT_TRUE(QualifiesForHallOfFame(player, game));
    EXPECT_TRUE(AddToHallOfFame(player, game));
    EXPECT_EQ(HallOfFameCount(game.missionPath), 5);
    CHallOfFameEntry lowest;
    ASSERT_TRUE(HallOfFameGetEntry(game.missionPath, 4, lowest));
    EXPECT_EQ(lowest.score, score + 2);
    EXPECT_FALSE(HallOfFameGetEntry(game.missionPath, 5, lowest));
}

TEST_F(HallOfFameTest, AnOverfullTableDoesNotGrow)
{
    HallOfFameConfig().placesPerMission = 2;
    std::vector<CHallOfFameEntry> entries;
    for (int i = 0; i < 4; ++i)
        entries.push_back(EntryScoring(20000 + i * 100, "/Scenarios/scenario01/Mission001"));
    const std::vector<uint8_t> file = StreamOut([&](CByteStream& s) {
        uint16_t count = 4;
        s.U16(count);
        for (CHallOfFameEntry& e : entries)
            e.Stream(s);
    });
    ASSERT_TRUE(ReadHallOfFame(file.data(), uint32_t(file.size())));
    PlayerRecord& player = world.Player(0);
    player.treasury[0] = 0;
    player.treasury[1] = 0;
    player.treasury[2] = 0;
    game.turn = 400;  // a poor result
    EXPECT_FALSE(AddToHallOfFame(player, game));
    EXPECT_EQ(HallOfFameCount(game.missionPath), 4);
    game.turn = 1;
    player.treasury[0] = 100000;
    EXPECT_TRUE(AddToHallOfFame(player, game));
    EXPECT_EQ(HallOfFameCount(game.missionPath), 4);
}

TEST_F(HallOfFameTest, SaveAndLoadRecomputeTheScores)
{
    PlayerRecord& player = world.Player(0);
    player.stats.victories = 3;
    player.stats.retreats = 1;
    ASSERT_TRUE(AddToHallOfFame(player, game));
    CHallOfFameEntry saved;
    ASSERT_TRUE(HallOfFameGetEntry(game.missionPath, 0, saved));
    EXPECT_EQ(saved.battles, 4);
    ASSERT_TRUE(data.folder().Exists("zkvhof0.sav"));
    const std::string file = data.folder().Read("zkvhof0.sav");
    HallOfFameConfig().blocks[0].base += 1000;
    ASSERT_TRUE(LoadHallOfFameFile());
    CHallOfFameEntry loaded;
    ASSERT_TRUE(HallOfFameGetEntry(game.missionPath, 0, loaded));
    EXPECT_EQ(loaded.score, saved.score + 1000);
    EXPECT_EQ(CStr("Aldra"), loaded.playerName);
    EXPECT_EQ(loaded.owned, 2);
    ASSERT_TRUE(SaveHallOfFameFile());
    EXPECT_EQ(data.folder().Read("zkvhof0.sav").size(), file.size());
}

TEST_F(HallOfFameTest, DamagedFilesAreRefusedWhole)
{
    ASSERT_TRUE(AddToHallOfFame(world.Player(0), game));
    ASSERT_TRUE(AddToHallOfFame(world.Player(1), game));
    const std::vector<uint8_t> body = WriteHallOfFame();
    for (size_t n = 0; n < body.size(); n += 5) {
        EXPECT_FALSE(ReadHallOfFame(body.data(), uint32_t(n))) << n;
        EXPECT_EQ(HallOfFameTotal(), 0) << n;
    }
    std::vector<uint8_t> hostile = body;
    hostile[0] = 0xFF;
    hostile[1] = 0xFF;
    EXPECT_FALSE(ReadHallOfFame(hostile.data(), uint32_t(hostile.size())));
    EXPECT_TRUE(ReadHallOfFame(body.data(), uint32_t(body.size())));
    EXPECT_EQ(HallOfFameTotal(), 2);
}
}  // namespace

namespace {
TEST_F(HallOfFameTest, AFinishedGameLosesItsSaveBeforeItEntersTheHallOfFame)
{
    // The hall of fame's write fails here as a kill at that moment would cut
    // it short: the finished game must no longer be there to be finished again.
    ASSERT_TRUE(data.folder().Write("zkvsave04.sav", "\x09\x00the finished game"));
    ASSERT_TRUE(SaveSlots::Select(4));
    ASSERT_EQ(mkdir(data.folder().File("zkvhof0_new.sav").c_str(), 0700), 0);
    AddFinishedGameToHallOfFame(world.Player(0), game);
    EXPECT_FALSE(data.folder().Exists("zkvsave04.sav"));
    EXPECT_FALSE(data.folder().Exists("zkvhof0.sav"));
    rmdir(data.folder().File("zkvhof0_new.sav").c_str());

    // Without a fault the entry is written too, and a left-over temporary
    // file of the hall of fame is gone at the next load.
    ASSERT_TRUE(data.folder().Write("zkvsave04.sav", "\x09\x00the finished game"));
    ASSERT_TRUE(SaveSlots::Select(4));
    EXPECT_TRUE(AddFinishedGameToHallOfFame(world.Player(0), game));
    EXPECT_FALSE(data.folder().Exists("zkvsave04.sav"));
    ASSERT_TRUE(data.folder().Write("zkvhof0_new.sav", "\x09\x00half"));
    ASSERT_TRUE(LoadHallOfFameFile());
    EXPECT_EQ(HallOfFameTotal(), 2);
    EXPECT_FALSE(data.folder().Exists("zkvhof0_new.sav"));
    SaveSlots::ReleaseCurrent();
}

TEST(HallOfFameConfiguration, MissingSectionsKeepTheDefaults)
{
    FixtureData data;
    PackWriter pack(1);
    ASSERT_TRUE(pack.AddText("Rules/hof", "zkqd", CrLf({"[constants]", "100"})));
    data.AddPack("rules", pack);
    ASSERT_TRUE(data.Mount());
    HallOfFameConfig() = GameConfig();
    EXPECT_FALSE(LoadGameConfig());
    EXPECT_EQ(HallOfFameConfig().placesPerMission, 4);
    EXPECT_EQ(HallOfFameConfig().blocks[0].base, 100);  // the section that is there is read
    FreeHallOfFame();
}
}  // namespace

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

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

// Hand-made damage to a file of three entries; what is kept is what still reads.
TEST_F(HallOfFameTest, ADamagedFileIsKeptAsideWithTheEntriesThatRead)
{
    for (int i = 0; i < 3; ++i) {
        game.turn = 30 + i;
        ASSERT_TRUE(AddToHallOfFame(world.Player(i % 2), game));
    }
    const std::vector<uint8_t> body = WriteHallOfFame();
    uint32_t firstBlock = 0;
    std::memcpy(&firstBlock, body.data() + 2, 4);
    const std::string version("\x09\x00", 2);
    const std::string whole = version + std::string(body.begin(), body.end());
    auto withCount = [&](uint16_t count) {
        std::string file = whole;
        file[2] = char(count & 0xFF);
        file[3] = char(count >> 8);
        return file;
    };
    std::string firstDamaged = whole;
    for (uint32_t i = 2 + 4 + 4; i < 2 + 2 + firstBlock; ++i)
        firstDamaged[i] = char(0xFF);
    struct Case {
        const char* what;
        std::string file;
        int kept;
    };
    const Case cases[] = {
        {"cut short in the last entry", whole.substr(0, whole.size() - 7), 2},
        {"cut short in the count", whole.substr(0, 3), 0},
        {"only a version word", version, 0},
        {"one byte", whole.substr(0, 1), 0},
        {"a count too high", withCount(9), 3},
        {"a count too low", withCount(1), 3},
        {"an impossible count", withCount(0xFFFF), 3},
        {"a garbage tail", whole + std::string(11, char(0xEE)), 3},
        {"a damaged first entry", firstDamaged, 2},
        {"an old version", std::string("\x05\x00", 2) + whole.substr(2), 0},
    };
    for (const Case& c : cases) {
        std::remove(data.folder().File("zkvhof0_damaged.sav").c_str());
        ASSERT_TRUE(data.folder().Write("zkvhof0.sav", c.file));
        EXPECT_FALSE(LoadHallOfFameFile()) << c.what;
        EXPECT_EQ(HallOfFameTotal(), c.kept) << c.what;
        EXPECT_EQ(data.folder().Read("zkvhof0_damaged.sav"), c.file)
            << c.what << ": the damaged file is kept aside";
        EXPECT_TRUE(TakeHallOfFameDamageNotice()) << c.what;
        EXPECT_FALSE(TakeHallOfFameDamageNotice()) << c.what << ": said once";
        // What read is written back, so the next reading finds a sound file
        // and says nothing more.
        EXPECT_TRUE(LoadHallOfFameFile()) << c.what;
        EXPECT_EQ(HallOfFameTotal(), c.kept) << c.what;
        EXPECT_FALSE(TakeHallOfFameDamageNotice()) << c.what;
    }

    ASSERT_TRUE(data.folder().Write("zkvhof0.sav", whole));
    std::remove(data.folder().File("zkvhof0_damaged.sav").c_str());
    EXPECT_TRUE(LoadHallOfFameFile());
    EXPECT_EQ(HallOfFameTotal(), 3);
    EXPECT_FALSE(data.folder().Exists("zkvhof0_damaged.sav"));
    EXPECT_FALSE(TakeHallOfFameDamageNotice());
}
}  // namespace

namespace {
TEST_F(HallOfFameTest, AFinishedGameKeepsItsSaveUntilTheFileHoldsItsResult)
{
    // The hall of fame cannot be written: the finished game's save is all
    // that is left of the result, so it stays.
    ASSERT_TRUE(data.folder().Write("zkvsave04.sav", "\x09\x00the finished game"));
    ASSERT_TRUE(SaveSlots::Select(4));
    ASSERT_EQ(mkdir(data.folder().File("zkvhof0_new.sav").c_str(), 0700), 0);
    EXPECT_EQ(AddFinishedGameToHallOfFame(world.Player(0), game), FinishedResult::kUnwritten);
    EXPECT_TRUE(data.folder().Exists("zkvsave04.sav"));
    EXPECT_FALSE(data.folder().Exists("zkvhof0.sav"));
    rmdir(data.folder().File("zkvhof0_new.sav").c_str());
    FreeHallOfFame();

    // Otherwise the entry is on disk under the lord's name before the save
    // goes, and the winner's name replaces it there, in the same entry.
    ASSERT_EQ(AddFinishedGameToHallOfFame(world.Player(0), game), FinishedResult::kWritten);
    EXPECT_FALSE(data.folder().Exists("zkvsave04.sav"));
    ASSERT_TRUE(LoadHallOfFameFile());
    CHallOfFameEntry entry;
    ASSERT_EQ(HallOfFameCount(game.missionPath), 1);
    ASSERT_TRUE(HallOfFameGetEntry(game.missionPath, 0, entry));
    EXPECT_EQ(entry.playerName, CStr("Aldra"));
    EXPECT_EQ(RenameFinishedGameEntry(world.Player(0), game, CStr("edric")), FinishedResult::kWritten);
    ASSERT_TRUE(data.folder().Write("zkvhof0_new.sav", "\x09\x00half"));
    ASSERT_TRUE(LoadHallOfFameFile());
    ASSERT_EQ(HallOfFameCount(game.missionPath), 1);
    ASSERT_TRUE(HallOfFameGetEntry(game.missionPath, 0, entry));
    EXPECT_EQ(entry.playerName, CStr("edric"));
    EXPECT_EQ(entry.heroName, CStr("edric"));
    EXPECT_FALSE(data.folder().Exists("zkvhof0_new.sav"));
    SaveSlots::ReleaseCurrent();
}
}  // namespace

// Whole games between computer players through the harness: a seeded game
// replays to the same bytes, every mission ends with a winner at every
// difficulty, and the program refuses saved games it cannot take.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "sim/sim_driver.h"
#include "tests/support/build_folder.h"

namespace {

// A sane game of our scenario ends well within this many rounds (the longest
// of the seeds below, the largest mission at difficulty 1 seed 4, takes 418).
constexpr int32_t kRoundLimit = 500;

// Test cases run as parallel processes, and several builds share one
// temporary folder: every file name carries the process id.
std::string TempFile(const char* name)
{
    return ::testing::TempDir() + "tharn_sim_" + std::to_string(::getpid()) + "_" + name;
}

std::string BuildDir()
{
    return TestBuildFolder();
}

class SimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(SimStartEngine(BuildDir() + "/Data/", error)) << error;
    }
    void TearDown() override { SimStopEngine(); }
};

std::vector<uint8_t> PlayAndSave(int mission, int32_t difficulty, uint32_t seed, int32_t rounds)
{
    std::string error;
    EXPECT_TRUE(SimNewGame(mission, difficulty, seed, error)) << error;
    SimPlay(rounds);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(SimSaveBytes(bytes));
    return bytes;
}

TEST_F(SimTest, TheDataHoldsMissionsOfGrowingSize)
{
    const std::vector<CStr> missions = SimMissionPaths();
    ASSERT_GE(missions.size(), 3u);
}

TEST_F(SimTest, ASeededGameReplaysToTheSameBytes)
{
    const int last = int(SimMissionPaths().size()) - 1;
    const std::vector<uint8_t> first = PlayAndSave(last, 2, 31337, 25);
    const std::vector<uint8_t> second = PlayAndSave(last, 2, 31337, 25);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    // Another seed plays another game.
    const std::vector<uint8_t> other = PlayAndSave(last, 2, 4242, 25);
    EXPECT_NE(first, other);
}

TEST_F(SimTest, ASavedGameLoadsAndPlaysOn)
{
    const std::string file = TempFile("sim_resume.sav");
    std::string error;
    ASSERT_TRUE(SimNewGame(0, 1, 7, error)) << error;
    SimPlay(5);
    ASSERT_TRUE(SimSaveFile(file, error)) << error;
    std::vector<uint8_t> saved;
    ASSERT_TRUE(SimSaveBytes(saved));
    ASSERT_TRUE(SimLoadGame(file, 7, error)) << error;
    // The game was saved where the game saves itself: inside the first
    // player's turn of the next round.
    EXPECT_EQ(Game().turn, 6);
    // Loading and saving again changes nothing.
    std::vector<uint8_t> again;
    ASSERT_TRUE(SimSaveBytes(again));
    EXPECT_EQ(again, saved);
    const SimOutcome more = SimPlay(3);
    if (more.winner < 0) {
        EXPECT_EQ(more.rounds, 8);
    }
    std::remove(file.c_str());
}

// The reports a sim game leaves in its save are read by a person who resumes
// it: their titles are texts, not the keys of the texts.
TEST_F(SimTest, ReportTitlesAreTranslatedTexts)
{
    std::string error;
    ASSERT_TRUE(SimNewGame(0, 1, 7, error)) << error;
    SimPlay(3);
    int titles = 0;
    for (int i = 0; i < GameWorld()->PlayerCount(); ++i) {
        const CPlayerController* controller = GameWorld()->Player(i).GetController();
        if (controller == nullptr)
            continue;
        const CReportList& reports = controller->Reports();
        for (int r = 0; r < reports.Count(); ++r) {
            const CStr& title = reports.Entry(r).title;
            if (title.IsEmpty())
                continue;
            ++titles;
            for (const char* key : {"RepTaxes", "RepTreasury", "RepRecruitment", "RepCampRecr", "RepDecease"})
                EXPECT_STRNE(title.Chars(), key) << "player " << i << " report " << r;
        }
    }
    EXPECT_GT(titles, 0);
}

// A save made inside a player's turn, as the game makes it.
std::vector<uint8_t> g_midTurnSave;
constexpr int32_t kSaveRound = 4;
constexpr int kSaveSeat = 2;

void SaveInsideTheTurn(int seat, bool before)
{
    if (before && seat == kSaveSeat && Game().turn == kSaveRound && g_midTurnSave.empty())
        SimSaveBytes(g_midTurnSave);
}

TEST_F(SimTest, AGameSavedInsideATurnGoesOnAsIfNeverSaved)
{
    const int last = int(SimMissionPaths().size()) - 1;
    std::string error;
    ASSERT_TRUE(SimNewGame(last, 1, 2024, error)) << error;
    SimPlay(7);
    std::vector<uint8_t> straight;
    ASSERT_TRUE(SimSaveBytes(straight));

    // The same game, saved inside the third player's turn of round 4; saving
    // changes nothing of the game that plays on.
    g_midTurnSave.clear();
    ASSERT_TRUE(SimNewGame(last, 1, 2024, error)) << error;
    SimSetPlayTurnHook(&SaveInsideTheTurn);
    SimPlay(7);
    SimSetPlayTurnHook(nullptr);
    ASSERT_FALSE(g_midTurnSave.empty());
    std::vector<uint8_t> saver;
    ASSERT_TRUE(SimSaveBytes(saver));
    EXPECT_EQ(saver, straight);

    // Loaded, the game goes on in that player's turn and ends the same.
    const std::string file = TempFile("sim_mid_turn.sav");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(g_midTurnSave.data()), std::streamsize(g_midTurnSave.size()));
    }
    ASSERT_TRUE(SimLoadGame(file, 2024, error)) << error;
    EXPECT_EQ(GameWorld()->currentPlayer, kSaveSeat);
    EXPECT_EQ(Game().turn, kSaveRound);
    EXPECT_EQ(SimPlay(4).rounds, 7);
    std::vector<uint8_t> resumed;
    ASSERT_TRUE(SimSaveBytes(resumed));
    EXPECT_EQ(resumed, straight);
    std::remove(file.c_str());
}

// Saves taken at several turns of one game, as the hook sees them.
struct SavePoint {
    int32_t round;
    int seat;
    std::vector<uint8_t> bytes;
};
std::vector<SavePoint> g_savePoints;

void SaveAtEveryPoint(int seat, bool before)
{
    for (SavePoint& point : g_savePoints)
        if (before && point.seat == seat && point.round == Game().turn && point.bytes.empty())
            SimSaveBytes(point.bytes);
}

// Saved at turns spread over the game, by seats in turn, a game plays on to
// the bytes of the game never saved: neither saving nor loading may change
// what a computer player remembers (whom it fought, where it attacked last)
// or how it leans (its personality after its hero grew).
TEST_F(SimTest, GamesSavedAtManyTurnsGoOnAsIfNeverSaved)
{
    struct Case {
        int mission;  // counted back from the largest
        int32_t difficulty;
        uint32_t seed;
        int32_t rounds;
    };
    const Case cases[] = {{0, 3, 35, 40}, {0, 2, 11, 40}, {1, 3, 7, 30}, {0, 1, 2024, 30}};
    const int largest = int(SimMissionPaths().size()) - 1;
    const std::string file = TempFile("sim_many_points.sav");
    for (const Case& c : cases) {
        const int mission = largest - c.mission;
        std::string error;
        ASSERT_TRUE(SimNewGame(mission, c.difficulty, c.seed, error)) << error;
        const int seats = GameWorld()->PlayerCount();
        SimPlay(c.rounds);
        std::vector<uint8_t> neverSaved;
        ASSERT_TRUE(SimSaveBytes(neverSaved));

        ASSERT_TRUE(SimNewGame(mission, c.difficulty, c.seed, error)) << error;
        g_savePoints.clear();
        for (int32_t round = 3; round < c.rounds; round += 5)
            g_savePoints.push_back({round, int(round) % seats, {}});
        SimSetPlayTurnHook(&SaveAtEveryPoint);
        SimPlay(c.rounds);
        SimSetPlayTurnHook(nullptr);
        std::vector<uint8_t> straight;
        ASSERT_TRUE(SimSaveBytes(straight));
        // Saving is no move: the game saved on the way plays as the one never saved.
        EXPECT_TRUE(straight == neverSaved)
            << "mission " << mission << " difficulty " << c.difficulty << " seed " << c.seed;

        for (const SavePoint& point : g_savePoints) {
            if (point.bytes.empty())
                continue;  // the game ended or the seat was out before this point
            {
                std::ofstream out(file, std::ios::binary | std::ios::trunc);
                out.write(reinterpret_cast<const char*>(point.bytes.data()),
                          std::streamsize(point.bytes.size()));
            }
            ASSERT_TRUE(SimLoadGame(file, c.seed, error)) << error;
            SimPlay(c.rounds - point.round + 1);
            std::vector<uint8_t> resumed;
            ASSERT_TRUE(SimSaveBytes(resumed));
            EXPECT_TRUE(resumed == straight)
                << "mission " << mission << " difficulty " << c.difficulty << " seed " << c.seed
                << " saved in round " << point.round << " seat " << point.seat;
        }
    }
    std::remove(file.c_str());
}

TEST_F(SimTest, AGameSavedAfterAPlayerWasEliminatedLoads)
{
    const int last = int(SimMissionPaths().size()) - 1;
    std::string error;
    ASSERT_TRUE(SimNewGame(last, 2, 99, error)) << error;
    // Play on until someone has lost its capital, but not the whole game.
    for (int r = 0; r < kRoundLimit && CountActivePlayers() == GameWorld()->PlayerCount(); ++r)
        SimPlay(1);
    ASSERT_LT(CountActivePlayers(), GameWorld()->PlayerCount());
    ASSERT_GT(CountActivePlayers(), 1);
    const std::string file = TempFile("sim_eliminated.sav");
    ASSERT_TRUE(SimSaveFile(file, error)) << error;
    std::vector<uint8_t> saved;
    ASSERT_TRUE(SimSaveBytes(saved));
    const uint8_t active = CountActivePlayers();
    ASSERT_TRUE(SimLoadGame(file, 99, error)) << error;
    EXPECT_EQ(CountActivePlayers(), active);
    std::vector<uint8_t> again;
    ASSERT_TRUE(SimSaveBytes(again));
    EXPECT_EQ(again, saved);
    std::remove(file.c_str());
}

TEST_F(SimTest, EveryMissionEndsWithAWinnerAtEveryDifficulty)
{
    const int missions = int(SimMissionPaths().size());
    for (int m = 0; m < missions; ++m) {
        for (int32_t d = 0; d <= 3; ++d) {
            std::string error;
            ASSERT_TRUE(SimNewGame(m, d, 2000 + uint32_t(m * 4 + d), error)) << error;
            const SimOutcome outcome = SimPlay(kRoundLimit);
            EXPECT_GE(outcome.winner, 0)
                << "mission " << m << " difficulty " << d << " after " << outcome.rounds;
            EXPECT_LE(outcome.rounds, kRoundLimit);
        }
    }
}

// Games that once ran on without end (two lords each waiting for the other
// to strike, or armies standing in front of the neutral land they meant to
// cross) or took longest; the numbering of a mission's provinces decides
// which side of a border the planner looks across.
TEST_F(SimTest, TheHardestGamesOfTheBigMissionsEnd)
{
    struct Case {
        int mission;  // counted back from the largest
        int32_t difficulty;
        uint32_t seed;
    };
    const Case cases[] = {{0, 0, 71}, {0, 3, 35}, {0, 2, 32}, {0, 1, 3},
                          {0, 3, 39}, {1, 2, 37}, {0, 0, 9},  {0, 0, 11}};
    const int largest = int(SimMissionPaths().size()) - 1;
    for (const Case& c : cases) {
        std::string error;
        ASSERT_TRUE(SimNewGame(largest - c.mission, c.difficulty, c.seed, error)) << error;
        const SimOutcome outcome = SimPlay(kRoundLimit);
        EXPECT_GE(outcome.winner, 0) << "mission " << largest - c.mission << " difficulty " << c.difficulty
                                     << " seed " << c.seed << " after " << outcome.rounds;
    }
}

// No seat of the largest mission is a sure winner: over a handful of games
// no lord takes the crown in more than half of them.
TEST_F(SimTest, NoSeatOfTheLargestMissionWinsMostGames)
{
    const int largest = int(SimMissionPaths().size()) - 1;
    std::vector<int> wins(8, 0);
    int games = 0;
    for (int32_t d = 0; d <= 3; ++d) {
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            std::string error;
            ASSERT_TRUE(SimNewGame(largest, d, seed, error)) << error;
            const SimOutcome outcome = SimPlay(kRoundLimit);
            ASSERT_GE(outcome.winner, 0) << "difficulty " << d << " seed " << seed;
            ASSERT_LT(outcome.winner, 8);
            ++wins[size_t(outcome.winner)];
            ++games;
        }
    }
    EXPECT_LE(*std::max_element(wins.begin(), wins.end()) * 2, games);
}

int RunSim(const std::string& arguments, std::string& output)
{
    const std::string out = TempFile("sim_output.txt");
    const std::string command = BuildDir() + "/sim " + arguments + " >" + out + " 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(out);
    output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(out.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SimProgram, EndsWithTheWinnerLine)
{
    std::string output;
    ASSERT_EQ(RunSim("--mission 0 --difficulty 1 --seed 5 --rounds 3", output), 0) << output;
    const size_t last = output.rfind("winner=");
    ASSERT_NE(last, std::string::npos) << output;
    const std::string line = output.substr(last);
    EXPECT_NE(line.find(" rounds="), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), line.size() - 1);
}

TEST(SimProgram, RefusesSavedGamesItCannotTake)
{
    // A good save to damage in several ways.
    const std::string good = TempFile("sim_good.sav");
    std::string output;
    ASSERT_EQ(RunSim("--mission 0 --difficulty 1 --seed 9 --rounds 2 --save " + good, output), 0) << output;
    std::ifstream in(good, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 64u);

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    // A byte the check byte covers (every fourth of the body) raised by one.
    std::vector<uint8_t> flipped = bytes;
    flipped[2 + (((bytes.size() - 2) / 2) & ~size_t(3))] += 1;
    std::vector<uint8_t> huge = bytes;
    // Every count field of a hostile file set to its largest value.
    // The check byte is sealed again, so that the readers themselves must
    // refuse what they find.
    for (size_t i = 8; i + 4 < huge.size(); i += 37)
        huge[i] = 0xFF;
    SealSaveCheckByte(huge.data() + 2, uint32_t(huge.size() - 2));
    const std::vector<Case> cases = {
        {"empty", {}},
        {"truncated", std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(bytes.size() / 3))},
        {"one byte changed", flipped},
        {"hostile counts", huge},
        {"wrong version",
         [&] {
             std::vector<uint8_t> v = bytes;
             v[0] = 3;
             return v;
         }()},
    };
    const std::string bad = TempFile("sim_bad.sav");
    for (const Case& c : cases) {
        {
            std::ofstream out(bad, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(c.bytes.data()), std::streamsize(c.bytes.size()));
        }
        ASSERT_EQ(RunSim("--load " + bad + " --rounds 2", output), 2) << c.what << ": " << output;
        EXPECT_EQ(output.find('\n'), output.size() - 1) << c.what << ": " << output;
    }
    EXPECT_EQ(RunSim("--load " + TempFile("no_such_file.sav"), output), 2);
    std::remove(bad.c_str());
    std::remove(good.c_str());
}

TEST(SimProgram, SaveReplacesTheOldFileInsteadOfWritingOverIt)
{
    // A second name for the old file sees every byte written into it in
    // place; a save that replaces the file leaves it untouched.
    const std::string save = TempFile("sim_replaced.sav");
    const std::string link = TempFile("sim_replaced_link.sav");
    std::remove(link.c_str());
    std::ofstream(save, std::ios::binary | std::ios::trunc) << "the old save";
    ASSERT_EQ(::link(save.c_str(), link.c_str()), 0);
    std::string output;
    ASSERT_EQ(RunSim("--mission 0 --difficulty 1 --seed 3 --rounds 1 --save " + save, output), 0) << output;
    std::ifstream old(link, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), std::istreambuf_iterator<char>()),
              "the old save");
    EXPECT_NE(::access((save + "_new").c_str(), F_OK), 0) << "the temporary file is left";
    EXPECT_EQ(RunSim("--load " + save + " --rounds 1", output), 0) << output;
    std::remove(save.c_str());
    std::remove(link.c_str());
}

}  // namespace

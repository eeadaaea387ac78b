// The shipped data through the running game: the scenario list, the rules
// texts, and a new game of every mission played for a few rounds by one
// person and computer players that pass.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/pack_format.h"
#include "core/preferences.h"
#include "core/resource_mgr.h"
#include "core/text_section_reader.h"
#include "game/controller_factory.h"
#include "game/random_events.h"
#include "game/scenario_mgr.h"
#include "players/human_controller.h"
#include "tests/game/model_fixture.h"
#include "tests/support/build_folder.h"

namespace {

std::string DataFolderOfTheBuild()
{
    return TestDataFolder();
}

CGameWorld& World()
{
    return *Game().world;
}

class ShippedGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CResourceMgr::InitFromFolder(DataFolderOfTheBuild().c_str()));
        LoadSquadTypes();
        Map::CSrenarionMgr::Init();
        // The person of these games ends turns without being asked to confirm.
        savedConfirms = PrefMapOptions[6];
        PrefMapOptions[6] = 0;
    }
    void TearDown() override
    {
        EndSession();
        SigGameOver.Disconnect();
        SetControllerFactory(nullptr);
        Map::CSrenarionMgr::Clear();
        FreeSquadTypes();
        SetActiveWorld(nullptr);
        CResourceMgr::Shutdown();
        PrefMapOptions[6] = savedConfirms;
    }
    uint8_t savedConfirms = 0;
};

TEST(ScenarioList, Scenario01ComesFirstAndNothingElseMoves)
{
    Map::CSrenarionMgr::InitFromNames({CStr("alpha"), CStr("Scenario01"), CStr("beta")});
    ASSERT_EQ(Map::CSrenarionMgr::ScenarioCount(), 3);
    EXPECT_EQ(Map::CSrenarionMgr::Scenario(0)->path, CStr("/Scenarios/scenario01"));
    EXPECT_EQ(Map::CSrenarionMgr::Scenario(1)->path, CStr("/Scenarios/alpha"));
    EXPECT_EQ(Map::CSrenarionMgr::Scenario(2)->path, CStr("/Scenarios/beta"));
    EXPECT_EQ(Map::CSrenarionMgr::MissionPath(1, 0), CStr("/Scenarios/alpha/Mission001"));
    EXPECT_EQ(Map::CSrenarionMgr::MissionPath(2, 11), CStr("/Scenarios/beta/Mission012"));
    Map::CSrenarionMgr::Clear();
}

TEST_F(ShippedGame, TheScenarioListAndItsTexts)
{
    ASSERT_GE(Map::CSrenarionMgr::ScenarioCount(), 1);
    ASSERT_GE(Map::CSrenarionMgr::TotalMissions(), 3);
    EXPECT_FALSE(Map::CSrenarionMgr::ScenarioName(0).Length() == 0);
    int scenario = -1, mission = -1;
    ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(2, &scenario, &mission));
    EXPECT_EQ(Map::CSrenarionMgr::IndexOfMission(scenario, mission), 2);
    EXPECT_FALSE(
        Map::CSrenarionMgr::MissionFromIndex(Map::CSrenarionMgr::TotalMissions(), &scenario, &mission));
    const CStr path = Map::CSrenarionMgr::MissionPath(0, 1);
    CStr lower(path);
    lower.MakeLower();
    ASSERT_TRUE(Map::CSrenarionMgr::FindMission(lower, &scenario, &mission));
    EXPECT_EQ(scenario, 0);
    EXPECT_EQ(mission, 1);
    EXPECT_GT(Map::CSrenarionMgr::MissionTitle(0, 0).Length(), 0);
    EXPECT_EQ(Map::CSrenarionMgr::MissionTitle(0, 0).Find("\r"), -1);
}

TEST_F(ShippedGame, TheRulesTextsLoadWhole)
{
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
    EXPECT_TRUE(GameRules::Load());
    const GameRules& rules = Rules();
    EXPECT_FALSE(rules.castleCost.IsZero());
    EXPECT_FALSE(rules.siegeCost.IsZero());
    EXPECT_GT(rules.robberyGoldPercent, 0);
    EXPECT_GT(rules.satisfactionStart.units, 0);
    RandomEventChances table;
    RandomEvents::LoadChances(table);
    EXPECT_GT(table.eventChance, 0);
    EXPECT_GT(table.volunteerChance, 0);
}

TEST_F(ShippedGame, EveryMissionPlaysAFewRounds)
{
    InstallControllerFactory([](PlayerRecord* p) -> CPlayerController* { return new TestController(p); });
    for (int n = 0; n < Map::CSrenarionMgr::TotalMissions(); ++n) {
        int scenario = 0, mission = 0;
        ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(n, &scenario, &mission));
        const CStr path = Map::CSrenarionMgr::MissionPath(scenario, mission);
        SCOPED_TRACE(path.Chars());
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(path));
        NewGameSettings settings;
        settings.difficulty = 1;
        settings.humans = 1;
        ApplyNewGameSettings(settings);
        ASSERT_EQ(HumanPlayersRemain(), 1);
        ASSERT_EQ(CountActivePlayers(), World().PlayerCount());
        StartGame();
        PlayerRecord* person = nullptr;
        for (int i = 0; i < World().PlayerCount(); ++i)
            if (World().Player(i).IsHuman())
                person = &World().Player(i);
        ASSERT_NE(person, nullptr);
        const int32_t goldBefore = person->treasury.Get(FourCC("gold"));
        // The person ends every turn at once and leaves in the fourth round.
        SigPumpUi.Connect([] {
            if (Game().turn >= 4) {
                MapMenuCommand(1);
            } else if (Game().humanTurnActive) {
                MapGameCommand(1);
            }
        });
        RunTurnLoop();
        EXPECT_EQ(Game().turn, 4);
        EXPECT_GT(person->treasury.Get(FourCC("gold")), goldBefore) << "income was collected";
        EXPECT_EQ(Game().gameFinished, 0u);
        EndSession();
    }
}

}  // namespace

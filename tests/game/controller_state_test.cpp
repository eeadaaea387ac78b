// The game model's records together with the controllers that play them:
// controller kinds after loading, castle works completing, and the
// controllers' state inside a saved game.

#include <gtest/gtest.h>

#include "core/byte_stream.h"
#include "game/player_controller.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "tests/game/controller_double.h"
#include "tests/game/game_fixture.h"

namespace {
RecordingController* Recorder(PlayerRecord& player)
{
    return static_cast<RecordingController*>(player.controller);
}

class ControllerState : public ::testing::Test {
protected:
    void SetUp() override { BuildFixtureWorld(world); }
    void TearDown() override { SetActiveWorld(nullptr); }
    TestSquadTypes types;
    TestControllers controllers;
    CGameWorld world;
};

TEST_F(ControllerState, TheKindOfControllerFollowsTheHumanFlag)
{
    PlayerRecord& human = world.Player(0);  // assignment 0
    PlayerRecord& computer = world.Player(1);
    ASSERT_NE(human.controller, nullptr);
    EXPECT_TRUE(human.controller->IsHuman());
    EXPECT_TRUE(human.IsHuman());
    EXPECT_FALSE(computer.controller->IsHuman());

    // A session whose human flag is 0 makes the player a computer player.
    human.human = 0;
    const std::vector<uint8_t> session = StreamOut([&](CByteStream& s) { human.StreamSession(s); });
    human.human = 1;
    human.SetHuman(1);
    ASSERT_TRUE(human.controller->IsHuman());
    CStreamReader reader(session.data(), uint32_t(session.size()));
    human.StreamSession(reader);
    ASSERT_FALSE(reader.HasError());
    ASSERT_NE(human.controller, nullptr);
    EXPECT_FALSE(human.controller->IsHuman());
    CPlayerController* kept = human.controller;
    human.SetHuman(0);
    EXPECT_EQ(human.controller, kept);
}

TEST_F(ControllerState, CompletedWorksTable)
{
    struct Case {
        uint32_t work;
        const char* call;       // controller notification, or none
        const char* reportKey;  // castle report, or none
        uint8_t percentAfter;   // from 30
    };
    const Case cases[] = {
        {kWorkBuildCastle, "castle built", "CaslBuildComp", 100},
        {kWorkRepair, nullptr, nullptr, 100},
        {kWorkCompleteCastle, "castle completed", "CaslComplComp", 100},
        {kWorkMoat, nullptr, nullptr, 30},
        {kWorkCatapult, nullptr, nullptr, 30},
        {kWorkFortWalls, nullptr, nullptr, 30},
        {kWorkMarket, "market", "CaslBuildCompMark", 30},
        {kWorkBank, "bank", "CaslBuildCompBank", 30},
        {kWorkTavern, nullptr, nullptr, 30},
        {kWorkGuildLevel, nullptr, nullptr, 30},
        {kWorkMetalMine, "metal mine", "CaslBuildCompMetlMine", 30},
        {kWorkStoneMine, "stone mine", "CaslBuildCompStonMine", 30},
    };
    PlayerRecord& player = world.Player(0);
    ProvinceRecord& province = world.Province(0);
    for (const Case& c : cases) {
        RecordingController* controller = Recorder(player);
        controller->calls.clear();
        controller->Reports().Clear();
        province.castle.percent = 30;
        province.castle.StartBuild(c.work, 0, 10);
        province.castle.BeginTurnStep(player);
        EXPECT_EQ(province.castle.work, uint32_t(kWorkNone)) << c.work;
        EXPECT_EQ(province.castle.percent, c.percentAfter) << c.work;
        EXPECT_EQ(controller->calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{})
            << c.work;
        ASSERT_EQ(controller->Reports().Count(), c.reportKey ? 1 : 0) << c.work;
        if (c.reportKey) {
            EXPECT_EQ(controller->Reports().Entry(0).kind, uint32_t(kReportCastleWork));
            // Without a locale table the key itself is the title.
            EXPECT_EQ(CStr(c.reportKey), controller->Reports().Entry(0).title);
        }
    }
    EXPECT_EQ(province.castle.buildings & (kBuildingBank | kBuildingMetalMine | kBuildingStoneMine),
              kBuildingBank | kBuildingMetalMine | kBuildingStoneMine);
    EXPECT_EQ(province.castle.catapults, 2);  // one from the mission, one built
    EXPECT_EQ(province.castle.guildLevel, 1);
    province.castle.guildLevel = 4;
    province.castle.StartBuild(kWorkGuildLevel, 0, 0);
    province.castle.BeginTurnStep(player);
    EXPECT_EQ(province.castle.guildLevel, 4);
    // Work still under way is not completed.
    province.castle.StartBuild(kWorkMoat, 2, 0);
    province.castle.BeginTurnStep(player);
    EXPECT_EQ(province.castle.work, uint32_t(kWorkMoat));
}

TEST_F(ControllerState, ControllersTravelInTheSavedGame)
{
    CPlayerController& first = *world.Player(0).controller;
    first.movePoints = 2;
    first.scoutedProvinces = {3, 4};
    first.pendingExperience = 75;
    first.Reports().AddPlain(kReportTaxes, CStr("old"));
    first.Reports().StartTurn();
    first.Reports().AddPlain(kReportBattle, CStr("new"));
    CStr path("/Scenarios/none/Mission001");
    SessionState session;
    std::vector<uint8_t> body;
    ASSERT_TRUE(WriteSavedGame(SavedGameParts{world, path, session}, body));

    // The mission texts are not in any pack here, so read the parts by hand.
    CGameWorld loaded;
    SetActiveWorld(&loaded);
    CStreamReader reader(body.data(), uint32_t(body.size() - 1));
    reader.SetVersion(kSavedGameVersion);
    SaveHeader header;
    StreamSaveHeader(reader, header);
    CStr readPath;
    reader.String(readPath);
    ASSERT_TRUE(LoadWorldFromStream(reader, loaded));
    SessionState readSession;
    ASSERT_TRUE(readSession.Stream(reader, loaded));
    EXPECT_EQ(reader.Position(), body.size() - 1);
    const CPlayerController& back = *loaded.Player(0).controller;
    EXPECT_EQ(back.movePoints, 2);
    EXPECT_EQ(back.scoutedProvinces, (std::vector<uint8_t>{3, 4}));
    EXPECT_EQ(back.pendingExperience, 75);
    ASSERT_EQ(back.Reports().Count(), 2);
    EXPECT_EQ(back.Reports().ShownCount(), 1);
    EXPECT_EQ(header.singleHuman, 1);
    EXPECT_EQ(CStr("Aldra"), header.humanName);

    // Scouted provinces outside the map are refused with the whole save.
    first.scoutedProvinces = {3, 40};
    std::vector<uint8_t> bad;
    ASSERT_TRUE(WriteSavedGame(SavedGameParts{world, path, session}, bad));
    CGameWorld target;
    SetActiveWorld(&target);
    CStr targetPath;
    SessionState targetSession;
    EXPECT_FALSE(ReadSavedGame(SavedGameParts{target, targetPath, targetSession}, bad.data(),
                               uint32_t(bad.size()), kSavedGameVersion));
    EXPECT_EQ(target.PlayerCount(), 0);
}

// What the planner remembers (where it attacked last, how often in a row,
// whom it fought) travels with the controller; a save made before it did
// gives a planner that remembers nothing, and a target that is not one of
// the players is forgotten.
TEST_F(ControllerState, ThePlannersMemoryTravelsFromVersionTen)
{
    // Players are named by their place in the running game's list.
    Game().world = &world;
    CPlayerController& first = *world.Player(0).controller;
    struct Case {
        int32_t version;
        uint8_t target;  // the index written for the player fought last
        uint8_t attacked;
        uint8_t repeats;
        PlayerRecord* remembered;
    };
    const Case cases[] = {
        {10, 1, 3, 2, &world.Player(1)},
        {9, 1, 255, 0, nullptr},
        {10, 200, 3, 2, nullptr},
    };
    for (const Case& c : cases) {
        first.lastAttackedProvince = 3;
        first.attackRepeatCount = 2;
        first.lastMilitaryTarget = &world.Player(1);
        std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { first.Serialize(s); }, c.version);
        if (c.version >= 10)
            bytes.back() = c.target;  // the target's index is the last byte
        RecordingController back(&world.Player(0), true);
        back.lastAttackedProvince = 7;
        back.attackRepeatCount = 9;
        back.lastMilitaryTarget = &world.Player(0);
        CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
        reader.SetVersion(c.version);
        back.Serialize(reader);
        EXPECT_FALSE(reader.HasError());
        EXPECT_EQ(reader.Position(), bytes.size());
        EXPECT_EQ(back.lastAttackedProvince, c.attacked) << "version " << c.version;
        EXPECT_EQ(back.attackRepeatCount, c.repeats) << "version " << c.version;
        EXPECT_EQ(back.lastMilitaryTarget, c.remembered)
            << "version " << c.version << " target " << int(c.target);
    }
    Game().world = nullptr;
}
}  // namespace

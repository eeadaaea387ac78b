#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/data_file.h"
#include "game/saved_game.h"
#include "tests/game/game_fixture.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/sync_recorder.h"

namespace {
const char* const kMission = "/Scenarios/scenario01/Mission001";

class SavedGameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildFixtureWorld(world);
        PackWriter pack(1);
        ASSERT_TRUE(pack.AddFile("Scenarios/scenario01/Mission001/mission", "dat", WorldBytes(world)));
        ASSERT_TRUE(pack.AddText(
            "Scenarios/scenario01/Mission001/mission", "txt",
            CrLf({"Fixture", "Aldra", "Borun", "Ashfold", "Brackwater", "Cinderfen", "Dunmere", "Eldham"})));
        data.AddPack("mission", pack);
        ASSERT_TRUE(data.Mount());
        missionPath = CStr(kMission);
        session.turn = 5;
        session.currentPlayer = 1;
        session.selectedProvince = 3;
        session.sessionMode = 2;
        session.difficulty = 3;
    }
    void TearDown() override { SetActiveWorld(nullptr); }

    SavedGameParts Parts() { return SavedGameParts{world, missionPath, session}; }
    std::string File(int slot)
    {
        return data.folder().Read(std::string(SaveSlotFileName(slot).Chars()) + ".sav");
    }

    // A game in progress: a rich treasury, work under construction, pending recruits.
    void PlaySomeTurns()
    {
        PlayerRecord& p = world.Player(0);
        p.treasury[0] = 70000;
        p.treasury[2] = 123456;
        p.taxPercent = 70;
        p.hero.experience = 1234;
        p.hero.level = 3;
        p.stats.victories = 4;
        p.stats.taxes[0] = 99999;
        p.army.Item(1)->pending = 6;
        p.armyLocation = 1;
        ProvinceRecord& capital = world.Province(0);
        capital.castle.StartBuild(kWorkMoat, 2, 0);
        capital.castle.percent = 64;
        capital.status = 3;
        world.Province(3).garrison.Item(0)->pending = 9;
    }

    TestSquadTypes types;
    FixtureData data;
    CGameWorld world;
    CStr missionPath;
    SessionState session;
};

TEST(SaveCheckByte, Table)
{
    std::vector<uint8_t> body = {9, 8, 7, 6, 5, 4, 3, 0};
    SealSaveCheckByte(body.data(), uint32_t(body.size()));
    EXPECT_TRUE(VerifySaveCheckByte(body.data(), uint32_t(body.size())));
    struct Case {
        size_t position;
        bool stillValid;
    };
    // Only every fourth byte is summed, and the sealed last byte.
    const Case cases[] = {{0, false}, {1, true}, {2, true}, {4, false}, {6, true}, {7, false}};
    for (const Case& c : cases) {
        std::vector<uint8_t> changed = body;
        changed[c.position] ^= 0x5A;
        EXPECT_EQ(VerifySaveCheckByte(changed.data(), uint32_t(changed.size())), c.stillValid) << c.position;
    }
    const uint8_t one[] = {165};
    EXPECT_FALSE(VerifySaveCheckByte(one, 1));
}

TEST(MissionChecksum, TheGroupThatRunsOutRepeatsTheLastByte)
{
    const uint8_t eight[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(ChecksumOfBytes(eight, 8), 47u + 63u + 69u);  // three groups
    const uint8_t five[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(ChecksumOfBytes(five, 5), 47u + 57u);
}

TEST_F(SavedGameTest, SaveLoadSaveGivesTheSameBytes)
{
    PlaySomeTurns();
    ASSERT_TRUE(SaveGame(SaveSlotFileName(0), Parts()));
    const std::string first = File(0);
    ASSERT_FALSE(first.empty());

    CGameWorld loaded;
    SetActiveWorld(&loaded);
    CStr loadedPath;
    SessionState loadedSession;
    ASSERT_TRUE(LoadSavedGame(SaveSlotFileName(0), SavedGameParts{loaded, loadedPath, loadedSession}));
    EXPECT_EQ(loadedPath, missionPath);
    EXPECT_EQ(loadedSession.turn, 5);
    EXPECT_EQ(loadedSession.currentPlayer, 1);
    EXPECT_EQ(loadedSession.selectedProvince, 3);
    EXPECT_EQ(loadedSession.difficulty, 3);
    const PlayerRecord& p = loaded.Player(0);
    EXPECT_EQ(p.treasury[0], 70000);  // more than the mission form's 16 bits
    EXPECT_EQ(p.treasury[2], 123456);
    EXPECT_EQ(p.taxPercent, 70);
    EXPECT_EQ(p.hero.experience, 1234);
    EXPECT_EQ(p.stats.taxes[0], 99999);
    EXPECT_EQ(p.army.Item(1)->pending, 6);
    EXPECT_EQ(p.armyLocation, 1);
    EXPECT_EQ(loaded.Province(0).castle.work, uint32_t(kWorkMoat));
    EXPECT_EQ(loaded.Province(0).castle.turnsLeft, 2);
    EXPECT_EQ(loaded.Province(0).castle.percent, 64);
    EXPECT_EQ(loaded.Province(3).garrison.Item(0)->pending, 9);
    EXPECT_EQ(CStr("Dunmere"), loaded.Province(3).name);

    ASSERT_TRUE(SaveGame(SaveSlotFileName(1), SavedGameParts{loaded, loadedPath, loadedSession}));
    EXPECT_EQ(File(1), first);
    EXPECT_EQ(SaveSlots::Check(0), uint32_t(SaveSlots::kValid));
}

TEST_F(SavedGameTest, DamagedAndShortSavesAreRefused)
{
    PlaySomeTurns();
    std::vector<uint8_t> body;
    ASSERT_TRUE(WriteSavedGame(Parts(), body));
    // Every shortened body, even when sealed again, is refused and leaves no world behind.
    for (size_t n = 2; n < body.size(); n += 7) {
        std::vector<uint8_t> cut(body.begin(), body.begin() + long(n));
        SealSaveCheckByte(cut.data(), uint32_t(cut.size()));
        CGameWorld target;
        SetActiveWorld(&target);
        CStr path;
        SessionState s;
        EXPECT_FALSE(ReadSavedGame(SavedGameParts{target, path, s}, cut.data(), uint32_t(cut.size()),
                                   kSavedGameVersion))
            << n;
        EXPECT_EQ(target.PlayerCount(), 0) << n;
    }
    // A flipped byte the check byte notices.
    std::vector<uint8_t> flipped = body;
    flipped[8] ^= 1;
    CGameWorld target;
    CStr path;
    SessionState s;
    EXPECT_FALSE(ReadSavedGame(SavedGameParts{target, path, s}, flipped.data(), uint32_t(flipped.size()),
                               kSavedGameVersion));
}

TEST_F(SavedGameTest, SessionIndexesOutsideTheWorldAreRefused)
{
    struct Case {
        const char* what;
        void (*spoil)(CGameWorld&, SessionState&);
    };
    const Case cases[] = {
        {"current player", [](CGameWorld&, SessionState& s) { s.currentPlayer = 2; }},
        {"selected province", [](CGameWorld&, SessionState& s) { s.selectedProvince = 5; }},
        {"difficulty", [](CGameWorld&, SessionState& s) { s.difficulty = 7; }},
    };
    for (const Case& c : cases) {
        CGameWorld sample;
        BuildFixtureWorld(sample);
        SessionState s = session;
        c.spoil(sample, s);
        CStr path(kMission);
        std::vector<uint8_t> body;
        ASSERT_TRUE(WriteSavedGame(SavedGameParts{sample, path, s}, body));
        CGameWorld target;
        SetActiveWorld(&target);
        CStr readPath;
        SessionState readSession;
        EXPECT_FALSE(ReadSavedGame(SavedGameParts{target, readPath, readSession}, body.data(),
                                   uint32_t(body.size()), kSavedGameVersion))
            << c.what;
        EXPECT_EQ(target.PlayerCount(), 0) << c.what;
    }
}

TEST_F(SavedGameTest, ABattleInProgressIsNeverSaved)
{
    session.battleInProgress = 1;
    std::vector<uint8_t> body;
    EXPECT_FALSE(WriteSavedGame(Parts(), body));
    EXPECT_FALSE(SaveGame(SaveSlotFileName(2), Parts()));
    EXPECT_FALSE(data.folder().Exists("zkvsave02.sav"));
}

TEST_F(SavedGameTest, SlotStates)
{
    ASSERT_TRUE(SaveGame(SaveSlotFileName(0), Parts()));
    ASSERT_TRUE(data.folder().Write("zkvsave02.sav", ""));

    EXPECT_EQ(SaveSlots::Check(0), uint32_t(SaveSlots::kValid));
    EXPECT_EQ(SaveSlots::Check(1), uint32_t(SaveSlots::kAbsent));
    EXPECT_EQ(SaveSlots::Check(2), uint32_t(SaveSlots::kAbsent)) << "an empty file holds nothing to lose";
    EXPECT_EQ(SaveSlots::Check(-1), uint32_t(SaveSlots::kNone));
    EXPECT_EQ(SaveSlots::FirstFree(), 1);
    EXPECT_EQ(SaveSlots::FirstValid(), 0);

    ASSERT_TRUE(data.folder().Write("zkvsave04.sav", "\x09"));
    ASSERT_TRUE(SaveSlots::Select(4));
    EXPECT_EQ(SaveSlots::CurrentState(), uint32_t(SaveSlots::kDamaged));
    EXPECT_FALSE(SaveSlots::Select(9));
    EXPECT_FALSE(SaveSlots::Select(-1));
    EXPECT_EQ(SaveSlots::Current(), 4);
    SaveSlots::Delete(0);
    EXPECT_EQ(SaveSlots::ValidCount(), 0);
    SaveSlots::ReleaseCurrent();
    EXPECT_EQ(SaveSlots::Current(), -1);
}

// Every file in a slot that is not a game we can play is damaged, never free:
// a free slot is written over without asking.
TEST_F(SavedGameTest, AnUnreadableSlotIsDamagedNotFree)
{
    ASSERT_TRUE(SaveGame(SaveSlotFileName(0), Parts()));
    const std::string good = File(0);
    // The same game against a mission that is not in the packs.
    missionPath = CStr("/Scenarios/scenario01/Mission009");
    ASSERT_TRUE(SaveGame(SaveSlotFileName(1), Parts()));
    const std::string otherMission = File(1);
    // A body whose stored mission checksum no longer matches.
    std::string changed = good;
    changed[2 + 4] ^= 1;
    std::vector<uint8_t> body(changed.begin() + 2, changed.end());
    SealSaveCheckByte(body.data(), uint32_t(body.size()));
    changed = changed.substr(0, 2) + std::string(body.begin(), body.end());
    // A byte the check byte covers (every fourth of the body).
    std::string flipped = good;
    flipped[2 + good.size() / 8 * 4] ^= 1;

    struct Case {
        const char* what;
        std::string bytes;
        off_t sparseSize;  // when not 0, the file claims this size without the bytes
    } cases[] = {
        {"one byte", std::string("\x09", 1), 0},
        {"a version word only", std::string("\x09\x00", 2), 0},
        {"cut short", good.substr(0, good.size() / 2), 0},
        {"version 5", std::string("\x05\x00", 2) + good.substr(2), 0},
        {"a version from the future", std::string("\x0b\x00", 2) + good.substr(2), 0},
        {"a flipped byte", flipped, 0},
        {"a mission that is not there", otherMission, 0},
        {"a mission that changed", changed, 0},
        {"larger than any saved game", good, off_t(kMaxSaveFileBytes) + 3},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(data.folder().Write("zkvsave05.sav", c.bytes)) << c.what;
        if (c.sparseSize != 0) {
            ASSERT_EQ(truncate(data.folder().File("zkvsave05.sav").c_str(), c.sparseSize), 0) << c.what;
        }
        EXPECT_EQ(SaveSlots::Check(5), uint32_t(SaveSlots::kDamaged)) << c.what;
        EXPECT_EQ(SaveSlots::Damaged(), (std::vector<int>{1, 5})) << c.what;
    }
}

TEST_F(SavedGameTest, AFailedSaveKeepsTheOldOne)
{
    ASSERT_TRUE(SaveGame(SaveSlotFileName(0), Parts()));
    const std::string old = File(0);
    // A folder where the temporary file should go makes the write fail.
    ASSERT_EQ(mkdir(data.folder().File("zkvsave00_new.sav").c_str(), 0700), 0);
    world.Player(0).treasury[0] = 5;
    EXPECT_FALSE(SaveGame(SaveSlotFileName(0), Parts()));
    EXPECT_EQ(File(0), old);
    rmdir(data.folder().File("zkvsave00_new.sav").c_str());
}

TEST_F(SavedGameTest, MigrationNeverOverwritesAValidFirstSlot)
{
    ASSERT_TRUE(SaveGame(SaveSlotFileName(0), Parts()));
    const std::string slot = File(0);
    ASSERT_TRUE(data.folder().Write("zkvsave.sav", std::string("\x09\x00stray", 7)));
    MigrateOldSaveFile();
    EXPECT_EQ(File(0), slot);
    EXPECT_TRUE(data.folder().Exists("zkvsave.sav"));
    EXPECT_EQ(SaveSlots::ValidCount(), 1);

    SaveSlots::Delete(0);
    ASSERT_TRUE(data.folder().Write("zkvsave.sav", slot));
    MigrateOldSaveFile();
    EXPECT_EQ(File(0), slot);
    EXPECT_FALSE(data.folder().Exists("zkvsave.sav"));
    EXPECT_EQ(SaveSlots::ValidCount(), 1);
}

TEST_F(SavedGameTest, ASaveReachesTheDiskBeforeAndAfterItsRename)
{
    SyncRecorder syncs;
    ASSERT_TRUE(SaveGame(SaveSlotFileName(1), Parts()));
    const std::string folder = std::filesystem::canonical(data.folder().path()).string();
    EXPECT_EQ(syncs.Paths(), (std::vector<std::string>{folder + "/zkvsave01_new.sav", folder}));
    EXPECT_EQ(SaveSlots::Check(1), uint32_t(SaveSlots::kValid));
}

TEST_F(SavedGameTest, MigrationTakesOnlyAnOldSaveThatIsAValidGame)
{
    ASSERT_TRUE(SaveGame(SaveSlotFileName(0), Parts()));
    const std::string good = File(0);
    SaveSlots::Delete(0);
    struct Case {
        const char* what;
        std::string old;
        bool migrated;
    };
    std::string flipped = good;
    flipped[8] ^= 1;
    const Case cases[] = {
        {"a valid game", good, true},
        {"a stray file", std::string("\x09\x00stray", 7), false},
        {"a flipped byte", flipped, false},
        {"a version word only", std::string("\x09\x00", 2), false},
        {"a valid game with a tail past any saved game", good + std::string(kMaxSaveFileBytes, '\0'), false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(data.folder().Write("zkvsave.sav", c.old)) << c.what;
        MigrateOldSaveFile();
        EXPECT_EQ(data.folder().Exists("zkvsave00.sav"), c.migrated) << c.what;
        EXPECT_EQ(data.folder().Exists("zkvsave.sav"), !c.migrated) << c.what;
        EXPECT_EQ(SaveSlots::ValidCount(), c.migrated ? 1 : 0) << c.what;
        SaveSlots::Delete(0);
        std::remove(data.folder().File("zkvsave.sav").c_str());
    }
}

TEST_F(SavedGameTest, TheStartRemovesTheFilesOfSavesCutShort)
{
    ASSERT_TRUE(SaveGame(SaveSlotFileName(2), Parts()));
    for (const char* name : {"zkvsave00_new.sav", "zkvsave02_new.sav", "zkvsave08_new.sav"})
        ASSERT_TRUE(data.folder().Write(name, "\x09\x00half a sa")) << name;
    MigrateOldSaveFile();
    for (const char* name : {"zkvsave00_new.sav", "zkvsave02_new.sav", "zkvsave08_new.sav"})
        EXPECT_FALSE(data.folder().Exists(name)) << name;
    EXPECT_EQ(SaveSlots::Check(2), uint32_t(SaveSlots::kValid));
}

TEST_F(SavedGameTest, ASlotLargerThanAnySavedGameIsNotRead)
{
    ASSERT_TRUE(SaveGame(SaveSlotFileName(3), Parts()));
    // Sparse: the size is claimed without the bytes.
    ASSERT_EQ(truncate(data.folder().File("zkvsave03.sav").c_str(), off_t(kMaxSaveFileBytes) + 3), 0);
    EXPECT_NE(SaveSlots::Check(3), uint32_t(SaveSlots::kValid));
    EXPECT_FALSE(LoadSavedGame(SaveSlotFileName(3), Parts()));
}

TEST_F(SavedGameTest, UnitCountsAreBoundedOnLoad)
{
    struct Case {
        const char* what;
        void (*spoil)(CGameWorld&);
        bool accepted;
    };
    const Case cases[] = {
        {"a squad at the limit", [](CGameWorld& w) { w.Player(0).army.Item(0)->count = kMaxSquadUnits; },
         true},
        {"a squad past the limit",
         [](CGameWorld& w) { w.Player(0).army.Item(0)->count = kMaxSquadUnits + 1; }, false},
        {"a garrison claiming nearly 2^31 units",
         [](CGameWorld& w) { w.Province(3).garrison.Item(0)->count = 0x7FFFFFF0; }, false},
        {"squads within the limit whose strength adds up past the world's",
         [](CGameWorld& w) {
             for (int i = 0; i < w.ProvinceCount(); ++i)
                 for (int k = 0; k < w.Province(i).garrison.Count(); ++k)
                     w.Province(i).garrison.Item(k)->count = kMaxSquadUnits;
             for (int i = 0; i < w.PlayerCount(); ++i)
                 for (int k = 0; k < w.Player(i).army.Count(); ++k)
                     w.Player(i).army.Item(k)->count = kMaxSquadUnits;
         },
         false},
    };
    for (const Case& c : cases) {
        CGameWorld sample;
        BuildFixtureWorld(sample);
        c.spoil(sample);
        CStr path(kMission);
        SessionState s = session;
        std::vector<uint8_t> body;
        ASSERT_TRUE(WriteSavedGame(SavedGameParts{sample, path, s}, body)) << c.what;
        CGameWorld target;
        SetActiveWorld(&target);
        CStr readPath;
        SessionState readSession;
        EXPECT_EQ(ReadSavedGame(SavedGameParts{target, readPath, readSession}, body.data(),
                                uint32_t(body.size()), kSavedGameVersion),
                  c.accepted)
            << c.what;
    }
}
}  // namespace

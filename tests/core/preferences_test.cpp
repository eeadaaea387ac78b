// The preferences file: exact bytes, round trip, and damaged files.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/log.h"
#include "core/preferences.h"
#include "core/sound_mgr.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/sync_recorder.h"

namespace {

const std::string kDefaultFile(
    "\x09\x00\x01\x7F\x00\x00\x00\x00\x05\x05\x00\x01\x01\x01\x01\x00\x00\x01\x00\x01\x01\x01\x01"
    "\x01\x00\x00\x00\x00\x01\x00",
    30);

class Preferences : public ::testing::Test {
protected:
    void SetUp() override { CPreferencesMgr::SetDefaults(); }
    void TearDown() override { CPreferencesMgr::SetDefaults(); }
    // Loads from a file of these bytes (none: no file), then saves.
    std::string LoadThenSave(const std::string* bytes)
    {
        if (bytes)
            m_data.folder().Write("zkvprefs.sav", *bytes);
        EXPECT_TRUE(CPreferencesMgr::Load());
        CPreferencesMgr::Save();
        return m_data.folder().Read("zkvprefs.sav");
    }
    FixtureData m_data;
};

TEST_F(Preferences, FilesWithoutPreferencesGiveDefaultsAndAreRewritten)
{
    struct Case {
        const char* what;
        bool present;
        std::string bytes;
    } cases[] = {
        {"missing", false, ""},
        {"version 5", true, std::string("\x05\x00\x00\x00\x00\x00\x00\x00", 8)},
        {"one byte", true, std::string("\x09", 1)},
        // A save cut short after the version word leaves exactly this; the
        // changes of later sessions must still reach the file.
        {"version word only", true, std::string("\x09\x00", 2)},
    };
    for (const auto& c : cases) {
        PrefVolume = 3;  // a value the load must replace
        std::string written = LoadThenSave(c.present ? &c.bytes : nullptr);
        EXPECT_EQ(written, kDefaultFile) << c.what;
        EXPECT_EQ(PrefVolume, 127) << c.what;
        EXPECT_EQ(CSoundMgr::MasterVolume(), 127) << c.what;
    }
}

TEST_F(Preferences, ChangedValuesRoundTripInFileOrder)
{
    ASSERT_TRUE(CPreferencesMgr::Load());  // no file: defaults, marked for saving
    // What the preference windows change during a session.
    PrefSoundOn = 0;
    PrefVolume = 200;
    PrefScreenMode = 2;
    PrefBrightness = 10;
    PrefContrast = 0;
    const uint8_t battle[7] = {0, 0, 1, 0, 1, 1, 1};
    const uint8_t map[7] = {1, 0, 0, 0, 1, 0, 0};
    for (int i = 0; i < 7; ++i) {
        PrefBattleOptions[i] = battle[i];
        PrefMapOptions[i] = map[i];
    }
    PrefNewGame[0] = 4;
    PrefNewGame[1] = 7;
    PrefNewGame[2] = 3;
    CPreferencesMgr::Save();
    EXPECT_FALSE(CPreferencesMgr::IsDirty());
    const std::string expected("\x09\x00\x00\xC8\x00\x00\x00\x02\x0A\x00"
                               "\x01\x01\x00\x00\x00\x01\x01"  // battle options 4 2 3 1 0 5 6
                               "\x00\x01\x00\x00\x01\x00\x00"  // map options 1 0 2 3 4 5 6
                               "\x07\x00\x04\x00\x03\x00",     // new-game values 1 0 2
                               30);
    EXPECT_EQ(m_data.folder().Read("zkvprefs.sav"), expected);

    CPreferencesMgr::SetDefaults();
    ASSERT_TRUE(CPreferencesMgr::Load());
    EXPECT_EQ(PrefSoundOn, 0);
    EXPECT_EQ(PrefVolume, 200);
    EXPECT_EQ(PrefScreenMode, 2);
    EXPECT_EQ(PrefBrightness, 10);
    EXPECT_EQ(PrefContrast, 0);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(PrefBattleOptions[i], battle[i]) << i;
        EXPECT_EQ(PrefMapOptions[i], map[i]) << i;
    }
    EXPECT_EQ(PrefNewGame[0], 4);
    EXPECT_EQ(PrefNewGame[1], 7);
    EXPECT_EQ(PrefNewGame[2], 3);
    EXPECT_FALSE(m_data.folder().Exists("zkvprefs~.sav"));
}

TEST_F(Preferences, ShortFileKeepsDefaultsForMissingFields)
{
    // Sound off, volume 64, screen mode 1; the rest is missing.
    std::string shortFile("\x09\x00\x00\x40\x00\x00\x00\x01", 8);
    m_data.folder().Write("zkvprefs.sav", shortFile);
    ASSERT_TRUE(CPreferencesMgr::Load());
    EXPECT_EQ(PrefSoundOn, 0);
    EXPECT_EQ(PrefVolume, 64);
    EXPECT_EQ(PrefScreenMode, 1);
    EXPECT_EQ(PrefBrightness, 5);
    EXPECT_EQ(PrefNewGame[2], 1);
    EXPECT_EQ(CSoundMgr::MasterVolume(), 64);
}

TEST_F(Preferences, DamagedValuesAreClampedOnLoad)
{
    std::string file = kDefaultFile;
    file[2] = 7;       // sound on: any non-zero is on
    file[3] = '\xE8';  // volume 1000
    file[4] = '\x03';
    file[7] = 9;                         // screen mode 9: back to 0
    file[8] = static_cast<char>(200);    // brightness
    file[9] = static_cast<char>(250);    // contrast
    file[10] = 5;                        // a check box
    file[28] = static_cast<char>(0xFF);  // difficulty -1
    file[29] = static_cast<char>(0xFF);
    m_data.folder().Write("zkvprefs.sav", file);
    ASSERT_TRUE(CPreferencesMgr::Load());
    EXPECT_EQ(PrefSoundOn, 1);
    EXPECT_EQ(PrefVolume, 255);
    EXPECT_EQ(PrefScreenMode, 0);
    EXPECT_EQ(PrefBrightness, 10);
    EXPECT_EQ(PrefContrast, 10);
    EXPECT_EQ(PrefBattleOptions[4], 1);
    EXPECT_EQ(PrefNewGame[2], 0);
    EXPECT_EQ(CSoundMgr::MasterVolume(), 255);
}

TEST_F(Preferences, DisplayLevels)
{
    struct Case {
        uint8_t option;
        uint8_t brightness;
        uint8_t contrast;
    } cases[] = {{0, 58, 37}, {5, 128, 128}, {10, 198, 219}};
    for (const auto& c : cases) {
        EXPECT_EQ(CPreferencesMgr::BrightnessLevel(c.option), c.brightness);
        EXPECT_EQ(CPreferencesMgr::ContrastLevel(c.option), c.contrast);
    }
}

TEST_F(Preferences, FailedSaveKeepsThePreviousFileAndSaysSoInTheLog)
{
    std::string old = kDefaultFile;
    old[3] = 99;
    const std::string temporary = m_data.folder().File("zkvprefs~.sav");
    struct Case {
        const char* what;
        std::function<void()> fail, mend;
    } cases[] = {
        {"the temporary file cannot be created where a folder stands",
         [&] { std::filesystem::create_directory(temporary); }, [&] { std::filesystem::remove(temporary); }},
        {"the disk refuses the write, as a full one does",
         [] {
             HeadlessOptions refusing;
             refusing.refuseWrites = true;
             UseHeadlessPlatform(refusing);
         },
         [] { PlatformClose(); }},
    };
    for (const Case& c : cases) {
        m_data.folder().Write("zkvprefs.sav", old);
        ASSERT_TRUE(CPreferencesMgr::Load()) << c.what;
        PrefVolume = 12;
        LogOpen();
        c.fail();
        CPreferencesMgr::Save();
        c.mend();
        EXPECT_EQ(m_data.folder().Read("zkvprefs.sav"), old) << c.what;
        EXPECT_FALSE(m_data.folder().Exists("zkvprefs~.sav")) << c.what;
        EXPECT_NE(
            m_data.folder().Read("zkvlog.sav").find("MAIN: the preferences could not be saved into zkvprefs"),
            std::string::npos)
            << c.what;
    }
}

TEST_F(Preferences, SaveReachesTheDiskBeforeAndAfterItsRename)
{
    ASSERT_TRUE(CPreferencesMgr::Load());
    SyncRecorder syncs;
    CPreferencesMgr::Save();
    const std::string folder = std::filesystem::canonical(m_data.folder().path()).string();
    // The new file's bytes before it takes the name, the folder's entry after.
    EXPECT_EQ(syncs.Paths(), (std::vector<std::string>{folder + "/zkvprefs~.sav", folder}));
    EXPECT_EQ(m_data.folder().Read("zkvprefs.sav"), kDefaultFile);
}

TEST_F(Preferences, LoadRemovesTheFileOfASaveCutShortAndReadsNoMoreThanItKnows)
{
    // A killed save leaves its temporary file; the next start must not keep it.
    m_data.folder().Write("zkvprefs~.sav", std::string("\x09\x00\x01", 3));
    // Fields past the ones we know are never read, however many there are.
    std::string longer = kDefaultFile;
    longer[3] = 42;
    longer += std::string(1 << 16, '\x7F');
    m_data.folder().Write("zkvprefs.sav", longer);
    ASSERT_TRUE(CPreferencesMgr::Load());
    EXPECT_FALSE(m_data.folder().Exists("zkvprefs~.sav"));
    EXPECT_EQ(PrefVolume, 42);
    CPreferencesMgr::Save();
    EXPECT_EQ(m_data.folder().Read("zkvprefs.sav").size(), kDefaultFile.size());
}

}  // namespace

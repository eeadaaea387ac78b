// Sounds on the headless waveform output: channel choice, the end of a
// sound, looping, stopping, volume, and a failed write.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "core/sound_mgr.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_wave_out.h"
#include "platform/platform.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"

namespace {

class SoundTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetWaveOut(&m_out);
        CSoundMgr::Init();
        // 1000 sample frames of 8-bit mono at 10000 per second: 100 ms
        m_wav = ToneWav(1000, 10000);
        ASSERT_TRUE(m_sample.Assign(m_wav.data(), static_cast<uint32_t>(m_wav.size())));
    }
    void TearDown() override
    {
        CSoundMgr::StopAll();
        CSoundMgr::Shutdown();
        SetWaveOut(nullptr);
    }
    // One frame step of the game: time passes, then the manager is ticked.
    void Step(uint32_t ms = 50)
    {
        m_now += ms;
        CSoundMgr::Tick();
    }
    int BusyChannels()
    {
        int n = 0;
        for (int i = 0; i < kSoundChannels; ++i)
            n += CSoundMgr::Channel(i).IsFree() ? 0 : 1;
        return n;
    }

    uint32_t m_now = 100000;
    HeadlessWaveOut m_out{[this] { return m_now; }};
    std::vector<uint8_t> m_wav;
    SoundData m_sample;
};

TEST_F(SoundTest, NineSoundsTakeChannelsSevenDownToZeroThenFail)
{
    std::vector<std::unique_ptr<CSound>> sounds;
    for (int i = 0; i < 9; ++i) {
        sounds.push_back(std::make_unique<CSound>());
        ASSERT_TRUE(sounds.back()->SetSample(m_sample));
    }
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(sounds[i]->Play()) << i;
        EXPECT_EQ(sounds[i]->Channel(), &CSoundMgr::Channel(7 - i));
        EXPECT_EQ(CSoundMgr::Channel(7 - i).Sound(), sounds[i].get());
    }
    EXPECT_FALSE(sounds[8]->Play());
    EXPECT_FALSE(sounds[8]->IsPlaying());
    EXPECT_EQ(m_out.OpenCount(), 8);
    // Destroying a playing sound gives its channel back.
    sounds[3].reset();
    EXPECT_TRUE(CSoundMgr::Channel(4).IsFree());
    EXPECT_TRUE(sounds[8]->Play());
    EXPECT_EQ(sounds[8]->Channel(), &CSoundMgr::Channel(4));
}

TEST_F(SoundTest, FireAndForgetEndsAtTheTickAfterDoneAndFreesItsChannel)
{
    ASSERT_TRUE(CSoundMgr::PlaySound(m_sample, 255, 0));
    EXPECT_EQ(BusyChannels(), 1);
    Step(50);  // half played
    EXPECT_EQ(BusyChannels(), 1);
    Step(50);  // done: stopped, deleted in the same tick
    EXPECT_EQ(BusyChannels(), 0);
    EXPECT_EQ(CSoundMgr::FinishedCount(), 0);
    EXPECT_EQ(m_out.OpenCount(), 0);
    ASSERT_TRUE(CSoundMgr::PlaySound(m_sample, 255, 0));
    EXPECT_FALSE(CSoundMgr::Channel(7).IsFree()) << "the freed channel is the first choice again";
}

TEST_F(SoundTest, LoopingSoundIsWrittenAgainUntilStopped)
{
    CSound sound;
    ASSERT_TRUE(sound.SetSample(m_sample));
    sound.SetLoop(true);
    int stops = 0;
    sound.SetNotify([&](CSound*) { ++stops; });
    ASSERT_TRUE(sound.Play());
    WaveOutHandle device = sound.Channel()->Device();
    for (int pass = 0; pass < 3; ++pass)
        Step(100);
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_EQ(m_out.WriteCount(device), 4);
    EXPECT_EQ(stops, 0);
    EXPECT_TRUE(sound.Stop());
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(sound.Stop()) << "not playing any more";
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(BusyChannels(), 0);
    EXPECT_FALSE(m_out.IsOpen(device));
}

TEST_F(SoundTest, StopAllEndsEverySoundAndDeletesTheFireAndForgetOnes)
{
    CSound kept;
    ASSERT_TRUE(kept.SetSample(m_sample));
    ASSERT_TRUE(kept.Play());
    ASSERT_TRUE(CSoundMgr::PlaySound(m_sample, 200, 7));
    ASSERT_TRUE(CSoundMgr::PlaySound(m_sample, 200, 7));
    CSoundMgr::StopAll();
    EXPECT_EQ(BusyChannels(), 0);
    EXPECT_EQ(CSoundMgr::FinishedCount(), 0);
    EXPECT_FALSE(kept.IsPlaying());
    EXPECT_EQ(m_out.OpenCount(), 0);
}

TEST_F(SoundTest, VolumeIsSoundTimesMasterHighByteOnBothSides)
{
    struct Case {
        uint16_t sound, master;
        uint32_t level;
    } cases[] = {{255, 255, 254 * 256}, {128, 255, 127 * 256}, {255, 0, 0}, {100, 50, (100 * 50) & 0xFF00}};
    for (const Case& c : cases) {
        CSoundMgr::SetMasterVolume(c.master);
        CSound sound;
        ASSERT_TRUE(sound.SetSample(m_sample));
        sound.SetVolume(c.sound);
        ASSERT_TRUE(sound.Play());
        EXPECT_EQ(m_out.Volume(sound.Channel()->Device()), c.level | (c.level << 16))
            << c.sound << "x" << c.master;
    }
    // Changing the master volume reaches the playing channels at once.
    CSound playing;
    ASSERT_TRUE(playing.SetSample(m_sample));
    CSoundMgr::SetMasterVolume(255);
    ASSERT_TRUE(playing.Play());
    CSoundMgr::SetMasterVolume(128);
    uint32_t v = (255 * 128) & 0xFF00;
    EXPECT_EQ(m_out.Volume(playing.Channel()->Device()), v | (v << 16));
    CSoundMgr::SetMasterVolume(1000);
    EXPECT_EQ(CSoundMgr::MasterVolume(), 255) << "a damaged setting cannot push the level past 255";
}

TEST_F(SoundTest, FailedWriteLeavesNoChannelBound)
{
    m_out.FailWrites(true);
    EXPECT_FALSE(CSoundMgr::PlaySound(m_sample, 255, 0));
    CSound sound;
    ASSERT_TRUE(sound.SetSample(m_sample));
    EXPECT_FALSE(sound.Play());
    EXPECT_EQ(sound.Channel(), nullptr);
    EXPECT_EQ(BusyChannels(), 0);
    EXPECT_EQ(m_out.OpenCount(), 0);
    // Nothing is left behind for StopAll to touch, and the channels work again.
    CSoundMgr::StopAll();
    m_out.FailWrites(false);
    for (int i = 0; i < kSoundChannels; ++i)
        EXPECT_TRUE(CSoundMgr::PlaySound(m_sample, 255, 0));
}

TEST_F(SoundTest, FailedOpenOrSoundOffPlaysNothing)
{
    m_out.FailOpens(1);
    EXPECT_FALSE(CSoundMgr::PlaySound(m_sample, 255, 0));
    EXPECT_EQ(BusyChannels(), 0);
    EXPECT_TRUE(CSoundMgr::Enable(false));
    EXPECT_TRUE(CSoundMgr::Enable(false));
    EXPECT_FALSE(CSoundMgr::PlaySound(m_sample, 255, 0));
    CSound sound;
    ASSERT_TRUE(sound.SetSample(m_sample));
    EXPECT_FALSE(sound.Play());
    EXPECT_FALSE(CSoundMgr::PlaySound(SoundData{}, 255, 0));
}

TEST_F(SoundTest, SoundsLoadFromPacks)
{
    PackWriter pack(100);
    ASSERT_TRUE(pack.AddFile("Sounds/msg_info", "wav", m_wav));
    std::vector<uint8_t> listChunk = m_wav;
    std::memcpy(listChunk.data() + 36, "LIST", 4);
    ASSERT_TRUE(pack.AddFile("Sounds/odd", "wav", listChunk));
    FixtureData data;
    data.AddPack("sounds", pack);
    ASSERT_TRUE(data.Mount());
    CSound sound("/Sounds/msg_info");
    EXPECT_TRUE(sound.Sample().HasSamples());
    EXPECT_TRUE(sound.Play());
    EXPECT_FALSE(sound.Load("/Sounds/odd")) << "a chunk the fixed layout would misread";
    EXPECT_FALSE(sound.IsPlaying()) << "loading stops the sound first";
    EXPECT_FALSE(sound.Load("/Sounds/none"));
    EXPECT_FALSE(sound.Play());
}

TEST(SoundOnThePlatform, HeadlessSoundsEndByTheVirtualClock)
{
    HeadlessOptions options;
    options.closeAfterSteps = 0;
    UseHeadlessPlatform(options);
    CloseWaveOut();  // the default output is made afresh on this platform
    CSoundMgr::Init();
    std::vector<uint8_t> wav = ToneWav(1000, 10000);  // 100 ms
    SoundData sample;
    ASSERT_TRUE(sample.Assign(wav.data(), static_cast<uint32_t>(wav.size())));
    ASSERT_TRUE(CSoundMgr::PlaySound(sample, 255, 0));
    EXPECT_FALSE(CSoundMgr::Channel(7).IsFree());
    Sleep(60);  // the headless sleep moves the virtual clock on
    CSoundMgr::Tick();
    EXPECT_FALSE(CSoundMgr::Channel(7).IsFree());
    Sleep(60);
    CSoundMgr::Tick();
    EXPECT_TRUE(CSoundMgr::Channel(7).IsFree());
    CSoundMgr::Shutdown();
}

TEST(SoundData, OnlyTheCanonicalPcmLayoutIsTaken)
{
    std::vector<uint8_t> good = ToneWav(100, 8000, 2, 16);  // 400 bytes of samples
    struct Case {
        const char* name;
        size_t offset;  // byte to change, or SIZE_MAX to truncate
        uint8_t value;
        size_t keep;
        bool ok;
        uint32_t length;
    } cases[] = {
        {"as written", 0, 'R', 0, true, 400},
        {"not RIFF", 0, 'X', 0, false, 0},
        {"not WAVE", 8, 'X', 0, false, 0},
        {"another chunk where fmt belongs", 12, 'L', 0, false, 0},
        {"fmt chunk of 18 bytes", 16, 18, 0, false, 0},
        {"compressed format", 20, 2, 0, false, 0},
        {"no data chunk behind fmt", 36, 'f', 0, false, 0},
        {"3 channels", 22, 3, 0, false, 0},
        {"12 bits", 34, 12, 0, false, 0},
        {"block alignment disagrees", 32, 2, 0, false, 0},
        {"data size larger than the resource", 41, 0x40, 0, true, 400},
        {"data size smaller than the resource", 40, 0x10, 0, true, 0x110},
        {"resource cut inside the samples", SIZE_MAX, 0, 44 + 201, true, 200},
        {"header cut short", SIZE_MAX, 0, 43, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = good;
        if (c.offset == SIZE_MAX)
            bytes.resize(c.keep);
        else
            bytes[c.offset] = c.value;
        SoundData view;
        EXPECT_EQ(view.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())), c.ok);
        EXPECT_EQ(view.length, c.length);
        EXPECT_EQ(view.HasHeader(), c.ok);
    }
}

}  // namespace

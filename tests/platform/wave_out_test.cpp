// The waveform-output contract, run against the headless backend and the SDL
// mixer (on SDL's dummy driver, its device kept paused and mixed by the test),
// plus what only one of them does: virtual play time and injected failures,
// the mix itself, and silence without a sound card.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/headless/headless_wave_out.h"
#include "platform/wave_out.h"
#if THARN_HAVE_SDL
#include "platform/sdl/sdl_wave_out.h"
#endif

namespace {

WaveOutFormat Format(uint16_t channels, uint32_t rate, uint16_t bits)
{
    WaveOutFormat f;
    f.channels = channels;
    f.samplesPerSecond = rate;
    f.bitsPerSample = bits;
    f.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    f.avgBytesPerSecond = rate * f.blockAlign;
    return f;
}

// One backend under test, with a way to let its buffers play out.
struct Output {
    std::unique_ptr<WaveOut> out;
    std::function<void()> playOut;
};

using OutputMaker = Output (*)();

Output MakeHeadless()
{
    auto clock = std::make_shared<uint32_t>(5000);
    Output output;
    output.out = std::make_unique<HeadlessWaveOut>([clock] { return *clock; });
    output.playOut = [clock] { *clock += 60000; };
    return output;
}

#if THARN_HAVE_SDL
Output MakeSdl()
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto sdl = std::make_unique<SdlWaveOut>(false);
    SdlWaveOut* raw = sdl.get();
    Output output;
    output.out = std::move(sdl);
    output.playOut = [raw] {
        std::vector<int16_t> mix(4096 * SdlWaveOut::kChannels);
        for (int i = 0; i < 8; ++i)
            raw->Mix(mix.data(), 4096);
    };
    return output;
}
#endif

// A backend by its name, which the test names and the test log show.
struct Backend {
    const char* name;
    OutputMaker make;
};
void PrintTo(const Backend& backend, std::ostream* out)
{
    *out << backend.name;
}

class WaveOutContract : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override { m_output = GetParam().make(); }
    Output m_output;
    std::vector<uint8_t> m_samples = std::vector<uint8_t>(2000, 200);
};

TEST_P(WaveOutContract, EightDevicesAtMost)
{
    WaveOut& out = *m_output.out;
    std::vector<WaveOutHandle> open;
    for (int i = 0; i < kWaveOutDevices; ++i) {
        WaveOutHandle h = out.Open(Format(1, 22050, 8));
        ASSERT_NE(h, kNoWaveOut) << "device " << i;
        for (WaveOutHandle other : open)
            EXPECT_NE(other, h);
        open.push_back(h);
    }
    EXPECT_EQ(out.Open(Format(1, 22050, 8)), kNoWaveOut);
    ASSERT_TRUE(out.Close(open[3]));
    EXPECT_EQ(out.Open(Format(2, 11025, 16)), open[3]);
}

TEST_P(WaveOutContract, PlaysReplaysAndStops)
{
    WaveOut& out = *m_output.out;
    WaveOutHandle h = out.Open(Format(1, 22050, 8));
    ASSERT_NE(h, kNoWaveOut);
    EXPECT_FALSE(out.Write(h)) << "nothing prepared yet";
    ASSERT_TRUE(out.Prepare(h, m_samples.data(), static_cast<uint32_t>(m_samples.size())));
    ASSERT_TRUE(out.Write(h));
    EXPECT_FALSE(out.IsDone(h));
    EXPECT_FALSE(out.Unprepare(h)) << "still playing";
    m_output.playOut();
    EXPECT_TRUE(out.IsDone(h));

    ASSERT_TRUE(out.Write(h)) << "a done buffer can be written again";
    EXPECT_FALSE(out.IsDone(h));
    m_output.playOut();
    EXPECT_TRUE(out.IsDone(h));

    ASSERT_TRUE(out.Write(h));
    EXPECT_TRUE(out.Pause(h));
    EXPECT_TRUE(out.Reset(h));
    EXPECT_TRUE(out.IsDone(h)) << "reset ends the buffer";
    EXPECT_FALSE(out.Close(h)) << "unprepare first";
    EXPECT_TRUE(out.Unprepare(h));
    EXPECT_TRUE(out.Close(h));
    for (auto call : {+[](WaveOut&o, WaveOutHandle d) { return o.Write(d); },
                      +[](WaveOut&o, WaveOutHandle d) { return o.Reset(d); },
                      +[](WaveOut&o, WaveOutHandle d) { return o.Close(d); },
                      +[](WaveOut&o, WaveOutHandle d) { return o.SetVolume(d, 0); },
                      +[](WaveOut&o, WaveOutHandle d) { return o.IsDone(d); }})
        EXPECT_FALSE(call(out, h)) << "closed handle";
    EXPECT_FALSE(out.Write(-1));
    EXPECT_FALSE(out.Write(kWaveOutDevices));
}

// Named like the platform contract's instantiations: by the backend.
std::string BackendName(const testing::TestParamInfo<Backend>& info)
{
    return info.param.name;
}

#if THARN_HAVE_SDL
INSTANTIATE_TEST_SUITE_P(Backends, WaveOutContract,
                         testing::Values(Backend{"headless", &MakeHeadless}, Backend{"sdl", &MakeSdl}),
                         BackendName);
#else
INSTANTIATE_TEST_SUITE_P(Backends, WaveOutContract, testing::Values(Backend{"headless", &MakeHeadless}),
                         BackendName);
#endif

TEST(HeadlessWaveOut, PlaysForLengthOverBytesPerSecond)
{
    uint32_t now = 1000;
    HeadlessWaveOut out([&] { return now; });
    std::vector<uint8_t> samples(11025);  // half a second of 8-bit mono at 22050
    WaveOutHandle h = out.Open(Format(1, 22050, 8));
    ASSERT_TRUE(out.Prepare(h, samples.data(), static_cast<uint32_t>(samples.size())));
    ASSERT_TRUE(out.Write(h));
    now += 499;
    EXPECT_FALSE(out.IsDone(h));
    now += 1;
    EXPECT_TRUE(out.IsDone(h));
    // 16-bit stereo doubles the bytes twice: the same bytes play a quarter as long
    EXPECT_EQ(HeadlessWaveOut::PlayTime(Format(2, 22050, 16), 11025), 125u);
    EXPECT_EQ(HeadlessWaveOut::PlayTime(Format(1, 22050, 8), 1), 1u) << "rounded up";
}

TEST(HeadlessWaveOut, PausedBufferDoesNotFinish)
{
    uint32_t now = 0;
    HeadlessWaveOut out([&] { return now; });
    std::vector<uint8_t> samples(100);
    WaveOutHandle h = out.Open(Format(1, 1000, 8));
    ASSERT_TRUE(out.Prepare(h, samples.data(), 100));
    ASSERT_TRUE(out.Write(h));
    ASSERT_TRUE(out.Pause(h));
    now += 1000;
    EXPECT_FALSE(out.IsDone(h));
    EXPECT_FALSE(out.IsPlaying(h));
}

TEST(HeadlessWaveOut, InjectedFailures)
{
    uint32_t now = 0;
    HeadlessWaveOut out([&] { return now; });
    std::vector<uint8_t> samples(100);
    out.FailOpens(2);
    EXPECT_EQ(out.Open(Format(1, 1000, 8)), kNoWaveOut);
    EXPECT_EQ(out.Open(Format(1, 1000, 8)), kNoWaveOut);
    WaveOutHandle h = out.Open(Format(1, 1000, 8));
    ASSERT_NE(h, kNoWaveOut);
    ASSERT_TRUE(out.Prepare(h, samples.data(), 100));
    out.FailWrites(true);
    EXPECT_FALSE(out.Write(h));
    EXPECT_FALSE(out.IsPlaying(h));
    EXPECT_EQ(out.WriteCount(h), 0);
    out.FailWrites(false);
    EXPECT_TRUE(out.Write(h));
    out.Finish(h);
    EXPECT_TRUE(out.IsDone(h));
}

#if THARN_HAVE_SDL
TEST(SdlWaveOut, MixesVoicesWithTheirVolumes)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlWaveOut out(false);
    ASSERT_TRUE(out.HasDevice());
    // 8-bit mono at the mix rate: one byte becomes one stereo frame, and
    // SDL widens an 8-bit step to 256.
    std::vector<uint8_t> a64(64, 128 + 64), b32(64, 128 + 32), c127(64, 255);
    WaveOutHandle a = out.Open(Format(1, SdlWaveOut::kRate, 8));
    WaveOutHandle b = out.Open(Format(1, SdlWaveOut::kRate, 8));
    WaveOutHandle c = out.Open(Format(1, SdlWaveOut::kRate, 8));
    ASSERT_TRUE(out.Prepare(a, a64.data(), 64));
    ASSERT_TRUE(out.Prepare(b, b32.data(), 64));
    ASSERT_TRUE(out.Prepare(c, c127.data(), 64));
    ASSERT_TRUE(out.SetVolume(a, 0x0000FFFF));  // left only
    ASSERT_TRUE(out.SetVolume(c, 0xFFFF0000));  // right only
    ASSERT_TRUE(out.Write(a));
    ASSERT_TRUE(out.Write(b));
    ASSERT_TRUE(out.Write(c));
    std::vector<int16_t> mix(2 * 32);
    out.Mix(mix.data(), 32);
    EXPECT_EQ(mix[0], 64 * 256 + 32 * 256) << "left: a + b";
    EXPECT_EQ(mix[1], 32767) << "right: b + c saturates instead of wrapping";
    EXPECT_EQ(mix[62], mix[0]);
    EXPECT_FALSE(out.IsDone(a));
    out.Mix(mix.data(), 32);
    EXPECT_TRUE(out.IsDone(a));
    EXPECT_TRUE(out.IsDone(c));
    out.Mix(mix.data(), 32);
    EXPECT_EQ(mix[0], 0) << "finished voices are silent";
}

TEST(SdlWaveOut, WithoutSoundCardEverythingIsRefused)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlWaveOut out(false);
    EXPECT_FALSE(out.HasDevice());
    EXPECT_EQ(out.Open(Format(1, 22050, 8)), kNoWaveOut);
    EXPECT_FALSE(out.IsDone(0));
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}
#endif

}  // namespace

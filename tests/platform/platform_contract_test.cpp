// The contract of platform.h, checked against every backend that can run
// here: headless always, SDL2 (with its dummy video driver) when built.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "platform/platform_backend.h"
#include "platform/wave_out.h"
#include "tests/support/missing_tool.h"
#ifdef THARN_HAVE_SDL
#include "platform/sdl/sdl_backend.h"
#endif

namespace {

struct Seen {
    WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};
std::vector<Seen> g_seen;

intptr_t RecordingProc(WindowHandle w, uint32_t m, uintptr_t wp, intptr_t lp)
{
    g_seen.push_back({w, m, wp, lp});
    return 77;
}

PlatformSettings TestSettings(int orientation = 2)
{
    PlatformSettings s;
    s.screenWidth = 320;
    s.screenHeight = 240;
    s.orientation = orientation;
    return s;
}

class PlatformContract : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        g_seen.clear();
        Install(TestSettings());
    }
    // Puts the backend of the parameter in place; skips the test when it cannot run here.
    void Install(const PlatformSettings& settings)
    {
        std::string which = GetParam();
        if (which == "headless") {
            HeadlessOptions o;
            o.settings = settings;
            o.closeAfterSteps = 0;
            UseHeadlessPlatform(o);
            return;
        }
#ifdef THARN_HAVE_SDL
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        PlatformClose();
        auto backend = MakeSdlBackend(settings);
        if (!backend) {
            THARN_SKIP_FOR_MISSING_TOOL("SDL video cannot start here");
        }
        InstallPlatform(std::move(backend));
#else
        THARN_SKIP_FOR_MISSING_TOOL("built without SDL2");
#endif
    }
    void TearDown() override
    {
        PlatformClose();
    }

    WindowHandle OpenWindow()
    {
        EXPECT_TRUE(RegisterWindowClass("QRVKWnd", CS_HREDRAW | CS_VREDRAW, RecordingProc));
        return CreateMainWindow("QRVKWnd", "Tharnmoor", WS_VISIBLE, 0, 0, 320, 240);
    }
};

TEST_P(PlatformContract, WindowClassAndTheOneMainWindow)
{
    EXPECT_EQ(CreateMainWindow("QRVKWnd", "Tharnmoor", WS_VISIBLE, 0, 0, 1, 1), 0u)
        << "class not registered yet";
    EXPECT_FALSE(RegisterWindowClass("", 0, RecordingProc));
    EXPECT_FALSE(RegisterWindowClass("Other", 0, nullptr));
    WindowHandle w = OpenWindow();
    ASSERT_NE(w, 0u);
    EXPECT_FALSE(RegisterWindowClass("QRVKWnd", 0, RecordingProc)) << "registered twice";
    EXPECT_EQ(CreateMainWindow("QRVKWnd", "Again", WS_VISIBLE, 0, 0, 1, 1), 0u) << "only one main window";
}

TEST_P(PlatformContract, MessagesComeOutOneAtATimeInOrderAndDispatchSynchronously)
{
    WindowHandle w = OpenWindow();
    ASSERT_NE(w, 0u);
    PostMessage(w, WM_KEYDOWN, VK_SELECT, 1);
    PostMessage(w, WM_LBUTTONDOWN, 1, MakePointParam(5, 7));
    PostMessage(w, WM_CLOSE, 0, 0);
    std::vector<uint32_t> order;
    WindowMessage msg;
    while (PeekMessage(msg)) {
        TranslateMessage(msg);
        EXPECT_EQ(DispatchMessage(msg), 77);
        order.push_back(msg.message);
        ASSERT_EQ(g_seen.size(), order.size()) << "dispatch must call the procedure before it returns";
    }
    EXPECT_EQ(order, (std::vector<uint32_t>{WM_KEYDOWN, WM_LBUTTONDOWN, WM_CLOSE}));
    EXPECT_EQ(g_seen[0].wParam, VK_SELECT);
    EXPECT_EQ(g_seen[1].lParam & 0xFFF, 5);
    EXPECT_EQ((g_seen[1].lParam >> 16) & 0xFFF, 7);
    EXPECT_EQ(g_seen[2].window, w);
    EXPECT_FALSE(PeekMessage(msg));
}

TEST_P(PlatformContract, ScreenMetricsOrientationAndInput)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
    EXPECT_EQ(GetSystemMetrics(99), 0);
    EXPECT_EQ(QueryDisplayOrientation(), 2);
    EXPECT_TRUE(GXOpenInput());
    GXCloseInput();
    EXPECT_EQ(GetKeyState(VK_UP) & 0x8000, 0) << "nothing is held";
}

TEST_P(PlatformContract, RawFrameBufferCoversTheScreenAndPresents)
{
    ASSERT_NE(OpenWindow(), 0u);
    RawFrameBufferInfo info;
    ASSERT_GT(GetRawFrameBuffer(info), 0);
    EXPECT_TRUE(info.format == RAW_FORMAT_565 || info.format == RAW_FORMAT_555);
    EXPECT_EQ(info.bitsPerPixel, 16);
    ASSERT_EQ(info.width, 320);
    ASSERT_EQ(info.height, 240);
    for (int y = 0; y < info.height; ++y) {
        for (int x = 0; x < info.width; ++x) {
            *reinterpret_cast<uint16_t*>(info.frame + x * info.xStride + y * info.yStride) =
                static_cast<uint16_t>(x * 7 + y * 13);
        }
    }
    EXPECT_EQ(*reinterpret_cast<uint16_t*>(info.frame + 319 * info.xStride + 239 * info.yStride),
              static_cast<uint16_t>(319 * 7 + 239 * 13));
    PresentScreen();
}

TEST_P(PlatformContract, TicksStartFarFromZeroAndNeverRunBackwards)
{
    uint32_t before = GetTickCount();
    EXPECT_GE(before, 0x100000u) << "a new timer's last tick 0 must lie far in the past";
    if (std::string(PlatformBackendName()) == "headless") {
        Sleep(2);  // only the virtual clock: tests never really sleep
    }
    uint32_t after = GetTickCount();
    EXPECT_LT(after - before, 60000u);
    EXPECT_GE(after, before);
}

// Reads back a PNG of our own writer (stored deflate blocks only) as RGB rows.
bool ReadOwnPng(const std::string& path, int& w, int& h, std::vector<uint8_t>& rgb)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (png.size() < 45)
        return false;
    auto u32 = [&](size_t at) {
        return uint32_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    };
    w = static_cast<int>(u32(16));
    h = static_cast<int>(u32(20));
    size_t p = 8 + 25 + 8 + 2;
    std::vector<uint8_t> raw;
    for (bool last = false; !last;) {
        if (p + 5 > png.size())
            return false;
        last = png[p] & 1;
        size_t len = png[p + 1] | png[p + 2] << 8;
        raw.insert(raw.end(), png.begin() + p + 5, png.begin() + p + 5 + len);
        p += 5 + len;
    }
    rgb.clear();
    for (int y = 0; y < h; ++y) {
        auto row = raw.begin() + y * (w * 3 + 1) + 1;
        rgb.insert(rgb.end(), row, row + w * 3);
    }
    return rgb.size() == static_cast<size_t>(w * h * 3);
}

// The device shows its panel turned by the display orientation, and reports
// its screen turned: the window and the screenshot are the screen as shown.
TEST_P(PlatformContract, ScreenshotShowsThePanelTurnedScaledWithSquarePixels)
{
    const struct {
        int orientation;
        int width, height;  // the screen as shown
        int redX, redY;     // where panel pixel (0, 0) is shown
    } cases[] = {
        {0, 320, 240, 0, 0},
        {1, 240, 320, 239, 0},
        {2, 320, 240, 319, 239},
        {4, 240, 320, 0, 319},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "orientation " << c.orientation);
        PlatformClose();
        g_seen.clear();
        Install(TestSettings(c.orientation));
        if (IsSkipped())
            return;
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), c.width);
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), c.height);
        ASSERT_NE(OpenWindow(), 0u);
        RawFrameBufferInfo info;
        ASSERT_GT(GetRawFrameBuffer(info), 0);
        ASSERT_EQ(info.width, 320) << "the panel stands as it is";
        ASSERT_EQ(info.height, 240);
        auto put = [&](int x, int y, uint16_t v) {
            *reinterpret_cast<uint16_t*>(info.frame + x * info.xStride + y * info.yStride) = v;
        };
        const uint16_t red = info.format == RAW_FORMAT_565 ? 0xF800 : 0x7C00;
        const uint16_t blue = 0x001F;
        put(0, 0, red);
        put(319, 239, blue);
        PresentScreen();
        std::string path =
            ::testing::TempDir() + "contract_" + std::to_string(::getpid()) + "_" + GetParam() + ".png";
        ASSERT_TRUE(CurrentPlatform().Screenshot(path));
        int w = 0, h = 0;
        std::vector<uint8_t> rgb;
        ASSERT_TRUE(ReadOwnPng(path, w, h, rgb));
        std::remove(path.c_str());
        ASSERT_EQ(w % c.width, 0);
        const int scale = w / c.width;
        ASSERT_GE(scale, 1);
        ASSERT_EQ(h, c.height * scale);
        auto at = [&](int x, int y) {
            return std::vector<uint8_t>(rgb.begin() + (y * w + x) * 3, rgb.begin() + (y * w + x) * 3 + 3);
        };
        const int redLeft = c.redX * scale, redTop = c.redY * scale;
        EXPECT_EQ(at(redLeft, redTop), (std::vector<uint8_t>{255, 0, 0}));
        EXPECT_EQ(at(redLeft + scale - 1, redTop + scale - 1), (std::vector<uint8_t>{255, 0, 0}))
            << "one device pixel covers scale x scale";
        // The far corner of the panel is shown diagonally opposite.
        const int blueX = c.width - 1 - c.redX, blueY = c.height - 1 - c.redY;
        EXPECT_EQ(at(blueX * scale, blueY * scale), (std::vector<uint8_t>{0, 0, 255}));
        const int besideX = c.redX == 0 ? scale : redLeft - 1;
        EXPECT_EQ(at(besideX, redTop), (std::vector<uint8_t>{0, 0, 0}));
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, PlatformContract, ::testing::Values("headless", "sdl"),
                         [](const auto& info) { return std::string(info.param); });

bool SdlLoaded()
{
    return dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD) != nullptr;
}

// A headless run, with its screen, its script clock and its sound, does not
// load SDL2 and what SDL2 pulls in; the window loads it when it is chosen.
TEST(PlatformLibraries, SdlIsLoadedOnlyWhenTheWindowOrItsSoundIsUsed)
{
    // Each case in a process of its own: other tests here have loaded SDL2.
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            setenv("THARNMOOR_VIDEO", "headless", 1);
            const bool named = std::string(PlatformBackendName()) == "headless";
            WaveOutFormat format{};
            format.channels = 1;
            format.samplesPerSecond = 22050;
            format.bitsPerSample = 8;
            format.avgBytesPerSecond = 22050;
            format.blockAlign = 1;
            const WaveOutHandle voice = GetWaveOut().Open(format);
            const bool silentVoice = voice != kNoWaveOut;
            std::exit(named && silentVoice && !SdlLoaded() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
#ifdef THARN_HAVE_SDL
    EXPECT_EXIT(
        {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            auto backend = MakeSdlBackend(TestSettings());
            std::exit(backend != nullptr && SdlLoaded() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
#endif
}

}  // namespace

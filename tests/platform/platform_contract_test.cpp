// The contract of platform.h, checked against every backend that can run
// here: headless always, SDL2 (with its dummy video driver) when built.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
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

intptr_t RecordingProc(WindowHandle w, uint32_t m, uintptr_t wp, intptr_t lp) {
    g_seen.push_back({w, m, wp, lp});
    return 77;
}

PlatformSettings TestSettings() {
    PlatformSettings s;
    s.screenWidth = 320;
    s.screenHeight = 240;
    s.orientation = 2;
    return s;
}

class PlatformContract : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        g_seen.clear();
        std::string which = GetParam();
        if (which == "headless") {
            HeadlessOptions o;
            o.settings = TestSettings();
            o.closeAfterSteps = 0;
            UseHeadlessPlatform(o);
            return;
        }
#ifdef THARN_HAVE_SDL
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        auto backend = MakeSdlBackend(TestSettings());
        if (!backend) {
            GTEST_SKIP() << "SDL video cannot start here";
        }
        InstallPlatform(std::move(backend));
#else
        GTEST_SKIP() << "built without SDL2";
#endif
    }
    void TearDown() override { PlatformClose(); }

    WindowHandle OpenWindow() {
        EXPECT_TRUE(RegisterWindowClass("QRVKWnd", CS_HREDRAW | CS_VREDRAW, RecordingProc));
        return CreateMainWindow("QRVKWnd", "Tharnmoor", WS_VISIBLE, 0, 0, 320, 240);
    }
};

TEST_P(PlatformContract, WindowClassAndTheOneMainWindow) {
    EXPECT_EQ(CreateMainWindow("QRVKWnd", "Tharnmoor", WS_VISIBLE, 0, 0, 1, 1), 0u) << "class not registered yet";
    EXPECT_FALSE(RegisterWindowClass("", 0, RecordingProc));
    EXPECT_FALSE(RegisterWindowClass("Other", 0, nullptr));
    WindowHandle w = OpenWindow();
    ASSERT_NE(w, 0u);
    EXPECT_FALSE(RegisterWindowClass("QRVKWnd", 0, RecordingProc)) << "registered twice";
    EXPECT_EQ(CreateMainWindow("QRVKWnd", "Again", WS_VISIBLE, 0, 0, 1, 1), 0u) << "only one main window";
}

TEST_P(PlatformContract, MessagesComeOutOneAtATimeInOrderAndDispatchSynchronously) {
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

TEST_P(PlatformContract, ScreenMetricsOrientationAndInput) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
    EXPECT_EQ(GetSystemMetrics(99), 0);
    EXPECT_EQ(QueryDisplayOrientation(), 2);
    EXPECT_TRUE(GXOpenInput());
    GXCloseInput();
    EXPECT_EQ(GetKeyState(VK_UP) & 0x8000, 0) << "nothing is held";
}

TEST_P(PlatformContract, RawFrameBufferCoversTheScreenAndPresents) {
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

TEST_P(PlatformContract, TicksStartFarFromZeroAndNeverRunBackwards) {
    uint32_t before = GetTickCount();
    EXPECT_GE(before, 0x100000u) << "a new timer's last tick 0 must lie far in the past";
    if (std::string(PlatformBackendName()) == "headless") {
        Sleep(2);  // only the virtual clock: tests never really sleep
    }
    uint32_t after = GetTickCount();
    EXPECT_LT(after - before, 60000u);
    EXPECT_GE(after, before);
}

INSTANTIATE_TEST_SUITE_P(Backends, PlatformContract, ::testing::Values("headless", "sdl"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace

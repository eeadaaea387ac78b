// The headless backend's own promises: virtual time, refusal on demand,
// memory screen layouts, scripted input and the run that ends by itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"

namespace {

intptr_t NullProc(WindowHandle, uint32_t, uintptr_t, intptr_t)
{
    return 0;
}

HeadlessBackend& Fresh(HeadlessOptions o = {})
{
    HeadlessBackend& b = UseHeadlessPlatform(o);
    RegisterWindowClass("QRVKWnd", 0, NullProc);
    return b;
}

// The stand-in for a full disk: every file replacement fails and leaves the
// old file, whether asked by option, by script or in the middle of a run.
TEST(HeadlessBackend, RefusesFileWritesOnDemand)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("tharn_refuse_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string from = (dir / "file_new.sav").string(), to = (dir / "file.sav").string();
    const auto replace = [&] {
        std::ofstream(to) << "old";
        std::ofstream(from) << "new";
        const bool replaced = ReplaceFileDurably(from, to);
        std::ifstream in(to);
        const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(now, replaced ? "new" : "old");
        return replaced;
    };
    HeadlessOptions refusing;
    refusing.refuseWrites = true;
    Fresh(refusing);
    EXPECT_FALSE(replace()) << "by option";
    HeadlessBackend& backend = Fresh();
    EXPECT_TRUE(replace());
    auto script = std::make_unique<InputScript>();
    ASSERT_TRUE(script->Parse("refuse writes\n"));
    backend.UseScript(std::move(script));
    EXPECT_FALSE(replace()) << "by script";
    HeadlessBackend& running = Fresh();
    running.RefuseFileWrites(true);
    EXPECT_FALSE(replace()) << "in the middle of a run";
    running.RefuseFileWrites(false);
    EXPECT_TRUE(replace());
    PlatformClose();
    EXPECT_TRUE(replace()) << "no backend, no refusal";
    fs::remove_all(dir);
}

TEST(HeadlessBackend, SleepMovesTheVirtualClockOnly)
{
    Fresh();
    uint32_t t0 = GetTickCount();
    EXPECT_EQ(t0, kHeadlessClockStart);
    Sleep(50);
    Sleep(3600 * 1000);  // an hour, at once
    EXPECT_EQ(GetTickCount() - t0, 3600u * 1000 + 50);
    PlatformClose();
}

TEST(HeadlessBackend, RefusesEachPartOfTheDeviceOnDemand)
{
    // Refusing raw access leaves the game library's display; refusing the
    // display leaves neither.
    struct Case {
        const char* name;
        bool HeadlessOptions::*flag;
        bool window, raw, library, input;
    } cases[] = {{"window", &HeadlessOptions::refuseWindow, false, true, false, true},
                 {"display", &HeadlessOptions::refuseDisplay, true, false, false, true},
                 {"raw", &HeadlessOptions::refuseRawAccess, true, false, true, true},
                 {"input", &HeadlessOptions::refuseInput, true, true, true, false}};
    for (const auto& c : cases) {
        for (bool byScript : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (byScript ? " by script" : " by option"));
            HeadlessOptions o;
            if (!byScript)
                o.*(c.flag) = true;
            HeadlessBackend& backend = Fresh(o);
            if (byScript) {
                auto script = std::make_unique<InputScript>();
                ASSERT_TRUE(script->Parse(std::string("refuse ") + c.name + "\n"));
                backend.UseScript(std::move(script));
            }
            RawFrameBufferInfo info;
            const WindowHandle window = CreateMainWindow("QRVKWnd", "Tharnmoor", WS_VISIBLE, 0, 0, 240, 320);
            EXPECT_EQ(window != 0, c.window);
            EXPECT_EQ(GetRawFrameBuffer(info) > 0, c.raw);
            EXPECT_EQ(GXOpenDisplay(window, GX_FULLSCREEN), c.library);
            if (c.library) {
                const GXDisplayProperties p = GXGetDisplayProperties();
                EXPECT_EQ(p.cxWidth, 240u);
                EXPECT_EQ(p.cyHeight, 320u);
                EXPECT_EQ(p.ffFormat, kfDirect565);
                EXPECT_NE(GXBeginDraw(), nullptr);
                GXEndDraw();
                GXCloseDisplay();
                EXPECT_EQ(GXBeginDraw(), nullptr) << "no drawing on a closed display";
            }
            EXPECT_EQ(GXOpenInput(), c.input);
        }
    }
    PlatformClose();
}

TEST(HeadlessBackend, ScreenLayoutsVisitEveryPixelOnceWhateverTheStrideSigns)
{
    const int w = 6, h = 4;
    struct Layout {
        int32_t xs, ys;
        const char* what;
    } layouts[] = {{2, 2 * w, "plain rows"},
                   {-2, 2 * w, "mirrored rows"},
                   {2, -2 * w, "bottom-up rows"},
                   {-2, -2 * w, "upside down"},
                   {2 * h, -2, "panel turned one way"},
                   {-2 * h, 2, "panel turned the other way"}};
    for (const auto& l : layouts) {
        SCOPED_TRACE(l.what);
        HeadlessOptions o;
        o.settings.screenWidth = w;
        o.settings.screenHeight = h;
        o.xStride = l.xs;
        o.yStride = l.ys;
        HeadlessBackend& b = Fresh(o);
        RawFrameBufferInfo info;
        ASSERT_GT(GetRawFrameBuffer(info), 0);
        EXPECT_EQ(info.xStride, l.xs);
        EXPECT_EQ(info.yStride, l.ys);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                *reinterpret_cast<uint16_t*>(info.frame + x * info.xStride + y * info.yStride) =
                    static_cast<uint16_t>(1 + x + y * w);
            }
        }
        std::set<uint16_t> stored(b.Screen().Memory(), b.Screen().Memory() + w * h);
        EXPECT_EQ(stored.size(), static_cast<size_t>(w * h)) << "two pixels share a slot";
        EXPECT_EQ(stored.count(0), 0u) << "a slot of the block was never reached";
        EXPECT_EQ(b.Screen().Pixel(w - 1, h - 1), w * h);
    }
    PlatformClose();
}

TEST(HeadlessBackend, KeysHeldByTheTestShowInTheKeyState)
{
    HeadlessBackend& b = Fresh();
    b.SetKeyHeld(VK_UP, true);
    EXPECT_NE(GetKeyState(VK_UP) & 0x8000, 0);
    EXPECT_EQ(GetKeyState(VK_DOWN) & 0x8000, 0);
    b.SetKeyHeld(VK_UP, false);
    EXPECT_EQ(GetKeyState(VK_UP) & 0x8000, 0);
    PlatformClose();
}

TEST(HeadlessBackend, MessageBoxIsRecordedAndDoesNotBlock)
{
    HeadlessBackend& b = Fresh();
    ShowMessageBox("Error!", "Core initialization failed. See log file for details.", MB_ICONSTOP);
    ASSERT_EQ(b.MessageBoxes().size(), 1u);
    EXPECT_EQ(b.MessageBoxes()[0], "Core initialization failed. See log file for details.");
    PlatformClose();
}

TEST(HeadlessBackend, WithoutScriptTheRunAsksToCloseAfterItsBoundAndAgainLater)
{
    HeadlessOptions o;
    o.closeAfterSteps = 10;
    Fresh(o);
    std::vector<int> closesAt;
    for (int i = 1; i <= 250; ++i) {
        WindowMessage m;
        if (PeekMessage(m) && m.message == WM_CLOSE) {
            closesAt.push_back(i);
        }
    }
    EXPECT_EQ(closesAt, (std::vector<int>{10, 110, 210}));
    PlatformClose();
}

TEST(HeadlessBackend, ScriptPlaysOneMessagePerStepHonoursWaitsAndEndsWithClose)
{
    HeadlessBackend& b = Fresh();
    auto script = std::make_unique<InputScript>();
    ASSERT_TRUE(script->Parse("# a comment\n"
                              "down 10 20\n"
                              "move 11 21\n"
                              "wait 200\n"
                              "up 12 22\r\n"
                              "key action\n"
                              "char a\xC3\xA9\n"));
    b.UseScript(std::move(script));
    CreateMainWindow("QRVKWnd", "Tharnmoor", WS_VISIBLE, 0, 0, 240, 320);

    struct Step {
        int fetch;
        WindowMessage m;
    };
    std::vector<Step> got;
    std::vector<int> actionHeldAt;
    for (int i = 0; i < 20; ++i) {
        WindowMessage m;
        if (PeekMessage(m)) {
            got.push_back({i, m});
        }
        if (GetKeyState(VK_SELECT) & 0x8000) {
            actionHeldAt.push_back(i);
        }
        Sleep(50);
    }
    ASSERT_EQ(got.size(), 7u);
    struct Want {
        int fetch;
        uint32_t message;
        uintptr_t wParam;
        int x, y;
    } want[] = {{0, WM_LBUTTONDOWN, 1, 10, 20}, {1, WM_MOUSEMOVE, 1, 11, 21},
                {6, WM_LBUTTONUP, 0, 12, 22},   {7, WM_KEYDOWN, VK_SELECT, -1, -1},
                {8, WM_CHAR, 'a', -1, -1},      {9, WM_CHAR, 0xE9, -1, -1},
                {10, WM_CLOSE, 0, -1, -1}};
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].fetch, want[i].fetch);
        EXPECT_EQ(got[i].m.message, want[i].message);
        EXPECT_EQ(got[i].m.wParam, want[i].wParam);
        if (want[i].x >= 0) {
            EXPECT_EQ(got[i].m.lParam & 0xFFFF, want[i].x);
            EXPECT_EQ((got[i].m.lParam >> 16) & 0xFFFF, want[i].y);
        }
    }
    EXPECT_EQ(actionHeldAt, std::vector<int>{7}) << "a scripted key is held for its own frame step only";
    PlatformClose();
}

TEST(HeadlessBackend, ScriptRefusalAndScreenshot)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("tharn_shot_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    HeadlessOptions o;
    o.settings.screenWidth = 4;
    o.settings.screenHeight = 2;
    o.settings.shots = dir.string();
    HeadlessBackend& b = Fresh(o);
    auto script = std::make_unique<InputScript>();
    ASSERT_TRUE(script->Parse("refuse input\nshot first.png\n"));
    b.UseScript(std::move(script));
    EXPECT_FALSE(GXOpenInput());
    b.Screen().SetPixel(3, 1, 0xF800);  // red, bottom-right
    WindowMessage m;
    PeekMessage(m);
    std::ifstream in(dir / "first.png", std::ios::binary);
    ASSERT_TRUE(in) << "no screenshot written";
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ(bytes[1], 'P');
    EXPECT_EQ(bytes[19], 4);  // IHDR width
    EXPECT_EQ(bytes[23], 2);  // IHDR height
    // Stored deflate data: the last row's last pixel is the red one.
    std::vector<uint8_t> tail = {0xFF, 0x00, 0x00};
    auto it = std::search(bytes.begin(), bytes.end(), tail.begin(), tail.end());
    EXPECT_NE(it, bytes.end());
    PlatformClose();
    fs::remove_all(dir);
}

}  // namespace

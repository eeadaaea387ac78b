// The frame step, the quit and stop flags, and the order of start-up and
// shutdown as the managers see it (in-process; the program's own log is
// checked end to end by the application tests).

#include "core/core_main.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/data_file.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/error_code_stack.h"
#include "core/log.h"
#include "core/signal.h"
#include "core/task_mgr.h"
#include "core/timer.h"
#include "platform/headless/headless_backend.h"

namespace {

std::vector<std::string> g_events;

CDrawContext* MakeContext()
{
    return new CDrawContext;
}

class CountingHook : public FrameHook {
public:
    void OnFrame() override { g_events.push_back("hook"); }
};

class RecordingTask : public CTask {
public:
    void Run() override { g_events.push_back("task"); }
    void OnStop() override
    {
        g_events.push_back(std::string("task stopped, device ") + (IsDeviceUp() ? "up" : "down"));
        LogWrite("TEST: task stopped");
    }
};

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        folder = fs::temp_directory_path() / ("tharn_core_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        HeadlessOptions o;
        o.settings.dataFolder = folder.string() + "/";
        o.closeAfterSteps = 0;
        platform = &UseHeadlessPlatform(o);
        SetDrawContextFactory(MakeContext);
        g_events.clear();
    }
    void TearDown() override
    {
        SetFrameHook(nullptr);
        SetApplicationHooks({});
        PlatformClose();
        std::filesystem::remove_all(folder);
    }
    std::string LogText()
    {
        FILE* f = std::fopen((folder / "zkvlog.sav").c_str(), "rb");
        if (!f)
            return "";
        std::string s;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            s.append(buf, n);
        std::fclose(f);
        return s;
    }
    std::filesystem::path folder;
    HeadlessBackend* platform = nullptr;
};

TEST_F(CoreTest, InactiveFrameStepsOnlyPumpAndSleep)
{
    SetApplicationHooks({[] { return true; }, [] {}});
    ASSERT_TRUE(CoreStartup());
    SetFrameHook(new CountingHook);
    RecordingTask task;
    CDisplaySurface* display = GetDisplaySurface();

    FrameStep();
    EXPECT_EQ(g_events, (std::vector<std::string>{"hook", "task"}));

    g_events.clear();
    PostMessage(MainWindow(), WM_ACTIVATE, 0, 0);
    display->AddDirtyRect(PackedRect(0, 0, 9, 9));
    uint32_t before = GetTickCount();
    FrameStep();  // takes the deactivation
    FrameStep();
    EXPECT_EQ(GetTickCount() - before, 100u) << "each step sleeps 50 ms";
    EXPECT_TRUE(g_events.empty()) << "no hook and no ticks while inactive";
    EXPECT_EQ(display->DirtyCount(), 1) << "and no flush";

    PostMessage(MainWindow(), WM_ACTIVATE, 1, 0);
    FrameStep();  // reactivation is still seen
    EXPECT_EQ(g_events, (std::vector<std::string>{"hook", "task"}));
    EXPECT_EQ(display->DirtyCount(), 0);
    CoreShutdown();
}

TEST_F(CoreTest, QuitIsSetOnceAndStopFollowsEitherFlag)
{
    SetApplicationHooks({[] { return true; }, [] {}});
    ASSERT_TRUE(CoreStartup());
    EXPECT_TRUE(IsAppRunning());
    EXPECT_FALSE(IsStopRequested());
    LeaveRequestFlag = 1;
    EXPECT_TRUE(IsStopRequested()) << "at once, without a frame step";
    LeaveRequestFlag = 0;
    RequestQuit();
    RequestQuit();
    EXPECT_EQ(QuitFlag, 1);
    EXPECT_TRUE(IsStopRequested());
    EXPECT_FALSE(IsAppRunning());
    MainLoop();  // returns at once
    CoreShutdown();
    EXPECT_EQ(QuitFlag, 1);
}

TEST_F(CoreTest, QuitCodeOnTheErrorStackEndsTheMainLoop)
{
    SetApplicationHooks({[] { return true; }, [] {}});
    ASSERT_TRUE(CoreStartup());
    struct Pusher : CTimer {
        Pusher() : CTimer(100) {}
        void OnTimer() override { PushErrorCode(0xFF07); }
    } pusher;
    MainLoop();
    EXPECT_EQ(QuitFlag, 1);
    CoreShutdown();
}

void CountPenDown(intptr_t, SignalDelegate*)
{
    g_events.push_back("pen down");
}

TEST_F(CoreTest, TimerCallbackMayWaitModallyOnFrameStepsUntilInputOrQuit)
{
    SetApplicationHooks({[] { return true; }, [] {}});
    ASSERT_TRUE(CoreStartup());
    SignalConnection pen;
    PenDownSignal.Connect(CountPenDown, pen);
    int ticksOfOther = 0;
    struct Other : CTimer {
        int* n;
        explicit Other(int* counter) : CTimer(200), n(counter) {}
        void OnTimer() override { ++*n; }
    } other(&ticksOfOther);
    struct Modal : CTimer {
        int entered = 0;
        Modal() : CTimer(200) {}
        void OnTimer() override
        {
            ++entered;
            // A question box: frame steps until the stylus answers or the program quits.
            size_t before = g_events.size();
            while (g_events.size() == before && !QuitFlag) {
                FrameStep();
            }
        }
    } modal;
    PostMessage(MainWindow(), WM_ACTIVATE, 1, 0);
    for (int i = 0; i < 5; ++i)
        PostMessage(MainWindow(), WM_PAINT, 0, 0);
    PostMessage(MainWindow(), WM_LBUTTONDOWN, 1, MakePointParam(3, 4));
    FrameStep();
    EXPECT_EQ(modal.entered, 1) << "the wait must not re-enter itself";
    EXPECT_EQ(g_events, std::vector<std::string>{"pen down"});
    EXPECT_GE(ticksOfOther, 6) << "other timers run inside the wait";

    // The same wait ends when the program quits instead.
    PostMessage(MainWindow(), WM_CLOSE, 0, 0);
    g_events.clear();
    platform->AdvanceClock(1000);
    FrameStep();
    EXPECT_EQ(modal.entered, 2);
    EXPECT_EQ(QuitFlag, 1);
    CoreShutdown();
}

// The close question of a map screen: a close listener asks modally; while it
// waits, a tap destroys another window whose close listener is next in line.
SignalConnection* g_laterListener = nullptr;
void AskModally(intptr_t veto, SignalDelegate*)
{
    g_events.push_back("asking");
    size_t before = g_events.size();
    while (g_events.size() == before && !QuitFlag) {
        FrameStep();  // messages are dispatched from inside the close message
    }
    *reinterpret_cast<uint8_t*>(veto) = 0;  // the answer: keep playing
}
void DestroyLaterWindow(intptr_t, SignalDelegate*)
{
    g_events.push_back("tap");
    delete g_laterListener;
    g_laterListener = nullptr;
}
void LaterCloseListener(intptr_t, SignalDelegate*)
{
    g_events.push_back("later listener");
}

TEST_F(CoreTest, CloseListenerMayWaitModallyWhileOtherListenersGoAway)
{
    SetApplicationHooks({[] { return true; }, [] {}});
    ASSERT_TRUE(CoreStartup());
    SignalConnection asking, tap;
    CloseSignal.Connect(AskModally, asking);
    g_laterListener = new SignalConnection;
    CloseSignal.Connect(LaterCloseListener, *g_laterListener);
    PenDownSignal.Connect(DestroyLaterWindow, tap);
    PostMessage(MainWindow(), WM_CLOSE, 0, 0);
    PostMessage(MainWindow(), WM_PAINT, 0, 0);
    PostMessage(MainWindow(), WM_LBUTTONDOWN, 1, MakePointParam(1, 1));
    FrameStep();
    EXPECT_EQ(g_events, (std::vector<std::string>{"asking", "tap"}));
    EXPECT_EQ(QuitFlag, 0) << "vetoed";
    EXPECT_EQ(CloseSignal.Count(), 1);
    CloseSignal.Disconnect(asking);
    PostMessage(MainWindow(), WM_CLOSE, 0, 0);
    FrameStep();
    EXPECT_EQ(QuitFlag, 1);
    CoreShutdown();
}

TEST_F(CoreTest, ShutdownTakesTheApplicationFirstThenTasksWhileTheDeviceIsUpThenTheLog)
{
    SetApplicationHooks({[] { return true; },
                         [] {
                             g_events.push_back(std::string("application, device ") +
                                                (IsDeviceUp() ? "up" : "down") + ", tasks " +
                                                std::to_string(CTaskMgr::Count()));
                         }});
    ASSERT_TRUE(CoreStartup());
    auto* task = new RecordingTask;
    CoreShutdown();
    EXPECT_EQ(g_events,
              (std::vector<std::string>{"application, device up, tasks 1", "task stopped, device up"}));
    EXPECT_FALSE(IsDeviceUp());
    EXPECT_EQ(GetDisplaySurface(), nullptr);
    EXPECT_NE(LogText().find("TEST: task stopped \r\n"), std::string::npos) << "the log closes last";
    LogWrite("TEST: after");
    EXPECT_EQ(LogText().find("after"), std::string::npos);
    delete task;
}

// A headless device that notes what the log held when a box was shown.
class BoxWatcher : public HeadlessBackend {
public:
    BoxWatcher(const HeadlessOptions& o, std::filesystem::path log)
        : HeadlessBackend(o), m_log(std::move(log))
    {}
    void MessageBox(const std::string& title, const std::string& text) override
    {
        std::error_code ec;
        logSizeAtBox.push_back(std::filesystem::exists(m_log) ? std::filesystem::file_size(m_log, ec) : 0);
        HeadlessBackend::MessageBox(title, text);
    }
    std::vector<uintmax_t> logSizeAtBox;

private:
    std::filesystem::path m_log;
};

TEST_F(CoreTest, MarkerWarningComesBeforeTheFirstLogLineAndTheStartGoesOn)
{
    HeadlessOptions o;
    o.settings.dataFolder = folder.string() + "/";
    o.closeAfterSteps = 0;
    auto watcher = std::make_unique<BoxWatcher>(o, folder / "zkvlog.sav");
    BoxWatcher* w = watcher.get();
    InstallPlatform(std::move(watcher));
    std::ofstream(folder / "zkvlog.sav") << "an old log that start-up deletes";
    std::ofstream(folder / "zkvInitTest.sav") << "Error";
    SetApplicationHooks({[] { return true; }, [] {}});
    ASSERT_TRUE(CoreStartup());
    ASSERT_EQ(w->MessageBoxes(),
              std::vector<std::string>{"Previous load was failed. Log enabled, press 'OK' to continue."});
    EXPECT_EQ(w->logSizeAtBox, std::vector<uintmax_t>{0});
    EXPECT_EQ(LogText().rfind("MAIN: Starting core... \r\n", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder / "zkvInitTest.sav"));
    CoreShutdown();
}

TEST_F(CoreTest, FailedApplicationKeepsTheCoreLinesAndShowsItsMessage)
{
    SetApplicationHooks({[] {
                             LogWrite("TEST: inside");
                             return false;
                         },
                         [] {}});
    EXPECT_FALSE(CoreStartup());
    std::string log = LogText();
    EXPECT_NE(log.find("MAIN: Core initialized. \r\nMAIN: Initializing application... \r\n\tTEST: inside \r\n"
                       "MAIN: Application initialization failed. \r\n"),
              std::string::npos)
        << log;
    ASSERT_EQ(platform->MessageBoxes().size(), 1u);
    EXPECT_EQ(platform->MessageBoxes()[0], "Application initialization failed. See log file for details.");
    EXPECT_FALSE(std::filesystem::exists(folder / "zkvInitTest.sav")) << "the core was up";
    CoreShutdown();
}

}  // namespace

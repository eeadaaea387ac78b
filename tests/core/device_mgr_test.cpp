// The device manager: start-up and its refusals, the window procedure's
// messages, logical keys under the four key orientations and the stylus
// under the four screen orientations.

#include "core/device_mgr.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/core_main.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "platform/headless/headless_backend.h"
#include "platform/turned_screen.h"

namespace {

CDrawContext* MakeContext()
{
    return new CDrawContext;
}

std::vector<intptr_t> g_fired;
void Record(intptr_t argument, SignalDelegate*)
{
    g_fired.push_back(argument);
}

class DeviceTest : public ::testing::Test {
protected:
    void Start(int orientation = 0, HeadlessOptions o = {})
    {
        o.settings.orientation = orientation;
        o.closeAfterSteps = 0;
        platform = &UseHeadlessPlatform(o);
        SetDrawContextFactory(MakeContext);
        QuitFlag = 0;
        InactiveFlag = 0;
        g_fired.clear();
        ASSERT_TRUE(DeviceInit());
    }
    void TearDown() override
    {
        DeviceShutdown();
        PlatformClose();
        QuitFlag = 0;
        InactiveFlag = 0;
    }
    void Send(uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        PostMessage(MainWindow(), message, wParam, lParam);
        PumpMessage();
    }
    HeadlessBackend* platform = nullptr;
};

TEST_F(DeviceTest, EachRefusalFailsTheStartAndShutdownStillCleansUp)
{
    for (int part = 0; part < 3; ++part) {
        SCOPED_TRACE(part);
        HeadlessOptions o;
        o.refuseWindow = part == 0;
        o.refuseDisplay = part == 1;
        o.refuseInput = part == 2;
        UseHeadlessPlatform(o);
        SetDrawContextFactory(MakeContext);
        EXPECT_FALSE(DeviceInit());
        EXPECT_FALSE(IsDeviceUp());
        DeviceShutdown();
        EXPECT_EQ(GetDisplaySurface(), nullptr);
    }
    Start();
    EXPECT_TRUE(IsDeviceUp());
    ASSERT_NE(GetDisplaySurface(), nullptr);
    EXPECT_EQ(GetDisplaySurface()->Width(), 240);
}

TEST_F(DeviceTest, DirectionKeysFollowTheKeyOrientation)
{
    Start();
    SignalConnection c;
    KeySignal.Connect(Record, c);
    // Codes fired by the physical up, down, left, right keys.
    const uint32_t expected[4][4] = {{KeyUp, KeyDown, KeyLeft, KeyRight},
                                     {KeyLeft, KeyRight, KeyDown, KeyUp},
                                     {KeyDown, KeyUp, KeyRight, KeyLeft},
                                     {KeyRight, KeyLeft, KeyUp, KeyDown}};
    const uint32_t physical[4] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
    for (int orientation = 0; orientation < 4; ++orientation) {
        SetKeyOrientation(orientation);
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(testing::Message() << "orientation " << orientation << " key " << k);
            g_fired.clear();
            Send(WM_KEYDOWN, physical[k], 1);
            ASSERT_EQ(g_fired.size(), 1u);
            EXPECT_EQ(static_cast<uint32_t>(g_fired[0]), expected[orientation][k]);
            // The code is "down" exactly while the physical key producing it is held.
            platform->SetKeyHeld(physical[k], true);
            EXPECT_TRUE(IsKeyDown(expected[orientation][k]));
            for (int other = 0; other < 4; ++other) {
                if (other != k) {
                    EXPECT_FALSE(IsKeyDown(expected[orientation][other]));
                }
            }
            platform->SetKeyHeld(physical[k], false);
        }
    }
    SetKeyOrientation(7);
    EXPECT_EQ(GetKeyOrientation(), 3) << "an unknown orientation changes nothing";
}

TEST_F(DeviceTest, OtherKeysFireTheirFixedCodesAndDisabledOnesNothing)
{
    Start();
    SignalConnection c;
    KeySignal.Connect(Record, c);
    struct Case {
        uint32_t vk;
        intptr_t code;  // -1: nothing fires
    } cases[] = {{VK_PRIOR, KeyPageUp}, {VK_NEXT, KeyPageDown}, {VK_SELECT, KeyAction}, {0, -1}, {65, -1}};
    for (const auto& k : cases) {
        g_fired.clear();
        Send(WM_KEYDOWN, k.vk, 1);
        if (k.code < 0) {
            EXPECT_TRUE(g_fired.empty()) << k.vk;
        } else {
            EXPECT_EQ(g_fired, std::vector<intptr_t>{k.code}) << k.vk;
        }
    }
    EXPECT_FALSE(IsKeyDown(KeyApp1)) << "application buttons have no key";
    EXPECT_FALSE(IsKeyDown(0x4FF)) << "a slot past the table";
    platform->SetKeyHeld(VK_SELECT, true);
    EXPECT_TRUE(IsKeyDown(KeyAction));
    SpareButtonSignal.Connect(Record, c);
    g_fired.clear();
    for (uint32_t vk = 1; vk < 256; ++vk) {
        Send(WM_KEYDOWN, vk, 1);
    }
    EXPECT_TRUE(g_fired.empty()) << "the spare button signal is never fired";
}

TEST_F(DeviceTest, StylusPointsTurnWithTheScreenOrientation)
{
    struct Case {
        int orientation;
        int x, y;
        int ex, ey;
    } cases[] = {
        {0, 0, 0, 0, 0},     {0, 17, 33, 17, 33},   {1, 0, 0, 0, 239}, {1, 17, 33, 33, 222},
        {2, 0, 0, 239, 319}, {2, 17, 33, 222, 286}, {4, 0, 0, 319, 0}, {4, 17, 33, 286, 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "orientation " << c.orientation << " at " << c.x << "," << c.y);
        EXPECT_EQ(RotatePenPoint(PackedPoint(c.x, c.y), c.orientation, 240, 320), PackedPoint(c.ex, c.ey));
    }
    // Through the window procedure: orientation 2, a tap at the top-left corner.
    Start(2);
    SignalConnection down, up, move;
    PenDownSignal.Connect(Record, down);
    PenUpSignal.Connect(Record, up);
    PenMoveSignal.Connect(Record, move);
    Send(WM_LBUTTONDOWN, 1, MakePointParam(0, 0));
    Send(WM_MOUSEMOVE, 1, MakePointParam(10, 5));
    Send(WM_LBUTTONUP, 0, MakePointParam(239, 319));
    ASSERT_EQ(g_fired.size(), 3u);
    EXPECT_EQ(Signal::PointFromArgument(g_fired[0]), PackedPoint(239, 319));
    EXPECT_EQ(Signal::PointFromArgument(g_fired[1]), PackedPoint(229, 314));
    EXPECT_EQ(Signal::PointFromArgument(g_fired[2]), PackedPoint(0, 0));
}

TEST_F(DeviceTest, StylusAlsoPassesThroughTheDisplayModeMapping)
{
    Start(0);
    ASSERT_TRUE(GetDisplaySurface()->SetMode(DisplayMode(-240, -320)));
    SignalConnection down;
    PenDownSignal.Connect(Record, down);
    Send(WM_LBUTTONDOWN, 1, MakePointParam(0, 0));
    ASSERT_EQ(g_fired.size(), 1u);
    EXPECT_EQ(Signal::PointFromArgument(g_fired[0]), PackedPoint(239, 319));
}

// However the device is turned, a tap lands on the panel pixel that its
// screen shows under the stylus. Every pixel of a small panel tells itself
// apart, and every point of the screen as shown is tapped.
TEST_F(DeviceTest, ATapLandsOnThePanelPixelTheTurnedScreenShowsUnderIt)
{
    constexpr int kWidth = 24, kHeight = 32;
    for (int orientation : {0, 1, 2, 4}) {
        SCOPED_TRACE(testing::Message() << "orientation " << orientation);
        DeviceShutdown();
        PlatformClose();
        HeadlessOptions o;
        o.settings.screenWidth = kWidth;
        o.settings.screenHeight = kHeight;
        Start(orientation, o);
        FrameBuffer& panel = platform->Screen();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                panel.SetPixel(x, y, static_cast<uint16_t>(1 + x + y * kWidth));
        const TurnedScreen shown = platform->Shown();
        const std::vector<uint16_t> picture = shown.Pixels(panel);
        SignalConnection down;
        PenDownSignal.Connect(Record, down);
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x) {
                g_fired.clear();
                Send(WM_LBUTTONDOWN, 1, MakePointParam(x, y));
                ASSERT_EQ(g_fired.size(), 1u);
                const PackedPoint p = Signal::PointFromArgument(g_fired[0]);
                ASSERT_TRUE(p.X() >= 0 && p.X() < kWidth && p.Y() >= 0 && p.Y() < kHeight)
                    << "a tap at " << x << "," << y << " lands off the panel at " << p.X() << "," << p.Y();
                ASSERT_EQ(panel.Pixel(p.X(), p.Y()), picture[y * shown.Width() + x])
                    << "a tap at " << x << "," << y;
            }
    }
}

void Veto(intptr_t flag, SignalDelegate*)
{
    *reinterpret_cast<uint8_t*>(flag) = 0;
}

TEST_F(DeviceTest, CloseAsksTheListenersAndQuitsUnlessOneVetoes)
{
    Start();
    {
        SignalConnection veto;
        CloseSignal.Connect(Veto, veto);
        Send(WM_CLOSE, 0, 0);
        EXPECT_EQ(QuitFlag, 0);
    }
    Send(WM_CLOSE, 0, 0);
    EXPECT_EQ(QuitFlag, 1);
}

TEST_F(DeviceTest, CharactersArriveAsSignExtendedCodePageBytes)
{
    Start();
    SignalConnection c;
    CharSignal.ConnectValue([](int16_t v, SignalDelegate*) { g_fired.push_back(v); }, c);
    Send(WM_CHAR, 'a', 1);
    Send(WM_CHAR, 0x20AC, 1);  // euro sign: byte 0x80
    Send(WM_CHAR, 0xE9, 1);
    Send(WM_CHAR, 0x4E00, 1);  // not in the code page
    EXPECT_EQ(g_fired, (std::vector<intptr_t>{'a', -128, -23, '?'}));
}

TEST_F(DeviceTest, DeactivationSetsTheInactiveFlagAndReactivationRepaintsAll)
{
    Start();
    CDisplaySurface* display = GetDisplaySurface();
    display->Flush();
    Send(WM_ACTIVATE, 0, 0);
    EXPECT_EQ(InactiveFlag, 1);
    EXPECT_EQ(display->DirtyCount(), 0);
    Send(WM_ACTIVATE, 0x10001, 0);  // low word 1: active again
    EXPECT_EQ(InactiveFlag, 0);
    ASSERT_EQ(display->DirtyCount(), 1);
    EXPECT_EQ(display->DirtyRect(0), display->FullScreenRect());
    EXPECT_EQ(MainWndProc(MainWindow(), WM_PAINT, 0, 0), 0);
}

}  // namespace

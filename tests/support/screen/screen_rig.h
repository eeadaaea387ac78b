#pragma once
// The screen rig every test folder's window tests stand on, compiled once:
// a headless display of 240 x 320, the window manager started over a root
// window, and a frame hook that runs a script of the user's steps and then
// delivers the queued events, as the application's does. A rig for a
// screen adds its data (LoadData) and its root window (MakeRootWindow).

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/core_main.h"
#include "core/display_surface.h"
#include "core/packed_geometry.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/fixture_packs.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

class PackWriter;

namespace screen_rig {

// A root window that keeps the rectangles it was asked to paint.
class PaintRecordingRoot : public CWindow {
public:
    void Paint(const PackedRect& rect) override { paints.push_back(rect); }
    std::vector<PackedRect> paints;
};
CWindow* MakePaintRecordingRoot();
CWindow* MakePlainRoot();

// Runs `before` first in every frame step (a script of the user's steps),
// then delivers the queued events. A run that goes on past the frame limit
// is a test that waits for ever: it is ended by quitting.
class ScriptHook : public FrameHook {
public:
    void OnFrame() override;
    std::function<void()> before;
    uint64_t frames = 0;
    uint64_t frameLimit = 0;  // 0: no limit
};

class ScreenRig : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Called before the window manager starts: mount packs, load fonts.
    virtual void LoadData() {}
    // The factory of the root screen window.
    virtual RootWindowFactory RootWindow() const { return &MakePaintRecordingRoot; }
    // The headless platform's options (the shots folder, the screen).
    virtual HeadlessOptions PlatformOptions() const;

    // Mounts the pack (with those added to m_data before) and starts the
    // path and UI managers on the UI tree of that name.
    void MountPack(const std::string& name, const PackWriter& pack, const char* tree);
    // Registers a font whose glyphs are all of one size (height x width).
    void AddPatternFont(uint8_t height, uint8_t width, uint8_t first = 32, uint8_t count = 224);

    CWindow* Root() { return CWindowMgr::Root(); }
    static PackedPoint CentreOf(const CWindow* window);
    // A tap at a screen point, delivered at once.
    void Tap(int x, int y);
    void TapOn(const CWindow* window);
    void PenDown(int x, int y);
    void PenMove(int x, int y);
    void PenUp(int x, int y);
    // The next frame steps run these actions, one a frame; a step after the
    // last quits, so a modal run never hangs.
    void Script(std::vector<std::function<void()>> steps);
    // A script step that taps a window (looked up when the step runs).
    std::function<void()> TapStep(std::function<CWindow*()> window);
    std::function<void()> Idle();
    // Moves the virtual clock on one millisecond at a time, ticking the
    // tasks after each, as frame steps would.
    void RunClock(uint32_t milliseconds);
    std::vector<PackedRect> QueuedPaints(const CWindow* window);
    void Drain();
    // Paints the whole screen again and writes it as <name>.png into the
    // platform's shots folder (build/shots unless the rig says otherwise),
    // for a person to look at.
    bool Shot(const std::string& name);
    // A palette in which the test pictures' colours tell apart: text colours
    // 8 and 15 light, the background dark. Test packs carry no palette.
    static void UseSpreadPalette();

    HeadlessBackend* m_headless = nullptr;
    CDisplaySurface m_display;
    FixtureData m_data;
    ScriptHook* m_hook = nullptr;
    std::deque<std::vector<uint8_t>> m_fonts;  // stable addresses for the views
    bool m_mounted = false;
};

}  // namespace screen_rig

#pragma once
// CWindowMgr: turns stylus and character input into window events, queues
// repaint requests (merging those of one window), and runs windows modally.
// It owns the root screen window, under which every other window hangs.
//
// One ring of 300 events is filled by the input listeners and the window
// operations and emptied by ProcessEvents, which the application's frame
// hook calls once per frame step. Pen events go only into the window on top
// of the capture stack; characters into the window on top of the key-focus
// stack. A repaint the full ring turns away is not lost: ProcessEvents then
// paints the whole screen again once the ring is empty.

#include <cstdint>

#include "ui/window.h"

// The application's factory for the root screen window (a window made
// detached); CWindowMgr::Init fails without one or when it returns null.
using RootWindowFactory = CWindow* (*)();
void SetRootScreenWndFactory(RootWindowFactory factory);
// Calls the installed factory (null when none is installed).
CWindow* CreateRootScreenWnd();

// Told of every repaint as the window manager hands it to its window: the
// window and the screen area it is asked to paint (null removes it).
using PaintObserver = void (*)(const CWindow* window, const PackedRect& screenArea);
void SetPaintObserver(PaintObserver observer);

// Paint merging; 1 at start. Invalidate with merge false clears it for one post.
extern uint8_t PaintMerge;

class CWindowMgr {
public:
    static constexpr int32_t RingSize = 300;
    static constexpr int32_t StackSize = 15;

    static bool Init();
    static void Shutdown();
    static bool IsUp();

    static bool Dispatch(const WindowEvent& event);
    static void ProcessEvents();

    // A push beyond 15 entries is refused (false).
    static bool PushCapture(CWindow* window);
    static void RemoveCapture(CWindow* window);
    static bool PushKeyFocus(CWindow* window);
    // Removes the top entry when the window is attached (and the stack is
    // not empty).
    static void PopKeyFocus(CWindow* window);

    static bool PushEvent(const WindowEvent& event);
    static WindowEvent PopEvent();

    // Drops every queued event for the window and its entries on the two
    // stacks; the window calls it when it detaches.
    static void ForgetWindow(CWindow* window);

    static CWindow* Root();
    static int32_t QueuedCount();
    static const WindowEvent& QueuedEvent(int32_t age);  // 0: the oldest
    static int32_t CaptureCount();
    static CWindow* CaptureAt(int32_t index);  // 0: the bottom
    static int32_t KeyFocusCount();
    static int16_t DisplayWidth();
    static int16_t DisplayHeight();

    // Whether input may reach the window now, by the rule taps follow: while
    // a window holds the capture only it and the windows inside it take
    // input, and none behind a disabled window does.
    static bool TakesInput(const CWindow* window);

    // The routing steps, open for the tests.
    static WindowNode* FindPenTarget(const PackedPoint& screenPoint);
    static WindowNode* FindCharTarget();
};

// Input listeners connected by Init.
void OnDevicePenDown(const PackedPoint& point);
void OnDevicePenUp(const PackedPoint& point);
void OnDevicePenMove(const PackedPoint& point);
void OnDeviceChar(uint16_t code);

// Runs the window modally; 0 when an ancestor already has another modal
// child, 255 when the application quit and no result was written.
uint16_t RunModal(CWindow* window);
void EndModal(CWindow* window);
// Shows the window (raised) and runs frame steps while it stays visible and
// the quit flag is clear; with capture, the window holds the capture.
void RunModalLoop(CWindow* window, bool capture);

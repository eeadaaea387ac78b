#pragma once
// The spine of the program: core start-up in a fixed order, the frame step,
// the main loop and the shutdown in reverse order.
//
// Every wait of the program (modal windows, the map's turn loop, battles,
// animations) runs frame steps itself, so FrameStep is re-entered from inside
// window handlers, timers and game logic; all of it runs on one thread.

#include <cstdint>

// Set once by RequestQuit; never cleared while the program runs.
extern uint8_t QuitFlag;
// Set while the main window is deactivated: a frame step then only pumps
// messages and sleeps.
extern uint8_t InactiveFlag;
// The running game's leave request, set and cleared by the running game.
extern uint8_t LeaveRequestFlag;

// The object the application installs to take part in every active frame step.
class FrameHook {
public:
    virtual ~FrameHook() = default;
    virtual void OnFrame() = 0;
};
// Installs the hook (owned; the previous one is deleted). Null empties the slot.
void SetFrameHook(FrameHook* hook);

// The application layer's start-up and shutdown, which the core runs after
// its own managers are up and before they go down. The entry point installs them.
struct ApplicationHooks {
    bool (*init)() = nullptr;
    void (*shutdown)() = nullptr;
};
void SetApplicationHooks(const ApplicationHooks& hooks);

// The data-folder file that marks a start-up in progress; holds "Error".
constexpr const char* CrashMarkerName = "zkvInitTest";

// Sets the data folder from the platform (the program's folder + "Data/",
// or its override). Always true.
bool GetDataFolder();

bool CoreStartup();
void MainLoop();
// One frame: at most one window message, a 50 ms sleep, then unless inactive
// the frame hook, the display flush and the managers' ticks.
void FrameStep();
void RequestQuit();
bool IsStopRequested();
bool IsAppRunning();
void CoreShutdown();

#pragma once
// What a backend supplies behind platform.h. The window-class table, the
// message queue and the input script are shared and live here; a backend adds
// the host's window, clock, keys, screen and message box.

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "platform/frame_buffer.h"
#include "platform/input_script.h"
#include "platform/messages.h"
#include "platform/platform_settings.h"
#include "platform/screen_records.h"
#include "platform/turned_screen.h"

class PlatformBackend {
public:
    explicit PlatformBackend(const PlatformSettings& settings);
    virtual ~PlatformBackend() = default;
    PlatformBackend(const PlatformBackend&) = delete;
    PlatformBackend& operator=(const PlatformBackend&) = delete;

    virtual const char* Name() const = 0;

    // ---- Shared parts ----
    bool RegisterClass(const std::string& name, WindowProc proc);
    WindowHandle CreateWindow(const std::string& className, const std::string& title);
    WindowProc ProcOf(WindowHandle window) const;
    WindowHandle Window() const { return m_window; }
    void Post(uint32_t message, uintptr_t wParam, intptr_t lParam);
    bool Take(WindowMessage& out);
    size_t PendingMessages() const { return m_queue.size(); }
    const PlatformSettings& Settings() const { return m_settings; }
    bool KeyHeld(uint32_t virtualKey) const;
    // Creates the emulated screen (format and strides as the backend wants).
    FrameBuffer& Screen();
    bool HasScreen() const { return m_screen != nullptr; }
    // Loads THARNMOOR_SCRIPT; a script that cannot be read is reported on
    // standard error and ignored.
    void LoadScriptFromSettings();
    const InputScript* Script() const { return m_script.get(); }
    void UseScript(std::unique_ptr<InputScript> script) { m_script = std::move(script); }

    // ---- Host parts ----
    // Called once per message fetch: gather host input and run the script.
    virtual void GatherInput();
    virtual bool OpenHostWindow(const std::string& title) = 0;  // false refuses the window
    virtual bool HostKeyHeld(uint32_t virtualKey) const = 0;
    virtual void MessageBox(const std::string& title, const std::string& text) = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    virtual uint32_t Ticks() = 0;
    virtual bool OpenInput() = 0;
    virtual int RawFrameBuffer(RawFrameBufferInfo& out) = 0;
    // True when every file replacement is to fail, as on a full disk (a
    // headless stand-in for tests; a real device never refuses).
    virtual bool RefusesFileWrites() const { return false; }
    // The game library's display over the same emulated screen. A backend
    // that refuses it overrides GameDisplayOffered.
    bool OpenGameDisplay(WindowHandle window);
    GXDisplayProperties GameDisplayProperties();
    void* BeginGameDisplayDraw();
    void EndGameDisplayDraw() { m_drawing = false; }
    void CloseGameDisplay()
    {
        m_gameDisplayOpen = false;
        m_drawing = false;
    }
    bool GameDisplayOpen() const { return m_gameDisplayOpen; }
    // Between GXBeginDraw and GXEndDraw (for tests of the display's calls).
    bool GameDisplayDrawing() const { return m_drawing; }
    virtual void Present() = 0;
    // Writes a screenshot into the screenshot folder; false when it failed.
    virtual bool Screenshot(const std::string& name) = 0;
    int Orientation() const { return m_settings.orientation; }
    // The screen as the device shows it: the panel turned by the orientation.
    TurnedScreen Shown() const
    {
        return TurnedScreen(m_settings.screenWidth, m_settings.screenHeight, m_settings.orientation);
    }

protected:
    virtual bool GameDisplayOffered() { return true; }
    // Screen layout the backend gives the emulated screen.
    virtual std::unique_ptr<FrameBuffer> MakeScreen();
    // Runs the script for one fetch; the backend calls it from GatherInput.
    void RunScript();
    std::string ShotPath(const std::string& name) const;

    PlatformSettings m_settings;
    std::map<std::string, WindowProc> m_classes;
    WindowHandle m_window = 0;
    WindowProc m_windowProc = nullptr;
    bool m_gameDisplayOpen = false;
    bool m_drawing = false;
    std::deque<WindowMessage> m_queue;
    std::unique_ptr<InputScript> m_script;
    std::unique_ptr<FrameBuffer> m_screen;
    uint32_t m_heldForStep = 0;  // a scripted key press, held until the next fetch
    // Without a script, the close message is posted after this many fetches
    // (0 = never). With a script, it is posted when the script has run out.
    uint64_t m_closeAfterFetches = 0;
    uint64_t m_fetches = 0;
    uint64_t m_closeFetch = 0;  // fetch at which the last close was posted
    static constexpr uint64_t kCloseRepeat = 100;
};

// The backend in use, chosen from the environment on first use.
PlatformBackend& CurrentPlatform();
// Replaces the backend in use (tests and the backend choice use this).
void InstallPlatform(std::unique_ptr<PlatformBackend> backend);
// Whether the backend in use refuses file writes; false when none is in use,
// so that writing a file never chooses a backend.
bool PlatformRefusesFileWrites();

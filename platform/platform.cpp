#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/platform_backend.h"
#include "platform/video_choice.h"
#ifdef THARN_HAVE_SDL
#include "platform/sdl/sdl_backend.h"
#endif

namespace {

std::unique_ptr<PlatformBackend>& Slot()
{
    static std::unique_ptr<PlatformBackend> backend;
    return backend;
}

#ifdef THARN_HAVE_SDL
constexpr bool kBuiltWithSdl = true;
#else
constexpr bool kBuiltWithSdl = false;
#endif

std::unique_ptr<PlatformBackend> ChooseBackend()
{
    PlatformSettings settings = ReadPlatformSettingsFromEnvironment();
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    VideoDecision decision = ChooseVideo(settings.video, kBuiltWithSdl, display);
    std::unique_ptr<PlatformBackend> backend;
#ifdef THARN_HAVE_SDL
    if (decision.choice == VideoChoice::Window || decision.choice == VideoChoice::WindowElseHeadless) {
        std::string why;
        backend = MakeSdlBackend(settings, &why);
        if (!backend && decision.choice == VideoChoice::Window) {
            decision.choice = VideoChoice::Unmet;
            decision.refusal = "THARNMOOR_VIDEO=sdl asks for a window, but " + why;
        } else if (!backend) {
            std::fprintf(stderr, "tharnmoor: %s; running headless\n", why.c_str());
        }
    }
#endif
    if (decision.choice == VideoChoice::Unmet) {
        // A device without a window: the start fails the way the game reports
        // any device that will not start (its log, its error box, the exit status).
        std::fprintf(stderr, "tharnmoor: %s\n", decision.refusal.c_str());
        HeadlessOptions options;
        options.settings = settings;
        options.refuseWindow = true;
        backend = std::make_unique<HeadlessBackend>(options);
    }
    if (!backend) {
        backend = MakeHeadlessBackend(settings);
    }
    backend->LoadScriptFromSettings();
    return backend;
}

}  // namespace

PlatformBackend& CurrentPlatform()
{
    auto& slot = Slot();
    if (!slot) {
        slot = ChooseBackend();
    }
    return *slot;
}

void InstallPlatform(std::unique_ptr<PlatformBackend> backend)
{
    Slot() = std::move(backend);
}

bool PlatformRefusesFileWrites()
{
    return Slot() && Slot()->RefusesFileWrites();
}

const char* PlatformBackendName()
{
    return CurrentPlatform().Name();
}

void PlatformClose()
{
    Slot().reset();
}

bool RegisterWindowClass(const char* className, uint32_t /*style*/, WindowProc proc)
{
    return className && CurrentPlatform().RegisterClass(className, proc);
}

WindowHandle CreateMainWindow(const char* className, const char* title, uint32_t /*style*/, int /*x*/,
                              int /*y*/, int /*width*/, int /*height*/)
{
    // The window always covers the device's whole screen, whatever is asked.
    return className ? CurrentPlatform().CreateWindow(className, title ? title : "") : 0;
}

void ShowMainWindow(WindowHandle) {}
void UpdateMainWindow(WindowHandle) {}
void SetFullScreen(WindowHandle, uint32_t) {}
void TranslateMessage(const WindowMessage&) {}

bool PeekMessage(WindowMessage& out)
{
    PlatformBackend& p = CurrentPlatform();
    p.GatherInput();
    return p.Take(out);
}

intptr_t DispatchMessage(const WindowMessage& msg)
{
    WindowProc proc = CurrentPlatform().ProcOf(msg.window);
    if (!proc) {
        return 0;
    }
    return proc(msg.window, msg.message, msg.wParam, msg.lParam);
}

intptr_t DefWindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t)
{
    return 0;
}

void PostMessage(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    CurrentPlatform().Post(message, wParam, lParam);
}

int GetSystemMetrics(int index)
{
    // The system reports the screen as turned, as it reports stylus points.
    const TurnedScreen shown = CurrentPlatform().Shown();
    if (index == SM_CXSCREEN) {
        return shown.Width();
    }
    if (index == SM_CYSCREEN) {
        return shown.Height();
    }
    return 0;
}

int16_t GetKeyState(uint32_t virtualKey)
{
    return CurrentPlatform().KeyHeld(virtualKey) ? static_cast<int16_t>(0x8000 | 1) : 0;
}

int QueryDisplayOrientation()
{
    return CurrentPlatform().Orientation();
}

int GetRawFrameBuffer(RawFrameBufferInfo& out)
{
    return CurrentPlatform().RawFrameBuffer(out);
}

void PresentScreen()
{
    CurrentPlatform().Present();
}

bool GXOpenInput()
{
    return CurrentPlatform().OpenInput();
}
void GXCloseInput() {}

bool GXOpenDisplay(WindowHandle window, uint32_t)
{
    return CurrentPlatform().OpenGameDisplay(window);
}
GXDisplayProperties GXGetDisplayProperties()
{
    return CurrentPlatform().GameDisplayProperties();
}
void* GXBeginDraw()
{
    return CurrentPlatform().BeginGameDisplayDraw();
}
void GXEndDraw()
{
    CurrentPlatform().EndGameDisplayDraw();
}
void GXCloseDisplay()
{
    CurrentPlatform().CloseGameDisplay();
}

void ShowMessageBox(const std::string& title, const std::string& text, uint32_t /*flags*/)
{
    CurrentPlatform().MessageBox(title, text);
}

void Sleep(uint32_t milliseconds)
{
    CurrentPlatform().Sleep(milliseconds);
}

uint32_t GetTickCount()
{
    return CurrentPlatform().Ticks();
}

std::string GetDataFolderPath()
{
    const PlatformSettings& s = CurrentPlatform().Settings();
    if (!s.dataFolder.empty()) {
        return s.dataFolder;
    }
    std::string program = GetProgramPath();
    size_t slash = program.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
    return folder + "Data/";
}

#include "core/core_main.h"

#include <iterator>

#include "core/data_file.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/error_code_stack.h"
#include "core/log.h"
#include "core/ref_string.h"
#include "core/sound_mgr.h"
#include "core/task_mgr.h"
#include "platform/platform.h"

uint8_t QuitFlag = 0;
uint8_t InactiveFlag = 0;
uint8_t LeaveRequestFlag = 0;

namespace {

// A hook still installed at process exit is deleted with the program.
struct FrameHookSlot {
    FrameHook* hook = nullptr;
    ~FrameHookSlot() { delete hook; }
} g_frameHook;

ApplicationHooks g_application;

bool StartTimeMgr()
{
    return true;
}

// The core managers in start-up order; the shutdown runs them backwards, and
// the frame step ticks them in this order after the display flush.
struct CoreManager {
    const char* name;
    bool (*start)();
    void (*stop)();
    void (*tick)();
};
const CoreManager kCoreManagers[] = {
    {"CDeviceMgr", DeviceInit, DeviceShutdown, nullptr},
    {"CTimeMgr", StartTimeMgr, nullptr, nullptr},
    {"CSoundMgr", CSoundMgr::Init, CSoundMgr::Shutdown, CSoundMgr::Tick},
    {"CTaskMgr", CTaskMgr::Init, CTaskMgr::Shutdown, CTaskMgr::Tick},
};

void Log(const char* text)
{
    LogWrite(CStr::ConcatCharsLeft("MAIN: ", CStr(text)));
}

void LogManager(const char* name, const char* before, const char* after)
{
    CStr line = CStr::ConcatCharsLeft("MAIN: ", CStr(before));
    line.AppendChars(name);
    line.AppendChars(after);
    LogWrite(line);
}

}  // namespace

void SetFrameHook(FrameHook* hook)
{
    if (g_frameHook.hook != hook) {
        delete g_frameHook.hook;
    }
    g_frameHook.hook = hook;
}

void SetApplicationHooks(const ApplicationHooks& hooks)
{
    g_application = hooks;
}

bool GetDataFolder()
{
    SetDataFolder(CStr(GetDataFolderPath().c_str()));
    return true;
}

void RequestQuit()
{
    QuitFlag = 1;
}

bool IsStopRequested()
{
    return QuitFlag != 0 || LeaveRequestFlag != 0;
}

bool IsAppRunning()
{
    return QuitFlag == 0;
}

bool CoreStartup()
{
    QuitFlag = 0;
    InactiveFlag = 0;
    ResetErrorCodes();
    SetQuitRequestHandler(RequestQuit);
    GetDataFolder();
    LogOpen();

    if (FILE* marker = OpenDataFile(CrashMarkerName, DataFileRead)) {
        ShowErrorBox("Previous load was failed. Log enabled, press 'OK' to continue.");
        FileClose(marker);
    } else if (FILE* created = OpenDataFile(CrashMarkerName, DataFileCreate)) {
        FileWrite("Error", 1, 5, created);
        FileClose(created);
    }

    Log("Starting core...");
    LogEnter();
    CStr memory;
    memory.Format("Memory info: Free: %Lu; Max chunk: %Lu ", uint32_t{0}, uint32_t{0});
    Log(memory);

    bool ok = true;
    for (const CoreManager& m : kCoreManagers) {
        if (!ok) {
            break;
        }
        LogManager(m.name, "Initializing ", "...");
        LogEnter();
        ok = m.start() && ok;
        LogLeave();
        LogManager(m.name, "", ok ? " initialization ok." : " initialization failed.");
    }
    LogLeave();

    if (!ok) {
        Log("Core initialization failed.");
        ShowErrorBox("Core initialization failed. See log file for details.");
        return false;
    }
    Log("Core initialized.");
    DeleteDataFile(CrashMarkerName);

    Log("Initializing application...");
    LogEnter();
    bool appOk = g_application.init && g_application.init();
    LogLeave();
    if (!appOk) {
        Log("Application initialization failed.");
        ShowErrorBox("Application initialization failed. See log file for details.");
        return false;
    }
    Log("Application initialization ok.");
    Log("All main initialization complete.");
    return true;
}

void MainLoop()
{
    while (!QuitFlag) {
        FrameStep();
    }
}

void FrameStep()
{
    PumpMessage();
    Sleep(50);
    if (InactiveFlag) {
        return;
    }
    if (FrameHook* hook = g_frameHook.hook) {
        hook->OnFrame();
    }
    if (CDisplaySurface* display = GetDisplaySurface()) {
        display->Flush();
    }
    for (const CoreManager& m : kCoreManagers) {
        if (m.tick) {
            m.tick();
        }
    }
}

void CoreShutdown()
{
    if (g_application.shutdown) {
        g_application.shutdown();
    }
    for (int32_t i = static_cast<int32_t>(std::size(kCoreManagers)) - 1; i >= 0; --i) {
        if (kCoreManagers[i].stop) {
            kCoreManagers[i].stop();
        }
    }
    LogStop();
}

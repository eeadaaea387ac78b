#include "app/application.h"

#include <new>

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/log.h"
#include "core/path_mgr.h"
#include "core/preferences.h"
#include "core/ref_string.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"

namespace {

// One step of the application start-up. A step with a manager name is
// framed in the log ("Initializing X...", then "X initialization ok." or
// "X initialization failed.", nested one level); a step without one logs
// nothing of its own. Every stop runs at shutdown, in reverse order,
// whatever the start-up reached, so each must be safe after a failed or
// skipped start.
struct ApplicationStep {
    const char* manager;
    bool (*start)();
    void (*stop)();
};

// In start-up order: CPathMgr, CResourceMgr, CPreferencesMgr, CUIMgr,
// CSkinMgr, the screen resolution choice, the palette list and fonts,
// CWindowMgr, CHintMgr, CHelpMgr, and last the game application object.
// Each joins this table with its subsystem; the table ends with an empty entry.
const ApplicationStep kSteps[] = {
    {"CPathMgr", CPathMgr::Init, CPathMgr::Shutdown},
    {"CResourceMgr", CResourceMgr::Init, CResourceMgr::Shutdown},
    {"CPreferencesMgr", CPreferencesMgr::Load, CPreferencesMgr::Save},
    {"CUIMgr", CUIMgr::Init, CUIMgr::Shutdown},
    {nullptr, nullptr, nullptr},
};

void LogStep(const char* before, const char* manager, const char* after) {
    CStr line("MAIN: ");
    line.AppendChars(before);
    line.AppendChars(manager);
    line.AppendChars(after);
    LogWrite(line);
}

}  // namespace

bool InitApplication() {
    bool ok = true;
    for (const ApplicationStep* step = kSteps; step->start && ok; ++step) {
        if (!step->manager) {
            ok = step->start();
            continue;
        }
        LogStep("Initializing ", step->manager, "...");
        LogEnter();
        ok = step->start() && ok;
        LogLeave();
        LogStep("", step->manager, ok ? " initialization ok." : " initialization failed.");
    }
    return ok;
}

void ShutdownApplication() {
    const ApplicationStep* end = kSteps;
    while (end->start) {
        ++end;
    }
    for (const ApplicationStep* step = end; step != kSteps;) {
        --step;
        if (step->stop) {
            step->stop();
        }
    }
}

CDrawContext* CreateDrawContext() { return new (std::nothrow) CDrawContext; }

int WinMain(uintptr_t instance) {
    ProgramInstance = instance;
    SetDrawContextFactory(CreateDrawContext);
    SetApplicationHooks(ApplicationHooks{InitApplication, ShutdownApplication});
    if (CoreStartup()) {
        MainLoop();
    }
    CoreShutdown();
    return 0;
}

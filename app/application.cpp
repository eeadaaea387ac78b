#include "app/application.h"

#include "app/application_steps.h"

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
#include "battle/battle_ai_player.h"
#include "players/ai_controller.h"
#include "players/human_controller.h"

namespace {

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

}  // namespace

bool InitApplication() { return RunApplicationSteps(kSteps); }

void ShutdownApplication() { StopApplicationSteps(kSteps); }

CDrawContext* CreateDrawContext() { return new (std::nothrow) CDrawContext; }

int WinMain(uintptr_t instance) {
    ProgramInstance = instance;
    SetDrawContextFactory(CreateDrawContext);
    SetApplicationHooks(ApplicationHooks{InitApplication, ShutdownApplication});
    // People play through the human controller; every other player of a game
    // gets the planner, and computer sides of battles the battle AI.
    InstallControllerFactory([](PlayerRecord* player) -> CPlayerController* { return new CAIController(player); });
    InstallBattleAiPlayer();
    if (CoreStartup()) {
        MainLoop();
    }
    CoreShutdown();
    return 0;
}

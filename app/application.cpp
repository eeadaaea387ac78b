#include "app/application.h"

#include "app/application_steps.h"

#include <new>

#include "app/game_application.h"
#include "app/root_screen_wnd.h"
#include "ui/ui_resolution.h"

#include "battle/battle_ai_player.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/log.h"
#include "core/path_mgr.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "core/ref_string.h"
#include "core/refused_packs.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "players/ai_controller.h"
#include "players/human_controller.h"
#include "ui/help_mgr.h"
#include "ui/hint_mgr.h"
#include "ui/skin_mgr.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

namespace {

bool StartSkinMgr()
{
    return CSkinMgr::Init() != 0;
}

// The palette list and the three start-up fonts, which get the numbers 0,
// 1 and 2 in this order. Each is tried only when the one before loaded.
bool LoadPalettesAndFonts()
{
    PaletteTable palettes;
    FontData fonts[3];
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars());
        if (!CResourceMgr::LoadPaletteTable("pallist", palettes))
            return false;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kLocaleFonts).Chars());
        const char* const names[] = {"font", "smallnum", "smallestnum"};
        for (int i = 0; i < 3; ++i) {
            if (!LoadFont(names[i], fonts[i]))
                return false;
        }
    }
    SetPaletteList(PaletteList{palettes.data, palettes.count});
    ClearFontList();
    for (const FontData& font : fonts)
        RegisterFont(font);
    return true;
}

// The palette list and the fonts are views into the packs: they go before
// the packs do, so nothing can read them afterwards.
void ForgetPalettesAndFonts()
{
    SetPaletteList(PaletteList{});
    ClearFontList();
}

bool StartWindowMgr()
{
    SetRootScreenWndFactory(NewRootScreenWnd);
    return CWindowMgr::Init();
}

bool StartHintMgr()
{
    return CHintMgr::Init() != 0;
}
bool StartHelpMgr()
{
    return CHelpMgr::Init() != 0;
}

bool StartGameApplication()
{
    GameApplication = new (std::nothrow) CGameApplication;
    return GameApplication != nullptr && GameApplication->Init();
}

void StopGameApplication()
{
    if (GameApplication == nullptr)
        return;
    GameApplication->Shutdown();
    delete GameApplication;
    GameApplication = nullptr;
}

// In start-up order; shut down in the reverse order whatever the start
// reached. The screen layout choice, the fonts and the application object
// log nothing of their own here.
const ApplicationStep kSteps[] = {
    {"CPathMgr", CPathMgr::Init, CPathMgr::Shutdown},
    {"CResourceMgr", CResourceMgr::Init, CResourceMgr::Shutdown},
    {"CPreferencesMgr", CPreferencesMgr::Load, CPreferencesMgr::Save},
    {"CUIMgr", CUIMgr::Init, CUIMgr::Shutdown},
    {"CSkinMgr", StartSkinMgr, CSkinMgr::Shutdown},
    {nullptr, SelectUIResolution, nullptr},
    {nullptr, LoadPalettesAndFonts, ForgetPalettesAndFonts},
    {"CWindowMgr", StartWindowMgr, CWindowMgr::Shutdown},
    {"CHintMgr", StartHintMgr, CHintMgr::Shutdown},
    {"CHelpMgr", StartHelpMgr, CHelpMgr::Shutdown},
    {nullptr, StartGameApplication, StopGameApplication},
    {nullptr, nullptr, nullptr},
};

}  // namespace

bool InitApplication()
{
    if (RunApplicationSteps(kSteps))
        return true;
    // Most steps fail without a word of their own; a pack left out at
    // mount is then the reason to give.
    ShowRefusedPacksOnce();
    return false;
}

void ShutdownApplication()
{
    StopApplicationSteps(kSteps);
}

CDrawContext* CreateDrawContext()
{
    return new (std::nothrow) CDrawContext;
}

int WinMain(uintptr_t instance)
{
    ProgramInstance = instance;
    SetDrawContextFactory(CreateDrawContext);
    SetRootScreenWndFactory(NewRootScreenWnd);
    SetApplicationHooks(ApplicationHooks{InitApplication, ShutdownApplication});
    // People play through the human controller; every other player of a game
    // gets the planner, and computer sides of battles the battle AI.
    InstallControllerFactory(
        [](PlayerRecord* player) -> CPlayerController* { return new CAIController(player); });
    InstallBattleAiPlayer();
    // A start that failed has told the person why (message box and log);
    // the status tells whoever started the program.
    const bool started = CoreStartup();
    if (started)
        MainLoop();
    CoreShutdown();
    return started ? 0 : 1;
}

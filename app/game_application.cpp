#include "app/game_application.h"

#include <new>

#include "app/game_data_check.h"
#include "app/main_menu_wnd.h"
#include "app/text_screen_wnd.h"
#include "battlescreen/batl_ani_cache_mgr.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/log.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "core/sound_mgr.h"
#include "core/time_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/hall_of_fame.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "ui/button.h"
#include "ui/inks.h"
#include "ui/label.h"
#include "ui/screen_wnd.h"
#include "ui/text_element.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

CGameApplication* GameApplication = nullptr;

namespace {

// The frame hook object: hands every active frame step to the application.
class ApplicationFrameHook : public FrameHook {
public:
    explicit ApplicationFrameHook(CGameApplication* app) : m_app(app) {}
    void OnFrame() override { m_app->OnFrame(); }

private:
    CGameApplication* m_app;
};

// The application whose key listener is connected (there is one).
CGameApplication* g_keyListener = nullptr;

void OnKeySignal(intptr_t key, SignalDelegate*)
{
    if (g_keyListener != nullptr)
        g_keyListener->OnKey(static_cast<uint32_t>(key));
}

void LogQrapp(const char* text)
{
    CStr line("QRAPP: ");
    line.AppendChars(text);
    LogWrite(line);
}

}  // namespace

CGameApplication::CGameApplication() = default;

CGameApplication::~CGameApplication()
{
    if (m_keyConnection.IsConnected())
        m_keyConnection.Disconnect();
    if (g_keyListener == this)
        g_keyListener = nullptr;
}

bool CGameApplication::Init()
{
    LogWrite("MAIN: Initializing Drevik Application.\r\nGame ver: v1.10r\r\n");
    InitRasterOps();
    LoadSquadTypes();
    MigrateOldSaveFile();
    LoadGameConfig();

    LogQrapp("Syncronizing preferences...");
    CSoundMgr::Enable(PrefSoundOn != 0);

    LogQrapp("Creating main screen...");
    m_screen = new CScreenWnd(nullptr, CStr("/Main/ScreenWnd"), true);
    m_exitDeadline = 0;
    m_exitArmed = false;

    SetFrameHook(new (std::nothrow) ApplicationFrameHook(this));
    g_keyListener = this;
    KeyInputSignal.Connect(OnKeySignal, m_keyConnection);

    LogQrapp("Initializing Map::CSrenarionMgr...");
    LogEnter();
    Map::CSrenarionMgr::Init();
    LogLeave();

    LogQrapp("Initializing CBatlAniCacheMgr...");
    LogEnter();
    CBatlAniCacheMgr::Init();
    LogLeave();
    if (!CheckGameData())
        return false;

    {
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath("/Main/ScreenWnd");
        CWindow* screen = m_screen->Window();
        m_version = new CLabel(screen, CStr("/Main/ScreenWnd/Version"), true);
        m_version->SetText(CStr(kGameVersion), true);
        m_title = new CIconWnd(screen, CStr("/Main/ScreenWnd/Title"), true);
        m_copyright = new CIconWnd(screen, CStr("/Main/ScreenWnd/Copyright"), true);

        m_loading = new CLabel(screen, CStr(), false);
        m_loading->SetAnchorMode(AnchorCentre);
        if (m_loading->RequestedRect().IsDefined())
            m_loading->SetRect(m_loading->RequestedRect(), false);
        CWindowCaption& caption = m_loading->Caption();
        caption.SetAlign(AlignCentre, AlignCentre);
        caption.shadowSize = 2;
        caption.shadowColour = 0;
        caption.foreground = kInkOnDark;
        caption.SetShadowPos(ShadowBottomRight, false);
        CStr loading;
        GetLocaleText("Loading", loading);
        m_loading->SetText(loading, false);
        // Fitted to its text: the caption's own size is the text's.
        caption.Measure();
        m_loading->SetRect(PackedRect(0, 0, static_cast<int16_t>(caption.OwnWidth() - 1),
                                      static_cast<int16_t>(caption.OwnHeight() - 1)),
                           false);
        ShowLoading();
    }

    LogQrapp("Creating main menu...");
    m_menu = new CMainMenuWnd(m_screen->Window(), CStr("/Main/MainMenu"));

    HideLoading();
    m_menu->Window()->Show(true, true);
    m_screen->PlayMusic(true);
    return true;
}

void CGameApplication::Shutdown()
{
    SetFrameHook(nullptr);
    CBatlAniCacheMgr::Shutdown();
    Map::CSrenarionMgr::Clear();
    FreeHallOfFame();
    SaveSlots::ReleaseCurrent();
    FreeSquadTypes();
}

void CGameApplication::ShowLoading()
{
    if (m_loading == nullptr)
        return;
    m_loading->Show(true, true);
    FrameStep();
}

void CGameApplication::HideLoading()
{
    if (m_loading != nullptr)
        m_loading->Show(false, false);
}

void CGameApplication::OnFrame()
{
    CWindowMgr::ProcessEvents();
    if (m_exitArmed && !IsKeyDown(KeyAction)) {
        m_exitArmed = false;
        m_exitDeadline = 0;
    }
}

void CGameApplication::OnKey(uint32_t key)
{
    if (key != KeyAction)
        return;
    const uint32_t now = CTimeMgr::GetTicks();
    if (!m_exitArmed) {
        m_exitArmed = true;
        m_exitDeadline = now + CTimeMgr::TicksPerSecond();
        return;
    }
    // The tick count wraps: a deadline that wrapped past zero is still a
    // second ahead, so the two are compared by their signed distance.
    if (static_cast<int32_t>(now - m_exitDeadline) >= 0) {
        m_exitArmed = false;
        m_exitDeadline = 0;
        RequestQuit();
    }
}

void CGameApplication::BeginFlow()
{
    if (m_screen != nullptr)
        m_screen->StopAnimations();
    if (m_menu != nullptr)
        m_menu->Window()->Show(false, false);
}

void CGameApplication::RestoreMenu()
{
    if (m_menu != nullptr)
        m_menu->Window()->Show(true, true);
    if (m_screen != nullptr)
        m_screen->StartAnimations();
}

void CGameApplication::OnCredits()
{
    BeginFlow();
    ShowLoading();
    CTextScreenWnd* credits = new (std::nothrow) CTextScreenWnd(nullptr, CStr("/Main/CreditsWnd"));
    HideLoading();
    if (credits != nullptr) {
        m_screen->Window()->Show(false, false);
        RunModal(credits->Window());
        delete credits;
    }
    m_screen->Window()->Show(true, true);
    RestoreMenu();
}

void CGameApplication::OnHelp()
{
    BeginFlow();
    CTextScreenWnd* help = new (std::nothrow) CTextScreenWnd(nullptr, CStr("/Main/IntroHelpWnd"));
    if (help != nullptr) {
        m_screen->Window()->Show(false, false);
        RunModal(help->Window());
        delete help;
    }
    m_screen->Window()->Show(true, true);
    RestoreMenu();
}

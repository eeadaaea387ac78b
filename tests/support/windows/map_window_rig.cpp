#include "tests/support/windows/map_window_rig.h"

#include <algorithm>
#include <filesystem>

#include "app/root_screen_wnd.h"
#include "core/device_mgr.h"
#include "core/font.h"
#include "core/path_mgr.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/controller_factory.h"
#include "game/game_signals.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "mapdialogs/battle_results_wnd.h"
#include "mapdialogs/cust_plr_wnd.h"
#include "mapdialogs/hall_of_fame_wnd.h"
#include "mapdialogs/map_battle_question_wnd.h"
#include "mapdialogs/player_name_wnd.h"
#include "mapdialogs/victory_wnd.h"
#include "mapscreen/map_frame.h"
#include "players/ai_controller.h"
#include "players/human_controller.h"
#include "tests/support/build_folder.h"
#include "ui/message_wnd.h"
#include "ui/skin_mgr.h"
#include "ui/ui_link.h"
#include "ui/ui_resolution.h"

namespace mapwnd_test {

namespace {
CPlayerController* MakeController(PlayerRecord* player, bool human)
{
    if (human)
        return new CHumanController(player);
    return new CAIController(player);
}
}  // namespace

HeadlessOptions MapWindowRig::PlatformOptions() const
{
    HeadlessOptions options = ScreenRig::PlatformOptions();
    options.settings.shots = ShotFolder();
    std::filesystem::create_directories(options.settings.shots);
    return options;
}

void MapWindowRig::LoadData()
{
    SetLeaveRequested(0);
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(TestDataFolder())) {
        if (entry.path().extension() != ".pak")
            continue;
        fs::copy_file(entry.path(), m_data.folder().path() / entry.path().filename());
    }
    ASSERT_TRUE(CPathMgr::Init());
    m_mounted = true;
    ASSERT_TRUE(m_data.Mount());
    ASSERT_TRUE(CUIMgr::Init());
    ASSERT_TRUE(CSkinMgr::Init());
    ASSERT_TRUE(SelectUIResolution());
    ASSERT_TRUE(LoadFonts());
}

RootWindowFactory MapWindowRig::RootWindow() const
{
    return &NewRootScreenWnd;
}

void MapWindowRig::SetUp()
{
    ScreenRig::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    m_hook->frameLimit = 20000;

    // Options the tests rely on: no confirmations, no turn report,
    // battles fought in the battle window unless a test asks otherwise.
    for (uint8_t& option : PrefMapOptions)
        option = 0;
    FreeSquadTypes();
    LoadSquadTypes();
    SetControllerFactory(&MakeController);
    ASSERT_TRUE(Map::CSrenarionMgr::Init());
    SaveSlots::Deselect();
}

void MapWindowRig::TearDown()
{
    EXPECT_LT(m_hook->frames, m_hook->frameLimit) << "the test was stopped waiting";
    delete m_map;
    m_map = nullptr;
    EndSession();
    SigGameOver.Disconnect();
    CWindowMgr::Shutdown();
    SetFrameHook(nullptr);
    m_hook = nullptr;
    SetRootScreenWndFactory(nullptr);
    SaveSlots::Deselect();
    Map::CSrenarionMgr::Clear();
    SetControllerFactory(nullptr);
    FreeSquadTypes();
    CSkinMgr::Shutdown();
    ClearFontList();
    SetPaletteList(PaletteList{});
    ScreenRig::TearDown();
    SetLeaveRequested(0);
}

bool MapWindowRig::LoadFonts()
{
    FontData fonts[3];
    ResourceFolderScope folder;
    PaletteTable palettes;
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars());
    if (!CResourceMgr::LoadPaletteTable("pallist", palettes))
        return false;
    SetPaletteList(PaletteList{palettes.data, palettes.count});
    SelectPalette(0);
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kLocaleFonts).Chars());
    const char* const names[] = {"font", "smallnum", "smallestnum"};
    for (int i = 0; i < 3; ++i)
        if (!LoadFont(names[i], fonts[i]))
            return false;
    ClearFontList();
    for (const FontData& font : fonts)
        RegisterFont(font);
    return true;
}

CMapWnd* MapWindowRig::MakeMap()
{
    m_map = new CMapWnd(CWindowMgr::Root(), CStr("/Map/MapWnd"));
    return m_map;
}

void MapWindowRig::ShowMapWithoutGame()
{
    m_map->Window()->SetFlag(WndVisible, true);
}

CMapWnd::NewGameOptions MapWindowRig::Options(uint8_t humans, uint32_t difficulty)
{
    CMapWnd::NewGameOptions o;
    o.scenario = 0;
    o.mission = 0;
    o.difficulty = difficulty;
    o.humans = humans;
    return o;
}

void MapWindowRig::Tap(CWindow* window)
{
    ASSERT_NE(window, nullptr);
    const PackedRect r =
        CWindow::LocalToScreen(window, PackedRect(0, 0, window->Width() - 1, window->Height() - 1));
    const PackedPoint p((r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2);
    PenDownSignal.FirePoint(p);
    PenUpSignal.FirePoint(p);
}

std::string MapWindowRig::TopMessageText()
{
    const int32_t n = CWindowMgr::CaptureCount();
    auto* box = n > 0 ? dynamic_cast<CMessageWnd*>(CWindowMgr::CaptureAt(n - 1)) : nullptr;
    return box && box->IsVisible() ? box->TextWindow()->Text().Chars() : "";
}

bool MapWindowRig::AnswerTopWindow(std::vector<std::string>* answered)
{
    // The battle question and the battle results run as the map
    // window's modal children. The rig's tree has no layout for them:
    // the person declines to fight (a battle would wait for his hand on
    // the battle screen) and closes the results.
    for (CWindow* w = m_map->Window()->GetFirstChild(); w != nullptr; w = w->GetNextSibling()) {
        if (!w->IsVisible())
            continue;
        if (dynamic_cast<CMapBattleQuestionWnd*>(w) != nullptr ||
            dynamic_cast<CBattleResultsWnd*>(w) != nullptr) {
            if (answered)
                answered->push_back("battle");
            w->SetModalResult(ResultCancel);
            EndModal(w);
            return true;
        }
    }
    const int32_t n = CWindowMgr::CaptureCount();
    if (n == 0)
        return false;
    CWindow* top = CWindowMgr::CaptureAt(n - 1);
    if (!top || top == m_map->Window() || !top->IsVisible())
        return false;
    auto note = [answered](const char* kind) {
        if (answered)
            answered->push_back(kind);
    };
    if (auto* box = dynamic_cast<CMessageWnd*>(top)) {
        if (box->Mode() == MessageNoButtons)
            return false;
        note("message");
        Tap(box->OkButton() && box->OkButton()->IsVisible() ? static_cast<CWindow*>(box->OkButton())
                                                            : static_cast<CWindow*>(box->TextWindow()));
        return true;
    }
    if (auto* custom = dynamic_cast<CCustPlrWnd*>(top)) {
        note("custom player");
        Tap(custom->StartButton());
        return true;
    }
    if (auto* name = dynamic_cast<CPlayerNameWnd*>(top)) {
        note("player name");
        Tap(name->OkButton());
        return true;
    }
    auto* composite = static_cast<CCompositeWnd*>(top->QueryInterface(IidCompositeWnd));
    if (auto* victory = dynamic_cast<CVictoryWnd*>(composite)) {
        note(victory->Mode() == 0 ? "end of game" : "statistics");
        Tap(victory->Mode() == 0 ? static_cast<CWindow*>(victory->Message())
                                 : static_cast<CWindow*>(victory->ExitButton()));
        return true;
    }
    if (auto* hall = dynamic_cast<CHallOfFameWnd*>(composite)) {
        note("hall of fame");
        Tap(hall->ReturnButton());
        return true;
    }
    return false;
}

void MapWindowRig::ExpectScreenOfItsMode(const char* when)
{
    ASSERT_NE(m_map->MapFrame(), nullptr) << when;
    EXPECT_TRUE(m_map->MapFrame()->IsPaletteActive()) << when;
    RawResource palette;
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars());
        ASSERT_TRUE(CResourceMgr::LoadPalette("Map", palette)) << when;
    }
    ASSERT_GE(palette.size, kPaletteSize);
    EXPECT_TRUE(std::equal(palette.data, palette.data + kPaletteSize, m_display.RawPalette()))
        << when << ": the screen shows another palette than the map's";

    const CMapWnd::Panels& p = m_map->PanelControls();
    struct Panel {
        const char* name;
        const CWindow* window;
        uint32_t mode;
    };
    const Panel panels[] = {
        {"MapTopPanel", p.mapTop, CMapWnd::kModeMap},
        {"MapInfoPanel", p.info, CMapWnd::kModeMap},
        {"DomainTopPanel", p.domainTop, CMapWnd::kModeDomain},
        {"DomainInfoPanel", p.domainInfo, CMapWnd::kModeDomain},
        {"AIInfoPanel", p.aiInfo, CMapWnd::kModeComputer},
        {"RecruitTopPanel", p.recruitTop, CMapWnd::kModeRecruit},
        {"RecruitActionPanel", p.recruitAction, CMapWnd::kModeRecruit},
    };
    for (const Panel& panel : panels) {
        ASSERT_NE(panel.window, nullptr) << when << ": " << panel.name;
        EXPECT_EQ(panel.window->IsVisible(), panel.mode == m_map->Mode())
            << when << ": " << panel.name << " in mode " << m_map->Mode();
    }
    // The camp army strip belongs to the map mode alone.
    if (m_map->Mode() != CMapWnd::kModeMap) {
        EXPECT_FALSE(p.campArmy->IsVisible()) << when << ": MapCampArmy";
    }
}

bool MapWindowRig::SlotFileExists(int slot) const
{
    return std::filesystem::exists(
        m_data.folder().File(std::string(SaveSlotFileName(slot).Chars()) + ".sav"));
}

std::string MapWindowRig::ShotFolder()
{
    return TestBuildFolder() + "/shots/mapscreen";
}

}  // namespace mapwnd_test

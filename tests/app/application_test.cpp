// The application layer started in this process over the built data: the
// fonts are numbered in load order, the root window answers its interfaces,
// the title screen carries its pictures and labels, the message box and the
// help window draw with the shipped skins, and the shutdown takes every
// manager down whatever the start reached.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/game_application.h"
#include "app/main_menu_wnd.h"
#include "app/root_screen_wnd.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/font.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/build_folder.h"
#include "ui/button.h"
#include "ui/help_mgr.h"
#include "ui/hint_mgr.h"
#include "ui/label.h"
#include "ui/message_wnd.h"
#include "ui/screen_wnd.h"
#include "ui/window_mgr.h"

namespace fs = std::filesystem;

namespace {

class ApplicationTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("tharn_app_" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "Data");
        for (const auto& entry : fs::directory_iterator(fs::path(TestBuildFolder()) / "Data"))
            if (entry.path().extension() == ".pak")
                fs::copy_file(entry.path(), m_folder / "Data" / entry.path().filename());
        HeadlessOptions options;
        options.closeAfterSteps = 0;
        options.settings.dataFolder = (m_folder / "Data").string() + "/";
        options.settings.shots = m_folder.string();
        m_headless = &UseHeadlessPlatform(options);
        SetDrawContextFactory(CreateDrawContext);
        SetApplicationHooks(ApplicationHooks{InitApplication, ShutdownApplication});
        m_started = CoreStartup();
    }
    void TearDown() override
    {
        CoreShutdown();
        EXPECT_EQ(GetPaletteList().data, nullptr) << "no view into the freed packs is left";
        EXPECT_EQ(FontList().Count(), 0);
        SetApplicationHooks(ApplicationHooks{});
        QuitFlag = 0;
        if (!std::getenv("THARN_KEEP_SHOTS"))
            fs::remove_all(m_folder);
    }
    // A few frame steps, so queued paints reach the screen.
    void Frames(int n = 3)
    {
        for (int i = 0; i < n; ++i)
            FrameStep();
    }
    // The screen's palette index at a point of the back buffer.
    uint8_t Pixel(int x, int y)
    {
        const SurfaceDesc& s = GetDisplaySurface()->ScreenContext()->Surface();
        return *s.At(x, y);
    }

    fs::path m_folder;
    HeadlessBackend* m_headless = nullptr;
    bool m_started = false;
};

TEST_F(ApplicationTest, StartsWithTheFontsInOrderAndTheTitleScreenBuilt)
{
    ASSERT_TRUE(m_started);
    ASSERT_NE(GameApplication, nullptr);
    // Fonts by load order: "font" 0, "smallnum" 1, "smallestnum" 2.
    ASSERT_EQ(FontList().Count(), 3);
    EXPECT_EQ(SelectFont(0).Height(), 10);
    EXPECT_EQ(SelectFont(1).Height(), 8);
    EXPECT_EQ(SelectFont(2).Height(), 6);
    EXPECT_GE(GetPaletteList().count, 1);

    CWindow* root = CWindowMgr::Root();
    ASSERT_NE(root, nullptr);
    struct Case {
        int32_t id;
        void* expected;
    } cases[] = {
        {38, root},    {9, root},    {37, static_cast<void*>(&static_cast<CRootScreenWnd*>(root)->Canvas())},
        {17, nullptr}, {0, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(root->QueryInterface(c.id), c.expected) << c.id;

    CGameApplication& app = *GameApplication;
    ASSERT_NE(app.TitleScreen(), nullptr);
    EXPECT_TRUE(app.TitleScreen()->Window()->IsVisible());
    EXPECT_EQ(app.TitleScreen()->Window()->WindowRect(), PackedRect(0, 0, 239, 319));
    EXPECT_EQ(app.VersionLabel()->Text(), CStr("v1.10r"));
    EXPECT_TRUE(app.TitlePicture()->Picture().Image().HasHeader()) << "the title picture loaded";
    EXPECT_TRUE(app.CopyrightPicture()->Picture().Image().HasHeader());
    EXPECT_FALSE(app.LoadingLabel()->IsVisible());
    EXPECT_EQ(app.LoadingLabel()->Text(), CStr("Loading..."));
    EXPECT_TRUE(app.MainMenu()->Window()->IsVisible());
    ASSERT_NE(app.TitleScreen()->Music(), nullptr);
    EXPECT_STREQ(app.TitleScreen()->Music()->SoundName().Chars(), "/Sounds/title_music");
    EXPECT_TRUE(app.TitleScreen()->Music()->Sound().IsLooping());
    EXPECT_TRUE(app.TitleScreen()->Music()->Sound().IsPlaying()) << "the title music plays";
    for (int32_t entry = 0; entry < CMainMenuWnd::EntryCount; ++entry) {
        SCOPED_TRACE(CMainMenuWnd::kEntryNames[entry]);
        CMenuItem* item = app.MainMenu()->Item(entry);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->Text().IsEmpty()) << "a caption from the locale";
        EXPECT_EQ(item->IsEnabled(), entry != CMainMenuWnd::EntryResumeGame) << "no saved game to resume";
    }
    // The loading label is shown and drawn by one frame step of its own.
    const int presents = m_headless->Presents();
    app.ShowLoading();
    EXPECT_TRUE(app.LoadingLabel()->IsVisible());
    EXPECT_GT(m_headless->Presents(), presents);
    app.HideLoading();
    EXPECT_FALSE(app.LoadingLabel()->IsVisible());
}

TEST_F(ApplicationTest, MessageBoxAndHelpDrawWithTheShippedSkins)
{
    ASSERT_TRUE(m_started);
    struct Case {
        uint32_t mode;
        const char* shot;
        bool ok, cancel;
    } cases[] = {
        {MessageOk, "box_ok.png", true, false},
        {MessageQuestion, "box_question.png", true, true},
        {MessageTapToClose, "box_tap.png", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shot);
        CMessageWnd box(nullptr);
        ASSERT_TRUE(box.Skin()->IsLoaded()) << "the frame skin \"Scroll\"";
        box.Setup(CStr("The enemy has taken{br}the province of {s1}Harrowdale{/s1}."), CStr("InvalidSlotT"),
                  c.mode, CStr(), false);
        Frames();
        m_headless->Screenshot(c.shot);
        const PackedRect r = box.GetNode()->screenRect;
        EXPECT_LE(std::abs(r.Left() + r.Right() - 239), 1) << "centred across";
        EXPECT_EQ(box.Text(), CStr("Saved game"));
        // The frame is drawn: its corner is not the title screen behind it.
        EXPECT_NE(Pixel(r.Left() + 3, r.Bottom() - 3), Pixel(2, r.Bottom() + 6));
        EXPECT_EQ(box.OkButton()->IsVisible(), c.ok);
        EXPECT_EQ(box.CancelButton()->IsVisible(), c.cancel);
        if (c.ok) {
            EXPECT_TRUE(box.OkButton()->Skin()->IsLoaded()) << "the button skin \"Button\"";
            EXPECT_TRUE(box.OkButton()->Picture().Image().HasHeader()) << "the face \"Ok\"";
            EXPECT_LE(box.OkButton()->GetNode()->screenRect.Bottom(), r.Bottom()) << "inside the box";
        }
    }
    // The hint balloon points at a tap in each quarter of the screen.
    CHintWnd* hint = CHintMgr::Balloon();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->Skin()->IsLoaded()) << "the frame skin \"Hint\"";
    hint->SetText(CStr("Tap a province to select it."), false);
    const struct {
        int x, y;
        HintArrow arrow;
    } taps[] = {{30, 40, HintArrowUpLeft},
                {200, 40, HintArrowUpRight},
                {30, 280, HintArrowDownLeft},
                {200, 280, HintArrowDownRight}};
    for (const auto& tap : taps) {
        hint->Place(PackedPoint(tap.x, tap.y));
        EXPECT_EQ(hint->CurrentArrow(), tap.arrow);
        EXPECT_TRUE(hint->ArrowImage(tap.arrow).HasHeader());
    }
    hint->Show(true, true);
    Frames();
    m_headless->Screenshot("hint.png");
    hint->Show(false, false);

    CHelpWnd* help = CHelpMgr::Window();
    ASSERT_NE(help, nullptr);
    CHelpText text{CStr()};
    text.SetFromKeys("HelpNEM", "HelpNEMTitle");
    help->SetPage(text, false);
    help->Show(true, true);
    Frames();
    m_headless->Screenshot("help.png");
    EXPECT_TRUE(help->Skin()->IsLoaded()) << "the frame skin \"Dialog\"";
    EXPECT_TRUE(help->CloseButton()->IsVisible());
    EXPECT_LE(help->CloseButton()->GetNode()->screenRect.Bottom(), help->GetNode()->screenRect.Bottom());
}

}  // namespace

namespace {

TEST_F(ApplicationTest, TheCommonSkinsAreCompleteInTheSkinFolder)
{
    ASSERT_TRUE(m_started);
    for (const char* name : {"Scroll", "Dialog", "Hint", "Panel"}) {
        SCOPED_TRACE(name);
        CFrameWndSkin* skin = GetFrameWndSkin(CStr(name));
        ASSERT_NE(skin, nullptr);
        const CFrameSkin& f = skin->frame;
        for (const ImageData* part : {&f.topLeft, &f.topEdge, &f.topRight, &f.leftEdge, &f.client,
                                      &f.rightEdge, &f.bottomLeft, &f.bottomEdge, &f.bottomRight})
            EXPECT_TRUE(part->HasHeader());
        EXPECT_GT(f.LeftWidth(), 0);
    }
    for (const char* name : {"Scroll", "Dialog"}) {
        CFrameWndSkin* skin = GetFrameWndSkin(CStr(name));
        EXPECT_TRUE(skin->titleLeft.HasHeader() && skin->titleCentre.HasHeader() &&
                    skin->titleRight.HasHeader())
            << name << " has a title ribbon";
    }
    // Screen skins: a wallpaper the size of the screen; "Screen" has a title ribbon.
    for (const char* name : {"Title", "Night", "Screen"}) {
        SCOPED_TRACE(name);
        CScreenWnd screen(nullptr, CStr(), false);
        screen.SetSkin(CStr(name), false);
        screen.Window()->SetRect(PackedRect(0, 0, 239, 319), false);
        screen.SetTitle(CStr(std::string(name) == "Screen" ? "MenuHallOfFame" : ""), false);
        EXPECT_EQ(screen.WallpaperPosition(), PackedPoint(0, 0));
        if (std::string(name) == "Screen") {
            EXPECT_GT(screen.TitleRect().Height(), 10) << "the ribbon under the title";
            screen.Window()->Show(true, true);
            Frames();
            m_headless->Screenshot("screen_skin.png");
        }
    }
    const char* buttons[] = {"Button",
                             "BtnHelp",
                             "ValueScroller/Btn_LL",
                             "ValueScroller/Btn_L",
                             "ValueScroller/Btn_R",
                             "ValueScroller/Btn_RR",
                             "ScrollBar/Btn_LL",
                             "ScrollBar/Btn_R",
                             "ScrollBar/Btn_UU",
                             "ScrollBar/Btn_D",
                             "ScrollBar/Btn_Horz",
                             "ScrollBar/Btn_Vert"};
    for (const char* name : buttons) {
        SCOPED_TRACE(name);
        CButtonSkin* skin = GetButtonSkin(CStr(name));
        ASSERT_NE(skin, nullptr);
        for (const CFrameSkin* look : {&skin->normal, &skin->pushed, &skin->disabled}) {
            EXPECT_TRUE(look->IsLoaded());
            EXPECT_TRUE(look->topLeft.HasHeader());
        }
    }
}

}  // namespace

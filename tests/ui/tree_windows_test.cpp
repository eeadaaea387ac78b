// Windows built from the UI tree: layout records, labels and icons, frame
// titles and margins, skins, buttons, dialogs run modally, screens and their
// palette, and one screen compared pixel by pixel.
#include <functional>
#include <map>

#include "core/raster.h"
#include "tests/ui/ui_pack.h"
#include "ui/button.h"
#include "ui/dialog.h"
#include "ui/frame_wnd.h"
#include "ui/screen_wnd.h"

namespace {

using ui_test::UiDataRig;

// A stand-in for the label control: binds to the selected node and reads its layout.
class LabelStub : public CWindow, public LayoutReader {
public:
    explicit LabelStub(CWindow* parent)
        : CWindow(parent, UndefinedRect, CStr(), false), link(true, CStr(), this)
    {
        link.BindSelectedNode();
        link.Reload(false);
    }
    bool LoadLayout(bool keep) override { return link.ReloadLink(keep); }
    CHintHelpLink link;
};

std::vector<CWindow*> g_labels;
std::map<CWindow*, std::string> g_hints;

CWindow* MakeLabel(CWindow* parent)
{
    CWindow* label = new LabelStub(parent);
    g_labels.push_back(label);
    return label;
}
void AttachHint(CWindow* window, CHintText* hint)
{
    g_hints[window] = hint->Text().Chars();
}
std::map<CWindow*, std::string> g_helps;
void AttachHelp(CWindow* window, CHelpText* help)
{
    g_helps[window] = std::string(help->Title().Chars()) + ": " + help->Text().Chars();
}

class TreeWindowsTest : public UiDataRig {
protected:
    void SetUp() override
    {
        UiDataRig::SetUp();
        g_labels.clear();
        g_hints.clear();
        g_helps.clear();
        ToolkitHooks hooks;
        hooks.attachHelp = AttachHelp;
        hooks.createLabel = MakeLabel;
        hooks.attachHint = AttachHint;
        SetToolkitHooks(hooks);
    }
};

TEST_F(TreeWindowsTest, LayoutRecordAnchorsAndKeepsVisibilityOnRequest)
{
    CWindow window(nullptr, UndefinedRect, CStr(), true);
    window.SetAnchorMode(AnchorFill);
    CHintHelpLink link(false, CStr("/Main/Anchored"), &window, true);
    EXPECT_FALSE(window.IsVisible());
    EXPECT_EQ(window.AnchorMode(), AnchorBottom);
    EXPECT_EQ(window.WindowRect(), PackedRect(0, 280, 99, 299)) << "20 pixels stay free below it";
    window.Show(true, false);
    window.SetRect(PackedRect(1, 1, 2, 2), false);
    ASSERT_TRUE(link.Reload(true));
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(window.WindowRect(), PackedRect(0, 280, 99, 299));
    CHintHelpLink missing(false, CStr("/Main/Nothing"), &window);
    EXPECT_FALSE(missing.Reload(false));
    CHintHelpLink empty(false, CStr(), &window);
    EXPECT_FALSE(empty.Reload(false));
}

TEST_F(TreeWindowsTest, FrameWindowLaysOutItsTitleMarginsLabelsAndIcons)
{
    CFrameWnd frame(nullptr, CStr("/Main/Dlg"), true);
    EXPECT_EQ(frame.Text(), CStr("abcde"));
    EXPECT_EQ(frame.WindowRect(), PackedRect(20, 100, 219, 219));
    // Title images 20 + 20 wide around a 50-pixel text, 16 high, on an 8-pixel top border.
    EXPECT_EQ(frame.TitleRect(), PackedRect(55, 8, 144, 23));
    EXPECT_EQ(frame.TitleTextPosition(), PackedPoint(75, 11));
    EXPECT_EQ(frame.Margins(), PackedRect(4, 24, 4, 4));
    EXPECT_EQ(frame.titleColour, 3);

    // Two labels, each from its own node, and one icon that takes its picture's size.
    ASSERT_EQ(g_labels.size(), 2u);
    EXPECT_EQ(g_labels[0]->WindowRect(), PackedRect(5, 25, 14, 34));
    EXPECT_EQ(g_labels[1]->WindowRect(), PackedRect(6, 26, 15, 35));
    CIconWnd* icon = nullptr;
    int children = 0;
    for (CWindow* c = frame.GetFirstChild(); c; c = c->GetNextSibling(), ++children) {
        if (c->QueryInterface(IidIconWnd))
            icon = static_cast<CIconWnd*>(c->QueryInterface(IidIconWnd));
    }
    EXPECT_EQ(children, 3) << "the button node is left to the class";
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->WindowRect(), PackedRect(9, 64, 24, 77));
    EXPECT_TRUE(icon->HasFlag(WndSeeThrough)) << "a transparent picture lets the parent paint first";

    // An empty title gives its height back to the client area.
    frame.SetText(CStr(), false);
    EXPECT_EQ(frame.TitleRect().Height(), 0);
    EXPECT_EQ(frame.Margins(), PackedRect(4, 8, 4, 4));
    // Re-reading with keep visibility keeps a title that code has set.
    frame.SetText(CStr("xyz"), false);
    ASSERT_TRUE(frame.LoadLayout(true));
    EXPECT_EQ(frame.Text(), CStr("xyz"));
    // The nested reloads of a layout refresh once, at the outermost level.
    struct Counter : LinkListener {
        void OnLinkRefreshed(CUiTreeLink*) override { ++count; }
        int count = 0;
    } counter;
    frame.Link().SetListener(&counter);
    ASSERT_TRUE(frame.LoadLayout(true));
    EXPECT_EQ(counter.count, 1);
    frame.Link().SetListener(nullptr);
    EXPECT_EQ(g_labels.size(), 2u) << "re-reading makes no second set of labels";
    int after = 0;
    for (CWindow* c = frame.GetFirstChild(); c; c = c->GetNextSibling())
        ++after;
    EXPECT_EQ(after, 3);
    frame.noMargins = 1;
    frame.UpdateMargins();
    EXPECT_EQ(frame.Margins(), PackedRect(0, 0, 0, 0));
}

TEST_F(TreeWindowsTest, SkinsAreCachedByNameWithoutCaseAndRestoreTheFolder)
{
    CResourceMgr::SetCurrentFolder("/Images");
    CButtonSkin* first = GetButtonSkin(CStr("btn"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CResourceMgr::CurrentFolder(), CStr("/Images"));
    EXPECT_EQ(GetButtonSkin(CStr("BTN")), first);
    EXPECT_EQ(GetFrameWndSkin(CStr("Btn")), nullptr) << "the name is taken by a button skin";
    EXPECT_EQ(GetButtonSkin(CStr()), nullptr);
    EXPECT_NE(GetButtonSkin(CStr("/Skin/btn")), first) << "an absolute name is its own entry";
    EXPECT_TRUE(GetButtonSkin(CStr("/Skin/btn"))->normal.IsLoaded());

    // Row form: height fixed by the images, insets only at the sides.
    EXPECT_TRUE(first->normal.IsLoaded());
    EXPECT_TRUE(first->pushed.IsLoaded());
    EXPECT_FALSE(first->disabled.IsLoaded());
    EXPECT_EQ(first->normal.ClientInsets(), PackedRect(8, 0, 8, 0));
    EXPECT_EQ(first->normal.FitRect(PackedRect(10, 10, 99, 99)), PackedRect(10, 10, 99, 29));
    // Column form from a lone middle piece; nine-part form for an empty folder.
    CButtonSkin* column = GetButtonSkin(CStr("col"));
    EXPECT_TRUE(column->normal.IsLoaded());
    EXPECT_TRUE(column->normal.leftEdge.HasHeader());
    EXPECT_EQ(column->normal.FitRect(PackedRect(10, 10, 99, 99)), PackedRect(10, 10, 29, 99));
    CButtonSkin* none = GetButtonSkin(CStr("none"));
    EXPECT_FALSE(none->normal.IsLoaded());
    EXPECT_EQ(none->normal.FitRect(PackedRect(10, 10, 99, 99)), PackedRect(10, 10, 99, 99));
    EXPECT_EQ(SkinCacheCount(), 4);
}

TEST_F(TreeWindowsTest, FullStacksLeaveTheFolderAndTheTreeAsTheyWere)
{
    CResourceMgr::SetCurrentFolder("/Images");
    for (int i = 0; i < kResourceFolderStackSize; ++i)
        ASSERT_TRUE(PushResourceFolder());
    EXPECT_TRUE(GetButtonSkin(CStr("btn"))->normal.IsLoaded());
    EXPECT_EQ(CResourceMgr::CurrentFolder(), CStr("/Images"));
    while (ResourceFolderDepth() > 0)
        PopResourceFolder();

    CUiTree& tree = CUIMgr::Tree();
    ASSERT_TRUE(tree.GoToPath("/Map") || tree.GoToPath("/Main"));
    const int current = tree.CurrentNode();
    for (int i = 0; i < CUiTree::kStackSize; ++i)
        ASSERT_TRUE(tree.PushNode());
    CDialog dialog(nullptr, CStr("/Main/Dlg"), true);
    EXPECT_EQ(tree.CurrentNode(), current) << "no save, no move";
    EXPECT_TRUE(g_labels.empty());
    while (tree.PopNode()) {
    }
    EXPECT_EQ(tree.CurrentNode(), current);
}

TEST_F(TreeWindowsTest, AWindowWhoseSkinNameIsTakenKeepsTheDefaultSkin)
{
    GetButtonSkin(CStr("btn"));
    CFrameWnd plain(nullptr, CStr("/Main/Plain"), true);
    EXPECT_EQ(plain.Skin(), &DefaultFrameWndSkin());
    plain.Show(true, false);
    CWindowMgr::ProcessEvents();  // paints with the default skin: draws nothing, fails nothing
    EXPECT_EQ(plain.Margins(), PackedRect(0, 0, 0, 0));
}

TEST_F(TreeWindowsTest, ButtonSplitsItsClientBetweenPictureAndCaption)
{
    CButton button(nullptr, CStr("/Main/Caption"), true);
    EXPECT_EQ(button.Text(), CStr("abcdefghi"));
    EXPECT_EQ(button.Caption().foreground, 9);
    EXPECT_EQ(button.WindowRect(), PackedRect(0, 0, 99, 19));
    EXPECT_EQ(button.ClientRect().Width(), 100);
    EXPECT_EQ(button.Picture().OuterWidth(), 25);
    EXPECT_EQ(button.Caption().OuterWidth(), 75);
    // Without a caption the picture takes the whole width.
    button.SetText(CStr(), false);
    EXPECT_EQ(button.Picture().OuterWidth(), 100);
}

TEST_F(TreeWindowsTest, PushButtonFromTheTreeFitsItsSkinAndGetsItsHint)
{
    CFrameWnd frame(nullptr, CStr("/Main/Dlg"), true);
    CPushButton button(&frame, CStr("/Main/Dlg/Btn"));
    EXPECT_EQ(button.WindowRect(), PackedRect(24, 84, 103, 103)) << "the row skin fixes the height to 20";
    EXPECT_EQ(button.Skin(), GetButtonSkin(CStr("btn")));
    EXPECT_EQ(g_hints[&button], "tip");
    EXPECT_EQ(g_helps[&button], "Help me: The whole help text.") << "a key with a slash names a whole text";
    EXPECT_EQ(g_hints.count(&frame), 0u) << "no hint node, no hint";
}

std::vector<std::string> g_balloons;
void ShowBalloon(CWindow* window, const CStr& text, const void*)
{
    auto* button = static_cast<CHintButton*>(window->QueryInterface(IidHintButton));
    g_balloons.push_back(std::string(text.Chars()) + "/" +
                         (button ? button->Link().Hint()->Text().Chars() : "?"));
}

TEST_F(TreeWindowsTest, HintButtonShowsItsHintOnlyOnRequestUnlessItKeepsIt)
{
    ToolkitHooks hooks = GetToolkitHooks();
    hooks.showHintFor = ShowBalloon;
    SetToolkitHooks(hooks);
    g_balloons.clear();
    CFrameWnd frame(nullptr, CStr("/Main/Dlg"), true);
    for (bool keep : {false, true}) {
        CHintButton button(&frame, CStr("/Main/Dlg/Btn"), keep);
        EXPECT_EQ(button.HintText(), CStr("tip"));
        EXPECT_EQ(button.Link().Hint()->Text(), keep ? CStr("tip") : CStr())
            << "no automatic hint unless kept";
        const PackedPoint at(3, 3);
        button.ShowHint(&at);
        EXPECT_EQ(button.Link().Hint()->Text(), keep ? CStr("tip") : CStr());
    }
    EXPECT_EQ(g_balloons, (std::vector<std::string>{"tip/tip", "tip/tip"}));
}

// Records the look after every state change and every click.
struct PressJournal {
    void OnState(CWindow* w, intptr_t sound)
    {
        auto* b = static_cast<CPressable*>(w);
        lines.push_back(std::string(b->IsDrawnDown() ? "down" : "up") + (sound ? "" : " quiet"));
    }
    void OnClick(CWindow*, intptr_t) { lines.push_back("click"); }
    std::vector<std::string> lines;
};

TEST_F(TreeWindowsTest, PressableModesFollowThePen)
{
    struct Case {
        const char* what;
        int32_t mode;
        bool checked;
        uint8_t extra;
        bool slideOff;
        std::vector<std::string> expected;
        bool endChecked;
    } cases[] = {
        {"push tap", PressPush, false, 0, false, {"down", "up", "click"}, false},
        {"push slid off", PressPush, false, 0, true, {"down", "up"}, false},
        {"push slid off, release anywhere",
         PressPush,
         false,
         PressReleaseAnywhere,
         true,
         {"down", "up", "click"},
         false},
        {"toggle checked", PressToggle, true, 0, false, {"up", "click"}, false},
        {"toggle unchecked", PressToggle, false, 0, false, {"down", "click"}, true},
        {"radio checked", PressRadio, true, 0, false, {}, true},
        {"radio unchecked", PressRadio, false, 0, false, {"down", "click"}, true},
    };
    for (const Case& c : cases) {
        CButton button(nullptr, CStr("/Main/Caption"), true);
        PressJournal journal;
        button.mode = c.mode;
        button.pressFlags = static_cast<uint8_t>((c.checked ? PressChecked : 0) | c.extra);
        button.SetStateHandler(new WindowMemberHandler<PressJournal>(&journal, &PressJournal::OnState));
        button.BindHandler(HandlerClick, &journal, &PressJournal::OnClick);
        button.OnPenDown(PackedPoint(5, 5));
        if (c.slideOff)
            button.OnPenMove(PackedPoint(500, 5));
        button.OnPenUp(c.slideOff ? PackedPoint(500, 5) : PackedPoint(5, 5));
        EXPECT_EQ(journal.lines, c.expected) << c.what;
        EXPECT_EQ(button.IsChecked(), c.endChecked) << c.what;
        EXPECT_EQ(CWindowMgr::CaptureCount(), 0) << c.what;
    }
}

TEST_F(TreeWindowsTest, SetCheckedChangesTheLookQuietlyAndOnlyOnChange)
{
    CButton button(nullptr, CStr("/Main/Caption"), true);
    PressJournal journal;
    button.mode = PressToggle;
    button.SetStateHandler(new WindowMemberHandler<PressJournal>(&journal, &PressJournal::OnState));
    CWindowMgr::ProcessEvents();
    button.SetChecked(false, true);
    EXPECT_TRUE(journal.lines.empty());
    EXPECT_EQ(CWindowMgr::QueuedCount(), 0) << "not even a repaint";
    button.SetChecked(true, true);
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"down quiet"}));
    EXPECT_EQ(button.Look(), &button.Skin()->pushed);
    // Disabled and checked: the disabled look, until the state changes again.
    button.Enable(false, false);
    button.SetSkin(CStr("btn"), false);
    EXPECT_EQ(button.Look(), &button.Skin()->disabled);
    button.OnStateChanged(false);
    EXPECT_EQ(button.Look(), &button.Skin()->pushed);
}

TEST_F(TreeWindowsTest, ADialogFromTheTreeRunsModallyUntilItsButtonIsTapped)
{
    struct Hook : FrameHook {
        void OnFrame() override
        {
            if (++steps == 3) {
                PenDownSignal.FirePoint(PackedPoint(60, 190));
                PenUpSignal.FirePoint(PackedPoint(60, 190));
            }
            if (steps > 50)
                QuitFlag = 1;  // a broken run ends the test instead of hanging it
            CWindowMgr::ProcessEvents();
        }
        int steps = 0;
    };
    SetFrameHook(new Hook);
    struct OkDialog : CDialog {
        OkDialog() : CDialog(nullptr, CStr("/Main/Dlg"), true), ok(this, CStr("/Main/Dlg/Btn"))
        {
            ok.BindHandler(HandlerClick, this, &OkDialog::OnOk);
        }
        void OnOk(CWindow*, intptr_t)
        {
            SetModalResult(ResultOk);
            EndModal(this);
        }
        CPushButton ok;
    } dialog;
    EXPECT_TRUE(dialog.ShowSound().Sound().Sample().HasHeader()) << "the dialog's own show sound";
    EXPECT_FALSE(dialog.HideSound().Sound().Sample().HasHeader());
    EXPECT_EQ(RunModal(&dialog), ResultOk);
    EXPECT_FALSE(dialog.IsVisible());
}

TEST_F(TreeWindowsTest, ScreenPlacesItsWallpaperAndPairsItsPalettePushes)
{
    CScreenWnd* screen = new CScreenWnd(nullptr, CStr("/Main/ScreenWnd"), true);
    EXPECT_EQ(screen->WallpaperPosition(), PackedPoint(40, 220))
        << "a small wallpaper goes to the bottom-right";
    EXPECT_EQ(screen->Animations().size(), 2u) << "numbers 1 and 2; 4 is never reached";
    EXPECT_EQ(screen->PaletteName(), CStr("blue"));
    EXPECT_TRUE(screen->Music()->Sound().IsLooping());
    EXPECT_EQ(screen->Music()->SoundName(), CStr("/Sounds/music"))
        << "a bare name is taken from the sound folder";
    EXPECT_TRUE(screen->Music()->Sound().Sample().HasHeader());
    EXPECT_EQ(screen->TitleRect(), PackedRect(80, 0, 159, 9));
    EXPECT_EQ(screen->Window()->Margins(), PackedRect(0, 9, 0, 0));
    EXPECT_EQ(screen->titleColour, 7);
    ASSERT_TRUE(screen->Window()->IsVisible());
    EXPECT_EQ(PaletteStackDepth(), 1);
    EXPECT_EQ(m_display.RawPalette()[3 * 10 + 1], 245) << "the screen's palette is on the display";
    for (int i = 0; i < 20; ++i) {
        screen->Window()->Show(false, false);
        EXPECT_TRUE(screen->Animations()[0]->IsPaused());
        screen->Window()->Show(true, false);
        screen->Window()->Show(true, false);
        EXPECT_FALSE(screen->Animations()[0]->IsPaused());
    }
    EXPECT_EQ(PaletteStackDepth(), 1) << "shown and hidden many times, the stack stays balanced";
    delete screen;
    EXPECT_EQ(PaletteStackDepth(), 0);
    // A screen destroyed with its parent gives its palette back too.
    CWindow* parent = new CWindow(nullptr, PackedRect(0, 0, 239, 319), CStr(), true);
    new CScreenWnd(parent, CStr("/Main/ScreenWnd"), true);
    EXPECT_EQ(PaletteStackDepth(), 1);
    delete parent;
    EXPECT_EQ(PaletteStackDepth(), 0);
}

uint64_t Fnv(uint64_t hash, const uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

TEST_F(TreeWindowsTest, AScreenPaintsExactlyItsWallpaperTitleAndPalette)
{
    CScreenWnd screen(nullptr, CStr("/Main/Shot"), true);
    CWindowMgr::ProcessEvents();
    const SurfaceDesc& surface = m_display.ScreenContext()->Surface();
    ASSERT_NE(surface.pixels, nullptr);
    const IndexedPicture wallpaper = RandomPicture(7, 240, 320, 10);
    // Below the title the wallpaper is copied pixel for pixel.
    int mismatches = 0;
    for (int y = 20; y < 320; ++y) {
        for (int x = 0; x < 240; ++x)
            mismatches += surface.pixels[y * surface.pitch + x] != wallpaper.At(x, y);
    }
    EXPECT_EQ(mismatches, 0);
    // The title bar: "abc" (30 wide, 10 high) centred on a 14-high bar of colour 50.
    EXPECT_EQ(screen.TitleRect(), PackedRect(105, 0, 134, 13));
    EXPECT_EQ(surface.pixels[13 * surface.pitch + 105], 50);
    EXPECT_EQ(surface.pixels[0 * surface.pitch + 104], wallpaper.At(104, 0));
    uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < 320; ++y)
        hash = Fnv(hash, surface.pixels + y * surface.pitch, 240);
    hash = Fnv(hash, m_display.RawPalette(), 768);
    // The whole screen and palette, as first checked by the assertions above.
    EXPECT_EQ(hash, 12916874610862356599ull);
}

}  // namespace

// Hint balloons, the help window and help buttons, and the skin manager.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/screen/controls_rig.h"
#include "ui/help_mgr.h"
#include "ui/hint_mgr.h"
#include "ui/label.h"
#include "ui/skin_mgr.h"

namespace {

using controls_test::ControlsRig;
using controls_test::StepScript;

class HintHelpTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        ASSERT_TRUE(pack.AddText("Texts/dlghelp", "txt", "Dialog help\r\nbody text"));
        controls_test::AddFrameSkin(pack, "Hint", 2);
        controls_test::AddFrameSkin(pack, "frm", 3);
        const char* arrows[] = {"arrow_ul", "arrow_ur", "arrow_dl", "arrow_dr"};
        for (const char* arrow : arrows) {
            ASSERT_TRUE(
                pack.AddFile(std::string("Skin/Hint/") + arrow, "img", controls_test::Picture(8, 6, 7, 2)));
        }
        for (const char* name : {"BtnHelp", "ValueScroller/Btn_LL", "ValueScroller/Btn_L",
                                 "ValueScroller/Btn_R", "ValueScroller/Btn_RR", "close"}) {
            controls_test::AddFixedButtonSkin(pack, name, 12, 12, 4);
        }
        Mount({{0, "Main", {}},
               {1, "HelpWnd", {0, 0, 20, 20, 200, 104, "", "frm", 3}},
               {2, "HelpText", {1, 0, 0, 0, 192, 50, ""}},
               {2, "PageScroller", {1, 0, 0, 52, 192, 12, "%d/%d", 1, 1, 1, 1, 1}},
               {2, "BtnClose", {1, 0, 0, 66, 12, 12, "", "close"}},
               {1, "Tip", {1, 0, 10, 150, 50, 50, "TipLabel", 2, 2, 1}},
               {2, "Hint_", {"TipKey"}},
               {1, "Bare", {1, 0, 100, 150, 50, 50, "TipLabel", 2, 2, 1}},
               {1, "HintBtn", {1, 0, 10, 250, 12, 12, "", "close"}},
               {2, "Hint_", {"TipKey"}},
               {1, "Dlg", {1, 0, 100, 20, 120, 60, "", "frm", 3}},
               {2, "Help_", {"/Texts/dlghelp", "DlgHelpTitle"}}},
              "TipLabel=tip\r\nTipKey=a short hint\r\n"
              "HelpNEM=No help\r\nHelpNEMTitle=Help\r\nTKey=Title\r\nXKey=The text\r\n");
        ASSERT_EQ(CSkinMgr::Init(), 1u);
        ASSERT_EQ(CHintMgr::Init(), 1u);
        ASSERT_EQ(CHelpMgr::Init(), 1u);
    }
    void TearDown() override
    {
        CHelpMgr::Shutdown();
        CHintMgr::Shutdown();
        CSkinMgr::Shutdown();
        ControlsRig::TearDown();
    }
};

TEST_F(HintHelpTest, TappingAWindowWithAHintOpensTheBalloonUntilItIsTapped)
{
    CLabel tip(Root(), CStr("/Main/Tip"), true);
    CLabel bare(Root(), CStr("/Main/Bare"), true);
    CHintWnd* balloon = CHintMgr::Balloon();
    ASSERT_NE(balloon, nullptr);
    EXPECT_NE(m_data.Log().find("HINT_MGR: Creating hint window..."), std::string::npos);
    StepScript* script = Script();
    bool shown = false;
    PackedRect rect;
    HintArrow arrow = HintArrowNone;
    CWindow* captor = nullptr;
    script->At(2, [&] {
        shown = balloon->IsVisible();
        rect = balloon->WindowRect();
        arrow = balloon->CurrentArrow();
        captor =
            CWindowMgr::CaptureCount() > 0 ? CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1) : nullptr;
    });
    script->TapAt(3, 200, 10);  // anywhere: the balloon holds the pen
    // A tap near the label's corner: the balloon points at its centre (35, 175).
    Tap(12, 152);
    EXPECT_TRUE(shown);
    EXPECT_EQ(captor, balloon);
    EXPECT_FALSE(balloon->IsVisible());
    EXPECT_LT(script->steps, script->limit);
    EXPECT_STREQ(balloon->TextWindow()->Text().Chars(), "a short hint");
    // Lower half: above the point, bottom row on it; left half: "arrow_dl".
    EXPECT_EQ(arrow, HintArrowDownLeft);
    EXPECT_EQ(rect.Bottom(), 175);
    // 12 characters of 6 in a frame 4 + 4 wide.
    EXPECT_EQ(rect.Width(), 72 + 8);
    EXPECT_EQ(rect.Left(), 35 - 40 + 4 - 2 < 0 ? 0 : 35 - 40 + 4 - 2);
    // A window without a hint does not open it.
    const int before = script->steps;
    Tap(110, 160);
    EXPECT_EQ(script->steps, before);
}

struct ClickCounter {
    void OnClick(CWindow*, intptr_t) { ++clicks; }
    int clicks = 0;
};

// A button must keep its action and still explain itself: a tap acts, a
// pen that rests on it shows its hint and does nothing else.
TEST_F(HintHelpTest, AHintButtonActsOnATapAndExplainsItselfWhenHeld)
{
    const struct {
        const char* what;
        int32_t mode;
        uint32_t held;
        bool hint;
        int clicks;
        bool checked;
    } cases[] = {
        {"a tap", PressPush, 100, false, 1, false},
        {"a rest", PressPush, CHintButton::kHoldMilliseconds + 100, true, 0, false},
        {"a tap on a toggle", PressToggle, 100, false, 1, true},
        {"a rest on a toggle", PressToggle, CHintButton::kHoldMilliseconds + 100, true, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHintButton button(Root(), CStr("/Main/HintBtn"), false);
        button.mode = c.mode;
        ClickCounter counter;
        button.BindHandler(HandlerClick, &counter, &ClickCounter::OnClick);
        CHintWnd* balloon = CHintMgr::Balloon();
        StepScript* script = Script();
        bool shown = false;
        std::string text;
        script->At(2, [&] {
            shown = balloon->IsVisible();
            text = balloon->TextWindow()->Text().Chars();
        });
        script->TapAt(3, 200, 10);
        PenDown(14, 254);
        RunClock(c.held);
        PenUp(14, 254);
        EXPECT_EQ(shown, c.hint);
        EXPECT_EQ(text, c.hint ? "a short hint" : "");
        EXPECT_FALSE(balloon->IsVisible());
        EXPECT_EQ(counter.clicks, c.clicks);
        EXPECT_EQ(button.IsChecked(), c.checked);
        EXPECT_EQ(CWindowMgr::CaptureCount(), 0);
    }
}

TEST_F(HintHelpTest, BalloonPlacementAndSize)
{
    CHintWnd* balloon = CHintMgr::Balloon();
    balloon->SetText(CStr("abc"), false);
    const int width = balloon->Width();
    balloon->Place(PackedPoint(10, 200));
    EXPECT_EQ(balloon->WindowRect().Bottom(), 200);
    EXPECT_EQ(balloon->WindowRect().Left(), 0);
    EXPECT_EQ(balloon->CurrentArrow(), HintArrowDownLeft);
    balloon->Place(PackedPoint(230, 20));
    EXPECT_EQ(balloon->WindowRect().Top(), 20);
    EXPECT_EQ(balloon->WindowRect().Right(), 239);
    EXPECT_EQ(balloon->CurrentArrow(), HintArrowUpRight);
    EXPECT_EQ(balloon->ArrowPosition().X(), 230 - (240 - width));
    // A long text is laid out in two thirds of the screen (160 wide: 26
    // characters) and the balloon takes its first page's size.
    std::string words;
    for (int i = 0; i < 200; ++i)
        words += "word ";
    balloon->SetText(CStr(words.c_str()), false);
    EXPECT_LE(balloon->TextWindow()->PageWidth(), 160);
    EXPECT_LE(balloon->TextWindow()->PageHeight(), 213);
    EXPECT_GT(balloon->TextWindow()->PageCount(), 1);
    EXPECT_EQ(balloon->Width(), balloon->TextWindow()->PageWidth() + 8);
    EXPECT_EQ(balloon->Height(), balloon->TextWindow()->PageHeight() + 12);
    // An empty text shows nothing (and runs no loop).
    balloon->SetText(CStr(), false);
    balloon->ShowAt(PackedPoint(50, 50));
    EXPECT_FALSE(balloon->IsVisible());
}

TEST(HelpText, TitleLineAndBody)
{
    struct Case {
        const char* text;
        const char* title;
        const char* body;
        bool found;
    };
    const Case cases[] = {
        {"Title\r\nbody", "Title", "\r\nbody", true},
        {"no title", "", "no title", false},
        {"\r\nbody", "", "\r\nbody", true},
        {"", "", "", false},
    };
    for (const Case& c : cases) {
        CStr title, body;
        EXPECT_EQ(SplitHelpText(CStr(c.text), title, body), c.found) << c.text;
        EXPECT_STREQ(title.Chars(), c.title);
        EXPECT_STREQ(body.Chars(), c.body);
    }
}

TEST_F(HintHelpTest, HelpPagesAndTheirScroller)
{
    CHelpWnd* help = CHelpMgr::Window();
    ASSERT_NE(help, nullptr);
    CHelpText one{CStr()};
    one.SetText(CStr("Short\r\none line"));
    help->SetPage(one, false);
    EXPECT_STREQ(help->Text().Chars(), "Short");
    EXPECT_EQ(help->TextWindow()->PageCount(), 1);
    EXPECT_FALSE(help->PageScroller()->Window()->IsVisible());
    // Five lines a page (50 high): 15 lines make three pages.
    CHelpText three{CStr()};
    three.SetText(CStr("Long\r\na{br}b{br}c{br}d{br}e{br}f{br}g{br}h{br}i{br}j{br}k{br}l{br}m{br}n{br}o"));
    help->SetPage(three, false);
    ASSERT_EQ(help->TextWindow()->PageCount(), 3);
    EXPECT_TRUE(help->PageScroller()->Window()->IsVisible());
    EXPECT_EQ(help->PageScroller()->Min(), 1);
    EXPECT_EQ(help->PageScroller()->Max(), 3);
    help->PageScroller()->SetValue(3, false, true);
    EXPECT_EQ(help->TextWindow()->CurrentPage(), 2);
    help->Reset(CStr(), false);
    EXPECT_EQ(help->TextWindow()->PageCount(), 0);
    EXPECT_EQ(help->PageScroller()->Value(), 1);
}

TEST_F(HintHelpTest, HelpButtonShowsTheHelpOfItsWindow)
{
    CFrameWnd dialog(Root(), CStr("/Main/Dlg"), true);
    CHelpButton* button = nullptr;
    int buttons = 0;
    for (CWindow* child = dialog.GetFirstChild(); child; child = child->GetNextSibling()) {
        if (auto* found = dynamic_cast<CHelpButton*>(child)) {
            button = found;
            ++buttons;
        }
    }
    ASSERT_NE(button, nullptr);
    // A reload refreshes the link again and keeps one button.
    dialog.Link().Reload(true);
    CHelpMgr::AttachHelp(&dialog);
    int again = 0;
    for (CWindow* child = dialog.GetFirstChild(); child; child = child->GetNextSibling()) {
        if (dynamic_cast<CHelpButton*>(child))
            ++again;
    }
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(again, 1);
    // At the right end of the title band.
    EXPECT_EQ(button->Width(), 12);
    EXPECT_EQ(button->GetNode()->screenRect.Right(), dialog.GetNode()->screenRect.Right() - 4);
    EXPECT_EQ(button->GetNode()->screenRect.Top(), dialog.GetNode()->screenRect.Top());

    CHelpWnd* help = CHelpMgr::Window();
    StepScript* script = Script();
    CStr title, text;
    bool visible = false;
    script->At(2, [&] {
        visible = help->IsVisible();
        title = help->Text();
        text = help->TextWindow()->Text();
    });
    script->At(3, [&] {
        const PackedRect& close = help->CloseButton()->GetNode()->screenRect;
        PenDownSignal.FirePoint(PackedPoint(close.Left() + 2, close.Top() + 2));
        PenUpSignal.FirePoint(PackedPoint(close.Left() + 2, close.Top() + 2));
    });
    const PackedRect& screen = button->GetNode()->screenRect;
    Tap(screen.Left() + 2, screen.Top() + 2);
    EXPECT_TRUE(visible);
    EXPECT_STREQ(title.Chars(), "Dialog help");
    EXPECT_STREQ(text.Chars(), "\r\nbody text");
    EXPECT_FALSE(help->IsVisible());
    EXPECT_LT(script->steps, script->limit);
    EXPECT_EQ(help->TextWindow()->PageCount(), 0);  // reset after closing
}

TEST_F(HintHelpTest, ShowHelpFromKeysAndTheDefaultHelp)
{
    ASSERT_NE(CHelpMgr::DefaultHelp(), nullptr);
    EXPECT_STREQ(CHelpMgr::DefaultHelp()->Text().Chars(), "No help");
    EXPECT_STREQ(CHelpMgr::DefaultHelp()->Title().Chars(), "Help");
    CHelpWnd* help = CHelpMgr::Window();
    StepScript* script = Script();
    CStr text;
    script->At(1, [&] { text = help->TextWindow()->Text(); });
    script->At(2, [&] { help->CloseButton()->InvokeHandler(HandlerClick); });
    CHelpMgr::ShowHelp("TKey", "XKey");
    EXPECT_STREQ(text.Chars(), "The text");
    EXPECT_STREQ(help->Text().Chars(), "");  // no title line
    EXPECT_LT(script->steps, script->limit);
}

TEST_F(HintHelpTest, SkinManagerFreesTheCache)
{
    EXPECT_NE(GetButtonSkin(CStr("close")), nullptr);
    EXPECT_GT(SkinCacheCount(), 0);
    CSkinMgr::Shutdown();
    EXPECT_EQ(SkinCacheCount(), 0);
    CSkinMgr::Shutdown();  // an empty cache stays empty
    EXPECT_EQ(SkinCacheCount(), 0);
    EXPECT_EQ(CSkinMgr::Init(), 1u);
    EXPECT_NE(GetToolkitHooks().createLabel, nullptr);
}

}  // namespace

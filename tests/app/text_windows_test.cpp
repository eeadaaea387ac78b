// The text windows: the full-screen credits turn a page on every tap (on
// the text or beside it) and close after the last; the paged dialog keeps
// its page selector in step with the text and hides it for one page.

#include "app/text_screen_wnd.h"
#include "ui/paged_text_wnd.h"

#include <gtest/gtest.h>

#include "tests/app/shell_rig.h"

namespace {

using shell_test::ShellRig;

class TextWindowsTest : public ShellRig {};

TEST_F(TextWindowsTest, CreditsTurnAPageOnEachTapAndCloseAfterTheLast)
{
    CTextScreenWnd screen(nullptr, CStr("/Main/CreditsWnd"));
    CWindow* window = screen.Window();
    CMarkupWnd* text = screen.TextWindow();
    window->Show(true, true);
    CWindowMgr::ProcessEvents();
    ASSERT_EQ(text->WindowRect(), PackedRect(5, 5, 230, 310)) << "inset by the show handler";
    const int pages = text->PageCount();
    ASSERT_EQ(pages, 3) << "ninety lines of 10 on 306-pixel pages";
    EXPECT_EQ(text->CurrentPage(), 0);
    // Taps alternate between the text and the margin beside it.
    for (int page = 1; page < pages; ++page) {
        if (page % 2)
            TapOn(text);
        else
            Tap(2, 2);
        EXPECT_EQ(text->CurrentPage(), page);
        EXPECT_TRUE(window->IsVisible());
    }
    Tap(2, 300);
    EXPECT_FALSE(window->IsVisible()) << "the tap after the last page closes the screen";
    EXPECT_EQ(text->CurrentPage(), pages - 1);
}

TEST_F(TextWindowsTest, AOnePageTextClosesOnTheFirstTapOfAModalRun)
{
    CTextScreenWnd screen(nullptr, CStr("/Main/ShortWnd"));
    ASSERT_EQ(screen.TextWindow()->Text(), CStr("Just one line"));
    Script({[this] { Tap(120, 160); }});
    RunModal(screen.Window());
    EXPECT_EQ(QuitFlag, 0) << "the tap ended the run";
    EXPECT_FALSE(screen.Window()->IsVisible());
}

TEST_F(TextWindowsTest, AScreenWithoutItsNodeLoadsNoText)
{
    CTextScreenWnd screen(nullptr, CStr("/Main/NoSuchWnd"));
    EXPECT_FALSE(screen.ReloadLayout(false));
    EXPECT_EQ(screen.TextWindow()->PageCount(), 0);
}

TEST_F(TextWindowsTest, PagedDialogSelectorFollowsThePages)
{
    struct Case {
        const char* what;
        std::string text;
        bool selectorShown;
    } cases[] = {
        {"one page", "A short text", false},
        {"many pages", shell_test::Lines(20), true},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CPagedTextWnd dialog(nullptr, CStr("/Main/PagedWnd"));
        dialog.SetMarkupText(CStr(c.text.c_str()));
        CValueScroller* selector = dialog.PageSelector();
        EXPECT_EQ(selector->Window()->IsVisible(), c.selectorShown);
        if (!c.selectorShown)
            continue;
        const int pages = dialog.TextWindow()->PageCount();
        ASSERT_EQ(pages, 4) << "twenty lines of 10 on pages 50 high";
        EXPECT_EQ(selector->Min(), 1);
        EXPECT_EQ(selector->Max(), pages);
        EXPECT_EQ(selector->Value(), 1);
        // The user picks page 3 with the selector.
        selector->SetValue(3, true, true);
        EXPECT_EQ(dialog.TextWindow()->CurrentPage(), 2);
        // The text turns its page itself: the selector follows.
        dialog.TextWindow()->SelectPage(3, true);
        EXPECT_EQ(selector->Value(), 4);
        // A shorter text hides the selector again.
        dialog.SetMarkupText(CStr("Short now"));
        EXPECT_FALSE(selector->Window()->IsVisible());
    }
}

TEST_F(TextWindowsTest, PagedDialogLoadsATextResourceAndClosesByItsButton)
{
    CPagedTextWnd dialog(nullptr, CStr("/Main/PagedWnd"));
    dialog.LoadText("/Texts/credits");
    EXPECT_GE(dialog.TextWindow()->PageCount(), 2);
    EXPECT_TRUE(dialog.PageSelector()->Window()->IsVisible());
    EXPECT_EQ(dialog.Text(), CStr("Paged")) << "the title from the node";
    Script({[this, &dialog] { TapOn(dialog.CloseButton()); }});
    RunModal(&dialog);
    EXPECT_EQ(QuitFlag, 0) << "the close button ended the run";
    EXPECT_FALSE(dialog.IsVisible());
}

}  // namespace

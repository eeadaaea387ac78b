// Mark-up windows: pages of the client size, text lists from the tree, and
// the mark-up button.
#include "ui/markup_wnd.h"

#include <gtest/gtest.h>

#include "core/raster.h"
#include "tests/support/screen/controls_rig.h"

namespace {

using controls_test::ControlsRig;

class MarkupWndTest : public ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        ASSERT_TRUE(pack.AddText("Texts/long", "txt", "second {s1}text"));
        ASSERT_TRUE(pack.AddText("Main/Rt/part", "txt", "from the node's folder"));
        ASSERT_TRUE(pack.AddFile("Images/flag", "ani", controls_test::Animation(3, 8, 6)));
        ASSERT_TRUE(pack.AddFile("Images/tall", "img", controls_test::Picture(30, 90, 41)));
        controls_test::AddButtonSkin(pack, "mbtn", 40, 20, 3);
        Mount({{0, "Main", {}},
               {1, "Mk", {1, 0, 0, 0, 100, 50, "MkKey"}},
               {1, "Rt", {1, 0, 0, 60, 120, 40, 4, "Key1", "/Texts/long", "~/part", "/Texts/none", 3, 9}},
               {1, "MkBtn", {1, 0, 0, 120, 100, 30, "mbtn", "BtnKey"}}},
              "MkKey=hello world\r\nKey1=first text\r\nBtnKey=go {s1}now\r\n");
    }
};

TEST_F(MarkupWndTest, PagesFollowTextAndSize)
{
    CMarkupWnd wnd(Root(), CStr("/Main/Mk"), true);
    EXPECT_STREQ(wnd.Text().Chars(), "hello world");
    ASSERT_EQ(wnd.PageCount(), 1);
    EXPECT_EQ(wnd.CurrentPage(), 0);
    EXPECT_EQ(wnd.PageWidth(), 66);
    EXPECT_EQ(wnd.PageHeight(), 10);
    // Narrower: one word a line.
    wnd.SetRect(PackedRect(0, 0, 39, 49), false);
    EXPECT_EQ(wnd.PageHeight(), 20);
    EXPECT_EQ(wnd.PageWidth(), 30);
    // Twelve lines on pages 50 high: three pages; out-of-range pages are ignored.
    wnd.SetText(CStr("a{br}b{br}c{br}d{br}e{br}f{br}g{br}h{br}i{br}j{br}k{br}l"), false);
    ASSERT_EQ(wnd.PageCount(), 3);
    wnd.SelectPage(2, false);
    EXPECT_EQ(wnd.CurrentPage(), 2);
    wnd.SelectPage(3, false);
    wnd.SelectPage(-1, false);
    EXPECT_EQ(wnd.CurrentPage(), 2);
    // An empty text removes every page.
    wnd.SetText(CStr(), false);
    EXPECT_EQ(wnd.PageCount(), 0);
    EXPECT_EQ(wnd.PageWidth(), 0);
    EXPECT_EQ(wnd.PageHeight(), 0);
    wnd.SelectPage(0, false);
    EXPECT_EQ(wnd.CurrentPage(), -1);
}

TEST_F(MarkupWndTest, LoadTextTakesAWholeResource)
{
    CMarkupWnd wnd(Root(), CStr("/Main/Mk"), true);
    EXPECT_FALSE(wnd.LoadText("/Texts/none"));
    EXPECT_STREQ(wnd.Text().Chars(), "hello world");
    ASSERT_TRUE(wnd.LoadText("/Texts/long"));
    EXPECT_STREQ(wnd.Text().Chars(), "second {s1}text");
    ASSERT_EQ(wnd.PageCount(), 1);
    EXPECT_EQ(wnd.PageWidth(), 66);
}

TEST_F(MarkupWndTest, TextBeforeSizeIsBuiltAgainWhenTheSizeArrives)
{
    CMarkupWnd wnd(Root(), CStr(), false);
    wnd.SetText(CStr("hello world"), false);
    wnd.SetRect(PackedRect(0, 0, 99, 39), false);
    EXPECT_EQ(wnd.PageWidth(), 66);
    ASSERT_EQ(wnd.PageCount(), 1);
    EXPECT_EQ(wnd.Page(0)->OuterHeight(), 40);
    // Centred vertically: the block of one line sits in the middle.
    wnd.SetVAlign(AlignCentre, false);
    EXPECT_EQ(wnd.Page(0)->Position().Y(), 15);
}

TEST_F(MarkupWndTest, AnimationsRunWhileTheirPageIsShown)
{
    CMarkupWnd wnd(Root(), CStr(), false);
    wnd.SetRect(PackedRect(0, 0, 99, 19), false);
    wnd.SetText(CStr("{ani src=/Images/flag}{ff}two{ff}{ani src=/Images/flag}"), false);
    ASSERT_EQ(wnd.PageCount(), 3);
    auto anim = [&](int page) {
        return dynamic_cast<CAnimElement*>(wnd.Page(page)->Lines().at(0)->Elements().at(0));
    };
    ASSERT_NE(anim(0), nullptr);
    EXPECT_FALSE(anim(0)->IsRunning());  // hidden
    wnd.Show(true, false);
    EXPECT_TRUE(anim(0)->IsRunning());
    wnd.SelectPage(2, false);
    EXPECT_FALSE(anim(0)->IsRunning());
    EXPECT_TRUE(anim(2)->IsRunning());
    wnd.Show(false, false);
    EXPECT_FALSE(anim(2)->IsRunning());
}

TEST_F(MarkupWndTest, TextWindowListsItsTexts)
{
    CUIMgr::Tree().GoToPath("/Main/Rt");
    CTextWnd wnd(Root(), CStr("/Main/Rt"), true);
    ASSERT_EQ(wnd.StringCount(), 4);
    EXPECT_STREQ(wnd.Text().Chars(), "first text");
    EXPECT_EQ(wnd.foreground, 9);
    EXPECT_EQ(wnd.HAlign(), AlignEnd);
    CStr text;
    ASSERT_TRUE(wnd.GetString(1, text));
    EXPECT_STREQ(text.Chars(), "second {s1}text");
    ASSERT_TRUE(wnd.GetString(2, text));
    EXPECT_STREQ(text.Chars(), "from the node's folder");
    ASSERT_TRUE(wnd.GetString(3, text));
    EXPECT_STREQ(text.Chars(), "");  // a missing resource
    EXPECT_FALSE(wnd.GetString(4, text));
    wnd.ShowString(1, false);
    EXPECT_STREQ(wnd.Text().Chars(), "second {s1}text");
    // Right-aligned in 120: "second text" is 66 wide.
    ASSERT_EQ(wnd.PageCount(), 1);
    EXPECT_EQ(wnd.Page(0)->Lines().at(0)->Position().X(), 120 - 66);
    wnd.ShowString(4, false);
    EXPECT_STREQ(wnd.Text().Chars(), "second {s1}text");
}

TEST_F(MarkupWndTest, MarkupButtonFaceFillsTheButton)
{
    CMarkupButton button(Root(), CStr("/Main/MkBtn"), true);
    EXPECT_STREQ(button.GetMarkupText().Chars(), "go {s1}now");
    CMarkupWnd* face = button.Face();
    ASSERT_EQ(face->PageCount(), 1);
    EXPECT_FALSE(face->IsVisible());
    EXPECT_EQ(face->Width(), button.Width());
    // Centred both ways in the face.
    const MarkupLine* line = face->Page(0)->Lines().at(0);
    EXPECT_EQ(line->Position().X(), (button.Width() - 36) / 2);
    button.SetMarkupText(CStr("x"), false);
    EXPECT_STREQ(button.GetMarkupText().Chars(), "x");
    EXPECT_EQ(face->PageWidth(), 6);
}

}  // namespace

namespace {

// The whole screen after a mark-up window painted, against the same words
// drawn straight into a reference surface at the places the layout gives.
TEST_F(MarkupWndTest, PaintDrawsTheCurrentPageExactly)
{
    CDrawContext& screen = *m_display.ScreenContext();
    FillRect(screen, PackedRect(0, 0, 239, 319), 0);
    CMarkupWnd wnd(Root(), CStr(), false);
    wnd.SetRect(PackedRect(10, 10, 109, 59), false);
    wnd.SetText(CStr("{s1}ab{/s1} cd{br}efg"), false);
    wnd.Show(true, false);
    CWindowMgr::ProcessEvents();

    CDrawContext reference;
    ASSERT_TRUE(reference.CreateSurface(240, 320));
    FillRect(reference, PackedRect(0, 0, 239, 319), 0);
    // Centred lines in 100: "ab cd" is 30 wide (x 35), "efg" 18 (x 41).
    DrawText(reference, 10 + 35, 10, CStr("ab"), 12, 0, true, SelectFont(0));
    DrawText(reference, 10 + 35 + 18, 10, CStr("cd"), 8, 0, true, SelectFont(0));
    DrawText(reference, 10 + 41, 20, CStr("efg"), 8, 0, true, SelectFont(0));
    const SurfaceDesc& got = screen.Surface();
    const SurfaceDesc& want = reference.Surface();
    int differences = 0, inked = 0;
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            differences += *got.At(x, y) != *want.At(x, y);
            inked += *want.At(x, y) != 0;
        }
    }
    EXPECT_GT(inked, 0);
    EXPECT_EQ(differences, 0);

    // An empty text paints nothing: what is behind stays.
    FillRect(screen, PackedRect(0, 0, 239, 319), 0);
    wnd.SetText(CStr(), true);
    CWindowMgr::ProcessEvents();
    int drawn = 0;
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x)
            drawn += *got.At(x, y) != 0;
    }
    EXPECT_EQ(drawn, 0);
}

// Whatever the text holds, the window paints inside its own rectangle: a
// word wider than the window and a picture taller and wider than it.
TEST_F(MarkupWndTest, NothingIsPaintedBeyondTheWindow)
{
    CDrawContext& screen = *m_display.ScreenContext();
    const PackedRect area(20, 20, 79, 49);  // 60 x 30
    for (const char* text :
         {"a wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww b", "{img src=/Images/tall hspace=20}"}) {
        SCOPED_TRACE(text);
        FillRect(screen, PackedRect(0, 0, 239, 319), 0);
        CMarkupWnd wnd(Root(), CStr(), false);
        wnd.SetRect(area, false);
        wnd.SetText(CStr(text), false);
        wnd.Show(true, false);
        CWindowMgr::ProcessEvents();
        const SurfaceDesc& got = screen.Surface();
        int inside = 0, outside = 0;
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 240; ++x) {
                const bool in =
                    x >= area.Left() && x <= area.Right() && y >= area.Top() && y <= area.Bottom();
                (in ? inside : outside) += *got.At(x, y) != 0;
            }
        }
        EXPECT_GT(inside, 0);
        EXPECT_EQ(outside, 0);
    }
}

}  // namespace

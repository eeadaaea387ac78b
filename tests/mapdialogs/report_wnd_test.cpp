// The report window: entries become framed blocks of mark-up text that are
// never split across pages; a page scroller appears when they do not fit.
#include "mapdialogs/report_wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/report_list.h"
#include "tests/mapdialogs/operation_windows_rig.h"
#include "ui/button.h"
#include "ui/markup_layout.h"
#include "ui/markup_wnd.h"

namespace {

using operation_windows_test::OperationWindowsRig;

const char kFrame[] = "{br}{img src=frame_ul}{img src=frame_u}{img src=frame_ur}{br}{/noff} ";

TEST(ReportText, EntriesAreFramedAndAnEmptyBodyHasNoBreak)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> entries;
        std::string text;
    };
    const Case cases[] = {
        {{}, ""},
        {{{"Taxes", "+40 gold"}}, std::string("{noff}Taxes{br}+40 gold") + kFrame},
        {{{"Peace", ""}}, std::string("{noff}Peace") + kFrame},
        {{{"A", "b"}, {"C", ""}}, std::string("{noff}A{br}b") + kFrame + "{noff}C" + kFrame},
    };
    for (const Case& c : cases) {
        CReportList list;
        for (const auto& [title, body] : c.entries)
            list.AddCopy(1, CStr(title), CStr(body));
        EXPECT_EQ(std::string(CReportWnd::ReportText(list).Chars()), c.text);
    }
}

class ReportWndTest : public OperationWindowsRig {
protected:
    std::unique_ptr<CReportWnd> Make(const CReportList& list)
    {
        auto wnd = std::make_unique<CReportWnd>(Root(), CStr("ReportWnd"), true);
        wnd->BuildPages(list);
        Open(wnd.get());
        return wnd;
    }
    // The lines of a page that hold something (the text ends with a break,
    // which leaves an empty last line).
    static std::vector<const MarkupLine*> FilledLines(const MarkupPage* page)
    {
        std::vector<const MarkupLine*> lines;
        if (page == nullptr)
            return lines;
        for (const MarkupLine* line : page->Lines()) {
            if (!line->Elements().empty())
                lines.push_back(line);
        }
        return lines;
    }
    static bool EndsWithFrame(const MarkupPage* page)
    {
        const std::vector<const MarkupLine*> lines = FilledLines(page);
        if (lines.empty())
            return false;
        int pictures = 0;
        for (CDrawableElement* e : lines.back()->Elements())
            pictures += e->QueryInterface(IidImageElement) != nullptr;
        return pictures == 3;
    }
};

TEST_F(ReportWndTest, OneShortEntryIsOnePageWithoutScroller)
{
    CReportList list;
    list.AddCopy(1, CStr("Taxes"), CStr("plus forty"));
    auto wnd = Make(list);
    EXPECT_EQ(wnd->FrameFolder(), CStr("rep"));
    EXPECT_EQ(wnd->Messages()->PageCount(), 1);
    EXPECT_FALSE(wnd->PageScroller()->Window()->IsVisible());
    EXPECT_EQ(wnd->Messages()->CurrentPage(), 0);
    // The frame pictures were found in the skin folder the layout names.
    EXPECT_TRUE(EndsWithFrame(wnd->Messages()->Page(0)));
}

TEST_F(ReportWndTest, LongReportsPageWholeEntries)
{
    CReportList list;
    for (int i = 0; i < 20; ++i) {
        CStr title;
        title.Format("Entry %d", i);
        list.AddCopy(1, title, CStr("body"));
    }
    auto wnd = Make(list);
    const int32_t pages = wnd->Messages()->PageCount();
    ASSERT_GE(pages, 2);
    CValueScroller* scroller = wnd->PageScroller();
    EXPECT_TRUE(scroller->Window()->IsVisible());
    EXPECT_EQ(scroller->Min(), 1);
    EXPECT_EQ(scroller->Max(), pages);
    EXPECT_EQ(scroller->Value(), 1);
    for (int32_t p = 0; p < pages; ++p) {
        SCOPED_TRACE(p);
        // Title, body and frame of every entry stay together.
        EXPECT_EQ(FilledLines(wnd->Messages()->Page(p)).size() % 3, 0u);
        EXPECT_TRUE(EndsWithFrame(wnd->Messages()->Page(p)));
    }
    // Scroller value n shows page n - 1.
    StepScroller(scroller, true);
    EXPECT_EQ(scroller->Value(), 2);
    EXPECT_EQ(wnd->Messages()->CurrentPage(), 1);
    TapWindow(scroller->LastButton());
    EXPECT_EQ(wnd->Messages()->CurrentPage(), pages - 1);
}

TEST_F(ReportWndTest, OkEndsTheRunAndHidingClearsTheText)
{
    CReportList list;
    list.AddCopy(1, CStr("Battle"), CStr("won"));
    auto wnd = Make(list);
    controls_test::StepScript* script = Script();
    script->At(2, [&] { TapWindow(wnd->OkButton()); });
    RunModal(wnd.get());
    EXPECT_FALSE(wnd->IsVisible());
    EXPECT_TRUE(wnd->Messages()->Text().IsEmpty());
    EXPECT_EQ(wnd->Messages()->PageCount(), 0);
    // The next report starts from nothing.
    CReportList next;
    next.AddCopy(1, CStr("Peace"), CStr());
    wnd->BuildPages(next);
    EXPECT_EQ(std::string(wnd->Messages()->Text().Chars()), std::string("{noff}Peace") + kFrame);
}

}  // namespace

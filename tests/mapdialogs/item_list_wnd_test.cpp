#include "mapdialogs/item_list_wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/draw_context.h"
#include "core/raster.h"
#include "tests/support/windows/squad_list_rig.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"

namespace {

using map_test::ListRig;

class ItemListTest : public ListRig {
protected:
    // Types of the icons in display order, as letters.
    static std::string Order(const CItemListWnd& list)
    {
        std::string s;
        for (int i = 0; i < list.ItemCount(); ++i)
            s += list.Squad(i)->type->typeId.Chars();
        return s;
    }

public:
    int m_clicks = 0;
    int m_doubles = 0;
    PackedPoint m_lastDown = UndefinedPoint;
    void OnClick(CWindow*, intptr_t) { ++m_clicks; }
    void OnDouble(CWindow*, intptr_t) { ++m_doubles; }
    void OnDown(CWindow*, intptr_t point) { m_lastDown = *reinterpret_cast<const PackedPoint*>(point); }
};

TEST_F(ItemListTest, LayoutNodeIsRead)
{
    CItemListWnd list(Root(), CStr("/T/Centred"), true);
    EXPECT_TRUE(list.IsVisible());
    EXPECT_EQ(list.WindowRect(), PackedRect(10, 20, 219, 119));
    EXPECT_EQ(list.CellWidth(), 50);
    EXPECT_EQ(list.ContentBox().Alignment(), 0x11);
    EXPECT_EQ(list.options, ItemListShowCount | ItemListShowHealth);
    EXPECT_STREQ(list.EmptyTextWnd()->Text().Chars(), "none");
    EXPECT_STREQ(list.LayoutHintText().Chars(), "army");
    CItemListWnd hiding(Root(), CStr("/T/NoCell"), true);
    EXPECT_EQ(hiding.options, ItemListShowCount | ItemListShowHealth | ItemListHideEmpty);
    // A missing node leaves the list as it was.
    CItemListWnd missing(Root(), CStr("/T/Nowhere"), true);
    EXPECT_FALSE(missing.LoadLayout(true));
    EXPECT_FALSE(missing.WindowRect().IsDefined());
}

TEST_F(ItemListTest, WhichSquadsAreShown)
{
    struct Case {
        int32_t count, hp;
        bool hideEmpty, showAll, shown;
    };
    const Case cases[] = {
        {5, 3, false, false, true}, {0, 0, false, false, false}, {0, 4, false, false, true},
        {0, 4, true, false, false}, {0, 0, true, true, true},    {-1, 2, false, false, true},
        {1, 0, true, false, true},
    };
    for (const Case& c : cases) {
        CItemListWnd list(Root(), CStr("/T/Start"), true);
        if (c.hideEmpty)
            list.options |= ItemListHideEmpty;
        CArmy army;
        AddSquad(army, 0, 7, 7);
        AddSquad(army, 1, c.count, c.hp);
        list.Fill(army, SquadFaceLeft, true, c.showAll, false);
        EXPECT_EQ(list.ItemCount(), c.shown ? 2 : 1) << c.count << " " << c.hp << " " << c.hideEmpty;
        EXPECT_EQ(list.Squad(0), army.Item(0));
    }
}

TEST_F(ItemListTest, AnArmyWithoutUnitsShowsTheEmptyText)
{
    CItemListWnd list(Root(), CStr("/T/Start"), true);
    CArmy army;
    AddSquad(army, 0, 0, 0);
    AddSquad(army, 1, 0, 0);
    list.Fill(army, SquadFaceLeft, true, false, false);
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.RowCount(), 0);
    ASSERT_GE(list.EmptyTextWnd()->PageCount(), 1);
    // The text is drawn in place of the icons; an icon list draws no text.
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(240, 100));
    FillRect(dc, PackedRect(0, 0, 239, 99), 0);
    list.DrawItems(dc, 0, 0);
    int textPixels = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 240; ++x)
            textPixels += *dc.Surface().At(x, y) != 0;
    EXPECT_GT(textPixels, 0);
}

TEST_F(ItemListTest, SortKeepsTheExchangeOrderOfEqualStrengths)
{
    // Force coefficients A 2, B 1, C 2: the exchange walk puts the equal
    // A and C squads in an order of its own.
    m_types[0].forceCoefficient = 2;
    m_types[1].forceCoefficient = 1;
    m_types[2].forceCoefficient = 2;
    struct Case {
        std::vector<int> army;
        const char* sorted;
    };
    const Case cases[] = {
        {{0, 1, 2}, "BAC"},
        {{2, 1, 0}, "BCA"},
        {{0, 2, 1}, "BCA"},  // a stable sort would give BAC
        {{1, 0, 2}, "BAC"},
    };
    for (const Case& c : cases) {
        CItemListWnd list(Root(), CStr("/T/Start"), true);
        CArmy army;
        for (int t : c.army)
            AddSquad(army, t, 3, 1);
        list.Fill(army, SquadFaceLeft, false, false, true);
        EXPECT_EQ(Order(list), c.sorted);
        list.Fill(army, SquadFaceLeft, false, false, false);
        EXPECT_EQ(list.ItemCount(), 3);
    }
}

TEST_F(ItemListTest, FiveIconsWrapAndTheCentredLastOneIsFound)
{
    CItemListWnd list(Root(), CStr("/T/Centred"), true);
    list.BindHandler(HandlerPenDown, static_cast<ItemListTest*>(this), &ItemListTest::OnDown);
    CArmy army;
    for (int i = 0; i < 5; ++i)
        AddSquad(army, i % 3, 10, 5);
    list.Fill(army, SquadFaceLeft, true, false, false);
    ASSERT_EQ(list.ItemCount(), 5);
    ASSERT_EQ(list.RowCount(), 2);
    // Four cells of 50 fill 200 of the 210 pixels; the box is centred.
    EXPECT_EQ(list.RowOffset(0), 0);
    EXPECT_EQ(list.RowOffset(1), 75);
    EXPECT_EQ(list.ContentBox().OwnWidth(), 200);
    const int rowHeight = list.Icon(0)->OuterHeight();
    EXPECT_EQ(rowHeight, list.Icon(0)->OwnHeight() + 1);
    EXPECT_EQ(list.ContentBox().OwnHeight(), 2 * rowHeight);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list.Icon(i)->OuterWidth(), 50);
    EXPECT_EQ(list.ContentBox().Position().X(), 5);
    const int top = list.ContentBox().Position().Y();

    struct Probe {
        int x, y;
        int index;
        int cx, cy;  // the centre given back on a hit
    };
    const Probe probes[] = {
        {5, top, 0, 30, top + rowHeight / 2},
        {5 + 75 + 25, top + rowHeight + 3, 4, 105, top + rowHeight + rowHeight / 2},
        {5 + 150 + 50, top + 1, 3, 180, top + rowHeight / 2},  // right edge included
        {5 + 70, top + rowHeight + 2, -1, 0, 0},               // beside the last row's cell
        {100, top + 2 * rowHeight + 2, -1, 0, 0},              // below the rows
        {4, top + 1, -1, 0, 0},
    };
    for (const Probe& p : probes) {
        PackedPoint point(p.x, p.y);
        EXPECT_EQ(list.ItemAt(point), p.index) << p.x << "," << p.y;
        if (p.index >= 0) {
            EXPECT_EQ(point, PackedPoint(p.cx, p.cy));
        } else {
            EXPECT_EQ(point, PackedPoint(p.x, p.y));
        }
    }

    // A tap on the last icon names its type in the hint and hands its centre on.
    Tap(10 + 105, 20 + top + rowHeight + 1);
    EXPECT_STREQ(list.Link().Hint()->Text().Chars(), "TypeB");
    EXPECT_EQ(m_lastDown, PackedPoint(105, top + rowHeight + rowHeight / 2));
    // A tap below the rows brings the layout's hint back.
    Tap(10 + 100, 20 + top + 2 * rowHeight + 5);
    EXPECT_STREQ(list.Link().Hint()->Text().Chars(), "army");
    // A double tap clears the hint.
    list.OnDoubleClick(PackedPoint(1, 1));
    EXPECT_STREQ(list.Link().Hint()->Text().Chars(), "");
}

TEST_F(ItemListTest, IconsAreDrawnInTheirCells)
{
    CItemListWnd list(Root(), CStr("/T/Centred"), true);
    CArmy army;
    for (int i = 0; i < 5; ++i)
        AddSquad(army, i % 3, 10, 5);
    list.Fill(army, SquadFaceLeft, false, false, false);
    const int rowHeight = list.Icon(0)->OuterHeight();
    const int top = list.ContentBox().Position().Y();
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(240, 120));
    FillRect(dc, PackedRect(0, 0, 239, 119), 0);
    list.DrawItems(dc, 0, 0);
    // Each icon is centred in its cell: its picture starts at the cell's
    // left plus half the spare width.
    const int spare = (50 - list.Icon(0)->OwnWidth()) / 2;
    const int pictureTop = top + (rowHeight - list.Icon(0)->OwnHeight()) / 2;
    struct Cell {
        int left, row;
        uint8_t colour;
    };
    const Cell cells[] = {{5, 0, 40}, {55, 0, 41}, {105, 0, 42}, {155, 0, 40}, {80, 1, 41}};
    for (const Cell& c : cells) {
        const int x = c.left + spare, y = pictureTop + c.row * rowHeight;
        EXPECT_EQ(*dc.Surface().At(x, y), c.colour) << c.left;
        EXPECT_EQ(*dc.Surface().At(x + map_test::kPictureWidth - 1, y + map_test::kPictureHeight - 1),
                  c.colour);
        EXPECT_NE(*dc.Surface().At(x - 1, y), c.colour);
    }
    // The right-facing pictures when asked for.
    list.Fill(army, SquadFaceRight, false, false, false);
    FillRect(dc, PackedRect(0, 0, 239, 119), 0);
    list.DrawItems(dc, 0, 0);
    EXPECT_EQ(*dc.Surface().At(5 + spare, pictureTop), 50);
    // A type without a right-facing picture shows its left-facing one.
    EXPECT_EQ(*dc.Surface().At(105 + spare, pictureTop), 42);
}

TEST_F(ItemListTest, NumberFontFollowsTheCellWidth)
{
    // Icons are 20 + gap + the widest number; with a cell of 50 a count of
    // 10 fits four fifths in font 0, a count of 1000000 does not.
    struct Case {
        const char* node;
        int32_t counts[3];
        int fonts[3];
    };
    const Case cases[] = {
        {"/T/Start", {10, 10, 10}, {0, 0, 0}},
        // The third icon is too wide for font 0: it and those before take font 1.
        {"/T/Start", {10, 10, 1000000}, {1, 1, 1}},
        // Without a cell width every icon takes font 2 in the row walk.
        {"/T/NoCell", {10, 10, 10}, {2, 2, 2}},
    };
    for (const Case& c : cases) {
        CItemListWnd list(Root(), CStr(c.node), true);
        CArmy army;
        for (int i = 0; i < 3; ++i)
            AddSquad(army, i, c.counts[i], 1);
        list.Fill(army, SquadFaceLeft, false, false, false);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(list.Icon(i)->First().Font(), c.fonts[i]) << c.node << " " << i;
            if (list.CellWidth() == 0) {
                EXPECT_EQ(list.Icon(i)->OuterWidth(), list.Icon(i)->OwnWidth() + CResWnd::ItemGap());
            }
        }
    }
}

TEST_F(ItemListTest, ACountKeepsAGapBeforeTheNextIcon)
{
    // Icons start their cells: what a cell holds beyond its icon parts the
    // count from the next picture.
    const struct {
        const char* node;
        int16_t height;  // of the list; a low list packs its cells closer
    } cases[] = {{"/T/NoCell", 100}, {"/T/Start", 100}, {"/T/Start", 30}};
    for (const auto& c : cases) {
        CItemListWnd list(Root(), CStr(c.node), true);
        list.SetRect(PackedRect(0, 0, 239, int16_t(c.height - 1)), false);
        CArmy army;
        for (int i = 0; i < 8; ++i)
            AddSquad(army, i % 3, 1000, 1);
        list.Fill(army, SquadFaceLeft, false, false, false);
        for (int i = 0; i < list.ItemCount(); ++i)
            EXPECT_GE(list.Icon(i)->OuterWidth() - list.Icon(i)->OwnWidth(), CResWnd::ItemGap())
                << c.node << " " << c.height << " icon " << i;
    }
}

TEST_F(ItemListTest, AWideIconStartsItsOwnRow)
{
    CItemListWnd list(Root(), CStr("/T/Start"), true);
    list.SetRect(PackedRect(0, 0, 30, 99), false);
    CArmy army;
    AddSquad(army, 0, 10, 1);
    AddSquad(army, 1, 10, 1);
    list.Fill(army, SquadFaceLeft, false, false, false);
    // Each icon is wider than the list: two rows, none of them empty.
    ASSERT_EQ(list.RowCount(), 2);
    PackedPoint p(1, list.ContentBox().Position().Y() + 1);
    EXPECT_EQ(list.ItemAt(p), 0);
    PackedPoint q(1, list.ContentBox().Position().Y() + list.Icon(0)->OuterHeight() + 1);
    EXPECT_EQ(list.ItemAt(q), 1);
}

TEST_F(ItemListTest, ATapOnAnEmptyListReachesOnlyTheClickHandlerOnce)
{
    CItemListWnd list(Root(), CStr("/T/Centred"), true);
    list.BindHandler(HandlerClick, static_cast<ItemListTest*>(this), &ItemListTest::OnClick);
    list.BindHandler(HandlerPenDown, static_cast<ItemListTest*>(this), &ItemListTest::OnDown);
    Tap(50, 50);
    EXPECT_EQ(m_clicks, 1);
    EXPECT_FALSE(m_lastDown.IsDefined());
    // With icons a tap is an ordinary pen down and up: one click, on pen up.
    CArmy army;
    AddSquad(army, 0, 3, 3);
    list.Fill(army, SquadFaceLeft, false, false, false);
    Tap(50, 50);
    EXPECT_EQ(m_clicks, 2);
    EXPECT_TRUE(m_lastDown.IsDefined());
}

TEST_F(ItemListTest, SetSquadClearAndDisplayFlags)
{
    CItemListWnd list(Root(), CStr("/T/Start"), true);
    CArmy army;
    AddSquad(army, 2, 0, 0);
    list.SetSquad(army.Item(0), SquadFaceLeft, false);
    ASSERT_EQ(list.ItemCount(), 1);
    EXPECT_STREQ(list.Icon(0)->First().Text().Chars(), "0");
    list.SetDisplayFlags(false, true, false);
    EXPECT_EQ(list.options & (ItemListShowCount | ItemListShowHealth), ItemListShowHealth);
    EXPECT_EQ(list.Icon(0)->flags & (SquadIconShowFirst | SquadIconShowSecond), SquadIconShowSecond);
    // New icons take the flags too.
    AddSquad(army, 1, 4, 4);
    list.Fill(army, SquadFaceLeft, false, true, false);
    EXPECT_EQ(list.Icon(1)->flags & SquadIconShowFirst, 0);
    list.Clear(true);
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.RowCount(), 0);
    list.SetEmptyText(CStr("nothing"));
    EXPECT_STREQ(list.EmptyTextWnd()->Text().Chars(), "nothing");
}

}  // namespace

#include "core/core_main.h"
#include "core/device_mgr.h"

namespace {

// Hides the first window on the screen that is not the list, once it is up;
// quits after a few frames should none come.
class HideOtherHook : public FrameHook {
public:
    explicit HideOtherHook(CWindow* list) : m_list(list) {}
    void OnFrame() override
    {
        CWindowMgr::ProcessEvents();
        ++frames;
        for (CWindow* w = CWindowMgr::Root()->GetFirstChild(); w; w = w->GetNextSibling()) {
            if (w != m_list && w->IsVisible()) {
                shown = true;
                w->Show(false, false);
                return;
            }
        }
        if (frames > 5)
            RequestQuit();
    }
    int frames = 0;
    bool shown = false;

private:
    CWindow* m_list;
};

TEST_F(ItemListTest, WhenAskedATapOpensTheDescriptionUntilItHides)
{
    CItemListWnd list(Root(), CStr("/T/Centred"), true);
    list.options |= ItemListOpenDescr;
    CArmy army;
    AddSquad(army, 1, 4, 4);
    list.Fill(army, SquadFaceLeft, false, false, false);
    auto* hook = new HideOtherHook(&list);
    SetFrameHook(hook);
    const PackedPoint centre(10 + 105, 20 + list.ContentBox().Position().Y() + 2);
    PenDownSignal.FirePoint(centre);
    CWindowMgr::ProcessEvents();
    EXPECT_TRUE(hook->shown);
    EXPECT_EQ(QuitFlag, 0);
    // The hint is emptied, not set to the type's name, and the window is gone.
    EXPECT_STREQ(list.Link().Hint()->Text().Chars(), "");
    int others = 0;
    for (CWindow* w = Root()->GetFirstChild(); w; w = w->GetNextSibling())
        others += w != &list;
    EXPECT_EQ(others, 0);
    SetFrameHook(new ui_test::ProcessEventsHook);
}

}  // namespace

// The in-game menu: built from its node (settings, text items, pictures),
// stacked one row apart with an empty row above and below, and run modally
// to the answer 0x8000 + the tapped item's id.
#include "mapdialogs/game_menu.h"
#include "tests/mapdialogs/dialog_rig.h"
#include "ui/label.h"

namespace dialog_test {
namespace {

class GameMenuTest : public DialogRig {};

TEST_F(GameMenuTest, ItemsAndStyleComeFromTheNodeOrTheDefaults)
{
    CGameMenu menu(nullptr, CStr("/Map/MapWnd/TestMenu"));
    ASSERT_EQ(menu.ItemCount(), 4);
    const struct {
        uint8_t kind;
        uint16_t id;
        const char* text;
    } items[] = {{GameMenuText, 2, "Reports"},
                 {GameMenuPicture, 0, ""},
                 {GameMenuText, 6, "Info"},
                 {GameMenuText, 8, "End"}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(menu.Item(i).kind, items[i].kind);
        ASSERT_NE(menu.Item(i).control, nullptr);
        EXPECT_TRUE(menu.Item(i).control->IsVisible());
        if (items[i].kind == GameMenuText) {
            EXPECT_EQ(menu.Item(i).id, items[i].id);
            EXPECT_EQ(TextOf(menu.Item(i).control), items[i].text);
            auto* item = static_cast<CMenuItem*>(menu.Item(i).control);
            EXPECT_EQ(item->normalColour, 15);
            EXPECT_EQ(item->pressedColour, 14);
            EXPECT_EQ(item->disabledColour, 7);
            EXPECT_EQ(item->upShadowSize, 2);
            EXPECT_EQ(item->Caption().shadowColour, 7);
            EXPECT_EQ(item->Caption().ShadowPosition(), 10u);
        }
    }
    EXPECT_EQ(menu.Style().rowHeight, 20);

    CGameMenu plain(nullptr, CStr("/Map/MapWnd/PlainMenu"));
    EXPECT_EQ(plain.ItemCount(), 2);
    EXPECT_EQ(plain.Style().normalColour, 15);
    EXPECT_EQ(plain.Style().pressedColour, 15);
    EXPECT_EQ(plain.Style().disabledColour, 7);
    EXPECT_EQ(plain.Style().shadowColour, 7);
    EXPECT_EQ(plain.Style().shadowSize, 3);
    EXPECT_EQ(plain.Style().shadowPosition, 10u);
    // The default font of the rig is 8 high.
    EXPECT_EQ(plain.Style().rowHeight, 8);
    EXPECT_EQ(plain.ClientRect().Height(), 8 * 4);
}

TEST_F(GameMenuTest, VisibleItemsStackOneRowApartAndAHiddenOneLeavesNoGap)
{
    CGameMenu menu(nullptr, CStr("/Map/MapWnd/TestMenu"));
    // Empty row, four items, empty row.
    EXPECT_EQ(menu.ClientRect().Height(), 120);
    EXPECT_EQ(menu.FindItem(6)->WindowRect().Top(), menu.ClientRect().Top() + 60);
    menu.ShowItem(2, false);
    EXPECT_EQ(menu.ClientRect().Height(), 100);
    EXPECT_FALSE(menu.FindItem(2)->IsVisible());
    EXPECT_EQ(menu.FindItem(6)->WindowRect().Top(), menu.ClientRect().Top() + 40);
    EXPECT_EQ(menu.FindItem(8)->WindowRect().Top(), menu.ClientRect().Top() + 60);
    // Every item spans the menu's width.
    EXPECT_EQ(menu.FindItem(8)->Width(), menu.ClientRect().Width());
    menu.ShowItem(2, true);
    EXPECT_EQ(menu.ClientRect().Height(), 120);
    // Ids the layout does not hold change nothing.
    menu.ShowItem(99, false);
    menu.EnableItem(99, false);
    EXPECT_EQ(menu.ClientRect().Height(), 120);
}

TEST_F(GameMenuTest, ATapAnswersWithTheItemOrClosesOutsideOnly)
{
    enum Where {
        Item6,
        Item8,
        Outside,
        Picture,
        DisabledItem2
    };
    const struct {
        Where where;
        uint16_t result;
    } cases[] = {
        {Item6, 0x8006},
        {Item8, 0x8008},
        {Outside, 0x8000},
        // Inside the menu but on no live item: it stays open (the run then
        // ends by quitting).
        {Picture, 255},
        {DisabledItem2, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.where));
        CGameMenu menu(nullptr, CStr("/Map/MapWnd/TestMenu"));
        menu.EnableItem(2, c.where != DisabledItem2);
        EXPECT_EQ(menu.FindItem(2)->IsEnabled(), c.where != DisabledItem2);
        CGameMenu* m = &menu;
        Script({Idle(),
                [this, m, &c] {
                    switch (c.where) {
                    case Item6:
                        TapOn(m->FindItem(6));
                        break;
                    case Item8:
                        TapOn(m->FindItem(8));
                        break;
                    case Outside:
                        Tap(5, 5);
                        break;
                    case Picture:
                        TapOn(m->Item(1).control);
                        break;
                    case DisabledItem2:
                        TapOn(m->FindItem(2));
                        break;
                    }
                },
                Idle()});
        EXPECT_EQ(RunModal(&menu), c.result);
        if (c.result != 255) {
            EXPECT_FALSE(menu.IsVisible());
            // Hidden, the menu no longer holds the pen.
            for (int i = 0; i < CWindowMgr::CaptureCount(); ++i)
                EXPECT_NE(CWindowMgr::CaptureAt(i), m);
        }
        QuitFlag = 0;
    }
}

TEST_F(GameMenuTest, WhileShownTheMenuHoldsThePen)
{
    CGameMenu menu(nullptr, CStr("/Map/MapWnd/TestMenu"));
    bool held = false;
    CGameMenu* m = &menu;
    Script({Idle(),
            [&held, m] {
                held = CWindowMgr::CaptureCount() > 0 &&
                       CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1) == m;
            },
            [this, m] { TapOn(m->FindItem(2)); }});
    EXPECT_EQ(RunModal(&menu), 0x8002);
    EXPECT_TRUE(held);
}

TEST_F(GameMenuTest, ShotOfTheMenu)
{
    CGameMenu menu(nullptr, CStr("/Map/MapWnd/TestMenu"));
    menu.EnableItem(2, false);
    menu.Show(true, true);
    ASSERT_TRUE(Shot("mapdialogs_game_menu.png"));
}

}  // namespace
}  // namespace dialog_test

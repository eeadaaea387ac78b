// The castle control: the status picture and condition of a castle, a
// picture per work that stands there, and a hint for each part.
#include "mapdialogs/castle_wnd.h"
#include "tests/mapdialogs/dialog_rig.h"
#include "ui/markup_wnd.h"

namespace dialog_test {
namespace {

class CastleWndTest : public DialogRig {
protected:
    static CastleState Castle(uint8_t percent, uint8_t capital, uint8_t moat, uint8_t catapults,
                              uint8_t walls, uint8_t buildings)
    {
        CastleState c;
        c.percent = percent;
        c.capital = capital;
        c.moat = moat;
        c.catapults = catapults;
        c.fortWalls = walls;
        c.buildings = buildings;
        return c;
    }
};

TEST_F(CastleWndTest, TheStatusPictureAndTextFollowTheCastle)
{
    const struct {
        uint8_t capital, moat, percent;
        int pictureWidth;  // each status picture has its own width
        const char* text;
    } cases[] = {
        {0, 0, 40, 20, " 40%"},
        {1, 0, 0, 22, " 0%"},
        {0, 1, 75, 24, " 75%"},
        {1, 1, 100, 26, " 100%"},
    };
    CCastleWnd wnd(nullptr, CStr("/Map/MapWnd/CastleCtrl"), true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CastleState castle = Castle(c.percent, c.capital, c.moat, 0, 0, 0);
        wnd.UpdateStatus(&castle);
        EXPECT_EQ(wnd.Castle(), &castle);
        EXPECT_EQ(wnd.StatusPicture().Image().Width(), c.pictureWidth);
        EXPECT_STREQ(wnd.StatusText().Text().Chars(), c.text);
    }
    wnd.RefreshStatus();
    EXPECT_EQ(wnd.Castle(), nullptr);
    EXPECT_STREQ(wnd.NoCastleText()->Text().Chars(), "NoCastleHere");
}

TEST_F(CastleWndTest, TheRowTakesRoomOnlyForThePartsThatStand)
{
    // Blank 6 (half 3); " 50%" is 24 wide; status picture 20.
    const int head = 20 + 3 + 24 + 6;
    const struct {
        uint8_t catapults, walls, buildings;
        int width;
    } cases[] = {
        {0, 0, 0x00, head},
        {1, 0, 0x00, head + 12},
        {3, 0, 0x00, head + 14},  // only the picture of three catapults
        {4, 1, 0x00, head + 15 + 16},
        {0, 0, 0x0C, head},  // tavern and guild show nothing
        {0, 1, 0x33, head + 16 + 10 + 17 + 18 + 19},
    };
    CCastleWnd wnd(nullptr, CStr("/Map/MapWnd/CastleCtrl"), true);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.catapults) << " " << int(c.walls) << " " << int(c.buildings));
        const CastleState castle = Castle(50, 0, 0, c.catapults, c.walls, c.buildings);
        wnd.UpdateStatus(&castle);
        EXPECT_EQ(wnd.Content().OwnWidth(), c.width);
    }
}

TEST_F(CastleWndTest, ATapExplainsThePartUnderThePen)
{
    CCastleWnd wnd(nullptr, CStr("/Map/MapWnd/CastleCtrl"), true);
    // Status 0-23, text 23-53, three catapults 53-67, walls 67-83, market
    // 83-93, bank 93-110; the row is 19 high. Tavern (0x04) takes no room.
    const CastleState castle = Castle(50, 0, 0, 3, 1, 0x07);
    wnd.UpdateStatus(&castle);
    const struct {
        int x, y;
        const char* key;
        int cx, cy;  // where the balloon points
    } cases[] = {
        {10, 5, "HintCaslType", 11, 9},
        {30, 5, "HintCaslStatus", 38, 9},
        {60, 5, "DescCatapult", 60, 9},
        {75, 5, "DescWalls", 75, 9},
        {88, 5, "DescMarket", 88, 9},
        {100, 5, "DescBank", 101, 9},
        // Borders and empty room hit nothing: the balloon points at the status.
        {23, 5, "HintCaslType", 10, 9},
        {53, 5, "HintCaslType", 10, 9},
        {60, 19, "HintCaslType", 10, 9},
        {150, 5, "HintCaslType", 10, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        PackedPoint p(c.x, c.y);
        EXPECT_STREQ(wnd.ShowPartHint(p), c.key);
        EXPECT_EQ(p.X(), c.cx);
        EXPECT_EQ(p.Y(), c.cy);
    }
    // The part's locale text becomes the control's hint.
    PackedPoint market(88, 5);
    wnd.ShowPartHint(market);
    EXPECT_STREQ(wnd.Link().Hint()->Text().Chars(), "The market trades");
    // Without a castle the whole control says so, pointing at its centre.
    wnd.RefreshStatus();
    PackedPoint anywhere(30, 5);
    EXPECT_STREQ(wnd.ShowPartHint(anywhere), "HintCaslNone");
    EXPECT_EQ(anywhere.X(), wnd.Width() / 2);
    EXPECT_STREQ(wnd.Link().Hint()->Text().Chars(), "No castle here");
}

TEST_F(CastleWndTest, WithTheRowBreakTheBuildingsGoOnASecondRow)
{
    CCastleWnd wnd(nullptr, CStr("/Map/MapWnd/CastleRows"), true);
    ASSERT_EQ(wnd.RowBreak(), 1);
    const CastleState castle = Castle(100, 1, 1, 0, 1, 0x03);
    wnd.UpdateStatus(&castle);
    // Second row from y 19 to 38: market 0-10, bank 10-27.
    const struct {
        int x, y;
        const char* key;
    } cases[] = {
        {5, 25, "DescMarket"}, {15, 25, "DescBank"}, {15, 5, "HintCaslType"}, {40, 25, "HintCaslType"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        PackedPoint p(c.x, c.y);
        EXPECT_STREQ(wnd.ShowPartHint(p), c.key);
    }
    // The first row (26 + 3 + 30 + 6 + 16) is wider than the second (27).
    EXPECT_EQ(wnd.Content().OwnWidth(), 81);
}

TEST_F(CastleWndTest, StopRequestedShowsTheNoCastleHint)
{
    CCastleWnd wnd(nullptr, CStr("/Map/MapWnd/CastleCtrl"), true);
    const CastleState castle = Castle(100, 0, 0, 0, 0, 0);
    wnd.UpdateStatus(&castle);
    QuitFlag = 1;
    PackedPoint p(5, 5);
    EXPECT_STREQ(wnd.ShowPartHint(p), "HintCaslNone");
    QuitFlag = 0;
}

TEST_F(CastleWndTest, ShotOfACastleAndOfNone)
{
    CCastleWnd full(nullptr, CStr("/Map/MapWnd/CastleCtrl"), true);
    CCastleWnd rows(nullptr, CStr("/Map/MapWnd/CastleRows"), true);
    const CastleState castle = Castle(85, 1, 1, 2, 1, 0x33);
    full.UpdateStatus(&castle);
    rows.UpdateStatus(&castle);
    ASSERT_TRUE(Shot("mapdialogs_castle_ctrl.png"));
}

}  // namespace
}  // namespace dialog_test

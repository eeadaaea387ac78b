#include "mapscreen/map_frame.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "tests/mapscreen/map_rig.h"

namespace {

using map_test::Img;
using map_test::MapRig;
using map_test::Node;

constexpr uint8_t kBackground = 77;

class MapFrameTest : public MapRig {
protected:
    std::vector<Node> Tree() override
    {
        std::vector<Node> tree = MapRig::Tree();
        const std::vector<Node> more = {
            // visible, anchor, x, y, w, h, skin
            {1, "Frame", {1, 0, 0, 0, 40, 60, "mf"}},
            // visible, anchor, x, y, w, h, skin, orientation, buttons, ticks, min, max, step, page
            {2, "ScrollBar", {1, 0, 0, 0, 10, 10, "", 0, 1, 0, 0, 100, 1, 10}},
            {3, "Btn_DR", {1, 0, 0, 0, 10, 10, ""}},
            {1, "Big", {1, 0, 100, 20, 100, 200, "mf"}},
            {2, "ScrollBar", {1, 0, 0, 0, 10, 10, "", 0, 1, 0, 0, 100, 1, 10}},
            {3, "Btn_DR", {1, 0, 0, 0, 10, 10, ""}},
        };
        tree.insert(tree.end(), more.begin(), more.end());
        return tree;
    }
    void AddData(PackWriter& pack) override
    {
        MapRig::AddData(pack);
        for (const char* part :
             {"frame_ul", "frame_u", "frame_ur", "frame_l", "frame_r", "frame_dl", "frame_d", "frame_dr"})
            ASSERT_TRUE(pack.AddFile(std::string("Skin/mf/") + part, "img", Img(SolidPicture(2, 2, 78))));
        ASSERT_TRUE(pack.AddFile("Skin/mf/frame_bg", "img", Img(SolidPicture(4, 4, kBackground))));
    }
    std::unique_ptr<CMapFrame> Make(const char* path)
    {
        auto frame = std::make_unique<CMapFrame>(Root(), CStr(path));
        frame->LoadMapBlocks(CStr("/Scenarios/t/M1"));
        frame->onProvincePenDown = [this](uint16_t p) { m_events.push_back("down " + std::to_string(p)); };
        frame->onProvincePenUp = [this](uint16_t p) { m_events.push_back("up " + std::to_string(p)); };
        frame->onProvinceHover = [this](uint16_t p) { m_events.push_back("hover " + std::to_string(p)); };
        frame->onProvinceDoubleClick = [this](uint16_t p) {
            m_events.push_back("double " + std::to_string(p));
        };
        CWindowMgr::ProcessEvents();
        return frame;
    }
    static uint8_t ScreenPixel(int x, int y)
    {
        return *GetDisplaySurface()->ScreenContext()->Surface().At(x, y);
    }
    std::vector<std::string> m_events;
};

TEST_F(MapFrameTest, ATallMapGetsAVerticalBarOnly)
{
    auto frame = Make("/T/Frame");
    // 16 x 136 in a client of 40 x 60: the bar takes 10 of the width and
    // what is left centres the map.
    EXPECT_EQ(frame->MapArea(), PackedRect(7, 0, 22, 59));
    EXPECT_TRUE(frame->VertBar()->Window()->IsVisible());
    EXPECT_FALSE(frame->HorzBar()->Window()->IsVisible());
    EXPECT_FALSE(frame->CornerButton()->IsVisible());
    EXPECT_EQ(frame->VertBar()->Max(), 76);
    EXPECT_EQ(frame->VertBar()->Page(), 60);
    const PackedRect bar = frame->VertBar()->Window()->WindowRect();
    EXPECT_EQ(bar.Left(), 30);
    EXPECT_EQ(bar.Top(), 0);
    EXPECT_EQ(bar.Bottom(), 59);
    EXPECT_EQ(frame->Origin(), PackedPoint(0, 0));
}

TEST_F(MapFrameTest, ASmallMapIsCentredWithoutBars)
{
    auto frame = Make("/T/Big");
    EXPECT_EQ(frame->MapArea(), PackedRect(42, 32, 57, 167));
    EXPECT_FALSE(frame->VertBar()->Window()->IsVisible());
    EXPECT_FALSE(frame->HorzBar()->Window()->IsVisible());
    frame->SetOrigin(PackedPoint(-5, -5), true);
    EXPECT_EQ(frame->Origin(), PackedPoint(0, 0));
    // The border and the tiled background around the map.
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(ScreenPixel(100 + 5, 20 + 5), kBackground);
    EXPECT_EQ(ScreenPixel(100 + 41, 20 + 40), 78);
    EXPECT_EQ(ScreenPixel(100 + 43, 20 + 33), MapRampColour(2, 4));
}

TEST_F(MapFrameTest, KeysScrollByThirtyAndStopAtTheEdges)
{
    auto frame = Make("/T/Frame");
    struct Step {
        uint32_t key;
        int y;
    };
    const Step steps[] = {{MapKeyDown, -30}, {MapKeyDown, -60},  {MapKeyDown, -76}, {MapKeyUp, -46},
                          {MapKeyLeft, -46}, {MapKeyRight, -46}, {MapKeyUp, -16},   {MapKeyUp, 0}};
    for (const Step& s : steps) {
        KeySignal.FireKey(s.key);
        EXPECT_EQ(frame->Origin(), PackedPoint(0, s.y)) << s.key;
        EXPECT_EQ(frame->VertBar()->Pos(), -s.y);
    }
    // The action key centres the selected province's army point (3, 103).
    Game().selectedProvince = 1;
    KeySignal.FireKey(MapKeyAction);
    EXPECT_EQ(frame->Origin(), PackedPoint(0, 30 - 103));
    frame->OnCornerButton(nullptr, 0);
    EXPECT_EQ(frame->Origin(), PackedPoint(0, -76));
    // Moving the bar moves the map.
    frame->VertBar()->SetPos(20, false, true);
    EXPECT_EQ(frame->Origin(), PackedPoint(0, -20));
}

TEST_F(MapFrameTest, DraggingStartsAtTwentySixPixels)
{
    auto frame = Make("/T/Frame");
    frame->SetOrigin(PackedPoint(0, -40), false);
    PenDownSignal.FirePoint(PackedPoint(10, 20));
    PenMoveSignal.FirePoint(PackedPoint(10, 45));  // 25: not yet
    CWindowMgr::ProcessEvents();
    EXPECT_FALSE(frame->IsDragging());
    EXPECT_EQ(frame->Origin(), PackedPoint(0, -40));
    PenMoveSignal.FirePoint(PackedPoint(10, 46));  // 26: the map follows the pen
    CWindowMgr::ProcessEvents();
    EXPECT_TRUE(frame->IsDragging());
    EXPECT_EQ(frame->Origin(), PackedPoint(0, -14));
    PenMoveSignal.FirePoint(PackedPoint(10, 40));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(frame->Origin(), PackedPoint(0, -20));
    PenUpSignal.FirePoint(PackedPoint(10, 40));
    CWindowMgr::ProcessEvents();
    EXPECT_FALSE(frame->IsDragging());
    // Province events came with the pen (the pen went up on map row 60),
    // and no hover while dragging.
    EXPECT_EQ(m_events, (std::vector<std::string>{"down 0", "up 0"}));
}

TEST_F(MapFrameTest, HoverEventsWhenDragScrollingIsOff)
{
    auto frame = Make("/T/Frame");
    frame->dragScrollEnabled = 0;
    PenDownSignal.FirePoint(PackedPoint(10, 10));
    for (int y : {20, 30, 59, 59})
        PenMoveSignal.FirePoint(PackedPoint(10, y));
    PenMoveSignal.FirePoint(PackedPoint(2, 30));  // outside the map area
    CWindowMgr::ProcessEvents();
    KeySignal.FireKey(MapKeyDown);  // rows 30..89 of the map now show
    PenMoveSignal.FirePoint(PackedPoint(10, 50));
    PenUpSignal.FirePoint(PackedPoint(10, 50));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(frame->Origin(), PackedPoint(0, -30));
    EXPECT_EQ(m_events, (std::vector<std::string>{"down 0", "hover 0", "hover 1", "up 1"}));
}

TEST_F(MapFrameTest, ScrollBlitsMatchAFreshPicture)
{
    auto frame = Make("/T/Frame");
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(ScreenPixel(9, 10), MapRampColour(2, 4));
    // Two steps before one paint, then one more.
    KeySignal.FireKey(MapKeyDown);
    KeySignal.FireKey(MapKeyDown);
    CWindowMgr::ProcessEvents();
    KeySignal.FireKey(MapKeyUp);
    CWindowMgr::ProcessEvents();
    std::vector<uint8_t> blitted;
    for (int y = 0; y < 60; ++y)
        for (int x = 7; x <= 22; ++x)
            blitted.push_back(ScreenPixel(x, y));
    frame->Window()->Invalidate();
    CWindowMgr::ProcessEvents();
    std::vector<uint8_t> fresh;
    for (int y = 0; y < 60; ++y)
        for (int x = 7; x <= 22; ++x)
            fresh.push_back(ScreenPixel(x, y));
    EXPECT_EQ(blitted, fresh);
    // Map row 30 + 33 = 63 is province 0's dark edge.
    EXPECT_EQ(ScreenPixel(9, 33), MapRampColour(2, 3));
}

TEST_F(MapFrameTest, HalfScaleOnlyWhenTheMapDoesNotFitAndNoWayBackOnASmallDisplay)
{
    auto big = Make("/T/Big");
    big->SetHalfScale(true, true);
    EXPECT_FALSE(big->View().IsHalfScale());  // the whole map fits already
    big.reset();
    auto frame = Make("/T/Frame");
    frame->SetHalfScale(true, true);
    EXPECT_TRUE(frame->View().IsHalfScale());
    EXPECT_EQ(frame->View().MapSize(), PackedPoint(8, 68));
    EXPECT_EQ(frame->VertBar()->Max(), 8);
    frame->SetHalfScale(false, true);  // the display is 240 wide
    EXPECT_TRUE(frame->View().IsHalfScale());
}

TEST_F(MapFrameTest, TheViewAsksForRepaintsInFrameCoordinates)
{
    auto frame = Make("/T/Frame");
    frame->SetOrigin(PackedPoint(0, -30), false);
    CWindowMgr::ProcessEvents();
    Drain();
    frame->View().OnProvinceChanged(1);  // rows 64..127: 34..97 on the frame, cut at 59
    const std::vector<PackedRect> paints = QueuedPaints(frame->Window());
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_EQ(paints[0], PackedRect(7, 34, 14, 59));
}

class MapFrameWithoutPalette : public MapFrameTest {
protected:
    MapFrameWithoutPalette() { m_withPalette = false; }
};

TEST_F(MapFrameWithoutPalette, SaysSoAndNeitherScrollsByKeysNorRepaintsTheView)
{
    auto frame = Make("/T/Frame");
    ASSERT_FALSE(m_headless->MessageBoxes().empty());
    EXPECT_NE(m_headless->MessageBoxes().back().find("Cannot load map palette"), std::string::npos);
    EXPECT_FALSE(frame->PaletteLoaded());
    KeySignal.FireKey(MapKeyDown);
    EXPECT_EQ(frame->Origin(), PackedPoint(0, 0));
    Drain();
    frame->View().OnProvinceChanged(0);
    EXPECT_TRUE(QueuedPaints(frame->Window()).empty());
}

}  // namespace

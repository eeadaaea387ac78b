#include "mapscreen/map_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/error_code_stack.h"
#include "core/timer.h"
#include "tests/mapscreen/map_rig.h"

namespace {

using map_test::MapCanvas;
using map_test::MapRig;

class MapViewTest : public MapRig {
protected:
    std::vector<PackedRect> m_requests;
    void Record(CMapView& view)
    {
        view.SetInvalidateHandler([this](const PackedRect& r) { m_requests.push_back(r); });
    }
};

TEST_F(MapViewTest, LoadsTheBlocksOfAMission)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    ASSERT_TRUE(view.IsUsable());
    ASSERT_TRUE(view.BlocksLoaded());
    EXPECT_EQ(g_mapView, &view);
    EXPECT_EQ(view.StripCount(), 2);
    EXPECT_EQ(view.StripShift(), 3);
    EXPECT_EQ(view.FullMapSize(), PackedPoint(16, 136));
    EXPECT_EQ(view.HalfMapSize(), PackedPoint(8, 68));
    EXPECT_EQ(view.MapSize(), PackedPoint(16, 136));
    EXPECT_EQ(view.Descriptor().second, 136);
    // Sprite rects are placed by the hot spot.
    EXPECT_EQ(view.SpriteRect(SpriteCastle), PackedRect(-2, -4, 2, 0));
    view.ReleaseBlocks();
    EXPECT_FALSE(view.BlocksLoaded());
    EXPECT_EQ(view.ProvinceAt(PackedPoint(1, 1)), -1);
    EXPECT_FALSE(view.LoadBlocks(CStr("/Scenarios/t/Nowhere")));
}

TEST_F(MapViewTest, ProvinceAtReadsTheStripsAndBands)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    struct Case {
        bool half;
        int x, y;
        int province;
    };
    const Case cases[] = {
        {false, 0, 0, 0},     {false, 7, 63, 0},  {false, 3, 64, 1}, {false, 8, 0, 2},
        {false, 15, 127, 2},  {false, 2, 130, 3},  // the same local id, another province in band 1
        {false, 5, 130, -1},                       // a local id the band has no pair for
        {false, 9, 130, -1},                       // sea
        {false, 13, 135, -1},                      // open ground (id 31)
        {false, 16, 5, -1},                        // beyond the last strip
        {false, 3, 140, -1},                       // below the last band
        {true, 0, 0, 0},      {true, 3, 32, 1},   {true, 4, 10, 2},  {true, 1, 65, 3},
        {true, 4, 65, -1},    {true, 7, 67, -1},
    };
    for (const Case& c : cases) {
        view.SetHalfScale(c.half);
        EXPECT_EQ(view.ProvinceAt(PackedPoint(c.x, c.y)), c.province) << c.half << " " << c.x << "," << c.y;
    }
    view.SetHalfScale(true);
    EXPECT_EQ(view.MapSize(), PackedPoint(8, 68));
    EXPECT_EQ(view.StripShift(), 2);
    EXPECT_EQ(view.BandShift(), 6);
    EXPECT_EQ(view.ProvinceRect(1), PackedRect(0, 32, 3, 63));
    // Points are halved with an arithmetic shift: -3 becomes -2.
    EXPECT_EQ(view.ScaledPoint(-3, 9), PackedPoint(-2, 4));
    view.SetHalfScale(false);
    EXPECT_EQ(view.ProvinceRect(1), PackedRect(0, 64, 7, 127));
    EXPECT_EQ(view.ProvinceRect(9), UndefinedRect);
}

TEST_F(MapViewTest, APairNamingAMissingProvinceIsNoProvince)
{
    m_world.SetProvinceCount(2);
    CMapView view(CStr("/Scenarios/t/M1"));
    EXPECT_EQ(view.ProvinceAt(PackedPoint(1, 70)), 1);
    EXPECT_EQ(view.ProvinceAt(PackedPoint(9, 1)), -1);
    // Drawing such a region paints it neutral instead of reading past the world.
    MapCanvas canvas(16, 136);
    view.Draw(canvas.dc);
    EXPECT_EQ(canvas.At(9, 1), MapRampColour(6, 4));
}

TEST_F(MapViewTest, MalformedDescriptorsAreRefused)
{
    struct Case {
        std::vector<uint8_t> bytes;
        bool ok;
    };
    const Case cases[] = {
        {{16, 0, 8, 0, 1, 1, 1, 0, 0}, true},
        {{16, 0, 8, 0, 1, 1, 3, 0, 0}, false},  // three pairs announced, one there
        {{16, 0, 8, 0, 2, 1, 0}, false},        // a strip missing
        {{16, 0}, false},
        {{16, 0, 8, 0, 1, 1, 1, 0, 0, 7}, true},  // trailing bytes are not read
    };
    for (const Case& c : cases) {
        MapDescriptor d;
        EXPECT_EQ(d.Read(c.bytes.data(), static_cast<uint32_t>(c.bytes.size())), c.ok) << c.bytes.size();
    }
}

TEST_F(MapViewTest, HighlightChangesOnlyWhatDiffers)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    Record(view);
    view.SetHighlight(2, 1, true);
    EXPECT_EQ(view.ProvinceState(1), kProvinceHighlighted | (2 << 3));
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0], PackedRect(0, 64, 7, 127));
    view.SetHighlight(2, 1, true);   // the same level
    view.SetHighlight(-1, 2, true);  // not highlighted
    view.SetHighlight(1, -1, true);  // nothing selected
    EXPECT_EQ(m_requests.size(), 1u);
    view.SetHighlight(-1, 1, false);
    EXPECT_EQ(view.ProvinceState(1) & kProvinceHighlighted, 0);
    EXPECT_EQ(m_requests.size(), 1u);
}

TEST_F(MapViewTest, SelectionBlinksThroughTheLevels)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    Record(view);
    EXPECT_TRUE(view.IsBlinkHeld());
    view.SelectProvince(3);
    EXPECT_EQ(view.SelectedProvince(), 3);
    EXPECT_FALSE(view.IsBlinkHeld());
    EXPECT_EQ(view.BlinkTimer()->Rate(), 150);
    // Levels 1, 0, 1, off, 1 ...; the timer slows down after the first step.
    const int levels[] = {1, 0, 1, -1, 1, 0};
    for (int level : levels) {
        view.OnBlinkTimer();
        EXPECT_EQ(view.BlinkTimer()->Rate(), 30);
        const uint8_t state = view.ProvinceState(3);
        if (level < 0) {
            EXPECT_EQ(state & kProvinceHighlighted, 0);
        } else {
            EXPECT_EQ(state, kProvinceHighlighted | (level << 3)) << level;
        }
    }
    // Selecting it again changes nothing; another province clears this one.
    const size_t before = m_requests.size();
    view.SelectProvince(3);
    EXPECT_EQ(m_requests.size(), before);
    EXPECT_EQ(view.BlinkPhase(), 1);
    view.SelectProvince(-1);
    EXPECT_EQ(view.ProvinceState(3) & kProvinceHighlighted, 0);
    EXPECT_TRUE(view.IsBlinkHeld());
    view.HoldBlink(false);
    EXPECT_TRUE(view.IsBlinkHeld());  // nothing to blink
}

TEST_F(MapViewTest, DrawingColoursRegionsByOwnerAndHighlight)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    using map_test::GrassPixel;
    using map_test::SeaPixel;
    struct Probe {
        int x, y;
        int expected;
    };
    {
        MapCanvas canvas(16, 136);
        view.Draw(canvas.dc);
        const Probe probes[] = {
            {0, 0, MapRampColour(2, 4)},    // player 0's flag number 2, plain fill
            {3, 63, MapRampColour(2, 3)},   // class 4 edge: entry 3
            {3, 62, MapRampColour(2, 1)},   // class 2 edge: entry 1
            {3, 100, MapRampColour(4, 4)},  // player 1
            {12, 50, MapRampColour(6, 4)},  // neutral
            {1, 131, MapRampColour(2, 4)},  // province 3 in band 1
            // Local id 1 of band 1 has no pair: the entry keeps province 1's colour.
            {6, 131, MapRampColour(4, 4)},
            // Textures are anchored to the map, across strips.
            {8, 128, SeaPixel(8, 128)},
            {9, 133, SeaPixel(9, 133)},
            {11, 135, SeaPixel(11, 135)},
            {12, 129, GrassPixel(12, 129)},
            {15, 134, GrassPixel(15, 134)},
        };
        for (const Probe& p : probes)
            EXPECT_EQ(canvas.At(p.x, p.y), p.expected) << p.x << "," << p.y;
    }
    // Highlighted: fills take the level's entry; at level 0 the class-2 edge
    // takes entry 0 instead of 1.
    struct Case {
        int level;
        int fill, edge2, edge4;
    };
    const Case cases[] = {
        {0, MapRampColour(2, 0), MapRampColour(2, 0), MapRampColour(2, 3)},
        {1, MapRampColour(2, 1), MapRampColour(2, 1), MapRampColour(2, 3)},
        {3, MapRampColour(2, 3), MapRampColour(2, 1), MapRampColour(2, 3)},
    };
    for (const Case& c : cases) {
        view.SetHighlight(c.level, 0, false);
        MapCanvas canvas(16, 136);
        view.Draw(canvas.dc);
        EXPECT_EQ(canvas.At(2, 10), c.fill) << c.level;
        EXPECT_EQ(canvas.At(2, 62), c.edge2) << c.level;
        EXPECT_EQ(canvas.At(2, 63), c.edge4) << c.level;
        EXPECT_EQ(canvas.At(2, 70), MapRampColour(4, 4));
    }
}

TEST_F(MapViewTest, HalfScaleDrawsTheHalfStrips)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    view.SetHalfScale(true);
    MapCanvas canvas(8, 68);
    view.Draw(canvas.dc);
    EXPECT_EQ(canvas.At(0, 0), MapRampColour(2, 4));
    EXPECT_EQ(canvas.At(1, 31), MapRampColour(2, 1));  // full row 62's class 2
    EXPECT_EQ(canvas.At(2, 40), MapRampColour(4, 4));
    EXPECT_EQ(canvas.At(5, 20), MapRampColour(6, 4));
    EXPECT_EQ(canvas.At(0, 65), MapRampColour(2, 4));
    // Texture coordinates are those of the half map.
    EXPECT_EQ(canvas.At(4, 66), map_test::SeaPixel(4, 66));
    EXPECT_EQ(canvas.At(7, 67), map_test::GrassPixel(7, 67));
}

TEST_F(MapViewTest, CastlesFlagsAndMarkersAreDrawnAtTheirAnchors)
{
    ProvinceRecord& p0 = m_world.Province(0);
    p0.castleFlag = 1;
    p0.castle.capital = 1;
    m_world.Province(2).castleFlag = 1;
    m_world.Player(0).armyLocation = 0;
    m_world.Player(1).armyLocation = 1;
    CMapView view(CStr("/Scenarios/t/M1"));
    auto drawn = [&view](int x, int y) {
        MapCanvas canvas(16, 136);
        view.Draw(canvas.dc);
        return canvas.At(x, y);
    };
    // Castle point of province 0 is (3, 23), its army point (3, 39).
    EXPECT_EQ(drawn(3, 23), 60 + SpriteCapital);
    EXPECT_EQ(drawn(11, 55), 60 + SpriteCastle);  // province 2's castle point (11, 55)
    // No flag outside a human turn.
    EXPECT_EQ(drawn(3, 39), MapRampColour(2, 4));
    Game().humanTurnActive = 1;
    EXPECT_EQ(drawn(3, 39), 60 + SpriteFlag1 + 2);
    // Player 1 is not the current player: no flag for its army.
    EXPECT_EQ(drawn(3, 103), MapRampColour(4, 4));
    // The army point above the castle point: the castle is drawn last, over the flag.
    p0.points[3] = 21;
    EXPECT_EQ(drawn(3, 20), 60 + SpriteCapital);
    p0.points[3] = 25;
    EXPECT_EQ(drawn(3, 23), 60 + SpriteFlag1 + 2);
    // At half scale the mini castle stands at the halved point.
    view.SetHalfScale(true);
    {
        MapCanvas canvas(8, 68);
        view.Draw(canvas.dc);
        EXPECT_EQ(canvas.At(5, 27), 60 + SpriteMiniCastle);
    }
}

TEST_F(MapViewTest, SignalsAskForTheRightAreas)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    Record(view);
    view.OnProvinceChanged(2);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests.back(), PackedRect(8, 0, 15, 127));
    view.OnProvinceChanged(255);  // the selected one: none yet
    EXPECT_EQ(m_requests.size(), 1u);
    view.SelectProvince(1);
    view.OnProvinceChanged(255);
    EXPECT_EQ(m_requests.back(), PackedRect(0, 64, 7, 127));
    m_requests.clear();
    view.InvalidateSpriteAt(SpriteCastle, 10, 20);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests.back(), PackedRect(8, 16, 12, 20));
    view.SetHalfScale(true);
    view.InvalidateSpriteAt(SpriteCastle, 10, 20);
    EXPECT_EQ(m_requests.back(), PackedRect(3, 6, 7, 10));
}

TEST_F(MapViewTest, AnArmyMoveWithoutAnimationOnlyRepaintsBothEnds)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    Record(view);
    PrefMapOptions[3] = 0;
    view.AnimateMove(1, PackedPoint(3, 39), PackedPoint(11, 55));
    ASSERT_EQ(m_requests.size(), 2u);
    EXPECT_EQ(m_requests[0], PackedRect(1, 35, 5, 39));
    EXPECT_EQ(m_requests[1], PackedRect(9, 51, 13, 55));
    EXPECT_FALSE(view.IsBusy());
}

TEST_F(MapViewTest, AnimationStepsTowardsTheTarget)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    Record(view);
    PrefMapOptions[3] = 1;
    // Points less than 5 apart on both axes: the first step ends it.
    view.AnimateMove(0, PackedPoint(3, 39), PackedPoint(7, 35));
    EXPECT_FALSE(view.IsBusy());
    EXPECT_EQ(view.AnimationPoint(), PackedPoint(3, 39));
    ASSERT_EQ(m_requests.size(), 1u);
    // A longer march goes in quarter steps and stops near the target.
    m_requests.clear();
    view.AnimateMove(0, PackedPoint(0, 0), PackedPoint(40, -20));
    EXPECT_FALSE(view.IsBusy());
    EXPECT_EQ(view.AnimationPoint(), PackedPoint(40, -20));
    EXPECT_TRUE(CWindowMgr::Root()->IsEnabled());
}

class MissingMapPictureTest : public MapViewTest {
protected:
    MissingMapPictureTest() { m_missingImage = "map_sea"; }
};

TEST_F(MissingMapPictureTest, TheViewSaysSoAndDrawsNothing)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    EXPECT_FALSE(view.IsUsable());
    EXPECT_FALSE(view.BlocksLoaded());
    ASSERT_FALSE(m_headless->MessageBoxes().empty());
    EXPECT_NE(m_headless->MessageBoxes().back().find("Cannot load map resources"), std::string::npos);
    MapCanvas canvas(16, 136);
    view.Draw(canvas.dc);
    EXPECT_EQ(canvas.At(0, 0), 0);
}

}  // namespace

namespace {

TEST_F(MapViewTest, RecruitMarkersShowTheUnitsRecruitedIntoOwnProvinces)
{
    CMapView view(CStr("/Scenarios/t/M1"));
    // Pixels of a colour in the rows around an army point.
    auto count = [&view](int, int y0, uint8_t colour) {
        map_test::MapCanvas canvas(16, 136);
        view.Draw(canvas.dc);
        int n = 0;
        for (int y = std::max(0, y0 - 8); y < std::min(136, y0 + 8); ++y)
            for (int x = 0; x < 16; ++x)
                n += canvas.At(x, y) == colour;
        return n;
    };
    const uint8_t badge = 60 + SpriteRecruitCount;
    // Province 0's army point is (3, 39); province 1 belongs to player 1.
    view.SetRecruitCount(0, 3);
    view.SetRecruitCount(1, 5);
    EXPECT_EQ(count(3, 39, badge), 0);  // not in recruit mode
    view.SetRecruitMode(true, 0, false);
    EXPECT_GT(count(3, 39, badge), 0);
    EXPECT_GT(count(3, 39, 8), 0);       // the number, in colour 8
    EXPECT_EQ(count(3, 103, badge), 0);  // another lord's province
    view.ClearRecruitCounts();
    EXPECT_EQ(count(3, 39, badge), 0);
}

}  // namespace

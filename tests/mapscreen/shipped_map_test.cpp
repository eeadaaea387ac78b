// The maps our mission compiler paints, read by the map view: every province
// is found under its own castle and army points at both scales, its rect
// holds them, and a picture of each map is written for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/path_mgr.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/task_mgr.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "mapscreen/map_view.h"
#include "platform/png_writer.h"
#include "tests/support/build_folder.h"

namespace {

class ShippedMaps : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str()));
        ASSERT_TRUE(CPathMgr::Init());
        ASSERT_TRUE(CTaskMgr::Init());
        InitRasterOps();
        LoadSquadTypes();
        Map::CSrenarionMgr::Init();
    }
    void TearDown() override
    {
        EndSession();
        Map::CSrenarionMgr::Clear();
        FreeSquadTypes();
        SetActiveWorld(nullptr);
        CTaskMgr::Shutdown();
        CPathMgr::Shutdown();
        CResourceMgr::Shutdown();
    }
};

bool Inside(const ProvinceRecord& p, int x, int y)
{
    return x >= p.rect[0] && x <= p.rect[2] && y >= p.rect[1] && y <= p.rect[3];
}

TEST_F(ShippedMaps, EveryProvinceLiesUnderItsPointsAndAPictureIsMade)
{
    RawResource palette;
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/Map", palette));
    ASSERT_GE(palette.size, 768);
    ASSERT_GE(Map::CSrenarionMgr::TotalMissions(), 3);
    for (int n = 0; n < Map::CSrenarionMgr::TotalMissions(); ++n) {
        int scenario = 0, mission = 0;
        ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(n, &scenario, &mission));
        const CStr path = Map::CSrenarionMgr::MissionPath(scenario, mission);
        SCOPED_TRACE(path.Chars());
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(path));
        CGameWorld& world = *Game().world;
        CMapView view(path);
        ASSERT_TRUE(view.IsUsable());
        ASSERT_TRUE(view.BlocksLoaded());
        for (int i = 0; i < world.ProvinceCount(); ++i) {
            const ProvinceRecord& p = world.Province(i);
            for (int k = 0; k < 2; ++k) {
                const int x = p.points[2 * k], y = p.points[2 * k + 1];
                EXPECT_TRUE(Inside(p, x, y)) << i;
                view.SetHalfScale(false);
                EXPECT_EQ(view.ProvinceAt(PackedPoint(x, y)), i) << p.name.Chars();
                view.SetHalfScale(true);
                EXPECT_EQ(view.ProvinceAt(PackedPoint(x >> 1, y >> 1)), i) << p.name.Chars();
            }
        }
        view.SetHalfScale(false);
        // The first player's army stands in his capital, as in a human turn.
        Game().humanTurnActive = 1;
        world.currentPlayer = 0;
        world.Player(0).armyLocation = world.Player(0).capital;
        const PackedPoint size = view.FullMapSize();
        CDrawContext dc;
        ASSERT_TRUE(dc.CreateSurface(size.X(), size.Y()));
        view.Draw(dc);
        Game().humanTurnActive = 0;
        // Twice the size, for a look at the pixels.
        std::vector<uint8_t> rgb;
        for (int y = 0; y < 2 * size.Y(); ++y)
            for (int x = 0; x < 2 * size.X(); ++x) {
                const uint8_t c = *dc.Surface().At(x / 2, y / 2);
                rgb.insert(rgb.end(), palette.data + 3 * c, palette.data + 3 * c + 3);
            }
        const std::string folder = TestBuildFolder() + "/shots";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(
            WritePngFile(folder + "/map" + std::to_string(n + 1) + ".png", 2 * size.X(), 2 * size.Y(), rgb));
        EndSession();
    }
}

// On the 480 x 640 screen the skin folder's strips are twice the size of
// the mission's map: the view counts strips, bands, points and rectangles at
// twice the size, so every province is still found under its own points.
TEST_F(ShippedMaps, TheLargeScreensStripsShowEveryProvinceAtTwiceItsPlace)
{
    std::vector<CStr> paths;
    std::vector<PackedPoint> smallSizes;
    for (int n = 0; n < Map::CSrenarionMgr::TotalMissions(); ++n) {
        int scenario = 0, mission = 0;
        ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(n, &scenario, &mission));
        paths.push_back(Map::CSrenarionMgr::MissionPath(scenario, mission));
        CMapView small(paths.back());
        ASSERT_TRUE(small.BlocksLoaded());
        smallSizes.push_back(small.FullMapSize());
    }
    // What the start-up does on that screen.
    ASSERT_TRUE(CResourceMgr::MapFolder("", "/Skin480"));
    for (size_t n = 0; n < paths.size(); ++n) {
        SCOPED_TRACE(paths[n].Chars());
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(paths[n]));
        CGameWorld& world = *Game().world;
        CMapView view(paths[n]);
        ASSERT_TRUE(view.BlocksLoaded());
        EXPECT_EQ(view.FullMapSize().X(), 2 * smallSizes[n].X());
        EXPECT_EQ(view.FullMapSize().Y(), 2 * smallSizes[n].Y());
        EXPECT_EQ(view.HalfMapSize().X(), smallSizes[n].X());
        for (const bool half : {false, true}) {
            view.SetHalfScale(half);
            for (int i = 0; i < world.ProvinceCount(); ++i) {
                const ProvinceRecord& p = world.Province(i);
                const PackedRect rect = view.ProvinceRect(i);
                for (int k = 0; k < 2; ++k) {
                    const int x = p.points[2 * k], y = p.points[2 * k + 1];
                    const PackedPoint at = view.ScaledPoint(x, y);
                    EXPECT_EQ(at.X(), half ? x : 2 * x);
                    EXPECT_EQ(at.Y(), half ? y : 2 * y);
                    EXPECT_EQ(view.ProvinceAt(at), i) << p.name.Chars() << (half ? " half" : " full");
                    EXPECT_TRUE(at.X() >= rect.Left() && at.X() <= rect.Right() && at.Y() >= rect.Top() &&
                                at.Y() <= rect.Bottom())
                        << p.name.Chars();
                }
            }
        }
        EndSession();
    }
}

// The map's palette gives the owners' colours to a range of the base
// palette's entries while the map is up. The skins of what is drawn over the
// map (buttons, frames, panels, scroll bars, check boxes) must take none of
// those entries, or a button's face shows an owner's colour.
TEST_F(ShippedMaps, SkinsShownOverTheMapKeepTheirColoursUnderItsPalette)
{
    RawResource base, map;
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/base", base));
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/Map", map));
    ASSERT_GE(base.size, kPaletteSize);
    ASSERT_GE(map.size, kPaletteSize);
    std::vector<std::string> buttonParts, frameParts;
    for (const char* look : {"", "_push", "_dis"})
        for (const char* part : {"btn_l", "btn_c", "btn_r", "btn_u", "btn_m", "btn_d"})
            buttonParts.push_back(std::string(part) + look);
    for (const char* part : {"client", "frame_ul", "frame_u", "frame_ur", "frame_l", "frame_r", "frame_dl",
                             "frame_d", "frame_dr", "title_l", "title_c", "title_r"})
        frameParts.emplace_back(part);
    const std::vector<std::string> checkParts{"checked", "unchecked"};
    const struct {
        const char* skin;
        const std::vector<std::string>& parts;
    } kSkins[] = {
        {"Button", buttonParts},
        {"BtnHelp", buttonParts},
        {"ValueScroller/Btn_LL", buttonParts},
        {"ValueScroller/Btn_RR", buttonParts},
        {"ScrollBar/Btn_UU", buttonParts},
        {"ScrollBar/Btn_Horz", buttonParts},
        {"ScrollBar/Btn_Vert", buttonParts},
        {"CheckBox", checkParts},
        {"Dialog", frameParts},
        {"SquadDialog", frameParts},
        {"Scroll", frameParts},
        {"Hint", frameParts},
        {"Panel", frameParts},
        {"SquadPanel", frameParts},
    };
    for (const char* size : {"/Skin240", "/Skin480"})
        for (const auto& s : kSkins) {
            int pictures = 0;
            for (const std::string& part : s.parts) {
                const std::string path = std::string(size) + "/Skin/" + s.skin + "/" + part;
                ImageData image;
                if (!LoadImage(path.c_str(), image))
                    continue;  // each skin has the parts of its kind only
                ++pictures;
                CDrawContext dc;
                ASSERT_TRUE(dc.CreateSurface(image.Width(), image.Height()));
                DrawImage(dc, 0, 0, image, UndefinedRect);
                std::set<int> repainted;
                for (int y = 0; y < image.Height(); ++y)
                    for (int x = 0; x < image.Width(); ++x) {
                        const uint8_t c = *dc.Surface().At(x, y);
                        if (c != 0 && !std::equal(base.data + 3 * c, base.data + 3 * c + 3, map.data + 3 * c))
                            repainted.insert(c);
                    }
                std::string entries;
                for (int c : repainted)
                    entries += " " + std::to_string(c);
                EXPECT_EQ(entries, "") << path << " takes entries the map repaints";
            }
            EXPECT_GT(pictures, 0) << size << "/Skin/" << s.skin;
        }
}

}  // namespace

#include "core/display_surface.h"
#include "core/ui_mgr.h"
#include "mapscreen/map_frame.h"
#include "tests/support/screen/ui_rig.h"
#include "ui/skin.h"

namespace {

// The map frame built from the shipped layout on a 240 x 320 screen.
class ShippedMapFrame : public ui_test::UiRig {
protected:
    void SetUp() override
    {
        UiRig::SetUp();
        ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str()));
        ASSERT_TRUE(CPathMgr::Init());
        ASSERT_TRUE(CTaskMgr::Init());
        ASSERT_TRUE(CUIMgr::Init());
        ASSERT_TRUE(CUIMgr::LoadUiTree("240x320"));
        LoadSquadTypes();
        Map::CSrenarionMgr::Init();
    }
    void TearDown() override
    {
        EndSession();
        Map::CSrenarionMgr::Clear();
        FreeSquadTypes();
        SetActiveWorld(nullptr);
        CWindowMgr::Shutdown();
        ClearSkinCache();
        CUIMgr::Shutdown();
        CTaskMgr::Shutdown();
        CPathMgr::Shutdown();
        CResourceMgr::Shutdown();
        UiRig::TearDown();
    }
};

TEST_F(ShippedMapFrame, TheLargestMapScrollsInAFrameOfTheScreen)
{
    const int last = Map::CSrenarionMgr::TotalMissions() - 1;
    int scenario = 0, mission = 0;
    ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(last, &scenario, &mission));
    const CStr path = Map::CSrenarionMgr::MissionPath(scenario, mission);
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(path));
    // The test root draws nothing: the screen around the frame starts black.
    FillRect(*GetDisplaySurface()->ScreenContext(), PackedRect(0, 0, 239, 319), 0);
    CMapFrame frame(Root(), CStr("/Map/MapWnd/MapFrame"));
    ASSERT_TRUE(frame.PaletteLoaded());
    frame.Window()->SetRect(PackedRect(0, 40, 239, 259), false);
    frame.Window()->Show(true, false);
    ASSERT_TRUE(frame.LoadMapBlocks(path));
    frame.SetMapPaletteActive(true);
    frame.CenterOnProvince(&Game().world->Province(Game().world->Player(0).capital), true);
    CWindowMgr::ProcessEvents();
    // The map is wider and higher than the area: both bars, 10 thick, and the corner.
    EXPECT_TRUE(frame.HorzBar()->Window()->IsVisible());
    EXPECT_TRUE(frame.VertBar()->Window()->IsVisible());
    EXPECT_TRUE(frame.CornerButton()->IsVisible());
    EXPECT_EQ(frame.VertBar()->Window()->Width(), 10);
    EXPECT_EQ(frame.HorzBar()->Window()->Height(), 10);
    EXPECT_EQ(frame.MapArea(), PackedRect(0, 0, 229, 209));
    Shot("frame_capital.png");
    frame.OnCornerButton(nullptr, 0);
    CWindowMgr::ProcessEvents();
    Shot("frame_corner.png");
    // At half scale the whole map fits: no bars, the map centred.
    frame.SetHalfScale(true, true);
    CWindowMgr::ProcessEvents();
    EXPECT_TRUE(frame.View().IsHalfScale());
    EXPECT_FALSE(frame.HorzBar()->Window()->IsVisible());
    EXPECT_FALSE(frame.VertBar()->Window()->IsVisible());
    Shot("frame_half.png");
    frame.SetMapPaletteActive(false);
}

}  // namespace

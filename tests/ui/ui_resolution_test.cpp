// The choice of screen layout: the skin size texts are read line by line,
// the display's modes are matched against skins that have a complete UI
// tree, the orientation preference picks the mode and the key turn, and the
// chosen skin folder overlays the root.

#include "ui/ui_resolution.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/ui_tree_writer.h"
#include "tools/pack/pack_writer.h"

namespace {

TEST(SkinSizeLine, ReadsWidthHeightAndFolderAndRefusesTheRest)
{
    struct Case {
        const char* line;
        bool ok;
        int width, height;
        const char* folder;
    } cases[] = {
        {"240 320 Skin240", true, 240, 320, "Skin240"},
        {"\t 480\t640  Big  trailing words", true, 480, 640, "Big"},
        {"320 240 Wide\r", true, 320, 240, "Wide"},
        {"240 320", false, 0, 0, ""},       // no folder
        {"240x320 Skin", false, 0, 0, ""},  // not digits up to a blank
        {"240 3a0 Skin", false, 0, 0, ""},
        {"", false, 0, 0, ""},
        {"   ", false, 0, 0, ""},
        {"70000 320 Huge", false, 0, 0, ""},  // not a 16-bit width
        {"-240 320 Neg", false, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        SkinSizeEntry entry;
        ASSERT_EQ(ParseSkinSizeLine(CStr(c.line), entry), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(entry.width, c.width);
        EXPECT_EQ(entry.height, c.height);
        EXPECT_STREQ(entry.folder.Chars(), c.folder);
    }
    // A line is never read past its own length, whatever follows it.
    const char bytes[] = {'1', ' ', '2', ' ', 'A', 'B', 'C'};
    SkinSizeEntry entry;
    ASSERT_TRUE(ParseSkinSizeLine(CStr(bytes, 5), entry));
    EXPECT_STREQ(entry.folder.Chars(), "A");
}

inline CDrawContext* NewContext()
{
    return new (std::nothrow) CDrawContext;
}

// A display of a given physical size and a pack of skin size texts, skin
// folders and UI trees.
class UiResolutionTest : public testing::Test {
protected:
    struct Setup {
        int screenWidth = 240, screenHeight = 320;
        std::vector<std::string> sizeTexts;          // root "txt" resources
        std::vector<std::string> trees;              // "WxH" with both resources
        std::vector<std::string> treesWithoutNames;  // "WxH" with "uib" only
        std::vector<std::string> skinFolders;
        uint8_t preference = 0;
    };
    void Start(const Setup& s)
    {
        HeadlessOptions options;
        options.closeAfterSteps = 0;
        options.settings.screenWidth = s.screenWidth;
        options.settings.screenHeight = s.screenHeight;
        m_headless = &UseHeadlessPlatform(options);
        SetDrawContextFactory(NewContext);
        ASSERT_TRUE(m_display.Open());
        SetDisplaySurface(&m_display);
        SetKeyOrientation(0);

        PackWriter pack(100);
        int n = 0;
        for (const std::string& text : s.sizeTexts)
            pack.AddText("sizes" + std::to_string(n++), "txt", text);
        std::vector<uint8_t> pool, table;
        ui_tree_fixture::WriteUiTree({{0, "Main", {}}}, pool, table);
        for (const std::string& t : s.trees) {
            pack.AddFile("UI/" + t, "uit", pool);
            pack.AddFile("UI/" + t, "uib", table);
        }
        for (const std::string& t : s.treesWithoutNames)
            pack.AddFile("UI/" + t, "uib", table);
        for (const std::string& f : s.skinFolders)
            pack.AddText(f + "/probe", "txt", f);
        pack.AddText("Locale/locale", "txt", "GraphError=No layout fits.\r\n");
        m_data.AddPack("sizes", pack);
        ASSERT_TRUE(m_data.Mount());
        ASSERT_TRUE(CPathMgr::Init());
        ASSERT_TRUE(CUIMgr::Init());
        PrefScreenMode = s.preference;
    }
    void TearDown() override
    {
        CUIMgr::Shutdown();
        CResourceMgr::Shutdown();
        CPathMgr::Shutdown();
        SetDisplaySurface(nullptr);
        m_display.Close();
        SetKeyOrientation(0);
    }
    // The folder whose probe a root lookup finds.
    std::string Overlaid()
    {
        RawResource text;
        if (!CResourceMgr::LoadText("/probe", pack_format::kTextType, text))
            return "";
        return std::string(reinterpret_cast<const char*>(text.data), text.size);
    }
    std::vector<int> Available()
    {
        return {OrientationAvailable[0], OrientationAvailable[1], OrientationAvailable[2],
                OrientationAvailable[3]};
    }

    HeadlessBackend* m_headless = nullptr;
    CDisplaySurface m_display;
    FixtureData m_data;
};

TEST_F(UiResolutionTest, SkinSizeListKeepsListingAndLineOrder)
{
    Setup s;
    s.sizeTexts = {"240 320 A\r\n320 240 B", "bad line\r\n240 320 C"};
    Start(s);
    SkinSizeList list;
    LoadSkinSizeList(list);
    ASSERT_EQ(list.Count(), 3);
    std::vector<std::string> folders;
    for (int i = 0; i < list.Count(); ++i)
        folders.push_back(list.GetAt(i)->folder.Chars());
    // The pack lists its newest entries first; within a text the lines keep their order.
    EXPECT_EQ(FindSkinSize(list, 320, 240), folders[0] == "B" ? 0 : 1);
    EXPECT_EQ(FindSkinSize(list, 100, 100), -1);
    const int first = FindSkinSize(list, 240, 320);
    ASSERT_GE(first, 0);
    EXPECT_TRUE(folders[first] == "A" || folders[first] == "C");
    list.RemoveAll();
}

TEST_F(UiResolutionTest, PreferencePicksTheModeTheKeyTurnAndTheSkin)
{
    struct Case {
        const char* what;
        uint8_t preference;
        std::vector<std::string> sizes, trees;
        int width, height, keys;
        uint8_t preferenceAfter;
        std::vector<int> available;
        const char* folder;
    } cases[] = {
        {"upright", 0, {"240 320 Tall"}, {"240x320"}, 240, 320, 0, 0, {1, 0, 1, 0}, "Tall"},
        {"upside down", 2, {"240 320 Tall"}, {"240x320"}, -240, -320, 2, 2, {1, 0, 1, 0}, "Tall"},
        {"a side not offered falls back",
         1,
         {"240 320 Tall"},
         {"240x320"},
         240,
         320,
         0,
         0,
         {1, 0, 1, 0},
         "Tall"},
        {"out of range counts as 0", 7, {"240 320 Tall"}, {"240x320"}, 240, 320, 0, 0, {1, 0, 1, 0}, "Tall"},
        {"both sizes: turned left",
         1,
         {"240 320 Tall\r\n320 240 Wide"},
         {"240x320", "320x240"},
         -320,
         -240,
         3,
         1,
         {1, 1, 1, 1},
         "Wide"},
        {"both sizes: turned right",
         3,
         {"240 320 Tall\r\n320 240 Wide"},
         {"240x320", "320x240"},
         320,
         240,
         1,
         3,
         {1, 1, 1, 1},
         "Wide"},
        {"only the swapped skin", 0, {"320 240 Wide"}, {"320x240"}, 320, 240, 0, 0, {1, 0, 1, 0}, "Wide"},
        {"a skin without its tree is ignored",
         1,
         {"240 320 Tall\r\n320 240 Wide"},
         {"240x320"},
         240,
         320,
         0,
         0,
         {1, 0, 1, 0},
         "Tall"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Setup s;
        s.sizeTexts = c.sizes;
        s.trees = c.trees;
        s.skinFolders = {"Tall", "Wide"};
        s.preference = c.preference;
        Start(s);
        ASSERT_TRUE(SelectUIResolution());
        EXPECT_EQ(m_display.CurrentMode().Width(), c.width);
        EXPECT_EQ(m_display.CurrentMode().Height(), c.height);
        EXPECT_EQ(GetKeyOrientation(), c.keys);
        EXPECT_EQ(PrefScreenMode, c.preferenceAfter);
        EXPECT_EQ(Available(), c.available);
        EXPECT_EQ(Overlaid(), c.folder) << "the chosen skin folder overlays the root";
        CStr tree;
        tree.Format("%dx%d", std::abs(c.width), std::abs(c.height));
        EXPECT_STREQ(CUIMgr::UiTreePath().Chars(), tree.Chars()) << CUIMgr::UiTreePath().Chars();
        EXPECT_TRUE(m_headless->MessageBoxes().empty());
        TearDown();
    }
}

TEST_F(UiResolutionTest, ASquareScreenOffersEveryOrientation)
{
    Setup s;
    s.screenWidth = 240;
    s.screenHeight = 240;
    s.sizeTexts = {"240 240 Square"};
    s.trees = {"240x240"};
    s.skinFolders = {"Square"};
    s.preference = 3;
    Start(s);
    ASSERT_TRUE(SelectUIResolution());
    EXPECT_EQ(Available(), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(PrefScreenMode, 3);
    EXPECT_EQ(GetKeyOrientation(), 1);
}

TEST_F(UiResolutionTest, NoFittingSkinShowsTheLocaleMessageAndFails)
{
    struct Case {
        const char* what;
        std::vector<std::string> sizes, trees, treesWithoutNames;
    } cases[] = {
        {"no skin size text", {}, {"240x320"}, {}},
        {"a size the screen has not", {"480 640 Big"}, {"480x640"}, {}},
        {"the tree lacks its names", {"240 320 Tall"}, {}, {"240x320"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Setup s;
        s.sizeTexts = c.sizes;
        s.trees = c.trees;
        s.treesWithoutNames = c.treesWithoutNames;
        s.skinFolders = {"Tall", "Big"};
        Start(s);
        EXPECT_FALSE(SelectUIResolution());
        ASSERT_EQ(m_headless->MessageBoxes().size(), 1u);
        EXPECT_NE(m_headless->MessageBoxes()[0].find("No layout fits."), std::string::npos)
            << m_headless->MessageBoxes()[0];
        EXPECT_EQ(Overlaid(), "") << "nothing overlays the root";
        TearDown();
    }
}

}  // namespace

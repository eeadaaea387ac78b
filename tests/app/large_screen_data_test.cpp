// The built data of the 480 x 640 screen: its skin folder holds, at twice
// the size, every resource the 240 x 320 skin folder holds and every picture
// and font of the root that the screens draw; its UI tree is the small
// tree with every value kept or doubled; and its fonts measure every
// character exactly twice as wide and high, so a text that fits its control
// at 240 x 320 fits the doubled control at 480 x 640.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/font.h"
#include "core/image_data.h"
#include "core/pack_format.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_tree.h"
#include "tests/support/build_folder.h"
#include "tests/support/fixture_packs.h"

namespace {

using pack_format::kAnimationType;
using pack_format::kFolderType;
using pack_format::kFontType;
using pack_format::kImageType;

struct Found {
    std::string path;  // below the walked folder, without the leading '/'
    ResourceType type;
};

const ResourceType kAllTypes[] = {kImageType,
                                  kAnimationType,
                                  kFontType,
                                  pack_format::kSoundType,
                                  pack_format::kPaletteType,
                                  pack_format::kPaletteTableType,
                                  pack_format::kTextType,
                                  pack_format::kTextTableType};

// Every resource of the types below a folder of the mounted packs.
void Walk(const std::string& folder, const std::string& below, std::vector<Found>& out)
{
    for (ResourceType type : kAllTypes) {
        std::vector<CStr> names;
        CResourceMgr::ListFolder(folder.c_str(), "", type, names);
        for (const CStr& name : names)
            out.push_back({below + name.Chars(), type});
    }
    std::vector<CStr> folders;
    CResourceMgr::ListFolder(folder.c_str(), "", kFolderType, folders);
    for (const CStr& name : folders)
        Walk(folder + "/" + name.Chars(), below + name.Chars() + "/", out);
}

class LargeScreenDataTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str())); }

    FixtureData m_log;  // keeps the mount's log out of the build's data folder
};

// Width and height of a picture, or of a font's line (width 0).
bool SizeOf(const std::string& path, ResourceType type, int& width, int& height)
{
    if (type == kFontType) {
        FontData font;
        width = 0;
        height = LoadFont(path.c_str(), font) ? font.Height() : -1;
        return height > 0;
    }
    ImageData image;
    if (!LoadImage(path.c_str(), image))
        return false;
    width = image.Width();
    height = image.Height();
    return true;
}

TEST_F(LargeScreenDataTest, TheLargeSkinHoldsTheSmallSkinAndTheRootPicturesAtTwiceTheSize)
{
    std::vector<Found> small;
    Walk("/Skin240", "", small);
    ASSERT_GT(small.size(), 100u);
    for (const Found& f : small) {
        SCOPED_TRACE(f.path);
        EXPECT_TRUE(CResourceMgr::FindResource(("/Skin480/" + f.path).c_str(), f.type).IsFound());
        int w = 0, h = 0, w2 = 0, h2 = 0;
        if (f.type == kImageType && SizeOf("/Skin240/" + f.path, f.type, w, h) &&
            SizeOf("/Skin480/" + f.path, f.type, w2, h2)) {
            EXPECT_EQ(w2, 2 * w);
            EXPECT_EQ(h2, 2 * h);
        }
    }

    // The pictures and fonts of the root that the screens draw, and the
    // missions' previews and map strips.
    std::vector<Found> root;
    Walk("", "", root);
    int checked = 0, previews = 0;
    for (const Found& f : root) {
        if (f.type != kImageType && f.type != kAnimationType && f.type != kFontType)
            continue;
        if (f.path.rfind("Skin240/", 0) == 0 || f.path.rfind("Skin480/", 0) == 0)
            continue;
        // The small skin folder hides a root picture of its name, and so does
        // the large one.
        if (CResourceMgr::FindResource(("/Skin240/" + f.path).c_str(), f.type).IsFound())
            continue;
        SCOPED_TRACE(f.path);
        std::string large = "/Skin480/" + f.path;
        if (f.path.size() > 8 && f.path.compare(f.path.size() - 8, 8, "/preview") == 0) {
            // A large screen asks for the mission's "hi" preview.
            large += "hi";
            ++previews;
        }
        ++checked;
        ASSERT_TRUE(CResourceMgr::FindResource(large.c_str(), f.type).IsFound()) << large;
        int w = 0, h = 0, w2 = 0, h2 = 0;
        if (f.type != kAnimationType) {
            ASSERT_TRUE(SizeOf("/" + f.path, f.type, w, h));
            ASSERT_TRUE(SizeOf(large, f.type, w2, h2));
            EXPECT_EQ(w2, 2 * w);
            EXPECT_EQ(h2, 2 * h);
        }
    }
    EXPECT_GT(checked, 500);
    EXPECT_GT(previews, 0);
}

TEST_F(LargeScreenDataTest, TheLargeFontsMeasureEveryCharacterTwiceAsLarge)
{
    for (const char* name : {"font", "smallnum", "smallestnum"}) {
        SCOPED_TRACE(name);
        FontData small, large;
        ASSERT_TRUE(LoadFont((std::string("/Locale/Fonts/") + name).c_str(), small));
        ASSERT_TRUE(LoadFont((std::string("/Skin480/Locale/Fonts/") + name).c_str(), large));
        EXPECT_EQ(large.Height(), 2 * small.Height());
        for (int c = 1; c < 256; ++c) {
            const char text[2] = {static_cast<char>(c), 0};
            EXPECT_EQ(MeasureTextWidth(text, 1, large), 2 * MeasureTextWidth(text, 1, small)) << "code " << c;
        }
    }
}

bool LoadTree(const char* path, CUiTree& tree)
{
    RawResource names, nodes;
    return CResourceMgr::LoadData(path, pack_format::kUiTextType, names) &&
           CResourceMgr::LoadData(path, pack_format::kUiBinaryType, nodes) &&
           tree.LoadFromViews(names.data, names.size, nodes.data, nodes.size);
}

TEST_F(LargeScreenDataTest, TheLargeTreeIsTheSmallTreeWithEveryValueKeptOrDoubled)
{
    CUiTree small, large;
    ASSERT_TRUE(LoadTree("/UI/240x320", small));
    ASSERT_TRUE(LoadTree("/UI/480x640", large));
    ASSERT_EQ(large.NodeCount(), small.NodeCount());
    int doubled = 0;
    for (int i = 0; i < small.NodeCount(); ++i) {
        ASSERT_STREQ(large.NodeName(i).Chars(), small.NodeName(i).Chars()) << "node " << i;
        ASSERT_TRUE(small.SelectIndex(i, CStr()));
        ASSERT_TRUE(large.SelectIndex(i, CStr()));
        for (int v = 0; v < 12; ++v) {
            const int a = small.ReadValue(), b = large.ReadValue();
            EXPECT_TRUE(b == a || b == 2 * a) << small.NodeName(i).Chars() << " value " << v + 1;
            doubled += b != a ? 1 : 0;
        }
    }
    EXPECT_GT(doubled, 1000);
    // The title menu sits at twice its place and size.
    ASSERT_TRUE(small.ResolvePath("/Main/MainMenu"));
    ASSERT_TRUE(large.ResolvePath("/Main/MainMenu"));
    for (int v = 0; v < 6; ++v) {
        const int a = small.ReadValue(), b = large.ReadValue();
        EXPECT_EQ(b, v < 2 ? a : 2 * a) << "value " << v + 1;
    }
}

}  // namespace

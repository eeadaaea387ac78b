// The art the build generates, read back from the built packs through the
// game's own loaders: what the application and the screens rely on is there
// and usable.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/font.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/sound_data.h"
#include "tests/support/build_folder.h"

namespace {

class ShippedArt : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str())); }
    void TearDown() override
    {
        SetPaletteList({});
        CResourceMgr::Shutdown();
    }
};

TEST_F(ShippedArt, PaletteListNamesFullPalettes)
{
    PaletteTable table;
    ASSERT_TRUE(CResourceMgr::LoadPaletteTable("/Palettes/pallist", table));
    ASSERT_GE(table.count, 1);
    SetPaletteList({table.data, table.count});
    InitRasterOps();
    for (uint8_t id = 0; id < table.count; ++id) {
        SelectPalette(id);
        EXPECT_EQ(CurrentPaletteId(), id);
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(table.data), 4), "base");
}

TEST_F(ShippedArt, FontsDrawTheTextsTheGameShows)
{
    const char* names[] = {"/Locale/Fonts/font", "/Locale/Fonts/smallnum", "/Locale/Fonts/smallestnum"};
    uint8_t previousHeight = 255;
    for (const char* name : names) {
        FontData font;
        ASSERT_TRUE(LoadFont(name, font)) << name;
        EXPECT_LT(font.Height(), previousHeight) << name << " is smaller than the one before";
        previousHeight = font.Height();
        EXPECT_GT(MeasureTextWidth("1234567890", 10, font), 10) << name;
    }
    FontData font;
    ASSERT_TRUE(LoadFont("/Locale/Fonts/font", font));
    for (int c = 0x20; c <= 0x7E; ++c)
        EXPECT_GT(font.GetGlyph(static_cast<uint8_t>(c)).width, 0) << c;
    EXPECT_GT(font.GetGlyph(0xB0).width, 0) << "degree sign";
    EXPECT_EQ(MeasureTextWidth("A\r\nB", 4, font), MeasureTextWidth("AB", 2, font))
        << "line breaks are blank";
}

TEST_F(ShippedArt, MessageSoundsArePlayable)
{
    for (const char* name : {"/Sounds/msg_info", "/Sounds/msg_qst", "/Sounds/msg_good", "/Sounds/msg_bad"}) {
        SoundData sound;
        ASSERT_TRUE(LoadSound(name, sound)) << name;
        EXPECT_GT(sound.length, 1000u) << name;
        EXPECT_EQ(sound.Format().bitsPerSample, 16) << name;
    }
}

TEST_F(ShippedArt, TestPicturesLoad)
{
    ImageData image;
    AnimData anim;
    EXPECT_TRUE(LoadImage("/Images/checker", image));
    ASSERT_TRUE(LoadImage("/Images/diamond", image));
    EXPECT_TRUE(image.Flags() & kImageTransparent);
    EXPECT_EQ(image.HotX(), 10);
    ASSERT_TRUE(LoadImage("/Images/strip", image));
    EXPECT_TRUE(image.WideLengths());
    EXPECT_TRUE(LoadAnimation("/Ani/pulse", anim));
    EXPECT_EQ(anim.FrameCount(), 4);
}

}  // namespace

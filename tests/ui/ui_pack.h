#pragma once
// A small data set for the tree-built windows, written in code: a UI tree
// "test", skins of each kind, button and icon pictures, a screen skin with
// animations numbered 1, 2 and 4, a palette, sounds, the locale and font 0.

#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "core/font.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/screen/ui_rig.h"
#include "tests/support/ui_tree_writer.h"
#include "tools/encode/palette_encoder.h"
#include "ui/skin.h"
#include "ui/ui_link.h"

namespace ui_test {

using Value = ui_tree_fixture::TreeValue;
using Node = ui_tree_fixture::TreeNode;

inline std::vector<uint8_t> Img(const IndexedPicture& picture, bool transparent = false, int16_t hotX = 0,
                                int16_t hotY = 0)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    options.hotX = hotX;
    options.hotY = hotY;
    return MustEncode(EncodeImage(picture, options));
}

// A transparent picture whose visible pixels fill the inner rectangle.
inline IndexedPicture InnerBox(uint16_t w, uint16_t h, int x, int y, int iw, int ih, uint8_t colour)
{
    IndexedPicture p = SolidPicture(w, h, 0);
    for (int yy = y; yy < y + ih; ++yy)
        for (int xx = x; xx < x + iw; ++xx)
            p.pixels[static_cast<size_t>(yy) * w + xx] = colour;
    return p;
}

inline std::vector<uint8_t> Ani(int frames, uint8_t loopBack, uint16_t w = 6, uint16_t h = 4)
{
    std::vector<IndexedPicture> pictures;
    for (int i = 0; i < frames; ++i)
        pictures.push_back(SolidPicture(w, h, static_cast<uint8_t>(20 + i)));
    AnimEncodeOptions options;
    options.rate = 100;
    options.loopBack = loopBack;
    return MustEncode(EncodeAnimation(pictures, options));
}

// The tree of the tests; "Dlg" is a frame window 200 wide.
inline std::vector<Node> TestTree()
{
    return {
        {0, "Main", {}},
        {1, "ScreenWnd", {1, 12, 0, 0, 0, 0, "scr", "TitleKey", 7}},
        {2, "Settings_", {"blue", -1, -1}},
        {2, "SndMusic_", {"music", 1}},
        {1, "Dlg", {0, 11, 0, 0, 200, 120, "DlgTitle", "frm", 3}},
        {2, "Label", {1, 0, 1, 1, 10, 10}},
        {2, "Label", {1, 0, 2, 2, 10, 10}},
        {2, "Icon", {1, 0, 5, 40, 0, 0, "ico", 1, 1}},
        {2, "Btn", {1, 0, 20, 60, 80, 30, "pic", "btn"}},
        {3, "Hint_", {"HintKey"}},
        {3, "Help_", {"/Texts/help1", "HelpTitle"}},
        {2, "SndShow_", {"/Sounds/ding", 0}},
        {1, "Anchored", {0, 9, 0, -20, 100, 20}},
        {1, "Caption", {1, 0, 0, 0, 100, 20, "btn", "pic", "CapKey", 9}},
        {1, "Wide", {1, 0, 0, 0, 100, 20, "wide", "pic", "CapKey", 9}},
        {1, "Plain", {0, 0, 10, 10, 100, 80, "", "btn", 0}},
        {1, "Shot", {1, 12, 0, 0, 0, 0, "shot", "ShotTitle", 9}},
        {2, "Settings_", {"blue", -1, -1}},
    };
}

// Mounts the data set and starts the path, resource and UI managers; font 0
// has glyphs 10 wide and 10 high for 'a'..'z'.
class UiDataRig : public UiRig {
protected:
    void SetUp() override
    {
        UiRig::SetUp();
        PackWriter pack(100);
        std::vector<uint8_t> pool, table;
        ui_tree_fixture::WriteUiTree(TestTree(), pool, table);
        ASSERT_TRUE(pack.AddFile("UI/test", "uit", pool));
        ASSERT_TRUE(pack.AddFile("UI/test", "uib", table));
        ASSERT_TRUE(pack.AddText("Locale/locale", "txt",
                                 "TitleKey=abcdefgh\r\nDlgTitle=abcde\r\nHintKey=tip\r\nCapKey=abcdefghi\r\n"
                                 "ShotTitle=abc\r\nHelpTitle=Help me\r\n"));
        // Button skin "btn", row form: caps 8 wide, 20 high.
        ASSERT_TRUE(pack.AddFile("Skin/btn/btn_l", "img", Img(SolidPicture(8, 20, 3))));
        ASSERT_TRUE(pack.AddFile("Skin/btn/btn_c", "img", Img(SolidPicture(4, 20, 4))));
        ASSERT_TRUE(pack.AddFile("Skin/btn/btn_r", "img", Img(SolidPicture(8, 20, 5))));
        ASSERT_TRUE(pack.AddFile("Skin/btn/btn_c_push", "img", Img(SolidPicture(4, 20, 6))));
        // Button skin "wide": a column-form skin would fix the width; a single
        // client-only nine-part form fixes nothing.
        ASSERT_TRUE(pack.AddFile("Skin/col/btn_m", "img", Img(SolidPicture(20, 4, 2))));
        ASSERT_TRUE(pack.AddFolder("Skin/none"));
        ASSERT_TRUE(pack.AddFile("Skin/wide/client", "img", Img(SolidPicture(4, 4, 2))));
        // Frame skin "frm": 4-pixel border, top row 8 high, title images 16 high.
        const char* parts[] = {"frame_ul", "frame_u",  "frame_ur", "frame_l",
                               "frame_r",  "frame_dl", "frame_d",  "frame_dr"};
        const uint16_t sizes[][2] = {{4, 8}, {4, 8}, {4, 8}, {4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4}};
        for (int i = 0; i < 8; ++i) {
            ASSERT_TRUE(
                pack.AddFile(std::string("Skin/frm/") + parts[i], "img",
                             Img(SolidPicture(sizes[i][0], sizes[i][1], static_cast<uint8_t>(10 + i)))));
        }
        ASSERT_TRUE(pack.AddFile("Skin/frm/client", "img", Img(SolidPicture(4, 4, 1))));
        ASSERT_TRUE(pack.AddFile("Skin/frm/title_l", "img", Img(InnerBox(20, 16, 6, 3, 8, 10, 30), true)));
        ASSERT_TRUE(pack.AddFile("Skin/frm/title_r", "img", Img(InnerBox(20, 16, 6, 3, 8, 10, 31), true)));
        ASSERT_TRUE(pack.AddFile("Skin/frm/title_c", "img", Img(InnerBox(4, 16, 0, 3, 4, 10, 32), true)));
        // Screen skin "scr": animations 1, 2 and 4 (4 is never reached).
        ASSERT_TRUE(pack.AddFile("Skin/scr/wallpaper", "img", Img(SolidPicture(200, 100, 40))));
        ASSERT_TRUE(pack.AddFile("Skin/scr/animation001", "ani", Ani(3, 0)));
        ASSERT_TRUE(pack.AddFile("Skin/scr/animation002", "ani", Ani(2, 255)));
        ASSERT_TRUE(pack.AddFile("Skin/scr/animation004", "ani", Ani(2, 0)));
        // Screen skin "shot", for the pixel comparison.
        ASSERT_TRUE(pack.AddFile("Skin/shot/wallpaper", "img", Img(RandomPicture(7, 240, 320, 10))));
        ASSERT_TRUE(pack.AddFile("Skin/shot/title_c", "img", Img(SolidPicture(2, 14, 50))));
        std::vector<Rgb> blue(256);
        for (int i = 0; i < 256; ++i)
            blue[i] = Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 200};
        ASSERT_TRUE(pack.AddFile("Palettes/blue", "pal", MustEncode(EncodePalette(blue))));
        ASSERT_TRUE(pack.AddFile("Images/Btn/pic", "img", Img(SolidPicture(30, 12, 60))));
        ASSERT_TRUE(pack.AddFile("Images/Icons/ico", "img", Img(SolidPicture(16, 14, 61), true)));
        ASSERT_TRUE(pack.AddText("Texts/help1", "txt", "The whole help text."));
        ASSERT_TRUE(pack.AddFile("Sounds/ding", "wav", ToneWav(100)));
        ASSERT_TRUE(pack.AddFile("Sounds/music", "wav", ToneWav(200)));
        m_data.AddPack("ui", pack);
        ASSERT_TRUE(m_data.Mount());
        ASSERT_TRUE(CPathMgr::Init());
        ASSERT_TRUE(CUIMgr::Init());
        ASSERT_TRUE(CUIMgr::LoadUiTree("test"));
        m_font = MustEncode(EncodeFont(PatternFont(10, 'a', 26, 10, 2)));
        FontData font;
        ASSERT_TRUE(font.Assign(m_font.data(), static_cast<uint32_t>(m_font.size())));
        ClearFontList();
        RegisterFont(font);
    }
    void TearDown() override
    {
        CWindowMgr::Shutdown();
        ClearSkinCache();
        ClearFontList();
        SetToolkitHooks({});
        CUIMgr::Shutdown();
        CPathMgr::Shutdown();
        UiRig::TearDown();
    }
    FixtureData m_data;
    std::vector<uint8_t> m_font;
};

}  // namespace ui_test

#pragma once
// The shell's test rig: the screen rig with the application's root window
// and a small data set written in code (UI trees, skins, pictures, texts,
// sounds, a font) for the message box, the text windows and the title
// screen.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/root_screen_wnd.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/screen/screen_rig.h"
#include "tests/support/ui_tree_writer.h"
#include "tools/pack/pack_writer.h"
#include "ui/skin.h"
#include "ui/ui_link.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace shell_test {

using Node = ui_tree_fixture::TreeNode;

inline std::vector<uint8_t> Img(const IndexedPicture& picture, bool transparent = false)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    return MustEncode(EncodeImage(picture, options));
}

// The frame skins' border: 4 pixels, the top row 8 high; a title bar 16 high.
inline void AddFrameSkin(PackWriter& pack, const std::string& folder)
{
    const char* parts[] = {"frame_ul", "frame_u",  "frame_ur", "frame_l",
                           "frame_r",  "frame_dl", "frame_d",  "frame_dr"};
    const uint16_t sizes[][2] = {{4, 8}, {4, 8}, {4, 8}, {4, 4}, {4, 4}, {4, 4}, {4, 4}, {4, 4}};
    for (int i = 0; i < 8; ++i) {
        pack.AddFile(folder + "/" + parts[i], "img",
                     Img(SolidPicture(sizes[i][0], sizes[i][1], static_cast<uint8_t>(10 + i))));
    }
    pack.AddFile(folder + "/client", "img", Img(SolidPicture(4, 4, 1)));
    pack.AddFile(folder + "/title_l", "img", Img(SolidPicture(6, 16, 30)));
    pack.AddFile(folder + "/title_r", "img", Img(SolidPicture(6, 16, 31)));
    pack.AddFile(folder + "/title_c", "img", Img(SolidPicture(2, 16, 32)));
}

// n lines "line N" joined by mark-up line breaks.
inline std::string Lines(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            text += "{br}";
        text += "line " + std::to_string(i + 1);
    }
    return text;
}

// The tree "main" of the tests. "MessageWnd" carries its four values; the
// tree "bare" has none of the shell's nodes, "wide" asks for wide texts.
inline std::vector<Node> MainTree(int minButton, int maxButton, int minTextW, int minTextH)
{
    return {
        {0, "Main", {}},
        {1, "MessageWnd", {minButton, maxButton, minTextW, minTextH}},
        {2, "Btn", {1, 9, 0, 0, 60, 24, "", "btn"}},
        {1, "CreditsWnd", {1, 12, 0, 0, 0, 0, "scr", "", 0, "/Texts/credits"}},
        {1, "ShortWnd", {1, 12, 0, 0, 0, 0, "scr", "", 0, "/Texts/short"}},
        {1, "PagedWnd", {0, 11, 0, 0, 200, 120, "PagedTitle", "frm", 3}},
        {2, "Text", {1, 0, 0, 0, 180, 50, ""}},
        {2, "CloseBtn", {1, 0, 0, 70, 40, 20, "btn", "", "", 0}},
        {2, "PageSelector", {1, 0, 50, 70, 100, 20, "%d", 1, 1, 1, 1, 1}},
    };
}

inline void AddTree(PackWriter& pack, const std::string& name, const std::vector<Node>& nodes)
{
    std::vector<uint8_t> pool, table;
    ui_tree_fixture::WriteUiTree(nodes, pool, table);
    pack.AddFile("UI/" + name, "uit", pool);
    pack.AddFile("UI/" + name, "uib", table);
}

class ShellRig : public screen_rig::ScreenRig {
protected:
    void LoadData() override
    {
        PackWriter pack(100);
        AddTree(pack, "main", MainTree(70, 120, 150, 50));
        AddTree(pack, "wide", MainTree(70, 120, 400, 50));
        AddTree(pack, "narrow", MainTree(90, 100, 150, 50));
        AddTree(pack, "bare", {{0, "Other", {}}});
        pack.AddText("Locale/locale", "txt",
                     "PagedTitle=Paged\r\nBoxTitle=A title of some length\r\nShortT=Hi\r\n");
        AddFrameSkin(pack, "Skin/Scroll");
        AddFrameSkin(pack, "Skin/frm");
        pack.AddFile("Skin/btn/btn_l", "img", Img(SolidPicture(4, 24, 3)));
        pack.AddFile("Skin/btn/btn_c", "img", Img(SolidPicture(4, 24, 4)));
        pack.AddFile("Skin/btn/btn_r", "img", Img(SolidPicture(4, 24, 5)));
        pack.AddFile("Skin/scr/wallpaper", "img", Img(SolidPicture(240, 320, 40)));
        pack.AddFile("Images/Btn/Ok", "img", Img(SolidPicture(20, 10, 60)));
        pack.AddFile("Images/Btn/Cancel", "img", Img(SolidPicture(30, 10, 61)));
        pack.AddText("Texts/credits", "txt", Lines(90));
        pack.AddText("Texts/short", "txt", "Just one line");
        pack.AddFile("Sounds/new_turn", "wav", ToneWav(100));
        MountPack("shell", pack, "main");
        ClearFontList();
        AddPatternFont(10, 6, 32, 91);
    }
    RootWindowFactory RootWindow() const override { return &NewRootScreenWnd; }
};

}  // namespace shell_test

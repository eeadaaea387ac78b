#pragma once
// The controls' test rig: the headless window rig with three fixed-width
// fonts, a UI tree, a locale, skins and pictures written in code into one
// small pack.
//   font 0: every glyph 6 wide, 10 high; font 1: 4 x 7; font 2: 3 x 5.

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/font.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/task_mgr.h"
#include "core/ui_mgr.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/screen/ui_rig.h"
#include "tests/support/ui_tree_writer.h"
#include "ui/skin.h"
#include "ui/ui_link.h"

namespace controls_test {

using ui_tree_fixture::TreeNode;
using ui_tree_fixture::TreeValue;
using ui_tree_fixture::WriteUiTree;

inline std::vector<uint8_t> Picture(uint16_t width, uint16_t height, uint8_t colour, int16_t hotX = 0)
{
    ImageEncodeOptions options;
    options.hotX = hotX;
    return MustEncode(EncodeImage(SolidPicture(width, height, colour), options));
}

inline std::vector<uint8_t> Animation(int frames, uint16_t width, uint16_t height)
{
    std::vector<IndexedPicture> pictures;
    for (int i = 0; i < frames; ++i)
        pictures.push_back(SolidPicture(width, height, static_cast<uint8_t>(20 + i)));
    AnimEncodeOptions options;
    options.rate = 100;
    options.loopBack = 0;
    return MustEncode(EncodeAnimation(pictures, options));
}

// Adds a button skin of one client image (no fixed size) under "Skin/<name>".
inline void AddButtonSkin(PackWriter& pack, const std::string& name, uint16_t width, uint16_t height,
                          uint8_t colour)
{
    // A row form (left, centre, right caps) fixes the height only; the caps
    // give the skin its width when a part is sized to it.
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btn_l", "img", Picture(width / 2, height, colour)));
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btn_c", "img", Picture(1, height, colour)));
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btn_r", "img", Picture(width - width / 2, height, colour)));
}

// A button skin of four corners only: both its width and height are fixed,
// so a part given the rect (0,0,0,0) takes exactly this size.
inline void AddFixedButtonSkin(PackWriter& pack, const std::string& name, uint16_t width, uint16_t height,
                               uint8_t colour)
{
    const uint16_t w1 = width / 2, w2 = width - width / 2, h1 = height / 2, h2 = height - height / 2;
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btnfrm_ul", "img", Picture(w1, h1, colour)));
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btnfrm_ur", "img", Picture(w2, h1, colour)));
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btnfrm_dl", "img", Picture(w1, h2, colour)));
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btnfrm_dr", "img", Picture(w2, h2, colour)));
}

// A column button skin: its width is fixed, its height follows the rect.
inline void AddColumnButtonSkin(PackWriter& pack, const std::string& name, uint16_t width, uint8_t colour)
{
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btn_u", "img", Picture(width, 2, colour)));
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btn_m", "img", Picture(width, 1, colour)));
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/btn_d", "img", Picture(width, 2, colour)));
}

// A frame skin with a border 4 wide (the top 8 high) under "Skin/<name>".
inline void AddFrameSkin(PackWriter& pack, const std::string& name, uint8_t colour)
{
    const char* parts[] = {"frame_ul", "frame_u",  "frame_ur", "frame_l",
                           "frame_r",  "frame_dl", "frame_d",  "frame_dr"};
    const uint16_t heights[] = {8, 8, 8, 4, 4, 4, 4, 4};
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(pack.AddFile("Skin/" + name + "/" + parts[i], "img", Picture(4, heights[i], colour)));
    }
    ASSERT_TRUE(pack.AddFile("Skin/" + name + "/client", "img", Picture(4, 4, 1)));
}

// A frame hook that runs scripted actions at given frame steps, then
// delivers the queued events. After `limit` steps it sets the quit flag, so
// a modal loop that a test fails to close still ends.
class StepScript : public FrameHook {
public:
    void OnFrame() override
    {
        ++steps;
        for (auto& [at, action] : actions) {
            if (at == steps)
                action();
        }
        if (steps >= limit)
            QuitFlag = 1;
        if (CWindowMgr::IsUp())
            CWindowMgr::ProcessEvents();
    }
    void At(int step, std::function<void()> action) { actions.emplace_back(step, std::move(action)); }
    void TapAt(int step, int x, int y)
    {
        At(step, [x, y] {
            PenDownSignal.FirePoint(PackedPoint(x, y));
            PenUpSignal.FirePoint(PackedPoint(x, y));
        });
    }
    int steps = 0;
    int limit = 200;
    std::vector<std::pair<int, std::function<void()>>> actions;
};

class ControlsRig : public ui_test::UiRig {
protected:
    // Tests add their own resources to `pack` in their SetUp before calling
    // Mount(tree, locale).
    void Mount(const std::vector<TreeNode>& tree, const std::string& locale)
    {
        std::vector<uint8_t> pool, table;
        WriteUiTree(tree, pool, table);
        ASSERT_TRUE(pack.AddFile("UI/test", "uit", pool));
        ASSERT_TRUE(pack.AddFile("UI/test", "uib", table));
        ASSERT_TRUE(pack.AddText("Locale/locale", "txt", locale));
        MountPack("controls", pack, "test");
        // The resource manager's start forgets the fonts registered before.
        RegisterFonts();
    }
    void SetUp() override
    {
        ui_test::UiRig::SetUp();
        RegisterFonts();
    }
    void RegisterFonts()
    {
        ClearFontList();
        m_fonts.clear();
        AddPatternFont(10, 6);
        AddPatternFont(7, 4);
        AddPatternFont(5, 3);
    }
    // Installs a fresh step script as the frame hook (the hook owns it).
    StepScript* Script()
    {
        auto* script = new StepScript;
        SetFrameHook(script);
        return script;
    }

    PackWriter pack{100};
};

}  // namespace controls_test

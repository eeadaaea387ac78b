#pragma once
// The map dialogs' test rig: a headless 240 x 320 display, the window
// manager, a scripted frame hook, a small world with one human player, and a
// data set written in code: a UI tree with the castle and covert windows
// under "/Map/MapWnd", castle pictures, resource icons and a font.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/build_folder.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/ui_tree_writer.h"
#include "tools/pack/pack_writer.h"
#include "ui/skin.h"
#include "ui/ui_link.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace dialog_test {

using Node = ui_tree_fixture::TreeNode;
using Value = ui_tree_fixture::TreeValue;

// Layout heads: visible, anchor, x, y, width, height.
inline Node Frame(int depth, const std::string& name, int width = 200, int height = 220)
{
    return {depth, name, {0, 11, 0, 0, width, height, "", "", 0}};
}
inline Node Button(int depth, const std::string& name, int x, int y, int w = 60, int h = 24)
{
    return {depth, name, {1, 0, x, y, w, h, "", ""}};
}
inline Node Res(int depth, const std::string& name, int x, int y)
{
    return {depth, name, {1, 0, x, y, 180, 14, "", 2, 1, 8, 0}};
}
inline Node Label(int depth, const std::string& name, int x, int y)
{
    return {depth, name, {1, 0, x, y, 80, 12, name, 2, 1, 8}};
}
inline Node Icon(int depth, const std::string& name, int x, int y, const std::string& picture = "")
{
    return {depth, name, {1, 0, x, y, 20, 20, picture, 1, 1}};
}
// A text control with its list of strings (locale keys: unknown keys are
// the texts themselves, so the formats can stand here as they are).
inline Node Text(int depth, const std::string& name, int x, int y, std::vector<std::string> strings)
{
    std::vector<Value> values{1, 0, x, y, 180, 14, static_cast<int>(strings.size())};
    for (const std::string& s : strings)
        values.emplace_back(s);
    values.emplace_back(2);
    values.emplace_back(8);
    return {depth, name, values};
}
inline Node Scroller(int depth, const std::string& name, int x, int y)
{
    return {depth, name, {1, 0, x, y, 120, 16, "%d", 1, 1, 1, 1, 1}};
}

inline std::vector<Node> DialogTree();
inline void AddDialogArt(PackWriter& pack);

inline CDrawContext* NewScreenContext()
{
    return new (std::nothrow) CDrawContext;
}

class ScriptHook : public FrameHook {
public:
    void OnFrame() override
    {
        if (before)
            before();
        if (CWindowMgr::IsUp())
            CWindowMgr::ProcessEvents();
    }
    std::function<void()> before;
};

inline CWindow* MakePlainRoot()
{
    return new (std::nothrow) CWindow;
}

class DialogRig : public testing::Test {
protected:
    void SetUp() override
    {
        HeadlessOptions options;
        options.closeAfterSteps = 0;
        options.settings.shots = TestBuildFolder() + "/shots";
        std::error_code ignored;
        std::filesystem::create_directories(options.settings.shots, ignored);
        m_headless = &UseHeadlessPlatform(options);
        SetDrawContextFactory(NewScreenContext);
        ASSERT_TRUE(m_display.Open());
        SetDisplaySurface(&m_display);
        InitRasterOps();
        ResetPaletteStack();
        QuitFlag = 0;
        PaintMerge = 1;

        PackWriter pack(100);
        std::vector<uint8_t> pool, table;
        ui_tree_fixture::WriteUiTree(DialogTree(), pool, table);
        pack.AddFile("UI/test", "uit", pool);
        pack.AddFile("UI/test", "uib", table);
        pack.AddText("Locale/locale", "txt",
                     "DescMarket=The market trades\r\nHintCaslNone=No castle here\r\n");
        AddDialogArt(pack);
        m_data.AddPack("dialogs", pack);
        ASSERT_TRUE(m_data.Mount());
        ASSERT_TRUE(CPathMgr::Init());
        ASSERT_TRUE(CUIMgr::Init());
        ASSERT_TRUE(CUIMgr::LoadUiTree("test"));
        m_font = MustEncode(EncodeFont(PatternFont(8, 32, 95, 6, 1)));
        FontData font;
        ASSERT_TRUE(font.Assign(m_font.data(), static_cast<uint32_t>(m_font.size())));
        ClearFontList();
        RegisterFont(font);

        SetRootScreenWndFactory(MakePlainRoot);
        m_hook = new ScriptHook;
        SetFrameHook(m_hook);
        ASSERT_TRUE(CWindowMgr::Init());
        Root()->SetRect(PackedRect(0, 0, 239, 319), false);
        CWindowMgr::ProcessEvents();

        m_savedRules = Rules();
        SessionInit(0);
        Game().world->kinds = {FourCC("gold"), FourCC("metl"), FourCC("ston")};
        Game().world->SetPlayerCount(1);
        Game().world->SetProvinceCount(2);
        Game().world->currentPlayer = 0;
        Province(0).index = 0;
        Province(1).index = 1;
    }
    void TearDown() override
    {
        EndSession();
        Rules() = m_savedRules;
        CWindowMgr::Shutdown();
        SetFrameHook(nullptr);
        SetRootScreenWndFactory(nullptr);
        ClearSkinCache();
        ClearFontList();
        SetToolkitHooks({});
        CUIMgr::Shutdown();
        CPathMgr::Shutdown();
        SetDisplaySurface(nullptr);
        m_display.Close();
        QuitFlag = 0;
    }

    CWindow* Root() { return CWindowMgr::Root(); }
    void Tap(int x, int y)
    {
        PenDownSignal.FirePoint(PackedPoint(x, y));
        PenUpSignal.FirePoint(PackedPoint(x, y));
        CWindowMgr::ProcessEvents();
    }
    static PackedPoint CentreOf(const CWindow* window)
    {
        const PackedRect& r = window->GetNode()->screenRect;
        return PackedPoint((r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2);
    }
    void TapOn(const CWindow* window)
    {
        const PackedPoint p = CentreOf(window);
        Tap(p.X(), p.Y());
    }
    // The next frame steps run these actions, one a frame; a step after the
    // last quits, so a modal run never hangs.
    void Script(std::vector<std::function<void()>> steps)
    {
        auto shared = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
        auto at = std::make_shared<size_t>(0);
        m_hook->before = [shared, at] {
            if (*at < shared->size()) {
                auto step = (*shared)[(*at)++];
                step();
            } else {
                RequestQuit();
            }
        };
    }
    // A script step that taps a window (looked up when the step runs).
    std::function<void()> TapStep(std::function<CWindow*()> window)
    {
        return [this, window] {
            if (CWindow* w = window())
                TapOn(w);
        };
    }
    std::function<void()> Idle()
    {
        return [] {};
    }

    PlayerRecord& Player() { return Game().world->Player(0); }
    ProvinceRecord& Province(int i) { return Game().world->Province(i); }
    // Paints what is pending and writes the screen as build/shots/<name>.
    bool Shot(const std::string& name)
    {
        // A palette in which the test pictures' colours tell apart: text
        // colour 8 white, the background dark.
        uint8_t rgb[768];
        for (int i = 0; i < 256; ++i) {
            rgb[i * 3] = static_cast<uint8_t>(60 + (i * 37) % 190);
            rgb[i * 3 + 1] = static_cast<uint8_t>(60 + (i * 91) % 190);
            rgb[i * 3 + 2] = static_cast<uint8_t>(60 + (i * 53) % 190);
        }
        const uint8_t fixed[][4] = {
            {0, 24, 24, 48}, {1, 50, 50, 90}, {8, 255, 255, 255}, {15, 255, 230, 120}};
        for (const auto& f : fixed) {
            rgb[f[0] * 3] = f[1];
            rgb[f[0] * 3 + 1] = f[2];
            rgb[f[0] * 3 + 2] = f[3];
        }
        SetDisplayPalette(rgb);
        Root()->Invalidate();
        CWindowMgr::ProcessEvents();
        m_display.Flush();
        return m_headless->Screenshot(name);
    }

    HeadlessBackend* m_headless = nullptr;
    CDisplaySurface m_display;
    FixtureData m_data;
    std::vector<uint8_t> m_font;
    ScriptHook* m_hook = nullptr;
    GameRules m_savedRules;
};

// The text of a window (a text control's mark-up text).
inline std::string TextOf(const CWindow* window)
{
    return window != nullptr ? std::string(window->Text().Chars()) : std::string("<none>");
}

}  // namespace dialog_test

#include "tests/mapdialogs/dialog_data.h"

#pragma once
// The map dialogs' test rig: the screen rig with a plain root, a small world
// with one human player, and a data set written in code: a UI tree with the castle and covert windows
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
#include "tests/support/screen/screen_rig.h"
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

class DialogRig : public screen_rig::ScreenRig {
protected:
    void LoadData() override
    {
        PackWriter pack(100);
        std::vector<uint8_t> pool, table;
        ui_tree_fixture::WriteUiTree(DialogTree(), pool, table);
        pack.AddFile("UI/test", "uit", pool);
        pack.AddFile("UI/test", "uib", table);
        pack.AddText("Locale/locale", "txt",
                     "DescMarket=The market trades\r\nHintCaslNone=No castle here\r\n");
        AddDialogArt(pack);
        MountPack("dialogs", pack, "test");
        ClearFontList();
        AddPatternFont(8, 6, 32, 95);
    }
    RootWindowFactory RootWindow() const override { return &screen_rig::MakePlainRoot; }
    void SetUp() override
    {
        ScreenRig::SetUp();
        ASSERT_FALSE(HasFatalFailure());
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
        ScreenRig::TearDown();
    }

    PlayerRecord& Player() { return Game().world->Player(0); }
    ProvinceRecord& Province(int i) { return Game().world->Province(i); }
    bool Shot(const std::string& name)
    {
        UseSpreadPalette();
        return ScreenRig::Shot(name);
    }

    GameRules m_savedRules;
};

// The text of a window (a text control's mark-up text).
inline std::string TextOf(const CWindow* window)
{
    return window != nullptr ? std::string(window->Text().Chars()) : std::string("<none>");
}

}  // namespace dialog_test

#include "tests/mapdialogs/dialog_data.h"

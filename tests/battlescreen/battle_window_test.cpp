#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battlescreen/map_battle_wnd.h"
#include "core/display_surface.h"
#include "core/raster.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "tests/battlescreen/battle_window_bench.h"
#include "ui/window_mgr.h"

namespace battlescreen_test {
namespace {

class BattleWindowTest : public BattleWindowBench {};

int32_t UnitsOf(const PlayerRecord& player)
{
    int32_t units = 0;
    for (int i = 0; i < player.army.Count(); ++i)
        units += player.army.Item(i)->count;
    return units;
}

TEST_F(BattleWindowTest, ComputerSidesFightABattleToItsEndInsideTheWindow)
{
    AddUnits(attacker_, "Swordsman", 12);
    AddUnits(attacker_, "Archer", 10);
    AddUnits(attacker_, "Knight", 3);
    AddUnits(defender_, "Spearman", 12);
    AddUnits(defender_, "Slinger", 10);
    AddUnits(defender_, "Axeman", 6);
    auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    ASSERT_TRUE(wnd->HasControls());
    wnd->SetBattleParams(&params_);
    int over = 0;
    size_t spritesAtEnd = 0;
    int32_t depthDuringBattle = -1;
    wnd->battleOverHandler = [&]() {
        ++over;
        spritesAtEnd = size_t(wnd->FieldView().SpriteCount());
        depthDuringBattle = PaletteStackDepth();
        Shot("computer_end");
    };
    bool shotTaken = false;
    hook_->before = [&]() {
        // A look at the field in the thick of it.
        if (!shotTaken && hook_->frames == 400) {
            shotTaken = true;
            Shot("computer_mid");
        }
    };
    const uint16_t result = RunModal(wnd->Window());
    EXPECT_NE(result, ResultQuit);
    EXPECT_EQ(over, 1);
    EXPECT_GE(spritesAtEnd, 6u) << "the sprites stood until the battle was over";
    EXPECT_EQ(depthDuringBattle, 1) << "the battle palette was pushed while the battle was shown";
    EXPECT_EQ(PaletteStackDepth(), 0) << "and popped when the window hid";
    EXPECT_FALSE(IsPaletteLocked());
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_TRUE(UnitsOf(attacker_) == 0 || UnitsOf(defender_) == 0);
    EXPECT_FALSE(wnd->Window()->IsVisible());
    EXPECT_EQ(wnd->FieldView().SpriteCount(), 0) << "the field is cleared when the window hides";
    EXPECT_FALSE(g_battleHooks.battleEvent.IsBound()) << "the battle's end unbinds the engine's hooks";
    EXPECT_TRUE(g_battleEventQueue.empty());
    delete wnd;
}

TEST_F(BattleWindowTest, ABattleWithoutScreenRunsWithNoHookPaletteOrSound)
{
    AddUnits(attacker_, "Swordsman", 12);
    AddUnits(defender_, "Militia", 4);
    params_.noScreen = 1;
    auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    wnd->SetBattleParams(&params_);
    bool hooksBound = true;
    int32_t depth = -1;
    wnd->battleOverHandler = [&]() {
        hooksBound = g_battleHooks.redraw.IsBound() || g_battleHooks.waitStep.IsBound() ||
                     g_battleHooks.visualCreation.IsBound();
        depth = PaletteStackDepth();
    };
    RunModal(wnd->Window());
    EXPECT_FALSE(hooksBound);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(wnd->FieldView().SpriteCount(), 0);
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_EQ(UnitsOf(defender_), 0);
    EXPECT_FALSE(wnd->Window()->IsVisible()) << "the window still closes itself";
    delete wnd;
}

}  // namespace
}  // namespace battlescreen_test

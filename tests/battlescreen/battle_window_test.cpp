#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/side_controller.h"
#include "battle/squad_battle_state.h"
#include "app/message_wnd.h"
#include "battlescreen/batl_ani_cache_mgr.h"
#include "mapdialogs/game_menu.h"
#include "battlescreen/map_battle_wnd.h"
#include "core/display_surface.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "tests/battlescreen/battle_window_bench.h"
#include "core/resource_mgr.h"
#include "core/timer.h"
#include "game/squad_type.h"
#include "ui/button.h"
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
        if (hook_->frames > 40000) {
            ADD_FAILURE() << "the battle did not end";
            BattleCommand(1);
        }
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

namespace battlescreen_test {
namespace {

class HumanBattleTest : public BattleWindowBench {
protected:
    // The screen point of a cell's centre.
    PackedPoint CellPoint(CMapBattleWnd* wnd, uint8_t cell)
    {
        PackedPoint p;
        EXPECT_TRUE(wnd->FieldView().CellPosition(cell, p));
        p.Add(wnd->FieldOrigin());
        return p;
    }
    PackedPoint Centre(CWindow* control)
    {
        const PackedRect r = CWindow::LocalToScreen(control, PackedRect(0, 0, control->Width() - 1, control->Height() - 1));
        return PackedPoint((r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2);
    }
};

TEST_F(HumanBattleTest, ScriptedTapsSelectMoveAndAttack)
{
    AddUnits(attacker_, "Knight", 4);
    AddUnits(defender_, "Militia", 3);
    params_.attackerSideKind = 0;  // played by hand
    params_.obstacleLayout = 0;    // an empty field
    auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    wnd->SetBattleParams(&params_);
    CSquad* knights = attacker_.army.Item(0);
    CSquad* militia = defender_.army.Item(0);
    auto centreOf = [&](CSquad* squad) {
        const PackedRect frame = wnd->FieldView().FindSprite(squad->battleHandle)->player.FrameRect();
        return PackedPoint((frame.Left() + frame.Right()) / 2, (frame.Top() + frame.Bottom()) / 2);
    };

    // Deploy, select the knights, mark the militia as their target, then
    // send them one cell on instead and confirm; the commanders play the rest.
    enum Stage { kPlace, kSelect, kTarget, kMove, kConfirmMove, kAuto, kDone };
    Stage stage = kPlace;
    uint64_t lastTap = 0;
    uint8_t moveCell = 0;
    uint8_t cellBeforeMove = 0;
    bool selected = false, targetMarked = false, orderMarked = false;
    std::string squadLabel;
    auto tap = [&](const PackedPoint& p, Stage next) {
        Tap(p.X(), p.Y());
        lastTap = hook_->frames;
        stage = next;
    };
    hook_->before = [&]() {
        // Leave the field a few frames to settle after each tap.
        if (hook_->frames < lastTap + 6 || g_waitingForEvents)
            return;
        const bool ourTurn = g_battle.phase == kPhaseAttacker && g_battle.activeSide == 1;
        CWindow* start = wnd->CommandControl(kButtonStart);
        CWindow* autoButton = wnd->CommandControl(kButtonAuto);
        if (hook_->frames > 30000) {
            ADD_FAILURE() << "the script got stuck at stage " << stage << " auto " << autoButton->IsVisible() << autoButton->IsReallyVisible() << autoButton->IsEnabled() << " our " << ourTurn << " cell " << knights->cell << " phase " << g_battle.phase << " words " << g_battleStateWords.a << "/" << g_battleStateWords.b;
            BattleCommand(1);
            return;
        }
        switch (stage) {
        case kPlace:
            if (g_battle.phase == kPhasePlacement && start->IsReallyVisible() && start->IsEnabled())
                tap(Centre(start), kSelect);
            break;
        case kSelect:
            if (ourTurn)
                tap(centreOf(knights), kTarget);
            break;
        case kTarget:
            if (wnd->CurrentSquad() == knights) {
                selected = true;
                squadLabel = wnd->Control("LblSquad")->Text().Chars();
                tap(centreOf(militia), kMove);
            }
            break;
        case kMove:
            for (const CommandCell& c : wnd->FieldView().CommandCells()) {
                PackedPoint at;
                wnd->FieldView().CellPosition(uint8_t(militia->cell), at);
                if (c.icon == 4 && c.position == at)
                    targetMarked = true;
            }
            cellBeforeMove = uint8_t(knights->cell);
            moveCell = uint8_t(knights->cell + 1);
            tap(CellPoint(wnd, moveCell), kConfirmMove);
            break;
        case kConfirmMove:
            if (wnd->FieldView().HasCommandCells()) {
                Shot("human_order");
                orderMarked = wnd->FieldView().CommandCells().back().position == CellPoint(wnd, moveCell);
                tap(CellPoint(wnd, moveCell), kAuto);
            }
            break;
        case kAuto:
            if (ourTurn && knights->cell != cellBeforeMove && autoButton->IsReallyVisible() && autoButton->IsEnabled())
                tap(Centre(autoButton), kDone);
            break;
        default:
            break;
        }
    };
    RunModal(wnd->Window());
    hook_->before = nullptr;
    EXPECT_TRUE(selected) << "the tap on the knights showed their information";
    EXPECT_EQ(squadLabel, "4");
    EXPECT_TRUE(targetMarked) << "the tap on the militia marked it as the target";
    EXPECT_TRUE(orderMarked) << "the move order was marked on the tapped cell";
    EXPECT_NE(knights->cell, cellBeforeMove) << "the confirming tap sent the knights off";
    EXPECT_EQ(stage, kDone);
    EXPECT_EQ(militia->count, 0) << "the militia fell to the knights";
    EXPECT_GT(knights->count, 0);
    EXPECT_EQ(BattleResult, kBattleEnded);
    delete wnd;
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

class BattleWindowControlsTest : public BattleWindowBench {
protected:
    void SetUp() override
    {
        BattleWindowBench::SetUp();
        wnd_ = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
        wnd_->SetBattleParams(&params_);
    }
    void TearDown() override
    {
        delete wnd_;
        BattleWindowBench::TearDown();
    }
    CMapBattleWnd* wnd_ = nullptr;
};

TEST_F(BattleWindowControlsTest, CommandStateShowsEnablesAndChecksTheChangedButtons)
{
    const uint32_t bits[] = {kButtonMenu, kButtonSplit, kButtonJoin, kButtonStart,
                             kButtonAuto, kButtonBridge, kButtonGuard, kButtonTurn};
    BattleStateWords none;
    wnd_->OnCommandState(&none, 0);
    for (uint32_t bit : bits) {
        EXPECT_FALSE(wnd_->CommandControl(bit)->IsVisible()) << bit;
        EXPECT_FALSE(wnd_->CommandControl(bit)->IsEnabled()) << bit;
    }
    struct Case {
        uint32_t changed;
        std::vector<uint32_t> updated;
    };
    const Case cases[] = {
        {64, {}},                                // no button of its own
        {kButtonGuard, {kButtonGuard}},
        {kButtonSplit | kButtonJoin, {kButtonSplit, kButtonJoin}},
        {0, {kButtonMenu, kButtonSplit, kButtonJoin, kButtonStart, kButtonAuto, kButtonBridge, kButtonGuard,
             kButtonTurn}},
    };
    for (const Case& c : cases) {
        wnd_->OnCommandState(&none, 0);
        BattleStateWords all;
        all.a = all.b = all.c = 0xFFFFFFFFu;
        wnd_->OnCommandState(&all, c.changed);
        for (uint32_t bit : bits) {
            const bool updated = std::find(c.updated.begin(), c.updated.end(), bit) != c.updated.end();
            CWindow* control = wnd_->CommandControl(bit);
            EXPECT_EQ(control->IsVisible(), updated) << "changed " << c.changed << " bit " << bit;
            EXPECT_EQ(control->IsEnabled(), updated) << "changed " << c.changed << " bit " << bit;
        }
    }
    // The toggles take the checked word; pressing one copies its look into
    // the engine's word before the command goes.
    BattleStateWords words;
    words.a = words.b = 0xFFFF;
    words.c = kButtonBridge;
    wnd_->OnCommandState(&words, 0);
    EXPECT_TRUE(static_cast<CPushButton*>(wnd_->CommandControl(kButtonBridge))->IsDrawnDown());
    EXPECT_FALSE(static_cast<CPushButton*>(wnd_->CommandControl(kButtonSplit))->IsDrawnDown());
}

TEST_F(BattleWindowControlsTest, TheActionModePicksTheTurnButtonsPicture)
{
    struct Case {
        uint32_t mode;
        bool shown;
    };
    const Case cases[] = {{1, true}, {0, false}, {2, true}, {3, true}, {7, true}};
    CWindow* turn = wnd_->CommandControl(kButtonTurn);
    for (const Case& c : cases) {
        wnd_->SetActionMode(c.mode);
        EXPECT_EQ(turn->IsVisible(), c.shown) << c.mode;
    }
    // Mode 7 is no mode: the button stayed as mode 3 left it.
}

TEST_F(BattleWindowControlsTest, SquadInformationFollowsTheSelectionAndTheStrength)
{
    AddUnits(attacker_, "Swordsman", 9);
    CSquad* squad = attacker_.army.Item(0);
    struct Case {
        int32_t hitPoints;
        const char* selected;  // "LblHP" when the squad is selected
        const char* refreshed; // and when its strength changes
    };
    const int32_t full = squad->type->hp;
    const Case cases[] = {
        {0, "1", "0"},
        {1, "1", "1"},
        {5, "5", "5"},
    };
    for (const Case& c : cases) {
        squad->hitPoints = c.hitPoints;
        wnd_->ShowSquadInfo(squad, true);
        EXPECT_EQ(wnd_->CurrentSquad(), squad);
        EXPECT_EQ(std::string(wnd_->Control("LblSquad")->Text().Chars()), "9");
        EXPECT_EQ(std::string(wnd_->Control("LblHP")->Text().Chars()),
                  std::string(c.selected) + "(" + std::to_string(full) + ")");
        EXPECT_TRUE(wnd_->Control("IcoSquad")->IsVisible());
        EXPECT_FALSE(wnd_->Control("LblSquadName")->IsVisible()) << "the name stays hidden";
        CBattleSprite sprite;
        sprite.object = squad;
        sprite.kind = kSpriteSquad;
        wnd_->OnSquadChanged(&sprite, true);
        EXPECT_EQ(std::string(wnd_->Control("LblHP")->Text().Chars()),
                  std::string(c.refreshed) + "(" + std::to_string(full) + ")");
    }
    // A squad whose strength is gone clears the information.
    CBattleSprite sprite;
    sprite.object = squad;
    sprite.kind = kSpriteSquad;
    wnd_->OnSquadChanged(&sprite, false);
    EXPECT_EQ(wnd_->CurrentSquad(), nullptr);
    EXPECT_FALSE(wnd_->Control("IcoSquad")->IsVisible());
    EXPECT_FALSE(wnd_->Control("LblSquad")->IsVisible());
}

TEST_F(BattleWindowControlsTest, TheScreenPaletteTakesTheTerrainAndBothSidesColours)
{
    RawResource units, second;
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/BattleUnits", units));
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/BattleTopImg2", second));
    attacker_.flagNumber = 2;
    defender_.flagNumber = 5;
    g_battle.obstacleLayout = 7;  // 7 / 5 + 1: the second terrain
    wnd_->LoadBattlePalette();
    wnd_->ApplySideColours();
    const uint8_t* screen = wnd_->ScreenPalette();
    EXPECT_EQ(std::memcmp(screen + 3 * 160, second.data + 3 * 160, 48), 0) << "the terrain's grass";
    EXPECT_EQ(std::memcmp(screen + 3 * 220, units.data + 3 * 36, 3 * 18), 0) << "the attacker's shades";
    EXPECT_EQ(std::memcmp(screen + 3 * 238, units.data + 3 * 90, 3 * 18), 0) << "the defender's shades";
    // A colour number past the units palette takes its last group.
    defender_.flagNumber = 200;
    wnd_->ApplySideColours();
    EXPECT_EQ(std::memcmp(screen + 3 * 238, units.data + 3 * (18 * (256 / 18) - 18), 3 * 18), 0);
    g_battle.obstacleLayout = 0;
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

TEST_F(BattleWindowTest, ASiegeIsFoughtAmongWallsGatesAndEngines)
{
    AddUnits(attacker_, "Swordsman", 14);
    AddUnits(attacker_, "Crossbowman", 10);
    AddUnits(attacker_, "Horseman", 6);
    AddUnits(defender_, "Warden", 10);
    AddUnits(defender_, "Ranger", 8);
    castle_.percent = 100;
    castle_.DefencesFromPercent();
    castle_.moat = 1;
    castle_.catapults = 2;
    params_.kind = kBattleSiege;
    params_.castle = &castle_;
    auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    wnd->SetBattleParams(&params_);
    std::vector<uint32_t> kinds;
    bool moat = false;
    wnd->battleOverHandler = [&]() { Shot("siege_end"); };
    bool shotTaken = false;
    hook_->before = [&]() {
        if (hook_->frames > 40000) {
            ADD_FAILURE() << "the siege did not end";
            BattleCommand(1);
        }
        if (!shotTaken && g_battle.phase == kPhaseAttacker && hook_->frames > 60) {
            shotTaken = true;
            moat = wnd->FieldView().moatVisible != 0;
            for (int32_t i = 0; i < wnd->FieldView().SpriteCount(); ++i)
                kinds.push_back(wnd->FieldView().SpriteAt(i)->kind);
            Shot("siege_mid");
        }
    };
    RunModal(wnd->Window());
    hook_->before = nullptr;
    auto count = [&](uint32_t kind) { return std::count(kinds.begin(), kinds.end(), kind); };
    EXPECT_TRUE(moat) << "a castle with a moat shows it";
    EXPECT_EQ(count(kSpriteWall), 4);
    EXPECT_EQ(count(kSpriteGates), 1);
    EXPECT_EQ(count(kSpriteBridge), 1);
    EXPECT_EQ(count(kSpriteTower), 4);
    EXPECT_EQ(count(kSpriteCatapult), 2);
    EXPECT_EQ(count(kSpriteTrebuchet), 1);
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_TRUE(UnitsOf(attacker_) == 0 || UnitsOf(defender_) == 0);
    EXPECT_EQ(PaletteStackDepth(), 0);
    delete wnd;
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

TEST_F(BattleWindowTest, EveryShippedUnitTypeHasAWholeSquadSet)
{
    // The bench preloaded the cache as the application does.
    ASSERT_GE(CBatlAniCacheMgr::Count(), 12);
    for (const char* id : {"Archer", "Axeman", "Crossbowman", "Fenrunner", "Horseman", "Knight", "Militia", "Ranger",
                           "Slinger", "Spearman", "Swordsman", "Warden"}) {
        CBatlAniCacheEntry* entry = CBatlAniCacheMgr::Find(kAnimSetSquad, CStr::ConcatChars(CStr("/Objects/Units/"), id));
        ASSERT_NE(entry, nullptr) << id;
        for (size_t i = 0; i < entry->animations.size(); ++i)
            EXPECT_TRUE(entry->animations[i].HasHeader()) << id << " " << AnimationSlotName(kAnimSetSquad, int32_t(i));
        for (int slot : {1, 2, 3, 6, 7, 9})
            EXPECT_TRUE(entry->sounds[size_t(slot)].HasHeader()) << id << " " << SoundSlotName(kAnimSetSquad, slot);
        const bool ranged = Type(id)->rangedAttack != 0;
        AnimationSetRef missile;
        LoadMissileAnimationSet(missile, entry->path);
        EXPECT_EQ(missile.Animation(0) != nullptr, ranged) << id << ": a missile only for those who shoot";
    }
}

}  // namespace
}  // namespace battlescreen_test

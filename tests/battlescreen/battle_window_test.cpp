#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/quick_battle.h"
#include "battle/side_controller.h"
#include "battle/squad_battle_state.h"
#include "battlescreen/batl_ani_cache_mgr.h"
#include "battlescreen/map_battle_wnd.h"
#include "core/display_surface.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/timer.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/player_colour.h"
#include "game/squad_type.h"
#include "mapdialogs/game_menu.h"
#include "tests/battlescreen/battle_window_rig.h"
#include "ui/button.h"
#include "ui/message_wnd.h"
#include "ui/window_mgr.h"

namespace battlescreen_test {
namespace {

class BattleWindowTest : public BattleWindowRig {};

int32_t UnitsOf(const PlayerRecord& player)
{
    int32_t units = 0;
    for (int i = 0; i < player.army.Count(); ++i)
        units += player.army.Item(i)->count;
    return units;
}

TEST_F(BattleWindowTest, ComputerSidesFightABattleToItsEndInsideTheWindow)
{
    AddUnits(m_attacker, "Swordsman", 12);
    AddUnits(m_attacker, "Archer", 10);
    AddUnits(m_attacker, "Knight", 3);
    AddUnits(m_defender, "Spearman", 12);
    AddUnits(m_defender, "Slinger", 10);
    AddUnits(m_defender, "Axeman", 6);
    auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    ASSERT_TRUE(wnd->HasControls());
    wnd->SetBattleParams(&m_params);
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
    m_hook->before = [&]() {
        if (m_hook->frames > 40000) {
            ADD_FAILURE() << "the battle did not end";
            BattleCommand(1);
        }
        // A look at the field in the thick of it.
        if (!shotTaken && m_hook->frames == 400) {
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
    EXPECT_TRUE(UnitsOf(m_attacker) == 0 || UnitsOf(m_defender) == 0);
    EXPECT_FALSE(wnd->Window()->IsVisible());
    EXPECT_EQ(wnd->FieldView().SpriteCount(), 0) << "the field is cleared when the window hides";
    EXPECT_FALSE(g_battleHooks.battleEvent.IsBound()) << "the battle's end unbinds the engine's hooks";
    EXPECT_TRUE(g_battleEventQueue.empty());
    delete wnd;
}

TEST_F(BattleWindowTest, ABattleWithoutScreenRunsWithNoHookPaletteOrSound)
{
    AddUnits(m_attacker, "Swordsman", 12);
    AddUnits(m_defender, "Militia", 4);
    m_params.noScreen = 1;
    auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    wnd->SetBattleParams(&m_params);
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
    EXPECT_EQ(UnitsOf(m_defender), 0);
    EXPECT_FALSE(wnd->Window()->IsVisible()) << "the window still closes itself";
    delete wnd;
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

class HumanBattleTest : public BattleWindowRig {
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
        const PackedRect r =
            CWindow::LocalToScreen(control, PackedRect(0, 0, control->Width() - 1, control->Height() - 1));
        return PackedPoint((r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2);
    }
};

TEST_F(HumanBattleTest, ScriptedTapsSelectMoveAndAttack)
{
    AddUnits(m_attacker, "Knight", 4);
    AddUnits(m_defender, "Militia", 3);
    m_params.attackerSideKind = 0;  // played by hand
    m_params.obstacleLayout = 0;    // an empty field
    auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    wnd->SetBattleParams(&m_params);
    CSquad* knights = m_attacker.army.Item(0);
    CSquad* militia = m_defender.army.Item(0);
    auto centreOf = [&](CSquad* squad) {
        const PackedRect frame = wnd->FieldView().FindSprite(squad->battleHandle)->player.FrameRect();
        return PackedPoint((frame.Left() + frame.Right()) / 2, (frame.Top() + frame.Bottom()) / 2);
    };

    // Deploy, select the knights, mark the militia as their target, then
    // send them one cell on instead and confirm; the commanders play the rest.
    enum Stage {
        kPlace,
        kSelect,
        kTarget,
        kMove,
        kConfirmMove,
        kAuto,
        kDone
    };
    Stage stage = kPlace;
    uint64_t lastTap = 0;
    uint8_t moveCell = 0;
    uint8_t cellBeforeMove = 0;
    bool selected = false, targetMarked = false, orderMarked = false;
    std::string squadLabel;
    auto tap = [&](const PackedPoint& p, Stage next) {
        Tap(p.X(), p.Y());
        lastTap = m_hook->frames;
        stage = next;
    };
    m_hook->before = [&]() {
        // Leave the field a few frames to settle after each tap.
        if (m_hook->frames < lastTap + 6 || g_waitingForEvents)
            return;
        const bool ourTurn = g_battle.phase == kPhaseAttacker && g_battle.activeSide == 1;
        CWindow* start = wnd->CommandControl(kButtonStart);
        CWindow* autoButton = wnd->CommandControl(kButtonAuto);
        if (m_hook->frames > 30000) {
            ADD_FAILURE() << "the script got stuck at stage " << stage << " auto " << autoButton->IsVisible()
                          << autoButton->IsReallyVisible() << autoButton->IsEnabled() << " our " << ourTurn
                          << " cell " << knights->cell << " phase " << g_battle.phase << " words "
                          << g_battleStateWords.a << "/" << g_battleStateWords.b;
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
            if (ourTurn && knights->cell != cellBeforeMove && autoButton->IsReallyVisible() &&
                autoButton->IsEnabled())
                tap(Centre(autoButton), kDone);
            break;
        default:
            break;
        }
    };
    RunModal(wnd->Window());
    m_hook->before = nullptr;
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

// Swordsmen without a trebuchet before a whole castle whose wardens never
// come out: nobody can reach anybody. With the computer on both sides, or on
// a person's side that he put on automatic, the attacker gives up after the
// quick battle's rounds and the window closes.
TEST_F(HumanBattleTest, ASiegeTheComputerCannotEndIsGivenUpAfterTheQuickBattlesRounds)
{
    for (bool person : {false, true}) {
        SCOPED_TRACE(person ? "a person's side on automatic" : "the computer on both sides");
        m_attacker.army.Clear();
        m_defender.army.Clear();
        AddUnits(m_attacker, "Swordsman", 10);
        m_attacker.army.flagB = 0;
        AddUnits(m_defender, "Warden", 10);
        m_castle.Reset();
        m_castle.percent = 100;
        m_castle.DefencesFromPercent();
        m_castle.moat = 1;
        m_params.kind = kBattleSiege;
        m_params.castle = &m_castle;
        m_params.attackerSideKind = person ? kSideKindHuman : kSideKindComputer;
        auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
        wnd->SetBattleParams(&m_params);
        int32_t rounds = 0;
        wnd->battleOverHandler = [&]() { rounds = g_battle.turnCounter; };
        // The person deploys as the squads stand, then lets the computer play
        // his side.
        const uint32_t taps[] = {kButtonStart, kButtonAuto};
        size_t tapped = person ? 0 : std::size(taps);
        uint64_t lastTap = 0;
        m_hook->before = [&]() {
            if (tapped == std::size(taps) || m_hook->frames < lastTap + 6 || g_waitingForEvents)
                return;
            CWindow* control = wnd->CommandControl(taps[tapped]);
            if (control->IsReallyVisible() && control->IsEnabled()) {
                const PackedPoint p = Centre(control);
                Tap(p.X(), p.Y());
                lastTap = m_hook->frames;
                ++tapped;
            }
        };
        // A guard of the test's own, far beyond the window's, so that a
        // window without one fails instead of turning for ever.
        const int32_t testGuard = 4 * kQuickBattleRoundLimit;
        g_battleTurnLimit = testGuard;
        BattleResult = kBattleNoResult;
        RunModal(wnd->Window());
        m_hook->before = nullptr;
        EXPECT_EQ(tapped, std::size(taps));
        EXPECT_EQ(BattleResult, kBattleAttackerGaveUp);
        // The round in which the person put his side on automatic was his.
        EXPECT_EQ(rounds, kQuickBattleRoundLimit + 1 + (person ? 1 : 0));
        EXPECT_EQ(g_battleTurnLimit, testGuard) << "the window's guard is its own";
        g_battleTurnLimit = 0;
        EXPECT_EQ(UnitsOf(m_attacker), 10);
        EXPECT_EQ(UnitsOf(m_defender), 10);
        delete wnd;
    }
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

class BattleWindowControlsTest : public BattleWindowRig {
protected:
    void SetUp() override
    {
        BattleWindowRig::SetUp();
        m_wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
        m_wnd->SetBattleParams(&m_params);
    }
    void TearDown() override
    {
        delete m_wnd;
        BattleWindowRig::TearDown();
    }
    CMapBattleWnd* m_wnd = nullptr;
};

TEST_F(BattleWindowControlsTest, CommandStateShowsEnablesAndChecksTheChangedButtons)
{
    const uint32_t bits[] = {kButtonMenu, kButtonSplit,  kButtonJoin,  kButtonStart,
                             kButtonAuto, kButtonBridge, kButtonGuard, kButtonTurn};
    BattleStateWords none;
    m_wnd->OnCommandState(&none, 0);
    for (uint32_t bit : bits) {
        EXPECT_FALSE(m_wnd->CommandControl(bit)->IsVisible()) << bit;
        EXPECT_FALSE(m_wnd->CommandControl(bit)->IsEnabled()) << bit;
    }
    struct Case {
        uint32_t changed;
        std::vector<uint32_t> updated;
    };
    const Case cases[] = {
        {64, {}},  // no button of its own
        {kButtonGuard, {kButtonGuard}},
        {kButtonSplit | kButtonJoin, {kButtonSplit, kButtonJoin}},
        {0,
         {kButtonMenu, kButtonSplit, kButtonJoin, kButtonStart, kButtonAuto, kButtonBridge, kButtonGuard,
          kButtonTurn}},
    };
    for (const Case& c : cases) {
        m_wnd->OnCommandState(&none, 0);
        BattleStateWords all;
        all.a = all.b = all.c = 0xFFFFFFFFu;
        m_wnd->OnCommandState(&all, c.changed);
        for (uint32_t bit : bits) {
            const bool updated = std::find(c.updated.begin(), c.updated.end(), bit) != c.updated.end();
            CWindow* control = m_wnd->CommandControl(bit);
            EXPECT_EQ(control->IsVisible(), updated) << "changed " << c.changed << " bit " << bit;
            EXPECT_EQ(control->IsEnabled(), updated) << "changed " << c.changed << " bit " << bit;
        }
    }
    // The toggles take the checked word; pressing one copies its look into
    // the engine's word before the command goes.
    BattleStateWords words;
    words.a = words.b = 0xFFFF;
    words.c = kButtonBridge;
    m_wnd->OnCommandState(&words, 0);
    EXPECT_TRUE(static_cast<CButton*>(m_wnd->CommandControl(kButtonBridge))->IsDrawnDown());
    EXPECT_FALSE(static_cast<CButton*>(m_wnd->CommandControl(kButtonSplit))->IsDrawnDown());
}

TEST_F(BattleWindowControlsTest, TheActionModePicksTheTurnButtonsPicture)
{
    struct Case {
        uint32_t mode;
        bool shown;
    };
    const Case cases[] = {{1, true}, {0, false}, {2, true}, {3, true}, {7, true}};
    CWindow* turn = m_wnd->CommandControl(kButtonTurn);
    for (const Case& c : cases) {
        m_wnd->SetActionMode(c.mode);
        EXPECT_EQ(turn->IsVisible(), c.shown) << c.mode;
    }
    // Mode 7 is no mode: the button stayed as mode 3 left it.
}

TEST_F(BattleWindowControlsTest, SquadInformationFollowsTheSelectionAndTheStrength)
{
    AddUnits(m_attacker, "Swordsman", 9);
    CSquad* squad = m_attacker.army.Item(0);
    struct Case {
        int32_t hitPoints;
        const char* selected;   // "LblHP" when the squad is selected
        const char* refreshed;  // and when its strength changes
    };
    const int32_t full = squad->type->hp;
    const Case cases[] = {
        {0, "1", "0"},
        {1, "1", "1"},
        {5, "5", "5"},
    };
    for (const Case& c : cases) {
        squad->hitPoints = c.hitPoints;
        m_wnd->ShowSquadInfo(squad, true);
        EXPECT_EQ(m_wnd->CurrentSquad(), squad);
        EXPECT_EQ(std::string(m_wnd->Control("LblSquad")->Text().Chars()), "9");
        EXPECT_EQ(std::string(m_wnd->Control("LblHP")->Text().Chars()),
                  std::string(c.selected) + "(" + std::to_string(full) + ")");
        EXPECT_TRUE(m_wnd->Control("IcoSquad")->IsVisible());
        EXPECT_FALSE(m_wnd->Control("LblSquadName")->IsVisible()) << "the name stays hidden";
        CBattleSprite sprite;
        sprite.object = squad;
        sprite.kind = kSpriteSquad;
        m_wnd->OnSquadChanged(&sprite, true);
        EXPECT_EQ(std::string(m_wnd->Control("LblHP")->Text().Chars()),
                  std::string(c.refreshed) + "(" + std::to_string(full) + ")");
    }
    // A squad whose strength is gone clears the information.
    CBattleSprite sprite;
    sprite.object = squad;
    sprite.kind = kSpriteSquad;
    m_wnd->OnSquadChanged(&sprite, false);
    EXPECT_EQ(m_wnd->CurrentSquad(), nullptr);
    EXPECT_FALSE(m_wnd->Control("IcoSquad")->IsVisible());
    EXPECT_FALSE(m_wnd->Control("LblSquad")->IsVisible());
}

TEST_F(BattleWindowControlsTest, TheScreenPaletteTakesTheTerrainAndBothSidesColours)
{
    RawResource units, second;
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/BattleUnits", units));
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/BattleTopImg2", second));
    m_attacker.flagNumber = 2;
    m_defender.flagNumber = 5;
    g_battle.obstacleLayout = 7;  // 7 / 5 + 1: the second terrain
    m_wnd->LoadBattlePalette();
    m_wnd->ApplySideColours();
    const uint8_t* screen = m_wnd->ScreenPalette();
    EXPECT_EQ(std::memcmp(screen + 3 * 160, second.data + 3 * 160, 48), 0) << "the terrain's grass";
    EXPECT_EQ(std::memcmp(screen + 3 * 220, units.data + 3 * 36, 3 * 18), 0) << "the attacker's shades";
    EXPECT_EQ(std::memcmp(screen + 3 * 238, units.data + 3 * 90, 3 * 18), 0) << "the defender's shades";
    // A flag past the six players' colours is no player's colour: grey.
    m_defender.flagNumber = 200;
    m_wnd->ApplySideColours();
    EXPECT_EQ(std::memcmp(screen + 3 * 238, units.data + 3 * 18 * kNeutralColour, 3 * 18), 0);
    g_battle.obstacleLayout = 0;
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

TEST_F(BattleWindowTest, ASiegeIsFoughtAmongWallsGatesAndEngines)
{
    AddUnits(m_attacker, "Swordsman", 14);
    AddUnits(m_attacker, "Crossbowman", 10);
    AddUnits(m_attacker, "Horseman", 6);
    AddUnits(m_defender, "Warden", 10);
    AddUnits(m_defender, "Ranger", 8);
    m_castle.percent = 100;
    m_castle.DefencesFromPercent();
    m_castle.moat = 1;
    m_castle.catapults = 2;
    m_params.kind = kBattleSiege;
    m_params.castle = &m_castle;
    auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
    wnd->SetBattleParams(&m_params);
    std::vector<uint32_t> kinds;
    bool moat = false;
    wnd->battleOverHandler = [&]() { Shot("siege_end"); };
    bool shotTaken = false;
    m_hook->before = [&]() {
        if (m_hook->frames > 40000) {
            ADD_FAILURE() << "the siege did not end";
            BattleCommand(1);
        }
        if (!shotTaken && g_battle.phase == kPhaseAttacker && m_hook->frames > 60) {
            shotTaken = true;
            moat = wnd->FieldView().moatVisible != 0;
            for (int32_t i = 0; i < wnd->FieldView().SpriteCount(); ++i)
                kinds.push_back(wnd->FieldView().SpriteAt(i)->kind);
            Shot("siege_mid");
        }
    };
    RunModal(wnd->Window());
    m_hook->before = nullptr;
    auto count = [&](uint32_t kind) { return std::count(kinds.begin(), kinds.end(), kind); };
    EXPECT_TRUE(moat) << "a castle with a moat shows it";
    EXPECT_EQ(count(kSpriteWall), 4);
    EXPECT_EQ(count(kSpriteGates), 1);
    EXPECT_EQ(count(kSpriteBridge), 1);
    EXPECT_EQ(count(kSpriteTower), 4);
    EXPECT_EQ(count(kSpriteCatapult), 2);
    EXPECT_EQ(count(kSpriteTrebuchet), 1);
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_TRUE(UnitsOf(m_attacker) == 0 || UnitsOf(m_defender) == 0);
    EXPECT_EQ(PaletteStackDepth(), 0);
    delete wnd;
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

TEST_F(BattleWindowTest, EveryShippedUnitTypeHasAWholeSquadSet)
{
    // The rig preloaded the cache as the application does.
    ASSERT_GE(CBatlAniCacheMgr::Count(), 12);
    for (const char* id : {"Archer", "Axeman", "Crossbowman", "Fenrunner", "Horseman", "Knight", "Militia",
                           "Ranger", "Slinger", "Spearman", "Swordsman", "Warden"}) {
        CBatlAniCacheEntry* entry =
            CBatlAniCacheMgr::Find(kAnimSetSquad, CStr::ConcatChars(CStr("/Objects/Units/"), id));
        ASSERT_NE(entry, nullptr) << id;
        for (size_t i = 0; i < entry->animations.size(); ++i)
            EXPECT_TRUE(entry->animations[i].HasHeader())
                << id << " " << AnimationSlotName(kAnimSetSquad, int32_t(i));
        for (int slot : {1, 2, 3, 6, 7, 9})
            EXPECT_TRUE(entry->sounds[size_t(slot)].HasHeader())
                << id << " " << SoundSlotName(kAnimSetSquad, slot);
        const bool ranged = Type(id)->rangedAttack != 0;
        AnimationSetRef missile;
        LoadMissileAnimationSet(missile, entry->path);
        EXPECT_EQ(missile.Animation(0) != nullptr, ranged) << id << ": a missile only for those who shoot";
    }
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

class BattleMenuTest : public HumanBattleTest {
protected:
    // The message box on top of the capture stack, if one is shown.
    CMessageWnd* TopMessageBox()
    {
        const int32_t n = CWindowMgr::CaptureCount();
        return n > 0 ? dynamic_cast<CMessageWnd*>(CWindowMgr::CaptureAt(n - 1)) : nullptr;
    }
};

TEST_F(BattleMenuTest, EndingTheBattleFromTheMenuAsksFirst)
{
    struct Case {
        bool confirm;
        uint32_t result;
    };
    for (const Case& c : {Case{true, kBattleStopped}, Case{false, kBattleEnded}}) {
        m_attacker.army.Clear();
        m_defender.army.Clear();
        AddUnits(m_attacker, "Knight", 4);
        AddUnits(m_defender, "Militia", 2);
        m_params.attackerSideKind = 0;
        m_params.obstacleLayout = 0;
        auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
        wnd->SetBattleParams(&m_params);
        enum Stage {
            kPlace,
            kOpenMenu,
            kPickItem,
            kAnswer,
            kCheckResumed,
            kAuto,
            kDone
        };
        Stage stage = kPlace;
        uint64_t lastTap = 0;
        bool pausedInMenu = false, resumed = false;
        auto tap = [&](const PackedPoint& p, Stage next) {
            Tap(p.X(), p.Y());
            lastTap = m_hook->frames;
            stage = next;
        };
        m_hook->before = [&]() {
            const bool ourTurn = g_battle.phase == kPhaseAttacker && g_battle.activeSide == 1;
            CGameMenu* menu = wnd->BattleMenu();
            if (m_hook->frames > 30000) {
                ADD_FAILURE() << "stuck at stage " << stage;
                BattleCommand(1);
                return;
            }
            if (m_hook->frames < lastTap + 6)
                return;
            CWindow* start = wnd->CommandControl(kButtonStart);
            CSquad* knightSquad = m_attacker.army.Item(0);
            CBattleSprite* knights = wnd->FieldView().FindSprite(knightSquad->battleHandle);
            switch (stage) {
            case kPlace:
                if (g_battle.phase == kPhasePlacement && start->IsReallyVisible() && start->IsEnabled())
                    tap(Centre(start), kOpenMenu);
                break;
            case kOpenMenu:
                if (ourTurn && !g_waitingForEvents)
                    tap(Centre(wnd->CommandControl(kButtonMenu)), kPickItem);
                break;
            case kPickItem:
                if (menu->IsVisible()) {
                    pausedInMenu = knights && knights->player.Timer().suspended != 0;
                    tap(Centre(menu->FindItem(3)), kAnswer);
                }
                break;
            case kAnswer:
                if (CMessageWnd* box = TopMessageBox())
                    tap(Centre(c.confirm ? static_cast<CWindow*>(box->OkButton()) : box->CancelButton()),
                        kCheckResumed);
                break;
            case kCheckResumed:
                if (!TopMessageBox() && !menu->IsVisible()) {
                    resumed = knights && knights->player.Timer().suspended == 0;
                    stage = kAuto;
                }
                break;
            case kAuto:
                if (ourTurn && wnd->CommandControl(kButtonAuto)->IsReallyVisible() &&
                    wnd->CommandControl(kButtonAuto)->IsEnabled())
                    tap(Centre(wnd->CommandControl(kButtonAuto)), kDone);
                break;
            default:
                break;
            }
        };
        RunModal(wnd->Window());
        m_hook->before = nullptr;
        EXPECT_TRUE(pausedInMenu) << "the field stands still under the menu";
        EXPECT_EQ(BattleResult, c.result) << (c.confirm ? "confirmed" : "declined");
        if (!c.confirm) {
            EXPECT_TRUE(resumed) << "declining goes back to a moving field";
        }
        delete wnd;
    }
}

}  // namespace
}  // namespace battlescreen_test

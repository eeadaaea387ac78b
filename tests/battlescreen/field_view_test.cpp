#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/battle_scene.h"
#include "battle/computer_side.h"
#include "battle/turn_mode.h"
#include "battlescreen/battle_field_view.h"
#include "core/core_main.h"
#include "core/draw_context.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "game/army.h"
#include "tests/battlescreen/battle_screen_rig.h"
#include "tests/support/art_fixtures.h"
#include "tools/encode/image_encoder.h"
#include "tools/pack/pack_writer.h"

namespace battlescreen_test {
namespace {

// The active side, writing down what reaches it.
class RecordingSide : public CMuteComputerSideController {
public:
    void OnCellTap(uint8_t cell) override { log.push_back("tap " + std::to_string(cell)); }
    void OnCellAltTap(uint8_t cell) override { log.push_back("alt " + std::to_string(cell)); }
    void OnInputCode(uint32_t code) override { log.push_back("code " + std::to_string(code)); }
    std::vector<std::string> log;
};

class FieldViewTest : public BattleScreenRig {
protected:
    void AddExtraResources(PackWriter& pack) override
    {
        ImageEncodeOptions options;
        ASSERT_TRUE(pack.AddFile("Images/Battle/TopImg2", "img",
                                 MustEncode(EncodeImage(SolidPicture(240, 40, 77), options))));
    }
    void SetUp() override
    {
        BattleScreenRig::SetUp();
        m_saved[0] = PrefBattleOptions[0];
        m_saved[1] = PrefBattleOptions[1];
        PrefBattleOptions[0] = 1;
        PrefBattleOptions[1] = 1;
        m_view = std::make_unique<CBattleFieldView>();
        m_view->repaintHandler = [this](const PackedRect& r) { m_repaints.push_back(r); };
    }
    void TearDown() override
    {
        if (g_battle.running || g_battle.grid)
            EndBattle();
        m_view.reset();
        DeleteBattleHooks();
        PrefBattleOptions[0] = m_saved[0];
        PrefBattleOptions[1] = m_saved[1];
        BattleScreenRig::TearDown();
    }
    // A battle with the view bound: sword squads for the attacker, a bow
    // and an axe squad for the defender.
    void StartBattle(int32_t swords = 5)
    {
        AddSquad(m_sides.attacker, m_sword, swords);
        AddSquad(m_sides.defender, m_bow, 3);
        AddSquad(m_sides.defender, m_axe, 2);
        g_battleHooks.waitStep.Bind([this]() {
            ++m_waitSteps;
            m_view->ReleaseInstantEvents();
            FrameStep();
        });
        BeginBattle(&m_sides.params);
    }
    RecordingSide* ReplaceActiveSide()
    {
        auto* side = new RecordingSide();
        side->Init(g_battle.attackerSide->SetupPtr());
        delete g_battle.attackerSide;
        g_battle.attackerSide = side;
        g_battle.activeSide = 1;
        return side;
    }
    CSquad* Squad(PlayerRecord& player, int i) { return player.army.Item(i); }
    CBattleSprite* SpriteOf(CSquad* squad) { return m_view->FindSprite(squad->battleHandle); }
    // Puts a sprite on a cell the 240-pixel field shows whole.
    void MoveTo(CBattleSprite* sprite, uint8_t cell)
    {
        PackedPoint p;
        ASSERT_TRUE(g_battle.grid->CellToPoint(cell, p));
        m_view->PlaceSprite(sprite, p);
    }
    PackedPoint CentreOf(uint8_t cell)
    {
        PackedPoint p;
        g_battle.grid->CellToPoint(cell, p);
        p.Add(m_view->gridOrigin);
        return p;
    }
    void Render(CDrawContext& dc)
    {
        ASSERT_TRUE(dc.CreateSurface(240, 320));
        FillRect(dc, PackedRect(0, 0, 239, 319), 0);
        m_view->Draw(dc);
    }

    Sides m_sides;
    std::unique_ptr<CBattleFieldView> m_view;
    std::vector<PackedRect> m_repaints;
    int m_waitSteps = 0;
    uint8_t m_saved[2] = {};
};

TEST_F(FieldViewTest, GeometryComesFromTheCellAndTopPictures)
{
    ASSERT_TRUE(m_view->IsReady());
    EXPECT_EQ(m_view->gridSize, PackedPoint(304, 224));
    EXPECT_EQ(m_view->gridOrigin, PackedPoint(-33, 36));
    EXPECT_EQ(m_view->halfCell, PackedPoint(16, 16));
    EXPECT_EQ(m_view->rowPitch, 24);
    EXPECT_EQ(m_view->fieldWidth, 240);
    EXPECT_EQ(m_view->fieldHeight, 261);
    EXPECT_EQ(m_view->GetFieldRect(), PackedRect(0, 0, 239, 260));
    EXPECT_EQ(g_battle.cellSize, PackedPoint(32, 32)) << "the engine measures in the view's cells";

    // Every inner cell's picture stands where the engine puts the cell.
    CBattleGrid grid;
    grid.SetCellSize(g_battle.cellSize);
    for (uint8_t cell = 0; cell < 121; ++cell) {
        PackedPoint viewPoint, enginePoint;
        const bool inner = m_view->CellPosition(cell, viewPoint);
        ASSERT_EQ(inner, grid.CellToPoint(cell, enginePoint)) << int(cell);
        if (!inner)
            continue;
        enginePoint.Add(m_view->gridOrigin);
        EXPECT_EQ(viewPoint, enginePoint) << int(cell);
    }
    PackedPoint p;
    ASSERT_TRUE(m_view->CellPosition(12, p));
    EXPECT_EQ(p, PackedPoint(-1, 52));
    ASSERT_TRUE(m_view->CellPosition(23, p));
    EXPECT_EQ(p, PackedPoint(-17, 76));
}

TEST_F(FieldViewTest, TheTopPictureFollowsTheLayoutAndTheSiege)
{
    struct Case {
        uint32_t scene;
        uint8_t layout;
        uint8_t colour;
    };
    const Case cases[] = {
        {0, 0, kTop1Colour},   // "TopImg1"
        {0, 7, 77},            // "TopImg2"
        {0, 12, kTop1Colour},  // "TopImg3" is missing: "TopImg1"
        {1, 12, kTopColour},   // a siege: "TopImg"
    };
    PrefBattleOptions[0] = 0;  // no cell marks over the ground
    for (const Case& c : cases) {
        m_view->sceneKind = c.scene;
        g_battle.obstacleLayout = c.layout;
        m_view->LoadTopImage();
        CDrawContext dc;
        Render(dc);
        EXPECT_EQ(At(dc, 5, 5), c.colour) << "layout " << int(c.layout) << " scene " << c.scene;
        EXPECT_EQ(At(dc, 5, 100), kGrassColour) << "the open-field ground is grass";
    }
    g_battle.obstacleLayout = 0;
}

TEST_F(FieldViewTest, ABattleGivesEverySquadAndMissileASprite)
{
    StartBattle();
    CSquad* sword = Squad(m_sides.attacker, 0);
    CSquad* bow = Squad(m_sides.defender, 0);
    CSquad* axe = Squad(m_sides.defender, 1);
    ASSERT_EQ(m_view->SpriteCount(), 4) << "three squads and the bow squad's missile";
    struct Case {
        CSquad* squad;
        bool left;
    };
    for (const Case& c : {Case{sword, true}, Case{bow, false}, Case{axe, false}}) {
        CBattleSprite* sprite = SpriteOf(c.squad);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->object, c.squad);
        EXPECT_EQ(sprite->kind, uint32_t(kSpriteSquad));
        EXPECT_EQ((sprite->flags & kSpriteSideLeft) != 0, c.left);
        EXPECT_TRUE(sprite->IsVisible());
        EXPECT_EQ(sprite->PixelPosition(), CentreOf(uint8_t(c.squad->cell)));
    }
    EXPECT_EQ(SecondVisualWord(sword), 24) << "the anchor is the set's first animation's hot spot height";
    CBattleSprite* missile = m_view->FindSprite(bow->battleState->missile->battleHandle);
    ASSERT_NE(missile, nullptr);
    EXPECT_EQ(missile->kind, uint32_t(kSpriteMissile));
    EXPECT_FALSE(missile->IsVisible()) << "a missile shows only when it flies";
    EXPECT_EQ(missile->layer, 14);
    // The rest pose plays the idle animation of the side's facing.
    EXPECT_TRUE(SpriteOf(sword)->player.IsPlaying());
}

TEST_F(FieldViewTest, DrawOrderPutsLowerAndLeftSpritesOnTop)
{
    StartBattle(5);
    auto add = [&](uint32_t kind, int x, int y) {
        AddSpriteRecord r;
        r.kind = kind;
        r.name = CStr(kind == kSpriteSquad ? "/Objects/Units/Axe" : "/Objects/Battle/Wall");
        r.position = PackedPoint(x, y);
        r.side = 1;
        return m_view->AddSprite(r);
    };
    struct Case {
        const char* what;
        uint32_t kindA;
        int ax, ay;
        uint32_t kindB;
        int bx, by;
        bool aOnTop;
    };
    const Case cases[] = {
        {"same row: the one further left", kSpriteSquad, 60, 40, kSpriteSquad, 100, 40, true},
        {"same row: the one further right is below", kSpriteSquad, 140, 40, kSpriteSquad, 100, 40, false},
        {"the lower row", kSpriteSquad, 140, 64, kSpriteSquad, 100, 40, true},
        {"an upper wall turns the row order round", kSpriteWall, 60, 40, kSpriteSquad, 100, 40, false},
        {"two upper walls keep it", kSpriteWall, 60, 40, kSpriteWall, 100, 40, true},
    };
    for (const Case& c : cases) {
        CBattleSprite* a = add(c.kindA, c.ax, c.ay);
        CBattleSprite* b = add(c.kindB, c.bx, c.by);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->index < b->index, c.aOnTop) << c.what;
        m_view->RemoveSprite(a);
        m_view->RemoveSprite(b);
    }
    for (int32_t i = 0; i < m_view->SpriteCount(); ++i)
        EXPECT_EQ(m_view->SpriteAt(i)->index, i) << "indexes are renumbered after removals";
}

TEST_F(FieldViewTest, ADeadSquadLiesUnderTheCellMarksALivingOneAbove)
{
    StartBattle(5);
    CSquad* sword = Squad(m_sides.attacker, 0);
    CSquad* axe = Squad(m_sides.defender, 1);
    CBattleSprite* dead = SpriteOf(sword);
    MoveTo(SpriteOf(axe), 49);
    PlayAnimationRecord death;
    death.sprite = dead;
    death.animation = 33;
    death.action = 9;
    death.startMode = 2;
    m_view->PlaySpriteAnimation(death);
    EXPECT_EQ(dead->layer, 3);
    EXPECT_TRUE(dead->flags & kSpriteDead);
    CDrawContext dc;
    Render(dc);
    const PackedPoint d = dead->PixelPosition();
    const PackedPoint a = SpriteOf(axe)->PixelPosition();
    EXPECT_EQ(At(dc, d.X(), d.Y() - 2), kCellColour) << "the grid is drawn over the fallen";
    EXPECT_EQ(At(dc, a.X(), a.Y() - 2), uint8_t(kUnitShade + 18)) << "a living squad stands on the grid";

    // With the grid option off only highlighted cells are marked.
    PrefBattleOptions[0] = 0;
    g_battle.highlight[size_t(sword->cell)] = 2;
    CDrawContext plain;
    Render(plain);
    EXPECT_EQ(At(plain, d.X(), d.Y() - 2), kCellSelColour);
    PackedPoint free;
    ASSERT_TRUE(m_view->CellPosition(35, free));
    EXPECT_EQ(At(plain, free.X(), free.Y()), kGrassColour) << "no mark on an unlit free cell";
}

TEST_F(FieldViewTest, SidesAreTellApartByTheirShadesAndPlates)
{
    StartBattle(7);
    CSquad* sword = Squad(m_sides.attacker, 0);
    CSquad* axe = Squad(m_sides.defender, 1);
    MoveTo(SpriteOf(axe), 49);
    m_view->OnSquadChanged(SpriteOf(sword), true);
    m_view->OnSquadChanged(SpriteOf(axe), true);
    EXPECT_EQ(SpriteOf(sword)->numberWidth, 2 + DigitWidth(7) + 2);
    EXPECT_EQ(SpriteOf(axe)->numberWidth, 1 + DigitWidth(2) + 1);
    CDrawContext dc;
    Render(dc);
    const PackedRect sf = SpriteOf(sword)->player.FrameRect();
    const PackedRect af = SpriteOf(axe)->player.FrameRect();
    EXPECT_EQ(At(dc, sf.Left() + 2, sf.Top() + 5), kUnitShade) << "the first side draws its own shades";
    EXPECT_EQ(At(dc, af.Left() + 2, af.Top() + 5), uint8_t(kUnitShade + 18)) << "the second side's are 18 on";
    // The first side's plate stands left of the squad, the other's right.
    const int leftX = sf.Left() - SpriteOf(sword)->numberWidth;
    EXPECT_EQ(At(dc, leftX, sf.Top() + 1), kLeftBorderColour);
    EXPECT_EQ(At(dc, leftX + 2, sf.Top() + 1), uint8_t(kLeftDigitBase + 7));
    const int rightX = af.Left() + af.Width();
    EXPECT_EQ(At(dc, rightX + 1, af.Top() + 1), uint8_t(kRightDigitBase + 2));

    // No plate without the option, and none for an empty squad.
    PrefBattleOptions[1] = 0;
    CDrawContext off;
    Render(off);
    EXPECT_NE(At(off, leftX + 2, sf.Top() + 1), uint8_t(kLeftDigitBase + 7));
    PrefBattleOptions[1] = 1;
    m_view->OnSquadChanged(SpriteOf(sword), false);
    EXPECT_EQ(SpriteOf(sword)->digits.Count(), 0);
    CDrawContext empty;
    Render(empty);
    EXPECT_NE(At(empty, leftX, sf.Top() + 1), kLeftBorderColour);
}

TEST_F(FieldViewTest, TapsPickTheSquadsOwnCellTheFilterOrTheCommandCell)
{
    StartBattle(5);
    RecordingSide* side = ReplaceActiveSide();
    CSquad* sword = Squad(m_sides.attacker, 0);
    CBattleSprite* sprite = SpriteOf(sword);
    const PackedPoint at = sprite->PixelPosition();
    // 20 pixels up the picture lies over the row above.
    const PackedPoint high(at.X(), at.Y() - 20);
    const uint8_t cellAbove = g_battle.grid->PointToCell(
        PackedPoint(high.X() - m_view->gridOrigin.X(), high.Y() - m_view->gridOrigin.Y()));
    ASSERT_NE(cellAbove, uint8_t(sword->cell));

    struct Case {
        const char* what;
        uint16_t filter;
        bool alternate;
        std::string expected;
    };
    const Case cases[] = {
        {"a tap on the picture picks the squad's cell", 0xFFFF, false, "tap " + std::to_string(sword->cell)},
        {"the second tap does the same", 0xFFFF, true, "alt " + std::to_string(sword->cell)},
        {"squads only still picks it", kSpriteSquad, false, "tap " + std::to_string(sword->cell)},
        {"a filter for other objects falls through", kSpriteCatapult, false,
         "tap " + std::to_string(cellAbove)},
    };
    for (const Case& c : cases) {
        side->log.clear();
        m_view->SetTapFilter(c.filter);
        if (c.alternate)
            m_view->OnAltTap(high);
        else
            m_view->OnTap(high);
        ASSERT_EQ(side->log.size(), 1u) << c.what;
        EXPECT_EQ(side->log[0], c.expected) << c.what;
    }
    m_view->SetTapFilter(0xFFFF);

    // Command cells come first; a disabled one is not hit; cell 0 is the
    // trebuchet's, which sends the input code.
    ScreenMark enabled{1, PackedPoint(100, 100), 40, 2};
    ScreenMark disabled{0, PackedPoint(150, 100), 41, 3};
    ScreenMark engine{1, UndefinedPoint, 0, 6};
    std::vector<ScreenMark*> marks = {&enabled, &disabled, &engine};
    g_battleHooks.markList.Fire(&marks);
    ASSERT_TRUE(m_view->HasCommandCells());
    EXPECT_EQ(m_view->CommandCells()[0].position, PackedPoint(100 - 33, 100 + 36));
    side->log.clear();
    m_view->OnTap(PackedPoint(100 - 33 + 5, 100 + 36 - 3));
    m_view->OnTap(m_view->CommandCells()[2].position);
    ASSERT_EQ(side->log.size(), 2u);
    EXPECT_EQ(side->log[0], "tap 40");
    EXPECT_EQ(side->log[1], "code 1");
    // Showing the same marks again places them where they were.
    g_battleHooks.markList.Fire(&marks);
    EXPECT_EQ(m_view->CommandCells()[0].position, PackedPoint(100 - 33, 100 + 36));
    EXPECT_EQ(enabled.point, PackedPoint(100, 100)) << "the engine's marks are left alone";
    g_battleHooks.hideMarks.Fire();
    EXPECT_FALSE(m_view->HasCommandCells());
}

TEST_F(FieldViewTest, ATapOnTheTrebuchetSendsItsInputCode)
{
    StartBattle(5);
    RecordingSide* side = ReplaceActiveSide();
    AddSpriteRecord r;
    r.kind = kSpriteTrebuchet;
    r.name = CStr("/Objects/Battle/Trebuchet");
    r.position = PackedPoint(120, 120);
    CBattleSprite* trebuchet = m_view->AddSprite(r);
    ASSERT_NE(trebuchet, nullptr);
    EXPECT_EQ(trebuchet->PixelPosition(), PackedPoint(0, 0)) << "the trebuchet stands in the corner";
    PlayAnimationRecord idle;
    idle.sprite = trebuchet;
    idle.animation = 1;
    idle.action = 1;
    m_view->PlaySpriteAnimation(idle);
    m_view->OnTap(PackedPoint(5, 5));
    ASSERT_EQ(side->log.size(), 1u);
    EXPECT_EQ(side->log[0], "code 1");
}

TEST_F(FieldViewTest, StartModesPickTheFirstSecondOrLastFrame)
{
    StartBattle(5);
    struct Case {
        CSquad* squad;
        uint8_t startMode;
        uint8_t frame;
    };
    CSquad* sword = Squad(m_sides.attacker, 0);
    CSquad* axe = Squad(m_sides.defender, 1);
    const Case cases[] = {
        {sword, 0, 0},
        {sword, 1, 1},
        {sword, 2, 2},
        {axe, 1, 0},  // a one-frame animation starts at its only frame
    };
    for (const Case& c : cases) {
        PlayAnimationRecord r;
        r.sprite = SpriteOf(c.squad);
        r.animation = 1;
        r.action = 1;
        r.startMode = c.startMode;
        m_view->PlaySpriteAnimation(r);
        EXPECT_EQ(r.sprite->player.FrameIndex(), c.frame) << "mode " << int(c.startMode);
    }
}

TEST_F(FieldViewTest, TheEngineWaitsForAMoveUntilTheSquadArrives)
{
    StartBattle(5);
    CSquad* sword = Squad(m_sides.attacker, 0);
    CBattleSprite* sprite = SpriteOf(sword);
    const uint8_t from = uint8_t(sword->cell);
    const uint8_t to = uint8_t(from + 1);
    BattleEvent e;
    e.source = sword;
    e.battleHandle = sword->battleHandle;
    e.sourceKind = kKindSquad;
    e.code = kCodeStep + 1;
    PackedPoint p, q;
    g_battle.grid->CellToPoint(from, p);
    g_battle.grid->CellToPoint(to, q);
    e.coords[0] = p.X();
    e.coords[1] = p.Y();
    e.coords[2] = q.X();
    e.coords[3] = q.Y();
    e.flag = 1;
    DispatchEngineBattleEvent(e, 1);
    EXPECT_TRUE(g_battleEventQueue.empty());
    EXPECT_GT(m_waitSteps, 1) << "the move took frames";
    EXPECT_LT(m_waitSteps, 40);
    EXPECT_EQ(sprite->PixelPosition(), CentreOf(to));
    EXPECT_FALSE(sprite->pending) << "done is told once";
    EXPECT_TRUE(sprite->sound.Sample().HasHeader()) << "the move sound of the set";
}

TEST_F(FieldViewTest, AnEventWithNothingToPlayDoesNotHoldTheEngine)
{
    StartBattle(5);
    CSquad* axe = Squad(m_sides.defender, 1);
    // The axe set has no strike; the engine queues the squad after posting.
    BattleEvent e;
    e.source = axe;
    e.battleHandle = axe->battleHandle;
    e.sourceKind = kKindSquad;
    e.code = kCodeStrike;
    e.flag = 1;
    DispatchEngineBattleEvent(e, 0);
    QueueBattleEvent(axe->battleHandle);
    WaitForBattleEvents();
    EXPECT_TRUE(g_battleEventQueue.empty());
    EXPECT_LE(m_waitSteps, 2);
    // An event for a visual the view never made neither.
    e.battleHandle = 999;
    DispatchEngineBattleEvent(e, 1);
    EXPECT_TRUE(g_battleEventQueue.empty());
}

TEST_F(FieldViewTest, TheTitleBarIsCentredOverTheField)
{
    struct Case {
        const char* text;
        bool lookUp;
        const char* title;
    };
    const Case cases[] = {{"PrepareBtl", true, "deploy"}, {"abc", false, "abc"}, {"", true, ""}};
    for (const Case& c : cases) {
        m_repaints.clear();
        m_view->SetTitle(CStr(c.text), c.lookUp);
        EXPECT_EQ(std::string(m_view->title.Chars()), c.title);
        const int width = 6 * int(std::string(c.title).size());
        if (width == 0) {
            EXPECT_EQ(m_view->titleRect, PackedRect(0, 0, -1, -1));
            continue;
        }
        const int left = (240 - width) / 2;
        EXPECT_EQ(m_view->titleRect, PackedRect(left, 0, left + width - 1, 9));
        ASSERT_FALSE(m_repaints.empty());
        EXPECT_EQ(m_repaints.back(), m_view->titleRect);
    }
}

TEST_F(FieldViewTest, ClearForgetsSpritesMarksAndPointer)
{
    StartBattle(5);
    CSquad* sword = Squad(m_sides.attacker, 0);
    g_battleHooks.info.Fire(sword->battleHandle);
    EXPECT_TRUE(m_view->pointerVisible);
    EXPECT_EQ(m_view->Pointer().Position(), PackedPoint(SpriteOf(sword)->PixelPosition().X() * 4,
                                                        SpriteOf(sword)->player.FrameRect().Top() * 4));
    m_view->Clear();
    EXPECT_EQ(m_view->SpriteCount(), 0);
    EXPECT_FALSE(m_view->pointerVisible);
    EXPECT_FALSE(m_view->HasCommandCells());
}

}  // namespace
}  // namespace battlescreen_test

namespace battlescreen_test {
namespace {

TEST_F(FieldViewTest, MarkersPlacesAndObjectSignalsReachTheirSprites)
{
    StartBattle(5);
    CSquad* sword = Squad(m_sides.attacker, 0);
    CSquad* bow = Squad(m_sides.defender, 0);
    CBattleSprite* sprite = SpriteOf(sword);
    MoveTo(sprite, 35);

    // Defending squads carry the guard shield until their side's next turn.
    g_battleHooks.defenceMarker.Fire(sword->battleHandle, 1);
    EXPECT_EQ(sprite->state, kSpriteStateGuard);
    CDrawContext dc;
    Render(dc);
    const PackedPoint at = sprite->PixelPosition();
    EXPECT_EQ(At(dc, at.X() + 2, at.Y() + 2), uint8_t(int(kIconColourBase) + int(kIconStateGuard)));
    g_battleHooks.squadTurn.Fire(sword->battleHandle, 2);
    EXPECT_EQ(sprite->state, kSpriteStateGuard) << "the end of a turn leaves it";
    g_battleHooks.squadTurn.Fire(sword->battleHandle, 1);
    EXPECT_EQ(sprite->state, kSpriteStateNone);
    m_view->SetSpriteState(sprite, kSpriteStateEndTurn);
    m_view->ClearSpriteState(sprite, kSpriteStateGuard);
    EXPECT_EQ(sprite->state, kSpriteStateEndTurn) << "a mask that misses keeps the state";
    g_battleHooks.defenceMarker.Fire(sword->battleHandle, 0);
    EXPECT_EQ(sprite->state, kSpriteStateNone);

    // An object's own signal hides its sprite; a play shows it again.
    CBattleSprite* missile = m_view->FindSprite(bow->battleState->missile->battleHandle);
    m_view->SetSpriteVisible(missile, true);
    m_repaints.clear();
    g_battleHooks.objectFinished.Fire(missile->battleId, 0);
    EXPECT_FALSE(missile->IsVisible());
    g_battleHooks.objectFinished.Fire(missile->battleId, 0);
    EXPECT_LE(m_repaints.size(), 1u) << "hiding a hidden sprite repaints nothing";

    // The position hook places without animating; removal forgets the id.
    PackedPoint p;
    ASSERT_TRUE(g_battle.grid->CellToPoint(57, p));
    g_battleHooks.position.Fire(sword->battleHandle, p);
    EXPECT_EQ(sprite->PixelPosition(), CentreOf(57));
    EXPECT_EQ(sprite->player.Passes(), 0);
    const int32_t before = m_view->SpriteCount();
    const uint32_t id = bow->battleHandle;
    g_battleHooks.visualRemoval.Fire(id);
    EXPECT_EQ(m_view->SpriteCount(), before - 1);
    EXPECT_EQ(m_view->FindSprite(id), nullptr);
}

}  // namespace
}  // namespace battlescreen_test

// The map window's panels: which group each mode shows, the info panel's
// sections, and what the game signals write into the controls.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/display_surface.h"
#include "game/army.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/resource_bundle.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapscreen/map_frame.h"
#include "tests/support/windows/map_window_rig.h"
#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/text_element.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

namespace mapwnd_test {
namespace {

class MapPanels : public MapWindowRig {
protected:
    void SetUp() override
    {
        MapWindowRig::SetUp();
        if (HasFatalFailure())
            return;
        MakeMap();
    }

    // A game of the first shipped mission with one person, without the
    // custom-player windows of the game start.
    void NewGame(uint8_t humans = 1)
    {
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
        NewGameSettings settings;
        settings.difficulty = 1;
        settings.humans = humans;
        ApplyNewGameSettings(settings);
    }

    const CMapWnd::Panels& P() const { return m_map->PanelControls(); }
};

TEST_F(MapPanels, EveryPanelIsBuiltHiddenAndEachModeShowsExactlyItsGroup)
{
    const CMapWnd::Panels& p = P();
    CFrameWnd* all[] = {p.mapTop,     p.campArmy, p.info,       p.domainTop,
                        p.domainInfo, p.aiInfo,   p.recruitTop, p.recruitAction};
    for (CFrameWnd* panel : all) {
        ASSERT_NE(panel, nullptr);
        EXPECT_FALSE(panel->IsVisible());
    }
    EXPECT_EQ(m_map->Mode(), CMapWnd::kModeMap);
    NewGame();
    struct Case {
        uint32_t mode;
        std::vector<CFrameWnd*> shown;
    };
    // The camp army toggle starts down, so the map mode shows the camp army.
    const Case cases[] = {
        {CMapWnd::kModeDomain, {p.domainTop, p.domainInfo}},
        {CMapWnd::kModeComputer, {p.aiInfo}},
        {CMapWnd::kModeMap, {p.mapTop, p.info, p.campArmy}},
        {CMapWnd::kModeRecruit, {p.recruitTop, p.recruitAction}},
        {CMapWnd::kModeMap, {p.mapTop, p.info, p.campArmy}},
    };
    for (const Case& c : cases) {
        m_map->SetMode(c.mode, false);
        EXPECT_EQ(m_map->Mode(), c.mode);
        for (CFrameWnd* panel : all) {
            const bool expected = std::find(c.shown.begin(), c.shown.end(), panel) != c.shown.end();
            EXPECT_EQ(panel->IsVisible(), expected)
                << "mode " << c.mode << " panel " << panel->Link().Path().Chars();
        }
    }
}

TEST_F(MapPanels, SettingTheCurrentModeAgainChangesNothingUnlessForced)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeComputer, false);
    CFrameWnd* ai = P().aiInfo;
    ai->Show(false, false);
    m_map->SetMode(CMapWnd::kModeComputer, false);
    SigMapMode.Fire(CMapWnd::kModeComputer);
    EXPECT_FALSE(ai->IsVisible());
    m_map->SetMode(CMapWnd::kModeComputer, true);
    EXPECT_TRUE(ai->IsVisible());
}

TEST_F(MapPanels, InfoPanelStacksTheSectionsTheTogglesAskFor)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeMap, false);
    const CMapWnd::Panels& p = P();
    const int16_t provinceH = p.provinceDetails->Window()->Height();
    const int16_t armyH = p.armyDetails->Window()->Height();
    const int16_t castleH = p.castleDetails->Window()->Height();
    const int32_t margins = p.info->Margins().Top() + p.info->Margins().Bottom();
    const int16_t minimum = p.info->ClientRect().Height();
    struct Case {
        bool provArmyDown;
        bool campArmyDown;
        bool sections;
        bool camp;
    };
    const Case cases[] = {
        {true, true, true, true},
        {false, true, false, true},
        {true, false, true, false},
        {false, false, false, false},
    };
    for (const Case& c : cases) {
        p.provArmyToggle->SetChecked(c.provArmyDown, false);
        p.campArmyToggle->SetChecked(c.campArmyDown, false);
        m_map->LayoutInfoPanel();
        EXPECT_EQ(p.armyDetails->Window()->IsVisible(), c.sections);
        EXPECT_EQ(p.castleDetails->Window()->IsVisible(), c.sections);
        EXPECT_EQ(p.campArmy->IsVisible(), c.camp);
        EXPECT_TRUE(p.info->IsVisible());
        const int32_t content = c.sections ? provinceH + armyH + castleH : provinceH;
        EXPECT_EQ(p.info->Height(), std::max<int32_t>(content, minimum) + margins);
        if (c.sections) {
            // The sections follow one another below the province line.
            EXPECT_EQ(p.armyDetails->Window()->WindowRect().Top(), p.info->ClientRect().Top() + provinceH);
            EXPECT_EQ(p.castleDetails->Window()->WindowRect().Top(),
                      p.info->ClientRect().Top() + provinceH + armyH);
        }
        // With the camp army shown the info panel sits right above it.
        if (c.camp) {
            EXPECT_EQ(p.info->WindowRect().Bottom() + 1, p.campArmy->WindowRect().Top());
        }
        EXPECT_FALSE(m_map->IsMapFrameHeld());
    }
}

TEST_F(MapPanels, TreasuryAndMovePointsFollowTheirSignals)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeMap, false);
    CResourceBundle bundle;
    bundle.SetByChars("gold", 1234);
    bundle.SetByChars("metl", 56);
    bundle.SetByChars("ston", 7);
    SigPlayerResources.Fire(&bundle);
    CResWnd* treasury = P().mapTopTreasury;
    ASSERT_EQ(treasury->ItemCount(), 3);
    EXPECT_STREQ(treasury->Amount(0)->Text().Chars(), "1234");
    EXPECT_STREQ(treasury->Amount(2)->Text().Chars(), "7");

    PlayerRecord* player = CurrentPlayer();
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(player->army.HasUnits());
    player->controller->movePoints = 3;
    SigMovePointsChanged.Fire();
    EXPECT_TRUE(P().campTurns->IsVisible());
    EXPECT_TRUE(P().campTurnsIcon->IsVisible());
    EXPECT_STREQ(P().campTurns->Text().Chars(), "3");
    // A hero without units in the field has no move points to show.
    for (int i = 0; i < player->army.Count(); ++i)
        player->army.Item(i)->count = 0;
    SigMovePointsChanged.Fire();
    EXPECT_FALSE(P().campTurns->IsVisible());
    EXPECT_FALSE(P().campTurnsIcon->IsVisible());
}

TEST_F(MapPanels, ActionButtonsShowTheirActionOrHide)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeMap, false);
    struct Case {
        const char* name;
        GameSignal<void(uint16_t)>* signal;
        CButton* button;
        uint16_t flags;
        bool visible;
        bool enabled;
    };
    const CMapWnd::Panels& p = P();
    const Case cases[] = {
        {"move", &SigArmyActions, p.campAction, 1, true, true},
        {"attack, not now", &SigArmyActions, p.campAction, 2 | 0x80, true, false},
        {"army 8", &SigArmyActions, p.campAction, 8, false, true},
        {"army none", &SigArmyActions, p.campAction, 0, false, true},
        {"operation 1", &SigOperationActions, p.operationAction, 1, false, true},
        {"scout", &SigOperationActions, p.operationAction, 2, true, true},
        {"full transfer", &SigOperationActions, p.operationAction, 8, true, true},
        {"scout, not now", &SigOperationActions, p.operationAction, 2 | 0x80, false, true},
        {"castle works", &SigCastleActions, p.castleAction, 1, true, true},
        {"robbery, not now", &SigCastleActions, p.castleAction, 2 | 0x80, true, false},
        {"castle 4", &SigCastleActions, p.castleAction, 4, false, true},
    };
    for (const Case& c : cases) {
        c.button->Enable(true, false);
        c.button->Show(!c.visible, false);
        c.signal->Fire(c.flags);
        EXPECT_EQ(c.button->IsVisible(), c.visible) << c.name;
        if (c.visible) {
            EXPECT_EQ(c.button->IsEnabled(), c.enabled) << c.name;
        }
    }
}

TEST_F(MapPanels, ProvinceLineAndDomainTextsAreFormattedFromTheirOwnStrings)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeMap, false);
    CGameWorld* world = GameWorld();
    PlayerRecord* player = CurrentPlayer();
    ProvinceRecord& capital = world->Province(player->capital);
    SigProvinceInfo.Fire(&capital);
    EXPECT_STREQ(P().provinceName->Text().Chars(), capital.name.Chars());
    EXPECT_GT(P().provinceIncome->ItemCount(), 0);

    player->hero.battle = 4;
    player->hero.builder = 1;
    player->hero.stealth = 3;
    m_map->SetMode(CMapWnd::kModeDomain, false);
    EXPECT_EQ(m_map->DomainPlayer(), 0);
    EXPECT_STREQ(P().domainPlayer->Text().Chars(), player->name.Chars());
    EXPECT_STREQ(P().domainSkills->Text().Chars(), "Battle 4, builder 1, stealth 3");
    CStr counts;
    counts.Format("Provinces: %ld, castles: %ld", long(player->controller->CountProvinces()),
                  long(player->controller->CountCastles()));
    EXPECT_STREQ(P().domainProvCasl->Text().Chars(), counts.Chars());
    EXPECT_FALSE(P().domainRels->IsVisible());
    EXPECT_FALSE(P().domainFameIcon->IsVisible());

    // The domain of a player who is out of the game changes no text.
    PlayerRecord& other = world->Player(1);
    other.DeleteController();
    m_map->ShowDomain(1, 0);
    EXPECT_EQ(m_map->DomainPlayer(), 1);
    EXPECT_STREQ(P().domainPlayer->Text().Chars(), player->name.Chars());
    // An index beyond the players is ignored.
    m_map->ShowDomain(uint8_t(world->PlayerCount()), 0);
    EXPECT_EQ(m_map->DomainPlayer(), 1);
}

TEST_F(MapPanels, ComputerTurnPanelNamesTheCurrentPlayer)
{
    NewGame(0);
    m_map->SetMode(CMapWnd::kModeComputer, false);
    SigPlayerTitle.Fire(CurrentPlayer());
    CStr expected;
    expected.Format("%s is planning...", CurrentPlayer()->name);
    EXPECT_STREQ(P().aiPlayer->Text().Chars(), expected.Chars());
}

TEST_F(MapPanels, DomainModeFollowsTheOwnerOfATappedProvinceAndIgnoresNeutralOnes)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeDomain, false);
    CGameWorld* world = GameWorld();
    int neutral = -1, foreign = -1;
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        const ProvinceRecord& pr = world->Province(i);
        if (pr.ownerId >= world->PlayerCount() && neutral < 0)
            neutral = i;
        if (pr.ownerId == 1 && foreign < 0)
            foreign = i;
    }
    ASSERT_GE(foreign, 0);
    m_map->OnProvincePenDown(int16_t(foreign));
    EXPECT_EQ(m_map->DomainPlayer(), 1);
    if (neutral >= 0) {
        m_map->OnProvincePenDown(int16_t(neutral));
        EXPECT_EQ(m_map->DomainPlayer(), 1);
    }
}

TEST_F(MapPanels, AScoutedProvinceShowsTheOwnersArmyWhereItStandsAndNowhereElse)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeMap, false);
    CGameWorld* world = GameWorld();
    PlayerRecord& enemy = world->Player(1);
    ASSERT_LT(enemy.capital, world->ProvinceCount());
    ProvinceRecord& capital = world->Province(enemy.capital);
    ProvinceRecord* field = nullptr;
    for (int i = 0; i < world->ProvinceCount() && !field; ++i) {
        if (i != enemy.capital && world->Province(i).owner != CurrentPlayer())
            field = &world->Province(i);
    }
    ASSERT_NE(field, nullptr);
    field->owner = &enemy;
    ASSERT_TRUE(capital.garrison.HasUnits());
    ASSERT_TRUE(enemy.army.HasUnits());
    field->garrison.Clear();
    // A squad that has lost its units but not its hit points is not a squad
    // the panel lists.
    capital.garrison.Item(0)->count = 0;
    capital.garrison.Item(0)->hitPoints = 5;
    enemy.armyLocation = field->index;
    CurrentController()->scoutedProvinces = {uint8_t(capital.index), uint8_t(field->index)};

    // Unit counts, sorted: merging may order the squads its own way.
    auto shown = [&](ProvinceRecord& province) {
        SigProvinceInfo.Fire(&province);
        std::vector<int32_t> counts;
        for (int32_t i = 0; i < P().garrisonList->ItemCount(); ++i)
            counts.push_back(P().garrisonList->Squad(i)->count);
        std::sort(counts.begin(), counts.end());
        return counts;
    };
    auto counts = [](const CArmy& army) {
        std::vector<int32_t> out;
        for (int i = 0; i < army.Count(); ++i) {
            if (army.Item(i)->count > 0)
                out.push_back(army.Item(i)->count);
        }
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(shown(capital), counts(capital.garrison));
    EXPECT_EQ(shown(*field), counts(enemy.army));

    // Back home, the army is shown with the capital's garrison.
    enemy.armyLocation = capital.index;
    CArmy both(capital.garrison);
    both.Merge(enemy.army);
    EXPECT_EQ(shown(capital), counts(both));
    EXPECT_TRUE(shown(*field).empty());
}

TEST_F(MapPanels, AProvincesThreeResourcesStandClearOfThePanelButtons)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeMap, false);
    CResWnd* income = P().provinceIncome;
    const CStr codes[] = {CStr("gold"), CStr("metl"), CStr("ston")};
    const int32_t amounts[] = {99, 99, 99};
    income->SetAmounts(codes, amounts, 3, false);
    ASSERT_EQ(income->ItemCount(), 3);
    EXPECT_LE(income->Row().GetRect().Width(), income->Width()) << "the row fits its window";
    const PackedRect& incomeRect = income->GetNode()->screenRect;
    for (CWindow* button :
         {static_cast<CWindow*>(P().provArmyToggle), static_cast<CWindow*>(P().campArmyToggle)})
        EXPECT_LT(incomeRect.Right(), button->GetNode()->screenRect.Left());
}

TEST_F(MapPanels, TheGarrisonPanelShowsTheFlagOfTheProvincesOwner)
{
    NewGame();
    m_map->SetMode(CMapWnd::kModeMap, false);
    CGameWorld* world = GameWorld();
    PlayerRecord* player = CurrentPlayer();
    SigPlayerTitle.Fire(player);
    const uint8_t* ownFlag = P().campStyle->Picture().Image().header;
    ASSERT_NE(ownFlag, nullptr);
    SigProvinceInfo.Fire(&world->Province(player->capital));
    EXPECT_TRUE(P().armyStyle->IsVisible());
    EXPECT_EQ(P().armyStyle->Picture().Image().header, ownFlag);

    PlayerRecord& enemy = world->Player(1);
    SigProvinceInfo.Fire(&world->Province(enemy.capital));
    EXPECT_NE(P().armyStyle->Picture().Image().header, nullptr);
    EXPECT_NE(P().armyStyle->Picture().Image().header, ownFlag);
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        if (world->Province(i).owner == nullptr) {
            SigProvinceInfo.Fire(&world->Province(i));
            EXPECT_FALSE(P().armyStyle->IsVisible()) << "a province nobody holds has no flag";
            break;
        }
    }
}

// The garrison panel and the tent move the info panel over the map; the map
// gives up the room while the garrison panel is open and takes it all back
// when it closes, and the place a bar of the smaller map held (the third
// mission's map scrolls) is painted again once the map reaches there.
TEST_F(MapPanels, TheMapTakesBackItsRoomAndRepaintsWhereItsBarsWere)
{
    ShowMapWithoutGame();
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 2)));
    NewGameSettings settings;
    settings.humans = 1;
    ApplyNewGameSettings(settings);
    m_map->SetMode(CMapWnd::kModeMap, true);
    const CMapWnd::Panels& p = P();
    CMapFrame* frame = m_map->MapFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->LoadMapBlocks(Game().missionPath));
    // The game's start shows the map; this game was not started.
    frame->Window()->Show(true, false);
    // The person's capital lies in the map's corner: a relayout does not
    // scroll, so only what the relayout itself asks for is painted again.
    SelectProvince(CurrentPlayer()->capital, 1);
    p.provArmyToggle->SetChecked(false, false);
    m_map->LayoutInfoPanel();
    CWindowMgr::ProcessEvents();
    ASSERT_TRUE(frame->HorzBar()->Window()->IsVisible()) << "the map scrolls";
    const PackedRect before = frame->Window()->WindowRect();
    const PackedRect areaBefore = frame->MapArea();

    constexpr uint8_t kScribble = 5;
    auto tap = [&](CWindow* toggle, const char* what) {
        GetDisplaySurface()->Flush();
        const PackedRect bar = frame->HorzBar()->Window()->GetNode()->screenRect;
        const SurfaceDesc& screen = GetDisplaySurface()->ScreenContext()->Surface();
        for (int y = bar.Top(); y <= bar.Bottom(); ++y)
            for (int x = bar.Left(); x <= bar.Right(); ++x)
                *screen.At(x, y) = kScribble;
        TapOn(toggle);
        CWindowMgr::ProcessEvents();
        GetDisplaySurface()->Flush();
        PackedRect stale = bar;
        stale.Intersect(frame->Window()->GetNode()->screenRect);
        int left = 0;
        for (int y = stale.Top(); stale.IsDefined() && y <= stale.Bottom(); ++y)
            for (int x = stale.Left(); x <= stale.Right(); ++x)
                left += *screen.At(x, y) == kScribble;
        EXPECT_EQ(left, 0) << "after " << what << " the bar's old place inside the map is painted again";
    };
    tap(p.provArmyToggle, "opening the garrison panel");
    EXPECT_LT(frame->Window()->WindowRect().Height(), before.Height())
        << "the open panel covers part of the map";
    tap(p.campArmyToggle, "hiding the camp army");
    tap(p.provArmyToggle, "closing the garrison panel");
    tap(p.campArmyToggle, "showing the camp army");
    EXPECT_EQ(frame->Window()->WindowRect(), before);
    EXPECT_EQ(frame->MapArea(), areaBefore);
}

}  // namespace
}  // namespace mapwnd_test

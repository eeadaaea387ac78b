// The castle panel: its state line chosen by what the castle is doing, its
// operation buttons, the look of its work buttons (built, affordable after
// the builder's discount, or not), and taps that start castle operations
// through the human player's controller.
#include <vector>

#include "mapdialogs/castle_info_wnd.h"
#include "players/human_controller.h"
#include "players/request_records.h"
#include "tests/mapdialogs/dialog_rig.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/skin.h"

namespace dialog_test {
namespace {

class CastleInfoTest : public DialogRig {
protected:
    void SetUp() override
    {
        DialogRig::SetUp();
        Player().human = 1;
        Player().controller = new CHumanController(&Player());
        Player().capital = 1;
        ProvinceRecord& p = Province(0);
        p.owner = &Player();
        p.ownerId = 0;
        p.castleFlag = 1;
        castle().work = kCastleIdle;
        castle().percent = 100;
        Game().selectedProvince = 0;
        m_request.province = &p;
        m_request.index = 0;
        m_request.castle = &castle();
        GameRules& rules = Rules();
        rules.catapultLimit = 2;
        for (CResourceBundle* cost :
             {&rules.moatCost, &rules.catapultCost, &rules.wallsCost, &rules.marketCost, &rules.bankCost,
              &rules.metalMineCost, &rules.stoneMineCost, &rules.tavernCost}) {
            cost->Zero();
            cost->SetByChars("gold", 100);
        }
        for (CResourceBundle& cost : rules.guildCost) {
            cost.Zero();
            cost.SetByChars("gold", 100);
        }
        Player().treasury.Zero();
        SigUiRequest.Connect([this](UiRequestKind kind, void*) -> uint32_t {
            m_posted.push_back(static_cast<int>(kind));
            return 0;
        });
        ToolkitHooks hooks;
        hooks.showHintFor = [](CWindow* window, const CStr& text, const void*) {
            s_hints.push_back(std::string(text.Chars()) + "@" + (window ? "button" : "none"));
        };
        SetToolkitHooks(hooks);
        s_hints.clear();
    }
    void TearDown() override
    {
        SigUiRequest.Disconnect();
        DialogRig::TearDown();
    }
    CastleState& castle() { return Province(0).castle; }
    bool IsSkin(CHintButton* b, const char* name) { return b->Skin() == GetButtonSkin(CStr(name)); }

    CastleInfoRequestArgs m_request;
    std::vector<int> m_posted;
    static std::vector<std::string> s_hints;
};
std::vector<std::string> CastleInfoTest::s_hints;

TEST_F(CastleInfoTest, TheStateLineFollowsTheConstruction)
{
    const struct {
        uint32_t work;
        uint8_t percent, turns, builder, walls;
        int line;
        const char* text;
        bool complete, fastRepair;
    } cases[] = {
        {1, 40, 0, 2, 0, 0, "Building 40%", false, false},
        {2, 60, 0, 2, 0, 1, "Repairing 60%", false, false},
        {4, 70, 0, 2, 0, 2, "Completing 70%", false, true},
        {16, 100, 3, 2, 0, 5, "Works 3 turns", false, false},
        {2048, 100, 1, 2, 0, 5, "Works 1 turns", false, false},
        // One turn's progress is 5 x builder + 15, two thirds of it behind
        // fortified walls; larger damage offers the completion.
        {kCastleIdle, 75, 0, 3, 0, 4, "Standing 75%", false, false},
        {kCastleIdle, 65, 0, 3, 0, 3, "Damaged 35%", true, false},
        {kCastleIdle, 75, 0, 3, 1, 3, "Damaged 25%", true, false},
        {kCastleIdle, 80, 0, 3, 1, 4, "Standing 80%", false, false},
        {kCastleIdle, 100, 0, 0, 0, 4, "Standing 100%", false, false},
        {3, 100, 0, 2, 0, -1, "", false, false},
    };
    CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        castle().work = c.work;
        castle().percent = c.percent;
        castle().turnsLeft = c.turns;
        castle().fortWalls = c.walls;
        Player().hero.builder = c.builder;
        wnd.Setup(&m_request);
        EXPECT_EQ(wnd.StateLine(), c.line);
        EXPECT_EQ(TextOf(wnd.State()), c.text);
        EXPECT_EQ(wnd.CompleteButton()->IsVisible(), c.complete);
        EXPECT_EQ(wnd.FastRepairButton()->IsVisible(), c.fastRepair);
    }
}

TEST_F(CastleInfoTest, DemolitionIsOfferedOnlyForAStandingCastleThatIsNotTheCapital)
{
    const struct {
        uint8_t index;
        uint8_t percent;
        bool owned;
        bool offered;
    } cases[] = {{0, 50, true, true}, {1, 50, true, false}, {0, 0, true, false}, {0, 100, false, false}};
    CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.index) << " " << int(c.percent) << " " << c.owned);
        m_request.index = c.index;
        castle().percent = c.percent;
        Province(0).owner = c.owned ? &Player() : nullptr;
        wnd.Setup(&m_request);
        EXPECT_EQ(wnd.DemolishButton()->IsVisible(), c.offered);
    }
}

TEST_F(CastleInfoTest, WorkButtonsShowBuiltAffordableOrNotAfterTheDiscount)
{
    // Builder skill 2: a cost of 100 gold is discounted to 96.
    Player().hero.builder = 2;
    const struct {
        int32_t gold;
        uint8_t catapults;
        bool moat;
        const char* moatSkin;
        bool moatFrame;
        const char* catapultSkin;
        bool catapultFrame;
    } cases[] = {
        {96, 0, false, "CastleBtn", true, "CastleBtn", true},
        {95, 1, false, "CastleBtnDis", true, "CastleBtnDis", true},
        {500, 2, true, nullptr, false, nullptr, false},
    };
    CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gold);
        Player().treasury.SetByChars("gold", c.gold);
        castle().catapults = c.catapults;
        castle().moat = c.moat ? 1 : 0;
        wnd.Setup(&m_request);
        EXPECT_EQ(wnd.MoatButton()->frameDrawn != 0, c.moatFrame);
        EXPECT_EQ(wnd.CatapultButton()->frameDrawn != 0, c.catapultFrame);
        if (c.moatSkin) {
            EXPECT_TRUE(IsSkin(wnd.MoatButton(), c.moatSkin));
        }
        if (c.catapultSkin) {
            EXPECT_TRUE(IsSkin(wnd.CatapultButton(), c.catapultSkin));
        }
        // A built work shows its big picture without a frame.
        EXPECT_EQ(wnd.MoatButton()->Picture().Image().Width(), c.moat ? 30 : 24);
        EXPECT_EQ(wnd.CatapultButton()->Picture().Image().Width(), c.catapults >= 2 ? 30 : 24);
    }
    // Buildings: market built, bank affordable.
    Player().treasury.SetByChars("gold", 200);
    castle().buildings = 0x01;
    wnd.Setup(&m_request);
    EXPECT_EQ(wnd.BuildingButton(0)->frameDrawn, 0);
    EXPECT_EQ(wnd.BuildingButton(2)->frameDrawn, 1);
    EXPECT_TRUE(IsSkin(wnd.BuildingButton(2), "CastleBtn"));
}

TEST_F(CastleInfoTest, TapsStartOperationsOnlyOnAnIdleCastle)
{
    enum Button {
        Moat,
        Catapult,
        Guild,
        Demolish,
        Complete
    };
    const struct {
        uint32_t work;
        uint8_t percent;
        Button button;
        std::vector<int> posted;
        size_t hints;
    } cases[] = {
        {kCastleIdle, 100, Moat, {6}, 0},
        {kCastleIdle, 100, Catapult, {7}, 0},
        // The guild keeps its layout look and frame: a tap always asks.
        {kCastleIdle, 100, Guild, {9}, 0},
        {kCastleIdle, 100, Demolish, {3}, 0},
        // Busy or damaged: the work buttons only explain themselves.
        {16, 100, Moat, {}, 1},
        {kCastleIdle, 90, Guild, {}, 1},
        {kCastleIdle, 50, Complete, {4}, 0},
    };
    Player().hero.builder = 2;
    Player().treasury.SetByChars("gold", 1000);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.work << " " << int(c.percent) << " " << int(c.button));
        castle().work = c.work;
        castle().percent = c.percent;
        m_posted.clear();
        s_hints.clear();
        CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
        wnd.Setup(&m_request);
        wnd.Show(true, false);
        CWindowMgr::ProcessEvents();
        CHintButton* buttons[] = {wnd.MoatButton(), wnd.CatapultButton(), wnd.BuildingButton(3),
                                  wnd.DemolishButton(), wnd.CompleteButton()};
        TapOn(buttons[c.button]);
        EXPECT_EQ(m_posted, c.posted);
        EXPECT_EQ(s_hints.size(), c.hints);
    }
}

TEST_F(CastleInfoTest, ExitHidesThePanelAndRunsItsHideHandler)
{
    CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    struct Watcher {
        int hides = 0;
        void OnHide(CWindow*, intptr_t) { ++hides; }
    } watcher;
    wnd.BindHandler(HandlerHide, &watcher, &Watcher::OnHide);
    wnd.Setup(&m_request);
    wnd.Show(true, false);
    CWindowMgr::ProcessEvents();
    TapOn(wnd.ExitButton());
    EXPECT_FALSE(wnd.IsVisible());
    EXPECT_EQ(watcher.hides, 1);
}

TEST_F(CastleInfoTest, NothingIsRefreshedWhileQuitting)
{
    CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    castle().percent = 60;
    wnd.Setup(&m_request);
    const std::string before = TextOf(wnd.State());
    castle().percent = 20;
    QuitFlag = 1;
    wnd.Refresh();
    QuitFlag = 0;
    EXPECT_EQ(TextOf(wnd.State()), before);
}

TEST_F(CastleInfoTest, ShotOfTheIdlePanel)
{
    Player().hero.builder = 2;
    Player().treasury.SetByChars("gold", 150);
    castle().buildings = 0x11;
    castle().catapults = 1;
    CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    wnd.Setup(&m_request);
    wnd.Show(true, true);
    ASSERT_TRUE(Shot("mapdialogs_castle_info.png"));
}

}  // namespace
}  // namespace dialog_test

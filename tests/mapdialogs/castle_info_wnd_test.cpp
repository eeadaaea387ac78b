// The castle panel shows the offer it is given: the state line, the operation
// buttons, the look of its work buttons (built, affordable or not), and taps
// that start castle operations through the human player's controller.
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
        castle().work = kWorkNone;
        castle().percent = 100;
        Game().selectedProvince = 0;
        m_request.province = &p;
        m_request.index = 0;
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
    // As the launcher does: the offer the rules work out, then the window.
    void ShowOffer(CCastleInfoWnd& wnd)
    {
        m_request.offer = OfferCastleWorks(m_request.province, m_request.index, &Player());
        wnd.Setup(&m_request);
    }
    bool IsSkin(CHintButton* b, const char* name) { return b->Skin() == GetButtonSkin(CStr(name)); }

    CastleInfoRequestArgs m_request;
    std::vector<int> m_posted;
    static std::vector<std::string> s_hints;
};
std::vector<std::string> CastleInfoTest::s_hints;

TEST_F(CastleInfoTest, TheStateLineAndTheOperationsAreTheOnesOffered)
{
    const struct {
        int line, number;
        const char* text;
        bool complete, fastRepair, demolish;
    } cases[] = {
        {0, 40, "Building 40%", false, false, true},
        {1, 60, "Repairing 60%", false, false, false},
        {2, 70, "Completing 70%", false, true, false},
        {3, 35, "Damaged 35%", true, false, true},
        {4, 75, "Standing 75%", false, false, false},
        {5, 3, "Works 3 turns", false, false, false},
        {-1, 9, "", false, false, false},
    };
    CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_request.offer = CastleWorksOffer();
        m_request.offer.known = true;
        m_request.offer.stateLine = c.line;
        m_request.offer.stateNumber = c.number;
        m_request.offer.complete = c.complete;
        m_request.offer.fastRepair = c.fastRepair;
        m_request.offer.demolish = c.demolish;
        wnd.Setup(&m_request);
        EXPECT_EQ(wnd.StateLine(), c.line);
        EXPECT_EQ(TextOf(wnd.State()), c.text);
        EXPECT_EQ(wnd.CompleteButton()->IsVisible(), c.complete);
        EXPECT_EQ(wnd.FastRepairButton()->IsVisible(), c.fastRepair);
        EXPECT_EQ(wnd.DemolishButton()->IsVisible(), c.demolish);
    }
    // Without a castle the line stays as it was.
    m_request.offer.stateLine = 4;
    m_request.offer.stateNumber = 75;
    wnd.Setup(&m_request);
    m_request.offer = CastleWorksOffer();
    wnd.Setup(&m_request);
    EXPECT_EQ(wnd.StateLine(), 4);
    EXPECT_EQ(TextOf(wnd.State()), "Standing 75%");
    EXPECT_FALSE(wnd.DemolishButton()->IsVisible());
}

TEST_F(CastleInfoTest, WorkButtonsLookAsTheirOfferedState)
{
    const struct {
        CastleWorkState state;
        const char* skin;
        bool frame;
        int32_t width;  // a built work shows its big picture
    } cases[] = {
        {WorkAffordable, "CastleBtn", true, 24},
        {WorkUnaffordable, "CastleBtnDis", true, 24},
        {WorkBuilt, nullptr, false, 30},
    };
    CCastleInfoWnd wnd(nullptr, CStr("/Map/MapWnd/CastleInfoWnd"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        m_request.offer = CastleWorksOffer();
        m_request.offer.known = true;
        for (CastleWorkState& state : m_request.offer.works)
            state = c.state;
        wnd.Setup(&m_request);
        for (CHintButton* b : {wnd.MoatButton(), wnd.CatapultButton(), wnd.BuildingButton(2)}) {
            EXPECT_EQ(b->frameDrawn != 0, c.frame);
            if (c.skin) {
                EXPECT_TRUE(IsSkin(b, c.skin));
            }
            EXPECT_EQ(b->Picture().Image().Width(), c.width);
        }
    }
    // A work offered as laid out keeps the look it had.
    m_request.offer.works[WorkMoat] = WorkAsLaidOut;
    m_request.offer.works[WorkCatapult] = WorkAffordable;
    wnd.Setup(&m_request);
    EXPECT_EQ(wnd.MoatButton()->frameDrawn, 0);
    EXPECT_EQ(wnd.MoatButton()->Picture().Image().Width(), 30);
    EXPECT_EQ(wnd.CatapultButton()->frameDrawn, 1);
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
        {kWorkNone, 100, Moat, {6}, 0},
        {kWorkNone, 100, Catapult, {7}, 0},
        // The guild keeps its layout look and frame: a tap always asks.
        {kWorkNone, 100, Guild, {9}, 0},
        {kWorkNone, 100, Demolish, {3}, 0},
        // Busy or damaged: the work buttons only explain themselves.
        {16, 100, Moat, {}, 1},
        {kWorkNone, 90, Guild, {}, 1},
        {kWorkNone, 50, Complete, {4}, 0},
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
        ShowOffer(wnd);
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
    ShowOffer(wnd);
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
    ShowOffer(wnd);
    const std::string before = TextOf(wnd.State());
    castle().percent = 20;
    m_request.offer = OfferCastleWorks(m_request.province, m_request.index, &Player());
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
    ShowOffer(wnd);
    wnd.Show(true, true);
    ASSERT_TRUE(Shot("mapdialogs_castle_info.png"));
}

}  // namespace
}  // namespace dialog_test

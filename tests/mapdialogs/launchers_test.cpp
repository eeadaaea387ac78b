// The map window's launchers: each request kind opens its window under the
// map window, the answers reach the record, the castle panel stays open and
// holds the pen (and the map) until it hides, and the castle works hand the
// pen over for their run.
#include <memory>
#include <string>

#include "core/preference_names.h"
#include "game/ui_request.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/castle_work_wnd.h"
#include "mapdialogs/dialog_children.h"
#include "mapdialogs/map_battle_question_wnd.h"
#include "mapscreen/launcher_table.h"
#include "mapscreen/map_wnd.h"
#include "players/request_records.h"
#include "tests/mapdialogs/dialog_rig.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"

namespace dialog_test {
namespace {

class LaunchersTest : public DialogRig {
protected:
    void SetUp() override
    {
        DialogRig::SetUp();
        m_map = std::make_unique<CMapWnd>(nullptr, CStr("/Map/MapWnd"));
        m_map->Window()->SetRect(PackedRect(0, 0, 239, 319), false);
        // Visible without its show handler, which would start the turn loop.
        m_map->Window()->SetFlag(WndVisible, true);
        Player().hero.builder = 2;
        Player().capital = 1;
        ProvinceRecord& p = Province(0);
        p.owner = &Player();
        p.castleFlag = 1;
        p.castle.percent = 100;
        p.castle.work = kWorkNone;
        m_info.province = &p;
    }
    void TearDown() override
    {
        m_map.reset();
        DialogRig::TearDown();
    }
    // As the dispatcher does: layout names resolve under the map window.
    bool Launch(UiRequestKind kind, void* record)
    {
        DialogNodeScope scope(CStr("/Map/MapWnd"));
        return LauncherTable::Run(*m_map, kind, record);
    }
    bool OnTopOfCapture(CWindow* w)
    {
        return CWindowMgr::CaptureCount() > 0 && CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1) == w;
    }
    bool OnCapture(CWindow* w)
    {
        for (int i = 0; i < CWindowMgr::CaptureCount(); ++i)
            if (CWindowMgr::CaptureAt(i) == w)
                return true;
        return false;
    }
    // The visible modal child of the map window of a type, when there is one.
    template <typename T>
    T* OpenDialog()
    {
        for (CWindow* w = m_map->Window()->GetFirstChild(); w != nullptr; w = w->GetNextSibling()) {
            if (auto* t = dynamic_cast<T*>(w); t != nullptr && w->IsVisible())
                return t;
        }
        return nullptr;
    }

    std::unique_ptr<CMapWnd> m_map;
    CastleInfoRequestArgs m_info;
};

TEST_F(LaunchersTest, KindsWithoutAWindowOpenNothing)
{
    CastleWorkRequestArgs record;
    record.confirmed = 5;
    for (uint32_t kind : {10u, 11u, 12u, 38u, 200u})
        EXPECT_FALSE(Launch(UiRequestKind(kind), &record)) << kind;
    for (UiRequestKind kind : {UiRequestKind::Recruit, UiRequestKind::DiplomacyAnswer})
        EXPECT_TRUE(Launch(kind, &record)) << uint32_t(kind);
    EXPECT_EQ(record.confirmed, 5);
    EXPECT_EQ(m_map->Window()->GetFirstChild() == nullptr || !OpenDialog<CFrameWnd>(), true);
}

TEST_F(LaunchersTest, TheCastlePanelStaysOpenHoldsThePenAndFreesTheMapWhenItHides)
{
    m_map->LockMapFrame();
    ASSERT_TRUE(Launch(UiRequestKind::CastleInfo, &m_info));
    CCastleInfoWnd* panel = m_map->Dialogs().CastleInfo();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->IsVisible());
    EXPECT_TRUE(OnTopOfCapture(panel));
    EXPECT_TRUE(m_map->IsMapFrameHeld());
    EXPECT_EQ(panel->Request(), &m_info);
    // A second request reuses the window and binds its hide handler anew.
    CastleInfoRequestArgs again = m_info;
    ASSERT_TRUE(Launch(UiRequestKind::CastleInfo, &again));
    EXPECT_EQ(m_map->Dialogs().CastleInfo(), panel);
    EXPECT_EQ(panel->Request(), &again);
    CWindowMgr::ProcessEvents();
    TapOn(panel->ExitButton());
    EXPECT_FALSE(panel->IsVisible());
    EXPECT_FALSE(OnCapture(panel));
    EXPECT_FALSE(m_map->IsMapFrameHeld());
}

TEST_F(LaunchersTest, ACastleWorkTakesThePenFromThePanelAndRefreshesItAfterwards)
{
    m_map->LockMapFrame();
    ASSERT_TRUE(Launch(UiRequestKind::CastleInfo, &m_info));
    CCastleInfoWnd* panel = m_map->Dialogs().CastleInfo();
    Province(0).castle.percent = 60;  // changed while the work window is open
    CastleWorkRequestArgs work;
    work.affordable = 1;
    work.turns = 2;
    work.secondCount = 2;
    bool panelHeldDuringRun = true;
    Script({Idle(), [&] {
                panelHeldDuringRun = OnCapture(panel);
                if (auto* w = OpenDialog<CCastleWorkWnd>())
                    TapOn(w->OkButton());
            }});
    ASSERT_TRUE(Launch(UiRequestKind::CompleteCastle, &work));
    EXPECT_FALSE(panelHeldDuringRun);
    EXPECT_EQ(work.confirmed, 1);
    EXPECT_TRUE(OnTopOfCapture(panel));
    EXPECT_TRUE(panel->IsVisible());
    // Refreshed: the damage of 40 is above one turn's 25.
    EXPECT_EQ(panel->StateLine(), 3);
    EXPECT_TRUE(m_map->IsMapFrameHeld());
    // No work window is left behind.
    EXPECT_EQ(OpenDialog<CCastleWorkWnd>(), nullptr);
}

TEST_F(LaunchersTest, AConfirmedDemolitionClosesThePanelARefusedOneKeepsIt)
{
    for (bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        m_map->LockMapFrame();
        ASSERT_TRUE(Launch(UiRequestKind::CastleInfo, &m_info));
        CCastleInfoWnd* panel = m_map->Dialogs().CastleInfo();
        CastleWorkRequestArgs demolish;
        demolish.affordable = 1;
        Script({Idle(), [&] {
                    if (auto* w = OpenDialog<CCastleWorkWnd>())
                        TapOn(confirm ? w->OkButton() : w->CancelButton());
                }});
        ASSERT_TRUE(Launch(UiRequestKind::DemolishCastle, &demolish));
        EXPECT_EQ(demolish.confirmed, confirm ? 1 : 0);
        EXPECT_EQ(panel->IsVisible(), !confirm);
        EXPECT_EQ(OnCapture(panel), !confirm);
        EXPECT_EQ(m_map->IsMapFrameHeld(), !confirm);
        if (!confirm)
            TapOn(panel->ExitButton());
    }
}

TEST_F(LaunchersTest, TheRecordMessageWritesTheBoxsAnswer)
{
    const struct {
        uint32_t mode;
        bool tapOk;
        uint32_t result;
    } cases[] = {{MessageOk, true, MessageResultOk},
                 {MessageQuestion, true, MessageResultYes},
                 {MessageQuestion, false, MessageResultNo},
                 {MessageTapToClose, false, MessageResultOk}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        MessageRequest request;
        request.text = "The harvest failed.";
        request.title = "Famine";
        request.buttonMode = c.mode;
        std::string shownText;
        Script({Idle(), [&] {
                    CMessageWnd* box = OpenDialog<CMessageWnd>();
                    if (box == nullptr)
                        return;
                    shownText = box->TextWindow()->Text().Chars();
                    if (c.mode == MessageTapToClose) {
                        TapOn(box);
                    } else {
                        TapOn(c.tapOk ? box->OkButton() : box->CancelButton());
                    }
                }});
        ASSERT_TRUE(Launch(UiRequestKind::Message, &request));
        EXPECT_EQ(request.result, c.result);
        EXPECT_EQ(shownText, "The harvest failed.");
        EXPECT_EQ(OpenDialog<CMessageWnd>(), nullptr);
    }
}

TEST_F(LaunchersTest, TheTurnNoticeNamesThePlayerAndWaitsForOkOnlyInHotSeat)
{
    Player().name = "Aldric";
    Player().flagNumber = 2;
    Player().human = 1;
    Player().hero.battle = 3;
    Player().hero.builder = 1;
    Player().hero.stealth = 4;
    Game().turn = 7;
    for (uint8_t hotSeat : {0, 1}) {
        SCOPED_TRACE(int(hotSeat));
        PlayerTurnNotice notice;
        notice.player = &Player();
        notice.hotSeat = hotSeat;
        std::string text;
        bool hasOk = false;
        Script({Idle(), [&] {
                    CMessageWnd* box = OpenDialog<CMessageWnd>();
                    if (box == nullptr)
                        return;
                    text = box->TextWindow()->Text().Chars();
                    hasOk = box->OkButton() != nullptr && box->OkButton()->IsVisible();
                    TapOn(hasOk ? static_cast<CWindow*>(box->OkButton()) : box);
                }});
        ASSERT_TRUE(Launch(UiRequestKind::PlayerTurnNotice, &notice));
        // No locale text in the rig: the key itself is the format.
        EXPECT_EQ(text, "PlrTurnM");
        EXPECT_EQ(hasOk, hotSeat != 0);
        EXPECT_EQ(QuitFlag, 0);
    }
}

TEST_F(LaunchersTest, CovertRequestsRunTheirWindowsAndLeaveNothingOpen)
{
    DeceaseRequestArgs decease;
    decease.treasury.SetByChars("gold", 1000);
    decease.maxRaiders = 3;
    decease.raiderCost.SetByChars("gold", 100);
    Script({Idle(), [&] {
                if (auto* w = OpenDialog<CFrameWnd>()) {
                    CWindow* ok = nullptr;
                    for (CWindow* c = w->GetFirstChild(); c != nullptr; c = c->GetNextSibling())
                        if (c->GetNode() && c->Width() == 60 && c->WindowRect().Left() == 10 &&
                            c->WindowRect().Top() == 180)
                            ok = c;
                    if (ok)
                        TapOn(ok);
                }
            }});
    ASSERT_TRUE(Launch(UiRequestKind::Decease, &decease));
    EXPECT_EQ(decease.confirmed, 1);
    EXPECT_EQ(decease.raiders, 1);

    NotEnoughResourcesArgs ner;
    ner.mode = 2;
    Script({Idle(),
            [&] {
                if (auto* w = OpenDialog<CFrameWnd>())
                    TapOn(w);
            },
            [&] {
                if (auto* w = OpenDialog<CFrameWnd>()) {
                    for (CWindow* c = w->GetFirstChild(); c != nullptr; c = c->GetNextSibling())
                        if (c->WindowRect().Top() == 180)
                            TapOn(c);
                }
            }});
    ASSERT_TRUE(Launch(UiRequestKind::NotEnoughResources, &ner));
    EXPECT_EQ(QuitFlag, 0);
    EXPECT_EQ(OpenDialog<CFrameWnd>(), nullptr);
}

TEST_F(LaunchersTest, TheBattleQuestionLauncherWritesTheAnswerAndTheQuickBox)
{
    const struct {
        UiRequestKind kind;
        uint32_t mode, mayRetreat;
        uint8_t prefQuick;
        bool cancelShown;
    } cases[] = {
        {UiRequestKind::BattleAttack, 1, 0, 1, true},
        {UiRequestKind::BattleDefend, 0, 1, 0, true},
        // A defender in the capital may not flee.
        {UiRequestKind::BattleDefend, 0, 0, 1, false},
    };
    const uint8_t savedQuick = PrefQuickBattles;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << uint32_t(c.kind) << " " << c.mayRetreat);
        PrefQuickBattles = c.prefQuick;
        BattleQuestionArgs request;
        request.confirmed = 1;  // the launcher must write it
        request.quick = c.prefQuick ? 0 : 1;
        request.mode = c.mode;
        request.mayRetreat = c.mayRetreat;
        request.provinceName = "Ashford";
        bool cancelShown = !c.cancelShown;
        // The run ends by quitting: a quit is a refusal.
        Script({Idle(), [&] {
                    if (auto* w = OpenDialog<CMapBattleQuestionWnd>())
                        cancelShown = w->CancelButton()->IsVisible();
                }});
        ASSERT_TRUE(Launch(c.kind, &request));
        EXPECT_EQ(request.confirmed, 0);
        EXPECT_EQ(request.quick, c.prefQuick);
        EXPECT_EQ(cancelShown, c.cancelShown);
        EXPECT_EQ(OpenDialog<CMapBattleQuestionWnd>(), nullptr);
        QuitFlag = 0;
    }
    PrefQuickBattles = savedQuick;
}

}  // namespace
}  // namespace dialog_test

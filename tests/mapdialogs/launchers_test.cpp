// The map window's launchers: each request kind opens its window under the
// map window, the answers reach the record, the castle panel stays open and
// holds the pen (and the map) until it hides, and the castle works hand the
// pen over for their run.
#include <memory>
#include <string>

#include "app/message_wnd.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/castle_work_wnd.h"
#include "mapdialogs/dialog_children.h"
#include "mapscreen/map_wnd.h"
#include "game/ui_request.h"
#include "players/request_records.h"
#include "tests/mapdialogs/dialog_bench.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"

namespace dialog_test {
namespace {

class LaunchersTest : public DialogBench {
protected:
    void SetUp() override {
        DialogBench::SetUp();
        map_ = std::make_unique<CMapWnd>(nullptr, CStr("/Map/MapWnd"));
        map_->Window()->SetRect(PackedRect(0, 0, 239, 319), false);
        // Visible without its show handler, which would start the turn loop.
        map_->Window()->SetFlag(WndVisible, true);
        Player().hero.builder = 2;
        Player().capital = 1;
        ProvinceRecord& p = Province(0);
        p.owner = &Player();
        p.castleFlag = 1;
        p.castle.percent = 100;
        p.castle.work = kCastleIdle;
        info_.province = &p;
        info_.castle = &p.castle;
    }
    void TearDown() override {
        map_.reset();
        DialogBench::TearDown();
    }
    // As the dispatcher does: layout names resolve under the map window.
    bool Launch(uint32_t kind, void* record) {
        DialogNodeScope scope(CStr("/Map/MapWnd"));
        return map_->RunLauncher(kind, record);
    }
    bool OnTopOfCapture(CWindow* w) {
        return CWindowMgr::CaptureCount() > 0 && CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1) == w;
    }
    bool OnCapture(CWindow* w) {
        for (int i = 0; i < CWindowMgr::CaptureCount(); ++i)
            if (CWindowMgr::CaptureAt(i) == w) return true;
        return false;
    }
    // The visible modal child of the map window of a type, when there is one.
    template <typename T>
    T* OpenDialog() {
        for (CWindow* w = map_->Window()->GetFirstChild(); w != nullptr; w = w->GetNextSibling()) {
            if (auto* t = dynamic_cast<T*>(w); t != nullptr && w->IsVisible()) return t;
        }
        return nullptr;
    }

    std::unique_ptr<CMapWnd> map_;
    CastleInfoRequestArgs info_;
};

TEST_F(LaunchersTest, KindsWithoutAWindowOpenNothing) {
    CastleWorkRequestArgs record;
    record.confirmed = 5;
    for (uint32_t kind : {10u, 11u, 12u, 38u, 200u}) EXPECT_FALSE(Launch(kind, &record)) << kind;
    for (uint32_t kind : {13u, 32u}) EXPECT_TRUE(Launch(kind, &record)) << kind;
    EXPECT_EQ(record.confirmed, 5);
    EXPECT_EQ(map_->Window()->GetFirstChild() == nullptr || !OpenDialog<CFrameWnd>(), true);
}

TEST_F(LaunchersTest, TheCastlePanelStaysOpenHoldsThePenAndFreesTheMapWhenItHides) {
    map_->LockMapFrame();
    ASSERT_TRUE(Launch(2, &info_));
    CCastleInfoWnd* panel = map_->CastleInfoWnd();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->IsVisible());
    EXPECT_TRUE(OnTopOfCapture(panel));
    EXPECT_TRUE(map_->IsMapFrameHeld());
    EXPECT_EQ(panel->Request(), &info_);
    // A second request reuses the window and binds its hide handler anew.
    CastleInfoRequestArgs again = info_;
    ASSERT_TRUE(Launch(2, &again));
    EXPECT_EQ(map_->CastleInfoWnd(), panel);
    EXPECT_EQ(panel->Request(), &again);
    CWindowMgr::ProcessEvents();
    TapOn(panel->ExitButton());
    EXPECT_FALSE(panel->IsVisible());
    EXPECT_FALSE(OnCapture(panel));
    EXPECT_FALSE(map_->IsMapFrameHeld());
}

TEST_F(LaunchersTest, ACastleWorkTakesThePenFromThePanelAndRefreshesItAfterwards) {
    map_->LockMapFrame();
    ASSERT_TRUE(Launch(2, &info_));
    CCastleInfoWnd* panel = map_->CastleInfoWnd();
    Province(0).castle.percent = 60;  // changed while the work window is open
    CastleWorkRequestArgs work;
    work.affordable = 1;
    work.turns = 2;
    work.secondCount = 2;
    bool panelHeldDuringRun = true;
    Script({Idle(),
            [&] {
                panelHeldDuringRun = OnCapture(panel);
                if (auto* w = OpenDialog<CCastleWorkWnd>()) TapOn(w->OkButton());
            }});
    ASSERT_TRUE(Launch(4, &work));
    EXPECT_FALSE(panelHeldDuringRun);
    EXPECT_EQ(work.confirmed, 1);
    EXPECT_TRUE(OnTopOfCapture(panel));
    EXPECT_TRUE(panel->IsVisible());
    // Refreshed: the damage of 40 is above one turn's 25.
    EXPECT_EQ(panel->StateLine(), 3);
    EXPECT_TRUE(map_->IsMapFrameHeld());
    // No work window is left behind.
    EXPECT_EQ(OpenDialog<CCastleWorkWnd>(), nullptr);
}

TEST_F(LaunchersTest, AConfirmedDemolitionClosesThePanelARefusedOneKeepsIt) {
    for (bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        map_->LockMapFrame();
        ASSERT_TRUE(Launch(2, &info_));
        CCastleInfoWnd* panel = map_->CastleInfoWnd();
        CastleWorkRequestArgs demolish;
        demolish.affordable = 1;
        Script({Idle(), [&] {
                    if (auto* w = OpenDialog<CCastleWorkWnd>()) TapOn(confirm ? w->OkButton() : w->CancelButton());
                }});
        ASSERT_TRUE(Launch(3, &demolish));
        EXPECT_EQ(demolish.confirmed, confirm ? 1 : 0);
        EXPECT_EQ(panel->IsVisible(), !confirm);
        EXPECT_EQ(OnCapture(panel), !confirm);
        EXPECT_EQ(map_->IsMapFrameHeld(), !confirm);
        if (!confirm) TapOn(panel->ExitButton());
    }
}

TEST_F(LaunchersTest, TheRecordMessageWritesTheBoxsAnswer) {
    const struct {
        uint32_t mode;
        bool tapOk;
        uint32_t result;
    } cases[] = {{MessageOk, true, MessageResultOk}, {MessageQuestion, true, MessageResultYes},
                 {MessageQuestion, false, MessageResultNo}, {MessageTapToClose, false, MessageResultOk}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        MessageRequest request;
        request.text = "The harvest failed.";
        request.title = "Famine";
        request.buttonMode = c.mode;
        std::string shownText;
        Script({Idle(), [&] {
                    CMessageWnd* box = OpenDialog<CMessageWnd>();
                    if (box == nullptr) return;
                    shownText = box->TextWindow()->Text().Chars();
                    if (c.mode == MessageTapToClose) {
                        TapOn(box);
                    } else {
                        TapOn(c.tapOk ? box->OkButton() : box->CancelButton());
                    }
                }});
        ASSERT_TRUE(Launch(35, &request));
        EXPECT_EQ(request.result, c.result);
        EXPECT_EQ(shownText, "The harvest failed.");
        EXPECT_EQ(OpenDialog<CMessageWnd>(), nullptr);
    }
}

TEST_F(LaunchersTest, TheTurnNoticeNamesThePlayerAndWaitsForOkOnlyInHotSeat) {
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
                    if (box == nullptr) return;
                    text = box->TextWindow()->Text().Chars();
                    hasOk = box->OkButton() != nullptr && box->OkButton()->IsVisible();
                    TapOn(hasOk ? static_cast<CWindow*>(box->OkButton()) : box);
                }});
        ASSERT_TRUE(Launch(30, &notice));
        // No locale text in the bench: the key itself is the format.
        EXPECT_EQ(text, "PlrTurnM");
        EXPECT_EQ(hasOk, hotSeat != 0);
        EXPECT_EQ(QuitFlag, 0);
    }
}

TEST_F(LaunchersTest, CovertRequestsRunTheirWindowsAndLeaveNothingOpen) {
    DeceaseRequestArgs decease;
    decease.ownHero = &Player().hero;
    decease.targetHero = &Player().hero;
    decease.treasury.SetByChars("gold", 1000);
    Rules().maxRaiders = 3;
    Rules().deceaseCost.Zero();
    Rules().deceaseCost.SetByChars("gold", 100);
    Script({Idle(), [&] {
                if (auto* w = OpenDialog<CFrameWnd>()) {
                    CWindow* ok = nullptr;
                    for (CWindow* c = w->GetFirstChild(); c != nullptr; c = c->GetNextSibling())
                        if (c->GetNode() && c->Width() == 60 && c->WindowRect().Left() == 10 &&
                            c->WindowRect().Top() == 180)
                            ok = c;
                    if (ok) TapOn(ok);
                }
            }});
    ASSERT_TRUE(Launch(18, &decease));
    EXPECT_EQ(decease.confirmed, 1);
    EXPECT_EQ(decease.raiders, 1);

    NotEnoughResourcesArgs ner;
    ner.mode = 2;
    Script({Idle(), [&] {
                if (auto* w = OpenDialog<CFrameWnd>()) TapOn(w);
            },
            [&] {
                if (auto* w = OpenDialog<CFrameWnd>()) {
                    for (CWindow* c = w->GetFirstChild(); c != nullptr; c = c->GetNextSibling())
                        if (c->WindowRect().Top() == 180) TapOn(c);
                }
            }});
    ASSERT_TRUE(Launch(28, &ner));
    EXPECT_EQ(QuitFlag, 0);
    EXPECT_EQ(OpenDialog<CFrameWnd>(), nullptr);
}

}  // namespace
}  // namespace dialog_test

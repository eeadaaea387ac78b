// The transfer window: a scroll bar per squad pair sets how many units stay
// in the garrison; the deltas follow, the captions show the new counts, and
// a picture warns when the garrison left behind invites a revolt.
#include "mapdialogs/transfer_wnd.h"

#include <gtest/gtest.h>

#include <memory>

#include "game/army.h"
#include "game/game_object.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"
#include "tests/mapdialogs/operation_windows_rig.h"
#include "tests/mapdialogs/test_squads.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/markup_wnd.h"
#include "ui/scroll_bar.h"

namespace {

using operation_windows_test::OperationWindowsRig;

CArmy ArmyOf(std::initializer_list<int32_t> counts)
{
    RegisterTestSquadTypes();
    CArmy army;
    int i = 0;
    for (int32_t count : counts) {
        CSquad squad;
        squad.SetType(FindSquadType(CStr(i++ % 2 == 0 ? "Pike" : "Bow")));
        squad.count = count;
        army.AddSquadCopy(squad);
    }
    return army;
}

class TransferWndTest : public OperationWindowsRig {
protected:
    std::unique_ptr<CTransferWnd> Make(const CArmy& army, const CArmy& garrison,
                                       ProvinceRecord* province = nullptr)
    {
        m_record.army = &army;
        m_record.garrison = &garrison;
        m_record.province = province;
        m_record.deltas.assign(static_cast<size_t>(army.Count()), 0);
        auto wnd = std::make_unique<CTransferWnd>(Root(), CStr("TransferWnd"), true);
        wnd->Setup(&m_record);
        Open(wnd.get());
        return wnd;
    }
    static std::string Left(const CTransferWnd& wnd, int row)
    {
        return wnd.LeftButton(row)->Caption2().Text().Chars();
    }
    static std::string Right(const CTransferWnd& wnd, int row)
    {
        return wnd.RightButton(row)->Caption2().Text().Chars();
    }
    TransferRequest m_record;
};

TEST_F(TransferWndTest, TheBarSetsWhatStaysInTheGarrison)
{
    const CArmy army = ArmyOf({5});
    const CArmy garrison = ArmyOf({3});
    auto wnd = Make(army, garrison);
    EXPECT_EQ(wnd->RowCount(), 1);
    CScrollBar* bar = wnd->Bar(0);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 8);
    EXPECT_EQ(bar->Pos(), 3);
    EXPECT_EQ(Left(*wnd, 0), "5");
    EXPECT_EQ(Right(*wnd, 0), "3");
    EXPECT_TRUE(wnd->LeftButton(0)->ExtraPicture().HasHeader());
    struct Step {
        bool first;  // the first button, else the last
        int32_t delta;
        const char *left, *right;
    };
    for (const Step s : {Step{true, 3, "8", "0"}, Step{false, -5, "0", "8"}}) {
        TapWindow(s.first ? bar->FirstButton() : bar->LastButton());
        EXPECT_EQ(m_record.deltas[0], s.delta);
        EXPECT_EQ(Left(*wnd, 0), s.left);
        EXPECT_EQ(Right(*wnd, 0), s.right);
    }
    bar->SetPos(4, true, true);
    EXPECT_EQ(m_record.deltas[0], -1);
}

TEST_F(TransferWndTest, FourRowsAtMostAndEmptyPairsAreDisabled)
{
    const CArmy army = ArmyOf({1, 0, 2, 3, 4, 5});
    const CArmy garrison = ArmyOf({1, 0, 0, 1, 9, 9});
    auto wnd = Make(army, garrison);
    EXPECT_EQ(wnd->RowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(wnd->LeftButton(row)->IsVisible());
        EXPECT_TRUE(wnd->RightButton(row)->IsVisible());
        const bool empty = row == 1;
        EXPECT_EQ(wnd->LeftButton(row)->IsEnabled(), !empty);
        EXPECT_EQ(wnd->RightButton(row)->IsEnabled(), !empty);
        EXPECT_EQ(wnd->Bar(row)->Window()->IsVisible(), !empty);
    }
    TapWindow(wnd->Bar(3)->FirstButton());
    EXPECT_EQ(m_record.deltas, (std::vector<int32_t>{0, 0, 0, 1, 0, 0}));
}

TEST_F(TransferWndTest, ARecordWithTooFewDeltasGetsOneForEverySquad)
{
    const CArmy army = ArmyOf({2, 2});
    const CArmy garrison = ArmyOf({1, 1});
    m_record.army = &army;
    m_record.garrison = &garrison;
    m_record.deltas.clear();
    CTransferWnd wnd(Root(), CStr("TransferWnd"), true);
    wnd.Setup(&m_record);
    EXPECT_EQ(m_record.deltas.size(), 2u);
    Open(&wnd);
    TapWindow(wnd.Bar(1)->LastButton());
    EXPECT_EQ(m_record.deltas[1], -2);
}

TEST_F(TransferWndTest, EmptyingAFarGarrisonRaisesTheRevoltWarning)
{
    SmallWorld game(1, 10);
    OneRealm(game);
    game.SetArmy(0, 5, 0);
    game.SetGarrison(9, 3, 0);
    game.Player(0).armyLocation = 9;
    ProvinceRecord& far = game.Province(9);
    auto wnd = Make(game.Player(0).army, far.garrison, &far);
    EXPECT_STREQ(wnd->CampaignText()->Text().Chars(), "Army of 1");
    EXPECT_FALSE(wnd->RevoltImage()->IsVisible());
    TapWindow(wnd->Bar(0)->FirstButton());  // all three into the army
    EXPECT_EQ(m_record.deltas[0], 3);
    EXPECT_TRUE(wnd->RevoltImage()->IsVisible());
    TapWindow(wnd->Bar(0)->LastButton());  // everything into the garrison
    EXPECT_FALSE(wnd->RevoltImage()->IsVisible());
}

TEST_F(TransferWndTest, OkAndCancelWriteTheConfirmedByte)
{
    const CArmy army = ArmyOf({5});
    const CArmy garrison = ArmyOf({3});
    for (const bool ok : {true, false}) {
        m_record = TransferRequest{};
        auto wnd = Make(army, garrison);
        controls_test::StepScript* script = Script();
        script->At(2, [&] { TapWindow(wnd->Bar(0)->FirstButton()); });
        script->At(3, [&] { TapWindow(ok ? wnd->OkButton() : wnd->CancelButton()); });
        EXPECT_EQ(RunModal(wnd.get()), ok ? ResultOk : ResultCancel);
        EXPECT_EQ(m_record.confirmed, ok ? 1 : 0);
        EXPECT_EQ(m_record.deltas[0], 3);  // kept either way; read only when confirmed
    }
}

}  // namespace

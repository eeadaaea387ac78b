// The trading window: kinds picked with the radio buttons, amounts with the
// slider, exchanges accepted one after another, OK handing back the result.
#include "mapdialogs/trading_wnd.h"

#include <gtest/gtest.h>

#include <memory>

#include "game/province_record.h"
#include "game/resource_bundle.h"
#include "tests/mapdialogs/operation_windows_rig.h"
#include "tests/mapdialogs/test_squads.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/markup_wnd.h"
#include "ui/scroll_bar.h"

namespace {

using operation_windows_test::OperationWindowsRig;

class TradingWndTest : public OperationWindowsRig {
protected:
    // The rates as the poster hands them over; without a running game every
    // pair trades 10 for 3.
    std::unique_ptr<CTradingWnd> Make(int32_t gold, int32_t metal, int32_t stone)
    {
        m_record.treasury.SetByChars("gold", gold);
        m_record.treasury.SetByChars("metl", metal);
        m_record.treasury.SetByChars("ston", stone);
        m_record.rates = MarketRates(m_record.player, m_record.treasury.Count());
        auto wnd = std::make_unique<CTradingWnd>(Root(), CStr("TradingWnd"), true);
        wnd->Setup(&m_record);
        Open(wnd.get());
        return wnd;
    }
    static int32_t Shown(const CTradingWnd& wnd, const char* kind) { return wnd.Shown().GetByChars(kind); }
    TradingRequest m_record;
};

TEST_F(TradingWndTest, SetupPicksTheFirstPairAndShowsItsRate)
{
    auto wnd = Make(95, 5, 0);
    EXPECT_EQ(wnd->KindCount(), 3);
    EXPECT_EQ(wnd->PairCount(), 6);
    const TradingPair* pair = wnd->FindPair(0, 1);
    ASSERT_NE(pair, nullptr);
    EXPECT_EQ(pair->a, 10);
    EXPECT_EQ(pair->b, 3);
    EXPECT_EQ(wnd->FindPair(1, 1), nullptr);
    EXPECT_EQ(wnd->FromIndex(), 0);
    EXPECT_EQ(wnd->ToIndex(), 1);
    EXPECT_TRUE(wnd->LeftButton(0)->IsChecked());
    EXPECT_FALSE(wnd->LeftButton(1)->IsChecked());
    EXPECT_TRUE(wnd->RightButton(1)->IsChecked());
    EXPECT_FALSE(wnd->RightButton(0)->IsEnabled());  // never the kind given
    EXPECT_STREQ(wnd->RightButton(2)->Caption2().Text().Chars(), "Stone");
    EXPECT_TRUE(wnd->LeftButton(0)->ExtraPicture().HasHeader());
    EXPECT_STREQ(wnd->RateText()->Text().Chars(), "/Images/Icons/gold 10 = /Images/Icons/metl 3");
    EXPECT_EQ(wnd->Slider()->Max(), 28);
    EXPECT_EQ(wnd->Slider()->Page(), 1);
    EXPECT_EQ(wnd->Slider()->Pos(), 0);
    EXPECT_FALSE(wnd->AcceptButton()->IsEnabled());
}

TEST_F(TradingWndTest, TheSliderMovesGoodsBetweenTheKinds)
{
    auto wnd = Make(95, 5, 0);
    TapWindow(wnd->Slider()->LastButton());
    EXPECT_EQ(wnd->Slider()->Pos(), 28);
    EXPECT_EQ(Shown(*wnd, "gold"), 1);
    EXPECT_EQ(Shown(*wnd, "metl"), 33);
    EXPECT_EQ(Shown(*wnd, "ston"), 0);
    EXPECT_STREQ(wnd->ExchangeText()->Text().Chars(),
                 "{img src=/Images/Icons/gold} 94 -> {img src=/Images/Icons/metl} 28");
    EXPECT_TRUE(wnd->AcceptButton()->IsEnabled());
    // The committed treasury does not move until Accept.
    EXPECT_EQ(wnd->Committed().GetByChars("gold"), 95);
    wnd->Slider()->SetPos(3, true, true);
    EXPECT_EQ(Shown(*wnd, "gold"), 85);
    EXPECT_EQ(Shown(*wnd, "metl"), 8);
}

TEST_F(TradingWndTest, AcceptKeepsAnExchangeAndAnotherPairDropsAnUnacceptedOne)
{
    auto wnd = Make(95, 5, 0);
    wnd->Slider()->SetPos(10, true, true);  // 34 gold for 10 metal
    TapWindow(wnd->AcceptButton());
    EXPECT_EQ(wnd->Committed().GetByChars("gold"), 61);
    EXPECT_EQ(wnd->Committed().GetByChars("metl"), 15);
    EXPECT_EQ(wnd->Slider()->Pos(), 0);   // a new exchange starts at 0
    EXPECT_EQ(wnd->Slider()->Max(), 18);  // from what is left: 61 * 3 / 10
    // An exchange on the slider is dropped when another kind is picked.
    wnd->Slider()->SetPos(5, true, true);
    EXPECT_EQ(Shown(*wnd, "gold"), 44);
    TapWindow(wnd->RightButton(2));
    EXPECT_EQ(wnd->ToIndex(), 2);
    EXPECT_EQ(Shown(*wnd, "gold"), 61);
    EXPECT_EQ(Shown(*wnd, "metl"), 15);
    EXPECT_TRUE(wnd->RightButton(2)->IsChecked());
    EXPECT_FALSE(wnd->RightButton(1)->IsChecked());
    // Giving the kind that was to be got moves the kind to get away.
    TapWindow(wnd->LeftButton(2));
    EXPECT_EQ(wnd->FromIndex(), 2);
    EXPECT_EQ(wnd->ToIndex(), 0);
    EXPECT_FALSE(wnd->RightButton(2)->IsEnabled());
    EXPECT_TRUE(wnd->RightButton(1)->IsEnabled());
    EXPECT_FALSE(wnd->LeftButton(0)->IsChecked());
    // No stone to give: no slider, no Accept.
    EXPECT_EQ(wnd->Slider()->Max(), 0);
    EXPECT_FALSE(wnd->Slider()->Window()->IsVisible());
    EXPECT_FALSE(wnd->AcceptButton()->IsVisible());
    EXPECT_EQ(Shown(*wnd, "gold"), 61);
}

TEST_F(TradingWndTest, OkAppliesTheSliderAndCancelLeavesTheTreasury)
{
    struct Case {
        bool ok;
        uint16_t result;
        uint8_t confirmed;
        int32_t gold, metal;
    };
    for (const Case c : {Case{true, ResultOk, 1, 85, 8}, Case{false, ResultCancel, 0, 95, 5}}) {
        m_record = TradingRequest{};
        auto wnd = Make(95, 5, 0);
        controls_test::StepScript* script = Script();
        script->At(2, [&] { wnd->Slider()->SetPos(3, true, true); });
        script->At(3, [&] { TapWindow(c.ok ? wnd->OkButton() : wnd->CancelButton()); });
        EXPECT_EQ(RunModal(wnd.get()), c.result);
        EXPECT_EQ(m_record.confirmed, c.confirmed);
        EXPECT_EQ(m_record.treasury.GetByChars("gold"), c.gold);
        EXPECT_EQ(m_record.treasury.GetByChars("metl"), c.metal);
    }
}

// A player who earns almost only gold gets 0 metal and 0 stone for 10 gold
// by the rules; the market sells them to him by the unit instead of greying
// his gold.
TEST_F(TradingWndTest, ARareKindIsSoldByTheUnitAndTooLittleSaysSo)
{
    SmallWorld game(1, 1);
    OneRealm(game);
    CResourceBundle& income = game.Province(0).income;
    income.SetByChars("gold", 90);
    income.SetByChars("metl", 1);
    income.SetByChars("ston", 9);
    m_record.player = &game.Player(0);
    // Rates 99, 10 and 18; gold's 99 is 201 after the market step, so 10 gold
    // buy 10 x 10 / 201 of metal: 0 by the rules' rate. One metal is worth
    // 201 / 10 gold, and 60 per cent of it is paid: 2010 / 60 = 34 rounded up.
    auto wnd = Make(95, 30, 30);
    ASSERT_EQ(wnd->KindCount(), 3);
    ASSERT_NE(wnd->FindPair(0, 1), nullptr);
    EXPECT_EQ(wnd->FindPair(0, 1)->a, 34);
    EXPECT_EQ(wnd->FindPair(0, 1)->b, 1);
    EXPECT_EQ(wnd->FindPair(1, 0)->a, 10);  // a rate that buys something stays as the rules give it
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(wnd->LeftButton(k)->IsEnabled()) << k;
    EXPECT_EQ(wnd->FromIndex(), 0);
    EXPECT_EQ(wnd->ToIndex(), 1);
    EXPECT_STREQ(wnd->RateText()->Text().Chars(), "/Images/Icons/gold 34 = /Images/Icons/metl 1");
    EXPECT_EQ(wnd->Slider()->Max(), 2);  // 95 gold buy 2 metal
    wnd->Slider()->SetPos(2, true, true);
    EXPECT_EQ(Shown(*wnd, "gold"), 95 - 68);
    EXPECT_EQ(Shown(*wnd, "metl"), 32);

    // Less gold than one unit costs: nothing to slide, and the window says why.
    m_record = TradingRequest{};
    m_record.player = &game.Player(0);
    auto poor = Make(20, 30, 30);
    EXPECT_TRUE(poor->LeftButton(0)->IsEnabled());
    EXPECT_EQ(poor->Slider()->Max(), 0);
    EXPECT_FALSE(poor->Slider()->Window()->IsVisible());
    EXPECT_STREQ(poor->ExchangeText()->Text().Chars(), "need /Images/Icons/gold 34 for /Images/Icons/metl 1");
}

}  // namespace

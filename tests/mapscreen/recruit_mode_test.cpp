// The recruit mode of the map window on the hand-made map: player 0 owns
// provinces 0 (his capital) and 3, player 1 province 1, province 2 is neutral
// unless a test gives it to player 0.
#include <gtest/gtest.h>

#include <memory>

#include "game/army.h"
#include "game/game_object.h"
#include "mapscreen/map_view.h"
#include "mapscreen/map_frame.h"
#include "mapscreen/map_wnd.h"
#include "tests/mapscreen/map_bench.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"

namespace {

using map_test::MapBench;
using map_test::Node;

class RecruitModeTest : public MapBench {
protected:
    std::vector<Node> Tree() override {
        std::vector<Node> tree = MapBench::Tree();
        const std::vector<Node> more = {
            {0, "Map", {}},
            {1, "MapWnd", {1, 0, 0, 0, 240, 320}},
            {2, "RecruitActionPanel", {1, 0, 0, 200, 240, 120}},
            // visible, anchor, x, y, w, h, string count, strings, align, colour
            {3, "RtProvince", {1, 0, 0, 0, 200, 20, 4, "none", "one %s", "many", "capital", 2, 1}},
            {3, "BtnSquad1", {1, 0, 0, 30, 50, 30, ""}},
            {3, "BtnSquad2", {1, 0, 50, 30, 50, 30, ""}},
            {3, "BtnSquad3", {1, 0, 100, 30, 50, 30, ""}},
            {3, "BtnSquad4", {1, 0, 150, 30, 50, 30, ""}},
        };
        tree.insert(tree.end(), more.begin(), more.end());
        return tree;
    }
    void SetUp() override {
        MapBench::SetUp();
        PlayerRecord& p0 = world_.Player(0);
        p0.capital = 0;
        world_.Province(0).name = CStr("Alder");
        world_.Province(3).name = CStr("Elm");
        world_.Province(2).name = CStr("Fen");
        types_[0].cost[0] = 10;  // 10 gold a unit
        types_[1].cost[0] = 5;
        types_[1].cost[1] = 1;
        types_[2].cost[0] = 20;
        types_[0].buyQuantity = 4;
        types_[1].buyQuantity = 4;
        types_[2].buyQuantity = 4;
        // Six squad kinds; garrisons follow the army's order.
        const int kinds[6] = {0, 1, 2, 0, 1, 2};
        for (int t : kinds) AddSquad(p0.army, t, 5, 1);
        for (int i = 0; i < world_.ProvinceCount(); ++i)
            for (int t : kinds) AddSquad(world_.Province(i).garrison, t, 0, 1);
        // A standing garrison of kind 1 in the capital.
        world_.Province(0).garrison.Item(1)->count = 2;
        p0.treasury[0] = 1000;
        p0.treasury[1] = 50;
        p0.treasury[2] = 0;
        view_ = std::make_unique<CMapView>(CStr("/Scenarios/t/M1"));
        wnd_ = std::make_unique<CMapWnd>(Root(), CStr("/Map/MapWnd"));
    }
    void TearDown() override {
        // The window ends the session, which frees the running game's world;
        // this one belongs to the bench.
        Game().world = nullptr;
        wnd_.reset();
        view_.reset();
        MapBench::TearDown();
    }
    void GiveProvince2ToPlayer0() {
        world_.Province(2).ownerId = 0;
        world_.Province(2).owner = &world_.Player(0);
    }
    std::string ProvinceText() const { return wnd_->PanelControls().recruitProvince->Text().Chars(); }
    int32_t Garrison(int province, int kind) const { return world_.Province(province).garrison.Item(kind)->count; }

    std::unique_ptr<CMapView> view_;
    std::unique_ptr<CMapWnd> wnd_;
};

TEST_F(RecruitModeTest, EnteringShowsFourButtonsAndChoosesTheCapital) {
    wnd_->EnterRecruitMode();
    EXPECT_EQ(wnd_->RecruitingPlayer(), &world_.Player(0));
    EXPECT_EQ(wnd_->RecruitPool()->Count(), 6);
    EXPECT_EQ(wnd_->SquadButtonCount(), 4);
    EXPECT_EQ(wnd_->SelectedSquad(), 0);
    EXPECT_TRUE(wnd_->SquadButton(0)->IsChecked());
    EXPECT_FALSE(wnd_->SquadButton(1)->IsChecked());
    EXPECT_EQ(wnd_->ChosenProvinceCount(), 1);
    EXPECT_TRUE(wnd_->IsProvinceChosen(0));
    EXPECT_EQ(ProvinceText(), "capital");
    EXPECT_EQ(wnd_->Recruited(1), 2);
    // The button shows the garrison of the chosen provinces, signed.
    EXPECT_STREQ(wnd_->SquadButton(1)->Face().First().Text().Chars(), "+2");
    EXPECT_STREQ(wnd_->SquadButton(1)->Face().Second().Text().Chars(), "0");
}

TEST_F(RecruitModeTest, ChoosingProvincesOnTheMap) {
    wnd_->EnterRecruitMode();
    struct Step {
        bool drag;
        int16_t province;
        int chosen;
        const char* text;
    };
    const Step steps[] = {
        {false, 3, 1, "one Elm"},
        {false, 1, 1, "one Elm"},  // another lord's province is ignored
        {true, 2, 1, "one Elm"},   // so is a neutral one
        {true, 0, 2, "many"},
        {false, 0, 1, "capital"},
    };
    for (const Step& s : steps) {
        if (s.drag)
            wnd_->RecruitModeDrag(s.province);
        else
            wnd_->RecruitModePenDown(s.province);
        EXPECT_EQ(wnd_->ChosenProvinceCount(), s.chosen) << s.province;
        EXPECT_EQ(ProvinceText(), s.text) << s.province;
    }
    wnd_->ClearProvinceMarks(false);
    EXPECT_EQ(ProvinceText(), "none");
}

TEST_F(RecruitModeTest, LimitsFollowRoomAndTreasury) {
    struct Case {
        uint8_t weight;
        int32_t gold;
        int32_t standing;  // units of kind 0 already in the capital
        int32_t limit;
    };
    const Case cases[] = {
        {4, 1000, 0, 8},   // two provinces of room 4
        {4, 1000, 3, 5},
        {0, 1000, 0, 2},   // a weight of 0 counts 1
        {4, 35, 0, 3},     // three units affordable
        {4, 1000, 12, 0},  // fuller than the room: nothing, never below 0
    };
    for (const Case& c : cases) {
        types_[0].buyQuantity = c.weight;
        world_.Player(0).treasury[0] = c.gold;
        world_.Province(0).garrison.Item(0)->count = c.standing;
        wnd_->EnterRecruitMode();
        EXPECT_EQ(wnd_->RecruitPool()->Item(0)->count, c.limit) << int(c.weight) << " " << c.gold << " " << c.standing;
        wnd_->LeaveRecruitMode();
    }
}

TEST_F(RecruitModeTest, ThreeProvincesAndPositionTwoPlaceSixUnitsAndRefundExactly) {
    GiveProvince2ToPlayer0();
    wnd_->EnterRecruitMode();
    wnd_->RecruitModeDrag(3);
    wnd_->RecruitModeDrag(2);
    ASSERT_EQ(wnd_->ChosenProvinceCount(), 3);
    const CResourceBundle before = world_.Player(0).treasury;
    wnd_->OnRecruitScrollSet(2);
    for (int p : {0, 2, 3}) EXPECT_EQ(Garrison(p, 0), 2) << p;
    EXPECT_EQ(world_.Player(0).treasury[0], before[0] - 60);
    EXPECT_EQ(world_.Player(0).stats.spent[0], 60);
    EXPECT_EQ(wnd_->Recruited(0), 6);
    EXPECT_EQ(wnd_->RecruitedHere(0), 6);
    // Back to one unit a province: three are given back, from the highest index down.
    wnd_->OnRecruitScrollSet(1);
    for (int p : {0, 2, 3}) EXPECT_EQ(Garrison(p, 0), 1) << p;
    EXPECT_EQ(world_.Player(0).treasury[0], before[0] - 30);
    EXPECT_EQ(world_.Player(0).stats.spent[0], 30);
}

TEST_F(RecruitModeTest, PassesGoFromTheHighestIndexDown) {
    GiveProvince2ToPlayer0();
    wnd_->EnterRecruitMode();
    wnd_->RecruitModeDrag(3);
    wnd_->RecruitModeDrag(2);
    wnd_->SetRecruited(0, 4);  // one pass over 3, 2, 0 and one more for 3
    EXPECT_EQ(Garrison(3, 0), 2);
    EXPECT_EQ(Garrison(2, 0), 1);
    EXPECT_EQ(Garrison(0, 0), 1);
}

TEST_F(RecruitModeTest, ClearGivesBackWhatWasRecruitedOfEveryKindAndNothingElse) {
    wnd_->EnterRecruitMode();
    const CResourceBundle before = world_.Player(0).treasury;
    wnd_->SetRecruited(0, 3);
    wnd_->SelectSquad(1, false);
    wnd_->OnRecruitScrollSet(5);  // 2 standing + 3 recruited
    EXPECT_EQ(Garrison(0, 1), 5);
    EXPECT_EQ(world_.Player(0).treasury[0], before[0] - 30 - 15);
    EXPECT_EQ(world_.Player(0).treasury[1], before[1] - 3);
    wnd_->OnRecruitClearTap(nullptr, 0);
    EXPECT_EQ(Garrison(0, 0), 0);
    EXPECT_EQ(Garrison(0, 1), 2);  // the standing garrison stays
    EXPECT_EQ(world_.Player(0).treasury[0], before[0]);
    EXPECT_EQ(world_.Player(0).treasury[1], before[1]);
    // Nor can the scroller sell it.
    wnd_->OnRecruitScrollSet(0);
    EXPECT_EQ(Garrison(0, 1), 2);
    EXPECT_EQ(world_.Player(0).treasury[0], before[0]);
}

TEST_F(RecruitModeTest, NothingIsPlacedWithoutAChosenProvinceOrBeyondTheLimit) {
    wnd_->EnterRecruitMode();
    wnd_->ClearProvinceMarks(false);
    wnd_->SetRecruited(0, 5);
    EXPECT_EQ(Garrison(0, 0), 0);
    wnd_->RecruitModePenDown(0);
    wnd_->SetRecruited(0, 50);  // the limit is 8
    EXPECT_EQ(Garrison(0, 0), 8);
    EXPECT_EQ(wnd_->RecruitPool()->Item(0)->count, 0);
    EXPECT_EQ(world_.Player(0).treasury[0], 1000 - 80);
}

TEST_F(RecruitModeTest, LeavingClearsTheMarksAndThePool) {
    wnd_->EnterRecruitMode();
    wnd_->SetRecruited(0, 2);
    // The window marks the view of its own map frame when it has one.
    CMapView* view = wnd_->MapFrame() != nullptr ? &wnd_->MapFrame()->View() : view_.get();
    EXPECT_TRUE(view->IsRecruitMode());
    wnd_->LeaveRecruitMode();
    EXPECT_FALSE(view->IsRecruitMode());
    EXPECT_EQ(wnd_->ChosenProvinceCount(), 0);
    for (int i = 0; i < wnd_->RecruitPool()->Count(); ++i) EXPECT_EQ(wnd_->RecruitPool()->Item(i)->count, 0);
    // What was recruited stays.
    EXPECT_EQ(Garrison(0, 0), 2);
}

}  // namespace

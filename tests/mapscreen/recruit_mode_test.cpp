// The recruit mode of the map window on the hand-made map: player 0 owns
// provinces 0 (his capital) and 3, player 1 province 1, province 2 is neutral
// unless a test gives it to player 0.
#include <gtest/gtest.h>

#include <memory>

#include "game/army.h"
#include "game/game_object.h"
#include "mapscreen/map_frame.h"
#include "mapscreen/map_view.h"
#include "mapscreen/map_wnd.h"
#include "tests/mapscreen/map_rig.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"

namespace {

using map_test::MapRig;
using map_test::Node;

class RecruitModeTest : public MapRig {
protected:
    std::vector<Node> Tree() override
    {
        std::vector<Node> tree = MapRig::Tree();
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
    void SetUp() override
    {
        MapRig::SetUp();
        PlayerRecord& p0 = m_world.Player(0);
        p0.capital = 0;
        m_world.Province(0).name = CStr("Alder");
        m_world.Province(3).name = CStr("Elm");
        m_world.Province(2).name = CStr("Fen");
        m_types[0].cost[0] = 10;  // 10 gold a unit
        m_types[1].cost[0] = 5;
        m_types[1].cost[1] = 1;
        m_types[2].cost[0] = 20;
        m_types[0].buyQuantity = 4;
        m_types[1].buyQuantity = 4;
        m_types[2].buyQuantity = 4;
        // Six squad kinds; garrisons follow the army's order.
        const int kinds[6] = {0, 1, 2, 0, 1, 2};
        for (int t : kinds)
            AddSquad(p0.army, t, 5, 1);
        for (int i = 0; i < m_world.ProvinceCount(); ++i)
            for (int t : kinds)
                AddSquad(m_world.Province(i).garrison, t, 0, 1);
        // A standing garrison of kind 1 in the capital.
        m_world.Province(0).garrison.Item(1)->count = 2;
        p0.treasury[0] = 1000;
        p0.treasury[1] = 50;
        p0.treasury[2] = 0;
        m_wnd = std::make_unique<CMapWnd>(Root(), CStr("/Map/MapWnd"));
        ASSERT_NE(m_wnd->MapFrame(), nullptr);
    }
    void TearDown() override
    {
        // The window ends the session, which frees the running game's world;
        // this one belongs to the rig.
        Game().world = nullptr;
        m_wnd.reset();
        MapRig::TearDown();
    }
    void GiveProvince2ToPlayer0()
    {
        m_world.Province(2).ownerId = 0;
        m_world.Province(2).owner = &m_world.Player(0);
    }
    std::string ProvinceText() const { return m_wnd->PanelControls().recruitProvince->Text().Chars(); }
    int32_t Garrison(int province, int kind) const
    {
        return m_world.Province(province).garrison.Item(kind)->count;
    }

    // The map window's own view holds the marks.
    CMapView& View() const { return m_wnd->MapFrame()->View(); }
    std::unique_ptr<CMapWnd> m_wnd;
};

TEST_F(RecruitModeTest, EnteringShowsFourButtonsAndChoosesTheCapital)
{
    m_wnd->EnterRecruitMode();
    EXPECT_EQ(m_wnd->Recruit().RecruitingPlayer(), &m_world.Player(0));
    EXPECT_EQ(m_wnd->Recruit().RecruitPool()->Count(), 6);
    EXPECT_EQ(m_wnd->Recruit().SquadButtonCount(), 4);
    EXPECT_EQ(m_wnd->Recruit().SelectedSquad(), 0);
    EXPECT_TRUE(m_wnd->Recruit().SquadButton(0)->IsChecked());
    EXPECT_FALSE(m_wnd->Recruit().SquadButton(1)->IsChecked());
    EXPECT_EQ(m_wnd->Recruit().ChosenProvinceCount(), 1);
    EXPECT_TRUE(m_wnd->Recruit().IsProvinceChosen(0));
    EXPECT_EQ(ProvinceText(), "capital");
    EXPECT_EQ(m_wnd->Recruit().Recruited(1), 2);
    // The button shows the garrison of the chosen provinces, signed.
    EXPECT_STREQ(m_wnd->Recruit().SquadButton(1)->Face().First().Text().Chars(), "+2");
    EXPECT_STREQ(m_wnd->Recruit().SquadButton(1)->Face().Second().Text().Chars(), "0");
}

TEST_F(RecruitModeTest, ChoosingProvincesOnTheMap)
{
    m_wnd->EnterRecruitMode();
    struct Step {
        bool drag;
        int16_t province;
        int chosen;
        const char* text;
    };
    const Step steps[] = {
        {false, 3, 1, "one Elm"}, {false, 1, 1, "one Elm"},  // another lord's province is ignored
        {true, 2, 1, "one Elm"},                             // so is a neutral one
        {true, 0, 2, "many"},     {false, 0, 1, "capital"},
    };
    for (const Step& s : steps) {
        if (s.drag)
            m_wnd->Recruit().Drag(s.province);
        else
            m_wnd->Recruit().PenDown(s.province);
        EXPECT_EQ(m_wnd->Recruit().ChosenProvinceCount(), s.chosen) << s.province;
        EXPECT_EQ(ProvinceText(), s.text) << s.province;
    }
    m_wnd->ClearProvinceMarks(false);
    EXPECT_EQ(ProvinceText(), "none");
}

TEST_F(RecruitModeTest, LimitsFollowRoomAndTreasury)
{
    struct Case {
        uint8_t weight;
        int32_t gold;
        int32_t standing;  // units of kind 0 already in the capital
        int32_t limit;
    };
    const Case cases[] = {
        {4, 1000, 0, 8},                    // two provinces of room 4
        {4, 1000, 3, 5},  {0, 1000, 0, 2},  // a weight of 0 counts 1
        {4, 35, 0, 3},                      // three units affordable
        {4, 1000, 12, 0},                   // fuller than the room: nothing, never below 0
    };
    for (const Case& c : cases) {
        m_types[0].buyQuantity = c.weight;
        m_world.Player(0).treasury[0] = c.gold;
        m_world.Province(0).garrison.Item(0)->count = c.standing;
        m_wnd->EnterRecruitMode();
        EXPECT_EQ(m_wnd->Recruit().RecruitPool()->Item(0)->count, c.limit)
            << int(c.weight) << " " << c.gold << " " << c.standing;
        m_wnd->LeaveRecruitMode();
    }
}

TEST_F(RecruitModeTest, ThreeProvincesAndPositionTwoPlaceSixUnitsAndRefundExactly)
{
    GiveProvince2ToPlayer0();
    m_wnd->EnterRecruitMode();
    m_wnd->Recruit().Drag(3);
    m_wnd->Recruit().Drag(2);
    ASSERT_EQ(m_wnd->Recruit().ChosenProvinceCount(), 3);
    const CResourceBundle before = m_world.Player(0).treasury;
    m_wnd->Recruit().OnScrollSet(2);
    for (int p : {0, 2, 3})
        EXPECT_EQ(Garrison(p, 0), 2) << p;
    EXPECT_EQ(m_world.Player(0).treasury[0], before[0] - 60);
    EXPECT_EQ(m_world.Player(0).stats.spent[0], 60);
    EXPECT_EQ(m_wnd->Recruit().Recruited(0), 6);
    EXPECT_EQ(m_wnd->Recruit().RecruitedHere(0), 6);
    // Back to one unit a province: three are given back, from the highest index down.
    m_wnd->Recruit().OnScrollSet(1);
    for (int p : {0, 2, 3})
        EXPECT_EQ(Garrison(p, 0), 1) << p;
    EXPECT_EQ(m_world.Player(0).treasury[0], before[0] - 30);
    EXPECT_EQ(m_world.Player(0).stats.spent[0], 30);
}

TEST_F(RecruitModeTest, PassesGoFromTheHighestIndexDown)
{
    GiveProvince2ToPlayer0();
    m_wnd->EnterRecruitMode();
    m_wnd->Recruit().Drag(3);
    m_wnd->Recruit().Drag(2);
    m_wnd->SetRecruited(0, 4);  // one pass over 3, 2, 0 and one more for 3
    EXPECT_EQ(Garrison(3, 0), 2);
    EXPECT_EQ(Garrison(2, 0), 1);
    EXPECT_EQ(Garrison(0, 0), 1);
}

TEST_F(RecruitModeTest, ClearGivesBackWhatWasRecruitedOfEveryKindAndNothingElse)
{
    m_wnd->EnterRecruitMode();
    const CResourceBundle before = m_world.Player(0).treasury;
    m_wnd->SetRecruited(0, 3);
    m_wnd->SelectSquad(1, false);
    m_wnd->Recruit().OnScrollSet(5);  // 2 standing + 3 recruited
    EXPECT_EQ(Garrison(0, 1), 5);
    EXPECT_EQ(m_world.Player(0).treasury[0], before[0] - 30 - 15);
    EXPECT_EQ(m_world.Player(0).treasury[1], before[1] - 3);
    m_wnd->Recruit().OnClearTap(nullptr, 0);
    EXPECT_EQ(Garrison(0, 0), 0);
    EXPECT_EQ(Garrison(0, 1), 2);  // the standing garrison stays
    EXPECT_EQ(m_world.Player(0).treasury[0], before[0]);
    EXPECT_EQ(m_world.Player(0).treasury[1], before[1]);
    // Nor can the scroller sell it.
    m_wnd->Recruit().OnScrollSet(0);
    EXPECT_EQ(Garrison(0, 1), 2);
    EXPECT_EQ(m_world.Player(0).treasury[0], before[0]);
}

TEST_F(RecruitModeTest, NothingIsPlacedWithoutAChosenProvinceOrBeyondTheLimit)
{
    m_wnd->EnterRecruitMode();
    m_wnd->ClearProvinceMarks(false);
    m_wnd->SetRecruited(0, 5);
    EXPECT_EQ(Garrison(0, 0), 0);
    m_wnd->Recruit().PenDown(0);
    m_wnd->SetRecruited(0, 50);  // the limit is 8
    EXPECT_EQ(Garrison(0, 0), 8);
    EXPECT_EQ(m_wnd->Recruit().RecruitPool()->Item(0)->count, 0);
    EXPECT_EQ(m_world.Player(0).treasury[0], 1000 - 80);
}

TEST_F(RecruitModeTest, LeavingClearsTheMarksAndThePool)
{
    m_wnd->EnterRecruitMode();
    m_wnd->SetRecruited(0, 2);
    EXPECT_TRUE(View().IsRecruitMode());
    m_wnd->LeaveRecruitMode();
    EXPECT_FALSE(View().IsRecruitMode());
    EXPECT_EQ(m_wnd->Recruit().ChosenProvinceCount(), 0);
    for (int i = 0; i < m_wnd->Recruit().RecruitPool()->Count(); ++i)
        EXPECT_EQ(m_wnd->Recruit().RecruitPool()->Item(i)->count, 0);
    // What was recruited stays.
    EXPECT_EQ(Garrison(0, 0), 2);
}

// The end of the game shows the lord's record of recruits: what a stay in
// the mode placed is in it, what was taken back before leaving is not.
TEST_F(RecruitModeTest, LeavingBooksTheRecruitsInTheLordsRecord)
{
    const auto recruited = [&](int kind) {
        int32_t n = 0;
        const CArmy& record = m_world.Player(0).stats.recruited;
        for (int i = 0; i < record.Count(); ++i)
            if (record.Item(i)->type == m_world.Player(0).army.Item(kind)->type)
                n += record.Item(i)->count;
        return n;
    };
    m_wnd->EnterRecruitMode();
    m_wnd->SetRecruited(0, 4);
    m_wnd->SelectSquad(1, false);
    m_wnd->Recruit().OnScrollSet(5);  // 2 standing + 3 recruited
    m_wnd->Recruit().OnScrollSet(4);  // one of them taken back
    EXPECT_EQ(recruited(0), 0) << "nothing is booked while the mode is open";
    m_wnd->LeaveRecruitMode();
    EXPECT_EQ(recruited(0), 4);
    EXPECT_EQ(recruited(1), 2);
    EXPECT_EQ(recruited(2), 0);
    // A stay that recruits nothing books nothing more.
    m_wnd->EnterRecruitMode();
    m_wnd->LeaveRecruitMode();
    EXPECT_EQ(recruited(0), 4);
    EXPECT_EQ(recruited(1), 2);
}

}  // namespace

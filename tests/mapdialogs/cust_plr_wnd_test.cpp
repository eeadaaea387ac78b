// The custom player window: flag colours traded between players, start
// positions swapped and swapped back with every record and province they
// touch, the mini-map's colour rule, and the hero skills window's points.

#include "mapdialogs/cust_plr_wnd.h"

#include <gtest/gtest.h>

#include <string>

#include "game/game_world.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/mini_map.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "players/human_controller.h"
#include "tests/support/windows/game_windows_rig.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

class CustPlrTest : public GameWindowsRig {
protected:
    void SetUp() override
    {
        GameWindowsRig::SetUp();
        Use(0, 0);
    }
    void TearDown() override
    {
        Game().world = nullptr;
        SetActiveWorld(nullptr);
        MiniMapColourHook.Clear();
        MiniMapBlinkProvince = 255;
        GameWindowsRig::TearDown();
    }
    void Use(int scenario, int mission)
    {
        ASSERT_TRUE(LoadMissionWorld(scenario, mission, m_world));
        Game().world = &m_world;
        Game().missionPath = Map::CSrenarionMgr::MissionPath(scenario, mission);
        for (int i = 0; i < m_world.PlayerCount(); ++i)
            m_world.Player(i).flagNumber = static_cast<uint8_t>(i);
        MakeHuman(0);
    }
    void MakeHuman(int i)
    {
        PlayerRecord& p = m_world.Player(i);
        p.human = 1;
        if (!p.controller)
            p.controller = new CHumanController(&p);
    }
    PlayerRecord& P(int i) { return m_world.Player(i); }
    ProvinceRecord& Prov(int i) { return m_world.Province(i); }
    static std::string Text(CWindow* w) { return w->Text().Chars(); }

    CGameWorld m_world;
};

TEST_F(CustPlrTest, SetupShowsTheFirstHumansPosition)
{
    CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
    wnd.Setup(&P(0));
    EXPECT_EQ(Text(&wnd), "Player 1");
    EXPECT_EQ(P(0).flagNumber, 0);
    EXPECT_EQ(wnd.ColourScroller()->Value(), 0);
    EXPECT_TRUE(wnd.ColourScroller()->Window()->IsEnabled());
    EXPECT_EQ(wnd.CapitalScroller()->Min(), 0);
    EXPECT_EQ(wnd.CapitalScroller()->Max(), 1) << "Corvin is never offered";
    EXPECT_EQ(std::string(wnd.CapitalScroller()->ValueLabel()->Text().Chars()), "Ashfold");
    EXPECT_EQ(wnd.MiniMap()->BlinkProvince(), 0);
    EXPECT_EQ(Text(wnd.HeroNameLabel()), "Aldra");
    EXPECT_EQ(Text(wnd.SkillsText()), "1/2/3");
    EXPECT_EQ(wnd.Army()->ItemCount(), 2);
    EXPECT_TRUE(wnd.MiniMap()->HasPicture());
    Shot("cust_plr_rig");
}

TEST_F(CustPlrTest, AnotherStartPositionSwapsEverythingAndSwapsBack)
{
    CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
    wnd.Setup(&P(0));
    const int32_t pikes0 = P(0).army.Item(0)->count, pikes1 = P(1).army.Item(0)->count;
    wnd.CapitalScroller()->SetValue(1, true, true);
    EXPECT_EQ(wnd.HeldIndex(), 1);
    EXPECT_EQ(P(0).capital, 2);
    EXPECT_EQ(P(1).capital, 0);
    EXPECT_STREQ(P(0).name.Chars(), "Borun");
    EXPECT_STREQ(P(1).name.Chars(), "Aldra");
    EXPECT_STREQ(P(0).slotTypes[0].Chars(), "Bow");
    EXPECT_EQ(P(0).army.Item(0)->count, pikes1);
    EXPECT_EQ(P(0).hero.battle, 2);
    EXPECT_EQ(Text(wnd.HeroNameLabel()), "Borun");
    EXPECT_EQ(std::string(wnd.CapitalScroller()->ValueLabel()->Text().Chars()), "Cinderfen");
    EXPECT_EQ(wnd.MiniMap()->BlinkProvince(), 2);
    // Provinces 0, 1 were P's, 2 and 5 Borun's; the neutral 3 and Corvin's 4 stay.
    const int owners[] = {1, 1, 0, -1, 2, 0};
    for (int i = 0; i < 6; ++i) {
        const PlayerRecord* owner = owners[i] < 0 ? nullptr : &P(owners[i]);
        EXPECT_EQ(Prov(i).owner, owner) << i;
        if (owner) {
            EXPECT_EQ(Prov(i).ownerId, owner->playerId) << i;
        }
    }
    EXPECT_EQ(Prov(2).castle.capital, 1) << "P's new capital";
    EXPECT_EQ(Prov(0).castle.capital, 1) << "Borun's record now holds capital 0";
    // Garrisons are rebuilt from the province's counts with the new owner's types.
    ASSERT_EQ(Prov(5).garrison.Count(), 2);
    EXPECT_STREQ(Prov(5).garrison.Item(0)->type->typeId.Chars(), "Bow");
    EXPECT_EQ(Prov(5).garrison.Item(0)->count, 8);
    EXPECT_EQ(Prov(5).garrison.Item(1)->count, 0) << "a negative count becomes 0";
    wnd.CapitalScroller()->SetValue(0, true, true);
    EXPECT_EQ(wnd.HeldIndex(), 0);
    EXPECT_EQ(P(0).capital, 0);
    EXPECT_EQ(P(1).capital, 2);
    EXPECT_STREQ(P(0).name.Chars(), "Aldra");
    EXPECT_EQ(P(0).army.Item(0)->count, pikes0);
    EXPECT_EQ(P(0).hero.battle, 1);
    const int back[] = {0, 0, 1, -1, 2, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Prov(i).owner, back[i] < 0 ? nullptr : &P(back[i])) << i;
    EXPECT_EQ(Prov(2).castle.capital, 1);
    EXPECT_EQ(Prov(0).castle.capital, 1);
    EXPECT_EQ(Prov(1).castle.capital, 0);
}

TEST_F(CustPlrTest, TheColourRuleShowsOwnProvincesInTheOwnColour)
{
    P(0).flagNumber = 3;
    CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
    wnd.Setup(&P(0));
    wnd.ColourScroller()->SetValue(3, true, true);
    const uint8_t expected[] = {3, 3, 7, 6, 7, 7};
    for (uint8_t i = 0; i < 6; ++i) {
        uint8_t pixel = i;
        MiniMapColourHook(&pixel);
        EXPECT_EQ(pixel, expected[i]) << int(i);
    }
    uint8_t beyond = 50;
    MiniMapColourHook(&beyond);
    EXPECT_EQ(beyond, 50);
}

TEST_F(CustPlrTest, ColoursAreTradedAndEarlierHumansKeepTheirs)
{
    MakeHuman(1);
    P(0).flagNumber = 0;
    P(1).flagNumber = 1;
    P(2).flagNumber = 4;  // Corvin, a computer player
    CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
    wnd.Setup(&P(1));
    EXPECT_EQ(Text(&wnd), "Player 2");
    EXPECT_EQ(P(1).flagNumber, 5) << "0 belongs to the first human; the order is 0, 5, 4, ...";
    EXPECT_EQ(wnd.FreeColourCount(), 5);
    wnd.ColourScroller()->SetValue(4, true, true);
    EXPECT_EQ(P(1).flagNumber, 4);
    EXPECT_EQ(P(2).flagNumber, 5) << "the computer player takes the human's old colour";
    EXPECT_EQ(P(0).flagNumber, 0);
    wnd.ColourScroller()->SetValue(0, true, true);  // downward onto the first human's colour
    EXPECT_EQ(P(1).flagNumber, 5);
    EXPECT_EQ(P(2).flagNumber, 4);
    wnd.ColourScroller()->SetValue(0, true, true);
    P(1).flagNumber = 5;
    wnd.ApplyColour(0, true);  // upward past the first human's colour
    EXPECT_EQ(P(1).flagNumber, 1);
    EXPECT_EQ(P(0).flagNumber, 0);
}

TEST_F(CustPlrTest, ASecondHumanSeesOnlyPositionsFromItsOwnOnward)
{
    MakeHuman(1);
    CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
    wnd.Setup(&P(1));
    EXPECT_EQ(wnd.CapitalScroller()->Min(), 1);
    EXPECT_EQ(wnd.CapitalScroller()->Max(), 1);
    EXPECT_EQ(wnd.NthStartPosition(0), 0);
    EXPECT_EQ(wnd.NthStartPosition(1), 1);
    EXPECT_EQ(wnd.NthStartPosition(2), 0) << "fewer positions: 0";
}

TEST_F(CustPlrTest, AMissionWithOneStartPositionKeepsItsOwn)
{
    Use(1, 0);
    CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
    wnd.Setup(&P(0));
    EXPECT_EQ(wnd.CapitalScroller()->Min(), 0);
    EXPECT_EQ(wnd.CapitalScroller()->Max(), 0);
    EXPECT_EQ(P(0).capital, 0);
    EXPECT_EQ(Prov(0).owner, &P(0));
}

TEST_F(CustPlrTest, TheSkillsWindowSharesSixPoints)
{
    CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
    wnd.Setup(&P(0));
    P(0).hero.battle = P(0).hero.builder = P(0).hero.stealth = 2;
    CCustSkillsWnd* skills = wnd.SkillsWnd();
    Script({[&] { TapWindow(wnd.HeroButton()); },
            [&] {
                ASSERT_TRUE(skills->IsVisible());
                EXPECT_EQ(wnd.MiniMap()->BlinkProvince(), 255) << "no blinking behind the skills";
                EXPECT_EQ(skills->PointsLeft(), 0);
                EXPECT_TRUE(skills->OkButton()->IsEnabled()) << "2, 2, 2 spends every point";
                EXPECT_EQ(skills->Scroller(0)->Max(), 2);
                skills->Scroller(0)->SetValue(1, true, true);
            },
            [&] {
                EXPECT_EQ(skills->Skill(0), 1);
                EXPECT_EQ(skills->PointsLeft(), 1);
                EXPECT_FALSE(skills->OkButton()->IsEnabled());
                EXPECT_EQ(skills->Scroller(1)->Max(), 3);
                EXPECT_EQ(std::string(skills->PointsLeftText()->Text().Chars()), "Left 1");
                EXPECT_EQ(skills->Scroller(0)->Min(), 1) << "no skill below 1";
                skills->Scroller(1)->SetValue(3, true, true);
            },
            [&] {
                EXPECT_EQ(skills->PointsLeft(), 0);
                TapWindow(skills->OkButton());
            },
            [&] {
                EXPECT_FALSE(skills->IsVisible());
                EXPECT_EQ(P(0).hero.battle, 1);
                EXPECT_EQ(P(0).hero.builder, 3);
                EXPECT_EQ(P(0).hero.stealth, 2);
                EXPECT_EQ(Text(wnd.SkillsText()), "1/3/2");
                EXPECT_EQ(wnd.MiniMap()->BlinkProvince(), 0) << "the capital blinks again";
                TapWindow(wnd.HeroButton());
            },
            [&] { skills->Scroller(2)->SetValue(1, true, true); }, [&] { TapWindow(skills->CancelButton()); },
            [&] {
                EXPECT_EQ(P(0).hero.stealth, 2) << "cancel writes nothing";
                TapWindow(wnd.StartButton());
            }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
}

TEST_F(CustPlrTest, ASquadKindButtonShowsItsDescriptionOverTheWindow)
{
    CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
    wnd.Setup(&P(0));
    bool sawDescription = false;
    Script({[&] { TapWindow(wnd.ArmyButton(1)); },
            [&] {
                CSquadDescrWnd* descr = nullptr;
                for (CWindow* child = wnd.GetFirstChild(); child; child = child->GetNextSibling())
                    if (auto* found = dynamic_cast<CSquadDescrWnd*>(child))
                        descr = found;
                ASSERT_NE(descr, nullptr);
                sawDescription = true;
                EXPECT_EQ(descr->WindowRect().Left(), wnd.ClientRect().Left());
                EXPECT_EQ(descr->WindowRect().Width(), 200) << "the layout's size is kept";
                TapWindow(descr);  // lifting the stylus closes it
            },
            [&] {
                for (CWindow* child = wnd.GetFirstChild(); child; child = child->GetNextSibling())
                    EXPECT_EQ(dynamic_cast<CSquadDescrWnd*>(child), nullptr) << "deleted after its run";
                TapWindow(wnd.StartButton());
            }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_TRUE(sawDescription);
}

}  // namespace
}  // namespace game_windows_test

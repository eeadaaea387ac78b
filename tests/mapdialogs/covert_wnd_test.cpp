// The covert operation windows: the questions that let the player choose
// raiders (bounded by the treasury and the rules) and confirm, and the
// notices of the outcome, which close on a tap anywhere.
#include <functional>
#include <memory>

#include "game/army.h"
#include "game/player_colour.h"
#include "game/squad_type.h"
#include "mapdialogs/castle_wnd.h"
#include "mapdialogs/decease_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/robbery_wnd.h"
#include "mapdialogs/scout_wnd.h"
#include "players/request_records.h"
#include "tests/mapdialogs/dialog_rig.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/value_scroller.h"

namespace dialog_test {
namespace {

CResourceBundle Gold(int32_t gold, int32_t metal = 0)
{
    CResourceBundle b;
    b.SetByChars("gold", gold);
    b.SetByChars("metl", metal);
    return b;
}

std::string AmountsOf(CResWnd* control)
{
    std::string text;
    for (int i = 0; control != nullptr && i < control->ItemCount(); ++i) {
        if (!text.empty())
            text += " ";
        text += control->Amount(i)->Text().Chars();
    }
    return text;
}

// The figures the rules give for three raiders at 50% each.
DeceaseRequestArgs AssassinationInAshford()
{
    DeceaseRequestArgs request;
    request.provinceName = "Ashford";
    request.ownerName = "Morwen";
    request.treasury = Gold(300, 100);
    request.chance = 50;
    request.maxRaiders = 3;
    request.raiderCost = Gold(100, 5);
    return request;
}

class CovertTest : public DialogRig {
protected:
    void SetUp() override
    {
        DialogRig::SetUp();
        Game().world->SetPlayerCount(2);
        Game().world->Player(1).name = "Morwen";
    }
};

TEST_F(CovertTest, TheAssassinationQuestionShowsTheFiguresItIsGiven)
{
    DeceaseRequestArgs request = AssassinationInAshford();
    CDeceaseWnd wnd(nullptr, CStr("/Map/MapWnd/DeceaseWnd"));
    wnd.Setup(&request);
    EXPECT_EQ(wnd.Raiders()->Min(), 1);
    EXPECT_EQ(wnd.Raiders()->Max(), 3);
    EXPECT_EQ(wnd.Raiders()->Value(), 1);
    EXPECT_EQ(TextOf(wnd.Province()), "Province Ashford");
    EXPECT_EQ(TextOf(wnd.Player()), "Lord Morwen");
    EXPECT_EQ(TextOf(wnd.Chance()), "50% with 1");
    EXPECT_EQ(TextOf(wnd.Cost()), "100 gold");
}

TEST_F(CovertTest, MovingTheRaidersShowsTheirCostAndWhatIsLeft)
{
    DeceaseRequestArgs request;
    request.treasury = Gold(300, 100);
    request.chance = 37;
    request.maxRaiders = 3;
    request.raiderCost = Gold(100, 5);
    CDeceaseWnd wnd(nullptr, CStr("/Map/MapWnd/DeceaseWnd"));
    wnd.Setup(&request);
    ASSERT_EQ(wnd.Raiders()->Max(), 3);
    wnd.Raiders()->SetValue(3, true, true);
    EXPECT_EQ(TextOf(wnd.Chance()), "37% with 3");
    EXPECT_EQ(TextOf(wnd.Cost()), "300 gold");
    EXPECT_EQ(AmountsOf(wnd.Treasury()), "85");
    // Empty names leave the layout's texts.
    EXPECT_EQ(TextOf(wnd.Province()), "Province %s");
    EXPECT_EQ(TextOf(wnd.Player()), "Lord %s");
    // Ok writes the count; Cancel only the refusal.
    Script({Idle(), TapStep([&wnd] { return wnd.OkButton(); })});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_EQ(request.raiders, 3);
    EXPECT_EQ(request.confirmed, 1);

    DeceaseRequestArgs refused;
    refused.treasury = Gold(300, 100);
    refused.maxRaiders = 3;
    refused.raiderCost = Gold(100, 5);
    refused.confirmed = 9;
    CDeceaseWnd again(nullptr, CStr("/Map/MapWnd/DeceaseWnd"));
    again.Setup(&refused);
    again.Raiders()->SetValue(2, true, true);
    Script({Idle(), TapStep([&again] { return again.CancelButton(); })});
    EXPECT_EQ(RunModal(&again), ResultCancel);
    EXPECT_EQ(refused.confirmed, 0);
    EXPECT_EQ(refused.raiders, 0);
}

TEST_F(CovertTest, TheRobberyQuestionShowsTheFiguresItIsGivenAndWritesTheTries)
{
    RobberyRequestArgs request;
    request.victimName = "Morwen";
    request.treasury = Gold(350);
    request.chance = 40;
    request.maxRaiders = 3;
    request.raiderCost = Gold(100);
    CRobberyWnd wnd(nullptr, CStr("/Map/MapWnd/RobberyWnd"));
    wnd.Setup(&request);
    EXPECT_EQ(wnd.Raiders()->Max(), 3);
    EXPECT_EQ(TextOf(wnd.Player()), "Lord Morwen");
    EXPECT_EQ(TextOf(wnd.Chance()), "40% with 1");
    EXPECT_EQ(TextOf(wnd.Cost()), "100 gold");
    wnd.Raiders()->SetValue(3, true, true);
    EXPECT_EQ(TextOf(wnd.Chance()), "40% with 3");
    EXPECT_EQ(TextOf(wnd.Cost()), "300 gold");
    EXPECT_EQ(AmountsOf(wnd.Treasury()), "50");
    Script({Idle(), TapStep([&wnd] { return wnd.OkButton(); })});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_EQ(request.tries, 3u);
    EXPECT_EQ(request.confirmed, 1);
}

TEST_F(CovertTest, ScoutingShowsThePostersNumbersAndWritesTheAnswer)
{
    for (bool ok : {true, false}) {
        ScoutRequestArgs request;
        request.provinceName = "Ashford";
        request.ownerName = "Morwen";
        request.chance = 64;
        request.price = Gold(75);
        request.confirmed = ok ? 0 : 1;
        CScoutWnd wnd(nullptr, CStr("/Map/MapWnd/ScoutWnd"));
        wnd.Setup(&request);
        EXPECT_EQ(TextOf(wnd.Province()), "Province Ashford");
        EXPECT_EQ(TextOf(wnd.Player()), "Lord Morwen");
        EXPECT_EQ(TextOf(wnd.Chance()), "64% chance");
        EXPECT_EQ(TextOf(wnd.Cost()), "75 gold");
        Script({Idle(), TapStep([&wnd, ok] { return ok ? wnd.OkButton() : wnd.CancelButton(); })});
        EXPECT_EQ(RunModal(&wnd), ok ? ResultOk : ResultCancel);
        EXPECT_EQ(request.confirmed, ok ? 1 : 0);
    }
}

TEST_F(CovertTest, NoticesFormatTheOutcomeAndCloseOnATapAnywhere)
{
    RobberyResultArgs robbery;
    robbery.victimName = "Morwen";
    robbery.amount = 240;
    robbery.experience = 12;
    DeceaseResultArgs decease;
    decease.provinceName = "Ashford";
    decease.experience = 30;
    ScoutResultArgs scout;
    scout.provinceName = "Ashford";

    struct Case {
        const char* name;
        std::function<std::unique_ptr<CCovertNoticeWnd>()> make;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"DeceaseFailureWnd",
         [] { return std::make_unique<CDeceaseFailureWnd>(nullptr, CStr("/Map/MapWnd/DeceaseFailureWnd")); },
         "RtMessage", "The attempt failed"},
        {"DeceaseSuccessWnd",
         [&] {
             auto w = std::make_unique<CDeceaseSuccessWnd>(nullptr, CStr("/Map/MapWnd/DeceaseSuccessWnd"));
             w->Setup(&decease);
             return w;
         },
         "RtExp", "+30 experience"},
        {"RobberyEmptyWnd",
         [&] {
             auto w = std::make_unique<CRobberyEmptyWnd>(nullptr, CStr("/Map/MapWnd/RobberyEmptyWnd"));
             w->Setup(&robbery);
             return w;
         },
         "RtMessage", "Morwen has nothing"},
        {"RobberyFailureWnd",
         [] { return std::make_unique<CRobberyFailureWnd>(nullptr, CStr("/Map/MapWnd/RobberyFailureWnd")); },
         "RtMessage", "The raiders were caught"},
        {"RobberySuccessWnd",
         [&] {
             auto w = std::make_unique<CRobberySuccessWnd>(nullptr, CStr("/Map/MapWnd/RobberySuccessWnd"));
             w->Setup(&robbery);
             return w;
         },
         "RtMessage", "240 gold from Morwen"},
        {"ScoutFailureWnd",
         [&] {
             auto w = std::make_unique<CScoutFailureWnd>(nullptr, CStr("/Map/MapWnd/ScoutFailureWnd"));
             w->Setup(&scout);
             return w;
         },
         "RtProvince", "Ashford is watchful"},
        {"ScoutSuccessWnd",
         [&] {
             auto w = std::make_unique<CScoutSuccessWnd>(nullptr, CStr("/Map/MapWnd/ScoutSuccessWnd"));
             w->Setup(&scout);
             return w;
         },
         "RtProvince", "Ashford seen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto wnd = c.make();
        EXPECT_EQ(TextOf(wnd->Child(c.text)), c.expected);
        // Every child but the picture passes taps on to the window.
        EXPECT_TRUE(wnd->Child("IcoBg")->IsEnabled());
        EXPECT_FALSE(wnd->Child(c.text)->IsEnabled());
        CCovertNoticeWnd* w = wnd.get();
        // A tap on the text closes the notice.
        Script({Idle(), TapStep([w, &c] { return w->Child(c.text); })});
        RunModal(w);
        EXPECT_EQ(QuitFlag, 0);
        EXPECT_FALSE(w->IsVisible());
    }
}

TEST_F(CovertTest, AScoutedCastleAndArmyShowWhereThereAreAny)
{
    CastleState castle;
    castle.percent = 90;
    castle.capital = 1;
    ScoutResultArgs none;
    none.provinceName = "Bleakmoor";
    CScoutSuccessWnd empty(nullptr, CStr("/Map/MapWnd/ScoutSuccessWnd"));
    empty.Setup(&none);
    ASSERT_NE(empty.CastleControl(), nullptr);
    EXPECT_EQ(empty.CastleControl()->Castle(), nullptr);
    auto* emptyList = static_cast<CItemListWnd*>(empty.Child("GuardianArmy"));
    ASSERT_NE(emptyList, nullptr);

    ScoutResultArgs seen;
    seen.provinceName = "Ashford";
    seen.castle = &castle;
    CScoutSuccessWnd full(nullptr, CStr("/Map/MapWnd/ScoutSuccessWnd"));
    full.Setup(&seen);
    EXPECT_EQ(full.CastleControl()->Castle(), &castle);
    EXPECT_STREQ(full.CastleControl()->StatusText().Text().Chars(), " 90%");
}

// The squads a notice shows are another lord's: they are painted in his
// colour, not in that of the map window the notice opens over.
TEST_F(CovertTest, TheEnemysSquadsShowInHisColour)
{
    Player().flagNumber = 0;
    PlayerRecord& enemy = Game().world->Player(1);
    enemy.flagNumber = 1;
    CArmy squads;
    CSquad squad;
    squad.count = 3;
    squads.AddSquadCopy(squad);
    CWindow parent(nullptr, PackedRect(0, 0, 239, 319), CStr(), false);
    parent.SetSideColour(PlayerColour(&Player()), false);

    ScoutResultArgs scout;
    scout.provinceName = "Ashford";
    scout.garrison.CopyFrom(squads);
    scout.owner = &enemy;
    DeceaseResultArgs decease;
    decease.provinceName = "Ashford";
    decease.killed.CopyFrom(squads);
    decease.owner = &enemy;
    CScoutSuccessWnd scouted(&parent, CStr("/Map/MapWnd/ScoutSuccessWnd"));
    CDeceaseSuccessWnd struck(&parent, CStr("/Map/MapWnd/DeceaseSuccessWnd"));
    const struct {
        const char* what;
        std::function<void()> setup;
        CWindow* list;
    } cases[] = {
        {"the scouted guards", [&] { scouted.Setup(&scout); }, scouted.Child("GuardianArmy")},
        {"the squads the assassins killed", [&] { struck.Setup(&decease); }, struck.Child("EnemyArmy")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.list, nullptr);
        EXPECT_EQ(c.list->SideColour(), PlayerColour(&Player())) << "before it is filled";
        c.setup();
        EXPECT_EQ(c.list->SideColour(), PlayerColour(&enemy));
    }
}

TEST_F(CovertTest, ShotOfTheAssassinationQuestion)
{
    DeceaseRequestArgs request = AssassinationInAshford();
    CDeceaseWnd wnd(nullptr, CStr("/Map/MapWnd/DeceaseWnd"));
    wnd.Setup(&request);
    wnd.Show(true, true);
    ASSERT_TRUE(Shot("mapdialogs_decease.png"));
}

}  // namespace
}  // namespace dialog_test

// The volunteers question and the random event notice: their texts,
// resource rows and squad lists, and how each one closes.
#include <gtest/gtest.h>

#include <memory>

#include "game/army.h"
#include "game/game_object.h"
#include "game/player_record.h"
#include "game/squad_type.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/random_event_wnd.h"
#include "mapdialogs/volunteers_wnd.h"
#include "tests/mapdialogs/operation_windows_rig.h"
#include "tests/mapdialogs/test_squads.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"

namespace {

using operation_windows_test::OperationWindowsRig;

CArmy Squads(const char* id, int32_t count)
{
    RegisterTestSquadTypes();
    CArmy army;
    CSquad squad;
    squad.SetType(FindSquadType(CStr(id)));
    squad.count = count;
    army.AddSquadCopy(squad);
    return army;
}

// The amounts a resource row shows, by their texts, in kind order.
std::vector<std::string> Amounts(CResWnd* row)
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < row->ItemCount(); ++i)
        texts.push_back(row->Amount(i)->Text().Chars());
    return texts;
}

using VolunteersTest = OperationWindowsRig;

TEST_F(VolunteersTest, ThePriceAndWhatTheTreasuryKeeps)
{
    SmallWorld game(1, 2);
    OneRealm(game);
    game.Player(0).treasury.SetByChars("gold", 100);
    game.Player(0).treasury.SetByChars("metl", 3);
    game.Player(0).treasury.SetByChars("ston", 9);
    VolunteersRequest record;
    record.provinceName = CStr("Fenwick");
    record.price.SetByChars("gold", 60);
    record.price.SetByChars("metl", 5);  // more metal than there is
    record.squad = Squads("Bow", 7);
    CVolunteersWnd wnd(Root(), CStr("VolunteersWnd"), true);
    wnd.Setup(&record);
    EXPECT_STREQ(wnd.MessageText()->Text().Chars(), "Volunteers in Fenwick");
    EXPECT_EQ(Amounts(wnd.CostControl()), (std::vector<std::string>{"60", "5"}));  // no zero stone
    EXPECT_EQ(Amounts(wnd.TreasuryControl()), (std::vector<std::string>{"40", "0", "9"}));
    ASSERT_EQ(wnd.ArmyList()->ItemCount(), 1);
    EXPECT_EQ(wnd.ArmyList()->Squad(0)->count, 7);
}

TEST_F(VolunteersTest, YesAndNoAnswerThreeAndFour)
{
    struct Case {
        bool yes;
        uint16_t result;
        uint32_t accepted;
    };
    for (const Case c : {Case{true, 3, 1}, Case{false, 4, 0}}) {
        VolunteersRequest record;
        record.confirmed = c.yes ? 0 : 1;
        record.squad = Squads("Pike", 4);
        CVolunteersWnd wnd(Root(), CStr("VolunteersWnd"), true);
        wnd.Setup(&record);
        controls_test::StepScript* script = Script();
        script->At(2, [&] { TapWindow(c.yes ? wnd.YesButton() : wnd.NoButton()); });
        EXPECT_EQ(RunModal(&wnd), c.result);
        EXPECT_EQ(record.confirmed, c.accepted);
    }
}

TEST_F(VolunteersTest, AQuitLeavesTheOfferRefused)
{
    VolunteersRequest record;
    record.squad = Squads("Pike", 4);
    CVolunteersWnd wnd(Root(), CStr("VolunteersWnd"), true);
    wnd.Setup(&record);
    controls_test::StepScript* script = Script();
    script->At(2, [] { QuitFlag = 1; });
    EXPECT_EQ(RunModal(&wnd), ResultQuit);
    EXPECT_EQ(record.confirmed, 0u);
    QuitFlag = 0;
}

class RandomEventTest : public OperationWindowsRig {
protected:
    std::unique_ptr<CRandomEventWnd> Make(RandomEventRequest& record)
    {
        auto wnd = std::make_unique<CRandomEventWnd>(Root(), CStr("RandomEventWnd"), true);
        wnd->Setup(&record);
        return wnd;
    }
};

TEST_F(RandomEventTest, WhatEachEventShows)
{
    struct Case {
        uint32_t event;
        int32_t units, gold;
        const char* title;  // "" keeps the layout's
        const char* message;
        const char* caption;  // null: the caption is hidden
        const char* sound;
        int16_t height;
    };
    // The window is 200 high; the list is 40 and the resource row 14.
    const Case cases[] = {
        {2, 6, 0, "Volunteers came", "They came", "Arrived", "/Sounds/msg_good", 200},
        {8, 3, 20, "Deserters", "They left", "Lost", "/Sounds/msg_bad", 200},
        {8, 0, 20, "Deserters", "They left", "Lost", "/Sounds/msg_bad", 200},
        {1, 0, 0, "rtRndEvt1T", "evt1", nullptr, "/Sounds/msg_bad", 200 - 40 - 14 + 1},
        // An unknown event keeps the layout's title and first message.
        {12, 0, 0, "", "evt1", nullptr, "", 200 - 40 - 14 + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        RandomEventRequest record;
        record.playerName = CStr("Aldreth");
        record.provinceName = CStr("Greymere");
        record.kind = c.event;
        if (c.units > 0)
            record.units = Squads("Pike", c.units);
        record.amounts.SetByChars("gold", c.gold);
        auto wnd = Make(record);
        EXPECT_STREQ(wnd->PlayerLabel()->Text().Chars(), "Player Aldreth");
        EXPECT_STREQ(wnd->ProvinceLabel()->Text().Chars(), "Province Greymere");
        EXPECT_STREQ(wnd->Text().Chars(), c.title);
        EXPECT_STREQ(wnd->MessageText()->Text().Chars(), c.message);
        EXPECT_EQ(wnd->LostsLabel()->IsVisible(), c.caption != nullptr);
        if (c.caption != nullptr) {
            EXPECT_STREQ(wnd->LostsLabel()->Text().Chars(), c.caption);
        }
        EXPECT_EQ(wnd->LostArmy()->IsVisible(), c.units > 0);
        EXPECT_EQ(wnd->LostArmy()->ItemCount(), c.units > 0 ? 1 : 0);
        // Zero amounts are left out of the row.
        EXPECT_EQ(wnd->LostResources()->ItemCount(), c.gold > 0 ? 1 : 0);
        EXPECT_STREQ(CRandomEventWnd::EventSoundPath(static_cast<int32_t>(c.event)), c.sound);
        EXPECT_EQ(wnd->EventSound() != nullptr, c.sound[0] != 0);
        EXPECT_EQ(wnd->Height(), c.height);
    }
}

TEST_F(RandomEventTest, ATapAnywhereClosesWithOk)
{
    RandomEventRequest record;
    record.kind = 2;
    record.units = Squads("Bow", 2);
    auto wnd = Make(record);
    // On the text, on the squad list, on the frame's own face.
    for (CWindow* target : {static_cast<CWindow*>(wnd->MessageText()), static_cast<CWindow*>(wnd->LostArmy()),
                            static_cast<CWindow*>(wnd.get())}) {
        controls_test::StepScript* script = Script();
        script->At(2, [&] { TapWindow(target); });
        EXPECT_EQ(RunModal(wnd.get()), ResultOk);
        EXPECT_LT(script->steps, 10);
    }
}

}  // namespace

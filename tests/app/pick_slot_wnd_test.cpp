// The save-slot picker: what each slot state shows and allows in both
// modes, the slot a scroller value stands for, the details of a saved game,
// and the questions before overwriting and deleting, answered by taps.

#include "app/pick_slot_wnd.h"

#include <gtest/gtest.h>

#include <string>

#include "core/byte_stream.h"
#include "game/data_file_io.h"
#include "game/game_world.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "players/human_controller.h"
#include "tests/support/windows/game_windows_rig.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

// The first child of a window that is a T, or null.
template <typename T>
T* FindChild(CWindow* parent)
{
    for (CWindow* child = parent->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
        if (auto* found = dynamic_cast<T*>(child))
            return found;
    return nullptr;
}

class PickSlotTest : public GameWindowsRig {
protected:
    // Saves mission (scenario 0, mission m) into a slot with one human (named
    // by the mission's first player) or with every player human.
    void SaveSlot(int slot, int mission, int32_t difficulty, int32_t turn, bool oneHuman)
    {
        CGameWorld world;
        ASSERT_TRUE(LoadMissionWorld(0, mission, world));
        for (int i = 0; i < world.PlayerCount(); ++i) {
            PlayerRecord& player = world.Player(i);
            player.human = oneHuman ? (i == 0) : 1;
            if (player.human)
                player.controller = new CHumanController(&player);
        }
        world.Player(0).hero.battle = 3;
        world.Player(0).hero.builder = 2;
        world.Player(0).hero.stealth = 1;
        CStr path = Map::CSrenarionMgr::MissionPath(0, mission);
        SessionState session;
        session.turn = turn;
        session.difficulty = difficulty;
        ASSERT_TRUE(SaveGame(SaveSlotFileName(slot), SavedGameParts{world, path, session}));
        SetActiveWorld(nullptr);
    }
    void DamageSlot(int slot)
    {
        const uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
        ASSERT_TRUE(WriteVersionedFileSafely(SaveSlotFileName(slot), junk, sizeof junk));
    }
    static std::string Info(CPickSlotWnd& wnd) { return wnd.SlotInfo()->Text().Chars(); }
};

TEST_F(PickSlotTest, EachSlotStateShowsItsTextAndButtons)
{
    SaveSlot(0, 0, 2, 7, true);
    DamageSlot(2);
    struct Case {
        uint8_t mode;
        int slot;
        const char* info;  // the start of the details
        bool canDelete, canTake;
    } cases[] = {
        {PickSlotSave, 0, "Mission: Reedwater", true, true},
        {PickSlotSave, 1, "Empty", false, true},
        {PickSlotSave, 2, "Damaged", true, true},
        {PickSlotLoad, 0, "Mission: Reedwater", true, true},
    };
    for (const Case& c : cases) {
        CPickSlotWnd wnd(c.mode, nullptr, CStr("/Main/PickSlotWnd"));
        wnd.Show(true, true);
        if (c.mode == PickSlotSave)
            wnd.SlotScroller()->SetValue(c.slot + 1, true, true);
        EXPECT_EQ(wnd.CurrentSlot(), c.slot);
        EXPECT_EQ(Info(wnd).rfind(c.info, 0), 0u) << c.slot << ": " << Info(wnd);
        EXPECT_EQ(wnd.DeleteButton()->IsEnabled(), c.canDelete) << c.slot;
        EXPECT_EQ(wnd.OkButton()->IsEnabled(), c.canTake) << c.slot;
        EXPECT_STREQ(wnd.SlotName()->Text().Chars(),
                     (std::string("Slot ") + std::to_string(c.slot + 1)).c_str());
    }
}

TEST_F(PickSlotTest, TheDetailsNameTheMissionTurnAndHeroOrPlayers)
{
    SaveSlot(3, 0, 3, 12, true);
    SaveSlot(4, 1, 1, 5, false);
    SaveSlot(5, 0, 9, 1, false);
    CStr text;
    ASSERT_TRUE(CPickSlotWnd::FormatSlotInfo(3, text));
    EXPECT_STREQ(text.Chars(),
                 "Mission: Reedwater{br}Difficulty: Expert{br}Turn: 12{br}Hero: Aldra{br}Skills: 3/2/1");
    ASSERT_TRUE(CPickSlotWnd::FormatSlotInfo(4, text));
    EXPECT_STREQ(text.Chars(), "Mission: Twin Fords{br}Difficulty: Normal{br}Turn: 5{br}Players: 2");
    ASSERT_TRUE(CPickSlotWnd::FormatSlotInfo(5, text));
    EXPECT_NE(std::string(text.Chars()).find("Difficulty: Normal"), std::string::npos) << "any other value";
    DamageSlot(6);
    text = CStr("kept");
    EXPECT_FALSE(CPickSlotWnd::FormatSlotInfo(6, text));
    EXPECT_FALSE(CPickSlotWnd::FormatSlotInfo(7, text));
    EXPECT_STREQ(text.Chars(), "kept");
}

TEST_F(PickSlotTest, SaveModeStartsOnTheFirstFreeSlotOrOnSlotOne)
{
    SaveSlot(0, 0, 1, 1, true);
    SaveSlot(1, 0, 1, 1, true);
    {
        CPickSlotWnd wnd(PickSlotSave, nullptr, CStr("/Main/PickSlotWnd"));
        wnd.Show(true, true);
        EXPECT_EQ(wnd.SlotScroller()->Value(), 3);
        EXPECT_EQ(wnd.SlotScroller()->Max(), 9);
        EXPECT_STREQ(wnd.Text().Chars(), "New game");
    }
    for (int slot = 2; slot < 9; ++slot)
        SaveSlot(slot, 1, 1, 1, true);
    CPickSlotWnd wnd(PickSlotSave, nullptr, CStr("/Main/PickSlotWnd"));
    wnd.Show(true, true);
    EXPECT_EQ(wnd.SlotScroller()->Value(), 1) << "every slot in use";
}

TEST_F(PickSlotTest, LoadModeCountsOnlyValidSlots)
{
    SaveSlot(2, 0, 1, 1, true);
    SaveSlot(5, 1, 1, 1, true);
    SaveSlot(7, 0, 1, 1, true);
    DamageSlot(4);
    CPickSlotWnd wnd(PickSlotLoad, nullptr, CStr("/Main/PickSlotWnd"));
    wnd.Show(true, true);
    EXPECT_STREQ(wnd.Text().Chars(), "Resume game");
    EXPECT_EQ(wnd.SlotScroller()->Min(), 1);
    EXPECT_EQ(wnd.SlotScroller()->Max(), 3);
    const int slots[] = {-1, 2, 5, 7, -1};
    for (int value = 0; value <= 4; ++value)
        EXPECT_EQ(wnd.SlotOfValue(value), slots[value]) << value;
    wnd.SlotScroller()->SetValue(2, true, true);
    EXPECT_EQ(Info(wnd).rfind("Mission: Twin Fords", 0), 0u);
}

TEST_F(PickSlotTest, OverwritingAValidSlotAsksFirst)
{
    SaveSlot(0, 0, 1, 1, true);
    for (int slot = 1; slot < 9; ++slot)
        SaveSlot(slot, 0, 1, 1, true);
    CPickSlotWnd wnd(PickSlotSave, nullptr, CStr("/Main/PickSlotWnd"));
    CMessageWnd* question = nullptr;
    Script({[&] { TapWindow(wnd.OkButton()); },
            [&] {
                question = FindChild<CMessageWnd>(&wnd);
                ASSERT_NE(question, nullptr);
                EXPECT_EQ(question->Mode(), MessageQuestion);
                TapWindow(question->CancelButton());
            },
            [&] {
                EXPECT_EQ(FindChild<CMessageWnd>(&wnd), nullptr);
                EXPECT_TRUE(wnd.IsVisible()) << "a refused overwrite keeps the picker open";
                TapWindow(wnd.OkButton());
            },
            [&] { TapWindow(FindChild<CMessageWnd>(&wnd)->OkButton()); }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_EQ(wnd.ChosenSlot(), 0);
}

TEST_F(PickSlotTest, AnEmptySlotIsTakenAtOnce)
{
    CPickSlotWnd wnd(PickSlotSave, nullptr, CStr("/Main/PickSlotWnd"));
    Script({[&] { wnd.SlotScroller()->SetValue(2, true, true); }, [&] { TapWindow(wnd.OkButton()); }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_EQ(wnd.ChosenSlot(), 1);
}

TEST_F(PickSlotTest, OverwritingADamagedSlotAsksFirstAndSaysItCannotBeRead)
{
    DamageSlot(0);
    CPickSlotWnd wnd(PickSlotSave, nullptr, CStr("/Main/PickSlotWnd"));
    bool asked = false;
    Script({[&] { wnd.SlotScroller()->SetValue(1, true, true); },
            [&] {
                EXPECT_EQ(Info(wnd), "Damaged");
                TapWindow(wnd.OkButton());
            },
            [&] {
                CMessageWnd* question = FindChild<CMessageWnd>(&wnd);
                ASSERT_NE(question, nullptr);
                EXPECT_EQ(question->Mode(), MessageQuestion);
                EXPECT_STREQ(question->TextWindow()->Text().Chars(), "Cannot be read. Lose it?");
                asked = true;
                TapWindow(question->CancelButton());
            },
            [&] {
                EXPECT_TRUE(wnd.IsVisible()) << "a refused overwrite keeps the picker open";
                TapWindow(wnd.OkButton());
            },
            [&] { TapWindow(FindChild<CMessageWnd>(&wnd)->OkButton()); }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_TRUE(asked);
    EXPECT_EQ(wnd.ChosenSlot(), 0);
}

TEST_F(PickSlotTest, CancelChoosesNoSlot)
{
    CPickSlotWnd wnd(PickSlotSave, nullptr, CStr("/Main/PickSlotWnd"));
    Script({[&] { TapWindow(wnd.CancelButton()); }});
    EXPECT_EQ(RunModal(&wnd), ResultCancel);
    EXPECT_EQ(wnd.ChosenSlot(), -1);
}

TEST_F(PickSlotTest, DeletingInLoadModeMovesToARemainingSlotThenCloses)
{
    SaveSlot(1, 0, 1, 1, true);
    SaveSlot(6, 1, 1, 1, true);
    CPickSlotWnd wnd(PickSlotLoad, nullptr, CStr("/Main/PickSlotWnd"));
    Script({[&] { wnd.SlotScroller()->SetValue(2, true, true); },  // slot 6
            [&] { TapWindow(wnd.DeleteButton()); },
            [&] { TapWindow(FindChild<CMessageWnd>(&wnd)->OkButton()); },
            [&] {
                EXPECT_EQ(SaveSlots::Check(6), SaveSlots::kAbsent) << "the file is gone";
                EXPECT_EQ(wnd.SlotScroller()->Max(), 1);
                EXPECT_EQ(wnd.CurrentSlot(), 1) << "the position moved back to the last valid slot";
                TapWindow(wnd.DeleteButton());
            },
            [&] { TapWindow(FindChild<CMessageWnd>(&wnd)->OkButton()); },
            [&] {
                CMessageWnd* notice = FindChild<CMessageWnd>(&wnd);
                ASSERT_NE(notice, nullptr);
                EXPECT_EQ(notice->Mode(), MessageTapToClose);
                TapWindow(notice);
            }});
    EXPECT_EQ(RunModal(&wnd), ResultCancel);
    EXPECT_EQ(wnd.ChosenSlot(), -1);
    EXPECT_EQ(SaveSlots::ValidCount(), 0);
}

TEST_F(PickSlotTest, DeletingInSaveModeLeavesAnEmptySlot)
{
    SaveSlot(4, 0, 1, 1, true);
    CPickSlotWnd wnd(PickSlotSave, nullptr, CStr("/Main/PickSlotWnd"));
    Script({[&] { wnd.SlotScroller()->SetValue(5, true, true); }, [&] { TapWindow(wnd.DeleteButton()); },
            [&] { TapWindow(FindChild<CMessageWnd>(&wnd)->OkButton()); },
            [&] {
                EXPECT_EQ(Info(wnd), "Empty");
                EXPECT_EQ(wnd.CurrentSlot(), 4);
                EXPECT_FALSE(wnd.DeleteButton()->IsEnabled());
                TapWindow(wnd.CancelButton());
            }});
    EXPECT_EQ(RunModal(&wnd), ResultCancel);
}

}  // namespace
}  // namespace game_windows_test

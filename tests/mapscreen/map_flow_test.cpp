// The game hosted by the map window: the turn loop inside the window's
// modal run with computer and scripted human players, the map hold around
// requests, autosave and the ways a game ends.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/message_wnd.h"
#include "game/battle_seam.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/ui_request.h"
#include "players/request_records.h"
#include "tests/mapscreen/game_window_bench.h"
#include "ui/button.h"
#include "ui/frame_wnd.h"

namespace mapwnd_test {
namespace {

class MapFlow : public GameWindowBench {
protected:
};

TEST_F(MapFlow, RequestsHoldTheMapAndLeaveAHoldTheyFound) {
    MakeMap();
    CastleInfoRequestArgs castleInfo;
    struct Case {
        const char* name;
        bool heldBefore;
        int32_t kind;
        void* record;
        bool heldAfter;
    };
    const Case cases[] = {
        {"no launcher", false, 10, nullptr, false},
        {"no launcher 12", false, 12, nullptr, false},
        {"ignored 13", false, 13, nullptr, false},
        {"ignored 32", false, 32, nullptr, false},
        {"unknown kind", false, 38, nullptr, false},
        {"negative kind", false, -1, nullptr, false},
        {"nested request", true, 13, nullptr, true},
        {"nested unknown", true, 99, nullptr, true},
    };
    for (const Case& c : cases) {
        if (c.heldBefore)
            map_->LockMapFrame();
        else
            map_->UnlockMapFrame();
        PostUiRequest(static_cast<UiRequestKind>(c.kind), c.record);
        EXPECT_EQ(map_->IsMapFrameHeld(), c.heldAfter) << c.name;
    }
    (void)castleInfo;
}

TEST_F(MapFlow, AutosaveWritesTheCurrentSlotUntilTheSaveIsForgotten) {
    MakeMap();
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
    // Without a slot there is nothing to save into.
    SigAutosave.Fire();
    EXPECT_EQ(map_->CurrentSaveName().Length(), 0);
    for (int slot = 0; slot < SaveSlots::kCount; ++slot) EXPECT_FALSE(SlotFileExists(slot));

    ASSERT_TRUE(SaveSlots::Select(3));
    EXPECT_STREQ(map_->CurrentSaveName().Chars(), SaveSlotFileName(3).Chars());
    SigAutosave.Fire();
    EXPECT_TRUE(SlotFileExists(3));
    EXPECT_EQ(SaveSlots::Check(3), uint32_t(SaveSlots::kValid));

    map_->ForgetSave();
    EXPECT_FALSE(SlotFileExists(3));
    EXPECT_EQ(map_->AutosaveFlag(), 0);
    SigAutosave.Fire();
    EXPECT_FALSE(SlotFileExists(3));
}

TEST_F(MapFlow, ForgettingWithoutASlotOnlyClearsTheAutosave) {
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(2));
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
    SigAutosave.Fire();
    ASSERT_TRUE(SlotFileExists(2));
    SaveSlots::Deselect();
    map_->ForgetSave();
    EXPECT_EQ(map_->AutosaveFlag(), 0);
    EXPECT_TRUE(SlotFileExists(2));
}

TEST_F(MapFlow, AFinishedGameLosesItsSaveAnUnfinishedOneKeepsIt) {
    for (const uint32_t finished : {0u, 1u}) {
        delete map_;
        MakeMap();
        ASSERT_TRUE(SaveSlots::Select(1));
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
        SigAutosave.Fire();
        ASSERT_TRUE(SlotFileExists(1));
        Game().gameFinished = finished;
        map_->DeleteFinishedGameSave();
        EXPECT_EQ(SlotFileExists(1), finished == 0) << finished;
        EXPECT_EQ(map_->AutosaveFlag(), finished == 0 ? 1 : 0);
        EndSession();
        SaveSlots::Delete(1);
    }
}

TEST_F(MapFlow, ABattleStoppedFromItsMenuEndsTheGameWithoutSaving) {
    struct Case {
        uint32_t result;
        bool stops;
    };
    for (const Case& c : {Case{kBattleStopped, true}, Case{kBattleEnded, false}, Case{kBattleAttackerGaveUp, false}}) {
        delete map_;
        MakeMap();
        SetLeaveRequested(0);
        BattleResult = c.result;
        map_->OnBattleFinished();
        EXPECT_EQ(LeaveRequested(), c.stops) << c.result;
        EXPECT_EQ(map_->AutosaveFlag(), c.stops ? 0 : 1) << c.result;
    }
    BattleResult = kBattleNoResult;
    SetLeaveRequested(0);
}

TEST_F(MapFlow, EndOfGameKeysEndTheGameInAnyMode) {
    std::vector<std::string> windows;
    hook_->before = [&] { AnswerTopWindow(&windows); };
    for (const uint16_t key : {uint16_t('F'), uint16_t('f')}) {
        for (const uint32_t mode : {uint32_t(CMapWnd::kModeMap), uint32_t(CMapWnd::kModeComputer)}) {
            delete map_;
            MakeMap();
            ASSERT_TRUE(SaveSlots::Select(4));
            SessionInit(0);
            ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
            SigAutosave.Fire();
            SetLeaveRequested(0);
            map_->SetMode(mode, false);
            // The window's character handler, as the window manager calls it.
            map_->Window()->OnChar(key);
            EXPECT_TRUE(LeaveRequested()) << char(key);
            EXPECT_FALSE(SlotFileExists(4)) << char(key);
            EXPECT_EQ(map_->AutosaveFlag(), 0);
            // The end-of-game screen was shown, and the map screen is built
            // again after it.
            EXPECT_NE(std::find(windows.begin(), windows.end(), "end of game"), windows.end());
            windows.clear();
            EXPECT_NE(map_->PanelControls().mapTop, nullptr);
            SetLeaveRequested(0);
        }
    }
}

TEST_F(MapFlow, AGameOfComputerPlayersRunsInsideTheModalRunAndEndsTheSession) {
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(5));
    map_->SetNewGameOptions(Options(0));
    ASSERT_EQ(map_->RunGame(0), 1);
    ASSERT_NE(GameWorld(), nullptr);
    std::vector<uint32_t> modes;
    bool savedDuringTurn = false;
    hook_->before = [&] {
        if (modes.empty() || modes.back() != map_->Mode()) modes.push_back(map_->Mode());
        if (SlotFileExists(5)) savedDuringTurn = true;
    };
    const uint16_t result = RunModal(map_->Window());
    (void)result;
    // With no person left the loop ends after the first player's turn.
    EXPECT_EQ(GameWorld(), nullptr);
    EXPECT_FALSE(map_->Window()->IsVisible());
    EXPECT_FALSE(CWindowMgr::Root()->IsVisible());
    EXPECT_TRUE(map_->IsMapFrameHeld());
    EXPECT_EQ(PrefNewGame[0], 0);
    EXPECT_EQ(PrefNewGame[1], 0);
    ASSERT_FALSE(modes.empty());
    for (uint32_t m : modes) EXPECT_EQ(m, uint32_t(CMapWnd::kModeComputer));
    // The turn was saved after it began, but a game without a person left
    // is over: its save goes and cannot be resumed.
    EXPECT_TRUE(savedDuringTurn);
    EXPECT_FALSE(SlotFileExists(5));
    EXPECT_EQ(map_->AutosaveFlag(), 0);
}

TEST_F(MapFlow, AScriptedPersonEndsTurnsWithTheTurnButtonUntilHeLeaves) {
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(6));
    map_->SetNewGameOptions(Options(1));
    // The game start shows the person's custom-player window first.
    std::vector<std::string> atStart;
    hook_->before = [&] { AnswerTopWindow(&atStart); };
    ASSERT_EQ(map_->RunGame(0), 1);
    EXPECT_EQ(atStart, std::vector<std::string>{"custom player"});
    PlayerRecord* person = nullptr;
    for (int i = 0; i < GameWorld()->PlayerCount(); ++i)
        if (GameWorld()->Player(i).IsHuman()) person = &GameWorld()->Player(i);
    ASSERT_NE(person, nullptr);
    int turnsEnded = 0;
    int computerFrames = 0;
    bool wrongMode = false;
    bool tapPending = false;
    bool shot = false;
    int messagesClosed = 0;
    hook_->before = [&] {
        if (!GameWorld()) return;
        if (AnswerTopWindow()) {
            ++messagesClosed;
            return;
        }
        const bool personPlays = Game().humanTurnActive && CurrentPlayer() == person;
        // The person acts once his turn waits for him, on the map; the
        // computer players play in the computer-turn mode.
        const bool waiting = personPlays && (CurrentMapUiState().bits & 16) != 0;
        if (waiting && map_->Mode() != CMapWnd::kModeMap) wrongMode = true;
        if (CurrentPlayer() != person && map_->Mode() != CMapWnd::kModeComputer) wrongMode = true;
        if (!waiting) {
            if (!personPlays) ++computerFrames;
            tapPending = false;
            return;
        }
        if (tapPending) return;
        if (turnsEnded == 1 && !shot) shot = Shot("person_turn");
        if (turnsEnded == 3) {
            // As the in-game menu's "quit to the menu" does.
            MapGameCommand(9);
            return;
        }
        ++turnsEnded;
        tapPending = true;
        Tap(map_->PanelControls().mapTopTurn);
    };
    RunModal(map_->Window());
    EXPECT_EQ(turnsEnded, 3);
    EXPECT_TRUE(shot);
    EXPECT_FALSE(wrongMode);
    EXPECT_GT(computerFrames, 0);
    EXPECT_EQ(GameWorld(), nullptr);
    // Leaving keeps the game: it was saved on the way out.
    EXPECT_TRUE(SlotFileExists(6));
    EXPECT_EQ(SaveSlots::Check(6), uint32_t(SaveSlots::kValid));
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

TEST_F(MapFlow, AGameThatCannotStartIsRefusedWithAMessage) {
    struct Case {
        const char* name;
        uint8_t resume;
        uint16_t mission;
    };
    for (const Case& c : {Case{"missing save", 1, 0}, Case{"missing mission", 0, 99}}) {
        delete map_;
        MakeMap();
        ASSERT_TRUE(SaveSlots::Select(8));
        SaveSlots::Delete(8);
        CMapWnd::NewGameOptions options = Options(1);
        options.mission = c.mission;
        map_->SetNewGameOptions(options);
        std::vector<std::string> windows;
        hook_->before = [&] { AnswerTopWindow(&windows); };
        EXPECT_EQ(map_->RunGame(c.resume), 0) << c.name;
        EXPECT_EQ(windows, std::vector<std::string>{"message"}) << c.name;
        EXPECT_EQ(GameWorld(), nullptr) << c.name;
        EXPECT_EQ(map_->IsLoadedGame(), 0) << c.name;
    }
}

TEST_F(MapFlow, ASavedGameResumesInsideTheWindow) {
    // A game of one person is saved into slot 0 and left.
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(0));
    map_->SetNewGameOptions(Options(1));
    hook_->before = [&] { AnswerTopWindow(); };
    ASSERT_EQ(map_->RunGame(0), 1);
    SigAutosave.Fire();
    ASSERT_TRUE(SlotFileExists(0));
    EndSession();

    delete map_;
    MakeMap();
    ASSERT_EQ(map_->RunGame(1), 1);
    EXPECT_EQ(map_->IsLoadedGame(), 1);
    ASSERT_NE(GameWorld(), nullptr);
    // The person leaves as soon as his turn waits for him.
    std::vector<std::string> windows;
    bool personWaited = false;
    hook_->before = [&] {
        if (AnswerTopWindow(&windows)) return;
        if (GameWorld() && Game().humanTurnActive && CurrentPlayer()->IsHuman() &&
            map_->Mode() == CMapWnd::kModeMap) {
            personWaited = true;
            MapGameCommand(9);
        }
    };
    RunModal(map_->Window());
    EXPECT_TRUE(personWaited);
    EXPECT_EQ(GameWorld(), nullptr);
    EXPECT_TRUE(SlotFileExists(0));
    // A resumed game opens with the notice of whose turn it is.
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.front(), "message");
}

TEST_F(MapFlow, AQuitDuringTheGameStartLeavesNothingToSaveAndTheScreenHidden) {
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(3));
    map_->SetNewGameOptions(Options(1));
    // The program is closed while the custom-player window is open.
    hook_->before = [&] {
        if (CWindowMgr::CaptureCount() > 0 && !QuitFlag) RequestQuit();
    };
    ASSERT_EQ(map_->RunGame(0), 1);
    EXPECT_EQ(map_->AutosaveFlag(), 0);
    EXPECT_FALSE(CWindowMgr::Root()->IsVisible());
    QuitFlag = 0;
}

}  // namespace
}  // namespace mapwnd_test

// The game hosted by the map window: the turn loop inside the window's
// modal run with computer and scripted human players, the map hold around
// requests, autosave and the ways a game ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/preferences.h"
#include "game/battle_seam.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "game/ui_request.h"
#include "players/request_records.h"
#include "tests/support/windows/map_window_rig.h"
#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/window_mgr.h"

namespace mapwnd_test {
namespace {

class MapFlow : public MapWindowRig {
protected:
};

TEST_F(MapFlow, RequestsHoldTheMapAndLeaveAHoldTheyFound)
{
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
        {"no launcher", false, 10, nullptr, false},  {"no launcher 12", false, 12, nullptr, false},
        {"ignored 13", false, 13, nullptr, false},   {"ignored 32", false, 32, nullptr, false},
        {"unknown kind", false, 38, nullptr, false}, {"negative kind", false, -1, nullptr, false},
        {"nested request", true, 13, nullptr, true}, {"nested unknown", true, 99, nullptr, true},
    };
    for (const Case& c : cases) {
        if (c.heldBefore)
            m_map->LockMapFrame();
        else
            m_map->UnlockMapFrame();
        SigUiRequest.Fire(static_cast<UiRequestKind>(c.kind), c.record);
        EXPECT_EQ(m_map->IsMapFrameHeld(), c.heldAfter) << c.name;
    }
    (void)castleInfo;
}

TEST_F(MapFlow, AutosaveWritesTheCurrentSlotUntilTheSaveIsForgotten)
{
    MakeMap();
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
    // Without a slot there is nothing to save into.
    SigAutosave.Fire();
    EXPECT_EQ(m_map->CurrentSaveName().Length(), 0);
    for (int slot = 0; slot < SaveSlots::kCount; ++slot)
        EXPECT_FALSE(SlotFileExists(slot));

    ASSERT_TRUE(SaveSlots::Select(3));
    EXPECT_STREQ(m_map->CurrentSaveName().Chars(), SaveSlotFileName(3).Chars());
    SigAutosave.Fire();
    EXPECT_TRUE(SlotFileExists(3));
    EXPECT_EQ(SaveSlots::Check(3), uint32_t(SaveSlots::kValid));

    m_map->ForgetSave();
    EXPECT_FALSE(SlotFileExists(3));
    EXPECT_EQ(m_map->AutosaveFlag(), 0);
    SigAutosave.Fire();
    EXPECT_FALSE(SlotFileExists(3));
}

// A full disk: the person is told which slot was not saved, once a turn,
// the last good save stays, and the game goes on.
TEST_F(MapFlow, AFailedAutosaveSaysSoOnceATurn)
{
    MakeMap();
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
    ASSERT_TRUE(SaveSlots::Select(3));
    Game().turn = 4;
    SigAutosave.Fire();
    ASSERT_TRUE(SlotFileExists(3));
    std::vector<std::string> told;
    m_hook->before = [&] {
        const std::string text = TopMessageText();
        if (!text.empty())
            told.push_back(text);
        AnswerTopWindow();
    };
    m_headless->RefuseFileWrites(true);
    Game().turn = 5;
    SigAutosave.Fire();
    SigAutosave.Fire();
    ASSERT_EQ(told.size(), 1u) << "once in a turn";
    EXPECT_NE(told[0].find("could not be saved in slot 4"), std::string::npos) << told[0];
    EXPECT_EQ(SaveSlots::Check(3), uint32_t(SaveSlots::kValid)) << "the last good save stays";
    Game().turn = 6;
    SigAutosave.Fire();
    EXPECT_EQ(told.size(), 2u) << "and again in the next";
    m_headless->RefuseFileWrites(false);
    SigAutosave.Fire();
    EXPECT_EQ(told.size(), 2u) << "saved: nothing to say";
    m_hook->before = nullptr;
}

// The first save of a new game fails: the person hears of it before his
// first turn, and the game goes on to it.
TEST_F(MapFlow, ANewGameThatCannotBeSavedSaysSoAndGoesOn)
{
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(6));
    m_map->SetNewGameOptions(Options(1));
    m_headless->RefuseFileWrites(true);
    std::vector<std::string> told;
    bool personPlays = false;
    m_hook->before = [&] {
        const std::string text = TopMessageText();
        if (text.find("could not be saved") != std::string::npos)
            told.push_back(text);
        if (AnswerTopWindow() || !GameWorld())
            return;
        if (!personPlays && Game().humanTurnActive && (CurrentMapUiState().bits & 16) != 0) {
            personPlays = true;
            MapGameCommand(9);
        }
    };
    ASSERT_EQ(m_map->RunGame(0), 1);
    RunModal(m_map->Window());
    m_hook->before = nullptr;
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("could not be saved in slot 7"), std::string::npos) << told[0];
    EXPECT_TRUE(personPlays) << "the game went on to the person's turn";
    EXPECT_FALSE(SlotFileExists(6));
    m_headless->RefuseFileWrites(false);
}

TEST_F(MapFlow, ForgettingWithoutASlotOnlyClearsTheAutosave)
{
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(2));
    SessionInit(0);
    ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
    SigAutosave.Fire();
    ASSERT_TRUE(SlotFileExists(2));
    SaveSlots::Deselect();
    m_map->ForgetSave();
    EXPECT_EQ(m_map->AutosaveFlag(), 0);
    EXPECT_TRUE(SlotFileExists(2));
}

TEST_F(MapFlow, AFinishedGameLosesItsSaveAnUnfinishedOneKeepsIt)
{
    struct Case {
        uint32_t finished;
        uint8_t resultUnwritten;  // the hall of fame could not take the result
        bool saveKept;
    };
    for (const Case c : {Case{0, 0, true}, Case{1, 0, false}, Case{1, 1, true}}) {
        delete m_map;
        MakeMap();
        ASSERT_TRUE(SaveSlots::Select(1));
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
        SigAutosave.Fire();
        ASSERT_TRUE(SlotFileExists(1));
        Game().gameFinished = c.finished;
        Game().resultUnwritten = c.resultUnwritten;
        m_map->DeleteFinishedGameSave();
        EXPECT_EQ(SlotFileExists(1), c.saveKept) << c.finished << c.resultUnwritten;
        EXPECT_EQ(m_map->AutosaveFlag(), c.finished == 0 ? 1 : 0) << c.finished << c.resultUnwritten;
        EndSession();
        SaveSlots::Delete(1);
    }
}

TEST_F(MapFlow, ABattleStoppedFromItsMenuEndsTheGameWithoutSaving)
{
    struct Case {
        uint32_t result;
        bool stops;
    };
    for (const Case& c :
         {Case{kBattleStopped, true}, Case{kBattleEnded, false}, Case{kBattleAttackerGaveUp, false}}) {
        delete m_map;
        MakeMap();
        SetLeaveRequested(0);
        BattleResult = c.result;
        m_map->OnBattleFinished();
        EXPECT_EQ(LeaveRequested(), c.stops) << c.result;
        EXPECT_EQ(m_map->AutosaveFlag(), c.stops ? 0 : 1) << c.result;
    }
    BattleResult = kBattleNoResult;
    SetLeaveRequested(0);
}

TEST_F(MapFlow, EndOfGameKeysEndTheGameInAnyMode)
{
    std::vector<std::string> windows;
    m_hook->before = [&] { AnswerTopWindow(&windows); };
    for (const uint16_t key : {uint16_t('F'), uint16_t('f')}) {
        for (const uint32_t mode : {uint32_t(CMapWnd::kModeMap), uint32_t(CMapWnd::kModeComputer)}) {
            delete m_map;
            MakeMap();
            ASSERT_TRUE(SaveSlots::Select(4));
            SessionInit(0);
            ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
            SigAutosave.Fire();
            SetLeaveRequested(0);
            m_map->SetMode(mode, false);
            // The window's character handler, as the window manager calls it.
            m_map->Window()->OnChar(key);
            EXPECT_TRUE(LeaveRequested()) << char(key);
            EXPECT_FALSE(SlotFileExists(4)) << char(key);
            EXPECT_EQ(m_map->AutosaveFlag(), 0);
            // The end-of-game screen was shown, and the map screen is built
            // again after it.
            EXPECT_NE(std::find(windows.begin(), windows.end(), "end of game"), windows.end());
            windows.clear();
            EXPECT_NE(m_map->PanelControls().mapTop, nullptr);
            SetLeaveRequested(0);
        }
    }
}

TEST_F(MapFlow, AGameOfComputerPlayersRunsInsideTheModalRunAndEndsTheSession)
{
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(5));
    m_map->SetNewGameOptions(Options(0));
    ASSERT_EQ(m_map->RunGame(0), 1);
    ASSERT_NE(GameWorld(), nullptr);
    std::vector<uint32_t> modes;
    bool savedDuringTurn = false;
    m_hook->before = [&] {
        if (modes.empty() || modes.back() != m_map->Mode())
            modes.push_back(m_map->Mode());
        if (SlotFileExists(5))
            savedDuringTurn = true;
    };
    const uint16_t result = RunModal(m_map->Window());
    (void)result;
    // With no person left the loop ends after the first player's turn.
    EXPECT_EQ(GameWorld(), nullptr);
    EXPECT_FALSE(m_map->Window()->IsVisible());
    EXPECT_FALSE(CWindowMgr::Root()->IsVisible());
    EXPECT_TRUE(m_map->IsMapFrameHeld());
    EXPECT_EQ(PrefNewGame[0], 0);
    EXPECT_EQ(PrefNewGame[1], 0);
    ASSERT_FALSE(modes.empty());
    for (uint32_t m : modes)
        EXPECT_EQ(m, uint32_t(CMapWnd::kModeComputer));
    // The turn was saved after it began, but a game without a person left
    // is over: its save goes and cannot be resumed.
    EXPECT_TRUE(savedDuringTurn);
    EXPECT_FALSE(SlotFileExists(5));
    EXPECT_EQ(m_map->AutosaveFlag(), 0);
}

TEST_F(MapFlow, AScriptedPersonEndsTurnsWithTheTurnButtonUntilHeLeaves)
{
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(6));
    m_map->SetNewGameOptions(Options(1));
    // The game start shows the person's custom-player window first.
    std::vector<std::string> atStart;
    m_hook->before = [&] { AnswerTopWindow(&atStart); };
    ASSERT_EQ(m_map->RunGame(0), 1);
    EXPECT_EQ(atStart, std::vector<std::string>{"custom player"});
    PlayerRecord* person = nullptr;
    for (int i = 0; i < GameWorld()->PlayerCount(); ++i)
        if (GameWorld()->Player(i).IsHuman())
            person = &GameWorld()->Player(i);
    ASSERT_NE(person, nullptr);
    int turnsEnded = 0;
    int computerFrames = 0;
    bool wrongMode = false;
    bool tapPending = false;
    bool shot = false;
    int visit = 0;
    std::vector<uint32_t> modesSeen;
    int messagesClosed = 0;
    m_hook->before = [&] {
        if (!GameWorld())
            return;
        if (AnswerTopWindow()) {
            ++messagesClosed;
            return;
        }
        const bool personPlays = Game().humanTurnActive && CurrentPlayer() == person;
        // The person acts once his turn waits for him, on the map; the
        // computer players play in the computer-turn mode.
        const bool waiting = personPlays && (CurrentMapUiState().bits & 16) != 0;
        if (waiting && m_map->Mode() == CMapWnd::kModeComputer)
            wrongMode = true;
        if (CurrentPlayer() != person && m_map->Mode() != CMapWnd::kModeComputer)
            wrongMode = true;
        if (!waiting) {
            if (!personPlays)
                ++computerFrames;
            tapPending = false;
            return;
        }
        if (tapPending)
            return;
        if (turnsEnded == 1 && !shot)
            shot = Shot("person_turn");
        // On his second turn he looks at his domain and his recruits, and
        // comes back to the map each time.
        if (turnsEnded == 2 && visit < 7) {
            switch (visit++) {
            case 0:
                Tap(m_map->PanelControls().mapTopDomain);
                break;
            case 1:
                modesSeen.push_back(m_map->Mode());
                Shot("domain_mode");
                break;
            case 2:
                Tap(m_map->PanelControls().domainReturn);
                break;
            case 3:
                modesSeen.push_back(m_map->Mode());
                Tap(m_map->PanelControls().mapTopRecruit);
                break;
            case 4:
                modesSeen.push_back(m_map->Mode());
                Shot("recruit_mode");
                break;
            case 5:
                Tap(m_map->PanelControls().recruitApply);
                break;
            case 6:
                modesSeen.push_back(m_map->Mode());
                break;
            }
            return;
        }
        if (turnsEnded == 3) {
            // As the in-game menu's "quit to the menu" does.
            MapGameCommand(9);
            return;
        }
        ++turnsEnded;
        tapPending = true;
        Tap(m_map->PanelControls().mapTopTurn);
    };
    RunModal(m_map->Window());
    EXPECT_EQ(turnsEnded, 3);
    EXPECT_TRUE(shot);
    EXPECT_EQ(modesSeen, (std::vector<uint32_t>{CMapWnd::kModeDomain, CMapWnd::kModeMap,
                                                CMapWnd::kModeRecruit, CMapWnd::kModeMap}));
    EXPECT_FALSE(wrongMode);
    EXPECT_GT(computerFrames, 0);
    EXPECT_EQ(GameWorld(), nullptr);
    // Leaving keeps the game: it was saved on the way out.
    EXPECT_TRUE(SlotFileExists(6));
    EXPECT_EQ(SaveSlots::Check(6), uint32_t(SaveSlots::kValid));
}

// The person's own turn notice comes up in the computer-turn mode, whose
// panel says who is planning: no one is then, and the person's name must
// not be read as a computer's.
TEST_F(MapFlow, ThePersonsTurnNoticeSaysNoOneIsPlanning)
{
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(7));
    m_map->SetNewGameOptions(Options(1));
    m_hook->before = [&] { AnswerTopWindow(); };
    ASSERT_EQ(m_map->RunGame(0), 1);
    std::set<std::string> titlesUnderTheNotice;
    m_hook->before = [&] {
        if (!GameWorld())
            return;
        const PlayerRecord* player = CurrentPlayer();
        if (!TopMessageText().empty() && player && player->IsHuman()) {
            EXPECT_EQ(m_map->Mode(), uint32_t(CMapWnd::kModeComputer));
            const CTextWnd* title = m_map->PanelControls().aiPlayer;
            titlesUnderTheNotice.insert(title && title->IsVisible() ? title->Text().Chars() : "(hidden)");
            AnswerTopWindow();
            return;
        }
        if (Game().humanTurnActive && player && player->IsHuman())
            MapGameCommand(9);
    };
    RunModal(m_map->Window());
    EXPECT_EQ(titlesUnderTheNotice, std::set<std::string>{""});
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

TEST_F(MapFlow, AGameThatCannotStartIsRefusedWithAMessage)
{
    struct Case {
        const char* name;
        uint8_t resume;
        uint16_t mission;
    };
    for (const Case& c : {Case{"missing save", 1, 0}, Case{"missing mission", 0, 99}}) {
        delete m_map;
        MakeMap();
        ASSERT_TRUE(SaveSlots::Select(8));
        SaveSlots::Delete(8);
        CMapWnd::NewGameOptions options = Options(1);
        options.mission = c.mission;
        m_map->SetNewGameOptions(options);
        std::vector<std::string> windows;
        m_hook->before = [&] { AnswerTopWindow(&windows); };
        EXPECT_EQ(m_map->RunGame(c.resume), 0) << c.name;
        EXPECT_EQ(windows, std::vector<std::string>{"message"}) << c.name;
        EXPECT_EQ(GameWorld(), nullptr) << c.name;
        EXPECT_EQ(m_map->IsLoadedGame(), 0) << c.name;
    }
}

TEST_F(MapFlow, ASavedGameResumesInsideTheWindow)
{
    // A game of one person is saved into slot 0 and left.
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(0));
    m_map->SetNewGameOptions(Options(1));
    m_hook->before = [&] { AnswerTopWindow(); };
    ASSERT_EQ(m_map->RunGame(0), 1);
    SigAutosave.Fire();
    ASSERT_TRUE(SlotFileExists(0));
    EndSession();

    delete m_map;
    MakeMap();
    ASSERT_EQ(m_map->RunGame(1), 1);
    EXPECT_EQ(m_map->IsLoadedGame(), 1);
    ASSERT_NE(GameWorld(), nullptr);
    // The person leaves as soon as his turn waits for him.
    std::vector<std::string> windows;
    bool personWaited = false;
    m_hook->before = [&] {
        if (AnswerTopWindow(&windows))
            return;
        if (GameWorld() && Game().humanTurnActive && CurrentPlayer()->IsHuman() &&
            m_map->Mode() == CMapWnd::kModeMap) {
            personWaited = true;
            MapGameCommand(9);
        }
    };
    RunModal(m_map->Window());
    EXPECT_TRUE(personWaited);
    EXPECT_EQ(GameWorld(), nullptr);
    EXPECT_TRUE(SlotFileExists(0));
    // A resumed game opens with the notice of whose turn it is.
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.front(), "message");
}

TEST_F(MapFlow, AQuitDuringTheGameStartLeavesNothingToSaveAndTheScreenHidden)
{
    MakeMap();
    ASSERT_TRUE(SaveSlots::Select(3));
    m_map->SetNewGameOptions(Options(1));
    // The program is closed while the custom-player window is open.
    m_hook->before = [&] {
        if (CWindowMgr::CaptureCount() > 0 && !QuitFlag)
            RequestQuit();
    };
    ASSERT_EQ(m_map->RunGame(0), 1);
    EXPECT_EQ(m_map->AutosaveFlag(), 0);
    EXPECT_FALSE(CWindowMgr::Root()->IsVisible());
    QuitFlag = 0;
}

}  // namespace
}  // namespace mapwnd_test

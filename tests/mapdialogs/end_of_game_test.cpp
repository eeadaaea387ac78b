// The end of a game: the victory and defeat windows' two modes and four
// pages, the statistics they show, and the flow that follows a victory:
// the name window, the new hall-of-fame entry and the hall of fame itself.

#include "mapdialogs/victory_wnd.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "game/game_world.h"
#include "game/hall_of_fame.h"
#include "game/player_colour.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "mapdialogs/game_statistics_wnd.h"
#include "mapdialogs/hall_of_fame_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/player_name_wnd.h"
#include "platform/headless/headless_backend.h"
#include "players/human_controller.h"
#include "tests/support/windows/game_windows_rig.h"
#include "ui/composite_wnd.h"
#include "ui/keyboard_wnd.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

template <typename T>
T* FindChild(CWindow* parent)
{
    for (CWindow* child = parent->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
        if (auto* found = dynamic_cast<T*>(child))
            return found;
    return nullptr;
}

// The composite (screen window) whose member window is a child of parent.
template <typename T>
T* FindScreen(CWindow* parent)
{
    for (CWindow* child = parent->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        auto* composite = static_cast<CCompositeWnd*>(child->QueryInterface(IidCompositeWnd));
        if (auto* found = dynamic_cast<T*>(composite))
            return found;
    }
    return nullptr;
}

class EndOfGameTest : public GameWindowsRig {
protected:
    void SetUp() override
    {
        GameWindowsRig::SetUp();
        FreeHallOfFame();
        for (ScoreWeights& block : HallOfFameConfig().blocks) {
            block = ScoreWeights();
            block.base = 1000;
            block.w[0] = 10;
        }
        ASSERT_TRUE(LoadMissionWorld(0, 0, m_world));
        RunningGameState& game = Game();
        game.world = &m_world;
        game.missionPath = Map::CSrenarionMgr::MissionPath(0, 0);
        game.turn = 17;
        game.difficulty = 2;
        PlayerRecord& p = m_world.Player(0);
        p.human = 1;
        p.controller = new CHumanController(&p);
        p.stats.victories = 2;
        p.stats.defeats = 1;
        p.stats.retreats = 3;
        p.stats.stolen.SetByChars("gold", 55);
        p.hero.experience = 600;
        m_map = new CWindow(nullptr, PackedRect(0, 0, 239, 319), CStr(), true);
    }
    void TearDown() override
    {
        delete m_map;
        Game().world = nullptr;
        Game().missionPath = CStr();
        SetActiveWorld(nullptr);
        FreeHallOfFame();
        HallOfFameConfig() = GameConfig();
        GameWindowsRig::TearDown();
    }
    static std::string Text(CWindow* w) { return w->Text().Chars(); }
    static int VisiblePage(StatisticsPages& pages)
    {
        int shown = 0, which = 0;
        for (int n = 1; n <= 4; ++n)
            if (pages.Page(n)->Window()->IsVisible()) {
                ++shown;
                which = n;
            }
        return shown == 1 ? which : -shown;
    }

    CGameWorld m_world;
    CWindow* m_map = nullptr;
};

TEST_F(EndOfGameTest, TheMessageComesFirstThenOnePageAtATime)
{
    CVictoryWnd wnd(m_map, CStr("/Map/MapWnd/VictoryWnd"));
    wnd.Fill(1, &m_world.Player(0));
    wnd.Window()->Show(true, true);
    EXPECT_EQ(wnd.Mode(), CVictoryWnd::ModeMessage);
    EXPECT_EQ(Text(wnd.Message()), "You won Reedwater.");
    EXPECT_FALSE(wnd.ExitButton()->IsVisible());
    EXPECT_FALSE(wnd.PageScroller()->Window()->IsVisible());
    EXPECT_EQ(VisiblePage(wnd.Pages()), 0);
    TapWindow(wnd.Message());
    EXPECT_EQ(wnd.Mode(), CVictoryWnd::ModeStatistics);
    EXPECT_FALSE(wnd.Message()->IsVisible());
    EXPECT_TRUE(wnd.ExitButton()->IsVisible());
    EXPECT_EQ(VisiblePage(wnd.Pages()), 1);
    for (int page = 2; page <= 4; ++page) {
        wnd.PageScroller()->SetValue(page, true, true);
        EXPECT_EQ(VisiblePage(wnd.Pages()), page);
    }
    TapWindow(wnd.Window());  // a tap in statistics mode changes nothing
    EXPECT_EQ(wnd.Mode(), CVictoryWnd::ModeStatistics);
    EXPECT_EQ(VisiblePage(wnd.Pages()), 4);
    Shot("victory_rig");
}

// A game that ends in an enemy's turn leaves the map window in his colour:
// the statistics still show the lord's squads in the lord's colour, and
// the squads he killed in his enemy's (grey when he had more than one).
TEST_F(EndOfGameTest, TheStatisticsShowEachSideInItsColour)
{
    ASSERT_EQ(m_world.PlayerCount(), 3);
    PlayerRecord& lord = m_world.Player(0);
    for (int i = 0; i < 3; ++i)
        m_world.Player(i).flagNumber = uint8_t(i);
    m_map->SetSideColour(PlayerColour(&m_world.Player(1)), false);
    const struct {
        int players;
        uint8_t killed;  // the colour of the squads the lord killed
    } cases[] = {{3, kNeutralColour}, {2, PlayerColour(&m_world.Player(1))}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.players);
        m_world.SetPlayerCount(c.players);
        CVictoryWnd wnd(m_map, CStr("/Map/MapWnd/DefeatWnd"));
        wnd.Fill(0, &lord);
        StatisticsPages& pages = wnd.Pages();
        const struct {
            const char* list;
            CItemListWnd* window;
        } own[] = {{"recruited", pages.recruited},
                   {"joined", pages.joined},
                   {"assassinated", pages.assassinated},
                   {"at the end", pages.finalArmy},
                   {"lost", pages.lost}};
        for (const auto& o : own)
            EXPECT_EQ(o.window->SideColour(), PlayerColour(&lord)) << o.list;
        EXPECT_EQ(pages.killed->SideColour(), c.killed);
    }
}

TEST_F(EndOfGameTest, ThePagesShowThePlayersStatistics)
{
    CVictoryWnd wnd(m_map, CStr("/Map/MapWnd/DefeatWnd"));
    wnd.Fill(0, &m_world.Player(0));
    StatisticsPages& pages = wnd.Pages();
    EXPECT_EQ(Text(wnd.Message()), "You lost Reedwater.");
    EXPECT_EQ(Text(pages.turns), "Turns: 17");
    EXPECT_EQ(Text(pages.difficulty), "Difficulty: Hard");
    EXPECT_EQ(Text(pages.score), "Score: 983");
    EXPECT_EQ(Text(pages.hero), "Aldra: 1/2/3, level 3 (600)");
    EXPECT_EQ(Text(pages.totalBattles), "Battles: 6") << "victories + defeats + retreats";
    EXPECT_EQ(Text(pages.victories), "Won: 2");
    EXPECT_EQ(Text(pages.defeats), "Lost: 1");
    EXPECT_EQ(Text(pages.retreats), "Retreats: 3");
    EXPECT_EQ(Text(pages.stolen), "55 gold");
    EXPECT_GT(pages.finalArmy->ItemCount(), 0) << "garrisons and field army";
    EXPECT_EQ(pages.killed->ItemCount(), 0);
}

TEST_F(EndOfGameTest, TheStatisticsOfAStoredResultScoreAgain)
{
    CHallOfFameEntry entry;
    HallOfFameGame game{&m_world, Game().missionPath, 40, 0};
    entry.FillFromPlayer(m_world.Player(0), game);
    entry.score = 1;  // as a file might hold it; the window scores it itself
    CGameStatisticsWnd wnd(m_map, CStr("/Map/MapWnd/VictoryWnd"));
    wnd.Fill(entry);
    wnd.Window()->Show(true, true);
    EXPECT_EQ(Text(wnd.Pages().score), "Score: 960");
    EXPECT_EQ(Text(wnd.Pages().difficulty), "Difficulty: Easy");
    EXPECT_EQ(VisiblePage(wnd.Pages()), 1);
    EXPECT_EQ(wnd.PageScroller()->Min(), 1);
    EXPECT_EQ(wnd.PageScroller()->Max(), 4);
}

// The army lists point into squads; the entry a window is filled from is
// the caller's and may be gone by the time a person taps an icon.
TEST_F(EndOfGameTest, TheArmyListsOutliveTheEntryTheyWereFilledFrom)
{
    CHallOfFameEntry expected;
    expected.FillFromPlayer(m_world.Player(0), HallOfFameGame{&m_world, Game().missionPath, 17, 2});
    ASSERT_GT(expected.finalArmy.Count(), 0);
    auto checkLists = [&](StatisticsPages& pages, const char* what) {
        ASSERT_EQ(pages.finalArmy->ItemCount(), expected.finalArmy.Count()) << what;
        for (int32_t i = 0; i < pages.finalArmy->ItemCount(); ++i) {
            const CSquad* squad = pages.finalArmy->Squad(i);
            ASSERT_EQ(squad->Kind(), kKindSquad) << what << ": a living squad " << i;
            ASSERT_NE(expected.finalArmy.FindByTypeId(squad->type->typeId), nullptr) << what << " " << i;
        }
        pages.ShowPage(3);
        TapWindow(pages.finalArmy);
    };
    {
        CVictoryWnd wnd(m_map, CStr("/Map/MapWnd/VictoryWnd"));
        wnd.Fill(1, &m_world.Player(0));
        wnd.Window()->Show(true, true);
        wnd.SetMode(CVictoryWnd::ModeStatistics);
        checkLists(wnd.Pages(), "victory");
    }
    {
        CGameStatisticsWnd wnd(m_map, CStr("/Map/MapWnd/VictoryWnd"));
        {
            CHallOfFameEntry stored;
            stored.Assign(expected);
            wnd.Fill(stored);
        }
        wnd.Window()->Show(true, true);
        checkLists(wnd.Pages(), "stored result");
    }
}

struct FlowCase {
    const char* what;
    uint8_t victory;
    int humans;       // human players with the human flag
    bool qualifies;   // the hall of fame takes the result
    bool acceptName;  // the name window is answered with Ok
    bool nameWindow, hallOfFame;
    const char* finalName;
    int entries;
};

TEST_F(EndOfGameTest, AVictoryLeadsToTheNameWindowAndTheHallOfFame)
{
    const FlowCase cases[] = {
        {"lone winner", 1, 1, true, true, true, true, "Aldra!", 1},
        {"cancelled name", 1, 1, true, false, true, true, "Aldra", 1},
        {"hot seat", 1, 2, true, true, false, false, "Aldra", 0},
        {"not good enough", 1, 1, false, true, false, false, "Aldra", 0},
        {"defeat", 0, 1, true, true, false, false, "Aldra", 0},
    };
    for (const FlowCase& c : cases) {
        FreeHallOfFame();
        m_world.Player(0).name = CStr("Aldra");
        m_world.Player(1).human = c.humans >= 2 ? 1 : 0;
        for (ScoreWeights& block : HallOfFameConfig().blocks)
            block.base = c.qualifies ? 1000 : 0;
        bool sawName = false, sawHall = false;
        std::vector<std::function<void()>> steps = {
            [&] {
                auto* screen = FindScreen<CVictoryWnd>(m_map);
                ASSERT_NE(screen, nullptr);
                TapWindow(screen->Message());
            },
            [&] { TapWindow(FindScreen<CVictoryWnd>(m_map)->ExitButton()); },
        };
        if (c.nameWindow) {
            steps.push_back([&] {
                auto* names = FindChild<CPlayerNameWnd>(m_map);
                ASSERT_NE(names, nullptr);
                sawName = true;
                EXPECT_EQ(Text(names->NameLabel()), "Aldra");
                names->Keyboard()->OnKey('!');
                TapWindow(c.acceptName ? names->OkButton() : names->CancelButton());
            });
        }
        if (c.hallOfFame) {
            steps.push_back([&] {
                auto* hall = FindScreen<CHallOfFameWnd>(m_map);
                ASSERT_NE(hall, nullptr);
                sawHall = true;
                EXPECT_EQ(Text(hall->RowAt(0).playerName), std::string("1. ") + c.finalName);
                TapWindow(hall->ReturnButton());
            });
        }
        Script(steps);
        RunEndOfGameWindows(m_map, c.victory, &m_world.Player(0));
        EXPECT_EQ(sawName, c.nameWindow) << c.what;
        EXPECT_EQ(sawHall, c.hallOfFame) << c.what;
        EXPECT_STREQ(m_world.Player(0).name.Chars(), c.finalName) << c.what;
        EXPECT_EQ(HallOfFameCount(Game().missionPath), c.entries) << c.what;
        EXPECT_EQ(m_map->GetFirstChild(), nullptr) << c.what << ": every window was deleted";
    }
}

// A full disk when the result is written: the winner is told it is not in
// the hall of fame's file before the hall of fame shows.
TEST_F(EndOfGameTest, AResultThatCannotBeWrittenIsToldBeforeTheHallOfFame)
{
    FreeHallOfFame();
    m_world.Player(0).name = CStr("Aldra");
    m_world.Player(1).human = 0;
    for (ScoreWeights& block : HallOfFameConfig().blocks)
        block.base = 1000;
    HeadlessBackend* headless = ActiveHeadlessPlatform();
    ASSERT_NE(headless, nullptr);
    headless->RefuseFileWrites(true);
    std::string told;
    bool sawHall = false;
    Script({[&] { TapWindow(FindScreen<CVictoryWnd>(m_map)->Message()); },
            [&] { TapWindow(FindScreen<CVictoryWnd>(m_map)->ExitButton()); },
            [&] { TapWindow(FindChild<CPlayerNameWnd>(m_map)->OkButton()); },
            [&] {
                auto* box = FindChild<CMessageWnd>(m_map);
                ASSERT_NE(box, nullptr);
                told = box->TextWindow()->Text().Chars();
                TapWindow(box->OkButton());
            },
            [&] {
                auto* hall = FindScreen<CHallOfFameWnd>(m_map);
                ASSERT_NE(hall, nullptr);
                sawHall = true;
                TapWindow(hall->ReturnButton());
            }});
    RunEndOfGameWindows(m_map, 1, &m_world.Player(0));
    headless->RefuseFileWrites(false);
    EXPECT_EQ(told, "Not written into the hall of fame");
    EXPECT_TRUE(sawHall);
    EXPECT_EQ(m_map->GetFirstChild(), nullptr) << "every window was deleted";
}

// The names of the current mission's results as the file holds them, read
// as the next start of the program would read them.
std::vector<std::string> NamesOnDisk()
{
    std::vector<std::string> names;
    LoadHallOfFameFile();
    CHallOfFameEntry entry;
    for (int i = 0; HallOfFameGetEntry(Game().missionPath, i, entry); ++i)
        names.emplace_back(entry.playerName.Chars());
    return names;
}

TEST_F(EndOfGameTest, TheResultIsOnDiskBeforeTheFinishedGamesSaveGoes)
{
    enum class Ending {
        CloseInVictoryWindow,
        CloseInNameWindow,
        TypedName
    };
    struct Case {
        const char* what;
        Ending ending;
        std::vector<std::string> onDisk;
    };
    const Case cases[] = {
        {"closed while the statistics show", Ending::CloseInVictoryWindow, {"Aldra"}},
        {"closed in the name window", Ending::CloseInNameWindow, {"Aldra"}},
        {"a typed name", Ending::TypedName, {"Aldra!"}},
    };
    for (const Case& c : cases) {
        FreeHallOfFame();
        std::remove(m_data.folder().File("zkvhof0.sav").c_str());
        ASSERT_TRUE(m_data.folder().Write("zkvsave03.sav", "\x09\x00the finished game"));
        ASSERT_TRUE(SaveSlots::Select(3));
        m_world.Player(0).name = CStr("Aldra");
        // Whatever ends the program from here on (a kill, a close) finds
        // these on disk: the result under the lord's name, and no save that
        // could be finished a second time.
        std::vector<std::string> whileShown;
        bool saveWhileShown = true;
        auto lookAtTheDisk = [&] {
            saveWhileShown = m_data.folder().Exists("zkvsave03.sav");
            whileShown = NamesOnDisk();
        };
        std::vector<std::function<void()>> steps = {[&] {
            lookAtTheDisk();
            if (c.ending == Ending::CloseInVictoryWindow)
                QuitFlag = 1;
            else
                TapWindow(FindScreen<CVictoryWnd>(m_map)->Message());
        }};
        if (c.ending != Ending::CloseInVictoryWindow) {
            steps.push_back([&] { TapWindow(FindScreen<CVictoryWnd>(m_map)->ExitButton()); });
            steps.push_back([&] {
                auto* names = FindChild<CPlayerNameWnd>(m_map);
                ASSERT_NE(names, nullptr);
                names->Keyboard()->OnKey('!');
                if (c.ending == Ending::CloseInNameWindow)
                    QuitFlag = 1;
                else
                    TapWindow(names->OkButton());
            });
            steps.push_back([&] { TapWindow(FindScreen<CHallOfFameWnd>(m_map)->ReturnButton()); });
        }
        Script(steps);
        RunEndOfGameWindows(m_map, 1, &m_world.Player(0));
        QuitFlag = 0;
        EXPECT_FALSE(saveWhileShown) << c.what;
        EXPECT_EQ(whileShown, std::vector<std::string>{"Aldra"}) << c.what;
        EXPECT_FALSE(m_data.folder().Exists("zkvsave03.sav")) << c.what;
        EXPECT_EQ(NamesOnDisk(), c.onDisk) << c.what << ": one entry, under its final name";
        EXPECT_EQ(Game().resultUnwritten, 0) << c.what;
    }
    SaveSlots::ReleaseCurrent();
}

}  // namespace
}  // namespace game_windows_test

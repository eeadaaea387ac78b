// A whole game played through the screens by a person with taps and keys:
// a new game on the smallest mission, recruits, the domains, a trade at the
// market, a building in the castle, a transfer between army and garrison,
// scouting, an attack fought by hand on the battle screen, saving, quitting
// and resuming, the computer's turns with an invasion met in the quick
// battle box, and the end of the game by its key with its statistics, the
// name for the hall of fame and the entry's details. Another game is played
// on, turn after turn, until the computer ends it. Then the windows of the
// menus that game does not pass through. At each step the test checks what
// the person sees: the window that opened, the treasury, and every text
// drawn (inside its window and the screen, no locale key or format left).

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/app/play/person_rig.h"
#include "ui/button.h"
#include "ui/message_wnd.h"
#include "ui/res_wnd.h"
#include "ui/text_element.h"
#include "ui/window.h"

namespace play_test {
namespace {

// Every screen size the data set is laid out for; a size without its
// layout in the built data is skipped.
const ScreenSize kSizes[] = {{240, 320, "240x320"}, {480, 640, "480x640"}};

// Frames a person waits at most for a window to come (virtual time, 50 ms each).
constexpr int kWindowFrames = 400;
// The computer's turns with their battles take longer.
constexpr int kComputerFrames = 20000;
// A whole game to its end, turn after turn.
constexpr int kGameFrames = 200000;

class WholeGameTest : public PersonRig {
protected:
    // The amounts the treasury of the top panel shows, as a person reads them.
    std::string Treasury()
    {
        auto* res = dynamic_cast<CResWnd*>(Find("TopPanel/ResTreasury"));
        if (res == nullptr)
            return "(no treasury shown)";
        std::string text;
        for (int32_t i = 0; i < res->ItemCount(); ++i)
            text += std::string(i ? " " : "") + res->Amount(i)->Text().Chars();
        return text;
    }
    bool WaitFor(const std::string& pathTail, int frames = kWindowFrames)
    {
        return Until([&] { return Shown(pathTail); }, frames);
    }
    bool WaitForKind(const std::string& kind, int frames = kWindowFrames)
    {
        return Until([&] { return FindKind(kind) != nullptr; }, frames);
    }
    // The rightmost visible button of a scroller: its "more".
    void TapMore(const std::string& scroller)
    {
        CWindow* more = nullptr;
        if (CWindow* s = Find(scroller))
            for (CWindow* c = s->GetFirstChild(); c != nullptr; c = c->GetNextSibling())
                if (c->IsVisible() &&
                    (more == nullptr || c->GetNode()->screenRect.Left() > more->GetNode()->screenRect.Left()))
                    more = c;
        ASSERT_NE(more, nullptr) << scroller << "\n" << Describe();
        TapOn(more);
    }
    // Answers the frontmost message as a person who goes on would: its
    // first button (OK, Yes), or a tap on a notice without buttons. False
    // when no message is shown.
    bool Answer()
    {
        if (Tap("/Map/MapWnd/ReportWnd/BtnOk"))
            return true;
        // The computer's invasions, whenever they come, are fought in the
        // quick battle box.
        if (Shown("/Map/MapWnd/MapBtlDefendWnd/BtnOk")) {
            ++m_defences;
            return AnswerBattle(true);
        }
        if (CWindow* results = Find("/Map/MapWnd/BattleResultsWnd")) {
            Look("battle_results");
            TapOn(results);
            return true;
        }
        // What the game offers on its own as turns go by: the lord's new
        // level, a random event, volunteers, a shortfall. Accepted where it
        // can be, else let go.
        for (const char* offer : {"SkillsWnd", "RandomEventWnd", "VolunteersWnd", "NERWnd"}) {
            CWindow* window = Find(std::string("/Map/MapWnd/") + offer);
            if (window == nullptr)
                continue;
            if (m_looked.insert(offer).second)
                Look(offer);
            for (const char* button : {"BtnOk", "BtnCancel"})
                if (CWindow* b = FindIn(window, button); b != nullptr && b->IsEnabled()) {
                    TapOn(b);
                    return true;
                }
            TapOn(window);
            return true;
        }
        auto* message = dynamic_cast<CMessageWnd*>(FindKind("CMessageWnd"));
        if (message == nullptr)
            return false;
        if (message->OkButton() != nullptr && message->OkButton()->IsVisible())
            TapOn(message->OkButton());
        else
            TapOn(message);
        return true;
    }
    // Where on the map a province lies, found as a person would: tapping
    // over the map and reading the name the panel shows.
    PackedPoint ProvincePoint(const std::string& name)
    {
        const PackedRect r = Find("/Map/MapWnd/MapFrame")->GetNode()->screenRect;
        if (!(r == m_provincesIn)) {
            // The map's room changes with the panels below it.
            m_provinces.clear();
            m_provincesIn = r;
            std::map<std::string, std::vector<PackedPoint>> seen;
            for (int y = r.Top() + r.Height() / 20; y < r.Bottom(); y += r.Height() / 10)
                for (int x = r.Left() + r.Width() / 24; x < r.Right(); x += r.Width() / 12) {
                    TapAt(x, y);
                    Frames(8);
                    seen[TextOf("ProvinceDetails/RtProvince")].push_back(PackedPoint(x, y));
                }
            // The point of a province most in its middle: the nearest to all the others.
            for (const auto& [province, points] : seen) {
                long best = -1;
                for (const PackedPoint& p : points) {
                    long sum = 0;
                    for (const PackedPoint& q : points)
                        sum += std::abs(p.X() - q.X()) + std::abs(p.Y() - q.Y());
                    if (best < 0 || sum < best) {
                        best = sum;
                        m_provinces[province] = p;
                    }
                }
            }
        }
        return m_provinces.count(name) ? m_provinces[name] : UndefinedPoint;
    }
    // A province's default action: move there, attack it.
    void DoubleTapProvince(const std::string& name)
    {
        const PackedPoint p = ProvincePoint(name);
        ASSERT_TRUE(p.IsDefined()) << name;
        TapAt(p.X(), p.Y());
        TapAt(p.X(), p.Y());
        Frames(10);
    }
    int m_defences = 0;
    std::set<std::string> m_looked;
    std::map<std::string, PackedPoint> m_provinces;
    PackedRect m_provincesIn = UndefinedRect;

    // Answers a battle question (attack or defence): fights, quickly when asked.
    bool AnswerBattle(bool quick)
    {
        for (const char* question : {"MapBtlDefendWnd", "MapBtlAttackWnd"}) {
            const std::string path = std::string("/Map/MapWnd/") + question;
            if (!Shown(path + "/BtnOk"))
                continue;
            auto* box = dynamic_cast<CButton*>(Find(path + "/CbQuick"));
            if (box != nullptr && box->IsChecked() != quick)
                TapOn(box);
            Look(quick ? "battle_question_quick" : "battle_question");
            Tap(path + "/BtnOk");
            return true;
        }
        return false;
    }
    // Taps messages, notices and reports away until the map's own panel is
    // back and nothing more comes for a while.
    bool BackOnTheMap(int frames, const std::string& mapControl = "/Map/MapWnd/MapTopPanel/BtnTurn")
    {
        for (int settled = 0; settled < 2; ++settled) {
            if (!MapOnly(frames, mapControl))
                return false;
            Frames(20);
        }
        return MapOnly(frames, mapControl);
    }
    bool MapOnly(int frames, const std::string& mapControl)
    {
        return Until(
            [&] {
                if (Answer())
                    return false;
                return Shown(mapControl);
            },
            frames);
    }
};

TEST_P(WholeGameTest, APersonPlaysAGameThroughTheScreens)
{
    ASSERT_TRUE(StartProgram());
    ASSERT_TRUE(WaitFor("/Main/MainMenu/Map")) << Describe();
    Look("title");

    // A new game on the first (smallest) mission, the lord's own set-up.
    ASSERT_TRUE(Tap("/Main/MainMenu/Map"));
    ASSERT_TRUE(WaitFor("/Map/NewGameWnd/BtnStart")) << Describe();
    EXPECT_EQ(TextOf("/Map/NewGameWnd"), "New game");
    EXPECT_EQ(TextOf("/Map/NewGameWnd/RtMissionName"), "The Reedwater Valley");
    Look("new_game");
    ASSERT_TRUE(Tap("/Map/NewGameWnd/BtnStart"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/CustPlrWnd/BtnStart")) << Describe();
    Look("lord");
    ASSERT_TRUE(Tap("/Map/MapWnd/CustPlrWnd/BtnStart"));
    ASSERT_TRUE(WaitForKind("CMessageWnd")) << "the turn notice\n" << Describe();
    Look("turn_notice");
    ASSERT_TRUE(BackOnTheMap(kWindowFrames)) << Describe();
    Look("map");
    const std::string start = Treasury();
    EXPECT_EQ(start, "400 60 40");

    // Recruits in the capital are paid at once.
    ASSERT_TRUE(Tap("/Map/MapWnd/MapTopPanel/BtnRecruit"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/RecruitActionPanel/BtnApply")) << Describe();
    TapMore("RecruitActionPanel/ScrRecruit");
    TapMore("RecruitActionPanel/ScrRecruit");
    Look("recruit");
    const std::string recruited = Treasury();
    EXPECT_NE(recruited, start) << "two recruits are paid";
    ASSERT_TRUE(Tap("RecruitActionPanel/BtnApply"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn")) << Describe();
    EXPECT_EQ(Treasury(), recruited);

    // The domains: the person's own lord described.
    ASSERT_TRUE(Tap("MapTopPanel/BtnDomain"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/DomainInfoPanel/RtSkills")) << Describe();
    EXPECT_EQ(TextOf("/Map/MapWnd/DomainInfoPanel/RtSkills"), "Battle 3, builder 2, stealth 1");
    Look("domains");
    ASSERT_TRUE(Tap("DomainTopPanel/BtnReturn"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn")) << Describe();

    // A trade at the market: gold for stone.
    ASSERT_TRUE(Tap("MapTopPanel/IcoMenu"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MainMenu")) << Describe();
    Look("game_menu");
    ASSERT_TRUE(TapText("Market"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/TradingWnd")) << Describe();
    EXPECT_EQ(TextOf("/Map/MapWnd/TradingWnd"), "Market");
    ASSERT_TRUE(Tap("TradingWnd/BtnResR3"));
    ASSERT_TRUE(WaitFor("FrameWnd/ScrTrading")) << "the stone's slider\n" << Describe();
    {
        const PackedRect r = Find("FrameWnd/ScrTrading")->GetNode()->screenRect;
        TapAt(r.Left() + r.Width() / 3, (r.Top() + r.Bottom()) / 2);
    }
    Look("market");
    ASSERT_TRUE(Tap("FrameWnd/BtnAccept"));
    ASSERT_TRUE(Tap("TradingWnd/BtnOk"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn")) << Describe();
    const std::string traded = Treasury();
    EXPECT_NE(traded, recruited) << "gold went, stone came";

    // A tavern in the castle.
    ASSERT_TRUE(Tap("ProvinceDetails/BtnProvArmy"));
    ASSERT_TRUE(WaitFor("CastleDetails/BtnCastleCtrl")) << Describe();
    Look("province_details");
    ASSERT_TRUE(Tap("CastleDetails/BtnCastleCtrl"));
    ASSERT_TRUE(WaitForKind("CCastleInfoWnd")) << Describe();
    Look("castle");
    ASSERT_TRUE(Tap("BtnTavrn"));
    ASSERT_TRUE(WaitForKind("CAddBuildingWnd")) << Describe();
    Look("add_building");
    ASSERT_TRUE(Tap("BtnOk"));
    ASSERT_TRUE(Until([&] { return FindKind("CAddBuildingWnd") == nullptr; }, kWindowFrames));
    EXPECT_EQ(TextOf("RtState").rfind("Work under way", 0), 0u) << TextOf("RtState");
    Look("castle_at_work");
    ASSERT_TRUE(Tap("BtnExit"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn")) << Describe();
    const std::string built = Treasury();
    EXPECT_NE(built, traded) << "the work is paid";

    // Units from the hero's army into the capital's garrison.
    ASSERT_TRUE(Tap("MapCampArmy/BtnAction"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/TransferWnd")) << Describe();
    Look("transfer");
    TapMore("TransferWnd/ScrTransfer1");
    ASSERT_TRUE(Tap("TransferWnd/BtnOk"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn")) << Describe();

    // The hero's army moves next to the enemy, and the enemy province is
    // scouted: the scouts are paid, and come back with what they saw or
    // with the news that they failed.
    DoubleTapProvince("Alderwick");
    EXPECT_EQ(TextOf("ProvinceDetails/RtProvince"), "Alderwick");
    {
        const PackedPoint p = ProvincePoint("Swanmere");
        TapAt(p.X(), p.Y());
        Frames(10);
    }
    EXPECT_EQ(TextOf("ProvinceDetails/RtProvince"), "Swanmere");
    if (!Shown("ArmyDetails/BtnRecruit")) {
        ASSERT_TRUE(Tap("ProvinceDetails/BtnProvArmy"));
    }
    const std::string beforeScouting = Treasury();
    ASSERT_TRUE(Tap("ArmyDetails/BtnRecruit"));
    ASSERT_TRUE(WaitForKind("CScoutWnd")) << Describe();
    EXPECT_EQ(TextIn(FindKind("CScoutWnd"), "RtProvince"), "Scout Swanmere");
    Look("scout");
    ASSERT_TRUE(TapIn(FindKind("CScoutWnd"), "BtnOk"));
    CWindow* news = nullptr;
    ASSERT_TRUE(Until(
        [&] {
            news = FindKind("CScoutSuccessWnd") != nullptr ? FindKind("CScoutSuccessWnd")
                                                           : FindKind("CScoutFailureWnd");
            return news != nullptr;
        },
        kWindowFrames))
        << Describe();
    Look("scouted");
    if (FindKind("CScoutSuccessWnd") == news) {
        EXPECT_EQ(TextIn(news, "RtProvince"), "Swanmere");
    }
    TapOn(news);
    ASSERT_TRUE(BackOnTheMap(kWindowFrames)) << Describe();
    EXPECT_NE(Treasury(), beforeScouting) << "the scouts are paid";

    // The attack, fought by hand on the battle screen: the squads deployed
    // as they stand, then every squad's move ended by tap (its turn passed,
    // or on guard) until it is over.
    DoubleTapProvince("Swanmere");
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MapBtlAttackWnd/BtnOk")) << Describe();
    EXPECT_EQ(TextOf("/Map/MapWnd/MapBtlAttackWnd/RtProvince"), "Attack the province of Swanmere?");
    ASSERT_TRUE(AnswerBattle(false));
    // An attack ends the turn: the question is answered yes.
    ASSERT_TRUE(Until([&] { return Answer() ? false : Shown("/Map/MapWnd/MapBattleWnd"); }, kWindowFrames))
        << Describe();
    ASSERT_TRUE(WaitFor("Start")) << Describe();
    Look("battle_deploy");
    ASSERT_TRUE(Tap("Start"));
    int moves = 0;
    ASSERT_TRUE(Until(
        [&] {
            if (!Shown("/Map/MapWnd/MapBattleWnd"))
                return true;
            for (const char* button : {"Turn", "Guard"})
                if (CWindow* end = Find(button); end != nullptr && end->IsEnabled()) {
                    if (moves++ == 2)
                        Look("battle");
                    TapOn(end);
                    break;
                }
            return false;
        },
        kComputerFrames))
        << Describe();
    EXPECT_GT(moves, 0) << "the person moved on the battle screen";
    ASSERT_TRUE(BackOnTheMap(kComputerFrames, "TopPanel/IcoMenu")) << Describe();
    Look("after_battle");

    // Saved and quit from the game menu; the title screen comes back.
    ASSERT_TRUE(Tap("TopPanel/IcoMenu"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MainMenu")) << Describe();
    ASSERT_TRUE(TapText("Save and quit"));
    ASSERT_TRUE(Until([&] { return Answer() ? false : Shown("/Main/MainMenu/ResumeGame"); }, kWindowFrames))
        << Describe();
    Look("title_again");

    // Resumed: the map of the saved game is back.
    ASSERT_TRUE(Tap("/Main/MainMenu/ResumeGame"));
    ASSERT_TRUE(BackOnTheMap(kWindowFrames)) << Describe();
    Look("resumed");

    // Turns end until the computer has invaded and been met in the quick
    // battle box.
    ASSERT_TRUE(Until(
        [&] {
            if (Answer())
                return false;
            if (m_defences > 0)
                return true;
            Tap("/Map/MapWnd/MapTopPanel/BtnTurn");
            return false;
        },
        kComputerFrames))
        << "the computer invades\n"
        << Describe();
    ASSERT_TRUE(BackOnTheMap(kComputerFrames)) << Describe();
    Look("after_defence");

    // The end of the game by its key (its question, where asked, answered
    // yes): the defeat, its statistics, an army icon of them tapped.
    Type("F");
    std::string end;
    ASSERT_TRUE(Until(
        [&] {
            if (Answer())
                return false;
            for (const char* window : {"/Map/MapWnd/VictoryWnd", "/Map/MapWnd/DefeatWnd"})
                if (Shown(window))
                    end = window;
            return !end.empty();
        },
        kWindowFrames))
        << Describe();
    Look("end_of_game");
    ASSERT_TRUE(Tap(end + "/RtMessage"));
    ASSERT_TRUE(WaitFor(end + "/BtnExit")) << Describe();
    Look("statistics_page1");
    for (int page = 2; page <= 3; ++page) {
        TapMore(end + "/ScrStat");
        Look("statistics_page" + std::to_string(page));
    }
    ASSERT_TRUE(WaitFor(end + "/Page3/ArmyFinal")) << Describe();
    {
        // The first icon of the army at the end.
        const PackedRect r = Find(end + "/Page3/ArmyFinal")->GetNode()->screenRect;
        TapAt(r.Left() + 12, (r.Top() + r.Bottom()) / 2);
    }
    Frames(10);
    while (FindKind("CSquadDescrWnd") != nullptr)
        TapOn(FindKind("CSquadDescrWnd"));
    ASSERT_TRUE(Running()) << "the statistics outlive a tap on an army";
    ASSERT_TRUE(Tap(end + "/BtnExit"));
    // The winner's name for the hall of fame, then the hall itself.
    ASSERT_TRUE(WaitFor("/Main/PlayerNameWnd")) << Describe();
    Type("!");
    Look("player_name");
    ASSERT_TRUE(Tap("/Main/PlayerNameWnd/BtnOk"));
    ASSERT_TRUE(WaitFor("/Main/HallOfFameWnd")) << Describe();
    Look("hall_of_fame");
    bool entered = false;
    for (const SeenWindow& seen : Visible())
        entered = entered ||
                  (seen.path == "/Main/HallOfFameWnd/EPlrName" && seen.text.rfind("1. Lord Edric", 0) == 0);
    EXPECT_TRUE(entered) << "the winner heads the mission's list\n" << Describe();
    // The details of the new entry: the game's statistics again.
    ASSERT_TRUE(Tap("/Main/HallOfFameWnd/EBtnDetails"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/VictoryWnd/BtnExit")) << Describe();
    Look("hall_of_fame_details");
    ASSERT_TRUE(Tap("/Map/MapWnd/VictoryWnd/BtnExit"));
    ASSERT_TRUE(Until([&] { return !Shown("/Map/MapWnd/VictoryWnd"); }, kWindowFrames)) << Describe();
    ASSERT_TRUE(Tap("/Main/HallOfFameWnd/BtnReturn"));
    ASSERT_TRUE(WaitFor("/Main/MainMenu/Map")) << Describe();
    Look("title_at_the_end");
    EXPECT_FALSE(Find("/Main/MainMenu/ResumeGame")->IsEnabled()) << "the ended game's save is gone";

    EXPECT_EQ(Describe(TextFaults()), "");
}

// The road to a real end: a new game in which the person ends turn after
// turn, meets every invasion in the quick battle box and answers whatever
// the game brings, until the computer has taken the capital. The game ends
// on its own: the defeat, its statistics, and no save left to resume.
TEST_P(WholeGameTest, APersonPlaysOnUntilTheComputerEndsTheGame)
{
    ASSERT_TRUE(StartProgram());
    ASSERT_TRUE(WaitFor("/Main/MainMenu/Map")) << Describe();
    ASSERT_TRUE(Tap("/Main/MainMenu/Map"));
    ASSERT_TRUE(WaitFor("/Map/NewGameWnd/BtnStart")) << Describe();
    ASSERT_TRUE(Tap("/Map/NewGameWnd/BtnStart"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/CustPlrWnd/BtnStart")) << Describe();
    ASSERT_TRUE(Tap("/Map/MapWnd/CustPlrWnd/BtnStart"));
    ASSERT_TRUE(BackOnTheMap(kWindowFrames)) << Describe();

    int turns = 0;
    ASSERT_TRUE(Until(
        [&] {
            if (Shown("/Map/MapWnd/DefeatWnd") || Shown("/Map/MapWnd/VictoryWnd"))
                return true;
            if (Answer())
                return false;
            // The person's turn: the hourglass answers and nothing covers the map.
            CWindow* turn = Find("/Map/MapWnd/MapTopPanel/BtnTurn");
            if (turn != nullptr && turn->IsEnabled()) {
                ++turns;
                TapOn(turn);
            }
            return false;
        },
        kGameFrames))
        << "the game ends within " << kGameFrames << " frames\n"
        << Describe();
    Look("the_end");
    EXPECT_GT(m_defences, 0) << "invasions met in the quick battle box";
    EXPECT_GT(turns, 1);
    ASSERT_TRUE(Shown("/Map/MapWnd/DefeatWnd")) << "the computer takes the capital of a lord who only waits";
    ASSERT_TRUE(Tap("/Map/MapWnd/DefeatWnd/RtMessage"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/DefeatWnd/BtnExit")) << Describe();
    for (int page = 1; page <= 3; ++page) {
        Look("defeat_statistics_page" + std::to_string(page));
        if (page < 3)
            TapMore("/Map/MapWnd/DefeatWnd/ScrStat");
    }
    ASSERT_TRUE(Tap("/Map/MapWnd/DefeatWnd/BtnExit"));
    // A defeat is not for the hall of fame: the title comes straight back.
    ASSERT_TRUE(WaitFor("/Main/MainMenu/Map")) << Describe();
    EXPECT_FALSE(Shown("/Main/PlayerNameWnd"));
    Look("title_after_defeat");
    EXPECT_FALSE(Find("/Main/MainMenu/ResumeGame")->IsEnabled()) << "the lost game's save is gone";

    EXPECT_EQ(Describe(TextFaults()), "");
}

INSTANTIATE_TEST_SUITE_P(Screens, WholeGameTest, ::testing::ValuesIn(kSizes), SizeName);

}  // namespace
}  // namespace play_test

namespace play_test {
namespace {

using WindowTextsTest = WholeGameTest;

// The windows of the menus that the played game does not pass through,
// each opened as a person opens it and looked at: the texts of every one are
// checked as the played game's are.
TEST_P(WindowTextsTest, TheWindowsOfTheMenusShowTheirTextsWhole)
{
    ASSERT_TRUE(StartProgram());
    ASSERT_TRUE(WaitFor("/Main/MainMenu/Map")) << Describe();
    // Closes a window as a person does: its cancel, close or OK button, or
    // a tap on a window without one.
    auto close = [&](CWindow* window) {
        for (const char* button : {"BtnCancel", "BtnExit", "CloseBtn", "BtnClose", "BtnReturn", "BtnOk"})
            if (TapIn(window, button))
                return;
        TapOn(window);
    };
    const struct {
        const char* entry;
        const char* window;  // the window the entry opens: a layout path or a class
    } kTitle[] = {
        {"/Main/MainMenu/Preferences", "/Map/MapWnd/GamePrefsWnd"},
        {"/Main/MainMenu/Battle", "/Battle/BattleTrainerWnd"},
        {"/Main/MainMenu/Help", "/Main/IntroHelpWnd"},
        {"/Main/MainMenu/Credits", "/Main/CreditsWnd"},
        {"/Main/MainMenu/HallOfFame", "/Main/HallOfFameWnd"},
    };
    for (const auto& c : kTitle) {
        SCOPED_TRACE(c.entry);
        ASSERT_TRUE(Tap(c.entry)) << Describe();
        auto opened = [&] { return c.window[0] == '/' ? Find(c.window) : FindKind(c.window); };
        ASSERT_TRUE(Until([&] { return opened() != nullptr; }, kWindowFrames)) << Describe();
        const std::string name = std::string(c.entry).substr(std::string(c.entry).rfind('/') + 1);
        // Paged texts turn a page a tap, the last tap goes back.
        for (int page = 1; page <= 10 && opened() != nullptr; ++page) {
            Look(name + std::to_string(page));
            close(opened());
            Frames(10);
        }
        ASSERT_TRUE(WaitFor("/Main/MainMenu/Map")) << "back on the menu\n" << Describe();
    }

    // The new game's mission choice and its description.
    ASSERT_TRUE(Tap("/Main/MainMenu/Map"));
    ASSERT_TRUE(WaitFor("/Map/NewGameWnd/BtnSelMiss")) << Describe();
    ASSERT_TRUE(Tap("/Map/NewGameWnd/BtnSelMiss"));
    ASSERT_TRUE(WaitFor("SelScenarioWnd/BtnOk")) << Describe();
    Look("mission_choice");
    ASSERT_TRUE(Tap("SelScenarioWnd/BtnCancel"));
    ASSERT_TRUE(WaitFor("/Map/NewGameWnd/BtnStart")) << Describe();

    // The lord's set-up and his skills.
    ASSERT_TRUE(Tap("/Map/NewGameWnd/BtnStart"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/CustPlrWnd/BtnCustHero")) << Describe();
    ASSERT_TRUE(Tap("/Map/MapWnd/CustPlrWnd/BtnCustHero"));
    Frames(10);
    Look("lord_skills");
    ASSERT_TRUE(Tap("CustSkillsWnd/BtnCancel"));
    ASSERT_TRUE(Tap("/Map/MapWnd/CustPlrWnd/BtnStart"));
    ASSERT_TRUE(BackOnTheMap(kWindowFrames)) << Describe();
    for (const char* item : {"Hero skills", "Game info", "Map options", "Game options"}) {
        ASSERT_TRUE(Tap("MapTopPanel/IcoMenu"));
        ASSERT_TRUE(WaitFor("/Map/MapWnd/MainMenu")) << Describe();
        ASSERT_TRUE(TapText(item));
        // The window in front of the map's own panels.
        CWindow* opened = nullptr;
        ASSERT_TRUE(Until(
            [&] {
                CWindow* map = Find("/Map/MapWnd");
                for (CWindow* w = map ? map->GetFirstChild() : nullptr; w != nullptr; w = w->GetNextSibling())
                    if (w->IsVisible()) {
                        opened = w;
                        break;
                    }
                return opened != nullptr && opened != Find("/Map/MapWnd/MapFrame") &&
                       opened->Text().Length() > 0;
            },
            kWindowFrames))
            << item << "\n"
            << Describe();
        std::string name = item;
        name[name.find(' ')] = '_';
        Look(name);
        if (TapIn(opened, "BtnFullDescr")) {
            // The mission's whole description over the game's.
            ASSERT_TRUE(WaitFor("MissionInfoWnd")) << Describe();
            Look("mission_description");
            close(Find("MissionInfoWnd"));
            Frames(10);
        }
        close(opened);
        ASSERT_TRUE(BackOnTheMap(kWindowFrames)) << item << "\n" << Describe();
    }

    EXPECT_EQ(Describe(TextFaults()), "");
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowTextsTest, ::testing::ValuesIn(kSizes), SizeName);

}  // namespace
}  // namespace play_test

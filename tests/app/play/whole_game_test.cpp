// A whole game played through the screens by a person with taps and keys:
// a new game on the smallest mission, recruits, the domains, a trade at the
// market, a building in the castle, a transfer between army and garrison,
// scouting, an attack fought by hand on the battle screen, saving, quitting
// and resuming, then turn after turn with the computer's invasions met in
// the quick battle box until the enemy's capital is scouted weak and taken:
// the victory with its statistics, the name for the hall of fame and the
// entry's details. Another game is played on, turn after turn, until the
// computer ends it. Then the windows of the menus that game does not pass
// through, and the battle trainer from its set-up to a training battle. At
// each step the test checks what the person sees: the window that opened,
// the treasury, and every text drawn (inside its window and the screen, no
// locale key or format left, legible on what it stands on).

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/app/play/person_rig.h"
#include "ui/button.h"
#include "ui/res_wnd.h"
#include "ui/screen_wnd.h"
#include "ui/text_element.h"
#include "ui/window.h"

namespace play_test {
namespace {

// The computer's turns with their battles take longer.
constexpr int kComputerFrames = 20000;
// A whole game to its end, turn after turn.
constexpr int kGameFrames = 200000;
constexpr int kTurnsToWin = 100;
// Two taps on one spot within half a second are a double tap.
constexpr int kPastDoubleTap = 12;

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
    bool WaitForKind(const std::string& kind, int frames = kWindowFrames)
    {
        return Until([&] { return FindKind(kind) != nullptr; }, frames);
    }
    // The button at one end of a scroller: the rightmost visible one is its
    // "more", the leftmost its "less".
    CWindow* ScrollerEnd(const std::string& scroller, bool more) const
    {
        CWindow* end = nullptr;
        if (CWindow* s = Find(scroller))
            for (CWindow* c = s->GetFirstChild(); c != nullptr; c = c->GetNextSibling()) {
                const int16_t left = c->GetNode()->screenRect.Left();
                if (c->IsVisible() && (end == nullptr || (more ? left > end->GetNode()->screenRect.Left()
                                                               : left < end->GetNode()->screenRect.Left())))
                    end = c;
            }
        return end;
    }
    void TapMore(const std::string& scroller)
    {
        CWindow* more = ScrollerEnd(scroller, true);
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
            m_fightAt = ProvinceNamedIn(TextOf("/Map/MapWnd/MapBtlDefendWnd/RtProvince"));
            m_attacking = false;
            return AnswerBattle(true);
        }
        if (CWindow* results = Find("/Map/MapWnd/BattleResultsWnd")) {
            Look("battle_results");
            // Where the lord's army stands after the battle: in the province
            // it took, or back home from a lost battle it fought in.
            const bool won = std::string(results->Text().Chars()).rfind("Victory", 0) == 0;
            if (m_attacking && won)
                m_armyAt = m_fightAt;
            else if (!won && (m_attacking || m_fightAt == m_armyAt))
                m_armyAt = kCapital;
            m_fightAt.clear();
            m_attacking = false;
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
            for (const char* button : {"BtnOk", "BtnYes", "BtnCancel", "BtnNo"})
                if (CWindow* b = FindIn(window, button); b != nullptr && b->IsEnabled()) {
                    TapOn(b);
                    return true;
                }
            TapOn(window);
            return true;
        }
        return AnswerMessage();
    }
    // Where on the map a province lies, found as a person would: tapping
    // over the map and reading the name the panel shows.
    PackedPoint ProvincePoint(const std::string& name)
    {
        if (GameOver())
            return UndefinedPoint;
        // The province's troops and castle folded away: the whole map is in
        // view, and a tap near its edge does not scroll it.
        if (Shown("MapInfoPanel/ArmyDetails") || Shown("MapInfoPanel/CastleDetails")) {
            Tap("ProvinceDetails/BtnProvArmy");
            Frames(5);
        }
        CWindow* map = Find("/Map/MapWnd/MapFrame");
        if (map == nullptr)
            return UndefinedPoint;
        const PackedRect r = map->GetNode()->screenRect;
        // A point found before is tapped again: the map may have scrolled
        // since, or its room changed with the panels below it.
        if (r == m_provincesIn && m_provinces.count(name) != 0) {
            const PackedPoint p = m_provinces[name];
            TapAt(p.X(), p.Y());
            // Past the double tap's half second: the tap stays a single one.
            Frames(kPastDoubleTap);
            if (TextOf("ProvinceDetails/RtProvince") == name)
                return p;
        }
        m_provinces.clear();
        m_provincesIn = r;
        std::vector<PackedPoint> grid;
        for (int y = r.Top() + r.Height() / 20; y < r.Bottom(); y += r.Height() / 10)
            for (int x = r.Left() + r.Width() / 24; x < r.Right(); x += r.Width() / 12)
                grid.push_back(PackedPoint(x, y));
        // A tap on a border leaves the province tapped before in the panel:
        // only what the map reads the same way forth and back counts.
        std::vector<std::string> forth, back(grid.size());
        // The game may end while the person looks: the taps stop with it.
        for (const PackedPoint& p : grid) {
            if (GameOver())
                return UndefinedPoint;
            TapAt(p.X(), p.Y());
            Frames(8);
            forth.push_back(TextOf("ProvinceDetails/RtProvince"));
        }
        Frames(kPastDoubleTap);
        for (size_t i = grid.size(); i-- > 0;) {
            if (GameOver())
                return UndefinedPoint;
            TapAt(grid[i].X(), grid[i].Y());
            Frames(8);
            back[i] = TextOf("ProvinceDetails/RtProvince");
        }
        std::map<std::string, std::vector<PackedPoint>> seen;
        for (size_t i = 0; i < grid.size(); ++i)
            if (forth[i] == back[i])
                seen[forth[i]].push_back(grid[i]);
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
        return m_provinces.count(name) ? m_provinces[name] : UndefinedPoint;
    }
    // A province's default action: move there, attack it.
    // False when the province is not on the map as it is shown.
    bool DoubleTapProvince(const std::string& name)
    {
        const PackedPoint p = ProvincePoint(name);
        if (!p.IsDefined())
            return false;
        TapAt(p.X(), p.Y());
        TapAt(p.X(), p.Y());
        Frames(10);
        return true;
    }
    // The game's end is on the screen.
    bool GameOver() const { return Shown("/Map/MapWnd/DefeatWnd") || Shown("/Map/MapWnd/VictoryWnd"); }
    int m_defences = 0;
    // What the person remembers of his army: where it stands, and where it
    // fights the battle under way.
    static constexpr const char* kCapital = "Greenbank";
    static constexpr const char* kEnemyCapital = "Lowfield";
    std::string m_armyAt = kCapital, m_fightAt;
    bool m_attacking = false;
    // The province a text names, of those the person has found on the map.
    std::string ProvinceNamedIn(const std::string& text) const
    {
        for (const auto& [name, point] : m_provinces)
            if (!name.empty() && text.find(name) != std::string::npos)
                return name;
        return std::string();
    }
    // Attacks a province with the quick battle when the question comes;
    // false when none came (the army moved there, or could not).
    bool AttackQuickly(const std::string& name)
    {
        if (!Shown("/Map/MapWnd/MapBtlAttackWnd/BtnOk"))
            return false;
        m_fightAt = name;
        m_attacking = true;
        return AnswerBattle(true);
    }
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
    // The treasury's gold and metal as the top panel shows them.
    std::pair<int, int> GoldAndMetal()
    {
        int gold = 0, metal = 0;
        std::sscanf(Treasury().c_str(), "%d %d", &gold, &metal);
        return {gold, metal};
    }
    // Recruits in the capital, every kind as many as the treasury pays for
    // while the amounts kept back stay in it.
    void RecruitKeeping(int gold, int metal)
    {
        if (!Tap("/Map/MapWnd/MapTopPanel/BtnRecruit") || !WaitFor("/Map/MapWnd/RecruitActionPanel/BtnApply"))
            return;
        for (int kind = 5; kind >= 1; --kind) {
            if (!Tap("RecruitActionPanel/BtnSquad" + std::to_string(kind)))
                continue;
            Frames(2);
            for (int n = 0; n < 200; ++n) {
                const std::string before = Treasury();
                TapMore("RecruitActionPanel/ScrRecruit");
                Frames(1);
                const auto [g, m] = GoldAndMetal();
                if (g < gold || m < metal) {
                    TapLess("RecruitActionPanel/ScrRecruit");
                    Frames(1);
                    break;
                }
                if (Treasury() == before)
                    break;
            }
        }
        Tap("RecruitActionPanel/BtnApply");
        WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn");
    }
    void TapLess(const std::string& scroller)
    {
        if (CWindow* less = ScrollerEnd(scroller, false))
            TapOn(less);
    }
    // Every squad of the garrison where the army stands into the army.
    void GarrisonIntoArmy()
    {
        if (!Tap("MapCampArmy/BtnAction"))
            return;
        // With nobody in the army or the garrison the game says there is
        // nothing to transfer; the notice is closed.
        if (!WaitFor("/Map/MapWnd/TransferWnd", 20)) {
            Answer();
            return;
        }
        for (int kind = 1; Find("TransferWnd/ScrTransfer" + std::to_string(kind)) != nullptr; ++kind)
            for (int n = 0; n < 300; ++n)
                TapLess("TransferWnd/ScrTransfer" + std::to_string(kind));
        Tap("TransferWnd/BtnOk");
        WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn");
    }
    // The heads an army list of a window shows: its counts summed.
    long Heads(CWindow* window, const std::string& list)
    {
        long heads = 0;
        for (const std::string& text : Read(FindIn(window, list)))
            if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
                heads += std::atol(text.c_str());
        return heads;
    }
    // Sends scouts into a province. The heads of its guards as the scouts
    // saw them; kNotSeen when they were driven off or not sent, kNoScouts
    // when the province cannot be scouted from ours.
    static constexpr long kNotSeen = -1, kNoScouts = -2;
    long ScoutProvince(const std::string& name, int keepGold)
    {
        const PackedPoint p = ProvincePoint(name);
        if (!p.IsDefined())
            return kNotSeen;
        TapAt(p.X(), p.Y());
        Frames(10);
        if (!Shown("ArmyDetails/BtnRecruit"))
            Tap("ProvinceDetails/BtnProvArmy");
        long guards = kNoScouts;
        if (Tap("ArmyDetails/BtnRecruit") && WaitForKind("CScoutWnd", 40))
            guards = kNotSeen;
        // Scouts driven off may be sent again, while the gold lasts.
        while (CWindow* scouting = FindKind("CScoutWnd")) {
            if (GoldAndMetal().first < keepGold + 40) {
                TapIn(scouting, "BtnCancel");
                break;
            }
            TapIn(scouting, "BtnOk");
            CWindow* news = nullptr;
            Until(
                [&] {
                    news = FindKind("CScoutSuccessWnd") != nullptr ? FindKind("CScoutSuccessWnd")
                                                                   : FindKind("CScoutFailureWnd");
                    return news != nullptr;
                },
                kWindowFrames);
            if (news == nullptr)
                break;
            if (news == FindKind("CScoutSuccessWnd"))
                guards = Heads(news, "GuardianArmy");
            TapOn(news);
            Frames(10);
        }
        // The province's troops folded away again: the map has its whole room.
        BackOnTheMap(kWindowFrames);
        if (Shown("MapInfoPanel/ArmyDetails"))
            Tap("ProvinceDetails/BtnProvArmy");
        Frames(5);
        BackOnTheMap(kWindowFrames);
        return guards;
    }
    // The game played on, turn after turn, to its end, as a person who
    // means to win: the army waits at home in the castle and gathers the
    // recruits; the enemy's capital is scouted from the province next to
    // it and struck once the scouts find it weak; the province next to it
    // is taken back whenever it is lost. The computer's invasions are met
    // in the quick battle box. False when the game has not ended after
    // the turns given.
    bool PlayOnToTheEnd(int turns)
    {
        // The enemy's capital is struck with four times its guards' heads;
        // a treasury keeps the trebuchet's price and the scouts'; an army
        // marches from eighty heads, since the enemy's field army, which
        // the attack question does not count, can take a castle an army
        // lost in the field leaves bare.
        constexpr long kOdds = 4, kMarchHeads = 80;
        constexpr int kReserve = 120, kSiegeGold = 60, kSiegeMetal = 20;
        for (int turn = 0; turn < turns; ++turn) {
            // The person's turn: the hourglass answers and nothing covers the map.
            const bool ours = Until(
                [&] {
                    if (GameOver() || Answer())
                        return GameOver();
                    CWindow* end = Find("/Map/MapWnd/MapTopPanel/BtnTurn");
                    return end != nullptr && end->IsEnabled();
                },
                kComputerFrames);
            if (GameOver())
                return true;
            if (!ours)
                return false;
            BackOnTheMap(kWindowFrames);
            // The enemy's capital taken: the game ends as the turn goes round.
            if (m_armyAt == kEnemyCapital) {
                Frames(20);
                continue;
            }
            if (GameOver())
                return true;
            RecruitKeeping(kReserve, kSiegeMetal);
            if (m_armyAt == kCapital)
                GarrisonIntoArmy();
            const long heads = Heads(Find("/Map/MapWnd/MapCampArmy"), "ArmyCtrl");
            const long guards = heads >= kMarchHeads ? ScoutProvince(kEnemyCapital, kSiegeGold) : kNotSeen;
            const bool strike = guards >= 0 && heads >= kOdds * guards;
            // Without the province next to the enemy's capital there is no
            // scouting: it is taken back first.
            const bool retake = guards == kNoScouts && heads >= kMarchHeads;
            bool attacked = false;
            if (strike || retake)
                attacked = March({"Alderwick", "Swanmere"}, true);
            if (strike && !attacked && m_armyAt == "Swanmere")
                attacked = Besiege(kEnemyCapital, kOdds);
            // Home again from anywhere but the enemy's capital.
            if (!attacked && m_armyAt != kCapital)
                March({"Alderwick", kCapital}, false);
            if (GameOver())
                return true;
            if (!attacked)
                Tap("/Map/MapWnd/MapTopPanel/BtnTurn");
            Frames(5);
        }
        return false;
    }
    // The army along a road of provinces, a step each, attacking on the
    // way when asked (the turn ends with it); true when it attacked.
    bool March(std::initializer_list<const char*> road, bool attack)
    {
        for (const char* step : road) {
            if (m_armyAt == step)
                continue;
            const std::string moves = TextOf("MapCampArmy/LblTurns");
            if (GameOver() || !DoubleTapProvince(step))
                return false;
            Frames(10);
            if (attack && AttackQuickly(step))
                return true;
            // The army's own province offers the transfer: it stands there.
            if (CWindow* transfer = Find("/Map/MapWnd/TransferWnd")) {
                TapIn(transfer, "BtnCancel");
                WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn");
            } else if (TextOf("MapCampArmy/LblTurns") == moves) {
                return false;
            }
            m_armyAt = step;
        }
        return false;
    }
    // A castle besieged when the treasury pays the trebuchet and the
    // question shows the army strong enough; true when it was attacked.
    bool Besiege(const std::string& name, long odds)
    {
        if (GameOver() || !DoubleTapProvince(name))
            return false;
        Frames(10);
        if (CWindow* siege = FindKind("CPrepTrebWnd")) {
            const bool pays = TextIn(siege, "RtResLeft").find("cannot") == std::string::npos;
            TapIn(siege, pays ? "BtnOk" : "BtnCancel");
            if (pays)
                WaitFor("/Map/MapWnd/MapBtlAttackWnd/BtnOk", 40);
        }
        CWindow* question = Find("/Map/MapWnd/MapBtlAttackWnd");
        if (question == nullptr)
            return false;
        if (Heads(question, "ArmyInvade") >= odds * Heads(question, "ArmyGuard"))
            return AttackQuickly(name);
        Tap("/Map/MapWnd/MapBtlAttackWnd/BtnCancel");
        return false;
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
    // A first game, on the easiest level.
    TapLess("/Map/NewGameWnd/ScrDiff");
    EXPECT_EQ(TextOf("/Map/NewGameWnd/ScrDiff"), "0");
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
    ASSERT_TRUE(DoubleTapProvince("Alderwick"));
    EXPECT_EQ(TextOf("ProvinceDetails/RtProvince"), "Alderwick");
    m_armyAt = "Alderwick";
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
    // Scouts driven off may be sent again: not this time.
    Frames(10);
    if (CWindow* again = FindKind("CScoutWnd"))
        TapIn(again, "BtnCancel");
    ASSERT_TRUE(BackOnTheMap(kWindowFrames)) << Describe();
    EXPECT_NE(Treasury(), beforeScouting) << "the scouts are paid";

    // The attack, fought by hand on the battle screen: the squads deployed
    // as they stand, then every squad's move ended by tap (its turn passed,
    // or on guard) until it is over.
    ASSERT_TRUE(DoubleTapProvince("Swanmere"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MapBtlAttackWnd/BtnOk")) << Describe();
    EXPECT_EQ(TextOf("/Map/MapWnd/MapBtlAttackWnd/RtProvince"), "Attack the province of Swanmere?");
    m_fightAt = "Swanmere";
    m_attacking = true;
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

    // The game played on to its end: the victory, its statistics, an army
    // icon of them tapped.
    ASSERT_TRUE(PlayOnToTheEnd(kTurnsToWin)) << "the game ends within " << kTurnsToWin << " turns\n"
                                             << Describe();
    const std::string end = "/Map/MapWnd/VictoryWnd";
    ASSERT_TRUE(Shown(end)) << "the person wins\n" << Describe();
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
    EXPECT_EQ(TextOf("/Main/PlayerNameWnd/Name"), "Lord Edric Reedwater") << "the lord's name to begin with";
    // Typed keys reach the name only through the window's own keyboard.
    Type("x");
    EXPECT_EQ(TextOf("/Main/PlayerNameWnd/Name"), "Lord Edric Reedwater");
    ASSERT_TRUE(Tap("/Main/PlayerNameWnd/BtnClear"));
    CWindow* keyboard = Find("/Main/PlayerNameWnd/Keyboard");
    ASSERT_NE(keyboard, nullptr) << Describe();
    for (const char key : std::string("edric")) {
        CWindow* button = nullptr;
        for (const SeenWindow& seen : Visible()) {
            bool onKeyboard = false;
            for (CWindow* up = seen.window; up != nullptr && !onKeyboard; up = up->GetParent())
                onKeyboard = up == keyboard;
            if (button == nullptr && onKeyboard && seen.text == std::string(1, key))
                button = seen.window;
        }
        ASSERT_NE(button, nullptr) << "the key " << key << "\n" << Describe();
        TapOn(button);
    }
    EXPECT_EQ(TextOf("/Main/PlayerNameWnd/Name"), "edric");
    Look("player_name");
    ASSERT_TRUE(Tap("/Main/PlayerNameWnd/BtnOk"));
    ASSERT_TRUE(WaitFor("/Main/HallOfFameWnd")) << Describe();
    Look("hall_of_fame");
    bool entered = false;
    int results = 0;
    for (const SeenWindow& seen : Visible()) {
        if (seen.path != "/Main/HallOfFameWnd/EPlrName")
            continue;
        entered = entered || seen.text == "1. edric";
        results += seen.text.ends_with("---") ? 0 : 1;
    }
    EXPECT_TRUE(entered) << "the winner heads the mission's list\n" << Describe();
    EXPECT_EQ(results, 1) << "the result entered under the lord's name was renamed, not entered again\n"
                          << Describe();
    // The details of the new entry: the game's statistics again.
    ASSERT_TRUE(Tap("/Main/HallOfFameWnd/EBtnDetails"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/VictoryWnd/BtnExit")) << Describe();
    Look("hall_of_fame_details");
    {
        // The statistics are a screen of their own: nothing of the hall
        // shows around them, neither its title bar nor a control such as
        // its help button, dead while they run.
        CWindow* hall = Find("/Main/HallOfFameWnd");
        CWindow* statistics = Find("/Map/MapWnd/VictoryWnd");
        ASSERT_NE(hall, nullptr) << Describe();
        ASSERT_NE(statistics, nullptr) << Describe();
        const PackedRect cover = statistics->GetNode()->screenRect;
        auto covered = [&cover](const PackedRect& r) {
            return r.Left() >= cover.Left() && r.Top() >= cover.Top() && r.Right() <= cover.Right() &&
                   r.Bottom() <= cover.Bottom();
        };
        auto* screen = static_cast<CScreenWnd*>(hall->QueryInterface(IidScreenWnd));
        ASSERT_NE(screen, nullptr);
        PackedRect title = screen->TitleRect();
        ASSERT_TRUE(title.IsDefined() && title.Height() > 0) << "the hall has its title bar";
        title.Offset(hall->GetNode()->screenRect.Left(), hall->GetNode()->screenRect.Top());
        EXPECT_TRUE(covered(title)) << "the hall's title \"" << hall->Text().Chars()
                                    << "\" shows over its statistics";
        for (const SeenWindow& seen : Visible()) {
            bool inHall = false;
            for (CWindow* up = seen.window; up != nullptr && up != statistics; up = up->GetParent())
                inHall = inHall || up->GetParent() == hall;
            EXPECT_TRUE(!inHall || covered(seen.window->GetNode()->screenRect))
                << seen.path << " (" << seen.kind << ") of the hall shows beside its statistics";
        }
    }
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
    ASSERT_TRUE(StartNewGame());
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

INSTANTIATE_TEST_SUITE_P(Screens, WholeGameTest, ::testing::ValuesIn(ForAWholeGame(kSizes)), SizeName);

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
    // A squad kind's description from the recruit mode: its table of
    // values beside the window's help button.
    ASSERT_TRUE(Tap("MapTopPanel/BtnRecruit"));
    ASSERT_TRUE(WaitFor("RecruitActionPanel/BtnInfo")) << Describe();
    ASSERT_TRUE(Tap("RecruitActionPanel/BtnInfo"));
    ASSERT_TRUE(Until([&] { return FindKind("CSquadDescrWnd") != nullptr; }, kWindowFrames)) << Describe();
    Look("squad_description");
    while (FindKind("CSquadDescrWnd") != nullptr)
        TapOn(FindKind("CSquadDescrWnd"));
    ASSERT_TRUE(Tap("RecruitActionPanel/BtnApply"));
    ASSERT_TRUE(BackOnTheMap(kWindowFrames)) << Describe();
    // The market's slider at both its ends: its thumb shows beside each
    // end's buttons.
    ASSERT_TRUE(Tap("MapTopPanel/IcoMenu"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MainMenu")) << Describe();
    ASSERT_TRUE(TapText("Market"));
    ASSERT_TRUE(WaitFor("/Map/MapWnd/TradingWnd")) << Describe();
    ASSERT_TRUE(Tap("TradingWnd/BtnResR3"));
    ASSERT_TRUE(WaitFor("FrameWnd/ScrTrading")) << Describe();
    TapMore("FrameWnd/ScrTrading");
    Look("market_most");
    TapLess("FrameWnd/ScrTrading");
    Look("market_none");
    ASSERT_TRUE(Tap("TradingWnd/BtnCancel"));
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

INSTANTIATE_TEST_SUITE_P(Screens, WindowTextsTest, ::testing::ValuesIn(AtEveryOrientation(kSizes)), SizeName);

}  // namespace
}  // namespace play_test

namespace play_test {
namespace {

using BattleTrainerTest = WholeGameTest;

// The battle trainer as a person uses it from the title: its set-up, an
// army composed in the recruit window with the quantity slider at both its
// ends, and the training battle it starts, ended from the battle's menu.
// Every text drawn on the way is checked as the played game's are.
TEST_P(BattleTrainerTest, APersonSetsUpATrainingBattleAndEndsIt)
{
    ASSERT_TRUE(StartProgram());
    ASSERT_TRUE(WaitFor("/Main/MainMenu/Battle")) << Describe();
    ASSERT_TRUE(Tap("/Main/MainMenu/Battle"));
    ASSERT_TRUE(WaitFor("/Battle/BattleTrainerWnd/BtnStart")) << Describe();
    Look("trainer");

    ASSERT_TRUE(Tap("BattleTrainerWnd/BtnOwnArmy"));
    ASSERT_TRUE(WaitFor("RecruitWnd/SpinQuantity")) << Describe();
    Look("trainer_army");
    TapLess("RecruitWnd/SpinQuantity");
    Look("trainer_army_none");
    TapMore("RecruitWnd/SpinQuantity");
    Look("trainer_army_most");
    ASSERT_TRUE(Tap("RecruitWnd/BtnCancel"));
    ASSERT_TRUE(WaitFor("/Battle/BattleTrainerWnd/BtnStart")) << Describe();

    ASSERT_TRUE(Tap("BattleTrainerWnd/BtnStart"));
    ASSERT_TRUE(WaitFor("Map/MapWnd/MapBattleWnd")) << Describe();
    ASSERT_TRUE(WaitFor("BottomPanel")) << Describe();
    Look("trainer_battle");
    ASSERT_TRUE(TapIn(Find("BottomPanel"), "Menu"));
    ASSERT_TRUE(Until([&] { return FindText("End the battle") != nullptr; }, kWindowFrames)) << Describe();
    ASSERT_TRUE(TapText("End the battle"));
    ASSERT_TRUE(Until([&] { return Answer() ? false : Shown("/Main/MainMenu/Battle"); }, kComputerFrames))
        << Describe();
    Look("title_after_training");

    EXPECT_EQ(Describe(TextFaults()), "");
}

INSTANTIATE_TEST_SUITE_P(Screens, BattleTrainerTest, ::testing::ValuesIn(kSizes), SizeName);

}  // namespace
}  // namespace play_test

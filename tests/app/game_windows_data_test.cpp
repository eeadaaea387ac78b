// The shipped data of the set-up and end-of-game windows: every mission has
// a preview whose province pixels index its provinces, the layouts hold
// every node the windows build, the texts and pictures they name exist, and
// the windows built from them look right (shots).

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/image_data.h"
#include "core/image_rows.h"
#include "core/locale_table.h"
#include "core/pack_format.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/scenario_mgr.h"
#include "mapdialogs/map_prefs_wnd.h"
#include "mapdialogs/mini_map.h"
#include "mapdialogs/player_name_wnd.h"
#include "tests/support/windows/shipped_data.h"
#include "ui/keyboard_wnd.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

class GameWindowsDataTest : public ShippedDataRig {};

TEST_F(GameWindowsDataTest, EveryMissionPreviewIndexesExactlyItsProvinces)
{
    ASSERT_GT(Map::CSrenarionMgr::TotalMissions(), 0);
    for (int n = 0; n < Map::CSrenarionMgr::TotalMissions(); ++n) {
        int s = 0, m = 0;
        ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(n, &s, &m));
        const CStr path = Map::CSrenarionMgr::MissionPath(s, m);
        CGameWorld world;
        ASSERT_TRUE(world.LoadPreview(CStr::ConcatChars(path, "/mission"))) << path.Chars();
        ImageData preview;
        ASSERT_TRUE(LoadImage(CStr::ConcatChars(path, "/preview").Chars(), preview)) << path.Chars();
        std::set<int> seen;
        int foreign = 0;
        for (int y = 0; y < preview.Height(); ++y) {
            for (int x = 0; x < preview.Width(); ++x) {
                const uint8_t pixel = ImageHitTest(x, y, preview);
                // The probe answers 0 for province 0 and off the picture alike.
                if (pixel >= 100 || pixel == 0)
                    continue;
                if (pixel < world.ProvinceCount()) {
                    seen.insert(pixel);
                } else {
                    ++foreign;
                }
            }
        }
        EXPECT_EQ(foreign, 0) << path.Chars();
        for (int p = 1; p < world.ProvinceCount(); ++p)
            EXPECT_EQ(seen.count(p), 1u) << path.Chars() << " " << p;
        for (const char* text : {"/mission", "/shortdescr", "/victory", "/defeat"})
            EXPECT_TRUE(Exists(CStr::ConcatChars(path, text).Chars(), "txt")) << path.Chars() << text;
    }
}

TEST_F(GameWindowsDataTest, LayoutsHoldEveryNodeTheWindowsBuild)
{
    const std::string stats[] = {
        "RtMessage",        "ScrStat",          "BtnExit",         "Page1/RtTurns",   "Page1/RtDifficulty",
        "Page1/RtScore",    "Page1/RtHero",     "Page2/ResTaxes",  "Page2/ResSpent",  "Page2/RtStolen",
        "Page2/RtTheft",    "Page2/ResFinal",   "Page3/ArmyRecr",  "Page3/ArmyJoin",  "Page3/ArmyAssasin",
        "Page3/ArmyFinal",  "Page4/RtTotalNum", "Page4/RtVictNum", "Page4/RtDeftNum", "Page4/RtRetrNum",
        "Page4/ArmyKilled", "Page4/ArmyLost"};
    struct Window {
        std::string path;
        std::vector<std::string> children;
    } windows[] = {
        {"/Map/NewGameWnd",
         {"MiniMap", "LblMission", "RtMissionName", "LblDifficulty", "LblHumans", "LblMPMode", "BtnSelMiss",
          "BtnStart", "BtnMenu", "ScrDiff", "ScrHumans", "ScrMPMode", "SelScenarioWnd"}},
        {"/Map/NewGameWnd/SelScenarioWnd",
         {"FrameRight/RtMission", "FrameRight/RtDifficulty", "FrameRight/RtProvinces", "FrameRight/RtPlayers",
          "FrameRight/MiniMap", "FrameRight/BtnAuthor", "FrameRight/RtDescr", "FrameRight/BtnDescr",
          "FrameLeft/BtnUp", "FrameLeft/BtnDn", "FrameLeft/MissionBtn", "BtnOk", "BtnCancel",
          "MissionDescrWnd"}},
        {"/Main/PickSlotWnd",
         {"RtSlotName", "ImgLine", "RtSlotInfo", "BtnDelete", "ScrSlot", "BtnOk", "BtnCancel"}},
        {"/Main/PlayerNameWnd", {"LblName", "Name", "BtnClear", "Keyboard", "BtnOk", "BtnCancel"}},
        {"/Main/HallOfFameWnd",
         {"ScrDifficulty", "ScrPage", "BtnReturn", "BtnClearResults", "EHorzLine", "EPlrName", "EMapName",
          "EScore", "ETurns", "EBtnDetails"}},
        {"/Map/MapWnd/CustPlrWnd",
         {"MiniMap",
          "LblColor",
          "LblCapital",
          "LblHero",
          "LblHeroName",
          "RtArmyUnits",
          "ScrColor",
          "IcoColor",
          "ScrCapital",
          "RtSkills",
          "Army",
          "BtnArmy1",
          "BtnArmy2",
          "BtnArmy3",
          "BtnArmy4",
          "BtnCustHero",
          "BtnStart",
          "CustSkillsWnd/LblName",
          "CustSkillsWnd/ScrBattle",
          "CustSkillsWnd/ScrBuilder",
          "CustSkillsWnd/ScrStealth",
          "CustSkillsWnd/RtPtLeft",
          "CustSkillsWnd/BtnOk",
          "CustSkillsWnd/BtnCancel"}},
        {"/Map/MapWnd/GameInfoWnd",
         {"RtHeroName", "RtHeroSkills", "RtHeroExp", "RtDifficulty", "RtMission", "BtnFullDescr",
          "RtProvinces", "RtPlayers", "RtTurn", "BtnClose", "MissionInfoWnd"}},
        {"/Map/MapWnd/MapPrefsWnd",
         {"CbQuickBtls", "CbAutoTaxes", "CbConfirms", "CbMovingFlag", "CbReport", "BtnOk", "BtnCancel"}},
        {"/Map/MapWnd/VictoryWnd", {std::begin(stats), std::end(stats)}},
        {"/Map/MapWnd/DefeatWnd", {std::begin(stats), std::end(stats)}},
    };
    CUiTree& tree = CUIMgr::Tree();
    for (const Window& window : windows) {
        for (const std::string& child : window.children) {
            const std::string path = window.path + "/" + child;
            EXPECT_TRUE(tree.ResolvePath(path.c_str())) << path;
        }
    }
}

TEST_F(GameWindowsDataTest, TextsAndPicturesTheWindowsNameExist)
{
    // Keys of the locale text, folded (keys match without regard to case).
    TextLines text;
    ASSERT_TRUE(CResourceMgr::LoadTextLines("/Locale/locale", pack_format::kTextType, text));
    std::set<std::string> keys;
    for (size_t i = 0; i < text.lines.size(); ++i) {
        std::string key(text.lines[i].Chars(), LocaleKeyLength(text.lines[i].Chars()));
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        keys.insert(key);
    }
    for (const char* key : {"Average",
                            "Hotseat",
                            "Author",
                            "AuthorNotes",
                            "NewGame",
                            "ResumeGame",
                            "SlotName",
                            "SlotError",
                            "SlotEmpty",
                            "SlotInvalid",
                            "SIMission",
                            "SIDifficulty",
                            "SITurn",
                            "SIHeroName",
                            "SIHeroSkills",
                            "SIPlayers",
                            "OverwriteSlotT",
                            "OverwriteSlotM",
                            "OverwriteDamagedSlotM",
                            "DeleteSlotT",
                            "DeleteSlotM",
                            "NoSavedGamesT",
                            "NoSavedGamesM",
                            "HOFScore",
                            "HOFTurns",
                            "NoHOFEntry",
                            "ResetHighScores",
                            "ResetHighScoresMsg",
                            "HOFDamagedT",
                            "HOFDamagedM",
                            "RtStatTurns",
                            "RtStatDiff",
                            "RtStatScore",
                            "RtStatHero",
                            "RtTotalNum",
                            "RtVictNum",
                            "RtDeftNum",
                            "RtRetrNum",
                            "PlrWndTitle",
                            "Error",
                            "Easy",
                            "Normal",
                            "Hard",
                            "Expert"}) {
        std::string folded(key);
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(keys.count(folded), 1u) << key;
    }
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(Exists(("/Images/Icons/Flag" + std::to_string(i)).c_str(), "img")) << i;
    EXPECT_TRUE(Exists("/Images/Map/MapMiniCapital", "img"));
    EXPECT_TRUE(Exists("/Images/Map/MapMiniCastle", "img"));
    EXPECT_TRUE(Exists("/Locale/Keyboards/english", "kbd"));
    EXPECT_TRUE(Exists("/Sounds/game_victory", "wav"));
    EXPECT_TRUE(Exists("/Sounds/game_lose", "wav"));
    for (const char* picture : {"awok", "awcancel", "awup", "awdown", "awback", "awclear", "awdelete",
                                "awinfo", "awdescr", "awauthor", "awhero", "awmap"})
        EXPECT_TRUE(Exists((std::string("/Images/Btn/") + picture).c_str(), "img")) << picture;
}

// The locale texts by key (keys as written).
std::map<std::string, std::string> LocaleTexts()
{
    std::map<std::string, std::string> texts;
    TextLines text;
    if (!CResourceMgr::LoadTextLines("/Locale/locale", pack_format::kTextType, text))
        return texts;
    for (const CStr& line : text.lines) {
        const std::string whole(line.Chars());
        const size_t equals = whole.find('=');
        if (whole.rfind("//", 0) != 0 && equals != std::string::npos)
            texts.emplace(whole.substr(0, LocaleKeyLength(line.Chars())), whole.substr(equals + 1));
    }
    return texts;
}

// Formats a text as the windows do, with 1 for every number and a name for
// every "%s".
std::string FormatWithOne(const std::string& format)
{
    std::vector<FormatArg> args;
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        size_t j = i + 1;
        if (format[j] == '%') {
            i = j;
            continue;
        }
        while (j < format.size() && std::strchr("-+ #0123456789.lhLqjzt", format[j]) != nullptr)
            ++j;
        if (j < format.size())
            args.push_back(format[j] == 's' ? FormatArg("Osric") : FormatArg(1));
        i = j;
    }
    CStr out;
    out.FormatArgs(format.c_str(), args.data(), static_cast<int32_t>(args.size()));
    return out.Chars();
}

TEST_F(GameWindowsDataTest, ACountOfOneReadsInTheSingular)
{
    const std::map<std::string, std::string> texts = LocaleTexts();
    ASSERT_GT(texts.size(), 100u);
    // "1 turns", "1 units": a one before a word in the plural.
    const std::regex plural("(^|[^0-9.])1 [a-z]+s\\b");
    for (const auto& [key, text] : texts) {
        const std::string shown = FormatWithOne(text);
        EXPECT_FALSE(std::regex_search(shown, plural)) << key << ": " << shown;
    }
}

TEST_F(GameWindowsDataTest, TheTurnNoticeSaysWhoseTurnItIs)
{
    const std::map<std::string, std::string> texts = LocaleTexts();
    for (const char* key : {"PlrTurnM", "PlrInvFinishM"}) {
        ASSERT_EQ(texts.count(key), 1u) << key;
        CStr shown;
        // Flag number 5 (shown nowhere), the name, battle, builder, stealth, turn.
        shown.Format(texts.at(key).c_str(), 5, "Lord Edric", 3, 2, 1, 7);
        const std::string s = shown.Chars();
        EXPECT_EQ(s.rfind("Lord Edric", 0), 0u) << key << ": " << s;
        EXPECT_EQ(s.find('5'), std::string::npos) << key << ": " << s;
        EXPECT_NE(s.find("Battle 3, builder 2, stealth 1"), std::string::npos) << key << ": " << s;
        EXPECT_NE(s.find('7'), std::string::npos) << key << ": " << s;
    }
}

// No control sets the taxes (the taxes window answers a request nothing
// posts), so How to Play must not advise on them.
TEST_F(GameWindowsDataTest, HowToPlayAdvisesNothingTheGameDoesNotOffer)
{
    TextLines help;
    ASSERT_TRUE(CResourceMgr::LoadTextLines("/Texts/introhelp", pack_format::kTextType, help));
    ASSERT_FALSE(help.lines.empty());
    for (const CStr& line : help.lines) {
        std::string folded(line.Chars());
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(folded.find("tax"), std::string::npos) << line.Chars();
    }
}

TEST_F(GameWindowsDataTest, TheNameAndMapOptionWindowsLookRight)
{
    CPlayerNameWnd names(nullptr, CStr("/Main/PlayerNameWnd"));
    PlayerRecord player;
    player.name = CStr("Lord Edric");
    names.Setup(player);
    names.Show(true, true);
    EXPECT_GT(names.Keyboard()->KeyCount(0), 5) << "the keyboard has its layout";
    // The space bar sits in the keyboard's last row, inside the keyboard.
    const PackedRect space = names.Keyboard()->SpaceButton()->GetNode()->screenRect;
    const PackedRect panel = names.Keyboard()->Panel()->Window()->GetNode()->screenRect;
    EXPECT_TRUE(space.Top() >= panel.Top() && space.Bottom() <= panel.Bottom());
    Shot("game_windows_player_name");
    names.Show(false, false);
    CMapPrefsWnd prefs(nullptr, CStr("/Map/MapWnd/MapPrefsWnd"));
    for (CWindow* child = prefs.GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        const PackedRect c = child->WindowRect();
        EXPECT_TRUE(c.Right() < prefs.ClientRect().Right() + prefs.ClientRect().Left() + 1) << c.Right();
    }
    prefs.Show(true, true);
    Shot("game_windows_map_prefs");
    const PackedRect& r = prefs.WindowRect();
    EXPECT_TRUE(r.Left() >= 0 && r.Top() >= 0 && r.Right() < 240 && r.Bottom() < 320);
}

}  // namespace
}  // namespace game_windows_test

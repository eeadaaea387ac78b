#include "tests/support/windows/game_windows_rig.h"

#include <filesystem>

#include "core/byte_stream.h"
#include "core/display_surface.h"
#include "core/font.h"
#include "core/four_cc.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/game_world.h"
#include "game/hall_of_fame.h"
#include "game/pack_access.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/ui_tree_writer.h"
#include "ui/skin.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

namespace game_windows_test {

namespace {

using Node = ui_tree_fixture::TreeNode;

std::vector<uint8_t> Img(const IndexedPicture& picture, bool transparent = false)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    return MustEncode(EncodeImage(picture, options));
}

// A control head: visible, anchor, x, y, width, height.
#define HEAD(v, x, y, w, h) v, 0, x, y, w, h

// The victory or defeat window under "/Map/MapWnd" with its four pages.
void StatisticsNodes(std::vector<Node>& tree, const char* name)
{
    const std::vector<Node> nodes = {
        {2, name, {HEAD(0, 0, 0, 240, 320), "", "", 15}},
        {3, "RtMessage", {HEAD(1, 10, 40, 220, 200), ""}},
        {3, "ScrStat", {HEAD(0, 4, 270, 120, 20), "%d", 1, 1, 1, 1, 1}},
        {3, "BtnExit", {HEAD(0, 150, 290, 80, 20), "", ""}},
        {3, "Page1", {HEAD(0, 0, 20, 240, 240)}},
        {4, "RtTurns", {HEAD(1, 4, 0, 230, 14), ""}},
        {4, "RtDifficulty", {HEAD(1, 4, 16, 230, 14), ""}},
        {4, "RtScore", {HEAD(1, 4, 32, 230, 14), ""}},
        {4, "RtHero", {HEAD(1, 4, 48, 230, 40), ""}},
        {3, "Page2", {HEAD(0, 0, 20, 240, 240)}},
        {4, "ResTaxes", {HEAD(1, 4, 0, 230, 16), "", 2, 1, 15, 1}},
        {4, "ResSpent", {HEAD(1, 4, 20, 230, 16), "", 2, 1, 15, 1}},
        {4, "RtStolen", {HEAD(1, 4, 40, 230, 14), 1, "GoldLine", 2, 15}},
        {4, "RtTheft", {HEAD(1, 4, 56, 230, 14), 1, "GoldLine", 2, 15}},
        {4, "ResFinal", {HEAD(1, 4, 72, 230, 16), "", 2, 1, 15, 1}},
        {3, "Page3", {HEAD(0, 0, 20, 240, 240)}},
        {4, "ArmyRecr", {HEAD(1, 4, 0, 230, 40), "", 2, 1, 30, 1}},
        {4, "ArmyJoin", {HEAD(1, 4, 44, 230, 40), "", 2, 1, 30, 1}},
        {4, "ArmyAssasin", {HEAD(1, 4, 88, 230, 40), "", 2, 1, 30, 1}},
        {4, "ArmyFinal", {HEAD(1, 4, 132, 230, 40), "", 2, 1, 30, 1}},
        {3, "Page4", {HEAD(0, 0, 20, 240, 240)}},
        {4, "RtTotalNum", {HEAD(1, 4, 0, 230, 14), ""}},
        {4, "RtVictNum", {HEAD(1, 4, 16, 230, 14), ""}},
        {4, "RtDeftNum", {HEAD(1, 4, 32, 230, 14), ""}},
        {4, "RtRetrNum", {HEAD(1, 4, 48, 230, 14), ""}},
        {4, "ArmyKilled", {HEAD(1, 4, 64, 230, 40), "", 2, 1, 30, 1}},
        {4, "ArmyLost", {HEAD(1, 4, 108, 230, 40), "", 2, 1, 30, 1}},
    };
    tree.insert(tree.end(), nodes.begin(), nodes.end());
}

std::vector<Node> Tree()
{
    std::vector<Node> tree = {
        {0, "Main", {}},
        {1, "MessageWnd", {60, 100, 150, 50}},
        {2, "Btn", {HEAD(1, 0, 0, 60, 20), "", ""}},
        {1, "PlayerNameWnd", {HEAD(0, 5, 40, 230, 220), "NameTitle", "", 15}},
        {2, "LblName", {HEAD(1, 5, 5, 120, 12), "EnterName", 2, 1, 15}},
        {2, "Name", {HEAD(1, 5, 20, 200, 12), "", 2, 1, 15}},
        {2, "BtnClear", {HEAD(1, 180, 5, 30, 12), "", ""}},
        {2, "Keyboard", {HEAD(1, 0, 40, 220, 100), "", "", 6}},
        {2, "BtnOk", {HEAD(1, 10, 170, 60, 20), "", ""}},
        {2, "BtnCancel", {HEAD(1, 120, 170, 60, 20), "", ""}},
        {1, "PickSlotWnd", {HEAD(0, 10, 40, 220, 230), "", "", 15}},
        {2, "RtSlotName", {HEAD(1, 5, 5, 200, 16), ""}},
        {2, "ImgLine", {HEAD(1, 5, 22, 200, 2), "", 1, 1}},
        {2, "RtSlotInfo", {HEAD(1, 5, 26, 200, 110), ""}},
        {2, "BtnDelete", {HEAD(1, 5, 140, 60, 20), "", ""}},
        {2, "ScrSlot", {HEAD(1, 70, 140, 130, 20), "%d", 1, 1, 1, 1, 1}},
        {2, "BtnOk", {HEAD(1, 10, 180, 60, 20), "", ""}},
        {2, "BtnCancel", {HEAD(1, 120, 180, 60, 20), "", ""}},
        {1, "HallOfFameWnd", {HEAD(0, 0, 0, 240, 320), "", "HofTitle", 15}},
        {2, "ScrDifficulty", {HEAD(1, 10, 20, 220, 20), "%d", 1, 1, 1, 1, 1}},
        {2, "ScrPage", {HEAD(1, 10, 290, 100, 20), "%d", 1, 1, 1, 1, 1}},
        {2, "BtnReturn", {HEAD(1, 160, 290, 70, 20), "", ""}},
        {2, "BtnClearResults", {HEAD(1, 120, 290, 30, 20), "", ""}},
        {2, "EHorzLine", {HEAD(1, 5, 0, 230, 2), "", 1, 1}},
        {2, "EPlrName", {HEAD(1, 5, 4, 150, 14), ""}},
        {2, "EMapName", {HEAD(1, 5, 20, 100, 14), ""}},
        {2, "EScore", {HEAD(1, 110, 20, 60, 14), ""}},
        {2, "ETurns", {HEAD(1, 170, 20, 60, 14), ""}},
        {2, "EBtnDetails", {HEAD(1, 180, 2, 50, 16), "", ""}},
        {0, "Map", {}},
        {1, "MiniMapTest", {HEAD(1, 20, 30, 0, 0), "/Scenarios/scenario01/Mission001/preview", 1, 1, "mmf"}},
        {1, "MiniMapTwin", {HEAD(1, 100, 30, 0, 0), "/Scenarios/scenario01/Mission001/preview", 1, 1, ""}},
        {1, "MiniMapEmpty", {HEAD(1, 20, 100, 40, 30), "Missing", 1, 1, "mmf"}},
        {1, "NewGameWnd", {HEAD(0, 0, 0, 240, 320), "NewGameTitle", "", 15}},
        {2, "MiniMap", {HEAD(1, 10, 20, 0, 0), "", 1, 1, "mmf"}},
        {2, "LblMission", {HEAD(1, 10, 60, 100, 12), "Mission", 2, 1, 15}},
        {2, "RtMissionName", {HEAD(1, 10, 74, 200, 14), ""}},
        {2, "LblDifficulty", {HEAD(1, 10, 100, 100, 12), "Difficulty", 2, 1, 15}},
        {2, "LblHumans", {HEAD(1, 10, 140, 100, 12), "Humans", 2, 1, 15}},
        {2, "LblMPMode", {HEAD(1, 10, 180, 100, 12), "PlayMode", 2, 1, 15}},
        {2, "BtnSelMiss", {HEAD(1, 150, 60, 70, 20), "", ""}},
        {2, "BtnStart", {HEAD(1, 10, 260, 80, 20), "", "", "Start", 15}},
        {2, "BtnMenu", {HEAD(1, 140, 260, 80, 20), "", "", "Menu", 15}},
        {2, "ScrDiff", {HEAD(1, 10, 114, 200, 20), "%d", 1, 1, 1, 1, 1}},
        {2, "ScrHumans", {HEAD(1, 10, 154, 200, 20), "%d", 1, 1, 1, 1, 1}},
        {2, "ScrMPMode", {HEAD(1, 10, 194, 200, 20), "%d", 1, 1, 1, 1, 1}},
        {2, "SelScenarioWnd", {HEAD(0, 0, 0, 240, 320), "SelTitle", "", 15}},
        {3, "FrameRight", {HEAD(1, 100, 0, 130, 260), "", "", 15}},
        {4, "RtMission", {HEAD(1, 0, 0, 130, 14), 1, "%s", 1, 15}},
        {4, "RtDifficulty", {HEAD(1, 0, 16, 130, 14), 1, "DiffLine", 1, 15}},
        {4, "RtProvinces", {HEAD(1, 0, 32, 130, 14), 1, "ProvLine", 1, 15}},
        {4, "RtPlayers", {HEAD(1, 0, 48, 130, 14), 1, "PlrLine", 1, 15}},
        {4, "MiniMap", {HEAD(1, 10, 70, 0, 0), "", 1, 1, ""}},
        {4, "BtnAuthor", {HEAD(1, 0, 100, 60, 16), "", ""}},
        {4, "RtDescr", {HEAD(1, 0, 120, 130, 100), ""}},
        {4, "BtnDescr", {HEAD(0, 70, 100, 60, 16), "", ""}},
        {3, "FrameLeft", {HEAD(1, 0, 0, 98, 260), "", "", 15}},
        {4, "BtnUp", {HEAD(1, 0, 0, 98, 16), "", ""}},
        {4, "MissionBtn", {HEAD(1, 0, 20, 98, 70), "", ""}},
        {4, "BtnDn", {HEAD(1, 0, 240, 98, 20), "", ""}},
        {3, "BtnOk", {HEAD(1, 10, 290, 60, 20), "", ""}},
        {3, "BtnCancel", {HEAD(1, 120, 290, 60, 20), "", ""}},
        {3, "MissionDescrWnd", {HEAD(0, 10, 20, 220, 260), "", "", 15}},
        {4, "Text", {HEAD(1, 0, 0, 200, 200), ""}},
        {4, "PageSelector", {HEAD(1, 0, 210, 100, 20), "%d", 1, 1, 1, 1, 1}},
        {4, "CloseBtn", {HEAD(1, 110, 210, 60, 20), "", "", "Close", 15}},
        {1, "MapWnd", {HEAD(1, 0, 0, 240, 320)}},
        {2, "RecruitWnd", {}},
        {3, "SquadDescrWnd", {HEAD(0, 20, 30, 200, 150), "", "", 15}},
        {2, "GameInfoWnd", {HEAD(0, 10, 20, 220, 260), "GameInfoTitle", "", 15}},
        {3, "RtHeroName", {HEAD(1, 4, 0, 200, 14), 1, "HeroLine", 2, 15}},
        {3, "RtHeroSkills", {HEAD(1, 4, 16, 200, 14), 1, "SkillsLine", 2, 15}},
        {3, "RtHeroExp", {HEAD(1, 4, 32, 200, 14), 1, "ExpLine", 2, 15}},
        {3, "RtDifficulty", {HEAD(1, 4, 48, 200, 14), 1, "DiffLine", 2, 15}},
        {3, "RtMission", {HEAD(1, 4, 64, 200, 14), 1, "%s", 2, 15}},
        {3, "BtnFullDescr", {HEAD(1, 4, 80, 40, 16), "", ""}},
        {3, "RtProvinces", {HEAD(1, 4, 100, 200, 14), 1, "ProvLine", 2, 15}},
        {3, "RtPlayers", {HEAD(1, 4, 116, 200, 14), 1, "PlrLine", 2, 15}},
        {3, "RtTurn", {HEAD(1, 4, 132, 200, 14), 1, "no number here", 2, 15}},
        {3, "BtnClose", {HEAD(1, 4, 200, 60, 20), "", ""}},
        {3, "MissionInfoWnd", {HEAD(0, 10, 20, 200, 240), "", "", 15}},
        {4, "Text", {HEAD(1, 0, 0, 190, 180), ""}},
        {4, "PageSelector", {HEAD(1, 0, 190, 100, 20), "%d", 1, 1, 1, 1, 1}},
        {4, "CloseBtn", {HEAD(1, 110, 190, 60, 20), "", "", "Close", 15}},
        {2, "CustPlrWnd", {HEAD(0, 0, 0, 240, 320), "", "", 15}},
        {3, "MiniMap", {HEAD(1, 0, 0, 0, 0), "", 1, 1, ""}},
        {3, "LblColor", {HEAD(1, 0, 40, 60, 14), "Colour", 2, 1, 15}},
        {3, "LblCapital", {HEAD(1, 0, 60, 60, 14), "Capital", 2, 1, 15}},
        {3, "LblHero", {HEAD(1, 0, 80, 60, 14), "Hero", 2, 1, 15}},
        {3, "LblHeroName", {HEAD(1, 60, 80, 120, 14), "", 2, 1, 15}},
        {3, "RtArmyUnits", {HEAD(1, 0, 100, 200, 14), 1, "ArmyLine", 2, 15}},
        {3, "ScrColor", {HEAD(1, 60, 40, 120, 20), "%d", 1, 1, 1, 1, 1}},
        {3, "IcoColor", {HEAD(1, 200, 40, 16, 14), "", 1, 1}},
        {3, "ScrCapital", {HEAD(1, 60, 60, 160, 20), "%d", 1, 1, 1, 1, 1}},
        {3, "RtSkills", {HEAD(1, 0, 116, 200, 14), 1, "SkillsLine", 2, 15}},
        {3, "Army", {HEAD(1, 0, 132, 220, 40), "", 2, 1, 30, 0}},
        {3, "BtnArmy1", {HEAD(1, 0, 180, 40, 30), "", ""}},
        {3, "BtnArmy2", {HEAD(1, 50, 180, 40, 30), "", ""}},
        {3, "BtnArmy3", {HEAD(1, 100, 180, 40, 30), "", ""}},
        {3, "BtnArmy4", {HEAD(1, 150, 180, 40, 30), "", ""}},
        {3, "BtnCustHero", {HEAD(1, 200, 80, 30, 16), "", ""}},
        {3, "BtnStart", {HEAD(1, 60, 280, 100, 20), "", "", "Start", 15}},
        {3, "CustSkillsWnd", {HEAD(0, 10, 40, 220, 200), "", "", 15}},
        {4, "LblName", {HEAD(1, 0, 0, 200, 14), "", 2, 1, 15}},
        {4, "LblHero", {HEAD(1, 0, 16, 100, 14), "Hero", 2, 1, 15}},
        {4, "LblSkills", {HEAD(1, 0, 32, 100, 14), "Skills", 2, 1, 15}},
        {4, "RtBattle", {HEAD(1, 0, 50, 60, 14), 1, "Battle", 2, 15}},
        {4, "ScrBattle", {HEAD(1, 70, 50, 120, 20), "%d", 1, 1, 1, 1, 1}},
        {4, "RtBuilder", {HEAD(1, 0, 74, 60, 14), 1, "Builder", 2, 15}},
        {4, "ScrBuilder", {HEAD(1, 70, 74, 120, 20), "%d", 1, 1, 1, 1, 1}},
        {4, "RtStealth", {HEAD(1, 0, 98, 60, 14), 1, "Stealth", 2, 15}},
        {4, "ScrStealth", {HEAD(1, 70, 98, 120, 20), "%d", 1, 1, 1, 1, 1}},
        {4, "RtPtLeft", {HEAD(1, 0, 122, 200, 14), 1, "LeftLine", 2, 15}},
        {4, "BtnOk", {HEAD(1, 10, 150, 60, 20), "", ""}},
        {4, "BtnCancel", {HEAD(1, 120, 150, 60, 20), "", ""}},
        {2, "MapPrefsWnd", {HEAD(0, 10, 40, 220, 200), "MapPrefsTitle", "", 15}},
        {3, "CbQuickBtls", {HEAD(1, 5, 5, 200, 16), "", "QuickBattles", 2, 15}},
        {3, "CbAutoTaxes", {HEAD(1, 5, 25, 200, 16), "", "AutoTaxes", 2, 15}},
        {3, "CbConfirms", {HEAD(1, 5, 45, 200, 16), "", "Confirms", 2, 15}},
        {3, "CbMovingFlag", {HEAD(1, 5, 65, 200, 16), "", "MovingFlag", 2, 15}},
        {3, "CbReport", {HEAD(1, 5, 85, 200, 16), "", "TurnReport", 2, 15}},
        {3, "BtnOk", {HEAD(1, 10, 150, 60, 20), "", ""}},
        {3, "BtnCancel", {HEAD(1, 120, 150, 60, 20), "", ""}},
    };
    for (const char* name : {"VictoryWnd", "DefeatWnd"})
        StatisticsNodes(tree, name);
    return tree;
}

#undef HEAD

const char* kLocale =
    "Easy=Easy\r\nNormal=Normal\r\nHard=Hard\r\nExpert=Expert\r\nAverage=Average\r\nHotseat=Hotseat\r\n"
    "DiffLine=Difficulty: %s\r\nProvLine=Provinces: %d\r\nPlrLine=Players: %d\r\n"
    "Author=Author: %s\r\nAuthorNotes=Notes: %s\r\nError=Error\r\n"
    "NewGame=New game\r\nResumeGame=Resume game\r\nSlotName=Slot %d\r\nSlotError=Cannot read\r\n"
    "SlotEmpty=Empty\r\nSlotInvalid=Damaged\r\nOverwriteSlotM=Lose it?\r\n"
    "OverwriteDamagedSlotM=Cannot be read. Lose it?\r\nNotSavedHallOfFameM=Not written into the hall of "
    "fame\r\nSIMission=Mission: %s{br}\r\nSIDifficulty=Difficulty: "
    "%s{br}\r\n"
    "SITurn=Turn: %d{br}\r\nSIHeroName=Hero: %s{br}\r\nSIHeroSkills=Skills: %d/%d/%d\r\nSIPlayers=Players: "
    "%d\r\n"
    "HOFScore=Score %d\r\nHOFTurns=%d turns\r\nNoHOFEntry=%d. ---\r\n"
    "RtStatTurns=Turns: %d\r\nRtStatDiff=Difficulty: %s\r\nRtStatScore=Score: %d\r\n"
    "RtStatHero=%s: %d/%d/%d, level %d (%d)\r\nRtTotalNum=Battles: %d\r\nRtVictNum=Won: %d\r\n"
    "RtDeftNum=Lost: %d\r\nRtRetrNum=Retreats: %d\r\nPlrWndTitle=Player %d\r\n"
    "HeroLine=Hero %s\r\nSkillsLine=%d/%d/%d\r\nExpLine=Exp %d\r\nGoldLine=%d gold\r\nLeftLine=Left %d\r\n";

// Province pixels for six provinces, then the map's own colours.
IndexedPicture Preview()
{
    IndexedPicture p;
    p.width = kPreviewWidth;
    p.height = kPreviewHeight;
    p.pixels.resize(static_cast<size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            p.pixels[static_cast<size_t>(y) * p.width + x] = PreviewPixel(x, y);
    return p;
}

struct PlayerSetup {
    const char* name;
    uint8_t assignment;
    uint8_t capital;
};

std::vector<uint8_t> WorldBytes(const std::vector<PlayerSetup>& players, const std::vector<int>& owners,
                                const char* worldName)
{
    CGameWorld world;
    SetActiveWorld(&world);
    world.name = CStr(worldName);
    world.kinds = {FourCC("gold"), FourCC("metl"), FourCC("ston")};
    world.slotCount = 2;
    world.SetPlayerCount(static_cast<int>(players.size()));
    for (size_t i = 0; i < players.size(); ++i) {
        PlayerRecord& p = world.Player(static_cast<int>(i));
        p.playerId = static_cast<uint8_t>(i);
        p.capital = players[i].capital;
        p.assignment = players[i].assignment;
        p.skills[0] = static_cast<uint8_t>(1 + i);
        p.skills[1] = 2;
        p.skills[2] = static_cast<uint8_t>(3 - i % 3);
        p.slotTypes = {CStr(i == 1 ? "Bow" : "Pike"), CStr(i == 1 ? "Pike" : "Bow")};
        p.army.definitionCounts.SetSize(2);
        p.army.definitionCounts[0] = static_cast<int32_t>(10 + i);
        p.army.definitionCounts[1] = static_cast<int32_t>(5 + i);
        p.startingResources = {500, 100, 50};
        p.name = CStr(players[i].name);
        p.hero.name = p.name;
    }
    world.SetProvinceCount(static_cast<int>(owners.size()));
    static const char* const kNames[] = {"Ashfold", "Brackwater", "Cinderfen", "Dunmere", "Eldham", "Fallow"};
    for (size_t i = 0; i < owners.size(); ++i) {
        ProvinceRecord& p = world.Province(static_cast<int>(i));
        p.incomeBytes = {10, 2, 1};
        p.name = CStr(kNames[i % 6]);
        p.rect[0] = static_cast<int16_t>(i * 40);
        p.rect[1] = 0;
        p.rect[2] = static_cast<int16_t>(i * 40 + 39);
        p.rect[3] = 39;
        p.points[0] = static_cast<int16_t>(i * 40 + 20);
        p.points[1] = 10;
        p.points[2] = static_cast<int16_t>(i * 40 + 20);
        p.points[3] = 30;
        const int owner = owners[i];
        p.ownerId = owner < 0 ? ProvinceRecord::kNoOwnerInFile : static_cast<uint8_t>(owner);
        p.garrisonFlag = owner < 0 ? 0 : 1;
        p.garrison.definitionCounts.SetSize(2);
        p.garrison.definitionCounts[0] = owner < 0 ? 0 : static_cast<int32_t>(3 + i);
        p.garrison.definitionCounts[1] = owner < 0 ? 0 : (i == 5 ? -4 : 2);
        for (const PlayerSetup& setup : players) {
            if (setup.capital == i) {
                p.castleFlag = 1;
                p.castle.percent = 100;
            }
        }
        if (i > 0) {
            p.neighbours.push_back(static_cast<uint8_t>(i - 1));
            world.Province(static_cast<int>(i - 1)).neighbours.push_back(static_cast<uint8_t>(i));
        }
    }
    world.AfterLoad();
    world.BeforeSave();
    CSizeCounter counter;
    counter.SetVersion(9);
    world.Stream(counter);
    std::vector<uint8_t> bytes(counter.Capacity());
    CStreamWriter writer(bytes.data(), static_cast<uint32_t>(bytes.size()));
    writer.SetVersion(9);
    world.Stream(writer);
    SetActiveWorld(nullptr);
    return bytes;
}

// The mission's names: its title, then one line per player and province.
std::string MissionText(const std::string& title, const std::vector<PlayerSetup>& players, size_t provinces)
{
    static const char* const kNames[] = {"Ashfold", "Brackwater", "Cinderfen", "Dunmere", "Eldham", "Fallow"};
    std::string text = title + "\r\n";
    for (const PlayerSetup& player : players)
        text += std::string(player.name) + "\r\n";
    for (size_t i = 0; i < provinces; ++i)
        text += std::string(kNames[i % 6]) + "\r\n";
    return text;
}

void AddMission(PackWriter& pack, const std::string& folder, const std::vector<uint8_t>& world,
                const std::string& title, bool author, bool notes, const std::string& names = std::string())
{
    EXPECT_TRUE(pack.AddFile(folder + "/mission", "dat", world));
    EXPECT_TRUE(pack.AddText(folder + "/mission", "txt", names.empty() ? title + "\r\n" : names));
    EXPECT_TRUE(pack.AddText(folder + "/shortdescr", "txt", "About " + title + "."));
    EXPECT_TRUE(pack.AddText(folder + "/victory", "txt", "You won " + title + "."));
    EXPECT_TRUE(pack.AddText(folder + "/defeat", "txt", "You lost " + title + "."));
    EXPECT_TRUE(pack.AddFile(folder + "/preview", "img", Img(Preview())));
    if (author) {
        EXPECT_TRUE(pack.AddText(folder + "/author", "txt", "Mira"));
    }
    if (notes) {
        EXPECT_TRUE(pack.AddText(folder + "/authnotes", "txt", "Play fair"));
    }
}

CSquadType* MakeType(const char* id)
{
    auto* type = new CSquadType;
    type->typeId = CStr(id);
    type->name = CStr(id);
    type->hp = 5;
    type->moveSpeed = 1;
    return type;
}

}  // namespace

uint8_t PreviewPixel(int x, int y)
{
    if (y == 0)
        return 250;
    if (y == kPreviewHeight - 1 && x == 0)
        return 254;
    if (y == kPreviewHeight - 1 && x == 1)
        return 255;
    return static_cast<uint8_t>(x / 4);
}

void GameWindowsRig::SetUp()
{
    UiRig::SetUp();
    PackWriter pack(100);
    std::vector<uint8_t> pool, table;
    ui_tree_fixture::WriteUiTree(Tree(), pool, table);
    ASSERT_TRUE(pack.AddFile("UI/test", "uit", pool));
    ASSERT_TRUE(pack.AddFile("UI/test", "uib", table));
    ASSERT_TRUE(pack.AddText("Locale/locale", "txt", kLocale));
    // Mini-map pictures: capital and castle marks, a frame skin 2 pixels wide.
    ASSERT_TRUE(pack.AddFile("Images/Map/MapMiniCapital", "img", Img(SolidPicture(3, 3, 40))));
    ASSERT_TRUE(pack.AddFile("Images/Map/MapMiniCastle", "img", Img(SolidPicture(3, 3, 41))));
    const char* parts[] = {"frame_ul", "frame_u",  "frame_ur", "frame_l",
                           "frame_r",  "frame_dl", "frame_d",  "frame_dr"};
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(pack.AddFile(std::string("Skin/mmf/") + parts[i], "img",
                                 Img(SolidPicture(2, 2, static_cast<uint8_t>(30 + i)))));
    for (int i = 1; i <= 6; ++i)
        ASSERT_TRUE(pack.AddFile("Images/Icons/Flag" + std::to_string(i), "img",
                                 Img(SolidPicture(8, 6, static_cast<uint8_t>(200 + i)))));
    const std::vector<PlayerSetup> reedwater = {{"Aldra", 0, 0}, {"Borun", 200, 2}, {"Corvin", 1, 4}};
    const std::vector<PlayerSetup> fords = {{"Dagny", 0, 0}, {"Edric", 0, 1}};
    const std::vector<PlayerSetup> shore = {{"Fenna", 0, 0}};
    AddMission(pack, "Scenarios/scenario01/Mission001",
               WorldBytes(reedwater, {0, 0, 1, -1, 2, 1}, "Reedwater"), "Reedwater", true, true,
               MissionText("Reedwater", reedwater, 6));
    AddMission(pack, "Scenarios/scenario01/Mission002", WorldBytes(fords, {0, 1, -1}, "Twin Fords"),
               "Twin Fords", false, false, MissionText("Twin Fords", fords, 3));
    AddMission(pack, "Scenarios/scenario01/Mission003", {1, 2, 3}, "Broken", false, true);
    AddMission(pack, "Scenarios/scenario02/Mission001", WorldBytes(shore, {0, -1}, "Far Shore"), "Far Shore",
               true, false, MissionText("Far Shore", shore, 2));
    m_data.AddPack("app", pack);
    ASSERT_TRUE(m_data.Mount());
    ASSERT_TRUE(CPathMgr::Init());
    ASSERT_TRUE(CUIMgr::Init());
    ASSERT_TRUE(CUIMgr::LoadUiTree("test"));
    m_font = MustEncode(EncodeFont(PatternFont(10, 32, 95, 6, 1)));
    FontData font;
    ASSERT_TRUE(font.Assign(m_font.data(), static_cast<uint32_t>(m_font.size())));
    ClearFontList();
    RegisterFont(font);
    FreeSquadTypes();
    RegisterSquadType(MakeType("Pike"));
    RegisterSquadType(MakeType("Bow"));
    ASSERT_TRUE(Map::CSrenarionMgr::Init());
    // A palette in which the mini-map's colours stand out in the shots.
    uint8_t rgb[768];
    for (int i = 0; i < 256; ++i) {
        rgb[i * 3] = static_cast<uint8_t>(i);
        rgb[i * 3 + 1] = static_cast<uint8_t>(255 - i);
        rgb[i * 3 + 2] = static_cast<uint8_t>((i * 7) & 0xFF);
    }
    SetDisplayPalette(rgb);
}

void GameWindowsRig::TearDown()
{
    CWindowMgr::Shutdown();
    Map::CSrenarionMgr::Clear();
    FreeHallOfFame();
    FreeSquadTypes();
    ClearSkinCache();
    ClearFontList();
    SetToolkitHooks({});
    CUIMgr::Shutdown();
    CPathMgr::Shutdown();
    UiRig::TearDown();
}

namespace {
class ScriptHook : public FrameHook {
public:
    explicit ScriptHook(std::vector<std::function<void()>> steps, int* frames)
        : m_steps(std::move(steps)), m_frames(frames)
    {}
    void OnFrame() override
    {
        if (CWindowMgr::IsUp())
            CWindowMgr::ProcessEvents();
        const size_t step = m_next++;
        ++*m_frames;
        if (step < m_steps.size() && m_steps[step])
            m_steps[step]();
        if (CWindowMgr::IsUp())
            CWindowMgr::ProcessEvents();
        // A script that ran out leaves the run to end by quitting, so a test
        // that waits for a window that never closes fails instead of hanging.
        if (step >= m_steps.size() + 50)
            QuitFlag = 1;
    }

private:
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
    int* m_frames;
};
}  // namespace

void GameWindowsRig::Script(std::vector<std::function<void()>> steps)
{
    SetFrameHook(new ScriptHook(std::move(steps), &m_frames));
}

void GameWindowsRig::TapWindow(CWindow* window)
{
    ASSERT_NE(window, nullptr);
    const PackedRect r = window->GetNode()->screenRect;
    const PackedPoint p((r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2);
    PenDownSignal.FirePoint(p);
    PenUpSignal.FirePoint(p);
    CWindowMgr::ProcessEvents();
}

bool GameWindowsRig::LoadMissionWorld(int scenario, int mission, CGameWorld& world)
{
    const CStr path = CStr::Concat(Map::CSrenarionMgr::MissionPath(scenario, mission), CStr("/mission"));
    if (!world.LoadPreview(path))
        return false;
    SetActiveWorld(&world);
    // The names live in the mission's text, as a new game reads them.
    return world.AfterLoad() && LoadMissionTexts(world, Map::CSrenarionMgr::MissionPath(scenario, mission));
}

uint8_t GameWindowsRig::ScreenPixel(int x, int y)
{
    const SurfaceDesc& surface = m_display.ScreenContext()->Surface();
    return surface.pixels[y * surface.pitch + x];
}

}  // namespace game_windows_test

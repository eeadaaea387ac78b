#pragma once
// The data set of the map dialogs' tests: the UI tree and the pictures.

#include <string>
#include <vector>

#include "tests/mapdialogs/dialog_rig.h"

namespace dialog_test {

inline std::vector<uint8_t> Img(const IndexedPicture& picture)
{
    return MustEncode(EncodeImage(picture, {}));
}

// Castle pictures: name, width, height (all 16 high but the status ones).
struct PictureSize {
    const char* name;
    uint16_t width;
    uint16_t height;
};
inline const std::vector<PictureSize>& CastlePictures()
{
    static const std::vector<PictureSize> sizes = {
        {"Castle", 20, 18},       {"Capital", 22, 18},      {"CastleMoat", 24, 18},
        {"CapitalMoat", 26, 18},  {"CastleOps", 20, 18},    {"CastleCatap1", 12, 16},
        {"CastleCatap2", 13, 16}, {"CastleCatap3", 14, 16}, {"CastleCatap4", 15, 16},
        {"CastleFWall", 16, 16},  {"CastleMarket", 10, 16}, {"CastleTavern", 11, 16},
        {"CastleBank", 17, 16},   {"CastleGuard1", 10, 16}, {"CastleGuard2", 10, 16},
        {"CastleGuard3", 10, 16}, {"CastleGuard4", 10, 16}, {"CaslMtlMine", 18, 16},
        {"CaslStnMine", 19, 16},
    };
    return sizes;
}

inline void AddDialogArt(PackWriter& pack)
{
    uint8_t colour = 40;
    for (const PictureSize& p : CastlePictures()) {
        const std::string name = p.name;
        pack.AddFile("Images/Icons/" + name, "img", Img(SolidPicture(p.width, p.height, colour)));
        pack.AddFile("Images/Icons/" + name + "Big", "img", Img(SolidPicture(30, 30, colour)));
        pack.AddFile("Images/Btn/" + name, "img", Img(SolidPicture(24, 20, colour)));
        ++colour;
    }
    for (const char* kind : {"golds", "metls", "stons"}) {
        pack.AddFile(std::string("Images/Icons/") + kind, "img", Img(SolidPicture(8, 8, colour++)));
    }
    pack.AddFile("Images/Icons/MenuLine", "img", Img(SolidPicture(60, 4, 90)));
    // The castle panel's two button skins: live and not affordable.
    for (const char* skin : {"CastleBtn", "CastleBtnDis"}) {
        const std::string folder = std::string("Skin/") + skin;
        const uint8_t c = skin[9] == 0 ? 100 : 110;
        pack.AddFile(folder + "/btn_l", "img", Img(SolidPicture(4, 34, c)));
        pack.AddFile(folder + "/btn_c", "img", Img(SolidPicture(4, 34, static_cast<uint8_t>(c + 1))));
        pack.AddFile(folder + "/btn_r", "img", Img(SolidPicture(4, 34, static_cast<uint8_t>(c + 2))));
    }
    pack.AddFile("Sounds/new_turn", "wav", ToneWav(100));
}

inline std::vector<Node> CastleWorkNodes(const std::string& name, const std::vector<std::string>& controls)
{
    std::vector<Node> nodes{Frame(2, name)};
    for (const std::string& c : controls) {
        if (c == "IcoBg")
            nodes.push_back(Icon(3, c, 0, 0, "CastleOps"));
        if (c == "ResCost")
            nodes.push_back(Res(3, c, 10, 10));
        if (c == "ResGain")
            nodes.push_back(Res(3, c, 10, 30));
        if (c == "LblResGain")
            nodes.push_back(Label(3, c, 10, 10));
        if (c == "RtDescr") {
            nodes.push_back(
                Text(3, c, 10, 30, {"market", "tavern", "bank", "guild", "metal mine", "stone mine"}));
        }
        if (c == "RtMessage")
            nodes.push_back(
                Text(3, c, 10, 50, {name == "DemolishCastleWnd" ? "Tear it down?" : "Takes %d turns"}));
        if (c == "RtCaption")
            nodes.push_back(Text(3, c, 10, 50, {"Mend %d%% in %d turns"}));
        if (c == "RtAmount")
            nodes.push_back(Text(3, c, 10, 50, {"Castle at %d%%"}));
        if (c == "RtResLeft") {
            if (name == "AddBuildingWnd") {
                nodes.push_back(
                    Text(3, c, 10, 70,
                         {"Left:", "no market", "no tavern", "no bank", "no guild", "no metal", "no stone"}));
            } else {
                nodes.push_back(Text(3, c, 10, 70, {"Left:", "Too poor"}));
            }
        }
        if (c == "ResLeft")
            nodes.push_back(Res(3, c, 10, 90));
        if (c == "BtnOk")
            nodes.push_back(Button(3, c, 10, 180));
        if (c == "BtnCancel")
            nodes.push_back(Button(3, c, 120, 180));
    }
    return nodes;
}

inline std::vector<Node> DialogTree()
{
    std::vector<Node> t = {
        {0, "Map", {}},
        {1, "MapWnd", {}},
        // Menus: head, title, skin, title colour; settings; items.
        {2, "TestMenu", {0, 11, 0, 0, 120, 10, "", "", 0}},
        {3, "MenuSettings", {15, 14, 7, 7, 2, 10, 20}},
        {3, "MenuItem", {1, 2, "Reports"}},
        {3, "MenuItem", {2, "/Images/Icons/MenuLine"}},
        {3, "MenuItem", {1, 6, "Info"}},
        {3, "MenuItem", {1, 8, "End"}},
        {2, "PlainMenu", {0, 11, 0, 0, 100, 10, "", "", 0}},
        {3, "MenuItem", {1, 1, "One"}},
        {3, "MenuItem", {1, 4, "Four"}},
        // Castle controls: head, no-castle text, row break, alignments.
        {2, "CastleCtrl", {1, 0, 10, 10, 200, 24, "NoCastleHere", 0, 2, 2}},
        {2, "CastleRows", {1, 0, 10, 40, 200, 44, "NoCastleHere", 1, 2, 2}},
    };
    auto add = [&t](const std::vector<Node>& nodes) { t.insert(t.end(), nodes.begin(), nodes.end()); };
    const std::vector<std::string> work = {"ResCost", "RtDescr", "RtMessage", "RtResLeft",
                                           "ResLeft", "BtnOk",   "BtnCancel"};
    add(CastleWorkNodes("BuildCastleWnd",
                        {"IcoBg", "ResCost", "RtMessage", "RtResLeft", "ResLeft", "BtnOk", "BtnCancel"}));
    add(CastleWorkNodes("CompleteCastleWnd",
                        {"RtCaption", "ResCost", "RtResLeft", "ResLeft", "BtnOk", "BtnCancel"}));
    add(CastleWorkNodes("RepairCastleWnd",
                        {"RtAmount", "ResCost", "RtResLeft", "ResLeft", "BtnOk", "BtnCancel"}));
    for (const char* name : {"DigMoatWnd", "AddCatapultWnd", "AddWallsWnd", "AddBuildingWnd"})
        add(CastleWorkNodes(name, work));
    add(CastleWorkNodes("DemolishCastleWnd", {"LblResGain", "ResGain", "RtMessage", "BtnOk", "BtnCancel"}));
    add({
        {2, "PrepTrebWnd", {0, 11, 0, 0, 200, 220, "", "", 0}},
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Res(3, "ResCost", 10, 10),
        Text(3, "RtDescr", 10, 30, {"A siege engine"}),
        Text(3, "RtResLeft", 10, 70, {"Left:", "Too poor"}),
        Res(3, "ResLeft", 10, 90),
        Button(3, "BtnOk", 10, 180),
        Button(3, "BtnCancel", 120, 180),
        Frame(2, "NERWnd"),
        Res(3, "ResCost", 10, 10),
        Text(3, "RtMessage", 10, 40, {"No assassins", "No robbers", "No scouts"}),
        Button(3, "BtnClose", 70, 180),
    });
    // The castle panel: its state line, the operation and work buttons.
    add({
        Frame(2, "CastleInfoWnd", 220, 230),
        Text(3, "RtState", 10, 0,
             {"Building %d%%", "Repairing %d%%", "Completing %d%%", "Damaged %d%%", "Standing %d%%",
              "Works %d turns"}),
        Label(3, "LblUpgrades", 10, 16),
    });
    const struct {
        const char* name;
        int x, y;
    } buttons[] = {{"BtnComplete", 10, 30}, {"BtnFastRpr", 80, 30},   {"BtnDemolish", 150, 30},
                   {"BtnMoat", 10, 60},     {"BtnCatapult", 60, 60},  {"BtnFWalls", 110, 60},
                   {"BtnMarkt", 10, 100},   {"BtnTavrn", 60, 100},    {"BtnBank", 110, 100},
                   {"BtnGuild", 160, 100},  {"BtnMetlMine", 10, 140}, {"BtnStonMine", 60, 140}};
    for (const auto& b : buttons) {
        t.push_back(Button(3, b.name, b.x, b.y, 44, 34));
        t.push_back({4, "Hint_", {std::string("Hint") + b.name}});
    }
    t.push_back(Button(3, "BtnExit", 120, 190));
    // The covert operations.
    auto question = [&](const std::string& name, bool province) {
        t.push_back(Frame(2, name));
        t.push_back(Icon(3, "IcoBg", 0, 0, "CastleOps"));
        if (province)
            t.push_back(Text(3, "RtProvince", 10, 10, {"Province %s"}));
        t.push_back(Text(3, "RtPlayer", 10, 26, {"Lord %s"}));
        t.push_back(Label(3, "LblRaiders", 10, 42));
        t.push_back(Icon(3, "IcoRaiders", 90, 42, "CastleCatap1"));
        t.push_back(Scroller(3, "ScrRaiders", 10, 62));
        t.push_back(Label(3, "LblChance", 10, 82));
        t.push_back(Text(3, "RtChance", 10, 96, {"%d%% with %d"}));
        t.push_back(Label(3, "LblCost", 10, 112));
        t.push_back(Text(3, "RtCost", 10, 126, {"%d gold"}));
        t.push_back(Label(3, "LblTreasury", 10, 142));
        t.push_back(Res(3, "ResTreasury", 10, 156));
        t.push_back(Button(3, "BtnOk", 10, 180));
        t.push_back(Button(3, "BtnCancel", 120, 180));
    };
    question("DeceaseWnd", true);
    question("RobberyWnd", false);
    add({
        Frame(2, "ScoutWnd"),
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Text(3, "RtProvince", 10, 10, {"Province %s"}),
        Label(3, "LblOwner", 10, 26),
        Text(3, "RtPlayer", 10, 40, {"Lord %s"}),
        Text(3, "RtChance", 10, 60, {"%d%% chance"}),
        Label(3, "LblCost", 10, 80),
        Text(3, "RtCost", 10, 96, {"%d gold"}),
        Button(3, "BtnOk", 10, 180),
        Button(3, "BtnCancel", 120, 180),
        Frame(2, "DeceaseFailureWnd"),
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Text(3, "RtMessage", 10, 40, {"The attempt failed"}),
        Frame(2, "DeceaseSuccessWnd"),
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Text(3, "RtDeceaseProvince", 10, 10, {"In %s"}),
        Label(3, "LblEnemyLost", 10, 30),
        {3, "EnemyArmy", {1, 0, 10, 46, 180, 40}},
        Text(3, "RtIncomeMsg", 10, 100, {"Their income drops"}),
        Text(3, "RtExp", 10, 120, {"+%d experience"}),
        Frame(2, "RobberyEmptyWnd"),
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Text(3, "RtMessage", 10, 40, {"%s has nothing"}),
        Frame(2, "RobberyFailureWnd"),
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Text(3, "RtMessage", 10, 40, {"The raiders were caught"}),
        Frame(2, "RobberySuccessWnd"),
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Text(3, "RtMessage", 10, 40, {"%d gold from %s"}),
        Text(3, "RtExp", 10, 60, {"+%d experience"}),
        Frame(2, "ScoutFailureWnd"),
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Text(3, "RtProvince", 10, 10, {"%s is watchful"}),
        Text(3, "RtMessage", 10, 40, {"Our scouts failed"}),
        Frame(2, "ScoutSuccessWnd"),
        Icon(3, "IcoBg", 0, 0, "CastleOps"),
        Text(3, "RtProvince", 10, 10, {"%s seen"}),
        Text(3, "RtScoutInfo", 10, 26, {"Their forces"}),
        Label(3, "LblGuardianArmy", 10, 42),
        {3, "GuardianArmy", {1, 0, 10, 56, 180, 40}},
        Label(3, "LblCastle", 10, 100),
        {3, "CastleCtrl", {1, 0, 10, 116, 180, 24, "NoCastleHere", 0, 2, 2}},
    });
    return t;
}

}  // namespace dialog_test

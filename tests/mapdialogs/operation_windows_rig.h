#pragma once
// The rig of the operation windows: the controls rig with a small UI
// tree holding the layouts of the windows (under "/Map/MapWnd" as the game
// has them), their skins, icons, unit pictures, sounds and locale texts, all
// written in code. Windows are driven through the pen as a player would,
// and modal runs through a step script.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ui_mgr.h"
#include "tests/support/screen/controls_rig.h"
#include "ui/value_scroller.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace operation_windows_test {

using controls_test::TreeNode;
using controls_test::TreeValue;

// A layout record: visible, anchor, x, y, width, height.
inline std::vector<TreeValue> L(int x, int y, int w, int h, std::vector<TreeValue> rest = {}, int visible = 1,
                                int anchor = 0)
{
    std::vector<TreeValue> v{visible, anchor, x, y, w, h};
    v.insert(v.end(), rest.begin(), rest.end());
    return v;
}

// The windows' layouts. Frame windows: title key, skin, title colour.
// Labels: text key, alignments, colour. Value scrollers: format and the
// five parts. Text controls: count, strings, alignment, colour. Buttons:
// picture, skin. Extended buttons: picture, caption, skin. Scroll bars:
// skin, orientation, button mode, ticks, min, max, step, page. Resource
// rows: caption, alignments, colour, zero amounts shown. Icons: picture,
// alignments. Check boxes: skin, caption, alignment, colour.
inline std::vector<TreeNode> OperationWindowsTree()
{
    const std::vector<TreeValue> kFrame{"", "frm", 1};
    auto frame = [](const char* title) { return std::vector<TreeValue>{title, "frm", 1}; };
    auto label = [](const char* key) { return std::vector<TreeValue>{key, 1, 1, 8}; };
    auto rt1 = [](const char* key) { return std::vector<TreeValue>{1, key, 1, 8}; };
    const std::vector<TreeValue> kScroller{"%d", 1, 1, 1, 1, 1};
    const std::vector<TreeValue> kOk{"", "btn"};
    return {
        {0, "Main", {}},
        {1, "MessageWnd", {70, 120, 150, 50}},
        {2, "Btn", L(0, 0, 60, 24, kOk, 1, 9)},
        {0, "Map", {}},
        {1, "MapWnd", {}},
        {2, "TaxesWnd", L(20, 60, 200, 150, frame("TaxesT"))},
        {3, "LblTaxRate", L(10, 4, 180, 12, label("TaxRate"))},
        {3, "ScrTaxRate", L(10, 18, 180, 16, kScroller)},
        {3, "LblTotalIncome", L(10, 40, 90, 12, label("TotalIncome"))},
        {3, "RtTotalIncome", L(100, 40, 90, 12, rt1("fmtIncome"))},
        {3, "LblSatisfRate", L(10, 56, 90, 12, label("Satisfaction"))},
        {3, "RtSatisfRate", L(100, 56, 90, 12, rt1("fmtSatisf"))},
        {3, "BtnOk", L(20, 100, 60, 20, kOk)},
        {3, "BtnCancel", L(110, 100, 60, 20, kOk)},

        {2, "TradingWnd", L(10, 20, 220, 280, frame("TradingT"))},
        {3, "LblYou", L(4, 2, 100, 12, label("You"))},
        {3, "LblTrade", L(104, 2, 100, 12, label("Trade"))},
        {3, "LblMarket", L(4, 16, 200, 12, label("Market"))},
        {3, "BtnResL1", L(4, 30, 100, 22, {"", "", "btn"})},
        {3, "BtnResL2", L(4, 54, 100, 22, {"", "", "btn"})},
        {3, "BtnResL3", L(4, 78, 100, 22, {"", "", "btn"})},
        {3, "BtnResR1", L(108, 30, 100, 22, {"", "", "btn"})},
        {3, "BtnResR2", L(108, 54, 100, 22, {"", "", "btn"})},
        {3, "BtnResR3", L(108, 78, 100, 22, {"", "", "btn"})},
        {3, "FrameWnd", L(4, 104, 204, 100, kFrame)},
        {4, "RtTradingIcon", L(4, 4, 196, 14, rt1("fmtTradeNow"))},
        {4, "ScrTrading", L(4, 24, 196, 16, {"sbh", 1, 3, 0, 0, 10, 1, 1})},
        {4, "RtTradingCost", L(4, 46, 196, 14, rt1("fmtTradeRate"))},
        {4, "BtnAccept", L(60, 70, 80, 20, kOk)},
        {3, "ResTreasury", L(4, 210, 204, 14, {"", 1, 1, 8, 1})},
        {3, "BtnOk", L(20, 232, 60, 20, kOk)},
        {3, "BtnCancel", L(120, 232, 60, 20, kOk)},

        {2, "TransferWnd", L(10, 20, 220, 280, frame("TransferT"))},
        {3, "RtCampaign", L(4, 2, 100, 14, rt1("fmtCampaign"))},
        {3, "RtGuardian", L(110, 2, 100, 14, rt1("Guardian"))},
        {3, "BtnSquadL1", L(4, 20, 60, 30, {"", "", "btn"})},
        {3, "BtnSquadL2", L(4, 60, 60, 30, {"", "", "btn"})},
        {3, "BtnSquadL3", L(4, 100, 60, 30, {"", "", "btn"})},
        {3, "BtnSquadL4", L(4, 140, 60, 30, {"", "", "btn"})},
        {3, "BtnSquadR1", L(146, 20, 60, 30, {"", "", "btn"})},
        {3, "BtnSquadR2", L(146, 60, 60, 30, {"", "", "btn"})},
        {3, "BtnSquadR3", L(146, 100, 60, 30, {"", "", "btn"})},
        {3, "BtnSquadR4", L(146, 140, 60, 30, {"", "", "btn"})},
        {3, "FrameWnd", L(66, 18, 78, 156, kFrame)},
        {3, "ScrTransfer1", L(68, 28, 74, 16, {"sbh", 1, 3, 0, 0, 10, 1, 1})},
        {3, "ScrTransfer2", L(68, 68, 74, 16, {"sbh", 1, 3, 0, 0, 10, 1, 1})},
        {3, "ScrTransfer3", L(68, 108, 74, 16, {"sbh", 1, 3, 0, 0, 10, 1, 1})},
        {3, "ScrTransfer4", L(68, 148, 74, 16, {"sbh", 1, 3, 0, 0, 10, 1, 1})},
        {3, "BtnOk", L(20, 232, 60, 20, kOk)},
        {3, "BtnCancel", L(120, 232, 60, 20, kOk)},
        {3, "ImgRevolt", L(96, 200, 16, 16, {"revolt", 1, 1})},

        {2, "SkillsWnd", L(20, 40, 200, 240, frame("SkillsT"))},
        {3, "RtHero", L(4, 2, 180, 14, rt1("fmtHero"))},
        {3, "RtLevel", L(4, 18, 180, 14, rt1("fmtLevel"))},
        {3, "RtExp", L(4, 34, 180, 14, rt1("fmtExp"))},
        {3, "RtBattle", L(4, 52, 180, 14, rt1("Battle"))},
        {3, "ScrBattle", L(4, 68, 180, 16, kScroller)},
        {3, "RtBuilder", L(4, 88, 180, 14, rt1("Builder"))},
        {3, "ScrBuilder", L(4, 104, 180, 16, kScroller)},
        {3, "RtStealth", L(4, 124, 180, 14, rt1("Stealth"))},
        {3, "ScrStealth", L(4, 140, 180, 16, kScroller)},
        {3, "RtPtLeft", L(4, 160, 180, 14, rt1("fmtPoints"))},
        {3, "BtnOk", L(20, 190, 60, 20, kOk)},
        {3, "BtnCancel", L(110, 190, 60, 20, kOk)},

        {2, "ReportWnd", L(10, 10, 220, 300, frame("ReportT"))},
        {3, "ScrPages", L(10, 250, 120, 16, kScroller)},
        {3, "BtnOk", L(140, 250, 60, 20, kOk)},
        {3, "Messages", L(4, 4, 200, 236, {"rep"})},

        {2, "GamePrefsWnd", L(20, 40, 200, 240, frame("GamePrefsT"))},
        {3, "CbSounds", L(4, 4, 180, 14, {"cb", "Sounds", 1, 8})},
        {3, "LblVolume", L(4, 22, 180, 12, label("Volume"))},
        {3, "SliderVolume", L(4, 36, 180, 16, {"sbh", 1, 3, 0, 0, 10, 1, 1})},
        {3, "LblScrMode", L(4, 58, 180, 12, label("ScreenMode"))},
        {3, "ScrModes", L(4, 72, 180, 16, {"", 1, 1, 1, 1, 1})},
        {3, "LblBrightness", L(4, 94, 180, 12, label("Brightness"))},
        {3, "ScrBrightness", L(4, 108, 180, 16, kScroller)},
        {3, "LblContrast", L(4, 130, 180, 12, label("Contrast"))},
        {3, "ScrContrast", L(4, 144, 180, 16, kScroller)},
        {3, "BtnOk", L(20, 190, 60, 20, kOk)},
        {3, "BtnCancel", L(110, 190, 60, 20, kOk)},

        {2, "VolunteersWnd", L(10, 40, 220, 220, frame("VolT"))},
        {3, "RtMessage", L(4, 2, 200, 28, rt1("fmtVolunteers"))},
        {3, "ResCost", L(4, 32, 200, 14, {"", 1, 1, 8, 0})},
        {3, "ResTreasury", L(4, 48, 200, 14, {"", 1, 1, 8, 1})},
        {3, "ArmyIncom", L(4, 64, 200, 40, {"", 1, 1, 40, 0})},
        {3, "BtnYes", L(20, 150, 60, 20, kOk)},
        {3, "BtnNo", L(110, 150, 60, 20, kOk)},

        {2, "RandomEventWnd", L(10, 40, 220, 200, frame(""))},
        {3, "LblPlayer", L(4, 2, 200, 12, label(""))},
        {3, "LblProvince", L(4, 16, 200, 12, label(""))},
        {3, "RtMessage",
         L(4, 30, 200, 40,
           {9, "evt1", "evt2", "evt3", "evt4", "evt5", "evt6", "evt7", "evt8", "evt9", 1, 8})},
        {3, "LblLosts", L(4, 72, 200, 12, label(""))},
        {3, "ResLost", L(4, 86, 200, 14, {"", 1, 1, 8, 1})},
        {3, "ArmyLost", L(4, 102, 200, 40, {"", 1, 1, 40, 0})},

        {2, "MapBattleWnd", {}},
        {3, "BattlePrefsWnd", L(20, 60, 200, 180, frame("BattlePrefsT"))},
        {4, "CbGrid", L(4, 4, 180, 14, {"cb", "ShowGrid", 1, 8})},
        {4, "CbNumbers", L(4, 22, 180, 14, {"cb", "HideNumbers", 1, 8})},
        {4, "CbAutoTrebs", L(4, 40, 180, 14, {"cb", "AutoTrebs", 1, 8})},
        {4, "CbAllowSplit", L(4, 58, 180, 14, {"cb", "AllowSplit", 1, 8})},
        {4, "CbExpertMode", L(4, 76, 180, 14, {"cb", "ExpertMode", 1, 8})},
        {4, "BtnOk", L(20, 130, 60, 20, kOk)},
        {4, "BtnCancel", L(110, 130, 60, 20, kOk)},

        {2, "RecruitWnd", {}},
        {3, "SquadDescrWnd", L(20, 40, 200, 240, frame(""))},
        {4, "RtMelee", L(60, 4, 80, 14, rt1("Melee"))},
        {4, "RtRanged", L(60, 20, 80, 14, rt1("Ranged"))},
        {4, "RtHP", L(60, 36, 80, 14, rt1("HitPoints"))},
        {4, "RtMoveSpeed", L(60, 52, 80, 14, rt1("MoveSpeed"))},
        {4, "IcoMelee", L(44, 4, 12, 12, {"melee", 1, 1})},
        {4, "IcoRanged", L(44, 20, 12, 12, {"ranged", 1, 1})},
        {4, "IcoHP", L(44, 36, 12, 12, {"hp", 1, 1})},
        {4, "IcoMoveSpeed", L(44, 52, 12, 12, {"speed", 1, 1})},
        {4, "LblMeleeVal", L(150, 4, 30, 14, label(""))},
        {4, "LblRangedVal", L(150, 20, 30, 14, label(""))},
        {4, "LblHPVal", L(150, 36, 30, 14, label(""))},
        {4, "LblMoveSpeedVal", L(150, 52, 30, 14, label(""))},
        {4, "RtExtras", L(4, 120, 180, 80, rt1(""))},
        {4, "BgImage", L(0, 0, 192, 220, {"bg", 1, 1})},
        {4, "UnitImage", L(4, 4, 36, 60, {"", 1, 1})},

        {0, "Battle", {}},
        {1, "RightPanel", L(160, 0, 80, 200, kFrame)},
        {2, "LblName", L(2, 2, 76, 12, label(""))},
        {2, "LblMelee", L(16, 16, 40, 12, rt1("Melee"))},
        {2, "LblRanged", L(16, 30, 40, 12, rt1("Ranged"))},
        {2, "LblHP", L(16, 44, 40, 12, rt1("HitPoints"))},
        {2, "LblMoveSpeed", L(16, 58, 40, 12, rt1("MoveSpeed"))},
        {2, "IcoMelee", L(2, 16, 12, 12, {"melee", 1, 1})},
        {2, "IcoRanged", L(2, 30, 12, 12, {"ranged", 1, 1})},
        {2, "IcoHP", L(2, 44, 12, 12, {"hp", 1, 1})},
        {2, "IcoMoveSpeed", L(2, 58, 12, 12, {"speed", 1, 1})},
        {2, "LblMeleeVal", L(58, 16, 20, 12, label(""))},
        {2, "LblRangedVal", L(58, 30, 20, 12, label(""))},
        {2, "LblHPVal", L(58, 44, 20, 12, label(""))},
        {2, "LblMoveSpeedVal", L(58, 58, 20, 12, label(""))},
        {2, "RtExtras", L(2, 74, 76, 100, {""})},
    };
}

inline std::string OperationWindowsLocale()
{
    return "TaxesT=Taxes\r\nfmtIncome=Income %ld\r\nfmtSatisf=Mood %+ld\r\n"
           "fmtTradeNow={img src=%s} %ld -> {img src=%s} %ld\r\n"
           "fmtTradeRate=%s %ld = %s %ld\r\nTradeTooLittle=need %s %ld for %s 1\r\n"
           "fmtCampaign=Army of %ld\r\nGuardian=Garrison\r\n"
           "fmtHero=Hero %s\r\nfmtLevel=Level %ld\r\nfmtExp=Exp %ld of %ld\r\nfmtPoints=Points %ld\r\n"
           "gold=Gold\r\nmetl=Metal\r\nston=Stone\r\n"
           "NoExtras=Nothing special\r\nPortrait=Portrait\r\nLandscape=Landscape\r\n"
           "RestartScreen=Restart to turn the screen\r\n"
           "fmtVolunteers=Volunteers in %s\r\nPlayerStr=Player %s\r\nProvinceStr=Province %s\r\n"
           "Losts=Lost\r\nArrivals=Arrived\r\nrtRndEvt2T=Volunteers came\r\nrtRndEvt8T=Deserters\r\n"
           "evt2=They came\r\nevt8=They left\r\n";
}

// The rig with the tree mounted and the resources the windows load.
class OperationWindowsRig : public controls_test::ControlsRig {
protected:
    void SetUp() override
    {
        ControlsRig::SetUp();
        using controls_test::Picture;
        controls_test::AddFrameSkin(pack, "frm", 2);
        controls_test::AddButtonSkin(pack, "btn", 8, 20, 3);
        for (const char* name : {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR"}) {
            controls_test::AddFixedButtonSkin(pack, std::string("ValueScroller/") + name, 16, 16, 3);
            controls_test::AddFixedButtonSkin(pack, std::string("sbh/") + name, 12, 16, 3);
        }
        controls_test::AddButtonSkin(pack, "sbh/Btn_Horz", 8, 16, 4);
        ASSERT_TRUE(pack.AddFile("Skin/sbh/client_h", "img", Picture(8, 16, 5)));
        ASSERT_TRUE(pack.AddFile("Skin/cb/checked", "img", Picture(10, 10, 6)));
        ASSERT_TRUE(pack.AddFile("Skin/cb/unchecked", "img", Picture(10, 10, 7)));
        for (const char* part : {"frame_ul", "frame_u", "frame_ur"}) {
            ASSERT_TRUE(pack.AddFile(std::string("Skin/rep/") + part, "img", Picture(60, 6, 9)));
        }
        for (const char* icon : {"gold", "metl", "ston", "golds", "metls", "stons", "revolt", "melee",
                                 "ranged", "hp", "speed", "bg"}) {
            ASSERT_TRUE(pack.AddFile(std::string("Images/Icons/") + icon, "img", Picture(12, 12, 10)));
        }
        for (const char* unit : {"Pike", "Bow"}) {
            for (const char* picture : {"UnitInfo", "Icon_l", "Icon_r"}) {
                ASSERT_TRUE(pack.AddFile(std::string("Objects/Units/") + unit + "/" + picture, "img",
                                         Picture(20, 24, 11)));
            }
        }
        ASSERT_TRUE(pack.AddFolder("Objects/Units/Bare"));
        for (const char* sound : {"vol_check", "msg_bad", "msg_good"}) {
            ASSERT_TRUE(pack.AddFile(std::string("Sounds/") + sound, "wav", ToneWav(200)));
        }
        Mount(OperationWindowsTree(), OperationWindowsLocale());
    }

    // The centre of a window on the screen.
    static PackedPoint Centre(const CWindow* window)
    {
        const PackedRect r = window->GetNode()->screenRect;
        return PackedPoint(static_cast<int16_t>((r.Left() + r.Right()) / 2),
                           static_cast<int16_t>((r.Top() + r.Bottom()) / 2));
    }
    void TapWindow(const CWindow* window)
    {
        const PackedPoint p = Centre(window);
        Tap(p.X(), p.Y());
    }
    // Holds a value scroller's button for one repeat step and lets go.
    void StepScroller(CValueScroller* scroller, bool forward)
    {
        const PackedPoint p = Centre(forward ? scroller->ForwardButton() : scroller->BackButton());
        RunClock(200);
        PenDown(p.X(), p.Y());
        RunClock(1);
        PenUp(p.X(), p.Y());
    }
    // Shows a window as its modal run would, without running frame steps.
    static void Open(CWindow* window)
    {
        CWindowMgr::PushCapture(window);
        window->Show(true, true);
        CWindowMgr::ProcessEvents();
    }
};

}  // namespace operation_windows_test

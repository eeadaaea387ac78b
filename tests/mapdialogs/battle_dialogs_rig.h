#pragma once
// The test rig of the battle dialogs (recruit, trainer set-up, battle
// results and question, split squad): the controls' rig with a pack of
// skins, unit pictures, sounds, a locale and a UI tree holding the dialogs'
// layouts, and five squad types registered in code.

#include <cstdlib>
#include <string>
#include <vector>

#include "core/display_surface.h"
#include "core/preferences.h"
#include "game/army.h"
#include "game/squad_type.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/screen/controls_rig.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace battle_dialogs_test {

using controls_test::StepScript;
using controls_test::TreeNode;

// The dialogs' layouts; the frame skin "frm" has a 4-pixel border and an
// 8-pixel top, so a dialog's client area starts 4 right and 8 down.
inline std::vector<TreeNode> BattleDialogsTree()
{
    return {
        {0, "Map", {}},
        {1, "MapWnd", {1, 0, 0, 0, 240, 320}},
        {2, "RecruitWnd", {0, 11, 0, 0, 232, 300, "RecruitT", "frm", 3}},
        {3, "ResTreasury", {1, 0, 4, 0, 200, 14, "", 2, 1, 8, 0}},
        {3, "SquadBtn1", {1, 0, 4, 16, 52, 44, "sqb"}},
        {3, "SquadBtn2", {1, 0, 60, 16, 52, 44, "sqb"}},
        {3, "SquadBtn3", {1, 0, 116, 16, 52, 44, "sqb"}},
        {3, "SquadBtn4", {1, 0, 172, 16, 52, 44, "sqb"}},
        {3, "RFrame", {1, 0, 0, 64, 224, 130, "", "frm", 0}},
        {3, "LblType", {1, 0, 8, 76, 150, 12, "", 2, 1, 8}},
        {3, "BtnDescr", {1, 0, 168, 72, 48, 40, "", "btn"}},
        {3, "LblQuantity", {1, 0, 8, 118, 100, 12, "Quantity", 2, 1, 8}},
        {3, "SpinQuantity", {1, 0, 8, 134, 208, 16, "hscr", 1, 3, 0, 0, 10, 1, 1}},
        {3, "LblUnitCost", {1, 0, 8, 156, 100, 12, "UnitCost", 2, 1, 8}},
        {3, "ResCost", {1, 0, 8, 170, 200, 14, "", 2, 1, 8, 0}},
        {3, "BtnOk", {1, 0, 20, 250, 80, 20, "", "btn"}},
        {3, "BtnCancel", {1, 0, 124, 250, 80, 20, "", "btn"}},
        {3, "SquadDescrWnd", {0, 11, 0, 0, 200, 200, "", "frm", 3}},
        {2, "BattleResultsWnd", {0, 11, 0, 0, 224, 250, "", "frm", 3}},
        {3, "LblOwnerLost", {1, 0, 4, 4, 200, 12, "OwnLosses", 2, 1, 8}},
        {3, "OwnerLost", {1, 0, 4, 20, 208, 70, "NoLosses", 1, 1, 50, 1}},
        {3, "LblEnemyLost", {1, 0, 4, 96, 200, 12, "EnemyLosses", 2, 1, 8}},
        {3, "EnemyLost", {1, 0, 4, 112, 208, 70, "NoLosses", 1, 1, 50, 1}},
        {3, "LblExp", {1, 0, 4, 190, 140, 12, "", 2, 1, 8}},
        {3, "LblExpVal", {1, 0, 150, 190, 56, 12, "", 3, 1, 8}},
        {2, "MapBtlAttackWnd", {0, 11, 0, 0, 232, 300, "AttackT", "frm", 3}},
        {3, "IcoBg", {1, 4, 0, 0, 0, 30, "emblem", 1, 1}},
        {3, "RtProvince", {1, 0, 4, 32, 214, 28, 2, "AttackProv", "AttackCastle", 1, 8}},
        {3, "RtPlayer", {1, 0, 4, 62, 214, 14, 1, "AttackPlayer", 1, 8}},
        {3, "LblInvade", {1, 0, 4, 80, 200, 12, "Invaders", 2, 1, 8}},
        {3, "ArmyInvade", {1, 0, 4, 94, 210, 44, "NoArmy", 1, 1, 50, 0}},
        {3, "LblGuard", {1, 0, 4, 140, 200, 12, "Guards", 2, 1, 8}},
        {3, "ArmyGuard", {1, 0, 4, 154, 210, 44, "NoArmy", 1, 1, 50, 0}},
        {3, "CbQuick", {1, 0, 6, 200, 206, 16, "cb", "Quick", 2, 8}},
        {3, "BtnOk", {1, 0, 14, 224, 86, 20, "btn", "", "Ok", 8}},
        {3, "BtnCancel", {1, 0, 118, 224, 86, 20, "btn", "", "Cancel", 8}},
        {2, "MapBattleWnd", {1, 0, 0, 0, 240, 320}},
        {3, "SplitSquadWnd", {0, 11, 0, 0, 200, 120, "SplitT", "frm", 3}},
        {4, "BtnOk", {1, 0, 10, 80, 80, 20, "", "btn"}},
        {4, "BtnCancel", {1, 0, 100, 80, 80, 20, "", "btn"}},
        {4, "SplitScroller", {1, 0, 4, 40, 184, 16, "hscr", 1, 3, 0, 1, 10, 1, 1}},
        {4, "RtSplit", {1, 0, 4, 4, 184, 30, 1, "SplitText", 1, 8}},
        {0, "Battle", {}},
        {1, "BattleTrainerWnd", {0, 11, 0, 0, 232, 310, "TrainerT", "frm", 3}},
        {2, "LblBtlType", {1, 0, 4, 4, 100, 14, "BattleType", 2, 1, 8}},
        {2, "LblOFSeed", {1, 0, 4, 24, 100, 14, "ObstacleSeed", 2, 1, 8}},
        {2, "LblSiegeMoat", {1, 0, 4, 24, 100, 14, "SiegeMoat", 2, 1, 8}},
        {2, "LblSiegeWalls", {1, 0, 4, 44, 100, 14, "SiegeWalls", 2, 1, 8}},
        {2, "LblSiegeCatap", {1, 0, 4, 64, 100, 14, "SiegeCatap", 2, 1, 8}},
        {2, "LblAtkType", {1, 0, 4, 84, 100, 14, "AttackerType", 2, 1, 8}},
        {2, "LblDfdType", {1, 0, 4, 104, 100, 14, "DefenderType", 2, 1, 8}},
        {2, "ScrBtlType", {1, 0, 108, 4, 112, 14, "%ld", 1, 0, 1, 0, 1}},
        {2, "ScrOFSeed", {1, 0, 108, 24, 112, 14, "%ld", 1, 1, 1, 1, 1}},
        {2, "ScrSiegeMoat", {1, 0, 108, 24, 112, 14, "%ld", 1, 0, 1, 0, 1}},
        {2, "ScrSiegeWalls", {1, 0, 108, 44, 112, 14, "%ld", 1, 0, 1, 0, 1}},
        {2, "ScrSiegeCatap", {1, 0, 108, 64, 112, 14, "%ld", 1, 1, 1, 1, 1}},
        {2, "ScrAtkType", {1, 0, 108, 84, 112, 14, "%ld", 1, 0, 1, 0, 1}},
        {2, "ScrDfdType", {1, 0, 108, 104, 112, 14, "%ld", 1, 0, 1, 0, 1}},
        {2, "BtnOwnArmy", {1, 0, 4, 130, 216, 16, "OwnArmy", 15, 14, 7, 0, 1, 0}},
        {2, "BtnEnemyArmy", {1, 0, 4, 150, 216, 16, "EnemyArmy", 15, 14, 7, 0, 1, 0}},
        {2, "BtnCancel", {1, 0, 10, 270, 100, 20, "", "Cancel", "btn"}},
        {2, "BtnStart", {1, 0, 120, 270, 100, 20, "", "Start", "btn"}},
    };
}

inline const char* BattleDialogsLocale()
{
    return "RecruitT=Army\r\nTrainerRecruit=Compose army\r\nQuantity=Units\r\nUnitCost=Unit cost\r\n"
           "SplitT=Split squad\r\nSplitText=%ld stay, %ld leave\r\nTrainerT=Battle trainer\r\n"
           "BattleType=Battle\r\nObstacleSeed=Field\r\nSiegeMoat=Moat\r\nSiegeWalls=Walls\r\n"
           "SiegeCatap=Catapults\r\nAttackerType=Attacker\r\nDefenderType=Defender\r\nOwnArmy=Attacking "
           "army\r\n"
           "EnemyArmy=Defending army\r\nCancel=Cancel\r\nStart=Start\r\nOpenField=Open "
           "field\r\nSiege=Siege\r\n"
           "Yes=Yes\r\nNo=No\r\nHuman=Human\r\nComputer=Computer\r\nPlayer1=Red\r\nPlayer2=Blue\r\n"
           "YouWon=Won\r\nYouLost=Lost\r\nBattleExp=Experience\r\nNoExpGain=No experience\r\n"
           "OwnLosses=Ours\r\nEnemyLosses=Theirs\r\nNoLosses=None\r\nAttackT=Attack\r\n"
           "AttackProv=Attack %s?\r\nAttackCastle=Besiege %s?\r\nAttackPlayer=Held by %s\r\n"
           "TrainerNoUnits=No units\r\nInvaders=Invaders\r\nGuards=Guards\r\nNoArmy=Nobody\r\nQuick=Quick "
           "battle\r\nOk=Ok\r\n";
}

// Squad types built in code: "Sword", "Bow", "Axe", "Pike", "Horse", each
// costing `cost` gold per unit (index * 10 + 10).
inline void RegisterRigSquadTypes()
{
    const char* ids[] = {"Sword", "Bow", "Axe", "Pike", "Horse"};
    for (int i = 0; i < 5; ++i) {
        auto* type = new CSquadType;
        type->typeId = CStr(ids[i]);
        type->name = CStr::ConcatChars(CStr(ids[i]), "men");
        type->hp = static_cast<uint8_t>(10 + i);
        type->moveSpeed = 2;
        type->meleeAttack = 3;
        type->cost.Zero();
        type->cost[0] = 10 * i + 10;
        RegisterSquadType(type);
    }
}

class BattleDialogsRig : public controls_test::ControlsRig {
protected:
    void SetUp() override
    {
        controls_test::ControlsRig::SetUp();
        using controls_test::AddFixedButtonSkin;
        using controls_test::AddFrameSkin;
        AddFrameSkin(pack, "frm", 12);
        AddFixedButtonSkin(pack, "btn", 40, 20, 5);
        AddFixedButtonSkin(pack, "sqb", 52, 44, 6);
        for (const char* part : {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR", "Btn_Horz"})
            AddFixedButtonSkin(pack, std::string("hscr/") + part, 16, 16, 7);
        for (const char* part : {"Btn_LL", "Btn_L", "Btn_R", "Btn_RR"})
            AddFixedButtonSkin(pack, std::string("ValueScroller/") + part, 12, 14, 9);
        const char* ids[] = {"Sword", "Bow", "Axe", "Pike", "Horse"};
        for (int i = 0; i < 5; ++i) {
            const std::string folder = std::string("Objects/Units/") + ids[i];
            ASSERT_TRUE(
                pack.AddFile(folder + "/Icon_l", "img", controls_test::Picture(24, 24, uint8_t(40 + i))));
            ASSERT_TRUE(
                pack.AddFile(folder + "/Icon_r", "img", controls_test::Picture(24, 24, uint8_t(50 + i))));
        }
        // The two results sounds differ in length, so a test can tell them apart.
        ASSERT_TRUE(pack.AddFile("Sounds/battle_victory", "wav", ToneWav(40000)));
        ASSERT_TRUE(pack.AddFile("Sounds/battle_lose", "wav", ToneWav(80000)));
        ASSERT_TRUE(pack.AddFile("Images/Icons/emblem", "img", controls_test::Picture(30, 30, 70)));
        ASSERT_TRUE(pack.AddFile("Skin/cb/checked", "img", controls_test::Picture(14, 14, 71)));
        ASSERT_TRUE(pack.AddFile("Skin/cb/unchecked", "img", controls_test::Picture(14, 14, 72)));
        AddResources();
        Mount(Tree(), Locale());
        RegisterRigSquadTypes();
    }
    void TearDown() override
    {
        FreeSquadTypes();
        PrefMapOptions[0] = 0;
        controls_test::ControlsRig::TearDown();
    }
    // Fixtures of later windows add their nodes and texts here.
    virtual void AddResources() {}
    virtual std::vector<TreeNode> Tree() { return BattleDialogsTree(); }
    virtual std::string Locale() { return BattleDialogsLocale(); }

    // The centre of a window on the screen.
    static PackedPoint CentreOf(const CWindow* window)
    {
        const PackedRect r = window->GetNode()->screenRect;
        return PackedPoint(static_cast<int16_t>((r.Left() + r.Right()) / 2),
                           static_cast<int16_t>((r.Top() + r.Bottom()) / 2));
    }
    // A tap on a window's centre, as a step of a script (the window is
    // looked up when the step runs).
    static void TapAt(StepScript* script, int step, std::function<CWindow*()> window)
    {
        script->At(step, [window] {
            const PackedPoint p = CentreOf(window());
            PenDownSignal.FirePoint(p);
            PenUpSignal.FirePoint(p);
        });
    }
    void TapNow(const CWindow* window)
    {
        const PackedPoint p = CentreOf(window);
        Tap(p.X(), p.Y());
    }
    bool Shot(const std::string& name)
    {
        UseSpreadPalette();
        return ScreenRig::Shot(name);
    }
};

}  // namespace battle_dialogs_test

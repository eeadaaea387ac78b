// The squad description window and the battle window's statistics panel:
// the numbers of a squad type, its picture, and a tap anywhere to close.
#include "mapdialogs/squad_descr_wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/squad_type.h"
#include "tests/mapdialogs/operation_windows_rig.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"

namespace {

using operation_windows_test::OperationWindowsRig;

CSquadType Type(const char* id, uint8_t melee, uint8_t ranged, uint8_t hp, uint8_t speed, const char* extras)
{
    CSquadType type;
    type.typeId = CStr(id);
    type.name = CStr(id);
    type.meleeAttack = melee;
    type.rangedAttack = ranged;
    type.hp = hp;
    type.moveSpeed = speed;
    type.extras = CStr(extras);
    return type;
}

struct Expect {
    const char *melee, *ranged, *hp, *speed, *extras;
};

struct Case {
    CSquadType type;
    Expect shown;
};

std::vector<Case> Cases()
{
    return {
        {Type("Pike", 3, 0, 5, 2, ""), {"3", "-", "5", "2", "Nothing special"}},
        {Type("Bow", 1, 4, 3, 1, "Shoots over walls."), {"1", "4", "3", "1", "Shoots over walls."}},
        // Only the low four bits of an attack byte count.
        {Type("Bare", 0x10, 0x2F, 250, 0, ""), {"0", "15", "250", "0", "Nothing special"}},
    };
}

using SquadDescrTest = OperationWindowsRig;

TEST_F(SquadDescrTest, TheWindowShowsTheTypesNumbersAndPicture)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.type.typeId.Chars());
        CSquadDescrWnd wnd(Root(), CStr(kSquadDescrLayout));
        wnd.Setup(&c.type);
        EXPECT_EQ(wnd.Text(), c.type.name);
        EXPECT_STREQ(wnd.MeleeValue()->Text().Chars(), c.shown.melee);
        EXPECT_STREQ(wnd.RangedValue()->Text().Chars(), c.shown.ranged);
        EXPECT_STREQ(wnd.HitPointsValue()->Text().Chars(), c.shown.hp);
        EXPECT_STREQ(wnd.MoveSpeedValue()->Text().Chars(), c.shown.speed);
        EXPECT_STREQ(wnd.ExtrasText()->Text().Chars(), c.shown.extras);
        // "Bare" has no pictures in its folder: the picture stays empty.
        EXPECT_EQ(wnd.UnitImage()->Picture().Image().HasHeader(), c.type.typeId != CStr("Bare"));
        EXPECT_FALSE(wnd.UnitImage()->IsEnabled());
        EXPECT_FALSE(wnd.BackgroundImage()->IsEnabled());
    }
}

TEST_F(SquadDescrTest, ThePanelShowsTheSameNumbersWithTheName)
{
    CSquadStatsPanel panel(Root(), CStr("/Battle/RightPanel"));
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.type.typeId.Chars());
        panel.SetSquadType(&c.type);
        EXPECT_EQ(panel.NameLabel()->Text(), c.type.name);
        EXPECT_STREQ(panel.MeleeValue()->Text().Chars(), c.shown.melee);
        EXPECT_STREQ(panel.RangedValue()->Text().Chars(), c.shown.ranged);
        EXPECT_STREQ(panel.HitPointsValue()->Text().Chars(), c.shown.hp);
        EXPECT_STREQ(panel.MoveSpeedValue()->Text().Chars(), c.shown.speed);
        EXPECT_STREQ(panel.ExtrasText()->Text().Chars(), c.shown.extras);
    }
}

TEST_F(SquadDescrTest, ATapAnywhereClosesIt)
{
    const CSquadType bare = Type("Bare", 1, 0, 1, 1, "");
    // Where the tap lands: a value label, the background picture (disabled,
    // so the window itself gets it), the unit picture, and outside the window.
    enum Target {
        Label,
        Background,
        Picture,
        Outside
    };
    for (const Target target : {Label, Background, Picture, Outside}) {
        SCOPED_TRACE(static_cast<int>(target));
        CSquadDescrWnd wnd(Root(), CStr(kSquadDescrLayout));
        wnd.Setup(&bare);
        controls_test::StepScript* script = Script();
        script->At(3, [&] {
            switch (target) {
            case Label:
                TapWindow(wnd.MeleeValue());
                break;
            case Background:
                Tap(100, 250);
                break;  // below the texts
            case Picture:
                TapWindow(wnd.UnitImage());
                break;
            case Outside:
                Tap(5, 5);
                break;
            }
        });
        const uint16_t result = RunModal(&wnd);
        EXPECT_NE(result, ResultQuit);
        EXPECT_LT(script->steps, 10);
        EXPECT_FALSE(wnd.IsVisible());
        // Hiding gave the capture back.
        for (int32_t i = 0; i < CWindowMgr::CaptureCount(); ++i)
            EXPECT_NE(CWindowMgr::CaptureAt(i), &wnd);
    }
}

}  // namespace

#pragma once
// The points of the shipped 240 x 320 screens that the script-level program
// tests tap, each named once here beside the layout node it lies in. The
// 480 x 640 layout is the same tree at twice the scale (Scaled).

#include "tests/support/script_tap.h"

namespace shipped_points {

// The title screen's menu, /Main/MainMenu: one entry every 16 points.
constexpr ScreenPoint kMenuNewGame{120, 173}, kMenuResume{120, 189}, kMenuBattle{120, 205},
    kMenuPreferences{120, 221}, kMenuHallOfFame{120, 237}, kMenuHelp{120, 253}, kMenuCredits{120, 269},
    kMenuExit{120, 285};
// The menu's plaque on the wallpaper (left, top, right, bottom): nothing
// moves there.
constexpr int kPlaque[4] = {48, 160, 191, 300};
// The help corner at the right end of the title band, and /Main/HelpWnd/BtnClose.
constexpr ScreenPoint kTitleHelp{232, 8}, kHelpClose{188, 274};
// Anywhere on a text screen (credits, How to Play) turns its page.
constexpr ScreenPoint kCreditsPage{30, 30}, kHowToPlayPage{200, 300};
// The single button of a message box in the middle of the screen.
constexpr ScreenPoint kMessageButton{120, 160};

// /Map/NewGameWnd: BtnStart and BtnMenu.
constexpr ScreenPoint kNewGameStart{60, 298}, kNewGameMenu{180, 298};
// /Map/MapWnd/CustPlrWnd/BtnStart: the lord's own set-up, before the map.
constexpr ScreenPoint kLordStart{120, 298};
// /Map/MapWnd/GamePrefsWnd/BtnCancel (the menu's preferences),
// /Main/HallOfFameWnd/BtnReturn and /Main/PickSlotWnd/BtnCancel.
constexpr ScreenPoint kPreferencesCancel{160, 266}, kHallOfFameBack{195, 307}, kPickSlotCancel{180, 258};
// /Battle/BattleTrainerWnd: BtnCancel and BtnStart.
constexpr ScreenPoint kTrainerCancel{66, 273}, kTrainerStart{174, 272};
// /Map/MapWnd/MapBattleWnd/BottomPanel: Start (placement done) and Auto (the clock).
constexpr ScreenPoint kBattleStart{93, 246}, kBattleAuto{119, 246};
// The recruit button of the map's top bar, and a spot of the map below it.
constexpr ScreenPoint kMapRecruit{155, 11}, kMapSpot{100, 200};

}  // namespace shipped_points

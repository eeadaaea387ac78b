#pragma once
// What the map window's panels show of an army, a castle and the computer
// player planning: the squad lists ("ArmyCtrl") and the castle control
// ("CastleCtrl"), made and filled the same way wherever a panel holds one,
// and the computer panel's title ("RtPlayer").

#include "core/ref_string.h"

class CArmy;
class CCastleWnd;
class CItemListWnd;
class CTextWnd;
class CWindow;
class PlayerRecord;
class ProvinceRecord;

class PanelContents {
public:
    static CItemListWnd* CreateArmyList(CWindow* parent, const CStr& path);
    static CCastleWnd* CreateCastleControl(CWindow* parent, const CStr& path);
    // The army's squads in its owner's colour; the locale text emptyKey when
    // there are none (null keeps the list's own).
    static void FillArmyList(CItemListWnd* list, const CArmy* army, const PlayerRecord* owner,
                             const char* emptyKey);
    // The province's castle, or the locale text emptyKey when it has none.
    static void ShowCastleStatus(CCastleWnd* control, ProvinceRecord* province, const char* emptyKey);
    // The title says who is planning: a computer player. Before the first
    // turn no one plays, and during a person's own turn notice no computer
    // plans, so it stays empty then rather than showing the bare format or
    // the person's name.
    static void ShowComputerTurnTitle(CTextWnd* title, const PlayerRecord* player);
};

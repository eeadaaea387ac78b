#pragma once
// What the map window's info panels show of an army and a castle: the
// squad lists ("ArmyCtrl") and the castle control ("CastleCtrl"), made and
// filled the same way wherever a panel holds one.

#include "core/ref_string.h"

class CArmy;
class CCastleWnd;
class CItemListWnd;
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
};

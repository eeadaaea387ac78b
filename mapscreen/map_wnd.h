#pragma once
// CMapWnd: the strategic map screen. It hosts a running game: its show
// handler runs the turn loop, its panels follow the game signals, and its
// dispatcher answers the game logic's dialog requests by opening the map
// dialogs. Its members are written in several files, one per concern:
//   mapscreen/map_wnd*.cpp           the window, dispatcher, game flow, panels
//   mapscreen/map_wnd_recruit.cpp    the recruit mode
//   mapdialogs/map_wnd_launchers.cpp the operation-window launchers

#include "ui/composite_wnd.h"

class CMapWnd : public CCompositeWnd {
 public:
  // ---- The window, its dispatcher, game flow and panels -----------------

  // ---- end of the window's members ---------------------------------------


  // ---- Recruit mode ------------------------------------------------------

  // ---- end of recruit mode -----------------------------------------------


  // ---- Operation-window launchers ----------------------------------------
  // One per dialog request kind: each opens its window as a child of the map
  // window (layout names resolve under the map window's node), hands it the
  // request record, runs it modally and deletes it. The window writes the
  // user's answer into the record.
  void OpenBuildCastleWnd(void* record);       // 1
  void OpenCastleInfoWnd(void* record);        // 2, not modal: the window stays
  void OpenDemolishCastleWnd(void* record);    // 3
  void OpenCompleteCastleWnd(void* record);    // 4
  void OpenRepairCastleWnd(void* record);      // 5
  void OpenDigMoatWnd(void* record);           // 6
  void OpenAddCatapultWnd(void* record);       // 7
  void OpenAddWallsWnd(void* record);          // 8
  void OpenAddBuildingWnd(void* record);       // 9
  void IgnoreRequest13(void* record);          // 13
  void OpenSkillsWnd(void* record);            // 14
  void OpenTransferWnd(void* record);          // 15
  void OpenTradingWnd(void* record);           // 16
  void OpenTaxesWnd(void* record);             // 17
  void OpenDeceaseWnd(void* record);           // 18
  void OpenDeceaseFailureWnd(void* record);    // 19
  void OpenDeceaseSuccessWnd(void* record);    // 20
  void OpenRobberyWnd(void* record);           // 21
  void OpenRobberyEmptyWnd(void* record);      // 22
  void OpenRobberyFailureWnd(void* record);    // 23
  void OpenRobberySuccessWnd(void* record);    // 24
  void OpenScoutWnd(void* record);             // 25
  void OpenScoutFailureWnd(void* record);      // 26
  void OpenScoutSuccessWnd(void* record);      // 27
  void OpenNERWnd(void* record);               // 28
  void OpenBattleResultsWnd(void* record);     // 29
  void ShowNextPlayerMessage(void* record);    // 30 (also after a game over)
  void OpenRandomEventWnd(void* record);       // 31
  void IgnoreRequest32(void* record);          // 32
  void OpenMapBtlAttackWnd(void* record);      // 33
  void OpenMapBtlDefendWnd(void* record);      // 34
  void ShowRecordMessage(void* record);        // 35
  void OpenPrepTrebWnd(void* record);          // 36
  void OpenVolunteersWnd(void* record);        // 37
  // Calls the launcher of a kind; false for a kind without one (10-12 and
  // kinds past 37), whose record is left as the poster filled it. Kind 0 (the
  // report) is the window's own.
  bool RunLauncher(uint32_t kind, void* record);

  // The castle information window's hide handler: releases the input
  // capture it held and unlocks the map frame.
  void OnCastleInfoClosed(CWindow* window, intptr_t argument);
  // The castle information window, null until the first kind-2 request.
  class CCastleInfoWnd* CastleInfoWnd() const { return m_castleInfoWnd; }
  // Deletes the dialogs still alive (the castle information window); part of
  // tearing the map screen's dialogs down.
  void DestroyLauncherDialogs();

  // ---- end of the launchers ----------------------------------------------

 private:
  // ---- State of the window, its dispatcher, game flow and panels ---------

  // ---- end of the window's state -----------------------------------------


  // ---- State of recruit mode ---------------------------------------------

  // ---- end of recruit mode's state ---------------------------------------


  // ---- State of the launchers (the dialog cache) -------------------------
  // The open window of each slot-keeping kind (null between requests).
  CWindow* m_dialogSlots[38] = {};
  class CCastleInfoWnd* m_castleInfoWnd = nullptr;

  // ---- end of the launchers' state ---------------------------------------
};

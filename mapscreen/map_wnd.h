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

  // ---- end of the launchers ----------------------------------------------

 private:
  // ---- State of the window, its dispatcher, game flow and panels ---------

  // ---- end of the window's state -----------------------------------------


  // ---- State of recruit mode ---------------------------------------------

  // ---- end of recruit mode's state ---------------------------------------


  // ---- State of the launchers (the dialog cache) -------------------------

  // ---- end of the launchers' state ---------------------------------------
};

// Launchers of the windows that other parts of the screens provide and that
// are not in the tree yet: until they are, these requests are answered as
// ignored ones (the record keeps the poster's values, so nothing is
// confirmed).
#include "mapscreen/map_wnd.h"

void CMapWnd::OpenBattleResultsWnd(void*) {}
void CMapWnd::OpenMapBtlAttackWnd(void*) {}
void CMapWnd::OpenMapBtlDefendWnd(void*) {}

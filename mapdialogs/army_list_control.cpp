#include "mapdialogs/covert_notice_wnd.h"

// The squad list control belongs to the map screen and is not in the tree
// yet: the notices are built without their army list until it is.
CWindow* CreateArmyListControl(CWindow*, const char*) { return nullptr; }
void FillArmyListControl(CWindow*, const CArmy*) {}

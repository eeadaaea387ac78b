#pragma once
// The choice of the screen layout at start-up: which of the display's four
// orientations is used, which skin folder overlays the root folder of the
// packs, and which UI description tree ("/UI/<w>x<h>") the windows are built
// from. The skin sizes come from the "txt" resources in the packs' root, one
// "<width> <height> <folder>" per line.

#include <cstdint>

#include "core/cursor_list.h"
#include "core/ref_string.h"

struct SkinSizeEntry {
    uint16_t width = 0;
    uint16_t height = 0;
    CStr folder;
};

using SkinSizeList = CCursorList<SkinSizeEntry>;

// 1 for each orientation preference (0-3) the user may choose; filled by
// SelectUIResolution, read by the game preferences window.
extern uint8_t OrientationAvailable[4];

// Reads every skin size text of the root folder into the list, in listing
// order then line order. Lines that are not "<digits> <digits> <name>" are
// left out.
void LoadSkinSizeList(SkinSizeList& list);
// Index of the first entry of exactly that size; -1 when none.
int32_t FindSkinSize(SkinSizeList& list, uint16_t width, uint16_t height);
// Parses one line; false when it does not hold a width, a height and a name.
bool ParseSkinSizeLine(const CStr& line, SkinSizeEntry& entry);

// Picks the display mode, overlays its skin folder and loads its UI tree.
// Shows "GraphError" when no mode of the display has a complete skin.
bool SelectUIResolution();

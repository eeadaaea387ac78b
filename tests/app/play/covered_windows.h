#pragma once
// Windows that a person cannot see whole because something behind them was
// drawn over them, read from the window manager's repaints of one redraw:
// the area each window was asked to paint, in the order painted. The window
// in front that painted a pixel must be the last to paint it. In front, as
// a person sees it: the windows holding the input (modal windows, each run
// over the one before) with what is inside them before everything else, a
// window's help button before its window's other controls, then a child
// before its parent and an earlier sibling's branch before a later one's.
// The topmost window holding the input owns every pixel of its rect:
// something else drawn last there covers it.

#include <string>
#include <vector>

#include "core/packed_geometry.h"

class CWindow;

namespace play_test {

// Whether a window is in front of another as a person sees it (the order
// above); holders are the windows holding the input, the last on top.
bool InFrontAsSeen(const CWindow* window, const CWindow* other, const std::vector<const CWindow*>& holders);

// Starts recording every repaint; the records of the last redraw go.
void RecordPaints();
void StopRecordingPaints();

struct CoveredWindow {
    const CWindow* front = nullptr;   // the window drawn over
    const CWindow* behind = nullptr;  // the window behind it that drew over it
    bool repainting = false;          // in the windows' own repaints after the redraw
    PackedRect area;                  // the screen pixels it covers, bounded
};

// The windows drawn over in the recorded redraw, among the visible ones
// given (records of windows no longer shown are left out); holders are the
// windows holding the input, the last on top. Then every visible window
// asks for its own repaint, all in one frame, and what each pixel shows
// after them must be what the redraw showed in front.
std::vector<CoveredWindow> CoveredInRecordedPaints(const std::vector<const CWindow*>& visible,
                                                   const std::vector<const CWindow*>& holders, int width,
                                                   int height);

}  // namespace play_test

#pragma once
// The map window's steps on its map frame and view. The frame is torn down
// around a watched battle and the end-of-game windows; every step is then
// nothing, so the window's flow never asks whether a frame exists.

#include <cstdint>

#include "core/packed_geometry.h"
#include "core/ref_string.h"

class CMapFrame;

class MapFrameSteps {
public:
    // The map window's own pointer, read at each step.
    explicit MapFrameSteps(CMapFrame* const& frame) : m_frame(frame) {}

    // The hold of the view's blink: while held it neither animates nor reacts.
    void SetViewHold(bool held) const;
    void Invalidate() const;
    void SetDragScroll(bool on) const;
    // -1 clears the selection.
    void SetViewSelection(int16_t province) const;
    // The map mode's display of the action markers.
    void SetViewMapMode(bool on) const;
    void ClearViewMarks(bool notify) const;
    void SetViewMark(int16_t province, int16_t mark, bool notify) const;
    void SetHalfScale(bool half) const;
    void ScrollTo(int16_t province, uint8_t mark) const;
    // Gives the frame its area; in the map mode the current province stays in view.
    void Place(const PackedRect& area, bool relayout, bool keepCurrentInView) const;
    void LoadMapBlocks(const CStr& missionPath) const;
    void ReleaseMapBlocks() const;
    void SetPaletteActive(bool on) const;
    void Show(bool show) const;

private:
    CMapFrame* const& m_frame;
};

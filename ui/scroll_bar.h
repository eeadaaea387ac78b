#pragma once
// CScrollBar: a position within [min, max] shown as a thumb that slides along
// a track, with up to two pairs of step buttons at the ends. Vertical or
// horizontal; every look comes from one skin folder. With ticks on it draws a
// mark for every position and snaps the thumb to its position's place when
// the pen lets go. The owner hears of every position change and of the end
// of every scrolling gesture.

#include <cstdint>
#include <vector>

#include "core/image_data.h"
#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/control_handler.h"
#include "ui/owner_timer.h"

enum ScrollBarFlags : uint8_t {
    ScrollTicks = 0x01,
    ScrollAccelerate = 0x02,
};

enum ScrollOrientation : uint32_t {
    ScrollUnset = 0,
    ScrollHorizontal = 1,
    ScrollVertical = 2,  // any value but 0 and 1
};

enum ScrollButtonMode : uint32_t {
    ScrollEndButtons = 0x01,   // first and last
    ScrollStepButtons = 0x02,  // back and forward
};

constexpr int32_t IidScrollBar = 25;

class CScrollBar : public CCompositeWnd, public CSkinTarget {
public:
    CScrollBar(CWindow* parent, const CStr& path, bool load);
    ~CScrollBar() override;

    void* QueryInterface(int32_t id) override;
    uint32_t SetSkin(const CStr& folder, bool redraw) override;
    bool LoadLayout(bool keepVisibility) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;

    void SetOrientation(uint32_t orientation);
    void SetMin(int32_t value, bool redraw);
    void SetMax(int32_t value, bool redraw);
    void SetPos(int32_t value, bool redraw, bool notify);
    void SetPage(int32_t value, bool redraw);
    void SetStep(int32_t value) { m_step = value; }
    void SetTicks(bool on, bool redraw);
    void SetButtonMode(uint32_t mode, bool redraw);
    virtual void OnScrolled();
    virtual void OnScrollEnded();

    int32_t Min() const { return m_min; }
    int32_t Max() const { return m_max; }
    int32_t Pos() const { return m_pos; }
    int32_t Page() const { return m_page; }
    int32_t Step() const { return m_step; }
    uint32_t Orientation() const { return m_orientation; }
    uint32_t ButtonMode() const { return m_buttonMode; }
    const PackedRect& Track() const { return m_track; }
    const CStr& SkinFolder() const { return m_skinFolder; }
    CButton* FirstButton() const { return m_first; }
    CButton* LastButton() const { return m_last; }
    CButton* BackButton() const { return m_back; }
    CButton* ForwardButton() const { return m_forward; }
    CButton* Thumb() const { return m_thumb; }
    CTimer* RepeatTimer() const { return m_timer; }
    // Tick places along the axis for the current range (what Paint draws).
    void TickPlaces(std::vector<int32_t>& places) const;

    uint8_t flags = ScrollAccelerate;
    ControlHandlerSlot<CScrollBar*> scrolled;
    ControlHandlerSlot<CScrollBar*> scrollEnded;

    void FitThickness();
    void ComputeTrack();
    void SizeThumb();
    void PlaceThumb();
    void PlaceButtons();
    void DragThumb(int32_t dx, int32_t dy);

private:
    bool Vertical() const { return m_orientation != ScrollHorizontal; }
    int32_t Length(const PackedRect& rect) const;
    int32_t Near(const PackedRect& rect) const;
    int32_t Far(const PackedRect& rect) const;
    // The rect with its near and far edges replaced.
    PackedRect WithSpan(const PackedRect& rect, int32_t nearEdge, int32_t farEdge) const;
    void MoveThumbTo(const PackedRect& rect);

    void OnRepeatTimer();
    void OnFirstClick(CWindow*, intptr_t);
    void OnLastClick(CWindow*, intptr_t);
    void OnBackState(CWindow*, intptr_t);
    void OnForwardState(CWindow*, intptr_t);
    void OnThumbPenDown(CWindow*, intptr_t point);
    void OnThumbPenMove(CWindow*, intptr_t point);
    void OnThumbPenUp(CWindow*, intptr_t point);
    void OnTrackPenDown(CWindow*, intptr_t point);
    void HoldStateChanged(CButton* button, int32_t sign);

    OwnerTimer<CScrollBar>* m_timer;
    int32_t m_counter = 0;
    int32_t m_delta = 0;
    PackedPoint m_dragAnchor = UndefinedPoint;
    PackedRect m_track = UndefinedRect;
    int32_t m_min = 0, m_max = 0, m_pos = 0, m_lastNotified = 0, m_page = 0, m_step = 0;
    CButton* m_first;
    CButton* m_last;
    CButton* m_back;
    CButton* m_forward;
    CButton* m_thumb;
    ImageData m_trackImage;
    ImageData m_tickImage;
    CStr m_skinFolder;
    uint32_t m_orientation = ScrollUnset;
    uint32_t m_buttonMode = 0;
    bool m_loadedOnce = false;
};

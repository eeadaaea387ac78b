#include "ui/scroll_bar.h"

#include <algorithm>

#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "ui/link_layout.h"
#include "ui/scroll_geometry.h"
#include "ui/skin.h"
#include "ui/window_mgr.h"

namespace {

constexpr int32_t kAnchorAsRequested = 5;  // none of the anchored modes

const PackedPoint& PointArg(intptr_t argument)
{
    return *reinterpret_cast<const PackedPoint*>(argument);
}

int16_t C16(int32_t value)
{
    return static_cast<int16_t>(std::clamp<int32_t>(value, -2047, 2047));
}

struct PartNames {
    const char* first;
    const char* back;
    const char* forward;
    const char* last;
    const char* thumb;
    const char* track;
    const char* tick;
};
constexpr PartNames kVerticalParts{"/Btn_UU",   "/Btn_U",   "/Btn_D", "/Btn_DD",
                                   "/Btn_Vert", "client_v", "tick_v"};
constexpr PartNames kHorizontalParts{"/Btn_LL",   "/Btn_L",   "/Btn_R", "/Btn_RR",
                                     "/Btn_Horz", "client_h", "tick_h"};

}  // namespace

CScrollBar::CScrollBar(CWindow* parent, const CStr& path, bool load)
    : CCompositeWnd(parent, path, false),
      m_timer(new OwnerTimer<CScrollBar>(this, &CScrollBar::OnRepeatTimer)),
      m_first(new CButton(m_window, CStr(), false)),
      m_last(new CButton(m_window, CStr(), false)),
      m_back(new CButton(m_window, CStr(), false)),
      m_forward(new CButton(m_window, CStr(), false)),
      m_thumb(new CButton(m_window, CStr(), false))
{
    m_thumb->pressFlags |= PressForwardMoves | PressReleaseAnywhere;
    m_thumb->Show(true, false);
    for (CButton* button : {m_first, m_back})
        button->SetAnchorMode(kAnchorAsRequested);
    for (CButton* button : {m_forward, m_last})
        button->SetAnchorMode(AnchorBottomRight);
    for (CButton* button : {m_first, m_back, m_forward, m_last}) {
        if (button->RequestedRect().IsDefined())
            button->SetRect(button->RequestedRect(), false);
    }
    for (CButton* button : {m_first, m_last, m_back, m_forward, m_thumb})
        button->SetRect(PackedRect(0, 0, 0, 0), false);
    m_first->BindHandler(HandlerClick, this, &CScrollBar::OnFirstClick);
    m_last->BindHandler(HandlerClick, this, &CScrollBar::OnLastClick);
    m_back->SetStateHandler(new (std::nothrow)
                                WindowMemberHandler<CScrollBar>(this, &CScrollBar::OnBackState));
    m_forward->SetStateHandler(new (std::nothrow)
                                   WindowMemberHandler<CScrollBar>(this, &CScrollBar::OnForwardState));
    m_thumb->BindHandler(HandlerPenDown, this, &CScrollBar::OnThumbPenDown);
    m_thumb->BindHandler(HandlerPenMove, this, &CScrollBar::OnThumbPenMove);
    m_thumb->BindHandler(HandlerPenUp, this, &CScrollBar::OnThumbPenUp);
    m_window->BindHandler(HandlerPenDown, this, &CScrollBar::OnTrackPenDown);
    if (load)
        LoadLayout(false);
}

CScrollBar::~CScrollBar()
{
    delete m_timer;
    m_timer = nullptr;
}

void* CScrollBar::QueryInterface(int32_t id)
{
    if (id == IidScrollBar)
        return this;
    if (id == IidSkinTarget)
        return static_cast<CSkinTarget*>(this);
    return CCompositeWnd::QueryInterface(id);
}

// ---- Axis helpers ----

int32_t CScrollBar::Length(const PackedRect& rect) const
{
    return Vertical() ? rect.Height() : rect.Width();
}
int32_t CScrollBar::Near(const PackedRect& rect) const
{
    return Vertical() ? rect.Top() : rect.Left();
}
int32_t CScrollBar::Far(const PackedRect& rect) const
{
    return Vertical() ? rect.Bottom() : rect.Right();
}

PackedRect CScrollBar::WithSpan(const PackedRect& rect, int32_t nearEdge, int32_t farEdge) const
{
    if (Vertical())
        return PackedRect(rect.Left(), C16(nearEdge), rect.Right(), C16(farEdge));
    return PackedRect(C16(nearEdge), rect.Top(), C16(farEdge), rect.Bottom());
}

void CScrollBar::MoveThumbTo(const PackedRect& rect)
{
    const PackedRect old = m_thumb->WindowRect();
    m_thumb->SetRect(rect, false);
    const PackedRect now = m_thumb->WindowRect();
    if (!(old == now)) {
        m_window->Invalidate(old, true);
        m_window->Invalidate(now, true);
    }
}

// ---- Configuration ----

uint32_t CScrollBar::SetSkin(const CStr& folder, bool redraw)
{
    m_skinFolder = folder;
    SetOrientation(m_orientation);
    if (redraw)
        m_window->Invalidate();
    return 1;
}

void CScrollBar::SetOrientation(uint32_t orientation)
{
    if (orientation == ScrollUnset)
        return;
    m_orientation = orientation;
    const PartNames& names = Vertical() ? kVerticalParts : kHorizontalParts;
    PushResourceFolder();
    CStr folder = CPathMgr::Path(CPathMgr::kSkin);
    folder.Append(m_skinFolder);
    CResourceMgr::SetCurrentFolder(folder.Chars());
    m_first->SetSkin(CStr::ConcatChars(m_skinFolder, names.first), false);
    m_back->SetSkin(CStr::ConcatChars(m_skinFolder, names.back), false);
    m_forward->SetSkin(CStr::ConcatChars(m_skinFolder, names.forward), false);
    m_last->SetSkin(CStr::ConcatChars(m_skinFolder, names.last), false);
    m_thumb->SetSkin(CStr::ConcatChars(m_skinFolder, names.thumb), false);
    m_trackImage.Clear();
    m_tickImage.Clear();
    LoadImage(names.track, m_trackImage);
    LoadImage(names.tick, m_tickImage);
    PopResourceFolder();
    for (CButton* button : {m_first, m_last, m_back, m_forward, m_thumb})
        button->SetRect(PackedRect(0, 0, 0, 0), false);
    FitThickness();
    SizeThumb();
    PlaceThumb();
    PlaceButtons();
}

void CScrollBar::SetMin(int32_t value, bool redraw)
{
    m_min = value;
    if (m_pos < m_min)
        m_pos = m_min;
    SizeThumb();
    PlaceThumb();
    if (redraw && m_track.IsDefined())
        m_window->Invalidate(m_track, true);
}

void CScrollBar::SetMax(int32_t value, bool redraw)
{
    m_max = value;
    if (m_pos > m_max)
        m_pos = m_max;
    SizeThumb();
    PlaceThumb();
    if (redraw && m_track.IsDefined())
        m_window->Invalidate(m_track, true);
}

void CScrollBar::SetPos(int32_t value, bool redraw, bool notify)
{
    m_pos = ClampScrollPosition(value, m_min, m_max);
    PlaceThumb();
    if (notify && m_pos != m_lastNotified)
        OnScrolled();
    if (redraw && m_track.IsDefined())
        m_window->Invalidate(m_track, true);
}

void CScrollBar::SetPage(int32_t value, bool redraw)
{
    m_page = value;
    SizeThumb();
    PlaceThumb();
    if (redraw && m_track.IsDefined())
        m_window->Invalidate(m_track, true);
}

void CScrollBar::SetTicks(bool on, bool redraw)
{
    if (((flags & ScrollTicks) != 0) == on)
        return;
    flags = static_cast<uint8_t>(on ? (flags | ScrollTicks) : (flags & ~ScrollTicks));
    PlaceThumb();
    if (redraw)
        m_window->Invalidate();
}

void CScrollBar::SetButtonMode(uint32_t mode, bool redraw)
{
    if (mode == m_buttonMode)
        return;
    m_buttonMode = mode;
    m_first->Show((mode & ScrollEndButtons) != 0, false);
    m_last->Show((mode & ScrollEndButtons) != 0, false);
    m_back->Show((mode & ScrollStepButtons) != 0, false);
    m_forward->Show((mode & ScrollStepButtons) != 0, false);
    PlaceButtons();
    if (redraw)
        m_window->Invalidate();
}

void CScrollBar::OnScrolled()
{
    m_lastNotified = m_pos;
    scrolled(this);
}

void CScrollBar::OnScrollEnded()
{
    scrollEnded(this);
}

bool CScrollBar::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    // Only the first load reads the range; later reloads keep what the owner set.
    const bool firstLoad = !m_loadedOnce;
    m_loadedOnce = true;
    SetSkin(CUIMgr::NextString(), false);
    SetOrientation(static_cast<uint32_t>(CUIMgr::NextOrientation()));
    SetButtonMode(static_cast<uint32_t>(CUIMgr::NextNumber()), false);
    SetTicks(CUIMgr::NextBool(), false);
    if (firstLoad) {
        SetMax(32767, false);
        SetMin(CUIMgr::NextNumber(), false);
        SetMax(CUIMgr::NextNumber(), false);
        m_step = CUIMgr::NextNumber();
        SetPage(CUIMgr::NextNumber(), false);
        if (m_window->IsVisible())
            m_window->Invalidate();
    }
    EndLinkLayout(m_link, refreshWas);
    return true;
}

// ---- Layout ----

void CScrollBar::FitThickness()
{
    if (m_orientation == ScrollUnset)
        return;
    PackedRect requested = m_window->RequestedRect();
    if (requested.IsDefined()) {
        if (Vertical()) {
            requested.SetRight(C16(requested.Left() + m_thumb->Width() - 1));
        } else {
            requested.SetBottom(C16(requested.Top() + m_thumb->Height() - 1));
        }
        m_window->SetRect(requested, false);
    }
    ComputeTrack();
}

void CScrollBar::ComputeTrack()
{
    if (m_orientation == ScrollUnset)
        return;
    if (!m_window->WindowRect().IsDefined()) {
        m_track = UndefinedRect;
        return;
    }
    PackedRect track = m_window->WindowRect();
    track.MoveToOrigin();
    int32_t nearEdge = Near(track);
    int32_t farEdge = Far(track);
    if (m_buttonMode & ScrollEndButtons) {
        nearEdge += Length(m_first->WindowRect());
        farEdge -= Length(m_last->WindowRect());
    }
    if (m_buttonMode & ScrollStepButtons) {
        nearEdge += Length(m_back->WindowRect());
        farEdge -= Length(m_forward->WindowRect());
    }
    m_track = WithSpan(track, nearEdge, farEdge);
}

void CScrollBar::SizeThumb()
{
    if (m_orientation == ScrollUnset || !m_track.IsDefined() || !m_thumb->WindowRect().IsDefined())
        return;
    const PackedRect thumb = m_thumb->WindowRect();
    // Shorter than its skin's two ends and middle, a thumb is drawn as a
    // sliver of them that beside an end button reads as no thumb at all.
    int32_t shortest = 0;
    if (const CFrameSkin* look = m_thumb->Look()) {
        const ImageData& middle = Vertical() ? look->leftEdge : look->topEdge;
        const int32_t middleLength = !middle.HasHeader() ? 0 : Vertical() ? middle.Height() : middle.Width();
        shortest = middleLength + (Vertical() ? look->TopHeight() + look->BottomHeight()
                                              : look->LeftWidth() + look->RightWidth());
    }
    const int32_t length =
        std::min(std::max(ScrollThumbLength(Length(m_track), m_page, m_min, m_max), shortest),
                 std::max(Length(m_track), 0));
    m_thumb->SetRect(WithSpan(thumb, Near(thumb), Near(thumb) + length - 1), false);
}

void CScrollBar::PlaceThumb()
{
    if (m_orientation == ScrollUnset || !m_track.IsDefined() || !m_thumb->WindowRect().IsDefined())
        return;
    const PackedRect thumb = m_thumb->WindowRect();
    const int32_t offset = ScrollThumbOffset(m_pos, m_min, m_max, Length(m_track), Length(thumb));
    const int32_t nearEdge = Near(m_track) + offset;
    m_thumb->SetRect(WithSpan(thumb, nearEdge, nearEdge + Length(thumb) - 1), false);
}

void CScrollBar::PlaceButtons()
{
    if (m_orientation == ScrollUnset)
        return;
    const int32_t thickness = Vertical() ? m_window->Width() : m_window->Height();
    int32_t nearCursor = 0;
    int32_t farCursor = 0;
    auto place = [&](CButton* button, int32_t at) {
        PackedRect rect = Vertical() ? PackedRect(0, C16(at), C16(thickness - 1), C16(at))
                                     : PackedRect(C16(at), 0, C16(at), C16(thickness - 1));
        button->SetRect(rect, false);
    };
    if (m_buttonMode & ScrollEndButtons) {
        place(m_first, nearCursor);
        place(m_last, farCursor);
        nearCursor += Length(m_first->WindowRect());
        farCursor -= Length(m_last->WindowRect());
    }
    if (m_buttonMode & ScrollStepButtons) {
        place(m_back, nearCursor);
        place(m_forward, farCursor);
    }
    ComputeTrack();
}

void CScrollBar::OnSize()
{
    FitThickness();
    SizeThumb();
    PlaceThumb();
    CCompositeWnd::OnSize();
}

// ---- Pen ----

void CScrollBar::DragThumb(int32_t dx, int32_t dy)
{
    if (m_orientation == ScrollUnset || !m_track.IsDefined())
        return;
    const PackedRect thumb = m_thumb->WindowRect();
    if (!thumb.IsDefined())
        return;
    const int32_t d =
        LimitScrollDrag(Vertical() ? dy : dx, Near(thumb), Far(thumb), Near(m_track), Far(m_track));
    const int32_t nearEdge = Near(thumb) + d;
    const PackedRect moved = WithSpan(thumb, nearEdge, Far(thumb) + d);
    const int32_t position =
        ScrollDragPosition(nearEdge - Near(m_track), m_min, m_max, Length(m_track), Length(thumb));
    m_pos = ClampScrollPosition(position, m_min, m_max);
    MoveThumbTo(moved);
    if (m_pos != m_lastNotified)
        OnScrolled();
}

void CScrollBar::OnThumbPenDown(CWindow*, intptr_t point)
{
    m_dragAnchor = PointArg(point);
}

void CScrollBar::OnThumbPenMove(CWindow*, intptr_t point)
{
    if (!m_thumb->HasFlag(WndPenPressed))
        return;
    const PackedPoint& p = PointArg(point);
    DragThumb(p.X() - m_dragAnchor.X(), p.Y() - m_dragAnchor.Y());
}

void CScrollBar::OnThumbPenUp(CWindow*, intptr_t)
{
    if (flags & ScrollTicks) {
        const PackedRect old = m_thumb->WindowRect();
        PlaceThumb();
        const PackedRect now = m_thumb->WindowRect();
        if (!(old == now)) {
            m_window->Invalidate(old, true);
            m_window->Invalidate(now, true);
        }
    }
    OnScrollEnded();
}

void CScrollBar::OnTrackPenDown(CWindow*, intptr_t point)
{
    if (m_orientation == ScrollUnset)
        return;
    const PackedPoint& p = PointArg(point);
    const PackedRect thumb = m_thumb->WindowRect();
    if (!thumb.IsDefined())
        return;
    const int32_t cx = FloorHalf(thumb.Left() + thumb.Right());
    const int32_t cy = FloorHalf(thumb.Top() + thumb.Bottom());
    DragThumb(p.X() - cx, p.Y() - cy);
    // The thumb takes the pen where it now lies, so the drag goes on.
    const PackedRect moved = m_thumb->WindowRect();
    WindowEvent event;
    event.target = m_thumb;
    event.type = EventPenDown;
    event.SetPoint(PackedPoint(C16(p.X() - moved.Left()), C16(p.Y() - moved.Top())));
    CWindowMgr::Dispatch(event);
}

// ---- Repeat ----

void CScrollBar::HoldStateChanged(CButton* button, int32_t sign)
{
    if (button->IsDrawnDown()) {
        m_counter = 0;
        m_delta = sign * m_step;
        m_timer->SetRate(RepeatStartRate);
        m_timer->suspended = 0;
    } else {
        m_timer->suspended = 1;
    }
}

void CScrollBar::OnBackState(CWindow*, intptr_t)
{
    HoldStateChanged(m_back, -1);
}
void CScrollBar::OnForwardState(CWindow*, intptr_t)
{
    HoldStateChanged(m_forward, 1);
}

void CScrollBar::OnRepeatTimer()
{
    m_timer->SetRate(NextRepeatRate(m_counter));
    const int64_t delta =
        static_cast<int64_t>(m_delta) * RepeatMultiplier(m_counter, (flags & ScrollAccelerate) != 0);
    SetPos(SaturatingAdd(m_pos, delta), true, true);
    OnScrollEnded();
    ++m_counter;
}

void CScrollBar::OnFirstClick(CWindow*, intptr_t)
{
    SetPos(m_min, true, true);
    OnScrollEnded();
}

void CScrollBar::OnLastClick(CWindow*, intptr_t)
{
    SetPos(m_max, true, true);
    OnScrollEnded();
}

// ---- Paint ----

void CScrollBar::TickPlaces(std::vector<int32_t>& places) const
{
    places.clear();
    if (m_orientation == ScrollUnset || !(flags & ScrollTicks) || !m_tickImage.HasHeader() ||
        m_max == m_min || !m_track.IsDefined())
        return;
    const int32_t size = Vertical() ? m_tickImage.Height() : m_tickImage.Width();
    const int32_t thumbLength = Vertical() ? m_thumb->Height() : m_thumb->Width();
    ScrollTickPlaces(Near(m_track), Length(m_track), thumbLength, m_min, m_max, size, places);
}

void CScrollBar::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    if (m_track.IsDefined() && m_trackImage.HasHeader())
        TileImage(m_canvas, m_track, m_trackImage);
    std::vector<int32_t> places;
    TickPlaces(places);
    for (int32_t c : places) {
        if (Vertical()) {
            DrawImage(m_canvas, 0, c, m_tickImage, UndefinedRect);
        } else {
            DrawImage(m_canvas, c, 0, m_tickImage, UndefinedRect);
        }
    }
    m_canvas.PopClip();
}

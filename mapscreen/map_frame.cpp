#include "mapscreen/map_frame.h"

#include <algorithm>
#include <cstdlib>

#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/error_code_stack.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "ui/link_layout.h"
#include "ui/window_mgr.h"

namespace {

// A drag starts once the pen has moved this far on either axis.
constexpr int32_t kDragThreshold = 26;
constexpr int32_t kKeyStep = 30;
// Below this display size the map stays at half scale.
constexpr int32_t kFullScaleMinDisplay = 281;
constexpr int16_t kDefaultBarThickness = 12;

// The frame that hears the keys: one map frame exists at a time.
CMapFrame* g_keyFrame = nullptr;

void KeyThunk(intptr_t key, SignalDelegate*)
{
    if (g_keyFrame != nullptr)
        g_keyFrame->OnKey(static_cast<uint32_t>(key));
}

int16_t C16(int32_t v)
{
    return static_cast<int16_t>(v);
}

PackedRect RectOf(int32_t left, int32_t top, int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return UndefinedRect;
    return PackedRect(C16(left), C16(top), C16(left + width - 1), C16(top + height - 1));
}

int16_t Thickness(const CWindow* bar, bool horizontal)
{
    const PackedRect& r = bar->RequestedRect();
    if (!r.IsDefined())
        return kDefaultBarThickness;
    const int16_t t = horizontal ? r.Height() : r.Width();
    return t > 0 ? t : kDefaultBarThickness;
}

}  // namespace

CMapFrame::CMapFrame(CWindow* parent, const CStr& name) : CCompositeWnd(parent, name, true), m_view(CStr())
{
    CWindow* w = m_window;
    w->SetFlag(WndSeeThrough, false);
    w->SetEventFlag(WndEventDoubleClick, true);
    w->BindHandler(HandlerPenDown, this, &CMapFrame::PenDownSlot);
    w->BindHandler(HandlerPenUp, this, &CMapFrame::PenUpSlot);
    w->BindHandler(HandlerPenMove, this, &CMapFrame::PenMoveSlot);
    w->BindHandler(HandlerClick, this, &CMapFrame::ClickSlot);
    w->BindHandler(HandlerDoubleClick, this, &CMapFrame::DoubleClickSlot);

    // Children name their nodes below the frame's own node.
    CStr base = name;
    if (m_link.Select())
        base = CUIMgr::Tree().SelectedPath();
    const CStr barPath = CStr::ConcatChars(base, "/ScrollBar");
    m_corner = new CTextButton(w, CStr::ConcatChars(base, "/ScrollBar/Btn_DR"), true);
    m_corner->SetAnchorMode(AnchorNone);
    m_corner->BindHandler(HandlerClick, this, &CMapFrame::OnCornerButton);
    m_cornerSize = m_corner->RequestedRect().IsDefined()
                       ? PackedPoint(m_corner->RequestedRect().Width(), m_corner->RequestedRect().Height())
                       : PackedPoint(kDefaultBarThickness, kDefaultBarThickness);
    m_hbar = new CScrollBar(w, barPath, true);
    // The node's size gives the bars' thickness; a bar fitted to a missing
    // skin would be one pixel thin.
    m_barThickness = PackedPoint(Thickness(m_hbar->Window(), false), Thickness(m_hbar->Window(), true));
    m_hbar->SetOrientation(ScrollHorizontal);
    m_hbar->Window()->SetAnchorMode(AnchorNone);
    m_hbar->SetButtonMode(ScrollEndButtons, false);
    m_hbar->scrolled.Bind(this, &CMapFrame::OnHorzScroll);
    m_vbar = new CScrollBar(w, barPath, true);
    m_vbar->SetOrientation(ScrollVertical);
    m_vbar->Window()->SetAnchorMode(AnchorNone);
    m_vbar->SetButtonMode(ScrollEndButtons, false);
    m_vbar->scrolled.Bind(this, &CMapFrame::OnVertScroll);
    m_corner->Show(false, false);
    LoadLayout(true);
    m_hbar->Window()->Show(false, false);
    m_vbar->Window()->Show(false, false);

    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars());
        CResourceMgr::LoadPalette("Map", m_palette);
    }
    if (m_palette.data == nullptr || m_palette.size < kPaletteSize) {
        m_palette = RawResource{};
        ShowErrorBox(CStr("Cannot load map palette"));
        PushErrorCode(PopErrorCode() & 255);
    } else {
        m_view.SetInvalidateHandler([this](const PackedRect& rect) { OnViewInvalidate(rect); });
        SigArmyMove.Connect(this, &CMapFrame::OnArmyMove);
        g_keyFrame = this;
        KeySignal.Connect(&KeyThunk, m_keyConnection);
    }
    m_mapArea = w->WindowRect();
    Relayout();
}

CMapFrame::~CMapFrame()
{
    SetMapPaletteActive(false);
    m_view.SetInvalidateHandler(nullptr);
    if (m_palette.data != nullptr)
        SigArmyMove.Disconnect();
    m_keyConnection.Disconnect();
    if (g_keyFrame == this)
        g_keyFrame = nullptr;
}

void* CMapFrame::QueryInterface(int32_t id)
{
    if (id == IidMapFrame)
        return this;
    return CCompositeWnd::QueryInterface(id);
}

bool CMapFrame::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    // The node may name a skin folder for the border and the background;
    // without one the map's own is taken, so that the border strips are
    // never left unpainted.
    const CStr skin = CUIMgr::NextString();
    LoadSkin(skin.IsEmpty() ? CStr("mapframe") : skin, false);
    EndLinkLayout(m_link, refreshWas);
    return true;
}

bool CMapFrame::LoadSkin(const CStr& name, bool redraw)
{
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CStr::Concat(CPathMgr::Path(CPathMgr::kSkin), name).Chars());
        m_background.Clear();
        LoadImage("frame_bg", m_background);
        m_border = CFrameSkin();
        m_border.Load("frame_ul", "frame_u", "frame_ur", "frame_l", "", "frame_r", "frame_dl", "frame_d",
                      "frame_dr");
    }
    if (m_window != nullptr && redraw)
        m_window->Invalidate();
    return true;
}

void CMapFrame::SetMapPaletteActive(bool on)
{
    if ((m_paletteActive != 0) == on || m_palette.data == nullptr)
        return;
    m_paletteActive = on ? 1 : 0;
    if (on) {
        SetPaletteLock(true);
        PushPalette();
        SetDisplayPalette(m_palette.data);
    } else {
        SetPaletteLock(false);
        PopPalette();
    }
}

// ---- Geometry ----

PackedPoint CMapFrame::ToView(const PackedPoint& point) const
{
    return PackedPoint(C16(point.X() - m_origin.X() - m_mapArea.Left()),
                       C16(point.Y() - m_origin.Y() - m_mapArea.Top()));
}

int32_t CMapFrame::ProvinceAtPoint(const PackedPoint& point) const
{
    if (!m_view.BlocksLoaded() || !m_mapArea.IsDefined() || !m_mapArea.Contains(point))
        return -1;
    return m_view.ProvinceAt(ToView(point));
}

void CMapFrame::SetOrigin(const PackedPoint& requested, bool redraw)
{
    const PackedPoint size = m_view.MapSize();
    const int32_t areaW = m_mapArea.IsDefined() ? m_mapArea.Width() : 0;
    const int32_t areaH = m_mapArea.IsDefined() ? m_mapArea.Height() : 0;
    int32_t x = std::min<int32_t>(requested.X(), 0), y = std::min<int32_t>(requested.Y(), 0);
    if (x + size.X() < areaW)
        x = std::min(areaW - size.X(), 0);
    if (y + size.Y() < areaH)
        y = std::min(areaH - size.Y(), 0);
    const int32_t dx = x - m_origin.X(), dy = y - m_origin.Y();
    m_origin = PackedPoint(C16(x), C16(y));
    if (dx == 0 && dy == 0)
        return;
    // Changes that reach one paint add up; without a repaint the picture on
    // the screen no longer matches any delta.
    if (redraw && m_delta.IsDefined()) {
        m_delta = PackedPoint(C16(m_delta.X() + dx), C16(m_delta.Y() + dy));
    } else {
        m_delta = redraw ? PackedPoint(C16(dx), C16(dy)) : UndefinedPoint;
    }
    if (redraw && m_mapArea.IsDefined())
        m_window->Invalidate(m_mapArea, true);
    if (!m_originGuard) {
        m_scrollGuard = 1;
        m_hbar->SetPos(-x, redraw, false);
        m_vbar->SetPos(-y, redraw, false);
        m_scrollGuard = 0;
    }
}

void CMapFrame::CenterOnProvince(const ProvinceRecord* province, bool redraw)
{
    if (province == nullptr || !m_mapArea.IsDefined())
        return;
    const PackedPoint p = m_view.ScaledPoint(province->points[2], province->points[3]);
    const PackedPoint size = m_view.MapSize();
    const int32_t w = m_mapArea.Width(), h = m_mapArea.Height();
    int32_t x = w / 2 - p.X();
    if (x > 0)
        x = 0;
    if (x <= w - size.X())
        x = w - size.X();
    int32_t y = h / 2 - p.Y();
    if (y > 0)
        y = 0;
    if (y <= h - size.Y())
        y = h - size.Y();
    SetOrigin(PackedPoint(C16(x), C16(y)), redraw);
}

void CMapFrame::SetHalfScale(bool half, bool redraw)
{
    if (m_view.IsHalfScale() != half) {
        const PackedPoint full = m_view.FullMapSize();
        if (half) {
            if (m_mapArea.IsDefined() && (m_mapArea.Width() < full.X() || m_mapArea.Height() < full.Y()))
                m_view.SetHalfScale(true);
        } else {
            CDisplaySurface* display = GetDisplaySurface();
            if (display != nullptr && display->Width() >= kFullScaleMinDisplay &&
                display->Height() >= kFullScaleMinDisplay)
                m_view.SetHalfScale(false);
        }
    }
    Relayout();
    SetOrigin(m_origin, redraw);
    if (redraw)
        m_window->Invalidate();
}

void CMapFrame::Relayout()
{
    CWindow* w = m_window;
    if (w == nullptr || m_hbar == nullptr || m_vbar == nullptr || !w->WindowRect().IsDefined() ||
        !w->ClientRect().IsDefined())
        return;
    m_delta = UndefinedPoint;
    const PackedRect client = w->ClientRect();
    const PackedPoint size = m_view.MapSize();
    const int32_t mw = size.X(), mh = size.Y();
    const int32_t cw = client.Width(), ch = client.Height();
    const int32_t barH = m_barThickness.Y(), barW = m_barThickness.X();
    m_scrollGuard = 1;

    int32_t areaW = std::min(mw, cw), areaH = std::min(mh, ch);
    bool horz = areaW < mw;
    if (horz)
        areaH = std::min(mh, ch - barH);
    const bool vert = areaH < mh;
    if (vert)
        areaW = std::min(mw, cw - barW);
    if (!horz && areaW < mw) {
        horz = true;
        areaH = std::min(mh, ch - barH);
    }
    if (horz) {
        m_hbar->SetMin(0, false);
        m_hbar->SetMax(mw - areaW, false);
        m_hbar->SetPage(areaW, false);
    }
    if (vert) {
        m_vbar->SetMin(0, false);
        m_vbar->SetMax(mh - areaH, false);
        m_vbar->SetPage(areaH, false);
    }
    int32_t spareW = cw - mw - (vert ? barW : 0);
    int32_t spareH = ch - mh - (horz ? barH : 0);
    spareW = spareW < 1 ? 0 : spareW / 2;
    spareH = spareH < 1 ? 0 : spareH / 2;
    const PackedPoint oldCorner = m_mapArea.IsDefined() ? m_mapArea.TopLeft() : UndefinedPoint;
    m_mapArea = RectOf(client.Left() + spareW, client.Top() + spareH, areaW, areaH);

    // Border strips: the client rect less the bordered map area.
    for (PackedRect& strip : m_strips)
        strip = UndefinedRect;
    if (m_mapArea.IsDefined()) {
        PackedRect border = m_mapArea;
        border.Inflate(PackedRect(m_border.LeftWidth(), m_border.TopHeight(), m_border.RightWidth(),
                                  m_border.BottomHeight()));
        border.Intersect(client);
        if (border.IsDefined()) {
            m_strips[0] = RectOf(client.Left(), client.Top(), cw, border.Top() - client.Top());
            m_strips[1] = RectOf(client.Left(), border.Bottom() + 1, cw, client.Bottom() - border.Bottom());
            m_strips[2] = RectOf(client.Left(), border.Top(), border.Left() - client.Left(), border.Height());
            m_strips[3] =
                RectOf(border.Right() + 1, border.Top(), client.Right() - border.Right(), border.Height());
        }
    }
    SetOrigin(m_origin, false);
    m_delta = UndefinedPoint;

    const PackedRect frame = w->WindowRect();
    if (relayoutRepaint) {
        const bool moved =
            oldCorner.IsDefined() && m_mapArea.IsDefined() && !(oldCorner == m_mapArea.TopLeft());
        if (moved) {
            w->Invalidate();
        } else if (m_prevFrame.IsDefined()) {
            // What the frame gained, in its own coordinates.
            PackedRect now = frame;
            now.MoveToOrigin();
            const int32_t oldW = m_prevFrame.Width(), oldH = m_prevFrame.Height();
            if (now.Width() > oldW)
                w->Invalidate(RectOf(oldW, 0, now.Width() - oldW, now.Height()), true);
            if (now.Height() > oldH)
                w->Invalidate(RectOf(0, oldH, now.Width(), now.Height() - oldH), true);
        }
    }
    m_prevFrame = frame;

    // A bar or the corner that moves or hides leaves its old place to the
    // map, which paints there only when asked.
    CWindow* parts[] = {m_hbar->Window(), m_vbar->Window(), m_corner};
    PackedRect oldPlaces[3];
    for (int i = 0; i < 3; ++i)
        oldPlaces[i] = parts[i]->IsVisible() ? parts[i]->WindowRect() : UndefinedRect;

    const int32_t hLength = cw - (vert ? m_cornerSize.X() : 0);
    const int32_t vLength = ch - (horz ? m_cornerSize.Y() : 0);
    if (horz)
        m_hbar->Window()->SetRect(RectOf(0, ch - barH, hLength, barH), false);
    if (vert)
        m_vbar->Window()->SetRect(RectOf(cw - barW, 0, barW, vLength), false);
    if (horz && vert)
        m_corner->SetRect(
            RectOf(cw - m_cornerSize.X(), ch - m_cornerSize.Y(), m_cornerSize.X(), m_cornerSize.Y()), false);
    m_hbar->Window()->Show(horz, false);
    m_vbar->Window()->Show(vert, false);
    m_corner->Show(horz && vert, false);
    for (int i = 0; i < 3; ++i) {
        if (oldPlaces[i].IsDefined() && !(parts[i]->IsVisible() && parts[i]->WindowRect() == oldPlaces[i]))
            w->Invalidate(oldPlaces[i], true);
    }
    m_scrollGuard = 0;
}

bool CMapFrame::LoadMapBlocks(const CStr& missionFolder)
{
    const bool ok = m_view.LoadBlocks(missionFolder);
    Relayout();
    if (m_window != nullptr)
        m_window->Invalidate();
    return ok;
}

// ---- Painting ----

void CMapFrame::DrawView(const PackedRect& clip)
{
    if (!clip.IsDefined() || !m_canvas.PushClip(clip))
        return;
    if (m_canvas.PushOrigin(
            PackedPoint(C16(m_mapArea.Left() + m_origin.X()), C16(m_mapArea.Top() + m_origin.Y())))) {
        m_view.Draw(m_canvas);
        m_canvas.PopOrigin();
    }
    m_canvas.PopClip();
}

void CMapFrame::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    const PackedRect client = m_window->ClientRect();
    // Most paints during the computer turns are a flag or an army inside the
    // map; the border and the strips around it are left as they are then.
    const PackedRect clip = m_canvas.CurrentClip();
    const bool insideMap = m_mapArea.IsDefined() && m_mapArea.Contains(clip.TopLeft()) &&
                           m_mapArea.Contains(PackedPoint(clip.Right(), clip.Bottom()));
    if (!insideMap && m_mapArea.IsDefined() && client.IsDefined() &&
        !(m_mapArea.TopLeft() == client.TopLeft())) {
        PackedRect border = m_mapArea;
        border.Inflate(PackedRect(m_border.LeftWidth(), m_border.TopHeight(), m_border.RightWidth(),
                                  m_border.BottomHeight()));
        if (m_border.IsLoaded()) {
            // The skin draws at the top-left of a context of its own size; a
            // context made that way starts unclipped, so it takes the paint's
            // clip, moved into its own coordinates.
            CDrawContext around;
            around.AttachTo(m_canvas, border);
            PackedRect aroundClip = clip;
            aroundClip.Offset(C16(-border.Left()), C16(-border.Top()));
            if (around.PushClip(aroundClip)) {
                PackedRect inner = border;
                inner.MoveToOrigin();
                m_border.Draw(around, inner);
            }
        }
        for (const PackedRect& strip : m_strips)
            if (strip.IsDefined() && m_background.HasHeader())
                TileImage(m_canvas, strip, m_background);
    }
    if (m_mapArea.IsDefined() && m_canvas.PushClip(m_mapArea)) {
        PackedRect update = rect;
        update.Intersect(m_mapArea);
        const bool whole = rect.Contains(m_mapArea.TopLeft()) &&
                           rect.Contains(PackedPoint(m_mapArea.Right(), m_mapArea.Bottom()));
        const int32_t dx = m_delta.IsDefined() ? m_delta.X() : 0, dy = m_delta.IsDefined() ? m_delta.Y() : 0;
        const int32_t w = m_mapArea.Width(), h = m_mapArea.Height();
        if (m_delta.IsDefined() && whole && std::abs(dx) < w && std::abs(dy) < h) {
            PackedRect target = m_mapArea;
            target.Offset(C16(dx), C16(dy));
            m_canvas.CopyFrom(target, m_canvas, m_mapArea);
            const int32_t ax = std::abs(dx), ay = std::abs(dy);
            const int32_t stripTop = dy > 0 ? m_mapArea.Top() + ay : m_mapArea.Top();
            if (ax > 0)
                DrawView(
                    RectOf(dx > 0 ? m_mapArea.Left() : m_mapArea.Right() - ax + 1, stripTop, ax, h - ay));
            if (ay > 0)
                DrawView(
                    RectOf(m_mapArea.Left(), dy > 0 ? m_mapArea.Top() : m_mapArea.Bottom() - ay + 1, w, ay));
            m_delta = UndefinedPoint;
        } else {
            if (m_delta.IsDefined() && !whole) {
                // Part of a scrolled picture cannot be moved on its own: the
                // whole area follows in the next paint.
                m_window->Invalidate(m_mapArea, true);
            }
            m_delta = UndefinedPoint;
            DrawView(update);
        }
        m_canvas.PopClip();
    }
    m_canvas.PopClip();
}

void CMapFrame::OnViewInvalidate(const PackedRect& rect)
{
    if (!rect.IsDefined() || !m_mapArea.IsDefined() || m_window == nullptr)
        return;
    PackedRect r = rect;
    r.Offset(C16(m_origin.X() + m_mapArea.Left()), C16(m_origin.Y() + m_mapArea.Top()));
    r.Intersect(m_mapArea);
    if (r.IsDefined())
        m_window->Invalidate(r, true);
}

void CMapFrame::OnSize()
{
    CCompositeWnd::OnSize();
    Relayout();
}

void CMapFrame::OnShow()
{
    CCompositeWnd::OnShow();
    CWindowMgr::PushKeyFocus(m_window);
}

void CMapFrame::OnHide()
{
    CWindowMgr::PopKeyFocus(m_window);
    CCompositeWnd::OnHide();
}

// ---- Input ----

void CMapFrame::Fire(const ProvinceEvent& event, int32_t province) const
{
    if (province >= 0 && event)
        event(static_cast<uint16_t>(province));
}

void CMapFrame::OnPenDown(const PackedPoint& point)
{
    if (m_view.IsBusy())
        return;
    m_anchor = point;
    m_view.HoldBlink(true);
    Fire(onProvincePenDown, ProvinceAtPoint(point));
}

void CMapFrame::OnPenUp(const PackedPoint& point)
{
    if (m_view.IsBusy())
        return;
    m_view.HoldBlink(false);
    Fire(onProvincePenUp, ProvinceAtPoint(point));
}

void CMapFrame::OnPenMove(const PackedPoint& point)
{
    if (m_view.IsBusy() || !m_window->HasFlag(WndPenPressed))
        return;
    if (dragScrollEnabled) {
        if (!m_dragging) {
            if (!m_anchor.IsDefined() || (std::abs(point.X() - m_anchor.X()) < kDragThreshold &&
                                          std::abs(point.Y() - m_anchor.Y()) < kDragThreshold))
                return;
            m_dragging = 1;
        }
        const PackedPoint next(C16(m_origin.X() + point.X() - m_anchor.X()),
                               C16(m_origin.Y() + point.Y() - m_anchor.Y()));
        m_anchor = point;
        SetOrigin(next, true);
        return;
    }
    const int32_t province = ProvinceAtPoint(point);
    if (province >= 0 && province != m_lastHovered) {
        m_lastHovered = province;
        Fire(onProvinceHover, province);
    }
}

void CMapFrame::OnClick(const PackedPoint&)
{
    if (m_view.IsBusy())
        return;
    m_dragging = 0;
}

void CMapFrame::OnDoubleClick(const PackedPoint& point)
{
    if (m_view.IsBusy())
        return;
    Fire(onProvinceDoubleClick, ProvinceAtPoint(point));
}

void CMapFrame::OnKey(uint32_t key)
{
    if (m_view.IsBusy())
        return;
    switch (key) {
    case MapKeyUp:
        SetOrigin(PackedPoint(m_origin.X(), C16(m_origin.Y() + kKeyStep)), true);
        break;
    case MapKeyDown:
        SetOrigin(PackedPoint(m_origin.X(), C16(m_origin.Y() - kKeyStep)), true);
        break;
    case MapKeyLeft:
        SetOrigin(PackedPoint(C16(m_origin.X() + kKeyStep), m_origin.Y()), true);
        break;
    case MapKeyRight:
        SetOrigin(PackedPoint(C16(m_origin.X() - kKeyStep), m_origin.Y()), true);
        break;
    case MapKeyAction:
        CenterOnProvince(CurrentProvince(), true);
        break;
    default:
        break;
    }
}

void CMapFrame::OnHorzScroll(CScrollBar* bar)
{
    if (m_scrollGuard)
        return;
    m_originGuard = 1;
    SetOrigin(PackedPoint(C16(-bar->Pos()), m_origin.Y()), true);
    m_originGuard = 0;
}

void CMapFrame::OnVertScroll(CScrollBar* bar)
{
    if (m_scrollGuard)
        return;
    m_originGuard = 1;
    SetOrigin(PackedPoint(m_origin.X(), C16(-bar->Pos())), true);
    m_originGuard = 0;
}

void CMapFrame::OnCornerButton(CWindow*, intptr_t)
{
    if (m_view.IsBusy())
        return;
    const PackedPoint size = m_view.MapSize();
    SetOrigin(PackedPoint(C16(-size.X()), C16(-size.Y())), true);
}

void CMapFrame::OnArmyMove(const ArmyMoveData& move)
{
    CWindow* window = m_window;
    WindowGuard alive(window);
    CWindowMgr::PushCapture(window);
    m_view.AnimateMove(move.flagNumber, PackedPoint(move.fromX, move.fromY), PackedPoint(move.toX, move.toY),
                       window);
    if (alive.Alive())
        CWindowMgr::RemoveCapture(window);
}

// ---- Member window slots ----

void CMapFrame::PenDownSlot(CWindow*, intptr_t point)
{
    OnPenDown(*reinterpret_cast<const PackedPoint*>(point));
}
void CMapFrame::PenUpSlot(CWindow*, intptr_t point)
{
    OnPenUp(*reinterpret_cast<const PackedPoint*>(point));
}
void CMapFrame::PenMoveSlot(CWindow*, intptr_t point)
{
    OnPenMove(*reinterpret_cast<const PackedPoint*>(point));
}
void CMapFrame::ClickSlot(CWindow*, intptr_t point)
{
    OnClick(*reinterpret_cast<const PackedPoint*>(point));
}
void CMapFrame::DoubleClickSlot(CWindow*, intptr_t point)
{
    OnDoubleClick(*reinterpret_cast<const PackedPoint*>(point));
}

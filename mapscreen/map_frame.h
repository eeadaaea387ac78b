#pragma once
// CMapFrame: the scrolling control that shows the strategic map inside the
// map window ("MapFrame"). It embeds the map view, owns two scroll bars, a
// corner button, a decorative border and background and the map palette,
// turns stylus and key input into scrolling and into province events, and
// repaints the map area with a scroll blit so that only newly exposed parts
// are drawn again.
//
// Coordinates: a frame point p inside the map area is the view point
// p - (map area's top-left) - origin; the bars' positions are -origin.

#include <cstdint>
#include <functional>

#include "core/packed_geometry.h"
#include "core/resource_mgr.h"
#include "core/signal.h"
#include "mapscreen/map_view.h"
#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/skin.h"

class ProvinceRecord;
struct ArmyMoveData;

constexpr int32_t IidMapFrame = 61;

// The logical keys the frame answers.
enum MapFrameKey : uint32_t {
    MapKeyUp = 0x407,
    MapKeyDown = 0x408,
    MapKeyLeft = 0x409,
    MapKeyRight = 0x40A,
    MapKeyAction = 0x40B,
};

class CMapFrame : public CCompositeWnd, public CSkinTarget {
public:
    // The owner's province events: each takes the province index.
    using ProvinceEvent = std::function<void(uint16_t province)>;

    CMapFrame(CWindow* parent, const CStr& name);
    ~CMapFrame() override;

    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnShow() override;
    void OnHide() override;
    // The member window's pen slots.
    void OnPenDown(const PackedPoint& point);
    void OnPenUp(const PackedPoint& point);
    void OnPenMove(const PackedPoint& point);
    void OnClick(const PackedPoint& point);
    void OnDoubleClick(const PackedPoint& point);
    void OnKey(uint32_t key);
    // The node's values after the control head: the skin name.
    bool LoadLayout(bool keepVisibility) override;

    // Skin: "frame_bg" tiles the border strips, "frame_*" the nine-part border.
    bool LoadSkin(const CStr& name, bool redraw);
    uint32_t SetSkin(const CStr& name, bool redraw) override { return LoadSkin(name, redraw) ? 1u : 0u; }

    void SetMapPaletteActive(bool on);
    void SetOrigin(const PackedPoint& origin, bool redraw);
    void CenterOnProvince(const ProvinceRecord* province, bool redraw);
    void SetHalfScale(bool half, bool redraw);
    void Relayout();
    bool LoadMapBlocks(const CStr& missionFolder);
    // Scroll-bar and corner-button handlers.
    void OnHorzScroll(CScrollBar* bar);
    void OnVertScroll(CScrollBar* bar);
    void OnCornerButton(CWindow* window, intptr_t argument);
    // The view's invalidate request (view coordinates).
    void OnViewInvalidate(const PackedRect& rect);
    void OnArmyMove(const ArmyMoveData& move);

    // The province under a frame point, -1 when none (or no blocks).
    int32_t ProvinceAtPoint(const PackedPoint& point) const;

    ProvinceEvent onProvincePenDown;
    ProvinceEvent onProvinceDoubleClick;
    ProvinceEvent onProvincePenUp;
    ProvinceEvent onProvinceHover;

    uint8_t relayoutRepaint = 0;
    uint8_t dragScrollEnabled = 1;

    CMapView& View() { return m_view; }
    const CMapView& View() const { return m_view; }
    PackedPoint Origin() const { return m_origin; }
    const PackedRect& MapArea() const { return m_mapArea; }
    bool IsDragging() const { return m_dragging != 0; }
    bool PaletteLoaded() const { return m_palette.data != nullptr; }
    bool IsPaletteActive() const { return m_paletteActive != 0; }
    CScrollBar* HorzBar() const { return m_hbar; }
    CScrollBar* VertBar() const { return m_vbar; }
    CTextButton* CornerButton() const { return m_corner; }
    int32_t LastHovered() const { return m_lastHovered; }
    const PackedRect& BorderStrip(int32_t i) const { return m_strips[i]; }

private:
    PackedPoint ToView(const PackedPoint& point) const;
    void DrawView(const PackedRect& clip);
    void PenDownSlot(CWindow* window, intptr_t point);
    void PenUpSlot(CWindow* window, intptr_t point);
    void PenMoveSlot(CWindow* window, intptr_t point);
    void ClickSlot(CWindow* window, intptr_t point);
    void DoubleClickSlot(CWindow* window, intptr_t point);
    void Fire(const ProvinceEvent& event, int32_t province) const;

    uint8_t m_scrollGuard = 0;
    uint8_t m_originGuard = 0;
    CScrollBar* m_hbar = nullptr;
    CScrollBar* m_vbar = nullptr;
    CTextButton* m_corner = nullptr;
    PackedPoint m_cornerSize = PackedPoint(0, 0);
    PackedPoint m_barThickness = PackedPoint(0, 0);  // vertical bar's width, horizontal bar's height
    uint8_t m_dragging = 0;
    PackedRect m_strips[4] = {UndefinedRect, UndefinedRect, UndefinedRect, UndefinedRect};
    PackedRect m_prevFrame = UndefinedRect;
    ImageData m_background;
    CFrameSkin m_border;
    PackedPoint m_delta = UndefinedPoint;
    PackedPoint m_anchor = UndefinedPoint;
    RawResource m_palette;
    uint8_t m_paletteActive = 0;
    CMapView m_view;
    PackedPoint m_origin = PackedPoint(0, 0);
    PackedRect m_mapArea = UndefinedRect;
    int32_t m_lastHovered = -1;
    SignalConnection m_keyConnection;
};

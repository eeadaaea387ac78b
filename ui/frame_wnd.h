#pragma once
// CFrameWnd: a window with a skinned border and an optional title bar. The
// frame's border widths and the title bar's height become the window's
// margins, so children laid out in the client area stay inside the border
// and below the title.

#include <cstdint>

#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/skin.h"
#include "ui/ui_link.h"
#include "ui/window.h"

struct TitleLayout {
    PackedRect bar = PackedRect(0, 0, -1, -1);
    PackedPoint textPosition = UndefinedPoint;
};
// Lays a title bar of three images around a text in font 0 out with its top
// at `top`, centred in a window of the given width.
TitleLayout LayoutTitleBar(const ImageData& left, const ImageData& right, const ImageData& centre,
                           const CStr& text, int32_t windowWidth, int32_t top);
// Draws a laid out title bar and its text.
void DrawTitleBar(CDrawContext& dc, const TitleLayout& title, const ImageData& left, const ImageData& right,
                  const ImageData& centre, const CStr& text, uint8_t colour);

class CFrameWnd : public CWindow, public CSkinTarget, public LayoutReader {
public:
    CFrameWnd(CWindow* parent, const CStr& path, bool load);
    ~CFrameWnd() override;
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnTextChanged() override;
    void OnShow() override;
    void OnHide() override;

    bool LoadLayout(bool keepVisibility) override;
    uint32_t SetSkin(const CStr& name, bool redraw) override;
    void UpdateMargins();
    void LayoutTitle();
    void FitToSkin();

    CFrameWndSkin* Skin() const { return m_skin; }
    CHintHelpLink& Link() { return m_link; }
    CWindowCanvas& Canvas() { return m_canvas; }
    const PackedRect& TitleRect() const { return m_title.bar; }
    const PackedPoint& TitleTextPosition() const { return m_title.textPosition; }
    uint8_t titleColour = 0;
    uint8_t noMargins = 0;

protected:
    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
    TitleLayout m_title;
    CFrameWndSkin* m_skin;
    bool m_decorationsMade = false;
};

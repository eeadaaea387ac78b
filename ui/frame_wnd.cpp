#include "ui/frame_wnd.h"

#include <algorithm>

#include "core/draw_context.h"
#include "core/font.h"
#include "core/raster.h"
#include "core/ui_mgr.h"

namespace {
int32_t W(const ImageData& image)
{
    return image.HasHeader() ? image.Width() : 0;
}
int32_t H(const ImageData& image)
{
    return image.HasHeader() ? image.Height() : 0;
}
}  // namespace

TitleLayout LayoutTitleBar(const ImageData& l, const ImageData& r, const ImageData& c, const CStr& text,
                           int32_t windowWidth, int32_t top)
{
    TitleLayout title;
    if (text.IsEmpty())
        return title;
    const FontData& font = SelectFont(0);
    const int32_t tw = MeasureTextWidth(text, font);
    const int32_t th = MeasureTextHeight(text, font);
    int32_t bw = 0, bh = 0, ml = 0, mt = 0, mr = 0, mb = 0;
    if (c.HasHeader()) {
        mt = std::max(mt, static_cast<int32_t>(c.BlockY()));
        mb = std::max(mb, H(c) - c.BlockY() - c.BlockHeight());
        bw += tw;
        bh = std::max(bh, H(c));
    }
    if (l.HasHeader()) {
        ml = std::max(ml, static_cast<int32_t>(l.BlockX()));
        mt = std::max(mt, static_cast<int32_t>(l.BlockY()));
        mb = std::max(mb, H(l) - l.BlockY() - l.BlockHeight());
        bw += W(l);
        bh = std::max(bh, H(l));
    }
    if (r.HasHeader()) {
        mr = std::max(mr, W(r) - r.BlockX() - r.BlockWidth());
        mt = std::max(mt, static_cast<int32_t>(r.BlockY()));
        mb = std::max(mb, H(r) - r.BlockY() - r.BlockHeight());
        bw += W(r);
        bh = std::max(bh, H(r));
    }
    if (bw == 0)
        bw = tw;
    if (bh == 0)
        bh = th;
    const int32_t textX = ml + (((bw - mr - ml + 1) - tw) >> 1);
    const int32_t textY = mt + (((bh - mb - mt + 1) - th) >> 1);
    const int32_t left = (windowWidth - bw) >> 1;
    title.bar = PackedRect(left, top, left + bw - 1, top + bh - 1);
    title.textPosition = PackedPoint(textX + left, textY + top);
    return title;
}

void DrawTitleBar(CDrawContext& dc, const TitleLayout& title, const ImageData& l, const ImageData& r,
                  const ImageData& c, const CStr& text, uint8_t colour)
{
    if (title.bar.Height() == 0 || !title.bar.IsDefined())
        return;
    int32_t left = title.bar.Left(), right = title.bar.Right();
    const int32_t top = title.bar.Top(), bottom = title.bar.Bottom();
    if (l.HasHeader()) {
        DrawImage(dc, left, top, l, UndefinedRect);
        left += W(l);
    }
    if (r.HasHeader()) {
        right -= W(r);
        DrawImage(dc, right + 1, top, r, UndefinedRect);
    }
    if (c.HasHeader() && right >= left)
        TileImage(dc, PackedRect(left, top, right, bottom), c);
    DrawText(dc, title.textPosition.X(), title.textPosition.Y(), text, colour, 0, true, SelectFont(0));
}

CFrameWnd::CFrameWnd(CWindow* parent, const CStr& path, bool load)
    : CWindow(parent, UndefinedRect, CStr(), false), m_link(false, path, this), m_skin(&DefaultFrameWndSkin())
{
    m_link.SetLayoutReader(this);
    SetFlag(WndRaiseOnPenDown, true);
    SetEventFlag(WndEventDoubleClick, true);
    m_title.bar = UndefinedRect;
    if (load)
        LoadLayout(false);
}

CFrameWnd::~CFrameWnd()
{
    PrepareDestroy();
}

void* CFrameWnd::QueryInterface(int32_t id)
{
    switch (id) {
    case IidFrameWnd:
        return static_cast<CWindow*>(this);
    case IidSkinTarget:
        return static_cast<CSkinTarget*>(this);
    case IidUiTreeLink:
    case IidHintHelpLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return CWindow::QueryInterface(id);
    }
}

bool CFrameWnd::LoadLayout(bool keepVisibility)
{
    const bool was = m_link.SetRefreshEnabled(false);
    if (!m_link.ReloadLink(keepVisibility)) {
        m_link.SetRefreshEnabled(was);
        return false;
    }
    const CStr title = CUIMgr::Tree().ReadText();
    // A title that code has set since is kept on later re-reads.
    if (!keepVisibility)
        SetText(title, false);
    SetSkin(CUIMgr::NextString(), false);
    titleColour = static_cast<uint8_t>(CUIMgr::Tree().ReadValue() & 0xFF);
    // The decorative labels and icons are children for good: a re-read must
    // not add a second set.
    if (!m_decorationsMade) {
        m_decorationsMade = true;
        m_link.CreateLabelsAndIcons();
    }
    m_link.SetRefreshEnabled(was);
    if (was)
        m_link.Refresh();
    return true;
}

uint32_t CFrameWnd::SetSkin(const CStr& name, bool redraw)
{
    // Without a frame skin of that name the window keeps the default look.
    CFrameWndSkin* skin = GetFrameWndSkin(name);
    m_skin = skin ? skin : &DefaultFrameWndSkin();
    WindowGuard guard(this);
    OnSize();
    if (guard.Alive() && redraw)
        Invalidate(UndefinedRect, true);
    return 1;
}

void CFrameWnd::OnSize()
{
    CWindow::OnSize();
    FitToSkin();
    m_canvas.Attach(this);
    LayoutTitle();
    UpdateMargins();
}

void CFrameWnd::OnTextChanged()
{
    CWindow::OnTextChanged();
    LayoutTitle();
    UpdateMargins();
}

void CFrameWnd::FitToSkin()
{
    if (!m_skin->IsLoaded())
        return;
    SetRect(m_skin->frame.FitRect(RequestedRect()), false);
}

void CFrameWnd::LayoutTitle()
{
    m_title = TitleLayout{};
    if (!m_skin->IsLoaded() || Text().IsEmpty())
        return;
    m_title = LayoutTitleBar(m_skin->titleLeft, m_skin->titleRight, m_skin->titleCentre, Text(), Width(),
                             m_skin->frame.TopHeight());
}

void CFrameWnd::UpdateMargins()
{
    if (!m_skin->IsLoaded())
        return;
    PackedRect margins(0, 0, 0, 0);
    if (!noMargins) {
        margins = m_skin->frame.ClientInsets();
        const int32_t titleHeight = m_title.bar.IsDefined() ? m_title.bar.Height() : 0;
        margins.SetTop(margins.Top() + titleHeight);
    }
    SetMargins(margins, false);
}

void CFrameWnd::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    m_skin->frame.Draw(m_canvas, PackedRect(0, 0, Width() - 1, Height() - 1));
    DrawTitleBar(m_canvas, m_title, m_skin->titleLeft, m_skin->titleRight, m_skin->titleCentre, Text(),
                 titleColour);
    m_canvas.PopClip();
}

void CFrameWnd::OnShow()
{
    PlaySkinSound(m_skin->showSound);
    CWindow::OnShow();
}

void CFrameWnd::OnHide()
{
    PlaySkinSound(m_skin->hideSound);
    CWindow::OnHide();
}

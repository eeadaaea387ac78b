#include "ui/label.h"

#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/link_layout.h"

namespace {

void PaintCaption(CWindowCanvas& canvas, CAlignedBox& caption, const PackedRect& client,
                  const PackedRect& rect)
{
    canvas.PushClip(rect);
    caption.Draw(canvas, client.Left(), client.Top());
    canvas.PopClip();
}

void FitCaption(CAlignedBox& caption, const PackedRect& client)
{
    if (!client.IsDefined())
        return;
    caption.SetOuterSize(client.Width(), client.Height());
    caption.Recalc();
}

}  // namespace

// ---- CLabel ----

CLabel::CLabel(CWindow* parent, const CStr& path, bool load)
    : CWindow(parent, UndefinedRect, CStr(), false), m_caption(this), m_link(false, path, this)
{
    m_link.SetLayoutReader(this);
    SetTransparent(true, true);
    if (load)
        m_link.Reload(false);
}

void* CLabel::QueryInterface(int32_t id)
{
    switch (id) {
    case IidLabel:
    case IidWindow:
        return static_cast<CWindow*>(this);
    case IidTextElement:
    case IidDrawable:
    case IidAlignedBox:
        return static_cast<CAlignedBox*>(&m_caption);
    case IidHintHelpLink:
    case IidUiTreeLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return CWindow::QueryInterface(id);
    }
}

void CLabel::SetTransparent(bool on, bool redraw)
{
    SetFlag(WndSeeThrough, on);
    m_caption.noFill = on ? 1 : 0;
    if (redraw)
        Invalidate();
}

void CLabel::Paint(const PackedRect& rect)
{
    PaintCaption(m_canvas, m_caption, ClientRect(), rect);
}

void CLabel::OnSize()
{
    CWindow::OnSize();
    m_canvas.Attach(this);
    FitCaption(m_caption, ClientRect());
}

void CLabel::OnTextChanged()
{
    CWindow::OnTextChanged();
    m_caption.SetText(Text(), false);
}

bool CLabel::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    const CStr text = CUIMgr::Tree().ReadText();
    if (!keepVisibility)
        SetText(text, false);
    const uint8_t alignH = static_cast<uint8_t>(CUIMgr::NextAlignH());
    m_caption.SetAlign(alignH, static_cast<uint8_t>(m_caption.Alignment() >> 4));
    const uint8_t alignV = static_cast<uint8_t>(CUIMgr::NextAlignV());
    m_caption.SetAlign(m_caption.Alignment() & 0x0F, alignV);
    m_caption.foreground = static_cast<uint8_t>(CUIMgr::Tree().ReadValue());
    EndLinkLayout(m_link, refreshWas);
    return true;
}

CWindow* CreateLabelFromSelectedNode(CWindow* parent)
{
    auto* label = new (std::nothrow) CLabel(parent, CStr(), false);
    if (label == nullptr)
        return nullptr;
    label->Link().BindSelectedNode();
    label->Link().Reload(false);
    return label;
}

// ---- CMenuItem ----

CMenuItem::CMenuItem(CWindow* parent, const CStr& path, bool load)
    : CPressable(parent, UndefinedRect, CStr(), false), m_caption(this), m_link(false, path, this)
{
    m_link.SetLayoutReader(this);
    m_caption.SetAlign(AlignCentre, AlignCentre);
    SetTransparent(true, false);
    if (load)
        m_link.Reload(false);
}

void* CMenuItem::QueryInterface(int32_t id)
{
    switch (id) {
    case IidMenuItem:
    case IidPressable:
    case IidWindow:
        return static_cast<CWindow*>(this);
    case IidTextElement:
    case IidDrawable:
    case IidAlignedBox:
        return static_cast<CAlignedBox*>(&m_caption);
    case IidHintHelpLink:
    case IidUiTreeLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return CPressable::QueryInterface(id);
    }
}

void CMenuItem::SetTransparent(bool on, bool redraw)
{
    SetFlag(WndSeeThrough, on);
    m_caption.noFill = on ? 1 : 0;
    if (redraw)
        Invalidate();
}

void CMenuItem::Paint(const PackedRect& rect)
{
    PaintCaption(m_canvas, m_caption, ClientRect(), rect);
}

void CMenuItem::OnSize()
{
    CPressable::OnSize();
    m_canvas.Attach(this);
    FitCaption(m_caption, ClientRect());
}

void CMenuItem::OnTextChanged()
{
    CPressable::OnTextChanged();
    m_caption.SetText(Text(), false);
}

void CMenuItem::OnEnable()
{
    CPressable::OnEnable();
    UpdateTextColor();
}

void CMenuItem::OnDisable()
{
    CPressable::OnDisable();
    UpdateTextColor();
}

void CMenuItem::SetShadowSize(uint8_t size, bool refresh)
{
    upShadowSize = size;
    m_caption.shadowSize = IsDrawnDown() ? 0 : size;
    m_caption.Measure();
    if (refresh)
        m_caption.Relayout();
}

void CMenuItem::UpdateTextColor()
{
    if (!IsEnabled()) {
        m_caption.foreground = disabledColour;
    } else if (IsDrawnDown()) {
        m_caption.foreground = pressedColour;
    } else {
        m_caption.foreground = normalColour;
    }
}

void CMenuItem::OnStateChanged(bool sound)
{
    m_caption.shadowSize = IsDrawnDown() ? 0 : upShadowSize;
    m_caption.Measure();
    UpdateTextColor();
    CPressable::OnStateChanged(sound);
}

bool CMenuItem::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    CUiTree& tree = CUIMgr::Tree();
    SetText(tree.ReadText(), false);
    normalColour = static_cast<uint8_t>(tree.ReadValue());
    UpdateTextColor();
    pressedColour = static_cast<uint8_t>(tree.ReadValue());
    UpdateTextColor();
    disabledColour = static_cast<uint8_t>(tree.ReadValue());
    UpdateTextColor();
    m_caption.shadowColour = static_cast<uint8_t>(tree.ReadValue());
    SetShadowSize(static_cast<uint8_t>(tree.ReadValue()), false);
    m_caption.SetShadowPos(static_cast<uint32_t>(CUIMgr::NextNumber()), false);
    EndLinkLayout(m_link, refreshWas);
    return true;
}

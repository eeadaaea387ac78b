#include "ui/list_label.h"

#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/link_layout.h"

CListLabel::CListLabel(CWindow* parent, const CStr& path, int16_t stringCount, bool load)
    : CWindow(parent, UndefinedRect, CStr(), false),
      m_text(this),
      m_link(false, path, this),
      m_count(stringCount)
{
    m_link.SetLayoutReader(this);
    SetTransparent(true, true);
    if (load)
        LoadLayout(false);
}

CListLabel::~CListLabel()
{
    PrepareDestroy();
    m_strings.SetSize(0);
}

void* CListLabel::QueryInterface(int32_t id)
{
    switch (id) {
    case IidListLabel:
    case IidWindow:
        return static_cast<CWindow*>(this);
    case IidTextElement:
    case IidDrawable:
    case IidAlignedBox:
        return static_cast<CAlignedBox*>(&m_text);
    case IidHintHelpLink:
    case IidUiTreeLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return CWindow::QueryInterface(id);
    }
}

void CListLabel::SetTransparent(bool on, bool redraw)
{
    SetFlag(WndSeeThrough, on);
    m_text.noFill = on ? 1 : 0;
    if (redraw)
        Invalidate();
}

void CListLabel::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    m_text.Draw(m_canvas, ClientRect().Left(), ClientRect().Top());
    m_canvas.PopClip();
}

void CListLabel::OnSize()
{
    CWindow::OnSize();
    m_canvas.Attach(this);
    if (ClientRect().IsDefined())
        m_text.SetOuterSize(ClientRect().Width(), ClientRect().Height());
}

void CListLabel::OnTextChanged()
{
    CWindow::OnTextChanged();
    m_text.SetText(Text(), false);
}

bool CListLabel::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    const bool firstLoad = !m_loadedOnce;
    m_loadedOnce = true;
    CUiTree& tree = CUIMgr::Tree();
    for (int32_t i = 0; i < m_count; ++i)
        m_strings.Append(tree.ReadText());
    if (firstLoad && m_count > 0)
        SetText(m_strings.GetString(0), false);
    const uint8_t alignH = static_cast<uint8_t>(CUIMgr::NextNumber());
    m_text.SetAlign(alignH & 0x0F, static_cast<uint8_t>(m_text.Alignment() >> 4));
    const uint8_t alignV = static_cast<uint8_t>(CUIMgr::NextNumber());
    m_text.SetAlign(m_text.Alignment() & 0x0F, alignV & 0x0F);
    m_text.foreground = static_cast<uint8_t>(CUIMgr::NextNumber());
    EndLinkLayout(m_link, refreshWas);
    return true;
}

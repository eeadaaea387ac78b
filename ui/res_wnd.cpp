#include "ui/res_wnd.h"

#include <algorithm>

#include "core/font.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/link_layout.h"

namespace {

int32_t KnownOr0(int32_t size)
{
    return size < 0 ? 0 : size;
}

}  // namespace

// ---- CResWnd ----

CResWnd::CResWnd(CWindow* parent, const CStr& path, bool load)
    : CWindow(parent, UndefinedRect, CStr(), false),
      m_row(kUnknownSize, kUnknownSize, AlignStart, AlignCentre, 0, 0),
      m_link(false, path, this),
      m_caption(this)
{
    m_link.SetLayoutReader(this);
    SetFlag(WndSeeThrough, true);
    if (load)
        LoadLayout(false);
}

CResWnd::~CResWnd()
{
    PrepareDestroy();
    Clear(false);
}

void* CResWnd::QueryInterface(int32_t id)
{
    switch (id) {
    case IidResWnd:
    case IidWindow:
        return static_cast<CWindow*>(this);
    case IidAlignedBox:
        return &m_row;
    case IidHintHelpLink:
    case IidUiTreeLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return CWindow::QueryInterface(id);
    }
}

int32_t CResWnd::ItemGap()
{
    return SelectFont(0).GetGlyph(' ').width * LayoutScaleH / 16;
}
int32_t CResWnd::InnerGap()
{
    return (SelectFont(0).GetGlyph(' ').width / 2) * LayoutScaleH / 16;
}

bool CResWnd::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    CUiTree& tree = CUIMgr::Tree();
    const CStr caption = tree.ReadText();
    if (!keepVisibility)
        m_caption.SetText(caption, false);
    const uint8_t alignH = static_cast<uint8_t>(CUIMgr::NextAlignH());
    const uint8_t alignV = static_cast<uint8_t>(CUIMgr::NextAlignV());
    m_row.SetAlign(alignH, alignV);
    m_caption.SetAlign(alignH, alignV);
    m_caption.foreground = static_cast<uint8_t>(tree.ReadValue());
    // The amounts stand on the caption's ground: they take its ink.
    amountColour = m_caption.foreground;
    m_caption.Measure();
    m_caption.FitToContent();
    flags = static_cast<uint8_t>(CUIMgr::NextBool() ? (flags | ResShowZero) : (flags & ~ResShowZero));
    Layout();
    EndLinkLayout(m_link, refreshWas);
    return true;
}

void CResWnd::Clear(bool redraw)
{
    for (CImageElement* icon : m_icons)
        delete icon;
    for (CTextElement* amount : m_amounts)
        delete amount;
    m_icons.clear();
    m_amounts.clear();
    if (redraw)
        Invalidate();
}

void CResWnd::SetAmounts(const CStr* codes, const int32_t* amounts, int32_t count, bool redraw)
{
    Clear(redraw);
    PushResourceFolder();
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesIcons).Chars());
    for (int32_t i = 0; i < count; ++i) {
        if (!(flags & ResShowZero) && amounts[i] < 1)
            continue;
        CStr icon = codes[i];
        if (flags & ResPluralIcons)
            icon.AppendChar('s');
        CStr text;
        text.Format("%ld", amounts[i]);
        AddItem(icon, text, false);
    }
    PopResourceFolder();
    Layout();
    if (redraw)
        Invalidate();
}

void CResWnd::AddItem(const CStr& iconName, const CStr& text, bool redraw)
{
    auto* icon = new CImageElement("", kUnknownSize, kUnknownSize);
    icon->SetAlign(AlignStart, AlignCentre);
    if (icon->SetImage(iconName.Chars(), false))
        icon->FitToContent();
    auto* amount = new CTextElement(text, kUnknownSize, kUnknownSize, amountColour, 0, true, 0);
    amount->SetAlign(AlignStart, AlignCentre);
    amount->Measure();
    m_icons.push_back(icon);
    m_amounts.push_back(amount);
    if (redraw) {
        Layout();
        Invalidate();
    }
}

void CResWnd::AddNumber(const CStr& icon, int32_t number, bool redraw)
{
    CStr text;
    text.Format("%ld", number);
    AddItem(icon, text, redraw);
}

int32_t CResWnd::RowWidth() const
{
    const int32_t s = ItemGap();
    const int32_t h = InnerGap();
    int32_t width = KnownOr0(m_caption.OwnWidth());
    if (!m_caption.Text().IsEmpty())
        width += h;
    for (size_t i = 0; i < m_icons.size(); ++i) {
        width += h + KnownOr0(m_icons[i]->OuterWidth()) + KnownOr0(m_amounts[i]->OwnWidth());
        if (i + 1 < m_icons.size())
            width += s;
    }
    return width;
}

void CResWnd::Layout()
{
    // The row takes the largest of the three fonts that fits the window.
    int32_t width = 0;
    for (uint8_t font = 0; font < 3; ++font) {
        for (CTextElement* amount : m_amounts) {
            amount->SetFont(font, false);
            amount->FitToContent();
        }
        width = RowWidth();
        if (width <= Width())
            break;
    }
    int32_t height = m_caption.FontRecord().Height();
    for (CImageElement* icon : m_icons)
        height = std::max<int32_t>(height, icon->OuterHeight());
    for (CTextElement* amount : m_amounts)
        height = std::max<int32_t>(height, amount->FontRecord().Height());
    const int16_t h16 = static_cast<int16_t>(height);
    for (CImageElement* icon : m_icons)
        icon->SetOuterSize(KnownOr0(icon->OuterWidth()) > 0 ? icon->OuterWidth() : 0, h16);
    for (CTextElement* amount : m_amounts)
        amount->SetOuterSize(amount->OuterWidth(), h16);
    m_caption.SetOuterSize(m_caption.OuterWidth(), h16);
    m_row.SetOwnSize(static_cast<int16_t>(width), h16);
}

void CResWnd::DrawRow(CDrawContext& dc, int32_t dx, int32_t dy)
{
    const int32_t h = InnerGap();
    const int32_t s = ItemGap();
    int32_t x = dx + (m_row.Position().IsDefined() ? m_row.Position().X() : 0);
    const int32_t y = dy + (m_row.Position().IsDefined() ? m_row.Position().Y() : 0);
    if (!m_caption.Text().IsEmpty()) {
        m_caption.Draw(dc, x, y);
        x += KnownOr0(m_caption.OuterWidth()) + h;
    }
    for (size_t i = 0; i < m_icons.size(); ++i) {
        m_icons[i]->Draw(dc, x, y);
        const int32_t amountX = x + KnownOr0(m_icons[i]->OuterWidth()) + h;
        m_amounts[i]->Draw(dc, amountX, y);
        x = amountX + KnownOr0(m_amounts[i]->OuterWidth()) + s;
    }
}

void CResWnd::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    DrawRow(m_canvas, ClientRect().Left(), ClientRect().Top());
    m_canvas.PopClip();
}

void CResWnd::OnSize()
{
    CWindow::OnSize();
    m_canvas.Attach(this);
    if (ClientRect().IsDefined())
        m_row.SetOuterSize(ClientRect().Width(), ClientRect().Height());
    Layout();
}

// ---- CSquadButton ----

CSquadButton::CSquadButton(CWindow* parent, const CStr& path, bool load)
    : CButton(parent, path, false), m_face(this)
{
    m_face.SetAlign(AlignCentre, AlignCentre);
    if (load)
        LoadLayout(false);
}

void* CSquadButton::QueryInterface(int32_t id)
{
    if (id == IidSquadButton)
        return static_cast<CWindow*>(this);
    if (id == IidSquadIcon || id == IidDrawable)
        return static_cast<CAlignedBox*>(&m_face);
    return CButton::QueryInterface(id);
}

bool CSquadButton::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    SetSkin(CUIMgr::NextString(), false);
    EndLinkLayout(m_link, refreshWas);
    return true;
}

void CSquadButton::Paint(const PackedRect& rect)
{
    CButton::Paint(rect);
    if (!m_canvas.IsBound() || !ClientRect().IsDefined() || !m_canvas.PushClip(rect))
        return;
    m_face.Draw(m_canvas, ClientRect().Left(), ClientRect().Top());
    m_canvas.PopClip();
}

void CSquadButton::OnSize()
{
    CButton::OnSize();
    if (ClientRect().IsDefined())
        m_face.SetOuterSize(ClientRect().Width(), ClientRect().Height());
}

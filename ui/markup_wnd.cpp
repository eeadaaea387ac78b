#include "ui/markup_wnd.h"

#include <algorithm>

#include "core/pack_format.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/link_layout.h"

// ---- CMarkupWnd ----

CMarkupWnd::CMarkupWnd(CWindow* parent, const CStr& path, bool load)
    : CWindow(parent, UndefinedRect, CStr(), false), m_link(false, path, this)
{
    m_link.SetLayoutReader(this);
    SetFlag(WndSeeThrough, true);
    SetFont(0, true);
    if (load)
        m_link.Reload(false);
}

CMarkupWnd::~CMarkupWnd()
{
    PrepareDestroy();
    DeletePages();
}

void* CMarkupWnd::QueryInterface(int32_t id)
{
    switch (id) {
    case IidMarkupWnd:
    case IidWindow:
        return static_cast<CWindow*>(this);
    case IidHintHelpLink:
    case IidUiTreeLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return CWindow::QueryInterface(id);
    }
}

void CMarkupWnd::DeletePages()
{
    std::vector<MarkupPage*> pages;
    pages.swap(m_pages);
    m_current = -1;
    for (MarkupPage* page : pages)
        delete page;
}

MarkupPage* CMarkupWnd::Page(int32_t index) const
{
    if (index < 0 || index >= PageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)];
}

void CMarkupWnd::BuildPages()
{
    DeletePages();
    const CStr& text = Text();
    if (!text.IsEmpty()) {
        MarkupSettings settings;
        const PackedRect& client = ClientRect();
        settings.width = client.IsDefined() ? client.Width() : 0;
        settings.height = client.IsDefined() ? client.Height() : 0;
        settings.font = m_font;
        settings.foreground = foreground;
        settings.background = background;
        settings.alignH = m_alignH;
        settings.alignV = m_alignV;
        MarkupLayout layout(settings, this, m_pages);
        layout.Build(text.Chars(), text.Length());
    }
    SelectPage(0, false);
    // Without pages no selection happens, yet the count changed.
    if (PageCount() == 0)
        pageChanged(this);
}

void CMarkupWnd::SelectPage(int32_t index, bool redraw)
{
    // Owners page within the count they read; anything else is ignored so
    // that no index ever leaves the page list.
    if (index < 0 || index >= PageCount())
        return;
    if (MarkupPage* current = Page(m_current))
        current->StartAnimations(false);
    m_current = static_cast<int16_t>(index);
    if (HasFlag(WndVisible))
        m_pages[static_cast<size_t>(index)]->StartAnimations(true);
    if (redraw)
        Invalidate();
    pageChanged(this);
}

int16_t CMarkupWnd::PageWidth() const
{
    MarkupPage* page = Page(m_current);
    return page != nullptr ? page->WidestLine() : 0;
}

int16_t CMarkupWnd::PageHeight() const
{
    MarkupPage* page = Page(m_current);
    return page != nullptr ? page->OwnHeight() : 0;
}

void CMarkupWnd::DrawPage(CDrawContext& dc, int32_t x, int32_t y)
{
    if (MarkupPage* page = Page(m_current))
        page->Draw(dc, x, y);
}

void CMarkupWnd::Paint(const PackedRect& rect)
{
    MarkupPage* page = Page(m_current);
    if (page == nullptr)
        return;
    const PackedRect& client = ClientRect();
    m_canvas.PushClip(rect);
    page->DrawLines(m_canvas, client.Left(), client.Top());
    m_canvas.PopClip();
}

void CMarkupWnd::InvalidatePageArea(const PackedRect& rect)
{
    PackedRect area = rect;
    const PackedRect& client = ClientRect();
    if (client.IsDefined())
        area.Offset(client.Left(), client.Top());
    Invalidate(area, true);
}

void CMarkupWnd::OnSize()
{
    CWindow::OnSize();
    m_canvas.Attach(this);
    BuildPages();
}

void CMarkupWnd::OnTextChanged()
{
    CWindow::OnTextChanged();
    BuildPages();
}

void CMarkupWnd::OnShow()
{
    CWindow::OnShow();
    if (MarkupPage* page = Page(m_current))
        page->StartAnimations(true);
}

void CMarkupWnd::OnHide()
{
    CWindow::OnHide();
    if (MarkupPage* page = Page(m_current))
        page->StartAnimations(false);
}

bool CMarkupWnd::LoadText(const char* path)
{
    RawResource text;
    if (!CResourceMgr::LoadText(path, pack_format::kTextType, text))
        return false;
    CWindow::SetText(CStr(reinterpret_cast<const char*>(text.data), text.size), true);
    return true;
}

void CMarkupWnd::Relayout()
{
    CStr text = Text();
    CWindow::SetText(text, true);
}

void CMarkupWnd::SetFont(uint8_t font, bool relayout)
{
    m_font = font;
    if (relayout)
        Relayout();
}

void CMarkupWnd::SetHAlign(uint8_t alignment, bool relayout)
{
    m_alignH = alignment;
    for (MarkupPage* page : m_pages)
        page->SetAlign(alignment, static_cast<uint8_t>(page->Alignment() >> 4));
    if (relayout)
        Relayout();
}

void CMarkupWnd::SetVAlign(uint8_t alignment, bool relayout)
{
    m_alignV = alignment;
    for (MarkupPage* page : m_pages)
        page->SetAlign(page->Alignment() & 0x0F, alignment);
    if (relayout)
        Relayout();
}

void CMarkupWnd::SetAlign(uint8_t horizontal, uint8_t vertical, bool relayout)
{
    m_alignH = horizontal;
    m_alignV = vertical;
    for (MarkupPage* page : m_pages)
        page->SetAlign(horizontal, vertical);
    if (relayout)
        Relayout();
}

void CMarkupWnd::ResizePages(int16_t width, int16_t height, bool relayout)
{
    for (MarkupPage* page : m_pages)
        page->Resize(width, height);
    if (relayout)
        Relayout();
}

bool CMarkupWnd::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    const CStr key = CUIMgr::NextString();
    CWindow::SetText(CUIMgr::Locale().Resolve(key.Chars()), false);
    EndLinkLayout(m_link, refreshWas);
    return true;
}

// ---- CTextWnd ----

CStr ResolveListText(const CStr& entry)
{
    if (entry.IsEmpty())
        return CStr();
    if (entry.At(0) == '/' || entry.At(0) == '~') {
        CStr path;
        if (entry.At(0) == '/') {
            path = entry;
        } else {
            path = CUIMgr::Tree().CurrentPath();
            path.AppendChars(entry.Chars() + 1);
        }
        RawResource text;
        if (!CResourceMgr::LoadText(path.Chars(), pack_format::kTextType, text))
            return CStr();
        return CStr(reinterpret_cast<const char*>(text.data), text.size);
    }
    return CUIMgr::Locale().Lookup(entry.Chars());
}

CTextWnd::CTextWnd(CWindow* parent, const CStr& path, bool load) : CMarkupWnd(parent, path, false)
{
    if (load)
        m_link.Reload(false);
}

CTextWnd::~CTextWnd()
{
    PrepareDestroy();
    m_texts.SetSize(0);
}

void* CTextWnd::QueryInterface(int32_t id)
{
    if (id == IidTextWnd)
        return static_cast<CWindow*>(this);
    return CMarkupWnd::QueryInterface(id);
}

bool CTextWnd::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    m_texts.SetSize(0);
    // A node's count is a 16-bit value; a negative one reads no texts.
    const int32_t count = std::max<int32_t>(CUIMgr::Tree().ReadValue(), 0);
    for (int32_t i = 0; i < count; ++i)
        m_texts.Append(ResolveListText(CUIMgr::NextString()));
    SetHAlign(static_cast<uint8_t>(CUIMgr::NextAlignH()), false);
    textColour = static_cast<uint16_t>(CUIMgr::Tree().ReadValue());
    if (!keepVisibility)
        SetText(m_texts.Count() > 0 ? m_texts.GetString(0) : CStr(), false);
    EndLinkLayout(m_link, refreshWas);
    return true;
}

void CTextWnd::SetText(const CStr& text, bool redraw)
{
    foreground = static_cast<uint8_t>(textColour & 0xFF);
    // The new alignment reaches the lines through the build of the new text.
    SetHAlign(m_alignH, false);
    CWindow::SetText(text, redraw);
}

void CTextWnd::ShowString(int32_t index, bool redraw)
{
    if (index < 0 || index >= m_texts.Count())
        return;
    SetText(m_texts.GetString(index), redraw);
}

bool CTextWnd::GetString(int32_t index, CStr& text)
{
    if (index < 0 || index >= m_texts.Count())
        return false;
    text = m_texts.GetString(index);
    return true;
}

// ---- CMarkupButton ----

CMarkupButton::CMarkupButton(CWindow* parent, const CStr& path, bool load)
    : CButton(parent, path, false), m_face(new CMarkupWnd(this, CStr(), false))
{
    if (load)
        m_link.Reload(false);
}

void* CMarkupButton::QueryInterface(int32_t id)
{
    if (id == IidMarkupButton)
        return static_cast<CWindow*>(this);
    return CButton::QueryInterface(id);
}

bool CMarkupButton::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    SetSkin(CUIMgr::NextString(), false);
    const CStr text = CUIMgr::Tree().ReadText();
    if (!keepVisibility)
        m_face->SetText(text, false);
    LayoutContent();
    EndLinkLayout(m_link, refreshWas);
    return true;
}

void CMarkupButton::LayoutContent()
{
    const int16_t width = Width();
    const int16_t height = Height();
    m_face->SetRect(PackedRect(0, 0, width - 1, height - 1), false);
    m_face->SetAlign(AlignCentre, AlignCentre, true);
}

void CMarkupButton::SetMarkupText(const CStr& text, bool redraw)
{
    m_face->SetText(text, false);
    LayoutContent();
    if (redraw)
        Invalidate();
}

CStr CMarkupButton::GetMarkupText() const
{
    return m_face->Text();
}

void CMarkupButton::Paint(const PackedRect& rect)
{
    CButton::Paint(rect);
    if (m_face->PageCount() == 0)
        return;
    CWindowCanvas& canvas = Canvas();
    canvas.PushClip(rect);
    m_face->DrawPage(canvas, 0, 0);
    canvas.PopClip();
}

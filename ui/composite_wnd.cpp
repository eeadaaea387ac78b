#include "ui/composite_wnd.h"

#include "core/display_surface.h"

CWindowCanvas* CanvasOf(CWindow* window)
{
    return window ? static_cast<CWindowCanvas*>(window->QueryInterface(IidWindowCanvas)) : nullptr;
}

void CWindowCanvas::Attach(CWindow* window)
{
    m_bound = false;
    if (!window || !window->WindowRect().IsDefined())
        return;
    CWindow* parent = window->GetParent();
    if (CWindowCanvas* parentCanvas = CanvasOf(parent); parentCanvas && parentCanvas->IsBound()) {
        AttachTo(*parentCanvas, window->WindowRect());
        m_bound = true;
        return;
    }
    // Without a parent canvas the window draws straight into the screen at
    // its screen rect.
    CDisplaySurface* display = GetDisplaySurface();
    CDrawContext* screen = display ? display->ScreenContext() : nullptr;
    if (!screen)
        return;
    PackedRect rect = window->WindowRect();
    if (parent && window->GetNode() && window->GetNode()->screenRect.IsDefined())
        rect = window->GetNode()->screenRect;
    AttachTo(*screen, rect);
    m_bound = true;
}

// ---- CCompositeMemberWnd ----

CCompositeMemberWnd::CCompositeMemberWnd(CCompositeWnd* owner, CWindow* parent)
    : CWindow(parent, UndefinedRect, CStr(), false), m_owner(owner)
{}

CCompositeMemberWnd::~CCompositeMemberWnd()
{
    // Destroyed by its parent: the composite around it goes too, while the
    // window is still whole.
    if (CCompositeWnd* owner = m_owner) {
        PrepareDestroy();
        m_owner = nullptr;
        owner->m_window = nullptr;
        delete owner;
    }
}

void* CCompositeMemberWnd::QueryInterface(int32_t id)
{
    if (m_owner) {
        if (void* answer = m_owner->QueryInterface(id))
            return answer;
    }
    return CWindow::QueryInterface(id);
}
void CCompositeMemberWnd::Paint(const PackedRect& rect)
{
    if (m_owner)
        m_owner->Paint(rect);
}
void CCompositeMemberWnd::OnSize()
{
    if (m_owner)
        m_owner->OnSize();
    else
        CWindow::OnSize();
}
void CCompositeMemberWnd::OnShow()
{
    if (m_owner)
        m_owner->OnShow();
    else
        CWindow::OnShow();
}
void CCompositeMemberWnd::OnHide()
{
    if (m_owner)
        m_owner->OnHide();
    else
        CWindow::OnHide();
}

// ---- CCompositeWnd ----

CCompositeWnd::CCompositeWnd(CWindow* parent, const CStr& path, bool loadLayout)
    : m_link(false, path, nullptr), m_window(new CCompositeMemberWnd(this, parent))
{
    m_link.SetWindow(m_window);
    m_link.SetLayoutReader(this);
    m_window->SetFlag(WndRaiseOnPenDown, true);
    m_window->SetFlag(WndSeeThrough, true);
    if (loadLayout)
        ReloadLayout(false);
}

CCompositeWnd::~CCompositeWnd()
{
    if (CCompositeMemberWnd* window = m_window) {
        m_window = nullptr;
        window->m_owner = nullptr;
        delete window;
    }
}

void* CCompositeWnd::QueryInterface(int32_t id)
{
    switch (id) {
    case IidCompositeWnd:
        return this;
    case IidWindow:
        return m_window;
    case IidUiTreeLink:
    case IidHintHelpLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return nullptr;
    }
}

bool CCompositeWnd::ReloadLayout(bool keepVisibility)
{
    return m_link.ReloadLink(keepVisibility);
}

void CCompositeWnd::OnSize()
{
    m_window->CWindow::OnSize();
    m_canvas.Attach(m_window);
}

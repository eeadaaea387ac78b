#include "app/root_screen_wnd.h"

#include <new>

CRootScreenWnd::CRootScreenWnd() = default;

CRootScreenWnd::~CRootScreenWnd()
{
    PrepareDestroy();
}

void* CRootScreenWnd::QueryInterface(int32_t id)
{
    switch (id) {
    case IidRootScreenWnd:
    case IidWindow:
        return static_cast<CWindow*>(this);
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return nullptr;
    }
}

void CRootScreenWnd::OnSize()
{
    CWindow::OnSize();
    m_canvas.Attach(this);
}

CWindow* NewRootScreenWnd()
{
    return new (std::nothrow) CRootScreenWnd;
}

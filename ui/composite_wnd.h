#pragma once
// CWindowCanvas: a drawing context that draws into a window's rect inside
// its parent's canvas (or the display's screen context for a window without
// parent). CCompositeWnd: the usual shape of a control built from the UI
// tree: a link, a window and a canvas in one object.

#include "core/draw_context.h"
#include "ui/ui_link.h"
#include "ui/window.h"

class CWindowCanvas : public CDrawContext {
public:
    // Binds the canvas to the parent's canvas (its interface 37) or, without
    // parent, to the display's screen context, with the window rect as
    // origin and clip. Nothing is bound when neither exists.
    void Attach(CWindow* window);
    bool IsBound() const { return m_bound; }

private:
    bool m_bound = false;
};

// Finds the canvas of a window (interface 37), null when it has none.
CWindowCanvas* CanvasOf(CWindow* window);

class CCompositeWnd;

// The member window of a composite: forwards its slots to the composite.
class CCompositeMemberWnd : public CWindow {
public:
    CCompositeMemberWnd(CCompositeWnd* owner, CWindow* parent);
    ~CCompositeMemberWnd() override;
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnShow() override;
    void OnHide() override;

private:
    friend class CCompositeWnd;
    CCompositeWnd* m_owner;
};

class CCompositeWnd : public LayoutReader {
public:
    CCompositeWnd(CWindow* parent, const CStr& path, bool loadLayout);
    virtual ~CCompositeWnd();
    CCompositeWnd(const CCompositeWnd&) = delete;
    CCompositeWnd& operator=(const CCompositeWnd&) = delete;

    virtual void* QueryInterface(int32_t id);
    bool LoadLayout(bool keepVisibility) override { return ReloadLayout(keepVisibility); }
    bool ReloadLayout(bool keepVisibility);

    // Slots of the member window.
    virtual void Paint(const PackedRect&) {}
    virtual void OnSize();
    virtual void OnShow() { m_window->CWindow::OnShow(); }
    virtual void OnHide() { m_window->CWindow::OnHide(); }

    CWindow* Window() { return m_window; }
    CHintHelpLink& Link() { return m_link; }
    CWindowCanvas& Canvas() { return m_canvas; }

protected:
    friend class CCompositeMemberWnd;
    CHintHelpLink m_link;
    CCompositeMemberWnd* m_window;
    CWindowCanvas m_canvas;
};

#pragma once
// CRootScreenWnd: the window at the top of the window tree, which the window
// manager creates at its start through the application's factory. It draws
// nothing itself; it carries the canvas every window without a parent of its
// own draws through.

#include <cstdint>

#include "ui/composite_wnd.h"
#include "ui/window.h"

enum : int32_t {
    IidRootScreenWnd = 38
};

class CRootScreenWnd : public CWindow {
public:
    CRootScreenWnd();
    ~CRootScreenWnd() override;
    // 38 and 9 answer the window, 37 its canvas.
    void* QueryInterface(int32_t id) override;
    // Keeps the canvas on the window's rectangle.
    void OnSize() override;

    CWindowCanvas& Canvas() { return m_canvas; }

private:
    CWindowCanvas m_canvas;
};

// The factory the window manager calls: a new root window, null when memory
// runs out.
CWindow* NewRootScreenWnd();

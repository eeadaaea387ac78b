#pragma once
// The window toolkit's test rig: a headless display of 240 x 320, the
// window manager started with a plain root window, and a frame hook that
// delivers the queued events, as the application's does.

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/raster.h"
#include "platform/headless/headless_backend.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace ui_test {

inline CDrawContext* NewScreenContext()
{
    return new (std::nothrow) CDrawContext;
}

class RootWnd : public CWindow {
public:
    void Paint(const PackedRect& rect) override { paints.push_back(rect); }
    std::vector<PackedRect> paints;
};

inline CWindow* MakeRoot()
{
    return new (std::nothrow) RootWnd;
}

class ProcessEventsHook : public FrameHook {
public:
    void OnFrame() override
    {
        if (CWindowMgr::IsUp())
            CWindowMgr::ProcessEvents();
    }
};

// A window that writes what reaches it into a shared journal.
class JournalWnd : public CWindow {
public:
    JournalWnd(std::vector<std::string>* journal, const char* name, CWindow* parent, const PackedRect& rect,
               bool visible = true)
        : CWindow(parent, rect, CStr(), visible), m_journal(journal), m_name(name)
    {
        BindHandler(HandlerClick, this, &JournalWnd::Note);
        BindHandler(HandlerDoubleClick, this, &JournalWnd::NoteDouble);
        BindHandler(HandlerPenUp, this, &JournalWnd::NotePenUp);
    }
    ~JournalWnd() override { PrepareDestroy(); }
    void Paint(const PackedRect& rect) override
    {
        Log("paint " + std::to_string(rect.Left()) + "," + std::to_string(rect.Top()) + "," +
            std::to_string(rect.Right()) + "," + std::to_string(rect.Bottom()));
    }
    void OnPenDown(const PackedPoint& p) override
    {
        Log("down " + std::to_string(p.X()) + "," + std::to_string(p.Y()));
        CWindow::OnPenDown(p);
    }
    void OnPenMove(const PackedPoint& p) override
    {
        Log("move " + std::to_string(p.X()) + "," + std::to_string(p.Y()));
        CWindow::OnPenMove(p);
    }
    void OnChar(uint16_t code) override { Log("char " + std::to_string(code)); }
    void OnShow() override
    {
        Log("show");
        CWindow::OnShow();
    }
    void OnHide() override
    {
        Log("hide");
        CWindow::OnHide();
    }
    void Note(CWindow*, intptr_t) { Log("click"); }
    void NoteDouble(CWindow*, intptr_t) { Log("double"); }
    void NotePenUp(CWindow*, intptr_t) { Log("up"); }
    void Log(const std::string& text) { m_journal->push_back(m_name + " " + text); }

private:
    std::vector<std::string>* m_journal;
    std::string m_name;
};

class UiRig : public testing::Test {
protected:
    void SetUp() override
    {
        HeadlessOptions options;
        options.closeAfterSteps = 0;
        m_headless = &UseHeadlessPlatform(options);
        SetDrawContextFactory(NewScreenContext);
        ASSERT_TRUE(m_display.Open());
        SetDisplaySurface(&m_display);
        InitRasterOps();
        ResetPaletteStack();
        QuitFlag = 0;
        PaintMerge = 1;
        SetRootScreenWndFactory(MakeRoot);
        SetFrameHook(new ProcessEventsHook);
        ASSERT_TRUE(CWindowMgr::Init());
        CWindowMgr::ProcessEvents();
    }
    void TearDown() override
    {
        CWindowMgr::Shutdown();
        SetFrameHook(nullptr);
        SetRootScreenWndFactory(nullptr);
        SetDisplaySurface(nullptr);
        m_display.Close();
        QuitFlag = 0;
    }
    CWindow* Root() { return CWindowMgr::Root(); }
    void Tap(int x, int y)
    {
        PenDownSignal.FirePoint(PackedPoint(x, y));
        PenUpSignal.FirePoint(PackedPoint(x, y));
        CWindowMgr::ProcessEvents();
    }
    std::vector<PackedRect> QueuedPaints(const CWindow* window)
    {
        std::vector<PackedRect> rects;
        for (int i = 0; i < CWindowMgr::QueuedCount(); ++i) {
            const WindowEvent& e = CWindowMgr::QueuedEvent(i);
            if (e.type == EventPaint && e.target == window)
                rects.push_back(e.Rect());
        }
        return rects;
    }
    void Drain()
    {
        while (CWindowMgr::QueuedCount() > 0)
            CWindowMgr::PopEvent();
    }

    HeadlessBackend* m_headless = nullptr;
    CDisplaySurface m_display;
    std::vector<std::string> m_journal;
};

}  // namespace ui_test

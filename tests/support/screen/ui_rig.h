#pragma once
// The window toolkit's tests stand on the one screen rig; this adds the
// windows that record what reaches them.

#include <string>
#include <vector>

#include "core/device_mgr.h"
#include "core/draw_context.h"
#include "core/raster.h"
#include "tests/support/screen/screen_rig.h"

namespace ui_test {

using RootWnd = screen_rig::PaintRecordingRoot;
inline CWindow* MakeRoot()
{
    return screen_rig::MakePaintRecordingRoot();
}

// Delivers the queued events in every frame step, as the application's hook does.
using ProcessEventsHook = screen_rig::ScriptHook;

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

// The screen rig with a journal the test windows write into.
class UiRig : public screen_rig::ScreenRig {
protected:
    std::vector<std::string> m_journal;
};

}  // namespace ui_test

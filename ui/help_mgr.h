#pragma once
// Help: pages of help text in one modal help window, "/Main/HelpWnd", built
// at start-up. A window whose node has a "Help_" child gets a help button in
// its top-right corner; tapping it opens that window's help. Screens can also
// open help from a title key and a text key. Long texts are split into pages
// and turned with a value scroller.

#include <cstdint>

#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/markup_wnd.h"
#include "ui/value_scroller.h"

// A help text's first line (up to its first CR LF) is the window's title; the
// rest, from that CR LF on, is the mark-up shown. Without a CR LF the title
// is empty and the whole text is shown. True when a title line was found.
bool SplitHelpText(const CStr& text, CStr& title, CStr& body);

class CHelpWnd : public CFrameWnd {
public:
    CHelpWnd(CWindow* parent, const CStr& path, bool load);
    ~CHelpWnd() override;

    void SetPage(const CHelpText& help, bool redraw);
    void Reset(const CStr& text, bool redraw);

    CMarkupWnd* TextWindow() const { return m_text; }
    CValueScroller* PageScroller() const { return m_scroller; }
    CButton* CloseButton() const { return m_close; }

private:
    void OnPageChanged(CValueScroller* scroller);
    void OnClose(CWindow*, intptr_t);

    CMarkupWnd* m_text = nullptr;
    CValueScroller* m_scroller = nullptr;
    CButton* m_close = nullptr;
};

// The help button a window gets from its help link.
class CHelpButton : public CTextButton {
public:
    explicit CHelpButton(CWindow* parent) : CTextButton(parent, CStr(), false) {}
};

class CHelpMgr {
public:
    // Creates the help window and the default help ("HelpNEM", "HelpNEMTitle")
    // and installs the help hook; 1 when both exist.
    static uint32_t Init();
    static void Shutdown();
    static CHelpWnd* Window();
    static CHelpText* DefaultHelp();
    // Gives the window its help button; a window that has one keeps it.
    static void AttachHelp(CWindow* window);
    static void OnHelpButton(CWindow* button);
    static void ShowHelp(const char* titleKey, const char* textKey);
    // Shows a help object modally and resets the window afterwards.
    static void Show(const CHelpText& help);
};

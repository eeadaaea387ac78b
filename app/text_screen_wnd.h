#pragma once
// CTextScreenWnd: a full screen that shows a long mark-up text (the credits,
// the introductory help) page by page; every tap turns a page and a tap on
// the last page closes it. The screen's layout node names the text's
// resource path as its next string after the screen's own values.

#include <cstdint>

#include "ui/markup_wnd.h"
#include "ui/screen_wnd.h"

class CTextScreenWnd : public CScreenWnd {
public:
    CTextScreenWnd(CWindow* parent, const CStr& path);
    ~CTextScreenWnd() override;

    // Reads the screen's node and loads its text; false when the node does
    // not load.
    bool ReloadLayout(bool redraw);
    // The next page, or the end of the modal run after the last one.
    void NextPage();

    void OnShow() override;

    CMarkupWnd* TextWindow() const { return m_text; }

private:
    void OnTextPenDown(CWindow*, intptr_t);
    void OnScreenPenDown(CWindow*, intptr_t);

    CMarkupWnd* m_text = nullptr;
};

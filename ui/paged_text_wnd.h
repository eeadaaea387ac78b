#pragma once
// CPagedTextWnd: a framed dialog that shows a mark-up text with a page
// selector (shown only for texts of two pages or more) and a close button.
// Its node holds "Text", "CloseBtn" and "PageSelector".

#include <cstdint>

#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/markup_wnd.h"
#include "ui/value_scroller.h"

class CPagedTextWnd : public CFrameWnd {
public:
    CPagedTextWnd(CWindow* parent, const CStr& path);
    ~CPagedTextWnd() override;

    // The "txt" resource at the path becomes the text.
    void LoadText(const char* path);
    // A composed mark-up text becomes the text.
    void SetMarkupText(const CStr& text);
    void RefreshPageSelector();

    CMarkupWnd* TextWindow() const { return m_text; }
    CButton* CloseButton() const { return m_close; }
    CValueScroller* PageSelector() const { return m_selector; }

private:
    void OnClose(CWindow*, intptr_t);
    void OnSelectorChanged(CValueScroller* scroller);
    void OnPageChanged(CMarkupWnd* text);

    CMarkupWnd* m_text = nullptr;
    CButton* m_close = nullptr;
    CValueScroller* m_selector = nullptr;
};

#pragma once
// Windows that show mark-up texts. CMarkupWnd lays its window text out into
// pages of its client size and paints one page at a time; its owner chooses
// the page (message boxes, help, reports and hints page through long texts).
// CTextWnd ("Rt" controls) holds a list of texts read from its node and shows
// one of them. CMarkupButton is a button whose face is a mark-up page.

#include <cstdint>
#include <vector>

#include "core/string_list.h"
#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/control_handler.h"
#include "ui/markup_layout.h"
#include "ui/ui_link.h"
#include "ui/window.h"

enum MarkupInterfaceId : int32_t {
    IidMarkupWnd = 14,
    IidTextWnd = 27,
    IidMarkupButton = 34,
};

class CMarkupWnd : public CWindow, public MarkupPageOwner, public LayoutReader {
public:
    CMarkupWnd(CWindow* parent, const CStr& path, bool load);
    ~CMarkupWnd() override;

    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnTextChanged() override;
    void OnShow() override;
    void OnHide() override;
    virtual bool LoadText(const char* path);
    virtual void Relayout();
    bool LoadLayout(bool keepVisibility) override;
    void InvalidatePageArea(const PackedRect& rect) override;

    // Rebuilds every page from the window text at the client size and
    // selects page 0 without redraw.
    void BuildPages();
    // An index at or past the page count (or negative) is ignored.
    void SelectPage(int32_t index, bool redraw);
    int32_t PageCount() const { return static_cast<int32_t>(m_pages.size()); }
    int32_t CurrentPage() const { return m_current; }
    MarkupPage* Page(int32_t index) const;
    int16_t PageWidth() const;
    int16_t PageHeight() const;
    void DrawPage(CDrawContext& dc, int32_t x, int32_t y);

    void SetFont(uint8_t font, bool relayout);
    void SetHAlign(uint8_t alignment, bool relayout);
    void SetVAlign(uint8_t alignment, bool relayout);
    void SetAlign(uint8_t horizontal, uint8_t vertical, bool relayout);
    void ResizePages(int16_t width, int16_t height, bool relayout);

    uint8_t Font() const { return m_font; }
    uint8_t HAlign() const { return m_alignH; }
    uint8_t VAlign() const { return m_alignV; }
    uint8_t foreground = 8;
    uint8_t background = 0;
    // Told when another page is selected or the pages were built again
    // (owners that show a page number follow it).
    ControlHandlerSlot<CMarkupWnd*> pageChanged;

    CHintHelpLink& Link() { return m_link; }
    CWindowCanvas& Canvas() { return m_canvas; }

protected:
    void DeletePages();

    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
    std::vector<MarkupPage*> m_pages;
    int16_t m_current = -1;
    uint8_t m_font = 0;
    uint8_t m_alignH = AlignCentre;
    uint8_t m_alignV = AlignStart;
};

// A text of a node's list: "" stays empty, "/path" is a whole "txt"
// resource, "~name" the "txt" resource at the tree's current path + name,
// anything else a locale key.
CStr ResolveListText(const CStr& entry);

class CTextWnd : public CMarkupWnd {
public:
    CTextWnd(CWindow* parent, const CStr& path, bool load);
    ~CTextWnd() override;
    void* QueryInterface(int32_t id) override;
    bool LoadLayout(bool keepVisibility) override;

    void SetText(const CStr& text, bool redraw);
    void ShowString(int32_t index, bool redraw);
    // False (and the text untouched) for an index past the list.
    bool GetString(int32_t index, CStr& text);
    int32_t StringCount() const { return m_texts.Count(); }
    uint16_t textColour = 0;

private:
    CStringList m_texts;
};

class CMarkupButton : public CButton {
public:
    CMarkupButton(CWindow* parent, const CStr& path, bool load);
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void LayoutContent() override;
    bool LoadLayout(bool keepVisibility) override;
    virtual void SetMarkupText(const CStr& text, bool redraw);
    virtual CStr GetMarkupText() const;
    CMarkupWnd* Face() const { return m_face; }

private:
    CMarkupWnd* m_face;
};

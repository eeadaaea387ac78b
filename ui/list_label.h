#pragma once
// CListLabel: a plain-text label that reads a fixed number of localized
// strings from its node into a list and shows the first of them.

#include <cstdint>

#include "core/string_list.h"
#include "ui/composite_wnd.h"
#include "ui/label.h"
#include "ui/ui_link.h"
#include "ui/window.h"

constexpr int32_t IidListLabel = 33;

class CListLabel : public CWindow, public LayoutReader {
public:
    CListLabel(CWindow* parent, const CStr& path, int16_t stringCount, bool load);
    ~CListLabel() override;
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnTextChanged() override;
    bool LoadLayout(bool keepVisibility) override;
    void SetTransparent(bool on, bool redraw);

    CStringList& Strings() { return m_strings; }
    CWindowTextElement& TextElement() { return m_text; }
    CHintHelpLink& Link() { return m_link; }

private:
    CWindowTextElement m_text;
    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
    CStringList m_strings;
    int16_t m_count;
    bool m_loadedOnce = false;
};

#pragma once
// Controls whose whole face is one shadowed text: the label ("Lbl" nodes) and
// the main menu's entry. Also the caption element that repaints its window
// when it changes, which other controls embed.

#include <cstdint>

#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/text_element.h"
#include "ui/ui_link.h"
#include "ui/window.h"

// A shadow text element whose relayout repaints its whole window.
class CWindowCaption : public CShadowTextElement {
public:
    explicit CWindowCaption(CWindow* window)
        : CShadowTextElement(CStr(), kUnknownSize, kUnknownSize, 0, 0, true, 0), m_window(window)
    {}
    void Relayout() override
    {
        if (m_window != nullptr)
            m_window->Invalidate();
    }

private:
    CWindow* m_window;
};

// The same for a plain text element.
class CWindowTextElement : public CTextElement {
public:
    explicit CWindowTextElement(CWindow* window)
        : CTextElement(CStr(), kUnknownSize, kUnknownSize, 0, 0, true, 0), m_window(window)
    {}
    void Relayout() override
    {
        if (m_window != nullptr)
            m_window->Invalidate();
    }

private:
    CWindow* m_window;
};

enum LabelInterfaceId : int32_t {
    IidLabel = 13,
    IidMenuItem = 16,
};

class CLabel : public CWindow, public LayoutReader {
public:
    CLabel(CWindow* parent, const CStr& path, bool load);
    ~CLabel() override { PrepareDestroy(); }
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnTextChanged() override;
    bool LoadLayout(bool keepVisibility) override;
    void SetTransparent(bool on, bool redraw);

    CWindowCaption& Caption() { return m_caption; }
    CHintHelpLink& Link() { return m_link; }

private:
    CWindowCaption m_caption;
    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
};

// Makes a label under the parent bound to the tree's selected node and reads
// it (the factory the tree links use for "Label" children).
CWindow* CreateLabelFromSelectedNode(CWindow* parent);

class CMenuItem : public CPressable, public LayoutReader {
public:
    CMenuItem(CWindow* parent, const CStr& path, bool load);
    ~CMenuItem() override { PrepareDestroy(); }
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnTextChanged() override;
    void OnEnable() override;
    void OnDisable() override;
    void OnStateChanged(bool sound) override;
    bool LoadLayout(bool keepVisibility) override;

    void SetTransparent(bool on, bool redraw);
    void SetShadowSize(uint8_t size, bool refresh);
    void UpdateTextColor();

    CWindowCaption& Caption() { return m_caption; }
    CHintHelpLink& Link() { return m_link; }
    uint8_t upShadowSize = 3;
    uint8_t normalColour = 15;
    uint8_t pressedColour = 15;
    uint8_t disabledColour = 7;

private:
    CWindowCaption m_caption;
    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
};

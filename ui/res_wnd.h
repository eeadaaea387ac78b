#pragma once
// Item controls. CResWnd ("Res" nodes) shows an optional caption and a row of
// resource amounts, each an icon and a number, and shrinks its font until
// the row fits. CSquadButton is a button whose face is a squad icon.

#include <cstdint>
#include <vector>

#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/label.h"
#include "ui/squad_icon.h"
#include "ui/ui_link.h"
#include "ui/window.h"

enum ItemControlInterfaceId : int32_t {
    IidResWnd = 28,
    IidSquadButton = 31,
};

enum ResWndFlags : uint8_t {
    ResShowZero = 0x01,
    ResPluralIcons = 0x02,  // "s" is added to icon names
};

class CResWnd : public CWindow, public LayoutReader {
public:
    CResWnd(CWindow* parent, const CStr& path, bool load);
    ~CResWnd() override;
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    bool LoadLayout(bool keepVisibility) override;

    // Shows one amount per resource kind, named by the kinds' four-letter
    // codes ("gold", "metl", "ston"); amounts below 1 are left out unless
    // zero amounts are shown.
    void SetAmounts(const CStr* codes, const int32_t* amounts, int32_t count, bool redraw);
    void AddItem(const CStr& icon, const CStr& text, bool redraw);
    void AddNumber(const CStr& icon, int32_t number, bool redraw);
    void Clear(bool redraw);
    void Layout();
    void DrawRow(CDrawContext& dc, int32_t dx, int32_t dy);

    uint8_t flags = ResPluralIcons;
    uint8_t amountColour = 8;  // the ink of the amounts beside the icons; the layout gives the caption's
    int32_t ItemCount() const { return static_cast<int32_t>(m_icons.size()); }
    CImageElement* Icon(int32_t index) const { return m_icons.at(static_cast<size_t>(index)); }
    CTextElement* Amount(int32_t index) const { return m_amounts.at(static_cast<size_t>(index)); }
    CAlignedBox& Row() { return m_row; }
    CWindowTextElement& Caption() { return m_caption; }
    // The gap between items and the gap after a caption or an icon.
    static int32_t ItemGap();
    static int32_t InnerGap();

private:
    int32_t RowWidth() const;

    CAlignedBox m_row;
    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
    CWindowTextElement m_caption;
    std::vector<CImageElement*> m_icons;
    std::vector<CTextElement*> m_amounts;
};

class CSquadButton : public CButton {
public:
    CSquadButton(CWindow* parent, const CStr& path, bool load);
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    bool LoadLayout(bool keepVisibility) override;
    CSquadIcon& Face() { return m_face; }

private:
    // The face repaints the button when it changes.
    class SquadFace : public CSquadIcon {
    public:
        explicit SquadFace(CWindow* owner) : m_owner(owner) {}
        void Relayout() override
        {
            if (m_owner != nullptr)
                m_owner->Invalidate();
        }

    private:
        CWindow* m_owner;
    };
    SquadFace m_face;
};

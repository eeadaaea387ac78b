#pragma once
// CKeyboardWnd: a keyboard drawn on the screen for typing with the stylus.
// Its character keys come from a "kbd" layout (five rows for each of four
// shift states); Backspace, Enter, Caps, Shift, Space and a layout key sit
// at the row ends. Every key press reaches one listener as an 8-bit code:
// a character, 8 for Backspace, 10 for Enter, 32 for Space.

#include <cstdint>
#include <vector>

#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/control_handler.h"
#include "ui/keyboard_layout.h"

constexpr int32_t IidKeyboard = 35;

class CKeyboardWnd : public CCompositeWnd, public CSkinTarget {
public:
    // Keys made per row at most; a longer layout line is cut there.
    static constexpr int32_t MaxKeysPerRow = 64;

    CKeyboardWnd(CWindow* parent, const CStr& path, bool load);
    ~CKeyboardWnd() override;

    void* QueryInterface(int32_t id) override;
    uint32_t SetSkin(const CStr& folder, bool redraw) override;
    bool LoadLayout(bool keepVisibility) override { return LoadNode(keepVisibility); }
    bool LoadNode(bool reload);
    // Loads "/Locale/Keyboards/" + name and makes its keys; false with the
    // keys unchanged when the layout is missing or has no header.
    bool LoadLayout(const CStr& name, bool redraw);
    void SetKeyColour(uint8_t colour, bool redraw);
    void UpdateCaptions(bool redraw);
    virtual void OnKey(int8_t character);
    void OnKeyButton(CWindow* button, intptr_t);

    KeyboardState State() const;
    int32_t KeyCount(int32_t row) const;
    CButton* Key(int32_t row, int32_t index) const;
    CButton* ShiftButton() const { return m_shift; }
    CButton* CapsButton() const { return m_caps; }
    CButton* SpaceButton() const { return m_space; }
    CButton* EnterButton() const { return m_enter; }
    CButton* BackspaceButton() const { return m_backspace; }
    CButton* LayoutButton() const { return m_layoutKey; }
    CCompositeWnd* Panel() const { return m_panel; }

    ControlHandlerSlot<CKeyboardWnd*, int8_t> keyHandler;
    uint8_t keyColour = 6;

private:
    void ClearRows();
    void Arrange();
    CButton* MakeKey();

    CStr m_skinFolder;
    std::vector<CButton*> m_rows[KeyboardRowCount];
    CCompositeWnd* m_panel;
    CButton* m_space;
    CButton* m_shift;
    CButton* m_caps;
    CButton* m_enter;
    CButton* m_layoutKey;
    CButton* m_backspace;
    KeyboardLayout m_layout;
};

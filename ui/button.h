#pragma once
// Buttons. CPressable is the pen behaviour every button shares: it tracks
// the pen between down and up and keeps a pressed and a checked bit, in push,
// toggle or radio mode. CButton adds a button skin's look and sounds, a
// caption and a picture, read from its node of the UI tree. CIconWnd is the
// picture control.

#include <cstdint>

#include "ui/composite_wnd.h"
#include "ui/layout_box.h"
#include "ui/skin.h"
#include "ui/ui_link.h"
#include "ui/window.h"

class CTimer;

enum PressMode : int32_t {
    PressPush = 0,
    PressToggle = 1,
    PressRadio = 2
};

enum PressableFlags : uint8_t {
    PressPressed = 0x01,
    PressForwardMoves = 0x02,
    PressReleaseAnywhere = 0x04,
    PressChecked = 0x08,
};

// Objects that take a skin by name.
class CSkinTarget {
public:
    virtual ~CSkinTarget() = default;
    virtual uint32_t SetSkin(const CStr& name, bool redraw) = 0;
};

class CPressable : public CWindow {
public:
    CPressable(CWindow* parent, const PackedRect& rect, const CStr& text, bool visible);
    ~CPressable() override;
    void* QueryInterface(int32_t id) override;
    void OnPenDown(const PackedPoint& point) override;
    void OnPenUp(const PackedPoint& point) override;
    void OnPenMove(const PackedPoint& point) override;
    // The look may have changed; invokes the state-change handler (with the
    // window and the sound flag).
    virtual void OnStateChanged(bool sound);

    void SetChecked(bool checked, bool redraw);
    void SetCheckedRelease(bool checked, bool redraw);
    bool IsDrawnDown() const;
    bool IsPressed() const { return (pressFlags & PressPressed) != 0; }
    bool IsChecked() const { return (pressFlags & PressChecked) != 0; }
    void SetStateHandler(WindowHandler* handler);

    int32_t mode = PressPush;
    uint8_t pressFlags = 0;

private:
    bool TakesPresses() const;
    WindowHandler* m_stateHandler = nullptr;
};

// The caption of a button: a text in font 0 centred in its box.
class ButtonCaption : public CDrawableElement {
public:
    ButtonCaption() : CDrawableElement(kUnknownSize, kUnknownSize, AlignCentre, AlignCentre, 0, 0) {}
    void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override;
    void SetText(const CStr& text);
    void Measure();
    const CStr& Text() const { return m_text; }
    uint8_t foreground = 0;

private:
    CStr m_text;
};

class CButton : public CPressable, public CSkinTarget, public LayoutReader {
public:
    CButton(CWindow* parent, const CStr& path, bool load);
    ~CButton() override;
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnTextChanged() override;
    void OnPenDown(const PackedPoint& point) override;
    void OnPenUp(const PackedPoint& point) override;
    void OnClick(const PackedPoint& point) override;
    void OnEnable() override;
    void OnDisable() override;
    void OnStateChanged(bool sound) override;
    virtual void FitToSkin();
    virtual void LayoutContent();

    uint32_t SetSkin(const CStr& name, bool redraw) override;
    bool LoadLayout(bool keepVisibility) override;
    void SetImage(const CStr& name, bool redraw);

    CButtonSkin* Skin() const { return m_skin; }
    const CFrameSkin* Look() const { return m_look; }
    CHintHelpLink& Link() { return m_link; }
    CWindowCanvas& Canvas() { return m_canvas; }
    ButtonCaption& Caption() { return m_caption; }
    CImageElement& Picture() { return m_picture; }
    uint8_t frameDrawn = 1;

protected:
    // The layout record and the refresh around a class's own values.
    bool BeginLayout(bool keepVisibility, bool& refreshWas);
    void EndLayout(bool refreshWas);
    static CStr ButtonPicturePath(const CStr& name);

    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
    ButtonCaption m_caption;
    CImageElement m_picture;
    const CFrameSkin* m_look;
    CButtonSkin* m_skin;
};

class CPushButton : public CButton {
public:
    CPushButton(CWindow* parent, const CStr& path, bool load = true);
    void* QueryInterface(int32_t id) override;
    bool LoadLayout(bool keepVisibility) override;
};

class CTextButton : public CButton {
public:
    CTextButton(CWindow* parent, const CStr& path, bool load = true);
    void* QueryInterface(int32_t id) override;
    bool LoadLayout(bool keepVisibility) override;
};

// A button that carries its own hint. A tap does what the button does; a pen
// that rests on it for kHoldMilliseconds shows the hint instead, and the
// button then does nothing. Its owner may show the hint too (ShowHint).
class CHintButton : public CButton {
public:
    static constexpr uint32_t kHoldMilliseconds = 700;

    CHintButton(CWindow* parent, const CStr& path, bool keepText, bool load = true);
    ~CHintButton() override;
    void* QueryInterface(int32_t id) override;
    bool LoadLayout(bool keepVisibility) override;
    void OnPenDown(const PackedPoint& point) override;
    void OnPenUp(const PackedPoint& point) override;
    void ShowHint(const PackedPoint* point);
    void SetHintMode(bool keep);
    const CStr& HintText() const { return m_hintText; }

private:
    void OnHoldTimer();

    CStr m_hintText;
    uint8_t m_keepText = 0;
    CTimer* m_holdTimer = nullptr;
    uint32_t m_pressTick = 0;
};

class CImageButton : public CTextButton {
public:
    CImageButton(CWindow* parent, const CStr& path, bool load = true);
    bool LoadLayout(bool keepVisibility) override;
    void Paint(const PackedRect& rect) override;
    void LayoutContent() override;
    CImageElement& Overlay() { return m_overlay; }

private:
    CImageElement m_overlay;
};

class CIconWnd : public CWindow, public LayoutReader {
public:
    CIconWnd(CWindow* parent, const CStr& path, bool load = true);
    // A picture control bound to the tree's selected node (for "Icon" children).
    static CIconWnd* CreateFromSelectedNode(CWindow* parent);
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnMarginsChanged() override;
    bool LoadLayout(bool keepVisibility) override;
    bool SetImage(const CStr& name, bool relayout);
    CImageElement& Picture() { return m_picture; }
    CHintHelpLink& Link() { return m_link; }

private:
    void FitPicture();
    CImageElement m_picture;
    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
};

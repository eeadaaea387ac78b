#pragma once
// Hints: short explanatory texts shown in one balloon window for the whole
// program, a frame sized to its text with an arrow pointing at the tapped
// spot. A window whose node has a "Hint_" child opens the balloon when
// tapped; the balloon stays up, holding the pen, until it is tapped itself.

#include <cstdint>

#include "core/image_data.h"
#include "ui/frame_wnd.h"
#include "ui/hint_placement.h"
#include "ui/markup_wnd.h"

// Where the balloon points for a tap on a window.
enum HintPlacementMode : uint32_t {
    HintAtWindowCentre = 1,  // the default of every hint
    HintAtTapPoint = 2,      // the tap point made absolute
    // Any other value: the pen point as the window got it.
};

class CHintWnd : public CFrameWnd {
public:
    CHintWnd(CWindow* parent, const CStr& path, bool load);
    ~CHintWnd() override;
    void Paint(const PackedRect& rect) override;
    void OnPenDown(const PackedPoint& point) override;
    uint32_t SetSkin(const CStr& name, bool redraw) override;

    // Lays the text out in two thirds of the screen and sizes the balloon
    // to its first page.
    void SetText(const CStr& text, bool redraw);
    // Places the balloon for a screen point and runs it until it is tapped;
    // nothing for an empty text.
    void ShowAt(const PackedPoint& point);
    void Place(const PackedPoint& point);

    CMarkupWnd* TextWindow() const { return m_text; }
    HintArrow CurrentArrow() const { return m_arrow; }
    const PackedPoint& ArrowPosition() const { return m_arrowPosition; }
    const ImageData& ArrowImage(HintArrow arrow) const { return m_arrows[arrow]; }

private:
    ImageData m_arrows[HintArrowCount];
    PackedPoint m_arrowPosition = UndefinedPoint;
    HintArrow m_arrow = HintArrowNone;
    CMarkupWnd* m_text;
};

class CHintMgr {
public:
    // Creates the balloon (skin "Hint") and installs the hint hooks of the
    // toolkit; 1 when the balloon exists.
    static uint32_t Init();
    static void Shutdown();
    static CHintWnd* Balloon();
    // Makes a tap on the window open its hint (replacing any earlier
    // pen-down binding).
    static void AttachHint(CWindow* window);
    // Opens the hint of a window's link for a pen point in window coordinates.
    static void ShowHintFor(CWindow* window, const PackedPoint& point);
    // Opens a given text for a window (buttons that carry their own hint).
    static void ShowHintText(CWindow* window, const CStr& text, const PackedPoint* point,
                             uint32_t mode = HintAtWindowCentre);
    // The balloon's anchor point on the screen for a tap.
    static PackedPoint AnchorPoint(CWindow* window, const PackedPoint& point, uint32_t mode);
};

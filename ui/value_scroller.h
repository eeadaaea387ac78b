#pragma once
// CValueScroller ("Scr" nodes): a number between a minimum and a maximum
// shown as text in a label, with buttons to the minimum, one down, one up and
// to the maximum around it. Holding a one-step button repeats with
// acceleration. The owner hears of every value change and of every user step
// with its signed amount.

#include <cstdint>

#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/control_handler.h"
#include "ui/label.h"
#include "ui/owner_timer.h"

class CValueScroller;

enum ValueScrollerParts : uint8_t {
    ScrollerFirst = 0x01,
    ScrollerBack = 0x02,
    ScrollerForward = 0x04,
    ScrollerLast = 0x08,
    ScrollerLabel = 0x10,
};

enum ValueScrollerFlags : uint8_t {
    ScrollerTextSuspended = 0x01,
    ScrollerAccelerate = 0x02,
};

enum ValueScrollerDirection : uint8_t {
    ScrollerIdle = 0,
    ScrollerDown = 2,
    ScrollerUp = 4,
};

constexpr int32_t IidValueScroller = 26;

class CValueScroller : public CCompositeWnd, public CSkinTarget {
public:
    CValueScroller(CWindow* parent, const CStr& path, bool load);
    ~CValueScroller() override;

    void* QueryInterface(int32_t id) override;
    uint32_t SetSkin(const CStr& folder, bool redraw) override;
    bool LoadLayout(bool keepVisibility) override;
    void OnSize() override;

    // Stores the value as given (no clamping).
    void SetValue(int32_t value, bool redraw, bool notify);
    void SetMin(int32_t value, bool redraw);
    void SetMax(int32_t value, bool redraw);
    void SetParts(uint8_t mask, bool redraw);
    virtual void OnValueChanged(bool notify);

    int32_t Value() const { return m_value; }
    int32_t Min() const { return m_min; }
    int32_t Max() const { return m_max; }
    uint8_t Parts() const { return m_parts; }
    uint8_t Direction() const { return m_direction; }
    const CStr& Format() const { return m_format; }
    void SetFormat(const CStr& format) { m_format = format; }
    CTextButton* FirstButton() const { return m_first; }
    CTextButton* BackButton() const { return m_back; }
    CTextButton* ForwardButton() const { return m_forward; }
    CTextButton* LastButton() const { return m_last; }
    CLabel* ValueLabel() const { return m_label; }
    CTimer* RepeatTimer() const { return m_timer; }

    uint8_t flags = ScrollerAccelerate;
    ControlHandlerSlot<CValueScroller*> valueChanged;
    ControlHandlerSlot<CValueScroller*, int32_t> stepped;

    void Layout();
    void ShowParts();

private:
    void OnRepeatTimer();
    void OnFirstClick(CWindow*, intptr_t);
    void OnLastClick(CWindow*, intptr_t);
    void OnBackState(CWindow*, intptr_t);
    void OnForwardState(CWindow*, intptr_t);
    void JumpTo(int32_t target);
    void HoldStateChanged(CTextButton* button, uint8_t direction);
    void RefreshLabel();

    int32_t m_counter = 0;
    int32_t m_max = 0;
    int32_t m_min = 0;
    int32_t m_value = 0;
    uint8_t m_direction = ScrollerIdle;
    uint8_t m_parts = 0xFF;
    bool m_loadedOnce = false;
    OwnerTimer<CValueScroller>* m_timer;
    CTextButton* m_first;
    CTextButton* m_back;
    CTextButton* m_forward;
    CTextButton* m_last;
    CLabel* m_label;
    CStr m_format;
};

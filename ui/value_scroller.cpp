#include "ui/value_scroller.h"

#include <algorithm>

#include "core/ui_mgr.h"
#include "ui/link_layout.h"
#include "ui/scroll_geometry.h"

namespace {

CTextButton* MakeButton(CWindow* parent, const char* skin)
{
    auto* button = new CTextButton(parent, CStr(), false);
    button->SetSkin(CStr(skin), false);
    button->SetRect(PackedRect(0, 0, 0, 0), false);  // the skin's size
    button->Show(true, false);
    return button;
}

// Enables or disables a shown button when its state differs.
void SetButtonEnabled(CTextButton* button, bool shown, bool enable)
{
    if (!shown || button->IsEnabled() == enable)
        return;
    button->Enable(enable, true);
}

}  // namespace

CValueScroller::CValueScroller(CWindow* parent, const CStr& path, bool load)
    : CCompositeWnd(parent, path, false),
      m_timer(new OwnerTimer<CValueScroller>(this, &CValueScroller::OnRepeatTimer)),
      m_first(nullptr),
      m_back(nullptr),
      m_forward(nullptr),
      m_last(nullptr),
      m_label(new CLabel(m_window, CStr(), false))
{
    m_label->Caption().SetAlign(AlignCentre, AlignCentre);
    m_label->Caption().foreground = 8;
    m_label->Enable(false, false);
    m_first = MakeButton(m_window, "ValueScroller/Btn_LL");
    m_back = MakeButton(m_window, "ValueScroller/Btn_L");
    m_forward = MakeButton(m_window, "ValueScroller/Btn_R");
    m_last = MakeButton(m_window, "ValueScroller/Btn_RR");
    m_first->BindHandler(HandlerClick, this, &CValueScroller::OnFirstClick);
    m_last->BindHandler(HandlerClick, this, &CValueScroller::OnLastClick);
    m_back->SetStateHandler(new (std::nothrow)
                                WindowMemberHandler<CValueScroller>(this, &CValueScroller::OnBackState));
    m_forward->SetStateHandler(
        new (std::nothrow) WindowMemberHandler<CValueScroller>(this, &CValueScroller::OnForwardState));
    if (load)
        LoadLayout(false);
    SetValue(0, false, true);
    Layout();
    m_label->Show(true, false);
    ShowParts();
}

CValueScroller::~CValueScroller()
{
    delete m_timer;
}

void* CValueScroller::QueryInterface(int32_t id)
{
    if (id == IidValueScroller)
        return this;
    if (id == IidSkinTarget)
        return static_cast<CSkinTarget*>(this);
    return CCompositeWnd::QueryInterface(id);
}

uint32_t CValueScroller::SetSkin(const CStr& folder, bool redraw)
{
    static const char* const kSuffixes[] = {"/Btn_LL", "/Btn_L", "/Btn_R", "/Btn_RR"};
    CTextButton* buttons[] = {m_first, m_back, m_forward, m_last};
    for (int i = 0; i < 4; ++i) {
        buttons[i]->SetSkin(CStr::ConcatChars(folder, kSuffixes[i]), false);
        buttons[i]->SetRect(PackedRect(0, 0, 0, 0), false);
    }
    Layout();
    if (redraw && m_window)
        m_window->Invalidate();
    return 1;
}

bool CValueScroller::LoadLayout(bool keepVisibility)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, keepVisibility, refreshWas))
        return false;
    m_loadedOnce = true;
    m_format = CUIMgr::NextString();
    // The flags come in the order of the parts from left to right.
    static const uint8_t kOrder[] = {ScrollerFirst, ScrollerBack, ScrollerLabel, ScrollerForward,
                                     ScrollerLast};
    for (uint8_t bit : kOrder) {
        const bool on = CUIMgr::NextBool();
        SetParts(static_cast<uint8_t>(on ? (m_parts | bit) : (m_parts & ~bit)), true);
    }
    EndLinkLayout(m_link, refreshWas);
    return true;
}

void CValueScroller::OnSize()
{
    CCompositeWnd::OnSize();
    Layout();
}

void CValueScroller::SetValue(int32_t value, bool redraw, bool notify)
{
    m_value = value;
    OnValueChanged(notify);
    if (redraw)
        m_label->Invalidate();
}

void CValueScroller::SetMin(int32_t value, bool redraw)
{
    m_min = value;
    if (m_value < m_min)
        m_value = m_min;
    OnValueChanged(false);
    if (redraw)
        m_label->Invalidate();
}

void CValueScroller::SetMax(int32_t value, bool redraw)
{
    m_max = value;
    if (m_value > m_max)
        m_value = m_max;
    OnValueChanged(false);
    if (redraw)
        m_label->Invalidate();
}

void CValueScroller::SetParts(uint8_t mask, bool redraw)
{
    m_parts = mask;
    ShowParts();
    if (redraw && m_window)
        m_window->Invalidate();
}

void CValueScroller::OnValueChanged(bool notify)
{
    if (notify)
        valueChanged(this);
    if (m_value == m_min) {
        SetButtonEnabled(m_first, m_parts & ScrollerFirst, false);
        SetButtonEnabled(m_back, m_parts & ScrollerBack, false);
    } else if (m_value > m_min) {
        SetButtonEnabled(m_first, m_parts & ScrollerFirst, true);
        SetButtonEnabled(m_back, m_parts & ScrollerBack, true);
    }
    if (m_value == m_max) {
        SetButtonEnabled(m_forward, m_parts & ScrollerForward, false);
        SetButtonEnabled(m_last, m_parts & ScrollerLast, false);
    } else if (m_value < m_max) {
        SetButtonEnabled(m_forward, m_parts & ScrollerForward, true);
        SetButtonEnabled(m_last, m_parts & ScrollerLast, true);
    }
    if (!(flags & ScrollerTextSuspended) && !m_format.IsEmpty()) {
        CStr text;
        text.Format(m_format.Chars(), m_value, m_max);
        m_window->SetText(text, false);
        m_label->SetText(text, false);
    }
}

void CValueScroller::RefreshLabel()
{
    if (!(flags & ScrollerTextSuspended))
        m_label->Invalidate();
}

void CValueScroller::JumpTo(int32_t target)
{
    const int32_t amount = SaturatingAdd(target, -static_cast<int64_t>(m_value));
    stepped(this, amount);
    m_value = target;
    OnValueChanged(true);
    RefreshLabel();
}

void CValueScroller::OnFirstClick(CWindow*, intptr_t)
{
    JumpTo(m_min);
}
void CValueScroller::OnLastClick(CWindow*, intptr_t)
{
    JumpTo(m_max);
}

void CValueScroller::HoldStateChanged(CTextButton* button, uint8_t direction)
{
    if (button->IsDrawnDown()) {
        m_counter = 0;
        m_direction = direction;
        m_timer->SetRate(RepeatStartRate);
        m_timer->suspended = 0;
    } else {
        m_direction = ScrollerIdle;
        m_timer->suspended = 1;
    }
}

void CValueScroller::OnBackState(CWindow*, intptr_t)
{
    HoldStateChanged(m_back, ScrollerDown);
}
void CValueScroller::OnForwardState(CWindow*, intptr_t)
{
    HoldStateChanged(m_forward, ScrollerUp);
}

void CValueScroller::OnRepeatTimer()
{
    m_timer->SetRate(NextRepeatRate(m_counter));
    const int32_t units = RepeatMultiplier(m_counter, (flags & ScrollerAccelerate) != 0);
    int32_t amount = m_direction == ScrollerDown ? -units : (m_direction == ScrollerUp ? units : 0);
    const ValueStep step = LimitValueStep(m_value, amount, m_min, m_max);
    amount = step.amount;
    if (step.stop)
        m_timer->suspended = 1;
    m_value = SaturatingAdd(m_value, amount);
    if (m_direction == ScrollerDown || m_direction == ScrollerUp)
        stepped(this, amount);
    OnValueChanged(true);
    RefreshLabel();
    ++m_counter;
}

void CValueScroller::Layout()
{
    if (m_window == nullptr)
        return;
    int32_t height = 0;
    for (CTextButton* button : {m_first, m_back, m_forward, m_last})
        height = std::max<int32_t>(height, button->Height());
    const PackedRect& requested = m_window->RequestedRect();
    if (requested.IsDefined()) {
        m_window->SetRect(PackedRect(requested.Left(), requested.Top(), requested.Right(),
                                     static_cast<int16_t>(requested.Top() + height - 1)),
                          false);
    }
    int32_t left = 0;
    int32_t right = m_window->Width();
    auto place = [](CTextButton* button, int32_t x) {
        button->SetRect(PackedRect(static_cast<int16_t>(x), 0, static_cast<int16_t>(x + button->Width() - 1),
                                   static_cast<int16_t>(button->Height() - 1)),
                        false);
    };
    if (m_parts & ScrollerFirst) {
        place(m_first, left);
        left += m_first->Width();
    }
    if (m_parts & ScrollerBack) {
        place(m_back, left);
        left += m_back->Width();
    }
    if (m_parts & ScrollerLast) {
        right -= m_last->Width();
        place(m_last, right);
    }
    if (m_parts & ScrollerForward) {
        right -= m_forward->Width();
        place(m_forward, right);
    }
    if (m_parts & ScrollerLabel) {
        m_label->SetRect(PackedRect(static_cast<int16_t>(left), 0, static_cast<int16_t>(right - 1),
                                    static_cast<int16_t>(m_window->Height() - 1)),
                         false);
    }
}

void CValueScroller::ShowParts()
{
    m_first->Show((m_parts & ScrollerFirst) != 0, false);
    m_back->Show((m_parts & ScrollerBack) != 0, false);
    m_forward->Show((m_parts & ScrollerForward) != 0, false);
    m_last->Show((m_parts & ScrollerLast) != 0, false);
    m_label->Show((m_parts & ScrollerLabel) != 0, false);
    OnSize();
}

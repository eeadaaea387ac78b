#include "mapdialogs/random_event_wnd.h"

#include <new>

#include "core/sound_mgr.h"
#include "core/ui_mgr.h"
#include "mapdialogs/dialog_controls.h"
#include "mapdialogs/item_list_wnd.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/window_mgr.h"

namespace {

const char* const kTitleKeys[CRandomEventWnd::kEventCount] = {
    "rtRndEvt1T", "rtRndEvt2T", "rtRndEvt3T", "rtRndEvt4T", "rtRndEvt5T",
    "rtRndEvt6T", "rtRndEvt7T", "rtRndEvt8T", "rtRndEvt9T",
};

bool IsEvent(int32_t event)
{
    return event >= 1 && event <= CRandomEventWnd::kEventCount;
}

CStr FormatLocale(const char* key, const CStr& value)
{
    CStr text;
    text.Format(LocaleText(key).Chars(), value);
    return text;
}

}  // namespace

const char* CRandomEventWnd::EventSoundPath(int32_t event)
{
    if (!IsEvent(event))
        return "";
    return event == kArrivalEvent ? "/Sounds/msg_good" : "/Sounds/msg_bad";
}

CRandomEventWnd::CRandomEventWnd(CWindow* parent, const CStr& layoutName, bool load)
    : CFrameWnd(parent, DialogLayoutPath(layoutName), load)
{
    const CStr& path = m_link.Path();
    m_lblPlayer = new CLabel(this, ChildPath(path, "LblPlayer"), true);
    m_lblProvince = new CLabel(this, ChildPath(path, "LblProvince"), true);
    m_rtMessage = new CTextWnd(this, ChildPath(path, "RtMessage"), true);
    m_lblLosts = new CLabel(this, ChildPath(path, "LblLosts"), true);
    m_resLost = new CResWnd(this, ChildPath(path, "ResLost"), true);
    m_armyLost = new CItemListWnd(this, ChildPath(path, "ArmyLost"), true);
    // The notice closes on a tap anywhere: its controls only show things, so
    // they let the pen through to the window.
    for (CWindow* control : {static_cast<CWindow*>(m_lblPlayer), static_cast<CWindow*>(m_lblProvince),
                             static_cast<CWindow*>(m_rtMessage), static_cast<CWindow*>(m_lblLosts),
                             static_cast<CWindow*>(m_resLost), static_cast<CWindow*>(m_armyLost)}) {
        control->Enable(false, false);
    }
}

CRandomEventWnd::~CRandomEventWnd()
{
    PrepareDestroy();
    delete m_sound;
    m_sound = nullptr;
}

void CRandomEventWnd::Setup(RandomEventRequest* record)
{
    if (record == nullptr)
        return;
    const int32_t event = static_cast<int32_t>(record->kind);
    m_lblPlayer->SetText(FormatLocale("PlayerStr", record->playerName), true);
    m_lblProvince->SetText(FormatLocale("ProvinceStr", record->provinceName), true);
    int32_t h = Height();
    m_resLost->flags &= static_cast<uint8_t>(~ResShowZero);
    ShowBundle(m_resLost, record->amounts, true);
    m_rtMessage->ShowString(event - 1, true);
    const bool units = record->units.HasUnits();
    if (units) {
        m_armyLost->Fill(record->units, SquadFaceLeft, true, false, false);
        m_armyLost->Show(true, false);
    } else {
        h -= m_armyLost->Height();
        m_armyLost->Show(false, false);
    }
    const bool resources = record->amounts.IsZero();
    if (resources)
        h -= m_resLost->Height();
    if (!units && resources) {
        // Nothing was lost or won: no caption, and the window loses the
        // room of the two empty controls.
        m_lblLosts->Show(false, false);
        PackedRect rect = RequestedRect();
        if (rect.IsDefined()) {
            rect.SetBottom(static_cast<int16_t>(rect.Top() + h));
            SetRect(rect, false);
        }
    } else {
        m_lblLosts->SetText(LocaleText(event == kArrivalEvent ? "Arrivals" : "Losts"), true);
    }
    // Any other number keeps the title of the layout.
    if (IsEvent(event))
        SetText(LocaleText(kTitleKeys[event - 1]), true);
    delete m_sound;
    m_sound = nullptr;
    if (IsEvent(event))
        m_sound = new (std::nothrow) CSound(EventSoundPath(event));
}

void CRandomEventWnd::OnShow()
{
    if (m_sound != nullptr)
        m_sound->Play();
}

void CRandomEventWnd::OnPenUp(const PackedPoint& point)
{
    WindowGuard guard(this);
    CWindow::OnPenUp(point);
    if (!guard.Alive())
        return;
    SetModalResult(ResultOk);
    EndModal(this);
}

#include <new>

#include "core/display_surface.h"
#include "core/preferences.h"
#include "core/sound_mgr.h"
#include "core/ui_mgr.h"
#include "mapdialogs/dialog_controls.h"
#include "mapdialogs/prefs_wnds.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/message_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/ui_resolution.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

constexpr int32_t kMinLevel = 1;
constexpr int32_t kMaxLevel = 9;

bool IsChecked(const CCheckBox* box)
{
    return box != nullptr && box->IsDrawnDown();
}

int32_t SafeMax(int32_t max)
{
    return max > 0 ? max : 1;
}

void SetBrightness(uint8_t option)
{
    CDisplaySurface* display = GetDisplaySurface();
    if (display == nullptr)
        return;
    display->brightness = CPreferencesMgr::BrightnessLevel(option);
    display->ApplyPalette(0, 256, display->RawPalette());
}

void SetContrast(uint8_t option)
{
    CDisplaySurface* display = GetDisplaySurface();
    if (display == nullptr)
        return;
    display->contrast = CPreferencesMgr::ContrastLevel(option);
    display->ApplyPalette(0, 256, display->RawPalette());
}

// Wider than tall while the display is not turned.
bool NativelyLandscape()
{
    const CDisplaySurface* display = GetDisplaySurface();
    return display != nullptr && display->Width() > display->Height() && !display->IsSwapped();
}

}  // namespace

int32_t VolumeToSliderPosition(int32_t volume, int32_t max)
{
    return volume * SafeMax(max) / 255;
}

int32_t SliderPositionToVolume(int32_t position, int32_t max)
{
    return position * 255 / SafeMax(max);
}

CStr OrientationText(uint8_t orientation, bool nativelyLandscape)
{
    const bool odd = (orientation & 1) != 0;
    CStr text = LocaleText(odd == nativelyLandscape ? "Portrait" : "Landscape");
    CStr angle;
    angle.Format(" (%d\xB0)", static_cast<int>(orientation) * 90);
    text.Append(angle);
    return text;
}

CGamePrefsWnd::CGamePrefsWnd(CWindow* parent, const CStr& layoutPath)
    : CDialog(parent, DialogLayoutPath(layoutPath), true)
{
    const CStr& path = m_link.Path();
    m_cbSounds = new CCheckBox(this, ChildPath(path, "CbSounds"), true);
    m_lblVolume = new CLabel(this, ChildPath(path, "LblVolume"), true);
    m_sliderVolume = new CScrollBar(this, ChildPath(path, "SliderVolume"), true);
    m_lblScrMode = new CLabel(this, ChildPath(path, "LblScrMode"), true);
    m_scrModes = new CValueScroller(this, ChildPath(path, "ScrModes"), true);
    m_lblBrightness = new CLabel(this, ChildPath(path, "LblBrightness"), true);
    m_scrBrightness = new CValueScroller(this, ChildPath(path, "ScrBrightness"), true);
    m_lblContrast = new CLabel(this, ChildPath(path, "LblContrast"), true);
    m_scrContrast = new CValueScroller(this, ChildPath(path, "ScrContrast"), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"), true);
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"), true);

    m_scrModes->flags |= ScrollerTextSuspended;
    m_scrModes->SetMin(0, false);
    for (uint8_t o = 0; o < 4; ++o) {
        if (OrientationAvailable[o] != 0)
            m_orientations[m_orientationCount++] = o;
    }
    m_scrModes->SetMax(m_orientationCount > 0 ? m_orientationCount - 1 : 0, false);
    for (CValueScroller* level : {m_scrBrightness, m_scrContrast}) {
        level->SetMin(kMinLevel, false);
        level->SetMax(kMaxLevel, false);
    }
    m_checkSound = new (std::nothrow) CSound("/Sounds/vol_check");

    m_cbSounds->BindHandler(HandlerClick, this, &CGamePrefsWnd::OnSoundsToggled);
    m_sliderVolume->scrolled.Bind(this, &CGamePrefsWnd::OnVolumeChanged);
    m_sliderVolume->scrollEnded.Bind(this, &CGamePrefsWnd::OnVolumeStep);
    m_scrModes->valueChanged.Bind(this, &CGamePrefsWnd::OnModeChanged);
    m_scrBrightness->valueChanged.Bind(this, &CGamePrefsWnd::OnBrightnessChanged);
    m_scrContrast->valueChanged.Bind(this, &CGamePrefsWnd::OnContrastChanged);
    m_btnOk->BindHandler(HandlerClick, this, &CGamePrefsWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CGamePrefsWnd::OnCancel);
}

CGamePrefsWnd::~CGamePrefsWnd()
{
    PrepareDestroy();
    delete m_checkSound;
    m_checkSound = nullptr;
}

void CGamePrefsWnd::OnShow()
{
    // The box first: the slider's notification previews the volume, and
    // with the box still unchecked that would silence the game for as long
    // as the window is up (and after an OK that changed nothing).
    m_cbSounds->SetChecked(PrefSoundOn != 0, true);
    m_sliderVolume->SetPos(VolumeToSliderPosition(PrefVolume, m_sliderVolume->Max()), true, true);
    int32_t mode = m_scrModes->Value();
    for (uint16_t i = 0; i < m_orientationCount; ++i) {
        if (m_orientations[i] == PrefScreenMode)
            mode = i;
    }
    // Set even when no entry matches, so that the entry shown has its text.
    m_scrModes->SetValue(mode, true, true);
    // The display already shows the stored levels: setting the scrollers
    // must not apply them again.
    m_previewGuard = 1;
    m_scrBrightness->SetValue(PrefBrightness, true, true);
    m_scrContrast->SetValue(PrefContrast, true, true);
    m_previewGuard = 0;
    CWindow::OnShow();
}

void CGamePrefsWnd::ApplyPreviewVolume()
{
    const int32_t volume =
        IsChecked(m_cbSounds) ? SliderPositionToVolume(m_sliderVolume->Pos(), m_sliderVolume->Max()) : 0;
    CSoundMgr::SetMasterVolume(static_cast<uint16_t>(volume));
    CSoundMgr::ApplyVolume();
}

void CGamePrefsWnd::OnSoundsToggled(CWindow*, intptr_t)
{
    ApplyPreviewVolume();
}

void CGamePrefsWnd::OnVolumeChanged(CScrollBar*)
{
    if (m_checkSound != nullptr)
        m_checkSound->Stop();
    ApplyPreviewVolume();
}

void CGamePrefsWnd::OnVolumeStep(CScrollBar*)
{
    // Heard at the new volume (or not at all while the sound box is off).
    if (m_checkSound != nullptr)
        m_checkSound->Play();
}

void CGamePrefsWnd::OnModeChanged(CValueScroller* scroller)
{
    const int32_t index = scroller->Value();
    if (index < 0 || index >= m_orientationCount)
        return;
    SetScrollerOwnText(m_scrModes, OrientationText(m_orientations[index], NativelyLandscape()), true);
}

void CGamePrefsWnd::OnBrightnessChanged(CValueScroller* scroller)
{
    if (m_previewGuard)
        return;
    SetBrightness(static_cast<uint8_t>(scroller->Value()));
}

void CGamePrefsWnd::OnContrastChanged(CValueScroller* scroller)
{
    if (m_previewGuard)
        return;
    SetContrast(static_cast<uint8_t>(scroller->Value()));
}

void CGamePrefsWnd::OnOk(CWindow*, intptr_t)
{
    WindowGuard guard(this);
    PrefVolume = SliderPositionToVolume(m_sliderVolume->Pos(), m_sliderVolume->Max());
    PrefSoundOn = IsChecked(m_cbSounds) ? 1 : 0;
    CSoundMgr::Enable(PrefSoundOn != 0);
    const int32_t index = m_scrModes->Value();
    if (index >= 0 && index < m_orientationCount && m_orientations[index] != PrefScreenMode) {
        // Taken at the next start of the program, which chooses the screen
        // mode from it.
        PrefScreenMode = m_orientations[index];
        CMessageWnd* box = new (std::nothrow) CMessageWnd(this);
        if (box != nullptr) {
            box->Setup(LocaleText("RestartScreen"), CStr(), MessageTapToClose, CStr(), true);
            delete box;
        }
        if (!guard.Alive())
            return;
    }
    PrefBrightness = static_cast<uint8_t>(m_scrBrightness->Value());
    PrefContrast = static_cast<uint8_t>(m_scrContrast->Value());
    SetModalResult(ResultOk);
    EndModal(this);
}

void CGamePrefsWnd::OnCancel(CWindow*, intptr_t)
{
    SetBrightness(PrefBrightness);
    SetContrast(PrefContrast);
    SetModalResult(ResultCancel);
    EndModal(this);
}

#pragma once
// The two preference dialogs. CGamePrefsWnd ("/Map/MapWnd/GamePrefsWnd")
// edits sound, volume, screen orientation, brightness and contrast and
// previews them at once on the sound manager and the display; Cancel puts
// the display back. CBattlePrefsWnd ("/Map/MapWnd/MapBattleWnd/BattlePrefsWnd")
// edits the battle options and changes nothing until OK. Both change the
// preferences in memory only: the preferences manager writes them at
// shutdown. Openers create them, run them modally (1 OK, 2 Cancel) and
// delete them.

#include <cstdint>

#include "ui/dialog.h"

class CCheckBox;
class CLabel;
class CPushButton;
class CScrollBar;
class CSound;
class CValueScroller;

inline constexpr const char* kGamePrefsLayout = "/Map/MapWnd/GamePrefsWnd";
inline constexpr const char* kBattlePrefsLayout = "/Map/MapWnd/MapBattleWnd/BattlePrefsWnd";

// Positions of the battle options in PrefBattleOptions.
enum BattlePrefIndex : int {
    kPrefShowGrid = 0,
    kPrefShowSquadNumbers = 1,  // 1: the numbers are drawn
    kPrefAutoTrebs1 = 2,
    kPrefAutoTrebs2 = 3,
    kPrefAllowSplit = 4,
    kPrefKeepOrders = 5,  // no window edits it
    kPrefExpertMode = 6,
};

// Volume conversions between PrefVolume (0..255) and a slider position in
// 0..max; a maximum of 0 or less reads as 1 so that no division fails.
int32_t VolumeToSliderPosition(int32_t volume, int32_t max);
int32_t SliderPositionToVolume(int32_t position, int32_t max);
// The text of an orientation entry: "Portrait" or "Landscape" (localized)
// and the angle, e.g. "Landscape (90°)" with the degree sign as byte 0xB0.
CStr OrientationText(uint8_t orientation, bool nativelyLandscape);

class CGamePrefsWnd : public CDialog {
public:
    CGamePrefsWnd(CWindow* parent, const CStr& layoutPath);
    ~CGamePrefsWnd() override;

    void OnShow() override;
    void OnSoundsToggled(CWindow*, intptr_t);
    void OnVolumeChanged(CScrollBar*);
    void OnVolumeStep(CScrollBar*);
    void OnModeChanged(CValueScroller*);
    void OnBrightnessChanged(CValueScroller*);
    void OnContrastChanged(CValueScroller*);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    uint16_t OrientationCount() const { return m_orientationCount; }
    uint8_t OrientationAt(int i) const { return m_orientations[i]; }
    CCheckBox* SoundsBox() const { return m_cbSounds; }
    CScrollBar* VolumeSlider() const { return m_sliderVolume; }
    CValueScroller* ModeScroller() const { return m_scrModes; }
    CValueScroller* BrightnessScroller() const { return m_scrBrightness; }
    CValueScroller* ContrastScroller() const { return m_scrContrast; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }
    CSound* CheckSound() const { return m_checkSound; }

private:
    // The master volume the window previews: the slider's volume while the
    // sound box is checked, else 0.
    void ApplyPreviewVolume();

    CCheckBox* m_cbSounds = nullptr;
    CLabel* m_lblVolume = nullptr;
    CScrollBar* m_sliderVolume = nullptr;
    CLabel* m_lblScrMode = nullptr;
    CValueScroller* m_scrModes = nullptr;
    CLabel* m_lblBrightness = nullptr;
    CValueScroller* m_scrBrightness = nullptr;
    CLabel* m_lblContrast = nullptr;
    CValueScroller* m_scrContrast = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
    CSound* m_checkSound = nullptr;
    uint8_t m_orientations[4] = {};
    uint16_t m_orientationCount = 0;
    uint8_t m_previewGuard = 0;
};

class CBattlePrefsWnd : public CDialog {
public:
    CBattlePrefsWnd(CWindow* parent, const CStr& layoutPath);
    ~CBattlePrefsWnd() override;

    void OnShow() override;
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    CCheckBox* GridBox() const { return m_cbGrid; }
    CCheckBox* NumbersBox() const { return m_cbNumbers; }
    CCheckBox* AutoTrebsBox() const { return m_cbAutoTrebs; }
    CCheckBox* AllowSplitBox() const { return m_cbAllowSplit; }
    CCheckBox* ExpertModeBox() const { return m_cbExpertMode; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }

private:
    CCheckBox* m_cbGrid = nullptr;
    CCheckBox* m_cbNumbers = nullptr;
    CCheckBox* m_cbAutoTrebs = nullptr;
    CCheckBox* m_cbAllowSplit = nullptr;
    CCheckBox* m_cbExpertMode = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
};

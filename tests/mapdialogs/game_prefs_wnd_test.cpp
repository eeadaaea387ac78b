// The game preferences window: volume, sound, orientation, brightness and
// contrast, previewed at once and stored on OK; Cancel puts the display
// back.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/display_surface.h"
#include "core/preferences.h"
#include "core/sound_mgr.h"
#include "mapdialogs/prefs_wnds.h"
#include "tests/mapdialogs/operation_windows_rig.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/label.h"
#include "ui/message_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/ui_resolution.h"

namespace {

using operation_windows_test::OperationWindowsRig;

TEST(GamePrefsRules, VolumeAndOrientationConversions)
{
    struct Volume {
        int32_t volume, max, position, back;
    };
    for (const Volume v : {Volume{127, 10, 4, 102}, Volume{255, 10, 10, 255}, Volume{0, 10, 0, 0},
                           Volume{127, 255, 127, 127}, Volume{200, 0, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << v.volume << " on " << v.max);
        const int32_t position = VolumeToSliderPosition(v.volume, v.max);
        EXPECT_EQ(position, v.position);
        EXPECT_EQ(SliderPositionToVolume(position, v.max), v.back);
    }
    struct Mode {
        uint8_t orientation;
        bool landscape;
        const char* text;
    };
    for (const Mode m : {Mode{0, false, "Portrait (0\xB0)"}, Mode{1, false, "Landscape (90\xB0)"},
                         Mode{2, false, "Portrait (180\xB0)"}, Mode{3, true, "Portrait (270\xB0)"},
                         Mode{0, true, "Landscape (0\xB0)"}}) {
        EXPECT_STREQ(OrientationText(m.orientation, m.landscape).Chars(), m.text);
    }
}

class GamePrefsTest : public OperationWindowsRig {
protected:
    void SetUp() override
    {
        OperationWindowsRig::SetUp();
        CPreferencesMgr::SetDefaults();
        std::memcpy(m_savedOrientations, OrientationAvailable, sizeof m_savedOrientations);
        const uint8_t all[4] = {1, 0, 1, 1};  // the quarter turn is missing
        std::memcpy(OrientationAvailable, all, sizeof all);
        m_display.brightness = CPreferencesMgr::BrightnessLevel(PrefBrightness);
        m_display.contrast = CPreferencesMgr::ContrastLevel(PrefContrast);
        CSoundMgr::SetMasterVolume(static_cast<uint16_t>(PrefVolume));
    }
    void TearDown() override
    {
        std::memcpy(OrientationAvailable, m_savedOrientations, sizeof m_savedOrientations);
        CPreferencesMgr::SetDefaults();
        CSoundMgr::SetMasterVolume(127);
        OperationWindowsRig::TearDown();
    }
    std::unique_ptr<CGamePrefsWnd> Make()
    {
        auto wnd = std::make_unique<CGamePrefsWnd>(Root(), CStr(kGamePrefsLayout));
        Open(wnd.get());
        return wnd;
    }
    static std::string ModeText(const CGamePrefsWnd& wnd)
    {
        return wnd.ModeScroller()->ValueLabel()->Text().Chars();
    }
    uint8_t m_savedOrientations[4] = {};
};

TEST_F(GamePrefsTest, OpensFromThePreferences)
{
    PrefVolume = 127;
    PrefSoundOn = 1;
    PrefScreenMode = 2;
    PrefBrightness = 7;
    PrefContrast = 3;
    m_display.brightness = 99;  // a level the window must not touch while it opens
    m_display.contrast = 98;
    auto wnd = Make();
    EXPECT_EQ(wnd->OrientationCount(), 3);
    EXPECT_EQ(wnd->OrientationAt(1), 2);
    EXPECT_EQ(wnd->ModeScroller()->Max(), 2);
    EXPECT_EQ(wnd->ModeScroller()->Value(), 1);
    EXPECT_EQ(ModeText(*wnd), "Portrait (180\xB0)");
    EXPECT_EQ(wnd->VolumeSlider()->Pos(), 4);
    EXPECT_TRUE(wnd->SoundsBox()->IsDrawnDown());
    EXPECT_EQ(wnd->BrightnessScroller()->Value(), 7);
    EXPECT_EQ(wnd->ContrastScroller()->Value(), 3);
    EXPECT_EQ(m_display.brightness, 99);
    EXPECT_EQ(m_display.contrast, 98);
    // The sound stays audible while the window is up.
    EXPECT_EQ(CSoundMgr::MasterVolume(), 102);
}

TEST_F(GamePrefsTest, AnUnsupportedStoredOrientationShowsTheFirstEntry)
{
    PrefScreenMode = 1;
    auto wnd = Make();
    EXPECT_EQ(wnd->ModeScroller()->Value(), 0);
    EXPECT_EQ(ModeText(*wnd), "Portrait (0\xB0)");
}

TEST_F(GamePrefsTest, SoundAndVolumePreviewOnTheMasterVolume)
{
    auto wnd = Make();
    TapWindow(wnd->VolumeSlider()->LastButton());
    EXPECT_EQ(CSoundMgr::MasterVolume(), 255);
    TapWindow(wnd->SoundsBox());
    EXPECT_FALSE(wnd->SoundsBox()->IsDrawnDown());
    EXPECT_EQ(CSoundMgr::MasterVolume(), 0);
    // The slider still moves, silently.
    TapWindow(wnd->VolumeSlider()->FirstButton());
    EXPECT_EQ(wnd->VolumeSlider()->Pos(), 0);
    EXPECT_EQ(CSoundMgr::MasterVolume(), 0);
    wnd->VolumeSlider()->SetPos(6, true, true);
    TapWindow(wnd->SoundsBox());
    EXPECT_EQ(CSoundMgr::MasterVolume(), 153);
    // Nothing is stored before OK.
    EXPECT_EQ(PrefVolume, 127);
    EXPECT_EQ(PrefSoundOn, 1);
}

TEST_F(GamePrefsTest, BrightnessAndContrastPreviewAndCancelRestores)
{
    struct Case {
        bool ok;
        uint16_t result;
        uint8_t brightness, contrast;  // stored afterwards
    };
    for (const Case c : {Case{false, ResultCancel, 5, 5}, Case{true, ResultOk, 6, 4}}) {
        CPreferencesMgr::SetDefaults();
        m_display.brightness = CPreferencesMgr::BrightnessLevel(5);
        m_display.contrast = CPreferencesMgr::ContrastLevel(5);
        auto wnd = std::make_unique<CGamePrefsWnd>(Root(), CStr(kGamePrefsLayout));
        controls_test::StepScript* script = Script();
        uint8_t previewBrightness = 0, previewContrast = 0;
        script->At(2, [&] { StepScroller(wnd->BrightnessScroller(), true); });
        script->At(3, [&] { StepScroller(wnd->ContrastScroller(), false); });
        script->At(4, [&] {
            previewBrightness = m_display.brightness;
            previewContrast = m_display.contrast;
            TapWindow(c.ok ? wnd->OkButton() : wnd->CancelButton());
        });
        EXPECT_EQ(RunModal(wnd.get()), c.result);
        EXPECT_EQ(previewBrightness, 142);  // level 6
        EXPECT_EQ(previewContrast, 110);    // level 4
        EXPECT_EQ(PrefBrightness, c.brightness);
        EXPECT_EQ(PrefContrast, c.contrast);
        EXPECT_EQ(m_display.brightness, CPreferencesMgr::BrightnessLevel(c.brightness));
        EXPECT_EQ(m_display.contrast, CPreferencesMgr::ContrastLevel(c.contrast));
    }
}

TEST_F(GamePrefsTest, OkWithoutChangesStoresTheRoundedVolumeAndAsksNothing)
{
    auto wnd = Make();
    int boxes = 0;
    controls_test::StepScript* script = Script();
    script->At(2, [&] { TapWindow(wnd->OkButton()); });
    script->At(4, [&] { boxes += CWindowMgr::CaptureCount() > 0 ? 1 : 0; });
    EXPECT_EQ(RunModal(wnd.get()), ResultOk);
    EXPECT_EQ(PrefVolume, 102);  // 127 * 10 / 255 * 255 / 10
    EXPECT_EQ(PrefSoundOn, 1);
    EXPECT_EQ(PrefScreenMode, 0);
    EXPECT_EQ(boxes, 0);
}

TEST_F(GamePrefsTest, ANewOrientationIsStoredWithARestartNotice)
{
    auto wnd = std::make_unique<CGamePrefsWnd>(Root(), CStr(kGamePrefsLayout));
    std::string notice;
    std::vector<std::string> texts;
    controls_test::StepScript* script = Script();
    for (int step : {2, 3}) {
        script->At(step, [&] {
            StepScroller(wnd->ModeScroller(), true);
            texts.push_back(ModeText(*wnd));
        });
    }
    script->At(4, [&] {
        EXPECT_EQ(PrefScreenMode, 0);  // not before OK
        TapWindow(wnd->OkButton());
    });
    // The notice is up, modal over the window: read it and tap it away.
    script->At(6, [&] {
        CWindow* top = CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1);
        if (auto* box = dynamic_cast<CMessageWnd*>(top)) {
            notice = box->TextWindow()->Text().Chars();
            TapWindow(box);
        }
    });
    EXPECT_EQ(RunModal(wnd.get()), ResultOk);
    EXPECT_EQ(texts, (std::vector<std::string>{"Portrait (180\xB0)", "Landscape (270\xB0)"}));
    EXPECT_EQ(notice, "Restart to turn the screen");
    EXPECT_EQ(PrefScreenMode, 3);
    EXPECT_LT(script->steps, 20);
}

}  // namespace

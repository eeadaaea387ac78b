#pragma once
// The map window's test rig: the screen rig on the game's own packs of the
// build (copied into a temporary data folder, so saved games stay there),
// the application layer started as the program starts it (skin folder, UI
// tree "240x320", palettes and fonts, window manager), and the game's
// stores (squad types, scenarios, controllers for people and for the
// computer). The frame hook runs the test's script first, the way a person
// would act between frames.

#include <string>
#include <vector>

#include "mapscreen/map_wnd.h"
#include "tests/support/screen/screen_rig.h"

namespace mapwnd_test {

class MapWindowRig : public screen_rig::ScreenRig {
protected:
    void SetUp() override;
    void TearDown() override;
    HeadlessOptions PlatformOptions() const override;
    void LoadData() override;
    RootWindowFactory RootWindow() const override;

    // The palette list and the three fonts, as the program loads them; the
    // screens start on the first palette ("base").
    static bool LoadFonts();
    // A map window as the application builds it, not yet run.
    CMapWnd* MakeMap();
    // The map window as its modal run shows it, without starting the game
    // that its show handler would run.
    void ShowMapWithoutGame();
    // The first scenario's first mission for this many people.
    static CMapWnd::NewGameOptions Options(uint8_t humans, uint32_t difficulty = 1);
    // Taps a window in its middle through the device's pen signals.
    void Tap(CWindow* window);
    // The person answers the window that holds the pen above the map, the
    // way he would: "Ok" or a tap on a message, "Start" on his custom-player
    // window, through the end-of-game screens, "Ok" on the name entry. True
    // when he tapped something; the kind of window goes into answered.
    bool AnswerTopWindow(std::vector<std::string>* answered = nullptr);
    // The text of the message box on top, waiting for an answer; "" when none.
    static std::string TopMessageText();
    // The map screen as a person sees it once it has been built again (after
    // a battle on the battle screen, after the end-of-game windows): the map
    // in its own colours, and the panels of the current mode and no others.
    void ExpectScreenOfItsMode(const char* when);
    bool SlotFileExists(int slot) const;
    // Screenshots of the tests go to shots/mapscreen in the build folder.
    static std::string ShotFolder();

    CMapWnd* m_map = nullptr;
};

}  // namespace mapwnd_test

#pragma once
// The test rig of the set-up, slot, statistics and hall-of-fame windows: a
// headless 240 x 320 screen with the window manager, and a small data set
// written in code: the windows' layout tree, locale texts, a font, mini-map
// pictures, flags, and two scenarios with four missions (one of them broken)
// whose worlds, titles, descriptions and preview pictures the windows read.
//
// Missions (global numbers):
//   0 scenario01/Mission001 "Reedwater": players Aldra (may be human,
//     counts towards the minimum), Borun (may be human), Corvin (always a
//     computer player); six provinces 0-5 owned 0, 0, 1, -, 2, 1.
//   1 scenario01/Mission002 "Twin Fords": two players, both may be human.
//   2 scenario01/Mission003 "Broken": its world does not load.
//   3 scenario02/Mission001 "Far Shore": one player and a neutral province.

#include <functional>
#include <string>
#include <vector>

#include "core/ref_string.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/screen/ui_rig.h"

class CWindow;
class CGameWorld;

namespace game_windows_test {

// The preview picture of the missions: 24 x 16, columns of four pixels per
// province 0-5, a top row of map border (250) and one pixel of 254 and 255.
constexpr int kPreviewWidth = 24;
constexpr int kPreviewHeight = 16;
uint8_t PreviewPixel(int x, int y);

class GameWindowsRig : public ui_test::UiRig {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs `script` one step per frame while a modal run is in progress
    // (step i runs at frame i + 1), after the queued events were delivered.
    void Script(std::vector<std::function<void()>> steps);
    // A tap in the middle of a window, delivered at once.
    void TapWindow(CWindow* window);
    // Loads a mission's world as the running game would (after-load pass
    // included) into the world given.
    bool LoadMissionWorld(int scenario, int mission, CGameWorld& world);
    // The pixel of the screen at a point (8-bit back buffer).
    uint8_t ScreenPixel(int x, int y);

    FixtureData m_data;
    std::vector<uint8_t> m_font;
    int m_frames = 0;
};

}  // namespace game_windows_test

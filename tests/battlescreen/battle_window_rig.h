#pragma once
// The battle window on the built data set: the headless display, the
// application layer started as the program starts it (paths, packs, the UI
// layer with the 240 x 320 layout, skins, palettes and fonts, the window
// manager with the real root window, hints and help), the squad types and
// the animation cache. A frame hook runs a script before each frame's
// events, as a user's hand would.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "battle/battle_flow.h"
#include "core/core_main.h"
#include "core/display_surface.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/temp_folder.h"

class CSquadType;

namespace battlescreen_test {

class ScriptHook : public FrameHook {
public:
    void OnFrame() override;
    std::function<void()> before;
    uint64_t frames = 0;
};

class BattleWindowRig : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A squad of a shipped type (its folder name) for the player.
    void AddUnits(PlayerRecord& player, const char* typeId, int32_t count);
    const CSquadType* Type(const char* typeId) const;
    // Saves the screen as a PNG in the test's temporary folder; its path.
    std::string Shot(const std::string& name);
    void Tap(int x, int y);

    HeadlessBackend* m_headless = nullptr;
    CDisplaySurface m_display;
    ScriptHook* m_hook = nullptr;
    PlayerRecord m_attacker;
    PlayerRecord m_defender;
    CastleState m_castle;
    BattleParams m_params;
    bool m_started = false;
};

}  // namespace battlescreen_test

#pragma once
// The battle window on the built data set: the headless display, the
// application layer started as the program starts it (paths, packs, the UI
// layer with the 240 x 320 layout, skins, palettes and fonts, the window
// manager with the real root window, hints and help), the squad types and
// the animation cache, on the screen rig.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "battle/battle_flow.h"
#include "core/core_main.h"
#include "core/display_surface.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/screen/screen_rig.h"

class CSquadType;

namespace battlescreen_test {

class BattleWindowRig : public screen_rig::ScreenRig {
protected:
    void SetUp() override;
    void TearDown() override;
    void LoadData() override;
    RootWindowFactory RootWindow() const override;

    // A squad of a shipped type (its folder name) for the player.
    void AddUnits(PlayerRecord& player, const char* typeId, int32_t count);
    const CSquadType* Type(const char* typeId) const;
    // A tap at a screen point, left in the queue for the next frame step.
    void Tap(int x, int y);

    PlayerRecord m_attacker;
    PlayerRecord m_defender;
    CastleState m_castle;
    BattleParams m_params;
    bool m_started = false;
};

}  // namespace battlescreen_test

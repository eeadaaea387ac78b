#pragma once
// The built data set mounted on the headless rig, with the 240 x 320 UI
// tree, the main font and the base palette, so that the set-up windows can
// be built from their real layouts and looked at.

#include <string>
#include <vector>

#include "tests/support/fixture_packs.h"
#include "tests/support/screen/ui_rig.h"

namespace game_windows_test {

class ShippedDataRig : public ui_test::UiRig {
protected:
    void SetUp() override;
    void TearDown() override;
    bool Exists(const char* path, const char* type);

    FixtureData m_log;  // keeps the log out of the build's data folder
    std::vector<uint8_t> m_font;
};

}  // namespace game_windows_test

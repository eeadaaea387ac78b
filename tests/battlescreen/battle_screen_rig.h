#pragma once
// The battle screen's test rig: the toolkit's headless 240 x 320 display
// with a small battle data set written in code, squad types registered in
// the game's registry, and two players to fight with.
//
// The data set: 32 x 32 cells under a 240 x 40 top picture (so the field's
// geometry is the one worked out by hand below), solid pictures of distinct
// colours for every terrain piece and icon, strength digits of different
// widths, and three unit folders:
//   Sword  full squad set (8 x 28 frames standing on their bottom rows, so a
//          picture reaches into the row above; side shade 221), every sound
//   Bow    idle, move and death only, with a missile set
//   Axe    idle only (one frame)
// and the trebuchet's object set (idle and kicked, 12 x 12 from its corner).

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "battle/battle_flow.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/screen/ui_rig.h"

namespace battlescreen_test {

// Colours of the data set's pictures.
enum : uint8_t {
    kCellColour = 70,
    kCellSelColour = 71,
    kGrassColour = 72,
    kMasonryColour = 73,
    kTopColour = 74,
    kTop1Colour = 75,
    kMoatColour = 76,
    kCmdCellColour = 80,
    kIconColourBase = 81,  // + icon slot
    kLeftBorderColour = 120,
    kRightBorderColour = 121,
    kLeftDigitBase = 100,   // + digit
    kRightDigitBase = 130,  // + digit
    kUnitShade = 221,       // the first side's shade 1
};

// Width of digit d's picture in the data set.
inline int DigitWidth(int d)
{
    return 3 + d % 3;
}

// What the engine knows as a battle between two players, with the rules of
// the shipped data.
struct Sides {
    Sides();
    PlayerRecord attacker;
    PlayerRecord defender;
    CastleState castle;
    BattleParams params;
};

class BattleScreenRig : public ui_test::UiRig {
protected:
    void SetUp() override;
    void TearDown() override;

    // Extra resources before mounting; called by SetUp.
    virtual void AddExtraResources(class PackWriter&) {}

    void AddSquad(PlayerRecord& player, const CSquadType* type, int32_t count);
    // Pixel of the display's back buffer.
    uint8_t Pixel(int x, int y) const;
    // A fresh 8-bit surface of the field's size, filled with colour 0.
    static uint8_t At(const class CDrawContext& dc, int x, int y);

    FixtureData m_data;
    std::vector<uint8_t> m_font;
    const CSquadType* m_sword = nullptr;
    const CSquadType* m_bow = nullptr;
    const CSquadType* m_axe = nullptr;
};

}  // namespace battlescreen_test

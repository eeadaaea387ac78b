#pragma once
// A player's colour is the number of his flag, and every screen takes it
// from here: his lands, flag and marching army on the map, his squads in
// every list and window (ui/side_colours.h), his side on the battle screen.

#include <cstdint>

class PlayerRecord;

// Flag colours 0-5: red, blue, green, yellow, purple, orange.
constexpr uint8_t kPlayerColourCount = 6;
// Squads of no player (a neutral garrison) are grey.
constexpr uint8_t kNeutralColour = 7;

// The player's flag colour; kNeutralColour for none or a flag past the six.
uint8_t PlayerColour(const PlayerRecord* player);

#pragma once
// Names for the single preference bytes and words that the screens edit,
// over the arrays the preferences file is streamed from. The map options and
// the new-game values keep the file's layout; these names only say which
// entry is which.

#include <cstdint>

#include "core/preferences.h"

// Map options.
inline uint8_t& PrefQuickBattles = PrefMapOptions[0];
inline uint8_t& PrefAutoTaxes = PrefMapOptions[1];
// 1 while army moves on the map are animated.
inline uint8_t& PrefAnimateMoves = PrefMapOptions[3];
inline uint8_t& PrefTurnReport = PrefMapOptions[4];
inline uint8_t& PrefConfirms = PrefMapOptions[6];

// The new-game window's values: the mission last started and the difficulty
// last chosen.
inline int16_t& PrefLastScenario = PrefNewGame[0];
inline int16_t& PrefLastMission = PrefNewGame[1];
inline int16_t& PrefLastDifficulty = PrefNewGame[2];

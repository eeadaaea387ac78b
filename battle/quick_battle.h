#pragma once
// A map battle fought to its end without the battle screen: the strategic
// game's battle record becomes a battle parameter block, both sides are
// played by the computer, and the result goes back into BattleResult.

#include <cstdint>

struct MapBattleRecord;
struct BattleParams;

// Rounds after which a battle the computer plays alone (without screen, or
// on the battle screen with a person's side on automatic) is given up by
// the attacker: two sides that cannot reach each other (melee attackers
// without a trebuchet before a closed castle) would otherwise turn for
// ever. Every battle that can end, over every pair of unit types and every
// kind of castle, ends within 100 rounds (bench BM_BattleLength); the guard
// stays far above that, so that it never cuts a battle that was still being
// decided. The attacker gives up rather than the battle ending undecided:
// it never got into the castle, so the defender holds it.
constexpr int32_t kQuickBattleRoundLimit = 500;

// Fills a parameter block from the strategic game's record; every side that
// is not computer-played becomes a mute computer side, since nobody can play
// it without a screen.
void MapBattleToParams(const MapBattleRecord& record, BattleParams& params);
// Loads the battle rules, runs the battle and sets BattleResult. Fits the
// strategic game's map battle signal.
void ResolveMapBattle(MapBattleRecord* record, uint8_t automatic);
// Runs a battle set up from params without screen; returns the result.
uint32_t RunBattleWithoutScreen(BattleParams& params);

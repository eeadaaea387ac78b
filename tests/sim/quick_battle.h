// The harness's stand-in for the tactical battle until the battle engine
// exists: a map battle resolved at once, deterministically from the armies,
// the castle and the game's own random generator.
//
// Each side's value is its army's strength; a besieged defender adds three
// times its castle's worth (15, plus 3 for fortified walls, 2 for a moat and
// 8 per catapult), scaled by the castle's condition. Both values are then
// multiplied by a luck factor of 85..115 % drawn from NextRandom. The side
// with the higher value wins (the defender on a tie): every squad of the
// loser is destroyed, and every squad of the winner loses the share
// loser / (2 x winner) of its units. A siege the attacker wins costs the
// castle one catapult and half its condition. The result word is set to
// "ended normally", so the attack decides the outcome by which armies still
// have units, exactly as it will with the real battle.
#pragma once

#include <cstdint>

struct MapBattleRecord;

void ResolveQuickBattle(MapBattleRecord* record, uint8_t automatic);

// Battles resolved since the counter was last reset.
uint32_t QuickBattlesFought();
void ResetQuickBattleCount();

#pragma once
// The game's one random-number generator: a 32-bit linear congruential
// state, state = (state + 1) * 1103515245 + 12345, giving state >> 16.
// Games reseed it from the tick counter, so a replay that feeds the same
// ticks draws the same numbers.
#include <cstdint>

uint16_t NextRandom();
// Seeds from a tick value: its low 16 bits, sign-extended to 32 bits.
void SeedRandom(uint32_t ticks);
uint32_t RandomState();
void SetRandomState(uint32_t state);

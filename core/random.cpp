#include "core/random.h"

namespace {

uint32_t g_state = 0;

}  // namespace

uint16_t NextRandom()
{
    g_state = (g_state + 1u) * 1103515245u + 12345u;
    return static_cast<uint16_t>(g_state >> 16);
}

void SeedRandom(uint32_t ticks)
{
    g_state = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(ticks & 0xFFFFu)));
}

uint32_t RandomState()
{
    return g_state;
}

void SetRandomState(uint32_t state)
{
    g_state = state;
}

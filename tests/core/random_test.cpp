#include "core/random.h"

#include <gtest/gtest.h>

TEST(RandomTest, SequenceFromZeroAndFromSeeds)
{
    SetRandomState(0);
    EXPECT_EQ(NextRandom(), 16838);
    // The state follows (state + 1) * 1103515245 + 12345 on 32 bits.
    uint32_t state = 0x89ABCDEFu;
    SetRandomState(state);
    for (int i = 0; i < 5; ++i) {
        state = (state + 1u) * 1103515245u + 12345u;
        EXPECT_EQ(NextRandom(), state >> 16);
        EXPECT_EQ(RandomState(), state);
    }
}

TEST(RandomTest, SeedIsTheSignExtendedLowHalfOfTheTicks)
{
    struct Case {
        uint32_t ticks;
        uint32_t state;
    };
    const Case cases[] = {
        {0x00107FFFu, 0x00007FFFu},
        {0x00108000u, 0xFFFF8000u},
        {0xABCDFFFFu, 0xFFFFFFFFu},
        {0x12340000u, 0u},
    };
    for (const Case& c : cases) {
        SeedRandom(c.ticks);
        EXPECT_EQ(RandomState(), c.state) << std::hex << c.ticks;
    }
    // Equal seeds draw equal numbers.
    SeedRandom(0x4242);
    const uint16_t first = NextRandom();
    SeedRandom(0x77774242);
    EXPECT_EQ(NextRandom(), first);
}

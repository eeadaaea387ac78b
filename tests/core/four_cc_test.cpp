#include "core/four_cc.h"

#include <gtest/gtest.h>

namespace {

TEST(FourCC, TextAndCodeBothWays)
{
    struct Case {
        const char* text;
        uint32_t code;
    } cases[] = {{"wav", 0x00766177u}, {"sav", 0x00766173u}, {"zkqd", 0x64716B7Au}, {"", 0u}, {"a", 0x61u}};
    for (const auto& c : cases) {
        EXPECT_EQ(StringToFourCC(CStr(c.text)), c.code) << c.text;
        EXPECT_EQ(FourCCToString(c.code), CStr(c.text)) << c.text;
    }
    EXPECT_EQ(StringToFourCC(CStr("images")), StringToFourCC(CStr("imag"))) << "only the first four count";
    EXPECT_EQ(FourCCToString(0x61006200u), CStr("")) << "ends at the first zero byte";
}

TEST(FourCC, SingleBitIndex)
{
    struct Case {
        uint32_t value;
        uint8_t index;
    } cases[] = {{1, 0}, {8, 3}, {0x80000000u, 31}, {0, 255}, {12, 255}, {0xFFFFFFFFu, 255}};
    for (const auto& c : cases) {
        EXPECT_EQ(SingleBitIndex(c.value), c.index) << c.value;
    }
}

}  // namespace

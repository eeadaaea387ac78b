#include "core/error_code_stack.h"

#include <gtest/gtest.h>

namespace {

int g_quitRequests = 0;

class ErrorCodeStackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetErrorCodes();
        g_quitRequests = 0;
        SetQuitRequestHandler([] { ++g_quitRequests; });
    }
    void TearDown() override
    {
        SetQuitRequestHandler(nullptr);
        ResetErrorCodes();
    }
};

}  // namespace

TEST_F(ErrorCodeStackTest, PushAndPopNewestFirst)
{
    EXPECT_EQ(PopErrorCode(), 0u);  // empty
    EXPECT_EQ(PushErrorCode(3), 3u);
    PushErrorCode(4);
    EXPECT_EQ(ErrorCodeCount(), 2);
    EXPECT_EQ(PopErrorCode(), 4u);
    EXPECT_EQ(PopErrorCode(), 3u);
    EXPECT_EQ(PopErrorCode(), 0u);
    EXPECT_EQ(ErrorCodeCount(), 0);
}

TEST_F(ErrorCodeStackTest, FullStackReplacesTheNewest)
{
    for (uint32_t code = 1; code <= 25; ++code)
        PushErrorCode(code);
    PushErrorCode(100);  // the 26th replaces the 25th
    EXPECT_EQ(ErrorCodeCount(), 25);
    PushErrorCode(101);
    EXPECT_EQ(ErrorCodeCount(), 25);
    EXPECT_EQ(PopErrorCode(), 101u);
    EXPECT_EQ(PopErrorCode(), 24u);
    EXPECT_TRUE(ResetErrorCodes());
    EXPECT_EQ(ErrorCodeCount(), 0);
}

TEST_F(ErrorCodeStackTest, CodesWithBits8To15SetRequestTheQuit)
{
    struct Case {
        uint32_t code;
        bool quits;
    };
    const Case cases[] = {
        {0xFF00, true},  {0xFF01, true}, {0x1FFFF, true}, {0xFEFF, false},
        {0x7F00, false}, {0xFF, false},  {0, false},
    };
    for (const Case& c : cases) {
        g_quitRequests = 0;
        EXPECT_EQ(PushErrorCode(c.code), c.code);
        EXPECT_EQ(g_quitRequests, c.quits ? 1 : 0) << std::hex << c.code;
        EXPECT_EQ(IsQuitRequestCode(c.code), c.quits);
        EXPECT_EQ(PopErrorCode(), c.code);  // the code is stored either way
    }
    SetQuitRequestHandler(nullptr);
    PushErrorCode(0xFF00);  // no handler installed: only stored
    EXPECT_EQ(PopErrorCode(), 0xFF00u);
}

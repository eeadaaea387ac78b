#include <gtest/gtest.h>

// Placeholder removed once the platform contract tests land.
TEST(BuildSmoke, CompilerIsCxx20) { EXPECT_GE(__cplusplus, 202002L); }

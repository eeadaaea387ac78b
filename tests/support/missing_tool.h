#pragma once
// A test that cannot run because a tool of the machine is missing (SDL2, its
// video driver) is skipped on a developer's machine. In CI (the environment
// variable CI set) it fails instead: an install that did not happen must not
// pass for a green run with fewer tests.

#include <gtest/gtest.h>

#include <cstdlib>

inline bool EveryToolRequired()
{
    const char* ci = std::getenv("CI");
    return ci != nullptr && ci[0] != 0;
}

// Ends the test (or its SetUp): skipped, or failed in CI, with the reason.
#define THARN_SKIP_FOR_MISSING_TOOL(reason)                                                                  \
    do {                                                                                                     \
        if (EveryToolRequired())                                                                             \
            GTEST_FAIL() << (reason) << " (CI runs every test)";                                             \
        else                                                                                                 \
            GTEST_SKIP() << (reason);                                                                        \
    } while (0)

// Linked into every test program: tests run headless and find the build tree
// (the program, its Data/ folder, the tools) even when started by hand.
#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment()
    {
        setenv("THARNMOOR_VIDEO", "headless", 1);
        setenv("THARN_BUILD_DIR", THARN_TEST_BUILD_DIR, 0);
    }
};

const TestEnvironment g_testEnvironment;

}  // namespace

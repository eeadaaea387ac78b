#pragma once
// The build tree the tests belong to: the program, its Data/ folder and the
// tools. Every test program is told where it is (see tests/test_environment.cpp).

#include <cstdlib>
#include <string>

inline std::string TestBuildFolder()
{
    const char* dir = std::getenv("THARN_BUILD_DIR");
    return dir != nullptr && dir[0] != 0 ? std::string(dir) : std::string(THARN_TEST_BUILD_DIR);
}

// The data folder of the build, with its trailing slash, as the resource
// manager takes it.
inline std::string TestDataFolder()
{
    return TestBuildFolder() + "/Data/";
}

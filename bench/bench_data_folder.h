#pragma once
// The shipped data for the benchmarks that play with it: THARNMOOR_DATA, or
// the Data/ folder of the build the benchmark program belongs to.

#include <unistd.h>

#include <cstdlib>
#include <string>

inline std::string BenchDataFolder()
{
    if (const char* env = std::getenv("THARNMOOR_DATA"); env && *env)
        return std::string(env) + "/";
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "Data/";
    path[n] = '\0';
    std::string dir(path);
    dir = dir.substr(0, dir.rfind('/') + 1);
    // The benchmark program sits one folder below the data's folder.
    return access((dir + "Data").c_str(), F_OK) == 0 ? dir + "Data/" : dir + "../Data/";
}

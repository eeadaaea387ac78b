#pragma once
// Runs the real program headless on a script over a data folder, as a person
// would start it, and tells whether it ended by itself.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

// A run whose input has ended is over long before this (wall clock, the
// sanitizer build on a busy machine).
constexpr int kRunSeconds = 60;

struct ProgramRun {
    bool ended = false;
    int status = -1;
    std::string errors;
};

// Runs the program on the script, its standard error into `errors`; a run
// still going after kRunSeconds is killed and reported as not ended.
inline ProgramRun RunProgram(const std::filesystem::path& program, const std::filesystem::path& data,
                             const std::filesystem::path& script, const std::filesystem::path& errors)
{
    ProgramRun result;
    const pid_t child = fork();
    if (child < 0)
        return result;
    if (child == 0) {
        setenv("THARNMOOR_VIDEO", "headless", 1);
        setenv("THARNMOOR_DATA", data.c_str(), 1);
        setenv("THARNMOOR_SCRIPT", script.c_str(), 1);
        setenv("THARNMOOR_SHOTS", data.c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");
        if (!freopen(errors.c_str(), "w", stderr) || !freopen("/dev/null", "w", stdout))
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kRunSeconds);
    int status = 0;
    result.ended = true;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            // Only the child this call started.
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            result.ended = false;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (result.ended)
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::ifstream in(errors);
    result.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return result;
}

// True when the sanitizer build reported a fault.
inline bool HasSanitizerReport(const std::string& errors)
{
    for (const char* mark :
         {"AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer", "runtime error:"})
        if (errors.find(mark) != std::string::npos)
            return true;
    return false;
}

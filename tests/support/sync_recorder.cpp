#include "tests/support/sync_recorder.h"

#include <limits.h>
#include <unistd.h>

namespace {
std::vector<std::string>* g_paths = nullptr;
}  // namespace

extern "C" int __real_fsync(int fd);

extern "C" int __wrap_fsync(int fd)
{
    if (g_paths != nullptr) {
        char path[PATH_MAX];
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t n = readlink(link.c_str(), path, sizeof path - 1);
        g_paths->push_back(n > 0 ? std::string(path, size_t(n)) : std::string());
    }
    return __real_fsync(fd);
}

SyncRecorder::SyncRecorder()
{
    g_paths = new std::vector<std::string>();
}

SyncRecorder::~SyncRecorder()
{
    delete g_paths;
    g_paths = nullptr;
}

const std::vector<std::string>& SyncRecorder::Paths() const
{
    return *g_paths;
}

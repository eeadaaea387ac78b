// The program path, the data-folder listing and durable file replacement:
// plain POSIX, shared by both backends.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/platform.h"
#include "platform/platform_backend.h"

std::string GetProgramPath()
{
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return std::string();
    }
    return std::string(buffer, static_cast<size_t>(n));
}

std::vector<std::string> ListPackFiles(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) {
        return names;
    }
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/') {
        prefix += '/';
    }
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name.size() < 5) {
            continue;
        }
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
        if (ext != ".pak") {
            continue;
        }
        struct stat st;
        if (stat((prefix + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            continue;
        }
        names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
bool SyncPath(const std::string& path, int flags)
{
    const int fd = open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}
}  // namespace

bool ReplaceFileDurably(const std::string& from, const std::string& to)
{
    if (PlatformRefusesFileWrites())
        return false;
    if (!SyncPath(from, O_RDONLY) || std::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    // The new name is an entry of the folder: until the folder is flushed a
    // power cut may bring back the old entry. Some file systems cannot flush
    // a folder; the file is in place all the same.
    SyncPath(FolderOf(to), O_RDONLY | O_DIRECTORY);
    return true;
}

// The program path and the data-folder listing: plain POSIX, shared by both backends.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/platform.h"

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

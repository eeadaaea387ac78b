#pragma once
// For fuzz targets of readers that take their text from the packs by path:
// the input becomes the one file of a pack in a temporary folder, and the
// resource manager mounts that folder.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/resource_mgr.h"
#include "tools/pack/pack_writer.h"

inline const std::string& FuzzPackFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/tharn-fuzz-input-XXXXXX";
        char* made = mkdtemp(pattern);
        if (made == nullptr)
            std::abort();
        return std::string(made) + "/";
    }();
    return folder;
}

// Mounts a pack whose only file is `path` (without a leading '/') of the
// given type, holding the input. False when the input cannot be a pack
// resource (over 65535 bytes); nothing is mounted then.
inline bool MountInputAs(const std::string& path, const char* type, const uint8_t* data, size_t size)
{
    CResourceMgr::Shutdown();
    PackWriter pack(1);
    if (!pack.AddFile(path, type, std::vector<uint8_t>(data, data + size)))
        return false;
    if (!pack.WriteFile(FuzzPackFolder() + "input.pak"))
        return false;
    return CResourceMgr::InitFromFolder(FuzzPackFolder().c_str());
}

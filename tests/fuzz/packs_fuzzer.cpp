// Mounts the input as a pack (beside a known good one) and walks everything
// it claims to hold: every listing, lookup and raw load must stay inside the
// image and end.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/resource_mgr.h"

namespace {

const std::string& Folder()
{
    static std::string folder = [] {
        char pattern[] = "/tmp/tharn-fuzz-packs-XXXXXX";
        char* made = mkdtemp(pattern);
        if (made == nullptr)
            std::abort();
        return std::string(made) + "/";
    }();
    return folder;
}

void Walk(const std::string& path, int depth)
{
    if (depth > 8)
        return;
    CStringList list;
    CResourceMgr::ListFolder(path.c_str(), "", 0, list);
    std::vector<CStr> names;
    for (int32_t i = 0; i < list.Count(); ++i)
        names.push_back(list.GetString(i));
    for (const CStr& name : names) {
        std::string child = path + "/" + name.Chars();
        for (ResourceType type : {pack_format::kFolderType, pack_format::kTextType, pack_format::kDataType,
                                  pack_format::kImageType}) {
            ResourceRef ref = CResourceMgr::FindResource(child.c_str(), type);
            if (!ref.IsFound())
                continue;
            if (type == pack_format::kFolderType) {
                Walk(child, depth + 1);
                CResourceMgr::SetCurrentFolder(child.c_str());
                CResourceMgr::FindResource(name.Chars(), type);
                continue;
            }
            TextLines lines;
            CResourceMgr::LoadTextLines(child.c_str(), type, lines);
            ChunkedBlock block;
            if (CResourceMgr::GetResourceBlock(child.c_str(), type, block) && block.TotalSize() > 0) {
                volatile uint8_t last = block.ChunkData(0)[block.TotalSize() - 1];
                (void)last;
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& folder = Folder();
    std::string path = folder + "input.pak";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    if (CResourceMgr::InitFromFolder(folder.c_str())) {
        Walk("", 0);
        CResourceMgr::FindResource(":input/Locale/locale", pack_format::kTextType);
        CResourceMgr::MapFolder("", ":input");
        CResourceMgr::FindResource("/Locale/locale", pack_format::kTextType);
    }
    CResourceMgr::Shutdown();
    return 0;
}

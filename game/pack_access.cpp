#include "game/pack_access.h"

#include "core/resource_mgr.h"

bool LoadPackData(const CStr& path, const char* type, const uint8_t*& data, uint32_t& size)
{
    const uint8_t* bytes = nullptr;
    uint16_t length = 0;
    if (!CResourceMgr::GetResourceData(path.Chars(), pack_format::MakeType(type), bytes, length))
        return false;
    data = bytes;
    size = length;
    return true;
}

bool ListPackFolders(const CStr& path, std::vector<CStr>& names)
{
    return CResourceMgr::ListFolder(path.Chars(), "", pack_format::kFolderType, names);
}

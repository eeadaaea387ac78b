#include "game/pack_access.h"

#include "core/resource_mgr.h"
#include "core/string_list.h"

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
    CStringList list;
    const bool found = CResourceMgr::ListFolder(path.Chars(), "", pack_format::kFolderType, list);
    for (int32_t i = 0; i < list.Count(); ++i)
        names.push_back(list.GetString(i));
    return found;
}

// The typed loaders of raw resources.
#include <cstring>

#include "core/resource_mgr.h"

using namespace pack_format;

void SplitTextLines(const char* text, size_t length, std::vector<CStr>& lines)
{
    lines.clear();
    size_t start = 0;
    for (size_t i = 0; i + 1 < length; ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n') {
            lines.emplace_back(text + start, static_cast<int32_t>(i - start));
            start = i + 2;
            ++i;
        }
    }
    lines.emplace_back(text + start, static_cast<int32_t>(length - start));
}

bool CResourceMgr::LoadData(const char* path, ResourceType type, RawResource& out)
{
    return GetResourceData(path, type, out.data, out.size);
}

bool CResourceMgr::LoadText(const char* path, ResourceType type, RawResource& out)
{
    return GetResourceData(path, type, out.data, out.size);
}

bool CResourceMgr::LoadPalette(const char* path, RawResource& out)
{
    return GetResourceData(path, kPaletteType, out.data, out.size);
}

bool CResourceMgr::LoadPaletteTable(const char* path, PaletteTable& out)
{
    if (!GetResourceData(path, kPaletteTableType, out.data, out.size))
        return false;
    out.count = static_cast<uint16_t>(out.size / 16);
    return true;
}

bool CResourceMgr::LoadTextLines(const char* path, ResourceType type, TextLines& out)
{
    const uint8_t* data = nullptr;
    uint16_t size = 0;
    if (!GetResourceData(path, type, data, size))
        return false;
    out.data = data;
    out.size = size;
    const char* text = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(text, 0, size);
    size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : size;
    SplitTextLines(text, length, out.lines);
    return true;
}

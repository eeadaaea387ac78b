#include "setup.h"

#include <map>
#include <string>

#include "resource_ids.h"

namespace {

struct RawResource {
    const char* data = nullptr;
    DWORD size = 0;
    bool found = false;
};

RawResource FindRaw(int type, int id)
{
    RawResource raw;
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!info)
        return raw;
    HGLOBAL handle = LoadResource(nullptr, info);
    if (!handle)
        return raw;
    raw.size = SizeofResource(nullptr, info);
    raw.data = static_cast<const char*>(LockResource(handle));
    raw.found = raw.data != nullptr || raw.size == 0;
    if (!raw.data)
        raw.size = 0;
    return raw;
}

// Resource data is not terminated; the text ends at its first NUL or its size.
DWORD TextLength(const RawResource& raw)
{
    DWORD n = 0;
    while (n < raw.size && raw.data[n] != '\0')
        ++n;
    return n;
}

}  // namespace

bool LoadResourceText(int type, int id, char* buffer, int length)
{
    if (length <= 0)
        return false;
    RawResource raw = FindRaw(type, id);
    if (!raw.found) {
        buffer[0] = '\0';
        return false;
    }
    DWORD n = TextLength(raw);
    if (n > static_cast<DWORD>(length - 1))
        n = static_cast<DWORD>(length - 1);
    CopyMemory(buffer, raw.data, n);
    buffer[n] = '\0';
    return true;
}

const char* LockTextResource(int id)
{
    // The edit box needs a terminated string, which the raw resource is not;
    // keep one terminated copy per id for the life of the program.
    static std::map<int, std::string> copies;
    RawResource raw = FindRaw(RT_SETUP_TEXT, id);
    if (!raw.found)
        return nullptr;
    std::string& copy = copies[id];
    copy.assign(raw.data ? raw.data : "", TextLength(raw));
    return copy.c_str();
}

bool IsTextResourceEmpty(int id)
{
    const char* text = LockTextResource(id);
    return text && text[0] == '\0';
}

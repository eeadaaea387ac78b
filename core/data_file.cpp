#include "core/data_file.h"

#include "platform/platform.h"

namespace {

CStr& Folder()
{
    static CStr folder;
    return folder;
}

const char* ModeText(int32_t mode)
{
    switch (mode) {
    case DataFileRead:
        return "rb";
    case DataFileCreate:
        return "w+b";
    case DataFileUpdate:
        return "r+b";
    case DataFileAppend:
        return "ab";
    default:
        return nullptr;
    }
}

bool ReadVersionWord(FILE* stream, uint16_t& version)
{
    uint8_t bytes[2];
    if (std::fread(bytes, 1, 2, stream) != 2)
        return false;
    version = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
    return true;
}

}  // namespace

void SetDataFolder(const CStr& folder)
{
    CStr value = folder;
    if (!value.IsEmpty() && value.At(value.Length() - 1) != '/')
        value.AppendChar('/');
    Folder() = value;
}

const CStr& DataFolder()
{
    return Folder();
}

CStr DataFilePath(const char* name)
{
    if (Folder().IsEmpty() || !name || !*name)
        return CStr();
    CStr path = Folder();
    path.AppendChars(name);
    path.AppendChars(".sav");
    return path;
}

FILE* OpenDataFile(const char* name, int32_t mode)
{
    const char* modeText = ModeText(mode);
    const CStr path = DataFilePath(name);
    if (!modeText || path.IsEmpty())
        return nullptr;
    return std::fopen(path.Chars(), modeText);
}

FILE* OpenVersionedFile(const char* name, int32_t mode)
{
    switch (mode) {
    case DataFileRead: {
        FILE* stream = OpenDataFile(name, DataFileRead);
        if (!stream)
            return nullptr;
        uint16_t version = 0;
        if (!ReadVersionWord(stream, version) || version < DataFileVersionOldest) {
            std::fclose(stream);
            return nullptr;
        }
        return stream;
    }
    case DataFileCreate: {
        FILE* stream = OpenDataFile(name, DataFileCreate);
        if (!stream)
            return nullptr;
        const uint8_t bytes[2] = {DataFileVersionWritten & 0xFF, DataFileVersionWritten >> 8};
        if (std::fwrite(bytes, 1, 2, stream) != 2) {
            std::fclose(stream);
            return nullptr;
        }
        return stream;
    }
    case DataFileAppend:
        return OpenDataFile(name, DataFileAppend);
    default:
        return nullptr;
    }
}

uint16_t ReadDataFileVersion(const char* name)
{
    FILE* stream = OpenDataFile(name, DataFileRead);
    if (!stream)
        return 0;
    uint16_t version = 0;
    if (!ReadVersionWord(stream, version))
        version = 0;
    std::fclose(stream);
    return version;
}

size_t FileRead(void* buffer, size_t size, size_t count, FILE* stream)
{
    return stream ? std::fread(buffer, size, count, stream) : 0;
}

size_t FileWrite(const void* buffer, size_t size, size_t count, FILE* stream)
{
    return stream ? std::fwrite(buffer, size, count, stream) : 0;
}

bool FileSeek(FILE* stream, int32_t offset, int32_t origin)
{
    static const int kOrigins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (!stream || origin < 0 || origin > 2)
        return false;
    return std::fseek(stream, offset, kOrigins[origin]) == 0;
}

int32_t FileTell(FILE* stream)
{
    if (!stream)
        return -1;
    const long position = std::ftell(stream);
    return (position < 0 || position > INT32_MAX) ? -1 : static_cast<int32_t>(position);
}

int32_t FileSize(FILE* stream)
{
    const int32_t remembered = FileTell(stream);
    if (remembered < 0)
        return -1;
    if (!FileSeek(stream, 0, 2))
        return -1;
    const int32_t size = FileTell(stream);
    FileSeek(stream, remembered, 0);
    return size;
}

bool FileClose(FILE* stream)
{
    return stream && std::fclose(stream) == 0;
}

bool DeleteDataFile(const char* name)
{
    const CStr path = DataFilePath(name);
    if (path.IsEmpty())
        return false;
    return std::remove(path.Chars()) == 0;
}

bool ReplaceDataFile(const char* from, const char* to)
{
    const CStr source = DataFilePath(from);
    const CStr target = DataFilePath(to);
    if (source.IsEmpty() || target.IsEmpty())
        return false;
    return ReplaceFileDurably(source.Chars(), target.Chars());
}

#include "game/data_file_io.h"

#include <cstdio>

#include "core/data_file.h"

namespace {
bool ReadRest(FILE* file, std::vector<uint8_t>& bytes, uint32_t maxBytes)
{
    const int32_t size = FileSize(file);
    const int32_t at = FileTell(file);
    if (size < 0 || at < 0 || at > size || uint32_t(size - at) > maxBytes)
        return false;
    bytes.assign(size_t(size - at), 0);
    return bytes.empty() || FileRead(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// The write is complete and closed before the rename, so a reader sees either
// the old file or the whole new one, even after a power cut.
bool RenameOver(const CStr& from, const CStr& to)
{
    return ReplaceDataFile(from.Chars(), to.Chars());
}

bool WriteWhole(FILE* file, const uint8_t* bytes, size_t size)
{
    bool ok = file != nullptr;
    if (ok && size > 0)
        ok = FileWrite(bytes, 1, size, file) == size;
    if (file && !FileClose(file))
        ok = false;
    return ok;
}
}  // namespace

CStr TemporaryName(const CStr& name)
{
    return name + "_new";
}

VersionedRead ReadVersionedBody(const CStr& name, uint16_t& version, std::vector<uint8_t>& body,
                                uint32_t maxBytes)
{
    body.clear();
    version = ReadDataFileVersion(name.Chars());
    if (version == 0)
        return VersionedRead::kAbsent;
    FILE* file = OpenVersionedFile(name.Chars(), DataFileRead);
    if (!file)
        return VersionedRead::kRefused;
    const bool ok = ReadRest(file, body, maxBytes);
    FileClose(file);
    return ok ? VersionedRead::kOk : VersionedRead::kUnreadable;
}

bool WriteVersionedFileSafely(const CStr& name, const uint8_t* body, size_t size)
{
    const CStr temporary = TemporaryName(name);
    if (!WriteWhole(OpenVersionedFile(temporary.Chars(), DataFileCreate), body, size)) {
        DeleteDataFile(temporary.Chars());
        return false;
    }
    if (!RenameOver(temporary, name)) {
        DeleteDataFile(temporary.Chars());
        return false;
    }
    return true;
}

bool RenameDataFile(const CStr& from, const CStr& to)
{
    return RenameOver(from, to);
}

bool ReadPlainDataFile(const CStr& name, std::vector<uint8_t>& bytes, uint32_t maxBytes)
{
    FILE* file = OpenDataFile(name.Chars(), DataFileRead);
    if (!file)
        return false;
    const bool ok = ReadRest(file, bytes, maxBytes);
    FileClose(file);
    return ok;
}

bool WritePlainDataFileSafely(const CStr& name, const uint8_t* bytes, size_t size)
{
    const CStr temporary = TemporaryName(name);
    if (!WriteWhole(OpenDataFile(temporary.Chars(), DataFileCreate), bytes, size)) {
        DeleteDataFile(temporary.Chars());
        return false;
    }
    if (!RenameOver(temporary, name)) {
        DeleteDataFile(temporary.Chars());
        return false;
    }
    return true;
}

#pragma once
// Whole-file reads and safe whole-file writes of the data folder, as the saved
// games and the hall of fame need them.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"

// Outcome of reading a versioned data file.
enum class VersionedRead {
    kAbsent,
    kRefused,
    kUnreadable,
    kOk
};

// Reads the body after the version word. Absent when there is no file,
// refused when its version is below the oldest we read, unreadable when the
// body is larger than maxBytes (the largest valid file of its kind): a file
// of any size is never read whole.
VersionedRead ReadVersionedBody(const CStr& name, uint16_t& version, std::vector<uint8_t>& body,
                                uint32_t maxBytes);

// Writes the version word and the body to a temporary file, then renames it
// over the named file: the old file survives every failure before the rename.
bool WriteVersionedFileSafely(const CStr& name, const uint8_t* body, size_t size);

// The name a safe write uses before its rename; a left-over one is a write
// cut short.
CStr TemporaryName(const CStr& name);

// Renames one data file over another, as durably as a safe write does.
bool RenameDataFile(const CStr& from, const CStr& to);

// Reads and writes plain data files (without a version word); a read of a
// file larger than maxBytes fails.
bool ReadPlainDataFile(const CStr& name, std::vector<uint8_t>& bytes, uint32_t maxBytes);
bool WritePlainDataFileSafely(const CStr& name, const uint8_t* bytes, size_t size);

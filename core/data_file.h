#pragma once
// Files of the data folder: everything the game writes (preferences, saved
// games, hall of fame, trainer set-up, start-up marker, log) lives in one
// folder and is named by a plain name; the path is folder + name + ".sav".
// Files are C stdio streams, always opened in binary so the bytes on disk
// are exactly the bytes written.
//
// The data folder is set once by the core start-up (from the program's
// path, or the THARNMOOR_DATA override) through SetDataFolder. Until it is
// set no data file can be opened or deleted, so nothing lands in whatever
// the current directory happens to be.
//
// Versioned files start with a 16-bit little-endian version word: 9 is
// written, files below 6 are refused.
#include <cstdint>
#include <cstdio>

#include "core/ref_string.h"

enum DataFileMode : int32_t {
    DataFileRead = 0,    // "rb"
    DataFileCreate = 1,  // "w+b": create or truncate, read and write
    DataFileUpdate = 2,  // "r+b"
    DataFileAppend = 3,  // "ab"
};

constexpr uint16_t DataFileVersionWritten = 9;
constexpr uint16_t DataFileVersionOldest = 6;

// Stores the folder; a trailing '/' is added when missing. An empty folder
// means "not set".
void SetDataFolder(const CStr& folder);
const CStr& DataFolder();
// folder + name + ".sav"; empty when no folder is set.
CStr DataFilePath(const char* name);

FILE* OpenDataFile(const char* name, int32_t mode);
// Mode 0 positions the stream behind an accepted version word; mode 1
// writes the version word 9; mode 3 returns the stream as opened; mode 2 is
// refused (null).
FILE* OpenVersionedFile(const char* name, int32_t mode);
// The version word of the file; 0 when it is missing or shorter than 2 bytes.
uint16_t ReadDataFileVersion(const char* name);

size_t FileRead(void* buffer, size_t size, size_t count, FILE* stream);
size_t FileWrite(const void* buffer, size_t size, size_t count, FILE* stream);
// origin 0 from the start, 1 from the current position, 2 from the end.
bool FileSeek(FILE* stream, int32_t offset, int32_t origin);
int32_t FileTell(FILE* stream);
// The size of the file, or -1; the position is left where it was.
int32_t FileSize(FILE* stream);
bool FileClose(FILE* stream);
// True when the file was deleted.
bool DeleteDataFile(const char* name);
// Puts the complete, closed data file `from` in place of `to` for good (see
// ReplaceFileDurably in platform/platform.h); false, with nothing renamed,
// when no data folder is set or the replacement failed.
bool ReplaceDataFile(const char* from, const char* to);

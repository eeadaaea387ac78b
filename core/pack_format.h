#pragma once
// The resource pack file format, shared by the game's reader and every tool
// that writes packs, so the layout is spelled out in exactly one place.
//
// Header (16 bytes): "QRVK", "RSRC", u32 order key, i32 entry count
// (-n: n plain entries; n >= 0: n scrambled entries).
// Directory: 30-byte entries in pre-order (a folder, its whole subtree, then
// its next sibling). File data follows the directory. All numbers are
// little-endian. The pack's top level has no entry: it is the pack's root.
//
// Header-only and free of engine types, so the build tools can use it
// without linking the engine.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using ResourceType = uint32_t;

namespace pack_format {

constexpr size_t kHeaderSize = 16;
constexpr size_t kEntrySize = 30;
constexpr size_t kNameSize = 16;
constexpr char kSignature[8] = {'Q', 'R', 'V', 'K', 'R', 'S', 'R', 'C'};

// Entry field offsets.
constexpr size_t kEntryName = 0;
constexpr size_t kEntryType = 16;
constexpr size_t kEntryOffset = 20;
constexpr size_t kEntrySizeField = 24;   // file: u32 size
constexpr size_t kEntryChildCount = 24;  // folder: u16 direct children
constexpr size_t kEntryStep = 26;        // folder: u16 subtree entries incl. itself
constexpr size_t kEntryDepth = 28;
constexpr size_t kEntryIsFile = 29;

// Resources read through the 16-bit raw getters can be no larger than this.
constexpr uint32_t kMaxRawSize = 65535;
// Folder steps and child counts are 16-bit, so is the reach of one folder.
constexpr uint32_t kMaxFolderEntries = 65535;
// Depth is one byte.
constexpr uint32_t kMaxDepth = 255;

// Scrambled packs hide names and types behind these fixed keys.
constexpr uint8_t kNameKey[8] = {0x5A, 0x13, 0xC7, 0x2E, 0x91, 0x4B, 0xE8, 0x06};
constexpr uint32_t kTypeKey = 0x5B2E7A31u;

// A type code is its (up to four) letters read as a little-endian u32:
// "img" is 69 6D 67 00.
constexpr ResourceType MakeType(const char* text)
{
    uint32_t value = 0;
    for (int i = 0; i < 4 && text[i] != 0; ++i) {
        value |= static_cast<uint32_t>(static_cast<uint8_t>(text[i])) << (8 * i);
    }
    return value;
}

constexpr ResourceType kFolderType = MakeType("...");
constexpr ResourceType kTextTableType = MakeType("zkqd");
constexpr ResourceType kImageType = MakeType("img");
constexpr ResourceType kAnimationType = MakeType("ani");
constexpr ResourceType kFontType = MakeType("fnt");
constexpr ResourceType kSoundType = MakeType("wav");
constexpr ResourceType kPaletteType = MakeType("pal");
constexpr ResourceType kPaletteTableType = MakeType("plt");
constexpr ResourceType kTextType = MakeType("txt");
constexpr ResourceType kDataType = MakeType("dat");
constexpr ResourceType kUiBinaryType = MakeType("uib");
constexpr ResourceType kUiTextType = MakeType("uit");
constexpr ResourceType kKeyboardType = MakeType("kbd");

// The letters of a type code, stopping at the first NUL.
inline std::string TypeToString(ResourceType type)
{
    std::string text;
    for (int i = 0; i < 4; ++i) {
        char c = static_cast<char>((type >> (8 * i)) & 0xFF);
        if (c == 0)
            break;
        text += c;
    }
    return text;
}

// Raw resources are read with 16-bit sizes; larger ones cannot be served.
inline bool IsRawType(ResourceType type)
{
    return type == kTextType || type == kDataType || type == kUiBinaryType || type == kUiTextType ||
           type == kKeyboardType || type == kTextTableType || type == kPaletteType ||
           type == kPaletteTableType;
}

inline uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void WriteU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// XOR with the name key; applying it twice gives the original bytes.
inline void ScrambleBytes(uint8_t* bytes, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        bytes[i] ^= kNameKey[i % 8];
}

// A scrambled name character equal to its key byte is stored as 0, so a
// stored name can hold zeros in the middle; only its last character must
// not be such a character, or it could not be told from a shorter name.
// Given that rule (the writer enforces it), the real length is the position
// after the last non-zero byte.
inline size_t StoredNameLength(const uint8_t* stored, bool scrambled)
{
    if (!scrambled) {
        size_t n = 0;
        while (n < kNameSize && stored[n] != 0)
            ++n;
        return n;
    }
    size_t n = kNameSize;
    while (n > 0 && stored[n - 1] == 0)
        --n;
    return n;
}

// True when the name can be stored scrambled without becoming ambiguous.
inline bool CanScrambleName(const std::string& name)
{
    if (name.empty() || name.size() > kNameSize)
        return false;
    size_t last = name.size() - 1;
    return static_cast<uint8_t>(name[last]) != kNameKey[last % 8];
}

struct Header {
    uint32_t orderKey = 0;
    int32_t count = 0;  // as stored
    bool scrambled = false;
    uint32_t entryCount = 0;
};

// Reads and checks the header; false when the bytes cannot be a pack.
inline bool ReadHeader(const uint8_t* image, size_t size, Header* header)
{
    if (size < kHeaderSize || std::memcmp(image, kSignature, 8) != 0)
        return false;
    header->orderKey = ReadU32(image + 8);
    header->count = static_cast<int32_t>(ReadU32(image + 12));
    header->scrambled = header->count >= 0;
    int64_t n = header->count;
    header->entryCount = static_cast<uint32_t>(n < 0 ? -n : n);
    return true;
}

// Checks everything the lookup code relies on, once, so that a damaged or
// truncated pack is refused at mount instead of hanging or reading outside
// its image later: the directory lies within the image; every file's data
// lies within the image; depths start at 1 and grow by at most one per
// entry; every folder's step is at least 1, stays within the directory,
// covers exactly the entries deeper than the folder. The child count is not
// checked: nothing reads it. Returns an empty string when valid, else the reason.
inline std::string ValidateImage(const uint8_t* image, size_t size)
{
    Header header;
    if (!ReadHeader(image, size, &header))
        return "bad signature or header";
    const uint64_t n = header.entryCount;
    const uint64_t dirEnd = kHeaderSize + n * kEntrySize;
    if (dirEnd > size)
        return "directory runs past the end of the file";
    const uint8_t* dir = image + kHeaderSize;
    uint32_t previousDepth = 0;
    for (uint64_t i = 0; i < n; ++i) {
        const uint8_t* e = dir + i * kEntrySize;
        uint32_t depth = e[kEntryDepth];
        if (depth < 1 || depth > previousDepth + 1) {
            return "entry " + std::to_string(i) + " has a bad depth";
        }
        previousDepth = depth;
        uint32_t type = ReadU32(e + kEntryType);
        if (header.scrambled)
            type ^= kTypeKey;
        if (type == kFolderType) {
            uint32_t step = ReadU16(e + kEntryStep);
            if (step < 1 || i + step > n) {
                return "folder entry " + std::to_string(i) + " has a bad subtree step";
            }
            for (uint64_t j = i + 1; j < i + step; ++j) {
                uint32_t d = dir[j * kEntrySize + kEntryDepth];
                if (d <= depth)
                    return "folder entry " + std::to_string(i) + " step covers a sibling";
            }
            if (i + step < n && dir[(i + step) * kEntrySize + kEntryDepth] > depth) {
                return "folder entry " + std::to_string(i) + " step is too short";
            }
        } else {
            uint64_t offset = ReadU32(e + kEntryOffset);
            uint64_t length = ReadU32(e + kEntrySizeField);
            if (offset + length > size) {
                return "entry " + std::to_string(i) + " data lies outside the file";
            }
        }
    }
    return {};
}

}  // namespace pack_format

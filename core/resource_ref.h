#pragma once
// A mounted pack and a reference to one entry (or a pack's root) in it.

#include <cstddef>
#include <cstdint>

#include "core/pack_format.h"
#include "core/ref_string.h"

// One loaded pack. The image is the whole file in memory, owned by
// CResourceMgr and alive until its shutdown; every reference points into it.
struct ResourcePack {
    bool scrambled = false;
    CStr name;  // file name without ".pak"
    const uint8_t* directory = nullptr;
    uint32_t entryCount = 0;
    const uint8_t* image = nullptr;
    size_t imageSize = 0;
    uint32_t orderKey = 0;
};

// {entry, index, pack}: entry null and index -1 name a pack's root folder;
// a null pack means "not found".
struct ResourceRef {
    const uint8_t* entry = nullptr;
    int32_t index = -1;
    const ResourcePack* pack = nullptr;

    bool IsFound() const { return pack != nullptr; }
    bool IsRoot() const { return pack != nullptr && entry == nullptr; }
    // Two references name the same folder when pack and entry agree.
    bool SameAs(const ResourceRef& other) const { return pack == other.pack && entry == other.entry; }
    static ResourceRef Root(const ResourcePack* pack) { return ResourceRef{nullptr, -1, pack}; }
};

// The stored type, unscrambled; "..." for a pack's root.
ResourceType EntryType(const ResourceRef& ref);
// The stored name (up to 16 characters), unscrambled.
CStr EntryName(const ResourceRef& ref);
uint32_t EntryOffset(const ResourceRef& ref);
uint32_t EntrySize(const ResourceRef& ref);
// Depth of the entry; 0 for a pack's root.
uint32_t EntryDepth(const ResourceRef& ref);

#pragma once
// CResourceMgr: reads every pack of the data folder at start-up and serves
// resources from them by path and type.
//
// The packs form one overlaid folder tree: the pack with the smallest order
// key is the root, every other pack's root is mapped onto it in ascending key
// order, and a lookup searches the newest pack first. Paths:
//   ""            the root folder (type "...")
//   "/a/b"        absolute, from the root
//   "a/b"         relative to the current folder (SetCurrentFolder)
//   ":pack/a/b"   from that pack's root, searching it and every newer pack
// Every pack is validated once when it is mounted; a damaged one is skipped
// (logged, and kept with its fault for core/refused_packs.h) and the others still load.

#include <cstdint>
#include <string>
#include <vector>

#include "core/chunked_block.h"
#include "core/ref_string.h"
#include "core/resource_ref.h"
#include "core/string_list.h"

// {pointer, 16-bit size} of a raw resource.
struct RawResource {
    const uint8_t* data = nullptr;
    uint16_t size = 0;
};

// The palette list: 16-byte zero-padded names; count = size / 16.
struct PaletteTable {
    const uint8_t* data = nullptr;
    uint16_t size = 0;
    uint16_t count = 0;
};

struct TextLines {
    const uint8_t* data = nullptr;
    uint16_t size = 0;
    std::vector<CStr> lines;
};

// Splits a text at every CR LF (n line breaks give n + 1 lines).
void SplitTextLines(const char* text, size_t length, std::vector<CStr>& lines);

class CResourceMgr {
public:
    // Start-up: opens and mounts the packs of the data folder. False when no
    // pack could be loaded.
    static bool Init();
    // The same from an explicit folder (ending in '/'); Init uses the data folder.
    static bool InitFromFolder(const char* folder);
    // The same with only the named packs of the folder (names without ".pak",
    // in any letter case): a program that needs a few packs does not hold
    // the others in memory.
    static bool InitFromFolder(const char* folder, const std::vector<std::string>& onlyPacks);
    static void Shutdown();
    static bool IsStarted();

    static ResourceRef FindResource(const char* path, ResourceType type);
    // Every hit, newest pack first; true when there is at least one.
    static bool FindAll(const char* path, ResourceType type, std::vector<ResourceRef>& hits);

    static bool SetCurrentFolder(const char* path);
    static void ResetCurrentFolder();
    static const CStr& CurrentFolder();

    static bool MapFolder(const char* folderPath, const char* mappedPath);
    static bool UnmapFolder(const char* folderPath);
    static bool MountRoot(const char* path);

    // Appends the names of the folder's direct children (type 0: any type; an
    // empty prefix: any name), each name once (compared without case), newest
    // pack first. The list is not emptied first; true when it is not empty.
    static bool ListFolder(const char* path, const char* prefix, ResourceType type, CStringList& names);
    // The same into a vector (appended, each name once).
    static bool ListFolder(const char* path, const char* prefix, ResourceType type, std::vector<CStr>& names);

    // The resource's bytes as one borrowed chunk (32-bit sizes).
    static bool GetResourceBlock(const char* path, ResourceType type, ChunkedBlock& block);
    // Pointer and 16-bit size of a raw resource. A resource over 65535 bytes
    // is refused rather than reported with a wrapped size.
    static bool GetResourceData(const char* path, ResourceType type, const uint8_t*& data, uint16_t& size);

    static bool UnmountPack(const char* name);

    // Typed loaders of raw resources (views into the pack images; nothing is
    // copied). Each returns false when the resource is missing or too large.
    static bool LoadPalette(const char* path, RawResource& out);
    static bool LoadPaletteTable(const char* path, PaletteTable& out);
    static bool LoadData(const char* path, ResourceType type, RawResource& out);
    static bool LoadText(const char* path, ResourceType type, RawResource& out);
    // The text split at CR LF: every piece before a CR LF is a line and the
    // rest after the last one is one more line; a NUL ends the text.
    static bool LoadTextLines(const char* path, ResourceType type, TextLines& out);

    // The mounted packs, in load order (for tools and tests).
    static std::vector<const ResourcePack*> Packs();
};

// The window toolkit's 15-level stack of current folders: push saves the
// current folder path, pop makes the saved one current again.
constexpr int kResourceFolderStackSize = 15;
bool PushResourceFolder();
bool PopResourceFolder();
int ResourceFolderDepth();

// Scrambles the bytes of a name in place when the pack is scrambled.
void ScrambleName(const ResourcePack& pack, char* name, size_t length);

#pragma once
// Builds a resource pack in memory and writes it out. Every pack the project
// makes (data build, generators, test fixtures) goes through this class, and
// it refuses anything the game's reader could not take back: names over 16
// characters, raw resources over 65535 bytes, duplicate names, names that
// would be ambiguous once scrambled.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/pack_format.h"

class PackWriter {
public:
    // The order key decides which pack overlays which; generated packs set it
    // explicitly so that builds are reproducible. A scrambled pack stores its
    // names and types hidden; plain packs are the default.
    explicit PackWriter(uint32_t orderKey, bool scrambled = false);
    ~PackWriter();
    PackWriter(const PackWriter&) = delete;
    PackWriter& operator=(const PackWriter&) = delete;
    PackWriter(PackWriter&&) noexcept;
    PackWriter& operator=(PackWriter&&) noexcept;

    // Adds a folder (and its missing parents) at a '/'-separated path below the
    // pack root, e.g. "Locale/Fonts". A leading '/' is allowed.
    bool AddFolder(const std::string& path);

    // Adds a file at "folder/.../name"; missing folders are created. Children
    // keep the order in which they were added.
    bool AddFile(const std::string& path, ResourceType type, std::vector<uint8_t> data);
    bool AddFile(const std::string& path, const char* type, std::vector<uint8_t> data)
    {
        return AddFile(path, pack_format::MakeType(type), std::move(data));
    }
    bool AddText(const std::string& path, const char* type, const std::string& text)
    {
        return AddFile(path, type, std::vector<uint8_t>(text.begin(), text.end()));
    }

    // The complete pack image; empty (with error() set) when the tree does not
    // fit the format's 16-bit folder steps or 8-bit depths.
    std::vector<uint8_t> Build() const;
    // Writes the image to a file (through a temporary name, so a failed write
    // never leaves a half pack with the final name). False on failure.
    bool WriteFile(const std::string& filePath) const;

    // Why the last failing call failed.
    const std::string& error() const { return m_error; }
    uint32_t entryCount() const;

private:
    struct Node;
    Node* FindOrAddFolder(const std::string& path);
    bool CheckName(const std::string& name);
    bool SameName(const std::string& a, const std::string& b) const;
    bool CheckLimits() const;

    uint32_t m_orderKey;
    bool m_scrambled;
    std::unique_ptr<Node> m_root;
    mutable std::string m_error;
};

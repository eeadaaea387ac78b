#pragma once
// Fixture packs for tests: written to a temporary data folder with the same
// PackWriter the data build uses, then mounted by CResourceMgr.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tools/pack/pack_writer.h"

// A data folder for one test: packs are written into it, the log goes into
// it, and the resource manager is shut down when it goes away.
class FixtureData {
public:
    FixtureData();
    ~FixtureData();

    const TempFolder& folder() const { return m_folder; }
    // Writes the pack as <name>.pak; fails the test when the writer fails.
    void AddPack(const std::string& name, const PackWriter& writer);
    void AddPackBytes(const std::string& name, const std::vector<uint8_t>& image);
    // Mounts every pack of the folder (with the log on, into the folder).
    bool Mount();
    // The log written so far.
    std::string Log() const;

private:
    TempFolder m_folder;
};

// Raw bytes of a text.
std::vector<uint8_t> Bytes(const std::string& text);

// Byte offset of the directory entry with this index.
inline size_t EntryOffsetInImage(uint32_t index)
{
    return 16 + static_cast<size_t>(index) * 30;
}

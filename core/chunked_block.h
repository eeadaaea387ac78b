#pragma once
// ChunkedBlock: a view of bytes that may lie in several chunks, with a
// position (chunk index, offset in the chunk). Blocks over pack resources
// are one borrowed chunk; a block can also allocate and own its chunks of
// 64000 bytes each, at most 255 of them.

#include <cstdint>
#include <vector>

class ChunkedBlock {
public:
    static constexpr uint32_t kChunkSize = 64000;
    static constexpr uint32_t kMaxChunks = 255;

    ChunkedBlock() = default;
    ~ChunkedBlock() { Free(); }
    ChunkedBlock(const ChunkedBlock&) = delete;
    ChunkedBlock& operator=(const ChunkedBlock&) = delete;

    // Frees owned chunks and resets every field.
    void Free();
    // Borrows count chunks (at most 255); position 0.
    void Assign(uint8_t* const* pointers, const uint32_t* sizes, uint32_t count);
    // Borrows the other block's chunks and takes over its position.
    void AssignFrom(const ChunkedBlock& other);
    // Allocates ceil(size / 64000) owned chunks; false (and empty) on failure
    // or when more than 255 chunks would be needed.
    bool Allocate(uint32_t size);

    // Carries a position across chunk boundaries until 0 <= offset < chunk
    // size (never past the first or the last chunk). Single chunks are left.
    void Normalize(uint32_t& chunk, int32_t& offset) const;
    // Moves the position by delta bytes and normalizes it.
    void Advance(int32_t delta);
    void SetPosition(uint32_t chunk, int32_t offset);

    bool IsSingleChunk() const { return (m_flags & kSingle) != 0; }
    bool OwnsChunks() const { return (m_flags & kOwns) != 0; }
    uint32_t ChunkCount() const { return m_count; }
    uint32_t TotalSize() const { return m_total; }
    uint32_t PositionChunk() const { return m_chunk; }
    int32_t PositionOffset() const { return m_offset; }
    uint8_t* ChunkData(uint32_t index) const;
    uint32_t ChunkSize(uint32_t index) const;
    // The byte at the position, or null when the position lies outside.
    uint8_t* Current() const;

private:
    static constexpr uint8_t kSingle = 1;
    static constexpr uint8_t kOwns = 2;

    uint8_t m_flags = 0;
    uint8_t* m_single = nullptr;
    uint32_t m_singleSize = 0;
    std::vector<uint8_t*> m_chunks;
    std::vector<uint32_t> m_sizes;
    uint32_t m_count = 0;
    uint32_t m_chunk = 0;
    int32_t m_offset = 0;
    uint32_t m_total = 0;
};

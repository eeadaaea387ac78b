#include "core/chunked_block.h"

#include <new>

void ChunkedBlock::Free()
{
    if (OwnsChunks()) {
        if (IsSingleChunk()) {
            delete[] m_single;
        } else {
            for (uint8_t* chunk : m_chunks)
                delete[] chunk;
        }
    }
    m_chunks.clear();
    m_chunks.shrink_to_fit();
    m_sizes.clear();
    m_sizes.shrink_to_fit();
    m_flags = 0;
    m_single = nullptr;
    m_singleSize = 0;
    m_count = 0;
    m_chunk = 0;
    m_offset = 0;
    m_total = 0;
}

void ChunkedBlock::Assign(uint8_t* const* pointers, const uint32_t* sizes, uint32_t count)
{
    Free();
    count &= 0xFF;
    if (count == 0)
        return;
    m_count = count;
    if (count == 1) {
        m_flags = kSingle;
        m_single = pointers[0];
        m_singleSize = sizes[0];
        m_total = sizes[0];
        return;
    }
    m_chunks.assign(pointers, pointers + count);
    m_sizes.assign(sizes, sizes + count);
    for (uint32_t size : m_sizes)
        m_total += size;
}

void ChunkedBlock::AssignFrom(const ChunkedBlock& other)
{
    if (&other == this)
        return;
    if (other.IsSingleChunk()) {
        Assign(&other.m_single, &other.m_singleSize, 1);
    } else {
        Assign(other.m_chunks.data(), other.m_sizes.data(), other.m_count);
    }
    m_chunk = other.m_chunk;
    m_offset = other.m_offset;
}

bool ChunkedBlock::Allocate(uint32_t size)
{
    Free();
    if (size == 0)
        return true;
    uint32_t count = (size + kChunkSize - 1) / kChunkSize;
    if (count > kMaxChunks)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t chunkSize = (i + 1 < count) ? kChunkSize : size - (count - 1) * kChunkSize;
        uint8_t* chunk = new (std::nothrow) uint8_t[chunkSize];
        if (chunk == nullptr) {
            for (uint8_t* done : m_chunks)
                delete[] done;
            m_chunks.clear();
            m_sizes.clear();
            return false;
        }
        m_chunks.push_back(chunk);
        m_sizes.push_back(chunkSize);
    }
    m_flags = kOwns;
    m_count = count;
    m_total = size;
    if (count == 1) {
        // One chunk is held inline like a borrowed one, but still owned.
        m_single = m_chunks[0];
        m_singleSize = m_sizes[0];
        m_flags |= kSingle;
        m_chunks.clear();
        m_sizes.clear();
    }
    return true;
}

void ChunkedBlock::Normalize(uint32_t& chunk, int32_t& offset) const
{
    if (IsSingleChunk() || m_count == 0)
        return;
    while (chunk + 1 < m_count && offset >= 0 && static_cast<uint32_t>(offset) >= m_sizes[chunk]) {
        offset -= static_cast<int32_t>(m_sizes[chunk]);
        ++chunk;
    }
    while (offset < 0 && chunk > 0) {
        --chunk;
        offset += static_cast<int32_t>(m_sizes[chunk]);
    }
}

void ChunkedBlock::Advance(int32_t delta)
{
    m_offset += delta;
    Normalize(m_chunk, m_offset);
}

void ChunkedBlock::SetPosition(uint32_t chunk, int32_t offset)
{
    m_chunk = chunk;
    m_offset = offset;
    Normalize(m_chunk, m_offset);
}

uint8_t* ChunkedBlock::ChunkData(uint32_t index) const
{
    if (index >= m_count)
        return nullptr;
    return IsSingleChunk() ? m_single : m_chunks[index];
}

uint32_t ChunkedBlock::ChunkSize(uint32_t index) const
{
    if (index >= m_count)
        return 0;
    return IsSingleChunk() ? m_singleSize : m_sizes[index];
}

uint8_t* ChunkedBlock::Current() const
{
    uint8_t* data = ChunkData(m_chunk);
    if (data == nullptr || m_offset < 0 || static_cast<uint32_t>(m_offset) >= ChunkSize(m_chunk)) {
        return nullptr;
    }
    return data + m_offset;
}

#include "core/chunked_block.h"

#include <new>

void ChunkedBlock::Free() {
  if (OwnsChunks()) {
    if (IsSingleChunk()) {
      delete[] single_;
    } else {
      for (uint8_t* chunk : chunks_) delete[] chunk;
    }
  }
  chunks_.clear();
  chunks_.shrink_to_fit();
  sizes_.clear();
  sizes_.shrink_to_fit();
  flags_ = 0;
  single_ = nullptr;
  singleSize_ = 0;
  count_ = 0;
  chunk_ = 0;
  offset_ = 0;
  total_ = 0;
}

void ChunkedBlock::Assign(uint8_t* const* pointers, const uint32_t* sizes, uint32_t count) {
  Free();
  count &= 0xFF;
  if (count == 0) return;
  count_ = count;
  if (count == 1) {
    flags_ = kSingle;
    single_ = pointers[0];
    singleSize_ = sizes[0];
    total_ = sizes[0];
    return;
  }
  chunks_.assign(pointers, pointers + count);
  sizes_.assign(sizes, sizes + count);
  for (uint32_t size : sizes_) total_ += size;
}

void ChunkedBlock::AssignFrom(const ChunkedBlock& other) {
  if (&other == this) return;
  if (other.IsSingleChunk()) {
    Assign(&other.single_, &other.singleSize_, 1);
  } else {
    Assign(other.chunks_.data(), other.sizes_.data(), other.count_);
  }
  chunk_ = other.chunk_;
  offset_ = other.offset_;
}

bool ChunkedBlock::Allocate(uint32_t size) {
  Free();
  if (size == 0) return true;
  uint32_t count = (size + kChunkSize - 1) / kChunkSize;
  if (count > kMaxChunks) return false;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t chunkSize = (i + 1 < count) ? kChunkSize : size - (count - 1) * kChunkSize;
    uint8_t* chunk = new (std::nothrow) uint8_t[chunkSize];
    if (chunk == nullptr) {
      for (uint8_t* done : chunks_) delete[] done;
      chunks_.clear();
      sizes_.clear();
      return false;
    }
    chunks_.push_back(chunk);
    sizes_.push_back(chunkSize);
  }
  flags_ = kOwns;
  count_ = count;
  total_ = size;
  if (count == 1) {
    // One chunk is held inline like a borrowed one, but still owned.
    single_ = chunks_[0];
    singleSize_ = sizes_[0];
    flags_ |= kSingle;
    chunks_.clear();
    sizes_.clear();
  }
  return true;
}

void ChunkedBlock::Normalize(uint32_t& chunk, int32_t& offset) const {
  if (IsSingleChunk() || count_ == 0) return;
  while (chunk + 1 < count_ && offset >= 0 && static_cast<uint32_t>(offset) >= sizes_[chunk]) {
    offset -= static_cast<int32_t>(sizes_[chunk]);
    ++chunk;
  }
  while (offset < 0 && chunk > 0) {
    --chunk;
    offset += static_cast<int32_t>(sizes_[chunk]);
  }
}

void ChunkedBlock::Advance(int32_t delta) {
  offset_ += delta;
  Normalize(chunk_, offset_);
}

void ChunkedBlock::SetPosition(uint32_t chunk, int32_t offset) {
  chunk_ = chunk;
  offset_ = offset;
  Normalize(chunk_, offset_);
}

uint8_t* ChunkedBlock::ChunkData(uint32_t index) const {
  if (index >= count_) return nullptr;
  return IsSingleChunk() ? single_ : chunks_[index];
}

uint32_t ChunkedBlock::ChunkSize(uint32_t index) const {
  if (index >= count_) return 0;
  return IsSingleChunk() ? singleSize_ : sizes_[index];
}

uint8_t* ChunkedBlock::Current() const {
  uint8_t* data = ChunkData(chunk_);
  if (data == nullptr || offset_ < 0 || static_cast<uint32_t>(offset_) >= ChunkSize(chunk_)) {
    return nullptr;
  }
  return data + offset_;
}

uint32_t ChunkedBlock::RemainingInChunk() const {
  uint32_t size = ChunkSize(chunk_);
  if (offset_ < 0 || static_cast<uint32_t>(offset_) >= size) return 0;
  return size - static_cast<uint32_t>(offset_);
}

#pragma once
// Small helpers over the byte stream that the game's readers share: bounding
// counts read from files and refusing a stream.

#include <cstdint>

#include "core/byte_stream.h"

inline bool StreamFailed(const CByteStream& s)
{
    return s.HasError();
}
inline uint32_t StreamPosition(const CByteStream& s)
{
    return s.Position();
}
inline uint32_t StreamVersion(const CByteStream& s)
{
    return uint32_t(s.Version());
}
// Bytes a reader still has; writers and counters are never short.
inline uint32_t StreamRemaining(CByteStream& s)
{
    if (s.IsStoring())
        return UINT32_MAX;
    return s.Capacity() > s.Position() ? s.Capacity() - s.Position() : 0;
}
// Refuses the rest of a reader's data: moving to its end and reading one more
// byte sets the error flag, after which every read leaves its variable alone.
inline void FailStream(CByteStream& s)
{
    if (s.IsStoring())
        return;
    s.SkipTo(s.Capacity());
    uint8_t past = 0;
    s.U8(past);
}

// A count read from a file is trusted only when the elements it announces,
// each at least minBytes long, can still be in the stream and it is within
// the limit. Otherwise the stream is refused and false returned.
inline bool CheckCount(CByteStream& s, uint32_t count, uint32_t limit, uint32_t minBytes)
{
    if (s.IsStoring())
        return true;
    if (StreamFailed(s))
        return false;
    if (count > limit || (minBytes != 0 && uint64_t(count) * minBytes > StreamRemaining(s))) {
        FailStream(s);
        return false;
    }
    return true;
}

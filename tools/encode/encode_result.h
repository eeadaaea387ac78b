#pragma once
// The outcome of an encoder: the resource bytes, or why the input was refused.

#include <cstdint>
#include <string>
#include <vector>

struct EncodeResult {
    std::vector<uint8_t> bytes;
    std::string error;  // empty on success

    bool ok() const { return error.empty(); }

    static EncodeResult Fail(std::string why)
    {
        EncodeResult r;
        r.error = std::move(why);
        return r;
    }
};

// Little-endian appenders shared by the encoders.
inline void PutU8(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
}
inline void PutU16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

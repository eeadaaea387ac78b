#include "core/byte_stream.h"

#include <cstring>

bool CByteStream::Fits(uint32_t n)
{
    if (m_error)
        return false;
    if (static_cast<uint64_t>(m_position) + n > m_capacity) {
        m_error = 1;
        return false;
    }
    return true;
}

void CSizeCounter::String(CStr& value)
{
    Count(static_cast<uint32_t>(value.Length()) + 1);
}

void CStreamWriter::Put(uint32_t value, uint32_t width)
{
    if (!Fits(width))
        return;
    for (uint32_t i = 0; i < width; ++i)
        m_buffer[m_position++] = static_cast<uint8_t>(value >> (8 * i));
}

void CStreamWriter::String(CStr& value)
{
    const uint32_t length = static_cast<uint32_t>(value.Length()) & 0xFFFF;
    if (!Fits(length + 1))
        return;
    std::memcpy(m_buffer + m_position, value.Chars(), length);
    m_buffer[m_position + length] = 0;
    m_position += length + 1;
}

bool CStreamReader::Get(uint32_t& value, uint32_t width)
{
    if (!Fits(width))
        return false;
    value = 0;
    for (uint32_t i = 0; i < width; ++i)
        value |= static_cast<uint32_t>(m_buffer[m_position++]) << (8 * i);
    return true;
}

void CStreamReader::String(CStr& value)
{
    if (m_error)
        return;
    if (m_position >= m_capacity) {
        m_error = 1;
        return;
    }
    const uint8_t* start = m_buffer + m_position;
    const void* nul = std::memchr(start, 0, m_capacity - m_position);
    if (!nul) {
        m_error = 1;
        return;
    }
    const uint32_t length = static_cast<uint32_t>(static_cast<const uint8_t*>(nul) - start);
    value.AssignChars(reinterpret_cast<const char*>(start), static_cast<int32_t>(length));
    m_position += length + 1;
}

void CStreamReader::SkipTo(uint32_t position)
{
    if (m_error)
        return;
    if (position > m_position)
        m_position = position;
}

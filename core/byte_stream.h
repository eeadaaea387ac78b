#pragma once
// Byte streams: one stream routine, written against CByteStream, runs three
// ways: CSizeCounter measures the bytes, CStreamWriter writes them into a
// buffer of exactly that size, CStreamReader reads them back. Numbers are
// little-endian, byte by byte; a string is its characters and a NUL.
//
// An overrun sets the error flag; from then on every operation of a writer
// or reader does nothing, so a reader leaves the later variables as they
// were. Every read is bounds-checked against the buffer, strings included
// (a string whose NUL is not inside the buffer is an overrun).
#include <cstdint>

#include "core/ref_string.h"

class CByteStream {
public:
    static constexpr int32_t CurrentVersion = 9;

    virtual ~CByteStream() = default;

    virtual bool IsStoring() = 0;
    virtual void String(CStr& value) = 0;
    virtual void I8(int8_t& value) = 0;
    virtual void I16(int16_t& value) = 0;
    virtual void I32(int32_t& value) = 0;
    virtual void U8(uint8_t& value) = 0;
    virtual void U16(uint16_t& value) = 0;
    virtual void U32(uint32_t& value) = 0;
    // Reader only: moves forward to an absolute position.
    virtual void SkipTo(uint32_t position) = 0;

    bool HasError() const { return m_error != 0; }
    uint32_t ErrorFlag() const { return m_error; }
    uint32_t Capacity() const { return m_capacity; }
    uint32_t Position() const { return m_position; }
    int32_t Version() const { return m_version; }
    void SetVersion(int32_t version) { m_version = version; }

protected:
    CByteStream() = default;
    CByteStream(uint8_t* buffer, uint32_t capacity) : m_buffer(buffer), m_capacity(capacity) {}
    // True when n more bytes fit; otherwise the error flag is set.
    bool Fits(uint32_t n);

    uint32_t m_error = 0;
    uint8_t* m_buffer = nullptr;  // start of the buffer; the cursor is m_buffer + m_position
    uint32_t m_capacity = 0;
    uint32_t m_position = 0;
    int32_t m_version = CurrentVersion;
};

class CSizeCounter : public CByteStream {
public:
    CSizeCounter() = default;
    bool IsStoring() override { return true; }
    void String(CStr& value) override;
    void I8(int8_t&) override { Count(1); }
    void I16(int16_t&) override { Count(2); }
    void I32(int32_t&) override { Count(4); }
    void U8(uint8_t&) override { Count(1); }
    void U16(uint16_t&) override { Count(2); }
    void U32(uint32_t&) override { Count(4); }
    void SkipTo(uint32_t) override {}

private:
    void Count(uint32_t n)
    {
        m_capacity += n;
        m_position += n;
    }
};

class CStreamWriter : public CByteStream {
public:
    CStreamWriter(uint8_t* buffer, uint32_t capacity) : CByteStream(buffer, capacity) {}
    bool IsStoring() override { return true; }
    void String(CStr& value) override;
    void I8(int8_t& value) override { Put(static_cast<uint8_t>(value), 1); }
    void I16(int16_t& value) override { Put(static_cast<uint16_t>(value), 2); }
    void I32(int32_t& value) override { Put(static_cast<uint32_t>(value), 4); }
    void U8(uint8_t& value) override { Put(value, 1); }
    void U16(uint16_t& value) override { Put(value, 2); }
    void U32(uint32_t& value) override { Put(value, 4); }
    void SkipTo(uint32_t) override {}

private:
    void Put(uint32_t value, uint32_t width);
};

class CStreamReader : public CByteStream {
public:
    CStreamReader(const uint8_t* buffer, uint32_t capacity)
        : CByteStream(const_cast<uint8_t*>(buffer), capacity)
    {}
    bool IsStoring() override { return false; }
    void String(CStr& value) override;
    void I8(int8_t& value) override
    {
        uint32_t v;
        if (Get(v, 1))
            value = static_cast<int8_t>(v);
    }
    void I16(int16_t& value) override
    {
        uint32_t v;
        if (Get(v, 2))
            value = static_cast<int16_t>(v);
    }
    void I32(int32_t& value) override
    {
        uint32_t v;
        if (Get(v, 4))
            value = static_cast<int32_t>(v);
    }
    void U8(uint8_t& value) override
    {
        uint32_t v;
        if (Get(v, 1))
            value = static_cast<uint8_t>(v);
    }
    void U16(uint16_t& value) override
    {
        uint32_t v;
        if (Get(v, 2))
            value = static_cast<uint16_t>(v);
    }
    void U32(uint32_t& value) override
    {
        uint32_t v;
        if (Get(v, 4))
            value = v;
    }
    // A position behind the current one does nothing; one past the end
    // makes the next read fail.
    void SkipTo(uint32_t position) override;

private:
    bool Get(uint32_t& value, uint32_t width);
};

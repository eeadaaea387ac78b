#pragma once
// Quantities of goods: one signed 32-bit amount per resource kind of the world.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"

class CByteStream;

// Four-character code of a resource kind, the little-endian word of its letters.
constexpr uint32_t FourCC(const char (&s)[5])
{
    return uint32_t(uint8_t(s[0])) | (uint32_t(uint8_t(s[1])) << 8) | (uint32_t(uint8_t(s[2])) << 16) |
           (uint32_t(uint8_t(s[3])) << 24);
}
uint32_t FourCCFromChars(const char* four);
CStr FourCCToText(uint32_t code);

// Growable array of signed 32-bit values with a signed 16-bit count, as every
// per-kind or per-slot list of the game model is.
class CValueArray {
public:
    static constexpr int32_t kMaxCount = 32767;

    explicit CValueArray(int16_t growBy = 0) : m_growBy(growBy) {}
    CValueArray(const CValueArray& other) : m_growBy(other.m_growBy) { Assign(other); }
    CValueArray& operator=(const CValueArray& other)
    {
        Assign(other);
        return *this;
    }
    virtual ~CValueArray() = default;

    void Assign(const CValueArray& other) { m_values = other.m_values; }
    // False (and the old size kept) when the count does not fit the array.
    bool SetSize(int32_t count);
    int32_t Append(const int32_t* values, int32_t n);
    int16_t Count() const { return int16_t(m_values.size()); }
    int32_t& operator[](int i) { return m_values[size_t(i)]; }
    int32_t operator[](int i) const { return m_values[size_t(i)]; }

protected:
    std::vector<int32_t> m_values;
    int16_t m_growBy = 0;
};

class CResourceBundle : public CValueArray {
public:
    // Sized to the active world's kinds, or to the default three kinds.
    CResourceBundle();

    int32_t IndexOf(uint32_t kind) const;
    int32_t Get(uint32_t kind) const;
    void Set(uint32_t kind, int32_t amount);
    int32_t GetByChars(const char* four) const { return Get(FourCCFromChars(four)); }
    void SetByChars(const char* four, int32_t amount) { Set(FourCCFromChars(four), amount); }

    int32_t Total() const;
    CResourceBundle& Add(const CResourceBundle& other);
    CResourceBundle& AddToAll(int32_t k);
    CResourceBundle& Subtract(const CResourceBundle& other);
    CResourceBundle& SubtractFromAll(int32_t k);
    CResourceBundle& Multiply(int32_t k);
    CResourceBundle& Divide(int32_t k);
    CResourceBundle& Zero();
    static CResourceBundle MultipliedCopy(const CResourceBundle& b, int32_t k);
    static CResourceBundle DividedCopy(const CResourceBundle& b, int32_t k);
    static CResourceBundle SubtractedCopy(const CResourceBundle& a, const CResourceBundle& b);
    static CResourceBundle AssignCopy(CResourceBundle& dst, const CResourceBundle& src);

    bool Equals(const CResourceBundle& other) const;
    bool Differs(const CResourceBundle& other) const { return !Equals(other); }
    bool AnyLess(const CResourceBundle& other) const;
    bool AnyAtMost(const CResourceBundle& other) const;
    bool AllGreater(const CResourceBundle& other) const;
    bool AllAtLeast(const CResourceBundle& other) const;
    bool IsZero() const;

    int32_t TimesAffordable(const CResourceBundle& cost) const;

    // The count is bounded by what the stream can still hold and by the
    // number of kinds any world can have, so a hostile file cannot make the
    // reader allocate or loop without end.
    void Stream(CByteStream& s);

private:
    // Element-wise operations pair indexes over this bundle's count; a
    // shorter other bundle reads as zeros.
    int32_t At(const CResourceBundle& b, int i) const { return i < b.Count() ? b[i] : 0; }
};

CStr ResourceKindName(int index);

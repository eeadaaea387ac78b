#pragma once
// CStr: the one narrow (8-bit, code-page) string of the program.
//
// A CStr is one pointer to a heap block holding a 16-bit reference count,
// the length, the reserved capacity (a multiple of 16) and the characters.
// Copies share the block; every operation that writes detaches first (copy
// on write). All empty strings share one static block that is never counted
// and never freed, so an empty CStr costs no allocation.
//
// Limits, and what happens at them:
//  - Lengths the string measures itself are limited to MaxLength (65535);
//    a longer text is cut there (and terminated), so the stored length and
//    the text always agree.
//  - One block is shared by at most 32767 strings; a copy beyond that gets
//    its own block instead of wrapping the count.
//  - Insert positions past the end are taken as the end.
//
// Formatting (Format):
//  Format strings come from our own code and from the packs (locale texts,
//  window layouts), and they were written for a platform where `long` is 32
//  bits: "%ld", "%lu" and "%Lu" all mean a 32-bit value there. On 64-bit
//  Linux passing such a format to vsnprintf with an int would read garbage.
//  So Format is a typed template: each argument is captured with its real
//  type, and the format is walked by our own parser that formats one
//  conversion at a time with a bounded snprintf:
//   - every integer conversion (d i u x X o c) is taken as a 32-bit value,
//     whatever length modifier it carries (l, ll, L, q, j, z, t are accepted
//     and mean nothing more); "h" and "hh" still cut to 16 and 8 bits;
//     callers may pass any integer type, it is narrowed to 32 bits;
//   - "%s" takes a const char* or a CStr (a null pointer prints nothing);
//   - an argument of the wrong kind is converted rather than misread (a
//     number under "%s" prints as a decimal number, text under "%d" as 0),
//     missing arguments print nothing, "%n" is ignored;
//   - the result is cut at MaxFormatLength (1023) characters: the text can
//     never overrun, whatever the format or the arguments;
//   - Format returns the length of the string it made.
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

class CStr;

// One captured argument of CStr::Format.
class FormatArg {
public:
    enum class Kind : uint8_t {
        Signed,
        Unsigned,
        Real,
        Text,
        Pointer
    };

    template <std::integral T>
    FormatArg(T value)
    {
        if constexpr (std::is_signed_v<T>) {
            m_kind = Kind::Signed;
            m_signed = static_cast<int32_t>(value);
        } else {
            m_kind = Kind::Unsigned;
            m_unsigned = static_cast<uint32_t>(value);
        }
    }
    template <typename E>
    requires std::is_enum_v<E> FormatArg(E value) : FormatArg(static_cast<std::underlying_type_t<E>>(value))
    {}
    FormatArg(double value) : m_kind(Kind::Real), m_real(value) {}
    FormatArg(long double value) : m_kind(Kind::Real), m_real(static_cast<double>(value)) {}
    FormatArg(const char* text) : m_kind(Kind::Text), m_text(text) {}
    FormatArg(char* text) : m_kind(Kind::Text), m_text(text) {}
    FormatArg(const CStr& text);
    FormatArg(const void* pointer) : m_kind(Kind::Pointer), m_pointer(pointer) {}
    FormatArg(std::nullptr_t) : m_kind(Kind::Pointer), m_pointer(nullptr) {}

    Kind GetKind() const { return m_kind; }
    int32_t AsSigned() const;
    uint32_t AsUnsigned() const { return static_cast<uint32_t>(AsSigned()); }
    double AsReal() const;
    const char* AsText() const { return m_kind == Kind::Text ? m_text : nullptr; }
    const void* AsPointer() const;

private:
    Kind m_kind;
    union {
        int32_t m_signed;
        uint32_t m_unsigned;
        double m_real;
        const char* m_text;
        const void* m_pointer;
    };
};

// The header of the heap block behind a CStr. The characters follow the
// header; the block is allocated as header + capacity + 4 bytes (the NUL and
// spare bytes).
struct CStrBlock {
    int16_t refs;
    int32_t length;
    int32_t capacity;

    char* Text() { return reinterpret_cast<char*>(this + 1); }
    const char* Text() const { return reinterpret_cast<const char*>(this + 1); }
};

// The static block shared by every empty string: a header and an empty text.
struct CStrEmptyBlock {
    CStrBlock header;
    char text[4];
};
extern CStrEmptyBlock g_emptyStrBlock;

class CStr {
public:
    static constexpr int32_t MaxLength = 65535;
    static constexpr int32_t MaxRefs = 32767;
    static constexpr int32_t FormatBufferSize = 1024;
    static constexpr int32_t MaxFormatLength = FormatBufferSize - 1;

    constexpr CStr() : m_block(&g_emptyStrBlock.header) {}
    // Empty for a null pointer; otherwise `length` characters (-1: up to the
    // NUL), then the length is measured again, so an embedded NUL shortens it.
    CStr(const char* chars, int32_t length = -1);
    CStr(const CStr& other);
    CStr(CStr&& other) noexcept;
    ~CStr();

    CStr& operator=(const CStr& other)
    {
        Assign(other);
        return *this;
    }
    CStr& operator=(CStr&& other) noexcept;
    CStr& operator=(const char* chars)
    {
        AssignChars(chars);
        return *this;
    }

    // `count` copies of `character`; a NUL character reserves room for
    // `count` characters and leaves the string empty.
    static CStr CStrFilled(char character, int32_t count);

    void Assign(const CStr& other);
    void AssignChars(const char* chars, int32_t length = -1);

    // Copy on write.
    void Detach();
    void SetCapacity(int32_t count);
    void UpdateLength();

    // Editing.
    void AppendChars(const char* chars, int32_t length = -1);
    void Append(const CStr& other) { AppendChars(other.Chars(), other.Length()); }
    void AppendChar(char character) { AppendChars(&character, 1); }
    void Insert(int32_t position, const char* chars, int32_t length = -1);
    void Delete(int32_t position, int32_t count = -1);
    void TrimLeft();
    void TrimRight();
    void MakeUpper();
    void MakeLower();

    template <typename... Args>
    int32_t Format(const char* format, const Args&... args)
    {
        if constexpr (sizeof...(Args) == 0) {
            return FormatArgs(format, nullptr, 0);
        } else {
            const FormatArg list[] = {FormatArg(args)...};
            return FormatArgs(format, list, static_cast<int32_t>(sizeof...(Args)));
        }
    }
    // Formats into this string from an explicit argument list; returns the
    // length of the result (a "%c" of 0 ends the text there).
    int32_t FormatArgs(const char* format, const FormatArg* args, int32_t count);

    // Searching; -1 means not found.
    int32_t FindChar(char character, int32_t start = 0) const;
    int32_t Find(const char* text, int32_t start = 0) const;
    int32_t FindNoCase(const char* text, int32_t start = 0) const;

    // Extracting and joining.
    CStr Mid(int32_t start, int32_t count = -1, char stop = '\0') const;
    static CStr Concat(const CStr& a, const CStr& b);
    static CStr ConcatChars(const CStr& a, const char* chars);
    static CStr ConcatCharsLeft(const char* chars, const CStr& a);
    static CStr ConcatChar(const CStr& a, char character);
    static CStr ConcatCharLeft(char character, const CStr& a);

    // Access.
    const char* Chars() const { return m_block->Text(); }
    operator const char*() const { return m_block->Text(); }
    // Writable characters for callers that fill the string themselves:
    // detaches first; call UpdateLength afterwards. Reserve room first
    // (SetCapacity or CStrFilled): an empty string has no room to write.
    char* Buffer();
    int32_t Length() const { return m_block->length; }
    int32_t Capacity() const { return m_block->capacity; }
    bool IsEmpty() const { return m_block->length == 0; }
    char At(int32_t index) const
    {
        return (index >= 0 && index < m_block->length) ? m_block->Text()[index] : '\0';
    }

    // Inspection of the sharing, for tests and checks.
    bool IsSharedEmpty() const { return m_block == &g_emptyStrBlock.header; }
    int32_t RefCount() const { return m_block->refs; }
    bool SharesWith(const CStr& other) const { return m_block == other.m_block; }

    bool operator==(const CStr& other) const;
    bool operator==(const char* other) const;
    CStr& operator+=(const CStr& other)
    {
        Append(other);
        return *this;
    }
    CStr& operator+=(const char* chars)
    {
        AppendChars(chars);
        return *this;
    }
    CStr& operator+=(char character)
    {
        AppendChar(character);
        return *this;
    }

private:
    void Release();
    void ShareBlockOf(const CStr& other);

    CStrBlock* m_block;
};

inline CStr operator+(const CStr& a, const CStr& b)
{
    return CStr::Concat(a, b);
}
inline CStr operator+(const CStr& a, const char* b)
{
    return CStr::ConcatChars(a, b);
}
inline CStr operator+(const char* a, const CStr& b)
{
    return CStr::ConcatCharsLeft(a, b);
}
inline CStr operator+(const CStr& a, char b)
{
    return CStr::ConcatChar(a, b);
}

// The process-wide empty string for callers that need an empty argument.
extern const CStr g_emptyStr;

// ASCII-only case folding: only A-Z and a-z compare equal regardless of case,
// so results never depend on the C library's locale.
char AsciiToUpper(char c);
char AsciiToLower(char c);
// Compares at most `count` characters (-1: whole strings) ignoring ASCII case;
// <0, 0, >0 like strcmp.
int CompareNoCase(const char* a, const char* b, int32_t count = -1);

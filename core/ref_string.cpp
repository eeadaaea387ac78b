#include "core/ref_string.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

CStrEmptyBlock g_emptyStrBlock = {{0, 0, 0}, {0, 0, 0, 0}};
constinit const CStr g_emptyStr;

namespace {

constexpr size_t kHeaderSize = sizeof(CStrBlock);

int32_t RoundCapacity(int32_t n)
{
    if (n <= 0)
        return 0;
    return ((n >> 4) + ((n & 15) != 0 ? 1 : 0)) * 16;
}

size_t BlockBytes(int32_t capacity)
{
    // Header, the characters, the NUL and spare bytes.
    return kHeaderSize + static_cast<size_t>(capacity) + 4;
}

CStrBlock* AllocateBlock(int32_t capacity)
{
    auto* block = static_cast<CStrBlock*>(std::malloc(BlockBytes(capacity)));
    if (!block)
        throw std::bad_alloc();
    block->refs = 1;
    block->length = 0;
    block->capacity = capacity;
    block->Text()[0] = '\0';
    return block;
}

// strlen limited to the longest string we hold.
int32_t MeasureText(const char* text, int32_t limit = CStr::MaxLength)
{
    const void* nul = std::memchr(text, '\0', static_cast<size_t>(limit));
    return nul ? static_cast<int32_t>(static_cast<const char*>(nul) - text) : limit;
}

int32_t ResolveLength(const char* chars, int32_t length)
{
    if (!chars)
        return 0;
    if (length < 0)
        return MeasureText(chars);
    return length > CStr::MaxLength ? CStr::MaxLength : length;
}

}  // namespace

char AsciiToUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiToLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int CompareNoCase(const char* a, const char* b, int32_t count)
{
    for (int32_t i = 0; count < 0 || i < count; ++i) {
        const unsigned char ca = static_cast<unsigned char>(AsciiToLower(a[i]));
        const unsigned char cb = static_cast<unsigned char>(AsciiToLower(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Lifetime

CStr::CStr(const char* chars, int32_t length) : m_block(&g_emptyStrBlock.header)
{
    AssignChars(chars, length);
}

CStr::CStr(const CStr& other) : m_block(&g_emptyStrBlock.header)
{
    ShareBlockOf(other);
}

CStr::CStr(CStr&& other) noexcept : m_block(other.m_block)
{
    other.m_block = &g_emptyStrBlock.header;
}

CStr::~CStr()
{
    Release();
}

CStr& CStr::operator=(CStr&& other) noexcept
{
    if (this != &other) {
        Release();
        m_block = other.m_block;
        other.m_block = &g_emptyStrBlock.header;
    }
    return *this;
}

void CStr::Release()
{
    if (m_block != &g_emptyStrBlock.header) {
        if (--m_block->refs <= 0)
            std::free(m_block);
        m_block = &g_emptyStrBlock.header;
    }
}

void CStr::ShareBlockOf(const CStr& other)
{
    CStrBlock* source = other.m_block;
    if (source == &g_emptyStrBlock.header) {
        m_block = source;
        return;
    }
    if (source->refs >= MaxRefs) {
        // The count is 16 bits: rather than wrap it, give this string a copy.
        CStrBlock* copy = AllocateBlock(source->capacity);
        std::memcpy(copy->Text(), source->Text(), static_cast<size_t>(source->length) + 1);
        copy->length = source->length;
        m_block = copy;
        return;
    }
    ++source->refs;
    m_block = source;
}

CStr CStr::CStrFilled(char character, int32_t count)
{
    CStr result;
    if (count <= 0)
        return result;
    if (count > MaxLength)
        count = MaxLength;
    result.SetCapacity(count);
    std::memset(result.m_block->Text(), character, static_cast<size_t>(count));
    result.m_block->Text()[count] = '\0';
    result.m_block->length = character == '\0' ? 0 : count;
    return result;
}

void CStr::Assign(const CStr& other)
{
    if (m_block == other.m_block)
        return;
    Release();
    ShareBlockOf(other);
}

void CStr::AssignChars(const char* chars, int32_t length)
{
    if (chars && chars == m_block->Text())
        return;
    length = ResolveLength(chars, length);
    if (length == 0) {
        Release();
        return;
    }
    // The source may live inside our own block (a tail of this string).
    if (m_block != &g_emptyStrBlock.header && chars >= m_block->Text() &&
        chars < m_block->Text() + m_block->capacity + 1) {
        CStr copy(chars, length);
        Assign(copy);
        return;
    }
    SetCapacity(length);
    std::memcpy(m_block->Text(), chars, static_cast<size_t>(length));
    m_block->Text()[length] = '\0';
    m_block->length = MeasureText(m_block->Text(), length + 1);
}

// ---------------------------------------------------------------------------
// Copy on write and capacity

void CStr::Detach()
{
    if (m_block == &g_emptyStrBlock.header || m_block->refs <= 1)
        return;
    CStrBlock* copy = AllocateBlock(m_block->capacity);
    copy->length = m_block->length;
    std::memcpy(copy->Text(), m_block->Text(), static_cast<size_t>(m_block->length) + 1);
    --m_block->refs;
    m_block = copy;
}

void CStr::SetCapacity(int32_t count)
{
    Detach();
    if (count > MaxLength)
        count = MaxLength;
    const int32_t capacity = RoundCapacity(count);
    if (capacity == m_block->capacity)
        return;
    if (m_block == &g_emptyStrBlock.header) {
        m_block = AllocateBlock(capacity);
        return;
    }
    if (capacity == 0) {
        Release();
        return;
    }
    auto* grown = static_cast<CStrBlock*>(std::realloc(m_block, BlockBytes(capacity)));
    if (!grown)
        throw std::bad_alloc();
    m_block = grown;
    m_block->capacity = capacity;
    if (m_block->length > capacity) {
        m_block->length = capacity;
        m_block->Text()[capacity] = '\0';
    }
}

void CStr::UpdateLength()
{
    if (m_block == &g_emptyStrBlock.header)
        return;
    // The buffer holds capacity characters and the NUL slot: never look further.
    int32_t length = MeasureText(m_block->Text(), m_block->capacity + 1);
    if (length > m_block->capacity)
        length = m_block->capacity;
    m_block->Text()[length] = '\0';
    m_block->length = length;
    SetCapacity(length);
}

char* CStr::Buffer()
{
    Detach();
    return m_block->Text();
}

// ---------------------------------------------------------------------------
// Editing

void CStr::AppendChars(const char* chars, int32_t length)
{
    length = ResolveLength(chars, length);
    if (length == 0)
        return;
    if (m_block->length + length > MaxLength)
        length = MaxLength - m_block->length;
    if (length <= 0)
        return;
    if (m_block != &g_emptyStrBlock.header && chars >= m_block->Text() &&
        chars <= m_block->Text() + m_block->length) {
        // Appending a piece of ourselves: the block may move when it grows.
        CStr copy(chars, length);
        AppendChars(copy.Chars(), copy.Length());
        return;
    }
    const int32_t oldLength = m_block->length;
    SetCapacity(oldLength + length);
    std::memcpy(m_block->Text() + oldLength, chars, static_cast<size_t>(length));
    m_block->length = oldLength + length;
    m_block->Text()[m_block->length] = '\0';
}

void CStr::Insert(int32_t position, const char* chars, int32_t length)
{
    length = ResolveLength(chars, length);
    if (length == 0)
        return;
    if (m_block != &g_emptyStrBlock.header && chars >= m_block->Text() &&
        chars <= m_block->Text() + m_block->length) {
        CStr copy(chars, length);
        Insert(position, copy.Chars(), copy.Length());
        return;
    }
    const int32_t oldLength = m_block->length;
    if (position < 0)
        position = 0;
    if (position > oldLength)
        position = oldLength;
    if (oldLength + length > MaxLength)
        length = MaxLength - oldLength;
    if (length <= 0)
        return;
    SetCapacity(oldLength + length);
    char* text = m_block->Text();
    std::memmove(text + position + length, text + position, static_cast<size_t>(oldLength - position) + 1);
    std::memcpy(text + position, chars, static_cast<size_t>(length));
    m_block->length = oldLength + length;
}

void CStr::Delete(int32_t position, int32_t count)
{
    const int32_t length = m_block->length;
    if (position < 0 || position >= length)
        return;
    if (count < 0 || count > length - position)
        count = length - position;
    if (count == 0)
        return;
    if (count == length) {
        Release();
        return;
    }
    Detach();
    char* text = m_block->Text();
    std::memmove(text + position, text + position + count,
                 static_cast<size_t>(length - position - count) + 1);
    m_block->length = length - count;
    SetCapacity(m_block->length);
}

void CStr::TrimLeft()
{
    const char* text = m_block->Text();
    int32_t blanks = 0;
    while (blanks < m_block->length && (text[blanks] == ' ' || text[blanks] == '\t'))
        ++blanks;
    if (blanks > 0 && blanks < m_block->length)
        Delete(0, blanks);
}

void CStr::TrimRight()
{
    const char* text = m_block->Text();
    int32_t last = m_block->length - 1;
    while (last >= 0 && (text[last] == ' ' || text[last] == '\t'))
        --last;
    if (last >= 0 && last < m_block->length - 1)
        Delete(last + 1);
}

void CStr::MakeUpper()
{
    Detach();
    for (int32_t i = 0; i < m_block->length; ++i)
        m_block->Text()[i] = AsciiToUpper(m_block->Text()[i]);
}

void CStr::MakeLower()
{
    Detach();
    for (int32_t i = 0; i < m_block->length; ++i)
        m_block->Text()[i] = AsciiToLower(m_block->Text()[i]);
}

// ---------------------------------------------------------------------------
// Formatting

FormatArg::FormatArg(const CStr& text) : m_kind(Kind::Text), m_text(text.Chars()) {}

int32_t FormatArg::AsSigned() const
{
    switch (m_kind) {
    case Kind::Signed:
        return m_signed;
    case Kind::Unsigned:
        return static_cast<int32_t>(m_unsigned);
    case Kind::Real: {
        // Out-of-range doubles would be undefined to convert: saturate.
        if (!(m_real == m_real))
            return 0;
        if (m_real >= 2147483647.0)
            return INT32_MAX;
        if (m_real <= -2147483648.0)
            return INT32_MIN;
        return static_cast<int32_t>(m_real);
    }
    case Kind::Text:
    case Kind::Pointer:
        return 0;
    }
    return 0;
}

double FormatArg::AsReal() const
{
    switch (m_kind) {
    case Kind::Signed:
        return m_signed;
    case Kind::Unsigned:
        return m_unsigned;
    case Kind::Real:
        return m_real;
    case Kind::Text:
    case Kind::Pointer:
        return 0.0;
    }
    return 0.0;
}

const void* FormatArg::AsPointer() const
{
    switch (m_kind) {
    case Kind::Text:
        return m_text;
    case Kind::Pointer:
        return m_pointer;
    default:
        return nullptr;
    }
}

namespace {

// Collects formatted text into a fixed buffer, silently cutting at its end.
class BoundedText {
public:
    explicit BoundedText(char* buffer, int32_t size) : m_buffer(buffer), m_size(size) { m_buffer[0] = '\0'; }
    void Put(char c)
    {
        if (m_length < m_size - 1) {
            m_buffer[m_length++] = c;
            m_buffer[m_length] = '\0';
        }
    }
    // Formats one conversion with a bounded snprintf straight into the rest.
    template <typename T>
    void Print(const char* piece, T value)
    {
        const int32_t room = m_size - m_length;
        if (room <= 1)
            return;
        const int written = std::snprintf(m_buffer + m_length, static_cast<size_t>(room), piece, value);
        if (written > 0)
            m_length += written < room ? written : room - 1;
        m_buffer[m_length] = '\0';
    }
    int32_t Length() const { return m_length; }

private:
    char* m_buffer;
    int32_t m_size;
    int32_t m_length = 0;
};

}  // namespace

int32_t CStr::FormatArgs(const char* format, const FormatArg* args, int32_t count)
{
    char buffer[FormatBufferSize];
    BoundedText out(buffer, FormatBufferSize);
    int32_t next = 0;
    auto take = [&]() -> const FormatArg* { return next < count ? &args[next++] : nullptr; };

    const char* p = format ? format : "";
    while (*p) {
        if (*p != '%') {
            out.Put(*p++);
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out.Put('%');
            ++p;
            continue;
        }
        // Rebuild the conversion in a buffer of our own: flags, width and
        // precision as given (a '*' is replaced by the argument's value),
        // our own length modifier, then the conversion character.
        char piece[48];
        int32_t pieceLength = 0;
        auto add = [&](char c) {
            if (pieceLength < static_cast<int32_t>(sizeof(piece)) - 12)
                piece[pieceLength++] = c;
        };
        auto addNumber = [&](int32_t value) {
            char digits[16];
            const int n = std::snprintf(digits, sizeof(digits), "%d", static_cast<int>(value));
            for (int i = 0; i < n; ++i)
                add(digits[i]);
        };
        add('%');
        while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0')
            add(*p++);
        if (*p == '*') {
            ++p;
            const FormatArg* width = take();
            int32_t value = width ? width->AsSigned() : 0;
            if (value < -MaxFormatLength)
                value = -MaxFormatLength;
            if (value > MaxFormatLength)
                value = MaxFormatLength;
            addNumber(value);
        } else {
            int32_t width = 0;
            while (*p >= '0' && *p <= '9') {
                if (width <= MaxFormatLength)
                    width = width * 10 + (*p - '0');
                ++p;
            }
            if (width > 0)
                addNumber(width > MaxFormatLength ? MaxFormatLength : width);
        }
        if (*p == '.') {
            ++p;
            add('.');
            if (*p == '*') {
                ++p;
                const FormatArg* precision = take();
                int32_t value = precision ? precision->AsSigned() : 0;
                if (value > MaxFormatLength)
                    value = MaxFormatLength;
                if (value >= 0)
                    addNumber(value);
            } else {
                int32_t precision = 0;
                while (*p >= '0' && *p <= '9') {
                    if (precision <= MaxFormatLength)
                        precision = precision * 10 + (*p - '0');
                    ++p;
                }
                addNumber(precision > MaxFormatLength ? MaxFormatLength : precision);
            }
        }
        int shortness = 0;  // 1: "h", 2: "hh"
        for (;;) {
            if (*p == 'h') {
                ++shortness;
                ++p;
            } else if (*p == 'l' || *p == 'L' || *p == 'q' || *p == 'j' || *p == 'z' || *p == 't') {
                ++p;  // 32-bit values whatever the modifier
            } else {
                break;
            }
        }
        const char conversion = *p;
        if (conversion == '\0') {
            // A lone '%' at the end: keep it as text.
            for (const char* c = start; c < p; ++c)
                out.Put(*c);
            break;
        }
        ++p;
        switch (conversion) {
        case 'd':
        case 'i': {
            const FormatArg* arg = take();
            int32_t value = arg ? arg->AsSigned() : 0;
            if (!arg)
                break;
            if (shortness == 1)
                value = static_cast<int16_t>(value);
            if (shortness >= 2)
                value = static_cast<int8_t>(value);
            add(conversion);
            piece[pieceLength] = '\0';
            out.Print(piece, static_cast<int>(value));
            break;
        }
        case 'u':
        case 'x':
        case 'X':
        case 'o': {
            const FormatArg* arg = take();
            if (!arg)
                break;
            uint32_t value = arg->AsUnsigned();
            if (shortness == 1)
                value = static_cast<uint16_t>(value);
            if (shortness >= 2)
                value = static_cast<uint8_t>(value);
            add(conversion);
            piece[pieceLength] = '\0';
            out.Print(piece, static_cast<unsigned>(value));
            break;
        }
        case 'c': {
            const FormatArg* arg = take();
            if (!arg)
                break;
            add('c');
            piece[pieceLength] = '\0';
            out.Print(piece, static_cast<int>(static_cast<unsigned char>(arg->AsSigned())));
            break;
        }
        case 's': {
            const FormatArg* arg = take();
            if (!arg)
                break;
            if (arg->GetKind() == FormatArg::Kind::Signed || arg->GetKind() == FormatArg::Kind::Unsigned) {
                char number[16];
                if (arg->GetKind() == FormatArg::Kind::Signed)
                    std::snprintf(number, sizeof(number), "%d", static_cast<int>(arg->AsSigned()));
                else
                    std::snprintf(number, sizeof(number), "%u", static_cast<unsigned>(arg->AsUnsigned()));
                add('s');
                piece[pieceLength] = '\0';
                out.Print(piece, static_cast<const char*>(number));
                break;
            }
            const char* text = arg->AsText();
            add('s');
            piece[pieceLength] = '\0';
            out.Print(piece, text ? text : "");
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A': {
            const FormatArg* arg = take();
            if (!arg)
                break;
            add(conversion);
            piece[pieceLength] = '\0';
            out.Print(piece, arg->AsReal());
            break;
        }
        case 'p': {
            const FormatArg* arg = take();
            if (!arg)
                break;
            add('p');
            piece[pieceLength] = '\0';
            out.Print(piece, arg->AsPointer());
            break;
        }
        case 'n':
            take();  // never write through an argument
            break;
        default:
            // Not a conversion we know: keep the text as it stands.
            for (const char* c = start; c < p; ++c)
                out.Put(*c);
            break;
        }
    }
    // A "%c" of 0 ends the text early: the result is what the string holds.
    AssignChars(buffer, out.Length());
    return Length();
}

// ---------------------------------------------------------------------------
// Searching

int32_t CStr::FindChar(char character, int32_t start) const
{
    if (start < 0)
        start = 0;
    if (start >= m_block->length)
        return -1;
    const void* hit =
        std::memchr(m_block->Text() + start, character, static_cast<size_t>(m_block->length - start));
    return hit ? static_cast<int32_t>(static_cast<const char*>(hit) - m_block->Text()) : -1;
}

int32_t CStr::Find(const char* text, int32_t start) const
{
    if (!text)
        return -1;
    if (start < 0)
        start = 0;
    if (start > m_block->length)
        return -1;
    const char* hit = std::strstr(m_block->Text() + start, text);
    return hit ? static_cast<int32_t>(hit - m_block->Text()) : -1;
}

int32_t CStr::FindNoCase(const char* text, int32_t start) const
{
    if (!text || !*text)
        return -1;
    if (start < 0)
        start = 0;
    const int32_t needle = MeasureText(text);
    for (int32_t i = start; i + needle <= m_block->length; ++i) {
        if (CompareNoCase(m_block->Text() + i, text, needle) == 0)
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Extracting and joining

CStr CStr::Mid(int32_t start, int32_t count, char stop) const
{
    const int32_t length = m_block->length;
    if (start < 0)
        start = 0;
    if (start >= length || count == 0)
        return CStr();
    if (count < 0 || count > length - start)
        count = length - start;
    if (stop != '\0') {
        const int32_t at = FindChar(stop, start);
        if (at >= 0 && at - start < count)
            count = at - start;
    }
    return CStr(m_block->Text() + start, count);
}

namespace {

CStr Join(const char* a, int32_t aLength, const char* b, int32_t bLength)
{
    CStr result;
    if (aLength + bLength > CStr::MaxLength)
        bLength = CStr::MaxLength - aLength;
    if (aLength + bLength <= 0)
        return result;
    char* text = nullptr;
    result.SetCapacity(aLength + bLength);
    text = result.Buffer();
    std::memcpy(text, a, static_cast<size_t>(aLength));
    std::memcpy(text + aLength, b, static_cast<size_t>(bLength));
    text[aLength + bLength] = '\0';
    result.UpdateLength();
    return result;
}

}  // namespace

CStr CStr::Concat(const CStr& a, const CStr& b)
{
    return Join(a.Chars(), a.Length(), b.Chars(), b.Length());
}

CStr CStr::ConcatChars(const CStr& a, const char* chars)
{
    return Join(a.Chars(), a.Length(), chars ? chars : "", ResolveLength(chars, -1));
}

CStr CStr::ConcatCharsLeft(const char* chars, const CStr& a)
{
    return Join(chars ? chars : "", ResolveLength(chars, -1), a.Chars(), a.Length());
}

CStr CStr::ConcatChar(const CStr& a, char character)
{
    return Join(a.Chars(), a.Length(), &character, 1);
}

CStr CStr::ConcatCharLeft(char character, const CStr& a)
{
    return Join(&character, 1, a.Chars(), a.Length());
}

bool CStr::operator==(const CStr& other) const
{
    if (m_block == other.m_block)
        return true;
    return m_block->length == other.m_block->length &&
           std::memcmp(m_block->Text(), other.m_block->Text(), static_cast<size_t>(m_block->length)) == 0;
}

bool CStr::operator==(const char* other) const
{
    return std::strcmp(m_block->Text(), other ? other : "") == 0;
}

static_assert(offsetof(CStrEmptyBlock, text) == sizeof(CStrBlock),
              "the empty text must follow the header as it does in heap blocks");

#include "core/text_section_reader.h"

#include <cstring>

bool TextSectionReader::Open(const char* name, ResourceType type, uint32_t options)
{
    m_index = 0;
    m_atEnd = true;
    m_inSection = false;
    m_options = options;
    m_lines.clear();
    TextLines text;
    if (!CResourceMgr::LoadTextLines(name, type, text))
        return false;
    m_lines = std::move(text.lines);
    return true;
}

void TextSectionReader::OpenText(const char* text, size_t length, uint32_t options)
{
    m_index = 0;
    m_atEnd = true;
    m_inSection = false;
    m_options = options;
    SplitTextLines(text, length, m_lines);
}

bool TextSectionReader::FindSection(const char* name)
{
    if (name == nullptr || name[0] == 0)
        return false;
    CStr header(name);
    if (header.At(0) != '[')
        header = CStr::ConcatCharLeft('[', header);
    if (header.At(header.Length() - 1) != ']')
        header += ']';
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const CStr& line = m_lines[i];
        if (line.Length() >= header.Length() &&
            CompareNoCase(line.Chars(), header.Chars(), header.Length()) == 0) {
            m_inSection = true;
            m_atEnd = false;
            m_index = i + 1;
            return true;
        }
    }
    return false;
}

bool TextSectionReader::ReadLine(CStr& out, uint32_t options)
{
    CStr line;
    for (;;) {
        if (m_index >= m_lines.size()) {
            m_atEnd = true;
            return false;
        }
        line = m_lines[m_index++];
        if ((options & kSkipEmptyLines) && line.IsEmpty())
            continue;
        if ((options & kSkipCommentLines) && line.Length() >= 2 && line.At(0) == '/' && line.At(1) == '/') {
            continue;
        }
        break;
    }
    if (options & kCutComments) {
        int32_t comment = line.Find("//");
        if (comment >= 0)
            line.Delete(comment);
    }
    if (options & kTrim) {
        line.TrimLeft();
        line.TrimRight();
        int32_t length = line.Length();
        if (length > 0 && (line.At(length - 1) == '\n' || line.At(length - 1) == '\r')) {
            line.Delete(length - 1, 1);
        }
    }
    int32_t length = line.Length();
    if (length > 0 && line.At(0) == '[' && line.At(length - 1) == ']') {
        m_atEnd = true;
        if (m_inSection) {
            --m_index;
            return false;
        }
    }
    out = line;
    return true;
}

int32_t ParseLeadingInt(const char* text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    int64_t value = 0;
    while (*text >= '0' && *text <= '9') {
        if (value <= 2147483648LL)
            value = value * 10 + (*text - '0');
        ++text;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

int32_t TextSectionReader::ReadInt(int32_t defaultValue)
{
    CStr line;
    if (!ReadLine(line, kAllOptions))
        return defaultValue;
    return ParseLeadingInt(line.Chars());
}

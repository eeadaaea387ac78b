#pragma once
// TextSectionReader: reads a rules text line by line. A line "[Name]" opens
// a section; the values of a section are read strictly in order, one per
// line. Readers that use it know the order of their values.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"
#include "core/resource_mgr.h"

class TextSectionReader {
public:
    // Option bits, applied to every line read.
    static constexpr uint32_t kSkipCommentLines = 1;  // lines beginning with "//"
    static constexpr uint32_t kSkipEmptyLines = 2;
    static constexpr uint32_t kCutComments = 4;  // cut at the first "//"
    static constexpr uint32_t kTrim = 8;         // blanks and TABs, then one CR or LF
    static constexpr uint32_t kAllOptions = 15;

    TextSectionReader() = default;
    TextSectionReader(const char* name, ResourceType type, uint32_t options) { Open(name, type, options); }
    ~TextSectionReader() = default;

    // Loads the text resource ("txt" or the text-table type); false when it is
    // missing, leaving an empty reader whose reads fail.
    bool Open(const char* name, ResourceType type, uint32_t options);
    // The same over text already in memory (split at CR LF).
    void OpenText(const char* text, size_t length, uint32_t options);

    // Finds the first line that begins with "[name]" (case-insensitive; the
    // brackets are added when missing). The header line may carry more text
    // after the ']'. On success reading continues after it.
    bool FindSection(const char* name);

    // The next line of the current section. At a section header inside a
    // section: false, and the header stays the next line. Before the first
    // FindSection a header is returned like any other line.
    bool ReadLine(CStr& out) { return ReadLine(out, m_options); }
    bool ReadLine(CStr& out, uint32_t options);
    // The next line read with all options, as the C library's atoi reads it;
    // defaultValue when no line is left in the section.
    int32_t ReadInt(int32_t defaultValue);

    uint32_t LineCount() const { return static_cast<uint32_t>(m_lines.size()); }
    bool NoLineLeft() const { return m_index >= m_lines.size(); }
    void Rewind() { m_index = 0; }
    bool AtEnd() const { return m_atEnd; }
    bool InSection() const { return m_inSection; }

private:
    std::vector<CStr> m_lines;
    size_t m_index = 0;
    bool m_inSection = false;
    bool m_atEnd = false;
    uint32_t m_options = 0;
};

// atoi as the C library reads it (leading blanks, a sign, decimal digits),
// but saturating instead of overflowing.
int32_t ParseLeadingInt(const char* text);

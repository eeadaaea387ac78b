#include "ui/markup_parser.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

const char* const DefaultMarkupSeparators = " \r\n\t";

namespace {

bool IsSeparator(const MarkupScanState& state, char c)
{
    return c != 0 && std::strchr(state.separators, c) != nullptr;
}

// Takes the quotes off a quoted attribute value in place and resolves the
// backslash escapes inside them. The result is never longer than the item,
// so it stays within the item's bytes.
void UnquoteInPlace(char* value)
{
    if (value[0] != '"')
        return;
    const char* read = value + 1;
    char* write = value;
    bool quoted = true;
    while (*read != 0) {
        char c = *read++;
        if (quoted && c == '\\' && *read != 0) {
            *write++ = *read++;
        } else if (c == '"') {
            quoted = !quoted;
        } else {
            *write++ = c;
        }
    }
    *write = 0;
}

class Pass {
public:
    explicit Pass(MarkupScanState& state) : m_state(state) {}

    void Run()
    {
        MarkupScanState& s = m_state;
        s.count = 0;
        char* text = s.text;
        uint32_t position = s.position;
        m_itemStart = position;
        m_separators = s.separatorRun;
        s.separatorRun = 0;
        // One character makes at most two tokens (a word and a space run, or
        // an attribute name and its value), so stopping two short of the
        // capacity never overruns the buffer.
        const int32_t limit = s.capacity - 2;
        bool escaped = false;
        while (position < s.length && s.count < limit) {
            char c = text[position];
            if (!s.inTag) {
                bool separator = IsSeparator(s, c);
                if (separator || c == '{') {
                    if (position > m_itemStart) {
                        text[position] = 0;
                        Emit(m_itemStart, MarkupWord);
                    }
                    m_itemStart = position + 1;
                    if (c == '{') {
                        FlushSpaces();
                        s.inTag = 1;
                        s.expectTagName = 1;
                        m_equals = -1;
                    } else {
                        ++m_separators;
                    }
                } else {
                    FlushSpaces();
                }
            } else if (!s.inQuotes) {
                if (IsSeparator(s, c) || c == '}') {
                    EndTagItem(position);
                    m_itemStart = position + 1;
                    if (c == '}')
                        s.inTag = 0;
                } else if (c == '"') {
                    s.inQuotes = 1;
                    escaped = false;
                } else if (c == '=') {
                    m_equals = static_cast<int64_t>(position);
                }
            } else {
                if (escaped) {
                    escaped = false;
                } else if (c == '\\') {
                    escaped = true;
                } else if (c == '"') {
                    s.inQuotes = 0;
                }
            }
            ++position;
        }

        if (position >= s.length) {
            // The text has ended: what is in progress is complete. An open
            // tag (or an open quote in it) is closed here.
            if (s.inTag) {
                EndTagItem(s.length);
                s.inTag = 0;
                s.inQuotes = 0;
            } else if (s.length > m_itemStart) {
                Emit(m_itemStart, MarkupWord);
            }
            FlushSpaces();
            s.position = s.length;
            s.ended = true;
        } else {
            // The buffer is nearly full: the item in progress is scanned again
            // from its start by the next pass, which therefore starts outside
            // any quotes; a run of separators in progress is carried over, so
            // it is never delivered as two runs.
            s.inQuotes = 0;
            s.position = m_itemStart;
            s.separatorRun = m_separators;
            m_separators = 0;
        }
    }

private:
    void Emit(uint32_t value, uint8_t kind) { m_state.tokens[m_state.count++] = MarkupToken{value, kind}; }

    void FlushSpaces()
    {
        if (m_separators == 0)
            return;
        Emit(m_separators, MarkupSpaces);
        m_separators = 0;
    }

    // Ends the tag item [item start, end): the first item of a tag is its
    // name, every later one a name=value pair split at its last "=" outside
    // quotes. The text beyond `end` is a separator, "}" or the final NUL.
    void EndTagItem(uint32_t end)
    {
        MarkupScanState& s = m_state;
        int64_t equals = m_equals;
        m_equals = -1;
        if (end <= m_itemStart)
            return;
        s.text[end] = 0;
        if (s.expectTagName) {
            Emit(m_itemStart, MarkupTagName);
            s.expectTagName = 0;
            return;
        }
        if (equals < static_cast<int64_t>(m_itemStart))
            return;  // no "=": nothing to deliver
        uint32_t at = static_cast<uint32_t>(equals);
        s.text[at] = 0;
        UnquoteInPlace(s.text + at + 1);
        Emit(m_itemStart, MarkupAttributeName);
        Emit(at + 1, MarkupAttributeValue);
    }

    MarkupScanState& m_state;
    uint32_t m_itemStart = 0;
    uint32_t m_separators = 0;
    int64_t m_equals = -1;
};

}  // namespace

void ScanMarkup(MarkupScanState& state)
{
    if (state.ended || state.capacity < MarkupMinTokenBuffer || state.tokens == nullptr) {
        state.count = 0;
        state.ended = true;
        return;
    }
    Pass(state).Run();
}

void ParseMarkup(MarkupHandler& handler, const char* text, const char* separators, int32_t length,
                 int16_t tokenCapacity)
{
    size_t size = 0;
    if (text != nullptr)
        size = length < 0 ? std::strlen(text) : strnlen(text, static_cast<size_t>(length));
    if (size > UINT32_MAX - 1)
        size = UINT32_MAX - 1;

    std::unique_ptr<char[]> copy(new (std::nothrow) char[size + 1]);
    if (!copy) {
        handler.OnFinish();
        return;
    }
    if (size != 0)
        std::memcpy(copy.get(), text, size);
    copy[size] = 0;

    // Halve the token buffer while it cannot be had; below the minimum a
    // pass could not make progress, so the text is then delivered empty.
    int16_t capacity = std::max(tokenCapacity, MarkupMinTokenBuffer);
    std::unique_ptr<MarkupToken[]> tokens;
    while (capacity >= MarkupMinTokenBuffer) {
        tokens.reset(new (std::nothrow) MarkupToken[static_cast<size_t>(capacity)]);
        if (tokens)
            break;
        capacity = static_cast<int16_t>(capacity / 2);
    }
    if (!tokens) {
        handler.OnFinish();
        return;
    }

    MarkupScanState state{};
    state.text = copy.get();
    state.length = static_cast<uint32_t>(size);
    state.separators = (separators != nullptr && separators[0] != 0) ? separators : DefaultMarkupSeparators;
    state.tokens = tokens.get();
    state.capacity = capacity;

    bool afterTag = false;
    const char* attributeName = "";
    while (!state.ended) {
        ScanMarkup(state);
        for (uint16_t i = 0; i < state.count; ++i) {
            const MarkupToken& token = state.tokens[i];
            const char* item = state.text + token.value;
            switch (token.kind) {
            case MarkupWord:
            case MarkupSpaces:
            case MarkupTagName:
                if (afterTag)
                    handler.OnTagEnd();
                afterTag = token.kind == MarkupTagName;
                if (token.kind == MarkupWord) {
                    handler.OnWord(item);
                } else if (token.kind == MarkupSpaces) {
                    handler.OnSpaces(static_cast<uint16_t>(std::min<uint32_t>(token.value, 65535)));
                } else {
                    handler.OnTag(item);
                }
                break;
            case MarkupAttributeName:
                attributeName = item;
                afterTag = true;
                break;
            case MarkupAttributeValue:
                handler.OnAttribute(attributeName, item);
                attributeName = "";
                afterTag = true;
                break;
            default:
                break;
            }
        }
    }
    handler.OnFinish();
}

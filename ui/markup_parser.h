#pragma once
// The scanner and driver of the mark-up text language.
//
// A mark-up text is plain words separated by blanks and line ends, plus tags
// in curly braces:  "Gold {s1}120{/s1}{br}{img src=gold hspace=4} stored".
// The scanner cuts a private copy of the text into tokens in passes through a
// bounded token buffer; the driver hands the tokens to a MarkupHandler, which
// is the layout (or anything else that wants the words and tags).
//
// What the scanner guarantees, whatever the bytes:
//  - it never reads or writes outside the copy it made (the caller's text is
//    never changed);
//  - every pass makes progress, so a text of any length ends;
//  - a pass never stops in the middle of a word or tag item: when the buffer
//    is nearly full the item in progress is scanned again by the next pass,
//    so no word is delivered twice or cut in two;
//  - a tag left open at the end of the text is closed there (its last item
//    is still delivered), and so is an open quoted stretch;
//  - a tag item of the form name="value with } and blanks" is one attribute;
//    the quotes are taken off the value and a backslash inside the quotes
//    makes the next character ordinary (\" gives a quote, \\ a backslash);
//  - a tag item without "=" (such as "{p wide}") is delivered to nobody: the
//    handler gets only name=value pairs.
#include <cstddef>
#include <cstdint>

// Kinds of a MarkupToken. Bit 0x10 marks the three kinds that come from a tag.
enum MarkupTokenKind : uint8_t {
    MarkupWord = 0,
    MarkupSpaces = 1,
    MarkupTagName = 17,
    MarkupAttributeName = 18,
    MarkupAttributeValue = 19,
};
constexpr uint8_t MarkupTagKindBit = 0x10;

// One token. For text kinds the value is the offset of the NUL-terminated
// item inside the scanned copy (offsets rather than addresses, so a token is
// 32 bits wide on every machine); for a space run it is the number of
// separator characters in the run.
struct MarkupToken {
    uint32_t value;
    uint8_t kind;
};

// The scanner's state between passes. Zero-filled before the first pass
// (value-initialise it: MarkupScanState state{};).
struct MarkupScanState {
    char* text;              // start of the scanned copy (token offsets count from here)
    uint32_t length;         // characters in the copy, without its final NUL
    uint32_t position;       // where the next pass starts
    const char* separators;  // NUL-terminated list of separator characters
    MarkupToken* tokens;     // token buffer
    int16_t capacity;        // buffer size in tokens
    uint16_t count;          // tokens made by the last pass
    bool ended;              // the last pass reached the end of the text
    uint32_t separatorRun;   // separators read at the end of the last pass, not yet delivered
    uint8_t inTag;
    uint8_t inQuotes;
    uint8_t expectTagName;
};

// The separators used when a caller passes an empty set: blank, CR, LF, TAB.
extern const char* const DefaultMarkupSeparators;

// The receiver of a scanned text, called in the order of the text.
class MarkupHandler {
public:
    virtual ~MarkupHandler() = default;
    virtual void OnWord(const char* word) = 0;
    virtual void OnTag(const char* name) = 0;
    virtual void OnAttribute(const char* name, const char* value) = 0;
    // A run of separators between words; the count is at least 1 and is cut
    // at 65535 for very long runs.
    virtual void OnSpaces(uint16_t count) = 0;
    // The tag before the next word, space run or tag has ended. A tag that
    // ends the text gets no OnTagEnd; OnFinish follows it directly.
    virtual void OnTagEnd() = 0;
    virtual void OnFinish() = 0;
};

// The largest token buffer a parse asks for.
constexpr int16_t MarkupTokenBufferSize = 512;
// The smallest buffer the driver works with; a pass needs room for the two
// tokens one character can produce plus at least one more.
constexpr int16_t MarkupMinTokenBuffer = 8;

// One pass of the scanner over state.text from state.position. Writes at
// most state.capacity tokens and sets state.count, state.position and
// state.ended. Needs a capacity of at least MarkupMinTokenBuffer.
void ScanMarkup(MarkupScanState& state);

// Scans a private copy of `text` (length bytes, or up to its NUL when length
// is negative) and delivers every token to the handler, then OnFinish. An
// empty or null separator set selects DefaultMarkupSeparators. The token
// buffer capacity can be lowered for tests (it is raised to
// MarkupMinTokenBuffer when smaller).
void ParseMarkup(MarkupHandler& handler, const char* text, const char* separators, int32_t length = -1,
                 int16_t tokenCapacity = MarkupTokenBufferSize);

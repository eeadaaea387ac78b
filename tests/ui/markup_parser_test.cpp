#include "ui/markup_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Writes every call as a short item of a trace: W(word) S(n) T(tag)
// A(name=value) E (tag end) F (finish).
class TraceHandler : public MarkupHandler {
public:
    std::string trace;
    void OnWord(const char* word) override { Add("W(" + std::string(word) + ")"); }
    void OnTag(const char* name) override { Add("T(" + std::string(name) + ")"); }
    void OnAttribute(const char* name, const char* value) override
    {
        Add("A(" + std::string(name) + "=" + std::string(value) + ")");
    }
    void OnSpaces(uint16_t count) override { Add("S(" + std::to_string(count) + ")"); }
    void OnTagEnd() override { Add("E"); }
    void OnFinish() override { Add("F"); }

private:
    void Add(const std::string& item)
    {
        if (!trace.empty())
            trace += ' ';
        trace += item;
    }
};

std::string Trace(const char* text, int16_t capacity = MarkupTokenBufferSize, const char* separators = "")
{
    TraceHandler handler;
    ParseMarkup(handler, text, separators, -1, capacity);
    return handler.trace;
}

struct ParseCase {
    const char* text;
    const char* trace;
};

TEST(MarkupParser, TokensOfWellFormedTexts)
{
    const ParseCase cases[] = {
        {"", "F"},
        {"word", "W(word) F"},
        {"two  words", "W(two) S(2) W(words) F"},
        {"a \r\n\tb", "W(a) S(4) W(b) F"},
        {" lead trail ", "S(1) W(lead) S(1) W(trail) S(1) F"},
        {"{br}", "T(br) F"},
        {"a{br}b", "W(a) T(br) E W(b) F"},
        {"a {br} b", "W(a) S(1) T(br) E S(1) W(b) F"},
        {"{img src=gold hspace=4}x", "T(img) A(src=gold) A(hspace=4) E W(x) F"},
        {"{ p   align=right }x", "T(p) A(align=right) E W(x) F"},
        {"{s1}red{/s1} plain", "T(s1) E W(red) T(/s1) E S(1) W(plain) F"},
        {"{br}{br}", "T(br) E T(br) F"},
        // The last "=" of an item splits it.
        {"{span a=b=c}", "T(span) A(a=b=c) F"},
        {"{span =v}", "T(span) A(=v) F"},
        {"{span v=}", "T(span) A(v=) F"},
        // "}" outside a tag is an ordinary character; "{" inside one too.
        {"a}b", "W(a}b) F"},
        {"{p{q x=1}", "T(p{q) A(x=1) F"},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(Trace(c.text), c.trace) << "text: " << c.text;
    }
}

TEST(MarkupParser, MalformedTextsAreClosedSafely)
{
    const ParseCase cases[] = {
        // A tag left open at the end is closed there.
        {"word {img src=gold", "W(word) S(1) T(img) A(src=gold) F"},
        {"{", "F"},
        {"{}", "F"},
        {"{} x", "S(1) W(x) F"},
        {"{   }", "F"},
        // Items without "=" reach nobody; the tag still ends.
        {"{p wide}x", "T(p) E W(x) F"},
        {"{p = }x", "T(p) A(=) E W(x) F"},
        // An open quote runs to the end of the text.
        {"{img src=\"a b}", "T(img) A(src=a b}) F"},
        {"\"quoted\" word", "W(\"quoted\") S(1) W(word) F"},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(Trace(c.text), c.trace) << "text: " << c.text;
    }
}

TEST(MarkupParser, QuotedValuesKeepSeparatorsBracesAndEscapes)
{
    const ParseCase cases[] = {
        {"{img src=\"two words.png\"}x", "T(img) A(src=two words.png) E W(x) F"},
        {"{span a=\"}{=\" b=c}", "T(span) A(a=}{=) A(b=c) F"},
        {"{span a=\"say \\\"hi\\\"\"}", "T(span) A(a=say \"hi\") F"},
        {"{span a=\"back\\\\slash\"}", "T(span) A(a=back\\slash) F"},
        // Quotes in the middle of a value join the pieces.
        {"{span a=x\"y z\"w}", "T(span) A(a=x\"y z\"w) F"},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(Trace(c.text), c.trace) << "text: " << c.text;
    }
}

TEST(MarkupParser, CallersTextIsNotChanged)
{
    char text[] = "one {img src=gold} two";
    const std::string before = text;
    TraceHandler handler;
    ParseMarkup(handler, text, "");
    EXPECT_EQ(std::string(text), before);
}

TEST(MarkupParser, ExplicitLengthAndSeparators)
{
    TraceHandler cut;
    ParseMarkup(cut, "alpha beta gamma", "", 10);
    EXPECT_EQ(cut.trace, "W(alpha) S(1) W(beta) F");
    EXPECT_EQ(Trace("a,b;c", MarkupTokenBufferSize, ",;"), "W(a) S(1) W(b) S(1) W(c) F");
    // With a separator set that leaves out the blank, blanks belong to words.
    EXPECT_EQ(Trace("a b,c", MarkupTokenBufferSize, ","), "W(a b) S(1) W(c) F");
}

// A small token buffer makes the scanner stop many times; every split must
// give the same calls as one pass over the whole text, and no word, tag or
// quoted value may be cut or delivered twice.
TEST(MarkupParser, PassesThroughASmallBufferGiveTheSameCalls)
{
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "word" + std::to_string(i) + "  ";
        text += "{img src=\"pic " + std::to_string(i) + "\" hspace=" + std::to_string(i % 5) + "}";
        if (i % 7 == 0)
            text += "{br}{p align=center}";
        text += "\r\n";
    }
    text += "{noff";  // open at the end
    const std::string whole = Trace(text.c_str(), MarkupTokenBufferSize);
    ASSERT_NE(whole.find("A(src=pic 39)"), std::string::npos);
    for (int16_t capacity : {int16_t{8}, int16_t{9}, int16_t{13}, int16_t{64}}) {
        EXPECT_EQ(Trace(text.c_str(), capacity), whole) << "capacity " << capacity;
    }
    // Capacities below the minimum are raised to it.
    EXPECT_EQ(Trace(text.c_str(), 1), whole);
}

TEST(MarkupParser, ScannerPassRespectsItsCapacity)
{
    char text[] = "a b c d e f g h i j k l m n o p";
    MarkupToken tokens[MarkupMinTokenBuffer + 4];
    for (MarkupToken& token : tokens)
        token = MarkupToken{0xDEADBEEF, 0xEE};
    MarkupScanState state{};
    state.text = text;
    state.length = sizeof(text) - 1;
    state.separators = DefaultMarkupSeparators;
    state.tokens = tokens;
    state.capacity = MarkupMinTokenBuffer;
    ScanMarkup(state);
    EXPECT_FALSE(state.ended);
    EXPECT_LE(state.count, MarkupMinTokenBuffer);
    EXPECT_GT(state.position, 0u);
    for (size_t i = MarkupMinTokenBuffer; i < std::size(tokens); ++i)
        EXPECT_EQ(tokens[i].kind, 0xEE);
    int passes = 1;
    while (!state.ended && passes < 100) {
        ScanMarkup(state);
        ++passes;
    }
    EXPECT_TRUE(state.ended);
    EXPECT_GT(passes, 2);
}

TEST(MarkupParser, LongSeparatorRunsAreCounted)
{
    std::string text = "a" + std::string(70000, ' ') + "b";
    TraceHandler handler;
    ParseMarkup(handler, text.c_str(), "");
    EXPECT_EQ(handler.trace, "W(a) S(65535) W(b) F");
}

}  // namespace

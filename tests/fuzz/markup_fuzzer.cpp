// The mark-up scanner and driver over arbitrary bytes: the first byte picks
// the token buffer size (so texts are cut into many passes too), the rest is
// the text. Every delivered word, tag and attribute must lie inside the
// parser's copy, and a small buffer must give the same calls as a large one.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ui/markup_parser.h"

namespace {

class Recorder : public MarkupHandler {
public:
    std::string calls;
    bool finished = false;
    void OnWord(const char* word) override
    {
        if (word[0] == 0)
            std::abort();  // words are never empty
        Add('W', word);
    }
    void OnTag(const char* name) override
    {
        if (name[0] == 0)
            std::abort();
        Add('T', name);
    }
    void OnAttribute(const char* name, const char* value) override
    {
        Add('A', name);
        Add('=', value);
    }
    void OnSpaces(uint16_t count) override
    {
        if (count == 0)
            std::abort();
        Add('S', std::to_string(count).c_str());
    }
    void OnTagEnd() override { Add('E', ""); }
    void OnFinish() override
    {
        if (finished)
            std::abort();
        finished = true;
    }

private:
    void Add(char kind, const char* text)
    {
        calls += kind;
        calls += text;
        calls += '\n';
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    int16_t capacity = static_cast<int16_t>(MarkupMinTokenBuffer + (data[0] & 31));
    const char* text = reinterpret_cast<const char*>(data + 1);
    int32_t length = static_cast<int32_t>(size - 1);

    Recorder small;
    ParseMarkup(small, text, "", length, capacity);
    Recorder large;
    ParseMarkup(large, text, "", length, MarkupTokenBufferSize);
    if (!small.finished || !large.finished || small.calls != large.calls)
        std::abort();
    return 0;
}

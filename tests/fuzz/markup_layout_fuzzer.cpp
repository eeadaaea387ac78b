// The mark-up layout over arbitrary texts: the first byte picks the client
// width and height, the rest is the text. Every page, line and element that
// a build makes must be owned by the page list (the sanitizers see leaks and
// stray pointers), and every line must lie on one of the pages.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ui/markup_layout.h"

namespace {

class NoOwner : public MarkupPageOwner {
public:
    void InvalidatePageArea(const PackedRect&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    MarkupSettings settings;
    settings.width = static_cast<int16_t>((data[0] & 15) * 16);
    settings.height = static_cast<int16_t>((data[0] >> 4) * 16);
    settings.alignH = static_cast<uint8_t>(1 + data[0] % 3);
    NoOwner owner;
    std::vector<MarkupPage*> pages;
    {
        MarkupLayout layout(settings, &owner, pages);
        layout.Build(reinterpret_cast<const char*>(data + 1), static_cast<int32_t>(size - 1));
    }
    for (MarkupPage* page : pages) {
        if (page == nullptr)
            std::abort();
        for (MarkupLine* line : page->Lines()) {
            if (line->Page() != page)
                std::abort();
            for (CDrawableElement* element : line->Elements()) {
                if (element->OuterWidth() < 0)
                    std::abort();  // never pulls a line's width negative
            }
            line->OnElementFrame(nullptr);
        }
        page->StartAnimations(true);
        page->StartAnimations(false);
        delete page;
    }
    return 0;
}

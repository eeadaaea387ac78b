// Checks the wizard's word wrapping under Wine: each case draws a text with
// DrawWrappedText and, on a second bitmap, the lines it should have become
// with plain TextOutA, and compares the pixels and the height returned.
// Widths are measured from the font in use, so the cases hold for any font.
//   wrap_check LOG    writes "ok: case" or "FAIL: case (...)" per case
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "installer/setup.h"

// The wizard's globals, which the real program defines beside its entry point.
int WizardPage = WizardWelcome;
HFONT SmallFont = nullptr;
HFONT BigFont = nullptr;

namespace {

const int Width = 640;
const int Height = 240;
const int LineHeight = 20;

struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    HGDIOBJ oldFont = nullptr;
    unsigned char* bits = nullptr;

    explicit Canvas(HFONT font)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        dc = CreateCompatibleDC(nullptr);
        void* pixels = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<unsigned char*>(pixels);
        oldBitmap = SelectObject(dc, bitmap);
        oldFont = SelectObject(dc, font);
        RECT all = {0, 0, Width, Height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
    }
    ~Canvas()
    {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    bool SameAs(const Canvas& other) const
    {
        GdiFlush();
        size_t size = static_cast<size_t>(((Width * 3 + 3) & ~3) * Height);
        return std::memcmp(bits, other.bits, size) == 0;
    }
    bool Blank() const
    {
        GdiFlush();
        size_t size = static_cast<size_t>(((Width * 3 + 3) & ~3) * Height);
        for (size_t i = 0; i < size; ++i)
            if (bits[i] != 0xFF)
                return false;
        return true;
    }
};

int TextWidth(HDC dc, const std::string& text)
{
    int widths[256];
    GetCharWidthA(dc, 0, 255, widths);
    int sum = 0;
    for (unsigned char c : text)
        sum += widths[c];
    return sum;
}

struct Case {
    const char* name;
    const char* text;
    // The wrapping width, from the measured widths of these two texts plus a
    // few pixels: width(first) + width(second) + extra.
    const char* first;
    const char* second;
    int extra;
    std::vector<std::string> lines;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    FILE* log = std::fopen(argv[1], "wb");
    if (!log)
        return 2;

    LOGFONTA font = {};
    font.lfHeight = 16;
    font.lfWeight = 400;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    HFONT arial = CreateFontIndirectA(&font);

    const std::string longWord(24, 'x');
    const Case cases[] = {
        {"a text narrower than the width stays on one line", "aa aa aa", "aa aa aa ", "", 1, {"aa aa aa"}},
        {"a word whose blank reaches the width exactly moves down",
         "aa aa aa",
         "aa ",
         "aa ",
         0,
         {"aa", "aa aa"}},
        {"one pixel more keeps it on the line", "aa aa aa", "aa ", "aa ", 1, {"aa aa", "aa"}},
        {"a word wider than the line gets a line of its own",
         "aa xxxxxxxxxxxxxxxxxxxxxxxx aa",
         "xxxxxxxxxxxx",
         "",
         0,
         {"aa", longWord, "aa"}},
        {"a first word wider than the line leaves no empty line",
         "xxxxxxxxxxxxxxxxxxxxxxxx aa",
         "xxxxxxxxxxxx",
         "",
         0,
         {longWord, "aa"}},
        {"an empty text draws nothing", "", "aa", "", 0, {}},
    };

    int failures = 0;
    for (const Case& c : cases) {
        Canvas wrapped(arial), expected(arial);
        int maxWidth = TextWidth(wrapped.dc, c.first) + TextWidth(wrapped.dc, c.second) + c.extra;
        int used = DrawWrappedText(wrapped.dc, 10, 10, maxWidth, LineHeight, c.text);
        for (size_t i = 0; i < c.lines.size(); ++i)
            TextOutA(expected.dc, 10, 10 + static_cast<int>(i) * LineHeight, c.lines[i].c_str(),
                     static_cast<int>(c.lines[i].size()));
        int wantHeight = static_cast<int>(c.lines.size()) * LineHeight;
        bool samePixels = wrapped.SameAs(expected);
        bool drewSomething = c.lines.empty() ? wrapped.Blank() : !wrapped.Blank();
        if (used == wantHeight && samePixels && drewSomething) {
            std::fprintf(log, "ok: %s\n", c.name);
        } else {
            ++failures;
            std::fprintf(log, "FAIL: %s (height %d, wanted %d; %s)\n", c.name, used, wantHeight,
                         samePixels ? "same lines" : "other lines");
        }
    }
    DeleteObject(arial);
    std::fprintf(log, "%s\n", failures ? "some cases failed" : "all cases passed");
    std::fclose(log);
    return failures ? 1 : 0;
}

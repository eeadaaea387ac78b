#include "platform/code_page.h"

namespace {

// 0x80..0x9F; 0 marks a byte with no character of its own.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

uint32_t CodePageToUnicode(uint8_t byte)
{
    if (byte >= 0x80 && byte < 0xA0) {
        uint16_t c = kHighControls[byte - 0x80];
        return c ? c : byte;
    }
    return byte;
}

uint8_t UnicodeToCodePage(uint32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<uint8_t>(codePoint);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == codePoint || (kHighControls[i] == 0 && codePoint == 0x80u + i)) {
            return static_cast<uint8_t>(0x80 + i);
        }
    }
    return '?';
}

std::string CodePageToUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (unsigned char b : text) {
        uint32_t c = CodePageToUnicode(b);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u32string Utf8ToUnicode(const std::string& text)
{
    std::u32string out;
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        int extra = 0;
        uint32_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            c = b & 0x07;
        } else {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (!ok) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        out += static_cast<char32_t>(c);
        i += 1 + extra;
    }
    return out;
}

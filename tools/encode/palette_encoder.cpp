#include "tools/encode/palette_encoder.h"

#include <cctype>
#include <string>

namespace {
bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
}  // namespace

EncodeResult EncodePalette(const std::vector<Rgb>& colours)
{
    if (colours.size() != kPaletteEntries)
        return EncodeResult::Fail("a palette has exactly 256 colours, not " + std::to_string(colours.size()));
    EncodeResult r;
    for (const Rgb& c : colours) {
        r.bytes.push_back(c.r);
        r.bytes.push_back(c.g);
        r.bytes.push_back(c.b);
    }
    return r;
}

EncodeResult EncodePaletteList(const std::vector<std::string>& names)
{
    if (names.empty())
        return EncodeResult::Fail("a palette list needs at least one name");
    if (names.size() > kMaxPaletteListEntries)
        return EncodeResult::Fail("a palette list has at most 254 names");
    EncodeResult r;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& n = names[i];
        if (n.empty())
            return EncodeResult::Fail("palette name " + std::to_string(i) + " is empty");
        if (n.size() > kPaletteNameSize)
            return EncodeResult::Fail("palette name \"" + n + "\" is over 16 characters");
        if (n.find('\0') != std::string::npos || n.find('/') != std::string::npos)
            return EncodeResult::Fail("palette name \"" + n + "\" is not a resource name");
        for (size_t j = 0; j < i; ++j)
            if (SameIgnoringCase(names[j], n))
                return EncodeResult::Fail("palette name \"" + n + "\" is listed twice");
        size_t start = r.bytes.size();
        r.bytes.insert(r.bytes.end(), n.begin(), n.end());
        r.bytes.resize(start + kPaletteNameSize, 0);
    }
    return r;
}

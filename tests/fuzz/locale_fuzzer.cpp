// The locale table from arbitrary text: every key defined once must be
// found with its own value, whatever follows it on its line.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/locale_table.h"
#include "core/resource_mgr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(text, 0, size);
    size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : size;
    std::vector<CStr> lines;
    SplitTextLines(text, length, lines);

    // Expected values of keys that are defined exactly once.
    std::map<std::string, std::string> expected;
    std::map<std::string, int> seen;
    for (const CStr& line : lines) {
        const char* chars = line.Chars();
        if (line.IsEmpty() || (chars[0] == '/' && chars[1] == '/'))
            continue;
        uint32_t keyLength = LocaleKeyLength(chars);
        if (keyLength == 0)
            continue;
        std::string key(chars, keyLength);
        for (char& c : key) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        }
        const char* equals = std::strchr(chars, '=');
        expected[key] = equals ? equals + 1 : chars;
        ++seen[key];
    }

    LocaleTable table;
    table.Build(std::move(lines));
    for (const auto& [key, value] : expected) {
        if (seen[key] != 1)
            continue;
        if (std::string(table.Lookup(key.c_str()).Chars()) != value)
            std::abort();
    }
    table.Lookup("");
    table.Lookup("Evt");
    return 0;
}

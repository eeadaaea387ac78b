// Section texts and indented text tables from arbitrary bytes.
#include <cstdint>
#include <cstring>

#include "core/text_section_reader.h"
#include "core/text_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    uint32_t options = data[0] & 15;
    const char* text = reinterpret_cast<const char*>(data + 1);
    size_t length = size - 1;
    // Texts end at a NUL, as the loaders hand them over.
    const void* nul = std::memchr(text, 0, length);
    if (nul != nullptr)
        length = static_cast<size_t>(static_cast<const char*>(nul) - text);

    TextSectionReader reader;
    reader.OpenText(text, length, options);
    CStr line;
    for (int i = 0; i < 64 && reader.ReadLine(line); ++i) {
    }
    for (const char* section : {"main", "[cost]", "Trebuchet", "["}) {
        if (reader.FindSection(section)) {
            for (int i = 0; i < 64 && !reader.NoLineLeft(); ++i)
                reader.ReadInt(-1);
        }
    }

    CTextTable table;
    table.Build(text, length);
    for (const char* path : {"/Key", "Key/Child", "/Other", "Child/Deep", "/"}) {
        if (table.Find(path)) {
            for (int i = 0; i < 8; ++i)
                table.ReadValue();
            table.FindNext();
            table.ReadValue();
        }
    }
    return 0;
}

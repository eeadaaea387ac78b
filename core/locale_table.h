#pragma once
// LocaleTable: the texts the user reads, by key. The table is the text
// resource "/Locale/locale", one "key=text" line each (blanks or TABs may
// stand between key and '='; a line without '=' is its own text; empty and
// "//" lines are skipped). Keys are compared without regard to case.
//
// Sorting and searching both order entries by the key part alone (up to the
// first blank, TAB or '='), with one comparison, so a key is found whatever
// characters follow it on its line ("Evt" beside "Evt1", "Evt2"...). When a
// key is defined twice, the first definition in the text wins.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"

class LocaleTable {
public:
    LocaleTable() = default;
    // The entries point into the table's own lines, so a table is moved, never
    // copied.
    LocaleTable(const LocaleTable&) = delete;
    LocaleTable& operator=(const LocaleTable&) = delete;
    LocaleTable(LocaleTable&&) = default;
    LocaleTable& operator=(LocaleTable&&) = default;

    // Builds the table over lines; the table keeps them.
    void Build(std::vector<CStr> lines);
    void Clear();

    // The text of the key, or the key itself when it is empty or unknown.
    CStr Lookup(const char* key) const;
    // For a key beginning with '/', the whole text of that "txt" resource;
    // otherwise (or when there is no such resource) Lookup.
    CStr Resolve(const char* key) const;
    uint16_t Count() const { return static_cast<uint16_t>(m_entries.size()); }

private:
    struct Entry {
        const char* key;
        uint32_t keyLength;
        const char* value;
    };
    std::vector<CStr> m_lines;
    std::vector<Entry> m_entries;
};

// Length of the key part of a locale line: up to the first blank, TAB or '='.
uint32_t LocaleKeyLength(const char* line);

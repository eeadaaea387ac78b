#include "core/locale_table.h"

#include <algorithm>
#include <cstring>

#include "core/pack_format.h"
#include "core/resource_mgr.h"

uint32_t LocaleKeyLength(const char* line)
{
    uint32_t n = 0;
    while (line[n] != 0 && line[n] != ' ' && line[n] != '\t' && line[n] != '=')
        ++n;
    return n;
}

// The one ordering of keys: ASCII case folded, then the shorter key first.
static int CompareKeys(const char* a, uint32_t aLength, const char* b, uint32_t bLength)
{
    uint32_t common = std::min(aLength, bLength);
    int order = common ? CompareNoCase(a, b, static_cast<int32_t>(common)) : 0;
    if (order != 0)
        return order;
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

void LocaleTable::Build(std::vector<CStr> lines)
{
    m_lines = std::move(lines);
    m_entries.clear();
    for (const CStr& line : m_lines) {
        const char* text = line.Chars();
        if (line.IsEmpty() || (text[0] == '/' && text[1] == '/'))
            continue;
        if (m_entries.size() >= 0xFFFF)
            break;  // the count is 16-bit
        const char* equals = std::strchr(text, '=');
        m_entries.push_back(Entry{text, LocaleKeyLength(text), equals ? equals + 1 : text});
    }
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        return CompareKeys(a.key, a.keyLength, b.key, b.keyLength) < 0;
    });
}

void LocaleTable::Clear()
{
    m_entries.clear();
    m_lines.clear();
}

CStr LocaleTable::Lookup(const char* key) const
{
    if (key == nullptr || key[0] == 0)
        return CStr(key);
    uint32_t length = static_cast<uint32_t>(std::strlen(key));
    size_t low = 0;
    size_t high = m_entries.size();
    // Lower bound: the first entry not below the key, so of two definitions
    // of one key the earlier line is found.
    while (low < high) {
        size_t middle = (low + high) / 2;
        const Entry& entry = m_entries[middle];
        if (CompareKeys(entry.key, entry.keyLength, key, length) < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low < m_entries.size() &&
        CompareKeys(m_entries[low].key, m_entries[low].keyLength, key, length) == 0) {
        return CStr(m_entries[low].value);
    }
    return CStr(key);
}

CStr LocaleTable::Resolve(const char* key) const
{
    if (key != nullptr && key[0] == '/') {
        RawResource text;
        if (CResourceMgr::LoadText(key, pack_format::kTextType, text)) {
            return CStr(reinterpret_cast<const char*>(text.data), text.size);
        }
    }
    return Lookup(key);
}

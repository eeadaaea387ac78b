#include "ui/keyboard_layout.h"

#include <strings.h>

#include <cstring>

#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"

namespace {

const char* const kHeaders[KeyboardStateCount] = {"[LowerCase]", "[UpperCase]", "[CapsLockLower]",
                                                  "[CapsLockUpper]"};

}  // namespace

KeyboardState KeyboardLayout::StateFor(bool capsDown, bool shiftDown)
{
    if (capsDown)
        return shiftDown ? KeyboardCapsLockUpper : KeyboardCapsLockLower;
    return shiftDown ? KeyboardUpperCase : KeyboardLowerCase;
}

bool KeyboardLayout::Load(const char* name)
{
    CStr path = CPathMgr::Path(CPathMgr::kLocaleKeyboards);
    path.AppendChars(name != nullptr ? name : "");
    TextLines text;
    if (!CResourceMgr::LoadTextLines(path.Chars(), pack_format::kKeyboardType, text))
        return false;
    return Parse(text.lines);
}

bool KeyboardLayout::Parse(const std::vector<CStr>& lines)
{
    uint16_t starts[KeyboardStateCount] = {};
    bool any = false;
    for (int state = 0; state < KeyboardStateCount; ++state) {
        size_t headerLength = std::strlen(kHeaders[state]);
        for (size_t i = 0; i < lines.size() && i < 65535; ++i) {
            if (strncasecmp(lines[i].Chars(), kHeaders[state], headerLength) == 0) {
                starts[state] = static_cast<uint16_t>(i + 1);
                any = true;
                break;
            }
        }
    }
    if (!any)
        return false;
    m_lines = lines;
    std::memcpy(m_start, starts, sizeof(m_start));
    m_loaded = true;
    return true;
}

CStr KeyboardLayout::RowLine(KeyboardState state, int32_t row) const
{
    if (!m_loaded || row < 0 || row >= KeyboardRowCount)
        return CStr();
    size_t index = static_cast<size_t>(m_start[state & 3]) + static_cast<size_t>(row);
    if (index >= m_lines.size())
        return CStr();
    return m_lines[index];
}

int32_t KeyboardLayout::KeyCount(int32_t row) const
{
    return RowLine(KeyboardLowerCase, row).Length();
}

CStr KeyboardLayout::Caption(KeyboardState state, int32_t row, int32_t key) const
{
    CStr line = RowLine(state, row);
    if (key < 0 || key >= line.Length())
        return CStr();
    return CStr(line.Chars() + key, 1);
}

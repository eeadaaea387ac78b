#pragma once
// A "kbd" layout of the on-screen keyboard: for each of four shift states a
// header line ("[LowerCase]", "[UpperCase]", "[CapsLockLower]",
// "[CapsLockUpper]") followed by five row lines; every byte of a row line is
// one key, blanks included. The rows under "[LowerCase]" decide how many
// keys each row has; the other states only give those keys other captions.
//
// A header is the first line that begins with it, compared without regard
// to case. A missing header makes its state read its rows from the first
// lines of the text; a text with none of the four is refused. A row line
// past the end of the text is an empty row, and a character beyond the end of
// a shorter row line is an empty caption.
#include <cstdint>
#include <vector>

#include "core/ref_string.h"

enum KeyboardState : uint8_t {
    KeyboardLowerCase = 0,
    KeyboardUpperCase = 1,
    KeyboardCapsLockLower = 2,
    KeyboardCapsLockUpper = 3,
};
constexpr int KeyboardStateCount = 4;
constexpr int KeyboardRowCount = 5;

class KeyboardLayout {
public:
    // Loads "/Locale/Keyboards/" + name (type "kbd"); false, with the layout
    // unchanged, when it is missing or has none of the headers.
    bool Load(const char* name);
    // The same from lines already split at CR LF.
    bool Parse(const std::vector<CStr>& lines);

    bool IsLoaded() const { return m_loaded; }
    // Number of keys in a row (the length of its "[LowerCase]" line).
    int32_t KeyCount(int32_t row) const;
    // The row line of a state; empty past the end of the text.
    CStr RowLine(KeyboardState state, int32_t row) const;
    // The one-character caption of a key in a state; empty when that state's
    // row line is shorter.
    CStr Caption(KeyboardState state, int32_t row, int32_t key) const;
    // Line index after a state's header (0 when the header is missing).
    uint16_t SectionStart(KeyboardState state) const { return m_start[state]; }

    static KeyboardState StateFor(bool capsDown, bool shiftDown);

private:
    std::vector<CStr> m_lines;
    uint16_t m_start[KeyboardStateCount] = {};
    bool m_loaded = false;
};

#pragma once
// CStringList: the cursor list of strings (each node holds one CStr, shared
// by reference count with the string it was made from).
#include <cstdint>

#include "core/cursor_list.h"
#include "core/ref_string.h"

class CStringList : public CCursorList<CStr> {
public:
    // Inserts a copy of the string before the node now at index (-1 is taken
    // as 0, index >= count appends); the new node becomes the cursor. False
    // when no node could be allocated (the list is then unchanged).
    bool InsertAt(const CStr& text, int32_t index) { return CCursorList<CStr>::InsertAt(text, index); }
    bool Append(const CStr& text) { return AddTail(text); }

    // Sets the number of strings: 0 empties the list, a larger count appends
    // empty strings, a smaller one removes strings from the end. False when a
    // node could not be allocated.
    bool SetSize(int32_t count);

    // The string at index (the cursor moves there); empty when out of range.
    CStr GetString(int32_t index);

    // Clears the list and fills it with the pieces of text cut at every
    // "\r\n": n line breaks give n + 1 strings.
    void SetText(const CStr& text);

    // Index of the first string matching key, or -1. wholeString compares
    // whole strings; otherwise only the first length-of-key characters.
    // Case is folded for ASCII letters only when caseSensitive is false.
    int32_t Find(const CStr& key, bool caseSensitive, bool wholeString);
};

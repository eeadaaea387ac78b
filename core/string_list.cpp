#include "core/string_list.h"

#include <cstring>

bool CStringList::SetSize(int32_t count)
{
    if (count <= 0) {
        RemoveAll();
        return true;
    }
    while (Count() > count)
        RemoveAt(Count() - 1);
    while (Count() < count) {
        if (!AddTail(CStr()))
            return false;
    }
    return true;
}

CStr CStringList::GetString(int32_t index)
{
    const CStr* text = GetAt(index);
    return text ? *text : CStr();
}

void CStringList::SetText(const CStr& text)
{
    RemoveAll();
    int32_t start = 0;
    for (;;) {
        const int32_t at = text.Find("\r\n", start);
        if (at < 0)
            break;
        AddTail(CStr(text.Chars() + start, at - start));
        start = at + 2;
    }
    AddTail(CStr(text.Chars() + start, text.Length() - start));
}

int32_t CStringList::Find(const CStr& key, bool caseSensitive, bool wholeString)
{
    const int32_t keyLength = key.Length();
    for (int32_t index = 0; index < Count(); ++index) {
        const CStr* text = GetAt(index);
        bool match;
        if (wholeString) {
            match = caseSensitive ? (*text == key) : CompareNoCase(text->Chars(), key.Chars()) == 0;
        } else {
            match = caseSensitive
                        ? std::strncmp(text->Chars(), key.Chars(), static_cast<size_t>(keyLength)) == 0
                        : CompareNoCase(text->Chars(), key.Chars(), keyLength) == 0;
        }
        if (match)
            return index;
    }
    return -1;
}

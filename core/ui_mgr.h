#pragma once
// CUIMgr: holds the locale table, loaded and sorted at start-up, and the UI
// description tree of the chosen screen layout, whose values it hands out to
// the window classes.

#include "core/locale_table.h"
#include "core/ref_string.h"
#include "core/ui_tree.h"

class CUIMgr {
public:
    // Loads "/Locale/locale" (type "txt") and sorts it; false when missing.
    static bool Init();
    static void Shutdown();
    static LocaleTable& Locale();

    // Loads the UI tree of the name and remembers it; false (the previous
    // tree and path kept) when it cannot be loaded.
    static bool LoadUiTree(const char* path);
    static const CStr& UiTreePath();
    static CUiTree& Tree();

    // The next value of the tree's selected node, as a string (an offset in
    // the tree's names), a number, an alignment, an orientation or a flag.
    static CStr NextString();
    static int16_t NextNumber();
    static int16_t NextAlignH() { return NextNumber(); }
    static int16_t NextAlignV() { return NextNumber(); }
    static int16_t NextOrientation() { return NextNumber(); }
    static bool NextBool() { return NextNumber() != 0; }
};

// out := the locale text of the key (the key itself when it is unknown).
void GetLocaleText(const char* key, CStr& out);
// The locale text of a key (the key itself when it is missing).
CStr LocaleText(const char* key);

// The locale text of a key used as a printf format. Locale texts are formats
// from the data; CStr::Format takes each argument with its real type and never
// overruns, whatever the text holds.
template <typename... Args>
CStr LocaleFormat(const char* key, const Args&... args)
{
    CStr text;
    text.Format(LocaleText(key).Chars(), args...);
    return text;
}

#pragma once
// Which CMapWnd launcher answers each dialog request kind. The signal
// carries the record untyped; the table hands it on as the one type the
// kind is posted with (UiRequestKinds), which the build checks row by row.

#include <cstdint>

class CMapWnd;
enum class UiRequestKind : uint32_t;

class LauncherTable {
public:
    // Calls the launcher of a kind; false for a kind without one (the three
    // unused kinds and kinds past the last), whose record is left as the
    // poster filled it.
    static bool Run(CMapWnd& map, UiRequestKind kind, void* record);
};

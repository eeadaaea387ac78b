#pragma once
// Small helpers shared by the map window's source files.

#include <cstdint>

#include "core/ref_string.h"
#include "ui/markup_wnd.h"

class CButton;
class CWindow;

// "<parent path>/<name>": the layout path of a child node.
CStr MapWndPath(const CStr& parentPath, const char* name);
bool IsShown(const CWindow* window);
// The running game's selected province; -1 without a world.
int16_t SelectedProvinceIndex();
// The locale table's text of a key.
CStr LocalizedText(const char* key);
// The look of a toggle button: pressed XOR checked.
bool IsDrawnDown(const CButton* button);
// Shows or hides without raising; nothing when already so.
void ShowWindow(CWindow* window, bool show);
// The control's own string n (from its layout) used as a printf format;
// nothing when the control or the string is missing.
template <typename... Args>
void FormatOwnString(CTextWnd* control, int n, Args... args)
{
    CStr format;
    if (!control || !control->GetString(n, format))
        return;
    CStr text;
    text.Format(format.Chars(), args...);
    control->SetText(text, true);
}

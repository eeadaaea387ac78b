#pragma once
// Filling text controls from their layout: string 0 of a control's list is a
// printf format that the window's values are formatted with, in a fixed order,
// or a locale text is used as the format.

#include <cstdint>

#include "core/ref_string.h"
#include "core/ui_mgr.h"
#include "ui/markup_wnd.h"

// Formats string 0 of the control with the arguments and sets the result
// (redrawn). False, and the text untouched, when the control is missing or
// its list is empty.
template <typename... Args>
bool FormatTextControl(CTextWnd* control, const Args&... args)
{
    if (control == nullptr)
        return false;
    CStr format;
    if (!control->GetString(0, format))
        return false;
    CStr text;
    text.Format(format.Chars(), args...);
    control->SetText(text, true);
    return true;
}

// "Easy", "Normal", "Hard", "Expert" for 0..3; `other` for any other value.
const char* DifficultyKey(int64_t difficulty, const char* other);

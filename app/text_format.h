#pragma once
// Filling the texts of the set-up and statistics windows: a text control's
// layout string 0, or a locale text, used as a printf format.

#include "core/ref_string.h"
#include "core/ui_mgr.h"
#include "ui/markup_wnd.h"

// The locale text of a key (the key itself when missing).
inline CStr LocaleText(const char* key)
{
    CStr text;
    GetLocaleText(key, text);
    return text;
}

template <typename... Args>
CStr LocaleFormat(const char* key, const Args&... args)
{
    CStr text;
    text.Format(LocaleText(key).Chars(), args...);
    return text;
}

// Shows string 0 of the control formatted with the arguments; a control
// without strings is left as it is.
template <typename... Args>
void FormatTextWnd(CTextWnd* control, const Args&... args)
{
    CStr format;
    if (control == nullptr || !control->GetString(0, format))
        return;
    CStr text;
    text.Format(format.Chars(), args...);
    control->SetText(text, true);
}

// "Easy", "Normal", "Hard", "Expert" for 0..3; `other` for any other value.
const char* DifficultyKey(int64_t difficulty, const char* other);

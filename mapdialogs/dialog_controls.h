#pragma once
// Small pieces the operation windows share: where a window's layout node is,
// how a child control names its node, and the common ways of filling text,
// resource and scroller controls.

#include <cstdint>

#include "core/ref_string.h"

class CResWnd;
class CResourceBundle;
class CTextWnd;
class CValueScroller;

// The absolute path of a window's layout node. A relative name resolves
// under the tree's current node and, failing that, under `fallbackParent`
// (openers hand the map dialogs names relative to "/Map/MapWnd"). A name
// found nowhere is returned as given, so the window simply gets no layout.
CStr DialogLayoutPath(const CStr& path, const char* fallbackParent = "/Map/MapWnd");

// The node of a child control: children read their nodes by absolute path,
// so a later re-read never depends on where the tree happens to stand.
CStr ChildLayoutPath(const CStr& windowPath, const char* childName);

// Takes the control's layout string 0 as a printf format, formats it with
// the values and sets the result as the control's text (with redraw). A
// control without layout strings is left as it is.
template <typename... Args>
void FormatTextControl(CTextWnd* control, const Args&... args);

// Shows one amount per resource kind of the bundle.
void ShowBundle(CResWnd* control, const CResourceBundle& bundle, bool redraw);

// The text a value scroller shows in place of its own number (the owner
// text mode): the scroller's window text and its value label.
void SetScrollerOwnText(CValueScroller* scroller, const CStr& text, bool redraw);

// The locale text of a key (the key itself when it is missing).
CStr LocaleString(const char* key);

#include "ui/markup_wnd.h"

template <typename... Args>
void FormatTextControl(CTextWnd* control, const Args&... args)
{
    if (control == nullptr)
        return;
    CStr format;
    if (!control->GetString(0, format))
        return;
    CStr text;
    text.Format(format.Chars(), args...);
    control->SetText(text, true);
}

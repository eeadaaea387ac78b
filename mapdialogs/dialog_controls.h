#pragma once
// Small pieces the map's dialogs share: where a dialog's layout node is, and
// the common ways of filling resource and scroller controls.

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

// Shows one amount per resource kind of the bundle.
void ShowBundle(CResWnd* control, const CResourceBundle& bundle, bool redraw);

// The text a value scroller shows in place of its own number (the owner
// text mode): the scroller's window text and its value label.
void SetScrollerOwnText(CValueScroller* scroller, const CStr& text, bool redraw);

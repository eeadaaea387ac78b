#pragma once
// Building a dialog's named children from its node of the UI tree: the kind
// of control follows the name's prefix ("Ico" picture, "Res" resource
// amounts, "Rt" mark-up text with a list of strings, "Lbl" label, "Btn" push
// button, "Scr" value scroller).

#include "core/ref_string.h"
#include "core/ui_tree.h"

class CWindow;

// Makes the node at the path (relative names resolve under the current node)
// current for the scope, restoring the previous node at its end; Entered()
// is false when the node does not exist (the children then find no nodes).
class DialogNodeScope {
public:
    explicit DialogNodeScope(const CStr& path);
    ~DialogNodeScope();
    DialogNodeScope(const DialogNodeScope&) = delete;
    DialogNodeScope& operator=(const DialogNodeScope&) = delete;
    bool Entered() const { return m_entered; }

private:
    bool m_pushed;
    bool m_entered;
};

// Creates the control of the name's kind under the parent, its layout read
// from the current node's child of that name; null for an unknown prefix.
CWindow* CreateNamedControl(CWindow* parent, const char* name);

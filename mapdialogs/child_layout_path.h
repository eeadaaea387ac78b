#pragma once
// The dialogs of the map build their controls from the children of their own
// node in the UI tree. A dialog's layout name may be relative (to the map
// window's node, current while the launcher runs); binding the dialog's link
// to the node it was read from keeps later re-reads on that node, and the
// node's full path names the children whatever node is current later.

#include "core/ref_string.h"
#include "ui/ui_link.h"

// Binds the link to its node when it is not bound yet; the node's full path,
// or the link's path as given when the node does not exist.
inline CStr BindLayoutNode(CUiTreeLink& link)
{
    if (link.BoundNode() < 0 && link.Select())
        link.BindSelectedNode();
    return link.Path();
}

inline CStr ChildLayoutPath(const CStr& node, const char* child)
{
    CStr path = node;
    path.AppendChar('/');
    path.AppendChars(child);
    return path;
}

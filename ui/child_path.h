#pragma once
// The layout path of a window's child node. Children are made with their full
// path, so that a later re-read of a child finds its node wherever the tree
// stands then.

#include "core/ref_string.h"
#include "ui/ui_link.h"

// parent + "/" + name; the name alone when the parent is empty (it then
// resolves under the tree's current node).
inline CStr ChildPath(const CStr& parentPath, const char* name)
{
    if (parentPath.IsEmpty())
        return CStr(name);
    CStr path = parentPath;
    path.AppendChar('/');
    path.AppendChars(name);
    return path;
}

// A dialog's layout name may be relative (to the node current while its
// opener runs); binding the link to the node it was read from keeps later
// re-reads on that node. The node's full path, or the link's path as given
// when the node does not exist.
inline CStr BindLayoutNode(CUiTreeLink& link)
{
    if (link.BoundNode() < 0 && link.Select())
        link.BindSelectedNode();
    return link.Path();
}

#pragma once
// The layout path of a window's child node. Children are made with their
// full path, so that a later reload of a child finds its node whatever node
// the tree stands on then.

#include "core/ref_string.h"

inline CStr ChildPath(const CStr& parentPath, const char* name)
{
    CStr path = parentPath;
    path.AppendChars("/");
    path.AppendChars(name);
    return path;
}

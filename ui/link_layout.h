#pragma once
// The reading protocol of a control's own node values: the link's refresh
// is switched off, the node selected and its layout record applied; the
// control reads its values; then the refresh state comes back and, when it
// was on, the link refreshes (hint and help) once, at the outermost level.
#include "ui/ui_link.h"

// False, with the refresh state restored, when the node does not exist.
inline bool BeginLinkLayout(CHintHelpLink& link, bool keepVisibility, bool& refreshWas)
{
    refreshWas = link.SetRefreshEnabled(false);
    if (!link.Select()) {
        link.SetRefreshEnabled(refreshWas);
        return false;
    }
    link.ApplyLayout(keepVisibility);
    return true;
}

inline void EndLinkLayout(CHintHelpLink& link, bool refreshWas)
{
    link.SetRefreshEnabled(refreshWas);
    if (refreshWas)
        link.Refresh();
}

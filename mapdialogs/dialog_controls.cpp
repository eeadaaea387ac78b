#include "mapdialogs/dialog_controls.h"

#include <vector>

#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/resource_bundle.h"
#include "ui/res_wnd.h"
#include "ui/ui_link.h"
#include "ui/value_scroller.h"

CStr DialogLayoutPath(const CStr& path, const char* fallbackParent)
{
    if (path.IsEmpty())
        return path;
    CUiTree& tree = CUIMgr::Tree();
    if (!tree.IsLoaded())
        return path;
    if (path.At(0) == '/')
        return path;
    if (tree.ResolvePath(path.Chars()) && tree.SelectedNode() >= 0)
        return tree.SelectedPath();
    if (fallbackParent != nullptr && fallbackParent[0] != 0) {
        const CStr full = CStr::Concat(CStr::ConcatChar(CStr(fallbackParent), '/'), path);
        if (tree.ResolvePath(full.Chars()) && tree.SelectedNode() >= 0)
            return tree.SelectedPath();
    }
    return path;
}

void ShowBundle(CResWnd* control, const CResourceBundle& bundle, bool redraw)
{
    if (control == nullptr)
        return;
    const int32_t count = bundle.Count();
    std::vector<CStr> codes;
    std::vector<int32_t> amounts;
    codes.reserve(static_cast<size_t>(count));
    amounts.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        codes.push_back(ResourceKindName(i));
        amounts.push_back(bundle[i]);
    }
    control->SetAmounts(codes.data(), amounts.data(), count, redraw);
}

void SetScrollerOwnText(CValueScroller* scroller, const CStr& text, bool redraw)
{
    if (scroller == nullptr)
        return;
    scroller->Window()->SetText(text, redraw);
    if (scroller->ValueLabel() != nullptr)
        scroller->ValueLabel()->SetText(text, redraw);
}

#include "mapdialogs/dialog_children.h"

#include <cstring>
#include <new>

#include "core/ui_mgr.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/value_scroller.h"

DialogNodeScope::DialogNodeScope(const CStr& path) : m_pushed(CUIMgr::Tree().PushNode()), m_entered(false)
{
    if (m_pushed && !path.IsEmpty())
        m_entered = CUIMgr::Tree().GoToPath(path.Chars());
}

DialogNodeScope::~DialogNodeScope()
{
    if (m_pushed)
        CUIMgr::Tree().PopNode();
}

namespace {
bool Starts(const char* name, const char* prefix)
{
    return std::strncmp(name, prefix, std::strlen(prefix)) == 0;
}
}  // namespace

CWindow* CreateNamedControl(CWindow* parent, const char* name)
{
    const CStr path(name);
    if (Starts(name, "Ico"))
        return new (std::nothrow) CIconWnd(parent, path, true);
    if (Starts(name, "Res"))
        return new (std::nothrow) CResWnd(parent, path, true);
    if (Starts(name, "Rt"))
        return new (std::nothrow) CTextWnd(parent, path, true);
    if (Starts(name, "Lbl"))
        return new (std::nothrow) CLabel(parent, path, true);
    if (Starts(name, "Btn"))
        return new (std::nothrow) CPushButton(parent, path, true);
    if (Starts(name, "Scr")) {
        CValueScroller* scroller = new (std::nothrow) CValueScroller(parent, path, true);
        return scroller != nullptr ? scroller->Window() : nullptr;
    }
    return nullptr;
}

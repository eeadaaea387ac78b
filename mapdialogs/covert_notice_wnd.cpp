#include "mapdialogs/covert_notice_wnd.h"

#include <cstring>
#include <new>

#include "mapdialogs/castle_wnd.h"
#include "mapdialogs/dialog_children.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/window_mgr.h"

namespace {

CWindow* MakeNoticeChild(CWindow* parent, const NoticeChild& child)
{
    const CStr name(child.name);
    switch (child.kind) {
    case NoticeIcon:
        return new (std::nothrow) CIconWnd(parent, name, true);
    case NoticeText:
        return new (std::nothrow) CTextWnd(parent, name, true);
    case NoticeLabel:
        return new (std::nothrow) CLabel(parent, name, true);
    case NoticeCastle:
        return new (std::nothrow) CCastleWnd(parent, name, true);
    case NoticeArmyList:
        return CreateArmyListControl(parent, child.name);
    }
    return nullptr;
}

}  // namespace

CCovertNoticeWnd::CCovertNoticeWnd(CWindow* parent, const CStr& path, const NoticeChild* children,
                                   int32_t count, const char* middle)
    : CDialog(parent, path, true)
{
    m_entries = new (std::nothrow) Entry[static_cast<size_t>(count > 0 ? count : 1)];
    if (m_entries == nullptr)
        return;
    m_count = count;
    DialogNodeScope scope(path);
    for (int32_t i = 0; i < count; ++i) {
        m_entries[i] = Entry{children[i].name, nullptr};
        if (!scope.Entered())
            continue;
        CWindow* window = MakeNoticeChild(this, children[i]);
        m_entries[i].window = window;
        // A tap on a text or a list must reach the window, which closes.
        if (window != nullptr && std::strcmp(children[i].name, "IcoBg") != 0)
            window->Enable(false, false);
    }
    if (middle != nullptr) {
        if (CTextWnd* text = Text(middle))
            text->SetVAlign(AlignCentre, true);
    }
}

CCovertNoticeWnd::~CCovertNoticeWnd()
{
    PrepareDestroy();
    delete[] m_entries;
}

CWindow* CCovertNoticeWnd::Child(const char* name) const
{
    for (int32_t i = 0; i < m_count; ++i) {
        if (std::strcmp(m_entries[i].name, name) == 0)
            return m_entries[i].window;
    }
    return nullptr;
}

CTextWnd* CCovertNoticeWnd::Text(const char* name) const
{
    CWindow* w = Child(name);
    return w != nullptr ? static_cast<CTextWnd*>(w->QueryInterface(IidTextWnd)) : nullptr;
}

void CCovertNoticeWnd::OnPenUp(const PackedPoint& point)
{
    WindowGuard guard(this);
    CDialog::OnPenUp(point);
    if (guard.Alive())
        EndModal(this);
}

#include "ui/help_mgr.h"

#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/window_mgr.h"

namespace {

CHelpWnd* g_helpWindow = nullptr;
CHelpText* g_defaultHelp = nullptr;

class HelpTap {
public:
    void OnClick(CWindow* button, intptr_t) { CHelpMgr::OnHelpButton(button); }
};
HelpTap g_helpTap;

void AttachHelpHook(CWindow* window, CHelpText*)
{
    CHelpMgr::AttachHelp(window);
}

}  // namespace

bool SplitHelpText(const CStr& text, CStr& title, CStr& body)
{
    const int32_t at = text.Find("\r\n");
    if (at < 0) {
        title = CStr();
        body = text;
        return false;
    }
    title = text.Mid(0, at);
    body = text.Mid(at);
    return true;
}

// ---- CHelpWnd ----

CHelpWnd::CHelpWnd(CWindow* parent, const CStr& path, bool load) : CFrameWnd(parent, path, load)
{
    CUiTree& tree = CUIMgr::Tree();
    tree.PushNode();
    tree.GoToPath(path.Chars());
    m_text = new CMarkupWnd(this, CStr::ConcatChars(path, "/HelpText"), true);
    m_text->SetVAlign(AlignCentre, false);
    m_scroller = new CValueScroller(this, CStr::ConcatChars(path, "/PageScroller"), true);
    m_scroller->flags &= static_cast<uint8_t>(~ScrollerAccelerate);
    m_scroller->SetMin(1, false);
    m_scroller->valueChanged.Bind(this, &CHelpWnd::OnPageChanged);
    m_close = new CButton(this, CStr::ConcatChars(path, "/BtnClose"), true);
    m_close->BindHandler(HandlerClick, this, &CHelpWnd::OnClose);
    tree.PopNode();
}

CHelpWnd::~CHelpWnd()
{
    PrepareDestroy();
    if (g_helpWindow == this)
        g_helpWindow = nullptr;
}

void CHelpWnd::OnPageChanged(CValueScroller* scroller)
{
    m_text->SelectPage(scroller->Value() - 1, true);
}

void CHelpWnd::OnClose(CWindow*, intptr_t)
{
    if (HasFlag(WndModal)) {
        EndModal(this);
    } else {
        Show(false, false);
    }
}

void CHelpWnd::SetPage(const CHelpText& help, bool redraw)
{
    CStr title, body;
    if (SplitHelpText(help.Text(), title, body)) {
        CWindow::SetText(title, false);
    } else {
        CWindow::SetText(CStr(), true);
    }
    m_text->CWindow::SetText(body, false);
    m_scroller->SetMax(m_text->PageCount(), false);
    m_scroller->Window()->Show(m_text->PageCount() >= 2, false);
    if (redraw)
        Invalidate();
}

void CHelpWnd::Reset(const CStr& text, bool redraw)
{
    m_text->CWindow::SetText(text, false);
    m_scroller->SetValue(1, false, true);
    if (redraw)
        Invalidate();
}

// ---- CHelpMgr ----

uint32_t CHelpMgr::Init()
{
    delete g_defaultHelp;
    g_helpWindow = new (std::nothrow) CHelpWnd(nullptr, CStr("/Main/HelpWnd"), true);
    g_defaultHelp = new (std::nothrow) CHelpText(CStr());
    if (g_defaultHelp != nullptr)
        g_defaultHelp->SetFromKeys("HelpNEM", "HelpNEMTitle");
    ToolkitHooks hooks = GetToolkitHooks();
    hooks.attachHelp = AttachHelpHook;
    SetToolkitHooks(hooks);
    return g_helpWindow != nullptr && g_defaultHelp != nullptr ? 1 : 0;
}

void CHelpMgr::Shutdown()
{
    delete g_defaultHelp;
    g_defaultHelp = nullptr;
    ToolkitHooks hooks = GetToolkitHooks();
    hooks.attachHelp = nullptr;
    SetToolkitHooks(hooks);
    // The window goes with the root window.
    g_helpWindow = nullptr;
}

CHelpWnd* CHelpMgr::Window()
{
    return g_helpWindow;
}
CHelpText* CHelpMgr::DefaultHelp()
{
    return g_defaultHelp;
}

void CHelpMgr::AttachHelp(CWindow* window)
{
    if (window == nullptr)
        return;
    // Every refresh of a link attaches again; one button is enough.
    for (CWindow* child = window->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (dynamic_cast<CHelpButton*>(child) != nullptr)
            return;
    }
    auto* button = new (std::nothrow) CHelpButton(window);
    if (button == nullptr)
        return;
    button->SetSkin(CStr("BtnHelp"), false);
    button->SetAnchorMode(AnchorRight);
    if (button->RequestedRect().IsDefined())
        button->SetRect(button->RequestedRect(), false);
    button->SetRect(PackedRect(0, 0, 0, 0), false);
    const int16_t width = button->Width();
    const int16_t height = button->Height();
    const int16_t top = static_cast<int16_t>(-window->Margins().Top());
    button->SetRect(
        PackedRect(0, top, static_cast<int16_t>(width - 1), static_cast<int16_t>(top + height - 1)), false);
    // The frame's controls are made after its link gave it the button: none
    // of them may cover it.
    button->SetEventFlag(WndStaysInFront, true);
    button->Show(true, false);
    button->BindHandler(HandlerClick, &g_helpTap, &HelpTap::OnClick);
}

void CHelpMgr::OnHelpButton(CWindow* button)
{
    CWindow* owner = button != nullptr ? button->GetParent() : nullptr;
    if (owner == nullptr)
        return;
    auto* link = static_cast<CHintHelpLink*>(owner->QueryInterface(IidHintHelpLink));
    if (link == nullptr || link->Help() == nullptr)
        return;
    Show(*link->Help());
}

void CHelpMgr::Show(const CHelpText& help)
{
    if (g_helpWindow == nullptr)
        return;
    g_helpWindow->SetPage(help, false);
    RunModalLoop(g_helpWindow, true);
    if (g_helpWindow != nullptr)
        g_helpWindow->Reset(CStr(), false);
}

void CHelpMgr::ShowHelp(const char* titleKey, const char* textKey)
{
    CHelpText help{CStr()};
    help.SetFromKeys(textKey, titleKey);
    Show(help);
}

#include "ui/ui_link.h"

#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "ui/button.h"
#include "ui/window.h"

int32_t LayoutScaleH = 16;
int32_t LayoutScaleV = 16;

namespace {
ToolkitHooks g_hooks;

int16_t Scale(int32_t value, int32_t scale)
{
    return static_cast<int16_t>((value * scale) >> 4);
}
}  // namespace

void SetToolkitHooks(const ToolkitHooks& hooks)
{
    g_hooks = hooks;
}
const ToolkitHooks& GetToolkitHooks()
{
    return g_hooks;
}

LayoutRecord ReadLayoutRecord()
{
    LayoutRecord record;
    record.visible = CUIMgr::NextNumber() != 0;
    record.anchor = CUIMgr::NextNumber();
    record.x = Scale(CUIMgr::NextNumber(), LayoutScaleH);
    record.y = Scale(CUIMgr::NextNumber(), LayoutScaleV);
    record.width = Scale(CUIMgr::NextNumber(), LayoutScaleH);
    record.height = Scale(CUIMgr::NextNumber(), LayoutScaleV);
    return record;
}

TreeNodeScope::TreeNodeScope() : m_saved(CUIMgr::Tree().PushNode()) {}
TreeNodeScope::~TreeNodeScope()
{
    if (m_saved)
        CUIMgr::Tree().PopNode();
}

ResourceFolderScope::ResourceFolderScope() : m_folder(CResourceMgr::CurrentFolder())
{
    m_pushed = PushResourceFolder();
}
ResourceFolderScope::~ResourceFolderScope()
{
    if (m_pushed) {
        PopResourceFolder();
    } else {
        CResourceMgr::SetCurrentFolder(m_folder.Chars());
    }
}

// ---- CUiTreeLink ----

CUiTreeLink::CUiTreeLink(const CStr& path) : m_path(path) {}

void* CUiTreeLink::QueryInterface(int32_t id)
{
    return id == IidUiTreeLink ? this : nullptr;
}

bool CUiTreeLink::Select()
{
    CUiTree& tree = CUIMgr::Tree();
    if (m_boundNode >= 0)
        return tree.SelectIndex(m_boundNode, m_path);
    if (m_path.IsEmpty())
        return false;
    return tree.ResolvePath(m_path.Chars());
}

void CUiTreeLink::BindSelectedNode()
{
    CUiTree& tree = CUIMgr::Tree();
    m_boundNode = tree.SelectedNode();
    m_path = tree.SelectedPath();
}

void CUiTreeLink::NotifyListener()
{
    if (m_notify && m_listener)
        m_listener->OnLinkRefreshed(this);
}

bool CUiTreeLink::SetRefreshEnabled(bool enabled)
{
    const bool was = m_notify != 0;
    m_notify = enabled ? 1 : 0;
    return was;
}

// ---- Hint and help texts ----

void CHintText::SetText(const CStr& text)
{
    m_text = text;
    OnTextChanged();
}

bool CHintText::Reload(bool)
{
    if (!Select())
        return false;
    SetText(CUIMgr::Tree().ReadText());
    return true;
}

bool CHelpText::Reload(bool)
{
    if (!Select())
        return false;
    const CStr textKey = CUIMgr::NextString();
    const CStr titleKey = CUIMgr::NextString();
    m_text = CUIMgr::Locale().Resolve(textKey.Chars());
    m_title = CUIMgr::Locale().Lookup(titleKey.Chars());
    return true;
}

void CHelpText::SetFromKeys(const char* textKey, const char* titleKey)
{
    m_text = CUIMgr::Locale().Resolve(textKey);
    m_title = CUIMgr::Locale().Lookup(titleKey);
}

// ---- CHintHelpLink ----

CHintHelpLink::CHintHelpLink(bool createdFromTree, const CStr& path, CWindow* window, bool reload)
    : CUiTreeLink(path), m_fromTree(createdFromTree ? 1 : 0), m_window(window)
{
    // An empty path must not turn into the absolute paths "/Hint_" and "/Help_".
    m_hint = new (std::nothrow) CHintText(path.IsEmpty() ? CStr() : CStr::ConcatChars(path, "/Hint_"));
    m_help = new (std::nothrow) CHelpText(path.IsEmpty() ? CStr() : CStr::ConcatChars(path, "/Help_"));
    if (reload)
        ReloadLink(false);
}

CHintHelpLink::~CHintHelpLink()
{
    delete m_hint;
    delete m_help;
}

void* CHintHelpLink::QueryInterface(int32_t id)
{
    return id == IidHintHelpLink ? this : CUiTreeLink::QueryInterface(id);
}

bool CHintHelpLink::Reload(bool keepVisibility)
{
    if (m_reader)
        return m_reader->LoadLayout(keepVisibility);
    return ReloadLink(keepVisibility);
}

bool CHintHelpLink::ReloadLink(bool keepVisibility)
{
    const bool was = SetRefreshEnabled(false);
    const bool exists = Select();
    if (exists)
        ApplyLayout(keepVisibility);
    SetRefreshEnabled(was);
    if (exists && was)
        Refresh();
    return exists;
}

void CHintHelpLink::ApplyLayout(bool keepVisibility)
{
    const LayoutRecord record = ReadLayoutRecord();
    if (!m_window)
        return;
    m_window->SetAnchorMode(record.anchor);
    m_window->SetRect(
        PackedRect(record.x, record.y, record.x + record.width - 1, record.y + record.height - 1), false);
    if (!keepVisibility)
        m_window->Show(record.visible, false);
}

void CHintHelpLink::Refresh()
{
    if (m_hint && m_hint->Reload(false) && g_hooks.attachHint && m_window)
        g_hooks.attachHint(m_window, m_hint);
    if (m_help && m_help->Reload(false) && g_hooks.attachHelp && m_window)
        g_hooks.attachHelp(m_window, m_help);
    NotifyListener();
}

void CHintHelpLink::CreateLabelsAndIcons()
{
    if (!m_window)
        return;
    CUiTree& tree = CUIMgr::Tree();
    TreeNodeScope scope;
    if (!scope.Saved())
        return;
    bool here = false;
    if (m_boundNode >= 0) {
        // A bound link has no unique path: go to its node by index.
        here = tree.GoToIndex(m_boundNode, m_path);
    } else {
        here = !m_path.IsEmpty() && tree.GoToPath(m_path.Chars());
    }
    if (here) {
        struct Kind {
            const char* name;
            bool label;
        };
        for (const Kind& kind : {Kind{"Label", true}, Kind{"Icon", false}}) {
            bool found = tree.ResolvePath(kind.name) && tree.SelectedNode() >= 0;
            while (found) {
                const int node = tree.SelectedNode();
                const CStr path = tree.SelectedPath();
                if (kind.label) {
                    if (g_hooks.createLabel)
                        g_hooks.createLabel(m_window);
                } else {
                    CIconWnd::CreateFromSelectedNode(m_window);
                }
                // The new control read its own node; pick the walk up again.
                tree.SelectIndex(node, path);
                found = tree.NextSameName() && tree.SelectedNode() != node;
            }
        }
    }
}

// ---- CUiSound ----

bool CUiSound::Reload(bool)
{
    if (!Select())
        return false;
    CStr name = CUIMgr::NextString();
    const bool loop = CUIMgr::NextBool();
    if (!name.IsEmpty() && name.At(0) != '/' && name.At(0) != ':') {
        name = CStr::Concat(CPathMgr::Path(CPathMgr::kSounds), name);
    }
    m_name = name;
    if (!name.IsEmpty())
        m_sound.Load(name.Chars());
    m_sound.SetLoop(loop);
    return true;
}

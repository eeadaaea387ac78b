#pragma once
// Links between windows and their nodes of the UI description tree. A link
// remembers the node's path, applies the node's layout record (visibility,
// anchor mode, rectangle) to its window and owns the window's hint and help,
// whose texts live in the child nodes "Hint_" and "Help_". Sounds named in
// the tree use the same mechanism.
//
// Reload protocol: notifications are switched off, the node is selected, its
// values are read and applied, notifications are restored, and when they
// were on, Refresh runs; nested reloads therefore refresh once, at the
// outermost level.

#include <cstdint>

#include "core/ref_string.h"
#include "core/sound_mgr.h"

class CWindow;
class CUiTree;
class CUiTreeLink;
class CHintText;
class CHelpText;

// Listener of a link, invoked after a refresh.
class LinkListener {
public:
    virtual ~LinkListener() = default;
    virtual void OnLinkRefreshed(CUiTreeLink* link) = 0;
};

// What the toolkit needs from the hint and help managers and the label
// control, which live above the window base. Unset entries do nothing.
struct ToolkitHooks {
    void (*attachHint)(CWindow* window, CHintText* hint) = nullptr;
    void (*attachHelp)(CWindow* window, CHelpText* help) = nullptr;
    // Creates a label under the parent, bound to the tree's selected node,
    // and reads it; returns the label's window.
    CWindow* (*createLabel)(CWindow* parent) = nullptr;
    // Shows the hint balloon of a window at a point (window coordinates).
    void (*showHintFor)(CWindow* window, const CStr& text, const void* point) = nullptr;
};
void SetToolkitHooks(const ToolkitHooks& hooks);
const ToolkitHooks& GetToolkitHooks();

class CUiTreeLink {
public:
    explicit CUiTreeLink(const CStr& path);
    virtual ~CUiTreeLink() = default;
    CUiTreeLink(const CUiTreeLink&) = delete;
    CUiTreeLink& operator=(const CUiTreeLink&) = delete;

    virtual void* QueryInterface(int32_t id);
    // Reads the node and applies it; true when the node exists.
    virtual bool Reload(bool keepVisibility) = 0;
    virtual void Refresh() { NotifyListener(); }

    // Selects the node for reading: the node bound at construction, else the
    // path (an empty path selects nothing).
    bool Select();
    void NotifyListener();
    // Sets the notify byte; returns its previous value.
    bool SetRefreshEnabled(bool enabled);
    bool RefreshEnabled() const { return m_notify != 0; }

    const CStr& Path() const { return m_path; }
    void SetPath(const CStr& path) { m_path = path; }
    // Binds the link to the tree's selected node, whatever its path (for
    // controls made from sibling nodes of one name).
    void BindSelectedNode();
    int32_t BoundNode() const { return m_boundNode; }
    void SetListener(LinkListener* listener) { m_listener = listener; }

protected:
    LinkListener* m_listener = nullptr;
    CStr m_path;
    uint8_t m_notify = 1;
    int32_t m_boundNode = -1;
};

// A text read from the node path + "/Hint_" (one localized value).
class CHintText : public CUiTreeLink {
public:
    explicit CHintText(const CStr& path) : CUiTreeLink(path) {}
    bool Reload(bool keepVisibility) override;
    const CStr& Text() const { return m_text; }
    void SetText(const CStr& text);
    virtual void OnTextChanged() {}

private:
    CStr m_text;
};

// Help text and title read from path + "/Help_".
class CHelpText : public CUiTreeLink {
public:
    explicit CHelpText(const CStr& path) : CUiTreeLink(path) {}
    bool Reload(bool keepVisibility) override;
    const CStr& Text() const { return m_text; }
    const CStr& Title() const { return m_title; }
    void SetText(const CStr& text) { m_text = text; }
    void SetTitle(const CStr& title) { m_title = title; }
    // Fills the holder from two locale keys (the help manager's default).
    void SetFromKeys(const char* textKey, const char* titleKey);

private:
    CStr m_text;
    CStr m_title;
};

// What a window that embeds a CHintHelpLink reads from its node.
class LayoutReader {
public:
    virtual ~LayoutReader() = default;
    virtual bool LoadLayout(bool keepVisibility) = 0;
};

class CHintHelpLink : public CUiTreeLink {
public:
    // With reload, the node is read and applied at once.
    CHintHelpLink(bool createdFromTree, const CStr& path, CWindow* window, bool reload = false);
    ~CHintHelpLink() override;

    void* QueryInterface(int32_t id) override;
    // The owner's layout reader when one is set, else ReloadLink.
    bool Reload(bool keepVisibility) override;
    void Refresh() override;

    // The protocol around ApplyLayout.
    bool ReloadLink(bool keepVisibility);
    void ApplyLayout(bool keepVisibility);
    // Creates a label for every child "Label" and a picture control for every
    // child "Icon" of the link's node.
    void CreateLabelsAndIcons();

    CHintText* Hint() const { return m_hint; }
    CHelpText* Help() const { return m_help; }
    CWindow* Window() const { return m_window; }
    void SetWindow(CWindow* window) { m_window = window; }
    void SetLayoutReader(LayoutReader* reader) { m_reader = reader; }
    bool CreatedFromTree() const { return m_fromTree != 0; }
    void SetCreatedFromTree(bool on) { m_fromTree = on ? 1 : 0; }

private:
    uint8_t m_fromTree;
    CHintText* m_hint = nullptr;
    CHelpText* m_help = nullptr;
    CWindow* m_window;
    LayoutReader* m_reader = nullptr;
};

// A sound named in the tree: a name without a leading "/" or ":" is taken
// under the sound folder; the next value sets the loop bit.
class CUiSound : public CUiTreeLink {
public:
    explicit CUiSound(const CStr& path) : CUiTreeLink(path) {}
    bool Reload(bool keepVisibility) override;
    CSound& Sound() { return m_sound; }
    const CStr& SoundName() const { return m_name; }

private:
    CSound m_sound;
    CStr m_name;
};

// Reads the layout record of the selected node: visible, anchor, x, y,
// width, height (x and width scaled by the horizontal layout scale / 16,
// y and height by the vertical).
struct LayoutRecord {
    bool visible = false;
    int32_t anchor = 0;
    int16_t x = 0, y = 0, width = 0, height = 0;
};
LayoutRecord ReadLayoutRecord();

// Saves the UI tree's current node for a scope and restores it at the end;
// when the tree's node stack is full nothing is saved (Saved() is false) and
// the caller must not move the current node.
class TreeNodeScope {
public:
    TreeNodeScope();
    ~TreeNodeScope();
    TreeNodeScope(const TreeNodeScope&) = delete;
    TreeNodeScope& operator=(const TreeNodeScope&) = delete;
    bool Saved() const { return m_saved; }

private:
    bool m_saved;
};

// Saves the current resource folder for a scope; the folder comes back even
// when the folder stack is full.
class ResourceFolderScope {
public:
    ResourceFolderScope();
    ~ResourceFolderScope();
    ResourceFolderScope(const ResourceFolderScope&) = delete;
    ResourceFolderScope& operator=(const ResourceFolderScope&) = delete;

private:
    bool m_pushed;
    CStr m_folder;
};
extern int32_t LayoutScaleH;
extern int32_t LayoutScaleV;

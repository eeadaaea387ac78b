#include "mapdialogs/game_menu.h"

#include <new>

#include "core/font.h"
#include "core/ui_mgr.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/window_mgr.h"

CGameMenu::CGameMenu(CWindow* parent, const CStr& path) : CDialog(parent, path, true)
{
    CUiTree& tree = CUIMgr::Tree();
    {
        TreeNodeScope scope;
        if (scope.Saved() && !path.IsEmpty() && tree.GoToPath(path.Chars())) {
            ReadSettings();
            ReadItems();
        }
    }
    if (m_style.rowHeight <= 0)
        m_style.rowHeight = SelectFont(0).Height();
    Layout(false);
}

CGameMenu::~CGameMenu()
{
    PrepareDestroy();
    // The controls are children: the window tree deletes them.
    for (GameMenuItem* item : m_items)
        delete item;
    m_items.clear();
}

void CGameMenu::ReadSettings()
{
    CUiTree& tree = CUIMgr::Tree();
    if (!tree.ResolvePath("MenuSettings"))
        return;
    m_style.normalColour = static_cast<uint8_t>(tree.ReadValue());
    m_style.pressedColour = static_cast<uint8_t>(tree.ReadValue());
    m_style.disabledColour = static_cast<uint8_t>(tree.ReadValue());
    m_style.shadowColour = static_cast<uint8_t>(tree.ReadValue());
    m_style.shadowSize = static_cast<uint8_t>(tree.ReadValue());
    m_style.shadowPosition = static_cast<uint32_t>(CUIMgr::NextNumber());
    m_style.rowHeight = CUIMgr::NextNumber();
}

void CGameMenu::ReadItems()
{
    CUiTree& tree = CUIMgr::Tree();
    if (m_style.rowHeight <= 0)
        m_style.rowHeight = SelectFont(0).Height();
    if (!tree.ResolvePath("MenuItem"))
        return;
    do {
        // Building a control may select other nodes; come back to this one
        // before looking for the next sibling.
        const int node = tree.SelectedNode();
        const CStr nodePath = tree.SelectedPath();
        const int16_t kind = tree.ReadValue();
        GameMenuItem* item = new (std::nothrow) GameMenuItem;
        if (item == nullptr)
            return;
        item->kind = static_cast<uint8_t>(kind);
        if (kind == GameMenuText) {
            item->id = static_cast<uint16_t>(tree.ReadValue());
            const CStr caption = tree.ReadText();
            CMenuItem* control = new (std::nothrow) CMenuItem(this, CStr(), false);
            if (control != nullptr) {
                control->SetText(caption, false);
                control->normalColour = m_style.normalColour;
                control->pressedColour = m_style.pressedColour;
                control->disabledColour = m_style.disabledColour;
                control->UpdateTextColor();
                control->Caption().shadowColour = m_style.shadowColour;
                control->SetShadowSize(m_style.shadowSize, false);
                control->Caption().SetShadowPos(m_style.shadowPosition, false);
                control->SetAnchorMode(AnchorFullWidth);
                control->BindHandler(HandlerClick, this, &CGameMenu::OnItemClick);
                control->Enable(true, false);
                control->Show(true, false);
            }
            item->control = control;
        } else if (kind == GameMenuPicture) {
            const CStr picture = CUIMgr::NextString();
            CIconWnd* control = new (std::nothrow) CIconWnd(this, CStr(), false);
            if (control != nullptr) {
                control->SetImage(picture, false);
                control->SetAnchorMode(AnchorFullWidth);
                control->Enable(true, false);
                control->Show(true, false);
            }
            item->control = control;
        }
        // A node of another kind keeps its place in the list but shows
        // nothing: it has no control.
        m_items.push_back(item);
        tree.SelectIndex(node, nodePath);
    } while (tree.NextSameName());
}

CWindow* CGameMenu::FindItem(uint16_t id) const
{
    for (const GameMenuItem* item : m_items) {
        if (item->kind == GameMenuText && item->id == id)
            return item->control;
    }
    return nullptr;
}

void CGameMenu::EnableItem(uint16_t id, bool enable)
{
    // An id that no item bears changes nothing.
    if (CWindow* control = FindItem(id))
        control->Enable(enable, true);
}

void CGameMenu::ShowItem(uint16_t id, bool show)
{
    CWindow* control = FindItem(id);
    if (control == nullptr)
        return;
    control->Show(show, false);
    Layout(true);
}

void CGameMenu::Layout(bool redraw)
{
    const int32_t row = m_style.rowHeight;
    int32_t y = row;
    for (GameMenuItem* item : m_items) {
        if (item->control == nullptr || !item->control->IsVisible())
            continue;
        item->control->SetRect(PackedRect(0, y, 0, y + row - 1), false);
        y += row;
    }
    const int32_t clientWidth = ClientRect().IsDefined() ? ClientRect().Width() : 0;
    const PackedRect& m = Margins();
    const int32_t width = clientWidth + m.Left() + m.Right();
    const int32_t height = y + row + m.Top() + m.Bottom();
    PackedRect rect(0, 0, width - 1, height - 1);
    SetRect(rect, redraw);
    if (redraw)
        Invalidate();
}

void CGameMenu::OnItemClick(CWindow* window, intptr_t)
{
    for (const GameMenuItem* item : m_items) {
        if (item->control != window)
            continue;
        SetModalResult(static_cast<uint16_t>(kGameMenuResultBase + item->id));
        EndModal(this);
        return;
    }
}

void CGameMenu::OnPenUp(const PackedPoint& point)
{
    WindowGuard guard(this);
    CDialog::OnPenUp(point);
    if (!guard.Alive() || !IsVisible())
        return;
    PackedPoint screen = point;
    if (GetNode() != nullptr && GetNode()->screenRect.IsDefined())
        screen.Add(GetNode()->screenRect.TopLeft());
    if (HitTest(screen))
        return;
    SetModalResult(kGameMenuResultBase);
    EndModal(this);
}

void CGameMenu::OnShow()
{
    // The dialog's show plays the show sound, then the window's own show.
    CDialog::OnShow();
    CWindowMgr::PushCapture(this);
}

void CGameMenu::OnHide()
{
    CDialog::OnHide();
    CWindowMgr::RemoveCapture(this);
}

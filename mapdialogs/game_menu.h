#pragma once
// CGameMenu: the pop-up menu of the map and battle screens. It stacks a column
// of text items (and optional pictures) read from its node of the UI tree,
// runs modally and ends with 0x8000 + the id of the tapped item, or 0x8000
// alone when the user tapped outside it. What an item does is the owner's
// business; the ids live in the layout data.

#include <cstdint>
#include <vector>

#include "ui/dialog.h"

class CMenuItem;

// Added to an item id to make the menu's modal result.
inline constexpr uint16_t kGameMenuResultBase = 0x8000;

enum GameMenuItemKind : uint8_t {
    GameMenuText = 1,
    GameMenuPicture = 2,
};

// One row of the menu. The control is a child window of the menu (the window
// tree deletes it); the menu owns the entry.
struct GameMenuItem {
    uint8_t kind = GameMenuText;
    uint16_t id = 0;
    CWindow* control = nullptr;
};

// The caption style shared by every text item.
struct GameMenuStyle {
    uint8_t normalColour = 15;
    uint8_t pressedColour = 15;
    uint8_t disabledColour = 7;
    uint8_t shadowColour = 7;
    uint8_t shadowSize = 3;
    uint32_t shadowPosition = 10;  // bottom right
    int16_t rowHeight = 0;         // 0 until read: the default font's height
};

class CGameMenu : public CDialog {
public:
    CGameMenu(CWindow* parent, const CStr& path);
    ~CGameMenu() override;

    void OnPenUp(const PackedPoint& point) override;
    void OnShow() override;
    void OnHide() override;

    // Enables or disables the control of the item with the id (redrawn).
    void EnableItem(uint16_t id, bool enable);
    // Shows or hides the item with the id and closes or opens its gap.
    void ShowItem(uint16_t id, bool show);
    // Stacks the visible items one row apart, with an empty row above and
    // below, and sizes the menu to them.
    void Layout(bool redraw);

    int32_t ItemCount() const { return static_cast<int32_t>(m_items.size()); }
    const GameMenuItem& Item(int32_t index) const { return *m_items.at(static_cast<size_t>(index)); }
    // The control of the text item with the id, null when none bears it.
    CWindow* FindItem(uint16_t id) const;
    const GameMenuStyle& Style() const { return m_style; }

private:
    void ReadSettings();
    void ReadItems();
    void OnItemClick(CWindow* window, intptr_t);

    std::vector<GameMenuItem*> m_items;
    GameMenuStyle m_style;
};

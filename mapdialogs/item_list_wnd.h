#pragma once
// CItemListWnd: the squad icon list. It shows an army as a flow of squad
// icons (picture, unit count, front unit's hit points) in rows of equal
// cells that fill the control's width. The control is see-through: its
// parent draws the background. A tap on an icon shows the squad type's name
// as the control's hint or, when the owner asks for it, opens the squad
// description window.
//
// Layout node (after the common control head): the empty-list text (a
// locale key), horizontal alignment, vertical alignment, cell width (scaled
// by the horizontal layout scale), hide-empty flag.

#include <cstdint>
#include <vector>

#include "core/dyn_array.h"
#include "core/ref_string.h"
#include "ui/composite_wnd.h"
#include "ui/layout_box.h"
#include "ui/squad_icon.h"
#include "ui/ui_link.h"
#include "ui/window.h"

class CArmy;
class CSquad;
class CMarkupWnd;

enum ItemListOptions : uint8_t {
    ItemListHideEmpty = 0x01,  // hide squads without units even with hit points left
    ItemListShowCount = 0x02,
    ItemListShowHealth = 0x04,
    ItemListOpenDescr = 0x08,  // a tap opens the squad description window
};

// Which picture of a squad type an icon shows.
enum SquadFace : uint8_t {
    SquadFaceLeft = 0,   // "/Icon_l"
    SquadFaceRight = 1,  // "/Icon_r"
};

constexpr int32_t IidItemListWnd = 60;

// Gives an icon a squad: the type's picture for the face, the unit count and
// the front unit's hit points. A null squad or a squad without type leaves
// the picture empty and both numbers 0.
void SetSquadIconSquad(CSquadIcon& icon, const CSquad* squad, uint8_t face);

class CItemListWnd : public CWindow, public LayoutReader {
public:
    CItemListWnd(CWindow* parent, const CStr& path, bool loadLayout = true);
    ~CItemListWnd() override;

    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnPenDown(const PackedPoint& point) override;
    void OnDoubleClick(const PackedPoint& point) override;
    // reload false: the first load, which also takes the empty-list text.
    bool LoadLayout(bool reload) override;

    // Rebuilds the list from an army's squads in order. Unless showAll is
    // set, a squad without units is left out when it has no hit points left
    // or the hide-empty option is on. With sort, the icons are ordered by
    // the squad types' force coefficients, ascending.
    void Fill(const CArmy& army, uint8_t face, bool redraw, bool showAll, bool sort);
    void Fill(const CSquad* const* squads, int32_t count, uint8_t face, bool redraw, bool showAll, bool sort);
    // One icon for this squad, whatever its counts.
    void SetSquad(const CSquad* squad, uint8_t face, bool redraw);
    void Clear(bool redraw);
    void SetDisplayFlags(bool showCount, bool showHealth, bool redraw);
    void SetEmptyText(const CStr& text);
    // Index of the cell under a point (window coordinates) or -1; on a hit
    // the point becomes the cell's centre.
    int32_t ItemAt(PackedPoint& point) const;
    void Layout();
    // Draws the icons (or the empty-list text) with the content's top-left
    // corner of the client area at (x, y).
    void DrawItems(CDrawContext& dc, int32_t x, int32_t y);

    uint8_t options = ItemListShowCount | ItemListShowHealth;

    int32_t ItemCount() const { return m_icons.Count(); }
    CSquadIcon* Icon(int32_t index) const { return m_icons[index]; }
    const CSquad* Squad(int32_t index) const { return m_squads[index]; }
    int32_t RowCount() const { return m_rows.Count(); }
    int16_t RowOffset(int32_t row) const { return m_rows[row]; }
    int16_t CellWidth() const { return m_cellWidth; }
    void SetCellWidth(int16_t width) { m_cellWidth = width; }
    const CAlignedBox& ContentBox() const { return m_box; }
    CMarkupWnd* EmptyTextWnd() const { return m_emptyText; }
    const CStr& LayoutHintText() const { return m_hintText; }
    CHintHelpLink& Link() { return m_link; }
    CWindowCanvas& Canvas() { return m_canvas; }

private:
    // The content box draws the list's cells.
    class ItemsBox : public CAlignedBox {
    public:
        explicit ItemsBox(CItemListWnd* owner);
        void Draw(CDrawContext& dc, int32_t dx, int32_t dy) override;

    private:
        CItemListWnd* m_owner;
    };

    // Walks the cells as Layout placed them; f(index, left, top, cellWidth)
    // returns true to stop.
    template <typename F>
    void ForEachCell(int32_t originX, int32_t originY, int32_t rowPitch, F&& f) const;
    // Top-left of the content in window coordinates.
    PackedPoint ContentOrigin() const;
    void ApplyHint(const CStr& text);
    void AddIcon(const CSquad* squad, uint8_t face);
    // Fonts, cells and rows for this cell width; the rows' total height.
    int32_t LayoutRows(int32_t cellWidth, int32_t listWidth, int32_t& widest, int32_t& rowHeight);

    ItemsBox m_box;
    CHintHelpLink m_link;
    CWindowCanvas m_canvas;
    CMarkupWnd* m_emptyText = nullptr;
    CStr m_hintText;
    CDynArray<CSquadIcon*> m_icons;
    CDynArray<const CSquad*> m_squads;
    CDynArray<int16_t> m_rows;
    std::vector<int32_t> m_rowStarts;  // index of each row's first icon
    int16_t m_cellWidth = 0;
};

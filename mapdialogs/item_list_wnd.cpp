#include "mapdialogs/item_list_wnd.h"

#include <algorithm>

#include "core/core_main.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/army.h"
#include "game/game_object.h"
#include "game/squad_type.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "ui/inks.h"
#include "ui/link_layout.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"

namespace {

int32_t KnownOr0(int32_t size)
{
    return size < 0 ? 0 : size;
}

}  // namespace

void SetSquadIconSquad(CSquadIcon& icon, const CSquad* squad, uint8_t face)
{
    const CSquadType* type = squad != nullptr ? squad->type : nullptr;
    if (type != nullptr) {
        CStr folder = CPathMgr::Path(CPathMgr::kObjectsUnits);
        folder.Append(type->typeId);
        CStr path = CStr::ConcatChars(folder, face == SquadFaceRight ? "/Icon_r" : "/Icon_l");
        // A type drawn facing one way only shows that picture either way.
        if (face == SquadFaceRight &&
            !CResourceMgr::FindResource(path.Chars(), pack_format::kImageType).IsFound())
            path = CStr::ConcatChars(folder, "/Icon_l");
        icon.SetImage(path.Chars());
    }
    icon.SetCount(squad != nullptr ? squad->count : 0);
    icon.SetHealth(squad != nullptr ? squad->hitPoints : 0);
}

// ---- The content box ----

CItemListWnd::ItemsBox::ItemsBox(CItemListWnd* owner)
    : CAlignedBox(kUnknownSize, kUnknownSize, AlignStart, AlignCentre, kUnknownSize, kUnknownSize),
      m_owner(owner)
{}

void CItemListWnd::ItemsBox::Draw(CDrawContext& dc, int32_t dx, int32_t dy)
{
    m_owner->DrawItems(dc, dx, dy);
}

// ---- CItemListWnd ----

CItemListWnd::CItemListWnd(CWindow* parent, const CStr& path, bool loadLayout)
    : CWindow(parent, UndefinedRect, CStr(), false), m_box(this), m_link(false, path, this)
{
    m_link.SetLayoutReader(this);
    SetFlag(WndSeeThrough, true);
    // The empty-list text is laid out by a hidden child; the list draws its page.
    m_emptyText = new CMarkupWnd(this, CStr(), false);
    m_emptyText->foreground = kInkOnPale;
    if (loadLayout)
        LoadLayout(false);
    if (m_link.Hint() != nullptr)
        m_hintText = m_link.Hint()->Text();
}

CItemListWnd::~CItemListWnd()
{
    PrepareDestroy();
    Clear(false);
}

void* CItemListWnd::QueryInterface(int32_t id)
{
    switch (id) {
    case IidItemListWnd:
    case IidWindow:
        return static_cast<CWindow*>(this);
    case IidAlignedBox:
        return static_cast<CAlignedBox*>(&m_box);
    case IidHintHelpLink:
    case IidUiTreeLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return CWindow::QueryInterface(id);
    }
}

bool CItemListWnd::LoadLayout(bool reload)
{
    bool refreshWas;
    if (!BeginLinkLayout(m_link, reload, refreshWas))
        return false;
    CUiTree& tree = CUIMgr::Tree();
    const CStr emptyText = tree.ReadText();
    if (!reload)
        m_emptyText->SetText(emptyText, false);
    const uint8_t alignH = static_cast<uint8_t>(CUIMgr::NextAlignH());
    const uint8_t alignV = static_cast<uint8_t>(CUIMgr::NextAlignV());
    m_box.SetAlign(alignH, alignV);
    m_cellWidth = static_cast<int16_t>(static_cast<int16_t>(tree.ReadValue()) * LayoutScaleH / 16);
    const bool hideEmpty = CUIMgr::NextBool();
    options =
        static_cast<uint8_t>(hideEmpty ? (options | ItemListHideEmpty) : (options & ~ItemListHideEmpty));
    Layout();
    EndLinkLayout(m_link, refreshWas);
    return true;
}

void CItemListWnd::Clear(bool redraw)
{
    for (CSquadIcon* icon : m_icons)
        delete icon;
    m_icons.SetSize(0);
    m_squads.SetSize(0);
    Layout();
    if (redraw)
        Invalidate();
}

void CItemListWnd::AddIcon(const CSquad* squad, uint8_t face)
{
    auto* icon = new CSquadIcon();
    SetSquadIconSquad(*icon, squad, face);
    icon->SetShowFlags((options & ItemListShowCount) != 0, (options & ItemListShowHealth) != 0);
    m_icons.Add(icon);
    m_squads.Add(squad);
}

void CItemListWnd::Fill(const CArmy& army, uint8_t face, bool redraw, bool showAll, bool sort)
{
    std::vector<const CSquad*> squads;
    for (int i = 0; i < army.Count(); ++i)
        squads.push_back(army.Item(i));
    Fill(squads.data(), static_cast<int32_t>(squads.size()), face, redraw, showAll, sort);
}

void CItemListWnd::Fill(const CSquad* const* squads, int32_t count, uint8_t face, bool redraw, bool showAll,
                        bool sort)
{
    Clear(false);
    for (int32_t i = 0; i < count; ++i) {
        const CSquad* squad = squads[i];
        if (squad == nullptr)
            continue;
        if (!showAll && squad->count < 1 && ((options & ItemListHideEmpty) != 0 || squad->hitPoints < 1))
            continue;
        AddIcon(squad, face);
    }
    if (sort) {
        // This exchange order is what players have seen for equal strengths;
        // it is kept rather than a stable sort.
        auto key = [this](int32_t i) {
            const CSquadType* type = m_squads[i]->type;
            return type != nullptr ? int32_t{type->forceCoefficient} : 0;
        };
        for (int32_t i = 0; i < m_icons.Count(); ++i) {
            for (int32_t j = 0; j <= i; ++j) {
                if (key(i) < key(j)) {
                    std::swap(m_icons[i], m_icons[j]);
                    std::swap(m_squads[i], m_squads[j]);
                }
            }
        }
    }
    Layout();
    if (redraw)
        Invalidate();
}

void CItemListWnd::SetSquad(const CSquad* squad, uint8_t face, bool redraw)
{
    Clear(false);
    AddIcon(squad, face);
    Layout();
    if (redraw)
        Invalidate();
}

void CItemListWnd::SetDisplayFlags(bool showCount, bool showHealth, bool redraw)
{
    options =
        static_cast<uint8_t>((options & ~(ItemListShowCount | ItemListShowHealth)) |
                             (showCount ? ItemListShowCount : 0) | (showHealth ? ItemListShowHealth : 0));
    for (CSquadIcon* icon : m_icons)
        icon->SetShowFlags(showCount, showHealth);
    if (redraw)
        Invalidate();
}

void CItemListWnd::SetEmptyText(const CStr& text)
{
    m_emptyText->SetText(text, false);
    Layout();
}

void CItemListWnd::Layout()
{
    const PackedRect& client = ClientRect();
    const int32_t listWidth = client.IsDefined() ? client.Width() : 0;
    const uint8_t alignH = static_cast<uint8_t>(m_box.Alignment() & 0x0F);
    const uint8_t alignV = static_cast<uint8_t>(m_box.Alignment() >> 4);
    m_emptyText->SetAlign(alignH, alignV, false);
    if (client.IsDefined())
        m_emptyText->SetRect(PackedRect(0, 0, client.Width() - 1, client.Height() - 1), false);

    m_rows.SetSize(0);
    m_rowStarts.clear();
    const int32_t n = m_icons.Count();
    if (n == 0)
        return;

    int32_t widest = 0, rowHeight = 0;
    int32_t height = LayoutRows(m_cellWidth, listWidth, widest, rowHeight);
    // A list too low for its rows packs its cells closer before it cuts any:
    // as many icons in a row as leave only the rows that fit.
    const int32_t listHeight = client.IsDefined() ? client.Height() : 0;
    if (height > listHeight && m_rows.Count() > 1 && rowHeight > 0) {
        const int32_t rowsFit = std::max<int32_t>(1, listHeight / rowHeight);
        const int32_t perRow = (n + rowsFit - 1) / rowsFit;
        const int32_t tighter = listWidth / perRow;
        if (tighter < m_cellWidth)
            height = LayoutRows(tighter, listWidth, widest, rowHeight);
    }

    for (CSquadIcon* icon : m_icons) {
        icon->SetAlign(alignH, alignV);
        icon->SetOuterSize(icon->OuterWidth(), static_cast<int16_t>(rowHeight));
        icon->Recalc();
    }
    for (int16_t& row : m_rows) {
        const int32_t spare = widest - row;
        row = static_cast<int16_t>(alignH == AlignStart ? 0 : alignH == AlignEnd ? spare : spare >> 1);
    }
    // Rows that still do not fit are cut at the bottom, never the first
    // row's numbers and heads at the top: the box is no taller than the list.
    const int32_t boxHeight = listHeight > 0 ? std::min(height, listHeight) : height;
    m_box.SetOwnSize(static_cast<int16_t>(widest), static_cast<int16_t>(boxHeight));
    m_box.Recalc();
}

int32_t CItemListWnd::LayoutRows(int32_t cellWidth, int32_t listWidth, int32_t& widest, int32_t& rowHeight)
{
    m_rows.SetSize(0);
    m_rowStarts.clear();
    const int32_t n = m_icons.Count();
    // The largest number font whose icons still fit four fifths of a cell.
    for (int32_t i = 0; i < n; ++i) {
        m_icons[i]->SetFont(0, true);
        if (m_icons[i]->OwnWidth() > cellWidth * 4 / 5) {
            for (int32_t j = 0; j <= i; ++j)
                m_icons[j]->SetFont(1, true);
            break;
        }
    }

    // A cell keeps the gap that parts the items of a resource row, so that
    // no count runs into the next squad's picture, however tight the cells.
    const int32_t gap = CResWnd::ItemGap();
    int32_t running = 0, closed = 0;
    widest = 0;
    rowHeight = 0;
    m_rowStarts.push_back(0);
    for (int32_t i = 0; i < n; ++i) {
        CSquadIcon* icon = m_icons[i];
        if (icon->OwnWidth() >= cellWidth)
            icon->SetFont(2, true);
        const int32_t cell = std::max<int32_t>(icon->OwnWidth() + gap, cellWidth);
        // A row is closed only when it holds something: an icon wider than
        // the list starts its own row instead of leaving an empty one above.
        if (running > 0 && running + cell > listWidth) {
            m_rows.Add(static_cast<int16_t>(running));
            widest = std::max(widest, running);
            closed += rowHeight;
            running = 0;
            m_rowStarts.push_back(i);
        }
        running += cell;
        icon->SetOuterSize(static_cast<int16_t>(cell), icon->OuterHeight());
        rowHeight = std::max<int32_t>(rowHeight, KnownOr0(icon->OwnHeight()) + 1);
    }
    m_rows.Add(static_cast<int16_t>(running));
    widest = std::max(widest, running);
    return closed + rowHeight;
}

template <typename F>
void CItemListWnd::ForEachCell(int32_t originX, int32_t originY, int32_t rowPitch, F&& f) const
{
    const int32_t n = m_icons.Count();
    for (size_t r = 0; r < m_rowStarts.size() && r < static_cast<size_t>(m_rows.Count()); ++r) {
        const int32_t end = r + 1 < m_rowStarts.size() ? m_rowStarts[r + 1] : n;
        int32_t x = originX + m_rows[static_cast<int32_t>(r)];
        const int32_t y = originY + static_cast<int32_t>(r) * rowPitch;
        for (int32_t i = m_rowStarts[r]; i < end; ++i) {
            const int32_t cell = KnownOr0(m_icons[i]->OuterWidth());
            if (f(i, x, y, cell))
                return;
            x += cell;
        }
    }
}

PackedPoint CItemListWnd::ContentOrigin() const
{
    const PackedRect& client = ClientRect();
    const PackedPoint& p = m_box.Position();
    return PackedPoint(
        static_cast<int16_t>((client.IsDefined() ? client.Left() : 0) + (p.IsDefined() ? p.X() : 0)),
        static_cast<int16_t>((client.IsDefined() ? client.Top() : 0) + (p.IsDefined() ? p.Y() : 0)));
}

int32_t CItemListWnd::ItemAt(PackedPoint& point) const
{
    if (m_icons.Count() == 0)
        return -1;
    const PackedPoint origin = ContentOrigin();
    const int32_t cellHeight = KnownOr0(m_icons[0]->OuterHeight());
    int32_t found = -1;
    ForEachCell(origin.X(), origin.Y(), cellHeight, [&](int32_t i, int32_t x, int32_t y, int32_t cell) {
        if (point.X() < x || point.X() > x + cell || point.Y() < y || point.Y() > y + cellHeight)
            return false;
        found = i;
        point =
            PackedPoint(static_cast<int16_t>(x + (cell & ~1) / 2), static_cast<int16_t>(y + cellHeight / 2));
        return true;
    });
    return found;
}

void CItemListWnd::DrawItems(CDrawContext& dc, int32_t x, int32_t y)
{
    if (m_icons.Count() == 0) {
        if (m_emptyText->PageCount() > 0)
            m_emptyText->DrawPage(dc, x, y);
        return;
    }
    const PackedPoint& p = m_box.Position();
    const int32_t ox = x + (p.IsDefined() ? p.X() : 0), oy = y + (p.IsDefined() ? p.Y() : 0);
    const int32_t pitch = KnownOr0(m_icons[0]->OuterHeight());
    ForEachCell(ox, oy, pitch, [&](int32_t i, int32_t cx, int32_t cy, int32_t) {
        m_icons[i]->Draw(dc, cx, cy);
        return false;
    });
}

void CItemListWnd::Paint(const PackedRect& rect)
{
    const PackedRect& client = ClientRect();
    if (!m_canvas.IsBound() || !client.IsDefined() || !m_canvas.PushClip(rect))
        return;
    DrawItems(m_canvas, client.Left(), client.Top());
    m_canvas.PopClip();
}

void CItemListWnd::OnSize()
{
    CWindow::OnSize();
    m_canvas.Attach(this);
    const PackedRect& client = ClientRect();
    if (client.IsDefined())
        m_box.SetOuterSize(client.Width(), client.Height());
    m_box.Recalc();
    Layout();
}

void CItemListWnd::ApplyHint(const CStr& text)
{
    if (m_link.Hint() != nullptr)
        m_link.Hint()->SetText(text);
}

void CItemListWnd::OnPenDown(const PackedPoint& point)
{
    if (m_icons.Count() == 0) {
        // Owners of an empty list get the tap at once; no click follows.
        InvokeHandler(HandlerClick, reinterpret_cast<intptr_t>(&point));
        return;
    }
    PackedPoint cell = point;
    const int32_t index = ItemAt(cell);
    if (index < 0) {
        ApplyHint(m_hintText);
    } else if (options & ItemListOpenDescr) {
        ApplyHint(CStr());
        // The description stands on its own over the screen while the list
        // keeps the frames going; it hides itself when tapped.
        WindowGuard guard(this);
        auto* window = new CSquadDescrWnd(nullptr, CStr("/Map/MapWnd/RecruitWnd/SquadDescrWnd"));
        window->Setup(m_squads[index]->type);
        window->Show(true, false);
        while (window->IsVisible() && IsAppRunning())
            FrameStep();
        delete window;
        if (!guard.Alive())
            return;
    } else {
        const CSquadType* type = m_squads[index]->type;
        ApplyHint(type != nullptr ? type->name : CStr());
    }
    CWindow::OnPenDown(index >= 0 ? cell : point);
}

void CItemListWnd::OnDoubleClick(const PackedPoint& point)
{
    ApplyHint(CStr());
    CWindow::OnDoubleClick(point);
}

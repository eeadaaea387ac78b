#include "ui/stack_wnd.h"

#include <algorithm>

#include "core/draw_context.h"
#include "ui/window_mgr.h"

// ---- CStackItem ----

CStackItem::CStackItem(CStackWnd* owner) : m_owner(owner)
{
    if (m_owner)
        m_owner->AddItem(this);
}

CStackItem::~CStackItem()
{
    if (m_owner)
        m_owner->RemoveItem(this);
    delete m_handler;
}

void CStackItem::SetHandler(WindowHandler* handler)
{
    delete m_handler;
    m_handler = handler;
}

void CStackItem::Choose()
{
    if (m_handler)
        m_handler->Invoke(m_owner, reinterpret_cast<intptr_t>(this));
}

void CStackItem::SetEnabled(bool on, bool redraw)
{
    if (IsEnabled() == on)
        return;
    enabled = on ? 1 : 0;
    if (!on && m_owner && m_owner->Highlighted() == this)
        highlighted = 0;
    if (redraw && m_owner && rect.IsDefined())
        m_owner->Invalidate(rect, true);
}

// ---- CStackWnd ----

CStackWnd::CStackWnd(CWindow* parent) : CWindow(parent, UndefinedRect, CStr(), false)
{
    SetFlag(WndRaiseOnPenDown, true);
}

CStackWnd::~CStackWnd()
{
    PrepareDestroy();
    m_highlighted = nullptr;
    while (!m_items.empty())
        delete m_items.front();  // each item takes itself off the list
}

bool CStackWnd::AddItem(CStackItem* item)
{
    m_items.push_back(item);
    return true;
}

void CStackWnd::RemoveItem(CStackItem* item)
{
    if (m_highlighted == item)
        m_highlighted = nullptr;
    m_items.remove(item);
    item->m_owner = nullptr;
}

void CStackWnd::Layout()
{
    const PackedRect margins = ItemMargins();
    m_widest = 0;
    m_totalHeight = 0;
    for (CStackItem* item : m_items) {
        m_widest = std::max<int16_t>(m_widest, std::max<int16_t>(0, item->Width()));
        m_totalHeight = static_cast<int16_t>(m_totalHeight + std::max<int16_t>(0, item->Height()));
    }
    int32_t y = margins.Top();
    for (CStackItem* item : m_items) {
        const int32_t h = std::max<int16_t>(0, item->Height());
        item->rect = PackedRect(margins.Left(), y, margins.Left() + m_widest - 1, y + h - 1);
        y += h;
    }
    SetRect(PackedRect(0, 0, m_widest + margins.Left() + margins.Right() - 1,
                       m_totalHeight + margins.Top() + margins.Bottom() - 1),
            true);
}

void CStackWnd::Popup(const PackedPoint& point)
{
    Layout();
    const int32_t w = Width(), h = Height();
    CWindow* root = CWindowMgr::Root();
    const PackedRect screen = root ? root->WindowRect() : WindowRect();
    int32_t left = 0, top = 0;
    if (point.X() + w < screen.Right()) {
        left = point.X();
    } else if (point.X() - w > screen.Left()) {
        left = point.X() - w + 1;
    }
    if (point.Y() + h < screen.Bottom()) {
        top = point.Y();
    } else if (point.Y() - h > screen.Top()) {
        top = point.Y() - h + 1;
    }
    SetRect(PackedRect(left, top, left + w - 1, top + h - 1), true);
    Show(true, false);
    CWindowMgr::PushCapture(this);
}

void CStackWnd::Close()
{
    SetHighlight(nullptr);
    Show(false, false);
    CWindowMgr::RemoveCapture(this);
}

CStackItem* CStackWnd::ItemAt(const PackedPoint& point) const
{
    for (CStackItem* item : m_items) {
        if (item->IsEnabled() && item->rect.IsDefined() && item->rect.Contains(point))
            return item;
    }
    return nullptr;
}

void CStackWnd::SetHighlight(CStackItem* item)
{
    if (item == m_highlighted)
        return;
    if (m_highlighted) {
        m_highlighted->highlighted = 0;
        Invalidate(m_highlighted->rect, true);
    }
    m_highlighted = item;
    if (item) {
        item->highlighted = 1;
        Invalidate(item->rect, true);
    }
}

void CStackWnd::OnPenDown(const PackedPoint& point)
{
    CStackItem* item = ItemAt(point);
    if (!item) {
        Close();
        return;
    }
    SetHighlight(item);
}

void CStackWnd::OnPenMove(const PackedPoint& point)
{
    SetHighlight(ItemAt(point));
}

void CStackWnd::OnPenUp(const PackedPoint&)
{
    CStackItem* item = m_highlighted;
    if (!item)
        return;
    Close();
    item->Choose();
}

void CStackWnd::Paint(const PackedRect& rect)
{
    DrawBackground(rect);
    CDrawContext* dc = ItemContext();
    if (!dc)
        return;
    for (CStackItem* item : m_items) {
        if (!item->rect.IsDefined())
            continue;
        PackedRect part = item->rect;
        part.Intersect(rect);
        if (!part.IsDefined())
            continue;
        if (!dc->PushOrigin(item->rect.TopLeft()))
            continue;
        part.Offset(static_cast<int16_t>(-item->rect.Left()), static_cast<int16_t>(-item->rect.Top()));
        item->Draw(*dc, part);
        dc->PopOrigin();
    }
}

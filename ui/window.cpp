#include "ui/window.h"

#include <cstdlib>

#include "core/time_mgr.h"
#include "ui/side_colours.h"
#include "ui/window_mgr.h"

// ---- WindowEvent ----

PackedPoint WindowEvent::Point() const
{
    PackedPoint point;
    point.xWord = payload[0];
    point.yWord = payload[1];
    return PackedPoint(point.X(), point.Y());
}

void WindowEvent::SetPoint(const PackedPoint& point)
{
    payload[0] = point.xWord;
    payload[1] = point.yWord;
    payload[2] = 0;
    payload[3] = 0;
}

PackedRect WindowEvent::Rect() const
{
    PackedRect rect;
    rect.leftWord = payload[0];
    rect.topWord = payload[1];
    rect.rightWord = payload[2];
    rect.bottomWord = payload[3];
    return PackedRect(rect.Left(), rect.Top(), rect.Right(), rect.Bottom());
}

void WindowEvent::SetRect(const PackedRect& rect)
{
    payload[0] = rect.leftWord;
    payload[1] = rect.topWord;
    payload[2] = rect.rightWord;
    payload[3] = rect.bottomWord;
}

// ---- WindowGuard ----

WindowGuard::WindowGuard(CWindow* window) : m_window(window), m_next(nullptr)
{
    if (window) {
        m_next = window->m_guards;
        window->m_guards = this;
    }
}

WindowGuard::~WindowGuard()
{
    if (!m_window)
        return;
    for (WindowGuard** link = &m_window->m_guards; *link; link = &(*link)->m_next) {
        if (*link == this) {
            *link = m_next;
            break;
        }
    }
}

// ---- Anchoring ----

PackedRect AnchorRect(int32_t mode, const PackedRect& r, int32_t pw, int32_t ph)
{
    int32_t left = r.Left(), top = r.Top(), right = r.Right(), bottom = r.Bottom();
    const int32_t rw = r.Width(), rh = r.Height();
    auto fullH = [&] {
        left = 0;
        right = pw - 1;
    };
    auto fullV = [&] {
        top = 0;
        bottom = ph - 1;
    };
    auto rightEdge = [&] {
        left = pw - rw + r.Left();
        right = left + rw - 1;
    };
    auto bottomEdge = [&] {
        top = ph - rh + r.Top();
        bottom = top + rh - 1;
    };
    // Halving rounds toward minus infinity, as an arithmetic shift does.
    auto half = [](int32_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); };
    switch (mode) {
    case AnchorFullHeight:
        fullV();
        break;
    case AnchorRightFullHeight:
        rightEdge();
        fullV();
        break;
    case AnchorFullWidth:
        fullH();
        break;
    case AnchorRight:
        rightEdge();
        break;
    case AnchorBottomFullWidth:
        fullH();
        bottomEdge();
        break;
    case AnchorBottom:
        bottomEdge();
        break;
    case AnchorBottomRight:
        rightEdge();
        bottomEdge();
        break;
    case AnchorCentre:
        left = half(pw - rw) + r.Left();
        right = left + rw - 1;
        top = half(ph - rh) + r.Top();
        bottom = top + rh - 1;
        break;
    case AnchorFill:
        fullH();
        fullV();
        break;
    default:
        break;
    }
    return PackedRect(left, top, right, bottom);
}

// ---- Construction and destruction ----

CWindow::CWindow() = default;

CWindow::CWindow(CWindow* parent, const PackedRect& rect, const CStr& text, bool visible)
{
    Attach(this, parent);
    if (rect.IsDefined())
        SetRect(rect, false);
    if (!text.IsEmpty())
        SetText(text, false);
    if (visible)
        Show(true, false);
}

void CWindow::PrepareDestroy()
{
    if (IsBeingDestroyed())
        return;
    SetEventFlag(WndEventBeingDestroyed, true);
    if (m_node && IsReallyVisible()) {
        if (HasFlag(WndModal)) {
            EndModal(this);
        } else {
            Show(false, false);
        }
    }
}

CWindow::~CWindow()
{
    PrepareDestroy();
    for (WindowGuard* guard = m_guards; guard; guard = guard->m_next)
        guard->m_window = nullptr;
    m_guards = nullptr;
    // Deliver what is queued for the others now; ours is dropped.
    if (CWindowMgr::IsUp())
        CWindowMgr::ProcessEvents();
    while (m_node && m_node->firstChild) {
        CWindow* child = m_node->firstChild->window;
        delete child;
    }
    Detach();
    for (WindowHandler*& handler : m_handlers) {
        delete handler;
        handler = nullptr;
    }
}

// ---- Tree ----

// Links a new node in front of its siblings, behind those that stay in
// front; only a raise puts a window before them.
static void LinkInFront(WindowNode* node)
{
    WindowNode* parent = node->parent;
    WindowNode* before = nullptr;
    if (!node->window->HasEventFlag(WndStaysInFront)) {
        for (WindowNode* s = parent->firstChild; s && s->window->HasEventFlag(WndStaysInFront);
             s = s->nextSibling)
            before = s;
    }
    WindowNode* after = before ? before->nextSibling : parent->firstChild;
    node->prevSibling = before;
    node->nextSibling = after;
    if (after)
        after->prevSibling = node;
    if (before)
        before->nextSibling = node;
    else
        parent->firstChild = node;
}

bool CWindow::Attach(CWindow* window, CWindow* parent)
{
    if (!window || window->m_node)
        return false;
    WindowNode* parentNode = nullptr;
    if (parent) {
        parentNode = parent->m_node;
    } else if (CWindow* root = CWindowMgr::Root(); root && root != window) {
        parentNode = root->m_node;
    }
    WindowNode* node = new (std::nothrow) WindowNode;
    if (!node)
        return false;
    node->window = window;
    node->parent = parentNode;
    if (parentNode)
        LinkInFront(node);
    window->m_node = node;
    return true;
}

void CWindow::Detach()
{
    if (!m_node)
        return;
    Deactivate();
    CWindowMgr::ForgetWindow(this);
    WindowNode* node = m_node;
    if (WindowNode* parent = node->parent) {
        if (parent->firstChild == node)
            parent->firstChild = node->nextSibling;
        if (parent->activeChild == node)
            parent->activeChild = nullptr;
        if (parent->modalChild == node)
            parent->modalChild = nullptr;
    }
    if (node->prevSibling)
        node->prevSibling->nextSibling = node->nextSibling;
    if (node->nextSibling)
        node->nextSibling->prevSibling = node->prevSibling;
    // Children still attached lose their parent rather than keep a freed one.
    for (WindowNode* child = node->firstChild; child; child = child->nextSibling)
        child->parent = nullptr;
    m_node = nullptr;
    delete node;
}

CWindow* CWindow::GetParent() const
{
    return (m_node && m_node->parent) ? m_node->parent->window : nullptr;
}
CWindow* CWindow::GetNextSibling() const
{
    return (m_node && m_node->nextSibling) ? m_node->nextSibling->window : nullptr;
}
CWindow* CWindow::GetPrevSibling() const
{
    return (m_node && m_node->prevSibling) ? m_node->prevSibling->window : nullptr;
}
CWindow* CWindow::GetFirstChild() const
{
    return (m_node && m_node->firstChild) ? m_node->firstChild->window : nullptr;
}
CWindow* CWindow::GetActiveChild() const
{
    return (m_node && m_node->activeChild) ? m_node->activeChild->window : nullptr;
}

bool CWindow::IsAttached(const CWindow* window)
{
    return window && window->m_node && window->m_node->window == window;
}

bool CWindow::IsReallyVisible() const
{
    for (const CWindow* w = this; w; w = w->GetParent()) {
        if (!w->IsVisible())
            return false;
    }
    return true;
}

// ---- Geometry ----

void CWindow::UpdateScreenRects(WindowNode* node)
{
    CWindow* w = node->window;
    PackedRect rect = w->m_rect;
    if (node->parent && rect.IsDefined() && node->parent->screenRect.IsDefined()) {
        rect.OffsetBy(node->parent->screenRect.TopLeft());
    } else if (node->parent) {
        rect = UndefinedRect;
    }
    node->screenRect = rect;
    for (WindowNode* child = node->firstChild; child; child = child->nextSibling)
        UpdateScreenRects(child);
}

void CWindow::LayoutChildren()
{
    if (!m_node)
        return;
    WindowNode* child = m_node->firstChild;
    while (child) {
        WindowNode* next = child->nextSibling;
        CWindow* w = child->window;
        w->SetRect(w->m_requested, true);
        child = next;
    }
}

void CWindow::SetRect(const PackedRect& rect, bool invalidate)
{
    if (!rect.IsDefined())
        return;
    m_requested = rect;
    CWindow* parent = GetParent();
    if (parent && parent->m_client.IsDefined()) {
        const PackedRect& pc = parent->m_client;
        PackedRect placed = AnchorRect(m_anchor, rect, pc.Width(), pc.Height());
        placed.Offset(pc.Left(), pc.Top());
        m_rect = placed;
    } else {
        m_rect = rect;
    }
    m_client = m_rect;
    m_client.MoveToOrigin();
    m_client.Deflate(m_margins);
    if (HasFlag(WndInLayout))
        return;
    if (m_node)
        UpdateScreenRects(m_node);
    WindowGuard guard(this);
    SetFlag(WndInLayout, true);
    OnSize();
    if (!guard.Alive())
        return;
    SetFlag(WndInLayout, false);
    LayoutChildren();
    if (!guard.Alive())
        return;
    if (m_node)
        UpdateScreenRects(m_node);
    if (IsVisible()) {
        UpdateOverlap(this);
        // The windows below may now be covered, or no longer: a stale flag
        // would let their repaints draw over this window.
        for (WindowNode* below = m_node ? m_node->nextSibling : nullptr; below; below = below->nextSibling) {
            UpdateOverlap(below->window);
        }
    }
    if (invalidate)
        Invalidate(UndefinedRect, true);
}

void CWindow::SetMargins(const PackedRect& margins, bool invalidate)
{
    m_margins = margins;
    if (m_rect.IsDefined()) {
        m_client = m_rect;
        m_client.MoveToOrigin();
        m_client.Deflate(m_margins);
    }
    if (HasEventFlag(WndEventInMarginsChange))
        return;
    WindowGuard guard(this);
    SetEventFlag(WndEventInMarginsChange, true);
    OnMarginsChanged();
    if (!guard.Alive())
        return;
    SetEventFlag(WndEventInMarginsChange, false);
    LayoutChildren();
    if (!guard.Alive())
        return;
    if (m_node)
        UpdateScreenRects(m_node);
    if (IsVisible())
        UpdateOverlap(this);
    if (invalidate)
        Invalidate(UndefinedRect, true);
}

void CWindow::SetText(const CStr& text, bool invalidate)
{
    m_text = text;
    if (HasEventFlag(WndEventInTextChange))
        return;
    WindowGuard guard(this);
    SetEventFlag(WndEventInTextChange, true);
    OnTextChanged();
    if (!guard.Alive())
        return;
    SetEventFlag(WndEventInTextChange, false);
    if (invalidate)
        Invalidate(UndefinedRect, true);
}

// ---- Visibility, activity, z-order ----

void CWindow::Show(bool show, bool raise)
{
    const bool was = IsVisible();
    SetFlag(WndVisible, show);
    CWindow* parent = GetParent();
    if (!show) {
        if (!was || !parent)
            return;
        Deactivate();
        if (raise && m_node->parent->firstChild == m_node && m_node->nextSibling) {
            m_node->nextSibling->window->BringToFront(false);
        }
        parent->Invalidate(m_rect, true);
        UpdateOverlap(parent);
        OnHide();
        return;
    }
    if (parent && !parent->m_node->activeChild)
        SetActive();
    if (!raise) {
        Invalidate(UndefinedRect, true);
    } else if (!RaiseChain(true)) {
        Invalidate(UndefinedRect, true);
    }
    UpdateOverlap(this);
    if (m_node) {
        for (WindowNode* below = m_node->nextSibling; below; below = below->nextSibling)
            UpdateOverlap(below->window);
    }
    OnShow();
}

void CWindow::Enable(bool enable, bool invalidate)
{
    if (IsEnabled() == enable)
        return;
    SetFlag(WndEnabled, enable);
    WindowGuard guard(this);
    if (enable) {
        CWindow* parent = GetParent();
        if (parent && !parent->m_node->activeChild)
            SetActive();
        OnEnable();
    } else {
        Deactivate();
        OnDisable();
    }
    if (guard.Alive() && invalidate)
        Invalidate(UndefinedRect, true);
}

void CWindow::SetActive()
{
    if (IsActive())
        return;
    SetFlag(WndActive, true);
    if (m_node && m_node->parent) {
        WindowNode* parent = m_node->parent;
        if (parent->activeChild && parent->activeChild != m_node)
            parent->activeChild->window->SetFlag(WndActive, false);
        parent->activeChild = m_node;
    }
}

void CWindow::Deactivate()
{
    if (!IsActive() || !m_node || !m_node->parent)
        return;
    SetFlag(WndActive, false);
    WindowNode* next = m_node->nextSibling ? m_node->nextSibling : m_node->prevSibling;
    m_node->parent->activeChild = next;
    if (next)
        next->window->SetFlag(WndActive, true);
}

void CWindow::BringToFront(bool invalidate)
{
    if (!m_node || !m_node->parent || m_node->parent->firstChild == m_node)
        return;
    WindowNode* node = m_node;
    WindowNode* parent = node->parent;
    if (node->prevSibling)
        node->prevSibling->nextSibling = node->nextSibling;
    if (node->nextSibling)
        node->nextSibling->prevSibling = node->prevSibling;
    node->prevSibling = nullptr;
    node->nextSibling = parent->firstChild;
    parent->firstChild->prevSibling = node;
    parent->firstChild = node;
    UpdateOverlap(this);
    for (WindowNode* below = node->nextSibling; below; below = below->nextSibling)
        UpdateOverlap(below->window);
    if (invalidate)
        Invalidate(UndefinedRect, true);
}

bool CWindow::RaiseChain(bool invalidate)
{
    CWindow* outermost = nullptr;
    for (WindowNode* node = m_node; node && node->parent; node = node->parent) {
        if (node->parent->firstChild != node && node->window->HasFlag(WndRaiseOnPenDown)) {
            node->window->BringToFront(false);
            outermost = node->window;
        }
    }
    if (outermost && invalidate) {
        outermost->Invalidate(UndefinedRect, true);
        return true;
    }
    return false;
}

static bool Meets(const PackedRect& a, const PackedRect& b)
{
    if (!a.IsDefined() || !b.IsDefined())
        return false;
    return a.Left() <= b.Right() && b.Left() <= a.Right() && a.Top() <= b.Bottom() && b.Top() <= a.Bottom();
}

void CWindow::UpdateOverlap(CWindow* window)
{
    if (!window || !window->m_node || !window->IsVisible())
        return;
    WindowNode* node = window->m_node;
    node->overlapped = 0;
    bool overlapped = false;
    for (WindowNode* level = node; level->parent && !overlapped;) {
        for (WindowNode* above = level->prevSibling; above; above = above->prevSibling) {
            if (above->window->IsVisible() && Meets(above->screenRect, node->screenRect)) {
                overlapped = true;
                break;
            }
        }
        if (overlapped)
            break;
        level = level->parent;
        if (!level->overlapped)
            break;
    }
    if (!overlapped)
        return;
    node->overlapped = 1;
    for (WindowNode* child = node->firstChild; child; child = child->nextSibling)
        UpdateOverlap(child->window);
}

// ---- Repaint ----

bool CWindow::Invalidate(const PackedRect& rect, bool merge)
{
    if (!m_rect.IsDefined())
        return false;
    WindowEvent event;
    event.target = this;
    event.type = EventPaint;
    event.SetRect(rect.IsDefined() ? rect : PackedRect(0, 0, m_rect.Width() - 1, m_rect.Height() - 1));
    const uint8_t saved = PaintMerge;
    if (!merge)
        PaintMerge = 0;
    const bool result = CWindowMgr::Dispatch(event);
    PaintMerge = saved;
    return result;
}

bool CWindow::InvalidateThrough(const PackedRect& rect)
{
    const bool was = HasFlag(WndSeeThrough);
    SetFlag(WndSeeThrough, true);
    const bool result = Invalidate(rect, true);
    SetFlag(WndSeeThrough, was);
    return result;
}

PackedRect CWindow::LocalToScreen(const CWindow* window, const PackedRect& rect)
{
    PackedRect result = rect;
    if (result.IsDefined() && window && window->m_node && window->m_node->screenRect.IsDefined()) {
        result.OffsetBy(window->m_node->screenRect.TopLeft());
    }
    return result;
}

// ---- Handlers ----

void CWindow::SetHandler(HandlerSlot slot, WindowHandler* handler)
{
    if (slot < 0 || slot >= HandlerSlotCount) {
        delete handler;
        return;
    }
    delete m_handlers[slot];
    m_handlers[slot] = handler;
}

void CWindow::InvokeHandler(HandlerSlot slot, intptr_t argument)
{
    if (slot >= 0 && slot < HandlerSlotCount && m_handlers[slot])
        m_handlers[slot]->Invoke(this, argument);
}

// ---- Default slots ----

void* CWindow::QueryInterface(int32_t id)
{
    return id == IidWindow ? this : nullptr;
}
void CWindow::Paint(const PackedRect&) {}
void CWindow::OnSize()
{
    InvokeHandler(HandlerSize);
}
void CWindow::OnMarginsChanged()
{
    InvokeHandler(HandlerMarginsChanged);
}
void CWindow::OnTextChanged()
{
    InvokeHandler(HandlerTextChanged);
}
void CWindow::OnPenMove(const PackedPoint& point)
{
    InvokeHandler(HandlerPenMove, reinterpret_cast<intptr_t>(&point));
}
void CWindow::OnChar(uint16_t code)
{
    InvokeHandler(HandlerChar, code);
}
void CWindow::OnActivate()
{
    InvokeHandler(HandlerActivate);
}
void CWindow::OnDeactivate()
{
    InvokeHandler(HandlerDeactivate);
}
void CWindow::OnClick(const PackedPoint& point)
{
    InvokeHandler(HandlerClick, reinterpret_cast<intptr_t>(&point));
}
void CWindow::OnDoubleClick(const PackedPoint& point)
{
    InvokeHandler(HandlerDoubleClick, reinterpret_cast<intptr_t>(&point));
}
void CWindow::OnShow()
{
    InvokeHandler(HandlerShow);
}
void CWindow::OnHide()
{
    InvokeHandler(HandlerHide);
}
void CWindow::OnEnable()
{
    InvokeHandler(HandlerEnable);
}
void CWindow::OnDisable()
{
    InvokeHandler(HandlerDisable);
}

void CWindow::OnPenDown(const PackedPoint& point)
{
    WindowGuard guard(this);
    if (HasFlag(WndRaiseOnPenDown))
        RaiseChain(true);
    InvokeHandler(HandlerPenDown, reinterpret_cast<intptr_t>(&point));
    if (guard.Alive())
        SetFlag(WndPenPressed, true);
}

void CWindow::OnPenUp(const PackedPoint& point)
{
    WindowGuard guard(this);
    InvokeHandler(HandlerPenUp, reinterpret_cast<intptr_t>(&point));
    if (!guard.Alive() || !HasFlag(WndPenPressed))
        return;
    SetFlag(WndPenPressed, false);
    if (!HasEventFlag(WndEventDoubleClick)) {
        OnClick(point);
        return;
    }
    const uint32_t now = CTimeMgr::GetTicks();
    const bool near = m_hasLastClick && std::abs(point.X() - m_lastClickPoint.X()) < 5 &&
                      std::abs(point.Y() - m_lastClickPoint.Y()) < 5;
    if (near && now - m_lastClickTime <= CTimeMgr::TicksPerSecond() / 2) {
        // The double click uses up the first click, so a third tap starts a new pair.
        m_lastClickTime = 0;
        m_hasLastClick = false;
        OnDoubleClick(point);
        return;
    }
    m_lastClickTime = now;
    m_hasLastClick = true;
    m_lastClickPoint = point;
    OnClick(point);
}

void CWindow::SetSideColour(uint8_t colour, bool redraw)
{
    if (m_sideColour == colour)
        return;
    m_sideColour = colour;
    if (redraw)
        Invalidate();
}

uint8_t CWindow::SideColour() const
{
    for (const CWindow* w = this; w != nullptr; w = w->GetParent())
        if (w->m_sideColour != kNoSideColour)
            return w->m_sideColour;
    return kNoSideColour;
}

void CWindow::HandleEvent(const WindowEvent& event)
{
    switch (event.type) {
    case EventPenDown:
        OnPenDown(event.Point());
        break;
    case EventPenUp:
        OnPenUp(event.Point());
        break;
    case EventPenMove:
        OnPenMove(event.Point());
        break;
    case EventChar:
        OnChar(event.Code());
        break;
    case EventPaint: {
        SideColourScope colour(SideColour());
        Paint(event.Rect());
        break;
    }
    case EventActivate:
        OnActivate();
        break;
    case EventDeactivate:
        OnDeactivate();
        break;
    default:
        break;
    }
}

bool CWindow::HitTest(const PackedPoint& screenPoint)
{
    if (!m_node)
        return false;
    PackedRect rect = m_node->screenRect;
    if (!rect.IsDefined())
        return false;
    if (m_node->parent) {
        rect.Intersect(m_node->parent->screenRect);
        if (!rect.IsDefined())
            return false;
    }
    return rect.Contains(screenPoint);
}

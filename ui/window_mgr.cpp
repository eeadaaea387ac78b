#include "ui/window_mgr.h"

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/log.h"

uint8_t PaintMerge = 1;

namespace {

RootWindowFactory g_rootFactory = nullptr;
PaintObserver g_paintObserver = nullptr;

struct ManagerState {
    WindowEvent ring[CWindowMgr::RingSize];
    uint16_t readIndex = 0;
    uint16_t writeIndex = 0;
    uint16_t count = 0;
    uint16_t lastWritten = 0;
    // A repaint found the ring full: the windows it brought before it may
    // have painted without those in front of them painting after.
    bool paintLost = false;
    CWindow* root = nullptr;
    int16_t displayWidth = 0;
    int16_t displayHeight = 0;
    WindowNode* capture[CWindowMgr::StackSize] = {};
    uint16_t captureCount = 0;
    WindowNode* focus[CWindowMgr::StackSize] = {};
    uint16_t focusCount = 0;
};

ManagerState g_state;

SignalConnection g_penDownConnection;
SignalConnection g_penUpConnection;
SignalConnection g_penMoveConnection;
SignalConnection g_charConnection;

void PenDownListener(intptr_t argument, SignalDelegate*)
{
    OnDevicePenDown(Signal::PointFromArgument(argument));
}
void PenUpListener(intptr_t argument, SignalDelegate*)
{
    OnDevicePenUp(Signal::PointFromArgument(argument));
}
void PenMoveListener(intptr_t argument, SignalDelegate*)
{
    OnDevicePenMove(Signal::PointFromArgument(argument));
}
void CharListener(int16_t value, SignalDelegate*)
{
    OnDeviceChar(static_cast<uint16_t>(value));
}

WindowNode* RootNode()
{
    return g_state.root ? g_state.root->GetNode() : nullptr;
}

uint16_t Next(uint16_t index)
{
    return static_cast<uint16_t>(index + 1 == CWindowMgr::RingSize ? 0 : index + 1);
}
uint16_t Previous(uint16_t index)
{
    return static_cast<uint16_t>(index == 0 ? CWindowMgr::RingSize - 1 : index - 1);
}

int32_t Area(const PackedRect& r)
{
    return static_cast<int32_t>(r.Width()) * r.Height();
}

PackedRect ScreenToLocal(const WindowNode* node, const PackedRect& screenRect)
{
    PackedRect local = screenRect;
    local.Offset(static_cast<int16_t>(-node->screenRect.Left()),
                 static_cast<int16_t>(-node->screenRect.Top()));
    return local;
}

void MergePaint(WindowNode* node, const PackedRect& rect)
{
    bool merged = false;
    if (PaintMerge && g_state.count > 0) {
        uint16_t index = g_state.lastWritten;
        for (uint16_t seen = 0; seen < g_state.count; ++seen, index = Previous(index)) {
            WindowEvent& pending = g_state.ring[index];
            if (pending.type != EventPaint || pending.target != node->window)
                break;
            PackedRect old = pending.Rect();
            if (!old.Touches(rect))
                continue;
            PackedRect both = old;
            both.Union(rect);
            const int32_t sum = Area(old) + Area(rect);
            if (Area(both) < sum + sum / 8) {
                pending.SetRect(both);
                merged = true;
                break;
            }
        }
    }
    if (!merged) {
        WindowEvent event;
        event.target = node->window;
        event.type = EventPaint;
        event.SetRect(rect);
        CWindowMgr::PushEvent(event);
    }
    // Every window under the area gets its own repaint, parents before
    // children and lower siblings before higher ones.
    WindowNode* bottom = node->firstChild;
    while (bottom && bottom->nextSibling)
        bottom = bottom->nextSibling;
    for (WindowNode* child = bottom; child; child = child->prevSibling) {
        CWindow* w = child->window;
        if (!w->IsVisible() || !w->WindowRect().IsDefined())
            continue;
        PackedRect part = w->WindowRect();
        part.Intersect(rect);
        if (!part.IsDefined())
            continue;
        part.Offset(static_cast<int16_t>(-w->WindowRect().Left()),
                    static_cast<int16_t>(-w->WindowRect().Top()));
        MergePaint(child, part);
    }
}

// Moves a repaint to the nearest ancestor that paints its background.
bool MergeIntoOpaqueAncestor(WindowNode* from, const PackedRect& screenRect)
{
    WindowNode* target = from->parent;
    while (target->parent && target->window->HasFlag(WndSeeThrough))
        target = target->parent;
    PackedRect part = screenRect;
    part.Intersect(target->screenRect);
    if (!part.IsDefined())
        return false;
    MergePaint(target, ScreenToLocal(target, part));
    return true;
}

bool PostPaint(const WindowEvent& event)
{
    CWindow* w = event.target;
    if (!w->IsReallyVisible())
        return false;
    WindowNode* node = w->GetNode();
    const PackedRect rect = event.Rect();
    const PackedRect screenRect = CWindow::LocalToScreen(w, rect);
    if (!node->overlapped) {
        if (w->HasFlag(WndSeeThrough) && node->parent)
            return MergeIntoOpaqueAncestor(node, screenRect);
        MergePaint(node, rect);
        return true;
    }
    WindowNode* top = node;
    while (top->parent && top->parent->overlapped)
        top = top->parent;
    if (top->window->HasFlag(WndSeeThrough) && top->parent)
        return MergeIntoOpaqueAncestor(top, screenRect);
    bool any = false;
    for (WindowNode* sibling = top; sibling; sibling = sibling->prevSibling) {
        if (!sibling->window->IsVisible())
            continue;
        PackedRect part = screenRect;
        part.Intersect(sibling->screenRect);
        if (!part.IsDefined())
            continue;
        MergePaint(sibling, ScreenToLocal(sibling, part));
        any = true;
    }
    return any;
}

bool RoutePen(WindowEvent event)
{
    const PackedPoint point = event.Point();
    WindowNode* target = CWindowMgr::FindPenTarget(point);
    if (!target || target->window->IsBeingDestroyed())
        return false;
    if (!target->window->IsEnabled() && g_state.captureCount > 0 &&
        target != g_state.capture[g_state.captureCount - 1]) {
        return false;
    }
    event.target = target->window;
    PackedPoint local = point;
    local.Subtract(target->screenRect.TopLeft());
    event.SetPoint(local);
    return CWindowMgr::PushEvent(event);
}

void RemoveFromStack(WindowNode** stack, uint16_t& count, const WindowNode* node)
{
    for (int32_t i = count - 1; i >= 0; --i) {
        if (stack[i] == node) {
            for (int32_t j = i; j + 1 < count; ++j)
                stack[j] = stack[j + 1];
            --count;
            stack[count] = nullptr;
            return;
        }
    }
}

}  // namespace

void SetPaintObserver(PaintObserver observer)
{
    g_paintObserver = observer;
}

void SetRootScreenWndFactory(RootWindowFactory factory)
{
    g_rootFactory = factory;
}
CWindow* CreateRootScreenWnd()
{
    return g_rootFactory ? g_rootFactory() : nullptr;
}

bool CWindowMgr::Init()
{
    PenDownSignal.Connect(PenDownListener, g_penDownConnection);
    PenUpSignal.Connect(PenUpListener, g_penUpConnection);
    PenMoveSignal.Connect(PenMoveListener, g_penMoveConnection);
    CharSignal.ConnectValue(CharListener, g_charConnection);
    g_state.readIndex = g_state.writeIndex = g_state.count = g_state.lastWritten = 0;
    g_state.paintLost = false;
    LogWrite("WINDOW_MGR: Creating screen window...");
    CWindow* root = CreateRootScreenWnd();
    if (!root)
        return false;
    CDisplaySurface* display = GetDisplaySurface();
    const int16_t width = display ? display->Width() : 0;
    const int16_t height = display ? display->Height() : 0;
    if (!CWindow::Attach(root, nullptr)) {
        delete root;
        return false;
    }
    g_state.root = root;
    g_state.displayWidth = width;
    g_state.displayHeight = height;
    const PackedRect full(0, 0, width - 1, height - 1);
    root->GetNode()->screenRect = full;
    root->SetRect(full, false);
    root->SetActive();
    root->Show(true, false);
    return true;
}

void CWindowMgr::Shutdown()
{
    CWindow* root = g_state.root;
    if (root) {
        delete root;
    }
    g_state.root = nullptr;
    for (WindowEvent& event : g_state.ring)
        event = WindowEvent{};
    g_state.readIndex = g_state.writeIndex = g_state.count = g_state.lastWritten = 0;
    g_state.paintLost = false;
    g_state.displayWidth = g_state.displayHeight = 0;
    g_state.captureCount = g_state.focusCount = 0;
    g_penDownConnection.Disconnect();
    g_penUpConnection.Disconnect();
    g_penMoveConnection.Disconnect();
    g_charConnection.Disconnect();
}

bool CWindowMgr::IsUp()
{
    return g_state.root != nullptr;
}
CWindow* CWindowMgr::Root()
{
    return g_state.root;
}
int32_t CWindowMgr::QueuedCount()
{
    return g_state.count;
}
const WindowEvent& CWindowMgr::QueuedEvent(int32_t age)
{
    return g_state.ring[(g_state.readIndex + age) % RingSize];
}
int32_t CWindowMgr::CaptureCount()
{
    return g_state.captureCount;
}
CWindow* CWindowMgr::CaptureAt(int32_t index)
{
    return (index >= 0 && index < g_state.captureCount) ? g_state.capture[index]->window : nullptr;
}
int32_t CWindowMgr::KeyFocusCount()
{
    return g_state.focusCount;
}
int16_t CWindowMgr::DisplayWidth()
{
    return g_state.displayWidth;
}
int16_t CWindowMgr::DisplayHeight()
{
    return g_state.displayHeight;
}

bool CWindowMgr::PushEvent(const WindowEvent& event)
{
    if (g_state.count >= RingSize) {
        if (event.type == EventPaint)
            g_state.paintLost = true;
        return false;
    }
    g_state.ring[g_state.writeIndex] = event;
    g_state.lastWritten = g_state.writeIndex;
    g_state.writeIndex = Next(g_state.writeIndex);
    ++g_state.count;
    return true;
}

WindowEvent CWindowMgr::PopEvent()
{
    if (g_state.count == 0)
        return WindowEvent{};
    WindowEvent event = g_state.ring[g_state.readIndex];
    g_state.ring[g_state.readIndex] = WindowEvent{};
    g_state.readIndex = Next(g_state.readIndex);
    --g_state.count;
    return event;
}

WindowNode* CWindowMgr::FindPenTarget(const PackedPoint& point)
{
    WindowNode* answer = nullptr;
    WindowNode* level = nullptr;
    if (g_state.captureCount > 0) {
        answer = g_state.capture[g_state.captureCount - 1];
        level = answer;
    } else {
        level = RootNode();
    }
    while (level) {
        WindowNode* taken = nullptr;
        for (WindowNode* child = level->firstChild; child; child = child->nextSibling) {
            if (child->window->IsVisible() && child->window->HitTest(point)) {
                taken = child;
                break;
            }
        }
        if (!taken)
            break;
        if (level->modalChild && level->modalChild != taken)
            return nullptr;
        if (!taken->window->IsEnabled())
            return level;
        answer = taken;
        level = taken;
    }
    return answer;
}

bool CWindowMgr::TakesInput(const CWindow* window)
{
    if (!window || !window->GetNode())
        return false;
    const WindowNode* holder = g_state.captureCount > 0 ? g_state.capture[g_state.captureCount - 1] : nullptr;
    for (const WindowNode* node = window->GetNode(); node; node = node->parent) {
        if (!node->window->IsEnabled())
            return false;
        if (node == holder)
            return true;
    }
    return holder == nullptr;
}

WindowNode* CWindowMgr::FindCharTarget()
{
    WindowNode* node = nullptr;
    if (g_state.focusCount > 0) {
        WindowNode* top = g_state.focus[g_state.focusCount - 1];
        if (!top->firstChild)
            return top;
        node = top->firstChild;
    } else {
        node = RootNode();
    }
    while (node && node->activeChild)
        node = node->activeChild;
    return node;
}

bool CWindowMgr::Dispatch(const WindowEvent& input)
{
    WindowEvent event = input;
    if (!event.target) {
        if (event.type >= EventPenDown && event.type <= EventPenMove)
            return RoutePen(event);
        if (event.type != EventChar)
            return false;
        WindowNode* node = FindCharTarget();
        for (CWindow* w = node ? node->window : nullptr; w; w = w->GetParent()) {
            if (w->HasEventFlag(WndEventTakesChars)) {
                if (w->IsBeingDestroyed() || !TakesInput(w))
                    return false;
                event.target = w;
                return PushEvent(event);
            }
            // A modal window keeps characters from the windows behind it.
            if (w->HasFlag(WndModal))
                return false;
        }
        return false;
    }
    CWindow* target = event.target;
    if (!CWindow::IsAttached(target) || target->IsBeingDestroyed())
        return false;
    if (event.type == EventActivate && !(target->IsVisible() && target->IsEnabled()))
        return false;
    if (event.type == EventPaint)
        return PostPaint(event);
    return PushEvent(event);
}

static void DeliverQueued()
{
    while (g_state.count > 0) {
        WindowEvent event = CWindowMgr::PopEvent();
        CWindow* target = event.target;
        if (!target || !CWindow::IsAttached(target) || target->IsBeingDestroyed())
            continue;
        if (event.type == EventPaint && !target->IsReallyVisible())
            continue;
        // A character queued before a nested frame pump took the capture
        // must not reach the window that pump runs behind.
        if (event.type == EventChar && !CWindowMgr::TakesInput(target))
            continue;
        if (event.type == EventPaint && g_paintObserver)
            g_paintObserver(target, CWindow::LocalToScreen(target, event.Rect()));
        target->HandleEvent(event);
    }
}

void CWindowMgr::ProcessEvents()
{
    DeliverQueued();
    // Once the ring had no room for a repaint, only painting the whole
    // screen again, back to front, puts every window in front again.
    if (g_state.paintLost && g_state.root != nullptr) {
        g_state.paintLost = false;
        g_state.root->Invalidate(UndefinedRect, true);
        DeliverQueued();
    }
}

bool CWindowMgr::PushCapture(CWindow* window)
{
    if (!CWindow::IsAttached(window) || g_state.captureCount >= StackSize)
        return false;
    g_state.capture[g_state.captureCount++] = window->GetNode();
    return true;
}

void CWindowMgr::RemoveCapture(CWindow* window)
{
    if (!window || !window->GetNode())
        return;
    RemoveFromStack(g_state.capture, g_state.captureCount, window->GetNode());
}

bool CWindowMgr::PushKeyFocus(CWindow* window)
{
    if (!CWindow::IsAttached(window) || g_state.focusCount >= StackSize)
        return false;
    g_state.focus[g_state.focusCount++] = window->GetNode();
    return true;
}

void CWindowMgr::PopKeyFocus(CWindow* window)
{
    if (!CWindow::IsAttached(window) || g_state.focusCount == 0)
        return;
    --g_state.focusCount;
    g_state.focus[g_state.focusCount] = nullptr;
}

void CWindowMgr::ForgetWindow(CWindow* window)
{
    if (!window)
        return;
    uint16_t index = g_state.readIndex;
    for (uint16_t i = 0; i < g_state.count; ++i, index = Next(index)) {
        if (g_state.ring[index].target == window)
            g_state.ring[index].target = nullptr;
    }
    if (WindowNode* node = window->GetNode()) {
        // Every entry of the window goes, wherever it stands.
        for (uint16_t before = 0; before != g_state.captureCount;) {
            before = g_state.captureCount;
            RemoveFromStack(g_state.capture, g_state.captureCount, node);
        }
        for (uint16_t before = 0; before != g_state.focusCount;) {
            before = g_state.focusCount;
            RemoveFromStack(g_state.focus, g_state.focusCount, node);
        }
    }
}

// ---- Input listeners ----

static void PostInput(uint32_t type, const PackedPoint& point)
{
    if (!g_state.root)
        return;
    WindowEvent event;
    event.type = type;
    event.SetPoint(point);
    CWindowMgr::Dispatch(event);
}

void OnDevicePenDown(const PackedPoint& point)
{
    PostInput(EventPenDown, point);
}
void OnDevicePenUp(const PackedPoint& point)
{
    PostInput(EventPenUp, point);
}
void OnDevicePenMove(const PackedPoint& point)
{
    PostInput(EventPenMove, point);
}
void OnDeviceChar(uint16_t code)
{
    if (!g_state.root)
        return;
    WindowEvent event;
    event.type = EventChar;
    event.SetCode(code);
    CWindowMgr::Dispatch(event);
}

// ---- Modal runs ----

uint16_t RunModal(CWindow* window)
{
    if (!CWindow::IsAttached(window))
        return 0;
    for (WindowNode* node = window->GetNode(); node->parent; node = node->parent) {
        if (node->parent->modalChild && node->parent->modalChild != node)
            return 0;
    }
    if (WindowNode* parent = window->GetNode()->parent)
        parent->modalChild = window->GetNode();
    window->SetFlag(WndModal, true);
    window->SetModalResult(0);
    window->SetActive();
    WindowGuard guard(window);
    RunModalLoop(window, true);
    // A window destroyed inside its own run has no result to give.
    if (!guard.Alive())
        return QuitFlag ? static_cast<uint16_t>(ResultQuit) : static_cast<uint16_t>(ResultNone);
    // A run left because the application quits leaves no modal child behind.
    if (window->HasFlag(WndModal)) {
        if (WindowNode* parent = window->GetNode() ? window->GetNode()->parent : nullptr;
            parent && parent->modalChild == window->GetNode()) {
            parent->modalChild = nullptr;
        }
        window->SetFlag(WndModal, false);
    }
    const uint16_t result = window->ModalResult();
    if (result == 0 && QuitFlag)
        return ResultQuit;
    return result;
}

void EndModal(CWindow* window)
{
    if (!window)
        return;
    if (WindowNode* node = window->GetNode(); node && node->parent && node->parent->modalChild == node) {
        node->parent->modalChild = nullptr;
    }
    window->SetFlag(WndModal, false);
    window->Show(false, true);
}

void RunModalLoop(CWindow* window, bool capture)
{
    if (!window)
        return;
    WindowGuard guard(window);
    if (capture)
        CWindowMgr::PushCapture(window);
    // In front of its siblings, even of those that stay in front of the
    // windows made after them.
    window->BringToFront(false);
    window->Show(true, true);
    while (!QuitFlag && guard.Alive() && window->IsVisible())
        FrameStep();
    if (capture && guard.Alive())
        CWindowMgr::RemoveCapture(window);
}

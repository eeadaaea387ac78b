#pragma once
// CWindow: the base of every window and control. A window holds its place in
// the window tree (through the WindowNode it owns while attached), its
// rectangles, text, flags, modal result and 15 handler slots through which an
// owner reacts to its events without deriving from it.
//
// Events reach a window only through CWindowMgr, which queues them and calls
// HandleEvent; the operations here that repaint post Paint events through it.
//
// Every operation may run re-entrantly from inside a handler. A window that
// is destroyed while events for it are queued, while it holds the capture or
// the key focus, or while its modal loop runs is forgotten by the manager
// first, so nothing touches it afterwards.

#include <cstdint>
#include <new>

#include "core/packed_geometry.h"
#include "core/ref_string.h"

class CWindow;

enum WindowEventType : uint32_t {
    EventPenDown = 1,
    EventPenUp = 2,
    EventPenMove = 3,
    EventChar = 17,
    EventPaint = 33,
    EventActivate = 49,
    EventDeactivate = 50,
};

// One queued event, copied by value into and out of the manager's ring.
struct WindowEvent {
    CWindow* target = nullptr;  // null while an input event is not routed yet
    uint32_t type = 0;
    // Pen events: a point (x word, y word); Char: the code in the low 16 bits
    // of the first 32 bits; Paint: a rect (left, top, right, bottom).
    uint16_t payload[4] = {};

    PackedPoint Point() const;
    void SetPoint(const PackedPoint& point);
    PackedRect Rect() const;
    void SetRect(const PackedRect& rect);
    uint16_t Code() const { return payload[0]; }
    void SetCode(uint16_t code)
    {
        payload[0] = code;
        payload[1] = 0;
    }
};

enum WindowFlags : uint8_t {
    WndInLayout = 0x01,
    WndRaiseOnPenDown = 0x02,
    WndSeeThrough = 0x04,
    WndModal = 0x08,
    WndVisible = 0x10,
    WndEnabled = 0x20,
    WndPenPressed = 0x40,
    WndActive = 0x80,
};

// The second flag byte: which events the window takes (characters, double
// clicks), which of its own events it is in the middle of (a text or
// margins change, its destruction, after which its events are dropped), and
// whether it stays in front of the siblings attached after it (a frame's
// help button over the controls the frame makes later; a raised window
// still goes before it).
enum WindowFlags2 : uint8_t {
    WndEventTakesChars = 0x01,
    WndEventDoubleClick = 0x02,
    WndEventInTextChange = 0x04,
    WndEventInMarginsChange = 0x08,
    WndEventBeingDestroyed = 0x10,
    WndStaysInFront = 0x20,
};

// How SetRect places a requested rect inside the parent's client rect. In
// the edge modes the requested left or top is an offset from the far edge.
enum WindowAnchor : int32_t {
    AnchorNone = 0,
    AnchorFullHeight = 1,
    AnchorRightFullHeight = 2,
    AnchorFullWidth = 4,
    AnchorRight = 6,
    AnchorBottomFullWidth = 8,
    AnchorBottom = 9,
    AnchorBottomRight = 10,
    AnchorCentre = 11,
    AnchorFill = 12,
};

// The result of a modal run: 1 OK, 2 Cancel by convention, 255 when the
// application quit before the window wrote a result.
enum DialogResult : uint16_t {
    ResultNone = 0,
    ResultOk = 1,
    ResultCancel = 2,
    ResultQuit = 255,
};

enum HandlerSlot : int32_t {
    HandlerPenDown,
    HandlerPenUp,
    HandlerPenMove,
    HandlerChar,
    HandlerActivate,
    HandlerDeactivate,
    HandlerTextChanged,
    HandlerSize,
    HandlerMarginsChanged,
    HandlerClick,
    HandlerDoubleClick,
    HandlerShow,
    HandlerHide,
    HandlerEnable,
    HandlerDisable,
    HandlerSlotCount
};

// An owned callable: a member function bound to an object. Invoked with the
// window and, for the pen, click and char kinds, the event's argument (a
// pointer to the PackedPoint in window coordinates, or the character code).
class WindowHandler {
public:
    virtual ~WindowHandler() = default;
    virtual void Invoke(CWindow* window, intptr_t argument) = 0;
};

template <typename T>
class WindowMemberHandler : public WindowHandler {
public:
    using Member = void (T::*)(CWindow* window, intptr_t argument);
    WindowMemberHandler(T* object, Member member) : m_object(object), m_member(member) {}
    void Invoke(CWindow* window, intptr_t argument) override
    {
        if (m_object && m_member)
            (m_object->*m_member)(window, argument);
    }

private:
    T* m_object;
    Member m_member;
};

// The window's place in the tree. Children run from the topmost (first
// child, drawn last and hit first) to the bottom-most.
struct WindowNode {
    CWindow* window = nullptr;
    WindowNode* parent = nullptr;
    WindowNode* firstChild = nullptr;
    WindowNode* nextSibling = nullptr;  // below in z-order
    WindowNode* prevSibling = nullptr;  // above
    WindowNode* activeChild = nullptr;
    WindowNode* modalChild = nullptr;
    uint8_t overlapped = 1;
    PackedRect screenRect = UndefinedRect;
};

// Interface ids answered by QueryInterface.
enum InterfaceId : int32_t {
    IidAlignedBox = 1,
    IidDrawable = 2,
    IidTimed = 3,
    IidAnimElement = 6,
    IidImageElement = 7,
    IidWindow = 9,
    IidPressable = 10,
    IidIconWnd = 12,
    IidCompositeWnd = 15,
    IidFrameWnd = 17,
    IidScreenWnd = 18,
    IidTextButton = 19,
    IidButton = 20,
    IidPushButton = 21,
    IidHintButton = 22,
    IidDialog = 23,
    IidWindowCanvas = 37,
    IidUiTreeLink = 39,
    IidHintHelpLink = 40,
    IidSkinItem = 41,
    IidButtonSkin = 42,
    IidFrameWndSkin = 43,
    IidSkinTarget = 44,
};

class CWindow {
public:
    // Attached under parent (the root screen window when null); a defined
    // rect is set, a non-empty text set, and the window shown (no raise).
    CWindow(CWindow* parent, const PackedRect& rect, const CStr& text, bool visible);
    // Detached, with the defaults only; the owner attaches it later.
    CWindow();
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    // ---- Virtual operations ----
    virtual void* QueryInterface(int32_t id);
    virtual void Paint(const PackedRect& rect);
    virtual void OnSize();
    virtual void OnMarginsChanged();
    virtual void OnTextChanged();
    virtual void OnPenDown(const PackedPoint& point);
    virtual void OnPenUp(const PackedPoint& point);
    virtual void OnPenMove(const PackedPoint& point);
    virtual void OnChar(uint16_t code);
    virtual void OnActivate();
    virtual void OnDeactivate();
    virtual void OnClick(const PackedPoint& point);
    virtual void OnDoubleClick(const PackedPoint& point);
    virtual void OnShow();
    virtual void OnHide();
    virtual void OnEnable();
    virtual void OnDisable();
    virtual void HandleEvent(const WindowEvent& event);
    // A screen point inside the node's screen rect clipped by the parent's.
    virtual bool HitTest(const PackedPoint& screenPoint);

    // ---- Tree ----
    static bool Attach(CWindow* window, CWindow* parent);
    void Detach();
    CWindow* GetParent() const;
    CWindow* GetNextSibling() const;
    CWindow* GetPrevSibling() const;
    CWindow* GetFirstChild() const;
    CWindow* GetActiveChild() const;
    WindowNode* GetNode() const { return m_node; }
    static bool IsAttached(const CWindow* window);
    bool IsReallyVisible() const;

    // ---- Geometry, text, state ----
    void SetRect(const PackedRect& rect, bool invalidate);
    void SetMargins(const PackedRect& margins, bool invalidate);
    void SetText(const CStr& text, bool invalidate);
    void Show(bool show, bool raise);
    void Enable(bool enable, bool invalidate);
    void SetActive();
    void Deactivate();
    void BringToFront(bool invalidate);
    bool RaiseChain(bool invalidate);
    // Posts a Paint for a rect in window coordinates (UndefinedRect: the
    // whole window); merge false posts a new event whatever is pending.
    bool Invalidate(const PackedRect& rect, bool merge);
    bool Invalidate() { return Invalidate(UndefinedRect, true); }
    // Invalidate as if the window were see-through, so the nearest opaque
    // ancestor repaints the area.
    bool InvalidateThrough(const PackedRect& rect);
    static PackedRect LocalToScreen(const CWindow* window, const PackedRect& rect);
    static void UpdateOverlap(CWindow* window);

    // ---- Handlers ----
    template <typename T>
    void BindHandler(HandlerSlot slot, T* object, void (T::*member)(CWindow*, intptr_t))
    {
        SetHandler(slot, new (std::nothrow) WindowMemberHandler<T>(object, member));
    }
    // Takes ownership; the handler bound before is freed.
    void SetHandler(HandlerSlot slot, WindowHandler* handler);
    void InvokeHandler(HandlerSlot slot, intptr_t argument = 0);

    // ---- Fields ----
    int32_t AnchorMode() const { return m_anchor; }
    void SetAnchorMode(int32_t mode) { m_anchor = mode; }
    const PackedRect& WindowRect() const { return m_rect; }
    const PackedRect& ClientRect() const { return m_client; }
    const PackedRect& Margins() const { return m_margins; }
    const PackedRect& RequestedRect() const { return m_requested; }
    const CStr& Text() const { return m_text; }
    int16_t Width() const { return m_rect.IsDefined() ? m_rect.Width() : 0; }
    int16_t Height() const { return m_rect.IsDefined() ? m_rect.Height() : 0; }
    uint8_t Flags() const { return m_flags; }
    uint8_t EventFlags() const { return m_eventFlags; }
    bool HasFlag(uint8_t flag) const { return (m_flags & flag) != 0; }
    bool HasEventFlag(uint8_t flag) const { return (m_eventFlags & flag) != 0; }
    void SetFlag(uint8_t flag, bool on) { m_flags = on ? (m_flags | flag) : (m_flags & ~flag); }
    void SetEventFlag(uint8_t flag, bool on)
    {
        m_eventFlags = on ? (m_eventFlags | flag) : (m_eventFlags & ~flag);
    }
    bool IsVisible() const { return HasFlag(WndVisible); }
    bool IsEnabled() const { return HasFlag(WndEnabled); }
    bool IsActive() const { return HasFlag(WndActive); }
    bool IsBeingDestroyed() const { return HasEventFlag(WndEventBeingDestroyed); }
    uint16_t ModalResult() const { return m_modalResult; }
    void SetModalResult(uint16_t result) { m_modalResult = result; }
    uint32_t LastClickTime() const { return m_lastClickTime; }
    // The player colour its squad pictures are drawn in (see ui/side_colours.h),
    // kNoSideColour to take the parent's; the window repaints with redraw.
    void SetSideColour(uint8_t colour, bool redraw);
    // Its own colour or the nearest ancestor's; kNoSideColour when none has one.
    uint8_t SideColour() const;

protected:
    // Marks the window as being destroyed and takes it off the screen (ends
    // its modal run or hides it) while the derived parts still exist.
    // Derived destructors call it first; the base destructor calls it again.
    void PrepareDestroy();

private:
    friend class WindowGuard;
    static void UpdateScreenRects(WindowNode* node);
    void LayoutChildren();

    WindowHandler* m_handlers[HandlerSlotCount] = {};
    int32_t m_anchor = AnchorNone;
    PackedPoint m_lastClickPoint = UndefinedPoint;
    uint32_t m_lastClickTime = 0;
    PackedRect m_rect = UndefinedRect;
    PackedRect m_margins = PackedRect(0, 0, 0, 0);
    PackedRect m_client = UndefinedRect;
    PackedRect m_requested = UndefinedRect;
    CStr m_text;
    uint8_t m_flags = WndEnabled;
    uint8_t m_eventFlags = 0;
    WindowNode* m_node = nullptr;
    uint16_t m_modalResult = 0;
    bool m_hasLastClick = false;
    uint8_t m_sideColour = 255;
    class WindowGuard* m_guards = nullptr;
};

// Watches a window across calls that may destroy it (handlers, modal loops,
// event delivery): Alive() turns false once the window's destructor ran.
class WindowGuard {
public:
    // Kept out of line: the guard links itself into the window for the span
    // of a call, which an inlined copy makes the compiler take for a dangling store.
    [[gnu::noinline]] explicit WindowGuard(CWindow* window);
    [[gnu::noinline]] ~WindowGuard();
    WindowGuard(const WindowGuard&) = delete;
    WindowGuard& operator=(const WindowGuard&) = delete;
    bool Alive() const { return m_window != nullptr; }

private:
    friend class CWindow;
    CWindow* m_window;
    WindowGuard* m_next;
};

// Places a requested rect inside a parent client rect of the given size by
// an anchor mode (origin at the client's top-left, not yet moved by it).
PackedRect AnchorRect(int32_t mode, const PackedRect& requested, int32_t parentWidth, int32_t parentHeight);

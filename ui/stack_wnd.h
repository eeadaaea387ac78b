#pragma once
// CStackWnd: a pop-up list that stacks item objects vertically, sizes itself
// to them, opens at a screen point with the input capture, highlights the
// item under the pen and runs the chosen item's action when the pen comes
// up. A concrete list supplies its background and its margins.

#include <cstdint>
#include <list>

#include "ui/window.h"

class CDrawContext;
class CStackWnd;

class CStackItem {
public:
    explicit CStackItem(CStackWnd* owner);
    virtual ~CStackItem();
    CStackItem(const CStackItem&) = delete;
    CStackItem& operator=(const CStackItem&) = delete;

    virtual int16_t Width() { return -2048; }
    virtual int16_t Height() { return -2048; }
    // The item's action: invokes the handler when one is bound.
    virtual void Choose();
    virtual void Draw(CDrawContext& dc, const PackedRect& rect) = 0;

    void SetHandler(WindowHandler* handler);
    void SetEnabled(bool enabled, bool redraw);
    bool IsEnabled() const { return enabled != 0; }
    bool IsHighlighted() const { return highlighted != 0; }
    PackedRect rect = UndefinedRect;
    uint8_t enabled = 1;
    uint8_t highlighted = 0;

private:
    friend class CStackWnd;
    CStackWnd* m_owner;
    WindowHandler* m_handler = nullptr;
};

class CStackWnd : public CWindow {
public:
    explicit CStackWnd(CWindow* parent);
    ~CStackWnd() override;
    void Paint(const PackedRect& rect) override;
    void OnPenDown(const PackedPoint& point) override;
    void OnPenUp(const PackedPoint& point) override;
    void OnPenMove(const PackedPoint& point) override;
    virtual void DrawBackground(const PackedRect& rect) = 0;
    virtual PackedRect ItemMargins() = 0;
    // The context items draw into; a concrete list supplies it.
    virtual CDrawContext* ItemContext() = 0;

    bool AddItem(CStackItem* item);
    void RemoveItem(CStackItem* item);
    void Popup(const PackedPoint& screenPoint);
    void Close();
    void Layout();
    CStackItem* Highlighted() const { return m_highlighted; }
    const std::list<CStackItem*>& Items() const { return m_items; }

private:
    void SetHighlight(CStackItem* item);
    CStackItem* ItemAt(const PackedPoint& point) const;
    CStackItem* m_highlighted = nullptr;
    std::list<CStackItem*> m_items;
    int16_t m_widest = 0;
    int16_t m_totalHeight = 0;
};

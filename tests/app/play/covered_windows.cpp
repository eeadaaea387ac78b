#include "tests/app/play/covered_windows.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "ui/help_mgr.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace play_test {

namespace {

struct PaintRecord {
    const CWindow* window;
    PackedRect area;
};
std::vector<PaintRecord> g_paints;

void OnPaint(const CWindow* window, const PackedRect& screenArea)
{
    g_paints.push_back(PaintRecord{window, screenArea});
}

// The root first, the window last.
std::vector<const WindowNode*> Chain(const CWindow* window)
{
    std::vector<const WindowNode*> chain;
    for (const WindowNode* node = window->GetNode(); node != nullptr; node = node->parent)
        chain.push_back(node);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// What a window can draw on: its own rect within every ancestor's.
PackedRect DrawableArea(const CWindow* window, PackedRect area)
{
    for (const WindowNode* node = window->GetNode(); node != nullptr && area.IsDefined(); node = node->parent)
        area.Intersect(node->screenRect);
    return area;
}

// The place on the stack of windows holding the input (the last on top) of
// the topmost one the chain passes through; -1 for none.
int HolderLevel(const std::vector<const WindowNode*>& chain, const std::vector<const CWindow*>& holders)
{
    for (int level = static_cast<int>(holders.size()) - 1; level >= 0; --level)
        if (std::any_of(chain.begin(), chain.end(),
                        [&](const WindowNode* n) { return n->window == holders[level]; }))
            return level;
    return -1;
}

}  // namespace

bool InFrontAsSeen(const CWindow* window, const CWindow* other, const std::vector<const CWindow*>& holders)
{
    const std::vector<const WindowNode*> a = Chain(window), b = Chain(other);
    if (HolderLevel(a, holders) != HolderLevel(b, holders))
        return HolderLevel(a, holders) > HolderLevel(b, holders);
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    if (i == a.size())
        return false;  // the same window, or an ancestor of the other
    if (i == b.size())
        return true;  // a descendant of the other
    const bool helpA = dynamic_cast<const CHelpButton*>(a[i]->window) != nullptr;
    if (helpA != (dynamic_cast<const CHelpButton*>(b[i]->window) != nullptr))
        return helpA;
    // Siblings run from the front one to the back one.
    for (const WindowNode* s = a[i]->nextSibling; s != nullptr; s = s->nextSibling)
        if (s == b[i])
            return true;
    return false;
}

void RecordPaints()
{
    g_paints.clear();
    SetPaintObserver(OnPaint);
}

void StopRecordingPaints()
{
    SetPaintObserver(nullptr);
}

namespace {

// The screen as the recorded redraw left it: for every pixel, the frontmost
// window that painted it.
class PaintedScreen {
public:
    PaintedScreen(const std::vector<const CWindow*>& visible, const std::vector<const CWindow*>& holders,
                  int width, int height)
        : m_shown(visible.begin(), visible.end()),
          m_holders(holders),
          m_width(width),
          m_height(height),
          m_frontmost(static_cast<size_t>(width) * height, nullptr),
          m_last(m_frontmost.size(), nullptr)
    {}

    bool Ahead(const CWindow* a, const CWindow* b)
    {
        const auto key = std::make_pair(a, b);
        const auto found = m_inFront.find(key);
        return found != m_inFront.end() ? found->second : (m_inFront[key] = InFrontAsSeen(a, b, m_holders));
    }

    // The window holding the input owns its whole rect, even where an
    // ancestor's rect would cut its drawing short.
    void GiveTopHolderItsRect()
    {
        const CWindow* onTop = m_holders.empty() ? nullptr : m_holders.back();
        if (onTop == nullptr || onTop->GetNode() == nullptr)
            return;
        const PackedRect area = OnScreen(onTop->GetNode()->screenRect);
        for (int y = area.Top(); area.IsDefined() && y <= area.Bottom(); ++y)
            for (int x = area.Left(); x <= area.Right(); ++x)
                m_frontmost[At(x, y)] = onTop;
    }

    // Takes the recorded repaints in; with learn, they tell which window is
    // frontmost where.
    void Paint(bool learn)
    {
        for (const PaintRecord& paint : g_paints) {
            if (m_shown.count(paint.window) == 0)
                continue;
            const PackedRect area = OnScreen(DrawableArea(paint.window, paint.area));
            for (int y = area.Top(); area.IsDefined() && y <= area.Bottom(); ++y)
                for (int x = area.Left(); x <= area.Right(); ++x) {
                    const size_t at = At(x, y);
                    if (learn && (m_frontmost[at] == nullptr || Ahead(paint.window, m_frontmost[at])))
                        m_frontmost[at] = paint.window;
                    m_last[at] = paint.window;
                }
        }
    }

    // The pixels whose last painter is behind their frontmost window; forgets
    // who painted them last.
    void Covered(bool repainting, std::vector<CoveredWindow>& covered)
    {
        for (size_t at = 0; at < m_last.size(); ++at) {
            const CWindow* front = m_frontmost[at];
            const CWindow* behind = m_last[at];
            m_last[at] = nullptr;
            if (front == behind || front == nullptr || behind == nullptr || !Ahead(front, behind))
                continue;
            auto same = std::find_if(covered.begin(), covered.end(), [&](const CoveredWindow& c) {
                return c.front == front && c.behind == behind && c.repainting == repainting;
            });
            const auto x = static_cast<int16_t>(at % m_width), y = static_cast<int16_t>(at / m_width);
            const PackedRect pixel(x, y, x, y);
            if (same == covered.end())
                covered.push_back(CoveredWindow{front, behind, repainting, pixel});
            else
                same->area.Union(pixel);
        }
    }

private:
    size_t At(int x, int y) const { return static_cast<size_t>(y) * m_width + x; }
    PackedRect OnScreen(PackedRect area) const
    {
        area.Intersect(
            PackedRect(0, 0, static_cast<int16_t>(m_width - 1), static_cast<int16_t>(m_height - 1)));
        return area;
    }

    std::set<const CWindow*> m_shown;
    const std::vector<const CWindow*>& m_holders;
    int m_width, m_height;
    std::vector<const CWindow*> m_frontmost, m_last;
    std::map<std::pair<const CWindow*, const CWindow*>, bool> m_inFront;
};

}  // namespace

std::vector<CoveredWindow> CoveredInRecordedPaints(const std::vector<const CWindow*>& visible,
                                                   const std::vector<const CWindow*>& holders, int width,
                                                   int height)
{
    PaintedScreen screen(visible, holders, width, height);
    screen.GiveTopHolderItsRect();
    std::vector<CoveredWindow> covered;
    screen.Paint(true);
    screen.Covered(false, covered);
    // Windows repainting on their own, as labels changing, timers and
    // animations ask, all in one frame: what is in front stays in front.
    SetPaintObserver(OnPaint);
    g_paints.clear();
    for (const CWindow* window : visible)
        if (window->GetNode() != nullptr && window->GetNode()->parent != nullptr)
            const_cast<CWindow*>(window)->Invalidate(UndefinedRect, true);
    CWindowMgr::ProcessEvents();
    screen.Paint(false);
    screen.Covered(true, covered);
    SetPaintObserver(nullptr);
    g_paints.clear();
    return covered;
}

}  // namespace play_test

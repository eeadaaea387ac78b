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

// Whether the window is in front of the other as a person sees it.
bool InFront(const CWindow* window, const CWindow* other, const std::vector<const CWindow*>& holders)
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

}  // namespace

void RecordPaints()
{
    g_paints.clear();
    SetPaintObserver(OnPaint);
}

void StopRecordingPaints()
{
    SetPaintObserver(nullptr);
}

std::vector<CoveredWindow> CoveredInRecordedPaints(const std::vector<const CWindow*>& visible,
                                                   const std::vector<const CWindow*>& holders, int width,
                                                   int height)
{
    const CWindow* onTop = holders.empty() ? nullptr : holders.back();
    const std::set<const CWindow*> shown(visible.begin(), visible.end());
    // For every pixel, the frontmost window that painted it and the last.
    std::vector<const CWindow*> frontmost(static_cast<size_t>(width) * height, nullptr);
    std::vector<const CWindow*> last(frontmost.size(), nullptr);
    std::map<std::pair<const CWindow*, const CWindow*>, bool> inFront;
    auto ahead = [&inFront, &holders](const CWindow* a, const CWindow* b) {
        const auto key = std::make_pair(a, b);
        const auto found = inFront.find(key);
        return found != inFront.end() ? found->second : (inFront[key] = InFront(a, b, holders));
    };
    // The window holding the input owns its whole rect, even where an
    // ancestor's rect would cut its drawing short.
    if (onTop != nullptr && onTop->GetNode() != nullptr) {
        PackedRect area = onTop->GetNode()->screenRect;
        area.Intersect(PackedRect(0, 0, static_cast<int16_t>(width - 1), static_cast<int16_t>(height - 1)));
        for (int y = area.Top(); area.IsDefined() && y <= area.Bottom(); ++y)
            for (int x = area.Left(); x <= area.Right(); ++x)
                frontmost[static_cast<size_t>(y) * width + x] = onTop;
    }
    for (const PaintRecord& paint : g_paints) {
        if (shown.count(paint.window) == 0)
            continue;
        PackedRect area = DrawableArea(paint.window, paint.area);
        area.Intersect(PackedRect(0, 0, static_cast<int16_t>(width - 1), static_cast<int16_t>(height - 1)));
        if (!area.IsDefined())
            continue;
        for (int y = area.Top(); y <= area.Bottom(); ++y)
            for (int x = area.Left(); x <= area.Right(); ++x) {
                const size_t at = static_cast<size_t>(y) * width + x;
                if (frontmost[at] == nullptr || ahead(paint.window, frontmost[at]))
                    frontmost[at] = paint.window;
                last[at] = paint.window;
            }
    }
    std::vector<CoveredWindow> covered;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(y) * width + x;
            if (last[at] == frontmost[at] || !ahead(frontmost[at], last[at]))
                continue;
            auto same = std::find_if(covered.begin(), covered.end(), [&](const CoveredWindow& c) {
                return c.front == frontmost[at] && c.behind == last[at];
            });
            const PackedRect pixel(static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(x),
                                   static_cast<int16_t>(y));
            if (same == covered.end())
                covered.push_back(CoveredWindow{frontmost[at], last[at], pixel});
            else
                same->area.Union(pixel);
        }
    return covered;
}

}  // namespace play_test

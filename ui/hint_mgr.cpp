#include "ui/hint_mgr.h"

#include "core/log.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "ui/window_mgr.h"

namespace {

CHintWnd* g_balloon = nullptr;

// The receiver of the pen-down handlers that open hints.
class HintTap {
public:
    void OnPenDown(CWindow* window, intptr_t point)
    {
        if (point != 0)
            CHintMgr::ShowHintFor(window, *reinterpret_cast<const PackedPoint*>(point));
    }
};
HintTap g_hintTap;

void AttachHintHook(CWindow* window, CHintText*)
{
    CHintMgr::AttachHint(window);
}

void ShowHintHook(CWindow* window, const CStr& text, const void* point)
{
    CHintMgr::ShowHintText(window, text, static_cast<const PackedPoint*>(point));
}

int16_t C16(int32_t value)
{
    return static_cast<int16_t>(value < -2047 ? -2047 : (value > 2047 ? 2047 : value));
}

}  // namespace

// ---- CHintWnd ----

CHintWnd::CHintWnd(CWindow* parent, const CStr& path, bool load)
    : CFrameWnd(parent, path, load), m_text(new CMarkupWnd(this, CStr(), false))
{
    m_text->Enable(false, false);
    m_text->SetAlign(AlignStart, AlignStart, false);
    m_text->Show(true, false);
}

CHintWnd::~CHintWnd()
{
    PrepareDestroy();
    if (g_balloon == this)
        g_balloon = nullptr;
}

uint32_t CHintWnd::SetSkin(const CStr& name, bool redraw)
{
    PushResourceFolder();
    CStr folder = CPathMgr::Path(CPathMgr::kSkin);
    folder.Append(name);
    CResourceMgr::SetCurrentFolder(folder.Chars());
    for (int i = 0; i < HintArrowCount; ++i) {
        m_arrows[i].Clear();
        LoadImage(HintArrowName(static_cast<HintArrow>(i)), m_arrows[i]);
    }
    PopResourceFolder();
    return CFrameWnd::SetSkin(name, redraw);
}

void CHintWnd::SetText(const CStr& text, bool redraw)
{
    CWindow* root = CWindowMgr::Root();
    PackedRect area(0, 0, 0, 0);
    if (root != nullptr && root->ClientRect().IsDefined()) {
        const int32_t width = 2 * root->ClientRect().Width() / 3;
        const int32_t height = 2 * root->ClientRect().Height() / 3;
        area = PackedRect(0, 0, C16(width - 1), C16(height - 1));
    }
    m_text->SetRect(area, false);
    m_text->SetHAlign(AlignStart, false);
    m_text->CWindow::SetText(text, false);
    const int32_t pageWidth = m_text->PageWidth();
    const int32_t pageHeight = m_text->PageHeight();
    m_text->SetRect(PackedRect(0, 0, C16(pageWidth - 1), C16(pageHeight - 1)), false);
    m_text->SetHAlign(AlignCentre, true);
    PackedRect balloon(0, 0, C16(pageWidth - 1), C16(pageHeight - 1));
    balloon.Inflate(Margins());
    SetRect(balloon, false);
    if (redraw)
        Invalidate();
}

void CHintWnd::ShowAt(const PackedPoint& point)
{
    if (m_text->Text().IsEmpty())
        return;
    Place(point);
    RunModalLoop(this, true);
}

void CHintWnd::Place(const PackedPoint& point)
{
    CWindow* root = CWindowMgr::Root();
    const int32_t screenWidth = root != nullptr ? root->Width() : 0;
    const int32_t screenHeight = root != nullptr ? root->Height() : 0;
    HintArrowMetrics metrics[HintArrowCount];
    for (int i = 0; i < HintArrowCount; ++i) {
        if (m_arrows[i].HasHeader())
            metrics[i] = HintArrowMetrics{m_arrows[i].Width(), m_arrows[i].HotX()};
    }
    const int32_t width = Width();
    const int32_t height = Height();
    const HintPlacement place =
        PlaceHintBalloon(point.X(), point.Y(), screenWidth, screenHeight, width, height, metrics);
    m_arrow = place.arrow;
    m_arrowPosition = PackedPoint(C16(place.arrowX), C16(place.arrowY));
    SetRect(
        PackedRect(C16(place.left), C16(place.top), C16(place.left + width - 1), C16(place.top + height - 1)),
        true);
}

void CHintWnd::Paint(const PackedRect& rect)
{
    CFrameWnd::Paint(rect);
    if (m_arrow == HintArrowNone || !m_arrows[m_arrow].HasHeader() || !m_canvas.IsBound())
        return;
    if (!m_canvas.PushClip(rect))
        return;
    DrawImage(m_canvas, m_arrowPosition.X(), m_arrowPosition.Y(), m_arrows[m_arrow], UndefinedRect);
    m_canvas.PopClip();
}

void CHintWnd::OnPenDown(const PackedPoint& point)
{
    WindowGuard guard(this);
    CFrameWnd::OnPenDown(point);
    if (guard.Alive())
        Show(false, false);
}

// ---- CHintMgr ----

uint32_t CHintMgr::Init()
{
    LogWrite("HINT_MGR: Creating hint window...");
    delete g_balloon;
    g_balloon = new (std::nothrow) CHintWnd(nullptr, CStr(), true);
    if (g_balloon == nullptr)
        return 0;
    g_balloon->SetSkin(CStr("Hint"), false);
    ToolkitHooks hooks = GetToolkitHooks();
    hooks.attachHint = AttachHintHook;
    hooks.showHintFor = ShowHintHook;
    SetToolkitHooks(hooks);
    return 1;
}

void CHintMgr::Shutdown()
{
    // The balloon goes with the root window; only the hooks are ours.
    ToolkitHooks hooks = GetToolkitHooks();
    hooks.attachHint = nullptr;
    hooks.showHintFor = nullptr;
    SetToolkitHooks(hooks);
    g_balloon = nullptr;
}

CHintWnd* CHintMgr::Balloon()
{
    return g_balloon;
}

void CHintMgr::AttachHint(CWindow* window)
{
    if (window != nullptr)
        window->BindHandler(HandlerPenDown, &g_hintTap, &HintTap::OnPenDown);
}

PackedPoint CHintMgr::AnchorPoint(CWindow* window, const PackedPoint& point, uint32_t mode)
{
    const PackedRect screen = window->GetNode() != nullptr ? window->GetNode()->screenRect : UndefinedRect;
    const int32_t left = screen.IsDefined() ? screen.Left() : 0;
    const int32_t top = screen.IsDefined() ? screen.Top() : 0;
    if (mode == HintAtWindowCentre) {
        return PackedPoint(C16(left + window->Width() / 2), C16(top + window->Height() / 2));
    }
    if (mode == HintAtTapPoint)
        return PackedPoint(C16(point.X() + left), C16(point.Y() + top));
    return point;
}

void CHintMgr::ShowHintFor(CWindow* window, const PackedPoint& point)
{
    if (window == nullptr)
        return;
    auto* link = static_cast<CHintHelpLink*>(window->QueryInterface(IidHintHelpLink));
    if (link == nullptr || link->Hint() == nullptr)
        return;
    ShowHintText(window, link->Hint()->Text(), &point);
}

void CHintMgr::ShowHintText(CWindow* window, const CStr& text, const PackedPoint* point, uint32_t mode)
{
    if (window == nullptr || g_balloon == nullptr)
        return;
    const PackedPoint anchor = AnchorPoint(window, point != nullptr ? *point : PackedPoint(0, 0), mode);
    g_balloon->SetText(text, false);
    g_balloon->ShowAt(anchor);
}

#include "ui/screen_wnd.h"

#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"

namespace {
// Screen skins number their animations from 1; a folder never holds more.
constexpr int kMaxAnimations = 999;
}  // namespace

CScreenWnd::CScreenWnd(CWindow* parent, const CStr& path, bool load) : CCompositeWnd(parent, path, false)
{
    m_window->SetFlag(WndSeeThrough, false);
    m_title.bar = UndefinedRect;
    CUiTree& tree = CUIMgr::Tree();
    int16_t x = -1, y = -1;
    bool settings = false;
    // Relative entries are read only from the screen's own node.
    {
        TreeNodeScope scope;
        if (scope.Saved() && !path.IsEmpty() && tree.GoToPath(path.Chars())) {
            if (tree.ResolvePath("Settings_") && tree.SelectedNode() >= 0) {
                m_paletteName = CUIMgr::NextString();
                x = tree.ReadValue();
                y = tree.ReadValue();
                settings = true;
            }
            m_music = new CUiSound(CStr("SndMusic_"));
            m_music->Reload(false);
        } else {
            m_music = new CUiSound(CStr());
        }
    }
    if (load)
        LoadLayout(false);
    if (settings && !(x == -1 && y == -1)) {
        m_anchor = PackedPoint(x, y);
        PlaceWallpaper();
    }
}

CScreenWnd::~CScreenWnd()
{
    ClearAnimations();
    delete m_music;
    m_music = nullptr;
    ReleasePalette();
}

void* CScreenWnd::QueryInterface(int32_t id)
{
    if (id == IidScreenWnd)
        return this;
    if (id == IidSkinTarget)
        return static_cast<CSkinTarget*>(this);
    return CCompositeWnd::QueryInterface(id);
}

bool CScreenWnd::LoadLayout(bool keepVisibility)
{
    const bool was = m_link.SetRefreshEnabled(false);
    if (!ReloadLayout(keepVisibility)) {
        m_link.SetRefreshEnabled(was);
        return false;
    }
    SetSkin(CUIMgr::NextString(), false);
    SetTitle(CUIMgr::Tree().ReadText(), false);
    titleColour = static_cast<uint8_t>(CUIMgr::Tree().ReadValue() & 0xFF);
    m_link.SetRefreshEnabled(was);
    if (was)
        m_link.Refresh();
    return true;
}

void CScreenWnd::ClearAnimations()
{
    while (!m_animations.empty()) {
        delete m_animations.back();
        m_animations.pop_back();
    }
}

uint32_t CScreenWnd::SetSkin(const CStr& name, bool redraw)
{
    ClearAnimations();
    {
        ResourceFolderScope folderScope;
        const CStr folder = (!name.IsEmpty() && name.At(0) == '/')
                                ? name
                                : CStr::Concat(CPathMgr::Path(CPathMgr::kSkin), name);
        CResourceMgr::SetCurrentFolder(folder.Chars());
        m_wallpaper.Clear();
        m_anchor = UndefinedPoint;
        m_size = UndefinedPoint;
        if (LoadImage("wallpaper", m_wallpaper)) {
            m_anchor = PackedPoint(m_wallpaper.HotX(), m_wallpaper.HotY());
            m_size = PackedPoint(m_wallpaper.Width(), m_wallpaper.Height());
        }
        for (int n = 1; n <= kMaxAnimations; ++n) {
            CStr animationName;
            animationName.Format("animation%03d", n);
            AnimData anim;
            if (!LoadAnimation(animationName.Chars(), anim))
                break;
            CAnimElement* element = new (std::nothrow) CAnimElement(anim, kUnknownSize, kUnknownSize);
            if (!element)
                break;
            element->FitToContent();
            element->BindFrameHandler(this, &CScreenWnd::OnAnimationFrame);
            m_animations.push_back(element);
            element->Start();
        }
        m_titleLeft.Clear();
        m_titleRight.Clear();
        m_titleCentre.Clear();
        LoadImage("title_l", m_titleLeft);
        LoadImage("title_r", m_titleRight);
        LoadImage("title_c", m_titleCentre);
    }
    m_window->OnSize();
    PlaceWallpaper();
    if (redraw)
        m_window->Invalidate(UndefinedRect, true);
    return 1;
}

void CScreenWnd::PlaceWallpaper()
{
    if (!m_window->WindowRect().IsDefined())
        return;
    // Without a wallpaper there is nothing to place: the origin stays at the corner.
    if (!m_anchor.IsDefined() || !m_size.IsDefined()) {
        m_position = PackedPoint(0, 0);
        return;
    }
    const int32_t w = m_window->Width(), h = m_window->Height();
    int32_t px = w >> 1, py = h >> 1;
    const int32_t ax = m_anchor.X(), ay = m_anchor.Y();
    if (px - ax > 0)
        px = ax;
    if (py - ay > 0)
        py = ay;
    if (px - ax + m_size.X() < w)
        px = w - m_size.X() + ax;
    if (py - ay + m_size.Y() < h)
        py = h - m_size.Y() + ay;
    m_position = PackedPoint(px, py);
}

void CScreenWnd::OnSize()
{
    CCompositeWnd::OnSize();
    PlaceWallpaper();
}

void CScreenWnd::SetTitle(const CStr& key, bool redraw)
{
    CStr text;
    if (!key.IsEmpty())
        GetLocaleText(key.Chars(), text);
    m_titleText = text;
    m_window->SetText(text, true);
    LayoutTitle();
    if (redraw && m_title.bar.IsDefined() && m_title.bar.Height() > 0)
        m_window->Invalidate(m_title.bar, true);
}

void CScreenWnd::LayoutTitle()
{
    if (m_window->Text().IsEmpty()) {
        m_title = TitleLayout{};
        return;
    }
    m_title =
        LayoutTitleBar(m_titleLeft, m_titleRight, m_titleCentre, m_window->Text(), m_window->Width(), 0);
    m_window->SetMargins(PackedRect(0, m_title.bar.Bottom(), 0, 0), false);
}

void CScreenWnd::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    // Everything is placed from the wallpaper's top-left, the position
    // minus the anchor, so the wallpaper, its animations and their repaints
    // agree whichever anchor is in force.
    const int32_t ox = m_position.X() - (m_anchor.IsDefined() ? m_anchor.X() : 0);
    const int32_t oy = m_position.Y() - (m_anchor.IsDefined() ? m_anchor.Y() : 0);
    if (m_wallpaper.HasHeader())
        DrawImage(m_canvas, ox + m_wallpaper.HotX(), oy + m_wallpaper.HotY(), m_wallpaper, UndefinedRect);
    for (auto it = m_animations.rbegin(); it != m_animations.rend(); ++it)
        (*it)->Draw(m_canvas, ox, oy);
    DrawTitleBar(m_canvas, m_title, m_titleLeft, m_titleRight, m_titleCentre, m_window->Text(), titleColour);
    m_canvas.PopClip();
}

void CScreenWnd::OnAnimationFrame(CAlignedBox* element)
{
    if (!m_window || !m_window->IsVisible())
        return;
    CAnimElement* anim = static_cast<CAnimElement*>(element);
    PackedRect rect = anim->FrameRect();
    if (!rect.IsDefined())
        return;
    rect.OffsetBy(anim->Position());
    rect.Offset(static_cast<int16_t>(m_position.X() - (m_anchor.IsDefined() ? m_anchor.X() : 0)),
                static_cast<int16_t>(m_position.Y() - (m_anchor.IsDefined() ? m_anchor.Y() : 0)));
    m_window->Invalidate(rect, true);
}

void CScreenWnd::PlayMusic(bool on)
{
    if (!m_music)
        return;
    if (on) {
        m_music->Sound().Play();
    } else {
        m_music->Sound().Stop();
    }
}

void CScreenWnd::StartAnimations()
{
    for (auto it = m_animations.rbegin(); it != m_animations.rend(); ++it)
        (*it)->Resume();
}

void CScreenWnd::StopAnimations()
{
    for (auto it = m_animations.rbegin(); it != m_animations.rend(); ++it)
        (*it)->Pause();
}

void CScreenWnd::OnShow()
{
    // One push per stretch of being shown: a screen shown again while it is
    // visible keeps its one entry on the bounded palette stack.
    if (!m_paletteName.IsEmpty() && !m_palettePushed) {
        RawResource palette;
        bool loaded = false;
        {
            ResourceFolderScope folderScope;
            CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars());
            loaded = CResourceMgr::LoadPalette(m_paletteName.Chars(), palette) && palette.size >= 768;
        }
        // A palette that cannot be loaded leaves the display's palette alone.
        if (loaded && PushPalette()) {
            m_palettePushed = true;
            SetDisplayPalette(palette.data);
        }
    }
    StartAnimations();
    CCompositeWnd::OnShow();
}

void CScreenWnd::OnHide()
{
    CCompositeWnd::OnHide();
    StopAnimations();
    ReleasePalette();
}

void CScreenWnd::ReleasePalette()
{
    if (!m_palettePushed)
        return;
    m_palettePushed = false;
    PopPalette();
}

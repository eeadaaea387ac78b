#include "ui/skin.h"

#include <algorithm>
#include <list>
#include <strings.h>

#include "core/draw_context.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/sound_mgr.h"
#include "ui/ui_link.h"
#include "ui/window.h"

namespace {

int16_t W(const ImageData& image)
{
    return image.HasHeader() ? static_cast<int16_t>(image.Width()) : 0;
}
int16_t H(const ImageData& image)
{
    return image.HasHeader() ? static_cast<int16_t>(image.Height()) : 0;
}

// Most recently used first.
std::list<CSkinItem*>& Cache()
{
    static std::list<CSkinItem*> cache;
    return cache;
}

template <typename Kind>
Kind* LookUp(const CStr& name, int32_t iid)
{
    if (name.IsEmpty())
        return nullptr;
    auto& cache = Cache();
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if (strcasecmp((*it)->Name().Chars(), name.Chars()) == 0) {
            CSkinItem* item = *it;
            cache.erase(it);
            cache.push_front(item);
            return static_cast<Kind*>(item->QueryInterface(iid));
        }
    }
    Kind* skin = new (std::nothrow) Kind(name);
    if (!skin)
        return nullptr;
    {
        ResourceFolderScope scope;
        const char first = name.At(0);
        const CStr folder =
            (first == ':' || first == '/') ? name : CStr::Concat(CPathMgr::Path(CPathMgr::kSkin), name);
        CResourceMgr::SetCurrentFolder(folder.Chars());
        skin->value = (skin->value & ~0xFFu) | (skin->Load() & 0xFFu);
    }
    cache.push_front(skin);
    return skin;
}

CStr Suffixed(const char* name, const char* suffix)
{
    return CStr::ConcatChars(CStr(name), suffix);
}

}  // namespace

bool LoadImageSlot(const char* name, ImageData& image)
{
    image.Clear();
    return LoadImage(name, image);
}

bool LoadSoundSlot(const char* name, SoundData& sound)
{
    sound.Clear();
    return LoadSound(name, sound);
}

void PlaySkinSound(const SoundData& sound)
{
    if (sound.HasHeader())
        CSoundMgr::PlaySound(sound, 255, CSoundMgr::DefaultSecondValue());
}

// ---- CFrameSkin ----

bool CFrameSkin::Load(const char* tl, const char* t, const char* tr, const char* l, const char* c,
                      const char* r, const char* bl, const char* b, const char* br)
{
    bool any = false;
    any |= LoadImageSlot(tl, topLeft);
    any |= LoadImageSlot(t, topEdge);
    any |= LoadImageSlot(tr, topRight);
    any |= LoadImageSlot(l, leftEdge);
    any |= LoadImageSlot(c, client);
    any |= LoadImageSlot(r, rightEdge);
    any |= LoadImageSlot(bl, bottomLeft);
    any |= LoadImageSlot(b, bottomEdge);
    any |= LoadImageSlot(br, bottomRight);
    m_loaded = any ? 1 : 0;
    Measure();
    return any;
}

bool CFrameSkin::LoadRow(const char* tl, const char* t, const char* tr)
{
    bool any = false;
    any |= LoadImageSlot(tl, topLeft);
    any |= LoadImageSlot(t, topEdge);
    any |= LoadImageSlot(tr, topRight);
    m_loaded = any ? 1 : 0;
    Measure();
    return any;
}

bool CFrameSkin::LoadColumn(const char* tl, const char* l, const char* bl)
{
    bool any = false;
    any |= LoadImageSlot(tl, topLeft);
    any |= LoadImageSlot(l, leftEdge);
    any |= LoadImageSlot(bl, bottomLeft);
    m_loaded = any ? 1 : 0;
    Measure();
    return any;
}

bool CFrameSkin::LoadCorner(const char* tl)
{
    m_loaded = LoadImageSlot(tl, topLeft) ? 1 : 0;
    Measure();
    return m_loaded != 0;
}

void CFrameSkin::Measure()
{
    m_left = std::max({W(leftEdge), W(topLeft), W(bottomLeft)});
    m_right = std::max({W(rightEdge), W(topRight), W(bottomRight)});
    m_top = std::max({H(topEdge), H(topLeft), H(topRight)});
    m_bottom = std::max({H(bottomEdge), H(bottomLeft), H(bottomRight)});
    m_insets = PackedRect(m_left, m_top, m_right, m_bottom);
    if (!client.HasHeader() && !leftEdge.HasHeader() && !rightEdge.HasHeader()) {
        m_insets.SetTop(0);
        m_insets.SetBottom(0);
    }
    if (!client.HasHeader() && !topEdge.HasHeader() && !bottomEdge.HasHeader()) {
        m_insets.SetLeft(0);
        m_insets.SetRight(0);
    }
}

PackedRect CFrameSkin::FitRect(const PackedRect& rect) const
{
    if (!m_loaded || !rect.IsDefined())
        return rect;
    PackedRect fitted = rect;
    if (!topEdge.HasHeader() && !client.HasHeader() && !bottomEdge.HasHeader()) {
        fitted.SetRight(fitted.Left() + m_left + m_right - 1);
    }
    if (!leftEdge.HasHeader() && !client.HasHeader() && !rightEdge.HasHeader()) {
        fitted.SetBottom(fitted.Top() + m_top + m_bottom - 1);
    }
    return fitted;
}

namespace {
struct Strip {
    int32_t left, top, right, bottom;
    bool Empty() const { return right < left || bottom < top; }
    PackedRect Rect() const { return PackedRect(left, top, right, bottom); }
};
void Tile(CDrawContext& dc, const Strip& strip, const ImageData& image)
{
    if (image.HasHeader() && !strip.Empty())
        TileImage(dc, strip.Rect(), image);
}
void Put(CDrawContext& dc, int32_t x, int32_t y, const ImageData& image)
{
    DrawImage(dc, x, y, image, UndefinedRect);
}
}  // namespace

void CFrameSkin::Draw(CDrawContext& dc, const PackedRect& rect) const
{
    if (!rect.IsDefined())
        return;
    const int32_t x = rect.Left(), y = rect.Top(), r = rect.Right(), b = rect.Bottom();
    Strip top{x, y, r, y + m_top - 1}, left{x, y, x + m_left - 1, b}, right{r - m_right + 1, y, r, b},
        bottom{x, b - m_bottom + 1, r, b};
    if (!dc.PushClip(rect))
        return;
    if (topLeft.HasHeader()) {
        Put(dc, left.left, left.top, topLeft);
        left.top += H(topLeft);
        top.left += W(topLeft);
    }
    if (topRight.HasHeader()) {
        Put(dc, right.right - W(topRight) + 1, right.top, topRight);
        right.top += H(topRight);
        top.right -= W(topRight);
    }
    if (bottomLeft.HasHeader()) {
        Put(dc, left.left, left.bottom - H(bottomLeft) + 1, bottomLeft);
        left.bottom -= H(bottomLeft);
        bottom.left += W(bottomLeft);
    }
    if (bottomRight.HasHeader()) {
        Put(dc, right.right - W(bottomRight) + 1, right.bottom - H(bottomRight) + 1, bottomRight);
        right.bottom -= H(bottomRight);
        bottom.right -= W(bottomRight);
    }
    if (topEdge.HasHeader()) {
        Tile(dc, Strip{top.left, top.top, top.right, top.top + H(topEdge) - 1}, topEdge);
        top.top += H(topEdge);
    }
    if (bottomEdge.HasHeader()) {
        Tile(dc, Strip{bottom.left, bottom.bottom - H(bottomEdge) + 1, bottom.right, bottom.bottom},
             bottomEdge);
        bottom.bottom -= H(bottomEdge);
    }
    if (leftEdge.HasHeader()) {
        Tile(dc, Strip{left.left, left.top, left.left + W(leftEdge) - 1, left.bottom}, leftEdge);
        left.left += W(leftEdge);
    }
    if (rightEdge.HasHeader()) {
        Tile(dc, Strip{right.right - W(rightEdge) + 1, right.top, right.right, right.bottom}, rightEdge);
        right.right -= W(rightEdge);
    }
    if (client.HasHeader()) {
        Tile(dc, top, client);
        Tile(dc, left, client);
        Tile(dc, right, client);
        Tile(dc, bottom, client);
        Tile(dc, Strip{left.right + 1, top.bottom + 1, right.left - 1, bottom.top - 1}, client);
    }
    dc.PopClip();
}

// ---- Skin items ----

void* CSkinItem::QueryInterface(int32_t id)
{
    return id == IidSkinItem ? this : nullptr;
}

void* CButtonSkin::QueryInterface(int32_t id)
{
    return id == IidButtonSkin ? this : CSkinItem::QueryInterface(id);
}

uint32_t CButtonSkin::Load()
{
    const char* suffixes[3] = {"", "_push", "_dis"};
    CFrameSkin* looks[3] = {&normal, &pushed, &disabled};
    bool any = false;
    for (int i = 0; i < 3; ++i) {
        any |= looks[i]->LoadRow(Suffixed("btn_l", suffixes[i]), Suffixed("btn_c", suffixes[i]),
                                 Suffixed("btn_r", suffixes[i]));
    }
    if (!any) {
        for (int i = 0; i < 3; ++i) {
            any |= looks[i]->LoadColumn(Suffixed("btn_u", suffixes[i]), Suffixed("btn_m", suffixes[i]),
                                        Suffixed("btn_d", suffixes[i]));
        }
    }
    if (!any) {
        for (int i = 0; i < 3; ++i) {
            const char* s = suffixes[i];
            looks[i]->Load(Suffixed("btnfrm_ul", s), Suffixed("btnfrm_u", s), Suffixed("btnfrm_ur", s),
                           Suffixed("btnfrm_l", s), Suffixed("client", s), Suffixed("btnfrm_r", s),
                           Suffixed("btnfrm_dl", s), Suffixed("btnfrm_d", s), Suffixed("btnfrm_dr", s));
        }
    }
    LoadSoundSlot("click", click);
    LoadSoundSlot("penup", penUp);
    LoadSoundSlot("pendown", penDown);
    LoadSoundSlot("push", push);
    LoadSoundSlot("release", release);
    return 1;
}

void* CFrameWndSkin::QueryInterface(int32_t id)
{
    return id == IidFrameWndSkin ? this : CSkinItem::QueryInterface(id);
}

uint32_t CFrameWndSkin::Load()
{
    frame.Load("frame_ul", "frame_u", "frame_ur", "frame_l", "client", "frame_r", "frame_dl", "frame_d",
               "frame_dr");
    LoadImageSlot("title_l", titleLeft);
    LoadImageSlot("title_r", titleRight);
    LoadImageSlot("title_c", titleCentre);
    LoadSoundSlot("show", showSound);
    LoadSoundSlot("hide", hideSound);
    return 1;
}

// ---- The cache ----

CButtonSkin* GetButtonSkin(const CStr& name)
{
    return LookUp<CButtonSkin>(name, IidButtonSkin);
}
CFrameWndSkin* GetFrameWndSkin(const CStr& name)
{
    return LookUp<CFrameWndSkin>(name, IidFrameWndSkin);
}

void ClearSkinCache()
{
    auto& cache = Cache();
    while (!cache.empty()) {
        CSkinItem* item = cache.front();
        cache.pop_front();
        delete item;
    }
}

int32_t SkinCacheCount()
{
    return static_cast<int32_t>(Cache().size());
}

CButtonSkin& DefaultButtonSkin()
{
    static CButtonSkin skin{CStr()};
    return skin;
}

CFrameWndSkin& DefaultFrameWndSkin()
{
    static CFrameWndSkin skin{CStr()};
    return skin;
}

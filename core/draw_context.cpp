#include "core/draw_context.h"

#include <algorithm>

#include "core/display_surface.h"
#include "core/surface_memory.h"

CDrawContext::CDrawContext()
{
    for (auto& c : m_clips) {
        c = UndefinedRect;
    }
    for (auto& o : m_origins) {
        o = PackedPoint(0, 0);
    }
}

CDrawContext::~CDrawContext()
{
    ReleaseSurface();
}

void CDrawContext::ReleaseSurface()
{
    if (!m_ownsSurface) {
        return;
    }
    if (CDisplaySurface* display = GetDisplaySurface()) {
        display->FreeSurfaceMemory(m_surface);
    } else {
        FreeSurfacePixels(m_surface);
    }
    m_ownsSurface = 0;
}

void CDrawContext::RebaseClips(const PackedRect& base)
{
    m_clips[0] = base;
    for (int32_t i = 1; i < m_clipDepth; ++i) {
        m_clips[i].Intersect(base);
    }
}

bool CDrawContext::CreateSurface(int32_t width, int32_t height, PixelFormat format)
{
    ReleaseSurface();
    m_root = nullptr;
    m_offset = UndefinedPoint;
    m_surface = SurfaceDesc{};
    m_surface.format = format;
    m_surface.area = PackedRect(0, 0, width - 1, height - 1);
    bool ok = true;
    if (width != 0 && height != 0) {
        CDisplaySurface* display = GetDisplaySurface();
        ok = display ? display->AllocSurfaceMemory(m_surface) : AllocateSurfacePixels(m_surface);
        if (ok) {
            m_ownsSurface = 1;
        } else {
            // No memory: describe nothing, so every drawing is clipped away
            // instead of writing through a null pixel pointer.
            m_surface = SurfaceDesc{};
            m_surface.format = format;
            RebaseClips(UndefinedRect);
            return false;
        }
    }
    RebaseClips(PackedRect(0, 0, width - 1, height - 1));
    return ok;
}

void CDrawContext::AttachTo(const CDrawContext& parent, const PackedRect& rect)
{
    ReleaseSurface();
    PackedPoint corner = rect.TopLeft();
    if (parent.m_root) {
        m_root = parent.m_root;
        m_offset = corner;
        m_offset.Add(parent.m_offset);
    } else {
        m_root = const_cast<CDrawContext*>(&parent);
        m_offset = corner;
    }
    PackedRect visible = parent.m_surface.area;
    visible.Intersect(rect);
    visible.Offset(static_cast<int16_t>(-corner.X()), static_cast<int16_t>(-corner.Y()));

    const SurfaceDesc& p = parent.m_surface;
    m_surface.pixels = p.pixels ? p.At(corner.X(), corner.Y()) : nullptr;
    m_surface.pitch = p.pitch;
    m_surface.format = p.format;
    m_surface.displayWord = p.displayWord;
    m_surface.area = visible;

    PackedRect base = rect;
    base.MoveToOrigin();
    RebaseClips(base);
}

bool CDrawContext::PushClip(const PackedRect& rect)
{
    if (m_clipDepth >= ClipStackSize) {
        return false;
    }
    PackedRect clip = rect;
    clip.Intersect(m_clips[m_clipDepth - 1]);
    m_clips[m_clipDepth++] = clip;
    return true;
}

PackedRect CDrawContext::PopClip()
{
    if (m_clipDepth <= 1) {
        return UndefinedRect;
    }
    return m_clips[--m_clipDepth];
}

bool CDrawContext::PushOrigin(const PackedPoint& point)
{
    if (m_originDepth >= OriginStackSize) {
        return false;
    }
    PackedPoint origin = point;
    origin.Add(m_origins[m_originDepth - 1]);
    m_origins[m_originDepth++] = origin;
    return true;
}

PackedPoint CDrawContext::PopOrigin()
{
    if (m_originDepth <= 1) {
        return UndefinedPoint;
    }
    return m_origins[--m_originDepth];
}

PackedRect CDrawContext::GetClipRect() const
{
    PackedRect clip = CurrentClip();
    clip.Intersect(m_surface.area);
    return clip;
}

void CDrawContext::ApplyOrigin(int32_t& x, int32_t& y) const
{
    x += CurrentOrigin().X();
    y += CurrentOrigin().Y();
}

void CDrawContext::MarkDirty(const PackedRect& rect) const
{
    CDisplaySurface* display = GetDisplaySurface();
    if (!display) {
        return;
    }
    if (m_root) {
        if (m_root == display->ScreenContext()) {
            PackedRect moved = rect;
            moved.OffsetBy(m_offset);
            display->AddDirtyRect(moved);
        }
    } else if (this == display->ScreenContext()) {
        display->AddDirtyRect(rect);
    }
}

void CDrawContext::CopyFrom(const PackedRect& destination, const CDrawContext& source,
                            const PackedRect& sourceRect)
{
    if (!destination.IsDefined() || !sourceRect.IsDefined()) {
        return;
    }
    int32_t h = std::min<int32_t>(destination.Height(), sourceRect.Height());
    int32_t w = std::min<int32_t>(destination.Width(), sourceRect.Width());
    if (w <= 0 || h <= 0) {
        return;
    }
    PackedRect block(0, 0, w - 1, h - 1);
    block.OffsetBy(sourceRect.TopLeft());
    int32_t px = destination.Left() + CurrentOrigin().X();
    int32_t py = destination.Top() + CurrentOrigin().Y();
    block.OffsetBy(source.CurrentOrigin());

    // The effective clips: what each surface really has, so a copy never
    // reads or writes outside either block of pixels.
    PackedRect clip = GetClipRect();
    if (!clip.IsDefined() || !m_surface.pixels || !source.m_surface.pixels) {
        return;
    }
    if (px < clip.Left()) {
        block.SetLeft(block.Left() + (clip.Left() - px));
        px = clip.Left();
    }
    if (py < clip.Top()) {
        block.SetTop(block.Top() + (clip.Top() - py));
        py = clip.Top();
    }
    if (block.Left() < 0) {
        px -= block.Left();
        block.SetLeft(0);
    }
    if (block.Top() < 0) {
        py -= block.Top();
        block.SetTop(0);
    }
    PackedRect sourceClip = source.m_clips[0];
    sourceClip.Intersect(source.m_surface.area);
    block.Intersect(sourceClip);
    if (!block.IsDefined() || block.Right() < block.Left() || block.Bottom() < block.Top()) {
        return;
    }
    int32_t dx = px - block.Left();
    int32_t dy = py - block.Top();
    PackedRect placed = block;
    placed.Offset(static_cast<int16_t>(dx), static_cast<int16_t>(dy));
    placed.Intersect(clip);
    if (!placed.IsDefined()) {
        return;
    }
    block = placed;
    block.Offset(static_cast<int16_t>(-dx), static_cast<int16_t>(-dy));
    PackedPoint point = placed.TopLeft();
    if (CDisplaySurface* display = GetDisplaySurface()) {
        display->CopyRect(m_surface, source.m_surface, block, point);
    } else {
        CopySurfaceRect(m_surface, source.m_surface, block, point);
    }
    MarkDirty(placed);
}

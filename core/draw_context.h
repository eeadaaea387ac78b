#pragma once
// CDrawContext: the target of every drawing operation. It names a pixel
// surface (the screen's back buffer, an off-screen buffer, or a rectangle of
// another context's surface), keeps a stack of clip rectangles and a stack of
// origins, and reports what is drawn on the screen's surface to the display
// as dirty rectangles.
//
// Positions given to drawing operations are logical: the current origin is
// added to get surface coordinates. Clip rectangles are kept in surface
// coordinates. At most 3 clips and 1 origin can be pushed at a time; a push
// beyond that is refused (false) and a pop below the base entry does nothing.

#include <cstdint>

#include "core/packed_geometry.h"
#include "core/surface_desc.h"

class CDrawContext {
public:
    static constexpr int32_t ClipStackSize = 4;    // the base clip and 3 pushed
    static constexpr int32_t OriginStackSize = 2;  // the base origin and 1 pushed

    CDrawContext();
    ~CDrawContext();
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    // Makes this context a root with a surface of its own. A surface of zero
    // width or height is described but not allocated. When the memory cannot
    // be had, the area and base clip stay undefined, so drawing draws nothing,
    // and the result is false.
    bool CreateSurface(int32_t width, int32_t height, PixelFormat format = DefaultPixelFormat);
    // Draws into the rectangle (parent's surface coordinates) of the parent's surface.
    void AttachTo(const CDrawContext& parent, const PackedRect& rect);

    bool PushClip(const PackedRect& rect);
    // Returns the popped (intersected) clip; UndefinedRect when only the base is left.
    PackedRect PopClip();
    bool PushOrigin(const PackedPoint& point);
    PackedPoint PopOrigin();

    // The current clip intersected with the surface area.
    PackedRect GetClipRect() const;
    const PackedRect& CurrentClip() const { return m_clips[m_clipDepth - 1]; }
    const PackedPoint& CurrentOrigin() const { return m_origins[m_originDepth - 1]; }
    int32_t ClipDepth() const { return m_clipDepth; }
    int32_t OriginDepth() const { return m_originDepth; }
    void ApplyOrigin(int32_t& x, int32_t& y) const;
    // Reports a drawn rectangle (this context's surface coordinates) to the
    // display when the context draws on the screen.
    void MarkDirty(const PackedRect& rect) const;
    // Copies the block (source rect of the source context) to the destination
    // rectangle's top-left, clipped to this context's clip.
    void CopyFrom(const PackedRect& destination, const CDrawContext& source, const PackedRect& sourceRect);

    const SurfaceDesc& Surface() const { return m_surface; }
    CDrawContext* Root() const { return m_root; }
    PackedPoint Offset() const { return m_offset; }
    bool OwnsSurface() const { return m_ownsSurface != 0; }

private:
    void ReleaseSurface();
    void RebaseClips(const PackedRect& base);

    CDrawContext* m_root = nullptr;
    PackedPoint m_offset = UndefinedPoint;
    PackedRect m_clips[ClipStackSize];
    int32_t m_clipDepth = 1;
    PackedPoint m_origins[OriginStackSize];
    int32_t m_originDepth = 1;
    SurfaceDesc m_surface;
    uint8_t m_ownsSurface = 0;
};

#include "core/raster.h"

#include <cstring>

#include "core/display_surface.h"
#include "core/draw_context.h"
#include "core/image_rows.h"
#include "core/pack_format.h"
#include "core/resource_mgr.h"

namespace {

struct PaletteState {
    uint8_t currentId = kNoPalette;
    bool locked = false;
    const uint8_t* data = nullptr;
    PaletteList list;
};

PaletteState& Palettes()
{
    static PaletteState state;
    return state;
}

// Where and what part of a picture block to draw; steps 2-5 of drawing.
struct Placement {
    PackedRect part;       // of the encoded block, block coordinates
    int32_t x = 0, y = 0;  // surface position of the part's top-left
    PackedRect drawn;      // surface rectangle
};

bool Place(CDrawContext& dc, int32_t x, int32_t y, int16_t hotX, int16_t hotY, const ImageData& block,
           const PackedRect& cutOut, Placement& out)
{
    dc.ApplyOrigin(x, y);
    x -= hotX;
    y -= hotY;
    PackedRect r(block.BlockX(), block.BlockY(), block.BlockX() + block.BlockWidth() - 1,
                 block.BlockY() + block.BlockHeight() - 1);
    if (block.BlockWidth() == 0 || block.BlockHeight() == 0)
        return false;
    if (cutOut.IsDefined()) {
        x -= cutOut.Left();
        y -= cutOut.Top();
        r.Intersect(cutOut);
    }
    r.Offset(static_cast<int16_t>(x), static_cast<int16_t>(y));
    r.Intersect(dc.GetClipRect());
    if (!r.IsDefined())
        return false;
    out.drawn = r;
    out.x = r.Left();
    out.y = r.Top();
    out.part = r;
    out.part.Offset(static_cast<int16_t>(-block.BlockX() - x), static_cast<int16_t>(-block.BlockY() - y));
    return true;
}

void DrawBlock(CDrawContext& dc, const ImageData& block, const Placement& p, uint8_t paletteId,
               bool transparent)
{
    SelectPalette(paletteId);
    const SurfaceDesc& s = dc.Surface();
    DrawImageRows(p.x, p.y, p.part, block.pixels, block.TableSize(), block.WideLengths(), transparent,
                  s.pitch, s.pixels);
    dc.MarkDirty(p.drawn);
}

}  // namespace

void DrawImage(CDrawContext& dc, int32_t x, int32_t y, const ImageData& image, const PackedRect& cutOut)
{
    if (!image.HasHeader())
        return;
    Placement p;
    if (!Place(dc, x, y, image.HotX(), image.HotY(), image, cutOut, p))
        return;
    DrawBlock(dc, image, p, image.PaletteId(), (image.Flags() & kImageTransparent) != 0);
}

void DrawAnimationFrame(CDrawContext& dc, int32_t x, int32_t y, const AnimData& anim, uint8_t frame,
                        const PackedRect& cutOut)
{
    ImageData view;
    if (!GetFrame(anim, frame, view))
        return;
    Placement p;
    if (!Place(dc, x, y, anim.HotX(), anim.HotY(), view, cutOut, p))
        return;
    DrawBlock(dc, view, p, anim.PaletteId(), anim.FrameTransparent(frame));
}

bool IsImageVisible(CDrawContext& dc, int32_t x, int32_t y, const ImageData& image, const PackedRect& cutOut)
{
    if (!image.HasHeader())
        return false;
    Placement p;
    return Place(dc, x, y, image.HotX(), image.HotY(), image, cutOut, p);
}

void TileImage(CDrawContext& dc, const PackedRect& rect, const ImageData& image)
{
    if (!image.HasHeader())
        return;
    const int32_t w = image.Width(), h = image.Height();
    if (w == 0 || h == 0)
        return;
    PackedRect r = rect;
    r.OffsetBy(dc.CurrentOrigin());
    PackedRect test = r;
    test.Intersect(dc.GetClipRect());
    if (!test.IsDefined())
        return;
    if (!dc.PushClip(r))
        return;
    PackedRect c = dc.GetClipRect();
    if (c.IsDefined()) {
        const PackedPoint origin = dc.CurrentOrigin();
        const int32_t firstColumn = (c.Left() - r.Left()) / w, firstRow = (c.Top() - r.Top()) / h;
        const int32_t columnEnd = (c.Right() - r.Left() + w) / w, rowEnd = (c.Bottom() - r.Top() + h) / h;
        for (int32_t col = firstColumn; col < columnEnd; ++col)
            for (int32_t row = firstRow; row < rowEnd; ++row)
                DrawImage(dc, r.Left() + col * w - origin.X(), r.Top() + row * h - origin.Y(), image,
                          UndefinedRect);
    }
    dc.PopClip();
}

void FillRect(CDrawContext& dc, const PackedRect& rect, uint8_t colour)
{
    PackedRect r = rect;
    r.OffsetBy(dc.CurrentOrigin());
    r.Intersect(dc.GetClipRect());
    if (!r.IsDefined())
        return;
    const SurfaceDesc& s = dc.Surface();
    for (int32_t y = r.Top(); y <= r.Bottom(); ++y)
        ImageFillOp(s.At(r.Left(), y), colour, r.Width(), r.Left(), y);
}

void SetPaletteList(const PaletteList& list)
{
    Palettes().list = list;
}
const PaletteList& GetPaletteList()
{
    return Palettes().list;
}
uint8_t CurrentPaletteId()
{
    return Palettes().currentId;
}
void SetPaletteLock(bool locked)
{
    Palettes().locked = locked;
}
bool IsPaletteLocked()
{
    return Palettes().locked;
}
const uint8_t* CurrentPaletteData()
{
    return Palettes().data;
}

void SelectPalette(uint8_t id)
{
    PaletteState& s = Palettes();
    if (s.locked || id == kCurrentPalette || id == s.currentId)
        return;
    // The id comes from a picture's header: it must name an entry of the list.
    if (s.list.data == nullptr || id >= s.list.count)
        return;
    char name[17] = {};
    std::memcpy(name, s.list.data + 16u * id, 16);
    CStr path = CStr::ConcatChars(CStr("/Palettes/"), name);
    RawResource palette;
    // Only a palette that loaded in full becomes current: after a failure the
    // next picture with this id tries again, and the display keeps what it had.
    if (!CResourceMgr::LoadPalette(path.Chars(), palette) || palette.size < kPaletteSize)
        return;
    s.currentId = id;
    s.data = palette.data;
    SetDisplayPalette(palette.data);
}

void InitRasterOps()
{
    ResetImageRowOps();
    PaletteState& s = Palettes();
    // A palette of an earlier display must not outlive it: its bytes may
    // belong to packs since closed.
    s.currentId = kNoPalette;
    s.data = nullptr;
    s.locked = false;
    static uint8_t* currentId = &Palettes().currentId;
    InstallPaletteSwitch(PaletteSwitch{currentId, &SelectPalette});
}

bool LoadImage(const char* path, ImageData& image)
{
    image.Clear();
    ChunkedBlock block;
    if (!CResourceMgr::GetResourceBlock(path, pack_format::kImageType, block))
        return false;
    return image.Assign(block.Current(), block.TotalSize());
}

bool LoadAnimation(const char* path, AnimData& anim)
{
    anim.Clear();
    ChunkedBlock block;
    if (!CResourceMgr::GetResourceBlock(path, pack_format::kAnimationType, block))
        return false;
    return anim.Assign(block.Current(), block.TotalSize());
}

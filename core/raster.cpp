#include "core/raster.h"

#include <cstring>
#include <vector>

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

namespace {

// A tiled picture decoded once: its block's colours, and which of them the
// picture draws (transparent fills and rows that end early leave pixels as
// they were). Tiles are small and drawn in the dozens, so copying the decoded
// rows costs a fraction of decoding every copy again.
struct DecodedBlock {
    std::vector<uint8_t> colours;
    std::vector<uint8_t> drawn;
    std::vector<uint8_t> wholeRow;  // per row: every pixel of it is drawn
    int32_t width = 0, height = 0;
};

void MarkFill(uint8_t* dest, uint8_t, int count, int, int)
{
    std::memset(dest, 1, count);
}
void MarkCopy(uint8_t* dest, const uint8_t*, int count, int, int)
{
    std::memset(dest, 1, count);
}

void Decode(const ImageData& image, DecodedBlock& out)
{
    out.width = image.BlockWidth();
    out.height = image.BlockHeight();
    const size_t size = static_cast<size_t>(out.width) * out.height;
    out.colours.assign(size, 0);
    out.drawn.assign(size, 0);
    const PackedRect whole(0, 0, out.width - 1, out.height - 1);
    const bool transparent = (image.Flags() & kImageTransparent) != 0;
    const uint16_t pitch = static_cast<uint16_t>(out.width);
    DecodeImageRows(0, 0, whole, image.pixels, image.TableSize(), image.WideLengths(), transparent,
                    DefaultImageFill, DefaultImageCopy, pitch, out.colours.data());
    DecodeImageRows(0, 0, whole, image.pixels, image.TableSize(), image.WideLengths(), transparent, MarkFill,
                    MarkCopy, pitch, out.drawn.data());
    out.wholeRow.assign(out.height, 0);
    for (int32_t row = 0; row < out.height; ++row) {
        const uint8_t* drawn = &out.drawn[static_cast<size_t>(row) * out.width];
        out.wholeRow[row] = std::memchr(drawn, 0, out.width) == nullptr ? 1 : 0;
    }
}

// Puts the part `part` (block coordinates) of a decoded block with its
// top-left pixel at (x, y) of the surface.
void PutDecoded(const SurfaceDesc& surface, const DecodedBlock& block, const PackedRect& part, int32_t x,
                int32_t y)
{
    const int32_t width = part.Width();
    for (int32_t row = part.Top(); row <= part.Bottom(); ++row) {
        const size_t from = static_cast<size_t>(row) * block.width + part.Left();
        uint8_t* out = surface.pixels + static_cast<intptr_t>(y + row - part.Top()) * surface.pitch + x;
        if (block.wholeRow[row]) {
            std::memcpy(out, &block.colours[from], width);
            continue;
        }
        const uint8_t* drawn = &block.drawn[from];
        for (int32_t i = 0; i < width;) {
            if (!drawn[i]) {
                ++i;
                continue;
            }
            int32_t end = i + 1;
            while (end < width && drawn[end])
                ++end;
            std::memcpy(out + i, &block.colours[from + i], end - i);
            i = end;
        }
    }
}

}  // namespace

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
        // Screens that draw pictures in a style of their own decode every
        // copy through their operations.
        const bool plain =
            g_imageRowHook == nullptr && ImageFillOp == DefaultImageFill && ImageCopyOp == DefaultImageCopy;
        const bool several = (columnEnd - firstColumn) * (rowEnd - firstRow) > 1;
        static DecodedBlock decoded;
        bool isDecoded = false;
        PackedRect drawn = UndefinedRect;
        for (int32_t col = firstColumn; col < columnEnd; ++col)
            for (int32_t row = firstRow; row < rowEnd; ++row) {
                Placement p;
                if (!Place(dc, r.Left() + col * w - origin.X(), r.Top() + row * h - origin.Y(), image.HotX(),
                           image.HotY(), image, UndefinedRect, p))
                    continue;
                SelectPalette(image.PaletteId());
                if (!isDecoded && plain && several) {
                    Decode(image, decoded);
                    isDecoded = true;
                }
                // A damaged picture can lie so far from its corner that the
                // 16-bit placement wraps and its part is not inside the block:
                // the row decoder clips what the decoded copy cannot.
                const bool inside = p.part.Left() >= 0 && p.part.Top() >= 0 &&
                                    p.part.Right() < decoded.width && p.part.Bottom() < decoded.height;
                if (isDecoded && inside) {
                    PutDecoded(dc.Surface(), decoded, p.part, p.x, p.y);
                } else {
                    const SurfaceDesc& s = dc.Surface();
                    DrawImageRows(p.x, p.y, p.part, image.pixels, image.TableSize(), image.WideLengths(),
                                  (image.Flags() & kImageTransparent) != 0, s.pitch, s.pixels);
                }
                drawn.Union(p.drawn);
            }
        // One rectangle for the whole area: the tiles touch, and a rectangle
        // per tile only made the display merge them again.
        if (drawn.IsDefined())
            dc.MarkDirty(drawn);
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

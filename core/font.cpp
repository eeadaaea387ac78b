#include "core/font.h"

#include <bit>

#include "core/draw_context.h"
#include "core/pack_format.h"
#include "core/resource_mgr.h"

uint32_t GlyphView::Row(int y) const
{
    if (rows == nullptr || y < 0 || y >= height)
        return 0;
    const uint8_t* p = rows + y * bytesPerRow;
    uint32_t v = 0;
    for (int b = 0; b < bytesPerRow; ++b)
        v |= uint32_t{p[b]} << (8 * b);
    return v;
}

bool FontData::Assign(const uint8_t* data, uint32_t resourceSize)
{
    *this = FontData{};
    if (data == nullptr || resourceSize < kFontHeaderSize)
        return false;
    uint8_t b = data[4];
    if (b != 1 && b != 2 && b != 4)
        return false;
    header = data;
    glyphs = data + kFontHeaderSize;
    size = resourceSize;
    glyphSize = static_cast<uint16_t>(data[0] * b + 1);
    return true;
}

uint32_t FontData::GlyphCount() const
{
    if (header == nullptr || glyphSize == 0)
        return 0;
    return (size - kFontHeaderSize) / glyphSize;
}

GlyphView FontData::GetGlyph(uint8_t code) const
{
    GlyphView g;
    if (header == nullptr || code < FirstCode())
        return g;
    uint32_t index = code - FirstCode();
    if (index >= GlyphCount())
        return g;
    const uint8_t* p = glyphs + index * glyphSize;
    g.width = p[0];
    g.rows = p + 1;
    g.bytesPerRow = BytesPerRow();
    g.height = Height();
    return g;
}

int16_t MeasureTextWidth(const char* text, int32_t length, const FontData& font)
{
    int32_t total = 0;
    for (int32_t i = 0; i < length; ++i)
        total += font.GetGlyph(static_cast<uint8_t>(text[i])).width;
    return static_cast<int16_t>(total);
}

uint16_t MeasureTextHeight(const char* text, int32_t length, const FontData& font)
{
    if (length <= 0)
        return 0;
    int32_t lines = 1;
    for (int32_t i = 0; i + 1 < length; ++i)
        if (text[i] == '\r' && text[i + 1] == '\n')
            ++lines;
    return static_cast<uint16_t>(lines * font.Height());
}

namespace {

DrawnTextObserver g_drawnTextObserver = nullptr;

void ReportDrawnText(const CDrawContext& dc, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text, int32_t length, uint8_t foreground)
{
    const PackedPoint offset = dc.Offset().IsDefined() ? dc.Offset() : PackedPoint(0, 0);
    auto onScreen = [&offset](PackedRect r) {
        if (r.IsDefined())
            r.Offset(offset.X(), offset.Y());
        return r;
    };
    PackedRect window = dc.BaseClip();
    window.Intersect(dc.Surface().area);
    DrawnTextLine drawn;
    drawn.text = text;
    drawn.length = length;
    drawn.line = onScreen(PackedRect(x, y, x + width - 1, y + height - 1));
    drawn.window = onScreen(window);
    drawn.clip = onScreen(dc.GetClipRect());
    const CDrawContext* root = dc.Root() != nullptr ? dc.Root() : &dc;
    drawn.screen = root->Surface().area;
    drawn.foreground = foreground;
    drawn.pixels = dc.Surface().At(-offset.X(), -offset.Y());
    drawn.pitch = dc.Surface().pitch;
    g_drawnTextObserver(drawn);
}

}  // namespace

void SetDrawnTextObserver(DrawnTextObserver observer)
{
    g_drawnTextObserver = observer;
}

int16_t DrawText(CDrawContext& dc, int32_t x, int32_t y, const char* text, int32_t length, uint8_t foreground,
                 uint8_t background, bool transparent, const FontData& font)
{
    if (!font.HasHeader() || length <= 0)
        return 0;
    dc.ApplyOrigin(x, y);
    const int32_t height = font.Height();
    // The line runs to the right edge of the base clip, which starts at column 0.
    const int32_t baseRight = dc.Surface().area.IsDefined() ? dc.Surface().area.Right() : -1;
    PackedRect line(x, y, baseRight, y + height - 1);
    if (height == 0 || baseRight < x)
        line.SetUndefined();
    line.Intersect(dc.GetClipRect());
    if (!line.IsDefined())
        return 0;

    const int32_t visLeft = line.Left() - x, visRight = line.Right() - x;
    const int32_t visTop = line.Top() - y, visBottom = line.Bottom() - y;
    const SurfaceDesc& surface = dc.Surface();
    int32_t pen = 0;
    for (int32_t i = 0; i < length; ++i) {
        GlyphView glyph = font.GetGlyph(static_cast<uint8_t>(text[i]));
        const int32_t w = glyph.width;
        const int32_t first = pen > visLeft ? pen : visLeft;
        const int32_t last = pen + w - 1 < visRight ? pen + w - 1 : visRight;
        if (w > 0 && first <= last) {
            const int32_t firstColumn = first - pen, lastColumn = last - pen;
            const int32_t drawable = glyph.DrawableColumns();
            for (int32_t gy = visTop; gy <= visBottom; ++gy) {
                // Columns past the row's bits are blank; shifting by 32 or
                // more would be undefined, so they are never shifted in.
                uint32_t bits = firstColumn < drawable ? glyph.Row(gy) >> firstColumn : 0;
                uint8_t* out = surface.At(x + first, y + gy);
                if (bits == 0) {
                    if (!transparent)
                        for (int32_t c = firstColumn; c <= lastColumn; ++c)
                            *out++ = background;
                    continue;
                }
                if (transparent) {
                    // Only the set bits matter: visit them and nothing else.
                    const int32_t span = lastColumn - firstColumn;
                    while (bits != 0) {
                        const int32_t k = std::countr_zero(bits);
                        if (k > span)
                            break;
                        out[k] = foreground;
                        bits &= bits - 1;
                    }
                    continue;
                }
                for (int32_t c = firstColumn; c <= lastColumn; ++c, ++out, bits >>= 1)
                    *out = (bits & 1) ? foreground : background;
            }
        }
        pen += w;
    }
    if (g_drawnTextObserver != nullptr && pen > 0 && dc.IsOnScreen())
        ReportDrawnText(dc, x, y, pen, height, text, length, foreground);
    int32_t right = line.Left() + pen - 1;
    if (right < line.Right())
        line.SetRight(right);
    if (pen > 0 && line.Right() >= line.Left())
        dc.MarkDirty(line);
    return static_cast<int16_t>(pen);
}

CCursorList<FontData>& FontList()
{
    static CCursorList<FontData> list;
    return list;
}

uint8_t RegisterFont(const FontData& font)
{
    FontList().AddTail(font);
    return static_cast<uint8_t>(FontList().Count() - 1);
}

const FontData& SelectFont(uint8_t id)
{
    static const FontData none;
    const FontData* font = FontList().GetAt(id);
    return font ? *font : none;
}

void ClearFontList()
{
    FontList().RemoveAll();
}

bool LoadFont(const char* path, FontData& font)
{
    font = FontData{};
    ChunkedBlock block;
    if (!CResourceMgr::GetResourceBlock(path, pack_format::kFontType, block))
        return false;
    return font.Assign(block.Current(), block.TotalSize());
}

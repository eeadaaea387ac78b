#include "core/image_rows.h"

#include <cstddef>
#include <cstring>

ImageFillOpFn ImageFillOp = DefaultImageFill;
ImageCopyOpFn ImageCopyOp = DefaultImageCopy;
ImageRowHook g_imageRowHook = nullptr;

namespace {
uint8_t g_probe = 0;

void ProbeFill(uint8_t*, uint8_t colour, int count, int, int)
{
    if (count != 0)
        g_probe = colour;
}
void ProbeCopy(uint8_t*, const uint8_t* source, int count, int, int)
{
    if (count != 0)
        g_probe = source[0];
}

// Runs are at most 128 pixels and mostly short, so a library call per short
// run would cost more than its pixels. Fixed-size moves, the last one
// overlapping, cover every length without writing past the run.
inline void Copy16(uint8_t* d, const uint8_t* s)
{
    uint64_t a, b;
    std::memcpy(&a, s, 8);
    std::memcpy(&b, s + 8, 8);
    std::memcpy(d, &a, 8);
    std::memcpy(d + 8, &b, 8);
}

inline void CopyRun(uint8_t* d, const uint8_t* s, int n)
{
    if (n >= 64) {
        std::memcpy(d, s, n);  // long enough for the library's wide moves to pay
    } else if (n >= 16) {
        for (int i = 0; i + 16 <= n; i += 16)
            Copy16(d + i, s + i);
        Copy16(d + n - 16, s + n - 16);
    } else if (n >= 8) {
        uint64_t a, b;
        std::memcpy(&a, s, 8);
        std::memcpy(&b, s + n - 8, 8);
        std::memcpy(d, &a, 8);
        std::memcpy(d + n - 8, &b, 8);
    } else if (n >= 4) {
        uint32_t a, b;
        std::memcpy(&a, s, 4);
        std::memcpy(&b, s + n - 4, 4);
        std::memcpy(d, &a, 4);
        std::memcpy(d + n - 4, &b, 4);
    } else {
        for (int i = 0; i < n; ++i)
            d[i] = s[i];
    }
}

inline void FillRun(uint8_t* d, uint8_t colour, int n)
{
    if (n >= 16) {
        const uint64_t v = 0x0101010101010101ull * colour;
        uint64_t pattern[2] = {v, v};
        for (int i = 0; i + 16 <= n; i += 16)
            std::memcpy(d + i, pattern, 16);
        std::memcpy(d + n - 16, pattern, 16);
    } else if (n >= 8) {
        const uint64_t v = 0x0101010101010101ull * colour;
        std::memcpy(d, &v, 8);
        std::memcpy(d + n - 8, &v, 8);
    } else if (n >= 4) {
        uint32_t v = 0x01010101u * colour;
        std::memcpy(d, &v, 4);
        std::memcpy(d + n - 4, &v, 4);
    } else {
        for (int i = 0; i < n; ++i)
            d[i] = colour;
    }
}

// A whole row from its left edge with the default operations: the path of
// almost every picture drawn, so it is kept free of the clipping work.
void PlainRowFromLeft(const uint8_t* p, const uint8_t* end, uint8_t* out, int columns, bool transparent)
{
    while (p < end && columns > 0) {
        const unsigned c = *p;
        if (c == 0 || c >= 0x80) {
            if (end - p < 2)
                return;
            int n = c ? 256 - static_cast<int>(c) : 0;
            const uint8_t colour = p[1];
            p += 2;
            if (n > columns)
                n = columns;
            if (!(transparent && colour == 0))
                FillRun(out, colour, n);
            out += n;
            columns -= n;
        } else {
            const uint8_t* source = p + 1;
            int n = static_cast<int>(c);
            if (end - source < n)
                n = static_cast<int>(end - source);  // a run cut by the row's end
            p = source + n;
            if (n > columns)
                n = columns;
            CopyRun(out, source, n);
            out += n;
            columns -= n;
        }
    }
}

uint32_t RowLength(const uint8_t* table, int row, bool wide)
{
    return wide ? uint32_t(table[2 * row] | (table[2 * row + 1] << 8)) : table[row];
}
}  // namespace

void DefaultImageFill(uint8_t* dest, uint8_t colour, int count, int, int)
{
    std::memset(dest, colour, count);
}
void DefaultImageCopy(uint8_t* dest, const uint8_t* source, int count, int, int)
{
    std::memcpy(dest, source, count);
}

void ResetImageRowOps()
{
    ImageFillOp = DefaultImageFill;
    ImageCopyOp = DefaultImageCopy;
    g_imageRowHook = nullptr;
    g_probe = 0;
}

void DecodeImageRows(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize,
                     bool wideLengths, bool transparent, ImageFillOpFn fill, ImageCopyOpFn copy,
                     uint16_t pitch, uint8_t* dest)
{
    const int left = clip.Left(), top = clip.Top(), right = clip.Right(), bottom = clip.Bottom();
    if (block.data == nullptr || !clip.IsDefined() || left > right || top > bottom || top < 0 || left < 0)
        return;
    if (tableSize > block.size)
        tableSize = block.size;
    const int rowCount = static_cast<int>(tableSize / (wideLengths ? 2 : 1));
    const uint8_t* table = block.data;
    const bool plain = fill == DefaultImageFill && copy == DefaultImageCopy;

    // Rows above the clip are skipped by their table entries alone.
    uint64_t start = tableSize;
    for (int r = 0; r < top && r < rowCount; ++r)
        start += RowLength(table, r, wideLengths);

    for (int r = top; r <= bottom && r < rowCount; ++r) {
        uint64_t length = RowLength(table, r, wideLengths);
        if (start >= block.size)
            break;
        uint64_t available = block.size - start;
        const uint8_t* p = block.data + start;
        const uint8_t* end = p + (length < available ? length : available);
        start += length;

        // The probes decode with no surface at all.
        uint8_t* out = dest ? dest + static_cast<std::ptrdiff_t>(y + r - top) * pitch + x : nullptr;
        if (plain && left == 0 && out) {
            PlainRowFromLeft(p, end, out, right + 1, transparent);
            continue;
        }
        int column = 0;
        bool first = true;
        while (p < end) {
            int8_t c = static_cast<int8_t>(*p);
            bool isFill = c <= 0;
            int count = isFill ? -c : c;
            const uint8_t* source = p + 1;
            if (isFill) {
                if (end - p < 2)
                    break;
                p += 2;
            } else {
                if (end - p < 1 + count)
                    count = static_cast<int>(end - p - 1);  // a run cut by the row's end
                p += 1 + count;
            }
            if (column + count <= left) {
                column += count;
                continue;
            }
            if (first && column < left) {
                int drop = left - column;
                if (!isFill)
                    source += drop;
                count -= drop;
                column = left;
            }
            first = false;
            bool last = column + count - 1 > right;
            if (last)
                count = right - column + 1;
            if (isFill) {
                if (!(transparent && *source == 0)) {
                    if (plain)
                        FillRun(out, *source, count);
                    else
                        fill(out, *source, count, column, r);
                }
            } else if (plain) {
                CopyRun(out, source, count);
            } else {
                copy(out, source, count, column, r);
            }
            if (out)
                out += count;
            column += count;
            if (last)
                break;
        }
    }
}

void DrawImageRows(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize,
                   bool wideLengths, bool transparent, uint16_t pitch, uint8_t* dest)
{
    if (g_imageRowHook != nullptr) {
        g_imageRowHook(x, y, clip, block, tableSize, wideLengths, transparent, ImageFillOp, ImageCopyOp,
                       pitch, dest);
        return;
    }
    DecodeImageRows(x, y, clip, block, tableSize, wideLengths, transparent, ImageFillOp, ImageCopyOp, pitch,
                    dest);
}

namespace {
uint8_t Probe(int x, int y, const ImageData& image)
{
    if (!image.HasHeader())
        return 0;
    int bx = x - image.BlockX(), by = y - image.BlockY();
    if (bx < 0 || by < 0 || bx >= image.BlockWidth() || by >= image.BlockHeight())
        return 0;
    ImageFillOpFn savedFill = ImageFillOp;
    ImageCopyOpFn savedCopy = ImageCopyOp;
    ImageFillOp = ProbeFill;
    ImageCopyOp = ProbeCopy;
    g_probe = 0;
    PackedRect one(bx, by, bx, by);
    // Position (0, 0) with pitch 0 and no surface: the probes never write.
    DrawImageRows(0, 0, one, image.pixels, image.TableSize(), image.WideLengths(), false, 0, nullptr);
    ImageFillOp = savedFill;
    ImageCopyOp = savedCopy;
    return g_probe;
}
}  // namespace

uint8_t ImageHitTest(int x, int y, const ImageData& image)
{
    return Probe(x, y, image);
}

uint8_t ImageHitTestFrame(int x, int y, const AnimData& anim, uint8_t frame)
{
    ImageData view;
    if (!GetFrame(anim, frame, view))
        return 0;
    return Probe(x, y, view);
}

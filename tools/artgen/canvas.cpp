#include "tools/artgen/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

Canvas::Canvas(int w, int h, uint8_t fill)
{
    m_pic.width = static_cast<uint16_t>(w);
    m_pic.height = static_cast<uint16_t>(h);
    m_pic.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), fill);
}

void Canvas::Set(int x, int y, uint8_t c)
{
    if (x < 0 || y < 0 || x >= W() || y >= H())
        return;
    m_pic.pixels[static_cast<size_t>(y) * W() + static_cast<size_t>(x)] = c;
}

uint8_t Canvas::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= W() || y >= H())
        return 0;
    return m_pic.pixels[static_cast<size_t>(y) * W() + static_cast<size_t>(x)];
}

void Canvas::Fill(int x0, int y0, int x1, int y1, uint8_t c)
{
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
            Set(x, y, c);
}

void Canvas::Frame(int x0, int y0, int x1, int y1, uint8_t c)
{
    for (int x = x0; x <= x1; ++x)
        Set(x, y0, c), Set(x, y1, c);
    for (int y = y0; y <= y1; ++y)
        Set(x0, y, c), Set(x1, y, c);
}

void Canvas::Bevel(int x0, int y0, int x1, int y1, uint8_t light, uint8_t dark)
{
    Fill(x0, y0, x1, y0, light);
    Fill(x0, y0, x0, y1, light);
    Fill(x0, y1, x1, y1, dark);
    Fill(x1, y0, x1, y1, dark);
}

void Canvas::Rect(int x, int y, int w, int h, uint8_t c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            Set(i, j, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, uint8_t c)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::ThickLine(int x0, int y0, int x1, int y1, uint8_t c)
{
    Line(x0, y0, x1, y1, c);
    Line(x0 + 1, y0, x1 + 1, y1, c);
}

void Canvas::StepLine(int x0, int y0, int x1, int y1, uint8_t c)
{
    const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= n; ++i)
        Set(x0 + (n ? (x1 - x0) * i / n : 0), y0 + (n ? (y1 - y0) * i / n : 0), c);
}

void Canvas::Ellipse(int cx, int cy, int rx, int ry, uint8_t c)
{
    if (rx <= 0 || ry <= 0) {
        Set(cx, cy, c);
        return;
    }
    for (int y = -ry; y <= ry; ++y)
        for (int x = -rx; x <= rx; ++x)
            if (x * x * ry * ry + y * y * rx * rx <= rx * rx * ry * ry)
                Set(cx + x, cy + y, c);
}

void Canvas::Ring(int cx, int cy, int rx, int ry, uint8_t c)
{
    for (int a = 0; a < 360; a += 3) {
        const double r = a * 3.14159265358979 / 180.0;
        Set(cx + static_cast<int>(std::lround(rx * std::cos(r))),
            cy + static_cast<int>(std::lround(ry * std::sin(r))), c);
    }
}

void Canvas::Disc(float cx, float cy, float r, uint8_t c)
{
    for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
        for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x)
            if ((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy) <= r * r)
                Set(x, y, c);
}

void Canvas::Badge(int cx, int cy, int r, uint8_t c)
{
    for (int j = -r; j <= r; ++j)
        for (int i = -r; i <= r; ++i)
            if (i * i + j * j <= r * r + r / 2)
                Set(cx + i, cy + j, c);
}

void Canvas::Hex(int w, int h, uint8_t outline, uint8_t fill, int thickness)
{
    const int q = h / 4;
    auto inside = [&](int x, int y, int inset) {
        const int l = inset, r = w - 1 - inset, t = inset, b = h - 1 - inset;
        if (x < l || x > r || y < t || y > b)
            return false;
        const int half = (w - 1) / 2;
        const int dx = std::abs(2 * x - (w - 1));  // 0 at the middle, w-1 at the sides
        // The slanted edges: at the side the edge is q below the top.
        const int topEdge = t + (q * dx) / std::max(1, half * 2);
        const int bottomEdge = b - (q * dx) / std::max(1, half * 2);
        return y >= topEdge && y <= bottomEdge;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y, 0))
                continue;
            if (!inside(x, y, thickness))
                Set(x, y, outline);
            else if (fill)
                Set(x, y, fill);
        }
}

void Canvas::Pattern(int x0, int y0, const std::vector<std::string>& rows, const std::string& keys,
                     const std::vector<uint8_t>& colours)
{
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const size_t k = keys.find(rows[y][x]);
            if (k != std::string::npos && k < colours.size())
                Set(x0 + static_cast<int>(x), y0 + static_cast<int>(y), colours[k]);
        }
}

int Canvas::TextWidth(const FontSource& font, const std::string& text)
{
    return ForEachTextPixel(font, text, [](int, int) {});
}

int Canvas::Text(const FontSource& font, int x, int y, const std::string& text, uint8_t c)
{
    return ForEachTextPixel(font, text, [&](int dx, int row) { Set(x + dx, y + row, c); });
}

void Canvas::Blit(const Canvas& source, int x, int y)
{
    for (int yy = 0; yy < source.H(); ++yy)
        for (int xx = 0; xx < source.W(); ++xx)
            if (uint8_t c = source.Get(xx, yy))
                Set(x + xx, y + yy, c);
}

void Canvas::Outline(uint8_t c)
{
    const Canvas copy = *this;
    for (int y = 0; y < H(); ++y)
        for (int x = 0; x < W(); ++x) {
            if (copy.Get(x, y))
                continue;
            if (copy.Get(x - 1, y) || copy.Get(x + 1, y) || copy.Get(x, y - 1) || copy.Get(x, y + 1))
                Set(x, y, c);
        }
}

Canvas Canvas::Mirrored() const
{
    Canvas m(W(), H());
    for (int y = 0; y < H(); ++y)
        for (int x = 0; x < W(); ++x)
            m.Set(W() - 1 - x, y, Get(x, y));
    return m;
}

Canvas Canvas::Doubled(bool squareInnerCorners) const
{
    Canvas out(W() * 2, H() * 2);
    for (int y = 0; y < H(); ++y)
        for (int x = 0; x < W(); ++x) {
            const uint8_t p = Get(x, y);
            uint8_t topLeft = p, topRight = p, bottomLeft = p, bottomRight = p;
            // What lies beyond the edge is not known (a tile goes on with its
            // other side), so the border is doubled plainly.
            const bool border = x == 0 || y == 0 || x == W() - 1 || y == H() - 1;
            const uint8_t up = Get(x, y - 1), down = Get(x, y + 1), left = Get(x - 1, y),
                          right = Get(x + 1, y);
            if (!border && up != down && left != right) {
                // The pixel across the angle two neighbours make.
                const auto rounds = [&](uint8_t side, int dx, int dy) {
                    return !squareInnerCorners || Get(x + dx, y + dy) != side;
                };
                if (left == up && rounds(up, -1, -1))
                    topLeft = up;
                if (up == right && rounds(right, 1, -1))
                    topRight = right;
                if (left == down && rounds(left, -1, 1))
                    bottomLeft = left;
                if (down == right && rounds(right, 1, 1))
                    bottomRight = right;
            }
            out.Set(2 * x, 2 * y, topLeft);
            out.Set(2 * x + 1, 2 * y, topRight);
            out.Set(2 * x, 2 * y + 1, bottomLeft);
            out.Set(2 * x + 1, 2 * y + 1, bottomRight);
        }
    return out;
}

Canvas Canvas::Crop(int x, int y, int w, int h) const
{
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            out.Set(i, j, Get(x + i, y + j));
    return out;
}

FontSource DoubledFont(const FontSource& font)
{
    FontSource big = font;
    big.height = static_cast<uint8_t>(font.height * 2);
    big.bytesPerRow = 0;
    for (FontGlyph& glyph : big.glyphs) {
        // Around a glyph lies the background, so it is enlarged inside a
        // blank border and its strokes are smoothed up to its edges; where
        // strokes cross or meet at a right angle (+, T, L) the angle stays
        // square, as a pixel font draws it.
        Canvas small(glyph.width + 2, font.height + 2);
        for (size_t row = 0; row < glyph.rows.size(); ++row)
            for (int col = 0; col < glyph.width; ++col)
                if (glyph.rows[row] & (1u << col))
                    small.Set(col + 1, static_cast<int>(row) + 1, 1);
        const Canvas doubled = small.Doubled(true);
        glyph.width = static_cast<uint8_t>(glyph.width * 2);
        glyph.rows.assign(big.height, 0);
        for (int row = 0; row < big.height; ++row)
            for (int col = 0; col < glyph.width; ++col)
                if (doubled.Get(col + 2, row + 2) != 0)
                    glyph.rows[static_cast<size_t>(row)] |= 1u << col;
    }
    return big;
}

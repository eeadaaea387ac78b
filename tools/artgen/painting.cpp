#include "tools/artgen/painting.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/palette_ramps.h"

Colour Hex(uint32_t rgb)
{
    return Colour{static_cast<float>((rgb >> 16) & 0xFF), static_cast<float>((rgb >> 8) & 0xFF),
                  static_cast<float>(rgb & 0xFF)};
}

Colour Mix(const Colour& a, const Colour& b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(const Colour& c, float f)
{
    return Colour{c.r * f, c.g * f, c.b * f};
}

float Hash(int x, int y, uint32_t seed)
{
    uint32_t h =
        static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float Noise(float x, float y, float scale, uint32_t seed)
{
    const float fx = x / scale, fy = y / scale;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    float tx = fx - static_cast<float>(ix), ty = fy - static_cast<float>(iy);
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
    const float c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fractal(float x, float y, float scale, int octaves, uint32_t seed)
{
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += Noise(x, y, scale, seed + static_cast<uint32_t>(i) * 101u) * weight;
        total += weight;
        weight *= 0.5f;
        scale *= 0.5f;
        if (scale < 1)
            scale = 1;
    }
    return sum / total;
}

Painting::Painting(int width, int height)
    : m_w(width),
      m_h(height),
      m_px(static_cast<size_t>(width) * height),
      m_alpha(static_cast<size_t>(width) * height, 0)
{}

void Painting::Blend(int x, int y, const Colour& c, float a)
{
    if (!Inside(x, y) || a <= 0)
        return;
    a = std::min(a, 1.0f);
    Colour& p = m_px[Index(x, y)];
    float& pa = m_alpha[Index(x, y)];
    if (pa <= 0) {
        p = c;
    } else {
        p = Mix(p, c, a);
    }
    pa = pa + (1 - pa) * a;
}

void Painting::Set(int x, int y, const Colour& c, float a)
{
    if (!Inside(x, y))
        return;
    m_px[Index(x, y)] = c;
    m_alpha[Index(x, y)] = a;
}

void Painting::Clear(float alpha)
{
    std::fill(m_alpha.begin(), m_alpha.end(), alpha);
}

void Painting::FillRect(int x0, int y0, int x1, int y1, const Colour& c, float a)
{
    for (int y = std::max(0, y0); y <= std::min(m_h - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(m_w - 1, x1); ++x)
            Blend(x, y, c, a);
}

void Painting::Bevel(int x0, int y0, int x1, int y1, const Colour& light, const Colour& dark)
{
    FillRect(x0, y0, x1, y0, light);
    FillRect(x0, y0, x0, y1, light);
    FillRect(x0, y1, x1, y1, dark);
    FillRect(x1, y0, x1, y1, dark);
}

void Painting::VerticalGradient(int y0, int y1, const std::vector<Colour>& stops)
{
    if (stops.empty() || y1 < y0)
        return;
    for (int y = y0; y <= y1; ++y) {
        const float t = y1 == y0 ? 0 : static_cast<float>(y - y0) / static_cast<float>(y1 - y0);
        const float at = t * static_cast<float>(stops.size() - 1);
        const size_t i = std::min(static_cast<size_t>(at), stops.size() - 1);
        const Colour c =
            i + 1 < stops.size() ? Mix(stops[i], stops[i + 1], at - static_cast<float>(i)) : stops[i];
        for (int x = 0; x < m_w; ++x)
            Set(x, y, c, 1);
    }
}

void Painting::Disc(float cx, float cy, float radius, const Colour& c, float a)
{
    const int x0 = static_cast<int>(cx - radius - 1), x1 = static_cast<int>(cx + radius + 1);
    const int y0 = static_cast<int>(cy - radius - 1), y1 = static_cast<int>(cy + radius + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float d = std::sqrt((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy));
            const float cover = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
            if (cover > 0)
                Blend(x, y, c, cover * a);
        }
}

int Painting::TextWidth(const FontSource& font, const std::string& text, int scale)
{
    return Canvas::TextWidth(font, text) * scale;
}

int Painting::Text(const FontSource& font, int x, int y, const std::string& text, const Colour& c, int scale)
{
    const int width = ForEachTextPixel(font, text, [&](int dx, int row) {
        FillRect(x + dx * scale, y + row * scale, x + dx * scale + scale - 1, y + row * scale + scale - 1, c);
    });
    return width * scale;
}

void Painting::Stroke(float x0, float y0, float x1, float y1, float width, const Colour& c, int density)
{
    const float length = std::hypot(x1 - x0, y1 - y0);
    const int steps = std::max(1, static_cast<int>(length * static_cast<float>(density)));
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        Disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, c);
    }
}

Painting Painting::Crop(int x, int y, int w, int h) const
{
    Painting out(w, h);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            if (Inside(x + xx, y + yy))
                out.Set(xx, yy, At(x + xx, y + yy), Alpha(x + xx, y + yy));
    return out;
}

Quantizer::Quantizer(const std::vector<Rgb>& palette) : m_palette(palette) {}

Quantizer Quantizer::OverTheMap(const std::vector<Rgb>& palette)
{
    Quantizer q(palette);
    q.m_leftOutFirst = kMapOwnersFirst;
    q.m_leftOutLast = kMapOwnersLast;
    return q;
}

namespace {
float Distance(const Rgb& p, const Colour& c)
{
    // Weighted toward green, as the eye is.
    const float dr = p.r - c.r, dg = p.g - c.g, db = p.b - c.b;
    return 0.3f * dr * dr + 0.59f * dg * dg + 0.11f * db * db;
}
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr int kFirstSideColour = 220;
}  // namespace

uint8_t Quantizer::Nearest(const Colour& c, bool allowZero) const
{
    int best = allowZero ? 0 : 1;
    float bestD = 1e30f;
    for (int i = allowZero ? 0 : 1; i < kFirstSideColour && i < static_cast<int>(m_palette.size()); ++i) {
        if (i >= m_leftOutFirst && i <= m_leftOutLast)
            continue;
        const float d = Distance(m_palette[static_cast<size_t>(i)], c);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

Canvas Quantizer::Convert(const Painting& canvas, bool transparent, bool dither) const
{
    Canvas out(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            uint8_t index = 0;
            if (!transparent || canvas.Alpha(x, y) >= 0.5f) {
                const Colour c = canvas.At(x, y);
                const bool allowZero = !transparent;
                const uint8_t first = Nearest(c, allowZero);
                index = first;
                if (dither) {
                    // The second nearest colour, and where c lies between them.
                    const Rgb& p = m_palette[first];
                    const Colour error{c.r - p.r, c.g - p.g, c.b - p.b};
                    const Colour beyond{c.r + error.r, c.g + error.g, c.b + error.b};
                    const uint8_t second = Nearest(beyond, allowZero);
                    if (second != first) {
                        const Rgb& q = m_palette[second];
                        const float d1 = std::sqrt(Distance(p, c)), d2 = std::sqrt(Distance(q, c));
                        const float t = d1 + d2 > 0 ? d1 / (d1 + d2) : 0;
                        const float threshold = (static_cast<float>(kBayer[y & 3][x & 3]) + 0.5f) / 16.0f;
                        if (t > threshold)
                            index = second;
                    }
                }
            }
            out.Set(x, y, index);
        }
    return out;
}

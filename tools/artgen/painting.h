#pragma once
// A true-colour surface for the art painted rather than drawn: pictures are
// painted in RGB with coverage (alpha), then turned by the Quantizer into a
// Canvas of the game's palette with ordered dithering, so gradients stay
// smooth with sixteen shades per hue.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/artgen/canvas.h"
#include "tools/encode/font_encoder.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/palette_encoder.h"

struct Colour {
    float r = 0, g = 0, b = 0;
};
Colour Hex(uint32_t rgb);
Colour Mix(const Colour& a, const Colour& b, float t);
Colour Scale(const Colour& c, float f);

// Deterministic value noise in 0..1 (smooth over `scale` pixels).
float Noise(float x, float y, float scale, uint32_t seed);
// Sums of octaves of Noise, 0..1.
float Fractal(float x, float y, float scale, int octaves, uint32_t seed);
// A hash of integer coordinates, 0..1.
float Hash(int x, int y, uint32_t seed);

class Painting {
public:
    Painting(int width, int height);
    int Width() const { return m_w; }
    int Height() const { return m_h; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_w && y < m_h; }

    const Colour& At(int x, int y) const { return m_px[Index(x, y)]; }
    float Alpha(int x, int y) const { return m_alpha[Index(x, y)]; }
    // Paints over what is there with coverage a (0..1).
    void Blend(int x, int y, const Colour& c, float a = 1.0f);
    void Set(int x, int y, const Colour& c, float a = 1.0f);
    void Clear(float alpha);

    void FillRect(int x0, int y0, int x1, int y1, const Colour& c, float a = 1.0f);
    // A frame lit from the top left: the top and left edges light, then the
    // bottom and right edges dark.
    void Bevel(int x0, int y0, int x1, int y1, const Colour& light, const Colour& dark);
    void VerticalGradient(int y0, int y1, const std::vector<Colour>& stops);
    // Anti-aliased filled disc.
    void Disc(float cx, float cy, float radius, const Colour& c, float a = 1.0f);
    // Draws text in a game font at a pixel scale; each set font pixel
    // becomes a scale x scale block. Returns the advance.
    int Text(const FontSource& font, int x, int y, const std::string& text, const Colour& c, int scale = 1);
    static int TextWidth(const FontSource& font, const std::string& text, int scale = 1);

    // A thick anti-aliased stroke: a row of discs, `density` per pixel of
    // its length.
    void Stroke(float x0, float y0, float x1, float y1, float width, const Colour& c, int density);

    // A copy of a rectangle of this painting.
    Painting Crop(int x, int y, int w, int h) const;

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * m_w + x; }
    int m_w, m_h;
    std::vector<Colour> m_px;
    std::vector<float> m_alpha;
};

// Maps colours to the palette's indices. Entries 220-255 (the side colours
// the battle screen rewrites) are never used, nor 0 for a visible pixel of a
// transparent picture, nor the entries a quantizer is told to leave out.
class Quantizer {
public:
    explicit Quantizer(const std::vector<Rgb>& palette);
    // One that also leaves out the entries the map's palette gives the
    // owners' colours, for art that is shown over the map.
    static Quantizer OverTheMap(const std::vector<Rgb>& palette);
    // Pixels with coverage below one half are transparent (index 0) when
    // `transparent`; dithering spreads each pixel between its two nearest
    // colours by a 4 x 4 threshold matrix.
    Canvas Convert(const Painting& painting, bool transparent, bool dither = true) const;
    uint8_t Nearest(const Colour& c, bool allowZero) const;

private:
    std::vector<Rgb> m_palette;
    int m_leftOutFirst = 1, m_leftOutLast = 0;  // none
};

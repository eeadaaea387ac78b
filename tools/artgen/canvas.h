#pragma once
// The picture every piece of art is drawn on: palette indices of the game's
// palettes, index 0 clear in transparent pictures. Drawing clips at the
// edges, so shapes may run off the picture.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/encode/font_encoder.h"
#include "tools/encode/image_encoder.h"

// Calls pixel(dx, row) for every set pixel of a text in a game font, dx
// counted from the text's left edge; returns the text's width. Characters
// the font lacks are skipped.
template <typename Pixel>
int ForEachTextPixel(const FontSource& font, const std::string& text, Pixel pixel)
{
    int at = 0;
    for (unsigned char ch : text) {
        if (ch < font.firstCode || ch - font.firstCode >= static_cast<int>(font.glyphs.size()))
            continue;
        const FontGlyph& g = font.glyphs[ch - font.firstCode];
        for (size_t row = 0; row < g.rows.size(); ++row)
            for (int col = 0; col < g.width; ++col)
                if (g.rows[row] & (1u << col))
                    pixel(at + col, static_cast<int>(row));
        at += g.width;
    }
    return at;
}

// The font at twice its size for a larger screen, each glyph enlarged as
// Canvas::Doubled enlarges a picture: strokes twice as thick and diagonals
// smoothed, so the text stays crisp where a scaled bitmap would be blocky
// or blurred.
FontSource DoubledFont(const FontSource& font);

class Canvas {
public:
    Canvas(int w, int h, uint8_t fill = 0);
    int W() const { return m_pic.width; }
    int H() const { return m_pic.height; }
    const IndexedPicture& Picture() const { return m_pic; }

    void Set(int x, int y, uint8_t c);
    uint8_t Get(int x, int y) const;  // 0 outside
    // Rectangles by their corners, both inclusive, in any order.
    void Fill(int x0, int y0, int x1, int y1, uint8_t c);
    void Frame(int x0, int y0, int x1, int y1, uint8_t c);
    // A frame lit from the top left: the top and left edges light, then the
    // bottom and right edges dark (they take the two shared corners).
    void Bevel(int x0, int y0, int x1, int y1, uint8_t light, uint8_t dark);
    // Rectangle of w x h from (x, y); nothing when either is not positive.
    void Rect(int x, int y, int w, int h, uint8_t c);
    // A one-pixel line from end to end (Bresenham); ThickLine doubles it to
    // the right.
    void Line(int x0, int y0, int x1, int y1, uint8_t c);
    void ThickLine(int x0, int y0, int x1, int y1, uint8_t c);
    // A line of n + 1 evenly spaced points, n the longer extent, each cut
    // toward the start: steeper steps than Line's at some slopes.
    void StepLine(int x0, int y0, int x1, int y1, uint8_t c);
    // Filled ellipse on a pixel centre; Ring is its outline, every 3 degrees.
    void Ellipse(int cx, int cy, int rx, int ry, uint8_t c);
    void Ring(int cx, int cy, int rx, int ry, uint8_t c);
    // The pixels whose centres lie within r of (cx, cy).
    void Disc(float cx, float cy, float r, uint8_t c);
    // A disc on a pixel centre whose edge is let out by half a pixel's
    // worth (r * r + r / 2), which reads rounder at small sizes.
    void Badge(int cx, int cy, int r, uint8_t c);
    // A pointy-top hexagon filling the canvas: the top and bottom quarters
    // slope in; a fill of 0 leaves the inside.
    void Hex(int w, int h, uint8_t outline, uint8_t fill, int thickness);
    // Rows of characters: each character found in `keys` sets the colour at
    // its place in `colours`; any other leaves the pixel.
    void Pattern(int x0, int y0, const std::vector<std::string>& rows, const std::string& keys,
                 const std::vector<uint8_t>& colours);
    // Text in a game font; returns the advance.
    int Text(const FontSource& font, int x, int y, const std::string& text, uint8_t c);
    static int TextWidth(const FontSource& font, const std::string& text);

    void Blit(const Canvas& source, int x, int y);  // colour 0 is clear
    // Colours every clear pixel next to a drawn one, so shapes read on any
    // ground.
    void Outline(uint8_t c);
    Canvas Mirrored() const;
    // Twice the size for a larger screen: each pixel becomes four that follow
    // an edge its neighbours continue across it (the Scale2x rule), so
    // diagonals and curves come out smoother than plain doubling while no
    // colour is mixed (indices stay indices; nothing blurs). Border pixels
    // are doubled plainly, so tiles stay seamless. With square inner
    // corners, a clear pixel in the angle of two strokes that meet (the
    // pixel across the angle is drawn) stays clear: a plus sign stays a
    // plus instead of swelling into a diamond.
    Canvas Doubled(bool squareInnerCorners = false) const;
    Canvas Crop(int x, int y, int w, int h) const;

private:
    IndexedPicture m_pic;
};

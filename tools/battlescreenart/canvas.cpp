#include "tools/battlescreenart/canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

namespace bsart {

Canvas::Canvas(int w, int h, uint8_t fill)
{
    pic.width = uint16_t(w);
    pic.height = uint16_t(h);
    pic.pixels.assign(size_t(w) * size_t(h), fill);
}

void Canvas::Set(int x, int y, uint8_t c)
{
    if (x < 0 || y < 0 || x >= W() || y >= H())
        return;
    pic.pixels[size_t(y) * W() + size_t(x)] = c;
}

uint8_t Canvas::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= W() || y >= H())
        return 0;
    return pic.pixels[size_t(y) * W() + size_t(x)];
}

void Canvas::Fill(int x0, int y0, int x1, int y1, uint8_t c)
{
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
            Set(x, y, c);
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
        Set(cx + int(std::lround(rx * std::cos(r))), cy + int(std::lround(ry * std::sin(r))), c);
    }
}

// A pointy-top hexagon: the top and bottom quarter of the height slope in.
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

void Canvas::Blit(const Canvas& source, int x, int y)
{
    for (int yy = 0; yy < source.H(); ++yy)
        for (int xx = 0; xx < source.W(); ++xx)
            if (uint8_t c = source.Get(xx, yy))
                Set(x + xx, y + yy, c);
}

void Canvas::Outline(uint8_t c)
{
    Canvas copy = *this;
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

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c)
{
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA6Bu ^ (c + 0x165667B1u) * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

namespace {

bool Fail(const std::string& path, const std::string& why)
{
    std::cerr << "battlescreenart: " << path << ": " << why << "\n";
    return false;
}

}  // namespace

bool Writer::Bytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const std::filesystem::path file = m_root / path;
    std::ifstream in(file, std::ios::binary);
    if (in) {
        std::ostringstream s;
        s << in.rdbuf();
        const std::string old = s.str();
        if (old.size() == bytes.size() && std::equal(old.begin(), old.end(), bytes.begin()))
            return true;
    }
    std::filesystem::create_directories(file.parent_path());
    std::ofstream outFile(file, std::ios::binary | std::ios::trunc);
    outFile.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!outFile)
        ok = Fail(path, "cannot write");
    return bool(outFile);
}

bool Writer::Image(const std::string& path, const Canvas& canvas, int hotX, int hotY, bool transparent)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    options.hotX = int16_t(hotX);
    options.hotY = int16_t(hotY);
    EncodeResult r = EncodeImage(canvas.pic, options);
    if (!r.ok())
        return ok = Fail(path, r.error);
    return Bytes(path + ".img", r.bytes);
}

bool Writer::Anim(const std::string& path, const std::vector<Canvas>& frames, int hotX, int hotY,
                  uint8_t rate, uint8_t loopBack)
{
    std::vector<IndexedPicture> pictures;
    for (const Canvas& c : frames)
        pictures.push_back(c.pic);
    AnimEncodeOptions options;
    options.transparency = AnimTransparency::AllFrames;
    options.hotX = int16_t(hotX);
    options.hotY = int16_t(hotY);
    options.rate = rate;
    options.loopBack = loopBack;
    EncodeResult r = EncodeAnimation(pictures, options);
    if (!r.ok())
        return ok = Fail(path, r.error);
    return Bytes(path + ".ani", r.bytes);
}

bool Writer::Wav(const std::string& path, const WavSource& sound)
{
    EncodeResult r = EncodeWav(sound);
    if (!r.ok())
        return ok = Fail(path, r.error);
    return Bytes(path + ".wav", r.bytes);
}

bool Writer::Palette(const std::string& path, const std::vector<Rgb>& colours)
{
    EncodeResult r = EncodePalette(colours);
    if (!r.ok())
        return ok = Fail(path, r.error);
    return Bytes(path + ".pal", r.bytes);
}

WavSource Synth(const std::vector<Tone>& tones)
{
    WavSource s;
    s.channels = 1;
    s.samplesPerSecond = 11025;
    s.bitsPerSample = 8;
    uint32_t noise = 0x12345u;
    for (const Tone& t : tones) {
        const int n = t.ms * 11025 / 1000;
        double phase = 0;
        for (int i = 0; i < n; ++i) {
            const double f = t.startHz + double(t.endHz - t.startHz) * i / std::max(1, n);
            phase += f / 11025.0;
            double v;
            if (t.noise) {
                noise = noise * 1103515245u + 12345u;
                v = double((noise >> 16) & 0xFF) / 127.5 - 1.0;
            } else if (t.square) {
                v = std::fmod(phase, 1.0) < 0.5 ? 1.0 : -1.0;
            } else {
                v = std::sin(phase * 2 * 3.14159265358979);
            }
            // Short attack, long release: plucked and struck sounds.
            const int attack = std::min(n / 10 + 1, 40);
            double env = i < attack ? double(i) / attack : double(n - i) / std::max(1, n - attack);
            v *= env * t.volume / 100.0;
            s.samples.push_back(uint8_t(std::clamp(128 + int(std::lround(v * 120)), 0, 255)));
        }
    }
    return s;
}

}  // namespace bsart

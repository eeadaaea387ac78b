// Writes the files the installer's resources and cabinet are made from:
//   make_installer_files picture OUT.bmp   the wizard's side picture (164 x 315)
//   make_installer_files icon OUT.ico      the window icon (32 x 32)
//   make_installer_files prefs OUT         the game's default preferences file
// Everything is computed, so every build gives the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgb {
    uint8_t r, g, b;
};

void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

uint8_t Mix(uint8_t a, uint8_t b, double t)
{
    if (t < 0)
        t = 0;
    if (t > 1)
        t = 1;
    return static_cast<uint8_t>(std::lround(a + (b - a) * t));
}

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)};
}

// Brightness of an eight-pointed star centred at (cx, cy): long points on the
// axes, short ones on the diagonals, and a soft glow around it.
double Star(double x, double y, double cx, double cy, double size)
{
    double dx = x - cx, dy = y - cy;
    double r = std::sqrt(dx * dx + dy * dy);
    double a = std::atan2(dy, dx);
    double main = std::pow(std::fabs(std::cos(2 * a)), 24.0);
    double minor = std::pow(std::fabs(std::sin(2 * a)), 24.0) * 0.45;
    double reach = size * (0.18 + 0.82 * std::max(main, minor));
    double core = r < reach ? 1.0 - r / reach * 0.3 : 0.0;
    double glow = std::exp(-r / (size * 0.6)) * 0.5;
    return std::min(1.0, core + glow);
}

// The night over the moor: sky gradient, the lodestar, a few small stars,
// rolling hills and a watchtower on the nearest ridge.
Rgb MoorPixel(int x, int y, int width, int height, double scale)
{
    const Rgb skyTop{10, 14, 40}, skyLow{46, 66, 102};
    const Rgb farHill{38, 52, 58}, nearHill{22, 34, 30}, tower{12, 14, 16};
    double fx = x / scale, fy = y / scale;
    double w = width / scale, h = height / scale;
    Rgb c = Mix(skyTop, skyLow, fy / h);

    // Scattered small stars from a fixed hash of the position.
    uint32_t hash = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
    hash ^= hash >> 13;
    hash *= 0x5bd1e995u;
    hash ^= hash >> 15;
    if (fy < h * 0.6 && hash % 97 == 0)
        c = Mix(c, Rgb{200, 210, 230}, 0.4 + (hash % 7) / 10.0);

    double star = Star(fx, fy, w * 0.5, h * 0.2, w * 0.32);
    c = Mix(c, Rgb{255, 236, 170}, star);

    double far = h * 0.70 + std::sin(fx / w * 5.1 + 0.7) * h * 0.035 + std::sin(fx / w * 11.3) * h * 0.012;
    if (fy > far)
        c = Mix(farHill, skyLow, (far + h * 0.05 - fy) / (h * 0.05) * 0.3);
    double nearTop = h * 0.80 + std::sin(fx / w * 3.3 + 2.0) * h * 0.04;
    if (fy > nearTop)
        c = Mix(nearHill, Rgb{10, 16, 14}, (fy - nearTop) / (h - nearTop));

    // The tower stands on the near ridge with a lit window.
    double towerX = w * 0.72, towerW = w * 0.07;
    double ground = h * 0.80 + std::sin(towerX / w * 3.3 + 2.0) * h * 0.04;
    double towerTop = ground - h * 0.14;
    if (std::fabs(fx - towerX) < towerW / 2 && fy > towerTop && fy < ground + 2) {
        c = tower;
        if (std::fabs(fx - towerX) < towerW / 6 && fy > towerTop + h * 0.03 && fy < towerTop + h * 0.045)
            c = Rgb{240, 190, 90};
    }
    if (std::fabs(fx - towerX) < towerW * 0.7 && fy > towerTop - h * 0.012 && fy <= towerTop &&
        static_cast<int>((fx - towerX + towerW) / (towerW * 0.35)) % 2 == 0)
        c = tower;
    return c;
}

std::vector<uint8_t> Picture()
{
    const int width = 164, height = 315;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + stride * height);
    Put32(out, 0);
    Put32(out, 14 + 40);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, stride * height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            Rgb c = MoorPixel(x, row, width, height, 1.0);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (int pad = width * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> Icon()
{
    const int size = 32;
    std::vector<uint8_t> image;
    Put32(image, 40);
    Put32(image, size);
    Put32(image, size * 2);  // colour rows, then the mask rows
    Put16(image, 1);
    Put16(image, 32);
    Put32(image, 0);
    Put32(image, size * size * 4 + size * 4);
    for (int i = 0; i < 4; ++i)
        Put32(image, 0);
    for (int row = size - 1; row >= 0; --row) {
        for (int x = 0; x < size; ++x) {
            double s = Star(x + 0.5, row + 0.5, size / 2.0, size / 2.0, size * 0.48);
            Rgb c = Mix(Rgb{20, 34, 80}, Rgb{255, 230, 150}, s);
            image.push_back(c.b);
            image.push_back(c.g);
            image.push_back(c.r);
            image.push_back(255);
        }
    }
    for (int i = 0; i < size * 4; ++i)
        image.push_back(0);  // every pixel opaque

    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // an icon file
    Put16(out, 1);  // one image
    out.push_back(size);
    out.push_back(size);
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<uint32_t>(image.size()));
    Put32(out, 6 + 16);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

// The preferences file as the game writes it on its first exit: the 16-bit
// file version, then every option at its default, little-endian.
std::vector<uint8_t> DefaultPreferences()
{
    std::vector<uint8_t> out;
    Put16(out, 9);
    out.push_back(1);  // sound on
    Put32(out, 127);   // volume
    out.push_back(0);  // screen mode
    out.push_back(5);  // brightness
    out.push_back(5);  // contrast
    const uint8_t options[] = {
        0, 1, 1, 1, 1, 0, 0,  // battle options 4, 2, 3, 1, 0, 5, 6
        1, 0, 1, 1, 1, 1, 1,  // map options 1, 0, 2, 3, 4, 5, 6
    };
    out.insert(out.end(), std::begin(options), std::end(options));
    Put16(out, 0);  // new-game values 1, 0, 2
    Put16(out, 0);
    Put16(out, 1);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s picture|icon|prefs OUT\n", argv[0]);
        return 2;
    }
    std::string what = argv[1];
    std::vector<uint8_t> bytes;
    if (what == "picture")
        bytes = Picture();
    else if (what == "icon")
        bytes = Icon();
    else if (what == "prefs")
        bytes = DefaultPreferences();
    else {
        std::fprintf(stderr, "%s: unknown file kind '%s'\n", argv[0], argv[1]);
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}

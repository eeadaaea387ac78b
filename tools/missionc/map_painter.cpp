#include "tools/missionc/map_painter.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int kSea = -1;
constexpr int kOpen = -2;
constexpr int kNoise = 7;  // how far a border wanders from its grid line (the points stay 12 away)

uint32_t Hash(uint32_t a, uint32_t b, uint32_t seed)
{
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Smooth noise in -1..1: values on a lattice of 2^shift pixels, blended.
double Smooth(int x, int y, int shift, uint32_t seed)
{
    const int gx = x >> shift, gy = y >> shift, cell = 1 << shift;
    const double fx = (x & (cell - 1)) / double(cell), fy = (y & (cell - 1)) / double(cell);
    auto v = [&](int i, int j) {
        return (Hash(uint32_t(gx + i), uint32_t(gy + j), seed) % 2001) / 1000.0 - 1.0;
    };
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double top = v(0, 0) + (v(1, 0) - v(0, 0)) * sx;
    const double bottom = v(0, 1) + (v(1, 1) - v(0, 1)) * sx;
    return top + (bottom - top) * sy;
}

// Two octaves: long bends and a little roughness.
int Wobble(int x, int y, uint32_t seed)
{
    const double n = 0.75 * Smooth(x, y, 5, seed) + 0.25 * Smooth(x, y, 3, seed ^ 0x5bd1e995u);
    return std::clamp(int(std::lround(n * kNoise * 1.3)), -kNoise, kNoise);
}

struct Grid {
    int width = 0, height = 0;
    std::vector<int> region;  // province index, kSea or kOpen
    std::vector<uint8_t> cls;
    int At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return kSea;
        return region[size_t(y) * width + x];
    }
};

// Distance (Chebyshev, up to limit) to the nearest pixel of another region.
int EdgeDistance(const Grid& g, int x, int y, int limit)
{
    const int me = g.At(x, y);
    for (int d = 1; d <= limit; ++d)
        for (int j = -d; j <= d; ++j)
            for (int i = -d; i <= d; ++i)
                if ((std::abs(i) == d || std::abs(j) == d) && g.At(x + i, y + j) != me)
                    return d;
    return limit + 1;
}

// Terrain marks: '4' darkest, '3' dark, '1' bright.
const char* const kMountain[] = {"....4....", "...414...", "..41.34..", ".43...34.", "43.....34"};
const char* const kHills[] = {"..33333..", ".3.....3.", "3.......3"};
const char* const kTree[] = {"..3..", ".333.", "33333", ".333.", "..4.."};

void Stamp(Grid& g, const std::vector<int>& edge, int x0, int y0, int province, const char* const* rows,
           int count)
{
    for (int j = 0; j < count; ++j)
        for (int i = 0; rows[j][i] != 0; ++i) {
            const char c = rows[j][i];
            const int x = x0 + i, y = y0 + j;
            if (c == '.' || g.At(x, y) != province)
                continue;
            const size_t k = size_t(y) * g.width + x;
            if (edge[k] <= 3)
                continue;
            g.cls[k] = uint8_t(c == '4' ? 4 : c == '3' ? 3 : 1);
        }
}

void Classify(Grid& g, int limit)
{
    g.cls.assign(g.region.size(), 0);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            const size_t k = size_t(y) * g.width + x;
            if (g.region[k] == kSea) {
                g.cls[k] = 7;
                continue;
            }
            if (g.region[k] == kOpen)
                continue;
            const int d = EdgeDistance(g, x, y, limit);
            // Full scale: a dark border, a shade and a light inner line; half
            // scale keeps the border thin.
            if (limit >= 3)
                g.cls[k] = uint8_t(d == 1 ? 4 : d == 2 ? 3 : d == 3 ? 2 : 0);
            else
                g.cls[k] = uint8_t(d == 1 ? 4 : d == 2 ? 2 : 0);
        }
}

}  // namespace

int ViewStripShift(int width, int strips)
{
    int k = 0;
    while ((width >> k) > strips)
        ++k;
    return k;
}

bool PaintMissionMap(const MissionSource& source, PaintedMap& out, std::string& error)
{
    int cols = 0, rows = 0;
    for (const auto& p : source.provinces) {
        cols = std::max(cols, p.col + 1);
        rows = std::max(rows, p.row + 1);
    }
    const int W = cols * kCellWidth + 2 * kMapMargin;
    const int H = rows * kCellHeight + 2 * kMapMargin;
    std::vector<int> cell(size_t(cols * rows), kOpen);
    std::map<std::string, int> byKey;
    for (size_t i = 0; i < source.provinces.size(); ++i) {
        cell[size_t(source.provinces[i].row * cols + source.provinces[i].col)] = int(i);
        byKey[source.provinces[i].key] = int(i);
    }
    // Empty cells on the edge of the grid are sea; inside it, open country.
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (cell[size_t(r * cols + c)] == kOpen && (r == 0 || c == 0 || r == rows - 1 || c == cols - 1))
                cell[size_t(r * cols + c)] = kSea;
    std::vector<std::pair<int, int>> cuts;
    for (size_t i = 0; i < source.provinces.size(); ++i)
        for (const auto& [key, line] : source.provinces[i].cuts)
            if (auto it = byKey.find(key); it != byKey.end())
                cuts.emplace_back(int(i), it->second);
    auto isCut = [&](int a, int b) {
        for (auto [x, y] : cuts)
            if ((x == a && y == b) || (x == b && y == a))
                return true;
        return false;
    };
    uint32_t seed = 2166136261u;
    for (char ch : source.world)
        seed = (seed ^ uint8_t(ch)) * 16777619u;

    Grid g;
    g.width = W;
    g.height = H;
    g.region.assign(size_t(W) * H, kSea);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int jx = x - kMapMargin + Wobble(x, y, seed);
            const int jy = y - kMapMargin + Wobble(x + 977, y + 131, seed);
            if (jx < 0 || jy < 0 || jx >= cols * kCellWidth || jy >= rows * kCellHeight)
                continue;
            g.region[size_t(y) * W + x] = cell[size_t((jy / kCellHeight) * cols + jx / kCellWidth)];
        }
    // Rivers where a border is cut: both banks of the border become water.
    std::vector<int> river = g.region;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int a = g.At(x, y);
            if (a < 0)
                continue;
            for (auto [i, j] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int b = g.At(x + i, y + j);
                if (b >= 0 && b != a && isCut(a, b))
                    river[size_t(y) * W + x] = kSea;
            }
        }
    g.region = river;

    Classify(g, 3);
    // Terrain marks, left and right of the middle third where the castle and
    // the army stand.
    {
        std::vector<int> edge(g.region.size(), 0);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (g.region[size_t(y) * W + x] >= 0)
                    edge[size_t(y) * W + x] = EdgeDistance(g, x, y, 3);
        for (size_t i = 0; i < source.provinces.size(); ++i) {
            const auto& p = source.provinces[i];
            const int x0 = kMapMargin + p.col * kCellWidth, y0 = kMapMargin + p.row * kCellHeight;
            const int64_t metal = p.income.size() > 1 ? p.income[1] : 0;
            const int64_t stone = p.income.size() > 2 ? p.income[2] : 0;
            const uint32_t h = Hash(uint32_t(i), 7, seed);
            auto mark = [&](int x, int y, int which) {
                if (which == 0)
                    Stamp(g, edge, x, y, int(i), kMountain, 5);
                else if (which == 1)
                    Stamp(g, edge, x, y, int(i), kHills, 3);
                else
                    Stamp(g, edge, x, y, int(i), kTree, 5);
            };
            const int kind = metal > 0 ? 0 : stone > 0 ? 1 : 2;
            // Left and right of the middle third, where castle and army stand.
            mark(x0 + 4, y0 + 8 + int(h % 4), kind);
            mark(x0 + 35, y0 + 24 + int((h >> 4) % 4), kind == 2 ? 2 : (h & 256) ? kind : 2);
            if (kind == 2) {
                mark(x0 + 7, y0 + 24, 2);
                mark(x0 + 37, y0 + 8, 2);
            }
        }
    }

    // Half scale: every other pixel, classified again at its own size.
    Grid half;
    half.width = (W + 1) / 2;
    half.height = (H + 1) / 2;
    half.region.resize(size_t(half.width) * half.height);
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x)
            half.region[size_t(y) * half.width + x] = g.At(2 * x, 2 * y);
    Classify(half, 2);

    // Strips and bands.
    const int stripWidth = 1 << kStripShift;
    const int strips = (W + stripWidth - 1) / stripWidth;
    if (strips > 255 || ViewStripShift(W, strips) != kStripShift) {
        error = "the map is " + std::to_string(W) + " pixels wide; the view cannot cut it into strips of " +
                std::to_string(stripWidth);
        return false;
    }
    const int bands = (H + kBandRows - 1) / kBandRows;
    out = PaintedMap{};
    out.width = W;
    out.height = H;
    out.blocks.width = uint16_t(W);
    out.blocks.second = uint16_t(H);
    out.blocks.strips.assign(size_t(strips), std::vector<std::vector<MapBlockPair>>(size_t(bands)));
    out.rects.assign(source.provinces.size(), {int16_t(W), int16_t(H), -1, -1});
    for (int s = 0; s < strips; ++s) {
        const int x0 = s * stripWidth, x1 = std::min(W, x0 + stripWidth);
        IndexedPicture full;
        full.width = uint16_t(x1 - x0);
        full.height = uint16_t(H);
        full.pixels.assign(size_t(full.width) * H, 0);
        for (int b = 0; b < bands; ++b) {
            std::vector<int> local(source.provinces.size(), -1);
            auto& pairs = out.blocks.strips[size_t(s)][size_t(b)];
            for (int y = b * kBandRows; y < std::min(H, (b + 1) * kBandRows); ++y)
                for (int x = x0; x < x1; ++x) {
                    const size_t k = size_t(y) * W + x;
                    const int r = g.region[k];
                    int id = 31;
                    if (r >= 0) {
                        if (local[size_t(r)] < 0) {
                            if (pairs.size() >= 31) {
                                error = "more than 31 provinces meet in one band of the map";
                                return false;
                            }
                            local[size_t(r)] = int(pairs.size());
                            pairs.push_back(MapBlockPair{uint8_t(pairs.size()), uint8_t(r)});
                        }
                        id = local[size_t(r)];
                        auto& rect = out.rects[size_t(r)];
                        rect[0] = std::min<int16_t>(rect[0], int16_t(x));
                        rect[1] = std::min<int16_t>(rect[1], int16_t(y));
                        rect[2] = std::max<int16_t>(rect[2], int16_t(x));
                        rect[3] = std::max<int16_t>(rect[3], int16_t(y));
                    }
                    full.pixels[size_t(y) * full.width + (x - x0)] = uint8_t((g.cls[k] << 5) | id);
                }
            // The half strip of this band uses the same local ids.
            if (out.half.size() < size_t(s) + 1) {
                IndexedPicture hp;
                hp.width = uint16_t((x1 - x0 + 1) / 2);
                hp.height = uint16_t(half.height);
                hp.pixels.assign(size_t(hp.width) * hp.height, 0);
                out.half.push_back(hp);
            }
            IndexedPicture& hp = out.half[size_t(s)];
            for (int y = b * kBandRows / 2; y < std::min(half.height, (b + 1) * kBandRows / 2); ++y)
                for (int x = 0; x < hp.width; ++x) {
                    const int hx = x0 / 2 + x;
                    const size_t k = size_t(y) * half.width + hx;
                    const int r = half.region[k];
                    const int id = r >= 0 ? local[size_t(r)] : 31;
                    hp.pixels[size_t(y) * hp.width + x] = uint8_t((half.cls[k] << 5) | (id < 0 ? 31 : id));
                }
        }
        out.full.push_back(full);
    }
    return true;
}

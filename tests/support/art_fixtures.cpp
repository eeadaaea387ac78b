#include "tests/support/art_fixtures.h"

#include <stdexcept>

std::vector<uint8_t> MustEncode(const EncodeResult& result)
{
    if (!result.ok())
        throw std::runtime_error("fixture refused by its encoder: " + result.error);
    return result.bytes;
}

IndexedPicture PictureFromRows(std::initializer_list<std::string> rows)
{
    IndexedPicture p;
    p.height = static_cast<uint16_t>(rows.size());
    p.width = static_cast<uint16_t>(rows.begin()->size());
    for (const std::string& row : rows) {
        if (row.size() != p.width)
            throw std::runtime_error("fixture rows differ in length");
        for (char c : row) {
            if (c == '.')
                p.pixels.push_back(0);
            else if (c >= '0' && c <= '9')
                p.pixels.push_back(static_cast<uint8_t>(c - '0'));
            else if (c >= 'a' && c <= 'z')
                p.pixels.push_back(static_cast<uint8_t>(10 + c - 'a'));
            else
                throw std::runtime_error("fixture pixel must be '.', a digit or a small letter");
        }
    }
    return p;
}

IndexedPicture SolidPicture(uint16_t width, uint16_t height, uint8_t colour)
{
    IndexedPicture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<size_t>(width) * height, colour);
    return p;
}

IndexedPicture RandomPicture(uint32_t seed, uint16_t width, uint16_t height, int zeroPercent)
{
    uint32_t s = seed * 2654435761u + 1;
    auto next = [&] {
        s = s * 1103515245u + 12345u;
        return (s >> 16) & 0x7FFF;
    };
    IndexedPicture p;
    p.width = width;
    p.height = height;
    while (p.pixels.size() < static_cast<size_t>(width) * height) {
        uint8_t colour =
            static_cast<int>(next() % 100) < zeroPercent ? 0 : static_cast<uint8_t>(1 + next() % 255);
        int repeat = next() % 4 == 0 ? 1 + next() % 140 : 1;
        for (int i = 0; i < repeat && p.pixels.size() < static_cast<size_t>(width) * height; ++i)
            p.pixels.push_back(colour);
    }
    return p;
}

FontSource PatternFont(uint8_t height, uint8_t firstCode, int glyphCount, uint8_t width, uint8_t bytesPerRow)
{
    FontSource f;
    f.height = height;
    f.firstCode = firstCode;
    f.bytesPerRow = bytesPerRow;
    for (int i = 0; i < glyphCount; ++i) {
        FontGlyph g;
        g.width = width;
        int code = firstCode + i;
        for (int y = 0; y < height; ++y) {
            uint32_t row = 0;
            for (int k = 0; k < width; ++k)
                if ((code + k + y) % 3 == 0)
                    row |= 1u << k;
            g.rows.push_back(row);
        }
        f.glyphs.push_back(g);
    }
    return f;
}

std::vector<uint8_t> ToneWav(uint32_t sampleCount, uint32_t rate, uint16_t channels, uint16_t bits)
{
    WavSource w;
    w.channels = channels;
    w.samplesPerSecond = rate;
    w.bitsPerSample = bits;
    uint32_t bytes = sampleCount * channels * bits / 8;
    for (uint32_t i = 0; i < bytes; ++i)
        w.samples.push_back(static_cast<uint8_t>(128 + (i % 32) - 16));
    return MustEncode(EncodeWav(w));
}

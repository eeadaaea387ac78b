#include "tools/encode/art_sources.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> Words(const std::string& s)
{
    std::vector<std::string> words;
    std::istringstream in(s);
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

bool Fail(std::string& error, const std::string& name, size_t line, const std::string& why)
{
    error = name + ":" + std::to_string(line) + ": " + why;
    return false;
}

bool ParseNumber(const std::string& s, long& value)
{
    if (s.size() == 3 && s[0] == '\'' && s[2] == '\'') {
        value = static_cast<unsigned char>(s[1]);
        return true;
    }
    try {
        size_t used = 0;
        value = std::stol(s, &used, 0);
        return used == s.size();
    } catch (...) {
        return false;
    }
}

bool ParseColour(const std::string& s, Rgb& c)
{
    if (s.size() != 7 || s[0] != '#')
        return false;
    long v = 0;
    try {
        size_t used = 0;
        v = std::stol(s.substr(1), &used, 16);
        if (used != 6)
            return false;
    } catch (...) {
        return false;
    }
    c = {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
    return true;
}

}  // namespace

bool ParseFontSource(const std::string& text, const std::string& name, FontSource& font, std::string& error)
{
    font = FontSource{};
    std::map<int, FontGlyph> glyphs;
    std::vector<std::string> lines = Lines(text);
    int height = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = Trim(lines[i]);
        size_t n = i + 1;
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> w = Words(line);
        long v = 0;
        if (w[0] == "height" || w[0] == "bytes") {
            if (w.size() != 2 || !ParseNumber(w[1], v) || v < 1 || v > 255)
                return Fail(error, name, n, "expected \"" + w[0] + " <1..255>\"");
            if (w[0] == "height")
                height = static_cast<int>(v);
            else
                font.bytesPerRow = static_cast<uint8_t>(v);
            continue;
        }
        if (w[0] != "glyph")
            return Fail(error, name, n, "expected \"height\", \"bytes\" or \"glyph\"");
        if (height == 0)
            return Fail(error, name, n, "\"height\" must come before the first glyph");
        if (w.size() != 2 || !ParseNumber(w[1], v) || v < 0 || v > 255)
            return Fail(error, name, n, "expected \"glyph <code 0..255>\"");
        if (glyphs.count(static_cast<int>(v)))
            return Fail(error, name, n, "glyph " + w[1] + " is given twice");
        FontGlyph g;
        int width = -1;
        for (int r = 0; r < height; ++r) {
            size_t rowLine = i + 1 + r;
            if (rowLine >= lines.size())
                return Fail(error, name, n, "glyph has fewer than " + std::to_string(height) + " rows");
            std::string row = Trim(lines[rowLine]);
            if (row.size() < 2 || row.front() != '|' || row.back() != '|')
                return Fail(error, name, rowLine + 1, "a glyph row is written between bars: |.#.|");
            row = row.substr(1, row.size() - 2);
            if (width < 0)
                width = static_cast<int>(row.size());
            if (static_cast<int>(row.size()) != width)
                return Fail(error, name, rowLine + 1, "glyph rows differ in width");
            if (width > 32)
                return Fail(error, name, rowLine + 1, "a glyph is at most 32 pixels wide");
            uint32_t bits = 0;
            for (int k = 0; k < width; ++k) {
                if (row[k] == '#')
                    bits |= 1u << k;
                else if (row[k] != '.')
                    return Fail(error, name, rowLine + 1, "glyph pixels are '#' or '.'");
            }
            g.rows.push_back(bits);
        }
        g.width = static_cast<uint8_t>(width);
        glyphs[static_cast<int>(v)] = g;
        i += height;
    }
    if (glyphs.empty())
        return Fail(error, name, lines.size(), "no glyphs");
    font.height = static_cast<uint8_t>(height);
    font.firstCode = static_cast<uint8_t>(glyphs.begin()->first);
    int last = glyphs.rbegin()->first;
    for (int code = font.firstCode; code <= last; ++code) {
        auto it = glyphs.find(code);
        if (it != glyphs.end()) {
            font.glyphs.push_back(it->second);
        } else {
            FontGlyph empty;
            empty.rows.assign(height, 0);
            font.glyphs.push_back(empty);
        }
    }
    EncodeResult check = EncodeFont(font);
    if (!check.ok())
        return Fail(error, name, 0, check.error);
    return true;
}

bool ParsePaletteSource(const std::string& text, const std::string& name, std::vector<Rgb>& colours,
                        std::string& error)
{
    colours.assign(kPaletteEntries, Rgb{});
    std::vector<bool> given(kPaletteEntries, false);
    std::vector<std::string> lines = Lines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = Trim(lines[i]);
        size_t n = i + 1;
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> w = Words(line);
        long first = 0, last = 0;
        size_t dash = w[0].find('-');
        bool range = dash != std::string::npos;
        if (range ? !(ParseNumber(w[0].substr(0, dash), first) && ParseNumber(w[0].substr(dash + 1), last))
                  : !ParseNumber(w[0], first))
            return Fail(error, name, n, "expected an index or a range of indexes");
        if (!range)
            last = first;
        if (first < 0 || last > 255 || first > last)
            return Fail(error, name, n, "indexes run 0..255, low to high");
        Rgb a, b;
        if (range) {
            if (w.size() != 4 || w[1] != "ramp" || !ParseColour(w[2], a) || !ParseColour(w[3], b))
                return Fail(error, name, n, "expected \"<first>-<last> ramp #rrggbb #rrggbb\"");
        } else if (w.size() != 2 || !ParseColour(w[1], a)) {
            return Fail(error, name, n, "expected \"<index> #rrggbb\"");
        }
        long span = last - first;
        for (long k = first; k <= last; ++k) {
            if (given[k])
                return Fail(error, name, n, "entry " + std::to_string(k) + " is given twice");
            given[k] = true;
            long t = k - first;
            auto blend = [&](uint8_t x, uint8_t y) {
                return static_cast<uint8_t>(span == 0 ? x : (x * (span - t) + y * t + span / 2) / span);
            };
            colours[k] = {blend(a.r, b.r), blend(a.g, b.g), blend(a.b, b.b)};
        }
    }
    for (size_t k = 0; k < kPaletteEntries; ++k)
        if (!given[k])
            return Fail(error, name, lines.size(), "entry " + std::to_string(k) + " is missing");
    return true;
}

bool ParsePaletteListSource(const std::string& text, const std::string& name, std::vector<std::string>& names,
                            std::string& error)
{
    names.clear();
    for (const std::string& raw : Lines(text)) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        names.push_back(line);
    }
    EncodeResult check = EncodePaletteList(names);
    if (!check.ok())
        return Fail(error, name, 0, check.error);
    return true;
}

namespace {

// sin(2 pi phase / 65536) in Q15, by a parabola with its error corrected:
// integer arithmetic only, so every machine synthesises the same bytes.
int32_t SineQ15(uint32_t phase)
{
    int32_t x = static_cast<int32_t>(phase & 0xFFFF) - 32768;  // -pi..pi as -32768..32767
    // With X = x / pi in [-1, 1): y = 4X(1 - |X|); s = -x so that the wave
    // starts at 0 and rises first.
    int64_t s = -x;
    int64_t a = s < 0 ? -s : s;
    int64_t y = (4 * s * (32768 - a)) >> 15;  // parabola, Q15
    int64_t ay = y < 0 ? -y : y;
    y = (y * 25395 + ((y * ay) >> 15) * 7373) >> 15;  // 0.775 y + 0.225 y|y|
    return static_cast<int32_t>(y);
}

int32_t Wave(const std::string& kind, uint32_t phase)
{
    if (kind == "square")
        return (phase & 0x8000) ? -32767 : 32767;
    if (kind == "triangle") {
        int32_t p = static_cast<int32_t>(phase & 0xFFFF);
        return p < 32768 ? -32767 + 2 * p : 32767 - 2 * (p - 32768);
    }
    return SineQ15(phase);
}

}  // namespace

bool SynthesizeSoundSource(const std::string& text, const std::string& name, WavSource& sound,
                           std::string& error)
{
    sound = WavSource{};
    sound.channels = 1;
    long volume = 50;
    std::vector<int32_t> mix;  // Q15 samples
    std::vector<std::string> lines = Lines(text);
    bool started = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = Trim(lines[i]);
        size_t n = i + 1;
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> w = Words(line);
        std::vector<long> v;
        for (size_t k = (w[0] == "note" ? 2 : 1); k < w.size(); ++k) {
            long x = 0;
            if (!ParseNumber(w[k], x))
                return Fail(error, name, n, "\"" + w[k] + "\" is not a number");
            v.push_back(x);
        }
        if (w[0] == "rate" || w[0] == "bits" || w[0] == "volume") {
            if (started)
                return Fail(error, name, n, "\"" + w[0] + "\" must come before the notes");
            if (v.size() != 1)
                return Fail(error, name, n, "expected one number");
            if (w[0] == "rate") {
                if (v[0] < 4000 || v[0] > 48000)
                    return Fail(error, name, n, "rate runs 4000..48000");
                sound.samplesPerSecond = static_cast<uint32_t>(v[0]);
            } else if (w[0] == "bits") {
                if (v[0] != 8 && v[0] != 16)
                    return Fail(error, name, n, "bits is 8 or 16");
                sound.bitsPerSample = static_cast<uint16_t>(v[0]);
            } else {
                if (v[0] < 0 || v[0] > 100)
                    return Fail(error, name, n, "volume runs 0..100");
                volume = v[0];
            }
        } else if (w[0] == "rest") {
            started = true;
            if (v.size() != 1 || v[0] < 0 || v[0] > 10000)
                return Fail(error, name, n, "expected \"rest <0..10000 ms>\"");
            mix.resize(mix.size() + static_cast<size_t>(v[0]) * sound.samplesPerSecond / 1000, 0);
        } else if (w[0] == "note") {
            started = true;
            if (w.size() < 2 || (w[1] != "sine" && w[1] != "square" && w[1] != "triangle"))
                return Fail(error, name, n, "a note is sine, square or triangle");
            if (v.size() < 3 || v.size() > 5)
                return Fail(error, name, n, "expected \"note <wave> <Hz> <Hz> <ms> [attack] [release]\"");
            long f0 = v[0], f1 = v[1], ms = v[2], attack = v.size() > 3 ? v[3] : 0,
                 release = v.size() > 4 ? v[4] : 0;
            long nyquist = static_cast<long>(sound.samplesPerSecond / 2);
            if (f0 < 20 || f1 < 20 || f0 >= nyquist || f1 >= nyquist)
                return Fail(error, name, n, "frequencies run from 20 Hz to below half the rate");
            if (ms <= 0 || ms > 10000 || attack < 0 || release < 0 || attack + release > ms)
                return Fail(error, name, n, "a note lasts 1..10000 ms and holds its attack and release");
            int64_t count = static_cast<int64_t>(ms) * sound.samplesPerSecond / 1000;
            int64_t a = static_cast<int64_t>(attack) * sound.samplesPerSecond / 1000;
            int64_t r = static_cast<int64_t>(release) * sound.samplesPerSecond / 1000;
            uint32_t phase = 0;
            for (int64_t s = 0; s < count; ++s) {
                int64_t freq = f0 + (f1 - f0) * s / (count > 1 ? count - 1 : 1);
                int64_t level = 32768;
                if (s < a)
                    level = level * s / a;
                if (s >= count - r && r > 0)
                    level = level * (count - 1 - s) / r;
                int32_t x = Wave(w[1], phase);
                mix.push_back(static_cast<int32_t>(x * level / 32768 * volume / 100));
                phase += static_cast<uint32_t>(freq * 65536 / sound.samplesPerSecond);
            }
        } else {
            return Fail(error, name, n, "expected \"rate\", \"bits\", \"volume\", \"note\" or \"rest\"");
        }
    }
    if (mix.empty())
        return Fail(error, name, lines.size(), "the sound is empty");
    for (int32_t x : mix) {
        x = std::clamp(x, -32767, 32767);
        if (sound.bitsPerSample == 8) {
            sound.samples.push_back(static_cast<uint8_t>(128 + (x >> 8)));
        } else {
            sound.samples.push_back(static_cast<uint8_t>(x & 0xFF));
            sound.samples.push_back(static_cast<uint8_t>((x >> 8) & 0xFF));
        }
    }
    EncodeResult check = EncodeWav(sound);
    if (!check.ok())
        return Fail(error, name, 0, check.error);
    return true;
}

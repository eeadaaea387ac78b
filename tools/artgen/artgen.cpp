// artgen <data folder> <staging folder>
//
// Writes, below the staging folder:
//   Locale/Fonts/<name>.fnt   from data/fonts/<name>.txt
//   Palettes/<name>.pal       from data/palettes/<name>.txt (every name of the list)
//   Palettes/pallist.plt      from data/palettes/pallist.txt
//   Sounds/<name>.wav         from data/sounds/<name>.txt
//   Images/*.img, Ani/*.ani   procedural test pictures
// A file whose bytes are unchanged is not rewritten, so the packs are only
// rebuilt when the art really changed. Everything is deterministic.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/encode/art_sources.h"
#include "tools/encode/generated_files.h"
#include "tools/encode/image_encoder.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> SourcesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    if (!fs::is_directory(folder))
        return files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file() && e.path().extension() == ".txt")
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool Report(const std::string& error)
{
    std::cerr << "artgen: " << error << "\n";
    return false;
}

bool Fonts(const fs::path& data, const fs::path& out)
{
    for (const fs::path& src : SourcesIn(data / "fonts")) {
        std::string text, error;
        FontSource font;
        if (!ReadWholeFile(src, text))
            return Report("cannot read " + src.string());
        if (!ParseFontSource(text, src.string(), font, error))
            return Report(error);
        EncodeResult r = EncodeFont(font);
        if (!r.ok())
            return Report(src.string() + ": " + r.error);
        if (!WriteIfChanged(out / "Locale" / "Fonts" / (src.stem().string() + ".fnt"), r.bytes))
            return false;
    }
    return true;
}

bool Palettes(const fs::path& data, const fs::path& out, size_t& paletteCount)
{
    fs::path listPath = data / "palettes" / "pallist.txt";
    std::string text, error;
    std::vector<std::string> names;
    if (!ReadWholeFile(listPath, text))
        return Report("cannot read " + listPath.string());
    if (!ParsePaletteListSource(text, listPath.string(), names, error))
        return Report(error);
    for (const std::string& name : names) {
        fs::path src = data / "palettes" / (name + ".txt");
        std::vector<Rgb> colours;
        if (!ReadWholeFile(src, text))
            return Report(listPath.string() + ": palette \"" + name + "\" has no source " + src.string());
        if (!ParsePaletteSource(text, src.string(), colours, error))
            return Report(error);
        EncodeResult r = EncodePalette(colours);
        if (!r.ok())
            return Report(src.string() + ": " + r.error);
        if (!WriteIfChanged(out / "Palettes" / (name + ".pal"), r.bytes))
            return false;
    }
    EncodeResult list = EncodePaletteList(names);
    if (!list.ok())
        return Report(listPath.string() + ": " + list.error);
    paletteCount = names.size();
    return WriteIfChanged(out / "Palettes" / "pallist.plt", list.bytes);
}

bool Sounds(const fs::path& data, const fs::path& out)
{
    for (const fs::path& src : SourcesIn(data / "sounds")) {
        std::string text, error;
        WavSource sound;
        if (!ReadWholeFile(src, text))
            return Report("cannot read " + src.string());
        if (!SynthesizeSoundSource(text, src.string(), sound, error))
            return Report(error);
        EncodeResult r = EncodeWav(sound);
        if (!r.ok())
            return Report(src.string() + ": " + r.error);
        if (!WriteIfChanged(out / "Sounds" / (src.stem().string() + ".wav"), r.bytes))
            return false;
    }
    return true;
}

// Test pictures: a checkerboard of the grey ramp, a transparent diamond with
// a hot spot, a strip wide enough for 16-bit row lengths, and a ring that
// grows over four transparent frames. They give the decoders, the tests and
// the fuzzers real data of every kind.
bool Pictures(const fs::path& out, size_t paletteCount)
{
    IndexedPicture checker;
    checker.width = 32;
    checker.height = 32;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            checker.pixels.push_back(static_cast<uint8_t>(((x / 8 + y / 8) % 2) ? 15 : 4));
    ImageEncodeOptions io;
    io.paletteId = 0;
    io.paletteCount = static_cast<uint16_t>(paletteCount);
    EncodeResult img = EncodeImage(checker, io);
    if (!img.ok())
        return Report("checker: " + img.error);
    if (!WriteIfChanged(out / "Images" / "checker.img", img.bytes))
        return false;

    IndexedPicture diamond;
    diamond.width = 21;
    diamond.height = 21;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) {
            int d = (x > 10 ? x - 10 : 10 - x) + (y > 10 ? y - 10 : 10 - y);
            diamond.pixels.push_back(d <= 10 ? static_cast<uint8_t>(d == 10 ? 1 : 16 + d) : 0);
        }
    ImageEncodeOptions dio = io;
    dio.transparent = true;
    dio.hotX = 10;
    dio.hotY = 10;
    EncodeResult dimg = EncodeImage(diamond, dio);
    if (!dimg.ok())
        return Report("diamond: " + dimg.error);
    if (!WriteIfChanged(out / "Images" / "diamond.img", dimg.bytes))
        return false;

    IndexedPicture strip;
    strip.width = 320;
    strip.height = 6;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 320; ++x)
            strip.pixels.push_back(static_cast<uint8_t>(32 + (x * 7 + y * 3) % 16));
    EncodeResult simg = EncodeImage(strip, io);
    if (!simg.ok())
        return Report("strip: " + simg.error);
    if (!WriteIfChanged(out / "Images" / "strip.img", simg.bytes))
        return false;

    std::vector<IndexedPicture> frames;
    for (int f = 0; f < 4; ++f) {
        IndexedPicture p;
        p.width = 16;
        p.height = 16;
        int outer = (3 + 2 * f) * (3 + 2 * f), inner = (1 + 2 * f) * (1 + 2 * f);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int d = (2 * x - 15) * (2 * x - 15) / 4 + (2 * y - 15) * (2 * y - 15) / 4;
                p.pixels.push_back(d <= outer && d >= inner ? static_cast<uint8_t>(64 + 4 * f) : 0);
            }
        frames.push_back(p);
    }
    AnimEncodeOptions ao;
    ao.paletteId = 0;
    ao.paletteCount = static_cast<uint16_t>(paletteCount);
    ao.transparency = AnimTransparency::AllFrames;
    ao.hotX = 8;
    ao.hotY = 8;
    ao.rate = 80;
    ao.loopBack = 0;
    EncodeResult ani = EncodeAnimation(frames, ao);
    if (!ani.ok())
        return Report("pulse: " + ani.error);
    return WriteIfChanged(out / "Ani" / "pulse.ani", ani.bytes);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: artgen <data folder> <staging folder>\n";
        return 2;
    }
    fs::path data = argv[1], out = argv[2];
    size_t paletteCount = 0;
    bool ok = Fonts(data, out) && Palettes(data, out, paletteCount) && Sounds(data, out) &&
              Pictures(out, paletteCount);
    return ok ? 0 : 1;
}

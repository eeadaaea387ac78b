// The pack "art": below its staging folder
//   Locale/Fonts/<name>.fnt   from data/fonts/<name>.txt
//   Palettes/<name>.pal       from data/palettes/<name>.txt (every name of the list)
//   Palettes/pallist.plt      from data/palettes/pallist.txt
//   Sounds/<name>.wav         from data/sounds/<name>.txt
//   Images/*.img, Ani/*.ani   procedural test pictures

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/art_screens.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/sound_recipes.h"
#include "tools/encode/art_sources.h"
#include "tools/encode/generated_files.h"
#include "tools/encode/image_encoder.h"

namespace fs = std::filesystem;

namespace {

bool Fonts(const fs::path& data, ArtWriter& out)
{
    for (const fs::path& src : TextSourcesIn(data / "fonts")) {
        std::string text, error;
        FontSource font;
        if (!ReadWholeFile(src, text))
            return out.Fail("cannot read " + src.string());
        if (!ParseFontSource(text, src.string(), font, error))
            return out.Fail(error);
        if (out.Scale() == 2)
            font = DoubledFont(font);
        EncodeResult r = EncodeFont(font);
        if (!r.ok())
            return out.Fail(src.string() + ": " + r.error);
        if (!out.File("Locale/Fonts/" + src.stem().string() + ".fnt", r.bytes))
            return false;
    }
    return true;
}

bool Palettes(const fs::path& data, ArtWriter& out, size_t& paletteCount)
{
    fs::path listPath = data / "palettes" / "pallist.txt";
    std::string text, error;
    std::vector<std::string> names;
    if (!ReadWholeFile(listPath, text))
        return out.Fail("cannot read " + listPath.string());
    if (!ParsePaletteListSource(text, listPath.string(), names, error))
        return out.Fail(error);
    for (const std::string& name : names) {
        fs::path src = data / "palettes" / (name + ".txt");
        std::vector<Rgb> colours;
        if (!ReadWholeFile(src, text))
            return out.Fail(listPath.string() + ": palette \"" + name + "\" has no source " + src.string());
        if (!ParsePaletteSource(text, src.string(), colours, error))
            return out.Fail(error);
        if (!out.Palette("Palettes/" + name, colours))
            return false;
    }
    EncodeResult list = EncodePaletteList(names);
    if (!list.ok())
        return out.Fail(listPath.string() + ": " + list.error);
    paletteCount = names.size();
    return out.File("Palettes/pallist.plt", list.bytes);
}

// Test pictures: a checkerboard of the grey ramp, a transparent diamond with
// a hot spot, a strip wide enough for 16-bit row lengths, and a ring that
// grows over four transparent frames. They give the decoders, the tests and
// the fuzzers real data of every kind.
bool Pictures(ArtWriter& out, size_t paletteCount)
{
    Canvas checker(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            checker.Set(x, y, static_cast<uint8_t>(((x / 8 + y / 8) % 2) ? 15 : 4));
    ImageEncodeOptions io;
    io.paletteId = 0;
    io.paletteCount = static_cast<uint16_t>(paletteCount);
    out.Image("Images/checker", checker, io);

    Canvas diamond(21, 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) {
            int d = (x > 10 ? x - 10 : 10 - x) + (y > 10 ? y - 10 : 10 - y);
            diamond.Set(x, y, d <= 10 ? static_cast<uint8_t>(d == 10 ? 1 : 16 + d) : 0);
        }
    ImageEncodeOptions dio = io;
    dio.transparent = true;
    dio.hotX = 10;
    dio.hotY = 10;
    out.Image("Images/diamond", diamond, dio);

    Canvas strip(320, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 320; ++x)
            strip.Set(x, y, static_cast<uint8_t>(32 + (x * 7 + y * 3) % 16));
    out.Image("Images/strip", strip, io);

    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) {
        Canvas p(16, 16);
        int outer = (3 + 2 * f) * (3 + 2 * f), inner = (1 + 2 * f) * (1 + 2 * f);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int d = (2 * x - 15) * (2 * x - 15) / 4 + (2 * y - 15) * (2 * y - 15) / 4;
                p.Set(x, y, d <= outer && d >= inner ? static_cast<uint8_t>(64 + 4 * f) : 0);
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
    return out.Anim("Ani/pulse", frames, ao) && out.Ok();
}

}  // namespace

bool DrawBaseArt(const ArtInput& in, ArtWriter& out)
{
    size_t paletteCount = 0;
    return Fonts(in.data, out) && Palettes(in.data, out, paletteCount) &&
           SoundsFromRecipes(in.data / "sounds", "Sounds", out) && Pictures(out, paletteCount);
}

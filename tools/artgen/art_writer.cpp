#include "tools/artgen/art_writer.h"

#include <iostream>
#include <system_error>

#include "tools/encode/generated_files.h"

namespace fs = std::filesystem;

bool ArtWriter::Fail(const std::string& what)
{
    std::cerr << "artgen: " << what << "\n";
    m_ok = false;
    return false;
}

bool ArtWriter::File(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    if (!WriteIfChanged(m_root / path, bytes)) {
        m_ok = false;
        return false;
    }
    return true;
}

bool ArtWriter::Image(const fs::path& path, const Canvas& canvas, bool transparent, int hotX, int hotY)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    options.hotX = static_cast<int16_t>(hotX);
    options.hotY = static_cast<int16_t>(hotY);
    return Image(path, canvas, options);
}

bool ArtWriter::Image(const fs::path& path, const Canvas& canvas, const ImageEncodeOptions& options)
{
    const EncodeResult r = EncodeImage(canvas.Picture(), options);
    if (!r.ok())
        return Fail(path.string() + ": " + r.error);
    return File(path.string() + ".img", r.bytes);
}

bool ArtWriter::Anim(const fs::path& path, const std::vector<Canvas>& frames, int hotX, int hotY,
                     uint8_t rate, uint8_t loopBack)
{
    AnimEncodeOptions options;
    options.transparency = AnimTransparency::AllFrames;
    options.hotX = static_cast<int16_t>(hotX);
    options.hotY = static_cast<int16_t>(hotY);
    options.rate = rate;
    options.loopBack = loopBack;
    return Anim(path, frames, options);
}

bool ArtWriter::Anim(const fs::path& path, const std::vector<Canvas>& frames,
                     const AnimEncodeOptions& options)
{
    std::vector<IndexedPicture> pictures;
    for (const Canvas& frame : frames)
        pictures.push_back(frame.Picture());
    const EncodeResult r = EncodeAnimation(pictures, options);
    if (!r.ok())
        return Fail(path.string() + ": " + r.error);
    return File(path.string() + ".ani", r.bytes);
}

bool ArtWriter::Wav(const fs::path& path, const WavSource& sound)
{
    const EncodeResult r = EncodeWav(sound);
    if (!r.ok())
        return Fail(path.string() + ": " + r.error);
    return File(path.string() + ".wav", r.bytes);
}

bool ArtWriter::Palette(const fs::path& path, const std::vector<Rgb>& colours)
{
    const EncodeResult r = EncodePalette(colours);
    if (!r.ok())
        return Fail(path.string() + ": " + r.error);
    return File(path.string() + ".pal", r.bytes);
}

bool ArtWriter::CopyIfPresent(const fs::path& from, const fs::path& path)
{
    if (!fs::is_regular_file(from))
        return true;
    std::string bytes;
    if (!ReadWholeFile(from, bytes))
        return Fail("cannot read " + from.string());
    return File(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

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

fs::path ArtWriter::Place(const fs::path& path, bool perSize)
{
    if (!m_doubling)
        return path;
    auto part = path.begin();
    const bool inSkin = part != path.end() && part->string() == m_doubling->smallSkin;
    fs::path placed = m_doubling->largeSkin;
    if (inSkin) {
        for (++part; part != path.end(); ++part)
            placed /= *part;
        m_doubling->fromSkin->insert(placed);
        return placed;
    }
    if (!perSize)
        return {};
    placed /= path;
    return m_doubling->fromSkin->count(placed) ? fs::path() : placed;
}

bool ArtWriter::Write(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    if (!WriteIfChanged(m_root / path, bytes)) {
        m_ok = false;
        return false;
    }
    return true;
}

bool ArtWriter::File(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    const fs::path placed = Place(path, true);
    return placed.empty() || Write(placed, bytes);
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
    if (m_doubling) {
        ImageEncodeOptions doubled = options;
        doubled.hotX = static_cast<int16_t>(options.hotX * 2);
        doubled.hotY = static_cast<int16_t>(options.hotY * 2);
        const EncodeResult r = EncodeImage(canvas.Doubled().Picture(), doubled);
        if (!r.ok())
            return Fail(path.string() + " (doubled): " + r.error);
        return File(path.string() + ".img", r.bytes);
    }
    const EncodeResult r = EncodeImage(canvas.Picture(), options);
    if (!r.ok())
        return Fail(path.string() + ": " + r.error);
    return File(path.string() + ".img", r.bytes);
}

bool ArtWriter::ImageAtSize(const fs::path& path, const Canvas& canvas)
{
    ImageEncodeOptions options;
    options.transparent = true;
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
    AnimEncodeOptions placed = options;
    for (const Canvas& frame : frames)
        pictures.push_back(m_doubling ? frame.Doubled().Picture() : frame.Picture());
    if (m_doubling) {
        placed.hotX = static_cast<int16_t>(options.hotX * 2);
        placed.hotY = static_cast<int16_t>(options.hotY * 2);
    }
    const EncodeResult r = EncodeAnimation(pictures, placed);
    if (!r.ok())
        return Fail(path.string() + ": " + r.error);
    return File(path.string() + ".ani", r.bytes);
}

bool ArtWriter::Wav(const fs::path& path, const WavSource& sound)
{
    const fs::path placed = Place(path.string() + ".wav", false);
    if (placed.empty())
        return true;
    const EncodeResult r = EncodeWav(sound);
    if (!r.ok())
        return Fail(path.string() + ": " + r.error);
    return Write(placed, r.bytes);
}

bool ArtWriter::Palette(const fs::path& path, const std::vector<Rgb>& colours)
{
    const fs::path placed = Place(path.string() + ".pal", false);
    if (placed.empty())
        return true;
    const EncodeResult r = EncodePalette(colours);
    if (!r.ok())
        return Fail(path.string() + ": " + r.error);
    return Write(placed, r.bytes);
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

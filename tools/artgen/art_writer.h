#pragma once
// Writes the art of one screen below its staging folder. Paths are given below
// that folder without their extension, which the kind of file adds. A file
// whose bytes did not change is left alone, so the pack is not compiled
// again; every failure is reported on standard error and remembered.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/canvas.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/palette_encoder.h"
#include "tools/encode/wav_encoder.h"

class ArtWriter {
public:
    explicit ArtWriter(std::filesystem::path root) : m_root(std::move(root)) {}

    bool Image(const std::filesystem::path& path, const Canvas& canvas, bool transparent = true, int hotX = 0,
               int hotY = 0);
    bool Image(const std::filesystem::path& path, const Canvas& canvas, const ImageEncodeOptions& options);
    // Frames with every frame's colour 0 clear.
    bool Anim(const std::filesystem::path& path, const std::vector<Canvas>& frames, int hotX, int hotY,
              uint8_t rate, uint8_t loopBack);
    bool Anim(const std::filesystem::path& path, const std::vector<Canvas>& frames,
              const AnimEncodeOptions& options);
    bool Wav(const std::filesystem::path& path, const WavSource& sound);
    bool Palette(const std::filesystem::path& path, const std::vector<Rgb>& colours);
    // A file of any kind: the path carries its extension.
    bool File(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
    // Copies a file of another folder (one already written) to a path with
    // its extension; a missing file is no error.
    bool CopyIfPresent(const std::filesystem::path& from, const std::filesystem::path& path);

    // Reports a failure ("artgen: <what>") and returns false.
    bool Fail(const std::string& what);
    bool Ok() const { return m_ok; }

private:
    std::filesystem::path m_root;
    bool m_ok = true;
};

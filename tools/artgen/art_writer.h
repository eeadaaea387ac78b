#pragma once
// Writes the art of one screen below its staging folder. Paths are given below
// that folder without their extension, which the kind of file adds. A file
// whose bytes did not change is left alone, so the pack is not compiled
// again; every failure is reported on standard error and remembered.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tools/artgen/canvas.h"
#include "tools/encode/image_encoder.h"
#include "tools/encode/palette_encoder.h"
#include "tools/encode/wav_encoder.h"

// The art of a larger screen is the small screen's art drawn once more at
// twice the size into that screen's skin folder, which the start-up
// overlays onto the root: a picture the small screen finds in its own skin
// folder or in the root is found there, doubled (Canvas::Doubled), with its
// hot spot. Sounds and palettes of the root serve every size and are not
// copied; those of the small skin folder are.
struct ArtDoubling {
    std::string smallSkin;  // "Skin240"
    std::string largeSkin;  // "Skin480"
    // Paths written from the small skin folder, shared by every writer of
    // the pass: the small skin folder hides the root, so its pictures win
    // over a root picture of the same name whatever the order of writing.
    std::shared_ptr<std::set<std::filesystem::path>> fromSkin =
        std::make_shared<std::set<std::filesystem::path>>();
};

class ArtWriter {
public:
    explicit ArtWriter(std::filesystem::path root) : m_root(std::move(root)) {}
    ArtWriter(std::filesystem::path root, ArtDoubling doubling)
        : m_root(std::move(root)), m_doubling(std::make_unique<ArtDoubling>(std::move(doubling)))
    {}
    // 2 while drawing a larger screen's art, else 1.
    int Scale() const { return m_doubling ? 2 : 1; }

    bool Image(const std::filesystem::path& path, const Canvas& canvas, bool transparent = true, int hotX = 0,
               int hotY = 0);
    bool Image(const std::filesystem::path& path, const Canvas& canvas, const ImageEncodeOptions& options);
    // A picture the caller drew at this writer's size (text in a game font,
    // which Canvas::Doubled would round): written as it stands, transparent.
    bool ImageAtSize(const std::filesystem::path& path, const Canvas& canvas);
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
    // Where a path goes: itself, or under the large skin folder; empty when
    // a doubling writer leaves it out (a root sound or palette, or a root
    // picture the small skin folder already gave).
    std::filesystem::path Place(const std::filesystem::path& path, bool perSize);
    bool Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

    std::filesystem::path m_root;
    std::unique_ptr<ArtDoubling> m_doubling;
    bool m_ok = true;
};

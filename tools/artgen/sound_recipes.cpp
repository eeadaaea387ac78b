#include "tools/artgen/sound_recipes.h"

#include <algorithm>

#include "tools/encode/art_sources.h"
#include "tools/encode/generated_files.h"

namespace fs = std::filesystem;

std::vector<fs::path> TextSourcesIn(const fs::path& folder)
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

bool SoundsFromRecipes(const fs::path& folder, const std::string& into, ArtWriter& out)
{
    for (const fs::path& src : TextSourcesIn(folder)) {
        std::string text, error;
        WavSource sound;
        if (!ReadWholeFile(src, text))
            return out.Fail("cannot read " + src.string());
        if (!SynthesizeSoundSource(text, src.string(), sound, error))
            return out.Fail(error);
        if (!out.Wav(into + "/" + src.stem().string(), sound))
            return false;
    }
    return true;
}

// battlewndsart: writes the sounds of the battle dialogs (the battle results
// window's victory and defeat calls) from their recipes in
// data/battlewnds/sounds/<name>.txt to <staging>/Sounds/<name>.wav.
// Files whose bytes would not change are left alone, so the pack is built
// again only when a recipe changed.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/encode/art_sources.h"
#include "tools/encode/wav_encoder.h"

namespace fs = std::filesystem;

namespace {

bool ReadFile(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool WriteIfChanged(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::string old;
    if (ReadFile(path, old) && old.size() == bytes.size() && std::equal(old.begin(), old.end(), bytes.begin()))
        return true;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "battlewndsart: cannot write " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: battlewndsart <source folder> <staging folder>\n";
        return 2;
    }
    const fs::path sounds = fs::path(argv[1]) / "sounds";
    const fs::path out = argv[2];
    std::vector<fs::path> sources;
    if (fs::is_directory(sounds)) {
        for (const auto& e : fs::directory_iterator(sounds))
            if (e.is_regular_file() && e.path().extension() == ".txt") sources.push_back(e.path());
    }
    std::sort(sources.begin(), sources.end());
    if (sources.empty()) {
        std::cerr << "battlewndsart: no sound recipes in " << sounds << "\n";
        return 1;
    }
    for (const fs::path& src : sources) {
        std::string text, error;
        WavSource sound;
        if (!ReadFile(src, text)) {
            std::cerr << "battlewndsart: cannot read " << src << "\n";
            return 1;
        }
        if (!SynthesizeSoundSource(text, src.string(), sound, error)) {
            std::cerr << "battlewndsart: " << error << "\n";
            return 1;
        }
        EncodeResult r = EncodeWav(sound);
        if (!r.ok()) {
            std::cerr << "battlewndsart: " << src.string() << ": " << r.error << "\n";
            return 1;
        }
        if (!WriteIfChanged(out / "Sounds" / (src.stem().string() + ".wav"), r.bytes)) return 1;
    }
    return 0;
}

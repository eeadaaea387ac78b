// uitc: compiles UI tree sources into the "uit" and "uib" resources.
//   uitc --out <dir>/<name> [--scale <rules>] <source.ui>...
// With --scale the tree is that of a larger screen: the pixel values the
// rules name are multiplied (ui_tree_scaling.h).
// writes <dir>/<name>.uit and <dir>/<name>.uib; the sources are read in the
// order given. Errors name the file and line and fail with exit code 1.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/uitc/ui_tree_source.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string out;
    std::string scaleRules;
    std::vector<std::string> sources;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (arg == "--scale" && i + 1 < argc) {
            scaleRules = argv[++i];
        } else {
            sources.push_back(arg);
        }
    }
    if (out.empty() || sources.empty()) {
        std::cerr << "usage: uitc --out <dir>/<name> [--scale <rules>] <source.ui>...\n";
        return 1;
    }
    UiTreeSource tree;
    std::string error;
    if (!scaleRules.empty()) {
        std::ifstream in(scaleRules, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        UiTreeScaling scaling;
        if (!in || !scaling.Parse(scaleRules, text.str(), &error)) {
            std::cerr << (in ? error : scaleRules + ": cannot be read") << "\n";
            return 1;
        }
        tree.ScaleBy(scaling);
    }
    for (const std::string& source : sources) {
        std::ifstream in(source, std::ios::binary);
        if (!in) {
            std::cerr << source << ": cannot be read\n";
            return 1;
        }
        std::stringstream text;
        text << in.rdbuf();
        if (!tree.AddFile(std::filesystem::path(source).filename().string(), text.str(), &error)) {
            std::cerr << error << "\n";
            return 1;
        }
    }
    std::vector<uint8_t> pool;
    std::vector<uint8_t> table;
    if (!tree.Compile(&pool, &table, &error)) {
        std::cerr << error << "\n";
        return 1;
    }
    std::filesystem::create_directories(std::filesystem::path(out).parent_path());
    if (!WriteFile(out + ".uit", pool) || !WriteFile(out + ".uib", table)) {
        std::cerr << out << ": cannot be written\n";
        return 1;
    }
    return 0;
}

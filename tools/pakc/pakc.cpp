// pakc --out FILE.pak --order KEY --types MAPFILE [--scramble] [--depfile FILE] ROOT...
//
// Compiles the source folder trees ROOT... into one pack. The order key is
// given explicitly so that the same sources always give the same bytes.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/pack/pack_compiler.h"
#include "tools/pack/pack_writer.h"

static int Usage()
{
    std::fprintf(stderr, "usage: pakc --out FILE.pak --order KEY --types MAPFILE [--scramble] "
                         "[--depfile FILE] ROOT...\n");
    return 2;
}

// Make-style escaping for a depfile path.
static std::string Escape(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\')
            out += '\\';
        if (c == '$')
            out += '$';
        out += c;
    }
    return out;
}

int main(int argc, char** argv)
{
    std::string out, typesPath, depfile;
    long long order = -1;
    bool scramble = false;
    std::vector<std::string> roots;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string* target) {
            if (i + 1 >= argc)
                return false;
            *target = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--out") {
            if (!value(&out))
                return Usage();
        } else if (arg == "--types") {
            if (!value(&typesPath))
                return Usage();
        } else if (arg == "--depfile") {
            if (!value(&depfile))
                return Usage();
        } else if (arg == "--order") {
            if (!value(&text))
                return Usage();
            char* end = nullptr;
            order = std::strtoll(text.c_str(), &end, 10);
            if (*end != 0 || order < 0 || order > 0xFFFFFFFFll) {
                std::fprintf(stderr, "pakc: the order key must be a number from 0 to 4294967295\n");
                return 2;
            }
        } else if (arg == "--scramble") {
            scramble = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            roots.push_back(arg);
        }
    }
    if (out.empty() || typesPath.empty() || order < 0 || roots.empty())
        return Usage();

    std::ifstream typesFile(typesPath, std::ios::binary);
    if (!typesFile) {
        std::fprintf(stderr, "pakc: cannot read %s\n", typesPath.c_str());
        return 1;
    }
    std::ostringstream typesText;
    typesText << typesFile.rdbuf();
    SourceTypeMap types;
    std::string error;
    if (!types.Parse(typesText.str(), typesPath, &error)) {
        std::fprintf(stderr, "pakc: %s\n", error.c_str());
        return 1;
    }

    PackWriter writer(static_cast<uint32_t>(order), scramble);
    std::vector<std::string> inputs{typesPath};
    if (!CompileSourceRoots(roots, types, &writer, &inputs, &error)) {
        std::fprintf(stderr, "pakc: %s\n", error.c_str());
        return 1;
    }
    if (!writer.WriteFile(out)) {
        std::fprintf(stderr, "pakc: %s\n", writer.error().c_str());
        return 1;
    }
    if (!depfile.empty()) {
        std::ofstream deps(depfile, std::ios::binary);
        deps << Escape(out) << ":";
        for (const auto& input : inputs)
            deps << " \\\n  " << Escape(input);
        deps << "\n";
        if (!deps) {
            std::fprintf(stderr, "pakc: cannot write %s\n", depfile.c_str());
            return 1;
        }
    }
    return 0;
}

#include "tools/encode/generated_files.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

bool ReadWholeFile(const std::filesystem::path& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

bool WriteIfChanged(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::string old;
    // Compared as bytes: a plain char of 0x80 or more is negative and would
    // never equal its uint8_t, so every such file would be written again.
    if (ReadWholeFile(path, old) && old.size() == bytes.size() &&
        std::equal(old.begin(), old.end(), bytes.begin(),
                   [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }))
        return true;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "cannot write " << path << "\n";
        return false;
    }
    return true;
}

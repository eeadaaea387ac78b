#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "tharn-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    m_path = std::string(made ? made : pattern.c_str()) + "/";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

bool TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(m_path + name, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

std::string TempFolder::Read(const std::string& name) const
{
    std::ifstream in(m_path + name, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

bool TempFolder::Exists(const std::string& name) const
{
    return fs::exists(m_path + name);
}

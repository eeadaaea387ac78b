#include "tools/pack/pack_compiler.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/pack/pack_writer.h"

namespace fs = std::filesystem;

static std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    }
    return text;
}

bool SourceTypeMap::Parse(const std::string& text, const std::string& sourceName, std::string* error)
{
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string extension, type, conversion, extra;
        if (!(words >> extension))
            continue;
        words >> type >> conversion >> extra;
        auto fail = [&](const std::string& why) {
            *error = sourceName + ":" + std::to_string(number) + ": " + why;
            return false;
        };
        if (!extra.empty())
            return fail("too many words");
        if (!extension.empty() && extension[0] == '.')
            extension.erase(0, 1);
        SourceTypeRule rule;
        rule.extension = Lower(extension);
        if (Find(rule.extension) != nullptr)
            return fail("extension \"" + extension + "\" mapped twice");
        if (type == "ignore" && conversion.empty()) {
            rule.conversion = SourceConversion::kIgnore;
        } else {
            if (type.size() < 3 || type.size() > 4)
                return fail("a type has 3 or 4 letters");
            if (type == "...")
                return fail("\"...\" is the folder type");
            rule.type = pack_format::MakeType(type.c_str());
            if (conversion == "text") {
                rule.conversion = SourceConversion::kText;
            } else if (conversion == "binary") {
                rule.conversion = SourceConversion::kBinary;
            } else {
                return fail("conversion must be \"text\" or \"binary\"");
            }
        }
        m_rules.push_back(rule);
    }
    return true;
}

const SourceTypeRule* SourceTypeMap::Find(const std::string& extension) const
{
    std::string key = Lower(extension);
    for (const auto& rule : m_rules) {
        if (rule.extension == key)
            return &rule;
    }
    return nullptr;
}

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes.
static const uint16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

static int ToWindows1252(uint32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == codePoint)
            return 0x80 + i;
    }
    return -1;
}

bool ConvertSourceText(const std::string& source, std::string* out, std::string* error)
{
    out->clear();
    size_t i = 0;
    if (source.compare(0, 3, "\xEF\xBB\xBF") == 0)
        i = 3;
    int line = 1;
    auto fail = [&](const std::string& why) {
        *error = "line " + std::to_string(line) + ": " + why;
        return false;
    };
    while (i < source.size()) {
        unsigned char c = static_cast<unsigned char>(source[i]);
        if (c == '\r') {
            if (i + 1 >= source.size() || source[i + 1] != '\n')
                return fail("carriage return without line feed");
            ++i;
            continue;
        }
        if (c == '\n') {
            *out += "\r\n";
            ++line;
            ++i;
            continue;
        }
        uint32_t codePoint = c;
        int extra = 0;
        if (c >= 0x80) {
            if ((c & 0xE0) == 0xC0) {
                codePoint = c & 0x1F;
                extra = 1;
            } else if ((c & 0xF0) == 0xE0) {
                codePoint = c & 0x0F;
                extra = 2;
            } else if ((c & 0xF8) == 0xF0) {
                codePoint = c & 0x07;
                extra = 3;
            } else {
                return fail("malformed UTF-8");
            }
            if (i + extra >= source.size())
                return fail("malformed UTF-8");
            for (int k = 1; k <= extra; ++k) {
                unsigned char next = static_cast<unsigned char>(source[i + k]);
                if ((next & 0xC0) != 0x80)
                    return fail("malformed UTF-8");
                codePoint = (codePoint << 6) | (next & 0x3F);
            }
            if (codePoint < 0x80)
                return fail("malformed UTF-8");
        }
        int byte = ToWindows1252(codePoint);
        if (byte < 0)
            return fail("a character Windows-1252 cannot hold");
        *out += static_cast<char>(byte);
        i += 1 + extra;
    }
    return true;
}

static bool ReadWholeFile(const fs::path& path, std::string* bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *bytes = buffer.str();
    return !in.bad();
}

static bool CompileFolder(const fs::path& folder, const std::string& packPath, const SourceTypeMap& types,
                          PackWriter* writer, std::vector<std::string>* inputs, std::string* error)
{
    inputs->push_back(folder.string());
    std::vector<fs::directory_entry> entries;
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(folder, code))
        entries.push_back(entry);
    if (code) {
        *error = folder.string() + ": cannot list the folder";
        return false;
    }
    // Sorted, so the pack does not depend on the file system's order.
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    for (const auto& entry : entries) {
        std::string fileName = entry.path().filename().string();
        if (fileName.empty() || fileName[0] == '.')
            continue;
        // Names are looked up byte for byte in the game's code page; keeping
        // them to printable ASCII means a file name reads the same everywhere.
        for (unsigned char c : fileName) {
            if (c < 0x20 || c > 0x7E) {
                *error = entry.path().string() + ": a name must be printable ASCII";
                return false;
            }
        }
        if (entry.is_directory()) {
            std::string sub = packPath.empty() ? fileName : packPath + "/" + fileName;
            if (!writer->AddFolder(sub)) {
                *error = entry.path().string() + ": " + writer->error();
                return false;
            }
            if (!CompileFolder(entry.path(), sub, types, writer, inputs, error))
                return false;
            continue;
        }
        size_t dot = fileName.rfind('.');
        if (dot == std::string::npos || dot == 0) {
            *error = entry.path().string() + ": a source file needs an extension naming its type";
            return false;
        }
        const SourceTypeRule* rule = types.Find(fileName.substr(dot + 1));
        if (rule == nullptr) {
            *error = entry.path().string() + ": no type is mapped to the extension \"" +
                     fileName.substr(dot + 1) + "\"";
            return false;
        }
        if (rule->conversion == SourceConversion::kIgnore)
            continue;
        inputs->push_back(entry.path().string());
        std::string bytes;
        if (!ReadWholeFile(entry.path(), &bytes)) {
            *error = entry.path().string() + ": cannot read";
            return false;
        }
        if (rule->conversion == SourceConversion::kText) {
            std::string converted, why;
            if (!ConvertSourceText(bytes, &converted, &why)) {
                *error = entry.path().string() + ": " + why;
                return false;
            }
            bytes.swap(converted);
        }
        std::string name = fileName.substr(0, dot);
        std::string path = packPath.empty() ? name : packPath + "/" + name;
        if (!writer->AddFile(path, rule->type, std::vector<uint8_t>(bytes.begin(), bytes.end()))) {
            *error = entry.path().string() + ": " + writer->error();
            return false;
        }
    }
    return true;
}

bool CompileSourceRoots(const std::vector<std::string>& roots, const SourceTypeMap& types, PackWriter* writer,
                        std::vector<std::string>* inputs, std::string* error)
{
    for (const auto& root : roots) {
        if (!fs::is_directory(root)) {
            *error = root + ": not a folder";
            return false;
        }
        if (!CompileFolder(root, "", types, writer, inputs, error))
            return false;
    }
    return true;
}

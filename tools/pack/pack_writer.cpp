#include "tools/pack/pack_writer.h"

#include <cstdio>
#include <functional>
#include <unordered_set>

using namespace pack_format;

struct PackWriter::Node {
    std::string name;
    ResourceType type = kFolderType;
    std::vector<uint8_t> data;
    std::vector<std::unique_ptr<Node>> children;
    // Keys of the children (name as compared, then type), for duplicate checks.
    std::unordered_set<std::string> keys;

    bool isFolder() const { return type == kFolderType; }
    uint32_t subtreeSize() const
    {
        uint32_t n = 1;
        for (const auto& child : children)
            n += child->subtreeSize();
        return n;
    }
};

PackWriter::PackWriter(uint32_t orderKey, bool scrambled)
    : m_orderKey(orderKey), m_scrambled(scrambled), m_root(std::make_unique<Node>())
{}

PackWriter::~PackWriter() = default;
PackWriter::PackWriter(PackWriter&&) noexcept = default;
PackWriter& PackWriter::operator=(PackWriter&&) noexcept = default;

static std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = (!path.empty() && path[0] == '/') ? 1 : 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

static bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

// Plain packs are searched without regard to case, so two names that differ
// only in case would hide one another; scrambled packs compare exactly.
bool PackWriter::SameName(const std::string& a, const std::string& b) const
{
    return m_scrambled ? a == b : EqualNoCase(a, b);
}

static std::string ChildKey(const std::string& name, ResourceType type, bool scrambled)
{
    std::string key = name;
    if (!scrambled) {
        for (char& c : key) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        }
    }
    key += '\0';
    key += TypeToString(type);
    return key;
}

bool PackWriter::CheckName(const std::string& name)
{
    if (name.empty()) {
        m_error = "empty name in path";
        return false;
    }
    if (name.size() > kNameSize) {
        m_error = "name \"" + name + "\" is longer than 16 characters";
        return false;
    }
    if (name.find('\0') != std::string::npos || name.find(':') != std::string::npos) {
        m_error = "name \"" + name + "\" holds a character a path cannot name";
        return false;
    }
    if (m_scrambled && !CanScrambleName(name)) {
        m_error = "name \"" + name + "\" ends in a character that scrambles to 0";
        return false;
    }
    return true;
}

PackWriter::Node* PackWriter::FindOrAddFolder(const std::string& path)
{
    Node* folder = m_root.get();
    if (path.empty() || path == "/")
        return folder;
    for (const std::string& part : SplitPath(path)) {
        if (!CheckName(part))
            return nullptr;
        Node* next = nullptr;
        if (folder->keys.count(ChildKey(part, kFolderType, m_scrambled)) != 0) {
            for (auto& child : folder->children) {
                if (child->isFolder() && SameName(child->name, part)) {
                    next = child.get();
                    break;
                }
            }
        }
        if (next == nullptr) {
            auto node = std::make_unique<Node>();
            node->name = part;
            next = node.get();
            folder->keys.insert(ChildKey(part, kFolderType, m_scrambled));
            folder->children.push_back(std::move(node));
        }
        folder = next;
    }
    return folder;
}

bool PackWriter::AddFolder(const std::string& path)
{
    m_error.clear();
    return FindOrAddFolder(path) != nullptr;
}

bool PackWriter::AddFile(const std::string& path, ResourceType type, std::vector<uint8_t> data)
{
    m_error.clear();
    if (type == kFolderType || type == 0) {
        m_error = "\"" + path + "\": a file needs a type other than a folder's";
        return false;
    }
    if (IsRawType(type) && data.size() > kMaxRawSize) {
        m_error = "\"" + path + "\": a " + TypeToString(type) + " resource of " +
                  std::to_string(data.size()) + " bytes is over the 65535-byte limit";
        return false;
    }
    if (data.size() > 0xFFFFFFFFull) {
        m_error = "\"" + path + "\": resource too large";
        return false;
    }
    size_t slash = path.rfind('/');
    std::string folderPath = slash == std::string::npos ? std::string() : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!CheckName(name)) {
        m_error = "\"" + path + "\": " + m_error;
        return false;
    }
    Node* folder = FindOrAddFolder(folderPath);
    if (folder == nullptr) {
        m_error = "\"" + path + "\": " + m_error;
        return false;
    }
    if (!folder->keys.insert(ChildKey(name, type, m_scrambled)).second) {
        m_error = "\"" + path + "\": a " + TypeToString(type) + " resource of that name exists already";
        return false;
    }
    auto node = std::make_unique<Node>();
    node->name = name;
    node->type = type;
    node->data = std::move(data);
    folder->children.push_back(std::move(node));
    return true;
}

uint32_t PackWriter::entryCount() const
{
    return m_root->subtreeSize() - 1;
}

// Folder steps and child counts are 16-bit and depths 8-bit: a tree that
// does not fit would be written wrong, so it is refused.
bool PackWriter::CheckLimits() const
{
    std::string problem;
    std::function<void(const Node&, uint32_t)> check = [&](const Node& node, uint32_t depth) {
        if (!problem.empty())
            return;
        if (depth > kMaxDepth)
            problem = "folders nested deeper than 255 levels";
        if (node.subtreeSize() > kMaxFolderEntries) {
            problem = "folder \"" + node.name + "\" holds more than 65534 entries";
        }
        for (const auto& child : node.children)
            check(*child, depth + 1);
    };
    for (const auto& child : m_root->children)
        check(*child, 1);
    if (entryCount() > 0x7FFFFFFFu)
        problem = "too many entries";
    m_error = problem;
    return problem.empty();
}

std::vector<uint8_t> PackWriter::Build() const
{
    if (!CheckLimits())
        return {};
    const uint32_t count = entryCount();
    const size_t dirEnd = kHeaderSize + static_cast<size_t>(count) * kEntrySize;
    size_t total = dirEnd;
    std::function<void(const Node&)> sum = [&](const Node& node) {
        for (const auto& child : node.children) {
            total += child->data.size();
            sum(*child);
        }
    };
    sum(*m_root);

    std::vector<uint8_t> image(total, 0);
    std::memcpy(image.data(), kSignature, 8);
    WriteU32(&image[8], m_orderKey);
    int32_t storedCount = m_scrambled ? static_cast<int32_t>(count) : -static_cast<int32_t>(count);
    WriteU32(&image[12], static_cast<uint32_t>(storedCount));

    size_t index = 0;
    size_t dataPos = dirEnd;
    std::function<void(const Node&, uint8_t)> emit = [&](const Node& node, uint8_t depth) {
        for (const auto& child : node.children) {
            uint8_t* e = &image[kHeaderSize + index * kEntrySize];
            ++index;
            std::memcpy(e + kEntryName, child->name.data(), child->name.size());
            if (m_scrambled)
                ScrambleBytes(e + kEntryName, child->name.size());
            WriteU32(e + kEntryType, m_scrambled ? (child->type ^ kTypeKey) : child->type);
            e[kEntryDepth] = depth;
            if (child->isFolder()) {
                WriteU32(e + kEntryOffset, static_cast<uint32_t>(dirEnd));
                WriteU16(e + kEntryChildCount, static_cast<uint16_t>(child->children.size()));
                WriteU16(e + kEntryStep, static_cast<uint16_t>(child->subtreeSize()));
                e[kEntryIsFile] = 0;
                emit(*child, static_cast<uint8_t>(depth + 1));
            } else {
                WriteU32(e + kEntryOffset, static_cast<uint32_t>(dataPos));
                WriteU32(e + kEntrySizeField, static_cast<uint32_t>(child->data.size()));
                e[kEntryIsFile] = 1;
                if (!child->data.empty()) {
                    std::memcpy(&image[dataPos], child->data.data(), child->data.size());
                }
                dataPos += child->data.size();
            }
        }
    };
    emit(*m_root, 1);
    return image;
}

bool PackWriter::WriteFile(const std::string& filePath) const
{
    std::vector<uint8_t> image = Build();
    if (image.empty())
        return false;
    std::string temporary = filePath + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        m_error = "cannot create " + temporary;
        return false;
    }
    bool ok = std::fwrite(image.data(), 1, image.size(), file) == image.size();
    ok = (std::fclose(file) == 0) && ok;
    if (!ok || std::rename(temporary.c_str(), filePath.c_str()) != 0) {
        std::remove(temporary.c_str());
        m_error = "cannot write " + filePath;
        return false;
    }
    return true;
}

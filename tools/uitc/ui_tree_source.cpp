#include "tools/uitc/ui_tree_source.h"

#include <cctype>
#include <map>
#include <sstream>

#include "tools/pack/pack_compiler.h"

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

void PutU16(std::vector<uint8_t>* out, uint32_t value)
{
    out->push_back(static_cast<uint8_t>(value & 0xFF));
    out->push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

// Splits the part of a line after its indent into the node's name and its
// value tokens; strings come back unquoted with a leading '"' as the mark.
bool Tokenize(const std::string& text, std::vector<std::string>* tokens, std::string* error)
{
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        if (c == '"') {
            std::string value = "\"";
            ++i;
            bool closed = false;
            while (i < text.size()) {
                const char d = text[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\') {
                    if (i >= text.size() || (text[i] != '"' && text[i] != '\\')) {
                        *error = "only \\\" and \\\\ may follow a backslash";
                        return false;
                    }
                    value += text[i++];
                    continue;
                }
                value += d;
            }
            if (!closed) {
                *error = "a string is not closed";
                return false;
            }
            tokens->push_back(value);
            continue;
        }
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '#')
            ++i;
        tokens->push_back(text.substr(start, i - start));
    }
    return true;
}

bool ParseNumber(const std::string& token, int32_t* value)
{
    size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+'))
        negative = token[i++] == '-';
    int base = 10;
    if (token.size() >= i + 2 && token[i] == '0' && (token[i + 1] == 'x' || token[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= token.size())
        return false;
    int64_t result = 0;
    for (; i < token.size(); ++i) {
        const int c = std::tolower(static_cast<unsigned char>(token[i]));
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            return false;
        }
        if (digit >= base)
            return false;
        result = result * base + digit;
        if (result > 65535)
            return false;
    }
    if (negative)
        result = -result;
    if (result < -32768)
        return false;
    *value = static_cast<int32_t>(result);
    return true;
}

}  // namespace

size_t UiTreeSource::NewNode()
{
    m_nodes.emplace_back();
    return m_nodes.size() - 1;
}

size_t UiTreeSource::FindChild(size_t parent, const std::string& name) const
{
    for (size_t child : m_nodes[parent].children) {
        if (SameName(m_nodes[child].name, name))
            return child;
    }
    return 0;
}

bool UiTreeSource::AddFile(const std::string& fileName, const std::string& text, std::string* error)
{
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    // The open nodes by depth: stack[d] is the last node read at depth d.
    std::vector<size_t> stack;
    auto fail = [&](const std::string& message) {
        *error = fileName + ":" + std::to_string(lineNumber) + ": " + message;
        return false;
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t indent = 0;
        while (indent < line.size() && line[indent] == ' ')
            ++indent;
        if (indent < line.size() && line[indent] == '\t')
            return fail("indent with spaces, not TABs");
        std::vector<std::string> tokens;
        std::string tokenError;
        if (!Tokenize(line.substr(indent), &tokens, &tokenError))
            return fail(tokenError);
        if (tokens.empty())
            continue;
        if (indent % 2 != 0)
            return fail("the indent must be a multiple of two spaces");
        const size_t depth = indent / 2;
        if (depth > stack.size())
            return fail("the node is indented more than one level below its parent");
        if (tokens[0][0] == '"')
            return fail("a node starts with its name, not a string");
        stack.resize(depth);

        const size_t node = NewNode();
        Node& n = m_nodes[node];
        n.name = tokens[0];
        n.where = fileName + ":" + std::to_string(lineNumber);
        for (size_t t = 1; t < tokens.size(); ++t) {
            if (tokens[t][0] == '"') {
                std::string converted;
                std::string convertError;
                if (!ConvertSourceText(tokens[t].substr(1), &converted, &convertError)) {
                    return fail("string: " + convertError);
                }
                n.strings.push_back(converted);
                n.numbers.push_back(-1 - static_cast<int32_t>(n.strings.size() - 1));
                continue;
            }
            int32_t value = 0;
            if (!ParseNumber(tokens[t], &value)) {
                return fail("\"" + tokens[t] + "\" is neither a 16-bit number nor a string");
            }
            // Numbers are kept apart from the string marks by an offset.
            n.numbers.push_back(value + 0x10000);
        }
        if (n.numbers.size() > 255)
            return fail("a node holds at most 255 values");

        if (depth == 0) {
            if (n.name.find('/') != std::string::npos) {
                if (n.name.front() == '/' || n.name.back() == '/' || n.name.find("//") != std::string::npos) {
                    return fail("a path node names its path as A/B/C");
                }
                m_pathNodes.push_back({n.name, node});
            } else {
                for (const auto& owner : m_topOwners) {
                    if (SameName(owner.first, n.name)) {
                        return fail("the top node \"" + n.name + "\" is also written in " + owner.second +
                                    "; add to it with a path node");
                    }
                }
                m_topOwners.push_back({n.name, fileName});
                m_nodes[0].children.push_back(node);
            }
        } else {
            if (n.name.find('/') != std::string::npos)
                return fail("only a top node may be a path");
            m_nodes[stack[depth - 1]].children.push_back(node);
        }
        stack.push_back(node);
    }
    return true;
}

bool UiTreeSource::ScalePixels(std::string* error)
{
    const int factor = m_scaling.Factor();
    if (factor == 1)
        return true;
    std::vector<size_t> pending{0};
    while (!pending.empty()) {
        const size_t parent = pending.back();
        pending.pop_back();
        for (size_t child : m_nodes[parent].children) {
            pending.push_back(child);
            Node& n = m_nodes[child];
            std::vector<bool> isNumber;
            for (int32_t v : n.numbers)
                isNumber.push_back(v >= 0);
            for (size_t at : m_scaling.PixelValues(m_nodes[parent].name, n.name, isNumber)) {
                const int32_t value = (n.numbers[at] - 0x10000) * factor;
                if (value < -32768 || value > 32767) {
                    *error = n.where + ": value " + std::to_string(at + 1) + " times " +
                             std::to_string(factor) + " is not a 16-bit number";
                    return false;
                }
                n.numbers[at] = value + 0x10000;
            }
        }
    }
    return true;
}

bool UiTreeSource::Compile(std::vector<uint8_t>* pool, std::vector<uint8_t>* table, std::string* error)
{
    // Path nodes go in after every plain node, in the order they were read.
    for (const PathNode& p : m_pathNodes) {
        std::vector<std::string> parts;
        std::string part;
        std::istringstream split(p.path);
        while (std::getline(split, part, '/'))
            parts.push_back(part);
        size_t parent = 0;
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            size_t child = FindChild(parent, parts[i]);
            if (child == 0) {
                child = NewNode();
                m_nodes[child].name = parts[i];
                m_nodes[child].implicit = true;
                m_nodes[child].where = m_nodes[p.node].where;
                m_nodes[parent].children.push_back(child);
            }
            parent = child;
        }
        const size_t existing = FindChild(parent, parts.back());
        if (existing != 0) {
            *error = m_nodes[p.node].where + ": \"" + p.path + "\" is already written at " +
                     m_nodes[existing].where;
            return false;
        }
        m_nodes[p.node].name = parts.back();
        m_nodes[parent].children.push_back(p.node);
    }

    if (!ScalePixels(error))
        return false;

    // Pre-order walk: (node, depth).
    std::vector<std::pair<size_t, size_t>> order;
    std::vector<std::pair<size_t, size_t>> pending;
    for (auto it = m_nodes[0].children.rbegin(); it != m_nodes[0].children.rend(); ++it)
        pending.push_back({*it, 0});
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        order.push_back({node, depth});
        const auto& children = m_nodes[node].children;
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.push_back({*it, depth + 1});
    }
    if (order.size() > 65535) {
        *error = "the tree holds " + std::to_string(order.size()) + " nodes; at most 65535 fit";
        return false;
    }

    pool->assign(1, 0);  // offset 0 is the empty string
    std::map<std::string, uint32_t> interned;
    bool poolFull = false;
    auto intern = [&](const std::string& text) -> uint32_t {
        if (text.empty())
            return 0;
        auto found = interned.find(text);
        if (found != interned.end())
            return found->second;
        const uint32_t offset = static_cast<uint32_t>(pool->size());
        if (offset > 65535)
            poolFull = true;
        pool->insert(pool->end(), text.begin(), text.end());
        pool->push_back(0);
        interned[text] = offset;
        return offset;
    };

    table->clear();
    PutU16(table, static_cast<uint32_t>(order.size()));
    for (size_t i = 0; i < order.size(); ++i) {
        const auto [node, depth] = order[i];
        size_t end = i + 1;
        while (end < order.size() && order[end].second > depth)
            ++end;
        if (depth > 255) {
            *error = m_nodes[node].where + ": the tree is deeper than 255 levels";
            return false;
        }
        const Node& n = m_nodes[node];
        PutU16(table, static_cast<uint32_t>(end - i));
        table->push_back(static_cast<uint8_t>(depth));
        table->push_back(static_cast<uint8_t>(n.numbers.size()));
        PutU16(table, intern(n.name));
        for (int32_t v : n.numbers) {
            PutU16(table, v < 0 ? intern(n.strings[static_cast<size_t>(-1 - v)])
                                : static_cast<uint32_t>(v - 0x10000) & 0xFFFF);
        }
    }
    if (poolFull || pool->size() > 65535) {
        *error = "the names and strings take " + std::to_string(pool->size()) + " bytes; at most 65535 fit";
        return false;
    }
    if (table->size() > 65535) {
        *error = "the node table takes " + std::to_string(table->size()) + " bytes; at most 65535 fit";
        return false;
    }
    return true;
}

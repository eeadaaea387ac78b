#include "core/text_table.h"

#include <cstring>

#include "core/resource_mgr.h"

static bool IsNameChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || (c >= 95 && c <= 127);
}

void CTextTable::Build(const char* text, size_t length)
{
    SplitTextLines(text, length, m_lines);
    m_nodes.clear();
    m_current = -1;
    m_found = -1;
    m_cursorLine = -1;
    // Node fields are as narrow as the stored format; a line past 65535 or
    // deeper than 255 TABs cannot be a node.
    for (size_t i = 0; i < m_lines.size() && i <= 0xFFFF; ++i) {
        const char* line = m_lines[i].Chars();
        size_t tabs = 0;
        while (line[tabs] == '\t')
            ++tabs;
        size_t start = tabs;
        while (line[start] == ' ')
            ++start;
        if (line[start] == 0 || (line[start] == '/' && line[start + 1] == '/') || tabs > 255)
            continue;
        size_t end = start;
        while (IsNameChar(static_cast<unsigned char>(line[end])) && end - start < 255)
            ++end;
        m_nodes.push_back(Node{static_cast<uint8_t>(tabs), static_cast<uint8_t>(end - start),
                               static_cast<uint16_t>(i), static_cast<uint16_t>(start)});
    }
}

int CTextTable::FindChild(int parent, const char* name, size_t length) const
{
    int depth = parent < 0 ? 0 : m_nodes[static_cast<size_t>(parent)].depth + 1;
    for (size_t i = static_cast<size_t>(parent + 1); i < m_nodes.size(); ++i) {
        const Node& node = m_nodes[i];
        if (parent >= 0 && node.depth < depth)
            break;
        if (node.depth != depth)
            continue;
        const char* nodeName = m_lines[node.line].Chars() + node.nameStart;
        if (node.nameLength == length && CompareNoCase(nodeName, name, static_cast<int32_t>(length)) == 0) {
            return static_cast<int>(i);
        }
    }
    return -2;
}

void CTextTable::PlaceCursor(int node)
{
    const Node& n = m_nodes[static_cast<size_t>(node)];
    m_cursorLine = n.line;
    const char* line = m_lines[n.line].Chars();
    int32_t pos = n.nameStart + n.nameLength;
    while (line[pos] == ' ' || line[pos] == '\t')
        ++pos;
    if (line[pos] == '(')
        ++pos;
    m_cursorPos = pos;
}

bool CTextTable::Find(const char* path)
{
    if (path == nullptr || path[0] == 0)
        return true;
    int node = m_current;
    const char* at = path;
    if (*at == '/') {
        node = -1;
        ++at;
    }
    CStr fullPath;
    CStr component;
    while (true) {
        const char* slash = std::strchr(at, '/');
        size_t length = slash ? static_cast<size_t>(slash - at) : std::strlen(at);
        node = FindChild(node, at, length);
        if (node < -1)
            return false;
        component = CStr(at, static_cast<int32_t>(length));
        fullPath += '/';
        fullPath += component;
        if (slash == nullptr)
            break;
        at = slash + 1;
    }
    m_current = node;
    m_found = node;
    m_lastComponent = component;
    m_foundPath = fullPath;
    PlaceCursor(node);
    return true;
}

bool CTextTable::FindNext()
{
    if (m_found < 0)
        return false;
    int depth = m_nodes[static_cast<size_t>(m_found)].depth;
    for (size_t i = static_cast<size_t>(m_found) + 1; i < m_nodes.size(); ++i) {
        const Node& node = m_nodes[i];
        if (node.depth < depth)
            break;
        if (node.depth > depth)
            continue;
        const char* name = m_lines[node.line].Chars() + node.nameStart;
        if (node.nameLength == m_lastComponent.Length() &&
            CompareNoCase(name, m_lastComponent.Chars(), node.nameLength) == 0) {
            m_found = static_cast<int>(i);
            m_current = m_found;
            PlaceCursor(m_found);
            return true;
        }
    }
    return false;
}

CStr CTextTable::ReadValue()
{
    CStr value;
    if (m_cursorLine < 0)
        return value;
    const char* line = m_lines[static_cast<size_t>(m_cursorLine)].Chars();
    int32_t length = m_lines[static_cast<size_t>(m_cursorLine)].Length();
    bool quoted = false;
    bool wasQuoted = false;
    int32_t pos = m_cursorPos;
    while (pos < length) {
        char c = line[pos];
        if (!quoted && (c == ')' || c == ','))
            break;
        if (c == '"' && (pos == 0 || line[pos - 1] != '\\')) {
            quoted = !quoted;
            wasQuoted = true;
            value += c;
            ++pos;
            continue;
        }
        if (quoted && c == '\\' && pos + 1 < length) {
            char next = line[pos + 1];
            if (next == '\\')
                value += '\\';
            else if (next == 'n')
                value += '\n';
            else if (next == 'r')
                value += '\r';
            else if (next == 't')
                value += '\t';
            pos += 2;
            continue;
        }
        if (!quoted && (c == ' ' || c == '\t')) {
            ++pos;
            continue;
        }
        value += c;
        ++pos;
    }
    if (pos < length && line[pos] == ',')
        ++pos;
    m_cursorPos = pos;
    if (wasQuoted && value.Length() >= 2)
        value = value.Mid(1, value.Length() - 2);
    return value;
}

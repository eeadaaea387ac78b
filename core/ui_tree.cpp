#include "core/ui_tree.h"

#include <cstring>

#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"

using pack_format::ReadU16;

bool CUiTree::Load(const char* name)
{
    PushResourceFolder();
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kUi).Chars());
    RawResource names;
    RawResource nodes;
    bool found = CResourceMgr::LoadData(name, pack_format::kUiTextType, names) &&
                 CResourceMgr::LoadData(name, pack_format::kUiBinaryType, nodes);
    PopResourceFolder();
    if (!found)
        return false;
    return LoadFromViews(names.data, names.size, nodes.data, nodes.size);
}

void CUiTree::Clear()
{
    m_names = nullptr;
    m_namesSize = 0;
    m_nodes = nullptr;
    m_records.clear();
    m_current = -1;
    m_selected = -1;
    m_cursor = 1;
    m_selectedName = CStr();
    m_selectedPath = CStr();
    m_currentPath = CStr();
    for (auto& saved : m_stack)
        saved = Saved{-1, CStr()};
    m_stackCount = 0;
}

bool CUiTree::LoadFromViews(const uint8_t* names, uint32_t namesSize, const uint8_t* nodes,
                            uint32_t nodesSize)
{
    if (nodes == nullptr || nodesSize < 2)
        return false;
    uint32_t count = ReadU16(nodes);
    if (count > 32767)
        return false;
    std::vector<Record> records;
    records.reserve(count);
    uint32_t offset = 2;
    uint32_t previousDepth = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (offset + 6 > nodesSize)
            return false;
        Record record{offset, ReadU16(nodes + offset), nodes[offset + 2], nodes[offset + 3]};
        uint32_t length = 4 + 2u * (record.valueCount + 1u);
        if (offset + length > nodesSize)
            return false;
        // Depths start at 0 and grow by at most one from record to record.
        if ((i == 0 && record.depth != 0) || (i > 0 && record.depth > previousDepth + 1))
            return false;
        previousDepth = record.depth;
        records.push_back(record);
        offset += length;
    }
    // Every subtree covers exactly the records deeper than its node, so
    // jumping over subtrees always lands on a sibling or beyond.
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t end = i + records[i].subtree;
        if (records[i].subtree < 1 || end > count)
            return false;
        for (uint32_t j = i + 1; j < end; ++j) {
            if (records[j].depth <= records[i].depth)
                return false;
        }
        if (end < count && records[end].depth > records[i].depth)
            return false;
    }
    Clear();
    m_names = names;
    m_namesSize = names ? namesSize : 0;
    m_nodes = nodes;
    m_records = std::move(records);
    return true;
}

int16_t CUiTree::ValueOf(int node, int index) const
{
    const Record& record = m_records[static_cast<size_t>(node)];
    if (index < 0 || index > record.valueCount)
        return 0;
    return static_cast<int16_t>(ReadU16(m_nodes + record.offset + 4 + 2 * index));
}

CStr CUiTree::StringAt(uint16_t offset) const
{
    if (m_names == nullptr || offset >= m_namesSize)
        return CStr();
    const char* text = reinterpret_cast<const char*>(m_names + offset);
    const void* nul = std::memchr(text, 0, m_namesSize - offset);
    size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : m_namesSize - offset;
    return CStr(text, static_cast<int32_t>(length));
}

CStr CUiTree::NodeName(int index) const
{
    if (index < 0 || index >= NodeCount())
        return CStr();
    return StringAt(static_cast<uint16_t>(ValueOf(index, 0)));
}

int CUiTree::FindChild(int parent, const char* name, size_t length) const
{
    if (length == 0)
        return -2;
    int count = NodeCount();
    int depth = parent < 0 ? -1 : m_records[static_cast<size_t>(parent)].depth;
    for (int i = parent + 1; i < count && m_records[static_cast<size_t>(i)].depth > depth;
         i += m_records[static_cast<size_t>(i)].subtree) {
        CStr childName = NodeName(i);
        if (static_cast<size_t>(childName.Length()) == length &&
            CompareNoCase(childName.Chars(), name, static_cast<int32_t>(length)) == 0) {
            return i;
        }
    }
    return -2;
}

bool CUiTree::ResolvePath(const char* path)
{
    if (path == nullptr || path[0] == 0)
        return true;
    int node = m_current;
    CStr built = m_currentPath;
    const char* at = path;
    if (*at == '/') {
        node = -1;
        built = CStr();
        ++at;
    }
    for (;;) {
        const char* slash = std::strchr(at, '/');
        size_t length = slash ? static_cast<size_t>(slash - at) : std::strlen(at);
        node = FindChild(node, at, length);
        if (node < -1)
            return false;
        built += '/';
        built += CStr(at, static_cast<int32_t>(length));
        if (slash == nullptr)
            break;
        at = slash + 1;
    }
    m_selected = node;
    m_selectedName = NodeName(node);
    m_selectedPath = built;
    m_cursor = 1;
    return true;
}

bool CUiTree::GoToPath(const char* path)
{
    if (path == nullptr || path[0] == 0)
        return true;
    if (!ResolvePath(path))
        return false;
    m_current = m_selected;
    m_currentPath = m_selectedPath;
    return true;
}

bool CUiTree::SelectIndex(int index, const CStr& path)
{
    if (index < 0 || index >= NodeCount())
        return false;
    m_selected = index;
    m_selectedName = NodeName(index);
    m_selectedPath = path;
    m_cursor = 1;
    return true;
}

bool CUiTree::GoToIndex(int index, const CStr& path)
{
    if (!SelectIndex(index, path))
        return false;
    m_current = m_selected;
    m_currentPath = m_selectedPath;
    return true;
}

bool CUiTree::NextSameName()
{
    if (m_selected < 0)
        return true;
    const Record& record = m_records[static_cast<size_t>(m_selected)];
    int count = NodeCount();
    for (int i = m_selected + record.subtree; i < count; i += m_records[static_cast<size_t>(i)].subtree) {
        if (m_records[static_cast<size_t>(i)].depth != record.depth)
            return false;
        if (CompareNoCase(NodeName(i).Chars(), m_selectedName.Chars()) == 0) {
            m_selected = i;
            m_cursor = 1;
            return true;
        }
    }
    return false;
}

bool CUiTree::PushNode()
{
    // Constructors push and pop in pairs; a push beyond the stack is refused
    // instead of overwriting memory.
    if (m_stackCount >= kStackSize)
        return false;
    m_stack[m_stackCount++] = Saved{m_current, m_currentPath};
    return true;
}

bool CUiTree::PopNode()
{
    if (m_stackCount <= 0)
        return false;
    --m_stackCount;
    m_current = m_stack[m_stackCount].node;
    m_currentPath = m_stack[m_stackCount].path;
    return true;
}

int16_t CUiTree::ReadValue()
{
    if (m_selected < 0)
        return 0;
    return ValueOf(m_selected, m_cursor++);
}

CStr CUiTree::ReadText()
{
    CStr key = StringAt(static_cast<uint16_t>(ReadValue()));
    return CUIMgr::Locale().Lookup(key.Chars());
}

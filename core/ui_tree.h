#pragma once
// CUiTree: the UI description tree of one screen layout, held in the packs as
// two resources of one name in "/UI/": the node table ("uib") and its string
// pool ("uit"). Nodes are addressed by paths of names ("/Main/MainMenu") and
// hand out their 16-bit values one after another.
//
// "uib": u16 node count N, then N records in pre-order: u16 subtree size
// (itself included), u8 depth (0 at the top), u8 value count n, then n + 1
// 16-bit values; value 0 is the offset of the node's name in the pool.
// The table is checked once when it is loaded, so a damaged one is refused
// instead of read outside its bytes.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"

class CUiTree {
public:
    static constexpr int kStackSize = 15;

    // Loads "/UI/<name>" as "uit" and "uib" (the current folder is kept).
    bool Load(const char* name);
    // The same over views already in memory.
    bool LoadFromViews(const uint8_t* names, uint32_t namesSize, const uint8_t* nodes, uint32_t nodesSize);
    void Clear();

    // Selects a node by path ('/' at the start: from the top; otherwise from
    // the current node) without changing the current node; an empty path
    // succeeds and selects nothing. Names compare without regard to case.
    bool ResolvePath(const char* path);
    // Resolves, then makes the selected node current.
    bool GoToPath(const char* path);
    // Selects a node by its index (a node found earlier), with the path to
    // report for it; false for an index outside the table.
    bool SelectIndex(int index, const CStr& path);
    // Selects a node by index and makes it current.
    bool GoToIndex(int index, const CStr& path);
    // Selects the next sibling of the same name.
    bool NextSameName();
    // Save and restore the current node and path (15 levels).
    bool PushNode();
    bool PopNode();

    // The selected node's value at the cursor (1 after a selection); the
    // cursor moves on. 0 past the node's last value or without a selection.
    int16_t ReadValue();
    // The next value as a pool string, looked up in the locale table.
    CStr ReadText();
    // The pool string at an offset ("" outside the pool).
    CStr StringAt(uint16_t offset) const;
    CStr NodeName(int index) const;

    bool IsLoaded() const { return !m_records.empty() || m_nodes != nullptr; }
    int NodeCount() const { return static_cast<int>(m_records.size()); }
    int CurrentNode() const { return m_current; }
    int SelectedNode() const { return m_selected; }
    const CStr& SelectedName() const { return m_selectedName; }
    const CStr& SelectedPath() const { return m_selectedPath; }
    const CStr& CurrentPath() const { return m_currentPath; }

private:
    struct Record {
        uint32_t offset;  // of the record in the node table
        uint16_t subtree;
        uint8_t depth;
        uint8_t valueCount;
    };
    int FindChild(int parent, const char* name, size_t length) const;
    int16_t ValueOf(int node, int index) const;

    const uint8_t* m_names = nullptr;
    uint32_t m_namesSize = 0;
    const uint8_t* m_nodes = nullptr;
    std::vector<Record> m_records;
    int m_current = -1;
    int m_selected = -1;
    int m_cursor = 1;
    CStr m_selectedName;
    CStr m_selectedPath;
    CStr m_currentPath;
    struct Saved {
        int node;
        CStr path;
    };
    Saved m_stack[kStackSize];
    int m_stackCount = 0;
};

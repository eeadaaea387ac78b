#pragma once
// Compiles the readable sources of a UI description tree into the two
// resources the game loads: the string pool ("uit") and the node table
// ("uib"), in the layout core/ui_tree.h reads.
//
// Source format, one node per line:
//   Name value value ...      # a comment
// A value is an integer (decimal, may be negative, or 0x hex; stored in 16
// bits) or a "quoted string" (\" and \\ escapes; UTF-8 here, Windows-1252
// in the pool) whose value is its offset in the pool. Two spaces of indent
// per level give the depth. Several files make one tree: their plain top
// nodes follow one another in file order, and a top node whose name holds
// '/' ("Map/MapWnd/CustPlrWnd") is placed, after every plain node of every
// file has been read, as the last child of the node of that path (missing
// parts of the path are made empty), so that one file can add a window to
// a layout that another file owns.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/uitc/ui_tree_scaling.h"

class UiTreeSource {
public:
    // Makes the compiled tree that of a screen `scaling.Factor()` times as
    // large: the pixel values the rules name are multiplied.
    void ScaleBy(const UiTreeScaling& scaling) { m_scaling = scaling; }
    // Adds one source file's text; false with "file:line: message" on error.
    bool AddFile(const std::string& fileName, const std::string& text, std::string* error);
    // Builds the pool and the node table; false with a message when the tree
    // does not fit the format's limits.
    bool Compile(std::vector<uint8_t>* pool, std::vector<uint8_t>* table, std::string* error);

private:
    struct Node {
        std::string name;
        std::vector<int32_t> numbers;      // the values; strings hold -1 - index
        std::vector<std::string> strings;  // the string values, Windows-1252
        std::vector<size_t> children;      // indexes into m_nodes
        std::string where;                 // "file:line" for messages
        bool implicit = false;             // made for a path, not written
    };
    size_t NewNode();
    size_t FindChild(size_t parent, const std::string& name) const;

    std::vector<Node> m_nodes{Node{}};                             // node 0 holds the top nodes
    std::vector<std::pair<std::string, std::string>> m_topOwners;  // name, file
    struct PathNode {
        std::string path;
        size_t node;
    };
    std::vector<PathNode> m_pathNodes;
    UiTreeScaling m_scaling;
    bool ScalePixels(std::string* error);
};

#pragma once
// CTextTable: a text whose structure is given by TAB indentation, addressed
// by paths of names ("/Main/Menu"); values follow a name as "(a, \"b c\", 7)".

#include <cstdint>
#include <vector>

#include "core/ref_string.h"

class CTextTable {
public:
    // Builds the node list from a text split at CR LF.
    void Build(const char* text, size_t length);

    // Each '/'-separated component is looked up among the children of the
    // previous one (a leading '/' starts at the top, else at the current
    // node). On success the node becomes current and its values can be read.
    bool Find(const char* path);
    // The next node of the same name under the same parent.
    bool FindNext();
    // The next value of the found node; "" when none is left.
    CStr ReadValue();

    const CStr& FoundPath() const { return m_foundPath; }
    size_t NodeCount() const { return m_nodes.size(); }

private:
    struct Node {
        uint8_t depth;
        uint8_t nameLength;
        uint16_t line;
        uint16_t nameStart;
    };

    int FindChild(int parent, const char* name, size_t length) const;
    void PlaceCursor(int node);

    std::vector<CStr> m_lines;
    std::vector<Node> m_nodes;
    int m_current = -1;  // -1: the top, above every depth-0 node
    int m_found = -1;
    CStr m_lastComponent;
    CStr m_foundPath;
    int m_cursorLine = -1;
    int32_t m_cursorPos = 0;
};

#pragma once
// Writes a UI tree given in pre-order as the "uit" string pool and the "uib"
// node table the resource loader reads; subtree sizes come from the depths.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/pack_format.h"

namespace ui_tree_fixture {

// A node value: a number, or a string kept in the pool.
using TreeValue = std::variant<int, std::string>;
struct TreeNode {
    int depth;
    std::string name;
    std::vector<TreeValue> values;
};

inline void WriteUiTree(const std::vector<TreeNode>& nodes, std::vector<uint8_t>& pool,
                        std::vector<uint8_t>& table)
{
    pool.assign(1, 0);  // offset 0 is the empty string
    auto intern = [&](const std::string& text) {
        if (text.empty())
            return 0;
        const size_t offset = pool.size();
        pool.insert(pool.end(), text.begin(), text.end());
        pool.push_back(0);
        return static_cast<int>(offset);
    };
    table.assign(2, 0);
    pack_format::WriteU16(table.data(), static_cast<uint16_t>(nodes.size()));
    for (size_t i = 0; i < nodes.size(); ++i) {
        size_t end = i + 1;
        while (end < nodes.size() && nodes[end].depth > nodes[i].depth)
            ++end;
        std::vector<int> words{intern(nodes[i].name)};
        for (const TreeValue& v : nodes[i].values) {
            words.push_back(std::holds_alternative<int>(v) ? std::get<int>(v)
                                                           : intern(std::get<std::string>(v)));
        }
        uint8_t head[4];
        pack_format::WriteU16(head, static_cast<uint16_t>(end - i));
        head[2] = static_cast<uint8_t>(nodes[i].depth);
        head[3] = static_cast<uint8_t>(words.size() - 1);
        table.insert(table.end(), head, head + 4);
        for (int w : words) {
            table.push_back(static_cast<uint8_t>(w & 0xFF));
            table.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
        }
    }
}

}  // namespace ui_tree_fixture

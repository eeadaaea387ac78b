#pragma once
// A screen layout made from another at a whole multiple of its size: the
// rules name which values of a node are pixels (positions, sizes, widths),
// so the tree of the larger screen follows every change made to the smaller
// one's sources.
//
// Rules text, one rule a line ('#' starts a comment):
//   factor <n>                 the multiple (2 for 480 x 640 from 240 x 320)
//   <pattern> <position>...    the pixel values of the nodes the pattern
//                              matches, counted from 1
// A pattern is a node name, a name with a leading or trailing '*' (any
// start, any end), or "Parent/pattern" for the children of one parent. The
// first rule that matches a node decides. The pattern "*" matches only a node
// whose first six values are numbers, the common head of a window node
// (visible, anchor, x, y, width, height); any other node without a rule
// keeps its values. Strings at a named position are left alone.

#include <cstdint>
#include <string>
#include <vector>

class UiTreeScaling {
public:
    // False with "file:line: message" when the text breaks the form above.
    bool Parse(const std::string& fileName, const std::string& text, std::string* error);
    int Factor() const { return m_factor; }
    // The positions (from 0) of a node's pixel values; `isNumber` tells for
    // each of its values whether it is a number.
    std::vector<size_t> PixelValues(const std::string& parent, const std::string& name,
                                    const std::vector<bool>& isNumber) const;

private:
    struct Rule {
        std::string parent;  // empty: any parent
        std::string pattern;
        std::vector<size_t> positions;  // from 0
    };
    int m_factor = 1;
    std::vector<Rule> m_rules;
};

#include "tools/uitc/ui_tree_scaling.h"

#include <sstream>

namespace {

bool Matches(const std::string& pattern, const std::string& name)
{
    if (pattern == "*")
        return true;
    if (!pattern.empty() && pattern.front() == '*') {
        const std::string end = pattern.substr(1);
        return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
    }
    if (!pattern.empty() && pattern.back() == '*')
        return name.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0;
    return name == pattern;
}

bool HasHead(const std::vector<bool>& isNumber)
{
    if (isNumber.size() < 6)
        return false;
    for (size_t i = 0; i < 6; ++i)
        if (!isNumber[i])
            return false;
    return true;
}

}  // namespace

bool UiTreeScaling::Parse(const std::string& fileName, const std::string& text, std::string* error)
{
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& message) {
        *error = fileName + ":" + std::to_string(lineNumber) + ": " + message;
        return false;
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string first;
        if (!(words >> first))
            continue;
        if (first == "factor") {
            if (!(words >> m_factor) || m_factor < 1 || m_factor > 8)
                return fail("the factor is a whole number from 1 to 8");
            continue;
        }
        Rule rule;
        const size_t slash = first.find('/');
        rule.parent = slash == std::string::npos ? "" : first.substr(0, slash);
        rule.pattern = slash == std::string::npos ? first : first.substr(slash + 1);
        if (rule.pattern.empty() || rule.pattern.find('*', 1) < rule.pattern.size() - 1)
            return fail("a pattern is a name with at most a leading or a trailing '*'");
        std::string word;
        while (words >> word) {
            size_t used = 0;
            int position = 0;
            try {
                position = std::stoi(word, &used);
            } catch (...) {
                used = 0;
            }
            if (used != word.size() || position < 1 || position > 255)
                return fail("\"" + word + "\" is not a value position from 1 to 255");
            rule.positions.push_back(static_cast<size_t>(position - 1));
        }
        if (rule.positions.empty())
            return fail("the rule for \"" + first + "\" names no value");
        m_rules.push_back(rule);
    }
    return true;
}

std::vector<size_t> UiTreeScaling::PixelValues(const std::string& parent, const std::string& name,
                                               const std::vector<bool>& isNumber) const
{
    std::vector<size_t> found;
    for (const Rule& rule : m_rules) {
        if (!rule.parent.empty() && rule.parent != parent)
            continue;
        if (!Matches(rule.pattern, name) || (rule.pattern == "*" && !HasHead(isNumber)))
            continue;
        for (size_t position : rule.positions)
            if (position < isNumber.size() && isNumber[position])
                found.push_back(position);
        break;
    }
    return found;
}

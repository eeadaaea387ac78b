#include "platform/input_script.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/code_page.h"
#include "platform/messages.h"

namespace {

bool ToInt(const std::string& word, int32_t& out)
{
    if (word.empty()) {
        return false;
    }
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 0);
    if (*end != '\0' || v < -0x7FFFFFFFL || v > 0x7FFFFFFFL) {
        return false;
    }
    out = static_cast<int32_t>(v);
    return true;
}

}  // namespace

uint32_t ScriptKeyCode(const std::string& name)
{
    static const struct {
        const char* name;
        uint32_t key;
    } kKeys[] = {{"up", VK_UP},        {"down", VK_DOWN},     {"left", VK_LEFT},    {"right", VK_RIGHT},
                 {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT}, {"action", VK_SELECT}};
    for (const auto& k : kKeys) {
        if (name == k.name) {
            return k.key;
        }
    }
    int32_t n = 0;
    if (ToInt(name, n) && n > 0 && n < 256) {
        return static_cast<uint32_t>(n);
    }
    return 0;
}

bool InputScript::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_error = "cannot read the script " + path;
        return false;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    return Parse(ss.str());
}

bool InputScript::Parse(const std::string& text)
{
    m_commands.clear();
    m_next = 0;
    m_waiting = false;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        std::istringstream words(line.substr(first));
        std::string verb;
        words >> verb;
        std::string rest;
        std::getline(words, rest);
        size_t restStart = rest.find_first_not_of(" \t");
        rest = restStart == std::string::npos ? "" : rest.substr(restStart);
        std::istringstream args(rest);
        std::string w1, w2, w3;
        args >> w1 >> w2 >> w3;

        ScriptCommand c;
        c.line = number;
        bool ok = true;
        if (verb == "down" || verb == "up" || verb == "move") {
            c.kind = verb == "down" ? ScriptCommand::PenDown
                                    : (verb == "up" ? ScriptCommand::PenUp : ScriptCommand::PenMove);
            ok = ToInt(w1, c.a) && ToInt(w2, c.b) && w3.empty() && c.a >= 0 && c.b >= 0 && c.a < 4096 &&
                 c.b < 4096;
        } else if (verb == "key") {
            c.kind = ScriptCommand::Key;
            c.a = static_cast<int32_t>(ScriptKeyCode(w1));
            ok = c.a != 0 && w2.empty();
        } else if (verb == "char" && !rest.empty()) {
            for (char32_t ch : Utf8ToUnicode(rest)) {
                ScriptCommand cc;
                cc.kind = ScriptCommand::Char;
                cc.line = number;
                cc.a = static_cast<int32_t>(ch);
                m_commands.push_back(cc);
            }
            continue;
        } else if (verb == "wait") {
            c.kind = ScriptCommand::Wait;
            ok = ToInt(w1, c.a) && c.a >= 0 && w2.empty();
        } else if (verb == "activate") {
            c.kind = ScriptCommand::Activate;
            ok = (w1 == "0" || w1 == "1") && w2.empty();
            c.a = w1 == "1";
        } else if (verb == "close") {
            c.kind = ScriptCommand::Close;
            ok = w1.empty();
        } else if (verb == "shot") {
            c.kind = ScriptCommand::Shot;
            c.text = w1;
            ok = !w1.empty() && w2.empty() && w1.find('/') == std::string::npos;
        } else if (verb == "refuse") {
            c.kind = ScriptCommand::Refuse;
            c.text = w1;
            ok = (w1 == "window" || w1 == "display" || w1 == "input" || w1 == "raw" || w1 == "writes") &&
                 w2.empty();
        } else {
            ok = false;
        }
        if (!ok) {
            m_error = "script line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            m_commands.clear();
            return false;
        }
        m_commands.push_back(c);
    }
    return true;
}

bool InputScript::Refuses(const std::string& part) const
{
    for (const auto& c : m_commands) {
        if (c.kind == ScriptCommand::Refuse && c.text == part) {
            return true;
        }
    }
    return false;
}

bool InputScript::Advance(uint32_t now, const Sink& sink)
{
    if (m_waiting) {
        // Ticks wrap; a wait is over once "now - start" passed its length.
        if (static_cast<int32_t>(now - m_waitUntil) < 0) {
            return true;
        }
        m_waiting = false;
    }
    while (m_next < m_commands.size()) {
        const ScriptCommand& c = m_commands[m_next++];
        switch (c.kind) {
        case ScriptCommand::PenDown:
            sink.post(WM_LBUTTONDOWN, 1, MakePointParam(c.a, c.b));
            return true;
        case ScriptCommand::PenUp:
            sink.post(WM_LBUTTONUP, 0, MakePointParam(c.a, c.b));
            return true;
        case ScriptCommand::PenMove:
            sink.post(WM_MOUSEMOVE, 1, MakePointParam(c.a, c.b));
            return true;
        case ScriptCommand::Key:
            sink.holdKeyForStep(static_cast<uint32_t>(c.a));
            sink.post(WM_KEYDOWN, static_cast<uintptr_t>(c.a), 1);
            return true;
        case ScriptCommand::Char:
            sink.post(WM_CHAR, static_cast<uintptr_t>(c.a), 1);
            return true;
        case ScriptCommand::Activate:
            sink.post(WM_ACTIVATE, static_cast<uintptr_t>(c.a), 0);
            return true;
        case ScriptCommand::Close:
            sink.post(WM_CLOSE, 0, 0);
            return true;
        case ScriptCommand::Wait:
            if (c.a > 0) {
                m_waiting = true;
                m_waitUntil = now + static_cast<uint32_t>(c.a);
                return true;
            }
            break;
        case ScriptCommand::Shot:
            sink.shot(c.text);
            break;
        case ScriptCommand::Refuse:
            break;
        }
    }
    return false;
}

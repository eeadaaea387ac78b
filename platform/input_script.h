#pragma once
// Scripted input: a text file of commands, one per line, that plays the part
// of the person at the device. Blank lines and lines starting with '#' are
// ignored. Coordinates are physical screen pixels.
//
//   down X Y | up X Y | move X Y   stylus down, up, moved
//   key NAME                       a key press; NAME is up, down, left, right,
//                                  pageup, pagedown, action or a virtual-key number.
//                                  The key counts as held until the next frame step.
//   char TEXT                      one char message per character of TEXT (UTF-8)
//   wait MS                        no input for MS milliseconds of the clock
//   activate 0|1                   the window loses (0) or regains (1) the focus
//   close                          the close message
//   shot NAME                      write the screen as the device shows it (turned
//                                  with its orientation) as NAME (a PNG file)
//                                  into the screenshot folder
//   refuse window|display|input    setup: that part of the device fails to start
//   refuse raw                     setup: no raw frame-buffer access; the screen is
//                                  reached through the game library's display
//   refuse writes                  setup: every file replacement fails, as on a
//                                  full disk
//
// At most one message-producing command runs per frame step, so a script reads
// as a sequence of frame steps.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ScriptCommand {
    enum Kind {
        PenDown,
        PenUp,
        PenMove,
        Key,
        Char,
        Wait,
        Activate,
        Close,
        Shot,
        Refuse
    };
    Kind kind = Close;
    int32_t a = 0;     // x, key, character, milliseconds, activation flag
    int32_t b = 0;     // y
    std::string text;  // shot name, refused part
    int line = 0;
};

class InputScript {
public:
    // Parses the script text. False on the first bad line; Error() then names it.
    bool Parse(const std::string& text);
    bool Load(const std::string& path);
    const std::string& Error() const { return m_error; }
    const std::vector<ScriptCommand>& Commands() const { return m_commands; }
    // True when a "refuse" line names the part ("window", "display", "input", "raw",
    // "writes").
    bool Refuses(const std::string& part) const;

    // What running the script asks of the backend.
    struct Sink {
        std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)> post;
        std::function<void(uint32_t virtualKey)> holdKeyForStep;
        std::function<void(const std::string& name)> shot;
    };
    // Runs commands up to and including the next one that posts a message, or
    // until a wait that has not yet passed. Returns false once the script has
    // run out (after its last command).
    bool Advance(uint32_t now, const Sink& sink);
    bool Finished() const { return m_next >= m_commands.size() && !m_waiting; }

private:
    std::vector<ScriptCommand> m_commands;
    std::string m_error;
    size_t m_next = 0;
    bool m_waiting = false;
    uint32_t m_waitUntil = 0;
};

// The virtual key of a key name of the script; 0 when unknown.
uint32_t ScriptKeyCode(const std::string& name);

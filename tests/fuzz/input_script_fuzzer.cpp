// Scripted input is a file from outside: reading and playing any bytes must
// neither crash nor loop for ever.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InputScript script;
    if (!script.Parse(std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    InputScript::Sink sink;
    size_t posted = 0;
    sink.post = [&](uint32_t, uintptr_t, intptr_t) { ++posted; };
    sink.holdKeyForStep = [](uint32_t) {};
    sink.shot = [](const std::string&) {};
    // Every command either posts, waits or is skipped, so the script ends
    // within (commands x the longest wait) of clock time.
    uint32_t now = 0x10000000u;
    for (size_t step = 0; step < 4 * script.Commands().size() + 4; ++step) {
        if (!script.Advance(now, sink)) {
            break;
        }
        now += 0x40000000u;  // a quarter of the clock per step passes any wait in four steps
    }
    if (!script.Finished() || posted > script.Commands().size()) {
        __builtin_trap();
    }
    return 0;
}

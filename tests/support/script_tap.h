#pragma once
// A tap in the words of an input script (platform/input_script.h): the
// stylus down and up again at one physical screen point.

#include <string>

struct ScreenPoint {
    int x, y;
};

inline std::string ScriptTap(ScreenPoint at)
{
    const std::string point = std::to_string(at.x) + " " + std::to_string(at.y);
    return "down " + point + "\nup " + point + "\n";
}

// The same point on a screen whose layout is the shipped one at a whole
// multiple of its size (2 for 480 x 640).
constexpr ScreenPoint Scaled(ScreenPoint at, int factor)
{
    return {at.x * factor, at.y * factor};
}

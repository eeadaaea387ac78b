#pragma once
// The handheld system's message and key numbers, and the message record the
// queue carries. The backends and the input script speak these; the game
// reaches them through platform/platform.h.

#include <cstdint>

// ---- Window messages (the handheld system's numbers) ----
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;

// ---- Virtual keys the game maps ----
constexpr uint32_t VK_PRIOR = 33;  // page up
constexpr uint32_t VK_NEXT = 34;   // page down
constexpr uint32_t VK_LEFT = 37;
constexpr uint32_t VK_UP = 38;
constexpr uint32_t VK_RIGHT = 39;
constexpr uint32_t VK_DOWN = 40;
constexpr uint32_t VK_SELECT = 41;  // the action key

using WindowHandle = uintptr_t;  // 0 = no window
using WindowProc = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

struct WindowMessage {
    WindowHandle window = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// lParam of the pen messages: x in the low word, y in the high word.
constexpr intptr_t MakePointParam(int x, int y)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                                 static_cast<uint32_t>(x & 0xFFFF));
}

#pragma once
// CDeviceMgr: the program's contact with the device. It owns the one
// full-screen main window and its window procedure, the display device, the
// device's buttons and the screen orientation, and turns window messages
// into the process-wide input signals that the window toolkit and the
// application listen to. It also owns the error box.

#include <cstdint>

#include "core/ref_string.h"
#include "core/signal.h"
#include "platform/platform.h"

class CDisplaySurface;

// Logical keys: a category in the high byte, a slot 0-13 in the low byte.
enum LogicalKey : uint32_t {
    KeyNone = 0x000,
    KeyApp1 = 0x101,
    KeyApp2 = 0x102,
    KeyApp3 = 0x103,
    KeyApp4 = 0x104,
    KeyPageUp = 0x205,
    KeyPageDown = 0x206,
    KeyUp = 0x407,
    KeyDown = 0x408,
    KeyLeft = 0x409,
    KeyRight = 0x40A,
    KeyAction = 0x40B,
    KeyExtra1 = 0x80C,
    KeyExtra2 = 0x80D,
};
constexpr int32_t KeySlotCount = 14;

// The input signals. They exist for the whole process and may be connected
// before the device starts.
extern Signal CharSignal;     // 16-bit character: a code-page byte, sign-extended
extern Signal PenDownSignal;  // PackedPoint by value, back-buffer coordinates
extern Signal PenUpSignal;
extern Signal PenMoveSignal;
extern Signal KeySignal;    // LogicalKey code, repeats included while a key is held
extern Signal CloseSignal;  // pointer to an 8-bit veto flag, 1 on entry; write 0 to keep the window
// A seventh signal that listeners may connect to; the device never fires it.
extern Signal SpareButtonSignal;
// The name the screens use for the key signal.
inline Signal& KeyInputSignal = KeySignal;

// The instance handle, stored by the program's entry point.
extern uintptr_t ProgramInstance;

bool DeviceInit();
void DeviceShutdown();
bool IsDeviceUp();
WindowHandle MainWindow();
intptr_t MainWndProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Takes at most one message from the queue and dispatches it.
void PumpMessage();
// A blocking message box titled "Error!" with the stop icon.
void ShowErrorBox(const CStr& text);

void InitKeyTables();
// Remaps the four direction keys for a key orientation 0-3; another value changes nothing.
void SetKeyOrientation(int32_t orientation);
int32_t GetKeyOrientation();
// Fires KeySignal for the first enabled slot of the virtual key; false when none.
bool OnKeyDown(uint32_t message, uint32_t virtualKey);
// Whether the physical key that now produces the code is held.
bool IsKeyDown(uint32_t code);

// Turns a physical screen point by the screen orientation (before the display's own mapping).
PackedPoint RotatePenPoint(PackedPoint point, int32_t orientation, int32_t screenWidth, int32_t screenHeight);

#include "core/device_mgr.h"

#include "core/core_main.h"
#include "core/display_surface.h"
#include "platform/code_page.h"

Signal CharSignal;
Signal PenDownSignal;
Signal PenUpSignal;
Signal PenMoveSignal;
Signal KeySignal;
Signal CloseSignal;
Signal SpareButtonSignal;

uintptr_t ProgramInstance = 0;

namespace {

WindowHandle g_window = 0;
bool g_deviceUp = false;
int32_t g_screenOrientation = 0;
int32_t g_keyOrientation = 0;

uint32_t g_keyCode[KeySlotCount];
uint32_t g_keyVirtual[KeySlotCount];
uint8_t g_keyEnabled[KeySlotCount];
uint32_t g_keyReverse[KeySlotCount];

constexpr uint32_t kInitialCodes[KeySlotCount] = {KeyNone,   KeyApp1,     KeyApp2,   KeyApp3,  KeyApp4,
                                                  KeyPageUp, KeyPageDown, KeyUp,     KeyDown,  KeyLeft,
                                                  KeyRight,  KeyAction,   KeyExtra1, KeyExtra2};
constexpr uint32_t kVirtualKeys[KeySlotCount] = {
    0, 0, 0, 0, 0, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SELECT, 0, 0};
// The codes the physical up, down, left and right keys produce, by key orientation.
constexpr uint32_t kDirectionRemap[4][4] = {{KeyUp, KeyDown, KeyLeft, KeyRight},
                                            {KeyLeft, KeyRight, KeyDown, KeyUp},
                                            {KeyDown, KeyUp, KeyRight, KeyLeft},
                                            {KeyRight, KeyLeft, KeyUp, KeyDown}};

void Fire(Signal& signal, PackedPoint point)
{
    signal.FirePoint(point);
}

}  // namespace

bool IsDeviceUp()
{
    return g_deviceUp;
}
WindowHandle MainWindow()
{
    return g_window;
}
int32_t GetKeyOrientation()
{
    return g_keyOrientation;
}

bool DeviceInit()
{
    g_deviceUp = false;
    if (!RegisterWindowClass("QRVKWnd", CS_HREDRAW | CS_VREDRAW, MainWndProc)) {
        return false;
    }
    g_window = CreateMainWindow("QRVKWnd", "Tharnmoor", WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN));
    if (!g_window) {
        return false;
    }
    auto* display = new CDisplaySurface;
    SetDisplaySurface(display);
    if (!display->Open()) {
        return false;
    }
    if (!GXOpenInput()) {
        return false;
    }
    InitKeyTables();
    SetKeyOrientation(0);
    g_screenOrientation = QueryDisplayOrientation();
    g_deviceUp = true;
    ShowMainWindow(g_window);
    UpdateMainWindow(g_window);
    SetFullScreen(g_window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
    return true;
}

void DeviceShutdown()
{
    g_deviceUp = false;
    GXCloseInput();
    if (CDisplaySurface* display = GetDisplaySurface()) {
        display->Close();
        SetDisplaySurface(nullptr);
        delete display;
    }
}

void PumpMessage()
{
    WindowMessage msg;
    if (PeekMessage(msg)) {
        TranslateMessage(msg);
        DispatchMessage(msg);
    }
}

void ShowErrorBox(const CStr& text)
{
    ShowMessageBox("Error!", std::string(text.Chars(), text.Length()), MB_ICONSTOP);
}

void InitKeyTables()
{
    for (int32_t i = 0; i < KeySlotCount; ++i) {
        g_keyCode[i] = kInitialCodes[i];
        g_keyVirtual[i] = kVirtualKeys[i];
        g_keyEnabled[i] = kVirtualKeys[i] != 0;
        g_keyReverse[i] = kInitialCodes[i];
    }
}

void SetKeyOrientation(int32_t orientation)
{
    if (orientation < 0 || orientation > 3) {
        return;
    }
    g_keyOrientation = orientation;
    for (int32_t i = 0; i < 4; ++i) {
        uint32_t code = kDirectionRemap[orientation][i];
        g_keyCode[7 + i] = code;
        g_keyReverse[code & 0xFF] = KeyUp + i;
    }
}

bool OnKeyDown(uint32_t message, uint32_t virtualKey)
{
    if (message != WM_KEYDOWN || virtualKey == 0) {
        return false;
    }
    for (int32_t i = 0; i < KeySlotCount; ++i) {
        if (g_keyVirtual[i] == virtualKey && g_keyEnabled[i]) {
            KeySignal.FireKey(g_keyCode[i]);
            return true;
        }
    }
    return false;
}

bool IsKeyDown(uint32_t code)
{
    uint32_t slot = code & 0xFF;
    if (slot >= KeySlotCount) {
        return false;
    }
    uint32_t physical = g_keyReverse[slot] & 0xFF;
    if (physical >= KeySlotCount || g_keyVirtual[physical] == 0) {
        return false;
    }
    return (GetKeyState(g_keyVirtual[physical]) & 0x8000) != 0;
}

PackedPoint RotatePenPoint(PackedPoint p, int32_t orientation, int32_t cx, int32_t cy)
{
    int32_t x = p.X();
    int32_t y = p.Y();
    switch (orientation) {
    case 1:
        return PackedPoint(y, cx - x - 1);
    case 2:
        return PackedPoint(cx - x - 1, cy - y - 1);
    case 4:
        return PackedPoint(cy - y - 1, x);
    default:
        return PackedPoint(x, y);
    }
}

intptr_t MainWndProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if ((wParam & 0xFFFF) == 0) {
            InactiveFlag = 1;
            return 0;
        }
        InactiveFlag = 0;
        SetFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
        if (g_deviceUp) {
            if (CDisplaySurface* display = GetDisplaySurface()) {
                display->AddDirtyRect(display->FullScreenRect());
            }
        }
        return 0;
    case WM_PAINT:
        return 0;
    case WM_CLOSE: {
        uint8_t veto = 1;
        CloseSignal.FirePointer(&veto);
        if (veto) {
            RequestQuit();
        }
        return 0;
    }
    case WM_KEYDOWN:
        OnKeyDown(message, static_cast<uint32_t>(wParam));
        return 0;
    case WM_CHAR: {
        uint8_t byte = UnicodeToCodePage(static_cast<uint32_t>(wParam & 0xFFFF));
        CharSignal.FireChar(static_cast<int16_t>(static_cast<int8_t>(byte)));
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        PackedPoint point;
        point.xWord = static_cast<uint16_t>(lParam & 0xFFF);
        point.yWord = static_cast<uint16_t>((lParam >> 16) & 0xFFF);
        point = RotatePenPoint(point, g_screenOrientation, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN));
        if (CDisplaySurface* display = GetDisplaySurface()) {
            point = display->MapPoint(point);
        }
        Signal& signal = message == WM_MOUSEMOVE     ? PenMoveSignal
                         : message == WM_LBUTTONDOWN ? PenDownSignal
                                                     : PenUpSignal;
        Fire(signal, point);
        return 0;
    }
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

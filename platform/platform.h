#pragma once
// The one seam between the game and the machine it runs on.
//
// The engine was written against a handheld's window system, its game-input
// library and its shell. This layer offers exactly the calls the engine makes,
// with the handheld's numbers (messages, virtual keys, the raw frame-buffer
// record), and nothing else. Two backends stand behind it: "headless" (memory
// frame buffer, virtual clock, scripted input; every test uses it) and "sdl"
// (a real window). The backend is chosen once, from the environment, on the
// first call into this layer.
//
// Everything here runs on the program's one thread.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/screen_records.h"

// ---- Misc. constants of the calls below ----
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr uint32_t CS_VREDRAW = 0x0001;
constexpr uint32_t CS_HREDRAW = 0x0002;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t MB_ICONSTOP = 0x00000010;
// Full-screen flags: hide the task bar, the input-panel button and the start icon.
constexpr uint32_t SHFS_HIDETASKBAR = 0x0002;
constexpr uint32_t SHFS_HIDESIPBUTTON = 0x0008;
constexpr uint32_t SHFS_HIDESTARTICON = 0x0020;

// The escape code that asks for direct frame-buffer access.
constexpr int32_t GETRAWFRAMEBUFFER = 0x20001;

// ---- Window class, main window, message queue ----

// Remembers the procedure of a window class. False when the name is empty,
// the procedure missing, or the class already registered.
bool RegisterWindowClass(const char* className, uint32_t style, WindowProc proc);
// Creates the one main window of a registered class. 0 on failure (unknown
// class, a second window, or a backend told to refuse).
WindowHandle CreateMainWindow(const char* className, const char* title, uint32_t style, int x, int y,
                              int width, int height);
void ShowMainWindow(WindowHandle window);  // nothing to do on these backends
void UpdateMainWindow(WindowHandle window);
// Takes the oldest pending message out of the queue; false when there is none.
// Each call also lets the backend gather new input (and run its script).
bool PeekMessage(WindowMessage& out);
void TranslateMessage(const WindowMessage& msg);  // nothing to translate here
// Calls the procedure of the message's window synchronously and returns its result.
intptr_t DispatchMessage(const WindowMessage& msg);
intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Appends a message to the queue, as the backends do for input.
void PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// The handheld's full-screen call; the result is never used, there is nothing to hide.
void SetFullScreen(WindowHandle window, uint32_t flags);

// ---- Screen and keys ----
// SM_CXSCREEN / SM_CYSCREEN: the device's screen size as shown, width and
// height swapped at display orientations 1 and 4; 0 otherwise. Stylus points
// arrive on this turned screen.
int GetSystemMetrics(int index);
// High bit (0x8000) set while the key is held now.
int16_t GetKeyState(uint32_t virtualKey);
// Display orientation of the device: 0, 1 (90 degrees), 2 (180) or 4 (270).
int QueryDisplayOrientation();
// Raw access to the physical screen: the panel as it stands, whatever the
// orientation (the device shows it turned, platform/turned_screen.h).
// Returns > 0 and fills the record when offered, 0 when not (the device then
// has no usable screen here).
int GetRawFrameBuffer(RawFrameBufferInfo& out);
// Shows what has been written into the frame buffer. The display calls it
// once at the end of each flush, so half-drawn states are never seen.
void PresentScreen();

// ---- Game input library ----
bool GXOpenInput();  // false when the backend refuses
void GXCloseInput();

// ---- Game library display: the screen of a device without raw access ----
constexpr uint32_t GX_FULLSCREEN = 0x01;
// Opens the screen for the main window; false when the device refuses.
bool GXOpenDisplay(WindowHandle window, uint32_t flags);
// The open display's layout; all zero when it is not open.
GXDisplayProperties GXGetDisplayProperties();
// The address of pixel (0, 0) until GXEndDraw; null when the display is not open.
void* GXBeginDraw();
void GXEndDraw();
void GXCloseDisplay();

// ---- Message box ----
// Blocks until dismissed (where a person can dismiss it). The texts are in
// the game's code page (Windows-1252).
void ShowMessageBox(const std::string& title, const std::string& text, uint32_t flags);

// ---- Time ----
void Sleep(uint32_t milliseconds);
// Milliseconds, wrapping modulo 2^32. Never starts near 0, so that "the ticks
// since 0" exceed any timer interval.
uint32_t GetTickCount();

// ---- Files ----
// Full path of the program file.
std::string GetProgramPath();
// The folder for the game's data, ending in '/': THARNMOOR_DATA when set, else
// "Data/" beside the program file.
std::string GetDataFolderPath();
// Names (without folder) of the regular files in the folder whose extension is
// ".pak" in any letter case, sorted byte-wise so the order never depends on
// the file system.
std::vector<std::string> ListPackFiles(const std::string& folder);
// Puts a complete, closed file in place of another, for good: the new file's
// bytes reach the disk before the rename and the folder's entry after it, so
// after a power cut the name holds the old file or the whole new one, never
// an empty one. False, with nothing renamed, when the new file cannot be
// flushed or renamed, or when the headless backend refuses writes.
bool ReplaceFileDurably(const std::string& from, const std::string& to);

// ---- Backend lifetime ----
// The name of the backend in use ("headless" or "sdl"); chooses it if needed.
const char* PlatformBackendName();
// Closes the backend (window, devices). A later call into this layer opens a
// new one. main() calls it last.
void PlatformClose();

// Drives the installer's wizard from outside, the way a user would, and writes
// what it observed to a log file, one line per step:
//   wizard_driver LOG INSTALLER STEP...
// Steps:
//   page          log the page's visible state (Back, button labels, text box)
//   next|back|cancel   press that button (the dialog's own button message)
//   close         close the window from its frame
//   exists PATH   log whether PATH exists now
//   shot FILE     save the wizard as it is on the screen (24-bit BMP)
//   end           wait for the installer to finish; log every message box it
//                 shows (and answer it with OK), then its exit code
// Waiting is bounded everywhere; a hung installer is logged and killed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const DWORD StepTimeoutMs = 20000;
const DWORD PollMs = 20;

FILE* Log = nullptr;
PROCESS_INFORMATION Installer = {};
HWND Wizard = nullptr;

void Write(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), Log);
    std::fputc('\n', Log);
    std::fflush(Log);
}

std::string TextOf(HWND window)
{
    char buffer[4096];
    buffer[0] = '\0';
    // A timeout keeps a hung installer from hanging the driver too.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 5000, &length))
        return "<no answer>";
    std::string text(buffer, length);
    // Keep a log line on one line.
    std::string flat;
    for (char c : text) {
        if (c == '\r')
            continue;
        flat += c == '\n' ? '|' : c;
    }
    return flat;
}

bool InstallerRunning()
{
    return WaitForSingleObject(Installer.hProcess, 0) == WAIT_TIMEOUT;
}

struct Search {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param)
{
    Search* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64];
    if (process != search->process || !IsWindowVisible(window) ||
        !GetClassNameA(window, className, sizeof className) || std::strcmp(className, search->className) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindInstallerWindow(const char* className)
{
    Search search = {Installer.dwProcessId, className, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM param)
{
    char className[32];
    if (GetClassNameA(child, className, sizeof className) && lstrcmpiA(className, "Static") == 0) {
        std::string* best = reinterpret_cast<std::string*>(param);
        std::string text = TextOf(child);
        if (text.size() > best->size())
            *best = text;
    }
    return TRUE;
}

// The message text is the longest static text of the box (the icon is a
// static without text).
std::string MessageBoxText(HWND box)
{
    std::string text;
    EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

bool WaitForWizard()
{
    for (DWORD waited = 0; waited < StepTimeoutMs; waited += PollMs) {
        Wizard = FindInstallerWindow("Lodestar");
        if (Wizard)
            return true;
        if (!InstallerRunning())
            return false;
        Sleep(PollMs);
    }
    return false;
}

void Press(int id)
{
    if (!IsWindow(Wizard)) {
        Write("error: no wizard to press a button on");
        return;
    }
    HWND button = GetDlgItem(Wizard, id);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(Wizard, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button),
                        SMTO_NORMAL, StepTimeoutMs, &result);
}

void LogPage()
{
    if (!IsWindow(Wizard)) {
        Write("page gone");
        return;
    }
    HWND back = GetDlgItem(Wizard, 1001);
    HWND text = GetDlgItem(Wizard, 1000);
    RECT client, box;
    GetClientRect(Wizard, &client);
    GetWindowRect(text, &box);
    MapWindowPoints(nullptr, Wizard, reinterpret_cast<POINT*>(&box), 2);
    RECT seen;
    bool textShown = IntersectRect(&seen, &client, &box) != 0;
    std::string line = "page back=";
    line += IsWindowVisible(back) ? "shown" : "hidden";
    line += " next=\"" + TextOf(GetDlgItem(Wizard, 1)) + "\"";
    line += " cancel=\"" + TextOf(GetDlgItem(Wizard, 2)) + "\"";
    line += " text=";
    line += textShown ? "\"" + TextOf(text).substr(0, 40) + "\"" : "off";
    Write(line);
}

bool SaveBitmap(const char* path, HDC source, int x, int y, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!memory || !bitmap)
        return false;
    HGDIOBJ old = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    FILE* out = std::fopen(path, "wb");
    bool ok = copied && out && std::fwrite(&header, sizeof header, 1, out) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
              std::fwrite(bits, imageSize, 1, out) == 1;
    if (out)
        ok = std::fclose(out) == 0 && ok;
    DeleteObject(bitmap);
    return ok;
}

void Shot(const char* path)
{
    if (!IsWindow(Wizard)) {
        Write(std::string("shot ") + path + " failed: no wizard");
        return;
    }
    SetForegroundWindow(Wizard);
    RedrawWindow(Wizard, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(Wizard, WM_NULL, 0, 0, SMTO_NORMAL, StepTimeoutMs, &result);
    RECT frame;
    GetWindowRect(Wizard, &frame);
    HDC screen = GetDC(nullptr);
    bool ok =
        SaveBitmap(path, screen, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    ReleaseDC(nullptr, screen);
    if (!ok)
        Write(std::string("shot ") + path + " failed");
}

void WaitForEnd()
{
    for (DWORD waited = 0; waited < StepTimeoutMs; waited += PollMs) {
        if (!InstallerRunning()) {
            DWORD code = 0;
            GetExitCodeProcess(Installer.hProcess, &code);
            Write("exit " + std::to_string(code));
            return;
        }
        if (HWND box = FindInstallerWindow("#32770")) {
            Write("msgbox title=\"" + TextOf(box) + "\" text=\"" + MessageBoxText(box) + "\"");
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Wait for this box to go before looking for another one.
            for (DWORD gone = 0; IsWindow(box) && gone < StepTimeoutMs; gone += PollMs)
                Sleep(PollMs);
            waited = 0;
            continue;
        }
        Sleep(PollMs);
    }
    Write("timeout: installer still running, killed");
    TerminateProcess(Installer.hProcess, 99);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: wizard_driver LOG INSTALLER STEP...\n");
        return 2;
    }
    Log = std::fopen(argv[1], "wb");
    if (!Log)
        return 2;

    std::string commandLine = std::string("\"") + argv[2] + "\"";
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(argv[2], mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &Installer)) {
        Write("error: cannot start the installer");
        return 1;
    }
    if (!WaitForWizard()) {
        Write("error: the wizard did not appear");
        TerminateProcess(Installer.hProcess, 99);
        return 1;
    }
    // Let the installer finish showing and painting its first page.
    WaitForInputIdle(Installer.hProcess, StepTimeoutMs);

    for (int i = 3; i < argc; ++i) {
        std::string step = argv[i];
        if (step == "page")
            LogPage();
        else if (step == "next")
            Press(1);
        else if (step == "cancel")
            Press(2);
        else if (step == "back")
            Press(1001);
        else if (step == "close")
            PostMessageA(Wizard, WM_CLOSE, 0, 0);
        else if (step == "exists" && i + 1 < argc) {
            const char* path = argv[++i];
            bool present = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
            Write(std::string("exists ") + path + (present ? " yes" : " no"));
        } else if (step == "shot" && i + 1 < argc)
            Shot(argv[++i]);
        else if (step == "end")
            WaitForEnd();
        else
            Write("error: unknown step " + step);
    }
    if (InstallerRunning()) {
        Write("error: installer left running, killed");
        TerminateProcess(Installer.hProcess, 99);
    }
    CloseHandle(Installer.hThread);
    CloseHandle(Installer.hProcess);
    std::fclose(Log);
    return 0;
}

// Stands in for the desktop CE application manager in the installer tests.
// Started normally it appends its command line to "standin.log" beside itself.
// "--register-unterminated PATH" stores PATH as the manager's registered path
// without a terminating NUL, as a careless tool might.
#include <windows.h>

#include <cstring>

namespace {

const char* const ManagerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";

int RegisterUnterminated(const char* path)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, ManagerKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 1;
    // Something other than a NUL follows the counted bytes, so that nothing
    // takes the liberty of counting a terminator in.
    char stored[1024];
    size_t length = std::strlen(path);
    if (length + 2 > sizeof stored)
        return 1;
    std::memcpy(stored, path, length);
    stored[length] = '!';
    stored[length + 1] = '\0';
    LONG result = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(stored),
                                 static_cast<DWORD>(length));
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 0 : 1;
}

int RecordCommandLine()
{
    char log[MAX_PATH + 16];
    DWORD length = GetModuleFileNameA(nullptr, log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    char* slash = std::strrchr(log, '\\');
    if (!slash)
        return 1;
    std::strcpy(slash + 1, "standin.log");
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    BOOL ok = WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr) &&
              WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc == 3 && std::strcmp(__argv[1], "--register-unterminated") == 0)
        return RegisterUnterminated(__argv[2]);
    return RecordCommandLine();
}

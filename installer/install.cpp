#include "setup.h"

#include "resource_ids.h"

namespace {

const char* const ManagerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";
const DWORD ManagerPathBytes = 260;
const int FolderNameChars = 80;

void ShowFailure(int textId, const char* title)
{
    char text[256];
    if (!LoadStringA(GetModuleHandleA(nullptr), textId, text, sizeof text))
        text[0] = '\0';
    MessageBoxA(nullptr, text, title, MB_OK);
}

void ShowFailure(int textId, int titleId)
{
    char title[256];
    if (!LoadStringA(GetModuleHandleA(nullptr), titleId, title, sizeof title))
        title[0] = '\0';
    ShowFailure(textId, title);
}

// Reads the manager's full path. The registry hands back the bytes as stored,
// which need not end in a NUL and may be longer than we allow: a value that
// is not a string, fills the whole buffer without a NUL (no Windows path is
// that long), or names no folder counts as not found.
bool ReadManagerPath(char (&path)[ManagerPathBytes + 1])
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ManagerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = ManagerPathBytes;
    LONG result = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ || size > ManagerPathBytes)
        return false;
    path[size] = '\0';
    if (lstrlenA(path) >= MAX_PATH)
        return false;
    const char* lastSlash = nullptr;
    for (const char* p = path; *p; ++p)
        if (*p == '\\')
            lastSlash = p;
    return lastSlash != nullptr;
}

// Joins folder, a backslash and name into out; false when it does not fit.
bool JoinPath(char* out, int outLength, const char* folder, const char* name)
{
    int folderLength = lstrlenA(folder);
    int nameLength = lstrlenA(name);
    if (folderLength + 1 + nameLength + 1 > outLength)
        return false;
    CopyMemory(out, folder, folderLength);
    out[folderLength] = '\\';
    CopyMemory(out + folderLength + 1, name, nameLength + 1);
    return true;
}

bool IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool WriteResourceFile(int id, const char* folder, bool* error)
{
    *error = false;
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(RT_SETUP_FILE));
    if (!info)
        return false;

    *error = true;
    char name[MAX_PATH];
    if (!LoadResourceText(RT_SETUP_FILE_NAME, id, name, sizeof name) || name[0] == '\0')
        return false;
    char path[2 * MAX_PATH];
    if (!JoinPath(path, sizeof path, folder, name))
        return false;

    HGLOBAL handle = LoadResource(nullptr, info);
    DWORD size = SizeofResource(nullptr, info);
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data && size != 0)
        return false;

    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = size == 0 || WriteFile(file, data, size, &written, nullptr);
    BOOL closed = CloseHandle(file);
    if (!wrote || written != size || !closed)
        return false;
    *error = false;
    return true;
}

void RunInstall()
{
    char manager[ManagerPathBytes + 1];
    if (!ReadManagerPath(manager)) {
        ShowFailure(IDS_NO_MANAGER, IDS_SETUP);
        return;
    }

    char folderName[FolderNameChars + 1];
    if (!LoadResourceText(RT_SETUP_VALUE, ID_VALUE_FOLDER, folderName, sizeof folderName) ||
        folderName[0] == '\0') {
        ShowFailure(IDS_MISSING_INFO, IDS_SETUP);
        return;
    }
    // The install folder sits beside the manager: its folder, then our name.
    char folder[ManagerPathBytes + FolderNameChars + 2];
    int managerFolderLength = 0;
    for (int i = 0; manager[i]; ++i)
        if (manager[i] == '\\')
            managerFolderLength = i + 1;
    CopyMemory(folder, manager, managerFolderLength);
    lstrcpyA(folder + managerFolderLength, folderName);
    if (!CreateDirectoryA(folder, nullptr) && !IsFolder(folder)) {
        ShowFailure(IDS_NO_FOLDER, folder);
        return;
    }

    bool error = false;
    for (int id = 1; WriteResourceFile(id, folder, &error); ++id) {
    }
    if (error) {
        ShowFailure(IDS_WRITE_FAILED, folder);
        return;
    }

    char iniName[MAX_PATH];
    if (!LoadResourceText(RT_SETUP_FILE_NAME, ID_FILE_INI, iniName, sizeof iniName) || iniName[0] == '\0') {
        ShowFailure(IDS_MISSING_INFO, IDS_SETUP);
        return;
    }
    char iniPath[2 * MAX_PATH];
    if (!JoinPath(iniPath, sizeof iniPath, folder, iniName)) {
        ShowFailure(IDS_MISSING_INFO, IDS_SETUP);
        return;
    }

    // Both paths are quoted: the manager usually lives under "Program Files",
    // and an unquoted path with blanks would start the wrong program or none.
    char commandLine[4 * MAX_PATH];
    int length = wsprintfA(commandLine, "\"%s\" \"%s\"", manager, iniPath);
    if (length <= 0 || WinExec(commandLine, SW_SHOWNORMAL) <= 31)
        ShowFailure(IDS_NO_MANAGER, IDS_SETUP);
}

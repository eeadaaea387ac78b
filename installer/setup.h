// The desktop installer: a three-page wizard (welcome, read-me, licence) that,
// once the licence is accepted, writes the files it carries next to the desktop
// CE application manager and hands the manager the INI file.
#pragma once

#include <windows.h>

// Wizard pages; reaching WizardAccepted is the only way to an install.
enum : int {
    WizardWelcome = 1,
    WizardReadMe = 2,
    WizardLicence = 3,
    WizardAccepted = 4
};

extern int WizardPage;
extern HFONT SmallFont;
extern HFONT BigFont;

int SetupMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
LRESULT CALLBACK SetupDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int DrawWrappedText(HDC dc, int x, int y, int maxWidth, int lineHeight, const char* text);

void RunInstall();
bool WriteResourceFile(int id, const char* folder, bool* error);

// Copies a text resource into buffer (at most length - 1 bytes, always
// terminated), stopping at the resource's first NUL; false when it is missing.
bool LoadResourceText(int type, int id, char* buffer, int length);
// The text of a wizard text resource, terminated; null when it is missing.
const char* LockTextResource(int id);
// A wizard page whose text resource is present but holds nothing.
bool IsTextResourceEmpty(int id);

#include "setup.h"

#include "resource_ids.h"

int WizardPage = WizardWelcome;
HFONT SmallFont = nullptr;
HFONT BigFont = nullptr;

namespace {

HFONT MakeArial(int height, int weight)
{
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

}  // namespace

int SetupMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SetupDlgProc;
    // The wizard is a dialog drawn by our own class: the dialog manager keeps
    // its state in these extra bytes.
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ID_WINDOW_ICON));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "Lodestar";
    if (!RegisterClassA(&windowClass)) {
        MessageBoxA(nullptr, "This program requires Windows NT!", "Lodestar", MB_OK | MB_ICONERROR);
        return 0;
    }

    WizardPage = WizardWelcome;
    SmallFont = MakeArial(14, 200);
    BigFont = MakeArial(20, 600);

    HWND wizard = CreateDialogParamA(instance, "LODESTAR", nullptr, nullptr, 0);
    MSG message = {};
    if (wizard) {
        SendMessageA(wizard, WM_SETUP_LAYOUT, 0, 0);
        ShowWindow(wizard, showCommand);
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    if (WizardPage == WizardAccepted)
        RunInstall();

    DeleteObject(SmallFont);
    DeleteObject(BigFont);
    return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    return SetupMain(instance, previous, commandLine, showCommand);
}

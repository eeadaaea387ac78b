#include "setup.h"

#include <cstdio>

#include "resource_ids.h"

namespace {

const int ClientWidth = 495;
const int ClientHeight = 359;
const int PictureWidth = 164;
const int PictureHeight = 315;
const int TextLeft = 180;
// The hint under each page sits just above the separator line, below the text
// box, where the buttons cannot cover it (the licence question must be read).
const int HintAboveBottom = 44 + 24;

HBITMAP SidePicture = nullptr;
char ProductName[257];
char Version[64];

const char* const ContinueHint = "Click Next to continue, or Cancel to exit Setup.";

void PlaceButton(HWND window, int id, const RECT& client, int fromRight)
{
    MoveWindow(GetDlgItem(window, id), client.right - fromRight, client.bottom - 32, 74, 23, TRUE);
}

void OnCreate(HWND window)
{
    // Size from the client area the pages are drawn for, then centre.
    int width = ClientWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME);
    int height = ClientHeight + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MoveWindow(window, left, top, width, height, FALSE);
    SetWindowTextA(window, "Setup");

    HINSTANCE instance = GetModuleHandleA(nullptr);
    SidePicture = LoadBitmapA(instance, MAKEINTRESOURCEA(ID_SIDE_PICTURE));
    LoadResourceText(RT_SETUP_VALUE, ID_VALUE_PRODUCT, ProductName, sizeof ProductName);
    LoadResourceText(RT_SETUP_VALUE, ID_VALUE_VERSION, Version, sizeof Version);

    char caption[300];
    std::snprintf(caption, sizeof caption, "Setup - %s", ProductName);
    SetWindowTextA(window, caption);
}

void OnLayout(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    PlaceButton(window, IDC_CANCEL, client, 90);
    PlaceButton(window, IDC_NEXT, client, 173);
    PlaceButton(window, IDC_BACK, client, 247);

    HWND text = GetDlgItem(window, IDC_TEXT);
    HWND back = GetDlgItem(window, IDC_BACK);
    if (WizardPage == WizardWelcome) {
        MoveWindow(text, -100, -100, 10, 10, TRUE);
        ShowWindow(back, SW_HIDE);
        SetDlgItemTextA(window, IDC_NEXT, "Next >");
        SetDlgItemTextA(window, IDC_CANCEL, "Cancel");
        return;
    }
    if (WizardPage != WizardReadMe && WizardPage != WizardLicence)
        return;
    const char* body = LockTextResource(WizardPage == WizardReadMe ? ID_TEXT_README : ID_TEXT_LICENCE);
    SetWindowTextA(text, body ? body : "");
    MoveWindow(text, 178, 72, client.right - 192, client.bottom - 144, TRUE);
    ShowWindow(back, SW_SHOW);
    bool licence = WizardPage == WizardLicence;
    SetDlgItemTextA(window, IDC_NEXT, licence ? "Yes" : "Next >");
    SetDlgItemTextA(window, IDC_CANCEL, licence ? "No" : "Cancel");
}

void DrawLine(HDC dc, int colour, int y, int right)
{
    HGDIOBJ old = SelectObject(dc, GetStockObject(colour));
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, right, y);
    SelectObject(dc, old);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);

    DrawLine(dc, WHITE_PEN, client.bottom - 43, client.right);
    DrawLine(dc, BLACK_PEN, client.bottom - 44, client.right);
    RECT page = {PictureWidth, 0, client.right, client.bottom - 44};
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    InvalidateRect(GetDlgItem(window, IDC_TEXT), nullptr, TRUE);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, BigFont);
    char line[600];
    if (WizardPage == WizardWelcome) {
        int width = client.right - PictureWidth - 32;
        std::snprintf(line, sizeof line, "Welcome to the Setup Wizard for %s", ProductName);
        int used = DrawWrappedText(dc, TextLeft, 10, width, 20, line);
        SelectObject(dc, SmallFont);
        std::snprintf(line, sizeof line, "This will install %s %s to your Windows CE device.", ProductName,
                      Version);
        DrawWrappedText(dc, TextLeft, used + 24, width, 14, line);
        TextOutA(dc, TextLeft, client.bottom - HintAboveBottom, ContinueHint, lstrlenA(ContinueHint));
    } else if (WizardPage == WizardReadMe || WizardPage == WizardLicence) {
        bool licence = WizardPage == WizardLicence;
        const char* title = licence ? "License Agreement" : "Read Me";
        const char* lead = licence ? "Please read the following license agreement:"
                                   : "Please read the following information:";
        const char* hint = licence ? "Do you accept the terms of the license agreement?" : ContinueHint;
        TextOutA(dc, TextLeft, 10, title, lstrlenA(title));
        SelectObject(dc, SmallFont);
        TextOutA(dc, TextLeft, 44, lead, lstrlenA(lead));
        TextOutA(dc, TextLeft, client.bottom - HintAboveBottom, hint, lstrlenA(hint));
    }
    SelectObject(dc, oldFont);

    if (SidePicture) {
        HDC pictureDc = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(pictureDc, SidePicture);
        BitBlt(dc, 0, 0, PictureWidth, PictureHeight, pictureDc, 0, 0, SRCCOPY);
        SelectObject(pictureDc, old);
        DeleteDC(pictureDc);
    }
    EndPaint(window, &paint);
}

void CloseWizard(HWND window)
{
    if (SidePicture) {
        DeleteObject(SidePicture);
        SidePicture = nullptr;
    }
    DestroyWindow(window);
}

// Only the read-me page may be passed over, and only when it has nothing to
// say; the licence page is always shown, so nothing is ever installed without
// the user having been asked to accept it.
bool SkipPage(int page)
{
    return page == WizardReadMe && IsTextResourceEmpty(ID_TEXT_README);
}

void Refresh(HWND window)
{
    SendMessageA(window, WM_SETUP_LAYOUT, 0, 0);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void OnCommand(HWND window, int id)
{
    switch (id) {
    case IDC_NEXT:
        ++WizardPage;
        if (SkipPage(WizardPage))
            ++WizardPage;
        if (WizardPage >= WizardAccepted) {
            WizardPage = WizardAccepted;
            CloseWizard(window);
            return;
        }
        Refresh(window);
        break;
    case IDC_CANCEL:
        CloseWizard(window);
        break;
    case IDC_BACK:
        --WizardPage;
        if (SkipPage(WizardPage))
            --WizardPage;
        if (WizardPage < WizardWelcome)
            WizardPage = WizardWelcome;
        Refresh(window);
        break;
    default:
        break;
    }
}

}  // namespace

LRESULT CALLBACK SetupDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SETUP_LAYOUT:
        OnLayout(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            OnCommand(window, LOWORD(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return DefDlgProcA(window, message, wParam, lParam);
}

int DrawWrappedText(HDC dc, int x, int y, int maxWidth, int lineHeight, const char* text)
{
    int widths[256];
    if (!GetCharWidthA(dc, 0, 255, widths))
        return 0;
    int lines = 0;
    const char* lineStart = text;
    const char* p = text;
    int sum = 0;
    auto drawLine = [&](const char* end) {
        // The line ends at the end of its last word; the blank after it is not drawn.
        const char* last = end;
        while (last > lineStart && last[-1] == ' ')
            --last;
        TextOutA(dc, x, y + lines * lineHeight, lineStart, static_cast<int>(last - lineStart));
        ++lines;
    };
    while (*p) {
        const char* word = p;
        int wordWidth = 0;
        while (*p && *p != ' ')
            wordWidth += widths[static_cast<unsigned char>(*p++)];
        if (*p == ' ')
            wordWidth += widths[static_cast<unsigned char>(' ')];
        // A word wider than a whole line keeps a line of its own and runs over
        // the right margin rather than being cut.
        if (sum + wordWidth >= maxWidth && word > lineStart) {
            drawLine(word);
            lineStart = word;
            sum = 0;
        }
        sum += wordWidth;
        if (*p == ' ')
            ++p;
    }
    if (p > lineStart)
        drawLine(p);
    return lines * lineHeight;
}

// Resource numbers shared by the resource script and the installer's code.
#pragma once

// Custom resource types.
#define RT_SETUP_FILE 100       // a file written into the install folder
#define RT_SETUP_FILE_NAME 101  // the file name of the file with the same id
#define RT_SETUP_TEXT 102       // texts shown by the wizard pages
#define RT_SETUP_VALUE 103      // short settings: folder name, product, version

// Ids inside those types.
#define ID_FILE_INI 1
#define ID_FILE_CABINET 2
#define ID_TEXT_README 4
#define ID_TEXT_LICENCE 5
#define ID_VALUE_FOLDER 2
#define ID_VALUE_PRODUCT 6
#define ID_VALUE_VERSION 7

#define ID_SIDE_PICTURE 104
#define ID_WINDOW_ICON 103

// String table.
#define IDS_NO_MANAGER 1
#define IDS_SETUP 2
#define IDS_NO_FOLDER 3
#define IDS_WRITE_FAILED 4
#define IDS_MISSING_INFO 5

// Controls of the wizard dialog (1 and 2 are the system's OK and Cancel).
#define IDC_NEXT 1
#define IDC_CANCEL 2
#define IDC_TEXT 1000
#define IDC_BACK 1001

// Private message that places the controls for the current page.
#define WM_SETUP_LAYOUT 1025

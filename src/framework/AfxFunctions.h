#pragma once

#include <windows.h>

#include <string>

class CWinApp;
class CWnd;

// The functions marked (CWinApp.cpp) work with the application object; they
// are declared here so that CWnd can reach the application without knowing it.

// The application object, or null before it is constructed (CWinApp.cpp).
CWinApp* AfxGetApp();
// The application's main window object, or null (CWinApp.cpp).
CWnd* AfxGetMainWnd();
// The application object's name, which keys its settings and its single instance;
// without an application object the executable's base name, which is the name
// every application object starts with (CWinApp.cpp).
std::string AfxGetAppName();
// The executable's file name without folder and extension.
std::string AfxGetModuleBaseName();
// The module that holds the program's resources (everything is linked statically).
HINSTANCE AfxGetResourceHandle();

// MessageBoxA owned by the active window of this thread (else the main window),
// captioned with the application name (CWinApp.cpp).
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);

// OLE for this thread; TRUE on success. AfxOleTerm undoes only a successful
// AfxOleInit, so it is safe to call either way; justRevoke = TRUE leaves OLE up.
BOOL AfxOleInit();
void AfxOleTerm(BOOL justRevoke = FALSE);

#pragma once

#include <windows.h>

#include <string>

class CWinApp;
class CWnd;

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();
// The application's main window object, or null.
CWnd* AfxGetMainWnd();
// The executable's file name without folder and extension.
std::string AfxGetModuleBaseName();
// The module that holds the program's resources (everything is linked statically).
HINSTANCE AfxGetResourceHandle();

// MessageBoxA owned by the active window of this thread (else the main window),
// captioned with the application name.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);

// OLE for this thread; TRUE on success. AfxOleTerm undoes only a successful
// AfxOleInit, so it is safe to call either way; justRevoke = TRUE leaves OLE up.
BOOL AfxOleInit();
void AfxOleTerm(BOOL justRevoke = FALSE);

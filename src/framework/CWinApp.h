#pragma once

#include <windows.h>

#include <string>

#include "framework/AfxFunctions.h"

class CWnd;

// The one application object of the process (AfxGetApp); one constructed later
// takes over that role until it ends. Its profile calls keep
// settings under HKEY_CURRENT_USER\Software\<registry key>\<app name>\<section>.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    void SetRegistryKey(const char* key);

    // A missing value, or one of another type than REG_DWORD, gives the default.
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    // A missing value, or one of another type than REG_SZ, gives the default.
    std::string GetProfileString(const char* section, const char* entry, const char* defaultValue = "");
    // Keys are created on the first write. A null entry removes the whole section;
    // a null string value removes the entry.
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);

    virtual BOOL InitInstance();
    // The process exit code: the WM_QUIT code when the message loop ran, else 0.
    virtual int ExitInstance();
    // InitInstance; when it succeeds, the message loop until WM_QUIT; then
    // ExitInstance, whose value is returned.
    virtual int Run();

    // Called when the main window is gone: forgets it, and ends the message loop
    // of Run if that is what shows it. (A dialog run modally from InitInstance
    // leaves no quit message behind that would close later message boxes.)
    void OnMainWndDestroyed();

    std::string m_pszAppName;      // the executable's file name without extension
    std::string m_pszRegistryKey;  // empty: settings go to <app name>.INI instead
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;

protected:
    int m_nExitCode = 0;

private:
    CWinApp* m_pPreviousApp;
    DWORD m_loopThreadId = 0;  // the thread inside Run's message loop, or 0

    std::string SectionPath(const char* section) const;
    std::string IniFileName() const;
};

// The body of WinMain: runs the application object's Run. An exception that
// escapes it is reported and gives exit code -1.
int AfxWinMain(HINSTANCE instance);

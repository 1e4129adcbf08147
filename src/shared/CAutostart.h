#pragma once

#include <windows.h>

#include <string>

// The program's shortcut "<name>.lnk" in the user's Startup folder, which makes
// Windows start it at log-on, and its entry in the installer's uninstall list
// "!sfxunst.ini" of the current directory, kept in step so that uninstalling
// removes a shortcut the program made. Nothing is kept between calls: every
// call looks at the file system. The shell link calls need COM on this thread.
class CAutostart {
public:
    // The running program: its module path and the framework's application name.
    explicit CAutostart(HWND owner = nullptr);
    // Another executable (path and name without extension), for instance in tests.
    CAutostart(std::string executablePath, std::string name, HWND owner = nullptr);

    // The Startup folder followed by "\<name>.lnk"; empty when the folder is unknown.
    std::string ShortcutPath() const;

    bool AutostartShortcutExists() const;
    // The result of the shell link calls; the list is updated before them.
    HRESULT CreateAutostartShortcut() const;
    // False only when the shortcut exists and cannot be deleted.
    bool RemoveAutostartShortcut() const;
    // Removes the shortcut when it exists, else creates it; true on success.
    bool ToggleAutostart() const;

    static const char kUninstallList[];

private:
    std::string m_executablePath;
    std::string m_name;
    HWND m_owner;
};

#pragma once

#include "framework/ProfileSettings.h"
#include "framework/SystemClock.h"
#include "framework/WindowsFileSystem.h"
#include "base/AppContext.h"

#include <string>

// The context of a program run under Windows: the registry's settings, the
// system's clock and files, and the data folder the program chooses.
class WindowsContext {
public:
    // The data folder of CDataFolder::Get; the program folder and the temporary
    // folder are where earlier versions kept the files.
    WindowsContext();
    // The data files in folder, taken over from nowhere else (tests and tools).
    explicit WindowsContext(const std::string& folder);
    WindowsContext(const WindowsContext&) = delete;
    WindowsContext& operator=(const WindowsContext&) = delete;

    // Without HTTP: the program's services make the downloads.
    AppContext Get() { return AppContext{m_folder, m_legacyFolders, m_files, m_clock, m_settings}; }

private:
    std::string m_folder;
    std::vector<std::string> m_legacyFolders;
    WindowsFileSystem m_files;
    SystemClock m_clock;
    ProfileSettings m_settings;
};

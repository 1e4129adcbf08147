#pragma once

#include "support/TestProcess.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// A copy of the real Zorla.exe under its own name in a folder of its own, so its
// registry subtree, data files and single-instance mutex belong to one test.
class ZorlaCopy {
public:
    // The folder's name ends in folderSuffix when one is given.
    explicit ZorlaCopy(const std::string& name, const std::string& folderSuffix = std::string());
    ~ZorlaCopy();

    const std::string& Name() const { return m_name; }
    std::string Exe() const { return m_folder.File(m_name + ".exe"); }
    const TempFolder& Folder() const { return m_folder; }

    // Starts one more process of this copy, with the "NAME=value" entries.
    std::unique_ptr<TestProcess> Start(const std::vector<std::string>& environment = {}) const;

    // Starts the copy and waits for its main window; null window on failure.
    HWND StartAndWait(std::unique_ptr<TestProcess>& process, const std::vector<std::string>& environment = {}) const;

    // Ends a running copy through its Exit command, as the user would.
    static bool Exit(HWND mainWindow, TestProcess& process);

    // "szLastUpdate" for this moment: stored weather is fresh, nothing is fetched.
    static std::string StampOfNow();
    // The current minute in the data files' date form: a reminder due now.
    static std::string MinuteOfNow();
    // The copy reads its files right after its first paint, and shows the cities
    // of its stored weather once it has: waits until the city list holds count.
    static bool WaitUntilCitiesShown(HWND mainWindow, int count);

private:
    void CopyIn() const;

    std::string m_name;
    TempFolder m_folder;
};

extern const char kMainTitle[];

#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A child process started by a test; killed at destruction if still running.
class TestProcess {
public:
    TestProcess() = default;
    ~TestProcess();
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    // The process inherits this one's environment and the "NAME=value" entries.
    bool Start(const std::string& exe, const std::string& arguments = "",
               const std::vector<std::string>& environment = {});
    // True when the process ended within ms; its exit code goes to code.
    bool WaitExit(DWORD ms, DWORD* code = nullptr);
    void Kill();
    DWORD Id() const { return m_info.dwProcessId; }
    bool Running() const;

private:
    PROCESS_INFORMATION m_info{};
};

// A visible or hidden top-level window of the process with exactly this title,
// polled for up to ms; null when none appeared.
HWND WaitForProcessWindow(DWORD processId, const char* title, DWORD ms, const char* className = nullptr);

// A visible dialog of the process that holds a control with this id (a message
// box's button, a dialog's list), polled for up to ms; null when none appeared.
HWND WaitForProcessDialog(DWORD processId, int controlId, DWORD ms);

// Polls pred every 20 ms for up to ms.
template <typename Pred>
bool WaitUntil(Pred pred, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(20);
    }
}

// Folder names in Polish, Cyrillic and CJK letters at once: no ANSI code page
// holds them all.
extern const char kNonAnsiName[];

// The folder of the running test executable (Zorla.exe is built beside it).
std::string ModuleFolder();

// A fresh, empty folder under the temporary folder, removed by the destructor.
// Its name ends in " <suffix>" (UTF-8), for folders named in other scripts.
// Deletes a folder with everything in it; a missing folder is no error.
void RemoveFolderTree(const std::string& folder);

class TempFolder {
public:
    explicit TempFolder(const std::string& suffix = std::string());
    ~TempFolder();
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Runs a message loop for ms, so windows of this thread get their messages.
void PumpMessages(DWORD ms);

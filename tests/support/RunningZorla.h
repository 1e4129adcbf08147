#pragma once

#include "support/TestProcess.h"
#include "support/ZorlaCopy.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// One run of a copy of the real Zorla.exe, as every end-to-end test starts and
// ends it: started, and its main window awaited, at construction; ended through
// its Exit command by Exit. A run a test left early is killed with its process.
class RunningZorla {
public:
    // With the "NAME=value" entries in its environment.
    explicit RunningZorla(const ZorlaCopy& copy, const std::vector<std::string>& environment = {});
    RunningZorla(const RunningZorla&) = delete;
    RunningZorla& operator=(const RunningZorla&) = delete;

    // Null when the copy did not start or showed no main window.
    HWND Main() const { return m_main; }
    TestProcess& Process() { return *m_process; }
    // Ends the copy through its Exit command, as the user would; true when it
    // ended within 20 s.
    bool Exit();
    // Starts the copy once more after it ended; its new main window.
    HWND Restart(const std::vector<std::string>& environment = {});

private:
    const ZorlaCopy& m_copy;
    std::unique_ptr<TestProcess> m_process;
    HWND m_main = nullptr;
};

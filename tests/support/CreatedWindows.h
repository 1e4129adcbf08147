#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One window as it was created.
struct CreatedWindow {
    HWND window = nullptr;
    DWORD processId = 0;
    bool topLevel = false;
    std::string className;
};

// Records every window that any process creates while the log runs, through a
// WinEvent hook on a thread of its own: a window that is created and destroyed
// again between two looks at the screen is seen too. Start the log before the
// process of interest, so its first window is not missed.
class CreatedWindowsLog {
public:
    CreatedWindowsLog();
    ~CreatedWindowsLog();
    CreatedWindowsLog(const CreatedWindowsLog&) = delete;
    CreatedWindowsLog& operator=(const CreatedWindowsLog&) = delete;

    // False when the system refused the hook.
    bool Running() const { return m_hooked; }
    // The windows of that process recorded so far, including those whose events
    // were already on their way.
    std::vector<CreatedWindow> Of(DWORD processId) const;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                                 DWORD time);
    void Run();

    std::thread m_thread;
    DWORD m_threadId = 0;
    HANDLE m_ready = nullptr;
    bool m_hooked = false;
    mutable std::mutex m_lock;
    std::vector<CreatedWindow> m_windows;
};

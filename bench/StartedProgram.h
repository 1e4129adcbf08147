#pragma once

// A program started by a benchmark: its main window found by caption, its other
// windows counted by the start of their titles, its memory, and a second thread
// that keeps asking its main window for an answer.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

using Steady = std::chrono::steady_clock;

// How long a benchmark waits for a program's windows before giving up.
const std::chrono::seconds kWindowWaitLimit(120);

struct StartedProgram {
    PROCESS_INFORMATION info{};
    HWND main = nullptr;
    Steady::time_point start;
};

struct ShownCount {
    DWORD process;
    const std::vector<std::string>* titles;
    int shown;
    // Of the shown ones, those with nothing left to paint.
    int painted;
};

inline BOOL CALLBACK CountShownWindow(HWND window, LPARAM param)
{
    auto* count = reinterpret_cast<ShownCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[32] = "";
    if (owner != count->process || !IsWindowVisible(window) || !GetWindowTextA(window, title, sizeof title))
        return TRUE;
    for (const std::string& start : *count->titles) {
        if (std::strncmp(title, start.c_str(), start.size()) == 0) {
            ++count->shown;
            if (!GetUpdateRect(window, nullptr, FALSE))
                ++count->painted;
            break;
        }
    }
    return TRUE;
}

// The visible top-level windows of the process whose titles begin with one of titles.
inline ShownCount CountShown(DWORD process, const std::vector<std::string>& titles)
{
    ShownCount count{process, &titles, 0, 0};
    EnumWindows(CountShownWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

inline int ShownWindows(DWORD process, const std::vector<std::string>& titles)
{
    return CountShown(process, titles).shown;
}

// Starts the program and waits until its main window shows; main stays null
// when it did not.
inline StartedProgram Launch(const std::string& path, const std::string& arguments, const char* caption)
{
    StartedProgram started;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + path + "\" " + arguments;
    started.start = Steady::now();
    const auto deadline = started.start + kWindowWaitLimit;
    if (!CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started.info))
        return started;
    while (!started.main && Steady::now() < deadline) {
        HWND candidate = FindWindowA(nullptr, caption);
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (candidate && owner == started.info.dwProcessId && IsWindowVisible(candidate))
            started.main = candidate;
        else
            Sleep(5);
    }
    return started;
}

// When wanted windows with those titles first showed, and when all of them had
// also painted, in milliseconds from the start; -1 for what did not happen.
struct ShownTimes {
    double shownMs = -1;
    double paintedMs = -1;
};

// Waits until wanted windows with those titles show and have painted, then
// until the program has worked off its start-up messages.
inline ShownTimes WaitShownAndPainted(const StartedProgram& started, const std::vector<std::string>& titles, int wanted)
{
    ShownTimes times;
    const auto deadline = started.start + kWindowWaitLimit;
    while (started.main && Steady::now() < deadline) {
        const ShownCount count = CountShown(started.info.dwProcessId, titles);
        const double now = std::chrono::duration<double, std::milli>(Steady::now() - started.start).count();
        if (times.shownMs < 0 && count.shown >= wanted)
            times.shownMs = now;
        if (count.painted >= wanted) {
            times.paintedMs = now;
            break;
        }
        Sleep(20);
    }
    DWORD_PTR ignored = 0;
    if (started.main)
        SendMessageTimeoutA(started.main, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored);
    return times;
}

// Milliseconds from the start until wanted windows with those titles show, -1
// when they did not; returns once they have painted too.
inline double WaitShown(const StartedProgram& started, const std::vector<std::string>& titles, int wanted)
{
    return WaitShownAndPainted(started, titles, wanted).shownMs;
}

// Zorla closes by its exit command; the floor program by WM_CLOSE as well.
inline void Stop(StartedProgram& started, UINT exitCommand)
{
    if (started.main && exitCommand)
        PostMessageA(started.main, WM_COMMAND, exitCommand, 0);
    else if (started.main)
        PostMessageA(started.main, WM_CLOSE, 0, 0);
    if (started.info.hProcess && WaitForSingleObject(started.info.hProcess, 60000) == WAIT_TIMEOUT)
        TerminateProcess(started.info.hProcess, 1);
    CloseHandle(started.info.hProcess);
    CloseHandle(started.info.hThread);
}

inline double PeakMegabytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return -1;
    return counters.PeakPagefileUsage / (1024.0 * 1024.0);
}

// From a second thread, sends the window a message every few milliseconds and
// keeps the longest it had to wait for the answer: how long the window's
// thread was busy with something else at most.
class Pinger {
public:
    explicit Pinger(HWND window)
        : m_window(window)
    {
        m_thread = CreateThread(nullptr, 0, Loop, this, 0, nullptr);
    }
    Pinger(const Pinger&) = delete;
    Pinger& operator=(const Pinger&) = delete;
    ~Pinger() { Stop(); }

    // The longest wait in milliseconds.
    double Stop()
    {
        m_stop = true;
        if (m_thread) {
            WaitForSingleObject(m_thread, INFINITE);
            CloseHandle(m_thread);
            m_thread = nullptr;
        }
        return m_longestMs;
    }

private:
    static DWORD WINAPI Loop(LPVOID self)
    {
        static_cast<Pinger*>(self)->Run();
        return 0;
    }

    void Run()
    {
        while (!m_stop) {
            const auto sent = Steady::now();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(m_window, WM_NULL, 0, 0, SMTO_BLOCK, 60000, &ignored);
            const double waitedMs = std::chrono::duration<double, std::milli>(Steady::now() - sent).count();
            m_longestMs = std::max(m_longestMs, waitedMs);
            Sleep(5);
        }
    }

    HWND m_window;
    HANDLE m_thread = nullptr;
    std::atomic<bool> m_stop{false};
    double m_longestMs = 0;
};

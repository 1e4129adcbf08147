// Drives a running Zorla from shell scripts under Wine:
//   ZorlaDriver wait TITLE MS     wait until a visible top-level window TITLE is idle
//   ZorlaDriver exit TITLE MS     send the Exit command and wait for the window to go
//   ZorlaDriver command TITLE ID  send WM_COMMAND ID to the window
// Exit code 0 on success, 1 on time-out, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const UINT kAppExit = 57665;  // the framework's exit command

HWND FindVisible(const char* title)
{
    HWND wnd = FindWindowA(nullptr, title);
    return (wnd && IsWindowVisible(wnd)) ? wnd : nullptr;
}

// True once the window's thread has worked off its queue, so the first paint is done.
bool IsIdle(HWND wnd)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

int WaitForWindow(const char* title, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        HWND wnd = FindVisible(title);
        if (wnd && IsIdle(wnd)) {
            UpdateWindow(wnd);
            return 0;
        }
        Sleep(50);
    }
    return 1;
}

int ExitProgram(const char* title, DWORD ms)
{
    HWND wnd = FindWindowA(nullptr, title);
    if (!wnd)
        return 1;
    PostMessageA(wnd, WM_COMMAND, kAppExit, 0);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        if (!IsWindow(wnd))
            return 0;
        Sleep(50);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: ZorlaDriver wait|exit|command TITLE VALUE\n");
        return 2;
    }
    const char* verb = argv[1];
    const char* title = argv[2];
    const unsigned long value = std::strtoul(argv[3], nullptr, 10);
    if (std::strcmp(verb, "wait") == 0)
        return WaitForWindow(title, value);
    if (std::strcmp(verb, "exit") == 0)
        return ExitProgram(title, value);
    if (std::strcmp(verb, "command") == 0) {
        HWND wnd = FindWindowA(nullptr, title);
        return (wnd && PostMessageA(wnd, WM_COMMAND, value, 0)) ? 0 : 1;
    }
    return 2;
}

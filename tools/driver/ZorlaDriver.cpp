// Drives a running Zorla from shell scripts under Wine:
//   ZorlaDriver wait TITLE MS     wait until a visible top-level window TITLE is idle
//   ZorlaDriver exit TITLE MS     send the Exit command and wait for the window to go
//   ZorlaDriver command TITLE ID  send WM_COMMAND ID to the window
//   ZorlaDriver click TITLE X Y   a left click at window point (X, Y)
//   ZorlaDriver move TITLE X Y    the pointer moves to window point (X, Y)
//   ZorlaDriver timer TITLE ID    the window's timer ID fires now
//   ZorlaDriver rect TITLE 0      prints the window's screen rectangle: X Y W H
//   ZorlaDriver press TITLE ID    the window's button ID is clicked (posted: a
//                                 box it opens does not hold the driver)
//   ZorlaDriver answer TITLE ID   the box TITLE that has button ID is answered with it
//   ZorlaDriver rclick TITLE X Y  a right click at window point (X, Y)
//   ZorlaDriver escape CLASS 0    Escape to the window of class CLASS (the menu)
//   ZorlaDriver text TITLE ID TEXT  the window's control ID gets the text, as if typed
// A TITLE written ">TITLE" names the box that the window TITLE shows (its
// last active popup, e.g. the About box).
// Exit code 0 on success, 1 on time-out, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const UINT kAppExit = 57665;  // the framework's exit command

HWND FindTitle(const char* title)
{
    if (title[0] != '>')
        return FindWindowA(nullptr, title);
    HWND owner = FindWindowA(nullptr, title + 1);
    HWND box = owner ? GetLastActivePopup(owner) : nullptr;
    return box != owner ? box : nullptr;
}

HWND FindVisible(const char* title)
{
    HWND wnd = FindTitle(title);
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

// Sends a message and waits until the window's thread has handled it, so a
// screenshot taken afterwards shows its effect.
bool SendAndWait(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(wnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0 && IsIdle(wnd);
}

int PointCommand(const char* verb, HWND wnd, int x, int y)
{
    const LPARAM point = MAKELPARAM(x, y);
    if (std::strcmp(verb, "click") == 0) {
        return SendAndWait(wnd, WM_LBUTTONDOWN, MK_LBUTTON, point) && SendAndWait(wnd, WM_LBUTTONUP, 0, point) ? 0 : 1;
    }
    if (std::strcmp(verb, "move") == 0)
        return SendAndWait(wnd, WM_MOUSEMOVE, 0, point) ? 0 : 1;
    if (std::strcmp(verb, "rclick") == 0)
        return SendAndWait(wnd, WM_RBUTTONDOWN, MK_RBUTTON, point) ? 0 : 1;
    return 2;
}

// The button's click as its parent hears it, posted.
int PressButton(HWND wnd, int id)
{
    HWND button = GetDlgItem(wnd, id);
    if (!button)
        return 1;
    PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    Sleep(300);
    return 0;
}

struct BoxSearch {
    const char* title;
    int button;
    HWND found;
};

BOOL CALLBACK FindBox(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<BoxSearch*>(param);
    char className[16] = "", title[128] = "";
    GetClassNameA(wnd, className, sizeof className);
    GetWindowTextA(wnd, title, sizeof title);
    if (std::strcmp(className, "#32770") == 0 && std::strcmp(title, search->title) == 0 && IsWindowVisible(wnd) &&
        GetDlgItem(wnd, search->button)) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

int AnswerBox(const char* title, int button, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        BoxSearch search{title, button, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            PostMessageA(search.found, WM_COMMAND, button, 0);
            return 0;
        }
        Sleep(50);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(
            stderr,
            "usage: ZorlaDriver wait|exit|command|click|move|rclick|timer|rect|press|answer|escape|text TITLE VALUE "
            "[Y|TEXT]\n");
        return 2;
    }
    const char* verb = argv[1];
    const char* title = argv[2];
    const unsigned long value = std::strtoul(argv[3], nullptr, 10);
    if (std::strcmp(verb, "wait") == 0)
        return WaitForWindow(title, value);
    if (std::strcmp(verb, "exit") == 0)
        return ExitProgram(title, value);
    if (std::strcmp(verb, "answer") == 0)
        return AnswerBox(title, static_cast<int>(value), 5000);
    HWND wnd = FindTitle(title);
    if (std::strcmp(verb, "press") == 0)
        return wnd ? PressButton(wnd, static_cast<int>(value)) : 1;
    if (std::strcmp(verb, "escape") == 0) {
        HWND target = FindWindowA(title, nullptr);
        return target && PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1) ? 0 : 1;
    }
    if (std::strcmp(verb, "click") == 0 || std::strcmp(verb, "move") == 0 || std::strcmp(verb, "rclick") == 0) {
        if (!wnd || argc < 5)
            return wnd ? 2 : 1;
        return PointCommand(verb, wnd, static_cast<int>(value), std::atoi(argv[4]));
    }
    if (std::strcmp(verb, "text") == 0) {
        HWND control = wnd ? GetDlgItem(wnd, static_cast<int>(value)) : nullptr;
        if (!control || argc < 5)
            return control ? 2 : 1;
        return SendAndWait(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
    }
    if (std::strcmp(verb, "timer") == 0)
        return wnd && SendAndWait(wnd, WM_TIMER, value, 0) ? 0 : 1;
    if (std::strcmp(verb, "rect") == 0) {
        RECT rect{};
        if (!wnd || !GetWindowRect(wnd, &rect))
            return 1;
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return 0;
    }
    if (std::strcmp(verb, "command") == 0) {
        return (wnd && PostMessageA(wnd, WM_COMMAND, value, 0) && IsIdle(wnd)) ? 0 : 1;
    }
    return 2;
}

// The floor for Zorla's start-up: the least a one-window program of the same size
// does with the same toolchain and linking. It registers a class, shows a
// 440 x 444 window (scaled as Zorla's is on a scaled screen), paints it and runs
// a message loop until it is closed.
//
// Started with a number ("startup_floor.exe 2000"), it also shows that many
// plain windows: the floor for Zorla's note windows (notes_bench).
//
// Built bare, and with one platform library each (FLOOR_COMMON_CONTROLS,
// FLOOR_OLE, FLOOR_WININET, FLOOR_DSOUND) to show what loading and starting
// that library adds to a start. Built with FLOOR_NOTE_SHAPE, its plain windows
// are shaped as notes and kept at the bottom, as the platform is asked to do
// for every note.
#include <windows.h>

#if defined(FLOOR_COMMON_CONTROLS)
#include <commctrl.h>
#endif
#if defined(FLOOR_OLE)
#include <ole2.h>
#endif
#if defined(FLOOR_WININET)
#include <wininet.h>
#endif
#if defined(FLOOR_DSOUND)
#include <mmsystem.h>
#include <dsound.h>
#endif

#include "resource.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char kClassName[] = "ZorlaStartUpFloor";
const char kTitle[] = "Zorla floor";
const int kWidth = 440;
const int kHeight = 444;

// A size at the screen's scale, as the program's own window takes it.
int Scaled(int size)
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    ReleaseDC(nullptr, screen);
    return MulDiv(size, dpi, 96);
}
const char kPlainClassName[] = "ZorlaFloorPlain";
const char kPlainTitle[] = "Zorla floor window";

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_APP_EXIT)
            DestroyWindow(window);
        return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// What the variant adds before its window exists. The sound variant only has
// the library loaded with the process, as Zorla has until a sound plays.
void StartLibraries()
{
#if defined(FLOOR_COMMON_CONTROLS)
    InitCommonControls();
#endif
#if defined(FLOOR_OLE)
    OleInitialize(nullptr);
#endif
#if defined(FLOOR_WININET)
    InternetOpenA("Zorla floor", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_DONT_CACHE);
#endif
#if defined(FLOOR_DSOUND)
    // Stored through a volatile pointer: the import stays without a call.
    auto* volatile create = &DirectSoundCreate;
    (void)create;
#endif
}

#if defined(FLOOR_NOTE_SHAPE)
// What the platform is asked for every note: its outline, and the bottom of
// the z-order.
void ShapeAsNote(HINSTANCE instance, HWND window)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_REGION_NOTE), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return;
    if (HRGN outline = ExtCreateRegion(nullptr, SizeofResource(instance, found), static_cast<const RGNDATA*>(data)))
        SetWindowRgn(window, outline, FALSE);
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
#endif

// Top-level tool windows of a note's size, placed as notes_bench places the
// notes, each with what a note window holds: an edit, a static and a button.
void ShowPlainWindows(HINSTANCE instance, int count)
{
    WNDCLASSA plainClass{};
    plainClass.lpfnWndProc = DefWindowProcA;
    plainClass.hInstance = instance;
    plainClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    plainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    plainClass.lpszClassName = kPlainClassName;
    if (count <= 0 || !RegisterClassA(&plainClass))
        return;
    for (int i = 1; i <= count; ++i) {
        HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kPlainClassName, kPlainTitle, WS_POPUP, 10 + (i * 37) % 800,
                                      10 + (i * 23) % 500, 196, 205, nullptr, nullptr, instance, nullptr);
        char text[40];
        std::snprintf(text, sizeof text, "Entry %d\r\nsecond line", i);
        CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 22, 55, 148, 112, window,
                        nullptr, instance, nullptr);
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 27, 52, 133, 16, window, nullptr, instance, nullptr);
        CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 157, 167, 15, 15, window, nullptr,
                        instance, nullptr);
#if defined(FLOOR_NOTE_SHAPE)
        ShapeAsNote(instance, window);
#endif
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    StartLibraries();

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(WS_EX_APPWINDOW, kClassName, kTitle, WS_POPUP | WS_SYSMENU | WS_VISIBLE, 100, 100,
                                  Scaled(kWidth), Scaled(kHeight), nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowPlainWindows(instance, std::atoi(commandLine));

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

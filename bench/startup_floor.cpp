// The floor for Zorla's start-up: the least a one-window program of the same size
// does with the same toolchain and linking. It registers a class, shows a
// 440 x 444 window, paints it and runs a message loop until it is closed.
//
// Built bare, and with one platform library each (FLOOR_COMMON_CONTROLS,
// FLOOR_OLE, FLOOR_WININET, FLOOR_DSOUND) to show what loading and starting
// that library adds to a start.
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

namespace {

const char kClassName[] = "ZorlaStartUpFloor";
const char kTitle[] = "Zorla floor";
const int kWidth = 440;
const int kHeight = 444;

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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
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
                                  kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

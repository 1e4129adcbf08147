#pragma once

#include <windows.h>

// What tests read of a window of another process.
inline bool TopMost(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

inline RECT ScreenRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

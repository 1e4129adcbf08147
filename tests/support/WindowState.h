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

// A child's rectangle in its parent's client coordinates.
inline RECT PlaceIn(HWND parent, HWND child)
{
    RECT rect = ScreenRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

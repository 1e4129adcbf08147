#pragma once

#include <windows.h>

// SetWindowPos with a z-order change (top-most or not). Wine does not make a
// window top-most while it owns a popup (the date pickers' hidden month
// calendars, the progress window), so those are released from their owner for
// the moment of the change. Any thread of the process may call it.
void SetZOrder(HWND window, HWND insertAfter, int width, int height, UINT flags);

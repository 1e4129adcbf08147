#pragma once

#include <windows.h>

// Sends a message whose lParam points to a structure to a window of another
// process. Windows copies the data itself only for its own text and list
// messages (WM_SETTEXT, CB_SELECTSTRING, ...); for the others (DTM_SETSYSTEMTIME,
// ...) the structure is placed in the window's process first and copied back
// afterwards. False when the data could not be placed or the window did not
// answer within 60 s.
bool SendWithRemoteData(HWND window, UINT message, WPARAM wParam, void* data, SIZE_T size, LRESULT* result = nullptr);

#pragma once

#include <windows.h>

#include <cstddef>

// The small dialogs asked from a reminder place their controls in classic
// 6 x 13 dialog units, whatever units the system's "MS Sans Serif" gives
// (Wine's are 6 x 12): places[i] (left, top, width, height in pixels at 96
// DPI) for the i-th child in template order, and a frame around a client area
// of client's size, about the same centre. Places and size are taken at the
// scale of the dialog's monitor, as its font is.
void PlaceClassicLayout(HWND dialog, const RECT* places, std::size_t count, const RECT& client);

template <std::size_t N>
void PlaceClassicLayout(HWND dialog, const RECT (&places)[N], const RECT& client)
{
    PlaceClassicLayout(dialog, places, N, client);
}

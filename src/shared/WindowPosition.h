#pragma once

#include <windows.h>

class Settings;

// Places are stored in 96-DPI units, as programs that know nothing of display
// scales see the screen; dpi is the system's scale they are taken at.

// Writes the window's screen left and top as "WndX"/"WndY" in the section.
void SaveWindowPosition(Settings& settings, HWND window, const char* section, int dpi = 96);

// Reads "WndX"/"WndY" of the section, with x and y as defaults (-1 = centred on
// the screen); a position whose corner lies within 10 pixels of the screen's right
// or bottom edge, or beyond, is replaced by the centred one. Negative coordinates
// are kept. At a scale other than 96 DPI, a window that the scale made reach
// past the screen's right or bottom is pulled back onto it. x and y receive
// the result; with move the window goes there.
void RestoreWindowPosition(const Settings& settings, HWND window, const char* section, int& x, int& y, bool move,
                           int dpi = 96);

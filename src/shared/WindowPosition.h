#pragma once

#include <windows.h>

class Settings;

// Writes the window's screen left and top as "WndX"/"WndY" in the section.
void SaveWindowPosition(Settings& settings, HWND window, const char* section);

// Reads "WndX"/"WndY" of the section, with x and y as defaults (-1 = centred on
// the screen); a position whose corner lies within 10 pixels of the screen's right
// or bottom edge, or beyond, is replaced by the centred one. Negative coordinates
// are kept. x and y receive the result; with move the window goes there.
void RestoreWindowPosition(const Settings& settings, HWND window, const char* section, int& x, int& y, bool move);

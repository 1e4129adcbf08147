#pragma once

#include <windows.h>

class CSystemTray;

// Moving the main window into the notification area and back. While in the
// tray the window is hidden and owned by an invisible window, so that no
// taskbar button remains; the icon is there only while the window is.

// Where the animation goes: the notification area of the taskbar, else the
// end of the taskbar the shell reports, else the bottom-right corner of the
// work area.
RECT TrayRectangle();

// The steps of TrayRectangle that need no windows.
// A clock below the top of a vertical taskbar cuts the area above it off;
// on a horizontal one the clock's left edge ends the area.
RECT TrayRectBesideClock(RECT area, RECT clock);
// The last 100 pixels of a taskbar at the given ABE_* edge (16 left for the
// border); false for an edge that is none of the four.
bool TrayRectOnTaskbar(UINT edge, RECT taskbar, RECT* tray);
RECT TrayRectInWorkArea(RECT workArea);

// Whether the system animates windows that are minimised and restored.
bool WindowAnimationEnabled();

// Hides the window, owned by owner (CSystemTray::ParentWindow).
void MinimiseToTray(HWND window, HWND owner);
void MaximiseFromTray(HWND window);
// Command "Minimize"/"Maximize" and a double click on the icon. The window
// stays where it is when the icon cannot be added: it would be unreachable.
void ToggleTray(CSystemTray& tray, HWND window);
// Brings the window back from the tray, if it is there.
void RestoreFromTray(CSystemTray& tray, HWND window);

#pragma once

#include <windows.h>

// Every way of asking the main window for a command other than the command
// menu (which sends the id itself) is turned into a command id here; the main
// window's command table then runs it. 0 means no command.

// The command behind a hot spot of the picture.
UINT CommandForHotSpot(int hotSpot);
// The command behind an item of the window's system menu (WM_SYSCOMMAND).
UINT CommandForSystemMenu(UINT item);
// The command of a double click with the left button on the picture.
UINT CommandForDoubleClick();

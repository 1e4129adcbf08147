#pragma once

#include <windows.h>

// Every window message of the program's own, in one list so that no two share
// a number. The shell's "TaskbarCreated" is registered in CSystemTray.

// From the shell to the main window for its tray icon: wParam the icon id,
// lParam the mouse message.
constexpr UINT WM_TRAY_NOTIFY = WM_APP + 1;
// Posted by a download's worker to the main window when it has finished:
// wParam the download's ticket (WindowHttpFetch::Deliver), lParam 0.
constexpr UINT WM_WEATHER_DONE = WM_APP + 20;
// Posted by the main window to itself, by the first paint and by each step of
// the start-up after it: wParam the step, lParam 0.
constexpr UINT WM_START_STEP = WM_APP + 21;
// Posted by the main window to itself while the stored notes open, a slice
// at a time: wParam 0, lParam 0.
constexpr UINT WM_OPEN_NOTES = WM_APP + 22;
// Posted by the synced folder's watch to the main window when something in the
// folder changed: wParam 0, lParam 0.
constexpr UINT WM_SYNC_CHANGED = WM_APP + 23;
// The keys that reach the program from anywhere could not all be had: the
// user hears of it once the start-up is through.
constexpr UINT WM_KEYS_REFUSED = WM_APP + 24;
// Sent to the main window when the weather's units were chosen anew: the
// weather shown follows. wParam 0, lParam 0.
constexpr UINT WM_WEATHER_UNITS_CHANGED = WM_APP + 25;
// Sent by the mail thread to its window once the mail is done: wParam the MAPI
// result (0: sent), lParam 0.
constexpr UINT WM_MAIL_DONE = WM_USER + 100;
// Sent by the mail thread with each step it reaches: wParam the percentage,
// lParam the step (CIMapiThread::Step), whose text the window translates.
constexpr UINT WM_MAIL_PROGRESS = WM_USER + 101;

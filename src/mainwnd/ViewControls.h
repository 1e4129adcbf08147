#pragma once

#include <windows.h>

// The main window's controls and the views they belong to: the one place that
// says where each control sits on the picture and in which views it shows.
namespace ViewControls {

// Moves the controls to their pixel places on the picture. The template's
// dialog units only match the picture with the classic 6 x 13 dialog font;
// Wine's is wider.
void Place(HWND dialog);
// Shows exactly the controls of view (a ZorlaBMPHandler::View value).
void ShowFor(HWND dialog, int view);
// The timer editor's proposal: today in the date picker, the next full hour
// (now plus one hour, minutes and seconds cleared) in the time picker.
void ProposeReminderTime(HWND dialog, const SYSTEMTIME& now);

}  // namespace ViewControls

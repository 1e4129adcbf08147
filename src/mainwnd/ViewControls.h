#pragma once

#include "base/DateTime.h"
#include "entries/Repeat.h"
#include "image/DisplayScale.h"
#include "mainwnd/MainView.h"

#include <windows.h>

// The main window's controls and the views they belong to: the one place that
// says where each control sits on the picture and in which views it shows.
namespace ViewControls {

// Creates the controls (the link, the city list, the editor, the date and time
// pickers, the choice of how a reminder repeats), hidden, at their pixel places on the picture: dialog units would
// only match the picture with the classic 6 x 13 dialog font, and Wine's is
// wider. The template holds none of them: the first paint needs none, and the
// common controls library is loaded only when they are made. Controls that
// exist already are left alone. Places are scaled to the window's scale.
void Create(HWND dialog, const DisplayScale& scale);
// Moves the controls to their places at scale, for a window that changed it.
void Place(HWND dialog, const DisplayScale& scale);
// Shows exactly the controls of view (a PictureFace::View value). Without
// redraw they change undrawn, for a caller that draws them all just after.
void ShowFor(HWND dialog, MainView view, bool redraw = true);
// The timer editor's proposal: the next full hour (now plus one hour, minutes
// and seconds cleared) in the time picker, and its day in the date picker.
void ProposeReminderTime(HWND dialog, const DateTime& now);
// The day of the date picker at the hour and minute of the time picker;
// invalid when either picker holds no valid time.
DateTime ChosenReminderTime(HWND dialog);
// Sets the date and time pickers to time.
void ShowReminderTime(HWND dialog, const DateTime& time);
// The six ways a reminder repeats, in the interface's language, "once" chosen.
void FillRepeatChoices(HWND dialog);
void ChooseOnce(HWND dialog);
void ChooseRepeat(HWND dialog, Repeat repeat);
Repeat ChosenRepeat(HWND dialog);

}  // namespace ViewControls
